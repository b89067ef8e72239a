// The light on painted shapes: only the marked pixels change, each to a shade of the ramp,
// the light side where the light comes from.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tools/mkdata/surface_light.h"

namespace sorv::mkdata {
namespace {

constexpr uint8_t kMarker = 200, kOther = 7;
constexpr Ramp kRamp{10, 5};

// The mean shade index over a box, in hundredths.
int meanShade(const Canvas& c, const Box& b) {
  int sum = 0, n = 0;
  for (int y = b.y; y < b.y + b.h; y++)
    for (int x = b.x; x < b.x + b.w; x++) sum += c.at(x, y), n++;
  return n == 0 ? 0 : sum * 100 / n;
}

TEST(SurfaceLight, OnlyTheMarkedShapeTakesTheRampsShadesLitFromItsSide) {
  struct Case {
    std::string name;
    std::function<void(Canvas&)> light;
    Box lit, dark;  // where the light side and the dark side of the disc lie
  };
  const Case cases[] = {
      {"cylinder", [](Canvas& c) { shadeCylinder(c, kMarker, kRamp); }, {12, 16, 4, 8}, {26, 16, 4, 8}},
      {"ball", [](Canvas& c) { shadeBall(c, kMarker, 20, 20, 10, kRamp); }, {14, 14, 4, 4}, {25, 25, 4, 4}},
      {"down", [](Canvas& c) { shadeDown(c, kMarker, {10, 10, 21, 21}, kRamp); }, {16, 12, 8, 3}, {16, 27, 8, 3}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    Canvas c(40, 40);
    c.fillRect(0, 0, 40, 4, kOther);
    c.fillEllipse(20, 20, 10, 10, kMarker);
    Canvas before = c;
    t.light(c);
    for (int y = 0; y < 40; y++) {
      for (int x = 0; x < 40; x++) {
        if (before.at(x, y) == kMarker) {
          EXPECT_TRUE(c.at(x, y) >= kRamp.dark() && c.at(x, y) <= kRamp.light()) << x << ", " << y;
        } else {
          EXPECT_EQ(c.at(x, y), before.at(x, y)) << x << ", " << y;
        }
      }
    }
    EXPECT_GT(meanShade(c, t.lit), meanShade(c, t.dark) + 100) << "no light side";
  }
  EXPECT_EQ(kRamp.at(0), kRamp.dark());
  EXPECT_EQ(kRamp.at(256), kRamp.light());
  EXPECT_EQ(kRamp.at(128), kRamp.first + 2);
}

}  // namespace
}  // namespace sorv::mkdata
