// What the game shell reads of the match engine before the engine exists: the match frame
// counter and the tutorial step. Tests set them; the match engine will own both.
//
// Invariants: tutorialStep is -1 outside a guided tutorial step; matchFrame only grows
// while a match or training game runs (the shell advances it once a frame).
#pragma once

#include <cstdint>

namespace sorv {

class CTennis {
 public:
  // Match frames counted since the match object was made; times the achievement pop-up.
  static int32_t matchFrame;
  // The guided tutorial's current step, -1 in a real match.
  static int32_t tutorialStep;

  static int32_t getTutMiniStep() { return tutorialStep; }
};

}  // namespace sorv
