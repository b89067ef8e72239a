#include "device/stroke_font.h"

#include "device/anchor.h"

namespace sorv::stroke_font {
namespace {

// Segment masks: bit 0 upper left, 1 top, 2 upper right, 3 lower right, 4 bottom,
// 5 lower left, 6 middle, 7 the letter's own stroke.
constexpr uint8_t kDigitMasks[10] = {0x3f, 0x0c, 0x76, 0x5e, 0x4d, 0x5b, 0x7b, 0x0e, 0x7f, 0x5f};
constexpr uint8_t kLetterMasks[26] = {0x6f, 0xde, 0x33, 0x9e, 0x73, 0x63, 0x7b, 0x6d, 0x80,
                                      0x3c, 0xa1, 0x31, 0xaf, 0x2f, 0x3f, 0x67, 0xbf, 0xe7,
                                      0x5b, 0x82, 0x3d, 0x8d, 0xbd, 0x80, 0x80, 0x92};

constexpr Segment kComma = {0, 7, -1, 10};

struct Glyph {
  int count = 0;
  Segment* out;
  void add(int x1, int y1, int x2, int y2) {
    out[count++] = {static_cast<int8_t>(x1), static_cast<int8_t>(y1), static_cast<int8_t>(x2),
                    static_cast<int8_t>(y2)};
  }
};

void letterStroke(char letter, Glyph& g) {
  switch (letter) {
    case 'B': case 'D': case 'I': case 'M': case 'T': case 'W':
      g.add(4, 0, 4, 8);
      break;
    case 'K':
      g.add(0, 4, 8, 0);
      g.add(0, 4, 8, 8);
      break;
    case 'Q':
      g.add(0, 4, 5, 8);
      break;
    case 'X':
      g.add(4, 4, 8, 8);
      g.add(0, 0, 4, 4);
      g.add(8, 0, 0, 8);
      break;
    case 'Y':
      g.add(0, 0, 4, 4);
      g.add(8, 0, 0, 8);
      break;
    case 'Z':
      g.add(8, 0, 0, 8);
      break;
    default:
      g.add(0, 4, 8, 8);
      break;
  }
}

void maskedGlyph(uint8_t mask, char letter, Glyph& g) {
  if (mask & 0x01) g.add(0, 0, 0, 4);
  if (mask & 0x02) {
    if (letter == 'N') g.add(0, 0, 8, 4);
    else g.add(0, 0, 8, 0);
  }
  if (mask & 0x04) g.add(8, 0, 8, 4);
  if (mask & 0x08) g.add(8, 4, 8, 8);
  if (mask & 0x10) g.add(0, 8, 8, 8);
  if (mask & 0x20) g.add(0, 4, 0, 8);
  if (mask & 0x40) g.add((letter == 'B' || letter == 'G') ? 4 : 0, 4, 8, 4);
  if (mask & 0x80) letterStroke(letter, g);
}

int32_t placedX(const char16_t* units, int32_t count, int32_t x, int32_t anchor) {
  if (anchor & anchor::kLeft) return x;
  if (anchor & anchor::kHCenter) return x - lineWidth(units, count) / 2;
  if (anchor & anchor::kRight) return x - lineWidth(units, count);
  return x;
}

}  // namespace

int32_t advance(uint8_t code) {
  if (code == '\t') return 48;
  if (code < 32) return 0;
  if (code == ',' || code == '.' || code == ';') return 6;
  return 12;
}

int glyphSegments(uint8_t code, Segment out[kMaxGlyphSegments]) {
  Glyph g{0, out};
  if (code >= '0' && code <= '9') {
    maskedGlyph(kDigitMasks[code - '0'], 0, g);
  } else if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) {
    const char letter = static_cast<char>(code & ~0x20);
    maskedGlyph(kLetterMasks[letter - 'A'], letter, g);
  } else if (code == ',') {
    g.add(kComma.x1, kComma.y1, kComma.x2, kComma.y2);
  } else if (code == '.') {
    g.add(0, 7, 0, 8);
  } else if (code == ';') {
    g.add(0, 3, 0, 4);
    g.add(kComma.x1, kComma.y1, kComma.x2, kComma.y2);
  } else if (code == '?') {
    g.add(0, 0, 8, 0);
    g.add(8, 0, 8, 4);
    g.add(4, 4, 8, 4);
    g.add(4, 4, 4, 8);
    g.add(4, 11, 4, 11);
  }
  return g.count;
}

int32_t lineWidth(const char16_t* units, int32_t count) {
  int32_t width = 0;
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t code = static_cast<uint8_t>(units[i]);
    if (code == 0 || code == '\n') break;
    width += advance(code);
  }
  return width;
}

void drawText(const char16_t* units, int32_t count, int32_t x, int32_t y, int32_t anchor,
              LineSink& sink) {
  if (anchor & anchor::kBottom) y -= kLineHeight;
  int32_t penX = placedX(units, count, x, anchor);
  Segment segments[kMaxGlyphSegments];
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t code = static_cast<uint8_t>(units[i]);
    if (code == 0) break;
    if (code == '\n') {
      y += kLineHeight;
      penX = placedX(units + i + 1, count - i - 1, x, anchor);
      continue;
    }
    if (code > 32) {
      const int n = glyphSegments(code, segments);
      for (int s = 0; s < n; ++s)
        sink.line(penX + segments[s].x1, y + segments[s].y1, penX + segments[s].x2, y + segments[s].y2);
    }
    penX += advance(code);
  }
}

}  // namespace sorv::stroke_font
