// A stroke from start to contact: when the swing begins and how it is timed against the
// ball, the frames of the swing (drawn here too), the contact and the struck ball's flight.
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "device/graphics.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/java_int.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kNet = RigidBody::kNetZ;
constexpr int32_t kShortWindow = 600, kLongWindow = 800;
constexpr int32_t kStrikeSwingFrames = 5;
constexpr int32_t kLowerAim = 500;
constexpr int32_t kMaxApex = 10000, kFlatApex = 8000, kLobApex = 6000, kNetClearance = 1200;
constexpr int32_t kSecondTableStretch = 3;

RigidBody* theBall() { return CTennis::ball.get(); }

ByteArray* swingRow(ObjectArray* table, int32_t i) { return static_cast<ByteArray*>(rowAt(table, i)); }

// Apex of a flight from height y with vertical speed vy under gravity g (< 0).
int64_t apexOf(int32_t y, int32_t vy, int32_t g) {
  if (g >= 0 || vy <= 0) return y;
  return y + int64_t{vy} * vy / (-2 * int64_t{g});
}

}  // namespace

void CPlayer::updatePlayerStrike() {
  SORV_FRAME("CPlayer.updatePlayerStrike()V");
  RigidBody* b = theBall();
  if (state == 6 && strikeState == 0) {
    if (!getPlayerStrikeCondition(moveInfo)) {
      resetStrikeState();
    } else {
      ready = aload(moveInfo, 2) == 1;
      updateStrikeState(aload(moveInfo, 1), aload(moveInfo, 0), aload(moveInfo, 3) == 1);
    }
  }
  if (strikeState == 1 && !isNull(b)) {
    const int32_t f = b->computeDesireFrameCountToZ(z);
    const int32_t anim = strokeType == 1 ? 19 : getStrikingAnim();
    const bool second = strokeKind < 3 && (strokeType == 4 || strokeType == 5);
    ObjectArray* table = second ? swingTable2 : swingTable1;
    const int32_t rows = isNull(table) ? 0 : table->length;
    int32_t n = rows;
    if (type == kTypeComputer) n -= kSwingShortening[difficulty()];
    if (n < 1) n = 1;
    if (type == kTypeComputer && f >= n) {
      // not yet: the computer waits for the ball
    } else if (f < 0) {
      resetStrikeState();
      move(0, true);
    } else if (anim != -1 && returnDir != -1 && rows > 0) {
      play(this, 1, anim, -1);
      swingFrames = kStrikeSwingFrames;
      strikeState = 2;
      p3 = 0;
      p1 = p2 = f;
      p0 = n - 1;
      if (f > n - 1) {
        p1 = n - 1;
        // Stretch the swing so that its contact frame still meets a late ball.
        const int32_t at = second ? kSecondTableStretch : 0;
        if (!isNull(animActor)) animActor->ownFrameTimes = frameTimes(swingRow(table, rows - 1), at, f - p0);
      } else if (!isNull(animActor)) {
        animActor->ownFrameTimes = frameTimes(swingRow(table, f));
      }
      resetSpeed();
      if (strikeXOffset != 0) strikeMoveTo(strikeXOffset, idiv(f * 1000, 7));
      if (strokeType == 1) {
        strikeFrame = userTeamSide ? 8 : 5;
      } else {
        strikeFrame = userTeamSide ? (forehand ? 3 : 4) : (forehand ? 6 : 7);
      }
    }
  }
  if (strikeState == 2 && p3 >= 0) {
    if (doubleDir != 0) {
      CGame::EndSpeedLineEffect();
      strokeEffect = nullptr;
    } else if (++p3 == 10) {
      const int32_t anim = actorAnimation(this);
      if (anim == 4 || anim == 5 || anim == 24) {
        strokeEffect = CActor::create(CTennis::ballSprite1, 0, 0);
        if (!userTeamSide) CGame::StartSpeedLineEffect(0, 0);
        IntArray* centre = flightA;
        astore(centre, 0, aload(screenPos, 0) + (forehand ? 16 : -16));
        astore(centre, 1, aload(screenPos, 1) + (anim == 4 ? -30 : -15));
        CGame::SetSpeedLineCenterPosition(centre);
      }
    }
  }
  if (!isNull(b) && b->speedFactor == 100) {
    const int32_t f = b->computeDesireFrameCountToZ(z);
    if (f >= 0 && f < 4) b->trimToReachZ(z, f);
  }
  if (strikeState == 1 || strikeState == 2) checkStrikeKeyRelease();
}

