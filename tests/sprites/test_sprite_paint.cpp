// Drawing geometry as pixels: flips and rotations against a slow reference, frame
// nesting, high module numbers, palettes per entry, clips, measuring and timing.
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

constexpr uint32_t kBlack = 0xFF000000;
// Colours exact in RGB565, one per index 1..8 (0 is the key).
const std::vector<uint32_t> kColours = {0x00FF00FF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                        0xFF00FFFF, 0xFF800080, 0xFFFFFFFF, 0xFF808080};

// A 4 x 2 module whose eight pixels all differ.
mk::SpriteModule patternModule() {
  mk::SpriteModule m;
  m.width = 4;
  m.height = 2;
  m.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
  return m;
}

// The module's pixels as the flags show them: mirror x, mirror y, then turn 90 degrees
// clockwise (the order the eight transforms compose in).
std::vector<std::vector<uint8_t>> transformed(const mk::SpriteModule& m, int flags) {
  int w = m.width, h = m.height;
  std::vector<std::vector<uint8_t>> img(static_cast<size_t>(h), std::vector<uint8_t>(static_cast<size_t>(w)));
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      int sx = flags & 1 ? w - 1 - x : x, sy = flags & 2 ? h - 1 - y : y;
      img[static_cast<size_t>(y)][static_cast<size_t>(x)] = m.pixels[static_cast<size_t>(sy * w + sx)];
    }
  }
  if (!(flags & 4)) return img;
  std::vector<std::vector<uint8_t>> turned(static_cast<size_t>(w), std::vector<uint8_t>(static_cast<size_t>(h)));
  for (int ny = 0; ny < w; ny++) {
    for (int nx = 0; nx < h; nx++) turned[static_cast<size_t>(ny)][static_cast<size_t>(nx)] = img[static_cast<size_t>(h - 1 - nx)][static_cast<size_t>(ny)];
  }
  return turned;
}

TEST_F(SpriteTest, FrameModulesUnderEveryFlipAndTurn) {
  mk::SpriteSpec spec;
  spec.modules.push_back(patternModule());
  mk::addFrame(spec, {{0, 2, 1, 0, 0}});
  spec.palettes = {kColours};
  for (uint32_t pixels : {mk::kSpriteIndexed, mk::kSpriteSingleImage}) {
    spec.flags = pixels | mk::kSpriteWideModules | mk::kSpriteWideFModuleOffsets;
    for (int flags = 0; flags < 8; flags++) {
      SCOPED_TRACE(testing::Message() << "kind 0x" << std::hex << pixels << " flags " << flags);
      clobberStack();
      target(20, 20, kBlack);
      ASprite* s = load(spec);
      s->PaintFrame(0, 10, 10, flags, 100);
      // Offsets (2, 1) move against the mirrored axes, and trade axes when turned.
      const bool turn = flags & 4;
      const int w = turn ? 2 : 4, h = turn ? 4 : 2;
      int x, y;
      if (!turn) {
        x = flags & 1 ? 10 - 4 - 2 : 10 + 2;
        y = flags & 2 ? 10 - 2 - 1 : 10 + 1;
      } else {
        y = flags & 1 ? 10 - 4 - 2 : 10 + 2;
        x = flags & 2 ? 10 - 2 - 1 : 10 + 1;
      }
      auto expect = transformed(patternModule(), flags);
      for (int py = 0; py < 20; py++) {
        for (int px = 0; px < 20; px++) {
          bool inside = px >= x && px < x + w && py >= y && py < y + h;
          uint32_t want = inside ? kColours[expect[static_cast<size_t>(py - y)][static_cast<size_t>(px - x)]] : kBlack;
          ASSERT_EQ(pixel(px, py), rgb(want)) << "at " << px << "," << py;
        }
      }
    }
  }
}

TEST_F(SpriteTest, MirroredModuleMovesByItsWidthAndOffset) {
  mk::SpriteSpec spec;
  spec.modules.push_back(solidModule(10, 1, 1));
  mk::addFrame(spec, {{0, 2, 0, 0, 0}});
  spec.palettes = {kColours};
  target(40, 4);
  ASprite* s = load(spec);
  s->PaintFrame(0, 20, 0, ASprite::kFlipX, 100);
  EXPECT_EQ(pixel(7, 0), rgb(kBlack));
  EXPECT_EQ(pixel(8, 0), rgb(kColours[1]));  // x - 12
  EXPECT_EQ(pixel(17, 0), rgb(kColours[1]));
  EXPECT_EQ(pixel(18, 0), rgb(kBlack));
}

