// The achievements table, the achievement browser and the records list on the shipped data:
// keys and touches move and open them, their rows, arrows, thumbs and footers, the same
// screens in the pause, and an empty achievement table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/cae.h"
#include "menus/list_view.h"
#include "menus/row_tap.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

// The phone's keys as the canvas receives them.
constexpr int32_t kDigit2 = '2', kDigit5 = '5', kDigit8 = '8', kSoftRight = -7;
constexpr int32_t kMenuState = 6, kTableState = 60, kBrowserState = 61, kRecordsState = 62, kPauseState = 42;
constexpr int32_t kTableScreen = 63, kBrowserScreen = 64, kRecordsScreen = 65, kMatchMenuScreen = 20;
constexpr int32_t kAchievementCount = 56, kShownRecords = 15;
// Table rows (menu 18 items 9 and 10), the browser's arrows (menu 19 items 15, 16) and bar
// (item 17), the records' arrows (menu 20 items 12, 11) and bar (item 13).
constexpr int32_t kTableRowY[] = {100, 170};
constexpr int32_t kBrowserPrevX = 385, kBrowserPrevY = 62, kBrowserNextX = 385, kBrowserNextY = 204;
constexpr int32_t kBrowserBarX = 760, kBrowserBarY = 80, kBrowserBarH = 280;
constexpr int32_t kRecordsPrevX = 400, kRecordsPrevY = 77, kRecordsNextX = 400, kRecordsNextY = 390;
constexpr int32_t kRecordsBarX = 760, kRecordsBarY = 100;

std::string readText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string utf8(String* s) { return isNull(s) ? std::string("<null>") : String::toUtf8(s); }

class AchievementViewsTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    loadShippedAchievements();
    CGame::mainMenuCode = 5;
    CGame::SetMenu(1);
    setState(kMenuState);
    frame();  // the first frame lets keys in
  }

  // The main menu's entry 12 as its button runs it.
  void openTable() {
    CGame::MenuPush(kTableScreen);
    CGame::PUSH_STATE(kTableState);
    frame();
  }
  void press(int32_t code, int after = 1) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
    frames(after);
  }
  // A tap's release at game point (x, y), then the frames.
  void release(int32_t x, int32_t y, int after = 1) {
    CGame::releaseX = x;
    CGame::releaseY = y;
    frames(after);
  }
  static int32_t highlighted() { return CGame::MenuGetHighLightItem(); }
  static bool yellow(int32_t x, int32_t y) { return at(x, y) == rgb(0xFFFF00); }
};

TEST_F(AchievementViewsTest, TableKeysMoveBetweenItsTwoRowsWithoutWrapping) {
  openTable();
  ASSERT_EQ(CGame::menuScreenCode, kTableScreen);
  const struct {
    int32_t key, cursor;
  } steps[] = {{kDigit2, 0}, {kDigit8, 1}, {kDigit8, 1}, {kDigit2, 0}, {kDigit2, 0}};
  for (const auto& s : steps) {
    press(s.key);
    EXPECT_EQ(CGame::menuCursor, s.cursor) << s.key;
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
  }
}

TEST_F(AchievementViewsTest, SelectOpensAViewStoresItsCodeAndBackReturns) {
  const struct {
    int32_t row, code, screen, state;
  } cases[] = {{0, 228, kBrowserScreen, kBrowserState}, {1, 229, kRecordsScreen, kRecordsState}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    openTable();
    if (c.row == 1) press(kDigit8);
    press(kDigit5);
    EXPECT_EQ(CGame::mainMenuChoice, c.code);
    EXPECT_EQ(CGame::menuScreenCode, c.screen);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.state);
    EXPECT_EQ(highlighted(), 0);
    press(kSoftRight);
    EXPECT_EQ(CGame::menuScreenCode, kTableScreen);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
    EXPECT_EQ(CGame::menuCursor, c.row) << "the table keeps its row";
    press(kSoftRight);
    EXPECT_EQ(CGame::menuScreenCode, 1);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
  }
}

TEST_F(AchievementViewsTest, ATapOnARowOpensItsViewAfterTheBlink) {
  const struct {
    int32_t row, state;
  } cases[] = {{1, kRecordsState}, {0, kBrowserState}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    openTable();
    release(100, kTableRowY[c.row] + 20);
    EXPECT_EQ(CGame::menuCursor, c.row) << "the release puts the cursor on the row";
    EXPECT_EQ(CGame::menuTouchedEntry, c.row);
    int32_t opened = 0;
    for (int32_t f = 2; f <= 8 && opened == 0; f++) {
      frame();
      if (CGame::GET_CURRENT_STATE() != kTableState) opened = f;
    }
    EXPECT_EQ(opened, 6) << "select fires on the sixth paint after the release";
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.state);
    press(kSoftRight);
    press(kSoftRight);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
  }
}

