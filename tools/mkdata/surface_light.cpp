#include "tools/mkdata/surface_light.h"

#include <algorithm>

namespace sorv::mkdata {

namespace {

constexpr int kFull = 256;
// Where across a cylinder the light is brightest (of kFull), and how much light its dark
// side still gets.
constexpr int kHighlight = 86, kFrontHighlight = kFull / 2, kDarkSide = 24;

uint8_t dithered(const Ramp& ramp, int level, int x, int y) {
  const int v = std::clamp(level, 0, kFull) * (ramp.count - 1) * 16 / kFull;
  return static_cast<uint8_t>(ramp.first + std::min((v + ditherThreshold(x, y)) / 16, ramp.count - 1));
}

}  // namespace

uint8_t Ramp::at(int level) const {
  const int v = (std::clamp(level, 0, kFull) * (count - 1) + kFull / 2) / kFull;
  return static_cast<uint8_t>(first + v);
}

void shadeCylinder(Canvas& canvas, uint8_t marker, Ramp ramp, Light light) {
  const int highlight = light == Light::kFront ? kFrontHighlight : kHighlight;
  for (int y = 0; y < canvas.height(); y++) {
    for (int x = 0; x < canvas.width();) {
      if (canvas.at(x, y) != marker) {
        x++;
        continue;
      }
      int end = x;
      while (end < canvas.width() && canvas.at(end, y) == marker) end++;
      const int width = end - x;
      for (int i = x; i < end; i++) {
        const int across = (2 * (i - x) + 1) * kFull / (2 * width);
        const int off = std::abs(across - highlight);
        const int reach = across < highlight ? highlight : kFull - highlight;
        const int level = kFull - off * (kFull - kDarkSide) / reach;
        canvas.set(i, y, dithered(ramp, level, i, y));
      }
      x = end;
    }
  }
}

void shadeBall(Canvas& canvas, uint8_t marker, int cx, int cy, int r, Ramp ramp, Light light) {
  if (r < 1) r = 1;
  // The light's spot lies above the middle, and left of it from the upper left; the far rim
  // stays a little lit.
  const int lx = light == Light::kFront ? cx : cx - r / 3, ly = cy - r / 3;
  const int64_t reach = int64_t{4 * r / 3 + 1} * (4 * r / 3 + 1);
  for (int y = cy - r - 1; y <= cy + r + 1; y++) {
    for (int x = cx - r - 1; x <= cx + r + 1; x++) {
      if (canvas.at(x, y) != marker) continue;
      const int64_t d2 = int64_t{x - lx} * (x - lx) + int64_t{y - ly} * (y - ly);
      const int level = kFull - static_cast<int>(std::min<int64_t>(d2 * (kFull - kDarkSide) / reach, kFull - kDarkSide));
      canvas.set(x, y, dithered(ramp, level, x, y));
    }
  }
}

void shadeDown(Canvas& canvas, uint8_t marker, const Box& box, Ramp ramp) {
  for (int y = box.y; y < box.y + box.h; y++) {
    const int level = box.h <= 1 ? kFull : kFull - (y - box.y) * kFull / (box.h - 1);
    for (int x = box.x; x < box.x + box.w; x++) {
      if (canvas.at(x, y) == marker) canvas.set(x, y, dithered(ramp, level, x, y));
    }
  }
}

}  // namespace sorv::mkdata
