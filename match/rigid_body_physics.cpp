// RigidBody's physics: the frame integration, the world planes and their bounces, the
// rectangle test between bodies, spin, the blur tail, the movement record and the trace ring.
// Integer division truncates toward zero, >> rounds toward minus infinity, as on the phone.
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"

namespace sorv {

namespace {

constexpr int32_t kSubSteps = 10;
constexpr int32_t kStepTime = 7000;  // 1/7 s frames in 1/70 s sub-steps at speed factor 100
constexpr int32_t kTailTime = 2100;  // the tail's three points at thirds of a frame
constexpr int32_t kTailPoints = 3;
constexpr int32_t kRecordShift = 9;  // one record moves by three points of three values
constexpr int32_t kRecordLength = 90;
constexpr int32_t kFastMove = 50000;
constexpr int32_t kFastMoveShift = 10000;
constexpr int32_t kRestingRebound = 2000;  // a slower rebound stops on the ground
constexpr int32_t kSpinMax = 63, kTopSpinLift = 8000, kBackSpinLift = 15000;
constexpr int32_t kBitMask23 = 0x800000;

IntArray* tailRow(ObjectArray* tail, int32_t i) { return static_cast<IntArray*>(aload(tail, i)); }

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// A step from prev to now passed the plane p (ending on it from below counts): the sign
// within the court's range is bit 23.
bool crossed(int32_t now, int32_t prev, int32_t p) {
  return (((now - p) ^ (prev - p)) & kBitMask23) != 0 && now != prev;
}

bool within(int32_t offset, int32_t extent) {
  const int32_t half = iushr(extent, 1);
  const int32_t distance = offset < 0 ? -offset : offset;
  return distance <= half;
}

void writePoint(IntArray* out, int32_t a, int32_t b, int32_t c) {
  if (out == nullptr) return;
  astore(out, 0, a);
  astore(out, 1, b);
  astore(out, 2, c);
}

}  // namespace

int32_t RigidBody::updateState() {
  const int32_t d = idiv(kStepTime, speedFactor);
  const int32_t half = d >> 1;
  prevX = x;
  prevY = y;
  prevZ = z;
  const int32_t bits = isOnCollisionBoundary();
  for (int32_t i = 0; i < kSubSteps; i++) {
    if ((bits & kAxisX) == 0) {
      vx += idiv(ax + half, d);
      x += idiv(vx + half, d);
    }
    if ((bits & kAxisY) == 0) {
      vy += idiv(lift + ay + half - kGravity, d);
      y += idiv(vy + half, d);
    }
    if ((bits & kAxisZ) == 0) {
      vz += idiv(az + half, d);
      z += idiv(vz + half, d);
    }
  }
  return bits;
}

int32_t RigidBody::isOnCollisionBoundary() {
  const int32_t g = gravity();
  int32_t bits = 0;
  if (x == 0 && vx == 0 && ax <= 0) bits |= kBitSideLow;
  if (x == kSideX && vx == 0 && ax >= 0) bits |= kBitSideHigh;
  if (y == 0 && vy == 0 && g <= 0) bits |= kBitGround;
  if (y == kCeilingY && vy == 0 && g >= 0) bits |= kBitCeiling;
  if (z == kFarEndZ && vz == 0 && az <= 0) bits |= kBitEndLow;
  if (z == kNearEndZ && vz == 0 && az >= 0) bits |= kBitEndHigh;
  return bits;
}

int32_t RigidBody::getCollisionDir() {
  int32_t bits = 0;
  if (y > kCeilingY && prevY < kCeilingY) bits |= kBitCeiling;
  if ((y < 0 && prevY > 0) || ((y == 0 || prevY == 0) && vy != 0)) bits |= kBitGround;
  if (x > kSideX && prevX < kSideX) bits |= kBitSideHigh;
  if (x < 0 && prevX > 0) bits |= kBitSideLow;
  if (z > kNearEndZ && prevZ < kNearEndZ) bits |= kBitEndHigh;
  if (z < kFarEndZ && prevZ > kFarEndZ) bits |= kBitEndLow;
  return bits;
}

void RigidBody::handleCollision(int32_t bits) {
  if (bits == 0) return;
  if ((bits & kBitCeiling) != 0) handleCollideRect(kBitCeiling, kCeilingY, CTennis::courtLossY + ballLossY);
  if ((bits & kBitGround) != 0) {
    if (vy == 0) return;
    // Milliseconds from the previous position down to the ground.
    const int32_t t = idiv(prevY * -1000, vy);
    collisionY = 0;
    y = prevY;
    collisionX = prevX + vx * t / 1000;
    collisionZ = prevZ + vz * t / 1000;
    vy = -((100 - (CTennis::courtLossY + ballLossY)) * vy / 100);
    if (vy >= 1 && vy < kRestingRebound) vy = 0;
    vx = (100 - (CTennis::courtLossX + ballLossX)) * vx / 100;
    vz = (100 - (CTennis::courtLossZ + ballLossZ)) * vz / 100;
  }
  if ((bits & kBitSideHigh) != 0) handleCollideRect(kBitSideHigh, kSideX, kWallLoss);
  if ((bits & kBitSideLow) != 0) handleCollideRect(kBitSideLow, 0, kWallLoss);
  if ((bits & kBitEndHigh) != 0) handleCollideRect(kBitEndHigh, kNearEndZ, kWallLoss);
  if ((bits & kBitEndLow) != 0) handleCollideRect(kBitEndLow, kFarEndZ, kWallLoss);
  // A step this long was cut short by a plane far away: its hit point moves with it.
  if (x - prevX > kFastMove || x - prevX < -kFastMove) {
    if (collisionX > kFastMoveShift) collisionX += kFastMoveShift * sign(x - prevX);
  }
  if (y - prevY > kFastMove || y - prevY < -kFastMove) {
    if (collisionY > kFastMoveShift) collisionY += kFastMoveShift * sign(y - prevY);
  }
  if (z - prevZ > kFastMove || z - prevZ < -kFastMove) {
    if (collisionZ > kFastMoveShift) collisionZ += kFastMoveShift * sign(z - prevZ);
  }
}

void RigidBody::handleCollideRect(int32_t axes, int32_t p, int32_t loss) {
  if ((axes & kAxisY) != 0) {
    if (vy == 0) return;
    const int32_t t = idiv(ishl(p - prevY, 10), vy);
    collisionY = p;
    vy = -((100 - loss) * vy / 100);
    y = 2 * p - y;
    collisionX = prevX + ((vx * t) >> 10);
    collisionZ = prevZ + ((vz * t) >> 10);
  }
  if ((axes & kAxisX) != 0) {
    if (vx == 0) return;
    const int32_t t = idiv(ishl(p - prevX, 10), vx);
    collisionX = p;
    vx = -((100 - loss) * vx / 100);
    x = 2 * p - x;
    collisionY = prevY + ((vy * t) >> 10);
    collisionZ = prevZ + ((vz * t) >> 10);
  }
  if ((axes & kAxisZ) != 0 && vz != 0) {
    const int32_t t = idiv(ishl(p - prevZ, 10), vz);
    collisionZ = p;
    vz = -((100 - loss) * vz / 100);
    collisionY = prevY + ((vy * t) >> 10);
    collisionX = prevX + ((vx * t) >> 10);
    z = 2 * p - z;
  }
}

bool RigidBody::isCollideRect(IntArray* out, int32_t axes, int32_t a, int32_t b, int32_t c,
                              int32_t h, int32_t w) {
  if ((axes & kAxisZ) != 0) {
    if (crossed(z, prevZ, c) && prevZ != c) {
      const int32_t cx = prevX + idiv((x - prevX) * (c - prevZ), z - prevZ);
      const int32_t cy = prevY + idiv((y - prevY) * (c - prevZ), z - prevZ);
      writePoint(out, cx, cy, c);
      return within(cx - a, w) && within(cy - b, h);
    }
    if (prevZ == c && z == c) return within(x - a, w) && within(y - b, h);
  }
  if ((axes & kAxisY) != 0) {
    if (crossed(y, prevY, b) && prevY != b) {
      const int32_t cx = prevX + idiv((x - prevX) * (b - prevY), y - prevY);
      const int32_t cz = prevZ + idiv((z - prevZ) * (b - prevY), y - prevY);
      writePoint(out, cx, b, cz);
      return within(cx - a, w) && within(cz - c, h);
    }
    if (prevY == b && y == b) return within(x - a, w) && within(z - c, h);
  }
  if ((axes & kAxisX) != 0) {
    if (crossed(x, prevX, a) && prevX != a) {
      const int32_t cz = prevZ + idiv((z - prevZ) * (a - prevX), x - prevX);
      const int32_t cy = prevY + idiv((y - prevY) * (a - prevX), x - prevX);
      writePoint(out, a, cy, cz);
      return within(cz - c, w) && within(cy - b, h);
    }
    if (prevX == a && x == a) return within(z - c, w) && within(y - b, h);
  }
  return false;
}

void RigidBody::setAngularVelocity(int32_t spin) {
  angularVelocity = spin < -kSpinMax ? -kSpinMax : spin > kSpinMax ? kSpinMax : spin;
  const bool topSpin = angularVelocity > 0;
  const int32_t scale = topSpin ? kTopSpinLift : kBackSpinLift;
  lift = angularVelocity * scale / kSpinMax;
  if (!isBall()) return;
  const int32_t percent = (lift < 0 ? -lift : lift) * 100 / scale;
  switch (trailKind) {
    case 0: case 1: case 4: case 5:
      ballLossX = ballLossY = ballLossZ = 0;
      break;
    case 2:
      ballLossX = ballLossY = ballLossZ = percent * 20 / 100;
      break;
    case 3:
      ballLossY = 15;
      ballLossZ = 20;
      ballLossX = 20;
      break;
    default:
      break;
  }
}

void RigidBody::getVelocity(IntArray* out) {
  SORV_FRAME("RigidBody.getVelocity([I)V");
  astore(out, 0, vx);
  astore(out, 1, vy);
  astore(out, 2, vz);
}

void RigidBody::removeAllBarrier() {
  SORV_FRAME("RigidBody.removeAllBarrier()V");
  for (int32_t i = 0; i < kBarrierSlots; i++) astore(barriers, i, static_cast<Object*>(nullptr));
}

void RigidBody::setX(int32_t value) {
  x = prevX = value;
  updateScreen();
}

void RigidBody::setY(int32_t value) {
  y = prevY = value;
  updateScreen();
}

void RigidBody::setZ(int32_t value) {
  z = prevZ = value;
  updateScreen();
}

void RigidBody::setSchedule(int32_t x0, int32_t z0, int32_t x1, int32_t z1, int32_t time, bool back) {
  scheduled = true;
  scheduleReturn = back;
  scheduleFromX = x0;
  scheduleFromZ = z0;
  scheduleToX = x1;
  scheduleToZ = z1;
  scheduleTime = time;
  setX(x0);
  setY(0);
  setZ(z0);
  vx = time != 0 ? idiv(x1 - x0, time) : 0;
  vz = time != 0 ? idiv(z1 - z0, time) : 0;
  vy = 0;
}

void RigidBody::updateScreen() {
  SORV_FRAME("RigidBody.updateScreen()V");
  CTennis::project3DTo2D(screenPos, x, y, z);
  CTennis::project2D2Logical(screenPos);
  CTennis::logical2Screen(screenPos);
}

void RigidBody::updateBlurTail() {
  SORV_FRAME("RigidBody.updateBlurTail()V");
  IntArray* record = recordBuffer.get();
  if (recording) {
    for (int32_t i = 0; i + kRecordShift < kRecordLength; i++) astore(record, i, aload(record, i + kRecordShift));
  }
  const int32_t d = idiv(kTailTime, speedFactor);
  const int32_t half = d >> 1;
  // Position and velocity scaled by 1024 keep the thirds of a sub-step.
  int32_t px = ishl(x, 10), py = ishl(y, 10), pz = ishl(z, 10);
  int32_t wx = ishl(vx, 10), wy = ishl(vy, 10), wz = ishl(vz, 10);
  const int32_t bits = isOnCollisionBoundary();
  const int32_t first = kRecordLength - kRecordShift;
  for (int32_t i = 0; i < kTailPoints; i++) {
    IntArray* point = tailRow(tail, i);
    if ((bits & kAxisX) == 0) {
      wx += idiv(half + ishl(ax, 10), d);
      px += idiv(wx + half, d);
      astore(point, 0, px >> 10);
    }
    if (recording) astore(record, first + 3 * i, aload(point, 0));
    if ((bits & kAxisY) == 0) {
      wy += idiv(half + ishl(lift - kGravity, 10) + ishl(ay, 10), d);
      py += idiv(wy + half, d);
      astore(point, 1, py >> 10);
    }
    if (recording) astore(record, first + 3 * i + 1, aload(point, 1));
    if ((bits & kAxisZ) == 0) {
      wz += idiv(half + ishl(az, 10), d);
      pz += idiv(wz + half, d);
      astore(point, 2, pz >> 10);
    }
    if (recording) astore(record, first + 3 * i + 2, aload(point, 2));
  }
}

void RigidBody::clearTail() {
  SORV_FRAME("RigidBody.clearTail()V");
  if (type != kTypeBall) return;
  for (int32_t i = 0; i < kTailPoints; i++) writePoint(tailRow(tail, i), 0, 0, 0);
}

void RigidBody::startRecord() { recording = true; }

void RigidBody::stopRecord() {
  SORV_FRAME("RigidBody.stopRecord()V");
  recording = false;
  IntArray* record = recordBuffer.get();
  if (isNull(record)) return;
  for (int32_t i = 0; i < record->length; i++) record->elements()[i] = 0;
}

void RigidBody::resetBallTrace() {
  SORV_FRAME("RigidBody.resetBallTrace()V");
  ObjectArray* trace = ballTrace.get();
  if (isNull(trace)) {
    reportError("NullPointer");
    return;
  }
  for (int32_t i = 0; i < trace->length; i++) {
    IntArray* mark = static_cast<IntArray*>(aload(trace, i));
    astore(mark, 0, 0);
    astore(mark, 1, 0);
  }
  ballTraceIndex = 0;
}

void RigidBody::addBallTrace(int32_t px, int32_t pz) {
  SORV_FRAME("RigidBody.addBallTrace(II)V");
  IntArray* mark = static_cast<IntArray*>(aload(ballTrace.get(), ballTraceIndex));
  astore(mark, 0, px);
  astore(mark, 1, pz);
  ballTraceIndex++;
  if (ballTraceIndex >= 20) ballTraceIndex = 0;
}

}  // namespace sorv
