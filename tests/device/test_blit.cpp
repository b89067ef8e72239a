// drawRegion's pixel work against a slow reference that maps every source pixel forward.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "device/blit.h"
#include "device/pixel_formats.h"

namespace sorv {
namespace {

struct Canvas {
  int32_t width, height, pitch;
  std::vector<uint16_t> pixels;
  Canvas(int32_t w, int32_t h, uint16_t fill = 0x1234, int32_t extra = 1)
      : width(w), height(h), pitch(w + extra), pixels(size_t(pitch) * h, fill) {}
  PixelView16 view() { return {pixels.data(), width, height, pitch}; }
  ConstPixelView16 constView() const { return {pixels.data(), width, height, pitch}; }
  uint16_t& at(int32_t x, int32_t y) { return pixels[size_t(y) * pitch + x]; }
  uint16_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * pitch + x]; }
};

Canvas randomSource(int32_t w, int32_t h, int32_t kind, uint32_t seed) {
  Canvas c(w, h, 0, 1);
  std::mt19937 rng(seed);
  for (auto& p : c.pixels) {
    p = static_cast<uint16_t>(rng());
    if (kind == blit::kKeyed565 && rng() % 4 == 0) p = pixel::kKeyColor565;
    if (kind == blit::kArgb4444 && rng() % 4 == 0) p = static_cast<uint16_t>(p | 0xF000);
    if (kind == blit::kArgb4444 && rng() % 5 == 0) p = static_cast<uint16_t>(p & 0x0FFF);
  }
  return c;
}

// MIDP's forward mapping of region pixel (sx, sy) of a w x h region.
void turn(int32_t transform, int32_t w, int32_t h, int32_t sx, int32_t sy, int32_t& u, int32_t& v) {
  switch (transform) {
    case 0: u = sx; v = sy; break;
    case 1: u = sx; v = h - 1 - sy; break;
    case 2: u = w - 1 - sx; v = sy; break;
    case 3: u = w - 1 - sx; v = h - 1 - sy; break;
    case 4: u = sy; v = sx; break;
    case 5: u = h - 1 - sy; v = sx; break;
    case 6: u = sy; v = w - 1 - sx; break;
    default: u = h - 1 - sy; v = w - 1 - sx; break;
  }
}

void referenceRegion(Canvas& dst, const ClipRect& clip, const Canvas& src, int32_t kind,
                     const blit::Region& r) {
  for (int32_t sy = 0; sy < r.height; ++sy) {
    for (int32_t sx = 0; sx < r.width; ++sx) {
      int32_t u, v;
      turn(r.transform, r.width, r.height, sx, sy, u, v);
      const int64_t x = r.xDest + u, y = r.yDest + v;
      if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
      const uint16_t s = src.at(r.xSrc + sx, r.ySrc + sy);
      uint16_t& d = dst.at(int32_t(x), int32_t(y));
      if (kind == blit::kOpaque565) d = s;
      else if (kind == blit::kKeyed565) { if (s != pixel::kKeyColor565) d = s; }
      else d = blit::blend4444(d, s);
    }
  }
}

TEST(Blit, EveryTransformKindAndClipMatchesReference) {
  const ClipRect clip{5, 4, 35, 26};
  const int32_t positions[][2] = {{10, 8},  {1, 8},   {30, 8},  {10, 0},  {10, 22}, {0, 0},
                                  {31, 23}, {-20, 8}, {10, 40}, {4, 3},   {28, 20}};
  for (int32_t kind = 0; kind < 3; ++kind) {
    const Canvas src = randomSource(13, 11, kind, 7 + kind);
    for (int32_t transform = 0; transform < 8; ++transform) {
      for (const auto& pos : positions) {
        SCOPED_TRACE(testing::Message() << "kind " << kind << " transform " << transform
                                        << " at " << pos[0] << "," << pos[1]);
        Canvas got = randomSource(40, 30, 0, 99);
        Canvas want = got;
        const blit::Region region{2, 1, 9, 7, transform, pos[0], pos[1]};
        blit::drawRegion(got.view(), clip, src.constView(), kind, region);
        referenceRegion(want, clip, src, kind, region);
        ASSERT_EQ(got.pixels, want.pixels);
      }
    }
  }
}