void CPlayer::updateStrikeState(int32_t t, int32_t kind, bool fore) {
  SORV_FRAME("CPlayer.updateStrikeState(IIZ)V");
  RigidBody* b = theBall();
  strikeXOffset = 0;
  strokeType = t;
  strokeKind = kind;
  forehand = fore;
  const int32_t anim = swingAnimation(t, kind, fore);
  if (anim == -1 || isNull(b)) return resetStrikeState();
  swingAnim = anim;
  const int32_t s = userTeamSide == fore ? -1 : 1;
  int32_t window = 0;
  int32_t toX = strikeX, toZ = z;
  if (t == 1) {
    if (kind == 1) {
      strikeXOffset = strikeX;
      window = kLongWindow;
    } else {
      toX = strikeX + 200;
    }
  } else if (t == 7) {
    const int32_t j = CTennis::getLastBallPosCanBeStrike();
    IntArray* point = static_cast<IntArray*>(rowAt(b->route, j));
    if (j >= 0 && !isNull(point) && aload(point, 1) != kNoPoint) toZ = aload(point, 1) + (userTeamSide ? -100 : 100);
  } else if (kind <= 2) {
    strikeXOffset = strikeX + s * 750;
    window = kShortWindow;
  } else {
    toX = strikeX + s * 1400;
  }
  int32_t frames = 0;
  if (window > 0) {
    // A ball that does not come on in depth gives no time to wait for.
    if (b->vz == 0) return;
    timeToBall = static_cast<int32_t>(ldiv(int64_t{z - b->z} * 1000, b->vz));
    if (timeToBall < 0) return;
    if (type == kTypeHuman) {
      const int32_t k = CTennis::getStrikeChoiceKeyPress();
      const bool tooEarly = k == -1 && timeToBall > window;
      const bool shortBall = b->z < 19901 && b->fallZ >= 21500;
      if (!tooEarly && !shortBall) {
        strikeState = 1;
        if (k != -1) setReturnBallDir(k);
        if (b->fallMarkKind != 0) b->fallMarkKind = 3;
      }
    } else if (timeToBall <= window) {
      strikeState = 1;
    }
  } else {
    frames = (b->computeActualFrameCountToZ(z) + 50) / 100;
    if (frames >= 1 && frames <= 5) strikeState = 2;
  }
  if (strikeState == 0) return;
  swingFrames = kStrikeSwingFrames;
  play(this, 1, anim, kind <= 2 ? -2 : -1);
  resetSpeed();
  strikeFrame = -1;
  if (strikeState == 1) {
    if (!isNull(animActor)) animActor->ownFrameTimes = nullptr;
    return;
  }
  ObjectArray* table = swingTable1;
  const int32_t rows = isNull(table) ? 0 : table->length;
  p0 = rows - 1;
  p1 = clampInt(frames, 0, rows - 1 < 0 ? 0 : rows - 1);
  if (kind == 3 && t != 7 && rows > 0) {
    p1 = frames;
    ByteArray* any = swingRow(table, 0);
    const int32_t rowLength = isNull(any) ? 0 : any->length;
    const int32_t r = clampInt(frames - (rowLength - rows + 1), 0, rows - 1);
    if (!isNull(animActor)) animActor->ownFrameTimes = frameTimes(swingRow(table, r));
  }
  const int32_t time = idiv(swingFrames * 1000, 7);
  strikeMoveTo(toX, time);
  if (t == 7) strikeMoveToZ(toZ, time);
  p2 = p1;
}

