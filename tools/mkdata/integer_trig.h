// Sine and cosine of whole degrees in integers, for painters that turn limbs and rackets:
// no floating point decides a pixel, so the archive is the same on every host.
//
// Invariants: the results are scaled by kTrigOne, exact at every multiple of 90 degrees,
// within 0.2 % of the true value elsewhere (Bhaskara's rational approximation), odd in the
// angle, and any whole angle (negative or past a turn) is accepted.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

namespace sorv::mkdata {

inline constexpr int kTrigOne = 1024;

constexpr int sinDeg(int degrees) {
  int a = degrees % 360;
  if (a < 0) a += 360;
  const bool negative = a >= 180;
  if (negative) a -= 180;
  const int64_t p = int64_t{a} * (180 - a);
  const int v = static_cast<int>(4 * p * kTrigOne / (40500 - p));
  return negative ? -v : v;
}

constexpr int cosDeg(int degrees) { return sinDeg(degrees + 90); }

}  // namespace sorv::mkdata
