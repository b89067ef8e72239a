// The training run's flow on the shipped data: the choice of game and level, unlocking, the
// result page's keys outside the career, the level's title, a pause's clocks, the saved
// progress and the cheats.
#include <string>
#include <vector>

#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/string.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

constexpr int32_t kFire = 0x10020, kRightSoft = 0x20000;

class FlowTest : public TrainingTest {
 protected:
  static void unlock(int32_t game, int32_t level) {
    astore(T::unlockedLevels.get(), game, static_cast<int8_t>(level));
  }
  static std::string text(String* s) { return isNull(s) ? "" : String::toUtf8(s); }
  // A level played into its result page with the given result.
  static void resultPage(int32_t game, int32_t level, int32_t unlocked, int32_t result) {
    unlock(game, unlocked);
    T::selectGame(static_cast<int8_t>(game));
    T::selectLevel(static_cast<int8_t>(level));
    startTraining(game, T::level);
    T::newLevel(game, T::level);
    T::trainingState = 3;
    T::levelResult = result;
  }
  static int32_t keys(int32_t pressed) {
    CGame::keysPressed = pressed;
    return T::updateResultKeys();
  }
};

TEST_F(FlowTest, GameAndLevelChoices) {
  struct Case {
    int32_t unlocked, asked, played;
  };
  for (const Case& c : {Case{1, 3, 1}, Case{5, 9, 4}, Case{0, 0, 0}, Case{2, -3, 0}, Case{4, 2, 2}}) {
    SCOPED_TRACE(c.asked);
    unlock(1, c.unlocked);
    T::askTutorial = false;
    T::selectGame(1);
    T::selectLevel(static_cast<int8_t>(c.asked));
    EXPECT_EQ(T::level, c.played);
    EXPECT_EQ(T::askTutorial, c.played == 0);
  }
  // Outside the five games nothing is chosen and the game stays; one line says so.
  for (int32_t bad : {5, -1, 100}) {
    LogCapture log;
    T::selectGame(static_cast<int8_t>(bad));
    EXPECT_EQ(T::game, 1) << bad;
    EXPECT_EQ(countLinesWith(log.text(), "is not one of the 5 games"), 1) << log.text();
  }
}

TEST_F(FlowTest, OpenNextLevelUnlocksOnlyFromTheHighest) {
  struct Case {
    int32_t unlocked, level, after;
  };
  for (const Case& c : {Case{0, 0, 1}, Case{4, 2, 4}, Case{4, 4, 5}, Case{5, 4, 5}, Case{3, 3, 4}}) {
    unlock(2, c.unlocked);
    T::selectGame(2);
    T::level = static_cast<int8_t>(c.level);
    T::openNextLevel();
    EXPECT_EQ(T::unlockedLevel, c.after) << c.unlocked << " " << c.level;
    EXPECT_EQ(aload(T::unlockedLevels.get(), 2), c.after);
  }
}

TEST_F(FlowTest, ResultPageKeysOutsideTheCareer) {
  struct Case {
    int32_t level, unlocked, result, pressed;
    int32_t state, nextLevel, unlockedAfter;
    bool asks;
  };
  const Case cases[] = {
      {2, 4, 0, kFire, 43, 3, 4, false},        // an older level unlocks nothing, still saves
      {4, 4, 0, kFire, 11, -1, 5, false},       // the last level goes back to the menus
      {1, 1, 1, kFire, 43, 1, 1, false},        // a fail retries the same level
      {0, 0, 1, kFire, 43, 0, 0, true},         // level 0 again asks about the tutorial
      {1, 1, 0, kRightSoft, 11, -1, 2, false},  // leaving after a pass still unlocks
      {1, 1, 0, 0, 44, 1, 1, false},            // no key, the page stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level * 10 + c.result);
    CGame::resetRMS(CGame::kFirstTrainingRecord + T::kGameServe);
    resultPage(T::kGameServe, c.level, c.unlocked, c.result);
    T::askTutorial = false;
    EXPECT_EQ(keys(c.pressed), c.state);
    EXPECT_EQ(aload(T::unlockedLevels.get(), T::kGameServe), c.unlockedAfter);
    if (c.nextLevel >= 0) {
      EXPECT_EQ(T::level, c.nextLevel);
    }
    EXPECT_EQ(T::askTutorial, c.asks);
    EXPECT_EQ(CGame::hasRecord(CGame::kFirstTrainingRecord), c.pressed != 0);
    if (c.state == 11) {
      EXPECT_EQ(T::loadingStep, 0) << "the level was unloaded";
    }
  }
}

TEST_F(FlowTest, TheTitleShowsFortyFramesAndSaysGoAtTwenty) {
  unlock(T::kGameServe, 1);
  T::selectGame(T::kGameServe);
  T::selectLevel(1);
  startTraining(T::kGameServe, 1);
  T::switchToTrainning();
  ASSERT_EQ(T::trainingState, 2);
  EXPECT_EQ(text(T::pauseText), "Level 2");
  const std::string go = text(CGame::GetString(3, 63));
  for (int32_t f = 1; f <= 40; f++) {
    CTennis::matchFrame++;
    CGame::trainingObject->update();
    if (f == 19) {
      EXPECT_NE(text(T::pauseText), go);
    }
    if (f == 20) {
      EXPECT_EQ(text(T::pauseText), go);
    }
    if (f < 40) {
      EXPECT_EQ(T::trainingState, 2) << f;
    }
  }
  EXPECT_EQ(T::trainingState, 0);
  EXPECT_TRUE(T::levelStarted);
}