void CPlayer::updateStrike() {
  SORV_FRAME("CPlayer.updateStrike()V");
  RigidBody* b = theBall();
  const int32_t frame = isNull(animActor) ? -1 : animActor->currentFrame;
  const bool atSwing = frame == swingFrames + 1;
  if (atSwing && strikeState == 2) {
    resetSpeed();
    if (strokeKind >= 3 && strokeKind <= 6 && !isNull(animActor)) {
      const int32_t d = strokeKind == 3 ? 200 : 1000;
      const bool plus = userTeamSide == forehand;
      const int32_t count = isNull(animActor->sprite) ? 0 : animActor->sprite->GetAFrames(animActor->animation);
      const int32_t left = animActor->getFrameDistance(count - 1) - animActor->getFrameDistance(swingFrames + 1);
      strikeMoveTo(strikeX + (plus ? d : -d), idiv(left * 1000, 7));
    }
    if (CTennis::tutorialIndex != -1 && type == kTypeComputer) {
      trainingThrowBall();
    } else if (strokeKind != 6 && state == 6 && returnDir != -1 && !isNull(b)) {
      bool reach = strokeKind <= 2;
      if (!reach) {
        reach = userTeamSide ? (b->vz >= 1 && b->z - z < 800) : (b->vz < 0 && b->z - z >= -799);
      }
      if (reach) {
        returnBall();
      } else {
        strikeFrame = -1;
      }
    }
  }
  int32_t result = 0;
  if (userTeamSide) {
    result = paintPlayer();
    if (!isNull(strokeEffect)) CGame::DrawSpeedLineEffect(CGame::gfx);
  }
  if (state == 4 && atSwing && !isNull(animActor) && !animActor->ended && !isNull(b)) {
    int32_t sound = -1;
    const int32_t effect = strikeFrame + 1;
    if (b->trailKind == 2 || effect == 0) sound = 2;
    if (b->trailKind != 2 && effect >= 4 && effect <= 9) sound = 5;
    if (b->trailKind != 2 && effect >= 10 && effect <= 15) sound = 6;
    if (b->trailKind == 5) sound = 4;
    if (sound != -1) GameSound::play(sound, false);
  }
  bool drawnEffect = false;
  if (strikeFrame != -1 && !isNull(CTennis::hudSprite) && !isNull(screenPos) &&
      (atSwing || frame == swingFrames + 2)) {
    CTennis::hudSprite->PaintFrame(CGame::gfx, strikeFrame, aload(screenPos, 0), aload(screenPos, 1), 0, 0);
    drawnEffect = true;
    if (!atSwing) strikeFrame = -1;
  }
  if (!userTeamSide) {
    result = paintPlayer();
    const bool over = result == -1 || (!isNull(animActor) && animActor->currentFrame >= swingFrames + 5);
    // The far player lets go of its key by itself.
    if ((state == 5 || state == 4) && doubleDir == 0 && over) {
      doubleDir = CTennis::matchFrame + 1;
      changeBallRouteByReleaseKey();
    }
  }
  if (result != -1) return;
  if (!isNull(animActor)) animActor->ownFrameTimes = nullptr;
  if (!isNull(b)) b->speedFactor = 100;
  if (!drawnEffect) strikeFrame = -1;
  if (state == 7 && specialAction != -1) {
    resetStrikeState();
    return doNextSpecialAction();
  }
  if (strokeType >= 3 && strokeType <= 5 && strokeKind == 3) CAE::CheckAchi(this, forehandSide == forehand ? 10 : 9, true);
  CAE::CheckAchi(this, 12, swingAnim == 31);
  CAE::saveAchievement();
  resetStrikeState();
  changeState(5);
  move(0, true);
}

void CPlayer::returnBall() {
  SORV_FRAME("CPlayer.returnBall()V");
  RigidBody* b = theBall();
  CPlayer* user = CTennis::player;
  contactFrame = CTennis::matchFrame;
  const bool tutorial = CTennis::tutorialIndex != -1;
  if (type == kTypeComputer) {
    doubleDir = CTennis::matchFrame;
  } else if ((difficulty() <= 1 || tutorial) && (doubleDir == 0 || tutorial)) {
    doubleDir = CTennis::matchFrame;
  }
  if (!isNull(b)) {
    b->speedFactor = 100;
    setBallRoute(b);
  }
  changeState(4);
  if (!isNull(match)) {
    match->onReturnBall(this);
    if (doubleDir != 0 && (CTennis::deadBallReason & 8) == 0) match->onReturnBall2(this);
  }
  if (type == kTypeComputer) {
    reactTime = now();
    targetFixed = 0;
  }
  if (strikeFrame != -1 && p3 >= 8 && doubleDir >= contactFrame - 1) strikeFrame += 6;
  if (type == kTypeComputer && !isNull(user)) user->timeToBall = 0;
}

void CPlayer::setBallRoute(RigidBody* b) {
  SORV_FRAME("CPlayer.setBallRoute(LRigidBody;)V");
  if (isNull(b)) return;
  RigidBody* saved = CTennis::ball;
  CTennis::ball = b;
  if (strokeKind == 5 && state != 8 && CGame::RAND(1, 100) < 50) {
    setBallFly(true);
  } else {
    setBallSpeedByFallPoint();
  }
  b->flightSpeed = RigidBody::vectorToScalar(b->vx, b->vy, b->vz, 12);
  prevStrokeType = strokeType;
  prevStrokeKind = strokeKind;
  prevReturnDir = returnDir;
  prevSecondDir = secondDir;
  prevStrokeX = x;
  prevStrokeZ = z;
  lastStrokeKind = strokeKind;
  lastStrokeRoute = strokeType;
  lastStrokeState = secondDir;
  lastStrokeDir = returnDir;
  lastStrokeZ = z;
  lastStrokeSpeed = b->flightSpeed;
  CTennis::speedLineFlag = 0;
  b->bounceCount = 0;
  CTennis::ball = saved;
}

