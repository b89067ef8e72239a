// The solid primitives against slow references: rectangles, lines, triangles, arcs, ARGB rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "device/pixel_formats.h"
#include "device/raster.h"

namespace sorv {
namespace {

constexpr uint16_t kBackground = 0x1234;
constexpr uint16_t kInk = 0xFFFF;
constexpr int32_t kGuard = 16;

// A view with an odd pitch and guard words on both sides that must never change.
struct Target {
  int32_t width, height, pitch;
  std::vector<uint16_t> storage;
  Target(int32_t w, int32_t h) : width(w), height(h), pitch(w + 3), storage(size_t(pitch) * h + 2 * kGuard, kBackground) {}
  PixelView16 view() { return {storage.data() + kGuard, width, height, pitch}; }
  uint16_t at(int32_t x, int32_t y) const { return storage[kGuard + size_t(y) * pitch + x]; }
  bool inked(int32_t x, int32_t y) const { return at(x, y) == kInk; }
  void expectGuardsIntact() const {
    for (int32_t i = 0; i < kGuard; ++i) {
      ASSERT_EQ(storage[i], kBackground);
      ASSERT_EQ(storage[storage.size() - 1 - i], kBackground);
    }
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = width; x < pitch; ++x) ASSERT_EQ(at(x, y), kBackground) << "pad " << x << "," << y;
  }
  int count() const {
    int n = 0;
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) n += inked(x, y);
    return n;
  }
};

bool inside(const ClipRect& c, int64_t x, int64_t y) {
  return x >= c.left && x < c.right && y >= c.top && y < c.bottom;
}

TEST(Raster, FillRectMatchesReferenceAtEveryAlignment) {
  std::mt19937 rng(1);
  for (int i = 0; i < 2000; ++i) {
    Target t(37, 23);
    const ClipRect clip{int32_t(rng() % 40) - 5, int32_t(rng() % 30) - 5, int32_t(rng() % 50),
                        int32_t(rng() % 35)};
    const int64_t x = int64_t(rng() % 60) - 15, y = int64_t(rng() % 40) - 10;
    const int64_t w = int64_t(rng() % 50) - 5, h = int64_t(rng() % 30) - 5;
    raster::fillRect(t.view(), clip, x, y, w, h, kInk);
    for (int32_t py = 0; py < t.height; ++py)
      for (int32_t px = 0; px < t.width; ++px) {
        const bool want = px >= x && px < x + w && py >= y && py < y + h && inside(clip, px, py);
        ASSERT_EQ(t.inked(px, py), want) << i << " at " << px << "," << py;
      }
    t.expectGuardsIntact();
  }
}

TEST(Raster, FillRectOfNothingOrFarAwayDrawsNothing) {
  const ClipRect clip{0, 0, 20, 20};
  const int64_t rects[][4] = {{5, 5, 0, 5},   {5, 5, 5, 0},   {5, 5, -3, 4},       {30, 5, 5, 5},
                              {-10, 5, 5, 5}, {-10, 5, 10, 5}, {INT64_MAX / 4, 0, 9, 9},
                              {0, INT32_MIN, 5, INT32_MAX}};
  for (const auto& r : rects) {
    Target t(20, 20);
    raster::fillRect(t.view(), clip, r[0], r[1], r[2], r[3], kInk);
    EXPECT_EQ(t.count(), 0) << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
  }
}

// One pixel per step of the major axis, both ends included, each within half a pixel of the
// true line.
void expectBresenhamLine(const Target& t, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  EXPECT_TRUE(t.inked(x1, y1));
  EXPECT_TRUE(t.inked(x2, y2));
  EXPECT_EQ(t.count(), std::max(dx, dy) + 1);
  for (int32_t y = 0; y < t.height; ++y)
    for (int32_t x = 0; x < t.width; ++x) {
      if (!t.inked(x, y)) continue;
      if (dx >= dy) {
        const double ideal = dx == 0 ? y1 : y1 + double(y2 - y1) * (x - x1) / (x2 - x1);
        ASSERT_LE(std::abs(y - ideal), 0.5 + 1e-9) << x << "," << y;
      } else {
        const double ideal = x1 + double(x2 - x1) * (y - y1) / (y2 - y1);
        ASSERT_LE(std::abs(x - ideal), 0.5 + 1e-9) << x << "," << y;
      }
    }
}

