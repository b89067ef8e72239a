// Integer math of the game: angles (4096 units a turn), square roots, easing, random draws.
#include <cmath>
#include <cstdint>
#include <limits>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/throwable.h"
#include "runtime/util_random.h"

namespace sorv {

namespace {

// The angle tables were made with the single-precision pi, which is why (1, 1) gives 511.
constexpr double kPi = 3.1415927410125732;
constexpr int32_t kHalfTurn = 2048;

int32_t angleOf(double radians) { return static_cast<int32_t>(kHalfTurn * radians / kPi); }

}  // namespace

int32_t CGame::atan2(int32_t x, int32_t y) { return realAtan2(x, y); }

int32_t CGame::realAtan2(int32_t x, int32_t y) {
  if (x > 0) return angleOf(std::atan(static_cast<double>(y) / x));
  if (x == 0) return y < 0 ? 3072 : 1024;
  if (y >= 0) return angleOf(kPi - std::atan(static_cast<double>(y) / -x));
  // Lower left: 2048..3071, not the mirror image in the upper left.
  return kHalfTurn + angleOf(std::atan(static_cast<double>(y) / x));
}

int32_t CGame::sqrt(int64_t value, int32_t precision) {
  if (value < 0 || precision < 0) return 0;
  const int32_t q = precision < 30 ? precision : 30;
  int32_t n = 30;
  if (value < (int64_t{1} << 60)) {
    int32_t k = 1;
    while (k < 15 && value >= (int64_t{1} << (4 * k))) k++;
    n = 2 * k - 1;
  }
  int32_t s = 2 * n - q - 2;
  if (s < 0) s = 0;
  if (s % 2 != 0) s--;
  int64_t r = value >> s;
  int64_t root = 0;
  for (int32_t b = q < n ? q : n; b >= 0; b--) {
    const int64_t trial = (2 * root + (int64_t{1} << b)) << b;
    if (r >= trial) {
      r -= trial;
      root += int64_t{1} << b;
    }
  }
  // Roots of values from 2^62 do not fit an int: they stay at its largest value.
  const int64_t result = root << (s / 2);
  return result > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                      : static_cast<int32_t>(result);
}

int32_t CGame::RAND(int32_t min, int32_t max) {
  SORV_FRAME("CGame.RAND(II)I");
  // An empty range (max below min) draws nothing rather than dividing by zero.
  if (max <= min) return min;
  Random* generator = random.get();
  if (isNull(generator)) {
    reportError("NullPointer");
    return min;
  }
  const int64_t span = int64_t{max} - min + 1;
  return static_cast<int32_t>(min + (generator->nextInt() & 0x7FFFFFFF) % span);
}

int32_t CGame::Parabolic(int32_t t, int32_t T, int32_t from, int32_t to) {
  SORV_FRAME("CGame.Parabolic(IIII)I");
  if (t < 0) t = 0;
  if (t >= T) return to;
  // T * T wraps to 0 for a T of 65536 or any multiple; a square is never -1, so a plain
  // division is safe otherwise.
  const int32_t square = T * T;
  if (square == 0) {
    throwNew(kArithmeticException, "/ by zero");
    return 0;
  }
  return from + (to - from) * t * (2 * T - t) / square;
}

int32_t CGame::EvenOddSwitch(int32_t n) { return (n & 1) != 0 ? n - 1 : n + 1; }

int32_t CGame::invertMoveDir(int32_t dir) {
  if (dir < 1 || dir > 8) return dir;
  return (dir & 1) != 0 ? dir + 1 : dir - 1;
}

}  // namespace sorv
