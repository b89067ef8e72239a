#include "runtime/util_random.h"

#include <cerrno>
#include <cstdlib>

#include "runtime/log.h"

namespace sorv {

Random* Random::create(int64_t seed) {
  Random* r = newObject<Random>();
  if (r != nullptr) r->setSeed(seed);
  return r;
}

int64_t Random::initialSeed(int64_t timeSeed) {
  const char* text = std::getenv("SORV_SEED");
  if (text == nullptr || *text == 0) return timeSeed;
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text, &end, 0);
  if (errno != 0 || end == text || *end != 0) {
    Debug::trace("SORV_SEED is not a number: %s", text);
    return timeSeed;
  }
  return value;
}

void Random::setSeed(int64_t seed) { store((static_cast<uint64_t>(seed) ^ kMultiplier) & kMask); }

int32_t Random::nextInt() {
  uint64_t next = (seed() * kMultiplier + kIncrement) & kMask;
  store(next);
  return static_cast<int32_t>(static_cast<uint32_t>(next >> 16));
}

}  // namespace sorv
