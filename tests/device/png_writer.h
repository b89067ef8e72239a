// Test helper: PNG files in memory written with libpng's own writer from 0xAARRGGBB pixels,
// in any colour type, depth and interlace, so the decoder meets real files of every kind.
#pragma once

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorv::test {

struct PngFormat {
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  // Type 0 or 2: the one colour (0xRRGGBB) that a tRNS chunk marks transparent.
  int64_t transparentColour = -1;
};

// Samples come from the pixels: grey from red, low depths by shifting, 16 bits as v * 257,
// palette entries from the distinct colours (tRNS when any has alpha below 255).
inline std::vector<uint8_t> writePng(const std::vector<uint32_t>& argb, int width, int height,
                                     const PngFormat& f) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("png write failed");
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, size_t n) {
        auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, width, height, f.bitDepth, f.colourType,
               f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<uint32_t> palette;
  if (f.colourType == PNG_COLOR_TYPE_PALETTE) {
    for (uint32_t c : argb)
      if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    std::vector<png_color> entries;
    std::vector<png_byte> alphas;
    bool anyAlpha = false;
    for (uint32_t c : palette) {
      entries.push_back({png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
      alphas.push_back(png_byte(c >> 24));
      anyAlpha |= (c >> 24) != 0xFF;
    }
    png_set_PLTE(png, info, entries.data(), int(entries.size()));
    if (anyAlpha) png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
  }
  if (f.transparentColour >= 0) {
    const uint32_t c = uint32_t(f.transparentColour);
    png_color_16 key{};
    const int scale = f.bitDepth == 16 ? 257 : 1;
    key.red = png_uint_16((c >> 16 & 0xFF) * scale);
    key.green = png_uint_16((c >> 8 & 0xFF) * scale);
    key.blue = png_uint_16((c & 0xFF) * scale);
    key.gray = png_uint_16(((c >> 16 & 0xFF) >> (f.bitDepth < 8 ? 8 - f.bitDepth : 0)) * scale);
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  if (f.bitDepth < 8) png_set_packing(png);

  const int bytesPerSample = f.bitDepth == 16 ? 2 : 1;
  std::vector<std::vector<uint8_t>> rows(height);
  for (int y = 0; y < height; ++y) {
    auto& row = rows[y];
    for (int x = 0; x < width; ++x) {
      const uint32_t c = argb[size_t(y) * width + x];
      std::vector<int> samples;
      const int a = c >> 24, r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
      switch (f.colourType) {
        case PNG_COLOR_TYPE_GRAY: samples = {r}; break;
        case PNG_COLOR_TYPE_GRAY_ALPHA: samples = {r, a}; break;
        case PNG_COLOR_TYPE_RGB: samples = {r, g, b}; break;
        case PNG_COLOR_TYPE_RGB_ALPHA: samples = {r, g, b, a}; break;
        default:
          samples = {int(std::find(palette.begin(), palette.end(), c) - palette.begin())};
          break;
      }
      for (int s : samples) {
        if (f.colourType != PNG_COLOR_TYPE_PALETTE && f.bitDepth < 8) s >>= 8 - f.bitDepth;
        if (bytesPerSample == 2) {
          row.push_back(uint8_t(s));  // v * 257: both bytes equal
          row.push_back(uint8_t(s));
        } else {
          row.push_back(uint8_t(s));
        }
      }
    }
  }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// One chunk with its length and CRC, for building damaged files by hand.
inline std::vector<uint8_t> pngChunk(const char* type, const std::vector<uint8_t>& body) {
  std::vector<uint8_t> c;
  const uint32_t n = uint32_t(body.size());
  for (int s = 24; s >= 0; s -= 8) c.push_back(uint8_t(n >> s));
  c.insert(c.end(), type, type + 4);
  c.insert(c.end(), body.begin(), body.end());
  const uint32_t crc = uint32_t(crc32(crc32(0, reinterpret_cast<const Bytef*>(type), 4),
                                      body.data(), uInt(body.size())));
  for (int s = 24; s >= 0; s -= 8) c.push_back(uint8_t(crc >> s));
  return c;
}

inline std::vector<uint8_t> ihdrBody(uint32_t width, uint32_t height, uint8_t depth, uint8_t type) {
  std::vector<uint8_t> b;
  for (uint32_t v : {width, height})
    for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
  b.insert(b.end(), {depth, type, 0, 0, 0});
  return b;
}

}  // namespace sorv::test
