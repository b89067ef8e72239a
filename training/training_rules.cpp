// What each kind of training hit scores: a serve on the board or the barrier, a return on a
// tank or the checkpoint, the user's player on a bonus or the circle.
#include <algorithm>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kTexts = 3;
constexpr int32_t kComboText = 9, kRingText = 10, kMissText = 11, kPerfectText = 12;
constexpr int32_t kConstSpace = 76;
constexpr int32_t kWordStyle = 0, kNumberStyle = 1;
constexpr int32_t kBoardHitAnim = 1;
constexpr int32_t kStrongHit = 18500;
constexpr int32_t kTankDestroyed = 7, kTankFailed = 27, kTankIdle = 5, kTankDamaged = 22, kTankWrecked = 23;
constexpr int32_t kPointsValue = 6;
constexpr int32_t kSqrtPrecision = 13;

ASprite* hintFont() { return CGame::GetAnimationIDByClass(3); }

int32_t hintX() { return aload(T::hintPos.get(), 0); }
int32_t hintY() { return aload(T::hintPos.get(), 1); }

void hint(String* text, int32_t style, int32_t life, int32_t delay) {
  CGame::activeFloatHint(text, hintFont(), style, hintX(), hintY(), life, delay);
}

String* wordWithNumber(int32_t word, int32_t n) {
  StringBuffer* s = StringBuffer::create(16);
  StringBuffer::appendString(s, CGame::GetString(kTexts, word));
  StringBuffer::appendString(s, StaticClass::getConstant(kConstSpace));
  StringBuffer::appendInt(s, n);
  return s->toString();
}

void hitEffectAt(RigidBody* body) {
  T::getPosOnScreen(T::hintPos, body);
  T::activeHitFX(hintX(), hintY());
}

int32_t tankSlot(RigidBody* tank) {
  for (int32_t i = 0; !isNull(T::tanks) && i < T::kTankSlots; i++) {
    if (aload(T::tanks.get(), i) == tank) return i;
  }
  return -1;
}

void destroyTank(RigidBody* tank) {
  if (!isNull(tank->actor)) tank->actor->setSprite(T::sprite, kTankDestroyed, -1);
  tank->vz = 0;
}

}  // namespace

// The board's centre stands at the radius's height; the ring is the distance in ring widths.
void CTraining::collideTarget(RigidBody* b, RigidBody* board, IntArray* point) {
  SORV_FRAME("CTraining.collideTarget(LRigidBody;LRigidBody;[I)V");
  if (isNull(b) || isNull(board) || isNull(point)) return;
  b->routeValid = true;
  const int32_t r = targetRadius, rings = std::max<int32_t>(1, targetRings);
  const int32_t dx = aload(point, 0) - board->x, dy = aload(point, 1) - r;
  const int32_t d = CGame::sqrt(int64_t{dx} * dx + int64_t{dy} * dy, kSqrtPrecision);
  if (d > r) {
    astore(point, 0, board->x + static_cast<int32_t>(int64_t{r} * dx / d));
    astore(point, 1, r + static_cast<int32_t>(int64_t{r} * dy / d));
  }
  const int32_t width = std::max<int32_t>(1, r / rings);
  const int32_t ring = std::min(d / width, rings - 1);
  lastRing = ring;
  const int32_t pts = basePoints + aload(ringPoints.get(), ring);
  points += pts;
  if (!isNull(board->actor)) board->actor->setSprite(sprite, kBoardHitAnim, -1);
  for (int32_t i = 0; i < 3; i++) astore(hitMark.get(), i, aload(point, i));
  getPosOnScreen(hintPos, board);
  hint(ring != 0 ? wordWithNumber(kRingText, rings - ring) : CGame::GetString(kTexts, kPerfectText), kWordStyle, 13, 0);
  hint(String::valueOfInt(pts), kNumberStyle, 12, 8);
  board->setSchedule(board->x, board->z, board->x, board->z, 0, false);
  hitEffectAt(b);
  targetHits++;
  // Only a serve on the board counts toward the average speed: a miss must not raise it.
  speedSum += shownServeSpeed(shotSpeed);
}

void CTraining::collideBarrier(RigidBody* b, RigidBody* wall, IntArray*) {
  SORV_FRAME("CTraining.collideBarrier(LRigidBody;LRigidBody;[I)V");
  if (isNull(b) || isNull(wall) || b->routeValid) return;
  hitEffectAt(b);
  getPosOnScreen(hintPos, wall);
  hint(CGame::GetString(kTexts, kMissText), kNumberStyle, 12, 0);
  serveBlocked = true;
}