TEST_F(SpriteTest, NestedFramesHighModulesAndEntryPalettes) {
  mk::SpriteSpec spec;
  spec.flags |= mk::kSpriteFModulePalettes;
  for (int i = 0; i < 257; i++) spec.modules.push_back(solidModule(1, 1, 1));
  spec.modules[256] = patternModule();
  // Frame 0: module 256 through flags 0x41 (mirrored). Frame 1: frame 0 placed mirrored.
  mk::addFrame(spec, {{0, 0, 0, 0, 0x41}});
  mk::addFrame(spec, {{0, 0, 0, 0, 0x11}});
  // Frame 2: a module in palette 2, then one in palette 0.
  mk::addFrame(spec, {{1, 0, 0, 2, 0}, {2, 1, 0, 0, 0}});
  std::vector<uint32_t> other = kColours;
  other[1] = 0xFF0000FF;
  spec.palettes = {kColours, kColours, other};
  target(20, 4);
  ASprite* s = load(spec);
  s->PaintFrame(0, 4, 0, 0, 100);
  EXPECT_EQ(pixel(4, 0), rgb(kColours[4]));  // mirrored: the row's last pixel first
  // Mirrored again by the caller: 1 XOR 1 draws the inner frame's entry as its own flags say.
  s->PaintFrame(1, 12, 0, ASprite::kFlipX, 100);
  EXPECT_EQ(pixel(12, 0), rgb(kColours[4]));

  s->PaintFrame(2, 0, 3, 0, 100);
  EXPECT_EQ(pixel(0, 3), rgb(0xFF0000FF));
  EXPECT_EQ(pixel(1, 3), rgb(kColours[1]));
  EXPECT_EQ(s->GetCurrentPalette(), 0);
}

TEST_F(SpriteTest, ClipEdgesAndRectangleModules) {
  mk::SpriteSpec spec;
  spec.modules.push_back(solidModule(4, 4, 1));
  mk::SpriteModule box;
  box.kind = mk::kModuleFilled;
  box.colour = 0x0000FF00;  // drawn opaque whatever its alpha
  box.width = 3;
  box.height = 2;
  spec.modules.push_back(box);
  box.kind = mk::kModuleOutline;
  spec.modules.push_back(box);
  spec.palettes = {kColours};
  Graphics* g = target(20, 20);
  ASprite* s = load(spec);
  g->setClip(10, 10, 5, 5);
  s->PaintModule(0, 5, 10, 0, 100);  // x + w < clip x: never decoded
  EXPECT_EQ(s->cachedImage(0, 0), nullptr);
  s->PaintModule(0, 6, 10, 0, 100);  // touching the edge: goes to the Graphics
  EXPECT_NE(s->cachedImage(0, 0), nullptr);
  EXPECT_EQ(pixel(9, 10), rgb(kBlack));

  g->setClip(0, 0, 20, 20);
  s->PaintModule(1, 0, 0, ASprite::kRotate90, 100);
  EXPECT_EQ(pixel(1, 2), rgb(0xFF00FF00));  // 2 x 3 after the turn
  EXPECT_EQ(pixel(2, 0), rgb(kBlack));
  s->PaintModule(2, 5, 5, 0, 100);
  EXPECT_EQ(pixel(5, 5), rgb(0xFF00FF00));
  EXPECT_EQ(pixel(8, 7), rgb(0xFF00FF00));  // drawRect covers w + 1 x h + 1
  EXPECT_EQ(pixel(6, 6), rgb(kBlack));
}

TEST_F(SpriteTest, SingleImageDrawsOnlyItsModuleAndKeepsTheCallersClip) {
  mk::SpriteSpec spec;
  spec.flags = mk::kSpriteSingleImage | mk::kSpriteWideModules;
  mk::SpriteModule a = solidModule(3, 3, 1), b = solidModule(3, 3, 2);
  b.x = 3;
  spec.modules = {a, b};
  spec.palettes = {kColours};
  Graphics* g = target(20, 20);
  g->setClip(0, 0, 12, 20);
  ASprite* s = load(spec);
  s->PaintModule(1, 10, 0, 0, 100);
  EXPECT_EQ(pixel(10, 0), rgb(kColours[2]));  // module 1's own region, not the sheet's corner
  EXPECT_EQ(pixel(11, 2), rgb(kColours[2]));
  EXPECT_EQ(pixel(12, 0), rgb(kBlack));       // the caller's clip still holds
  EXPECT_EQ(pixel(13, 0), rgb(kBlack));       // nothing beyond the module
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipWidth(), 12);
  EXPECT_EQ(g->getClipHeight(), 20);
}

