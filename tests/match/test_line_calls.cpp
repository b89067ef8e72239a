// Where a bounce lies against the landing rectangle, the net crossing, the computer's
// dispute of a call and the last reachable route point.
#include <string>

#include "runtime/java_int.h"
#include "runtime/util_random.h"
#include "tests/match/rules_fixture.h"

namespace sorv::test {
namespace {

class LineCallTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);
    CTennis::ball = newObject<RigidBody>();
  }
};

TEST_F(LineCallTest, BouncesAgainstTheRectangle) {
  struct Case {
    int32_t rect[4];
    int32_t x, z;
    int32_t result, zone, zoneZ, secondLine;
  };
  const Case cases[] = {
      {{1, 2, 3, 4}, 4970, 30185, 0, 1, 4, -1},      // on the lines: in
      {{1, 2, 3, 4}, 4870, 31085, 1, 1, 4, -1},      // 900 beyond the baseline and wide
      {{1, 2, 3, 4}, 4870, 31285, -1, 1, 4, -1},     // 1100 beyond
      {{1, 2, 3, 4}, 9085, 30685, -1, 3, 4, -1},     // long, level with the rectangle
      {{1, 2, 3, 4}, 8000, 17200, -1, 1, 2, -1},     // short, 1000 before the net
      {{1, 1, 3, 3}, 9085, 18300, 0, 3, 3, -1},      // equidistant: right and far
      {{1, 2, 3, 4}, 9085, 24800, 0, 3, 4, 3},       // near the service line in singles
      {{1, 0, 3, 2}, 9085, 11600, 0, 3, 0, 1},
      {{0, 2, 4, 4}, 9085, 24800, 0, 4, 4, -1},      // doubles: no service-line mark
      {{1, 2, 3, 4}, 14000, 24000, 1, 3, 2, -1},     // wide beside the rectangle
  };
  for (const Case& c : cases) {
    CTennis::setBallInRect(c.rect[0], c.rect[1], c.rect[2], c.rect[3]);
    const bool out = CTennis::isBallOut(c.x, 0, c.z);
    const std::string what = std::to_string(c.x) + "," + std::to_string(c.z);
    EXPECT_EQ(CTennis::fallResult, c.result) << what;
    EXPECT_EQ(out, c.result != 0) << what;
    EXPECT_EQ(CTennis::lineZone, c.zone) << what;
    EXPECT_EQ(CTennis::lineZoneZ, c.zoneZ) << what;
    EXPECT_EQ(CTennis::secondLine, c.secondLine) << what;
  }
  EXPECT_EQ(CTennis::lineDistanceX, 14000 - 13200);
  EXPECT_EQ(CTennis::lineDistanceZ, 24000 - 18300);
}

TEST_F(LineCallTest, CloseLandingHighlight) {
  struct Case {
    int32_t x, z, kind;
  };
  CTennis::setBallInRect(1, 2, 3, 4);
  const Case cases[] = {
      {9085, 30000, 1},                    // near the baseline only
      {5100, 25000, 2},                    // near the side line only
      {5100, 30100, 10 + 1 * 5 + 4},       // near both: the corner table
      {9085, 25000, -7},                   // near none: unchanged
  };
  for (const Case& c : cases) {
    CTennis::lineCallKind = -7;
    CTennis::checkBallFall(c.x, c.z);
    CTennis::checkPointOfFall(c.x, 0, c.z, false);
    EXPECT_EQ(CTennis::lineCallKind, c.kind) << c.x << "," << c.z;
  }
}