TEST(Blit, LargeTurnedRegionsCrossBands) {
  const Canvas src = randomSource(53, 41, blit::kOpaque565, 3);
  for (int32_t transform = 0; transform < 8; ++transform) {
    SCOPED_TRACE(transform);
    Canvas got(70, 70), want(70, 70);
    const ClipRect clip{0, 0, 70, 70};
    const blit::Region region{0, 0, 53, 41, transform, 3, 5};
    blit::drawRegion(got.view(), clip, src.constView(), blit::kOpaque565, region);
    referenceRegion(want, clip, src, blit::kOpaque565, region);
    ASSERT_EQ(got.pixels, want.pixels);
  }
}

// Every region size up to 17 x 19 of each kind under every transform, at odd places on a
// target with an odd pitch: the row copies, the turned tiles and their ragged edges.
TEST(Blit, EverySmallRegionMatchesReference) {
  const int32_t places[][2] = {{0, 0}, {3, 1}, {1, 4}, {6, 5}};
  for (int32_t kind = 0; kind < 3; ++kind) {
    const Canvas src = randomSource(21, 23, kind, 31 + kind);
    int32_t n = 0;
    for (int32_t w = 1; w <= 17; ++w) {
      for (int32_t h = 1; h <= 19; ++h) {
        for (int32_t transform = 0; transform < 8; ++transform) {
          const auto& at = places[n++ % 4];
          SCOPED_TRACE(testing::Message() << "kind " << kind << " " << w << "x" << h << " transform " << transform);
          Canvas got = randomSource(30, 30, 0, 5);
          Canvas want = got;
          const ClipRect clip{0, 0, 30, 30};
          const blit::Region region{(w + h) % 4, h % 3, w, h, transform, at[0], at[1]};
          blit::drawRegion(got.view(), clip, src.constView(), kind, region);
          referenceRegion(want, clip, src, kind, region);
          ASSERT_EQ(got.pixels, want.pixels);
        }
      }
    }
  }
}

// The game may draw an image onto itself (a shaken pause over the buffer it is painting):
// overlapping rows keep the pixel-by-pixel order, whole-row copies or not.
TEST(Blit, RegionOverItselfKeepsThePixelOrder) {
  const blit::Region regions[] = {{0, 0, 20, 10, blit::kTransNone, 3, 2},
                                  {4, 3, 20, 10, blit::kTransNone, 0, 0},
                                  {0, 0, 20, 10, blit::kTransNone, 11, 0},
                                  {2, 2, 20, 10, blit::kTransMirrorRot180, 4, 5},
                                  {0, 0, 20, 10, blit::kTransNone, 0, 12}};
  for (const blit::Region& r : regions) {
    SCOPED_TRACE(testing::Message() << "to " << r.xDest << "," << r.yDest << " transform " << r.transform);
    Canvas got = randomSource(32, 24, blit::kOpaque565, 8);
    Canvas want = got;
    const ClipRect clip{0, 0, 32, 24};
    blit::drawRegion(got.view(), clip, got.constView(), blit::kOpaque565, r);
    referenceRegion(want, clip, want, blit::kOpaque565, r);
    ASSERT_EQ(got.pixels, want.pixels);
  }
}

