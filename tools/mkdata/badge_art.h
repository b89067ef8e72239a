// The badges of the portraits: a flag per country or career home (stripes, crosses, discs,
// halves and quarters in strong colours, told apart at a glance), kBadgeWidth x kBadgeHeight
// with a dark edge, drawn with their top left corner on the frame's origin.
//
// Invariants: integer arithmetic only; kBadgeCount pairwise different flags; each flag
// holds only the edge's ink and the inks of kBadgeColours from the first one handed.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

inline constexpr int kBadgeCount = 14;
inline constexpr int kBadgeWidth = 20, kBadgeHeight = 13;
inline constexpr int kBadgeColours = 8;
// The flags' colours, by ink (the edge apart).
inline constexpr uint32_t kBadgeInks[kBadgeColours] = {0xF4F4F0, 0xD42A2A, 0x2448B0, 0x1E8A44,
                                                       0xF2C81E, 0x1A1A1E, 0xF07A1E, 0x6A2E9A};

Canvas paintBadge(int badge, uint8_t edge, uint8_t firstInk);

}  // namespace sorv::mkdata
