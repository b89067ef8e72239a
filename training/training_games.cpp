// The five games' rule steps, the ball machine that feeds three of them, the user's player
// under training control, the match callbacks a training level answers, and the level's
// final points.
#include <algorithm>
#include <cstdlib>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/util_random.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kServePrepare = 0, kServing = 1, kInFlight = 2;
constexpr int32_t kServeOverBounces = 4;
constexpr int32_t kNetZ = 18300, kSlowDownZ = 15100, kSlowestTank = 250, kFailX = 9085;
constexpr int32_t kNetAccuracyMaxZ = 22800;
constexpr int32_t kTankIdle = 5, kTankStart = 6, kTankDestroyed = 7, kTankStopped = 26, kTankFailed = 27;
constexpr int32_t kLaunchFrame = 5;
constexpr int32_t kHitFxAnim = 8;
constexpr int32_t kMachine = 0, kFlightMin = 1, kFlightMax = 2, kStartX = 3, kStartY = 4, kStartZ = 5;
constexpr int32_t kServeBarFrames = 14;
constexpr int32_t kTexts = 3, kTimeOutText = 26, kTimeOutFrames = 36;
constexpr int32_t kMaxTimeouts = 3;
constexpr int32_t kCloseUpKind = 0;
constexpr int32_t kSpeedPrecision = 12;
constexpr int32_t kTickMs = 20;

int32_t ballSpeed(RigidBody* b) { return RigidBody::vectorToScalar(b->vx, b->vy, b->vz, kSpeedPrecision); }

RigidBody* tankAt(int32_t slot) { return static_cast<RigidBody*>(aload(T::tanks.get(), slot)); }

int32_t tanksOnCourt() {
  int32_t n = 0;
  for (int32_t i = 0; !isNull(T::tanks) && i < T::kTankSlots; i++) n += isNull(tankAt(i)) ? 0 : 1;
  return n;
}

void play(CActor* actor, int32_t animation, int32_t loop) {
  if (!isNull(actor)) actor->setSprite(T::sprite, animation, loop);
}

// |next int| mod n of the game's generator, the sign bit cleared.
int32_t randomBelow(int32_t n) {
  Random* generator = CGame::random.get();
  return isNull(generator) || n <= 0 ? 0 : (generator->nextInt() & 0x7FFFFFFF) % n;
}

void endLevel(bool passed) { T::levelResult = passed ? 0 : 1; }

// A destroyed tank whose animation has ended.
void tankDestroyed(int32_t slot, RigidBody* tank) {
  const bool running = T::levelResult == -1;
  if (running && tank->z < kNetZ) {
    T::removeTank(tank);
    T::tanksLeft--;
    if (T::tanksLeft < 1) return endLevel(true);
    if (T::tanksLeft > tanksOnCourt()) {
      const int32_t lanes = T::tankLanes->length;
      const int32_t lane = CGame::RAND(0, lanes - 1);
      T::addTank(T::newTank(lane), lane, -1);
    }
    return;
  }
  if (tank->z >= kNetZ) {
    // It stopped on the line: it goes to the middle and fails the level.
    tank->x = kFailX;
    play(tank->actor, kTankFailed, -1);
  } else {
    T::removeTank(tank);
  }
  (void)slot;
}

void stepTank(int32_t slot) {
  RigidBody* tank = tankAt(slot);
  if (isNull(tank)) return;
  CActor* actor = tank->actor;
  if (isNull(actor)) return;
  if (actor->ended) {
    switch (actor->animation) {
      case kTankFailed:
        T::removeTank(tank);
        return endLevel(false);
      case kTankStopped:
        play(actor, kTankDestroyed, -1);
        tank->vz = 0;
        return;
      case kTankStart: return play(actor, kTankIdle, 0);
      case kTankDestroyed: return tankDestroyed(slot, tank);
      default: return;
    }
  }
  if (tank->z >= kNetZ && tank->vz != 0) {
    play(actor, kTankStopped, -1);
    tank->vz = 0;
  } else if (tank->z >= kSlowDownZ && tank->prevZ <= kSlowDownZ) {
    int32_t vz = tank->vz >> 1;
    if (std::abs(vz) <= kSlowestTank) vz = vz >= 0 ? kSlowestTank : -kSlowestTank;
    tank->vz = vz;
  }
}

}  // namespace

void CTraining::serveBall() {
  SORV_FRAME("CTraining.serveBall()V");
  CPlayer* p = player;
  RigidBody* b = ball;
  if (isNull(p) || isNull(b)) return;
  p->serveBall();
  b->markX = b->markZ = kNoPoint;
  CGame::p_add(objectList, b);
  servePhase = kInFlight;
  shotSpeed = ballSpeed(b);
  CGame::activeServeSpeedBar(kServeBarFrames);
  onReturnBall(p);
  onReturnBall2(p);
}

int32_t CTraining::shownServeSpeed(int32_t speed) {
  const int32_t kmh = speed * 36 / 10000;
  return aload(CGame::optionValues.get(), 1) == 0 ? kmh * 1000 / 1609 : kmh;
}

