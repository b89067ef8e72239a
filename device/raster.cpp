#include "device/raster.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "device/pixel_formats.h"

namespace sorv::raster {
namespace {

struct Span {
  int64_t start = 0;
  int64_t length = 0;
};

// One axis of rectangle clipping against [low, high).
Span clipSpan(int64_t start, int64_t length, int64_t low, int64_t high) {
  if (start < low) {
    length -= low - start;
    start = low;
  }
  if (start + length > high) length = high - start;
  return {start, length};
}

// Two pixels per 32-bit store once the row is word aligned.
void fillRow(uint16_t* row, int32_t count, uint16_t colour) {
  if (count > 0 && (reinterpret_cast<uintptr_t>(row) & 3) != 0) {
    *row++ = colour;
    --count;
  }
  const uint32_t pair = uint32_t{colour} | uint32_t{colour} << 16;
  uint32_t* words = reinterpret_cast<uint32_t*>(row);
  for (int32_t i = 0; i < count / 2; ++i) words[i] = pair;
  if (count & 1) row[count - 1] = colour;
}

// Cohen-Sutherland out-codes for [0, w) x [0, h).
constexpr int kAbove = 1, kBelow = 2, kRight = 4, kLeft = 8;

int outCode(int64_t x, int64_t y, int64_t w, int64_t h) {
  int code = 0;
  if (y < 0) code |= kAbove;
  else if (y >= h) code |= kBelow;
  if (x >= w) code |= kRight;
  else if (x < 0) code |= kLeft;
  return code;
}

// The other coordinate where the segment reaches `edge`; the product can need 66 bits.
int64_t interpolate(int64_t a1, int64_t b1, int64_t a2, int64_t b2, int64_t edge) {
  __int128 num = static_cast<__int128>(a2 - a1) * (edge - b1);
  return a1 + static_cast<int64_t>(num / (b2 - b1));
}

// Alpha 0 keeps the target pixel, 255 takes the source colour (keyed: never the key by
// rounding), and the others mix each channel as dst + (src - dst) * alpha / 256, rounded
// down. Selects rather than branches, so the row loop vectorises.
template <bool keyed>
void blendRow(uint16_t* d, const uint32_t* s, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t argb = s[i];
    const int32_t alpha = static_cast<int32_t>(argb >> 24);
    const int32_t src = pixel::toRgb565(argb), old = d[i];
    const int32_t r = old >> 11, g = (old >> 5) & 0x3F, b = old & 0x1F;
    const int32_t mixed = ((r + ((((src >> 11) - r) * alpha) >> 8)) & 0x1F) << 11 |
                          ((g + (((((src >> 5) & 0x3F) - g) * alpha) >> 8)) & 0x3F) << 5 |
                          ((b + ((((src & 0x1F) - b) * alpha) >> 8)) & 0x1F);
    const int32_t full = keyed ? pixel::toRgb565NotKey(argb) : src;
    d[i] = static_cast<uint16_t>(alpha == 0 ? old : alpha == 255 ? full : mixed);
  }
}

#if defined(__SSE2__)
// The same for eight pixels at a time in 16-bit lanes (a channel difference times an alpha
// stays within 16 bits); the row's last few pixels take the loop above.
int32_t blendEights(uint16_t* d, const uint32_t* s, int32_t count) {
  const __m128i low5 = _mm_set1_epi16(0x1F), low6 = _mm_set1_epi16(0x3F);
  const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi16(255);
  const __m128i wideLow5 = _mm_set1_epi32(0x1F), wideLow6 = _mm_set1_epi32(0x3F);
  // One channel of eight ARGB words, shifted down and masked (before the saturating pack),
  // as 16-bit lanes.
  auto channel = [](__m128i lo, __m128i hi, int shift, __m128i mask) {
    return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(lo, shift), mask),
                           _mm_and_si128(_mm_srli_epi32(hi, shift), mask));
  };
  auto pack565 = [](__m128i r, __m128i g, __m128i b) {
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
  };
  auto mix = [](__m128i to, __m128i from, __m128i alpha) {
    return _mm_add_epi16(from, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(to, from), alpha), 8));
  };
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 4));
    const __m128i alpha = _mm_packs_epi32(_mm_srli_epi32(lo, 24), _mm_srli_epi32(hi, 24));
    const __m128i sr = channel(lo, hi, 19, wideLow5), sg = channel(lo, hi, 10, wideLow6);
    const __m128i sb = channel(lo, hi, 3, wideLow5);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i dr = _mm_srli_epi16(old, 11), dg = _mm_and_si128(_mm_srli_epi16(old, 5), low6);
    const __m128i db = _mm_and_si128(old, low5);
    const __m128i mixed = pack565(mix(sr, dr, alpha), mix(sg, dg, alpha), mix(sb, db, alpha));
    const __m128i src = pack565(sr, sg, sb);
    const __m128i isClear = _mm_cmpeq_epi16(alpha, zero), isOpaque = _mm_cmpeq_epi16(alpha, opaque);
    __m128i out = _mm_or_si128(_mm_and_si128(isOpaque, src), _mm_andnot_si128(isOpaque, mixed));
    out = _mm_or_si128(_mm_and_si128(isClear, old), _mm_andnot_si128(isClear, out));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), out);
  }
  return i;
}
#endif

