// The court and its people: the court image, the ball kids (two at the back, two runners and
// one by the net), the linesmen and their calls, the net judge and the net, their rest
// between points, and the freezing of the court's actors while a message holds the match.
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/court_geometry.h"
#include "tools/data/resource_ids.h"

namespace sorv {

bool CTennis::ballVisible = false;
int32_t CTennis::smashPointX = 0;
int32_t CTennis::smashPointY = 0;

namespace {

constexpr int32_t kBackKidX[2] = {240, 605}, kBackKidY = 100;
constexpr int32_t kRunnerFirst = 2, kRunnerSecond = 3, kNetKid = 4;
constexpr int32_t kRunnerAnimFirst = 7, kRunnerAnimSecond = 8;
constexpr int32_t kRunnerIdleFirst = 5, kRunnerIdleSecond = 6;
constexpr int32_t kRunnerSpeed = 4600;
constexpr int32_t kLinesmanItem = 13, kLinesmen = 5;
constexpr int32_t kCourtActorItem = 2;
using court::kNetLogicalX, court::kNetLogicalY;
constexpr int32_t kLayoutYOffset = 32;
constexpr int32_t kHoldLastFrame = -2;
// The line zones 0 to 4 (the x lines of the court) and the three judges who call them: the
// left lines, the centre line, the right lines. Their signals are the data set's.
constexpr int32_t kLineZones = 5;
constexpr int32_t kJudgeOfZone[kLineZones] = {0, 0, 1, 2, 2};

CActor* actorAt(ObjectArray* list, int32_t i) {
  if (isNull(list) || i < 0 || i >= list->length) return nullptr;
  return static_cast<CActor*>(list->elements()[i]);
}

RigidBody* runnerBody(int32_t i) {
  ObjectArray* kids = CTennis::ballKids;
  if (isNull(kids) || i < 0 || i >= kids->length) return nullptr;
  return static_cast<RigidBody*>(kids->elements()[i]);
}

void setAnim(CActor* a, int32_t anim, int32_t loop) {
  if (!isNull(a)) a->setSprite(a->sprite, anim, loop);
}

int32_t kidAnim(int32_t kid) {
  CActor* a = actorAt(CTennis::ballKidActors, kid);
  return isNull(a) ? -1 : a->animation;
}

// A layout item's position on screen: the court image is shifted by the view and 32 up.
void layoutPoint(int32_t item, int32_t* x, int32_t* y) {
  const int32_t packed = CGame::GetMenuItemPosition(CTennis::courtLayoutMenu, item);
  *x = static_cast<int16_t>(packed & 0xFFFF) - CTennis::viewX;
  *y = static_cast<int16_t>(packed >> 16) - CTennis::viewY - kLayoutYOffset;
}

// The players, the shared actor, the court's decorations and the net; the people around the
// court keep moving.
void setActorsPaused(bool paused) {
  ObjectArray* all = CTennis::players;
  for (int32_t i = 0; !isNull(all) && i < CTennis::playerCount && i < all->length; i++) {
    CPlayer* p = static_cast<CPlayer*>(all->elements()[i]);
    if (!isNull(p) && !isNull(p->animActor)) p->animActor->paused = paused;
  }
  if (!isNull(CTennis::sharedActor)) CTennis::sharedActor->paused = paused;
  ObjectArray* decor = CTennis::courtDecor;
  for (int32_t i = 0; !isNull(decor) && i < decor->length; i++) {
    if (CActor* a = actorAt(decor, i); !isNull(a)) a->paused = paused;
  }
  if (!isNull(CTennis::netActor)) CTennis::netActor->paused = paused;
}

// The judge who calls a line zone; null for a zone off the court.
CActor* judgeOfZone(int32_t zone) {
  if (zone < 0 || zone >= kLineZones) return nullptr;
  return actorAt(CTennis::linesmen, kJudgeOfZone[zone]);
}

}  // namespace

int32_t CTennis::getNetAnim() { return isDoubles ? 1 : 0; }

void CTennis::freezeAllActor() { setActorsPaused(true); }
void CTennis::unfreezeAllActor() { setActorsPaused(false); }

void CTennis::removeAllActor() {
  ObjectArray* list = objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) list->elements()[i] = nullptr;
}

