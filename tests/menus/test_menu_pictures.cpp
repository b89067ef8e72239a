// Every menu of the shipped data drawn active with the cursor on its first position, after the
// menu resources have loaded, each into build/menus/menu_NN.png for a look.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/pixel_formats.h"
#include "tests/menus/menu_fixture.h"
#include "tests/support/picture_file.h"

namespace sorv::test {
namespace {

using MenuPictureTest = MenuTest;

TEST_F(MenuPictureTest, EveryMenuIsDrawnWithoutARuntimeError) {
  useShippedData();
  // The interface sprite comes with a match; the court layouts' own sprites stay with it.
  CGame::interfaceSprite =
      CGame::loadSprite(StaticClass::getConstant(kConstMatchPack), false, kMatchInterface, true);
  LogCapture log;
  std::vector<int32_t> drawn;
  for (int32_t m = 0; m < kMenuCount; m++) {
    resetEngine();
    clear();
    CGame::DrawMenu(m, true);
    if (!blank(0, 0, CGame::kGameWidth, CGame::kGameHeight)) drawn.push_back(m);
    char name[32];
    std::snprintf(name, sizeof name, "menu_%02d.png", m);
    savePicture(CGame::backBuffer, "menus", name);
  }
  for (int32_t m : {0, 3, 4, 5, 13, 35, 63, 64, 65}) {
    EXPECT_TRUE(std::find(drawn.begin(), drawn.end(), m) != drawn.end()) << "menu " << m << " shows nothing";
  }
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  EXPECT_FALSE(log.contains("ArithmeticException")) << log.text();
}

}  // namespace
}  // namespace sorv::test
