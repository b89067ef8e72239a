// The training mode's saved progress, which the game shell stores in records 3 and 8 to
// 12 before the training mode itself exists: the current game, each game's unlocked level
// and the current game's best points per level.
//
// Invariants: after the class's static initialiser, unlockedLevels is a byte[5] and
// levelBest an int[5]; game is -1 until a game is chosen, else 0..4.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class IntArray;

class CTraining {
 public:
  static constexpr int32_t kGameCount = 5;
  static constexpr int32_t kLevelCount = 5;

  static int8_t game;
  // The unlocked level of each game; 5 means every level of it is passed.
  static StaticRef<ByteArray> unlockedLevels;
  // The best final points of each level of the current game.
  static StaticRef<IntArray> levelBest;
};

}  // namespace sorv
