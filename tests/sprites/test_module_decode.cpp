// The module decoders against a straightforward reading of each format, and the writer's
// encoders against the decoders.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "sprites/module_decode.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv {
namespace {

// Obviously-right decoding into an oversized buffer: runs are written whole, as the format
// says; the test then compares the first n pixels.
std::vector<int32_t> referenceDecode(const std::vector<uint8_t>& d, int32_t format,
                                     const std::vector<int32_t>& pal, int32_t n) {
  std::vector<int32_t> out;
  size_t i = 0;
  auto col = [&](uint32_t k) { return pal[k]; };
  int bits = moduleIndexBits(static_cast<int32_t>(pal.size()));
  while (static_cast<int32_t>(out.size()) < n && i < d.size()) {
    uint32_t b = d[i++];
    switch (format) {
      case 0x64F0:
        for (uint32_t k = 0; k < (b >> bits) + 1; k++) out.push_back(col(b & ((1u << bits) - 1)));
        break;
      case 0x27F1:
        if (b < 0x80) {
          out.push_back(col(b));
        } else {
          uint32_t c = d[i++];
          for (uint32_t k = 0; k < b - 0x80; k++) out.push_back(col(c));
        }
        break;
      case 0x56F2:
        if (b > 0x7F) {
          for (uint32_t k = 0; k < b - 0x80; k++) out.push_back(col(d[i++]));
        } else {
          uint32_t c = d[i++];
          for (uint32_t k = 0; k < b; k++) out.push_back(col(c));
        }
        break;
      case 0x1600: out.push_back(col(b >> 4)); out.push_back(col(b & 15)); break;
      case 0x0400:
        for (int s = 6; s >= 0; s -= 2) out.push_back(col((b >> s) & 3));
        break;
      case 0x0200:
        for (int s = 7; s >= 0; s--) out.push_back(col((b >> s) & 1));
        break;
      case 0x5602: out.push_back(col(b)); break;
    }
  }
  out.resize(static_cast<size_t>(n), 0);
  return out;
}

std::vector<int32_t> palette(int colours) {
  std::vector<int32_t> p;
  for (int i = 0; i < colours; i++) p.push_back(static_cast<int32_t>(0xFF000000u | (i * 0x010203u + 7)));
  return p;
}

std::vector<int32_t> decode(const std::vector<uint8_t>& d, int32_t format,
                            const std::vector<int32_t>& pal, int32_t n, uint32_t* faults) {
  std::vector<int32_t> out(static_cast<size_t>(n) + 8, 0x5A5A5A5A);
  int32_t bits = moduleIndexBits(static_cast<int32_t>(pal.size()));
  ModulePixels in{d.data(), d.size(), pal.data(), static_cast<int32_t>(pal.size()), format, bits,
                  (1 << bits) - 1};
  *faults = decodeModulePixels(in, out.data(), n);
  for (size_t k = static_cast<size_t>(n); k < out.size(); k++) {
    EXPECT_EQ(out[k], 0x5A5A5A5A) << "wrote past the module";
  }
  out.resize(static_cast<size_t>(n));
  return out;
}

struct FormatCase {
  int32_t format;
  int colours;
  int width, height;
};

// Every format with the colour counts that change its arithmetic and odd pixel counts.
TEST(ModuleDecode, EncodedModulesMatchTheReference) {
  const FormatCase cases[] = {
      {0x5602, 256, 13, 7}, {0x5602, 1, 5, 5},   {0x1600, 16, 7, 3}, {0x1600, 2, 1, 1},
      {0x0400, 4, 5, 3},    {0x0200, 2, 11, 3},  {0x0200, 1, 3, 3},  {0x64F0, 1, 40, 20},
      {0x64F0, 2, 9, 9},    {0x64F0, 34, 17, 5}, {0x64F0, 256, 8, 8}, {0x27F1, 200, 31, 9},
      {0x27F1, 2, 6, 1},    {0x56F2, 256, 33, 9}, {0x56F2, 3, 128, 2},
  };
  std::mt19937 rng(7);
  for (const FormatCase& c : cases) {
    int n = c.width * c.height;
    std::vector<uint8_t> idx(static_cast<size_t>(n));
    int limit = c.colours;
    if (c.format == 0x1600) limit = std::min(limit, 16);
    if (c.format == 0x0400) limit = std::min(limit, 4);
    if (c.format == 0x0200) limit = std::min(limit, 2);
    for (int i = 0; i < n; i++) {
      // Long runs and noise, so both run and literal forms are used.
      idx[static_cast<size_t>(i)] = static_cast<uint8_t>((i / 9) % 3 == 0 ? 0 : rng() % limit);
    }
    std::vector<uint8_t> data = mkdata::encodeModulePixels(idx, c.format, c.colours);
    std::vector<int32_t> pal = palette(c.colours);
    uint32_t faults = 0;
    std::vector<int32_t> got = decode(data, c.format, pal, n, &faults);
    SCOPED_TRACE(testing::Message() << std::hex << c.format << std::dec << " colours " << c.colours);
    EXPECT_EQ(got, referenceDecode(data, c.format, pal, n));
    std::vector<int32_t> expected;
    for (uint8_t k : idx) expected.push_back(pal[k]);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(faults, 0u);
  }
}

struct FaultCase {
  const char* name;
  int32_t format;
  std::vector<uint8_t> data;
  int colours;
  int pixels;
  std::vector<int32_t> expectedIndexes;  // -1 = transparent
  uint32_t faults;
};

// Input the decoders must survive: runs past the end, short data, big indexes, bad formats.
TEST(ModuleDecode, MalformedDataIsClampedAndReported) {
  const FaultCase cases[] = {
      {"run past the end", 0x64F0, {0xF1}, 2, 4, {1, 1, 1, 1}, kDecodeRunOverflow},
      {"literals past the end", 0x56F2, {0x85, 0, 1, 0, 1, 0}, 2, 3, {0, 1, 0}, kDecodeRunOverflow},
      {"run form past the end", 0x27F1, {0xFF, 1}, 2, 2, {1, 1}, kDecodeRunOverflow},
      {"data ends early", 0x5602, {1}, 2, 3, {1, -1, -1}, kDecodeDataShort},
      {"run without its colour", 0x27F1, {0x85}, 2, 2, {-1, -1}, kDecodeDataShort},
      {"index above the colours", 0x5602, {9, 0}, 3, 2, {2, 0}, kDecodeIndexOutOfRange},
      {"nibble above the colours", 0x1600, {0xF0}, 2, 2, {1, 0}, kDecodeIndexOutOfRange},
      {"unknown format", 0x1234, {1, 1}, 2, 2, {-1, -1}, kDecodeUnknownFormat},
      {"odd 4 bpp count", 0x1600, {0x10, 0x10}, 2, 3, {1, 0, 1}, kDecodeOk},
      {"no data at all", 0x0200, {}, 2, 5, {-1, -1, -1, -1, -1}, kDecodeDataShort},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int32_t> pal = palette(c.colours);
    uint32_t faults = 0;
    std::vector<int32_t> got = decode(c.data, c.format, pal, c.pixels, &faults);
    std::vector<int32_t> expected;
    for (int32_t k : c.expectedIndexes) expected.push_back(k < 0 ? 0 : pal[static_cast<size_t>(k)]);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(faults, c.faults);
  }
}

TEST(ModuleDecode, IndexBitsFollowTheColourCount) {
  const std::pair<int, int> cases[] = {{1, 0}, {2, 1}, {3, 2}, {16, 4}, {17, 5}, {34, 6}, {256, 8}};
  for (auto [colours, bits] : cases) EXPECT_EQ(moduleIndexBits(colours), bits) << colours;
}

}  // namespace
}  // namespace sorv
