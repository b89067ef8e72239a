// Small services of the match's actors and messages: the partners' joint celebration, the
// message bar, the point's reward words, the challenge replay's line distances, and which
// player of a doubles team takes the ball.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/string.h"

namespace sorv {

bool CTennis::barOption1 = false;
bool CTennis::barOption2 = false;
bool CTennis::barOption4 = false;

namespace {

constexpr int32_t kClearVerdict = 360, kCloseVerdict = 33, kCloseLimit = 401;
constexpr int32_t kReachSlack = 1200;

int32_t absolute(int32_t v) { return v < 0 ? -v : v; }
int32_t signOf(int32_t v) { return v < 0 ? -1 : 1; }

// The last point of the ball's predicted route, false when it has none.
bool lastRoutePoint(RigidBody* b, int32_t* x, int32_t* z) {
  ObjectArray* route = isNull(b) ? nullptr : b->route;
  for (int32_t i = isNull(route) ? -1 : route->length - 1; i >= 0; i--) {
    IntArray* p = static_cast<IntArray*>(route->elements()[i]);
    if (isNull(p) || p->length < 2 || p->elements()[0] == RigidBody::kNoPoint) continue;
    *x = p->elements()[0];
    *z = p->elements()[1];
    return true;
  }
  return false;
}

int64_t squared(int64_t dx, int64_t dz) { return dx * dx + dz * dz; }

// Whether the front player F of the pair takes the ball rather than the back player B.
bool frontTakesBall(CPlayer* f, CPlayer* back, bool nearHalf) {
  // On the return of serve the back player, who received it, plays it.
  if (CTennis::rallyStrokes < 2) return false;
  RigidBody* b = CTennis::ball;
  if (isNull(b)) return false;
  const int32_t zb = b->z;
  if (nearHalf ? f->z < zb : f->z > zb) return false;
  int32_t lx = b->x, lz = b->z;
  lastRoutePoint(b, &lx, &lz);
  if (nearHalf ? lz < back->z : lz > back->z) {
    const bool reachesFront = nearHalf ? lz >= f->z : lz <= f->z;
    const int64_t front = reachesFront ? squared(f->x - b->getXOnBallRoute(f->z), 0)
                                       : squared(f->x - lx, f->z - lz);
    return front <= squared(back->x - lx, back->z - lz);
  }
  const int32_t frontRouteX = b->getXOnBallRoute(f->z);
  const int32_t backRouteX = b->getXOnBallRoute(back->z);
  const int32_t frontReach = absolute(frontRouteX - f->x);
  const int32_t d = frontReach - kReachSlack > 0 ? frontReach - kReachSlack : 0;
  ShortArray* speeds = CPlayer::runSpeedSide;
  const int32_t s = isNull(speeds) || speeds->length < 1 ? 0 : speeds->elements()[0];
  // A ball without depth speed or a player without side speed has no timing to compare:
  // the distances decide.
  if (b->vz != 0 && s != 0 && (idiv(zb - f->z, b->vz) - d / s) * 7 / 1000 >= 1) return true;
  return int64_t{absolute(backRouteX - back->x)} * absolute(f->z - zb) >
         int64_t{frontReach} * absolute(back->z - zb);
}

}  // namespace

int32_t CTennis::getCelebrateAnim(CPlayer* p, CPlayer* q, bool swap) {
  CPlayer* a = swap ? q : p;
  CPlayer* b = swap ? p : q;
  if (isNull(a) || isNull(b)) return 30;
  if (a->x <= b->x) return a->z <= b->z ? 30 : 31;
  return a->z <= b->z ? 32 : 33;
}

void CTennis::initBarMessage(String* text, int32_t kind, int32_t duration, bool o1, bool o2,
                             bool frames, bool o4) {
  SORV_FRAME("CTennis.initBarMessage(Ljava/lang/String;IIZZZZ)V");
  barOption4 = o4;
  barOption1 = o1;
  barOption2 = o2;
  barShellTime = !frames;
  barStart = frames ? matchFrame : CGame::frameCounter;
  barText = text;
  barKind = kind;
  barDuration = duration;
  barClosing = 0;
  CGame::disablePaintDirectInBuffer();
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
}

void CTennis::initBarMessage(String* text, int32_t kind, int32_t duration, bool o1, bool o2,
                             bool frames) {
  initBarMessage(text, kind, duration, o1, o2, frames, false);
}

void CTennis::initBarMessage(String* text, int32_t kind, int32_t duration, bool o1) {
  initBarMessage(text, kind, duration, o1, false, true, false);
}

void CTennis::setRewardWords(String* text) {
  if (tutorialIndex == -1) rewardText = text;
}

void CTennis::lieInstantReplay(bool lie) {
  if (lie) {
    // The nearer line's distance is made plainly out.
    if (absolute(lineDistanceX) <= absolute(lineDistanceZ)) {
      lineDistanceX = signOf(lineDistanceX) * kClearVerdict;
    } else {
      lineDistanceZ = signOf(lineDistanceZ) * kClearVerdict;
    }
    return;
  }
  if (absolute(lineDistanceX) < kCloseLimit) lineDistanceX = signOf(lineDistanceX) * kCloseVerdict;
  if (absolute(lineDistanceZ) < kCloseLimit) lineDistanceZ = signOf(lineDistanceZ) * kCloseVerdict;
}

void CTennis::doubleDecideWhoShouldReturnBall(CPlayer* p) {
  SORV_FRAME("CTennis.doubleDecideWhoShouldReturnBall(LCPlayer;)V");
  if (isNull(p)) return;
  CPlayer* q = getPalPlayer(p);
  if (isNull(q)) {
    p->isReturner = true;
    return;
  }
  const bool nearHalf = p->userTeamSide;
  // The front player stands nearer the net; p when level.
  const bool qInFront = nearHalf ? q->z < p->z : q->z > p->z;
  CPlayer* front = qInFront ? q : p;
  CPlayer* back = qInFront ? p : q;
  const bool frontTakes = frontTakesBall(front, back, nearHalf);
  front->isReturner = frontTakes;
  back->isReturner = !frontTakes;
}

}  // namespace sorv
