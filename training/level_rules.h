// The rules a training level must keep beyond its layout, so that it can be built and
// played: counts at least one, rectangles the right way round, weights never negative,
// times and speeds above zero, rings that the ring maths can divide by, and objects that fit
// the match's 12-slot object list and the shell's 15-slot pool.
//
// Reads CTraining's level tables as loadRawLevelDatas has just filled them; called by it only.
#pragma once

#include <cstdint>

namespace sorv::level_rules {

inline constexpr int32_t kObjectListSlots = 12;
inline constexpr int32_t kMaxRings = 58;         // the close-up steps 58 / rings pixels
inline constexpr int32_t kMaxLanes = 3;          // one tank slot per lane
inline constexpr int32_t kMaxStageBonuses = 10;  // the player, the bonuses and the circle
// A ball leaves the object list once it has flown more than this many frames.
inline constexpr int32_t kBallFlightFrames = 56;

// Balls that can be in the object list at once with the machine launching every
// 'interval' frames.
inline int32_t ballsInFlight(int32_t interval) { return kBallFlightFrames / interval + 1; }

// The first broken field of the game's level, or null when the level keeps every rule.
const char* check(int32_t game);

}  // namespace sorv::level_rules
