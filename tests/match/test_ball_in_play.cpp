// The rules fed by the ball's own flight: a ball stepped frame by frame meets the net or
// bounces on the court, and the match decides the point from what the physics reports.
#include "match/rigid_body.h"
#include "tests/match/rules_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kPlaying = 5;

class BallInPlayTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);
    CTennis::matchState = kPlaying;
    CTennis::deadBallReason = 0;
  }

  // A match ball at p with velocity v, as a stroke launches it.
  static RigidBody* launch(std::initializer_list<int32_t> p, std::initializer_list<int32_t> v) {
    RigidBody* b = RigidBody::create(CGame::matchObject, RigidBody::kTypeBall);
    CTennis::ball = b;
    b->init(Array::fillInts(Array::newIntArray(3), p), Array::fillInts(Array::newIntArray(3), v),
            nullptr);
    return b;
  }

  // Steps the ball until the point ends or the frames run out.
  static int flyUntilDead(int frames) {
    for (int f = 1; f <= frames; f++) {
      CTennis::ball->update();
      if (CTennis::deadBallReason != 0) return f;
    }
    return -1;
  }
};

TEST_F(BallInPlayTest, ALowShotIsStoppedByTheNet) {
  CTennis::strikeSide = false;  // the user's shot travels to the far half
  CTennis::rallyStrokes = 2;
  RigidBody* b = launch({9085, 600, 20000}, {0, 0, -9000});
  ASSERT_GT(flyUntilDead(40), 0);
  EXPECT_EQ(CTennis::deadBallReason & CTennis::kReasonNet, CTennis::kReasonNet);
  EXPECT_EQ(b->z, 18500);  // left on the striker's side of the net
  EXPECT_EQ(b->vz, 0);
  EXPECT_EQ(b->vy, 0);
}

TEST_F(BallInPlayTest, AShotOverTheNetBouncesInThenTwice) {
  CTennis::strikeSide = false;
  CTennis::rallyStrokes = 2;
  RigidBody* b = launch({9085, 2500, 29000}, {0, 3000, -15000});
  const int frames = flyUntilDead(400);
  ASSERT_GT(frames, 0);
  EXPECT_GE(b->bounceCount, 2);
  EXPECT_EQ(CTennis::deadBallReason & CTennis::kReasonNet, 0);
  EXPECT_EQ(CTennis::deadBallReason & CTennis::kReasonOut, 0);
  EXPECT_EQ(CTennis::deadBallReason & CTennis::kReasonTwice, CTennis::kReasonTwice);
  EXPECT_LT(b->collisionZ, 18300);  // both bounces on the far half
}

TEST_F(BallInPlayTest, AShotPastTheBaselineIsOut) {
  CTennis::strikeSide = false;
  CTennis::rallyStrokes = 2;
  launch({9085, 2500, 29000}, {0, 6000, -18000});
  ASSERT_GT(flyUntilDead(200), 0);
  EXPECT_EQ(CTennis::deadBallReason & CTennis::kReasonOut, CTennis::kReasonOut);
  EXPECT_LT(CTennis::outZ, 6355);  // beyond the far baseline
}

}  // namespace
}  // namespace sorv::test
