// The pieces of a stroke: whether the ball can be struck and how, the return direction and
// its keys, the swing animation, the stroke's speed and landing point, and the serve's
// target area. Stroke kind 1..6 is the reach class by distance to the ball; stroke type
// 1..7 the ball's route point class (7 its last strikeable point).
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kNet = RigidBody::kNetZ, kCentreX = 9085, kMirrorX = 18170, kCourtLength = 36600;
constexpr int32_t kFlatStrokeSpeed = 12000;
constexpr int32_t kDigitBits[10] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512};
// Upper bounds of dx for the reach classes 1..5; class 6 reaches to kReachLimit - 1.
constexpr int32_t kReachBounds[5] = {750, 1200, 1800, 2500, 3000};
constexpr int32_t kReachLimit = 3376;
// The serve's service box in the frame of a side-1 server serving from the right.
constexpr int32_t kBoxLeft = 9085, kBoxRight = 13200, kBoxNear = 11900, kBoxFar = kNet;
constexpr int32_t kBoxMargin = 100;

struct ServeCells {
  int32_t x, z, width, sideStep, rowStep, depth, farLimit;
};
constexpr ServeCells kMediumCells = {9086, 11900, 1371, 823, 1666, 1000, 16900};
constexpr ServeCells kDeepCells = {8262, 10500, 1920, 823, 2600, 1400, 18300};

RigidBody* theBall() { return CTennis::ball.get(); }

int32_t speedAt(IntArray* table, int32_t level) { return intAt(table, level); }

void setRect(IntArray* r, int32_t x0, int32_t z0, int32_t x1, int32_t z1) {
  x0 = clampInt(x0, kBoxLeft + kBoxMargin, kBoxRight - kBoxMargin);
  x1 = clampInt(x1, x0, kBoxRight - kBoxMargin);
  z0 = clampInt(z0, kBoxNear + kBoxMargin, kBoxFar - kBoxMargin);
  z1 = clampInt(z1, z0, kBoxFar - kBoxMargin);
  astore(r, 0, x0);
  astore(r, 1, z0);
  astore(r, 2, x1 - x0);
  astore(r, 3, z1 - z0);
}

}  // namespace

bool CPlayer::getPlayerStrikeCondition(IntArray* out) {
  if (state != 6 || strikeState != 0) return false;
  RigidBody* b = theBall();
  if (isNull(b) || isNull(b->route)) return false;
  const int32_t n = b->route->length;
  int32_t i = 0;
  for (; i < n; i++) {
    IntArray* point = static_cast<IntArray*>(b->route->elements()[i]);
    const int32_t px = aload(point, 0), pz = aload(point, 1);
    if (px == kNoPoint) continue;
    if (userTeamSide ? pz > z : pz < z) break;
  }
  const int32_t routeX = b->getXOnBallRoute(z);
  strikeX = routeX;
  // A route that never reaches the player's depth has no reach kind of its own.
  int32_t h = i < n ? intAt(reachKind, i) : 0;
  if (!isNull(reachKind) && i >= reachKind->length) h = 0;
  const bool near = i < 5;
  const bool onRight = userTeamSide ? routeX >= x : routeX <= x;
  const int32_t dx = x > routeX ? x - routeX : routeX - x;
  if (i == n && dx <= 500) {
    const int32_t j = CTennis::getLastBallPosCanBeStrike();
    if (j > 0 && j < n) {
      const int32_t jz = aload(static_cast<IntArray*>(b->route->elements()[j]), 1);
      if ((z > jz ? z - jz : jz - z) <= 3200) h = 7;
    }
  }
  if (h == 0 || dx >= kReachLimit) return false;
  int32_t kind = 6;
  for (int32_t k = 0; k < 5; k++) {
    if (dx <= kReachBounds[k]) {
      kind = k + 1;
      break;
    }
  }
  astore(out, 0, kind);
  astore(out, 1, h);
  astore(out, 2, near ? 1 : -1);
  astore(out, 3, onRight ? 1 : -1);
  return true;
}

bool CPlayer::isBackSingleHand() { return oneHandedBackhand && forehand != forehandSide; }

int32_t CPlayer::getStrikingAnim() {
  const bool f = forehand;
  switch (strokeType) {
    case 2: case 3: return secondDir >= 1 ? (f ? 12 : 13) : (f ? 16 : 17);
    case 4: case 5:
      if (secondDir >= 1) return f ? 20 : 21;
      return isBackSingleHand() ? 24 : (f ? 4 : 5);
    case 6:
      if (secondDir >= 1) return f ? 20 : 21;
      return isBackSingleHand() ? 25 : (f ? 10 : 11);
    default: return -1;
  }
}

