#include <gtest/gtest.h>

#include "tests/menus/menu_fixture.h"
#include "training/ctraining.h"

namespace sorv::test {
namespace {

// 0: four fixed positions; 1: three rows showing exactly three entries; 2: three rows of
// four entries; 3: a label count of 0 (its byte -1) and no list.
constexpr const char* kLists = R"(
menu 0 labels=4
menu 1 labels=3 rows=3 header=2 ids=3,4,5
menu 2 labels=3 rows=3 header=2 ids=3,4,5,9
menu 3 labels=0
)";

constexpr int32_t kPrev = 0x2004, kNext = 0x1100, kLeft = 0x4010, kRight = 0x8040;

class MenuNavigationTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useMenus(kLists);
  }
};

TEST_F(MenuNavigationTest, KeysMoveTheCursorOrTheWindow) {
  struct Case {
    const char* what;
    int32_t menu, direction, keys, cursor, scroll;
    int32_t wantCursor, wantScroll;
  };
  const Case cases[] = {
      {"next wraps from the last position", 0, 0, kNext, 3, 0, 0, 0},
      {"previous wraps from the first", 0, 0, kPrev, 0, 0, 3, 0},
      {"previous wins over next", 0, 0, kPrev | kNext, 2, 0, 1, 0},
      {"horizontal keys in a horizontal menu", 0, 1, kRight, 1, 0, 2, 0},
      {"vertical keys do nothing horizontally", 0, 1, kNext, 1, 0, 1, 0},
      {"a list of exactly rows wraps", 1, 0, kPrev, 0, 0, 2, 0},
      {"a list of exactly rows wraps down", 1, 0, kNext, 2, 0, 0, 0},
      {"rows + 1: previous at the top with scroll 0 stops", 2, 0, kPrev, 0, 0, 0, 0},
      {"rows + 1: previous at the top scrolls back", 2, 0, kPrev, 0, 1, 0, 0},
      {"rows + 1: next at the last row scrolls", 2, 0, kNext, 2, 0, 2, 1},
      {"rows + 1: next at the end stops", 2, 0, kNext, 2, 1, 2, 1},
      {"rows + 1: inside the window the cursor moves", 2, 0, kNext, 0, 1, 1, 1},
      {"no positions: nothing moves", 3, 0, kNext, 0, 0, 0, 0},
      {"no positions backwards", 3, 0, kPrev, 0, 0, 0, 0},
      {"any direction takes every key", 0, 5, kLeft, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGame::menuCursor = c.cursor;
    CGame::menuScroll = c.scroll;
    CGame::scrollStringX = 0;
    CGame::keysPressed = c.keys;
    CGame::MenuProcessInput(c.menu, nullptr, c.direction, true);
    EXPECT_EQ(CGame::menuCursor, c.wantCursor);
    EXPECT_EQ(CGame::menuScroll, c.wantScroll);
    const bool handled = c.direction > 1 || (c.keys & (c.direction == 0 ? kPrev | kNext : kLeft | kRight)) != 0;
    EXPECT_EQ(CGame::keysPressed == 0, handled) << "a handled key is used up";
    EXPECT_EQ(CGame::scrollStringX, handled ? 800 : 0);
  }
}

TEST_F(MenuNavigationTest, GivenListsAndDisabledInput) {
  IntArray* empty = Array::newIntArray(0);
  CGame::menuCursor = 0;
  CGame::keysPressed = kNext;
  CGame::MenuProcessInput(0, empty, 0, true);
  EXPECT_EQ(CGame::menuCursor, 0) << "an empty list has no positions";

  IntArray* two = Array::newIntArray(2);
  CGame::keysPressed = kNext;
  CGame::MenuProcessInput(1, two, 0, true);
  EXPECT_EQ(CGame::menuCursor, 1);
  CGame::keysPressed = kNext;
  CGame::MenuProcessInput(1, two, 0, true);
  EXPECT_EQ(CGame::menuCursor, 0) << "two entries wrap";

  CGame::keysPressed = kNext;
  CGame::MenuProcessInput(0, nullptr, 0, false);
  EXPECT_EQ(CGame::menuCursor, 0);
  EXPECT_EQ(CGame::keysPressed, kNext) << "disabled input leaves the keys";
}

TEST_F(MenuNavigationTest, PushesSaveSevenLevelsAndPopsReturnThroughThem) {
  CGame::SetMenu(10);
  for (int32_t i = 0; i < 9; i++) {
    CGame::menuCursor = i;
    CGame::MenuPush(11 + i);
    EXPECT_EQ(CGame::menuScreenCode, 11 + i);
    EXPECT_EQ(CGame::menuDepth, std::min(i + 1, 7));
  }
  EXPECT_EQ(CGame::getParentMenu(), 16);
  EXPECT_EQ(CGame::getParentMenuId(), 6);
  for (int32_t i = 6; i >= 0; i--) {
    CGame::MenuPop();
    EXPECT_EQ(CGame::menuScreenCode, 10 + i);
    EXPECT_EQ(CGame::menuCursor, i);
  }
  CGame::pickedAvatars[2] = 5;
  CGame::pickIndex = 3;
  CGame::MenuPop();
  EXPECT_EQ(CGame::menuScreenCode, 10) << "a pop at depth 0 changes nothing";
  EXPECT_EQ(CGame::getParentMenu(), -1);
  EXPECT_EQ(CGame::getParentMenuId(), -1);
  EXPECT_EQ(CGame::pickedAvatars[2], -1);
  EXPECT_EQ(CGame::pickIndex, 0);
}

TEST_F(MenuNavigationTest, OnlyScreensOneAndTwelveKeepTheirScroll) {
  for (int32_t screen : {1, 2, 12}) {
    SCOPED_TRACE(screen);
    CGame::SetMenu(screen);
    CGame::menuScroll = 3;
    CGame::keysPressed = 0x1;  // a key that moves nothing still keeps the scroll
    CGame::MenuProcessInput(0, nullptr, 0, true);
    CGame::MenuPush(20);
    EXPECT_EQ(CGame::menuScroll, 0);
    CGame::MenuPop();
    EXPECT_EQ(CGame::menuScroll, screen == 2 ? 0 : 3);
  }
}

TEST_F(MenuNavigationTest, TheTwoRowWindowFollowsTheCursor) {
  struct Case {
    int32_t top, cursor, key, wantTop;
  };
  const Case cases[] = {{0, 1, kNext, 0}, {0, 2, kNext, 1}, {1, 3, kNext, 2}, {2, 1, kPrev, 1},
                        {1, 1, kPrev, 1}, {1, 0, kPrev, 0}, {1, 5, 0, 1}};
  for (const Case& c : cases) {
    CGame::setupFirstRow = c.top;
    CGame::menuCursor = c.cursor;
    CGame::lastNavKey = c.key;
    CGame::Calc_my_start_off();
    EXPECT_EQ(CGame::setupFirstRow, c.wantTop) << c.top << " " << c.cursor << " " << c.key;
  }
}

TEST_F(MenuNavigationTest, ScreenTableListsAndTheMainMenuPanel) {
  useShippedData();
  CGame::SetMenu(5);
  ASSERT_FALSE(isNull(CGame::menuItems));
  EXPECT_EQ(CGame::menuItems->length, 5);
  EXPECT_EQ(CGame::menuItems->elements()[0], 15);
  EXPECT_TRUE(isNull(CGame::getMenuString(26))) << "a screen without a list";
  EXPECT_TRUE(isNull(CGame::getMenuString(3))) << "a prepared list not written yet";
  EXPECT_TRUE(isNull(CGame::getMenuString(101)));
  IntArray* records = CGame::getMenuString(12);
  IntArray* all = CGame::MenuGetMenuItemList(38);
  ASSERT_FALSE(isNull(all));
  ASSERT_FALSE(isNull(records));
  EXPECT_EQ(records->length, all->length - 1);
  CGame::mainMenuDelay = 7;
  CGame::ConfigMenu(1);
  EXPECT_EQ(CGame::mainMenuDelay, -1);
  EXPECT_EQ(CGame::panelCounter, 84);
  const int32_t at = CGame::GetMenuItemPosition(5, 11);
  EXPECT_EQ(CGame::panelX, static_cast<int16_t>(at));
  EXPECT_EQ(CGame::panelY, at >> 16);
  ASSERT_FALSE(isNull(CGame::menuItems));
  EXPECT_EQ(CGame::menuItems->elements()[0], 3) << "menu 5's entries";
}

TEST_F(MenuNavigationTest, TrainingListsStopAtBothEndsAndChoose) {
  CTraining::game = 0;
  CTraining::unlockedLevels = Array::newByteArray(CTraining::kGameCount);
  CTraining::unlockedLevels->elements()[0] = 2;
  CTraining::unlockedLevel = 2;
  setState(8);
  struct Case {
    int32_t screen, cursor, keys, wantCursor;
  };
  const Case cases[] = {{5, 0, kPrev, 0}, {5, 4, kNext, 4}, {5, 2, kNext, 3}, {6, 2, kNext, 2},
                        {6, 1, kNext, 2}, {6, 0, kPrev, 0}};
  for (const Case& c : cases) {
    CGame::SetMenu(c.screen);
    CGame::menuCursor = c.cursor;
    CGame::keysPressed = c.keys;
    CGame::MenuUpdate();
    EXPECT_EQ(CGame::menuCursor, c.wantCursor) << c.screen << " " << c.cursor;
  }
  CGame::SetMenu(5);
  CGame::menuCursor = 3;
  CGame::keysPressed = 0x20;
  CGame::MenuUpdate();
  EXPECT_EQ(CGame::menuScreenCode, 6) << "the level list follows the game";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 31);
  EXPECT_EQ(CGame::getParentMenu(), 5);
  CGame::keysPressed = 0x20000;
  CGame::MenuUpdate();
  EXPECT_EQ(CGame::menuScreenCode, 5) << "back pops the list";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 8);
}

}  // namespace
}  // namespace sorv::test
