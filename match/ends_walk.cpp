// The walk of a change of ends. Each player walks from where it stands to its point beside
// the court while it plays its walk-off; the court turns; they walk on from there to their
// points at the new end. The points are court-picture pixels; the scene shows each player at
// the point of its walk (the drawing's stage rule), and the next point waits for all of them.
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kWalkPace = 8;  // picture pixels a frame along the longer axis
constexpr int32_t kWalkOnEnd1 = 17, kWalkOnEnd2 = 15;
constexpr int32_t kWalkOnSteps = 3;

struct WalkOn {
  int32_t x1, y1, x2, y2;  // at end 1, at end 2
};
// The user's player, the rival, the partner, the rival's partner.
constexpr WalkOn kWalkOn[4] = {{187, 207, 495, 210}, {163, 313, 525, 309}, {191, 197, 491, 200}, {157, 323, 530, 321}};

CPlayer* playerAt(int32_t i) {
  ObjectArray* list = CTennis::players;
  if (isNull(list) || i < 0 || i >= list->length || i >= CTennis::playerCount) return nullptr;
  return static_cast<CPlayer*>(list->elements()[i]);
}

int32_t absolute(int32_t v) { return v < 0 ? -v : v; }

// Where the player shows in the court picture now: the end of its last walk while the scene
// holds it there, else its own place; false when it has no place on the screen yet.
bool picturePoint(CPlayer* p, bool kept, int32_t* x, int32_t* y) {
  if (kept && p->walkFrames != 0) {
    *x = p->walkToX;
    *y = p->walkToY;
    return true;
  }
  if (isNull(p->screenPos)) return false;
  *x = p->screenPos->elements()[0] + CTennis::viewX;
  *y = p->screenPos->elements()[1] + CTennis::viewY;
  return true;
}

void walk(CPlayer* p, bool fromKept, int32_t sx, int32_t sy, int32_t action) {
  if (isNull(p)) return;
  int32_t x = sx, y = sy;
  if (!picturePoint(p, fromKept, &x, &y)) {
    x = sx;
    y = sy;
  }
  p->startWalk(x, y, sx, sy);
  p->doSpecialAction(action);
  p->keepWalkPoint();
}

}  // namespace

void CPlayer::startWalk(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  walkFromX = fromX;
  walkFromY = fromY;
  walkToX = toX;
  walkToY = toY;
  const int32_t dx = absolute(toX - fromX), dy = absolute(toY - fromY);
  const int32_t longer = dx > dy ? dx : dy;
  walkFrames = (longer + kWalkPace - 1) / kWalkPace;
  if (walkFrames == 0) walkFrames = 1;
  walkStart = CTennis::matchFrame;
}

bool CPlayer::walkedIn() const { return walkFrames == 0 || CTennis::matchFrame - walkStart >= walkFrames; }

void CPlayer::finishWalk() {
  if (walkFrames != 0) walkStart = CTennis::matchFrame - walkFrames;
}

void CPlayer::keepWalkPoint() {
  if (walkFrames == 0) return;
  int32_t t = CTennis::matchFrame - walkStart;
  if (t < 0) t = 0;
  if (t > walkFrames) t = walkFrames;
  if (isNull(screenPos)) screenPos = Array::newIntArray(2);
  astore(screenPos, 0, walkFromX + (walkToX - walkFromX) * t / walkFrames);
  astore(screenPos, 1, walkFromY + (walkToY - walkFromY) * t / walkFrames);
}

void CTennis::walkTo(CPlayer* p, int32_t sx, int32_t sy, int32_t action) { walk(p, false, sx, sy, action); }

void CTennis::walkInFromNewEnd() {
  SORV_FRAME("CTennis.walkInFromNewEnd()V");
  const bool end1 = courtEnd == 1;
  const int32_t action = end1 ? kWalkOnEnd1 : kWalkOnEnd2;
  CPlayer* order[4] = {player, rival, isDoubles ? partner.get() : nullptr, isDoubles ? rivalPartner.get() : nullptr};
  for (int32_t i = 0; i < 4; i++) {
    CPlayer* p = order[i];
    if (isNull(p)) continue;
    const WalkOn& w = kWalkOn[i];
    walk(p, true, end1 ? w.x1 : w.x2, end1 ? w.y1 : w.y2, action);
    if (!isNull(p->animActor)) p->animActor->SetCurrentFrame(kWalkOnSteps, true);
  }
  // Each partner stands just in front of or behind its leader so each pair draws in order.
  if (isDoubles && !isNull(partner.get()) && !isNull(player.get())) partner->setZ(player->z - 1);
  if (isDoubles && !isNull(rivalPartner.get()) && !isNull(rival.get())) rivalPartner->setZ(rival->z + 1);
  updateEndsWalk();
}

void CTennis::updateEndsWalk() {
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = playerAt(i);
    if (isNull(p)) continue;
    // The skip ends the walks with the actions.
    if (skipRequested) p->finishWalk();
    p->keepWalkPoint();
  }
}

bool CTennis::endsWalkOver() {
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = playerAt(i);
    if (!isNull(p) && !p->walkedIn()) return false;
  }
  return true;
}

}  // namespace sorv
