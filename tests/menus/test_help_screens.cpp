// The help from the options (screen 4 in state 8): its entries open the controls pages and
// the skills page, turned by keys and by the page arrows; back leads to the help, then the
// options. Outside a match the help draws the menus' backdrop first.
#include <gtest/gtest.h>

#include <vector>

#include "device/graphics.h"

#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kFire = 0x10000, kBack = 0x20000, kLeft = 0x4010, kRight = 0x8040;
constexpr int32_t kOptionsState = 8, kOptionsScreen = 2, kHelpScreen = 4, kControls = 26, kSkills = 27;
constexpr int32_t kHelpRow = 2;  // menu 13's ids: 30, 31, 10, 11

class HelpTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    CGame::SetMenu(1);
    setState(6);
    CGame::MenuPush(kOptionsScreen);
    CGame::PUSH_STATE(kOptionsState);
    CGame::menuCursor = kHelpRow;
    press(kFire);
  }
  static void press(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::MenuUpdate();
    CGame::keysPressed = 0;
  }
  static void frame() {
    CGame::UPDATE_MACHINE();
    CGame::key_updateKey();
  }
  static void tapAt(int32_t x, int32_t y) {
    CGame::releaseX = x;
    CGame::releaseY = y;
    frame();
  }
};

TEST_F(HelpTest, TheOptionsOpenTheHelpWithItsTwoEntries) {
  EXPECT_EQ(CGame::menuScreenCode, kHelpScreen);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kOptionsState);
  ASSERT_FALSE(isNull(CGame::menuItems));
  ASSERT_EQ(CGame::menuItems->length, 2);
  EXPECT_EQ(CGame::menuItems->elements()[0], 34);
  EXPECT_EQ(CGame::menuItems->elements()[1], 77);
}

TEST_F(HelpTest, ControlsPagesTurnBothWaysByKeysThenBackLeadsHome) {
  press(kFire);
  ASSERT_EQ(CGame::menuScreenCode, kControls);
  EXPECT_EQ(CGame::helpPage, 0);
  press(kRight);
  EXPECT_EQ(CGame::helpPage, 1);
  press(kLeft);
  press(kLeft);
  EXPECT_EQ(CGame::helpPage, CGame::helpPageCount - 1) << "previous from the first page shows the last";
  press(kRight);
  EXPECT_EQ(CGame::helpPage, 0);
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kHelpScreen);
  EXPECT_EQ(CGame::menuCursor, 0);
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kOptionsScreen);
  EXPECT_EQ(CGame::menuCursor, kHelpRow);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kOptionsState);
}

TEST_F(HelpTest, ControlsPagesTurnByTheirArrows) {
  press(kFire);
  ASSERT_EQ(CGame::menuScreenCode, kControls);
  tapAt(770, 260);  // the right arrow at (740, 240)
  EXPECT_EQ(CGame::helpPage, 1);
  tapAt(90, 260);  // the left arrow at (60, 240)
  tapAt(90, 260);
  EXPECT_EQ(CGame::helpPage, CGame::helpPageCount - 1);
}

TEST_F(HelpTest, TheSecondEntryOpensTheSkillsPage) {
  press(0x1100);  // down to the second entry
  press(kFire);
  EXPECT_EQ(CGame::menuScreenCode, kSkills);
  frame();
  press(kBack);
  EXPECT_EQ(CGame::menuScreenCode, kHelpScreen);
  EXPECT_EQ(CGame::menuCursor, 1);
}

TEST_F(HelpTest, TheRowsTakeTouches) {
  tapAt(150, 210);  // the second row at (0, 190), 310 x 60
  EXPECT_EQ(CGame::menuScreenCode, kSkills);
  press(kBack);
  tapAt(150, 140);  // the first row at (0, 120)
  EXPECT_EQ(CGame::menuScreenCode, kControls);
}

// Outside a match the help and its pages lie on the menus' backdrop: whatever the options
// left in the back buffer is covered.
TEST_F(HelpTest, TheBackdropCoversThePreviousScreen) {
  for (int32_t screen : {kHelpScreen, kControls, kSkills}) {
    SCOPED_TRACE(screen);
    CGame::menuScreenCode = screen;
    const auto paintOver = [](uint32_t colour) {
      Graphics* g = CGame::backBufferGraphics;
      g->setColor(colour);
      g->fillRect(0, 0, 800, 480);
      CGame::menuFrames = CGame::menuMoveFrames = CGame::menuPaintCount = 0;  // the same animation times
      CGame::MenuPaint();
      return region(0, 0, 800, 480);
    };
    EXPECT_EQ(paintOver(0x000000), paintOver(0xFFFFFF));
  }
}

}  // namespace
}  // namespace sorv::test
