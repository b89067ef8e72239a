// One frame of the training scene: the court, the ball machine, the game's objects, the
// balls, the net, the user's player and the heads-up texts; and the board's close-up.
//
// On a pause's still (CTennis::drawOnlyFrame) nothing here changes a state: the close-up is
// not opened, no ball leaves the list, the serve-speed panel does not fade.
#include <algorithm>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "device/graphics.h"
#include "device/image.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"
#include "training/level_rules.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kCourtYOffset = 32;
constexpr int32_t kNetZ = 18300;
constexpr int32_t kStartX = 3, kStartZ = 5;
constexpr int32_t kBoardHitAnim = 1, kBoardAnim = 0, kCloseUpFrames = 24;
constexpr int32_t kBonusAnim = 28, kWrongBonusAnim = 29;
constexpr int32_t kBonusNumberAnchor = 528, kBonusNumberWidth = 3200, kBonusNumberRise = 5;
constexpr int32_t kZoneAlpha = 0x99;
constexpr int32_t kCentreAnchor = 272;
constexpr int32_t kCloseUpX = 400, kCloseUpY = 240, kCloseUpRadius = 58, kCaptionY = 303;
constexpr int32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0x000000, kMarkSize = 8;
constexpr int32_t kTexts = 3, kFirstCaption = 63, kNoCaption = 6;
constexpr int32_t kHudMenu = 67, kPowerHudMenu = 68, kStepHudMenu = 69;
constexpr int32_t kPointsLabel = 60, kBallsLabel = 4, kTanksLabel = 7, kTimeLabel = 61;
constexpr int32_t kConstSlash = 101;

Graphics* gfx() { return CGame::gfx; }
ASprite* hintFont() { return CGame::GetAnimationIDByClass(3); }
ASprite* titleFont() { return CGame::GetAnimationIDByClass(2); }
ASprite* smallFont() { return CGame::GetAnimationIDByClass(4); }

IntArray* projected(int32_t x, int32_t y, int32_t z) {
  IntArray* p = T::hintPos;
  CTennis::project3D2Screen(p, x, y, z);
  return p;
}

bool inObjectList(RigidBody* body) {
  ObjectArray* list = CTennis::objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    if (aload(list, i) == body) return true;
  }
  return false;
}

void paintBall(RigidBody* b) {
  b->paint();
  b->paintShadow();
}

String* ofTotal(String* done, int32_t total) {
  StringBuffer* s = StringBuffer::create(16);
  StringBuffer::appendString(s, done);
  StringBuffer::appendString(s, StaticClass::getConstant(kConstSlash));
  StringBuffer::appendString(s, CGame::FormatMathStringLocalize(total));
  return s->toString();
}

void fillCircle(Graphics* g, int32_t colour, int32_t x, int32_t y, int32_t size) {
  g->setColor(colour);
  g->fillArc(x, y, size, size, 0, 360);
}

}  // namespace

void CTraining::paint() {
  SORV_FRAME("CTraining.paint()V");
  Graphics* g = gfx();
  if (isNull(g)) return reportError("NullPointer");
  if (!isNull(courtImage)) g->drawImage(courtImage, -viewX, -kCourtYOffset - viewY, 0);
  CGame::drawBlurBuffer();
  if (game == kGamePower || game == kGameAccuracy || game == kGameNetAccuracy) paintTrailHorse();
  if (game == kGameServe) {
    drawTarget();
    if (!isNull(barrier)) barrier->paint();
    if (CGame::serveSpeedBarShown) {
      if (!drawOnlyFrame) CGame::updateServeSpeedBar();
      CGame::paintServeSpeedBar(!isNull(player) && player->serveFromLeft);
    }
  }
  if (game == kGamePower) {
    for (int32_t i = 0; !isNull(tanks) && i < kTankSlots; i++) {
      RigidBody* tank = static_cast<RigidBody*>(aload(tanks.get(), i));
      if (!isNull(tank)) tank->paint();
    }
  }
  if (game == kGameAccuracy || game == kGameNetAccuracy) drawCheckPoint();
  if (game == kGameStep) {
    drawNet();
    drawReplaceZone();
    drawBonus();
  } else {
    RigidBody* b = ball;
    if (!isNull(b) && b->z > kNetZ) {
      drawNet();
      drawBalls();
    } else {
      drawBalls();
      drawNet();
    }
    if (!isNull(b)) b->paintPointOfFall();
  }
  CPlayer* p = player;
  if (!isNull(p)) {
    p->paintYourself();
    p->paint();
  }
  if (levelStarted) drawHints();
}

