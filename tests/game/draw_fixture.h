// Test support for the drawing helpers and the effects: the canvas fixture with sprites built
// here (a fixed-width font, animations of solid colour frames), the back buffer's pixels as
// colours, and the screen buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/pixel_formats.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/game/boot_fixture.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {

namespace mk = sorv::mkdata;

inline uint16_t rgb(uint32_t argb) { return pixel::toRgb565(argb); }

class DrawTest : public BootTest {
 protected:
  // Colour index k + 1 of every test sprite is kInk[k].
  static constexpr uint32_t kInk[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFFFFFF};
  static constexpr int32_t kGlyphW = 5, kGlyphH = 8;

  void SetUp() override {
    BootTest::SetUp();
    clearBack();
  }

  static ASprite* load(const mk::SpriteSpec& spec) {
    ASprite* s = ASprite::create();
    s->Load(bytes(mk::writeSprite(spec)), 0);
    return s;
  }
  static mk::SpriteModule solid(int16_t w, int16_t h, uint8_t index) {
    mk::SpriteModule m;
    m.width = w;
    m.height = h;
    m.pixels.assign(static_cast<size_t>(w) * h, index);
    return m;
  }
  static std::vector<uint32_t> palette() {
    std::vector<uint32_t> p = {0x00FF00FF};
    p.insert(p.end(), std::begin(kInk), std::end(kInk));
    return p;
  }

  // Every character a 5 x 8 block of ink 0 (palette 1: ink 1) advancing by 6, the space 3
  // wide and empty.
  static ASprite* fixedFont() {
    mk::SpriteSpec spec;
    spec.modules = {solid(3, kGlyphH, 0), solid(kGlyphW, kGlyphH, 1)};
    mk::addFrame(spec, {{0, 1, 0, 0, 0}, {1, 0, 0, 0, 0}});
    std::vector<uint32_t> green = palette();
    green[1] = kInk[1];
    spec.palettes = {palette(), green};
    ASprite* font = load(spec);
    ByteArray* map = Array::newByteArray(256);
    font->fontMap = map;
    for (int c = 0; c < 256; c++) map->elements()[c] = 1;
    map->elements()[' '] = 0;
    return font;
  }

  // Animation a plays frames of the given times; frame f is a 4 x 4 block of ink f at the
  // origin (inks repeat after five). `extra` single-frame animations follow.
  static ASprite* animations(const std::vector<std::vector<uint8_t>>& anims, int frames = 5) {
    mk::SpriteSpec spec;
    for (int f = 0; f < frames; f++) {
      spec.modules.push_back(solid(4, 4, static_cast<uint8_t>(1 + f % 5)));
      mk::addFrame(spec, {{static_cast<uint8_t>(f), 0, 0, 0, 0}});
    }
    for (const auto& times : anims) {
      std::vector<mk::SpriteAFrame> shown;
      for (size_t f = 0; f < times.size(); f++) shown.push_back({static_cast<uint8_t>(f % frames), times[f], 0, 0, 0});
      mk::addAnim(spec, shown);
    }
    spec.palettes = {palette()};
    return load(spec);
  }

  static void clearBack(uint32_t argb = 0xFF000000) {
    Graphics* g = CGame::backBufferGraphics;
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    g->setColor(static_cast<int32_t>(argb));
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
  static uint16_t back(int32_t x, int32_t y) { return pixelOf(CGame::backBuffer, x, y); }

  // The screen buffer made and filled with one colour.
  static void fillScreenBuffer(uint32_t argb) {
    CGame::createScreenBuffer();
    Graphics* g = CGame::screenBuffer->getGraphics();
    g->setColor(static_cast<int32_t>(argb));
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
  static uint16_t buffered(int32_t x, int32_t y) { return pixelOf(CGame::screenBuffer, x, y); }
};

}  // namespace sorv::test
