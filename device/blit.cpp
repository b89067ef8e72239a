#include "device/blit.h"

#include <algorithm>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "device/pixel_formats.h"

namespace sorv::blit {
namespace {

struct CopyPixel {
  static void put(uint16_t* d, uint16_t s) { *d = s; }
};
struct KeyedPixel {
  // A select rather than a branch: key pixels come scattered and the loop vectorises.
  static void put(uint16_t* d, uint16_t s) { *d = s == pixel::kKeyColor565 ? *d : s; }
};
struct BlendPixel {
  // dst + (src - dst) * weight / 256 per channel with weight = expand4(alpha), except that
  // alpha 15 weighs a full 256: a plain copy (255 would stop one step short of the source
  // colour). Plain arithmetic without branches or tables, so the row loop vectorises:
  // clear, opaque and soft pixels come mixed in drawn art.
  static void put(uint16_t* d, uint16_t s) {
    const uint32_t a = s >> 12;
    const uint32_t w = a * 17 + (a == 15);
    const uint32_t r4 = (s >> 8) & 0xF, g4 = (s >> 4) & 0xF, b4 = s & 0xF;
    // The exact widening v * 31 / 15 and v * 63 / 15, rounded, without a division.
    const uint32_t r = 2 * r4 + (r4 >> 3), g = 4 * g4 + (((g4 + 2) * 13) >> 6), b = 2 * b4 + (b4 >> 3);
    const uint32_t old = *d;
    const uint32_t dr = old >> 11, dg = (old >> 5) & 0x3F, db = old & 0x1F;
    *d = static_cast<uint16_t>(((r * w + dr * (256 - w)) >> 8) << 11 | ((g * w + dg * (256 - w)) >> 8) << 5 |
                               ((b * w + db * (256 - w)) >> 8));
  }
};

// Rows of a turned region end up as columns of the target; walking a band of source rows
// column by column keeps the written target rows in cache.
constexpr int32_t kBandRows = 16;

template <class Pixel>
void blitLoop(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
              int64_t pixelStep, int64_t rowStep) {
  if (pixelStep == 1) {
    for (int32_t y = 0; y < h; ++y) {
      const uint16_t* s = src + y * srcPitch;
      uint16_t* d = dst + y * rowStep;
      for (int32_t x = 0; x < w; ++x) Pixel::put(d + x, s[x]);
    }
    return;
  }
  if (rowStep == 1 || rowStep == -1) {
    for (int32_t y0 = 0; y0 < h; y0 += kBandRows) {
      int32_t rows = std::min(kBandRows, h - y0);
      const uint16_t* s0 = src + y0 * srcPitch;
      uint16_t* d0 = dst + y0 * rowStep;
      for (int32_t x = 0; x < w; ++x) {
        const uint16_t* s = s0 + x;
        uint16_t* d = d0 + x * pixelStep;
        for (int32_t r = 0; r < rows; ++r) Pixel::put(d + r * rowStep, s[r * srcPitch]);
      }
    }
    return;
  }
  for (int32_t y = 0; y < h; ++y) {
    const uint16_t* s = src + y * srcPitch;
    uint16_t* d = dst + y * rowStep;
    for (int32_t x = 0; x < w; ++x) Pixel::put(d + x * pixelStep, s[x]);
  }
}

#if defined(__SSE2__)
// 8 x 8 pixels of a turned opaque region: eight source rows become eight target row
// segments (rowStep +1 or -1 apart) through an in-register transpose. Going backwards the
// rows are loaded last to first, so every segment is still stored front to back.
inline void turnedTile8(const uint16_t* src, int64_t srcPitch, uint16_t* dst, int64_t pixelStep,
                        int64_t rowStep) {
  const bool backwards = rowStep < 0;
  __m128i a[8];
  for (int r = 0; r < 8; ++r) {
    const int row = backwards ? 7 - r : r;
    a[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + row * srcPitch));
  }
  __m128i b[8], c[8];
  for (int i = 0; i < 4; ++i) {
    b[2 * i] = _mm_unpacklo_epi16(a[2 * i], a[2 * i + 1]);
    b[2 * i + 1] = _mm_unpackhi_epi16(a[2 * i], a[2 * i + 1]);
  }
  for (int i = 0; i < 2; ++i) {
    c[4 * i] = _mm_unpacklo_epi32(b[4 * i], b[4 * i + 2]);
    c[4 * i + 1] = _mm_unpackhi_epi32(b[4 * i], b[4 * i + 2]);
    c[4 * i + 2] = _mm_unpacklo_epi32(b[4 * i + 1], b[4 * i + 3]);
    c[4 * i + 3] = _mm_unpackhi_epi32(b[4 * i + 1], b[4 * i + 3]);
  }
  // Column x of the tile, its eight rows in store order.
  uint16_t* d = dst - (backwards ? 7 : 0);
  for (int i = 0; i < 4; ++i) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + (2 * i) * pixelStep), _mm_unpacklo_epi64(c[i], c[i + 4]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + (2 * i + 1) * pixelStep), _mm_unpackhi_epi64(c[i], c[i + 4]));
  }
}

