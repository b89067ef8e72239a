#include "device/pixel_formats.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sorv::pixel {

#if defined(__SSE2__)
// Eight pixels at a time in 16-bit lanes, the tables' values by arithmetic:
// floor(v * 255 / 31) = (v * 1053) >> 7 for v < 32 and floor(v * 255 / 63) =
// 4v + ((v * 49) >> 10) for v < 64. Returns the pixels done; the rest take the tables.
int32_t rgb565Eights(const uint16_t* src, int32_t count, bool keyed, int32_t* dst) {
  const __m128i low5 = _mm_set1_epi16(0x1F), low6 = _mm_set1_epi16(0x3F);
  const __m128i times1053 = _mm_set1_epi16(1053), times49 = _mm_set1_epi16(49);
  const __m128i alpha = _mm_set1_epi16(static_cast<int16_t>(0xFF00));
  const __m128i key = _mm_set1_epi16(static_cast<int16_t>(kKeyColor565));
  const __m128i keep = keyed ? _mm_setzero_si128() : _mm_set1_epi16(-1);
  auto expand5 = [&](__m128i v) { return _mm_srli_epi16(_mm_mullo_epi16(v, times1053), 7); };
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i g6 = _mm_and_si128(_mm_srli_epi16(p, 5), low6);
    const __m128i g = _mm_add_epi16(_mm_slli_epi16(g6, 2), _mm_srli_epi16(_mm_mullo_epi16(g6, times49), 10));
    const __m128i low = _mm_or_si128(_mm_slli_epi16(g, 8), expand5(_mm_and_si128(p, low5)));  // G, B
    const __m128i high = _mm_or_si128(alpha, expand5(_mm_srli_epi16(p, 11)));                  // A, R
    // A keyed image's key colour reads as 0.
    const __m128i shown = _mm_or_si128(keep, _mm_xor_si128(_mm_cmpeq_epi16(p, key), _mm_set1_epi16(-1)));
    const __m128i shownLow = _mm_unpacklo_epi16(shown, shown), shownHigh = _mm_unpackhi_epi16(shown, shown);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_and_si128(shownLow, _mm_unpacklo_epi16(low, high)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 4), _mm_and_si128(shownHigh, _mm_unpackhi_epi16(low, high)));
  }
  return i;
}
#endif

void rgb565RowToArgb(const uint16_t* src, int32_t count, bool keyed, int32_t* dst) {
#if defined(__SSE2__)
  const int32_t done = rgb565Eights(src, count, keyed, dst);
#else
  const int32_t done = 0;
#endif
  for (int32_t i = done; i < count; ++i) {
    const uint16_t p = src[i];
    dst[i] = (keyed && p == kKeyColor565) ? 0 : static_cast<int32_t>(rgb565ToArgb(p));
  }
}

void argb4444RowToArgb(const uint16_t* src, int32_t count, int32_t* dst) {
  for (int32_t i = 0; i < count; ++i) dst[i] = static_cast<int32_t>(argb4444ToArgb(src[i]));
}

}  // namespace sorv::pixel