TEST(Blit, BadRegionsAndTransformsDrawNothing) {
  const Canvas src = randomSource(16, 16, blit::kOpaque565, 5);
  const ClipRect clip{0, 0, 32, 32};
  struct Case {
    blit::Region region;
    int32_t kind;
    blit::Result result;
  } cases[] = {
      {{-1, 0, 4, 4, 0, 2, 2}, 0, blit::Result::kBadSourceX},
      {{13, 0, 4, 4, 0, 2, 2}, 0, blit::Result::kBadSourceX},
      {{0, -3, 4, 4, 5, 2, 2}, 0, blit::Result::kBadSourceY},
      {{0, 14, 4, 4, 3, 2, 2}, 1, blit::Result::kBadSourceY},
      {{INT_MAX, 0, 4, 4, 0, 2, 2}, 0, blit::Result::kBadSourceX},
      {{1, 1, INT_MAX, 4, 0, 2, 2}, 0, blit::Result::kBadSourceX},
      {{1, 1, 4, INT_MAX, 6, 2, 2}, 2, blit::Result::kBadSourceY},
      {{0, 0, 4, 4, -1, 2, 2}, 0, blit::Result::kBadTransform},
      {{0, 0, 4, 4, 8, 2, 2}, 0, blit::Result::kBadTransform},
      {{0, 0, 4, 4, 0, 2, 2}, 3, blit::Result::kBadSourceKind},
      {{0, 0, 0, 4, 0, 2, 2}, 0, blit::Result::kNothingVisible},
      {{0, 0, -5, 4, 4, 2, 2}, 0, blit::Result::kNothingVisible},
      {{0, 0, 4, 4, 0, INT64_MIN / 2, 2}, 0, blit::Result::kNothingVisible},
      {{0, 0, 4, 4, 0, 2, INT64_MAX / 2}, 0, blit::Result::kNothingVisible},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.region.xSrc << "," << c.region.ySrc << " " << c.region.width
                                    << "x" << c.region.height << " t" << c.region.transform);
    Canvas dst(32, 32);
    const auto before = dst.pixels;
    EXPECT_EQ(blit::drawRegion(dst.view(), clip, src.constView(), c.kind, c.region), c.result);
    EXPECT_EQ(dst.pixels, before);
  }
}

TEST(Blit, ClipOutsideTargetIsBoundedByTheView) {
  const Canvas src = randomSource(8, 8, blit::kOpaque565, 1);
  Canvas dst(10, 10, 0, 0);
  std::vector<uint16_t> guarded(dst.pixels.size() + 20, 0x5555);
  PixelView16 view{guarded.data() + 10, 10, 10, 10};
  blit::drawRegion(view, ClipRect{-100, -100, 100, 100}, src.constView(), 0, {0, 0, 8, 8, 5, 6, 6});
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(guarded[i], 0x5555);
    EXPECT_EQ(guarded[guarded.size() - 1 - i], 0x5555);
  }
}

TEST(Blit, BlendReachesFullColourAndKeepsAtZero) {
  struct Case {
    uint16_t dst, src, want;
  } cases[] = {
      {0x0000, 0xFFFF, 0xFFFF},  // opaque white over black is white
      {0xFFFF, 0xF000, 0x0000},  // opaque black over white is black
      {0x1234, 0x0FFF, 0x1234},  // alpha 0 keeps the target
      {0x0000, 0xFF00, 0xF800},  // opaque red
      {0x0000, 0xF0F0, 0x07E0},  // opaque green
  };
  for (const Case& c : cases) EXPECT_EQ(blit::blend4444(c.dst, c.src), c.want) << std::hex << c.src;
  // Half-way alphas land between the two colours, near the proportional mix.
  for (uint16_t a = 1; a < 15; ++a) {
    const uint16_t got = blit::blend4444(0x0000, static_cast<uint16_t>(a << 12 | 0x0FFF));
    const double ideal = 31.0 * a / 15;
    EXPECT_NEAR(got >> 11, ideal, 1.0) << a;
    EXPECT_NEAR(got & 0x1F, ideal, 1.0) << a;
    EXPECT_NEAR((got >> 5) & 0x3F, 63.0 * a / 15, 1.5) << a;
  }
}

