// The solid primitives of Graphics on a raw RGB565 view: rectangles, lines, triangles,
// filled arcs, and ARGB arrays (drawRGB).
//
// Invariants:
// - Coordinates are absolute target pixels (the caller has added the translation); every
//   write lies inside the clip bounded by the view, and work is bounded by the visible
//   part, so coordinates far outside never hang or overflow.
// - Fills write the colour word as given; the caller converts colours to the target format.
// Called by Graphics, the stroke font's sink, tests and benchmarks; no allocation.
#pragma once

#include <cstdint>

#include "device/pixel_view.h"

namespace sorv::raster {

// Rectangle clipping: nothing is drawn when the visible width or height is below 1.
void fillRect(const PixelView16& dst, const ClipRect& clip, int64_t x, int64_t y, int64_t w,
              int64_t h, uint16_t colour);

// Both end points are drawn.
void drawLine(const PixelView16& dst, const ClipRect& clip, int32_t x1, int32_t y1, int32_t x2,
              int32_t y2, uint16_t colour);

// Rows from the top vertex to the bottom one; each row's right end pixel is left out.
void fillTriangle(const PixelView16& dst, const ClipRect& clip, int32_t x1, int32_t y1,
                  int32_t x2, int32_t y2, int32_t x3, int32_t y3, uint16_t colour);

// Angles in degrees; only whole quadrants covered by the arc are filled.
void fillArc(const PixelView16& dst, const ClipRect& clip, int32_t x, int32_t y, int32_t w,
             int32_t h, int32_t startAngle, int32_t arcAngle, uint16_t colour);

// Radii beyond this draw nothing: the walk's decision values must stay within 64 bits.
constexpr int32_t kMaxArcRadius = 16384;

// How drawRgb treats the source colours.
enum class RgbMode {
  kOpaque,       // every pixel converted to RGB565
  kAlpha,        // alpha 0 skipped, 255 copied, others blended
  kAlphaKeyed,   // as kAlpha, but an opaque colour only becomes 0xF81F when it is 0xFF00FF
  kToArgb4444,   // every pixel converted to ARGB4444, alpha kept (ARGB4444 targets)
};

enum class RgbResult { kDrawn, kNothingVisible, kBadLength };

// argb[offset + row * scanlength + column] for the visible part of the w x h rectangle at
// (x, y); every index read is checked against argbLength first (kBadLength: nothing drawn).
RgbResult drawRgb(const PixelView16& dst, const ClipRect& clip, const int32_t* argb,
                  int32_t argbLength, int32_t offset, int32_t scanlength, int64_t x, int64_t y,
                  int32_t w, int32_t h, RgbMode mode);

}  // namespace sorv::raster
