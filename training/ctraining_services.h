// CTraining, the training mode, as far as the game shell calls it. The training issue fills
// the bodies; until then a training frame stays in the training state and loads at once.
//
// Invariants: update returns the state to be current (44 to go on); Loading returns 0..100
// while loading and -1 when done. Game thread only.
#pragma once

#include <cstdint>

#include "match/ctennis_services.h"

namespace sorv {

class CTraining : public CTennis {
 public:
  static constexpr ClassId kClassId = kCTraining;
  static constexpr int32_t kTrainingState = 44;

  // Set while the player moves between training games without going back to the menus.
  static bool stayInTraining;

  // CTraining.<init>()V: a match object of the training kind.
  static CTraining* create();

  int32_t update() override;
  static int32_t Loading();
  static void switchToTrainning();
  static void unload();
};

}  // namespace sorv
