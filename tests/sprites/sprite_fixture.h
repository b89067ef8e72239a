// Test support for the sprite tests: a started runtime with the sprite class initialised,
// sprites loaded from files the data builder writes, and a 16-bit target to draw into.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "device/pixel_formats.h"
#include "game/cgame.h"
#include "runtime/string.h"
#include "sprites/anim.h"
#include "sprites/asprite.h"
#include "tests/support/runtime_fixture.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {

namespace mk = sorv::mkdata;

class SpriteTest : public RuntimeTest {
 public:
  static ByteArray* bytes(const std::vector<uint8_t>& file) {
    ByteArray* a = Array::newByteArray(static_cast<int32_t>(file.size()));
    for (size_t i = 0; i < file.size(); i++) a->elements()[i] = static_cast<int8_t>(file[i]);
    return a;
  }
  static ASprite* load(const std::vector<uint8_t>& file) {
    ASprite* s = ASprite::create();
    s->Load(bytes(file), 0);
    return s;
  }
  static ASprite* load(const mk::SpriteSpec& spec) { return load(mk::writeSprite(spec)); }

 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    CGame::language = 0;
    setCurrentState(0);
  }

  // The state the actors see as current: the bottom of the state stack.
  static void setCurrentState(int32_t state) {
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, state);
  }

  // A w x h target cleared to `background`, its Graphics made the sprites' target.
  Graphics* target(int32_t w, int32_t h, uint32_t background = 0xFF000000) {
    image_ = Image::createImage(w, h);
    Graphics* g = image_.get()->getGraphics();
    g->setColor(static_cast<int32_t>(background));
    g->fillRect(0, 0, w, h);
    ASprite::SetGraphics(g);
    return g;
  }
  uint16_t pixel(int32_t x, int32_t y) {
    PixelView16 v = image_->view16();
    return v.pixels[y * v.pitch + x];
  }

  // A root: the fixture itself lives outside the scanned stack.
  static inline StaticRef<Image> image_;
};

inline uint16_t rgb(uint32_t argb) { return pixel::toRgb565(argb); }

// A square image module of one colour index.
inline mk::SpriteModule solidModule(int16_t w, int16_t h, uint8_t index) {
  mk::SpriteModule m;
  m.width = w;
  m.height = h;
  m.pixels.assign(static_cast<size_t>(w) * h, index);
  return m;
}

inline String* str(const char* text) { return String::fromCString(text); }

}  // namespace sorv::test
