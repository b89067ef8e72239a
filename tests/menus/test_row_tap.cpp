// The tap of option rows: the touched row blinks, select fires on the sixth paint with the
// cursor on it, and a screen change ends a tap still blinking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/cgame.h"
#include "menus/row_tap.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kRowX = 0, kRowW = 310, kRowH = 60;
constexpr int32_t kRowY[] = {100, 160};

class RowTapTest : public MenuTest {
 protected:
  // One paint of a two-row list: the rows' touches, their highlights, then the tap's step.
  // Returns which rows were lit, as "01" style flags.
  std::string paint() {
    std::string shown;
    for (int32_t row = 0; row < 2; row++) row_tap::touch(row, kRowX, kRowY[row], kRowW, kRowH);
    for (int32_t row = 0; row < 2; row++) shown += row_tap::lit(row, CGame::menuCursor == row) ? '1' : '0';
    row_tap::advance();
    return shown;
  }
  static void release(int32_t x, int32_t y) {
    CGame::releaseX = x;
    CGame::releaseY = y;
  }
};

TEST_F(RowTapTest, ATouchedRowBlinksThenSelectsOnTheSixthPaint) {
  CGame::menuCursor = 0;
  release(100, kRowY[1] + 10);
  std::vector<std::string> shown;
  int32_t fired = 0;
  for (int32_t p = 1; p <= 8 && fired == 0; p++) {
    CGame::keysPressed = 0;
    shown.push_back(paint());
    if (CGame::keysPressed == row_tap::kSelectKeys) fired = p;
    if (p == 1) {
      EXPECT_EQ(CGame::menuCursor, 1) << "the release moves the cursor";
      EXPECT_EQ(CGame::menuTouchedEntry, 1);
      EXPECT_EQ(CGame::releaseX, -1) << "the release is consumed";
    }
  }
  EXPECT_EQ(fired, 6);
  EXPECT_EQ(shown, (std::vector<std::string>{"01", "00", "01", "00", "01", "00"}));
  EXPECT_EQ(CGame::menuCursor, 1);
  EXPECT_FALSE(CGame::menuTouchSelect);
  EXPECT_EQ(CGame::menuTouchedEntry, -1);
  EXPECT_EQ(CGame::scrollStringX, CGame::kTickerRestart);
  CGame::keysPressed = 0;
  EXPECT_EQ(paint(), "01") << "after firing the cursor row stays lit";
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(RowTapTest, ATapFiresWithTheCursorOnTheTouchedRowEvenIfKeysMovedIt) {
  release(5, kRowY[0] + 1);
  paint();
  CGame::menuCursor = 1;  // a key moved it while the row blinked
  for (int32_t p = 0; p < 5; p++) {
    CGame::keysPressed = 0;
    paint();
  }
  EXPECT_EQ(CGame::keysPressed, row_tap::kSelectKeys);
  EXPECT_EQ(CGame::menuCursor, 0);
}

TEST_F(RowTapTest, DragsMoveTheCursorAndPressesOnlyWhenAsked) {
  CGame::menuCursor = 0;
  CGame::dragX = 50;
  CGame::dragY = kRowY[1] + 5;
  paint();
  EXPECT_EQ(CGame::menuCursor, 1);
  EXPECT_FALSE(row_tap::pending()) << "a drag starts no tap";
  CGame::dragX = CGame::dragY = -1;
  CGame::pressX = 50;
  CGame::pressY = kRowY[0] + 5;
  row_tap::touch(0, kRowX, kRowY[0], kRowW, kRowH);
  EXPECT_EQ(CGame::menuCursor, 1);
  row_tap::touch(0, kRowX, kRowY[0], kRowW, kRowH, true);
  EXPECT_EQ(CGame::menuCursor, 0);
}

TEST_F(RowTapTest, ReleasesOutsideTheRowsDoNothing) {
  CGame::menuCursor = 0;
  release(kRowW + 5, kRowY[1] + 5);
  paint();
  release(100, kRowY[1] + kRowH + 1);
  paint();
  EXPECT_FALSE(row_tap::pending());
  EXPECT_EQ(CGame::menuCursor, 0);
}

TEST_F(RowTapTest, MenuPushAndMenuPopEndAPendingTap) {
  for (bool push : {true, false}) {
    CGame::SetMenu(0);
    CGame::MenuPush(2);
    release(100, kRowY[1] + 10);
    paint();
    paint();
    ASSERT_TRUE(row_tap::pending());
    if (push) {
      CGame::MenuPush(3);
    } else {
      CGame::MenuPop();
    }
    EXPECT_FALSE(row_tap::pending()) << push;
    EXPECT_FALSE(CGame::menuTouchSelect);
    for (int32_t p = 0; p < 8; p++) {
      CGame::keysPressed = 0;
      row_tap::advance();
      EXPECT_EQ(CGame::keysPressed, 0) << "the tap fires on no later screen";
    }
  }
}

}  // namespace
}  // namespace sorv::test
