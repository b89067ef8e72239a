// A picture as RGB pixels, from a screen shot's PNG file or a window's pixels.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::test {

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int32_t x, int32_t y) const { return rgb[size_t(y) * width + x]; }
};

// The shot at path; an empty picture when it cannot be read.
inline Picture readPng(const std::string& path) {
  Picture p;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return p;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) return p;
  p.width = static_cast<int32_t>(image.width);
  p.height = static_cast<int32_t>(image.height);
  p.rgb.resize(size_t(p.width) * p.height);
  for (size_t i = 0; i < p.rgb.size(); i++) {
    p.rgb[i] = uint32_t{bytes[3 * i]} << 16 | uint32_t{bytes[3 * i + 1]} << 8 | bytes[3 * i + 2];
  }
  return p;
}

// The picture as an RGB PNG at path, to look at after a run; false when it was not written.
inline bool writePng(const Picture& p, const std::string& path) {
  if (p.rgb.empty()) return false;
  std::vector<uint8_t> bytes(p.rgb.size() * 3);
  for (size_t i = 0; i < p.rgb.size(); i++) {
    bytes[3 * i] = uint8_t(p.rgb[i] >> 16);
    bytes[3 * i + 1] = uint8_t(p.rgb[i] >> 8);
    bytes[3 * i + 2] = uint8_t(p.rgb[i]);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = uint32_t(p.width);
  image.height = uint32_t(p.height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) != 0;
}

// FNV-1a over the picture's pixels: a stored picture's hash.
inline uint64_t pixelHash(const Picture& p) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (uint32_t v : p.rgb) h = (h ^ v) * 0x100000001b3ull;
  return h;
}

// A box of the game's 800 x 480 screen.
struct Box {
  int x, y, w, h;
};

// Whether two shots of the panel show the same pixels inside a game box (game point (x, y)
// is panel point (479 - y, x)); never for a shot that could not be read.
inline bool sameIn(const Picture& a, const Picture& b, const Box& box) {
  if (a.width != 480 || b.width != 480) return false;
  for (int gy = box.y; gy < box.y + box.h; gy++)
    for (int gx = box.x; gx < box.x + box.w; gx++)
      if (a.at(479 - gy, gx) != b.at(479 - gy, gx)) return false;
  return true;
}

}  // namespace sorv::test
