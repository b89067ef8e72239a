// A match played on after another through the continue question gets no new match object:
// what the first one left behind (its weather, its unlock page, its serve count) must not
// reach the second, and the second's opening bar must close so play can start.
#include "game/cae.h"
#include "tests/match/flow_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kRainPause = 2, kSpecialPauseState = 41, kMatchState = 40;

class MatchAfterMatchTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    CGame::mainMenuChoice = 3;  // the quick match asks whether to play again
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, kMatchState);
  }

  // The user wins the match; OK through its pages until the continue question, then yes.
  static void playAgain() {
    CTennis::makePlayerWinThisMatch(true);
    CTennis::switchToMatchOver();
    for (int f = 0; f < 10 && CTennis::matchState == CTennis::kStateMatchOver; f++) press(CTennis::kKeyOk);
    ASSERT_EQ(CTennis::matchState, CTennis::kStateContinue);
    press(CGame::kKeySoftLeft);
  }

  static void press(int32_t keys) {
    CTennis::matchFrame++;
    CGame::frameCounter++;
    CGame::keysPressed = keys;
    frame();
    CGame::keysPressed = 0;
  }

  // The rain as the match brings it before a serve from the second set on, and its pause
  // played until it lets the match go.
  static bool rainAndWait() {
    CTennis::newTennisSet();
    for (int i = 0; i < 200 && !CGame::rainInterruptionDone; i++) CTennis::doActionBeforeServe();
    if (!CGame::rainInterruptionDone) return false;
    for (int f = 0; f < 200 && CGame::GET_CURRENT_STATE() == kSpecialPauseState; f++) {
      CGame::frameCounter++;
      CGame::updateSPEPause();
    }
    return CGame::GET_CURRENT_STATE() == kMatchState;
  }
};

TEST_F(MatchAfterMatchTest, WhatAMatchLeavesBehindDoesNotReachTheNext) {
  struct Case {
    const char* name;
    bool (*leave)();
  };
  const Case cases[] = {
      {"drizzle", [] {
         CGame::initRain();
         return CGame::drizzleOn;
       }},
      {"a rain interruption", [] { return rainAndWait() && CTennis::rainFlag; }},
      {"an unlock page", [] {
         // Shown after the match: the match-over pages then start at page 0.
         return CAE::PushAchiToShow(2) >= 0;
       }},
      {"nothing", [] { return true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startMatch(kSingles, 0, 1);
    CAE::ClearAchiQueue();
    ASSERT_TRUE(c.leave());
    playAgain();
    EXPECT_EQ(CTennis::matchState, CTennis::kStateServing) << "a new match";
    EXPECT_FALSE(CGame::drizzleOn);
    EXPECT_FALSE(CTennis::rainFlag) << "no rain drawn";
    EXPECT_FALSE(CGame::rainInterruptionDone) << "this match may rain once too";
    EXPECT_FALSE(CGame::screenCovered);
    EXPECT_EQ(CTennis::unlockPage, -1) << "its end shows the statistics first";
    EXPECT_EQ(CTennis::serveCounter, CTennis::kJudgesSet) << "the serve waits for the opening bar";
    ASSERT_FALSE(CTennis::barText.get() == nullptr) << "the opening bar";
    // The bar runs out by itself and play starts.
    int frames = 0;
    while (CTennis::serveCounter == CTennis::kJudgesSet && frames++ < 60) press(0);
    EXPECT_LT(frames, 60) << "the opening bar never closed";
  }
}

TEST_F(MatchAfterMatchTest, TheRainsPauseUncoversTheMatchWhenItQuits) {
  startMatch(kSingles, 0, 1);
  CTennis::newTennisSet();
  for (int i = 0; i < 200 && !CGame::rainInterruptionDone; i++) CTennis::doActionBeforeServe();
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), kSpecialPauseState);
  bool covered = false;
  for (int f = 0; f < 200 && CGame::GET_CURRENT_STATE() == kSpecialPauseState; f++) {
    CGame::frameCounter++;
    CGame::updateSPEPause();
    covered = covered || CGame::screenCovered;
  }
  EXPECT_TRUE(covered) << "the rain hid the scene";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMatchState);
  EXPECT_FALSE(CGame::screenCovered);
  EXPECT_TRUE(CGame::playersShown);
  // The match's own bars run out again.
  CTennis::initBarMessage(CGame::GetString(1, 57), 0, 2, true, false, true, false);
  int32_t answer = 0;
  for (int f = 0; f < 40 && answer == 0; f++) {
    CTennis::matchFrame++;
    CGame::frameCounter++;
    answer = CTennis::updateBarMessage();
  }
  EXPECT_NE(answer, 0) << "the bar never ends";
}

TEST_F(MatchAfterMatchTest, DrizzleLastsAGame) {
  startMatch(kSingles, 4, 1);
  CGame::initRain();
  ASSERT_TRUE(CGame::drizzleOn);
  CTennis::newTennisGame();
  EXPECT_FALSE(CGame::drizzleOn);
}

TEST_F(MatchAfterMatchTest, ANewMatchObjectStartsWithoutTheLastRunsTutorialAndWeather) {
  startMatch(kSingles, 0, 1);
  CGame::initRain();
  rainAndWait();
  CTennis::tutorialCounter = CTennis::trainingStrokes = CTennis::tutorialServeCount = 3;
  CTennis::tutorialBounceCount = 3;
  CTennis::create(CTennis::kKindMatch);
  EXPECT_FALSE(CTennis::rainFlag);
  EXPECT_FALSE(CGame::rainInterruptionDone);
  EXPECT_FALSE(CGame::drizzleOn);
  EXPECT_EQ(CTennis::tutorialCounter + CTennis::trainingStrokes + CTennis::tutorialServeCount +
                CTennis::tutorialBounceCount,
            0);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

TEST_F(FlowTest, TheSelfPlayingUserPlaysAgainAsOftenAsAsked) {
  CTennis::autoplayAgain = 2;
  CTennis::autoplayAgainTaken = 0;
  CTennis::matchState = CTennis::kStateContinue;
  for (int32_t keys : {CGame::kKeySoftLeft, CGame::kKeySoftLeft, CGame::kKeySoftRight, CGame::kKeySoftRight}) {
    CGame::keysPressed = 0;
    CTennis::autoplayKeys();
    EXPECT_EQ(CGame::keysPressed, keys);
  }
  CGame::keysPressed = 0;
  CTennis::autoplayAgain = CTennis::autoplayAgainTaken = 0;
}

}  // namespace
}  // namespace sorv::test
