#include "sprites/module_decode.h"

#include <algorithm>

namespace sorv {

int32_t moduleIndexBits(int32_t colourCount) {
  int32_t bits = 0;
  for (uint32_t v = static_cast<uint32_t>(colourCount - 1); colourCount > 1 && v != 0; v >>= 1) {
    bits++;
  }
  return bits;
}

namespace {

// One decode in progress: the output cursor and the input cursor, both bounded.
struct Decoder {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  const int32_t* palette;
  uint32_t colourCount;
  int32_t* out;
  int32_t end;
  int32_t at = 0;
  uint32_t faults = 0;

  bool moreBytes() const { return pos < size; }
  uint8_t next() { return data[pos++]; }

  int32_t colour(uint32_t index) {
    if (index >= colourCount) [[unlikely]] {
      faults |= kDecodeIndexOutOfRange;
      index = colourCount - 1;
    }
    return palette[index];
  }

  void run(int32_t colourValue, int32_t count) {
    if (count > end - at) {
      faults |= kDecodeRunOverflow;
      count = end - at;
    }
    std::fill_n(out + at, count, colourValue);
    at += count;
  }

  // Packed formats: `bits` bits per pixel, most significant first.
  template <int bits>
  void packed() {
    constexpr int perByte = 8 / bits;
    constexpr uint32_t mask = (1u << bits) - 1;
    // With a colour for every index the bytes need no per-pixel check.
    const bool allIndexesValid = colourCount > mask;
    while (at < end && moreBytes()) {
      uint32_t b = next();
      int32_t count = std::min<int32_t>(perByte, end - at);
      for (int32_t k = 0; k < count; k++) {
        const uint32_t index = (b >> (8 - bits * (k + 1))) & mask;
        out[at++] = allIndexesValid ? palette[index] : colour(index);
      }
    }
  }

  void runMasked(int32_t indexBits, int32_t indexMask) {
    while (at < end && moreBytes()) {
      uint32_t b = next();
      run(colour(b & static_cast<uint32_t>(indexMask)), static_cast<int32_t>(b >> indexBits) + 1);
    }
  }

  void runOrSingle() {
    while (at < end && moreBytes()) {
      uint32_t b = next();
      if (b < 0x80) {
        out[at++] = colour(b);
      } else if (moreBytes()) {
        run(colour(next()), static_cast<int32_t>(b) - 0x80);
      }
    }
  }

  void runOrLiteral() {
    while (at < end && moreBytes()) {
      uint32_t b = next();
      if (b > 0x7F) {
        int32_t literals = static_cast<int32_t>(b) - 0x80;
        if (literals > end - at) {
          faults |= kDecodeRunOverflow;
          literals = end - at;
        }
        for (int32_t k = 0; k < literals && moreBytes(); k++) out[at++] = colour(next());
      } else if (moreBytes()) {
        run(colour(next()), static_cast<int32_t>(b));
      }
    }
  }
};

}  // namespace

uint32_t decodeModulePixels(const ModulePixels& in, int32_t* out, int32_t pixelCount) {
  if (pixelCount <= 0) return kDecodeOk;
  Decoder d{in.data, in.data == nullptr ? 0 : in.size, 0, in.palette,
            static_cast<uint32_t>(std::max(in.colourCount, 1)), out, pixelCount};
  switch (in.format) {
    case kModuleFormatRunMasked: d.runMasked(in.indexBits, in.indexMask); break;
    case kModuleFormatRunOrSingle: d.runOrSingle(); break;
    case kModuleFormatRunOrLiteral: d.runOrLiteral(); break;
    case kModuleFormat4Bpp: d.packed<4>(); break;
    case kModuleFormat2Bpp: d.packed<2>(); break;
    case kModuleFormat1Bpp: d.packed<1>(); break;
    case kModuleFormat8Bpp:
      // The common case: one index per byte, no run bookkeeping.
      {
        int32_t count = static_cast<int32_t>(std::min<size_t>(d.size, static_cast<size_t>(pixelCount)));
        if (d.colourCount >= 256) {
          for (int32_t i = 0; i < count; i++) out[i] = d.palette[d.data[i]];
        } else {
          for (int32_t i = 0; i < count; i++) out[i] = d.colour(d.data[i]);
        }
        d.at = count;
      }
      break;
    default:
      d.faults |= kDecodeUnknownFormat;
      break;
  }
  if (d.at < pixelCount) {
    if (!(d.faults & kDecodeUnknownFormat)) d.faults |= kDecodeDataShort;
    std::fill(out + d.at, out + pixelCount, 0);
  }
  return d.faults;
}

}  // namespace sorv
