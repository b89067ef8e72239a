// The loading screen's sprite (menu pack entry 1) in the menus' kit: frame 0 a whole screen,
// the navy ramp with a panel behind the bar and caption and the hint below it, so nothing of
// the screen before shows through; frames 1 and 2 the bar's empty and full segments.
// The match keeps this sprite whole (the way into a match shows the screen), so its backdrop
// is one narrow strip repeated.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kLoadingSegmentW = 16, kLoadingSegmentH = 12;

std::vector<uint8_t> loadingArtSprite();

}  // namespace sorv::mkdata