// The swing of a stroke type and kind (-1: no swing, the stroke is cancelled).
int32_t CPlayer::swingAnimation(int32_t t, int32_t kind, bool f) {
  const int32_t wide = courtType() == 0 ? (f ? 6 : 7) : (f ? 26 : 27);
  if (t == 7) return 32;
  if (t == 1) {
    if (kind == 1) return 18;
    if (kind == 2 && ready && forehandSide == (userTeamSide == f)) return 31;
    return -1;
  }
  if (t < 2 || t > 6 || kind < 1 || kind > 6) return -1;
  if (kind >= 5) return wide;
  if (kind <= 2) return t <= 3 ? (f ? 14 : 15) : (f ? 2 : 3);
  if (kind == 4) return (t == 2 || t == 6) ? -1 : (f ? 8 : 9);
  // kind 3
  if (t == 2) return f ? 10 : 11;
  if (t == 6) return isBackSingleHand() ? 25 : (f ? 10 : 11);
  return wide;
}

void CPlayer::resetStrikeState() {
  returnDir = secondDir = -1;
  p0 = p1 = p2 = p3 = -1;
  strikeState = 0;
  strokeType = 0;
  strokeKind = 0;
  timingOffset = 0;
  forehand = false;
  doubleDir = 0;
  strokeEffect = nullptr;
  CGame::EndSpeedLineEffect();
}

void CPlayer::setReturnBallDir(int32_t d) {
  RigidBody* b = theBall();
  if (d != -1 && strikeState == 1 && !isNull(b)) b->trailKind = 0;
  if (d == 0) {
    if ((strikeState == 1 || strikeState == 2) && strokeType != 1) {
      secondDir = -1;
      returnDir = 0;
      if (!isNull(b)) b->trailKind = 5;
      doubleDir = 0;
    }
    return;
  }
  if (d < 1 || d > 9) return;
  if (d != returnDir || (d >= 7 && doubleDir != 0)) {
    const bool again = d == returnDir;
    secondDir = -1;
    returnDir = d;
    doubleDir = 0;
    if (d >= 7) {
      timingOffset = -20;
      if (!isNull(b)) b->trailKind = again ? 3 : 4;
    }
    return;
  }
  if (doubleDir != 0) doubleReturnBallDir();
}

void CPlayer::doubleReturnBallDir() {
  if (strikeState != 1 && strikeState != 2) return;
  if (strokeType == 1 || strokeType == 7 || (strokeKind != 1 && strokeKind != 2) || secondDir == 1) return;
  secondDir = 1;
  const int32_t anim = getStrikingAnim();
  if (anim != -1 && !isNull(animActor)) {
    animActor->setSprite(CTennis::getPlayerSprite(userTeamSide, rosterIndex, 1), anim, animActor->loopFrame);
  }
  timingOffset = 32;
  RigidBody* b = theBall();
  if (!isNull(b)) b->trailKind = 2;
  doubleDir = 0;
}

void CPlayer::checkStrikeKeyRelease() {
  if (type != kTypeHuman || returnDir < 1 || doubleDir != 0) return;
  const bool levelZero = difficulty() == 0 && CTennis::tutorialIndex == -1;
  const int32_t other = levelZero ? kDigitBits[5] : kDigitBits[0];
  const int32_t released = CGame::keysReleased;
  if ((released & kDigitBits[returnDir]) == 0 && (released & other) == 0) return;
  strokeEffect = nullptr;
  CGame::EndSpeedLineEffect();
  doubleDir = CTennis::matchFrame;
  if (state == 4) changeBallRouteByReleaseKey();
}

void CPlayer::changeBallRouteByReleaseKey() {
  RigidBody* b = theBall();
  if (isNull(b)) return;
  b->vx = changeSpeedByReleaseKey(b->vx);
  b->vz = changeSpeedByReleaseKey(b->vz);
  if (!isNull(match)) match->onReturnBall2(this);
}

int32_t CPlayer::changeSpeedByReleaseKey(int32_t v) {
  IntArray* row = static_cast<IntArray*>(rowAt(releaseSpeedTable, attr0 - 1));
  if (isNull(row) || row->length == 0) return v;
  const int32_t n = row->length;
  const int32_t i = clampInt(doubleDir - contactFrame + n - 6, 0, n - 1);
  return static_cast<int32_t>(ldiv(int64_t{v} * (100 + row->elements()[i]), 100));
}