void CTraining::onBallCollision(RigidBody* body, int32_t, int32_t, int32_t, int32_t) {
  SORV_FRAME("CTraining.onBallCollision(LRigidBody;IIII)V");
  if (trainingState != 0 || isNull(body) || drawOnlyFrame) return;
  if (game == kGameServe) {
    if (body->bounceCount == 2 && !body->routeValid && !serveBlocked && !isNull(target)) {
      getPosOnScreen(hintPos, target);
      CGame::activeFloatHint(CGame::GetString(kTexts, 11), CGame::GetAnimationIDByClass(3), 1, aload(hintPos.get(), 0),
                             aload(hintPos.get(), 1), 12, 0);
    }
  } else if (game == kGameAccuracy || game == kGameNetAccuracy) {
    RigidBody* cp = checkPoint;
    if (!isNull(cp) && !cp->routeValid && body->bounceCount == 2 && body == ball.get()) {
      getPosOnScreen(hintPos, cp);
      CGame::activeFloatHint(CGame::GetString(kTexts, 11), CGame::GetAnimationIDByClass(3), 1, aload(hintPos.get(), 0),
                             aload(hintPos.get(), 1), 12, 0);
      streak = 0;
    }
  }
}

void CTraining::onReturnBall2(CPlayer* striker) {
  SORV_FRAME("CTraining.onReturnBall2(LCPlayer;)V");
  a_onReturnBall2(striker);
  if (!isNull(player)) player->onRivalReturnBall(striker);
}

void CTraining::onReturnBall(CPlayer* striker) {
  SORV_FRAME("CTraining.onReturnBall(LCPlayer;)V");
  if (!isNull(striker)) striker->resetStrikeState();
  if (!isNull(ball)) shotSpeed = ballSpeed(ball);
}

void CTraining::updateReturn(bool canStrike) {
  CPlayer* p = player;
  RigidBody* b = ball;
  if (isNull(p)) return;
  if (!canStrike || isNull(b) || b->bounceCount >= 2) return p->move(getMoveChoice(), false);
  if (p->state == CPlayer::kStateBallComing && (p->strikeState == 1 || p->strikeState == 2)) {
    p->setReturnBallDir(getStrikeChoiceKeyDownOrPress());
    if (b->vz != 0) p->updatePlayerStrike();
    return;
  }
  if (p->state == CPlayer::kStateStrike) {
    p->p2 = p->p1;
    p->checkStrikeKeyRelease();
  } else {
    p->move(getMoveChoice(), false);
    if (game == kGameNetAccuracy && p->z >= kNetAccuracyMaxZ) p->setZ(kNetAccuracyMaxZ);
  }
  if (b->vz != 0) p->updatePlayerStrike();
}

bool CTraining::updateTrailHorse(bool shotOver) {
  if (!shotOver) return false;
  CActor* machine = machineActor;
  const int32_t f = isNull(machine) ? -1 : machine->update();
  if (machineTimer != -1 && matchFrame - machineTimer < aload(machineParams.get(), kMachine)) return false;
  if (f == kLaunchFrame) {
    if (game == kGamePower) {
      RigidBody* b = newBall();
      ball = b;
      for (int32_t i = 0; i < kTankSlots; i++) {
        if (!isNull(tankAt(i)) && !isNull(b)) CGame::p_add(b->barriers, tankAt(i));
      }
      getProbRoot(workPoint, launchTable, true);
      trailHorseServeBall(workPoint, true);
    } else if (game == kGameAccuracy || game == kGameNetAccuracy) {
      if (ballsLeft > 0) {
        removeCheckPoint();
        addCheckPoint(newCheckPoint());
        RigidBody* b = newBall();
        ball = b;
        if (!isNull(checkPoint) && !isNull(b)) CGame::p_add(b->barriers, checkPoint.get());
        getProbRoot(workPoint, launchTable, true);
        trailHorseServeBall(workPoint, true);
      }
      ballsLeft--;
    }
    return true;
  }
  if (f == -1 && !isNull(machine)) machine->SetCurrentFrame(0, false);
  return false;
}

void CTraining::trailHorseServeBall(IntArray* aim, bool notify) {
  RigidBody* b = ball;
  ShortArray* m = machineParams;
  if (isNull(b) || isNull(m)) return reportError("NullPointer");
  b->x = b->prevX = aload(m, kStartX);
  b->y = b->prevY = aload(m, kStartY);
  b->z = b->prevZ = aload(m, kStartZ);
  const int32_t low = aload(m, kFlightMin), high = aload(m, kFlightMax);
  int32_t t = high;
  if (high != low) t = low + randomBelow(high - low + 1);
  // The flight value counts the solver's ticks of 1/50 s from the launch point.
  IntArray* velocity = Array::newIntArray(3);
  IntArray* start = Array::fillInts(Array::newIntArray(3), {b->x, b->y, b->z});
  b->calculateInitialVelocity(velocity, start, aim, t * kTickMs);
  b->vx = aload(velocity, 0);
  b->vy = aload(velocity, 1);
  b->vz = aload(velocity, 2);
  if (notify && !isNull(player)) {
    player->onDeadBall(-1, 0);
    CGame::trainingObject->onReturnBall2(player);
    resetViewport();
  }
  b->markX = b->markZ = kNoPoint;
  b->bounceCount = 0;
  b->hitCount = 0;
  CGame::p_add(objectList, b);
  machineTimer = matchFrame;
}

