// The players' looks: tools/data/looks.txt gives every avatar one colour per colour group
// of the player palettes (hair, shirt, shorts or skirt, socks, shoes, bands, racket), which
// the palettes then shade over the group, and per group the colours the created player may
// choose ("career GROUP COLOURS..."). The player palettes and the portraits read it.
//
// Invariants: a source that is read holds exactly kPlayerPaletteCount looks, avatar 0 to 35
// in order, each with one six-digit hexadecimal colour per group, and one career line per
// group, in group order, of 1 to kMaxCareerChoices colours; anything else is refused with
// "looks.txt:LINE: reason", and what was read is left empty.
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

// The created player's choices by colour group, in the order of the look's values.
inline constexpr int kMaxCareerChoices = 7;
struct CareerChoices {
  std::vector<uint32_t> colours[kColourGroupCount];
};
inline constexpr const char* kColourGroupNames[kColourGroupCount] = {"hair",  "shirt", "shorts", "socks",
                                                                     "shoes", "bands", "racket"};

// From the text of looks.txt.
bool readLooks(const std::string& source, std::vector<Look>* looks, std::string* error);
bool readCareerChoices(const std::string& source, CareerChoices* choices, std::string* error);
// From looks.txt in the data folder.
bool loadLooks(const std::string& dataDir, std::vector<Look>* looks, std::string* error);
bool loadCareerChoices(const std::string& dataDir, CareerChoices* choices, std::string* error);

}  // namespace sorv::mkdata
