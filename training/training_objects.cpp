// The objects of a training level: how each kind is made from the level data, placed,
// listed (object list, the ball's or the player's barrier list, the pool's locks) and
// recycled, where its screen point lies, and which rule a collision reaches.
#include <cstdint>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kBodyPoolKind = 2;
constexpr int32_t kBoardAnim = 0, kBarrierAnim = 3, kTankAnim = 6;
constexpr int32_t kObjectLoss = 90, kCheckPointLoss = 40, kBonusLoss = 10;
constexpr int32_t kBoardAxis = 32, kBarrierAxis = 16, kTankAxis = 32, kCheckPointAxis = 2;
constexpr int32_t kOldBallFrames = 56;

CTennis* trainingMatch() { return CGame::trainingObject.get(); }

ShortArray* rowOf(ObjectArray* rows, int32_t i) { return static_cast<ShortArray*>(aload(rows, i)); }

CActor* pooledActor(int32_t animation, int32_t loop) {
  CActor* actor = CGame::newActor();
  if (!isNull(actor)) actor->setSprite(T::sprite, animation, loop);
  return actor;
}

ObjectArray* ballBarriers() {
  RigidBody* ball = CTennis::ball;
  return isNull(ball) ? nullptr : ball->barriers;
}

ObjectArray* playerBarriers() {
  CPlayer* player = CTennis::player;
  return isNull(player) ? nullptr : player->barriers;
}

void lock(RigidBody* body) {
  CGame::p_lock(body);
  if (!isNull(body->actor)) CGame::p_lock(body->actor);
}

// Into the object list and the given barrier list, locked with its actor.
void place(RigidBody* body, ObjectArray* barrierList) {
  CGame::p_add(CTennis::objectList, body);
  if (!isNull(barrierList)) CGame::p_add(barrierList, body);
  lock(body);
}

// Out of the object list and the barrier list; body and actor back to the pool.
void retire(RigidBody* body, ObjectArray* barrierList) {
  CGame::p_remove(CTennis::objectList, body);
  if (!isNull(barrierList)) CGame::p_remove(barrierList, body);
  body->removeAllBarrier();
  if (!isNull(body->actor)) CGame::p_free(body->actor);
  CGame::p_free(body);
}

// A body moving along a schedule row {fromX, fromZ, toX, toZ, time, return}.
void schedule(RigidBody* body, ShortArray* row) {
  body->setSchedule(aload(row, 0), aload(row, 1), aload(row, 2), aload(row, 3), aload(row, 4), aload(row, 4 + 1) == 1);
}

bool keyUsed(IntArray* keys, int32_t key) {
  for (int32_t i = 0; i <= T::lastBonusKey && i < keys->length; i++)
    if (aload(keys, i) == key) return true;
  return false;
}

// The first row of positive weight whose key is not yet used (-1 none): the draw's way out
// when the weights keep landing on used rows.
int32_t firstUnusedRow(ObjectArray* rows, IntArray* keys) {
  for (int32_t i = 0; i < rows->length; i++)
    if (aload(rowOf(rows, i), 0) > 0 && !keyUsed(keys, i)) return i;
  return -1;
}

}  // namespace

RigidBody* CTraining::newRigidBody() {
  SORV_FRAME("CTraining.newRigidBody()LRigidBody;");
  RigidBody* body = static_cast<RigidBody*>(CGame::p_findFree(kBodyPoolKind));
  if (isNull(body)) {
    body = RigidBody::create(trainingMatch(), RigidBody::kTypeNone);
    if (isNull(body)) return nullptr;
    CGame::p_add(body);
  }
  body->reset();
  return body;
}

RigidBody* CTraining::newBall() {
  SORV_FRAME("CTraining.newBall()LRigidBody;");
  RigidBody* old = ball;
  if (!isNull(old) && old->type == RigidBody::kTypeBall && old->flightFrames > kOldBallFrames) {
    old->reset();
    old->actor = nullptr;
    return old;
  }
  return RigidBody::create(trainingMatch(), RigidBody::kTypeBall);
}

