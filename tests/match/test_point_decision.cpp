// The decision of a point from the way the ball died, and the bounce judge in front of it.
#include <string>

#include "runtime/util_random.h"
#include "tests/match/rules_fixture.h"

namespace sorv::test {
namespace {

class PointDecisionTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);  // the user's player serves
  }
};

TEST_F(PointDecisionTest, EveryReasonByStrokesAndServe) {
  struct Case {
    int32_t reason, strokes;
    bool second;
    int winner;  // 0 user's team, 1 opponents, -1 no point
    int32_t info;
    bool secondAfter;
    int32_t result;
    int row, rowTeam;  // the statistics row counted once (-1 none)
    int errorTeam;     // row 11's team, -1 none
  };
  const Case cases[] = {
      {8, 2, false, 0, 12, false, 1, -1, 0, -1},   // receiving fault
      {16, 1, false, 0, -1, false, 2, 2, 0, -1},   // ace
      {16, 1, true, 0, -1, false, 2, 6, 0, -1},    // ace on the second serve
      {16, 2, false, 1, -1, false, -1, -1, 0, -1},  // the server's team let it bounce twice
      {16, 3, false, 0, -1, false, 1, -1, 0, -1},
      {1, 1, false, -1, 11, true, 0, -1, 0, 0},    // first serve into the net
      {2, 1, false, -1, 11, true, 0, -1, 0, 0},    // first serve out
      {4, 1, false, -1, 11, true, 0, -1, 0, 0},    // first serve onto its own half: a fault
      {1, 1, true, 1, 13, false, 0, 8, 0, 0},      // double faults
      {2, 1, true, 1, 13, false, 0, 8, 0, 0},
      {4, 1, true, 1, 13, false, 0, 8, 0, 0},
      {2, 2, false, 0, 10, false, 1, -1, 0, 1},    // the return out
      {1, 3, false, 1, -1, false, -1, -1, 0, 0},   // the server's third stroke into the net
      {4, 2, false, 0, -1, false, 1, -1, 0, 1},    // the return onto the receiver's own half
      {4, 3, false, 1, -1, false, -1, -1, 0, 0},
  };
  for (const Case& c : cases) {
    restart(0);
    CTennis::secondServe = c.second;
    CTennis::deadBallInfo = -1;
    CTennis::lastPointResult = 0;
    deadBall(c.reason, c.strokes);
    const std::string what = "reason " + std::to_string(c.reason) + " strokes " +
                             std::to_string(c.strokes) + (c.second ? " second" : " first");
    EXPECT_EQ(points(0), c.winner == 0 ? 1 : 0) << what;
    EXPECT_EQ(points(1), c.winner == 1 ? 1 : 0) << what;
    EXPECT_EQ(CTennis::deadBallInfo, c.info) << what;
    EXPECT_EQ(CTennis::secondServe, c.secondAfter) << what;
    EXPECT_EQ(CTennis::lastPointResult, c.result) << what;
    for (int row : {2, 6, 8}) {
      EXPECT_EQ(stat(row, 0), row == c.row ? 1 : 0) << what << " row " << row;
      EXPECT_EQ(stat(row, 1), 0) << what << " row " << row;
    }
    for (int team : {0, 1}) EXPECT_EQ(stat(11, team), team == c.errorTeam ? 1 : 0) << what;
  }
}

TEST_F(PointDecisionTest, TheOpponentsServeAcesAndFaults) {
  restart(2);
  deadBall(CTennis::kReasonTwice, 1);
  EXPECT_EQ(points(1), 1);
  EXPECT_EQ(stat(2, 1), 1);
  EXPECT_EQ(CTennis::lastPointResult, -1);
  deadBall(CTennis::kReasonOwnHalf, 1);
  deadBall(CTennis::kReasonOwnHalf, 1);
  EXPECT_EQ(points(0), 1);
  EXPECT_EQ(stat(8, 1), 1);
}