TEST(Raster, LinesInsideAreBresenhamLines) {
  std::mt19937 rng(2);
  const ClipRect clip{0, 0, 40, 30};
  for (int i = 0; i < 1000; ++i) {
    Target t(40, 30);
    const int32_t x1 = rng() % 40, y1 = rng() % 30, x2 = rng() % 40, y2 = rng() % 30;
    SCOPED_TRACE(testing::Message() << x1 << "," << y1 << " - " << x2 << "," << y2);
    raster::drawLine(t.view(), clip, x1, y1, x2, y2, kInk);
    expectBresenhamLine(t, x1, y1, x2, y2);
  }
}

TEST(Raster, LinesFarOutsideStayInsideTheClip) {
  std::mt19937 rng(3);
  const ClipRect clip{3, 4, 31, 25};
  const int32_t extremes[] = {INT32_MIN, INT32_MIN / 2, -70000, -50, 0, 17, 50, 70000, INT32_MAX / 2, INT32_MAX};
  for (int i = 0; i < 20000; ++i) {
    Target t(36, 28);
    auto near = [&](int32_t v, int spread) {
      return int32_t(std::clamp<int64_t>(int64_t{v} + int64_t(rng() % spread) - spread / 2, INT32_MIN, INT32_MAX));
    };
    const int32_t x1 = near(extremes[rng() % 10], 7), y1 = near(extremes[rng() % 10], 5);
    const int32_t x2 = i % 2 ? int32_t(rng() % 40) : extremes[rng() % 10], y2 = int32_t(rng() % 30);
    raster::drawLine(t.view(), clip, x1, y1, x2, y2, kInk);
    for (int32_t y = 0; y < t.height; ++y)
      for (int32_t x = 0; x < t.width; ++x)
        if (t.inked(x, y)) {
          ASSERT_TRUE(inside(clip, x, y)) << x1 << "," << y1 << " - " << x2 << "," << y2;
        }
    t.expectGuardsIntact();
  }
}

TEST(Raster, ClippedLineKeepsItsVisiblePart) {
  // A horizontal and a diagonal line through the clip: the visible part is exactly drawn.
  Target t(30, 30);
  raster::drawLine(t.view(), {5, 5, 25, 25}, -100, 10, 100, 10, kInk);
  for (int32_t x = 0; x < 30; ++x) EXPECT_EQ(t.inked(x, 10), x >= 5 && x < 25) << x;
  Target d(30, 30);
  raster::drawLine(d.view(), {5, 5, 25, 25}, -1000, -1000, 1000, 1000, kInk);
  for (int32_t x = 0; x < 30; ++x) EXPECT_EQ(d.inked(x, x), x >= 5 && x < 25) << x;
  EXPECT_EQ(d.count(), 20);
}