RigidBody* CTraining::newTarget(int32_t row) {
  SORV_FRAME("CTraining.newTarget(I)LRigidBody;");
  CActor* actor = pooledActor(kBoardAnim, 0);
  RigidBody* body = newRigidBody();
  if (isNull(body)) return nullptr;
  body->bounceLoss = kObjectLoss;
  body->type = kTypeTarget;
  body->actor = actor;
  body->setCollisionBox(4 * targetRadius, 2 * targetRadius, kBoardAxis);
  schedule(body, rowOf(targetRows, row));
  return body;
}

RigidBody* CTraining::newBarrier(int32_t row) {
  SORV_FRAME("CTraining.newBarrier(I)LRigidBody;");
  ShortArray* values = rowOf(barrierRows, row);
  if (isNull(values)) return nullptr;
  if (game == kGameServe && aload(values, 4) < 0) return nullptr;
  CActor* actor = pooledActor(kBarrierAnim, 0);
  RigidBody* body = newRigidBody();
  if (isNull(body)) return nullptr;
  body->actor = actor;
  body->setCollisionBox(barrierWidth, barrierHeight, kBarrierAxis);
  body->type = kTypeBarrier;
  body->bounceLoss = kObjectLoss;
  schedule(body, values);
  return body;
}

RigidBody* CTraining::newTank(int32_t lane) {
  SORV_FRAME("CTraining.newTank(I)LRigidBody;");
  RigidBody* body = newRigidBody();
  if (isNull(body)) return nullptr;
  body->setCollisionBox(tankWidth, tankHeight, kTankAxis);
  body->type = kTypeTank;
  body->vz = aload(rowOf(tankLanes, lane), 1);
  body->actor = pooledActor(kTankAnim, -1);
  body->bounceLoss = kObjectLoss;
  return body;
}

void CTraining::addTank(RigidBody* tank, int32_t lane, int32_t slot) {
  SORV_FRAME("CTraining.addTank(LRigidBody;II)V");
  if (isNull(tank)) return reportError("NullPointer");
  ObjectArray* slots = tanks;
  if (slot < 0 || slot >= kTankSlots || !isNull(aload(slots, slot))) {
    int32_t free = 0;
    for (int32_t i = 0; i < kTankSlots; i++)
      if (isNull(aload(slots, i))) astore(workPoint.get(), free++, i);
    // No free slot, no tank: a fourth would overwrite a tank still on court.
    if (free == 0) return;
    slot = aload(workPoint.get(), CGame::RAND(0, free - 1));
  }
  place(tank, ballBarriers());
  astore(slots, slot, tank);
  tank->setX(aload(tankParams.get(), slot));
  tank->setY(0);
  tank->setZ(aload(rowOf(tankLanes, lane), 0));
  astore(tankHits.get(), slot, 0);
}

RigidBody* CTraining::newCheckPoint() {
  SORV_FRAME("CTraining.newCheckPoint()LRigidBody;");
  ObjectArray* rows = checkPointRows;
  if (isNull(rows) || rows->length == 0) {
    reportError("NullPointer");
    return nullptr;
  }
  checkPointIndex = checkPointIndex + 1 >= rows->length ? 0 : checkPointIndex + 1;
  ShortArray* row = rowOf(rows, checkPointIndex);
  RigidBody* body = newRigidBody();
  if (isNull(body)) return nullptr;
  body->type = kTypeCheckPoint;
  body->setX(aload(row, 0) + aload(row, 2) / 2);
  body->setY(0);
  body->setZ(aload(row, 1) + aload(row, 3) / 2);
  body->setCollisionBox(aload(row, 2), aload(row, 3), kCheckPointAxis);
  body->bounceLoss = kCheckPointLoss;
  if (!isNull(checkPointActor)) checkPointActor->setSprite(checkPointSprite, aload(row, 5), -1);
  body->routeValid = false;
  return body;
}

