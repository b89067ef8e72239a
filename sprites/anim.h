// ANIM: the animation constants of the player sprites, above all the remap tables that let
// one set of player animations serve both ends of the court.
//
// Invariant: remap[slot] is a byte[] for slots 0..2 after ANIM::clinit; a remapped id is
// looked up only inside its table (an id outside it keeps its own number).
// Read by CActor; built once by the static initialiser.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class ANIM {
 public:
  static constexpr int32_t kRemapSlots = 3;
  static StaticRef<ObjectArray> remap;

  static void clinit();
  // The animation to play for `animation` on player-sprite slot `slot`.
  static int32_t remapped(int32_t slot, int32_t animation);
};

}  // namespace sorv
