// What the rules need of a player's construction, and the player operations they call that
// the players' work fills: until then a reaction, a boost or the slide marks change nothing.
#include "match/cplayer.h"

#include "runtime/array.h"
#include "runtime/frames.h"

namespace sorv {

SORV_REF_FIELDS(CPlayer, SORV_REF_OFFSET(CPlayer, animActor), SORV_REF_OFFSET(CPlayer, racketActor),
                SORV_REF_OFFSET(CPlayer, racketPos), SORV_REF_OFFSET(CPlayer, aiLevels));

void CPlayer::construct(CTennis* match, bool human, bool userTeam, int32_t /*look*/) {
  // The body first: a drawn or frozen player needs its screen point.
  RigidBody::construct(match, 0, 0, 0, nullptr, human ? 0 : 1);
  userTeamSide = userTeam;
  computerControlled = !human;
}

void CPlayer::resetSpeed() {
  moveState = 3;
  vx = vy = vz = 0;
  moveDir = 0;
}

void CPlayer::onDeadBall(int32_t, int32_t) {}
void CPlayer::paintYourself() {}
void CPlayer::paintYourself(int32_t, int32_t) {}
void CPlayer::tunePlayerAttrAndAbility(int32_t) {}
void CPlayer::resetSlipTrace() {}

void CPlayer::initPlayerAttr(ByteArray* values) {
  SORV_FRAME("CPlayer.initPlayerAttr([B)V");
  attr0 = aload(values, 0);
  attrServe = aload(values, 1);
  attr2 = aload(values, 2);
  attrSpeed = aload(values, 3);
  attrStroke = aload(values, 4);
}

}  // namespace sorv
