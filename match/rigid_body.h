// RigidBody, the fixed-point body of the match (the ball, the players, training objects).
// So far only what the shell's object pool reads: the class id and the body type.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class RigidBody : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  // The ball types the pool hands out for training levels.
  static constexpr int32_t kTypeBall = 6, kTypeOtherBall = 10;

  // 0 human player, 1 computer player, 6 the match ball, 8 a ball kid, 10 another ball.
  int32_t type = 0;

  // fields the rules read (physics fills them)
  int32_t x = 0, y = 0, z = 0;
  int32_t prevX = 0, prevY = 0, prevZ = 0;
  int32_t vx = 0, vy = 0, vz = 0;
  int32_t bounceCount = 0;
  int32_t routeStep = 0, trailKind = 0;
  // int[14][2] of (x, z) key points of the predicted flight; x kNoRoutePoint when empty.
  ObjectArray* route = nullptr;
  static constexpr int32_t kNoRoutePoint = -118850;

  // Clears the match's bounce-trace table (the physics owns it).
  static void resetBallTrace();
};

}  // namespace sorv