void CTennis::resetSmashPoint() { smashPointX = smashPointY = 0; }

void CTennis::drawBall(int32_t ballZ, int32_t depth) {
  if (!ballVisible || ballZ >= depth || isNull(ball)) return;
  ballVisible = false;
  ball->paint();
}

void CTennis::drawCourt() {
  Graphics* g = CGame::gfx;
  if (!isNull(courtImage) && !isNull(g)) g->drawImage(courtImage, -viewX, -kLayoutYOffset - viewY, 0);
  if (matchState == 5 && deadBallReason != 0 && !isNull(courtActor)) {
    int32_t x, y;
    layoutPoint(kCourtActorItem, &x, &y);
    courtActor->update(x, y);
  }
}

int32_t CTennis::drawBallKids(int32_t kid, int32_t x, int32_t y) {
  CActor* a = actorAt(ballKidActors, kid);
  if (isNull(a)) return -1;
  if (a->ended) return a->currentFrame;
  return a->update(x, y);
}

void CTennis::drawAllBallKids() {
  drawBallKids(0, kBackKidX[0] - viewX, kBackKidY - viewY);
  if (kidAnim(1) != 3 && kidAnim(1) != 4) drawBallKids(1, kBackKidX[1] - viewX, kBackKidY - viewY);
  if (matchState == 1) return;
  for (int32_t r = 0; r < 2; r++) {
    const int32_t kid = kRunnerFirst + r;
    const int32_t anim = kidAnim(kid);
    RigidBody* body = runnerBody(r);
    if (anim == kRunnerAnimFirst || anim == kRunnerAnimSecond || isNull(body) || isNull(body->screenPos)) continue;
    drawBallKids(kid, body->screenPos->elements()[0], body->screenPos->elements()[1]);
  }
}

void CTennis::setRunBallPickerPos() {
  RigidBody* first = runnerBody(0);
  RigidBody* second = runnerBody(1);
  if (isNull(first) || isNull(second)) return;
  const bool end1 = courtEnd == 1;
  first->x = 3160;
  first->y = 0;
  first->z = end1 ? 20300 : 15500;
  second->x = 15010;
  second->y = 0;
  second->z = end1 ? 15500 : 20300;
  first->updateScreen();
  second->updateScreen();
}

void CTennis::resetRunPicker() {
  const int32_t anim = kidAnim(kRunnerFirst);
  if (!changeEnds && (anim == kRunnerIdleFirst || anim == kRunnerIdleSecond)) return;
  setAnim(actorAt(ballKidActors, kRunnerFirst), kRunnerIdleFirst, -2);
  setAnim(actorAt(ballKidActors, kRunnerSecond), kRunnerIdleSecond, -2);
  setRunBallPickerPos();
}

void CTennis::ballPickerPickBall() {
  if (tutorialIndex != -1) return;
  setAnim(actorAt(ballKidActors, kRunnerSecond), kRunnerAnimSecond, 2);
  if (RigidBody* b = runnerBody(1); !isNull(b)) b->vx = -kRunnerSpeed;
  setAnim(actorAt(ballKidActors, kRunnerFirst), kRunnerAnimFirst, 2);
  if (RigidBody* b = runnerBody(0); !isNull(b)) b->vx = kRunnerSpeed;
}

void CTennis::drawBallPickerNearNet(bool near) {
  const bool second = (courtEnd == 1) == near;
  RigidBody* body = runnerBody(second ? 1 : 0);
  const int32_t kid = second ? kRunnerSecond : kRunnerFirst;
  const int32_t anim = second ? kRunnerAnimSecond : kRunnerAnimFirst;
  CActor* a = actorAt(ballKidActors, kid);
  if (isNull(body) || isNull(a) || a->animation != anim || isNull(projPoint)) return;
  project3DTo2D(projPoint, body->x, body->y, body->z);
  project2D2Logical(projPoint);
  logical2Screen(projPoint);
  if (a->update(projPoint->elements()[0], projPoint->elements()[1]) == -1) {
    // The kid has the ball now.
    CGame::p_remove(objectList, ball);
    a->setSprite(a->sprite, anim, 2);
    a->SetCurrentFrame(1, false);
  }
}

