// Flat areas as rectangle modules, drawn back through the game's own sprite loader: every
// pixel that asks for a colour gets it, kept pixels show what was there before, and equal
// rectangles are one module.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/sprites/sprite_fixture.h"
#include "tools/mkdata/art_rects.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::test {
namespace {

constexpr uint32_t kGrass = 0xFF438648, kBlue = 0xFF2F62A8, kWhite = 0xFFFFFFFF, kBefore = 0xFF102030;
constexpr int kAt = 7;  // the target's offset in the frame

class ArtRectsTest : public SpriteTest {
 protected:
  // The rectangles of the target drawn over kBefore: the pixels that differ from it.
  int wrongPixels(const mk::RectTarget& t) {
    mk::ArtSprite art;
    mk::PlainRects rects(art);
    art.addFrame(rects.cover(t));
    art.addPalette({mk::kArtKey});
    for (const mk::SpriteModule& m : art.spec().modules) {
      EXPECT_EQ(m.kind, mk::kModuleFilled);
      EXPECT_LE(m.width, 255);
      EXPECT_LE(m.height, 255);
    }
    ASprite* s = load(art.write());
    target(t.x + t.w + kAt, t.y + t.h + kAt, kBefore);
    s->PaintFrame(0, kAt, kAt, 0, 100);
    int wrong = 0;
    for (int y = 0; y < t.h; y++) {
      for (int x = 0; x < t.w; x++) {
        const int64_t want = t.at(x, y);
        const uint16_t got = pixel(kAt + t.x + x, kAt + t.y + y);
        if (want == mk::kAnyPixel) continue;
        wrong += got != rgb(want == mk::kKeepPixel ? kBefore : static_cast<uint32_t>(want));
      }
    }
    return wrong;
  }
};

mk::RectTarget targetOf(int w, int h, const std::function<int64_t(int, int)>& f) {
  mk::RectTarget t(3, 2, w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) t.set(x, y, f(x, y));
  return t;
}

TEST_F(ArtRectsTest, EveryColourIsPaintedAndKeptPixelsShowWhatWasThere) {
  struct Case {
    const char* name;
    int w, h;
    std::function<int64_t(int, int)> pixel;
  };
  const Case cases[] = {
      // A court inside its run-off, the slanted line between them covered later.
      {"surface under a line", 520, 300,
       [](int x, int y) -> int64_t {
         const int left = 120 - y / 4, right = 400 + y / 4;
         if (x == left || x == left + 1 || x == right) return mk::kAnyPixel;
         return x > left && x < right && y > 20 && y < 280 ? kBlue : kGrass;
       }},
      // Stripes wider and taller than one rectangle can be.
      {"stripes", 600, 300, [](int, int y) -> int64_t { return y / 37 % 2 == 0 ? kGrass : kWhite; }},
      // Thin slanted lines over a floor drawn before.
      {"lines", 300, 200,
       [](int x, int y) -> int64_t { return x == 40 + y / 3 || x == 260 - y / 5 || y == 150 ? kWhite : mk::kKeepPixel; }},
      // Every kind of pixel in small blocks.
      {"blocks", 96, 64,
       [](int x, int y) -> int64_t {
         const uint32_t roll = static_cast<uint32_t>((x / 4) * 7919 + (y / 3) * 104729) % 5;
         const int64_t kinds[] = {kGrass, kBlue, kWhite, mk::kAnyPixel, mk::kKeepPixel};
         return kinds[roll];
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(wrongPixels(targetOf(c.w, c.h, c.pixel)), 0);
  }
}

TEST_F(ArtRectsTest, EqualRectanglesAreOneModuleAndTheCommonestColourLiesUnderTheRest) {
  mk::ArtSprite art;
  mk::PlainRects rects(art);
  // A blue square in grass: the grass one rectangle under it, the square another.
  const mk::RectTarget t = targetOf(100, 80, [](int x, int y) -> int64_t {
    return x >= 30 && x < 60 && y >= 20 && y < 50 ? kBlue : kGrass;
  });
  EXPECT_EQ(rects.cover(t).size(), 2u);
  EXPECT_EQ(art.moduleCount(), 2);
  rects.cover(t);
  EXPECT_EQ(art.moduleCount(), 2) << "the same rectangles again";
}

}  // namespace
}  // namespace sorv::test
