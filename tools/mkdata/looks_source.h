// The players' looks: tools/data/looks.txt gives every avatar one colour per colour group
// of the player palettes (hair, shirt, shorts or skirt, socks, shoes, bands, racket), which
// the palettes then shade over the group. The player palettes and the portraits read it.
//
// Invariants: a source that is read holds exactly kPlayerPaletteCount looks, avatar 0 to 35
// in order, each with one six-digit hexadecimal colour per group; anything else is refused
// with "looks.txt:LINE: reason", and the looks are left empty.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/data/resource_ids.h"

namespace sorv::mkdata {

// An avatar's colours (0xRRGGBB) by colour group.
struct Look {
  uint32_t colours[kColourGroupCount] = {};
};
inline constexpr int kHairGroup = 0, kShirtGroup = 1, kShortsGroup = 2, kSocksGroup = 3;
inline constexpr int kShoesGroup = 4, kBandsGroup = 5, kRacketGroup = 6;

// From the text of looks.txt.
bool readLooks(const std::string& source, std::vector<Look>* looks, std::string* error);
// From looks.txt in the data folder.
bool loadLooks(const std::string& dataDir, std::vector<Look>* looks, std::string* error);

}  // namespace sorv::mkdata