RigidBody* CTraining::newBonus(IntArray* keys) {
  SORV_FRAME("CTraining.newBonus([I)LRigidBody;");
  ObjectArray* rows = static_cast<ObjectArray*>(aload(bonusSpots.get(), stage));
  if (isNull(rows) || isNull(keys)) {
    reportError("NullPointer");
    return nullptr;
  }
  RigidBody* body = newRigidBody();
  if (isNull(body)) return nullptr;
  body->setCollisionBox(aload(bonusShape.get(), 3), aload(bonusShape.get(), 2), aload(bonusShape.get(), 4));
  int32_t key = getProbRoot(workPoint, rows, false);
  // The weights may keep landing on used spots: after as many draws as rows, the first
  // unused row in order is taken.
  for (int32_t draws = 1; keyUsed(keys, key) && draws < rows->length; draws++) key = getProbRoot(workPoint, rows, false);
  if (keyUsed(keys, key)) {
    key = firstUnusedRow(rows, keys);
    if (key < 0) key = 0;
    ShortArray* row = rowOf(rows, key);
    astore(workPoint.get(), 0, (aload(row, 1) + aload(row, 3)) >> 1);
    astore(workPoint.get(), 1, 0);
    astore(workPoint.get(), 2, (aload(row, 2) + aload(row, 4)) >> 1);
  }
  lastBonusKey++;
  astore(keys, lastBonusKey, key);
  body->setX(aload(workPoint.get(), 0));
  body->setY(aload(workPoint.get(), 1));
  body->setZ(aload(workPoint.get(), 2));
  body->type = kTypeBonus;
  body->bounceLoss = kBonusLoss;
  return body;
}

void CTraining::newCircle(int32_t s, bool placePlayer) {
  SORV_FRAME("CTraining.newCircle(IZ)V");
  ShortArray* row = rowOf(stageRows, s);
  if (isNull(row)) return;
  nextBonus = 0;
  stageTime = aload(row, 0);
  const int32_t n = aload(row, 1);
  // Bonuses of the stage that a restart replaces leave first.
  for (int32_t i = 0; !isNull(bonuses) && i < bonuses->length; i++) removeBonus(i);
  nextBonus = 0;
  bonuses = Array::newObjectArray(kRigidBody, n);
  for (int32_t i = 0; !isNull(bonusKeys) && i < bonusKeys->length; i++) astore(bonusKeys.get(), i, -1);
  lastBonusKey = -1;
  const int32_t saved = stage;
  stage = s;
  for (int32_t i = 0; i < n; i++) {
    RigidBody* bonus = newBonus(bonusKeys);
    if (isNull(bonus)) break;
    place(bonus, playerBarriers());
    astore(bonuses.get(), i, bonus);
  }
  stage = saved;
  CGame::sort(bonuses, bonusKeys, 0, lastBonusKey);
  if (!isNull(circle)) {
    // The old circle leaves the object list too, or every stage would leave one behind.
    retire(circle, playerBarriers());
    circle = nullptr;
  }
  RigidBody* body = newRigidBody();
  if (!isNull(body)) {
    ShortArray* shape = circleShape;
    body->type = kTypeCircle;
    body->setX(aload(shape, 0));
    body->setY(aload(shape, 1));
    body->setZ(aload(shape, 2));
    body->setCollisionBox(aload(shape, 4), aload(shape, 3), aload(shape, 5));
    body->bounceLoss = 0;
    place(body, playerBarriers());
    circle = body;
  }
  resetViewport();
  CPlayer* p = player;
  if (placePlayer && !isNull(p) && !isNull(body)) {
    IntArray* at = Array::fillInts(Array::newIntArray(3), {body->x, body->y, body->z});
    p->init(at, nullptr, nullptr);
    p->resetPlayer();
    CGame::key_resetKey();
  }
  circleOpen = false;
  // The flag and its index go together: a stale index would point at an emptied slot.
  wrongBonus = false;
  wrongBonusIndex = -1;
  if (stageStart != -1) {
    stepTime += matchFrame - stageStart;
    stageStart = -1;
  }
}

void CTraining::addTarget(RigidBody* body) {
  SORV_FRAME("CTraining.addTarget(LRigidBody;)V");
  if (!isNull(body)) place(body, ballBarriers());
  target = body;
  streak = 0;
}

