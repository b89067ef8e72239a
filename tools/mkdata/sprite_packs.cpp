#include "tools/mkdata/sprite_packs.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/font_builder.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::mkdata {

namespace {


std::vector<uint8_t> font(int scale, int letterGap, bool shadow, int32_t language) {
  FontStyle style;
  style.scale = scale;
  style.letterGap = letterGap;
  style.shadow = shadow;
  style.inkColours.assign(std::begin(kFontInks), std::end(kFontInks));
  return writeSprite(buildFontSprite(style, language));
}

// A 1 x 1 sprite carrying only palettes: colour 0 the key, 1 the shadow, 32 and 33 the
// skin tones the player palettes keep; the rest a ramp that differs per palette.
std::vector<uint8_t> paletteSprite(int palettes, int seed) {
  SpriteSpec spec;
  SpriteModule m;
  m.width = m.height = 1;
  m.pixels = {0};
  spec.modules.push_back(m);
  for (int p = 0; p < palettes; p++) {
    std::vector<uint32_t> colours(kPlayerPaletteColours);
    for (int c = 0; c < kPlayerPaletteColours; c++) {
      uint32_t v = static_cast<uint32_t>((c * 37 + p * 53 + seed * 71) & 0xFF);
      colours[static_cast<size_t>(c)] = 0xFF000000u | v << 16 | ((v * 3) & 0xFF) << 8 | ((v * 7) & 0xFF);
    }
    colours[0] = 0x00FF00FF;
    colours[1] = 0x81000000;
    colours[32] = 0xFFCF7F38;
    colours[33] = 0xFFAB5A12;
    spec.palettes.push_back(colours);
  }
  return writeSprite(spec);
}

}  // namespace

std::vector<uint8_t> standInSprite(int palettes, int colours) {
  constexpr int kSide = 8;
  SpriteSpec spec;
  SpriteModule m;
  m.width = m.height = kSide;
  m.pixels.assign(kSide * kSide, 1);
  spec.modules.push_back(m);
  addFrame(spec, {SpriteFModule{}});
  SpriteAFrame shown;
  shown.time = 1;
  addAnim(spec, {shown});
  for (int p = 0; p < palettes; p++) {
    std::vector<uint32_t> palette(static_cast<size_t>(colours), 0xFF808080u);
    palette[0] = 0x00FF00FF;
    palette[1] = 0xFF000000u | static_cast<uint32_t>(0x40 + p * 0x20) << 8;
    spec.palettes.push_back(palette);
  }
  return writeSprite(spec);
}

std::vector<std::vector<uint8_t>> fontPackEntries(int32_t language) {
  std::vector<std::vector<uint8_t>> entries(kFontPackEntries);
  std::array<uint8_t, 256> map = buildFontMap();
  entries[kFontMapMain].assign(map.begin(), map.end());
  entries[kFontMapCached].assign(map.begin(), map.end());
  entries[kFontMain] = font(2, 2, true, language);
  entries[kFontHint] = font(2, 1, false, language);
  entries[kFontSmall] = font(1, 1, false, language);
  entries[kFontCredits] = font(2, 2, false, language);
  entries[kFontDigits] = font(2, 3, true, language);
  entries[kFontTitle] = font(3, 3, true, language);
  return entries;
}

std::vector<std::vector<uint8_t>> colourPackEntries() {
  constexpr int kGroupPalettes = 8;
  std::vector<std::vector<uint8_t>> entries;
  for (int g = 0; g < kColourGroupCount; g++) entries.push_back(paletteSprite(kGroupPalettes, g));
  entries.push_back(paletteSprite(kPlayerPaletteCount, kColourGroupCount));
  return entries;
}

}  // namespace sorv::mkdata
