// The small Math natives of translated code. Pure functions on values; anyone may call
// them. Integer results follow Java: abs of the most negative value is itself.
#pragma once

#include <cmath>
#include <cstdint>

namespace sorv {

struct Math {
  static double atan(double x) { return std::atan(x); }
  static int32_t abs(int32_t v) {
    return v < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
  }
  static int64_t absLong(int64_t v) {
    return v < 0 ? static_cast<int64_t>(0ull - static_cast<uint64_t>(v)) : v;
  }
  static int32_t max(int32_t a, int32_t b) { return a >= b ? a : b; }
  static int32_t min(int32_t a, int32_t b) { return a <= b ? a : b; }
};

}  // namespace sorv
