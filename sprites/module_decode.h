// Decoding of sprite module pixels: palette indexes in one of seven data formats become
// 32-bit ARGB pixels in a plain buffer. No runtime objects are touched, so the sprite class,
// the data builder's tests and the fuzz target all share these loops.
//
// Invariants (hold for any input bytes):
// - exactly `pixelCount` pixels are written, never more: runs that would pass the end are
//   cut at it, and pixels the data does not reach are transparent (0);
// - no byte at or beyond `size` is read;
// - a palette index at or above `colourCount` takes the last colour.
// Whatever was mended on the way is reported in the returned fault bits, so the caller can
// log it once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sorv {

enum ModuleDataFormat : int32_t {
  kModuleFormatRunMasked = 0x64F0,   // b: colour index in the low bits, run length above
  kModuleFormatRunOrSingle = 0x27F1, // b < 0x80 one pixel; else run of b - 0x80 of the next
  kModuleFormatRunOrLiteral = 0x56F2,// b > 0x7F: b - 0x80 literals; else run of b of the next
  kModuleFormat4Bpp = 0x1600,
  kModuleFormat2Bpp = 0x0400,
  kModuleFormat1Bpp = 0x0200,
  kModuleFormat8Bpp = 0x5602,
};

enum ModuleDecodeFault : uint32_t {
  kDecodeOk = 0,
  kDecodeRunOverflow = 1,      // a run or literal block went past the module's pixels
  kDecodeDataShort = 2,        // the bytes ran out before every pixel was written
  kDecodeIndexOutOfRange = 4,  // an index at or above the colour count
  kDecodeUnknownFormat = 8,    // not one of the seven formats: all pixels transparent
};

struct ModulePixels {
  const uint8_t* data;     // this module's bytes
  size_t size;             // how many of them there are
  const int32_t* palette;  // colourCount ARGB entries
  int32_t colourCount;     // >= 1
  int32_t format;          // a ModuleDataFormat
  int32_t indexBits;       // kModuleFormatRunMasked only
  int32_t indexMask;
};

// Index bits for kModuleFormatRunMasked: the number of bits of (colourCount - 1).
int32_t moduleIndexBits(int32_t colourCount);

// Writes pixelCount ARGB pixels to out; returns ModuleDecodeFault bits.
uint32_t decodeModulePixels(const ModulePixels& in, int32_t* out, int32_t pixelCount);

}  // namespace sorv