// Each pass moves one end onto an edge; honest segments settle in four passes per end.
constexpr int kMaxClipPasses = 16;

}  // namespace

void fillRect(const PixelView16& dst, const ClipRect& clip, int64_t x, int64_t y, int64_t w,
              int64_t h, uint16_t colour) {
  const ClipRect c = boundedClip(clip, dst);
  const Span cols = clipSpan(x, w, c.left, c.right);
  const Span rows = clipSpan(y, h, c.top, c.bottom);
  if (cols.length < 1 || rows.length < 1) return;
  uint16_t* row = dst.pixels + rows.start * dst.pitch + cols.start;
  for (int64_t r = 0; r < rows.length; ++r, row += dst.pitch)
    fillRow(row, static_cast<int32_t>(cols.length), colour);
}

void drawLine(const PixelView16& dst, const ClipRect& clip, int32_t x1, int32_t y1, int32_t x2,
              int32_t y2, uint16_t colour) {
  const ClipRect c = boundedClip(clip, dst);
  if (c.empty()) return;
  const int64_t w = c.right - c.left, h = c.bottom - c.top;
  int64_t ax = int64_t{x1} - c.left, ay = int64_t{y1} - c.top;
  int64_t bx = int64_t{x2} - c.left, by = int64_t{y2} - c.top;
  for (int pass = 0;; ++pass) {
    const int codeA = outCode(ax, ay, w, h), codeB = outCode(bx, by, w, h);
    if ((codeA | codeB) == 0) break;
    if ((codeA & codeB) != 0 || pass == kMaxClipPasses) return;
    const bool moveA = codeA != 0;
    const int code = moveA ? codeA : codeB;
    int64_t& px = moveA ? ax : bx;
    int64_t& py = moveA ? ay : by;
    const int64_t ox = moveA ? bx : ax, oy = moveA ? by : ay;
    if (code & (kAbove | kBelow)) {
      const int64_t edge = (code & kAbove) ? 0 : h - 1;
      px = interpolate(px, py, ox, oy, edge);
      py = edge;
    } else {
      const int64_t edge = (code & kRight) ? w - 1 : 0;
      py = interpolate(py, px, oy, ox, edge);
      px = edge;
    }
  }
  // Both ends are inside now, and Bresenham stays within their bounding box.
  uint16_t* origin = dst.pixels + c.top * dst.pitch + c.left;
  int64_t dx = std::abs(bx - ax), dy = std::abs(by - ay);
  const int64_t sx = bx >= ax ? 1 : -1, sy = by >= ay ? dst.pitch : -dst.pitch;
  uint16_t* p = origin + ay * dst.pitch + ax;
  if (dx >= dy) {
    int64_t error = dx / 2;
    for (int64_t i = 0; i <= dx; ++i, p += sx) {
      *p = colour;
      error -= dy;
      if (error < 0) {
        error += dx;
        p += sy;
      }
    }
  } else {
    int64_t error = dy / 2;
    for (int64_t i = 0; i <= dy; ++i, p += sy) {
      *p = colour;
      error -= dx;
      if (error < 0) {
        error += dy;
        p += sx;
      }
    }
  }
}