void CTennis::drawLinesMen() {
  for (int32_t i = 0; i < kLinesmen; i++) {
    CActor* a = actorAt(linesmen, i);
    if (isNull(a)) continue;
    int32_t x, y;
    layoutPoint(kLinesmanItem + i, &x, &y);
    a->update(x, y);
  }
}

void CTennis::resetNetManSprite() { setAnim(netJudge, courtEnd == 1 ? 2 : 3, -2); }

void CTennis::drawNetMan() {
  if (isNull(netJudge)) return;
  if (netJudge->update(-viewX, -viewY) == -1) resetNetManSprite();
}

void CTennis::raiseJudgeSignal(int32_t zone) {
  SORV_FRAME("CTennis.raiseJudgeSignal(I)V");
  CActor* judge = judgeOfZone(zone);
  if (isNull(judge)) return;
  judge->setSprite(effectsSprite, kJudgeOutSignals[kJudgeOfZone[zone]], kHoldLastFrame);
}

// The judge shows the ball in; the rally ends the signal after a while (the hit effect).
void CTennis::judgeCallIn(int32_t zone) {
  SORV_FRAME("CTennis.judgeCallIn(I)V");
  CActor* judge = judgeOfZone(zone);
  if (isNull(judge)) return;
  judge->setSprite(effectsSprite, kJudgeInSignal, kHoldLastFrame);
  hitEffectActor = judge;
  hitEffectFrame = matchFrame;
}

void CTennis::ballKidsAnimate(int32_t animation) {
  SORV_FRAME("CTennis.ballKidsAnimate(I)V");
  for (int32_t kid = 0; kid < 2; kid++) {
    if (CActor* a = actorAt(ballKidActors, kid); !isNull(a)) a->setSprite(ballKidSprite, animation, kHoldLastFrame);
  }
}

void CTennis::relaxJudge() {
  for (int32_t i = 0; i < kLinesmen; i++) {
    CActor* a = actorAt(linesmen, i);
    if (isNull(a) || isNull(a->sprite)) continue;
    setAnim(a, CGame::GetMenuItemActionID(courtLayoutMenu, kLinesmanItem + i), -2);
  }
}

void CTennis::drawNet() {
  if (isNull(projPoint)) return;
  IntArray* p = projPoint;
  p->elements()[0] = kNetLogicalX;
  p->elements()[1] = kNetLogicalY;
  logical2Screen(p);
  const int32_t x = p->elements()[0], y = p->elements()[1];
  if (!isNull(netActor) && !isNull(netActor->sprite)) {
    if (netActor->update(x, y) == -1) netActor->setSprite(nullptr, getNetAnim(), 0);
  } else if (!isNull(netSprite)) {
    netSprite->PaintFrame(CGame::gfx, isDoubles ? 1 : 0, x, y, 0, 0);
  }
}

void CTennis::resetView() {
  if (isTraining) return;
  setAnim(actorAt(ballKidActors, 0), 0, -2);
  setAnim(actorAt(ballKidActors, 1), 0, -2);
  resetRunPicker();
  setAnim(actorAt(ballKidActors, kNetKid), 0, -2);
  relaxJudge();
  setAnim(netJudge, courtEnd == 1 ? 2 : 3, -2);
  ObjectArray* all = players;
  for (int32_t i = 0; !isNull(all) && i < playerCount && i < all->length; i++) {
    CPlayer* p = static_cast<CPlayer*>(all->elements()[i]);
    if (isNull(p)) continue;
    p->vx = p->vy = p->vz = 0;
    p->resetSpeed();
  }
  resetViewport();
  if (currentCourt != 3) {
    drawSpeedToBg(0);
    drawTimeToBg(matchStrokes);
  }
}

}  // namespace sorv