void CPlayer::setBallFly(bool sideways) {
  RigidBody* b = theBall();
  if (isNull(b)) return;
  b->ax = b->ay = b->az = 0;
  int32_t f = forehand ? 1 : -1;
  if (!userTeamSide) f = -f;
  b->vx = sideways ? 5000 * f : 0;
  b->vy = 7000;
  const int32_t depth = (20 + randomMod(5)) * 1000;
  b->vz = userTeamSide ? -depth : depth;
}

int32_t CPlayer::getMaxStrikeSpeed() {
  const int32_t p = clampInt(attrServe - 1, 0, 4), q = clampInt(attrStroke - 1, 0, 4);
  int32_t speed = 0;
  if (state == 8 || (CTennis::tutorialIndex == 1 && CTennis::tutorialStep == 3)) {
    const int32_t charges = isNull(serveChargeFactor) ? 0 : serveChargeFactor->length;
    const int32_t charge = clampInt(p1, 0, charges - 1 < 0 ? 0 : charges - 1);
    const int32_t base = speedAt(serveSpeedBase, attr2 - 1), top = speedAt(serveSpeedTop, attr2 - 1);
    speed = base + idiv(intAt(serveChargeFactor, charge) * (top - base), 100);
  } else if (strokeKind == 1 || strokeKind == 2) {
    if (strokeType == 2 || strokeType == 6) {
      speed = speedAt(flatSpeed, p);
    } else {
      IntArray* topTable = strokeType == 4 ? kind4SpeedTop : (strokeType == 1 ? kind1SpeedTop : normalSpeedTop);
      IntArray* lowTable = strokeType == 4 ? kind4SpeedLow : (strokeType == 1 ? kind1SpeedLow : normalSpeedLow);
      const int32_t top = speedAt(topTable, p), low = speedAt(lowTable, p);
      if (returnDir == 0 && (strikeState == 1 || strikeState == 2) && strokeType != 1) {
        speed = kFlatStrokeSpeed;
      } else {
        speed = low + idiv((top - low) * (p2 < 0 ? 0 : p2), 8);
        if (speed > top) speed = top;
      }
    }
  } else if (strokeKind >= 3 && strokeKind <= 5) {
    IntArray* pct = nullptr;
    IntArray* base = nullptr;
    if (strokeKind == 3) {
      pct = strokeType == 4 ? stroke3PercentKind4 : (strokeType == 2 || strokeType == 6 ? stroke3PercentKind26 : stroke3Percent);
      base = strokeType == 4 ? stroke3BaseKind4 : (strokeType == 2 || strokeType == 6 ? stroke3BaseKind26 : stroke3Base);
    } else if (strokeKind == 4) {
      pct = strokeType == 4 ? stroke4PercentKind4 : stroke4Percent;
      base = strokeType == 4 ? stroke4BaseKind4 : stroke4Base;
    } else {
      pct = strokeType == 4 ? stroke5PercentKind4 : stroke5Percent;
      base = strokeType == 4 ? stroke5BaseKind4 : stroke5Base;
    }
    speed = idiv(intAt(pct, q) * intAt(base, p), 100);
  }
  if (doubleDir != 0) speed = changeSpeedByReleaseKey(speed);
  return speed;
}

int32_t CPlayer::getLobReturnBallPos() { return p1 < idiv(p0, 2) ? 5 : 2; }

void CPlayer::getPointOfFall(IntArray* out, int32_t d) {
  const int32_t c = clampInt(attr0 - 1, 0, 4);
  const int32_t e = p1 < 0 ? 5 : clampInt(p1, 0, 5);
  int32_t w = 4115, left = intAt(aimSide, c), right = left;
  if (CTennis::isDoubles) {
    w = 5425;
    left += 1310;
    right += 1310;
  }
  if (8585 - left < kCentreX - w) {
    left = w - 500;
  } else if (right + 9585 > w + kCentreX) {
    right = w - 500;
  }
  left += intAt(aimSpread, c) * e;
  if (kCentreX - left < 9335 - w) left = w - 250;
  right += intAt(aimSpread, c) * e;
  if (right + kCentreX > w + 8835) right = w - 250;
  const int32_t s = userTeamSide ? 1 : -1;
  if (s < 0) {
    const int32_t t = left;
    left = right;
    right = t;
  }
  const int32_t z0 = kNet - 6400 * s, depth = intAt(aimDepth, c) + 500 * e;
  d = clampInt(d, 1, 9);
  const int32_t col = (d - 1) % 3, row = (d - 1) / 3;
  const int32_t px = col == 0 ? kCentreX - s * left : (col == 1 ? kCentreX : kCentreX + s * right);
  int32_t pz = row == 0 ? z0 - s * depth : (row == 1 ? z0 : z0 + s * depth);
  if (s > 0) {
    if (pz + 250 > 16800) {
      pz = 16550;
    } else if (pz - 250 < 6415) {
      pz = 6665;
    }
  } else {
    if (pz - 250 < 19800) {
      pz = 20050;
    } else if (pz + 250 >= 30186) {
      pz = 29935;
    }
  }
  astore(out, 0, px);
  astore(out, 1, pz);
}

