// The body's reference fields the rules read, and the bounce trace the physics keeps.
#include "match/rigid_body.h"

namespace sorv {

SORV_REF_FIELDS(RigidBody, SORV_REF_OFFSET(RigidBody, route));

void RigidBody::resetBallTrace() {}

}  // namespace sorv
