// RigidBody's drawing layers. The court drawing fills them; until then a body draws nothing.
#include "match/rigid_body.h"

namespace sorv {

void RigidBody::paint() {}
void RigidBody::paintShadow() {}
void RigidBody::paintPointOfFall() {}
void RigidBody::paintOrbit() {}
void RigidBody::paintBallTrace() {}

}  // namespace sorv
