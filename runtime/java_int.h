// Java integer semantics for translated code.
//
// What always holds: ints wrap at 32 bits and longs at 64 (the build uses -fwrapv, and these
// helpers never rely on it for the cases a host CPU traps on); `/` and `%` truncate toward
// zero; a zero divisor throws ArithmeticException (pending, Application::throwException) and
// yields 0; MIN / -1 == MIN and MIN % -1 == 0 instead of a host trap; shift counts are masked
// (5 bits for int, 6 for long); float and double to integer conversions saturate and NaN
// gives 0. Anyone may call these; they allocate only when they throw.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace sorv {

// Throws a new ArithmeticException (out of line: the division fast path stays small).
[[gnu::cold, gnu::noinline]] void throwDivisionByZero();

namespace java_int_detail {
template <class I>
inline I divide(I a, I b) {
  if (b == 0) [[unlikely]] {
    throwDivisionByZero();
    return 0;
  }
  // The one quotient that does not fit traps on x86; Java wraps it to MIN.
  if (b == -1) return static_cast<I>(0 - static_cast<std::make_unsigned_t<I>>(a));
  return a / b;
}

template <class I>
inline I remainder(I a, I b) {
  if (b == 0) [[unlikely]] {
    throwDivisionByZero();
    return 0;
  }
  if (b == -1) return 0;
  return a % b;
}

template <class I, class F>
inline I saturate(F value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<F>(std::numeric_limits<I>::max())) return std::numeric_limits<I>::max();
  if (value <= static_cast<F>(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
  return static_cast<I>(value);
}
}  // namespace java_int_detail

inline int32_t idiv(int32_t a, int32_t b) { return java_int_detail::divide(a, b); }
inline int32_t irem(int32_t a, int32_t b) { return java_int_detail::remainder(a, b); }
inline int64_t ldiv(int64_t a, int64_t b) { return java_int_detail::divide(a, b); }
inline int64_t lrem(int64_t a, int64_t b) { return java_int_detail::remainder(a, b); }

inline int32_t ishl(int32_t a, int32_t n) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) << (n & 31));
}
inline int32_t ishr(int32_t a, int32_t n) { return a >> (n & 31); }
inline int32_t iushr(int32_t a, int32_t n) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) >> (n & 31));
}
inline int64_t lshl(int64_t a, int32_t n) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) << (n & 63));
}
inline int64_t lshr(int64_t a, int32_t n) { return a >> (n & 63); }
inline int64_t lushr(int64_t a, int32_t n) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) >> (n & 63));
}

inline int32_t d2i(double v) { return java_int_detail::saturate<int32_t>(v); }
inline int64_t d2l(double v) { return java_int_detail::saturate<int64_t>(v); }
inline int32_t f2i(float v) { return java_int_detail::saturate<int32_t>(static_cast<double>(v)); }
inline int64_t f2l(float v) { return java_int_detail::saturate<int64_t>(static_cast<double>(v)); }

// "|r| mod n" of a random draw: the sign bit is cleared first, so the result is never
// negative, even for the most negative draw whose absolute value is itself.
inline int32_t nonNegativeMod(int32_t r, int32_t n) { return irem(r & 0x7FFFFFFF, n); }

}  // namespace sorv
