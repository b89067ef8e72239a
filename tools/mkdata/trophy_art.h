// The painted tournament logos (entry 4 of the menus' extra pack): a trophy per tournament on
// its plinth, with the tournament's flag on a pole beside it, and a silver plate for the
// women's main tournament (frame kTournamentLogoWomenMain). Cups, urns, bowls, goblets,
// plates, shields, balls and columns in gold, silver or bronze, told apart further by stem,
// handles, lid and plinth, built from a kit of pieces the frames share; the palettes differ
// only in the flag's cloth, one country's flag each (stripes, crosses, a disc, a hoist
// triangle), so the table's palette of a tournament raises its flag.
//
// Invariants: every frame lies left of and above its origin, its ink touching the origin's
// column and row, so the table puts the trophy's right edge on x kTrophyRight and its foot
// on y kTrophyFoot; kTournamentLogoFrames frames, kTournamentFlagPalettes palettes, one
// animation. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Where the flag's cloth lies in a frame, from the frame's origin (every pixel that changes
// from palette to palette lies inside it).
inline constexpr int kFlagLeft = -84, kFlagTop = -123, kFlagWidth = 28, kFlagHeight = 21;

std::vector<uint8_t> trophyArtSprite();

}  // namespace sorv::mkdata
