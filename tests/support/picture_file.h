// A region of a 16-bit image written as a PNG file under the build folder, to look at after a
// run: the tests that check pictures leave what they checked where a person can open it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/image.h"
#include "tests/device/png_writer.h"

namespace sorv::test {

// The image's pixels x..x+w, y..y+h (all of it when w or h is 0) as build/FOLDER/NAME.
inline void savePicture(Image* image, const std::string& folder, const std::string& name, int32_t x = 0,
                        int32_t y = 0, int32_t w = 0, int32_t h = 0) {
  if (w == 0 || h == 0) {
    x = y = 0;
    w = image->getWidth();
    h = image->getHeight();
  }
  const PixelView16 view = image->view16();
  std::vector<uint32_t> argb;
  for (int32_t j = y; j < y + h; j++) {
    for (int32_t i = x; i < x + w; i++) {
      const bool inside = i >= 0 && j >= 0 && i < image->getWidth() && j < image->getHeight();
      const uint16_t p = inside ? view.pixels[j * view.pitch + i] : 0;
      argb.push_back(0xFF000000u | ((p >> 11) << 3) << 16 | (((p >> 5) & 0x3F) << 2) << 8 | (p & 0x1F) << 3);
    }
  }
  const std::filesystem::path dir = std::filesystem::path(SORV_BUILD_DIR) / folder;
  std::filesystem::create_directories(dir);
  const std::vector<uint8_t> png = writePng(argb, w, h, PngFormat{});
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

}  // namespace sorv::test
