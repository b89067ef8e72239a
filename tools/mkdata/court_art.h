// The court pictures (pack 91), the net (pack 87 entry 3) and the court previews of the set-up
// (pack 127 entry 5), painted through the match camera by the court painter.
//
// Invariants: the court pictures' frames 0 to 2 each cover the whole 840 x 532 court image
// (frame 0 grass, 1 hard, 2 clay); what the frames of one picture share (stands, walls,
// lines) is stored once; the court decor holds a frame per layout use (resource_ids.h), so no
// "frame + 1" of the game lands on another item's picture.
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

// The crowd block of the far stands (court decor frame kDecorCrowd and the court actor's
// waving) sits on the head of this spectator, where the court layouts put item 2.
inline constexpr int kCrowdBlockRow = 0, kCrowdBlockSeat = 17;
inline constexpr int kCrowdBlockRows = 3, kCrowdBlockSeats = 6;

// Where the court layouts put the other decor items (court-image pixels); their frames are
// painted in place for them: the benches by the right net post, the gate in the back wall,
// the speed board and the clock on it, the speed unit, the speed's and the time's digits.
struct CourtItemPlace {
  int32_t item, x, y;
};
inline constexpr CourtItemPlace kCourtItemPlaces[] = {{1, 650, 255}, {3, 411, 99}, {4, 258, 100}, {5, 484, 100},
                                                     {6, 332, 111}, {7, 284, 108}, {8, 528, 108}};

void paintCourtArt(PackSet& packs);

}  // namespace sorv::mkdata
