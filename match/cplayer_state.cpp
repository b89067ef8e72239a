// The player object: construction, its states and special actions, the per-frame driver of
// a computer player and the drawing-time driver of every player's animation.
#include "match/cplayer.h"

#include "game/cgame.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "device/graphics.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/lang_system.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

SORV_REF_FIELDS(CPlayer, SORV_REF_OFFSET(CPlayer, animActor), SORV_REF_OFFSET(CPlayer, strokeEffect),
                SORV_REF_OFFSET(CPlayer, racketActor), SORV_REF_OFFSET(CPlayer, racketPos),
                SORV_REF_OFFSET(CPlayer, moveInfo), SORV_REF_OFFSET(CPlayer, flightA),
                SORV_REF_OFFSET(CPlayer, flightB), SORV_REF_OFFSET(CPlayer, work),
                SORV_REF_OFFSET(CPlayer, servePoints), SORV_REF_OFFSET(CPlayer, serveTargets),
                SORV_REF_OFFSET(CPlayer, aiLevels));

namespace {

constexpr int32_t kBoxWidth = 4000, kBoxHeight = 1000;
constexpr int32_t kReach = 3000;
constexpr int32_t kWorkLength = 8;
constexpr int32_t kStateServing = 2, kStateInPlay = 5;
constexpr int32_t kNoRoute = RigidBody::kNoPoint;

IntArray* routePoint(RigidBody* b, int32_t k) {
  if (isNull(b)) return nullptr;
  return static_cast<IntArray*>(rowAt(b->route, k));
}
int32_t routeX(RigidBody* b, int32_t k) {
  IntArray* p = routePoint(b, k);
  return isNull(p) ? kNoRoute : aload(p, 0);
}
int32_t routeZ(RigidBody* b, int32_t k) {
  IntArray* p = routePoint(b, k);
  return isNull(p) ? kNoRoute : aload(p, 1);
}

}  // namespace

namespace player_detail {

IntArray* frameTimes(ByteArray* row, int32_t extraAt, int32_t extra) {
  if (isNull(row)) return nullptr;
  const int32_t n = row->length;
  IntArray* out = Array::newIntArray(n);
  if (isNull(out)) return nullptr;
  for (int32_t i = 0; i < n; i++) out->elements()[i] = aload(row, i) + (i == extraAt ? extra : 0);
  return out;
}

void play(CPlayer* p, int32_t set, int32_t anim, int32_t loopFrame) {
  if (isNull(p->animActor)) return;
  p->animActor->setSprite(CTennis::getPlayerSprite(p->userTeamSide, p->rosterIndex, set), anim, loopFrame);
}

int32_t actorAnimation(CPlayer* p) { return isNull(p->animActor) ? -1 : p->animActor->animation; }
bool actorEnded(CPlayer* p) { return isNull(p->animActor) || p->animActor->ended; }

}  // namespace player_detail

CPlayer* CPlayer::create(CTennis* m, bool human, bool userTeam, int32_t number) {
  CPlayer* p = newObject<CPlayer>();
  if (p != nullptr) p->construct(m, human, userTeam, number);
  return p;
}

void CPlayer::construct(CTennis* m, bool human, bool userTeam, int32_t number) {
  SORV_FRAME("CPlayer.<init>(LCTennis;ZZI)V");
  RigidBody::construct(m, kBoxWidth, kBoxHeight, kAxisZ, nullptr, kTypeHuman);
  serveMoveDir = 0;
  moveInfo = Array::newIntArray(kWorkLength);
  flightA = Array::newIntArray(kWorkLength);
  flightB = Array::newIntArray(kWorkLength);
  work = Array::newIntArray(kWorkLength);
  servePoints = Array::newObjectArray(0, 2);
  serveTargets = Array::newObjectArray(0, 2);
  for (int32_t i = 0; i < 2; i++) {
    astore(servePoints, i, static_cast<Object*>(Array::newIntArray(2)));
    astore(serveTargets, i, static_cast<Object*>(Array::newIntArray(4)));
  }
  slideFlag = dustStep = moveStartFrame = 0;
  computerControlled = !human;
  if (!human) {
    type = kTypeComputer;
    aiLevels = Array::newIntArray(5);
  }
  index = number;
  look = number;
  userTeamSide = userTeam;
  firstNameIndex = lastNameIndex = -1;
  animActor = CActor::create(nullptr, 0, 0);
  racketPos = Array::newIntArray(2);
  reachValue = kReach;
  specialAction = -1;
  resetPlayer();
}

