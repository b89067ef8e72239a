#include "tools/mkdata/font_builder.h"

#include <algorithm>
#include <cstddef>

#include "tools/mkdata/font_face.h"
#include "tools/mkdata/glyph_codes.h"

namespace sorv::mkdata {

namespace {

// Drops the module's empty rows above and below its ink; returns how many went above. A
// module without ink is left whole.
int trimToInkedRows(SpriteModule& m) {
  const auto w = static_cast<size_t>(m.width);
  auto inked = [&](int row) {
    auto begin = m.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(row) * w);
    return std::any_of(begin, begin + static_cast<std::ptrdiff_t>(w), [](uint8_t p) { return p != 0; });
  };
  int top = 0, bottom = m.height - 1;
  while (top <= bottom && !inked(top)) top++;
  if (top > bottom) return 0;
  while (!inked(bottom)) bottom--;
  m.pixels.erase(m.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(bottom + 1) * w), m.pixels.end());
  m.pixels.erase(m.pixels.begin(), m.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(top) * w));
  m.height = static_cast<int16_t>(bottom - top + 1);
  return top;
}

}  // namespace

std::array<uint8_t, 256> buildFontMap() {
  std::array<uint8_t, 256> map{};
  for (int code = kFontFirstCode; code < 256; code++) {
    map[static_cast<size_t>(code)] = static_cast<uint8_t>(code - kFontFirstCode);
  }
  return map;
}

SpriteSpec buildFontSprite(const FontStyle& style, int32_t language) {
  SpriteSpec spec;
  const int s = style.scale;
  const int extra = style.shadow ? 1 : 0;
  const int height = kFaceRows * s + extra;
  spec.palettes.clear();
  for (uint32_t ink : style.inkColours) spec.palettes.push_back({0x00000000, ink, style.shadowColour});
  spec.dataFormat = 0x64F0;  // runs: glyphs are mostly transparent

  std::vector<SpriteFModule> entries;
  for (int k = 0; k < kFontGlyphCount; k++) {
    FaceGlyph g = holeGlyph();
    if (char16_t shown = glyphShows(language, kFontFirstCode + k)) findFaceGlyph(shown, &g);
    SpriteModule m;
    m.width = static_cast<int16_t>(g.width * s + extra);
    m.height = static_cast<int16_t>(height);
    m.pixels.assign(static_cast<size_t>(m.width * m.height), 0);
    auto plot = [&](int px, int py, uint8_t colour) {
      for (int dy = 0; dy < s; dy++) {
        for (int dx = 0; dx < s; dx++) {
          size_t at = static_cast<size_t>((py * s + dy) * m.width + px * s + dx);
          if (colour == 1 || m.pixels[at] == 0) m.pixels[at] = colour;
        }
      }
    };
    auto ink = [&](int px, int py) {
      if (style.shadow) {
        // The shadow is offset by one screen pixel, drawn under the ink.
        for (int dy = 0; dy < s; dy++) {
          for (int dx = 0; dx < s; dx++) {
            size_t at = static_cast<size_t>((py * s + dy + 1) * m.width + px * s + dx + 1);
            if (m.pixels[at] == 0) m.pixels[at] = 2;
          }
        }
      }
      plot(px, py, 1);
    };
    for (int c = 0; c < g.width; c++) {
      for (int r = 0; r < kFaceRows; r++) {
        if (g.ink(c, r)) ink(c, r);
      }
    }
    SpriteFModule e;
    e.module = static_cast<uint8_t>(k);
    e.x = static_cast<int16_t>(k == 0 ? style.letterGap : 0);
    // A glyph keeps only its inked rows, placed by its entry's y: the cached fonts hold an
    // image per glyph and palette. The space keeps the full height the font reports.
    if (k != 0) e.y = static_cast<int16_t>(trimToInkedRows(m));
    spec.modules.push_back(std::move(m));
    entries.push_back(e);
  }
  addFrame(spec, entries);
  return spec;
}

}  // namespace sorv::mkdata
