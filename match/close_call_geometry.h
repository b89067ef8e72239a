// The close-call inset's arithmetic: a court distance from the judged line in inset pixels,
// and the ball's progress as it flies in.
//
// Invariants: pure functions of their arguments.
#pragma once

#include <cstdint>

namespace sorv::close_call {

inline constexpr int32_t kFarthest = 400, kLeastOut = 11;

// None beyond 400 in size, and an out ball never drawn closer than 11 pixels, on the side of
// its sign (-11 for a distance of 0 or less).
constexpr int32_t insetOffset(int32_t distance, bool out) {
  int32_t d = distance > kFarthest || distance < -kFarthest ? 0 : distance * 92 / 800;
  if (out && d < kLeastOut && d > -kLeastOut) d = distance <= 0 ? -kLeastOut : kLeastOut;
  return d;
}

// Pixels into the inset t frames after the dead ball: fast, slow through the bounce, fast.
constexpr int32_t flightProgress(int32_t t) {
  if (t <= 6) return 7 + t * 460 / 90;
  if (t <= 24) return 37 + (t - 6) * 460 / 270;
  return 68 + (t - 24) * 460 / 90;
}

}  // namespace sorv::close_call
