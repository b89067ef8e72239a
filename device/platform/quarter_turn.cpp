#include "device/platform/quarter_turn.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace sorv::platform {
namespace {

constexpr int32_t kLineBytes = 64, kLinePixels = kLineBytes / 2;

// The plain copy, in strips of a target line's worth of rows so the lines written stay
// cached until the strip has filled them.
void turnScalar(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
                int64_t pixelStep, int64_t rowStep) {
  for (int32_t y0 = 0; y0 < h; y0 += kLinePixels) {
    const int32_t rows = std::min(kLinePixels, h - y0);
    const uint16_t* s0 = src + y0 * srcPitch;
    uint16_t* d0 = dst + y0 * rowStep;
    for (int32_t x = 0; x < w; ++x) {
      const uint16_t* s = s0 + x;
      uint16_t* d = d0 + x * pixelStep;
      for (int32_t r = 0; r < rows; ++r) d[r * rowStep] = s[r * srcPitch];
    }
  }
}

#if defined(__x86_64__)
// A strip of 32 rows: each column group fills whole target lines before it moves on, and
// the strip's source lines stay in L1 while the groups walk across them.
constexpr int32_t kStripRows = kLinePixels;
constexpr int32_t kTileColumns = 8;

// Each tile turns n source rows by 8 columns into 8 target segments of n pixels. Going
// backwards a tile starts from its last row and steps up, so every segment is still stored
// front to back; the stores are aligned to their own size once the strip is.
#define SORV_TILE __attribute__((target("avx2"), always_inline)) static inline

// Byte steps between the rows a tile loads (negative going backwards) and between the
// segments it stores, each with its triple, so that four rows or segments are reached from
// one pointer without further arithmetic.
struct TileSteps {
  int64_t row, row3, segment, segment3;
};

SORV_TILE __m128i load128(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Four consecutive rows from p.
SORV_TILE void loadFour(const char* p, const TileSteps& t, __m128i* rows) {
  rows[0] = load128(p);
  rows[1] = load128(p + t.row);
  rows[2] = load128(p + 2 * t.row);
  rows[3] = load128(p + t.row3);
}

// 16 rows: each 256-bit register carries rows r and r + 8 in its two lanes, so three unpack
// stages transpose both 8 x 8 halves at once.
struct Tile16 {
  static constexpr int32_t kRows = 16;
  SORV_TILE void turn(const char* rows, char* out, const TileSteps& t) {
    __m128i low[8], high[8];
    loadFour(rows, t, low);
    loadFour(rows + 4 * t.row, t, low + 4);
    loadFour(rows + 8 * t.row, t, high);
    loadFour(rows + 12 * t.row, t, high + 4);
    __m256i a[8], b[8], c[8];
    for (int r = 0; r < 8; ++r) a[r] = _mm256_inserti128_si256(_mm256_castsi128_si256(low[r]), high[r], 1);
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
    // Segment 2i from c[i] and c[i + 4]'s low halves, segment 2i + 1 from their high ones.
    for (int half = 0; half < 2; ++half) {
      char* p = out + 4 * half * t.segment;
      const __m256i* lo = c + 2 * half;
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_unpacklo_epi64(lo[0], lo[4]));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + t.segment), _mm256_unpackhi_epi64(lo[0], lo[4]));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 2 * t.segment), _mm256_unpacklo_epi64(lo[1], lo[5]));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + t.segment3), _mm256_unpackhi_epi64(lo[1], lo[5]));
    }
  }
};

// 8 rows, the same stages on 128-bit registers.
struct Tile8 {
  static constexpr int32_t kRows = 8;
  SORV_TILE void turn(const char* rows, char* out, const TileSteps& t) {
    __m128i a[8], b[8], c[8];
    loadFour(rows, t, a);
    loadFour(rows + 4 * t.row, t, a + 4);
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
    for (int half = 0; half < 2; ++half) {
      char* p = out + 4 * half * t.segment;
      const __m128i* lo = c + 2 * half;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_unpacklo_epi64(lo[0], lo[4]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + t.segment), _mm_unpackhi_epi64(lo[0], lo[4]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 2 * t.segment), _mm_unpacklo_epi64(lo[1], lo[5]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + t.segment3), _mm_unpackhi_epi64(lo[1], lo[5]));
    }
  }
};

// 4 rows: two stages leave two 4-pixel segments in each register.
struct Tile4 {
  static constexpr int32_t kRows = 4;
  SORV_TILE void turn(const char* rows, char* out, const TileSteps& t) {
    __m128i a[4];
    loadFour(rows, t, a);
    const __m128i b[4] = {_mm_unpacklo_epi16(a[0], a[1]), _mm_unpackhi_epi16(a[0], a[1]),
                          _mm_unpacklo_epi16(a[2], a[3]), _mm_unpackhi_epi16(a[2], a[3])};
    const __m128i c[4] = {_mm_unpacklo_epi32(b[0], b[2]), _mm_unpackhi_epi32(b[0], b[2]),
                          _mm_unpacklo_epi32(b[1], b[3]), _mm_unpackhi_epi32(b[1], b[3])};
    // The 8-byte stores take unaligned pointers; the high halves are moved down first.
    for (int half = 0; half < 2; ++half) {
      char* p = out + 4 * half * t.segment;
      const __m128i* pair = c + 2 * half;
      _mm_storel_epi64(reinterpret_cast<__m128i*>(p), pair[0]);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(p + t.segment), _mm_unpackhi_epi64(pair[0], pair[0]));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 2 * t.segment), pair[1]);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(p + t.segment3), _mm_unpackhi_epi64(pair[1], pair[1]));
    }
  }
};
#undef SORV_TILE

