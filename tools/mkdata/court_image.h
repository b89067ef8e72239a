// The match's court pictures (pack 91 entries 0 and 1). The match keeps the court picture's
// modules decoded for the whole match, so the picture is built of few pixels: the floor, the
// back wall and the lines are plain rectangles, the stands a few repeating pieces with a
// spectator on each seat from a small set, the barriers one short slanted piece per height.
// The floor, its lines, the back wall and the far stands lie where the court painter puts
// them through the match camera; the side stands and the barriers follow the slant of the
// barriers' tops (kSlantRun across for every kSlantRise rows), so their pieces repeat, and
// the right side is the left one's mirror about the court's middle with its own spectators.
//
// Invariants: frames 0 to 2 each cover the whole court image (frame 0 grass, 1 hard,
// 2 clay); the frames share every image module and the pieces common to all surfaces are one
// frame they all place; images common to all surfaces are drawn in palette 0, which the
// match keeps decoded.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kSlantRun = 5, kSlantRise = 12;

// The court picture of a club court or of the show court.
std::vector<uint8_t> courtPictureSprite(bool showCourt);

}  // namespace sorv::mkdata
