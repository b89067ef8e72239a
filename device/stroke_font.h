// The built-in stroke font: glyphs made of a few lines in a 9 x 9 box, 12-pixel cells
// (6 for ',', '.' and ';'), 12-pixel lines. Used for debug text and the promotion screens.
//
// Invariants:
// - A character is the low byte of its UTF-16 unit; lower-case letters share the upper-case
//   glyphs; a 0 character ends the text.
// - Layout never reads past the count it is given; the caller clamps substrings to the text.
// Pure layout: the lines go to a LineSink (Graphics draws them with drawLine).
#pragma once

#include <cstdint>

namespace sorv::stroke_font {

constexpr int32_t kLineHeight = 12;
constexpr int kMaxGlyphSegments = 10;

struct Segment {
  int8_t x1, y1, x2, y2;
};

// Pen advance of a character code.
int32_t advance(uint8_t code);

// The glyph's lines relative to its top-left corner; returns how many (0 for no glyph).
int glyphSegments(uint8_t code, Segment out[kMaxGlyphSegments]);

class LineSink {
 public:
  virtual void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;

 protected:
  ~LineSink() = default;
};

// Sum of advances from units[0] up to a '\n', a 0 character or count.
int32_t lineWidth(const char16_t* units, int32_t count);

// Lays out count units at (x, y) by the MIDP anchor (HCENTER or RIGHT per line, BOTTOM one
// line up) and sends every stroke to the sink.
void drawText(const char16_t* units, int32_t count, int32_t x, int32_t y, int32_t anchor,
              LineSink& sink);

}  // namespace sorv::stroke_font