// Pixel (x, y) stands for the point (x, y) itself, as the row spans do.
double edgeSide(double ax, double ay, double bx, double by, double px, double py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

TEST(Raster, TrianglesFillTheSameInBothWindings) {
  std::mt19937 rng(4);
  const ClipRect clip{0, 0, 48, 40};
  for (int i = 0; i < 400; ++i) {
    int32_t v[6];
    for (int k = 0; k < 6; ++k) v[k] = int32_t(rng() % 60) - 6;
    SCOPED_TRACE(testing::Message() << v[0] << "," << v[1] << " " << v[2] << "," << v[3] << " " << v[4] << "," << v[5]);
    Target a(48, 40), b(48, 40);
    raster::fillTriangle(a.view(), clip, v[0], v[1], v[2], v[3], v[4], v[5], kInk);
    raster::fillTriangle(b.view(), clip, v[0], v[1], v[4], v[5], v[2], v[3], kInk);
    ASSERT_EQ(a.storage, b.storage);
    a.expectGuardsIntact();
    // Every filled pixel lies in the triangle grown by a pixel; every pixel well inside it
    // is filled.
    const double area = edgeSide(v[0], v[1], v[2], v[3], v[4], v[5]);
    if (std::abs(area) < 1) continue;
    const double sign = area > 0 ? 1 : -1;
    for (int32_t y = 0; y < a.height; ++y)
      for (int32_t x = 0; x < a.width; ++x) {
        double margin = 1e9;
        for (int e = 0; e < 3; ++e) {
          const int n = (e + 1) % 3;
          const double len = std::hypot(v[2 * n] - v[2 * e], v[2 * n + 1] - v[2 * e + 1]);
          margin = std::min(margin, sign * edgeSide(v[2 * e], v[2 * e + 1], v[2 * n], v[2 * n + 1], x, y) / len);
        }
        if (a.inked(x, y)) {
          ASSERT_GT(margin, -1.5) << x << "," << y;
        }
        if (margin > 1.5) {
          ASSERT_TRUE(a.inked(x, y)) << x << "," << y;
        }
      }
  }
}

TEST(Raster, ArcsFollowTheEllipseAndFillWholeQuadrants) {
  struct Case {
    int32_t x, y, w, h, start, arc;
    int quadrants;  // 1 top right, 2 top left, 4 bottom left, 8 bottom right
  } cases[] = {
      {0, 0, 20, 20, 0, 90, 1},     {0, 0, 20, 20, 0, 360, 15},  {2, 3, 41, 27, 0, 360, 15},
      {0, 0, 20, 20, 90, 90, 2},    {0, 0, 20, 20, 0, 180, 3},   {0, 0, 20, 20, 270, 180, 0},
      {0, 0, 20, 20, 45, 90, 0},    {0, 0, 20, 20, 180, 180, 12}, {-30, -40, 250, 230, 0, 360, 15},
      {0, 0, 20, 20, 360, 360, 0}, {0, 0, 20, 20, 0, 720, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h << " " << c.start << "+" << c.arc);
    Target t(200, 160);
    raster::fillArc(t.view(), {0, 0, 200, 160}, c.x, c.y, c.w, c.h, c.start, c.arc, kInk);
    t.expectGuardsIntact();
    const double a = c.w / 2, b = c.h / 2, cx = c.x + c.w / 2, cy = c.y + c.h / 2;
    for (int32_t y = 0; y < t.height; ++y)
      for (int32_t x = 0; x < t.width; ++x) {
        const int quadrant = y <= cy ? (x >= cx ? 1 : 2) : (x >= cx ? 8 : 4);
        const double r = std::hypot((x - cx) / (a + 0.5), (y - cy) / (b + 0.5));
        const double inner = std::hypot((x - cx) / std::max(a - 1.0, 0.5), (y - cy) / std::max(b - 1.0, 0.5));
        const bool onAxis = x == cx || y == cy;
        if (t.inked(x, y)) {
          ASSERT_LE(r, 1.0 + 1e-9) << x << "," << y;
          if (!onAxis) {
            ASSERT_TRUE(c.quadrants & quadrant) << x << "," << y;
          }
        } else if (inner < 1.0 && !onAxis && (c.quadrants & quadrant)) {
          ASSERT_TRUE(false) << "hole at " << x << "," << y;
        }
      }
  }
}

TEST(Raster, LargeArcsStayRound) {
  // Radii far beyond 32 once overflowed the walk's decision values.
  Target t(1000, 1000);
  raster::fillArc(t.view(), {0, 0, 1000, 1000}, 0, 0, 1000, 1000, 0, 360, kInk);
  for (int32_t y = 0; y < 1000; y += 7)
    for (int32_t x = 0; x < 1000; x += 7) {
      const double r = std::hypot(x - 500.0, y - 500.0);
      if (r < 498) {
        ASSERT_TRUE(t.inked(x, y)) << x << "," << y;
      }
      if (r > 501.5) {
        ASSERT_FALSE(t.inked(x, y)) << x << "," << y;
      }
    }
}

TEST(Raster, RgbRowsConvertBlendAndCheckTheirIndices) {
  const int32_t argb[] = {int32_t(0xFFFF0000), 0x00ABCDEF, int32_t(0x80FFFFFF), int32_t(0xFFFF00FF),
                          int32_t(0x7F0000FF), int32_t(0xFE01FE01), 0, int32_t(0xFFFFFFFF)};
  struct Case {
    raster::RgbMode mode;
    uint16_t want[4];
  } cases[] = {
      {raster::RgbMode::kOpaque, {0xF800, 0xAE7D, 0xFFFF, 0xF81F}},
      {raster::RgbMode::kAlpha, {0xF800, kBackground, 0x8519, 0xF81F}},
      {raster::RgbMode::kToArgb4444, {0xFF00, 0x0ACE, 0x8FFF, 0xFF0F}},
  };
  for (const Case& c : cases) {
    Target t(4, 2);
    EXPECT_EQ(raster::drawRgb(t.view(), {0, 0, 4, 2}, argb, 8, 0, 4, 0, 0, 4, 2, c.mode),
              raster::RgbResult::kDrawn);
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(t.at(x, 0), c.want[x]) << int(c.mode) << " " << x;
  }
  // Half-way blend per channel: dst + (src - dst) * alpha / 256.
  {
    Target t(1, 1);
    raster::drawRgb(t.view(), {0, 0, 1, 1}, argb + 2, 1, 0, 1, 0, 0, 1, 1, raster::RgbMode::kAlpha);
    const int r = 2 + ((31 - 2) * 128 >> 8), g = 0x11 + ((63 - 0x11) * 128 >> 8), b = 0x14 + ((31 - 0x14) * 128 >> 8);
    EXPECT_EQ(t.at(0, 0), uint16_t(r << 11 | g << 5 | b));
  }
  // Index checks: rows that would read before or past the array draw nothing.
  struct Bad {
    int32_t length, offset, scan, w, h;
  } bad[] = {{8, 0, 4, 4, 3}, {8, -1, 4, 4, 2}, {8, 5, 4, 4, 1}, {8, 4, -4, 4, 3}, {8, INT32_MAX, 4, 2, 2}};
  for (const Bad& b : bad) {
    Target t(4, 4);
    EXPECT_EQ(raster::drawRgb(t.view(), {0, 0, 4, 4}, argb, b.length, b.offset, b.scan, 0, 0, b.w, b.h,
                              raster::RgbMode::kOpaque),
              raster::RgbResult::kBadLength);
    EXPECT_EQ(t.count(), 0);
    t.expectGuardsIntact();
  }
  // A negative scan length walks upwards through the array.
  Target up(4, 2);
  EXPECT_EQ(raster::drawRgb(up.view(), {0, 0, 4, 2}, argb, 8, 4, -4, 0, 0, 4, 2, raster::RgbMode::kOpaque),
            raster::RgbResult::kDrawn);
  EXPECT_EQ(up.at(0, 1), 0xF800);
}

// The blend rule pixel by pixel: alpha 0 keeps the target, 255 takes the colour (in keyed
// mode a near-magenta one moved off the key), others dst + (src - dst) * alpha / 256 per
// channel, rounded down.
uint16_t referenceBlend(uint16_t old, uint32_t argb, bool keyed) {
  const int32_t alpha = int32_t(argb >> 24);
  const uint16_t src = pixel::toRgb565(argb);
  if (alpha == 0) return old;
  if (alpha == 255) return keyed ? pixel::toRgb565NotKey(argb) : src;
  const int shifts[3] = {11, 5, 0}, masks[3] = {0x1F, 0x3F, 0x1F};
  int32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int32_t s = (src >> shifts[c]) & masks[c], d = (old >> shifts[c]) & masks[c];
    out |= (d + int32_t(std::floor((s - d) * alpha / 256.0))) << shifts[c];
  }
  return static_cast<uint16_t>(out);
}