#if defined(__x86_64__)
// The same transpose on 16 source rows: each 256-bit register carries rows r and r + 8 in
// its two lanes, so one pass makes 16-pixel target segments.
__attribute__((target("avx2"))) void turnedTile16(const uint16_t* src, int64_t srcPitch,
                                                  uint16_t* dst, int64_t pixelStep,
                                                  int64_t rowStep) {
  const bool backwards = rowStep < 0;
  __m256i a[8];
  for (int r = 0; r < 8; ++r) {
    const int low = backwards ? 15 - r : r, high = backwards ? 7 - r : r + 8;
    const __m128i lowRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + low * srcPitch));
    const __m128i highRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + high * srcPitch));
    a[r] = _mm256_inserti128_si256(_mm256_castsi128_si256(lowRow), highRow, 1);
  }
  __m256i b[8], c[8];
  for (int i = 0; i < 4; ++i) {
    b[2 * i] = _mm256_unpacklo_epi16(a[2 * i], a[2 * i + 1]);
    b[2 * i + 1] = _mm256_unpackhi_epi16(a[2 * i], a[2 * i + 1]);
  }
  for (int i = 0; i < 2; ++i) {
    c[4 * i] = _mm256_unpacklo_epi32(b[4 * i], b[4 * i + 2]);
    c[4 * i + 1] = _mm256_unpackhi_epi32(b[4 * i], b[4 * i + 2]);
    c[4 * i + 2] = _mm256_unpacklo_epi32(b[4 * i + 1], b[4 * i + 3]);
    c[4 * i + 3] = _mm256_unpackhi_epi32(b[4 * i + 1], b[4 * i + 3]);
  }
  uint16_t* d = dst - (backwards ? 15 : 0);
  for (int i = 0; i < 4; ++i) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + (2 * i) * pixelStep), _mm256_unpacklo_epi64(c[i], c[i + 4]));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + (2 * i + 1) * pixelStep), _mm256_unpackhi_epi64(c[i], c[i + 4]));
  }
}

bool hasAvx2() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}
#endif

// The screen's turned copy: whole tiles through registers, the ragged edges pixel by pixel.
void turnedCopy(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
                int64_t pixelStep, int64_t rowStep) {
  const int32_t w8 = w & ~7, h8 = h & ~7;
  // Strip by strip of source rows: reads stream along the rows, and the target lines written
  // stay cached until the next strip fills their following bytes.
  int32_t tiledRows = 0;
#if defined(__x86_64__)
  if (hasAvx2()) {
    tiledRows = h & ~15;
    for (int32_t ty = 0; ty < tiledRows; ty += 16)
      for (int32_t tx = 0; tx < w8; tx += 8)
        turnedTile16(src + ty * srcPitch + tx, srcPitch, dst + tx * pixelStep + ty * rowStep,
                     pixelStep, rowStep);
  }
#endif
  for (int32_t ty = tiledRows; ty < h8; ty += 8)
    for (int32_t tx = 0; tx < w8; tx += 8)
      turnedTile8(src + ty * srcPitch + tx, srcPitch, dst + tx * pixelStep + ty * rowStep, pixelStep,
                  rowStep);
  blitLoop<CopyPixel>(src + w8, srcPitch, w - w8, h, dst + w8 * pixelStep, pixelStep, rowStep);
  blitLoop<CopyPixel>(src + h8 * srcPitch, srcPitch, w8, h - h8, dst + h8 * rowStep, pixelStep,
                      rowStep);
}
#endif

}  // namespace

