// The game's sprite fonts for the synthetic data set: glyph pictures from the builder's face
// (font_face.h), scaled and coloured per font, laid out the way the text drawing reads them.
// Each glyph code shows the character it shows in the archive's language (glyph_codes.h).
//
// What always holds for every font made here, so one font map serves them all:
// - frame 0 has one frame-module entry per glyph code 32..255, entry k for code 32 + k, and
//   entry k places module k; the font map sends code g to entry g - 32 (codes below 32 to
//   entry 0, the space);
// - module 0 (the space) has the font's full height, and entry 0's x offset is the letter
//   gap, the two metrics the text drawing takes from them;
// - every glyph sits in that height on one baseline, descenders and marks inside it: a
//   glyph's module keeps its inked rows and its entry's y places them in the cell;
// - colour 0 of every palette is transparent, colour 1 the ink, colour 2 the shadow.
// Only the data builder and the sprite tests call this.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

constexpr int kFontFirstCode = 32;
constexpr int kFontGlyphCount = 256 - kFontFirstCode;

struct FontStyle {
  int scale = 1;        // pixels per face pixel
  int letterGap = 1;    // pixels between glyphs
  bool shadow = false;  // a shadow one pixel right and below the ink
  std::vector<uint32_t> inkColours;  // one palette per colour (the game needs at least 6)
  uint32_t shadowColour = 0xFF000000;
};

// Code -> frame-module entry of frame 0, the same for every font made here.
std::array<uint8_t, 256> buildFontMap();

// The font sprite's description for the language's archive (write it with writeSprite).
SpriteSpec buildFontSprite(const FontStyle& style, int32_t language);

}  // namespace sorv::mkdata
