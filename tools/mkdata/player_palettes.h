// The player palettes of the painted figures: 34 colours from a look, each group's colour
// shaded dark to light over its run of the palette (the runs of figure_painter.h); the
// colour-group sprites of the colour pack (entries 0 to 6: a palette per choice of the career
// look in looks.txt, palette 7 the white suit of the main tournaments) and the outfits sprite (entry 7:
// a palette per avatar from looks.txt).
//
// Invariants: every palette holds kPlayerPaletteColours colours with the game's fixed
// entries (key, shadow, the two skin tones) in place; a group sprite's palette p dresses
// its group in choice p (the white suit at kWhiteSuitPalette), the rest of the palette as
// avatar 0 does. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

inline constexpr int kWhiteSuitPalette = 7;
inline constexpr uint32_t kWhiteSuit = 0xF4F4F4;

// A look's palette for the figures.
std::vector<uint32_t> playerPalette(const Look& look);

// The colour pack's sprites: entries 0 to 6 the colour groups, entry 7 the outfits.
std::vector<std::vector<uint8_t>> colourPackArt(const std::vector<Look>& looks, const CareerChoices& choices);

}  // namespace sorv::mkdata