void CPlayer::changeState(int32_t s) {
  if (state == s) return;
  state = s;
  if (s == 5 || s == 8) resetSpeed();
  if (s == 6) move(0, true);
}

void CPlayer::resetSpecialAction() {
  specialAction = -1;
  specialStartFrame = specialDelay = 0;
}

void CPlayer::resetSpeed() {
  moveState = 3;
  vx = vy = vz = 0;
  moveDir = 0;
}

void CPlayer::resetPlayer() {
  resetSpecialAction();
  serveFromLeft = true;
  changeState(7);
  resetSpeed();
  move(0, true);
  resetStrikeState();
}

void CPlayer::resetPlayerAction() {
  resetSpecialAction();
  resetSpeed();
  resetStrikeState();
  changeState(7);
}

void CPlayer::onDeadBall(int32_t action, int32_t delay) {
  SORV_FRAME("CPlayer.onDeadBall(II)V");
  if (strikeState == 0 || strikeState == 1) resetStrikeState();
  setSpecialAction(action, delay);
  if (type == kTypeComputer) {
    NpcStop(false);
    wanderTimer = 0;
    move(0, false);
  }
}

void CPlayer::setSpecialAction(int32_t action, int32_t delay) {
  changeState(7);
  if (action == -1) {
    if (strikeState == 2) return;
  } else {
    specialAction = action;
    // Mid-swing only the actions that may cut a swing short are taken further.
    const bool mayCut = action == 20 || action == 21 || action == 24;
    if (strikeState != 2 || mayCut) {
      if (delay <= 0) {
        doSpecialAction(action);
        return;
      }
      specialDelay = delay;
      specialStartFrame = CTennis::matchFrame;
    }
  }
  move(0, true);
}

void CPlayer::doSpecialAction(int32_t action) {
  changeState(10);
  resetSpeed();
  int32_t start = -1;
  if (action == 0) start = -2;
  if (action == 13 || action == 25 || action == 26) start = 0;
  vz = 0;
  if (!isNull(animActor)) {
    animActor->ownFrameTimes = nullptr;
    animActor->setSprite(CTennis::getPlayerSprite(userTeamSide, rosterIndex, 2), action, start, false);
  }
  resetSpecialAction();
}

void CPlayer::doNextSpecialAction() {
  const int32_t action = specialAction;
  changeState(10);
  doSpecialAction(action);
  resetSpecialAction();
}

void CPlayer::NpcStop(bool all) {
  targetX = targetZ = 0;
  wanderX = wanderZ = 0;
  if (all) {
    wanderTimer = 0;
    targetFixed = 0;
  }
}

int64_t CPlayer::now() { return System::currentTimeMillis(); }

void CPlayer::onCollision(int32_t bits, int32_t, int32_t, int32_t) {
  if ((bits & kAxisX) != 0) vx = 0;
  if ((bits & kAxisZ) != 0) vz = 0;
}