// The blend rule written out per channel: exact widening of the 4-bit source, weight
// expand4(alpha), dst + (src - dst) * weight / 256 rounded down, alpha 15 a plain copy.
uint16_t referenceBlend(uint16_t dst, uint16_t src) {
  const int a = src >> 12;
  if (a == 0) return dst;
  const int widened[3] = {(((src >> 8) & 0xF) * 31 + 7) / 15, (((src >> 4) & 0xF) * 63 + 7) / 15,
                          ((src & 0xF) * 31 + 7) / 15};
  if (a == 15) return static_cast<uint16_t>(widened[0] << 11 | widened[1] << 5 | widened[2]);
  const int old[3] = {dst >> 11, (dst >> 5) & 0x3F, dst & 0x1F};
  int out[3];
  for (int c = 0; c < 3; ++c) {
    const int diff = (widened[c] - old[c]) * a * 17;
    out[c] = old[c] + (diff >= 0 ? diff / 256 : -((-diff + 255) / 256));
  }
  return static_cast<uint16_t>(out[0] << 11 | out[1] << 5 | out[2]);
}

TEST(Blit, BlendMatchesPerChannelRule) {
  // Every source pixel over a spread of targets.
  std::mt19937 rng(11);
  for (int i = 0; i < 24; ++i) {
    const uint16_t dst = i == 0 ? 0x0000 : i == 1 ? 0xFFFF : static_cast<uint16_t>(rng());
    for (uint32_t src = 0; src < 0x10000; ++src)
      ASSERT_EQ(blit::blend4444(dst, uint16_t(src)), referenceBlend(dst, uint16_t(src))) << std::hex << dst << " " << src;
  }
}

// Every ARGB4444 value drawn untransformed (whole groups of eight at a time) onto random
// targets gives blend4444's pixel: in value order, so groups of one alpha (all clear, all
// opaque) come up, and shuffled, so mixed groups do.
TEST(Blit, EveryArgb4444ValueBlendsAsThePixelRule) {
  std::mt19937 rng(19);
  Canvas ordered(256, 256, 0, 0);
  for (size_t i = 0; i < ordered.pixels.size(); ++i) ordered.pixels[i] = static_cast<uint16_t>(i);
  Canvas shuffled = ordered;
  std::shuffle(shuffled.pixels.begin(), shuffled.pixels.end(), rng);
  for (const Canvas* src : {&ordered, &shuffled}) {
    Canvas got = randomSource(256, 256, blit::kOpaque565, 77);
    Canvas want = got;
    blit::drawRegion(got.view(), {0, 0, 256, 256}, src->constView(), blit::kArgb4444,
                     {0, 0, 256, 256, blit::kTransNone, 0, 0});
    for (int32_t y = 0; y < 256; ++y)
      for (int32_t x = 0; x < 256; ++x) want.at(x, y) = blit::blend4444(want.at(x, y), src->at(x, y));
    ASSERT_EQ(got.pixels, want.pixels);
  }
}

TEST(Blit, RandomArgumentsNeverWriteOutsideTheClip) {
  std::mt19937 rng(23);
  const int32_t extremes[] = {INT32_MIN, -100000, -9, -1, 0, 1, 3, 7, 12, 40, 100000, INT32_MAX};
  auto pick = [&] { return rng() % 3 == 0 ? extremes[rng() % 12] : int32_t(rng() % 30) - 8; };
  for (int i = 0; i < 20000; ++i) {
    const int32_t kind = int32_t(rng() % 3);
    const Canvas src = randomSource(11, 9, kind, uint32_t(i));
    std::vector<uint16_t> guarded(24 * 20 + 64, 0x5555);
    const PixelView16 view{guarded.data() + 32, 20, 20, 24};
    const ClipRect clip{pick(), pick(), pick(), pick()};
    const blit::Region region{pick(), pick(), pick(), pick(), int32_t(rng() % 10) - 1, pick(), pick()};
    blit::drawRegion(view, clip, src.constView(), kind, region);
    for (size_t k = 0; k < guarded.size(); ++k) {
      if (guarded[k] == 0x5555) continue;
      const int64_t at = int64_t(k) - 32, x = at % 24, y = at / 24;
      ASSERT_TRUE(at >= 0 && x < 20 && y < 20 && x >= clip.left && x < clip.right && y >= clip.top &&
                  y < clip.bottom)
          << "write at " << at << " case " << i;
    }
  }
}

}  // namespace
}  // namespace sorv