TEST_F(AchievementViewsTest, ATapLeftPendingByTheRightSoftKeyFiresNowhere) {
  openTable();
  release(100, kTableRowY[1] + 20, 2);
  ASSERT_TRUE(row_tap::pending());
  press(kSoftRight);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
  EXPECT_FALSE(row_tap::pending());
  EXPECT_FALSE(CGame::menuTouchSelect);
  frames(10);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
  EXPECT_EQ(CGame::mainMenuDelay, -1) << "the main menu got no select";
}

class BrowserTest : public AchievementViewsTest {
 protected:
  void openBrowser() {
    openTable();
    press(kDigit5);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kBrowserState);
  }
};

TEST_F(BrowserTest, KeysRunOverEveryAchievementWithoutWrapping) {
  openBrowser();
  ASSERT_EQ(CAE::getAchiNum(), kAchievementCount);
  ASSERT_EQ(CGame::achiTitleIds->length, kAchievementCount);
  press(kDigit2);
  EXPECT_EQ(highlighted(), 0);
  for (int32_t i = 1; i < kAchievementCount; i++) press(kDigit8);
  EXPECT_EQ(highlighted(), kAchievementCount - 1);
  press(kDigit8);
  EXPECT_EQ(highlighted(), kAchievementCount - 1) << "no wrap at the end";
  EXPECT_EQ(CGame::menuCursor, 0) << "one row: the list scrolls under it";
}

TEST_F(BrowserTest, ArrowsShowWhereTheListCanMoveAndAReleaseMovesItThatFrame) {
  openBrowser();
  // The previous arrow is absent at 0: its box takes no release.
  release(kBrowserPrevX, kBrowserPrevY);
  EXPECT_EQ(highlighted(), 0);
  const std::vector<uint16_t> noPrevious = region(355, 45, 60, 35);
  release(kBrowserNextX, kBrowserNextY);
  EXPECT_EQ(highlighted(), 1) << "a release on the next arrow moves it in the same frame";
  frame();
  EXPECT_NE(region(355, 45, 60, 35), noPrevious) << "the previous arrow shows from 1 on";
  release(kBrowserPrevX + 40, kBrowserPrevY + 20);
  EXPECT_EQ(highlighted(), 0);
  for (int32_t i = 1; i < kAchievementCount - 1; i++) press(kDigit8);
  frame();
  const std::vector<uint16_t> withNext = region(355, 185, 60, 40);
  press(kDigit8);
  ASSERT_EQ(highlighted(), kAchievementCount - 1);
  EXPECT_NE(region(355, 185, 60, 40), withNext) << "no next arrow on the last";
  release(kBrowserNextX, kBrowserNextY);
  EXPECT_EQ(highlighted(), kAchievementCount - 1);
}

TEST_F(BrowserTest, TheThumbFollowsTheScroll) {
  openBrowser();
  EXPECT_EQ(CGame::listX, kBrowserBarX);
  EXPECT_EQ(CGame::listY, kBrowserBarY);
  EXPECT_EQ(CGame::listH, kBrowserBarH);
  EXPECT_EQ(CGame::listStep, 1 * kBrowserBarH / kAchievementCount);
  const struct {
    int32_t scroll, offset;
  } cases[] = {{0, 0}, {28, 138}, {55, 271}};
  for (const auto& c : cases) {
    CGame::menuScroll = c.scroll;
    frame();
    EXPECT_EQ(CGame::scrollThumbOffset, c.offset) << c.scroll;
    const int32_t top = kBrowserBarY + c.offset + 1;
    EXPECT_TRUE(yellow(kBrowserBarX + 1, top)) << c.scroll;
    EXPECT_TRUE(yellow(kBrowserBarX + 10, top + 3)) << c.scroll;
    EXPECT_FALSE(yellow(kBrowserBarX + 1, top + 4)) << "4 pixels high";
    EXPECT_FALSE(yellow(kBrowserBarX + 11, top)) << "inside the bar";
  }
}

