// The timers that end the wait between points: the call, the score call, the challenge's
// score texts, the break-point box and the serve set-up all clear what they showed within
// their frames, so the sequence between points can go on.
#include <gtest/gtest.h>

#include "match/cplayer.h"
#include "sprites/cactor.h"
#include "tests/match/overlays_fixture.h"

namespace sorv::test {
namespace {

using OverlayTimers = OverlaysTest;

// Frames until the call, the score state and the game message are all clear; -1 past 200.
// The display steps in states 5 and 12; the frame draws it in state 5 only, so the dead-ball
// routine is run on its own here.
int32_t framesUntilIdle() {
  for (int32_t n = 1; n <= 200; n++) {
    CTennis::matchFrame++;
    CTennis::drawDeadBallInfo();
    CTennis::playDeadBallSounds();
    if (CTennis::deadBallInfo == -1 && CTennis::scoreCallState == -1 && isNull(CTennis::gameMessage)) return n;
  }
  return -1;
}

TEST_F(OverlayTimers, EveryCallAndScoreCallEndsWithinItsFrames) {
  struct ScoreCall {
    int32_t state, resultText;
    bool decided;
  };
  const int32_t calls[] = {-1, 10, 11, 12, 13};
  const ScoreCall scoreCalls[] = {{-1, 0, false}, {-2, 0, false}, {1, 24, false}, {1, 25, false}, {1, 26, true}};
  startMatch();
  for (int32_t state : {5, 12}) {
    for (int32_t call : calls) {
      for (const ScoreCall sc : scoreCalls) {
        if (call == -1 && sc.state == -1) continue;
        CTennis::matchState = state;
        CTennis::matchFinished = sc.decided;
        CTennis::gameResultText = sc.resultText;
        CTennis::gameMessage = sc.state == -1 ? nullptr : CGame::GetString(0, 24);
        setPoints(2, 1);
        deadBall(CTennis::kReasonOut, call, sc.state);
        const int32_t callFrames = call == -1 ? 0 : sc.state == -1 ? 26 : 12;
        const int32_t scoreFrames = sc.state == -1 ? 0 : sc.decided ? 28 : 19;
        EXPECT_EQ(framesUntilIdle(), callFrames + scoreFrames)
            << "state " << state << " call " << call << " score call " << sc.state << " text " << sc.resultText;
        EXPECT_EQ(CTennis::messageStep, 0);
      }
    }
  }
}

TEST_F(OverlayTimers, NothingStepsWhileTheBallIsLiveOrAScenePlays) {
  struct Case {
    int32_t state, reason, stage;
  };
  startMatch();
  for (const Case c : {Case{5, 0, 0}, Case{5, 2, 1}, Case{5, 2, 4}, Case{2, 2, 0}, Case{7, 2, 0}}) {
    CTennis::matchState = c.state;
    deadBall(c.reason, 11, -2);
    CTennis::afterPointStage = c.stage;
    for (int32_t i = 0; i < 60; i++) matchFrame();
    EXPECT_EQ(CTennis::deadBallInfo, 11) << c.state << " " << c.reason << " " << c.stage;
    EXPECT_EQ(CTennis::scoreCallState, -2);
  }
}

TEST_F(OverlayTimers, TheCallsSoundsFollowTheTimer) {
  struct Case {
    int32_t user, opponents, scoreCall, result;
    int32_t first, second;
  };
  startMatch();
  // The user serves: the server's points come first.
  for (const Case c : {Case{1, 0, -2, 0, 16, 15}, Case{2, 2, -2, 0, 17, 19}, Case{4, 3, -2, 0, 7, -1},
                       Case{3, 3, -2, 0, 8, -1}, Case{0, 0, 1, 24, 10, -1}, Case{0, 0, 1, 25, 12, -1}}) {
    setPoints(c.user, c.opponents);
    CTennis::gameResultText = c.result;
    CTennis::gameMessage = CGame::GetString(0, 24);
    CTennis::matchFinished = false;
    deadBall(CTennis::kReasonTwice, -1, c.scoreCall);
    matchFrame();
    EXPECT_EQ(CTennis::deadBallSounds[0], c.first) << c.user << ":" << c.opponents << " " << c.result;
    EXPECT_EQ(CTennis::deadBallSounds[1], c.second) << c.user << ":" << c.opponents << " " << c.result;
    EXPECT_EQ(CTennis::deadBallTimer, 18);
    framesUntilIdle();
  }
}

TEST_F(OverlayTimers, RewardWordsBlinkOverTheScoreCallAndOutlastIt) {
  startMatch();
  // During a tutorial no words are set.
  CTennis::tutorialIndex = 1;
  CTennis::showRewardWords(20);
  EXPECT_TRUE(isNull(CTennis::rewardText));
  CTennis::tutorialIndex = -1;
  deadBall(CTennis::kReasonTwice, -1, -2);
  CTennis::showRewardWords(20);
  EXPECT_GT(framesUntilIdle(), 5) << "the score call outlasts the words' delay";
  EXPECT_FALSE(isNull(CTennis::rewardText)) << "the words stay until the wait after the point ends";
}

TEST_F(OverlayTimers, AChallengesScoreTextsShowNineteenFramesThenClear) {
  startMatch();
  CTennis::challengeReplay = true;
  CTennis::scoreTextA = CGame::GetString(1, 9);
  CTennis::scoreTextB = CGame::GetString(1, 18);
  deadBall(CTennis::kReasonOut, -1, -2);
  for (int32_t i = 1; i < 19; i++) {
    matchFrame();
    EXPECT_FALSE(isNull(CTennis::scoreTextA)) << i;
    EXPECT_EQ(CTennis::scoreCallState, -2) << "the score call waits for the challenge's texts";
  }
  matchFrame();
  EXPECT_TRUE(isNull(CTennis::scoreTextA));
  EXPECT_TRUE(isNull(CTennis::scoreTextB));
  // The score call began on the frame that cleared them.
  EXPECT_EQ(framesUntilIdle(), 18);
  CTennis::challengeReplay = false;
}

TEST_F(OverlayTimers, TheBreakPointBoxEndsAfterItsFramesOrOnAKey) {
  struct Case {
    int32_t key, pressAt, endsAt;
  };
  startMatch();
  for (const Case c : {Case{0, -1, 19}, Case{CGame::kKeyFire, 3, 3}, Case{1 << 5, 1, 1}, Case{1 << 4, 2, 19}}) {
    // A break point: the receiver leads 40:15. A message timer left running by a skipped
    // call does not shorten the box.
    CTennis::deadBallTimer = 7;
    CTennis::matchState = 5;
    startPointAt(1, 3);
    ASSERT_FALSE(isNull(CTennis::rewardText));
    int32_t ended = -1;
    for (int32_t n = 1; n <= 40 && ended < 0; n++) {
      if (n == c.pressAt) CGame::keysPressed = c.key;
      matchFrame();
      if (isNull(CTennis::rewardText)) ended = n;
    }
    EXPECT_EQ(ended, c.endsAt) << c.key;
    EXPECT_TRUE(CGame::infoBgClosed);
    EXPECT_FALSE(CGame::pdbActive);
    EXPECT_EQ(CGame::keysPressed, 0);
    EXPECT_EQ(CTennis::stageFrame, CTennis::matchFrame);
  }
}

TEST_F(OverlayTimers, TheServeSetUpCountsThenParksWithTheJudgesPlaced) {
  struct Case {
    bool userServes, fromLeft, strikeUser;
    int32_t end;
    int32_t judge0, judge1, judge2, net;
  };
  startMatch();
  CActor* judges[3];
  for (const Case c : {Case{true, true, true, 1, 11, 6, 6, 0}, Case{true, false, false, 2, 6, 14, 13, 1},
                       Case{false, true, false, 1, 6, 14, 6, 0}, Case{false, false, true, 2, 6, 6, 6, 1}}) {
    CTennis::server = c.userServes ? CTennis::player.get() : CTennis::rival.get();
    CTennis::server->serveFromLeft = c.fromLeft;
    CTennis::server->state = 1;
    CTennis::strikeSide = c.strikeUser;
    CTennis::courtEnd = c.end;
    CTennis::stageFrame = CTennis::matchFrame;
    CTennis::serveCounter = 0;
    std::vector<int32_t> seen;
    for (int32_t n = 0; n < 40 && CTennis::serveCounter != CTennis::kJudgesSet; n++) {
      matchFrame();
      seen.push_back(CTennis::serveCounter);
    }
    // Up to 5, turned at the 24th frame from the stamp, then back up to 0 and parked.
    ASSERT_GE(seen.size(), 24u);
    EXPECT_EQ((std::vector<int32_t>(seen.begin(), seen.begin() + 5)), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(seen[22], 5);
    EXPECT_EQ(seen[23], -5);
    EXPECT_EQ(seen.back(), CTennis::kJudgesSet);
    EXPECT_EQ(seen.size(), 29u);
    for (int32_t i = 0; i < 3; i++) judges[i] = static_cast<CActor*>(aload(CTennis::linesmen.get(), i));
    EXPECT_EQ(judges[0]->animation, c.judge0);
    EXPECT_EQ(judges[1]->animation, c.judge1);
    EXPECT_EQ(judges[2]->animation, c.judge2);
    EXPECT_EQ(CTennis::netJudge->animation, c.net);
  }
}

TEST_F(OverlayTimers, TheServeSetUpTurnsEarlyWhenTheServerMovesOrOnAKey) {
  startMatch();
  CTennis::server = CTennis::player.get();
  for (int32_t how : {0, 1}) {
    CTennis::server->state = 1;
    CTennis::stageFrame = CTennis::matchFrame;
    CTennis::serveCounter = 0;
    matchFrame();
    matchFrame();
    if (how == 0) CTennis::server->state = 2;
    if (how == 1) CGame::keysPressed = CGame::kKeyFire;
    matchFrame();
    EXPECT_EQ(CTennis::serveCounter, -3) << how;
    CGame::key_resetKey();
  }
}

}  // namespace
}  // namespace sorv::test