// Source rows [y0, y0 + n x the tile's rows), column group by column group, so that each
// group finishes its target segments at once; n is fixed, so every load and store of the
// loop keeps one stride and the prefetchers follow it. A width that is not a multiple of 8
// ends with a group overlapping the one before it: the same pixels written twice.
template <class Tile, int n, bool backwards>
__attribute__((target("avx2"))) void turnStrip(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t y0,
                                               uint16_t* dst, int64_t pixelStep) {
  const int64_t rowBytes = (backwards ? -2 : 2) * srcPitch;
  const TileSteps t{rowBytes, 3 * rowBytes, 2 * pixelStep, 6 * pixelStep};
  const uint16_t* firstRow = src + (y0 + (backwards ? Tile::kRows - 1 : 0)) * srcPitch;
  uint16_t* firstSegment = backwards ? dst - y0 - (Tile::kRows - 1) : dst + y0;
  for (int32_t x = 0;; x = std::min(x + kTileColumns, w - kTileColumns)) {
    for (int r = 0; r < n * Tile::kRows; r += Tile::kRows) {
      Tile::turn(reinterpret_cast<const char*>(firstRow + r * srcPitch + x),
                 reinterpret_cast<char*>(firstSegment + x * pixelStep + (backwards ? -r : r)), t);
    }
    if (x == w - kTileColumns) break;
  }
}

// Fewer than 16 rows [y0, y0 + rows): an 8-row and a 4-row strip where the bits of `rows`
// ask for them, the smaller nearer the block's edge (`towardsEnd` says which side that is,
// so every strip stays aligned to its size), and the last 1 to 3 rows pixel by pixel.
template <bool backwards>
void turnEdgeRows(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t y0, int32_t rows, bool towardsEnd,
                  uint16_t* dst, int64_t pixelStep) {
  constexpr int64_t rowStep = backwards ? -1 : 1;
  const int32_t loose = rows & 3;
  int32_t y = towardsEnd ? y0 : y0 + loose;
  if (!towardsEnd) turnScalar(src + y0 * srcPitch, srcPitch, w, loose, dst + y0 * rowStep, pixelStep, rowStep);
  const int32_t order[2] = {towardsEnd ? 8 : 4, towardsEnd ? 4 : 8};
  for (const int32_t n : order) {
    if ((rows & n) == 0) continue;
    if (n == 8) turnStrip<Tile8, 1, backwards>(src, srcPitch, w, y, dst, pixelStep);
    else turnStrip<Tile4, 1, backwards>(src, srcPitch, w, y, dst, pixelStep);
    y += n;
  }
  if (towardsEnd) turnScalar(src + y * srcPitch, srcPitch, w, loose, dst + y * rowStep, pixelStep, rowStep);
}

template <bool backwards>
void turnTiled(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst, int64_t pixelStep) {
  // Strips start where column 0's target segment begins (going forwards) or ends (going
  // backwards) on a line boundary, `lead` rows in. A target pitch of whole lines keeps every
  // column so; 16-row tiles cover the rows from `first`, narrower ones the edges.
  const uintptr_t at = reinterpret_cast<uintptr_t>(backwards ? dst + 1 : dst);
  const int32_t misaligned = static_cast<int32_t>(at % kLineBytes) / 2;
  const int32_t lead = std::min(backwards ? misaligned : (kLinePixels - misaligned) % kLinePixels, h);
  const int32_t first = lead % Tile16::kRows;
  const int32_t last = first + (h - first) / Tile16::kRows * Tile16::kRows;
  turnEdgeRows<backwards>(src, srcPitch, w, 0, first, false, dst, pixelStep);
  const int32_t aligned = std::min(lead, last);
  if (aligned > first) turnStrip<Tile16, 1, backwards>(src, srcPitch, w, first, dst, pixelStep);
  int32_t y = aligned;
  for (; y + kStripRows <= last; y += kStripRows)
    turnStrip<Tile16, kStripRows / Tile16::kRows, backwards>(src, srcPitch, w, y, dst, pixelStep);
  if (y < last) turnStrip<Tile16, 1, backwards>(src, srcPitch, w, y, dst, pixelStep);
  turnEdgeRows<backwards>(src, srcPitch, w, last, h - last, true, dst, pixelStep);
}

void turnAvx2(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
              int64_t pixelStep, int64_t rowStep) {
  if (w < kTileColumns) return turnScalar(src, srcPitch, w, h, dst, pixelStep, rowStep);
  if (rowStep < 0) return turnTiled<true>(src, srcPitch, w, h, dst, pixelStep);
  turnTiled<false>(src, srcPitch, w, h, dst, pixelStep);
}
#endif

using TurnFn = void (*)(const uint16_t*, int64_t, int32_t, int32_t, uint16_t*, int64_t, int64_t);

TurnFn chosenTurn() {
#if defined(__x86_64__)
  static const TurnFn fn = [] {
    const char* off = std::getenv("SORV_NO_AVX2");
    const bool wanted = off == nullptr || std::strcmp(off, "1") != 0;
    return wanted && __builtin_cpu_supports("avx2") ? turnAvx2 : turnScalar;
  }();
#else
  static const TurnFn fn = turnScalar;
#endif
  return fn;
}

}  // namespace

void turnPixels(const uint16_t* src, int64_t srcPitch, int32_t w, int32_t h, uint16_t* dst,
                int64_t pixelStep, int64_t rowStep) {
  chosenTurn()(src, srcPitch, w, h, dst, pixelStep, rowStep);
}

bool turnUsesAvx2() { return chosenTurn() != turnScalar; }

}  // namespace sorv::platform
