// A frame turned by any angle: the quarter turns against the pattern moved pixel by pixel,
// the angles between by area and place, what lies outside the frame left alone, and the
// frames it refuses.
#include <cmath>

#include "sprites/turned_frame.h"
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

constexpr uint32_t kGround = 0xFF404040;
const std::vector<uint32_t> kColours = {0x00FF00FF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                        0xFF00FFFF, 0xFF800080, 0xFFFFFFFF, 0xFF808080};
constexpr int32_t kSide = 100, kOrigin = 50;

// A w x h module of colour indices 1..8 repeating across, placed at (ox, oy) from the origin.
ASprite* patternSprite(int16_t w, int16_t h, int16_t ox, int16_t oy) {
  mk::SpriteSpec spec;
  mk::SpriteModule m;
  m.width = w;
  m.height = h;
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) m.pixels.push_back(static_cast<uint8_t>(1 + (x + 3 * y) % 8));
  }
  spec.modules.push_back(m);
  mk::addFrame(spec, {{0, ox, oy, 0, 0}});
  spec.palettes = {kColours};
  return SpriteTest::load(spec);
}

uint16_t colourAt(int16_t u, int16_t v) { return rgb(kColours[static_cast<size_t>(1 + (u + 3 * v) % 8)]); }

class TurnedFrameTest : public SpriteTest {
 protected:
  int32_t painted() {
    int32_t n = 0;
    for (int32_t y = 0; y < kSide; y++) {
      for (int32_t x = 0; x < kSide; x++) n += pixel(x, y) != rgb(kGround);
    }
    return n;
  }
};

// Pattern pixel (u, v) from the origin lands, turned clockwise by k quarters, on the pixel
// whose centre is the turned centre of (u, v).
TEST_F(TurnedFrameTest, QuarterTurnsMoveEveryPixel) {
  constexpr int16_t kW = 7, kH = 3, kOx = 2, kOy = -5;
  struct Case {
    int32_t angle;
    int32_t (*x)(int32_t u, int32_t v);
    int32_t (*y)(int32_t u, int32_t v);
  };
  const Case cases[] = {
      {0, [](int32_t u, int32_t) { return u; }, [](int32_t, int32_t v) { return v; }},
      {1024, [](int32_t, int32_t v) { return -v - 1; }, [](int32_t u, int32_t) { return u; }},
      {2048, [](int32_t u, int32_t) { return -u - 1; }, [](int32_t, int32_t v) { return -v - 1; }},
      {3072, [](int32_t, int32_t v) { return v; }, [](int32_t u, int32_t) { return -u - 1; }},
      {4096 + 1024, [](int32_t, int32_t v) { return -v - 1; }, [](int32_t u, int32_t) { return u; }},
      {-1024, [](int32_t, int32_t v) { return v; }, [](int32_t u, int32_t) { return -u - 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    Graphics* g = target(kSide, kSide, kGround);
    ASprite* s = patternSprite(kW, kH, kOx, kOy);
    paintFrameTurned(s, g, 0, kOrigin, kOrigin, c.angle);
    for (int16_t v = 0; v < kH; v++) {
      for (int16_t u = 0; u < kW; u++) {
        const int32_t du = kOx + u, dv = kOy + v;
        EXPECT_EQ(pixel(kOrigin + c.x(du, dv), kOrigin + c.y(du, dv)), colourAt(u, v)) << u << "," << v;
      }
    }
    EXPECT_EQ(painted(), kW * kH) << "nothing else is touched";
  }
  // No turn at all looks as the sprite's own drawing does.
  Graphics* g = target(kSide, kSide, kGround);
  patternSprite(kW, kH, kOx, kOy)->PaintFrame(g, 0, kOrigin, kOrigin, 0, 0);
  std::vector<uint16_t> plain;
  for (int32_t i = 0; i < kSide * kSide; i++) plain.push_back(pixel(i % kSide, i / kSide));
  g = target(kSide, kSide, kGround);
  paintFrameTurned(patternSprite(kW, kH, kOx, kOy), g, 0, kOrigin, kOrigin, 0);
  for (int32_t i = 0; i < kSide * kSide; i++) ASSERT_EQ(pixel(i % kSide, i / kSide), plain[static_cast<size_t>(i)]) << i;
}

// Between the quarters the turned frame keeps its area and stays inside the turned
// rectangle; its middle keeps its colour.
TEST_F(TurnedFrameTest, AnglesBetweenKeepAreaAndPlace) {
  constexpr int16_t kW = 30, kH = 10;
  for (const int32_t angle : {256, 512, 900, 1500, 2300, 3700}) {
    SCOPED_TRACE(angle);
    Graphics* g = target(kSide, kSide, kGround);
    paintFrameTurned(patternSprite(kW, kH, -kW / 2, -kH / 2), g, 0, kOrigin, kOrigin, angle);
    const int32_t n = painted();
    EXPECT_NEAR(n, kW * kH, kW * kH / 10);
    const double a = angle * 2 * 3.14159265358979 / 4096, c = std::cos(a), s = std::sin(a);
    for (int32_t y = 0; y < kSide; y++) {
      for (int32_t x = 0; x < kSide; x++) {
        if (pixel(x, y) == rgb(kGround)) continue;
        // Turned back, the pixel's centre lies in the frame (with half a pixel's slack).
        const double px = x + 0.5 - kOrigin, py = y + 0.5 - kOrigin;
        const double u = px * c + py * s, v = -px * s + py * c;
        EXPECT_LE(std::abs(u), kW / 2.0 + 0.01) << x << "," << y;
        EXPECT_LE(std::abs(v), kH / 2.0 + 0.01) << x << "," << y;
      }
    }
  }
}

TEST_F(TurnedFrameTest, RefusedFramesDrawNothing) {
  Graphics* g = target(kSide, kSide, kGround);
  paintFrameTurned(nullptr, g, 0, kOrigin, kOrigin, 512);
  paintFrameTurned(patternSprite(4, 4, 0, 0), nullptr, 0, kOrigin, kOrigin, 512);
  // Larger than a turned picture is worth: two small modules 260 pixels apart.
  mk::SpriteSpec wide;
  wide.modules.push_back(solidModule(4, 4, 1));
  mk::addFrame(wide, {{0, 0, 0, 0, 0}, {0, 260, 0, 0, 0}});
  wide.palettes = {kColours};
  paintFrameTurned(load(wide), g, 0, kOrigin, kOrigin, 512);
  EXPECT_EQ(painted(), 0);
  // Partly off the target: the rest is drawn.
  paintFrameTurned(patternSprite(20, 20, 0, 0), g, 0, kSide - 5, kSide - 5, 512);
  EXPECT_GT(painted(), 0);
}

}  // namespace
}  // namespace sorv::test