void CPlayer::setBallSpeedByFallPoint() {
  SORV_FRAME("CPlayer.setBallSpeedByFallPoint()V");
  RigidBody* b = theBall();
  if (isNull(b)) return;
  int32_t lower = 0;
  const int32_t e = p0 > 0 ? randomMod(p0 + 1) : 0;
  const int32_t v = RigidBody::vectorToScalar(b->vx, b->vy, b->vz, 12) / 1000;
  if (idiv((v - 10) * e, 10) > p1 && CGame::RAND(0, 5 - clampInt(attrStroke, 1, 5)) >= 1) {
    const int32_t spared = CTennis::rallyStrokes == 0 ? 6 : 0;
    if (!(CGame::RAND(0, 10) < spared)) {
      if (CGame::RAND(0, 1) == 0) return setBallFly(false);
      lower = kLowerAim;
    }
  }
  if (p0 > 0 && randomMod(2 * p0 + 1) < p1 && returnDir > 6) lower += kLowerAim;
  IntArray* target = flightA;
  const bool tutorial = CTennis::tutorialIndex != -1;
  if (state != 6 && !(type == kTypeComputer && tutorial)) {
    getServePointOfFall(target);
  } else if (tutorial) {
    getPointOfFall(target, strikeState != 2 || strokeType == 1 ? 5 : getLobReturnBallPos());
  } else {
    getPointOfFall(target, returnDir);
  }
  b->ay = 0;
  const int32_t fx = aload(target, 0), fz = aload(target, 1);
  astore(target, 0, fx);
  astore(target, 1, 0);
  astore(target, 2, fz);
  b->setAngularVelocity(strokeSpin);
  int32_t speed = getMaxStrikeSpeed();
  if (b->trailKind == 2) speed = idiv(speed * 90, 100);
  IntArray* flight = flightB;
  if (b->calculateInitialVelocity(flight, target, speed, kNetClearance) < 0) {
    Debug::trace("%s", "no flight to the point of fall");
    return;
  }
  if (apexOf(b->y, aload(flight, 1), b->gravity()) > kMaxApex) {
    b->calculateInitialVelocity(flight, kFlatApex, target, kNetClearance);
  }
  const int32_t trail = b->trailKind;
  if (trail != 2 && trail != 4 && trail != 5 && speed > 0) {
    const int32_t q = idiv(RigidBody::vectorToScalar(aload(flight, 0), aload(flight, 1), aload(flight, 2), 10) * 100, speed);
    if (q < 90) {
      int32_t dip = idiv((100 - q) * kDipAcceleration, 100);
      if (q < 61 && trail != 3) dip *= 2;
      b->ay = dip;
      b->calculateInitialVelocity(flight, target, speed, kNetClearance);
    }
  }
  if (trail == 5 && apexOf(b->y, aload(flight, 1), b->gravity()) < kLobApex) {
    b->ay = -5000;
    b->calculateInitialVelocity(flight, kLobApex, target, kNetClearance);
  }
  // Through the net: the stroke's error moves the crossing point, which the flight keeps
  // reaching at the same moment.
  IntArray* pass = work;
  const int32_t wz = aload(flight, 2);
  if (b->calculateCoordOnNet(pass, flight) == 0 && wz != 0) {
    generatePassNetPoint(pass);
    astore(pass, 1, aload(pass, 1) + lower);
    const int32_t t = idiv((kNet - b->z) * 1000, wz);
    IntArray* start = RigidBody::solverStart;
    astore(start, 0, b->x);
    astore(start, 1, b->y);
    astore(start, 2, b->z);
    if (t > 0 && b->calculateInitialVelocity(flight, start, pass, t) == 0) {
      b->vx = aload(flight, 0);
      b->vy = aload(flight, 1);
      b->vz = aload(flight, 2);
      return;
    }
  }
  b->vx = aload(flight, 0);
  b->vy = aload(flight, 1);
  b->vz = aload(flight, 2);
}

void CPlayer::getServePointOfFall(IntArray* out) {
  int32_t q = getServeAreaChoice();
  if (q > 3) q = 3;
  int32_t dir = returnDir;
  if (serveFromLeft && dir >= 1 && dir <= 9) {
    const int32_t col = (dir - 1) % 3;
    if (col == 0) dir += 2;
    if (col == 2) dir -= 2;
  }
  computeFallRect(serveTargets, q, dir);
  for (int32_t i = 0; i < 2; i++) {
    getRandPointInRect(static_cast<IntArray*>(aload(servePoints, i)), static_cast<IntArray*>(aload(serveTargets, i)));
  }
  IntArray* chosen = static_cast<IntArray*>(aload(servePoints, randomMod(2)));
  astore(out, 0, aload(chosen, 0));
  astore(out, 1, aload(chosen, 1));
  computeActualPoint(out);
}

}  // namespace sorv
