// The sequence between points and the match frame: the waits, the skip, the change of ends,
// the decided scene, the entry's skip, and every transition of the match states.
#include <cstdint>
#include <functional>
#include <string>

#include "game/cae.h"
#include "tests/match/flow_fixture.h"

namespace sorv::test {
namespace {

TEST_F(FlowTest, TheWaitBetweenPointsByWhatEndedThePoint) {
  struct Case {
    const char* name;
    int tutorial;
    bool breakPointText;
    int32_t reason;
    int frames;
  };
  const Case cases[] = {
      {"net", -1, false, CTennis::kReasonNet, 21},
      {"break-point text", -1, true, CTennis::kReasonOut, 47},
      {"break-point text after a net ball", -1, true, CTennis::kReasonNet, 47},
      {"tutorial", 1, false, CTennis::kReasonNet, 14},
      {"tutorial with a break-point text", 1, true, CTennis::kReasonOut, 14},
      {"out", -1, false, CTennis::kReasonOut, 28},
      {"twice", -1, false, CTennis::kReasonTwice, 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    deadPoint(kSingles, c.reason);
    CTennis::tutorialIndex = CTennis::tutorialKind = c.tutorial;
    if (c.breakPointText) CTennis::rewardText = CGame::GetString(1, 9);
    EXPECT_EQ(framesToNextPoint(80), c.frames);
    EXPECT_EQ(CTennis::afterPointStage, 0);
    EXPECT_TRUE(CTennis::rewardText.get() == nullptr);
  }
}

TEST_F(FlowTest, TheWaitHoldsWhileTheCallIsShownOrAPlayerActs) {
  deadPoint(kSingles, CTennis::kReasonOut);
  CTennis::scoreCallState = 1;  // the call and score still on screen
  EXPECT_EQ(framesToNextPoint(60), -1);
  CTennis::scoreCallState = -1;
  runActor(CTennis::rival);
  EXPECT_EQ(framesToNextPoint(10), -1);
  endActor(CTennis::rival);
  EXPECT_EQ(framesToNextPoint(1), 1);
}

TEST_F(FlowTest, SkipEndsTheWaitAndEveryRunningAction) {
  for (int category : {kSingles, kDoubles}) {
    SCOPED_TRACE(category);
    deadPoint(category, CTennis::kReasonOut);
    CTennis::scoreCallState = 1;
    forEachPlayer(runActor);
    EXPECT_FALSE(CTennis::isSpecialActionOver());
    // Each running action jumps to its last frame and the skip is used up.
    CTennis::skipRequested = true;
    EXPECT_TRUE(CTennis::isSpecialActionOver());
    for (int i = 0; i < 4; i++) {
      if (CPlayer* p = playerOf(i)) {
        const int32_t last = p->animActor->sprite->GetAFrames(p->animActor->animation) - 1;
        EXPECT_EQ(p->animActor->currentFrame, last < 0 ? 0 : last) << i;
        EXPECT_FALSE(p->animActor->paused) << i;
      }
    }
    EXPECT_FALSE(CTennis::skipRequested);
    EXPECT_EQ(CTennis::deadBallFrame, 0);
    // In the flow the skip also cuts the wait for the call display short.
    forEachPlayer(runActor);
    CTennis::skipRequested = true;
    EXPECT_EQ(framesToNextPoint(1), 1);
    EXPECT_FALSE(CTennis::skipRequested);
  }
}

TEST_F(FlowTest, AChangeOfEndsWaitsUntilAllHaveWalkedIn) {
  for (int category : {kSingles, kDoubles}) {
    SCOPED_TRACE(category);
    deadPoint(category, CTennis::kReasonOut);
    CTennis::changeEnds = true;
    CTennis::courtEnd = 1;
    EXPECT_EQ(framesToNextPoint(28), -1);  // the wait, then the scene's set-up
    EXPECT_EQ(CTennis::afterPointStage, 1);
    EXPECT_EQ(framesToNextPoint(1), -1);
    EXPECT_EQ(CTennis::afterPointStage, 2);
    for (int i = 0; i < 4; i++) {
      if (CPlayer* p = playerOf(i)) EXPECT_EQ(p->animActor->animation, 14) << i;  // the walk off from end 1
    }
    forEachPlayer(runActor);
    EXPECT_EQ(CTennis::barMode, 1);
    EXPECT_EQ(CTennis::rightSoftKeyText, 17);
    if (category == kDoubles) {
      EXPECT_EQ(CTennis::partner->z, CTennis::player->z + 1);
      EXPECT_EQ(CTennis::rivalPartner->z, CTennis::rival->z - 1);
    }
    EXPECT_EQ(framesToNextPoint(100), -1);  // walking off while the actions run
    EXPECT_EQ(CTennis::afterPointStage, 2);
    forEachPlayer(endActor);
    for (int f = 0; f < 100 && CTennis::afterPointStage == 2; f++) framesToNextPoint(1);
    EXPECT_EQ(CTennis::afterPointStage, 5);  // the ends changed
    EXPECT_EQ(CTennis::courtEnd, 2);
    forEachPlayer(runActor);  // walking in at the new end
    EXPECT_EQ(framesToNextPoint(100), -1);
    CTennis::player->animActor->ended = true;  // the first action to end, all walks in
    EXPECT_TRUE(CTennis::endsWalkOver());
    EXPECT_EQ(framesToNextPoint(2), 2);  // stage 3, then the point
    EXPECT_EQ(CTennis::barMode, 0);
  }
}

TEST_F(FlowTest, TheDecidedSceneMeetsAtTheNetThenCelebratesOnce) {
  for (int category : {kSingles, kDoubles}) {
    SCOPED_TRACE(category);
    deadPoint(category, CTennis::kReasonOut);
    CTennis::matchFinished = true;
    astore(CTennis::setsWon.get(), 0, 1);
    CTennis::gameMessage = CGame::GetString(0, 26);
    EXPECT_EQ(framesToNextPoint(60), -1);
    EXPECT_EQ(CTennis::afterPointStage, 0) << "waits for the match's message";
    CTennis::gameMessage = nullptr;
    EXPECT_EQ(framesToNextPoint(2), -1);
    EXPECT_EQ(CTennis::afterPointStage, 2);
    EXPECT_EQ(CTennis::player->x, 9085);
    EXPECT_EQ(CTennis::player->z, 18300);
    EXPECT_EQ(CTennis::rival->x, 9085);
    EXPECT_EQ(CTennis::player->animActor->animation, 13);
    if (category == kDoubles) {
      EXPECT_EQ(CTennis::partner->x, 10585);
      EXPECT_EQ(CTennis::rivalPartner->animActor->animation, 13);
    }
    // The meeting plays on the user's actor as animation 13.
    runActor(CTennis::player);
    EXPECT_EQ(framesToNextPoint(15), -1);
    EXPECT_EQ(CTennis::player->animActor->animation, 13);
    CTennis::matchFrame++;
    CTennis::updatePlaying();
    const int32_t celebration = CTennis::player->animActor->animation;
    EXPECT_TRUE(celebration == 25 || celebration == 26) << celebration;
    EXPECT_EQ(CTennis::rival->animActor->animation, 21);
    if (category == kDoubles) EXPECT_EQ(CTennis::partner->animActor->animation, 51 - celebration);
    for (int f = 1; f < 16; f++) {
      CTennis::matchFrame++;
      CTennis::updatePlaying();
      ASSERT_EQ(CTennis::matchState, CTennis::kStatePlaying) << f;
    }
    CTennis::matchFrame++;
    CTennis::updatePlaying();
    EXPECT_EQ(CTennis::matchState, CTennis::kStateMatchOver);
    EXPECT_EQ(CTennis::leftSoftKeyText, 11);
  }
}

TEST_F(FlowTest, ASkipDuringTheEntryGoesToTheServeAndDrawsNothing) {
  startMatch(kSingles, 4, 0);
  CTennis::switchToPlayerEnterCourt();
  ASSERT_EQ(CTennis::matchState, CTennis::kStateEnter);
  Graphics* g = CGame::backBufferGraphics;
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  CGame::initBlackScreen(6, false);  // the bars would draw on any painted frame
  const uint16_t white = backPixel(400, 0);
  CTennis::skipRequested = true;
  EXPECT_EQ(frame(), -1);
  EXPECT_EQ(CTennis::matchState, CTennis::kStateServing);
  EXPECT_EQ(backPixel(400, 0), white);
  EXPECT_EQ(backPixel(400, 479), white);
  EXPECT_EQ(frame(), -1);
  EXPECT_NE(backPixel(400, 0), white) << "a painted frame draws the bars";
}

TEST_F(FlowTest, EveryTransitionOfTheTable) {
  struct Case {
    const char* name;
    int32_t from, to;
    std::function<void()> act;
    int32_t result;  // of the frame, where a frame runs
  };
  auto withKeys = [](int32_t keys) {
    return [keys] {
      CGame::keysPressed = keys;
      frame();
    };
  };
  const Case cases[] = {
      {"the walk-on", 0, 1, [] { CTennis::switchToPlayerEnterCourt(); }, -1},
      {"a resumed match", 0, 2, [] { CTennis::switchToServing(); }, -1},
      {"skip the walk-on", 1, 2, [] { CTennis::skipRequested = true; frame(); }, -1},
      {"the next point", 5, 2, [] { CTennis::deadBallReason = CTennis::kReasonOut; CTennis::skipRequested = true;
                                    CTennis::updatePlaying(); }, -1},
      {"the decided scene ends", 5, 7, [] {
         CTennis::deadBallReason = CTennis::kReasonOut;
         CTennis::matchFinished = true;
         CTennis::afterPointStage = 2;
         CTennis::stageFrame = CTennis::matchFrame - 16;
         CTennis::updatePlaying(); }, -1},
      {"OK after the pages", 7, 8, [&] { CGame::mainMenuChoice = 3; withKeys(CTennis::kKeyOk)(); }, -1},
      {"a new match", 8, 2, [&] { withKeys(CGame::kKeySoftLeft)(); }, -1},
      {"the test restarts", 9, 2, [&] { withKeys(CTennis::kKeyStar)(); }, -1},
      {"a tutorial's query", 2, 11, [] { CTennis::switchToQueryTraining(2, 0); }, -1},
      {"the query ends in serving", 11, 2, [] { CTennis::trainingQueryToTraining(2); }, -1},
      {"the query ends in training play", 11, 5, [] { CTennis::trainingQueryToTraining(5); }, -1},
      {"the test state", 5, 9, [] { CTennis::setMatchState(9); }, -1},
      {"the serve", 2, 5, [] { CTennis::setMatchState(5); }, -1},
      {"a challenge", 5, 12, [] { CTennis::initContestReferee(5000, 12000); }, -1},
      {"the challenge ends", 12, 5, [] { CTennis::setMatchState(5); }, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startMatch(kSingles, 4, 0);
    CTennis::currentCourt = 1;
    CTennis::serveTurn = 2;
    CTennis::matchState = c.from;
    CTennis::deadBallReason = 0;
    CTennis::matchFrame = 200;
    c.act();
    CGame::keysPressed = 0;
    CTennis::skipRequested = false;
    EXPECT_EQ(CTennis::matchState, c.to);
    EXPECT_TRUE(CTennis::isLegalTransition(c.from, c.to));
    CTennis::tutorialIndex = CTennis::tutorialKind = -1;
    CTennis::tutorialStep = -1;
    CTennis::matchFinished = false;
  }
  EXPECT_EQ(logText().find("transition table"), std::string::npos) << logText();
  CTennis::matchState = CTennis::kStateMatchOver;
  CTennis::setMatchState(CTennis::kStatePlaying);
  EXPECT_NE(logText().find("match state 7 -> 5 is not in the transition table"), std::string::npos);
}

TEST_F(FlowTest, TheFrameHandsBackTheMenusOrTheTournamentTable) {
  struct Case {
    int32_t state, choice;
    bool career;
    int32_t keys, result, after;
  };
  const Case cases[] = {
      {8, 3, false, CGame::kKeySoftRight, 4, 8},   // no to another match
      {7, 4, false, CTennis::kKeyOk, 55, 7},       // a tournament match
      {7, 1, true, CTennis::kKeyOk, 55, 7},        // the career
      {7, 2, false, CTennis::kKeyOk, -1, 8},       // a quick match asks to go on
      {7, 2, false, 0, -1, 7},                     // waits for OK
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state * 100 + c.choice);
    startMatch(kSingles, 4, 0);
    CTennis::matchState = c.state;
    CTennis::unlockPage = -1;
    CGame::mainMenuChoice = c.choice;
    CGame::isCareer = c.career;
    CGame::keysPressed = c.keys;
    EXPECT_EQ(frame(), c.result);
    EXPECT_EQ(CTennis::matchState, c.after);
    CGame::isCareer = false;
    CGame::keysPressed = 0;
  }
}

TEST_F(FlowTest, TheMatchOverPagesShowWhatWasUnlockedFirst) {
  startMatch(kSingles, 4, 0);
  CTennis::matchState = CTennis::kStateMatchOver;
  CTennis::unlockPage = -1;
  CGame::mainMenuChoice = 3;
  CAE::pushQueue(1, 5, 0);
  CAE::pushQueue(1, 2, 1);
  CGame::keysPressed = CTennis::kKeyOk;
  frame();
  EXPECT_EQ(CTennis::unlockPage, 0);
  CGame::keysPressed = CTennis::kKeyOk;
  frame();
  EXPECT_EQ(CTennis::unlockPage, 1);
  EXPECT_EQ(CTennis::matchState, CTennis::kStateMatchOver);
  CGame::keysPressed = CTennis::kKeyOk;
  frame();
  EXPECT_EQ(CTennis::matchState, CTennis::kStateContinue);
  EXPECT_TRUE(CAE::IsQueueEmpty(1, CAE::kKindAny));
  CGame::keysPressed = 0;
}

TEST_F(FlowTest, ThePauseKeyIsIgnoredWhileTheShellIsPaused) {
  startMatch(kSingles, 4, 0);
  CTennis::matchState = CTennis::kStateServing;
  CGame::PUSH_STATE(42);
  const int32_t depth = CGame::stateTop;
  CGame::keysPressed = CGame::kKeyMenuButton;
  frame();
  EXPECT_EQ(CGame::stateTop, depth);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 42);
  CGame::keysPressed = 0;
}

}  // namespace
}  // namespace sorv::test
