// CTennis, the match: so far only the statics that the game's data tables fill at boot
// (CGame::initArrays), and what the game shell reads of a running match.
#pragma once

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class CTennis : public Object {
 public:
  static constexpr ClassId kClassId = kCTennis;

  // Close-call line kind by x line and z line of a landing near both (byte[5][5]).
  static StaticRef<ObjectArray> lineCornerKinds;
  // Bounce loss in percent, three per court type: lateral, vertical, depth (int[12]).
  static StaticRef<IntArray> courtLossTable;

  // Read by the game shell until the match engine owns them (match/ctennis_seams.cpp).
  // Match frames counted since the match object was made; times the achievement pop-up.
  static int32_t matchFrame;
  // The guided tutorial's current step, -1 in a real match.
  static int32_t tutorialStep;
  static int32_t getTutMiniStep() { return tutorialStep; }
};

}  // namespace sorv
