// Test support for the menu engine: fixture menus written by the data builder's menu writer
// and put in place of the menu data, the shipped data set with the menus' sprites and fonts,
// the engine's statics back at their start, and pixels of the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/boot_fixture.h"
#include "tests/support/shipped_archive.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/menu_writer.h"

namespace sorv::test {

class MenuTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    resetEngine();
  }

  static void resetEngine() {
    CGame::MenuClear();
    CGame::menuScroll = 0;
    CGame::menuLabelNum = 0;
    CGame::menuFrames = CGame::menuMoveFrames = CGame::menuPaintCount = 0;
    CGame::menuSavedScroll1 = CGame::menuSavedScroll12 = 0;
    CGame::setupFirstRow = CGame::lastNavKey = 0;
    CGame::scrollStringX = 0;
    CGame::menuHighlightText = -1;
    CGame::resetMenuPaintPosition();
    CGame::resetMenuPaintItemPal();
    CGame::menuPaintAlpha = -1;
    CGame::menuRectColour = 0;
    CGame::menuTouchSelect = false;
    CGame::menuTouchBlink = -1;
    CGame::menuTouchedEntry = -1;
    CGame::menuFlyX = nullptr;
    CGame::itemScrollX = INT_MIN;
    CGame::softLeftState = CGame::softRightState = -1;
    CGame::softKeyCounter = 0;
    CGame::softKeysRequested = false;
    CGame::releaseX = CGame::releaseY = -1;
    CGame::SetMenuGfx(CGame::backBufferGraphics);
  }

  // The menu data of a fixture source in place of the loaded one (as LoadMenuData splits it).
  static void useMenus(const std::string& source) {
    std::vector<uint8_t> entry;
    std::string error;
    ASSERT_TRUE(mkdata::encodeMenuSource(source, &entry, &error)) << error;
    useMenuEntry(entry);
  }
  static void useMenuEntry(const std::vector<uint8_t>& entry) {
    const int32_t blobLength = static_cast<int32_t>(entry.size()) - 2 - kMenuIndexBytes;
    ShortArray* index = Array::newShortArray(kMenuIndexEntries);
    CGame::menuIndex = index;
    for (int32_t i = 0; i < kMenuIndexEntries; i++) {
      const int32_t offset = static_cast<int16_t>(entry[2 + 2 * i] << 8 | entry[3 + 2 * i]);
      CGame::menuIndex->elements()[i] = static_cast<int16_t>(offset >= blobLength ? -1 : offset);
    }
    ByteArray* blob = Array::newByteArray(blobLength);
    for (int32_t i = 0; i < blobLength; i++) blob->elements()[i] = static_cast<int8_t>(entry[2 + kMenuIndexBytes + i]);
    CGame::menuData = blob;
    CGame::menuCacheId = -1;
    CGame::menuCache = nullptr;
    CGame::ValidateMenus();
  }

  // The shipped data set of a language, the menu data loaded, and the menus' sprites and
  // fonts as the menu resources' loading leaves them. Tests that find a sprite by its
  // pixels take the labelled style; those that look at the pictures, the art.
  void useShippedData(const std::string& language = "EN", mkdata::DataStyle style = mkdata::DataStyle::kLabels) {
    const mkdata::ArchiveWriter& archive = shippedArchive(language, style);
    RuntimeTest::TearDown();
    writeBar(archive.build());
    ResourceInputStream::archiveFile = nullptr;
    RuntimeTest::SetUp();
    clock::setVirtual(true);
    resetShell();
    resetEngine();
    CGame::LoadMenuData();
    // As the boot state: the boot sprite, then the game's tables from the same pack.
    CGame::bootSprite = CGame::loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSprite, false);
    CGame::initArrays();
    CGame::Lib_Close();
    for (int32_t step = 1; step <= 28; step++) {
      if (step == 27) continue;  // the sounds
      CGame::loadingStep = step;
      CGame::loadMenuRes();
    }
    CGame::SetMenuGfx(CGame::backBufferGraphics);
  }

  static uint16_t at(int32_t x, int32_t y) { return pixelOf(CGame::backBuffer, x, y); }
  static uint16_t rgb(uint32_t colour) { return pixel::toRgb565(0xFF000000u | colour); }
  static void clear() {
    Graphics* g = CGame::backBufferGraphics;
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    g->setColor(0);
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
  // The pixels of a rectangle of the back buffer.
  static std::vector<uint16_t> region(int32_t x, int32_t y, int32_t w, int32_t h) {
    std::vector<uint16_t> out;
    for (int32_t j = y; j < y + h; j++)
      for (int32_t i = x; i < x + w; i++) out.push_back(at(i, j));
    return out;
  }
  static bool blank(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (uint16_t p : region(x, y, w, h))
      if (p != 0) return false;
    return true;
  }
};

}  // namespace sorv::test
