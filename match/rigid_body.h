// RigidBody, the fixed-point body of the match (the ball, the players, training objects).
// So far only what the shell's object pool reads: the class id and the body type.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class RigidBody : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  // The ball types the pool hands out for training levels.
  static constexpr int32_t kTypeBall = 6, kTypeOtherBall = 10;

  // 0 human player, 1 computer player, 6 the match ball, 8 a ball kid, 10 another ball.
  int32_t type = 0;
};

}  // namespace sorv
