// drawRegion's pixel work: one source region of a 16-bit image copied, key-skipped or
// blended onto an RGB565 target under one of the eight MIDP transforms, after clipping.
//
// Invariants:
// - Nothing outside the source view or the clip (bounded by the target view) is read or
//   written, whatever the arguments: a bad region or transform reports and draws nothing.
// - One inner loop per source kind serves all eight transforms through a start corner and
//   two signed steps; turned transforms walk the region in bands so writes stay in cache.
//   Opaque regions take faster roads with the same pixels: whole rows when they are not
//   mirrored sideways, platform::turnPixels's register tiles when they are turned (the
//   frame's screen copy).
// Called by Graphics (and by tests and benchmarks on plain buffers); no allocation.
#pragma once

#include <cstdint>

#include "device/pixel_view.h"

namespace sorv::blit {

// Source pixel kinds (the Image pixel types 0-2).
enum SourceKind : int32_t { kOpaque565 = 0, kKeyed565 = 1, kArgb4444 = 2 };

// MIDP transforms.
enum Transform : int32_t {
  kTransNone = 0, kTransMirrorRot180, kTransMirror, kTransRot180,
  kTransMirrorRot270, kTransRot90, kTransRot270, kTransMirrorRot90
};

// Per transform: bit 0 source x runs against destination, bit 1 source y runs against
// destination, bit 2 axes swapped.
inline constexpr uint8_t kTransformFlags[8] = {0, 2, 1, 3, 6, 4, 7, 5};
constexpr uint8_t kFlipX = 1, kFlipY = 2, kSwapAxes = 4;

inline bool swapsAxes(int32_t transform) {
  return transform >= 0 && transform < 8 && (kTransformFlags[transform] & kSwapAxes) != 0;
}

struct Region {
  int32_t xSrc = 0, ySrc = 0, width = 0, height = 0;
  int32_t transform = kTransNone;
  int64_t xDest = 0, yDest = 0;  // top-left of the turned region on the target, absolute
};

enum class Result { kDrawn, kNothingVisible, kBadTransform, kBadSourceX, kBadSourceY, kBadSourceKind };

Result drawRegion(const PixelView16& dst, const ClipRect& clip, const ConstPixelView16& src,
                  int32_t kind, const Region& region);

// The inner loop alone: w x h source pixels from src (srcPitch pixels a row) to dst, moving
// pixelStep per source pixel and rowStep per source row (in pixels, signed).
void blitPixels(int32_t kind, const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h,
                uint16_t* dst, int64_t pixelStep, int64_t rowStep);

// One ARGB4444 pixel over an RGB565 one: alpha 0 keeps dst, alpha 15 gives the source colour
// exactly, others mix in proportion.
uint16_t blend4444(uint16_t dst, uint16_t src);

}  // namespace sorv::blit