TEST_F(BrowserTest, ALockedRowIsDimmedExceptUnderTheCursor) {
  // Three rows drawn at one place, as the browser places them: the last one drawn shows.
  std::string source = readText(std::string(SORV_SOURCE_DIR) + "/tools/data/menus.txt");
  const std::string one = "menu 19 labels=1 rows=1";
  ASSERT_NE(source.find(one), std::string::npos);
  source.replace(source.find(one), one.size(), "menu 19 labels=3 rows=3");
  useMenus(source);
  CGame::initAchiView();
  ASSERT_EQ(CGame::listRows, 3);
  setState(kBrowserState);
  CGame::menuScreenCode = kBrowserScreen;
  auto rowPixels = [&](int32_t cursor, bool unlocked) {
    CAE::achiUnlocked->elements()[2] = unlocked ? 1 : 0;
    CGame::menuCursor = cursor;
    CGame::menuScroll = 0;
    CGame::menuPaint_achiViewAchi();
    return region(40, 110, 700, 50);
  };
  EXPECT_NE(rowPixels(0, false), rowPixels(0, true)) << "achievement 2, locked, off the cursor, is dimmed";
  EXPECT_EQ(rowPixels(2, false), rowPixels(2, true)) << "under the cursor it is not";
  EXPECT_EQ(CGame::menuPaintPal, -1) << "the palette goes back after the row";
}

TEST_F(BrowserTest, GoldShowsFromItsLow16BitsWithThousandsSeparators) {
  EXPECT_EQ(utf8(list_view::goldText(1250)), "1,250 Gold");
  EXPECT_EQ(utf8(list_view::goldText(20)), "20 Gold");
  openBrowser();
  CGame::achiGoldValues->elements()[0] = 1250;
  frame();
  const std::vector<uint16_t> plain = region(40, 110, 700, 50);
  CGame::achiGoldValues->elements()[0] = 0x10000 + 1250;
  frame();
  EXPECT_EQ(region(40, 110, 700, 50), plain);
}

class RecordsTest : public AchievementViewsTest {
 protected:
  void openRecords() {
    openTable();
    press(kDigit8);
    press(kDigit5);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kRecordsState);
  }
};

TEST_F(RecordsTest, FifteenPositionsAndTheNextArrowGoesOnTheLast) {
  openRecords();
  ASSERT_EQ(CAE::achiRecords->length, 16);
  EXPECT_EQ(CGame::listRows, 5);
  EXPECT_EQ(CGame::listStep, 5 * CGame::listH / kShownRecords);
  for (int32_t i = 0; i < 20; i++) press(kDigit8);
  EXPECT_EQ(highlighted(), kShownRecords - 1) << "slot 15 is never highlighted";
  EXPECT_EQ(CGame::menuCursor, 4);
  EXPECT_EQ(CGame::scrollThumbOffset, 10 * CGame::listH / kShownRecords);
  EXPECT_TRUE(yellow(kRecordsBarX + 1, kRecordsBarY + CGame::scrollThumbOffset + 1));
  EXPECT_TRUE(yellow(kRecordsBarX + 1, kRecordsBarY + CGame::scrollThumbOffset + CGame::listStep - 1));
  EXPECT_FALSE(yellow(kRecordsBarX + 1, kRecordsBarY + CGame::scrollThumbOffset + CGame::listStep))
      << "the thumb is listStep - 1 high";
  release(kRecordsNextX, kRecordsNextY);
  EXPECT_EQ(highlighted(), kShownRecords - 1) << "no next arrow on record 14";
  release(kRecordsPrevX, kRecordsPrevY);
  EXPECT_EQ(highlighted(), kShownRecords - 2) << "the previous arrow moves it in the same frame";
  for (int32_t i = 0; i < 20; i++) press(kDigit2);
  EXPECT_EQ(highlighted(), 0);
  release(kRecordsPrevX, kRecordsPrevY);
  EXPECT_EQ(highlighted(), 0);
  release(kRecordsNextX, kRecordsNextY);
  EXPECT_EQ(highlighted(), 1);
}

TEST_F(RecordsTest, ValuesAsNumbersSpeedsAndTimes) {
  IntArray* records = CAE::achiRecords;
  records->elements()[4] = 131;
  records->elements()[15] = 211;
  records->elements()[13] = 32767;
  records->elements()[14] = 144;
  records->elements()[0] = 1250;
  astore(CGame::optionValues.get(), 1, 0);
  EXPECT_EQ(utf8(list_view::recordText(4, CAE::getRecordVal(4), false)), "131 mph");
  astore(CGame::optionValues.get(), 1, 1);
  EXPECT_EQ(utf8(list_view::recordText(4, CAE::getRecordVal(4), false)), "211 km/h") << "record 15 in km/h";
  EXPECT_EQ(utf8(list_view::recordText(13, CAE::getRecordVal(13), false)), "--:--");
  EXPECT_EQ(utf8(list_view::recordText(14, CAE::getRecordVal(14), false)), "01:00");
  EXPECT_EQ(utf8(list_view::recordText(0, CAE::getRecordVal(0), false)), "1250");
  EXPECT_EQ(utf8(list_view::recordText(0, CAE::getRecordVal(0), true)), "1,250");
  astore(CGame::optionValues.get(), 1, 0);
}