void fillTriangle(const PixelView16& dst, const ClipRect& clip, int32_t x1, int32_t y1,
                  int32_t x2, int32_t y2, int32_t x3, int32_t y3, uint16_t colour) {
  struct Vertex {
    int64_t x, y;
  };
  Vertex v[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
  if (v[1].y < v[0].y) std::swap(v[0], v[1]);
  if (v[2].y < v[1].y) std::swap(v[1], v[2]);
  if (v[1].y < v[0].y) std::swap(v[0], v[1]);
  const Vertex& top = v[0];
  const Vertex& mid = v[1];
  const Vertex& bottom = v[2];

  // Edge x in 24.8 fixed point at a row inside the edge's rows (no overflow: the product is
  // at most the edge's own dx).
  auto slope = [](const Vertex& a, const Vertex& b) -> int64_t {
    return b.y == a.y ? 0 : ((b.x - a.x) * 256) / (b.y - a.y);
  };
  const int64_t slopeTopMid = slope(top, mid), slopeTopBottom = slope(top, bottom);
  const int64_t slopeMidBottom = slope(mid, bottom);

  const ClipRect c = boundedClip(clip, dst);
  const int64_t firstRow = std::max<int64_t>(top.y, c.top);
  const int64_t lastRow = std::min<int64_t>(bottom.y, c.bottom - 1);
  for (int64_t row = firstRow; row <= lastRow; ++row) {
    const int64_t longEdge = top.x * 256 + slopeTopBottom * (row - top.y);
    const int64_t shortEdge = row < mid.y ? top.x * 256 + slopeTopMid * (row - top.y)
                                          : mid.x * 256 + slopeMidBottom * (row - mid.y);
    // Either winding: the span runs from the smaller end.
    const int64_t left = std::min(longEdge, shortEdge) >> 8;
    const int64_t right = std::max(longEdge, shortEdge) >> 8;
    fillRect(dst, c, left, row, right - left, 1, colour);
  }
}

void fillArc(const PixelView16& dst, const ClipRect& clip, int32_t x, int32_t y, int32_t w,
             int32_t h, int32_t startAngle, int32_t arcAngle, uint16_t colour) {
  const int64_t a = w / 2, b = h / 2;
  if (a < 0 || b < 0 || a > kMaxArcRadius || b > kMaxArcRadius) return;
  const int64_t cx = int64_t{x} + a, cy = int64_t{y} + b;

  auto reduce = [](int64_t angle) { return angle > 360 ? (angle - 1) % 360 + 1 : angle; };
  const int64_t start = reduce(startAngle);
  const int64_t end = reduce(int64_t{startAngle} + arcAngle);
  const int endMask = (end >= 90 ? 1 : 0) | (end >= 180 ? 2 : 0) | (end >= 270 ? 4 : 0) |
                      (end == 360 ? 8 : 0);
  const int startMask = (start == 0 ? 1 : 0) | (start <= 90 ? 2 : 0) | (start <= 180 ? 4 : 0) |
                        (start <= 270 ? 8 : 0);
  const int quadrants = endMask & startMask;
  if (quadrants == 0) return;

  const ClipRect c = boundedClip(clip, dst);
  auto plot = [&](int64_t px, int64_t py) {
    if (quadrants & 1) fillRect(dst, c, cx, cy - py, px + 1, 1, colour);
    if (quadrants & 2) fillRect(dst, c, cx - px, cy - py, px + 1, 1, colour);
    if (quadrants & 4) fillRect(dst, c, cx - px, cy + py, px + 1, 1, colour);
    if (quadrants & 8) fillRect(dst, c, cx, cy + py, px + 1, 1, colour);
  };

  // Midpoint ellipse walk; decision values are kept four times too large so they stay whole.
  const int64_t a2 = a * a, b2 = b * b;
  int64_t px = 0, py = b;
  int64_t stepX = 0, stepY = 2 * a2 * py;
  int64_t d = 4 * b2 - 4 * a2 * b + a2;
  while (stepX < stepY) {
    plot(px, py);
    ++px;
    stepX += 2 * b2;
    if (d < 0) {
      d += 4 * (stepX + b2);
    } else {
      --py;
      stepY -= 2 * a2;
      d += 4 * (stepX - stepY + b2);
    }
  }
  d = b2 * (2 * px + 1) * (2 * px + 1) + 4 * a2 * (py - 1) * (py - 1) - 4 * a2 * b2;
  while (py >= 0) {
    plot(px, py);
    --py;
    stepY -= 2 * a2;
    if (d > 0) {
      d += 4 * (a2 - stepY);
    } else {
      ++px;
      stepX += 2 * b2;
      d += 4 * (stepX - stepY + a2);
    }
  }
}

RgbResult drawRgb(const PixelView16& dst, const ClipRect& clip, const int32_t* argb,
                  int32_t argbLength, int32_t offset, int32_t scanlength, int64_t x, int64_t y,
                  int32_t w, int32_t h, RgbMode mode) {
  const ClipRect c = boundedClip(clip, dst);
  const Span cols = clipSpan(x, w, c.left, c.right);
  const Span rows = clipSpan(y, h, c.top, c.bottom);
  if (cols.length < 1 || rows.length < 1) return RgbResult::kNothingVisible;

  const int64_t first = int64_t{offset} + (rows.start - y) * scanlength + (cols.start - x);
  const int64_t lastRowStart = first + (rows.length - 1) * scanlength;
  const int64_t lowest = std::min(first, lastRowStart);
  const int64_t highest = std::max(first, lastRowStart) + cols.length - 1;
  if (argb == nullptr || lowest < 0 || highest >= argbLength) return RgbResult::kBadLength;

  const int32_t count = static_cast<int32_t>(cols.length);
  for (int64_t r = 0; r < rows.length; ++r) {
    const uint32_t* s = reinterpret_cast<const uint32_t*>(argb + first + r * scanlength);
    uint16_t* d = dst.pixels + (rows.start + r) * dst.pitch + cols.start;
    switch (mode) {
      case RgbMode::kOpaque:
        for (int32_t i = 0; i < count; ++i) d[i] = pixel::toRgb565(s[i]);
        break;
      case RgbMode::kToArgb4444:
        for (int32_t i = 0; i < count; ++i) d[i] = pixel::toArgb4444(s[i]);
        break;
      case RgbMode::kAlpha: {
#if defined(__SSE2__)
        const int32_t done = blendEights(d, s, count);
#else
        const int32_t done = 0;
#endif
        blendRow<false>(d + done, s + done, count - done);
        break;
      }
      case RgbMode::kAlphaKeyed: blendRow<true>(d, s, count); break;
    }
  }
  return RgbResult::kDrawn;
}

}  // namespace sorv::raster