void CPlayer::generatePassNetPoint(IntArray* p) {
  const bool plain = (returnDir >= 4 && returnDir <= 6) || state == 8;
  if (!plain && strokeKind >= 3 && strokeKind <= 5) {
    const int32_t a = strokeKind == 3 ? 40 : 50, b = strokeKind == 3 ? 4 : 6;
    int32_t q = 0;
    if (doubleDir != 0) {
      const int32_t e = contactFrame - doubleDir;
      q = e > 5 ? CGame::RAND(80, 100) : (e >= 1 ? CGame::RAND(20 * e - 20, 20 * e) : 0);
    } else {
      q = CGame::RAND(0, 20);
    }
    const int32_t dy = (a + 5) * q > 0 ? CGame::RAND(0, (a + 5) * q - 1) - a * q : 0;
    int32_t dx = b * q;
    if (!(userTeamSide == forehand)) dx = -dx;
    astore(p, 0, aload(p, 0) + dx);
    astore(p, 1, aload(p, 1) + dy);
  }
  astore(p, 2, kNet);
}

int32_t CPlayer::getServeAreaChoice() {
  RigidBody* b = theBall();
  if (!isNull(b) && (b->trailKind == 3 || b->trailKind == 4)) return 1;
  const int32_t t = int64_t{p1} * 100 > int64_t{p0} * 70 ? 9 : 11;
  if (tossTiming > t - 2 * difficulty()) return 3;
  if (tossTiming > 4) return 2;
  return 1;
}

// Two target rectangles {x, z, width, depth} of a serve, in the frame of a side-1 server
// serving from the right; computeActualPoint turns a point of them into the real court. The
// cells of the finer areas are kept inside the service box.
void CPlayer::computeFallRect(ObjectArray* rects, int32_t choice, int32_t dir) {
  IntArray* first = static_cast<IntArray*>(aload(rects, 0));
  IntArray* second = static_cast<IntArray*>(aload(rects, 1));
  if (isNull(first) || isNull(second)) return;
  if (difficulty() == 0 && CTennis::tutorialIndex == -1 && choice > 2) choice = 2;
  if (choice <= 1 || dir == 5 || dir < 1 || dir > 9) {
    // A serve cannot dip in just behind the net: the plain box ends where the cells do.
    setRect(first, kBoxLeft, kBoxNear, kBoxRight, kMediumCells.farLimit);
    setRect(second, kBoxLeft, kBoxNear, kBoxRight, kMediumCells.farLimit);
    return;
  }
  const ServeCells& c = choice == 2 ? kMediumCells : kDeepCells;
  const int32_t col = (dir - 1) % 3, row = (dir - 1) / 3;
  const int32_t x0 = c.x + col * c.width;
  const int32_t z0 = c.z + row * c.rowStep;
  const int32_t far = c.farLimit < kBoxFar ? c.farLimit : kBoxFar;
  setRect(first, x0, z0, x0 + c.width, z0 + c.depth < far ? z0 + c.depth : far);
  // The second cell lies one side step towards the middle of the box.
  const int32_t step = col == 2 ? -c.sideStep : c.sideStep;
  setRect(second, x0 + step, z0, x0 + step + c.width, z0 + c.depth < far ? z0 + c.depth : far);
}

void CPlayer::getRandPointInRect(IntArray* out, IntArray* rect) {
  const int32_t w = aload(rect, 2), d = aload(rect, 3);
  astore(out, 0, aload(rect, 0) + (w > 0 ? randomMod(w + 1) : 0));
  astore(out, 1, aload(rect, 1) + (d > 0 ? randomMod(d + 1) : 0));
}

void CPlayer::computeActualPoint(IntArray* point) {
  if (serveFromLeft) astore(point, 0, kMirrorX - aload(point, 0));
  if (!userTeamSide) {
    astore(point, 0, kMirrorX - aload(point, 0));
    astore(point, 1, kCourtLength - aload(point, 1));
  }
}

}  // namespace sorv
