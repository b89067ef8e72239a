// CTennis, the match: so far only the statics that the game's data tables fill at boot
// (CGame::initArrays).
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
};

}  // namespace sorv