void CTraining::collideTank(RigidBody* b, RigidBody* tank, IntArray*) {
  SORV_FRAME("CTraining.collideTank(LRigidBody;LRigidBody;[I)V");
  if (isNull(b) || isNull(tank)) return;
  const int32_t animation = isNull(tank->actor) ? -1 : tank->actor->animation;
  const int32_t slot = tankSlot(tank);
  if (b->hitCount > 1 || b->vz > 0 || animation == kTankDestroyed || animation == kTankFailed || slot < 0) {
    b->stepped = false;
    if (b->hitCount == 1) b->hitCount = 0;
    return;
  }
  const int32_t n = aload(tankHits.get(), slot) + 1;
  astore(tankHits.get(), slot, n);
  int32_t pts = basePoints;
  getPosOnScreen(hintPos, tank);
  if (shotSpeed < kStrongHit) {
    hint(CGame::FormatMathStringLocalize(pts), kNumberStyle, 12, 0);
  } else {
    pts += powerBonus;
    strongHits++;
    if (n <= 2) {
      hint(CGame::GetString(kTexts, kPerfectText), kWordStyle, 10, 0);
      hint(String::valueOfInt(pts), kNumberStyle, 12, 8);
    } else {
      hint(String::valueOfInt(pts), kNumberStyle, 12, 0);
    }
    destroyTank(tank);
  }
  points += pts;
  tank->z -= tankPush * shotSpeed / 1000;
  if (n >= 3) destroyTank(tank);
  CActor* actor = tank->actor;
  if (!isNull(actor) && actor->animation == kTankIdle) {
    actor->setSprite(sprite, kTankDamaged, 0);
  } else if (!isNull(actor) && actor->animation == kTankDamaged) {
    actor->setSprite(sprite, kTankWrecked, 0);
  }
  hitEffectAt(b);
}

void CTraining::collideCheckPoint(RigidBody* b, RigidBody* cp, IntArray*) {
  SORV_FRAME("CTraining.collideCheckPoint(LRigidBody;LRigidBody;[I)V");
  if (isNull(b) || isNull(cp)) return;
  b->stepped = false;
  if (cp->routeValid || b->hitCount > 1 || b->bounceCount >= 1) return;
  ShortArray* row = static_cast<ShortArray*>(aload(checkPointRows.get(), checkPointIndex));
  const int32_t pts = aload(row, kPointsValue) + streakBonus * streak;
  points += pts;
  getPosOnScreen(hintPos, cp);
  if (streak > 0) {
    hint(wordWithNumber(kComboText, streak), kWordStyle, 11, 0);
    hint(String::valueOfInt(pts), kNumberStyle, 10, 8);
  } else {
    hint(String::valueOfInt(pts), kNumberStyle, 12, 0);
  }
  streak++;
  cp->routeValid = true;
}

void CTraining::collideBonus(RigidBody* bonus, RigidBody*) {
  SORV_FRAME("CTraining.collideBonus(LRigidBody;LRigidBody;)V");
  if (stageStart == -1 || isNull(bonuses)) return;
  int32_t index = -1;
  for (int32_t i = 0; i < bonuses->length && index < 0; i++) {
    if (aload(bonuses.get(), i) == bonus) index = i;
  }
  if (index < 0) return;
  if (index == nextBonus) {
    // The flagged bonus may be the one collected: its slot empties, so the flag goes too.
    if (index == wrongBonusIndex) {
      wrongBonus = false;
      wrongBonusIndex = -1;
    }
    removeBonus(index);
    if (nextBonus >= bonuses->length) circleOpen = true;
    return;
  }
  if (wrongBonus) return;
  wrongBonus = true;
  if (!isNull(player)) player->resetPlayer();
  CGame::key_resetKey();
  wrongBonusIndex = index;
  wrongTouches++;
}

void CTraining::collideCircle(RigidBody*, RigidBody*) {
  SORV_FRAME("CTraining.collideCircle(LRigidBody;LRigidBody;)V");
  if (!circleOpen || isNull(stageRows)) return;
  if (stage < stageRows->length - 1) {
    stage++;
    newCircle(stage, false);
    return;
  }
  if (levelResult != -1) return;
  stepTime += matchFrame - stageStart;
  levelResult = 0;
  finishFrame = matchFrame;
}

}  // namespace sorv