// While the level runs the touch pad shows, and its own button is the menu: the soft-key
// bar leaves out its pause icon, which would lie under the pad's lower left keys.
TEST_F(FlowTest, ARunningLevelLeavesTheMenuIconToThePad) {
  unlock(T::kGameServe, 1);
  T::selectGame(T::kGameServe);
  T::selectLevel(1);
  startTraining(T::kGameServe, 1);
  T::switchToTrainning();
  for (int32_t f = 0; f < 40; f++) {
    CTennis::matchFrame++;
    CGame::trainingObject->update();
  }
  ASSERT_EQ(T::trainingState, 0);
  ASSERT_EQ(T::leftSoftKeyText, 39);
  setState(44);  // the training's state, in which the shell draws the pad
  ASSERT_FALSE(CGame::isAllVirtualKeyDisabled()) << "the pad shows";
  auto corner = [](int32_t label) {
    T::leftSoftKeyText = label;
    clear();
    CGame::trainingObject->update();
    return region(0, 420, 200, 60);
  };
  const std::vector<uint16_t> withIcon = corner(39), without = corner(-1);
  EXPECT_EQ(withIcon, without);
  T::leftSoftKeyText = 39;
}

TEST_F(FlowTest, APauseMovesEveryRunningClockOn) {
  startTraining(T::kGameStep, 1);
  T::newLevel(T::kGameStep, 1);
  T::trainingState = 0;
  CTennis::matchFrame = 100;
  T::machineTimer = 90;
  T::levelStartFrame = 50;
  T::stageStart = 95;
  T::finishFrame = -1;
  T::pause(1, -1);
  EXPECT_EQ(T::trainingState, 2);
  CTennis::matchFrame = 160;
  T::resumeMatch();
  EXPECT_EQ(T::trainingState, 0);
  EXPECT_EQ(T::machineTimer, 150);
  EXPECT_EQ(T::levelStartFrame, 110);
  EXPECT_EQ(T::stageStart, 155);
  // A finished Step run keeps its stage start: its time is taken.
  T::finishFrame = 170;
  T::pause(1, -1);
  CTennis::matchFrame = 200;
  T::resumeMatch();
  EXPECT_EQ(T::stageStart, 155);
}

TEST_F(FlowTest, ProgressIsSavedInTensAndADamagedUnlockLoadsAsZero) {
  T::selectGame(T::kGameAccuracy);
  struct Case {
    int32_t best, stored, unlocked, loaded;
  };
  for (const Case& c : {Case{1234, 1230, 3, 3}, Case{9, 0, 5, 5}, Case{700000, 655350, 9, 0}, Case{0, 0, -2, 0}}) {
    astore(T::levelBest.get(), 2, c.best);
    unlock(T::kGameAccuracy, c.unlocked);
    ASSERT_TRUE(CGame::RMS(true, CGame::kFirstTrainingRecord + T::kGameAccuracy));
    astore(T::levelBest.get(), 2, -1);
    LogCapture log;
    ASSERT_TRUE(CGame::RMS(false, CGame::kFirstTrainingRecord + T::kGameAccuracy));
    EXPECT_EQ(aload(T::levelBest.get(), 2), c.stored) << c.best;
    EXPECT_EQ(aload(T::unlockedLevels.get(), T::kGameAccuracy), c.loaded) << c.unlocked;
    EXPECT_EQ(countLinesWith(log.text(), "loaded as 0"), c.unlocked == c.loaded ? 0 : 1) << log.text();
  }
}

TEST_F(FlowTest, OtherGamesUnlockedLevelsAreReadBestsUntouched) {
  for (int32_t g = 1; g < T::kGameCount; g++) {
    T::selectGame(static_cast<int8_t>(g));
    unlock(g, 5);
    astore(T::levelBest.get(), 0, 5000);
    ASSERT_TRUE(CGame::RMS(true, CGame::kFirstTrainingRecord + g));
  }
  T::selectGame(T::kGameServe);
  for (int32_t g = 1; g < T::kGameCount; g++) unlock(g, 0);
  astore(T::levelBest.get(), 0, 77);
  T::readOtherUnlockedLevels();
  EXPECT_EQ(T::game, T::kGameServe);
  EXPECT_EQ(aload(T::levelBest.get(), 0), 77);
  for (int32_t g = 1; g < T::kGameCount; g++) EXPECT_EQ(aload(T::unlockedLevels.get(), g), 5) << g;
}

