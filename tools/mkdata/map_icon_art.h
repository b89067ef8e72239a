// The painted icons of the career's map (entry 3 of the menus' extra pack): frame
// kMapIconIdle (and every frame up to kMapIconTraining) a small grey town marker for a place
// not offered this week, kMapIconTraining a tennis ball (a training ground), kMapIconHome a
// house with a red roof, kMapIconTournament a gold cup; animations 0, 1, 2 (the place types
// training ground, home, tournament) the map cursor: the type's icon inside a ring of the
// type's colour, with four ticks, that swells and shrinks.
//
// Invariants: every icon is centred on its frame's origin and fits 20 x 20 pixels, so places
// a few pixels apart stay apart; every step of a cursor lasts at least one tick. Only the data
// builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> mapIconArtSprite();

}  // namespace sorv::mkdata