TEST_F(PointDecisionTest, UserAcesCountInARow) {
  deadBall(CTennis::kReasonTwice, 1);
  betweenPoints();
  deadBall(CTennis::kReasonTwice, 1);
  EXPECT_EQ(counter(1), 2);
  EXPECT_EQ(counter(2), 2);
  betweenPoints();
  deadBall(CTennis::kReasonOut, 4);
  EXPECT_EQ(counter(1), 0);
  EXPECT_EQ(counter(2), 2);
}

class BounceJudgeTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);
    CTennis::ball = newObject<RigidBody>();
    CTennis::ball->type = RigidBody::kTypeBall;
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, 40);
  }
  // A bounce at (x, depth) of a ball the given team struck in a rally of `strokes`.
  void bounce(bool userStruck, int32_t x, int32_t depth, int32_t bounces = 1, int32_t strokes = 3) {
    CTennis::matchState = 5;
    CTennis::deadBallReason = 0;
    CTennis::rallyStrokes = strokes;
    CTennis::strikeSide = !userStruck;
    // The rally rectangle of the other half, singles lines.
    if (userStruck) {
      CTennis::setBallInRect(1, 0, 3, 2);
    } else {
      CTennis::setBallInRect(1, 2, 3, 4);
    }
    RigidBody* b = CTennis::ball;
    b->bounceCount = bounces;
    b->vx = 10;
    b->vz = userStruck ? -5000 : 5000;
    CGame::matchObject->onBallCollision(b, 0, x, 0, depth);
  }
};

TEST_F(BounceJudgeTest, OwnHalfSecondBounceInAndOut) {
  struct Case {
    bool userStruck;
    int32_t x, depth, bounces, reason;
  };
  const Case cases[] = {
      {true, 9085, 20000, 1, CTennis::kReasonOwnHalf},  // the user's ball bounced on the user's half
      {false, 9085, 12000, 1, CTennis::kReasonOwnHalf},
      {true, 9085, 10000, 2, CTennis::kReasonTwice},
      {true, 9085, 10000, 1, 0},                        // in
      {true, 4970, 6355, 1, 0},                         // on the lines
      {true, 9085, 5000, 1, CTennis::kReasonOut},       // long
      {false, 2000, 25000, 1, CTennis::kReasonOut},     // wide
  };
  for (const Case& c : cases) {
    bounce(c.userStruck, c.x, c.depth, c.bounces);
    EXPECT_EQ(CTennis::deadBallReason, c.reason) << c.x << "," << c.depth;
    EXPECT_EQ(CTennis::matchState, 5);
  }
  EXPECT_EQ(CTennis::outX, 2000);
  EXPECT_EQ(CTennis::outZ, 25000);
}

TEST_F(BounceJudgeTest, ChallengeOnlyForTheUsersCloseOutBalls) {
  struct Case {
    const char* what;
    bool userStruck;
    int32_t depth, left, tutorial, shell;
    bool offered;  // in some seeds
  };
  const Case cases[] = {
      {"user's close out ball", true, 6200, 3, -1, 40, true},
      {"opponents' ball", false, 30400, 3, -1, 40, false},
      {"none left", true, 6200, 0, -1, 40, false},
      {"tutorial", true, 6200, 3, 1, 40, false},
      {"shell paused", true, 6200, 3, -1, 42, false},
      {"far out", true, 5000, 3, -1, 40, false},
  };
  for (const Case& c : cases) {
    int offered = 0;
    for (int seed = 0; seed < 40; seed++) {
      CGame::random->setSeed(seed);
      CTennis::challengesLeft = c.left;
      CTennis::tutorialIndex = c.tutorial;
      astore(CGame::stateStack.get(), 0, c.shell);
      bounce(c.userStruck, 9085, c.depth);
      if (CTennis::matchState == 12) {
        offered++;
        EXPECT_EQ(CTennis::deadBallReason, 0) << c.what;
      } else {
        EXPECT_NE(CTennis::deadBallReason, 0) << c.what;  // the out call stands
      }
      restart(0);
    }
    CTennis::tutorialIndex = -1;
    if (c.offered) {
      EXPECT_GT(offered, 10) << c.what;
      EXPECT_LT(offered, 35) << c.what;
    } else {
      EXPECT_EQ(offered, 0) << c.what;
    }
  }
}

}  // namespace
}  // namespace sorv::test
