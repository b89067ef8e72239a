// The ball and what marks its way, painted for the art style: the serve meter (pack 87 entry
// 0), the stroke's speed streaks (entry 1), the HUD sprite (entry 2: ball, shadow, hit
// bursts, break-point icons, slide streaks, bounce marks, point-of-fall rings and slide dust)
// and the running dust (pack 88 entry 5).
//
// Invariants: each sprite keeps the frame and animation numbers the game draws, and at least
// as many frames, animations and palettes as its labelled stand-in; pictures sit on their
// frame's origin where the game draws them (the ball and its shadow centred on their point,
// a hit burst where the racket meets the ball, the meter's bar standing on the player's
// feet). Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> serveMeterArt();
std::vector<uint8_t> speedStreaksArt();
std::vector<uint8_t> ballHudArt();
std::vector<uint8_t> runningDustArt();

}  // namespace sorv::mkdata
