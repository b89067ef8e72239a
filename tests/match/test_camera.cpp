#include <gtest/gtest.h>

#include <vector>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "sprites/cactor.h"
#include "tests/match/match_fixture.h"
#include "tools/data/court_geometry.h"

namespace sorv::test {
namespace {

inline StaticRef<CPlayer> gPlayer;

class CameraTest : public MatchTest {
 protected:
  void TearDown() override {
    CTennis::player = nullptr;
    CTennis::ball = nullptr;
    MatchTest::TearDown();
  }
  static std::vector<int32_t> logical(int32_t x, int32_t y, int32_t z) {
    IntArray* p = Array::newIntArray(2);
    CTennis::project3DTo2D(p, x, y, z);
    CTennis::project2D2Logical(p);
    return values(p);
  }
  static std::vector<int32_t> screen(int32_t x, int32_t y, int32_t z) {
    IntArray* p = Array::newIntArray(2);
    CTennis::project3D2Screen(p, x, y, z);
    return values(p);
  }
  // The user's player standing still on the near baseline's centre.
  static void standingPlayer() {
    gPlayer = newObject<CPlayer>();
    gPlayer->RigidBody::construct(gMatch, 0, 0, 0, nullptr, RigidBody::kTypeHuman);
    gPlayer->init(ints({9085, 0, 30185}), nullptr, nullptr);
    CTennis::player = gPlayer;
  }
};

TEST_F(CameraTest, CourtLinesInLogicalPixels) {
  EXPECT_EQ(CTennis::cameraSin, 37);
  EXPECT_EQ(CTennis::cameraCos, 123);
  struct Case {
    const char* what;
    int32_t x, z;
    std::vector<int32_t> logical;
  };
  const Case cases[] = {
      {"near doubles left", 3660, 30185, {242, 418}},  {"near doubles right", 14510, 30185, {618, 418}},
      {"far doubles left", 3660, 6355, {304, 158}},    {"far doubles right", 14510, 6355, {557, 158}},
      {"near singles left", 4970, 30185, {288, 418}},  {"near singles right", 13200, 30185, {573, 418}},
      {"far singles left", 4970, 6355, {335, 158}},    {"far singles right", 13200, 6355, {526, 158}},
      {"net centre", 9085, 18300, {431, 264}},
  };
  for (const Case& c : cases) EXPECT_EQ(logical(c.x, 0, c.z), c.logical) << c.what;
}

// The data builder paints the court with the shared geometry's projection: it must land
// every point, high or low, where the match's camera puts it.
TEST_F(CameraTest, TheBuildersProjectionIsTheMatchs) {
  for (int32_t z = court::kFarEndZ; z <= court::kNearEndZ; z += 1530) {
    for (int32_t x = 0; x <= court::kSideX; x += 1307) {
      for (int32_t y : {0, 914, 2000, 6500}) {
        const court::Point p = court::logicalPoint(x, y, z);
        EXPECT_EQ(logical(x, y, z), std::vector<int32_t>({p.x, p.y})) << x << " " << y << " " << z;
      }
    }
  }
}

TEST_F(CameraTest, ScreenIsLogicalLessTheView) {
  CTennis::fixViewport(12, -20);
  EXPECT_EQ(screen(3660, 0, 30185), std::vector<int32_t>({242 - 12, 418 - 32}));
  RigidBody* b = ball({9085, 1500, 18300});
  b->updateScreen();
  EXPECT_EQ(values(b->screenPos), screen(9085, 1500, 18300));
}

TEST_F(CameraTest, ViewportScrollsWithinTheBackground) {
  CTennis::fixViewport(-1, -1);
  EXPECT_EQ(CTennis::viewX, 39);
  EXPECT_EQ(CTennis::viewY, 51);
  EXPECT_FALSE(CTennis::autoFollow);
  struct Case {
    int32_t viewX, scrollX, viewY, scrollY, endX, endY;
  };
  for (const Case& c : {Case{35, 7, 0, -40, 40, -32}, Case{3, -7, 10, 30, 0, 20}, Case{10, 0, 0, -5, 10, -5}}) {
    CTennis::viewX = c.viewX, CTennis::scrollX = c.scrollX;
    CTennis::viewY = c.viewY, CTennis::scrollY = c.scrollY;
    CTennis::updateViewport();
    EXPECT_EQ(CTennis::viewX, c.endX) << c.viewX << " + " << c.scrollX;
    EXPECT_EQ(CTennis::viewY, c.endY) << c.viewY << " + " << c.scrollY;
  }
}

TEST_F(CameraTest, FollowingTheBallAndThePlayer) {
  standingPlayer();
  CTennis::a_constructor();
  EXPECT_TRUE(CTennis::autoFollow);
  CTennis::followTargetX = 0;
  std::vector<int32_t> path;
  for (int32_t f = 0; f < 7; f++) {
    CTennis::updateViewport();
    path.push_back(CTennis::viewX);
  }
  EXPECT_EQ(path, std::vector<int32_t>({25, 20, 15, 10, 5, 0, 0}));

  // A ball in the object list that turns back across resets the target to the rest place.
  CTennis::a_init();
  CTennis::ball = ball({9085, 1000, 20000}, {-3000, 0, -5000});
  CTennis::objectList->elements()[0] = CTennis::ball.get();
  CTennis::followDirection = 1;
  CTennis::a_followBall();
  EXPECT_EQ(CTennis::followTargetX, CTennis::viewBaseX);
  EXPECT_EQ(CTennis::followDirection, -1);
  EXPECT_EQ(CTennis::scrollY, 0) << "the ball flies away from the near player";

  CTennis::ball->vz = 5000;
  CTennis::ball->z = 31000;
  CTennis::a_followBall();
  EXPECT_EQ(CTennis::scrollY, 1) << "the ball comes past the near player";
  EXPECT_EQ(CTennis::focusPlayer(), gPlayer.get());
}

TEST_F(CameraTest, PlayerNearTheSidesMovesTheTarget) {
  standingPlayer();
  struct Case {
    int32_t x, target;
  };
  for (const Case& c : {Case{9085, 30}, Case{3660, 30 + (242 - 352)}, Case{14510, 30 + (618 - 563)}}) {
    gPlayer->setX(c.x);
    CTennis::a_followPlayer(gPlayer);
    EXPECT_EQ(CTennis::playerTargetX, c.target) << c.x;
  }
}

TEST_F(CameraTest, UpdatingEveryObjectOfTheList) {
  CTennis::a_init();
  EXPECT_EQ(CTennis::objectList->length, 12);
  EXPECT_EQ(CGame::actionSprites0->length, 6);
  EXPECT_NE(CTennis::sharedActor.get(), nullptr);
  RigidBody* b = ball({9085, 0, 18300});
  CTennis::objectList->elements()[3] = b;
  CTennis::fixViewport(0, 0);
  CTennis::updateAllScreen();
  EXPECT_EQ(values(b->screenPos), std::vector<int32_t>({431, 264}));
}

}  // namespace
}  // namespace sorv::test