void CTraining::addBarrier(RigidBody* body) {
  SORV_FRAME("CTraining.addBarrier(LRigidBody;)V");
  if (!isNull(body)) place(body, ballBarriers());
  barrier = body;
}

void CTraining::addCheckPoint(RigidBody* body) {
  SORV_FRAME("CTraining.addCheckPoint(LRigidBody;)V");
  if (!isNull(body)) place(body, ballBarriers());
  checkPoint = body;
}

void CTraining::removeTarge() {
  SORV_FRAME("CTraining.removeTarge()V");
  if (isNull(target)) return;
  retire(target, ballBarriers());
  target = nullptr;
}

void CTraining::removeBarrier() {
  SORV_FRAME("CTraining.removeBarrier()V");
  if (isNull(barrier)) return;
  retire(barrier, ballBarriers());
  barrier = nullptr;
}

void CTraining::removeCheckPoint() {
  SORV_FRAME("CTraining.removeCheckPoint()V");
  if (isNull(checkPoint)) return;
  retire(checkPoint, ballBarriers());
  checkPoint = nullptr;
}

void CTraining::removeTank(RigidBody* tank) {
  SORV_FRAME("CTraining.removeTank(LRigidBody;)V");
  if (isNull(tank)) return;
  retire(tank, ballBarriers());
  for (int32_t i = 0; !isNull(tanks) && i < kTankSlots; i++) {
    if (aload(tanks.get(), i) != tank) continue;
    astore(tanks.get(), i, static_cast<Object*>(nullptr));
    astore(tankHits.get(), i, 0);
  }
}

void CTraining::removeBonus(int32_t index) {
  SORV_FRAME("CTraining.removeBonus(I)V");
  RigidBody* bonus = static_cast<RigidBody*>(aload(bonuses.get(), index));
  if (isNull(bonus)) return;
  retire(bonus, playerBarriers());
  astore(bonuses.get(), index, static_cast<Object*>(nullptr));
  nextBonus = index + 1;
}

void CTraining::getPosOnScreen(IntArray* out, RigidBody* body) {
  SORV_FRAME("CTraining.getPosOnScreen([ILRigidBody;)V");
  if (isNull(body) || isNull(out)) return reportError("NullPointer");
  IntArray* p = workPoint;
  switch (body->boxAxis) {
    case 1: case 2:
      Array::fillInts(p, {body->x, body->y, body->z});
      break;
    case 4: case 8: case 16: case 32:
      Array::fillInts(p, {body->x, body->y + body->boxWidth / 2, body->z});
      break;
    default: break;  // the point of the last call
  }
  project3DTo2D(out, aload(p, 0), aload(p, 1), aload(p, 2));
  project2D2Logical(out);
}

int32_t CTraining::collisionRule(RigidBody* first, RigidBody* second) {
  if (isNull(first) || isNull(second)) return kNoRule;
  if (first->type == RigidBody::kTypeBall) {
    switch (second->type) {
      case kTypeCheckPoint: return kCheckPointRule;
      case kTypeTank: return kTankRule;
      case kTypeTarget: return kTargetRule;
      case kTypeBarrier: return kBarrierRule;
      default: return kNoRule;
    }
  }
  if (second->type != RigidBody::kTypeHuman) return kNoRule;
  if (first->type == kTypeCircle) return circleOpen ? kCircleRule : kNoRule;
  return first->type == kTypeBonus ? kBonusRule : kNoRule;
}

void CTraining::onCollidsion(RigidBody* first, RigidBody* second, IntArray* point) {
  SORV_FRAME("CTraining.onCollidsion(LRigidBody;LRigidBody;[I)V");
  switch (collisionRule(first, second)) {
    case kCheckPointRule: return collideCheckPoint(first, second, point);
    case kTankRule: return collideTank(first, second, point);
    case kTargetRule: return collideTarget(first, second, point);
    case kBarrierRule: return collideBarrier(first, second, point);
    case kCircleRule: return collideCircle(first, second);
    case kBonusRule:
      getPosOnScreen(hintPos, first);
      return collideBonus(first, second);
    default: return;
  }
}

}  // namespace sorv
