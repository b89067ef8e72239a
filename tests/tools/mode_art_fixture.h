// What the tests of the modes' painted pictures share: the shipped data set in its art style
// with the menus' resources loaded, the sprites of the menus' extra pack and of the training
// pack read through the game's loader, counts of a sprite's parts, and a region of the back
// buffer written to build/mode/ for a look.
#pragma once

#include <string>
#include <vector>

#include "tests/menus/menu_fixture.h"
#include "tests/support/picture_file.h"

namespace sorv::test {

class ModeArtTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData("EN", mkdata::DataStyle::kArt);
    clear();
  }

  static ASprite* extSprite(int32_t entry) { return static_cast<ASprite*>(aload(CGame::menuExtSprites.get(), entry)); }
  static ASprite* trainingSprite(int32_t entry) {
    return CGame::loadSprite(StaticClass::getConstant(kConstTrainingPack), false, entry, true);
  }
  static Graphics* g() { return CGame::backBufferGraphics; }
  static int32_t frameCount(ASprite* s) { return isNull(s->frameFModuleCount) ? 0 : s->frameFModuleCount->length; }
  static int32_t animCount(ASprite* s) { return isNull(s->animAFrameCount) ? 0 : s->animAFrameCount->length; }
  // The frame an animation shows at one of its steps.
  static int32_t frameOf(ASprite* s, int32_t anim, int32_t step) {
    return aload(s->aframeFrame, aload(s->animFirstAFrame, anim) + step) & 0xFF;
  }
  // A frame's box drawn at (x, y): left, top, right, bottom (right and bottom exclusive).
  static std::vector<int32_t> frameBox(ASprite* s, int32_t frame, int32_t x = 0, int32_t y = 0) {
    IntArray* box = Array::newIntArray(4);
    s->GetFrameRect(box, frame, x, y, 0);
    return {aload(box, 0), aload(box, 1), aload(box, 2), aload(box, 3)};
  }
  static int32_t inked(int32_t x, int32_t y, int32_t w, int32_t h) {
    int32_t n = 0;
    for (uint16_t p : region(x, y, w, h)) n += p != 0 ? 1 : 0;
    return n;
  }

  static void save(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h) {
    savePicture(CGame::backBuffer, "mode", name, x, y, w, h);
  }
};

}  // namespace sorv::test
