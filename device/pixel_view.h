// Raw views of 16-bit pixel arrays and the clip rectangle, shared by the blit and raster
// loops.
//
// Invariants:
// - A view's pixels hold pitch * height words (pitch counted in pixels, pitch >= width).
//   A view with null pixels is never read or written; a source may keep its size then, so
//   that its region is still checked.
// - A view is made just before a draw and dropped after it: the array behind it lives in
//   the moving buffer heap, so no view survives an allocation.
// - Clip rectangles are absolute target pixels, right and bottom exclusive; the loops
//   intersect them with the view's bounds themselves, so a wrong clip never writes outside.
#pragma once

#include <algorithm>
#include <cstdint>

namespace sorv {

template <class Pixel>
struct PixelView {
  Pixel* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // pixels from one row to the next
};

using PixelView16 = PixelView<uint16_t>;
using ConstPixelView16 = PixelView<const uint16_t>;

struct ClipRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool empty() const { return right <= left || bottom <= top; }
};

// The clip limited to the view's own bounds.
template <class Pixel>
inline ClipRect boundedClip(const ClipRect& clip, const PixelView<Pixel>& view) {
  ClipRect c{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, view.width),
             std::min(clip.bottom, view.height)};
  if (view.pixels == nullptr) c.right = c.left;
  return c;
}

}  // namespace sorv