TEST_F(SpriteTest, MeasuringAndAnimationTiming) {
  mk::SpriteSpec spec;
  spec.modules = {solidModule(5, 3, 1), solidModule(0, 4, 1)};
  mk::addFrame(spec, {{0, -2, 1, 0, 0}, {0, 6, 4, 0, 0}});
  mk::addFrame(spec, {{1, 0, 0, 0, 0}});
  mk::addAnim(spec, {{0, 3}, {1, 0}, {0, 2}});
  spec.palettes = {kColours};
  ASprite* s = load(spec);
  IntArray* rect = Array::newIntArray(4);
  s->GetFrameRect(rect, 0, 10, 20, 0);
  EXPECT_EQ(rect->elements()[0], 8);
  EXPECT_EQ(rect->elements()[1], 21);
  EXPECT_EQ(rect->elements()[2], 21);
  EXPECT_EQ(rect->elements()[3], 27);
  EXPECT_EQ(s->GetFrameWidth(0), 11);
  EXPECT_EQ(s->GetFrameHeight(0), 7);
  EXPECT_EQ(s->GetFrameWidth(1), -102400);  // only a zero-width module
  EXPECT_EQ(s->GetFrameModuleWidth(0, 1), 5);

  EXPECT_EQ(s->GetAFrames(0), 3);
  EXPECT_EQ(s->GetActionTime(0), 5);
  const int expected[] = {0, 0, 0, 2, 2, 3, 3};
  for (int t = 0; t < 7; t++) EXPECT_EQ(s->GetAFrameID(0, t), expected[t]) << "t " << t;
}

TEST_F(SpriteTest, FramesThatPlaceThemselvesStop) {
  mk::SpriteSpec spec;
  spec.modules = {solidModule(1, 1, 1)};
  mk::addFrame(spec, {{0, 0, 0, 0, 0x10}, {0, 0, 0, 0, 0}});
  spec.palettes = {kColours};
  target(4, 4);
  ASprite* s = load(spec);
  s->PaintFrame(0, 0, 0, 0, 100);
  EXPECT_EQ(pixel(0, 0), rgb(kColours[1]));
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

TEST_F(SpriteTest, FramesNamingEntriesPastTheTableDrawWhatExists) {
  mk::SpriteSpec spec;
  spec.modules = {solidModule(1, 1, 1)};
  mk::addFrame(spec, {{0, 0, 0, 0, 0}, {0, 1, 0, 0, 0}});
  spec.frames[0].count = 40000;  // read back as a short: negative, draws nothing
  spec.frames.push_back({7, 1, {}});
  spec.palettes = {kColours};
  target(4, 4);
  ASprite* s = load(spec);
  LogCapture log;
  s->PaintFrame(0, 0, 0, 0, 100);
  EXPECT_EQ(pixel(0, 0), rgb(kBlack));
  s->PaintFrame(1, 0, 0, 0, 100);  // entries 1..7 of 2: only entry 1
  s->PaintFrame(1, 0, 2, 0, 100);
  EXPECT_EQ(pixel(1, 0), rgb(kColours[1]));
  std::string text = log.text();
  EXPECT_NE(text.find("names entries 1..7 of 2"), std::string::npos);
  EXPECT_EQ(text.find("ArrayOutOfBound"), std::string::npos);
  EXPECT_EQ(text.find("PaintFrame"), text.rfind("PaintFrame"));
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

TEST_F(SpriteTest, FramesPlacingFramesManyTimesOverFinish) {
  // Frame k places frame k + 1 a hundred times: 100^6 module draws if walked in full.
  mk::SpriteSpec spec;
  spec.modules = {solidModule(1, 1, 1)};
  for (int k = 0; k < 6; k++) {
    std::vector<mk::SpriteFModule> entries(100, {static_cast<uint8_t>(k + 1), 0, 0, 0, 0x10});
    mk::addFrame(spec, entries);
  }
  mk::addFrame(spec, {{0, 0, 0, 0, 0}});
  spec.palettes = {kColours};
  target(4, 4);
  ASprite* s = load(spec);
  LogCapture log;
  s->PaintFrame(0, 0, 0, 0, 100);
  EXPECT_EQ(pixel(0, 0), rgb(kColours[1]));
  EXPECT_TRUE(log.contains("nests more than"));
  EXPECT_EQ(s->GetFrameWidth(0), 1);
}

}  // namespace
}  // namespace sorv::test
