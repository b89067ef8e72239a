// The painter's shapes and the cutting of pictures into sprites, read back through the
// game's own sprite loader and drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tests/sprites/sprite_fixture.h"
#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::test {
namespace {

using mk::Canvas;
using mk::Pt;

int inked(const Canvas& c) {
  int n = 0;
  for (uint8_t p : c.pixels()) n += p != 0;
  return n;
}

TEST(ArtCanvas, ShapesCoverThePixelsTheirOutlinesHold) {
  struct Case {
    const char* what;
    void (*paint)(Canvas&);
    int inked;
  };
  const Case cases[] = {
      {"a rectangle polygon is its pixels", [](Canvas& c) { c.fillPolygon({{2, 2}, {7, 2}, {7, 5}, {2, 5}}, 1); }, 5 * 3},
      {"a right triangle is half a square, its diagonal counted once",
       [](Canvas& c) { c.fillPolygonSub({{0, 0}, {10 * mk::kSub, 0}, {0, 10 * mk::kSub}}, 1); }, 45},
      {"a radius-0 ellipse is its centre", [](Canvas& c) { c.fillEllipse(5, 5, 0, 0, 1); }, 1},
      {"a circle of radius 3", [](Canvas& c) { c.fillEllipse(8, 8, 3, 3, 1); }, 37},
      {"a ring leaves its middle", [](Canvas& c) { c.ellipseRing(8, 8, 5, 5, 1, 1); }, 97 - 69},
      {"an even oval drops only its corners", [](Canvas& c) { c.fillOval({2, 2, 6, 6}, 1); }, 36 - 4},
      {"a flat oval", [](Canvas& c) { c.fillOval({0, 0, 8, 2}, 1); }, 16 - 4},
      {"an oval ring is its oval less the inner one", [](Canvas& c) { c.ovalRing({2, 2, 6, 6}, 1, 1); }, 32 - 12},
      {"a 1-pixel horizontal line is its row", [](Canvas& c) { c.line({2, 4}, {11, 4}, 1, 1); }, 10},
      {"a 3-pixel vertical line with round ends", [](Canvas& c) { c.line({6, 3}, {6, 9}, 3, 1); }, 3 * 7 + 2 * 3},
      {"shapes past the edge are clipped", [](Canvas& c) { c.fillRect(-5, -5, 8, 8, 1); }, 9},
      {"a polygon past the edge is clipped", [](Canvas& c) { c.fillPolygon({{-20, 0}, {2, 0}, {2, 40}, {-20, 40}}, 1); },
       2 * 16},
  };
  for (const Case& k : cases) {
    Canvas c(16, 16);
    k.paint(c);
    EXPECT_EQ(inked(c), k.inked) << k.what;
  }
}

TEST(ArtCanvas, RampsRunFromTheFirstColourToTheLast) {
  Canvas c(8, 64);
  c.ramp(0, 0, 8, 64, 10, 4);
  for (int x = 0; x < 8; x++) {
    EXPECT_EQ(c.at(x, 0), 10);
    EXPECT_EQ(c.at(x, 63), 13);
  }
  // Averages over a whole dither cell (four rows) never fall as the ramp goes down.
  int last = 0;
  for (int y = 0; y < 64; y += 4) {
    int sum = 0;
    for (int j = y; j < y + 4; j++)
      for (int x = 0; x < 8; x++) sum += c.at(x, j);
    EXPECT_GE(sum, last) << y;
    last = sum;
  }
  Canvas over(4, 4, 1);
  over.set(0, 0, 2);
  over.rampOver(1, 0, 0, 4, 4, 20, 2);
  EXPECT_EQ(over.at(0, 0), 2) << "only the chosen colour is ramped";
  EXPECT_EQ(over.at(3, 3), 21);
}

TEST(ArtCanvas, CopiesMirrorsCropsAndBounds) {
  Canvas a(5, 3);
  a.set(0, 1, 7);
  a.set(4, 2, 8);
  EXPECT_EQ(a.mirrored().at(4, 1), 7);
  EXPECT_EQ(a.mirrored().at(0, 2), 8);
  const mk::Box b = a.bounds();
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.y, 1);
  EXPECT_EQ(b.w, 5);
  EXPECT_EQ(b.h, 2);
  EXPECT_TRUE(Canvas(3, 3).bounds().empty());
  Canvas big(10, 10);
  big.draw(a, 3, 3);
  EXPECT_EQ(big.at(3, 4), 7);
  EXPECT_EQ(big.crop({3, 4, 2, 2}).at(0, 0), 7);
  EXPECT_EQ(a.scaled(3).at(2, 5), 7);
  Canvas dot(3, 3);
  dot.set(1, 1, 5);
  dot.outline(9);
  EXPECT_EQ(inked(dot), 5);
  EXPECT_EQ(dot.at(0, 0), 0) << "the outline takes the four neighbours only";
}