TEST_F(RecordsTest, TheFooterNamesTheRankOfTheGoldTotal) {
  const struct {
    int32_t gold;
    const char* rank;
    const char* total;
  } cases[] = {{999, "Rank: Rookie", "999 Gold"}, {1000, "Rank: Amateur", "1,000 Gold"}, {6000, "Rank: Legend", "6,000 Gold"}};
  for (const auto& c : cases) {
    CAE::achiGold = c.gold;
    EXPECT_EQ(utf8(list_view::rankLine()), c.rank);
    EXPECT_EQ(utf8(list_view::goldTotalLine()), c.total);
  }
  CAE::achiGold = 999;
  openTable();
  const std::vector<uint16_t> rookie = region(400, 330, 360, 60);
  CAE::achiGold = 1000;
  frame();
  EXPECT_NE(region(400, 330, 360, 60), rookie) << "the table's footer follows the total";
}

// The pause's in-game menu opens the same views over the match: it scrolls them by keys and
// arrows over all their entries.
class PausedViewsTest : public AchievementViewsTest {
 protected:
  void openPaused(int32_t code) {
    CGame::SetMenu(kMatchMenuScreen);
    setState(kPauseState);
    CGame::pauseKind = 0;
    CGame::MenuPush(kTableScreen);
    frame();
    if (code == 229) press(kDigit8);
    press(kDigit5);
  }
};

TEST_F(PausedViewsTest, TheBrowserAndTheRecordsScrollOverAllTheirEntries) {
  openPaused(228);
  ASSERT_EQ(CGame::menuScreenCode, kBrowserScreen);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kPauseState);
  for (int32_t i = 0; i < kAchievementCount + 3; i++) press(kDigit8);
  EXPECT_EQ(highlighted(), kAchievementCount - 1);
  release(kBrowserPrevX, kBrowserPrevY);
  EXPECT_EQ(highlighted(), kAchievementCount - 2);
  release(kBrowserNextX, kBrowserNextY);
  EXPECT_EQ(highlighted(), kAchievementCount - 1);
  press(kSoftRight);
  ASSERT_EQ(CGame::menuScreenCode, kTableScreen);
  press(kDigit8);
  press(kDigit5);
  ASSERT_EQ(CGame::menuScreenCode, kRecordsScreen);
  for (int32_t i = 0; i < 20; i++) press(kDigit8);
  EXPECT_EQ(highlighted(), kShownRecords - 1) << "over the 15 records, not five rows";
  release(kRecordsPrevX, kRecordsPrevY);
  EXPECT_EQ(highlighted(), kShownRecords - 2);
  for (int32_t i = 0; i < 20; i++) press(kDigit2);
  EXPECT_EQ(highlighted(), 0);
  press(kSoftRight);
  press(kSoftRight);
  EXPECT_EQ(CGame::menuScreenCode, kMatchMenuScreen);
}

TEST_F(PausedViewsTest, ARowTapOpensAView) {
  CGame::SetMenu(kMatchMenuScreen);
  setState(kPauseState);
  CGame::MenuPush(kTableScreen);
  frame();
  release(100, kTableRowY[1] + 20, 6);
  EXPECT_EQ(CGame::menuScreenCode, kRecordsScreen);
}

TEST_F(AchievementViewsTest, AnEmptyAchievementTableShowsTheFooterOnly) {
  LogCapture log;
  CAE::LoadAchiData(nullptr);
  ASSERT_EQ(CAE::getAchiNum(), 0);
  openTable();
  press(kDigit5);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), kBrowserState);
  EXPECT_EQ(CGame::listStep, 0);
  press(kDigit8);
  press(kDigit2);
  release(kBrowserNextX, kBrowserNextY);
  EXPECT_EQ(highlighted(), 0);
  // The row, the description and the arrows are the backdrop's; the footer is drawn.
  CGame::menuPaint_achiViewAchi();
  const std::vector<uint16_t> empty = region(40, 110, 700, 160);
  const std::vector<uint16_t> footer = region(420, 360, 300, 50);
  loadShippedAchievements();
  CGame::initAchiView();
  CGame::menuPaint_achiViewAchi();
  EXPECT_NE(region(40, 110, 700, 160), empty);
  EXPECT_EQ(region(420, 360, 300, 50), footer);
  for (const char* error : {"NullPointer", "ArrayOutOfBound", "Arithmetic"}) {
    EXPECT_FALSE(log.contains(error)) << log.text();
  }
}

}  // namespace
}  // namespace sorv::test
