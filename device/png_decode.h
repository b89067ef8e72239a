// PNG files in memory to 16-bit pixels: a chunk walk for the size and kind of the picture,
// then libpng for the pixels.
//
// Invariants:
// - Nothing is read outside [data, data + length): the walk stops at the end of the data
//   (no IEND needed) and libpng's reader fails cleanly when the file is truncated.
// - Both sides lie in 1..kMaxSide, sizes are computed in 64 bits, and libpng's own header
//   must give the walk's width and height, so the pixel array always fits what is written.
// - Every row comes out as 8-bit RGB or RGBA whatever the file's colour type and depth
//   (palette, grey, 16-bit and interlaced files included); the row size is checked.
// - All memory libpng or the decoder takes is returned on every path, errors included.
// Called by Image::createImage, tests, the fuzz target and the benchmark; no managed
// allocation happens while the pixels are written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sorv::png {

constexpr int32_t kMaxSide = 4096;

struct Header {
  int32_t width = 0;
  int32_t height = 0;
  uint8_t bitDepth = 0;
  uint8_t colourType = 0;
  int32_t paletteEntries = 0;
  bool hasTransparency = false;
};

// The chunk walk. False (with a log line) when the data holds no usable IHDR.
bool readHeader(const uint8_t* data, size_t length, Header& header);

// Image pixel type for the file: ARGB4444 (2) for colour types with an alpha channel (6 and
// grey with alpha, 4), RGB565 (0) for the rest.
int32_t pixelTypeFor(const Header& header);

// Decodes into pixels (pitch words a row, pixelCount words in all) as pixelType 0 or 2.
// Type 0: alpha 0 becomes the key colour 0xF81F, any other pixel its RGB565 colour (only
// 0xFF00FF itself turns into the key). False after a log line when libpng fails; rows
// written until then stay.
bool decodeInto(const uint8_t* data, size_t length, const Header& header, int32_t pixelType,
                uint16_t* pixels, int32_t pitch, size_t pixelCount);

}  // namespace sorv::png
