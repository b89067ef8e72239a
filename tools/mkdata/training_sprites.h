// The two sprites of the training pack, drawn here in a few colours:
// - S-TRAIN (entry 0), 31 animations: 0 the target board, 1 its hit flash, 3 the barrier,
//   the tank's 5 (standing), 6 (rolling), 7 (hit), 22 and 23 (damaged, rolling and hit), 26
//   (blowing up) and 27 (the wreck), 8 the hit effect (a burst), 28 the bonus (a numbered
//   disc's ground), 29 the wrong bonus (a cross), 30 the ball machine (7 frames; the ball
//   leaves the mouth at frame 5); the other animations are one small dot. Two palettes.
// - S-CHECKPOINT (entry 1): frames 0..3 the zone's square in four sizes; animation 0 the
//   idle marker and 1..3 the marker rising in three sizes (several frames, meant to end).
// Only the training pack's builder calls this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

inline constexpr int kTrainingAnims = 31;
inline constexpr int kMachineAnim = 30, kMachineFrames = 7, kMachineLaunchFrame = 5;
inline constexpr int kCheckPointFrames = 4, kCheckPointAnims = 4;

std::vector<uint8_t> trainingSprite();
std::vector<uint8_t> checkPointSprite();

}  // namespace sorv::mkdata