void CPlayer::update() {
  SORV_FRAME("CPlayer.update()V");
  RigidBody::update();
  if (type != kTypeComputer) return;
  if (CTennis::matchState == kStateServing) {
    if (!CTennis::changeEnds && isNull(CTennis::rewardText)) updateServe();
    return;
  }
  if (CTennis::matchState != kStateInPlay || state == 7 || state == 10) return;
  const bool finalAgainstStrong = CGame::isCareer && CTennis::careerFinal;
  const int64_t delay = finalAgainstStrong ? 0 : kReactionDelay[difficulty()];
  if (CTennis::deadBallReason != 0) {
    NpcStop(true);
    return runTo();
  }
  if (state == 5 && vx == 0 && vy == 0 && vz == 0) {
    AI_decideRunTo();
    return runTo();
  }
  if (state != 6) return runTo();
  if (strikeState != 0) {
    NpcStop(true);
    npcReturnBall();
    return runTo();
  }
  if (now() - delay - reactTime <= 0 || CTennis::tutorialIndex != -1) return runTo();
  if (CTennis::isDoubles && !isReturner) {
    NpcStop(false);
    return runTo();
  }
  RigidBody* b = CTennis::ball;
  if (isNull(b) || isNull(b->route)) return runTo();
  if (strokeKind != 1) {
    const int32_t step = idiv(shortAt(runSpeedSide, attrSpeed - 1), 7);
    const int32_t lastZ = routeZ(b, b->route->length - 1);
    const bool lastOnOurSide = userTeamSide ? lastZ >= z : lastZ <= z;
    const int32_t dx = strikeX - x;
    if ((dx < 0 ? -dx : dx) >= step && targetFixed == 0 && lastOnOurSide) {
      if (strikeX != 0) {
        targetX = strikeX;
        targetZ = z;
      } else {
        NpcStop(true);
      }
      return runTo();
    }
  }
  int32_t tx = routeX(b, 5);
  tx = tx == kNoRoute ? ishr(routeX(b, 13) + routeX(b, 4), 1) : ishr(tx + routeX(b, 3), 1);
  int32_t tz = routeX(b, 2) > kNoRoute ? ishr(routeZ(b, 3) + routeZ(b, 2), 1)
                                        : routeZ(b, 3) + (userTeamSide ? -100 : 100);
  targetX = tx;
  targetZ = tz;
  targetFixed = 1;
  runTo();
}

void CPlayer::paintYourself() {
  SORV_FRAME("CPlayer.paintYourself()V");
  // A pause's still: the pose and the meter as they stand, no serve hit or move.
  if (CTennis::drawOnlyFrame) {
    paintPlayer();
    if (state == 2 || state == 3) drawEnergyBar();
    return;
  }
  if (state == 4 || strikeState == 2) {
    updateStrike();
  } else if (state == 2) {
    if (!isNull(animActor)) animActor->SetCurrentFrame(0, false);
    paintPlayer();
    drawEnergyBar();
  } else if (state == 3) {
    CActor* meter = CTennis::sharedActor;
    const int32_t meterAnim = powerServe ? 2 : 0;
    // The meter stands still while the ball is in the air.
    if (!isNull(meter) && meter->animation == meterAnim && !meter->paused) {
      meter->SetCurrentFrame(meter->currentFrame - 1, false);
    }
    drawEnergyBar();
    if (paintPlayer() == -1) {
      serveChooseOffset();
      tossTiming = tossPressFrame - tossTiming;
      if (!isNull(match)) match->serveBall();
      const int32_t anim = actorAnimation(this) != 0 ? 29 : 1;
      play(this, 1, anim, -1);
    }
  } else if (state == 8) {
    if (paintPlayer() == -1) {
      changeState(5);
      move(0, true);
    }
  } else if (paintPlayer() != -1) {
    updateSlipDust();
    if (moveState == 2 && (lastMoveDir == 3 || lastMoveDir == 4)) sliding = true;
  } else {
    if (strikeState != 0) {
      resetStrikeState();
      if (!isNull(animActor)) animActor->ownFrameTimes = nullptr;
      if (!isNull(CTennis::ball)) CTennis::ball->speedFactor = 100;
      strikeFrame = -1;
      resetSpeed();
    }
    if (vz != 0 && CTennis::deadBallReason != 0 && actorAnimation(this) == 1) vz = 0;
    if (specialAction == -1) {
      if (state != 10) manageMove();
    } else {
      doNextSpecialAction();
    }
  }
  if (specialAction != -1 && specialDelay > 0 &&
      CTennis::matchFrame - specialStartFrame >= specialDelay) {
    doSpecialAction(specialAction);
  }
}

void CPlayer::paintYourself(int32_t px, int32_t py) {
  if (isNull(screenPos)) screenPos = Array::newIntArray(2);
  astore(screenPos, 0, px);
  astore(screenPos, 1, py);
  paintYourself();
}

}  // namespace sorv
