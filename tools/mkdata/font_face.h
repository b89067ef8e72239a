// The data builder's bitmap face: one picture per character it can draw, in a cell of
// kFaceRows rows shared by every character, so that glyphs cut from it line up.
//
// The cell, top to bottom: rows 0-1 the marks over capitals, rows 2-8 the capitals (the
// small letters from row 4, their ascenders from row 2; the marks over small letters end on
// row 2), rows 9-10 the descenders and the marks under letters. Row 8 is the last row on the
// baseline. A capital with a mark over it is drawn a row shorter, so a clear row parts the
// mark from the letter.
//
// The printable ASCII characters, the Latin-1 letters and a few of its signs, the letters of
// Polish, Czech and Turkish and the Russian alphabet have a picture; any other character
// has none, and the fonts draw the hole of a code no character owns as an empty box.
// Only the data builder and its tests call this.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sorv::mkdata {

constexpr int kFaceRows = 11;
constexpr int kFaceCapTop = 2;       // the first row of a capital
constexpr int kFaceBaseline = 9;     // the first row below the baseline
constexpr int kFaceMaxWidth = 7;

struct FaceGlyph {
  std::array<uint16_t, kFaceMaxWidth> columns{};  // bit r: row r of the cell is inked
  int width = 0;  // columns in use (the space: 3)

  bool ink(int column, int row) const {
    return column >= 0 && column < width && row >= 0 && row < kFaceRows &&
           (columns[static_cast<size_t>(column)] >> row & 1) != 0;
  }
};

// The picture of c; false when the face has none.
bool findFaceGlyph(char16_t c, FaceGlyph* glyph);

// What a font draws for a glyph code no character owns: an empty box.
FaceGlyph holeGlyph();

// The picture of c, or the empty box when the face has none (for the painted words).
FaceGlyph faceGlyphOrHole(char16_t c);

}  // namespace sorv::mkdata