class ArtSpriteTest : public SpriteTest {
 protected:
  // A palette whose index i is a distinct opaque colour (0 the key).
  static std::vector<uint32_t> rainbow(int n) {
    std::vector<uint32_t> p{mk::kArtKey};
    for (int i = 1; i < n; i++) p.push_back(mk::opaque(static_cast<uint32_t>(i * 0x0B1D37)));
    return p;
  }
  // Draws frame f of the sprite at (x, y) on a black target and checks every pixel against
  // the canvas placed with its origin there.
  void expectDrawnAs(const std::vector<uint8_t>& file, int frame, const Canvas& c, int originX, int originY,
                     const std::vector<uint32_t>& palette, bool mirror = false) {
    ASprite* s = load(file);
    const int w = c.width() + 40, h = c.height() + 40;
    target(w, h);
    const int x = 20 + originX, y = 20 + originY;
    s->PaintFrame(frame, x, y, 0, 100);
    int wrong = 0;
    for (int j = 0; j < h; j++) {
      for (int i = 0; i < w; i++) {
        const int cx = mirror ? 2 * originX - (i - 20) : i - 20;
        const uint8_t index = c.at(cx, j - 20);
        const uint16_t want = index == 0 ? rgb(0xFF000000) : rgb(palette[index]);
        wrong += pixel(i, j) != want;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
};

TEST_F(ArtSpriteTest, APictureIsCutIntoTilesTheGameDrawsBackWhole) {
  // 600 x 300 with detail everywhere but a blank band, so tiles are trimmed and skipped.
  Canvas c(600, 300);
  for (int y = 0; y < 300; y++)
    for (int x = 0; x < 600; x++)
      if (x < 250 || x > 490) c.set(x, y, static_cast<uint8_t>(1 + (x * 7 + y * 3) % 30));
  const std::vector<uint32_t> palette = rainbow(31);
  mk::ArtSprite art;
  art.addPalette(palette);
  const int frame = art.addPicture(c, 100, 50);
  for (const mk::SpriteModule& m : art.spec().modules) {
    EXPECT_LE(m.width, mk::kArtTileSide);
    EXPECT_LE(m.height, mk::kArtTileSide);
  }
  EXPECT_LT(art.moduleCount(), 9) << "the blank tile is left out";
  expectDrawnAs(art.write(), frame, c, 100, 50, palette);
}

TEST_F(ArtSpriteTest, EqualTilesAreStoredOnceAndRunsPickTheShorterFormat) {
  Canvas plain(720, 480, 3);
  mk::ArtSprite art;
  art.addPalette(rainbow(4));
  art.addPicture(plain, 0, 0);
  EXPECT_EQ(art.moduleCount(), 1);
  EXPECT_EQ(art.spec().frames[0].count, 6);
  const std::vector<uint8_t> file = art.write();
  EXPECT_LT(file.size(), 2000u) << "long runs are written run-length";
  expectDrawnAs(file, 0, plain, 0, 0, rainbow(4));
}

TEST_F(ArtSpriteTest, ModulesPastTheByteAreReachedAndMirrorsKeepTheOrigin) {
  const std::vector<uint32_t> palette = rainbow(200);
  mk::ArtSprite art;
  art.addPalette(palette);
  for (int i = 0; i < 300; i++) {
    Canvas dot(2, 1);
    dot.set(0, 0, static_cast<uint8_t>(1 + i % 199));
    dot.set(1, 0, static_cast<uint8_t>(1 + i / 199));
    art.addModule(dot);
  }
  EXPECT_EQ(art.moduleCount(), 300);
  Canvas figure(9, 12);
  figure.fillRect(0, 0, 4, 12, 150);
  figure.fillRect(4, 5, 5, 2, 151);
  const int frame = art.addPicture(figure, 2, 11);
  const int mirrored = art.addPicture(figure, 2, 11, true);
  EXPECT_GE(art.spec().fmodules[art.spec().frames[frame].first].flags, 0x40);
  expectDrawnAs(art.write(), frame, figure, 2, 11, palette);
  expectDrawnAs(art.write(), mirrored, figure, 2, 11, palette, true);
}

// Frames and animations by number, and padding that puts the next module on a fixed index:
// the game reads them where their numbers say.
TEST_F(ArtSpriteTest, NumberedFramesAnimationsAndPaddedModulesLandWhereTheyAreNamed) {
  const std::vector<uint32_t> palette = rainbow(8);
  mk::ArtSprite art;
  art.addPalette(palette);
  art.padModules(5);
  Canvas square(4, 4, 3);
  EXPECT_EQ(art.addModule(square), 5);
  EXPECT_EQ(art.setFrame(12, {mk::ArtSprite::entry(5, 0, 0)}), 12);
  EXPECT_EQ(art.spec().frames[1].count, 0) << "the gap is empty";
  EXPECT_EQ(art.setAnim(7, {{12, 3}, {12, 2, 1, 0}}), 7);
  EXPECT_EQ(art.frameCount(), 13);
  EXPECT_EQ(art.animCount(), 8);
  EXPECT_EQ(art.setAnim(9, {{12, 1}}, 12), 9);
  EXPECT_EQ(art.spec().aframes[art.spec().anims[8].first].frame, 12) << "a later gap shows the filler";
  ASprite* s = load(art.write());
  EXPECT_EQ(s->moduleCount, 6);
  EXPECT_EQ(s->GetActionTime(7), 5);
  EXPECT_EQ(s->GetActionTime(3), 1) << "the animations before it show frame 0 for a tick";
  expectDrawnAs(art.write(), 12, square, 0, 0, palette);
  EXPECT_THROW(art.padModules(2), std::invalid_argument) << "padding never moves a module";
}

}  // namespace
}  // namespace sorv::test
