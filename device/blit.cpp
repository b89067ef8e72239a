#include "device/blit.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "device/pixel_formats.h"
#include "device/platform/quarter_turn.h"

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

// The words a region of h rows of w pixels, rowStep apart, spans.
struct Span {
  uintptr_t first, end;
};
Span spanOf(const uint16_t* start, int64_t rowStep, int32_t w, int32_t h) {
  const uint16_t* lastRow = start + (h - 1) * rowStep;
  return {reinterpret_cast<uintptr_t>(std::min(start, lastRow)),
          reinterpret_cast<uintptr_t>(std::max(start, lastRow) + w)};
}

// A region drawn onto its own image over itself keeps the pixel-by-pixel order it always
// had; only regions clear of their target take the row roads below.
bool overlaps(const uint16_t* src, int64_t srcPitch, const uint16_t* dst, int64_t rowStep, int32_t w, int32_t h) {
  const Span from = spanOf(src, srcPitch, w, h), to = spanOf(dst, rowStep, w, h);
  return from.first < to.end && to.first < from.end;
}

// Untransformed or upside-down opaque regions: whole rows at a time.
int32_t copyAll(uint16_t* d, const uint16_t* s, int32_t count) {
  std::memcpy(d, s, size_t(count) * sizeof(uint16_t));
  return count;
}

#if defined(__SSE2__)
// ARGB4444 rows eight pixels at a time, BlendPixel's arithmetic in 16-bit lanes (every
// product and sum stays below 2^16). Sprite art comes in runs: a group all alpha 0 is
// skipped without touching the target, one all alpha 15 is stored without reading it. The
// row's last few pixels take the pixel loop; returns the pixels done. (Keyed rows keep the
// vectorised select: skipping key groups measured slower, its branches mispredict.)
int32_t blendEights(uint16_t* d, const uint16_t* s, int32_t count) {
  const __m128i nibble = _mm_set1_epi16(0xF), low5 = _mm_set1_epi16(0x1F), low6 = _mm_set1_epi16(0x3F);
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(256), one = _mm_set1_epi16(1);
  auto widen5 = [](__m128i v) { return _mm_add_epi16(_mm_slli_epi16(v, 1), _mm_srli_epi16(v, 3)); };
  auto widen6 = [](__m128i v) {
    const __m128i rounding = _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(v, _mm_set1_epi16(2)), _mm_set1_epi16(13)), 6);
    return _mm_add_epi16(_mm_slli_epi16(v, 2), rounding);
  };
  auto mix = [](__m128i from, __m128i to, __m128i weight, __m128i rest) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(to, weight), _mm_mullo_epi16(from, rest)), 8);
  };
  auto pack565 = [](__m128i r, __m128i g, __m128i b) {
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
  };
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i alpha = _mm_srli_epi16(pixels, 12);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(alpha, zero)) == 0xFFFF) continue;
    const __m128i r = widen5(_mm_and_si128(_mm_srli_epi16(pixels, 8), nibble));
    const __m128i g = widen6(_mm_and_si128(_mm_srli_epi16(pixels, 4), nibble));
    const __m128i b = widen5(_mm_and_si128(pixels, nibble));
    const __m128i opaque = _mm_cmpeq_epi16(alpha, nibble);
    if (_mm_movemask_epi8(opaque) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), pack565(r, g, b));
      continue;
    }
    const __m128i weight = _mm_add_epi16(_mm_mullo_epi16(alpha, _mm_set1_epi16(17)), _mm_and_si128(opaque, one));
    const __m128i rest = _mm_sub_epi16(full, weight);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i dr = _mm_srli_epi16(old, 11), dg = _mm_and_si128(_mm_srli_epi16(old, 5), low6);
    const __m128i db = _mm_and_si128(old, low5);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                     pack565(mix(dr, r, weight, rest), mix(dg, g, weight, rest), mix(db, b, weight, rest)));
  }
  return i;
}
#endif

// The rows of an untransformed or upside-down region clear of its target: Eights takes what
// it can of each row, the pixel loop the rest.
template <class Pixel, int32_t (*Eights)(uint16_t*, const uint16_t*, int32_t)>
void blitRows(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst, int64_t rowStep) {
  for (int32_t y = 0; y < h; ++y) {
    const uint16_t* s = src + y * srcPitch;
    uint16_t* d = dst + y * rowStep;
    for (int32_t x = Eights(d, s, w); x < w; ++x) Pixel::put(d + x, s[x]);
  }
}

}  // namespace

uint16_t blend4444(uint16_t dst, uint16_t src) {
  BlendPixel::put(&dst, src);
  return dst;
}

void blitPixels(int32_t kind, const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h,
                uint16_t* dst, int64_t pixelStep, int64_t rowStep) {
  const bool byRows = pixelStep == 1 && !overlaps(src, srcPitch, dst, rowStep, w, h);
  switch (kind) {
    case kOpaque565:
      if (byRows) return blitRows<CopyPixel, copyAll>(src, srcPitch, w, h, dst, rowStep);
      if (rowStep == 1 || rowStep == -1) return platform::turnPixels(src, srcPitch, w, h, dst, pixelStep, rowStep);
      return blitLoop<CopyPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
    case kKeyed565: return blitLoop<KeyedPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
    case kArgb4444:
#if defined(__SSE2__)
      if (byRows) return blitRows<BlendPixel, blendEights>(src, srcPitch, w, h, dst, rowStep);
#endif
      return blitLoop<BlendPixel>(src, srcPitch, w, h, dst, pixelStep, rowStep);
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
