// Fuzzes the screen buffer's pixel effects: random rectangles, strengths, blur and
// desaturation amounts and kinds through the blurred rectangle and the gradient bands, the
// row operations and the blur on runs of a small array, and the grey copy, on a small screen
// buffer and a work buffer of any size. Nothing may read or write outside its arrays, log a
// runtime error or stand still.
#include <cstdlib>
#include <cstring>

#include "device/graphics.h"
#include "device/image.h"
#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"
#include "sprites/asprite.h"

namespace {

using sorv::CGame;

// Takes ints from the input, 0 once it is used up.
struct Reader {
  const uint8_t* data;
  size_t size;
  int32_t next() {
    int32_t v = 0;
    const size_t n = size < 4 ? size : 4;
    std::memcpy(&v, data, n);
    data += n;
    size -= n;
    return v;
  }
  int32_t small(int32_t range) { return static_cast<int32_t>(static_cast<uint32_t>(next()) % static_cast<uint32_t>(range)); }
};

sorv::StaticRef<sorv::Image> gTarget;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256) return 0;
  if (sorv::fuzz::gApp == nullptr) {
    sorv::fuzz::startRuntime();
    CGame::screenBuffer = sorv::Image::createImage(96, 64);
    gTarget = sorv::Image::createImage(80, 48);
  }
  Reader in{data, size};
  // A work buffer of 1 .. 61440 pixels: strips of very few rows as well as full ones.
  sorv::ASprite::decodeBuffer = sorv::Array::newIntArray(1 + in.small(sorv::ASprite::kDecodeBufferSize));
  sorv::Graphics* g = gTarget->getGraphics();
  // Rectangles mostly near the buffer, now and then anywhere.
  auto coordinate = [&in]() { return in.small(4) == 0 ? in.next() : in.small(260) - 100; };
  const int32_t x = coordinate(), y = coordinate(), w = coordinate(), h = coordinate();
  CGame::paintIGMBlurEffect(g, x, y, w, h, in.next(), in.next());
  CGame::paintVerticalGradientEffect(g, x, y, w, h, in.small(4) == 0 ? in.next() : in.small(300), in.small(9));
  sorv::IntArray* run = sorv::Array::newIntArray(16);
  for (int32_t i = 0; i < 16; i++) run->elements()[i] = in.next();
  CGame::gradientRRewindLine(in.small(20) - 2, in.small(20) - 2, run, in.next());
  CGame::gradientLBlurLine(in.small(20) - 2, in.small(20) - 2, run, in.next());
  CGame::blurDesaturateBlock(in.small(20) - 2, run, in.next(), in.next());
  CGame::graylizeImage2Graphic(g, CGame::screenBuffer, in.small(2) == 0 ? -1 : in.next());
  sorv::fuzz::collectNowAndThen();
  return 0;
}
