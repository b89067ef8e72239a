// Quarter-turned copies of 16-bit pixels: the rows of a source block become columns of the
// target. drawRegion's four axis-swapping transforms (the frame's screen copy among them) and
// the desktop window's turn of the panel both go through here, so it sits below both.
//
// Invariants:
// - turnPixels reads exactly the w x h source block and writes exactly the w x h target
//   pixels it maps to; every path gives the same pixels as the plain per-pixel copy.
// - Whole 8-column groups of 16 source rows go through AVX2 register transposes, in strips
//   of 32 rows placed so that each target line is written whole; the ragged edges, and the
//   whole block on processors without AVX2 (or with SORV_NO_AVX2=1 set), go pixel by pixel.
//   The path is chosen once, at the first turn.
// Any thread; no allocation.
#pragma once

#include <cstdint>

namespace sorv::platform {

// Source pixel (x, y) of the block (rows srcPitch pixels apart) goes to
// dst[x * pixelStep + y * rowStep]. rowStep is +1 or -1, and |pixelStep| is at least h, so
// no two target pixels coincide.
void turnPixels(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
                int64_t pixelStep, int64_t rowStep);

// Whether turnPixels takes the AVX2 path in this process.
bool turnUsesAvx2();

}  // namespace sorv::platform
