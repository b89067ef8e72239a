// java.util.Random: the platform's 48-bit linear congruential generator.
//
// The seed is kept as a low 32-bit word and a high 16-bit word (together < 2^48).
// setSeed(s) scrambles with 0x5DEECE66D; nextInt() steps seed := seed x 0x5DEECE66D + 11
// (mod 2^48) and gives bits 16..47. The game makes its one generator with the seed from
// initialSeed, so SORV_SEED=N repeats a run.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Random : public Object {
 public:
  static constexpr ClassId kClassId = kRandom;
  static constexpr uint64_t kMultiplier = 0x5DEECE66DULL;
  static constexpr uint64_t kIncrement = 0xB;
  static constexpr uint64_t kMask = (1ULL << 48) - 1;

  uint32_t seedLow = 0;
  uint32_t seedHigh = 0;  // the upper 16 bits of the 48

  static Random* create(int64_t seed);
  // SORV_SEED when it is set to a number, else timeSeed (a bad value is logged once).
  static int64_t initialSeed(int64_t timeSeed);

  void setSeed(int64_t seed);
  int32_t nextInt();

 private:
  uint64_t seed() const { return static_cast<uint64_t>(seedHigh) << 32 | seedLow; }
  void store(uint64_t s) {
    seedLow = static_cast<uint32_t>(s);
    seedHigh = static_cast<uint32_t>(s >> 32) & 0xFFFF;
  }
};

}  // namespace sorv
