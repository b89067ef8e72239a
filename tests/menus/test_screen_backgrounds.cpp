// Screens that stand on the menus' own background: entered over another screen's picture,
// the load choice, the avatar's creation and the training lists show nothing of it; where
// they draw no panel, the frame shows the menus' background (the screen buffer's standard
// splash), not what the screen before left there.
#include <gtest/gtest.h>

#include "device/pixel_formats.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kMainMenuState = 6, kMainMenuScreen = 1, kCareerLoadState = 20, kLoadScreen = 11;
constexpr int32_t kNameState = 21, kNameScreen = 36, kCreateState = 22;
constexpr int32_t kTrainingListState = 30, kGameListScreen = 5;

class ScreenBackgroundTest : public QuickMatchTest {
 protected:
  // The main menu as the player leaves it, its picture in the back buffer.
  void showMainMenu() {
    setState(kMainMenuState);
    CGame::SetMenu(kMainMenuScreen);
    CGame::repaintAll = true;
    frames(3);
  }
  // Whether the frame shows the screen buffer inside the box.
  static bool showsBackground(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (isNull(CGame::screenBuffer.get())) return false;
    for (int32_t j = y; j < y + h; j++)
      for (int32_t i = x; i < x + w; i++)
        if (pixelOf(CGame::backBuffer, i, j) != pixelOf(CGame::screenBuffer, i, j)) return false;
    return true;
  }
};

// Below the two choices the main menu had its description and its achievement panel.
TEST_F(ScreenBackgroundTest, TheLoadChoiceHidesTheMainMenu) {
  CGame::isCareer = false;
  CGame::resetRMS(CGame::kCareerRecord);
  showMainMenu();
  const std::vector<uint16_t> menu = region(0, 260, 330, 150);
  CGame::mainMenuChoice = 5;
  CGame::MenuPush(kLoadScreen);
  CGame::PUSH_STATE(kCareerLoadState);
  frames(3);
  EXPECT_TRUE(showsBackground(0, 260, 330, 150));
  EXPECT_NE(region(0, 260, 330, 150), menu);
}

// The name entry's keyboard and rows lie where the creation draws no panel.
TEST_F(ScreenBackgroundTest, TheCreationHidesTheNameEntry) {
  CGame::isCareer = true;
  CGame::resetCareerData();
  setState(kNameState);
  CGame::SetMenu(kNameScreen);
  frames(3);
  const std::vector<uint16_t> keyboard = region(690, 240, 100, 40);
  CGame::loadDemoPlayer();
  CGame::PUSH_STATE(kCreateState);
  frames(3);
  EXPECT_TRUE(showsBackground(690, 240, 100, 40)) << "the keyboard's last keys";
  EXPECT_TRUE(showsBackground(0, 60, 38, 180)) << "the name entry's rows at the left";
  EXPECT_NE(region(690, 240, 100, 40), keyboard);
}

// Right of the rows of the game list the main menu had its buttons.
TEST_F(ScreenBackgroundTest, TheTrainingListsHideTheMainMenu) {
  showMainMenu();
  const std::vector<uint16_t> buttons = region(730, 120, 60, 200);
  CGame::MenuPush(kGameListScreen);
  CGame::PUSH_STATE(kTrainingListState);
  frames(3);
  EXPECT_TRUE(showsBackground(730, 120, 60, 160));
  EXPECT_NE(region(730, 120, 60, 200), buttons);
}

}  // namespace
}  // namespace sorv::test