void CTraining::drawBalls() {
  RigidBody* main = ball;
  if (!isNull(main) && inObjectList(main)) paintBall(main);
  ObjectArray* list = objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    RigidBody* b = static_cast<RigidBody*>(aload(list, i));
    if (isNull(b) || b == main || !b->isBall()) continue;
    if (b->x != 0 || b->z != 0) paintBall(b);
    // Spent balls leave the list; the slot is read again since the list closes up.
    if (!drawOnlyFrame && b->flightFrames > level_rules::kBallFlightFrames) {
      CGame::p_remove(list, b);
      i--;
    }
  }
}

void CTraining::drawTarget() {
  RigidBody* board = target;
  if (isNull(board)) return;
  board->paint();
  CActor* actor = board->actor;
  if (drawOnlyFrame || isNull(actor) || actor->animation != kBoardHitAnim || !actor->ended) return;
  actor->setSprite(sprite, kBoardAnim, 0);
  if (trainingState == 0) pause(0, kCloseUpFrames);
}

void CTraining::drawCheckPoint() {
  RigidBody* cp = checkPoint;
  if (isNull(cp)) return;
  IntArray* at = projected(cp->x, cp->y, cp->z);
  const int32_t x = aload(at, 0), y = aload(at, 1);
  CActor* marker = checkPointActor;
  if (cp->routeValid && !isNull(marker) && !marker->ended) {
    marker->paintCurrentFrame(gfx(), x, y);
  } else if (!isNull(checkPointSprite)) {
    ShortArray* row = static_cast<ShortArray*>(aload(checkPointRows.get(), checkPointIndex));
    checkPointSprite->PaintFrame(gfx(), aload(row, 4), x, y, 0, 0, 0);
  }
  cp->paint();
}

void CTraining::drawBonus() {
  ObjectArray* list = bonuses;
  ASprite* font = titleFont();
  for (int32_t i = std::max(0, nextBonus); !isNull(list) && i < list->length; i++) {
    RigidBody* bonus = static_cast<RigidBody*>(aload(list, i));
    if (isNull(bonus) || isNull(bonus->screenPos)) continue;
    CTennis::project3D2Screen(bonus->screenPos, bonus->x, bonus->y, bonus->z);
    const int32_t x = aload(bonus->screenPos, 0), y = aload(bonus->screenPos, 1);
    if (!isNull(sprite)) sprite->PaintAFrame(gfx(), kBonusAnim, 0, x, y);
    bonus->paint();
    if (!isNull(font)) {
      font->DrawString(gfx(), String::valueOfInt(i + 1), x, y - kBonusNumberRise, kBonusNumberAnchor, kBonusNumberWidth);
    }
  }
  if (wrongBonusIndex < 0 || isNull(list) || wrongBonusIndex >= list->length) return;
  RigidBody* wrong = static_cast<RigidBody*>(aload(list, wrongBonusIndex));
  if (!isNull(wrong) && !isNull(wrong->screenPos) && !isNull(sprite)) {
    sprite->PaintAFrame(gfx(), kWrongBonusAnim, 0, aload(wrong->screenPos, 0), aload(wrong->screenPos, 1));
  }
}

