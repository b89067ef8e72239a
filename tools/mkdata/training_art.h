// The painted training sprite (entry 0 of the training pack), by what the five games draw:
// - 0 the target board on its easel, red and white rings round a gold middle; 1 its hit: a
//   flash, knocked back, a wobble, and still again (it ends, the close-up follows);
// - 3 the barrier: a striped board between two posts;
// - the Power game's tank (tank_art.h): 6 rolling in with a puff of exhaust (ends), 5
//   rolling, 22 scorched and smoking, 23 burning, 7 blowing up (ends), 26 catching fire on
//   the net line (ends), 27 the burnt wreck (ends);
// - 8 the burst where a ball hits (ends);
// - 28 (frame 0) the bonus coin, floating where the game writes its number; 29 (frame 0)
//   the cross over a bonus touched out of turn;
// - 30 the ball machine, kMachineFrames frames: a ball drops from the hopper into the tube and
//   leaves the mouth at kMachineLaunchFrame, the last frame at rest;
// - the animations no game draws: a small ball mark.
// Two palettes, daylight and dusk.
//
// Invariants: a standing object's ground point is its frame's origin; the burst is centred
// on its origin; the coin and the cross centre kBonusCoinRise pixels above it; every step
// lasts at least one tick. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Where the board's face, the machine's mouth and the bonus coin lie above their ground
// points: the board's middle stands about where the first level's board radius puts it, the mouth at the
// machine's launch height of one metre, the coin under the number the game writes 9 pixels
// up (the main font's digits stand on their line's foot, a few pixels above it).
inline constexpr int kBoardFaceRise = 21, kBoardFaceRadius = 18;
inline constexpr int kMachineMouthRise = 22;
inline constexpr int kBonusCoinRise = 19, kBonusCoinRadius = 10;

std::vector<uint8_t> trainingArtSprite();

}  // namespace sorv::mkdata
