// The in-game menu on a loaded match: moving over its entries, the sound entry, the help
// pages, the scroll arrows and touch, leaving it, and each question's two answers.
#include <gtest/gtest.h>

#include <string>

#include "device/sound_glue.h"
#include "runtime/lang_system.h"
#include "tests/game/pause_fixture.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

constexpr int32_t kMatchEntries[] = {1, 3, 4, 5, 2};

TEST_F(PauseTest, EntriesWrapBothWays) {
  CGame::initPause(0);
  ASSERT_EQ(CGame::menuItems->length, 5);
  for (int32_t i = 0; i < 5; i++) EXPECT_EQ(CGame::menuItems->elements()[i], kMatchEntries[i]);
  struct Step {
    int32_t keys, cursor;
  };
  const Step steps[] = {{kUp, 4}, {kDown, 0}, {kDown, 1}, {kUp, 0}, {kUp, 4}, {kUp, 3}, {kDown, 4}, {kDown, 0}};
  for (const Step& s : steps) {
    press(s.keys);
    EXPECT_EQ(CGame::menuCursor, s.cursor);
  }
}

TEST_F(PauseTest, EntriesOpenTheirScreens) {
  struct Case {
    int32_t code, screen;
  };
  const Case cases[] = {{2, 21}, {4, 22}, {5, 63}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    playing(5);
    openAt(c.code);
    press(kFire);
    EXPECT_EQ(CGame::menuScreenCode, c.screen);
    EXPECT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  }
  // The help list, then the controls pages from their first.
  playing(5);
  openAt(4);
  press(kFire);
  ASSERT_EQ(CGame::menuScreenCode, 22);
  ASSERT_FALSE(isNull(CGame::menuItems));
  EXPECT_EQ(CGame::menuItems->length, 2);
  CGame::helpPage = 2;
  press(kFire);
  EXPECT_EQ(CGame::menuScreenCode, 26);
  EXPECT_EQ(CGame::helpPage, 0);
  press(kBack);
  press(kDown);
  press(kFire);
  EXPECT_EQ(CGame::menuScreenCode, 27);
  press(kBack);
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, 20);
}

TEST_F(PauseTest, HelpPagesWrapOverFour) {
  CGame::initPause(0);
  CGame::MenuPush(26);
  CGame::helpPage = 0;
  struct Step {
    int32_t keys, page;
  };
  const Step steps[] = {{kLeft, 3}, {kLeft, 2}, {kRight, 3}, {kRight, 0}, {kRight, 1}, {0x4000, 0}, {0x10, 3}};
  for (const Step& s : steps) {
    press(s.keys);
    EXPECT_EQ(CGame::helpPage, s.page);
  }
}

TEST_F(PauseTest, TheSetTitleShowsTheCurrentSet) {
  CGame::initPause(0);
  auto title = [] {
    clear();
    CGame::paintIGM();
    return region(100, 10, 600, 40);
  };
  CTennis::setIndex = 0;
  const auto first = title();
  CTennis::setIndex = 1;
  const auto second = title();
  EXPECT_NE(first, second);
  CTennis::setIndex = 0;
  EXPECT_EQ(title(), first);
}

// A point of menu 27's up arrow box that no entry row covers.
constexpr int32_t kUpArrowX = 350, kUpArrowY = 280;
constexpr int32_t kTriangleX = 255, kTriangleY = 296;  // inside the up triangle

TEST_F(PauseTest, TheUpArrowIsAbsentOnTheFirstEntry) {
  CGame::initPause(0);
  CGame::releaseX = kUpArrowX;
  CGame::releaseY = kUpArrowY;
  CGame::paintIGM();
  EXPECT_EQ(CGame::keysPressed, 0);
  CGame::menuCursor = 1;
  clear();
  CGame::releaseX = kUpArrowX;
  CGame::releaseY = kUpArrowY;
  CGame::paintIGM();
  EXPECT_EQ(CGame::keysPressed, kUp);
  EXPECT_EQ(at(kTriangleX, kTriangleY), rgb(0x00FF00));
  CGame::updateIGM();
  EXPECT_EQ(CGame::menuCursor, 0);
}

