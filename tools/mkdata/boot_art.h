// The boot pack's sprites in the menus' kit: the boot sprite (entry 0: frame 0 a dark
// backdrop, frame 1 the maker's name centred on its origin, animation 0 a spinner of eight
// dots) and the boot-state sprite (entry 5, a spinning ball).
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// The maker's name, the one name the boot shows (the install folder's).
inline constexpr const char* kMakerName = "Kestovan";
inline constexpr int kSpinnerDots = 8;

std::vector<uint8_t> bootArtSprite();
std::vector<uint8_t> bootStateArtSprite();

}  // namespace sorv::mkdata
