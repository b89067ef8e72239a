// The user's challenge of an out call: the offer's time, declining, the review's outcome and
// the count of challenges across pauses.
#include "tests/match/rules_fixture.h"

namespace sorv::test {
namespace {

class ChallengeTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    startMatch(kSingles, 4, 1);
    CTennis::ball = newObject<RigidBody>();
    offer();
  }
  // The user's third stroke landed 150 long: called out, challenge offered.
  static void offer() {
    CTennis::rallyStrokes = 3;
    CTennis::strikeSide = false;
    CTennis::deadBallReason = 0;
    CTennis::setBallInRect(1, 0, 3, 2);
    CTennis::isBallOut(9085, 0, 6205);
    CTennis::initContestReferee(9085, 6205);
  }
  static void frame(int32_t keys = 0) {
    CGame::keysPressed = keys;
    CTennis::matchFrame++;
    CTennis::updateContestReferee();
    CGame::keysPressed = 0;
  }
};

TEST_F(ChallengeTest, IdleOfferLetsTheOutCallStand) {
  EXPECT_EQ(CTennis::matchState, 12);
  for (int i = 0; i < 20; i++) frame();
  EXPECT_EQ(CTennis::matchState, 12);
  EXPECT_EQ(CTennis::deadBallReason, 0);
  frame();
  EXPECT_EQ(CTennis::matchState, 5);
  EXPECT_EQ(CTennis::deadBallReason, CTennis::kReasonOut);
  EXPECT_EQ(points(1), 1);
  EXPECT_EQ(CTennis::challengesLeft, 3);
  EXPECT_TRUE(CTennis::challengeReplay);
}

TEST_F(ChallengeTest, TheRightSoftKeyDeclines) {
  frame(CGame::kKeySoftRight);
  EXPECT_EQ(CTennis::matchState, 12);
  frame();
  EXPECT_EQ(CTennis::matchState, 5);
  EXPECT_EQ(CTennis::deadBallReason, CTennis::kReasonOut);
  EXPECT_EQ(CTennis::challengesLeft, 3);
}

TEST_F(ChallengeTest, UpheldKeepsFailedLowers) {
  int upheld = 0, failed = 0;
  for (int seed = 0; seed < 30; seed++) {
    restart(0);
    CTennis::challengesLeft = 3;
    offer();
    CGame::random->setSeed(seed);
    frame(1);  // the digit 0
    ASSERT_TRUE(CTennis::challengeDecided);
    const bool wasUpheld = CTennis::challengeUpheld;
    EXPECT_EQ(CTennis::challengesLeft, wasUpheld ? 3 : 2);
    frame();
    EXPECT_EQ(CTennis::matchState, 5);
    // Upheld: the ball was in and play goes on; failed: out, the point to the opponents.
    EXPECT_EQ(CTennis::deadBallReason, wasUpheld ? 0 : CTennis::kReasonOut) << seed;
    EXPECT_EQ(points(1), wasUpheld ? 0 : 1) << seed;
    (wasUpheld ? upheld : failed)++;
  }
  EXPECT_GT(upheld, 0);
  EXPECT_GT(failed, 0);
}

TEST_F(ChallengeTest, APauseOverTheMatchKeepsTheCount) {
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, 4);
  CGame::SWITCH_STATE(40);
  EXPECT_EQ(CTennis::challengesLeft, 3);
  CTennis::challengesLeft = 1;
  CGame::PUSH_STATE(42);
  CGame::POP_STATE();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 40);
  EXPECT_EQ(CTennis::challengesLeft, 1);
}

}  // namespace
}  // namespace sorv::test