uint16_t blend4444(uint16_t dst, uint16_t src) {
  BlendPixel::put(&dst, src);
  return dst;
}

void blitPixels(int32_t kind, const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h,
                uint16_t* dst, int64_t pixelStep, int64_t rowStep) {
  switch (kind) {
    case kOpaque565:
#if defined(__SSE2__)
      if (rowStep == 1 || rowStep == -1) return turnedCopy(src, srcPitch, w, h, dst, pixelStep, rowStep);
#endif
      return blitLoop<CopyPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
    case kKeyed565: return blitLoop<KeyedPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
    case kArgb4444: return blitLoop<BlendPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
    default: return;
  }
}

Result drawRegion(const PixelView16& dst, const ClipRect& clip, const ConstPixelView16& src,
                  int32_t kind, const Region& region) {
  if (region.transform < 0 || region.transform > 7) return Result::kBadTransform;
  const uint32_t flags = kTransformFlags[region.transform];
  const bool swapped = (flags & kSwapAxes) != 0;
  int64_t w = region.width, h = region.height;
  int64_t xSrc = region.xSrc, ySrc = region.ySrc;
  const int64_t destW = swapped ? h : w, destH = swapped ? w : h;
  const ClipRect c = boundedClip(clip, dst);

  const int64_t cutLeft = std::max<int64_t>(0, c.left - region.xDest);
  const int64_t cutRight = std::max<int64_t>(0, region.xDest + destW - c.right);
  const int64_t cutTop = std::max<int64_t>(0, c.top - region.yDest);
  const int64_t cutBottom = std::max<int64_t>(0, region.yDest + destH - c.bottom);
  if (destW - cutLeft - cutRight < 1 || destH - cutTop - cutBottom < 1) return Result::kNothingVisible;

  // Each cut of the target rectangle removes the matching edge of the source region.
  if (!swapped) {
    xSrc += (flags & kFlipX) ? cutRight : cutLeft;
    ySrc += (flags & kFlipY) ? cutBottom : cutTop;
    w -= cutLeft + cutRight;
    h -= cutTop + cutBottom;
  } else {
    ySrc += (flags & kFlipY) ? cutLeft : cutRight;
    xSrc += (flags & kFlipX) ? cutBottom : cutTop;
    h -= cutLeft + cutRight;
    w -= cutTop + cutBottom;
  }
  if (xSrc < 0 || xSrc + w > src.width) return Result::kBadSourceX;
  if (ySrc < 0 || ySrc + h > src.height) return Result::kBadSourceY;
  if (kind < kOpaque565 || kind > kArgb4444) return Result::kBadSourceKind;
  if (src.pixels == nullptr) return Result::kNothingVisible;

  const int64_t left = region.xDest + cutLeft, top = region.yDest + cutTop;
  const int64_t pitch = dst.pitch;
  int64_t startX, startY, pixelStep, rowStep;
  if (!swapped) {
    pixelStep = (flags & kFlipX) ? -1 : 1;
    rowStep = (flags & kFlipY) ? -pitch : pitch;
    startX = left + ((flags & kFlipX) ? w - 1 : 0);
    startY = top + ((flags & kFlipY) ? h - 1 : 0);
  } else {
    pixelStep = (flags & kFlipX) ? -pitch : pitch;
    rowStep = (flags & kFlipY) ? 1 : -1;
    startX = left + ((flags & kFlipY) ? 0 : h - 1);
    startY = top + ((flags & kFlipX) ? w - 1 : 0);
  }
  blitPixels(kind, src.pixels + ySrc * src.pitch + xSrc, src.pitch, static_cast<int32_t>(w),
             static_cast<int32_t>(h), dst.pixels + startY * pitch + startX, pixelStep, rowStep);
  return Result::kDrawn;
}

}  // namespace sorv::blit