TEST_F(PauseTest, APressedArrowIsRedForThreeFrames) {
  CGame::initPause(0);
  CGame::menuCursor = 2;
  CGame::pointerDown = true;
  CGame::pressX = kUpArrowX;
  CGame::pressY = kUpArrowY;
  std::vector<bool> red;
  for (int32_t frame = 0; frame < 5; frame++) {
    clear();
    CGame::paintIGM();
    red.push_back(at(kTriangleX, kTriangleY) == rgb(0xFF0000));
    CGame::pressX = CGame::pressY = -1;
  }
  CGame::pointerDown = false;
  EXPECT_EQ(red, (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(PauseTest, TheTopicArrowsKeepTheirFirstRowNearTheSelection) {
  struct Case {
    bool up;
    int32_t selection, top, after;
  };
  const Case cases[] = {{true, 3, 3, 2}, {true, 3, 2, 2}, {true, 1, 5, 4}, {false, 2, 0, 1}, {false, 1, 0, 0},
                        {false, 5, 2, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selection * 10 + c.top);
    CGame::menuItems = Array::newIntArray(8);
    CGame::menuCursor = c.selection;
    CGame::menuScroll = 0;
    CGame::arrowScrollTop = c.top;
    CGame::releaseX = 420;
    CGame::releaseY = c.up ? 70 : 340;  // the arrows of menu 38, items 19 and 20
    CGame::Paint_ArrowsUpDn(38, 19, 20);
    EXPECT_EQ(CGame::keysPressed, c.up ? kUp : kDown);
    EXPECT_EQ(CGame::arrowScrollTop, c.after);
    CGame::keysPressed = 0;
  }
  CGame::arrowScrollTop = 0;
}

// Entry rows of menu 27 start at y 316, 64 apart; only two are shown.
TEST_F(PauseTest, TwoEntriesAreShownAndATouchRunsOne) {
  struct Case {
    int32_t cursorKeys;  // moves before the touch
    int32_t y;
    int32_t chosen;      // -1 none
  };
  const Case cases[] = {{0, 330, 0}, {0, 400, 1}, {0, 460, -1}, {kUp, 330, 3}, {kUp, 400, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y * 10 + c.cursorKeys);
    playing(5);
    CGame::initPause(0);
    if (c.cursorKeys != 0) press(c.cursorKeys);
    CGame::paintIGM();  // the window follows the selection
    CGame::igmPointerItem = -1;
    CGame::releaseX = 100;
    CGame::releaseY = c.y;
    CGame::paintIGM();
    EXPECT_EQ(CGame::igmPointerItem, c.chosen);
    EXPECT_EQ(CGame::igmPointerChosen, c.chosen != -1);
    if (c.chosen == -1) continue;
    EXPECT_EQ(CGame::menuCursor, c.chosen);
    // The update runs it as select does: the first entry resumes.
    CGame::updateIGM();
    EXPECT_FALSE(CGame::igmPointerChosen);
    if (c.chosen == 0) {
      EXPECT_EQ(stack(), std::vector<int32_t>{40});
    }
  }
}

TEST_F(PauseTest, TheCareerMenuShowsTwoEntriesToo) {
  CTennis::careerMatch = true;
  CGame::initPause(0);
  ASSERT_EQ(CGame::menuScreenCode, 28);
  CGame::releaseX = 100;
  CGame::releaseY = 460;
  CGame::paintIGM();
  EXPECT_FALSE(CGame::igmPointerChosen);
}

TEST_F(PauseTest, BackLeavesTheTopMenus) {
  for (int32_t state : {40, 44}) {
    for (bool career : {false, true}) {
      SCOPED_TRACE(state * 10 + career);
      playing(5);
      setState(state);
      CTraining::trainingState = 0;
      CTennis::careerMatch = career;
      CGame::initPause(0);
      ASSERT_EQ(stack(), (std::vector<int32_t>{state, 42}));
      press(kBack);
      EXPECT_EQ(stack(), std::vector<int32_t>{state});
      EXPECT_EQ(CGame::menuScreenCode, -1);
    }
  }
}

TEST_F(PauseTest, QuestionsBackToTheMenu) {
  struct Case {
    bool career;
    int32_t code, question, menu;
  };
  const Case cases[] = {{false, 2, 21, 20}, {true, 8, 21, 28}, {true, 7, 29, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    playing(5);
    CTennis::careerMatch = c.career;
    openAt(c.code);
    press(kFire);
    ASSERT_EQ(CGame::menuScreenCode, c.question);
    press(kBack);
    EXPECT_EQ(CGame::menuScreenCode, c.menu);
    EXPECT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  }
}

TEST_F(PauseTest, LeavingFromTheMatchMenuGoesToTheMainMenu) {
  openAt(2);
  press(kFire);
  press(kConfirm);
  EXPECT_EQ(stack(), std::vector<int32_t>{11});
  EXPECT_EQ(CGame::loadingTarget, 5);
}

TEST_F(PauseTest, LeavingACareerMatchAsksAgainAndBackSavesTheCareer) {
  for (bool saved : {false, true}) {
    SCOPED_TRACE(saved);
    playing(5);
    CGame::resetRMS(CGame::kCareerRecord);
    CTennis::careerMatch = true;
    openAt(8);
    press(kFire);
    press(kConfirm);
    ASSERT_EQ(CGame::menuScreenCode, 24);
    press(saved ? kBack : kConfirm);
    EXPECT_EQ(stack(), std::vector<int32_t>{11});
    EXPECT_EQ(CGame::loadingTarget, 5);
    EXPECT_EQ(CGame::hasRecord(CGame::kCareerRecord), saved);
  }
}

TEST_F(PauseTest, LeavingATrainingMatchClosesTheWeek) {
  CGame::resetRMS(CGame::kCareerRecord);
  CTennis::careerMatch = true;
  CTennis::matchKind = CTennis::kKindTraining;
  openAt(8);
  press(kFire);
  press(kConfirm);
  EXPECT_EQ(CGame::menuScreenCode, -1);
  EXPECT_TRUE(CGame::hasRecord(CGame::kCareerRecord));
}

TEST_F(PauseTest, QuittingStopsTheGame) {
  CGame::MenuPush(20);
  CGame::MenuPush(23);
  press(kConfirm);
  EXPECT_FALSE(CGame::gameRunning);
  CGame::gameRunning = true;
}

// Retiring closes the week as a lost tournament's table does: the next week, straight into
// the weekly update, the career saved.
TEST_F(PauseTest, RetiringClosesTheWeekIntoTheCareerUpdate) {
  CTennis::careerMatch = true;
  CGame::resetRMS(CGame::kCareerRecord);
  CGame::careerWeek = 2;
  openAt(7);
  press(kFire);
  ASSERT_EQ(CGame::menuScreenCode, 29);
  press(kConfirm);
  EXPECT_EQ(stack(), std::vector<int32_t>{26});
  EXPECT_EQ(CGame::careerWeek, 3);
  EXPECT_TRUE(CGame::careerUpdateFromMatch) << "the lobby comes through the loading screen";
  EXPECT_EQ(CGame::menuScreenCode, -1);
  EXPECT_FALSE(CGame::hasRecord(CGame::kCareerTournamentRecord));
  EXPECT_TRUE(CGame::hasRecord(CGame::kCareerRecord));
}

TEST_F(PauseTest, QuestionsShowTheirText) {
  for (int32_t question : {21, 23, 24, 29}) {
    SCOPED_TRACE(question);
    CGame::MenuClear();
    CGame::MenuPush(question);
    ASSERT_FALSE(isNull(CGame::menuItems));
    ASSERT_EQ(CGame::menuItems->length, 1);
    EXPECT_FALSE(isNull(CGame::GetString(0, CGame::menuItems->elements()[0])));
    clear();
    CGame::paintIGM();
    EXPECT_FALSE(blank(0, 0, 800, 480));
  }
}

class MenuSoundTest : public PauseTest {
 protected:
  void SetUp() override {
    PauseTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
    GameSound::setSoundOptionReader(nullptr);
    GameSound::unloadForTests();  // the loader may have loaded them before the files were there
    GameSound::loadAll();
    GameSound::stopAll();
  }
};

TEST_F(MenuSoundTest, ASecondSoundToggleWithin400MsIsIgnored) {
  openAt(3);
  astore(CGame::optionValues.get(), 0, 0);
  CGame::lastSoundToggleTime = System::currentTimeMillis() - 1000;
  press(kRight);
  EXPECT_EQ(CGame::optionValue(0), 1);
  EXPECT_TRUE(GameSound::isPlaying(2));
  GameSound::stopAll();
  press(kLeft);
  EXPECT_EQ(CGame::optionValue(0), 1);
  EXPECT_FALSE(GameSound::isPlaying(2));
  CGame::lastSoundToggleTime = System::currentTimeMillis() - 400;
  press(kLeft);
  EXPECT_EQ(CGame::optionValue(0), 1);
  GameSound::play(4, false);
  CGame::lastSoundToggleTime = System::currentTimeMillis() - 401;
  press(kLeft);
  EXPECT_EQ(CGame::optionValue(0), 0);
  EXPECT_FALSE(GameSound::isPlaying(4));
  // Other entries ignore left and right.
  press(kUp);
  CGame::lastSoundToggleTime = 0;
  press(kRight);
  EXPECT_EQ(CGame::optionValue(0), 0);
}

TEST_F(MenuSoundTest, ResumingBringsTheMusicBack) {
  astore(CGame::optionValues.get(), 0, 1);
  GameSound::play(0, true);
  openAt(1);
  EXPECT_FALSE(GameSound::isPlaying(0));
  press(kFire);
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
  EXPECT_TRUE(GameSound::isPlaying(0));
}

}  // namespace
}  // namespace sorv::test
