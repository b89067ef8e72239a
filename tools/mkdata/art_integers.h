// Integer helpers the painters share: rounding divisions for points left of or above 0,
// sixteen compass directions, and a hash of a lattice point that scatters looks (seats,
// grain, coasts) the same on every host.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

// Division rounding toward minus infinity.
constexpr int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }
constexpr int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// Sixteen directions, a sixteenth of a turn apart, as x and y in 64ths (y down).
inline constexpr int kDirections = 16;
constexpr int cos64(int k) {
  constexpr int kCos64[kDirections] = {64, 59, 45, 24, 0, -24, -45, -59, -64, -59, -45, -24, 0, 24, 45, 59};
  return kCos64[(k % kDirections + kDirections) % kDirections];
}
constexpr int sin64(int k) { return cos64(k - kDirections / 4); }
// The point `length` pixels from `from` in `direction`.
constexpr Pt along(Pt from, int direction, int length) {
  return {from.x + cos64(direction) * length / 64, from.y + sin64(direction) * length / 64};
}

constexpr uint32_t latticeHash(int a, int b, int c) {
  uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u +
               static_cast<uint32_t>(c) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

}  // namespace sorv::mkdata
