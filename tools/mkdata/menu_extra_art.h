// The menus' other sprites in the kit: the menu pack's spare entries 3 to 5 (no screen names
// a frame of them; each frame a small ball on a plate, so whatever draws one shows no tag)
// and the history pictures (entry 0 of the menus' extra pack: a small picture per history
// topic, kept as an image each while the menus are loaded).
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kHistoryPictureW = 96, kHistoryPictureH = 64;

std::vector<uint8_t> spareMenuArtSprite();
std::vector<uint8_t> historyArtSprite();

}  // namespace sorv::mkdata
