// Flat areas of a picture as rectangle modules: a rectangle is drawn with a plain fill and
// keeps no image in the sprite's cache, so a floor, a wall or a line costs a frame entry per
// rectangle rather than its pixels.
//
// Invariants: the entries paint every pixel that asks for a colour in that colour and leave
// every kKeepPixel alone; a kAnyPixel may take any colour (what is drawn later covers it);
// rectangles of one colour and size are one module; the entries depend only on the target.
// Only the data builder and its tests call this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

inline constexpr int64_t kAnyPixel = -1, kKeepPixel = -2;

// What a stretch of frame should show, row by row from its (x, y): an ARGB colour per
// pixel, or one of the marks.
struct RectTarget {
  RectTarget(int x0, int y0, int width, int height, int64_t fill = kKeepPixel)
      : x(x0), y(y0), w(width), h(height), pixels(static_cast<size_t>(width) * height, fill) {}
  int64_t at(int px, int py) const { return pixels[static_cast<size_t>(py) * w + px]; }
  void set(int px, int py, int64_t v) { pixels[static_cast<size_t>(py) * w + px] = v; }

  int x, y, w, h;
  std::vector<int64_t> pixels;
};

class PlainRects {
 public:
  explicit PlainRects(ArtSprite& sprite) : sprite_(sprite) {}
  // The entries (palette 0) that paint the target: its commonest colour first, over all it
  // may cover, then each other colour in bands of rows.
  std::vector<SpriteFModule> cover(const RectTarget& target);

 private:
  int moduleOf(uint32_t colour, int w, int h);
  ArtSprite& sprite_;
  std::map<std::tuple<uint32_t, int, int>, int> modules_;
};

}  // namespace sorv::mkdata