void CTraining::newServe(CPlayer* p) {
  RigidBody* b = ball;
  if (isNull(p) || isNull(b)) return;
  CGame::p_remove(objectList, b);
  b->bounceCount = 0;
  p->prepareServe(p->serveFromLeft, 0);
  resetViewport();
  b->x = b->y = b->z = b->prevX = b->prevY = b->prevZ = 0;
  b->vx = b->vy = b->vz = b->ax = b->ay = b->az = 0;
  b->routeValid = false;
  b->clearTail();
  serveBlocked = false;
  ballsLeft--;
}

void CTraining::updateTraining_Serve() {
  RigidBody* b = ball;
  CPlayer* p = player;
  if (isNull(b) || isNull(p)) return;
  switch (servePhase) {
    case kServePrepare:
      newServe(p);
      servePhase = kServing;
      return;
    case kServing: return a_updateServing();
    case kInFlight: break;
    default: return;
  }
  if (b->bounceCount < kServeOverBounces) return updateReturn(false);
  if (b->routeValid) {
    // The last row stays once every row has had its board: more hits than rows read no
    // further.
    targetIndex = std::min<int32_t>(targetIndex + 1, targetRowCount - 1);
    p->serveFromLeft = !p->serveFromLeft;
    removeTarge();
    addTarget(newTarget(targetIndex));
    removeBarrier();
    addBarrier(newBarrier(targetIndex));
  }
  if (ballsLeft >= 1) {
    servePhase = kServePrepare;
  } else {
    endLevel(points >= goalPoints);
  }
}

void CTraining::updateTraining_Power() {
  for (int32_t i = 0; !isNull(tanks) && i < kTankSlots; i++) stepTank(i);
  if (!updateTrailHorse(true)) updateReturn(true);
}

void CTraining::updateTraining_Accuracy() {
  RigidBody* cp = checkPoint;
  RigidBody* b = ball;
  bool shotOver = isNull(cp);
  if (!shotOver && cp->routeValid) {
    CActor* marker = checkPointActor;
    shotOver = isNull(marker) || marker->update() == -1;
  } else if (!shotOver) {
    shotOver = !isNull(b) && b->bounceCount > 0;
  }
  if (!updateTrailHorse(shotOver)) return updateReturn(true);
  if (ballsLeft < 0) endLevel(points >= goalPoints);
}

void CTraining::updateTraining_Step() {
  if (stageStart == -1) {
    stageStart = matchFrame;
    updateReturn(false);
  } else if (stageTime - (matchFrame - stageStart) < 1) {
    for (int32_t i = nextBonus; !isNull(bonuses) && i < bonuses->length; i++) removeBonus(i);
    newCircle(stage, true);
    if (timeouts < kMaxTimeouts) {
      pause(CGame::GetString(kTexts, kTimeOutText), kTimeOutFrames, CGame::interfaceSprite, 0, 272, 240, 0);
    }
    timeouts++;
    if (timeouts > kMaxTimeouts) endLevel(false);
  } else {
    updateReturn(false);
  }
  if (wrongBonusIndex >= 0) {
    RigidBody* bonus = static_cast<RigidBody*>(aload(bonuses.get(), wrongBonusIndex));
    CPlayer* p = player;
    const bool overlaps = !isNull(bonus) && !isNull(p) &&
                          p->isCollideRect(workPoint, bonus->boxAxis, bonus->x, bonus->y, bonus->z, bonus->boxWidth,
                                                     bonus->boxHeight);
    if (!overlaps) {
      wrongBonus = false;
      wrongBonusIndex = -1;
      streak = 0;
    }
  }
}

int32_t CTraining::getFinalPts() {
  SORV_FRAME("CTraining.getFinalPts()I");
  switch (game) {
    case kGameServe: {
      const int32_t average = targetHits == 0 ? 0 : speedSum / targetHits;
      return speedFactor * average + points;
    }
    case kGamePower: {
      const int32_t seconds = (levelEndFrame - levelStartFrame) * 1000 / 7 / 1000;
      return std::max(0, timeBase - timePenalty * seconds) + points;
    }
    default: return points;
  }
}

int32_t CTraining::updateJackpot() {
  jackpot = std::max(0, jackpot - jackpotStep);
  return jackpot;
}

void CTraining::activeHitFX(int32_t x, int32_t y) {
  CActor* fx = hitFxActor;
  if (isNull(fx)) return;
  fx->setSprite(sprite, kHitFxAnim, -1);
  hitFxX = x;
  hitFxY = y;
}

}  // namespace sorv