TEST_F(LineCallTest, NetCrossing) {
  struct Case {
    int32_t x, prevZ, z, vz, prevY, y, result;
  };
  const Case cases[] = {
      {9085, 18000, 18600, 100, 999, 999, 1},
      {9085, 18000, 18600, 100, 1000, 1000, 0},
      {9085, 18000, 18600, 100, 939, 939, 2},
      {9085, 18000, 18600, 100, 940, 940, 1},
      {4315, 18000, 18600, 100, 500, 500, 2},
      {13855, 18000, 18600, 100, 500, 500, 2},
      {4314, 18000, 18600, 100, 500, 500, 0},
      {13856, 18000, 18600, 100, 500, 500, 0},
      {9085, 18600, 18000, -100, 500, 500, 2},      // backwards
      {9085, 18600, 18600, 100, 500, 500, 0},       // depth unchanged
      {9085, 18000, 18300, 100, 500, 500, 0},       // ends on the net plane: no crossing yet
      {9085, 18000, 18600, 100, 1400, 400, 2},      // falling: 900 at the plane
      {9085, 18000, 18600, 100, 1580, 400, 1},      // 990
      {9085, 18000, 18600, 100, 1600, 400, 0},      // 1000
  };
  for (const Case& c : cases) {
    RigidBody* b = CTennis::ball;
    b->x = c.x;
    b->prevZ = c.prevZ;
    b->z = c.z;
    b->vz = c.vz;
    b->prevY = c.prevY;
    b->y = c.y;
    EXPECT_EQ(CTennis::checkBallHitNet(), c.result) << c.x << " " << c.prevZ << "->" << c.z << " y " << c.y;
  }
}

TEST_F(LineCallTest, TheNetStopsAMovingBall) {
  RigidBody* b = CTennis::ball;
  b->x = 9085;
  b->prevZ = 18000;
  b->z = 18400;
  b->vx = 1003;
  b->vz = 9000;
  b->prevY = b->y = 500;
  CTennis::strikeSide = false;  // the user's serve is on its way
  CTennis::rallyStrokes = 1;
  CTennis::onBallMove();
  EXPECT_EQ(b->z, 18100);
  EXPECT_EQ(b->vx, 200);
  EXPECT_EQ(b->vz, 0);
  EXPECT_EQ(CTennis::deadBallReason, CTennis::kReasonNet);
  EXPECT_TRUE(CTennis::secondServe);
}

TEST_F(LineCallTest, TheComputerDisputesSixInEleven) {
  CTennis::setBallInRect(1, 2, 3, 4);
  CTennis::checkBallFall(9085, 30300);  // 115 long
  struct Case {
    int32_t strokes;
    bool second;
    bool possible;
  };
  for (const Case& c : {Case{1, false, false}, Case{1, true, true}, Case{4, false, true}}) {
    CTennis::rallyStrokes = c.strokes;
    CTennis::secondServe = c.second;
    int disputed = 0;
    for (int seed = 0; seed < 110; seed++) {
      CGame::random->setSeed(seed);
      Random* same = newObject<Random>();
      same->setSeed(seed);
      const bool expected = c.possible && nonNegativeMod(same->nextInt(), 11) <= 5;
      const bool got = CTennis::needContestRefere(9085, 30300);
      EXPECT_EQ(got, expected) << "seed " << seed;
      disputed += got;
    }
    if (!c.possible) EXPECT_EQ(disputed, 0);
  }
  // Far from every line: never.
  CTennis::rallyStrokes = 4;
  CTennis::checkBallFall(9085, 27000);
  for (int seed = 0; seed < 20; seed++) {
    CGame::random->setSeed(seed);
    EXPECT_FALSE(CTennis::needContestRefere(9085, 27000));
  }
}

TEST_F(LineCallTest, LastReachableRoutePoint) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> points;  // (x, z); x -118850 empty
    bool userStrikes;
    int32_t expected;
  };
  const Case cases[] = {
      {{{0, 20000}}, true, -1},
      {{{0, 20000}, {0, 19000}, {0, 25000}, {-118850, 26000}}, true, 2},
      {{{0, 20000}, {0, 19000}, {0, 17000}}, true, 1},
      {{{0, 10000}, {0, 12000}, {0, 18300}, {0, 17000}}, false, 3},
      {{{0, 30000}, {0, 19000}}, false, -1},
  };
  for (const Case& c : cases) {
    ObjectArray* route = Array::newObjectArray(kIntArray, static_cast<int32_t>(c.points.size()));
    CTennis::ball->route = route;
    for (size_t i = 0; i < c.points.size(); i++) {
      astore(route, static_cast<int32_t>(i),
             Array::fillInts(Array::newIntArray(2), {c.points[i].first, c.points[i].second}));
    }
    CTennis::strikeSide = c.userStrikes;
    EXPECT_EQ(CTennis::getLastBallPosCanBeStrike(), c.expected);
  }
  CTennis::ball->route = nullptr;
  EXPECT_EQ(CTennis::getLastBallPosCanBeStrike(), -1);
}

}  // namespace
}  // namespace sorv::test
