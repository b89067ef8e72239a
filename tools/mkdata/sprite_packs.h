// The sprite packs of the synthetic data set, by the pack layout the game's loaders read
// (entry numbers in tools/data/resource_ids.h):
// - "fonts": entries 0, 1 and 8 are never read and left empty; 2 and 3 the character
//   maps; 4-7, 9 and 10 the six sprite fonts, each with kFontPaletteCount palettes.
// - "colours": seven colour-group palette sprites and the player palette sprite, each one
//   1 x 1 module with kPlayerPaletteColours colours a palette. The palette counts of the
//   colour groups (8 each) are a placeholder until the appearance choices are written.
// - a stand-in sprite (one 8 x 8 module, one frame, one animation shown for one tick) for
//   the packs that have no pictures yet. (The boot and menu sprites are boot_sprites.h's,
//   the match's match_sprites.h's, the dust effect_sprites.h's.)
// Only the data builder calls this; the bytes are the same on every run.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Palettes 0-5 of every font: white, yellow, light blue, green, dimmed (locked items),
// orange. The career's values take 4, 1, 5, 3, 2 from the lowest fifth to the highest, so
// they read dim, yellow, orange, green, blue; the career's bars take the same colours.
inline constexpr uint32_t kFontInks[] = {0xFFFFFFFF, 0xFFFFE040, 0xFF60C8FF,
                                         0xFF60E060, 0xFF606060, 0xFFFF9030};

// The font pack of the language's archive: its fonts draw that language's letters.
std::vector<std::vector<uint8_t>> fontPackEntries(int32_t language);
std::vector<std::vector<uint8_t>> colourPackEntries();

// The stand-in sprite itself, with the given number of palettes of the given colour count.
std::vector<uint8_t> standInSprite(int palettes, int colours);

}  // namespace sorv::mkdata