// Every row length from 1 to 40 (whole groups of pixels and their ends), alphas of every
// kind mixed, over random targets.
TEST(Raster, RgbBlendMatchesThePerPixelRule) {
  std::mt19937 rng(41);
  const uint32_t alphas[] = {0, 255, 1, 128, 254, 0x90};
  for (const bool keyed : {false, true}) {
    for (int32_t w = 1; w <= 40; ++w) {
      std::vector<int32_t> argb(w);
      for (auto& v : argb) {
        const uint32_t alpha = rng() % 3 == 0 ? alphas[rng() % 6] : rng() % 256;
        const uint32_t rgb = rng() % 8 == 0 ? 0xFF00FF : rng() % 8 == 0 ? 0xFC03FC : rng() & 0xFFFFFF;
        v = int32_t(alpha << 24 | rgb);
      }
      Target t(w, 1);
      for (int32_t x = 0; x < w; ++x) t.storage[kGuard + x] = static_cast<uint16_t>(rng());
      std::vector<uint16_t> want(w);
      for (int32_t x = 0; x < w; ++x) want[x] = referenceBlend(t.at(x, 0), uint32_t(argb[x]), keyed);
      raster::drawRgb(t.view(), {0, 0, w, 1}, argb.data(), w, 0, w, 0, 0, w, 1,
                      keyed ? raster::RgbMode::kAlphaKeyed : raster::RgbMode::kAlpha);
      for (int32_t x = 0; x < w; ++x)
        ASSERT_EQ(t.at(x, 0), want[x]) << "keyed " << keyed << " width " << w << " at " << x;
      t.expectGuardsIntact();
    }
  }
}

}  // namespace
}  // namespace sorv
