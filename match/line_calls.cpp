// Where a bounce landed against the lines of the landing rectangle, how close it came to
// them, whether the ball crossing the net plane touched the net, whether the computer
// disputes a call, and the last route point a player can still reach.
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/util_random.h"

namespace sorv {

namespace {

constexpr int32_t kServiceLineNear = 11900, kServiceLineFar = 24700;
constexpr int32_t kNetLeft = 4315, kNetRight = 13855;
constexpr int32_t kNetTop = 1000, kNetBody = 940;

int32_t lineX(int32_t i) { return aload(CTennis::courtLineX.get(), i); }
int32_t lineZ(int32_t i) { return aload(CTennis::courtLineZ.get(), i); }
int32_t absolute(int32_t v) { return v < 0 ? -v : v; }

int32_t left() { return lineX(CTennis::landingRect[0]); }
int32_t near() { return lineZ(CTennis::landingRect[1]); }
int32_t right() { return lineX(CTennis::landingRect[2]); }
int32_t far() { return lineZ(CTennis::landingRect[3]); }

}  // namespace

void CTennis::setBallInRect(int32_t l, int32_t n, int32_t r, int32_t f) {
  landingRect[0] = l;
  landingRect[1] = n;
  landingRect[2] = r;
  landingRect[3] = f;
}

int32_t CTennis::checkBallFall(int32_t x, int32_t z) {
  SORV_FRAME("CTennis.checkBallFall(II)I");
  // Ties go to the right and far lines.
  const bool leftNearer = absolute(x - left()) < absolute(x - right());
  lineZone = leftNearer ? landingRect[0] : landingRect[2];
  lineDistanceX = x - (leftNearer ? left() : right());

  secondLine = -1;
  secondLineDistance = -1;
  const bool singlesHalf = landingRect[0] == 1 && (landingRect[1] == 0 || landingRect[3] == 4);
  const bool nearNearer = absolute(z - near()) < absolute(z - far());
  lineZoneZ = nearNearer ? landingRect[1] : landingRect[3];
  lineDistanceZ = z - (nearNearer ? near() : far());
  if (singlesHalf) {
    if (nearNearer && absolute(z - kServiceLineNear) < 401) {
      secondLine = 1;
      secondLineDistance = z - kServiceLineNear;
    } else if (!nearNearer && absolute(z - kServiceLineFar) < 401) {
      secondLine = 3;
      secondLineDistance = z - kServiceLineFar;
    }
  }

  const bool level = left() <= x && x <= right();
  if (level && near() <= z && z <= far()) return 0;
  if (level) return -1;
  return near() - 1000 <= z && z <= far() + 1000 ? 1 : -1;
}

bool CTennis::isBallOut(int32_t x, int32_t /*y*/, int32_t z) {
  fallResult = checkBallFall(x, z);
  return fallResult != 0;
}

int32_t CTennis::checkBallHitNet() {
  SORV_FRAME("CTennis.checkBallHitNet()I");
  RigidBody* b = ball;
  if (isNull(b) || b->z == b->prevZ || b->x < kNetLeft || b->x > kNetRight) return 0;
  const bool forward = b->vz >= 1 && b->prevZ < kNetZ && b->z >= kNetZ + 1;
  const bool backward = b->vz < 0 && b->prevZ >= kNetZ + 1 && b->z < kNetZ;
  if (!forward && !backward) return 0;
  const int32_t h = absolute(b->y + idiv((b->prevY - b->y) * (kNetZ - b->z), b->prevZ - b->z));
  if (h < kNetBody) return 2;
  return h < kNetTop ? 1 : 0;
}

void CTennis::checkPointOfFall(int32_t x, int32_t /*y*/, int32_t z, bool /*unused*/) {
  SORV_FRAME("CTennis.checkPointOfFall(IIIZ)V");
  const bool nearEndLine = left() - 400 <= x && x <= right() + 400 && absolute(lineDistanceZ) < 401;
  const bool nearSideLine = near() - 400 <= z && z <= far() + 400 && absolute(lineDistanceX) <= 400;
  if (!nearEndLine && !nearSideLine) return;
  int32_t kind = 2;
  if (absolute(lineDistanceZ) < 401 && lineZoneZ != -1) {
    if (absolute(lineDistanceX) < 401 && lineZone != -1) {
      lineCallKind = aload(static_cast<ByteArray*>(aload(lineCornerKinds.get(), lineZone)), lineZoneZ);
      return;
    }
    kind = 1;
  }
  lineCallKind = kind;
}

bool CTennis::needContestRefere(int32_t x, int32_t z) {
  SORV_FRAME("CTennis.needContestRefere(II)Z");
  if (rallyStrokes < 2 && !secondServe) return false;
  Random* generator = CGame::random;
  if (isNull(generator) || nonNegativeMod(generator->nextInt(), 11) > 5) return false;
  return (left() - 300 <= x && x <= right() + 300 && absolute(lineDistanceZ) < 301) ||
         (near() - 300 <= z && z <= far() + 300 && absolute(lineDistanceX) < 301);
}

int32_t CTennis::contestReferee(bool allowed) {
  if (!allowed || strikeSide) return -1;
  return courtEnd == 1 ? 11 : 12;
}

int32_t CTennis::getLastBallPosCanBeStrike() {
  SORV_FRAME("CTennis.getLastBallPosCanBeStrike()I");
  RigidBody* b = ball;
  ObjectArray* route = isNull(b) ? nullptr : b->route;
  if (isNull(route) || route->length < 2) return -1;
  int32_t last = -1;
  for (int32_t i = 1; i < route->length; i++) {
    IntArray* point = static_cast<IntArray*>(aload(route, i));
    if (aload(point, 0) < RigidBody::kNoPoint + 1) continue;
    const int32_t z = aload(point, 1);
    if (strikeSide ? z > kNetZ : z < kNetZ) last = i;
  }
  return last;
}

}  // namespace sorv
