// CTraining, the training mode (a kind of match), as far as the game shell reaches it so far:
// the saved progress that records 3 and 8 to 12 hold (the current game, each game's unlocked
// level, the current game's best points per level), construction, one frame, the loading
// steps and the take-down. The training issue fills the bodies; until then a training frame
// stays in the training state and loads at once.
//
// Invariants: after the class's static initialiser, unlockedLevels is a byte[5] and
// levelBest an int[5]; game is -1 until a game is chosen, else 0..4. update returns the
// state to be current (44 to go on); Loading returns 0..100 while loading and -1 when done.
// Game thread only.
#pragma once

#include <cstdint>

#include "match/ctennis.h"

namespace sorv {

class ByteArray;
class IntArray;
class RigidBody;

class CTraining : public CTennis {
 public:
  static constexpr ClassId kClassId = kCTraining;
  static constexpr int32_t kTrainingState = 44;
  static constexpr int32_t kGameCount = 5;
  static constexpr int32_t kLevelCount = 5;

  static int8_t game;
  // The unlocked level of each game; 5 means every level of it is passed.
  static StaticRef<ByteArray> unlockedLevels;
  // The best final points of each level of the current game.
  static StaticRef<IntArray> levelBest;
  // Set while the player moves between training games without going back to the menus.
  static bool stayInTraining;
  // 0 playing, 2 paused by a message or the tutorial, 3 the result page, 4 reloading the
  // level, -1 not started: the in-game menu opens only while it is 0.
  static int32_t trainingState;

  // CTraining.<init>()V: a match object of the training kind.
  static CTraining* create();

  int32_t update() override;
  static int32_t Loading();
  static void switchToTrainning();
  static void unload();
  // A training object touched by a barrier (body) or touching one (other).
  static void onCollidsion(RigidBody* other, RigidBody* body, IntArray* point);
  // The training menu's choices: the game, then its level.
  static void selectGame(int8_t game);
  static void selectLevel(int8_t level);
  // The highest level the chosen game offers (its unlocked level, at most the last one).
  static int32_t unlockedLevel();
};

}  // namespace sorv
