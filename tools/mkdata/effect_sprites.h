// Sprites of the match effects in the synthetic data set: the dust puff under a running
// player (two animations, one per dust actor, of four growing and fading frames).
// Only the data builder calls this; the bytes are the same on every run.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kDustAnims = 2, kDustFrames = 4;

std::vector<uint8_t> dustSprite();

}  // namespace sorv::mkdata
