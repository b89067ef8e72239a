// The quarter-turned copy against the plain per-pixel one: every block up to 17 x 19, odd
// pitches, every start within a cache line, all four step directions, blocks that cross
// strips, and the game's own two turns. ctest runs these again with SORV_NO_AVX2=1 (the
// ".scalar" tests), so both paths are held to the same pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "device/platform/quarter_turn.h"

namespace sorv {
namespace {

constexpr uint16_t kUntouched = 0xA5A5;
constexpr int32_t kLinePixels = 32;  // one 64-byte cache line

struct Block {
  int32_t width, height;
  int32_t srcPitch, srcOffset;  // offsets in pixels past a cache-line boundary
  int32_t dstPitch, dstOffset;
  bool pixelsBackwards, rowsBackwards;  // the signs of pixelStep and rowStep
};

// Pixels from a cache-line boundary on, so that offsets place a block exactly.
struct LineAlignedPixels {
  explicit LineAlignedPixels(size_t count, uint16_t fill) : storage(count + kLinePixels, fill) {
    const auto address = reinterpret_cast<uintptr_t>(storage.data());
    start = storage.data() + (kLinePixels - address / 2 % kLinePixels) % kLinePixels;
  }
  std::vector<uint16_t> words(size_t count) const { return {start, start + count}; }
  std::vector<uint16_t> storage;
  uint16_t* start;
};

// Turns the block both ways and compares every target word, the untouched ones included.
void expectTurnMatchesPlainCopy(const Block& b) {
  SCOPED_TRACE(testing::Message() << b.width << "x" << b.height << " pitches " << b.srcPitch << "/" << b.dstPitch
                                  << " offsets " << b.srcOffset << "/" << b.dstOffset << " backwards "
                                  << b.pixelsBackwards << b.rowsBackwards);
  const size_t srcSize = size_t(b.srcOffset) + size_t(b.srcPitch) * b.height;
  // One target row per source column, framed by a guard row on each side.
  const size_t dstSize = size_t(b.dstOffset) + size_t(b.dstPitch) * (b.width + 2);
  LineAlignedPixels src(srcSize, 0);
  std::mt19937 rng(uint32_t(b.width * 131 + b.height));
  for (size_t i = 0; i < srcSize; ++i) src.start[i] = static_cast<uint16_t>(rng());
  LineAlignedPixels got(dstSize, kUntouched), want(dstSize, kUntouched);

  const int64_t pixelStep = b.pixelsBackwards ? -int64_t{b.dstPitch} : b.dstPitch;
  const int64_t rowStep = b.rowsBackwards ? -1 : 1;
  const int64_t origin = b.dstOffset + b.dstPitch + (b.pixelsBackwards ? int64_t{b.width - 1} * b.dstPitch : 0) +
                         (b.rowsBackwards ? b.height - 1 : 0);
  const uint16_t* block = src.start + b.srcOffset;
  platform::turnPixels(block, b.srcPitch, b.width, b.height, got.start + origin, pixelStep, rowStep);
  for (int32_t y = 0; y < b.height; ++y)
    for (int32_t x = 0; x < b.width; ++x) want.start[origin + x * pixelStep + y * rowStep] = block[y * b.srcPitch + x];
  ASSERT_EQ(got.words(dstSize), want.words(dstSize));
}

constexpr bool kBackwardsChoices[2] = {false, true};

TEST(QuarterTurn, EverySmallBlockInEveryDirection) {
  const int32_t srcExtras[] = {0, 1, 3, 6}, dstExtras[] = {0, 1, 2, 7}, offsets[] = {0, 1, 5, 8, 13, 24, 31};
  int32_t n = 0;
  for (int32_t w = 1; w <= 17; ++w) {
    for (int32_t h = 1; h <= 19; ++h) {
      for (const bool pixelsBackwards : kBackwardsChoices) {
        for (const bool rowsBackwards : kBackwardsChoices) {
          ++n;
          expectTurnMatchesPlainCopy({w, h, w + srcExtras[n % 4], offsets[n % 7], h + dstExtras[n / 4 % 4],
                                      offsets[n / 7 % 7], pixelsBackwards, rowsBackwards});
        }
      }
    }
  }
}

// The tiled path picks its strips by where the target starts within a line.
TEST(QuarterTurn, EveryStartWithinALineAcrossStrips) {
  for (int32_t offset = 0; offset < kLinePixels; ++offset) {
    for (const bool pixelsBackwards : kBackwardsChoices) {
      for (const bool rowsBackwards : kBackwardsChoices) {
        expectTurnMatchesPlainCopy({43, 101, 45, offset % 5, 103, offset, pixelsBackwards, rowsBackwards});
        expectTurnMatchesPlainCopy({64, 96, 64, 0, 96, offset, pixelsBackwards, rowsBackwards});
      }
    }
  }
}

// A quarter of the back buffer onto the panel (rows of 800 and 480 pixels) and the panel
// into the desktop window, at the starts the game's heaps and SDL give.
TEST(QuarterTurn, TheGamesOwnTurns) {
  for (const int32_t offset : {0, 4, 8, 16, 24}) {
    expectTurnMatchesPlainCopy({400, 240, 800, offset, 480, offset + 240, false, true});
    expectTurnMatchesPlainCopy({480, 800, 480, offset, 800, offset, true, false});
  }
}

TEST(QuarterTurn, TheSwitchForcesThePlainPath) {
  const char* off = std::getenv("SORV_NO_AVX2");
  if (off != nullptr && std::strcmp(off, "1") == 0) {
    EXPECT_FALSE(platform::turnUsesAvx2());
  } else {
#if defined(__x86_64__)
    EXPECT_EQ(platform::turnUsesAvx2(), __builtin_cpu_supports("avx2") != 0);
#else
    EXPECT_FALSE(platform::turnUsesAvx2());
#endif
  }
}

}  // namespace
}  // namespace sorv
