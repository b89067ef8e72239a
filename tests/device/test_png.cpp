// PNG decoding into 16-bit pixels: every colour type, depth and interlace written by libpng,
// and damaged files that must fail cleanly.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "device/pixel_formats.h"
#include "device/png_decode.h"
#include "tests/device/png_writer.h"

namespace sorv {
namespace {

using test::PngFormat;

struct Decoded {
  bool headerOk = false;
  bool decoded = false;
  png::Header header;
  int32_t pixelType = -1;
  int32_t pitch = 0;  // words
  std::vector<uint16_t> pixels;
};

// The pixel array as Image would size it: even width, one spare word on odd widths.
Decoded decode(const std::vector<uint8_t>& file) {
  Decoded d;
  d.headerOk = png::readHeader(file.data(), file.size(), d.header);
  if (!d.headerOk) return d;
  d.pixelType = png::pixelTypeFor(d.header);
  d.pitch = (d.header.width + 1) & ~1;
  d.pixels.assign(size_t(d.pitch) * d.header.height, 0);
  d.decoded = png::decodeInto(file.data(), file.size(), d.header, d.pixelType, d.pixels.data(),
                              d.pitch, d.pixels.size());
  return d;
}

// What one source pixel must become, written from the rules rather than the decoder.
uint16_t expectedPixel(uint32_t argb, int32_t pixelType, bool hasAlpha) {
  const uint32_t a = argb >> 24, r = argb >> 16 & 0xFF, g = argb >> 8 & 0xFF, b = argb & 0xFF;
  if (pixelType == 2) return uint16_t((a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | (b >> 4));
  if (hasAlpha && a == 0) return 0xF81F;
  uint16_t p = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
  if (p == 0xF81F && (argb & 0xFFFFFF) != 0xFF00FF) p = 0xF81E;  // only real magenta keys
  return p;
}

// Test pictures: each format's samples must be able to hold the colours exactly.
std::vector<uint32_t> picture(int w, int h, int colourType, int depth, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint32_t> p(size_t(w) * h);
  for (auto& c : p) {
    uint32_t v = rng();
    switch (colourType) {
      case PNG_COLOR_TYPE_GRAY: {
        uint32_t g = v & 0xFF;
        if (depth < 8) g = (g >> (8 - depth)) * (255 / ((1 << depth) - 1));
        c = 0xFF000000 | g * 0x010101;
        break;
      }
      case PNG_COLOR_TYPE_GRAY_ALPHA: c = (v & 0xFF000000) | (v & 0xFF) * 0x010101; break;
      case PNG_COLOR_TYPE_RGB: c = v | 0xFF000000; break;
      case PNG_COLOR_TYPE_RGB_ALPHA: c = v; break;
      default: c = 0xFF000000 | (v % 7) * 0x250B13; break;  // a few palette colours
    }
  }
  return p;
}

void expectPixels(const Decoded& d, const std::vector<uint32_t>& src, bool hasAlpha) {
  for (int32_t y = 0; y < d.header.height; ++y) {
    for (int32_t x = 0; x < d.header.width; ++x) {
      const uint32_t c = src[size_t(y) * d.header.width + x];
      ASSERT_EQ(d.pixels[size_t(y) * d.pitch + x], expectedPixel(c, d.pixelType, hasAlpha))
          << "at " << x << "," << y << " colour " << std::hex << c;
    }
    if (d.header.width & 1) {
      ASSERT_EQ(d.pixels[size_t(y) * d.pitch + d.header.width], 0) << y;
    }
  }
}

TEST(Png, EveryColourTypeDepthAndInterlaceDecodes) {
  struct Case {
    int colourType, depth;
    bool interlaced;
    int32_t pixelType;
  } cases[] = {
      {PNG_COLOR_TYPE_GRAY, 8, false, 0},       {PNG_COLOR_TYPE_GRAY, 4, false, 0},
      {PNG_COLOR_TYPE_GRAY, 1, true, 0},        {PNG_COLOR_TYPE_GRAY, 16, false, 0},
      {PNG_COLOR_TYPE_RGB, 8, false, 0},        {PNG_COLOR_TYPE_RGB, 16, false, 0},
      {PNG_COLOR_TYPE_RGB, 8, true, 0},         {PNG_COLOR_TYPE_PALETTE, 8, false, 0},
      {PNG_COLOR_TYPE_PALETTE, 4, true, 0},     {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, 2},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, 2}, {PNG_COLOR_TYPE_RGB_ALPHA, 8, false, 2},
      {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, 2}, {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, 2},
  };
  for (const Case& c : cases) {
    for (const int width : {1, 7, 16, 33}) {
      SCOPED_TRACE(testing::Message() << "type " << c.colourType << " depth " << c.depth
                                      << (c.interlaced ? " interlaced" : "") << " width " << width);
      const int height = 5 + width % 4;
      const auto src = picture(width, height, c.colourType, c.depth, width * 31 + c.colourType);
      const auto file = test::writePng(src, width, height, {c.colourType, c.depth, c.interlaced});
      const Decoded d = decode(file);
      ASSERT_TRUE(d.headerOk);
      ASSERT_TRUE(d.decoded);
      EXPECT_EQ(d.header.width, width);
      EXPECT_EQ(d.pixelType, c.pixelType);
      expectPixels(d, src, c.pixelType == 2);
    }
  }
}

TEST(Png, TransparencyChunkKeysClearPixelsOnly) {
  // Palette with tRNS: clear entries become the key, partly clear ones count as opaque.
  std::vector<uint32_t> src = {0xFF102030, 0x00FFFFFF, 0x80406080, 0xFF102030, 0x00FFFFFF, 0xFFFFFFFF};
  Decoded d = decode(test::writePng(src, 3, 2, {PNG_COLOR_TYPE_PALETTE, 8}));
  ASSERT_TRUE(d.decoded);
  EXPECT_TRUE(d.header.hasTransparency);
  EXPECT_EQ(d.header.paletteEntries, 4);
  EXPECT_EQ(d.pixelType, 0);
  expectPixels(d, src, true);

  // RGB with a tRNS colour: exactly that colour turns clear.
  src = {0xFF00FF00, 0xFF00FE00, 0xFF123456, 0xFF00FF00};
  d = decode(test::writePng(src, 2, 2, {PNG_COLOR_TYPE_RGB, 8, false, 0x00FF00}));
  ASSERT_TRUE(d.decoded);
  EXPECT_EQ(d.pixels[0], 0xF81F);
  EXPECT_EQ(d.pixels[1], expectedPixel(0xFF00FE00, 0, false));
  EXPECT_EQ(d.pixels[d.pitch + 1], 0xF81F);

  // Grey 16-bit with a tRNS grey level.
  src = {0xFF404040, 0xFF808080, 0xFF404040};
  d = decode(test::writePng(src, 3, 1, {PNG_COLOR_TYPE_GRAY, 16, false, 0x404040}));
  ASSERT_TRUE(d.decoded);
  EXPECT_EQ(d.pixels[0], 0xF81F);
  EXPECT_EQ(d.pixels[1], expectedPixel(0xFF808080, 0, false));
  EXPECT_EQ(d.pixels[2], 0xF81F);
}

TEST(Png, OnlyExactMagentaBecomesTheKey) {
  const std::vector<uint32_t> src = {0xFFFF00FF, 0xFFFE01FE, 0xFFF803F8, 0xFF000000};
  const Decoded d = decode(test::writePng(src, 4, 1, {PNG_COLOR_TYPE_RGB, 8}));
  ASSERT_TRUE(d.decoded);
  EXPECT_EQ(d.pixels[0], 0xF81F);
  EXPECT_EQ(d.pixels[1], 0xF81E);  // near magenta stays opaque, one blue step off
  EXPECT_EQ(d.pixels[2], 0xF81E);
  EXPECT_EQ(d.pixels[3], 0x0000);
}

TEST(Png, DamagedFilesFailCleanly) {
  const auto src = picture(20, 12, PNG_COLOR_TYPE_RGB, 8, 5);
  const auto good = test::writePng(src, 20, 12, {PNG_COLOR_TYPE_RGB, 8});
  const std::vector<uint8_t> signature(good.begin(), good.begin() + 8);
  // Chunks of the good file: IHDR is the first, IEND the last 12 bytes.
  const std::vector<uint8_t> ihdr(good.begin() + 8, good.begin() + 33);
  const std::vector<uint8_t> body(good.begin() + 33, good.end() - 12);

  // Cut anywhere: no read past the data, and never a crash.
  for (size_t cut = 0; cut < good.size(); cut += 3) {
    SCOPED_TRACE(cut);
    const std::vector<uint8_t> truncated(good.begin(), good.begin() + cut);
    const Decoded d = decode(truncated);
    if (cut < 29) {
      EXPECT_FALSE(d.headerOk);  // IHDR's fields end at byte 29
    } else if (cut < good.size() - 12) {
      EXPECT_FALSE(d.decoded);
    }
  }

  // No IEND: the walk ends at the data's end and the pixels still decode.
  {
    std::vector<uint8_t> noEnd(good.begin(), good.end() - 12);
    const Decoded d = decode(noEnd);
    ASSERT_TRUE(d.decoded);
    expectPixels(d, src, false);
  }
  // A second, larger IHDR: the walk keeps the first and libpng refuses the file.
  {
    std::vector<uint8_t> file = signature;
    file.insert(file.end(), ihdr.begin(), ihdr.end());
    const auto second = test::pngChunk("IHDR", test::ihdrBody(4000, 4000, 8, 2));
    file.insert(file.end(), second.begin(), second.end());
    file.insert(file.end(), body.begin(), body.end());
    const Decoded d = decode(file);
    ASSERT_TRUE(d.headerOk);
    EXPECT_EQ(d.header.width, 20);
    EXPECT_FALSE(d.decoded);
  }
  // Sizes beyond the cap, zero or negative, and chunk lengths running past the data.
  for (const auto& [w, h] : std::vector<std::pair<uint32_t, uint32_t>>{
           {4097, 1}, {1, 4097}, {0, 5}, {5, 0}, {0x80000000u, 2}, {0xFFFFFFFFu, 0xFFFFFFFFu}}) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    std::vector<uint8_t> file = signature;
    const auto header = test::pngChunk("IHDR", test::ihdrBody(w, h, 8, 2));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), body.begin(), body.end());
    EXPECT_FALSE(decode(file).headerOk);
  }
  {
    std::vector<uint8_t> file = signature;
    const auto huge = test::pngChunk("tEXt", std::vector<uint8_t>(4, 'a'));
    file.insert(file.end(), huge.begin(), huge.end());
    file[8] = 0x7F;  // the chunk claims 2 GiB
    file.insert(file.end(), ihdr.begin(), ihdr.end());
    EXPECT_FALSE(decode(file).headerOk);
  }
}

TEST(Png, DecodeRefusesTargetsThatDoNotFit) {
  const auto src = picture(9, 9, PNG_COLOR_TYPE_RGB, 8, 2);
  const auto file = test::writePng(src, 9, 9, {PNG_COLOR_TYPE_RGB, 8});
  png::Header header;
  ASSERT_TRUE(png::readHeader(file.data(), file.size(), header));
  std::vector<uint16_t> small(10 * 8, 0x1111);
  EXPECT_FALSE(png::decodeInto(file.data(), file.size(), header, 0, small.data(), 10, small.size()));
  EXPECT_FALSE(png::decodeInto(file.data(), file.size(), header, 0, small.data(), 8, small.size()));
  EXPECT_FALSE(png::decodeInto(file.data(), file.size(), header, 1, small.data(), 10, small.size()));
  for (uint16_t p : small) ASSERT_EQ(p, 0x1111);
  // A header that disagrees with the file's own is refused before any pixel is written.
  png::Header wrong = header;
  wrong.width = 8;
  EXPECT_FALSE(png::decodeInto(file.data(), file.size(), wrong, 0, small.data(), 10, small.size()));
  for (uint16_t p : small) ASSERT_EQ(p, 0x1111);
}

}  // namespace
}  // namespace sorv
