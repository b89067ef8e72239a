// The walk of a change of ends. Each team walks from where it stands to the net post, on its
// own side of the net, while it plays its walk-off; the court turns; from the same spots each
// team walks on into its own half, the user's team into the near one, where the next point
// finds it. The spots are court-picture pixels, a sprite's width or height apart, so every
// walker stays seen; the scene shows each player at the point of its walk (the drawing's stage
// rule), and the next point waits for all of them.
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kWalkPace = 8;  // picture pixels a frame along the longer axis
constexpr int32_t kWalkOffEnd1 = 14, kWalkOffEnd2 = 16, kWalkOffStartFrame = 3;
constexpr int32_t kWalkOnEnd1 = 17, kWalkOnEnd2 = 15;
constexpr int32_t kWalkOnSteps = 3;

struct Spot {
  int32_t x, y;
};
// The user's player, the rival, the partner, the rival's partner, about the left net post:
// the user's team below the net, the rival's above it and clear of the umpire's chair, each
// partner a sprite's width aside. The walk off from the second end and the walk on at the
// first take the right post, the same spots mirrored about the court's middle column.
constexpr Spot kWalkOff[4] = {{290, 306}, {296, 226}, {250, 322}, {334, 212}};
constexpr Spot kWalkOn[4] = {{318, 348}, {318, 194}, {270, 370}, {358, 178}};
constexpr int32_t kMirrorX = 2 * 431;

Spot atEnd(const Spot& s, bool leftPost) { return leftPost ? s : Spot{kMirrorX - s.x, s.y}; }

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

// Each pair draws in the order of its spots: the partner in front of its leader when it
// stands lower on the screen.
void orderPairs(const Spot (&spots)[4]) {
  CPlayer* user = CTennis::player;
  CPlayer* rival = CTennis::rival;
  if (!CTennis::isDoubles) return;
  if (!isNull(CTennis::partner.get()) && !isNull(user)) {
    CTennis::partner->setZ(user->z + (spots[2].y > spots[0].y ? 1 : -1));
  }
  if (!isNull(CTennis::rivalPartner.get()) && !isNull(rival)) {
    CTennis::rivalPartner->setZ(rival->z + (spots[3].y > spots[1].y ? 1 : -1));
  }
}

CPlayer* walker(int32_t i) {
  switch (i) {
    case 0: return CTennis::player;
    case 1: return CTennis::rival;
    case 2: return CTennis::isDoubles ? CTennis::partner.get() : nullptr;
    default: return CTennis::isDoubles ? CTennis::rivalPartner.get() : nullptr;
  }
}

// Every player to its spot at the post, from where it shows (fromKept: where its last walk
// ended) with the action, its actor started at the given step; then the pairs in order.
void walkAll(const Spot (&spots)[4], bool leftPost, bool fromKept, int32_t action, int32_t step, bool replay) {
  for (int32_t i = 0; i < 4; i++) {
    CPlayer* p = walker(i);
    if (isNull(p)) continue;
    const Spot to = atEnd(spots[i], leftPost);
    walk(p, fromKept, to.x, to.y, action);
    if (!isNull(p->animActor)) p->animActor->SetCurrentFrame(step, replay);
  }
  orderPairs(spots);
  CTennis::updateEndsWalk();
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

void CTennis::walkOffToTheNet() {
  SORV_FRAME("CTennis.walkOffToTheNet()V");
  const bool end1 = courtEnd == 1;
  walkAll(kWalkOff, end1, false, end1 ? kWalkOffEnd1 : kWalkOffEnd2, kWalkOffStartFrame, false);
}

void CTennis::walkInFromNewEnd() {
  SORV_FRAME("CTennis.walkInFromNewEnd()V");
  const bool end1 = courtEnd == 1;
  // On from the post the walk off took: the right one for the first end, turned to again.
  walkAll(kWalkOn, !end1, true, end1 ? kWalkOnEnd1 : kWalkOnEnd2, kWalkOnSteps, true);
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
