// Every menu of the shipped data drawn active with the cursor on its first position, after the
// menu resources have loaded, each into build/menus/menu_NN.png for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "device/pixel_formats.h"
#include "tests/device/png_writer.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

class MenuPictureTest : public MenuTest {
 protected:
  static void savePicture(const std::filesystem::path& path) {
  std::vector<uint32_t> argb;
  for (int32_t y = 0; y < CGame::kGameHeight; y++) {
    for (int32_t x = 0; x < CGame::kGameWidth; x++) {
      const uint16_t p = at(x, y);
      const uint32_t r = (p >> 11) << 3, g = ((p >> 5) & 0x3F) << 2, b = (p & 0x1F) << 3;
      argb.push_back(0xFF000000u | r << 16 | g << 8 | b);
    }
  }
  const std::vector<uint8_t> png = writePng(argb, CGame::kGameWidth, CGame::kGameHeight, PngFormat{});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                              static_cast<std::streamsize>(png.size()));
}
};

TEST_F(MenuPictureTest, EveryMenuIsDrawnWithoutARuntimeError) {
  useShippedData();
  // The interface sprite comes with a match; the court layouts' own sprites stay with it.
  CGame::interfaceSprite =
      CGame::loadSprite(StaticClass::getConstant(kConstMatchPack), false, kMatchInterface, true);
  const std::filesystem::path folder = std::filesystem::path(SORV_BUILD_DIR) / "menus";
  std::filesystem::create_directories(folder);
  LogCapture log;
  std::vector<int32_t> drawn;
  for (int32_t m = 0; m < kMenuCount; m++) {
    resetEngine();
    clear();
    CGame::DrawMenu(m, true);
    if (!blank(0, 0, CGame::kGameWidth, CGame::kGameHeight)) drawn.push_back(m);
    char name[32];
    std::snprintf(name, sizeof name, "menu_%02d.png", m);
    savePicture(folder / name);
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