TEST_F(FlowTest, CheatsTakeThePlayedPathToTheResultPage) {
  struct Case {
    int32_t lastKey, result;
  };
  for (const Case& c : {Case{3, 0}, Case{4, 1}}) {
    unlock(T::kGameServe, 1);
    T::selectGame(T::kGameServe);
    T::selectLevel(1);
    startTraining(T::kGameServe, 1);
    T::switchToTrainning();
    T::resumeMatch();
    CGame::closeInfoBg();
    for (int32_t key : {0, 0, 0, c.lastKey}) {
      CGame::keysPressed = 1 << key;
      CTennis::matchFrame++;
      CGame::trainingObject->update();
    }
    EXPECT_EQ(T::levelResult, c.result);
    EXPECT_EQ(T::trainingState, 3) << c.lastKey;
    EXPECT_EQ(T::finalPoints, T::getFinalPts());
    EXPECT_EQ(T::levelEndFrame, CTennis::matchFrame);
  }
}


TEST_F(FlowTest, TheTutorialPagesThroughItsTextsThenReloadsTheLevel) {
  unlock(T::kGameServe, 0);
  T::selectGame(T::kGameServe);
  T::selectLevel(0);
  startTraining(T::kGameServe, 0);
  T::switchToTrainning();
  ASSERT_EQ(aload(T::messageBox.get(), 3), 1) << "the question";
  EXPECT_EQ(T::leftSoftKeyText, 13);
  EXPECT_EQ(T::rightSoftKeyText, 14);
  CGame::keysPressed = kFire;
  T::updatePauseMessage();
  EXPECT_TRUE(T::tutorialPending);
  EXPECT_EQ(T::trainingState, 0);
  T::startTutorial();
  const int32_t pages = T::tutorialTexts->length;
  ASSERT_GT(pages, 1);
  for (int32_t page = 0; page < pages; page++) {
    EXPECT_EQ(T::tutorialPage, page);
    EXPECT_EQ(text(T::pauseText), text(CGame::GetString(3, aload(T::tutorialTexts.get(), page))));
    EXPECT_EQ(T::leftSoftKeyText, page == pages - 1 ? 12 : 11) << page;
    CGame::keysPressed = kFire;
    T::updatePauseMessage();
  }
  EXPECT_EQ(aload(T::messageBox.get(), 3), 3) << "the tutorial is over";
  CGame::keysPressed = 0;
  T::updatePauseMessage();
  EXPECT_EQ(T::trainingState, 4) << "the level reloads";
  EXPECT_FALSE(T::tutorialPending);
  // Declined, the question reloads the level at once.
  T::selectLevel(0);
  T::switchToTrainning();
  CGame::keysPressed = kRightSoft;
  T::updatePauseMessage();
  EXPECT_EQ(T::trainingState, 4);
  EXPECT_FALSE(T::tutorialPending);
}

TEST_F(FlowTest, InTheCareerTheResultPageClosesTheWeek) {
  CGame::isCareer = true;
  resultPage(T::kGameServe, 0, 0, 0);
  CAE::ClearAchiQueue();
  CGame::careerAttrPts = Array::fillInts(Array::newIntArray(5), {100, 100, 100, 100, 100});
  EXPECT_EQ(keys(0), 44);
  EXPECT_EQ(keys(kFire), 26);
  EXPECT_EQ(aload(T::unlockedLevels.get(), T::kGameServe), 1);
  int32_t gained = 0;
  for (int32_t i = 0; i < 5; i++) gained += aload(CGame::careerAttrPts.get(), i) - 100;
  EXPECT_GT(gained, 0) << "the pass adds to the career's abilities";
  EXPECT_EQ(T::loadingStep, 0);
  // An earned achievement's page comes first, then the week closes.
  resultPage(T::kGameServe, 1, 1, 1);
  CAE::pushQueue(1, 50, CAE::kKindAchievement);
  EXPECT_EQ(keys(kFire), 44);
  EXPECT_EQ(keys(kFire), 26);
  EXPECT_EQ(aload(T::unlockedLevels.get(), T::kGameServe), 1) << "a fail unlocks nothing";
  CGame::isCareer = false;
}


TEST_F(FlowTest, NothingOfOneLevelLeaksIntoTheNext) {
  // A Step run finished and a tutorial's band, then a fresh level of each game.
  for (int32_t game = 0; game < T::kGameCount; game++) {
    SCOPED_TRACE(game);
    startTraining(T::kGameStep, 1);
    T::newLevel(T::kGameStep, 1);
    T::finishFrame = 500;
    T::wrongBonus = true;
    T::wrongBonusIndex = 1;
    T::levelResult = 0;
    T::points = 77;
    Array::fillInts(T::messageBand, {39, 0, 0});
    T::unload();
    startTraining(game, 1);
    T::newLevel(game, 1);
    EXPECT_EQ(T::finishFrame, -1);
    EXPECT_EQ(T::wrongBonusIndex, -1);
    EXPECT_FALSE(T::wrongBonus);
    EXPECT_EQ(T::levelResult, -1);
    EXPECT_EQ(T::points, 0);
    EXPECT_EQ(aload(T::messageBand.get(), 0), 0);
    T::unload();
  }
}

}  // namespace
}  // namespace sorv::test