void CTraining::drawReplaceZone() {
  RigidBody* c = circle;
  if (isNull(c)) return;
  IntArray* at = projected(c->x, c->y, c->z);
  const int32_t cx = aload(at, 0), cy = aload(at, 1);
  at = projected(c->x - c->boxHeight / 2, c->y, c->z + c->boxWidth / 2);
  const int32_t kx = aload(at, 0), ky = aload(at, 1);
  const int32_t h = 2 * (ky - cy);
  const int32_t colour = circleOpen ? circleOpenColour : circleClosedColour;
  CGame::fillRect(gfx(), (kZoneAlpha << 24) | (colour & 0xFFFFFF), kx, ky - h, 2 * (cx - kx), h);
  int32_t frames = stageTime;
  if (stageStart != -1) {
    const int32_t now = finishFrame == -1 ? matchFrame : finishFrame;
    frames = stageTime - (now - stageStart);
  }
  const int32_t seconds = std::max(0, frames * 1000 / 7 / 1000);
  ASprite* font = hintFont();
  if (!isNull(font)) font->DrawString(gfx(), String::valueOfInt(seconds), cx, cy, kCentreAnchor);
}

void CTraining::paintTrailHorse() {
  CActor* machine = machineActor;
  ShortArray* m = machineParams;
  if (isNull(machine) || isNull(m)) return;
  IntArray* at = projected(aload(m, kStartX), 0, aload(m, kStartZ));
  machine->paintCurrentFrame(gfx(), aload(at, 0), aload(at, 1));
}

void CTraining::drawHints() {
  if (trainingState != 0) return;
  CGame::SetMenuGfx(gfx());
  switch (game) {
    case kGamePower:
      CGame::DrawStringAsItem(CGame::GetString(kTexts, kTanksLabel), kPowerHudMenu, 1, false);
      CGame::DrawStringAsItem(ofTotal(String::valueOfInt(tanksLeft), tankCount), kPowerHudMenu, 2, false);
      return;
    case kGameStep: {
      int32_t f = stepTime;
      if (stageStart != -1 && levelResult != 0) f += matchFrame - stageStart;
      CGame::DrawStringAsItem(CGame::GetString(kTexts, kTimeLabel), kStepHudMenu, 2, false);
      CGame::DrawStringAsItem(formatTime(f), kStepHudMenu, 3, false);
      return;
    }
    default: {
      CGame::DrawStringAsItem(CGame::GetString(kTexts, kPointsLabel), kHudMenu, 2, false);
      CGame::DrawStringAsItem(ofTotal(CGame::FormatMathStringLocalize(points), goalPoints), kHudMenu, 4, false);
      CGame::DrawStringAsItem(CGame::GetString(kTexts, kBallsLabel), kHudMenu, 3, false);
      const int32_t played = ballCount - std::max(ballsLeft, 0);
      CGame::DrawStringAsItem(ofTotal(String::valueOfInt(played), ballCount), kHudMenu, 5, false);
      return;
    }
  }
}

void CTraining::paintTargetFrame() {
  SORV_FRAME("CTraining.paintTargetFrame()V");
  Graphics* g = gfx();
  if (isNull(g)) return reportError("NullPointer");
  const int32_t rings = std::max<int32_t>(1, targetRings);
  const int32_t step = kCloseUpRadius / rings;
  for (int32_t i = 0; i < rings; i++) {
    const int32_t size = 2 * kCloseUpRadius - 2 * i * step;
    fillCircle(g, i % 2 == 0 ? kRed : kWhite, kCloseUpX - kCloseUpRadius + i * step,
               kCloseUpY - kCloseUpRadius + i * step, size);
  }
  const int32_t r = std::max<int32_t>(1, targetRadius);
  RigidBody* board = target;
  const int32_t boardX = isNull(board) ? 0 : board->x;
  const int32_t px = kCloseUpX + (aload(hitMark.get(), 0) - boardX) * kCloseUpRadius / r;
  const int32_t py = kCloseUpY + (r - aload(hitMark.get(), 1)) * kCloseUpRadius / r;
  fillCircle(g, kBlack, px - kMarkSize / 2, py - kMarkSize / 2, kMarkSize);
  const int32_t k = targetRings - lastRing;
  String* caption = k >= 1 && k <= 5 ? CGame::GetString(kTexts, kFirstCaption + k) : StaticClass::getConstant(kNoCaption);
  ASprite* font = k == 1 ? hintFont() : smallFont();
  if (!isNull(font)) font->DrawString(g, caption, kCloseUpX, kCaptionY, 16);
}

}  // namespace sorv
