// RigidBody's trajectory solvers: closed-form flights under the body's own gravity g (lift +
// ay - 10000), in ticks of 1/50 s or milliseconds as each says. A degenerate input (g 0, a
// flight of no time, no depth to travel) has no solution: -1 with the out arrays untouched,
// never a division by zero.
#include "game/cgame.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"

namespace sorv {

namespace {

constexpr int32_t kNoTime = 0x7FFFFFFF;
constexpr int32_t kBitMask23 = 0x800000;
constexpr int32_t kFrameUnits = 700;  // 1/700 s: 100 per frame
constexpr int32_t kBounceLag = 52;

int32_t at(IntArray* a, int32_t i) { return aload(a, i); }
IntArray* row(ObjectArray* a, int32_t i) { return static_cast<IntArray*>(aload(a, i)); }
ObjectArray* segment(ObjectArray* a, int32_t i) { return static_cast<ObjectArray*>(aload(a, i)); }

void put3(IntArray* out, int32_t a, int32_t b, int32_t c) {
  astore(out, 0, a);
  astore(out, 1, b);
  astore(out, 2, c);
}

void copy3(IntArray* to, IntArray* from) { put3(to, at(from, 0), at(from, 1), at(from, 2)); }

int32_t sqrtOf(int64_t v, int32_t precision) { return CGame::sqrt(v, precision); }

}  // namespace

void RigidBody::computePositionAt(IntArray* out, IntArray* v, IntArray* p, int32_t t) {
  const int32_t g = gravity();
  put3(out, at(p, 0) + at(v, 0) * t / 50, at(p, 1) + at(v, 1) * t / 50 + g * t * t / 5000,
       at(p, 2) + at(v, 2) * t / 50);
}

void RigidBody::computeVelocityAt(IntArray* out, IntArray* v, int32_t t) {
  put3(out, at(v, 0), at(v, 1) + gravity() * t / 50, at(v, 2));
}

void RigidBody::reflectVelocityY(IntArray* out, IntArray* v) {
  put3(out, (100 - (CTennis::courtLossX + ballLossX)) * at(v, 0) / 100,
       -((100 - (CTennis::courtLossY + ballLossY)) * at(v, 1) / 100),
       (100 - (CTennis::courtLossZ + ballLossZ)) * at(v, 2) / 100);
}

IntArray* RigidBody::ParseTimeUseH(int32_t vy0, int32_t y0, int32_t h) {
  SORV_FRAME("RigidBody.ParseTimeUseH(III)[I");
  const int32_t g = gravity();
  if (g == 0) return nullptr;  // no vertical acceleration: no parabola
  const int32_t a = idiv(vy0 * 100, g);
  const int64_t b = int64_t{h - y0} * 100 * 200 / g;
  const int64_t d = int64_t{a} * a + b;
  if (d < 0) return nullptr;
  const int32_t s = sqrtOf(d, 12);
  const int32_t r1 = (s - a) >> 1;
  const int32_t r2 = (-(s + a)) >> 1;
  astore(routeTimes, 0, r1 < r2 ? r1 : r2);
  astore(routeTimes, 1, r1 < r2 ? r2 : r1);
  return routeTimes;
}

int32_t RigidBody::parseTimeUseMaxH(IntArray* target, int32_t apex) {
  SORV_FRAME("RigidBody.parseTimeUseMaxH([II)I");
  if (apex < y) return -1;
  const int32_t u = sqrtOf(int64_t{2} * (y - apex) * gravity(), 12);
  IntArray* times = ParseTimeUseH(u, y, at(target, 1));
  // A target above the apex is never reached.
  if (times == nullptr) return -1;
  return at(times, 1);
}

int32_t RigidBody::calculateInitialVelocity(IntArray* out, IntArray* start, IntArray* target, int32_t t) {
  SORV_FRAME("RigidBody.calculateInitialVelocity([I[I[II)I");
  if (t < 1) return -1;
  put3(out, (at(target, 0) - at(start, 0)) * 1000 / t,
       (at(target, 1) - at(start, 1)) * 1000 / t - gravity() * t / 2000,
       (at(target, 2) - at(start, 2)) * 1000 / t);
  return 0;
}

int32_t RigidBody::calculateInitialVelocity(IntArray* target, int32_t t) {
  SORV_FRAME("RigidBody.calculateInitialVelocity([II)I");
  IntArray* start = solverStart.get();
  IntArray* out = solverOut.get();
  put3(start, x, y, z);
  const int32_t result = calculateInitialVelocity(out, start, target, t);
  // Applied even without a solution: the body then takes the previous one.
  vx = at(out, 0);
  vy = at(out, 1);
  vz = at(out, 2);
  return result;
}

namespace {

// The launch velocity to the target in t ms and the time to the net line, from (x, y, z);
// false when t or the depth velocity is 0 (nothing written).
bool launch(IntArray* out, IntArray* target, int32_t t, int32_t x, int32_t y, int32_t z, int32_t g) {
  if (t == 0) return false;
  const int32_t wx = static_cast<int32_t>(int64_t{at(target, 0) - x} * 1000 / t);
  const int32_t wy = static_cast<int32_t>(int64_t{at(target, 1) - y} * 1000 / t - int64_t{g} * t / 2000);
  const int32_t wz = static_cast<int32_t>(int64_t{at(target, 2) - z} * 1000 / t);
  if (wz == 0) return false;
  const int32_t toNet = idiv((z - RigidBody::kNetZ) * 1000, wz);
  put3(out, wx, wy, wz);
  astore(out, 3, toNet < 0 ? -toNet : toNet);
  return true;
}

}  // namespace

int32_t RigidBody::calculateInitialVelocity(IntArray* out, IntArray* target, int32_t apex) {
  SORV_FRAME("RigidBody.calculateInitialVelocity([I[II)I");
  const int32_t ticks = parseTimeUseMaxH(target, apex);
  if (ticks < 0) return -1;
  return launch(out, target, ticks * 20, x, y, z, gravity()) ? 0 : -1;
}

int32_t RigidBody::calculateInitialVelocity(IntArray* out, int32_t apex, IntArray* target, int32_t netH) {
  SORV_FRAME("RigidBody.calculateInitialVelocity([II[II)I");
  const int32_t ticks = parseTimeUseMaxH(target, apex);
  if (ticks < 0) return -1;
  const int32_t t = ticks * 20;
  if (parseTimeInterval(routeTimes, target, netH) != 0) return -1;
  if (t < at(routeTimes, 0) || t > at(routeTimes, 1)) return -1;
  return launch(out, target, t, x, y, z, gravity()) ? 0 : -1;
}

int32_t RigidBody::calculateInitialVelocity(IntArray* out, IntArray* target, int32_t speed, int32_t netH) {
  SORV_FRAME("RigidBody.calculateInitialVelocity([I[III)I");
  // A target at the body's own depth has no flight; the callers expect a result below 0.
  if (at(target, 2) == z) return -1;
  if (parseTimeInterval(routeTimes, speed, target) != 0) return -1;
  const int32_t lo1 = at(routeTimes, 0), hi1 = at(routeTimes, 1);
  int32_t lo2 = -1, hi2 = kNoTime;
  if (parseTimeInterval(routeTimes, target, netH) == 0) {
    lo2 = at(routeTimes, 0);
    hi2 = at(routeTimes, 1);
  }
  if (lo1 > hi2 || hi1 < lo2 || lo2 == 0) return -1;
  const int32_t t = lo1 > lo2 ? lo1 : lo2;  // the fastest shot both windows allow
  return launch(out, target, t, x, y, z, gravity()) ? 0 : -1;
}

int32_t RigidBody::parseTimeInterval(IntArray* out, int32_t speed, IntArray* target) {
  SORV_FRAME("RigidBody.parseTimeInterval([II[I)I");
  const int64_t g = gravity();
  if (g == 0) return -1;
  const int64_t dx = at(target, 0) - x, dy = at(target, 1) - y, dz = at(target, 2) - z;
  const int64_t distance2 = dx * dx + dy * dy + dz * dz;
  const int64_t s2 = int64_t{speed} * speed;
  const int64_t q = s2 / g + dy;
  int64_t d = q * q - distance2;
  if (d < 0) d = 0;
  // The squared flight times (ticks^2) at launch speed exactly S are m - e and m + e.
  const int64_t m = (g * dy + s2) * 5000 / (g * g);
  const int64_t e = int64_t{sqrtOf(d, 12)} * -5000 / g;
  astore(out, 0, -1);
  astore(out, 1, -1);
  if (m - e < 0 || m + e < 0) return -1;
  astore(out, 0, sqrtOf(m - e, 12) * 20);
  astore(out, 1, sqrtOf(m + e, 12) * 20);
  return 0;
}

int32_t RigidBody::parseTimeInterval(IntArray* out, IntArray* target, int32_t netH) {
  SORV_FRAME("RigidBody.parseTimeInterval([I[II)I");
  const int32_t tx = at(target, 0), ty = at(target, 1), tz = at(target, 2);
  const int32_t dx = tx - x, dy = ty - y, dz = tz - z;
  if (dz == 0) return -1;
  const int32_t xn = static_cast<int32_t>((int64_t{x} * tz - int64_t{tx} * z) / dz +
                                          int64_t{dx} * kNetZ / dz);
  const int32_t s0 = sqrtOf(int64_t{x} * x + int64_t{z} * z, 12);
  const int32_t sn = sqrtOf(int64_t{kNetZ} * kNetZ + int64_t{xn} * xn, 12);
  const int32_t st = sqrtOf(int64_t{tx} * tx + int64_t{tz} * tz, 10);
  if (st == s0) return -1;
  const int32_t lineH = ty + idiv((y - ty) * (st - sn), st - s0);
  const int32_t hn = lineH > netH ? lineH : netH;
  const int32_t a = hn - y, b = kNetZ - z;
  const int64_t side = int64_t{a} * dz - int64_t{b} * dy;  // 0: the net point is on the line
  const int64_t den = 2 * side;
  if (den == 0) return -1;
  const int64_t q = ldiv(int64_t{gravity()} * b * (b - dz) * dz, den);
  if (q <= 0) return -1;
  const int32_t root = sqrtOf(q, 12);
  if (root == 0) return -1;
  const int32_t t = (dz < 0 ? -dz : dz) * 1000 / root;
  if (side * dz >= 0) {
    astore(out, 0, t);  // at least T: the net point lies on or above the straight line
    astore(out, 1, kNoTime);
  } else {
    astore(out, 0, 0);
    astore(out, 1, t);
  }
  return 0;
}

int32_t RigidBody::calculateCoordOnNet(IntArray* out, IntArray* v) {
  SORV_FRAME("RigidBody.calculateCoordOnNet([I[I)I");
  astore(out, 2, kNetZ);
  const int32_t wz = at(v, 2);
  if (wz == 0) return -1;
  int32_t t = idiv((kNetZ - z) * 100, wz);  // hundredths of a second
  if (t < 0) t = -t;
  astore(out, 0, x + at(v, 0) * t / 100);
  astore(out, 1, y + at(v, 1) * t / 100 + gravity() * t * t / 20000);
  return 0;
}

namespace {

// Fills segments 1..n; false when a landing has no time (the body has no gravity).
bool orbit(RigidBody* body, ObjectArray* seg, int32_t n) {
  for (int32_t k = 1; k <= n; k++) {
    ObjectArray* from = segment(seg, k - 1);
    ObjectArray* to = segment(seg, k);
    IntArray* p = row(from, 0);
    IntArray* v = row(from, 1);
    IntArray* times = body->ParseTimeUseH(at(v, 1), at(p, 1), 0);
    if (times == nullptr) return false;
    const int32_t t = at(times, 1);
    body->computeVelocityAt(body->routeVelIn, v, t);
    body->reflectVelocityY(body->routeVelOut, body->routeVelIn);
    copy3(row(to, 1), body->routeVelOut);
    body->computePositionAt(body->routePos, v, p, t);
    copy3(row(to, 0), body->routePos);
  }
  return true;
}

// Segment 0 starts at the body with its velocity.
void startOrbit(RigidBody* body) {
  ObjectArray* first = segment(body->routeWork, 0);
  put3(row(first, 0), body->x, body->y, body->z);
  put3(row(first, 1), body->vx, body->vy, body->vz);
}

}  // namespace

void RigidBody::parseOrbitEquation(ObjectArray* segments, int32_t n) {
  SORV_FRAME("RigidBody.parseOrbitEquation([[[II)V");
  orbit(this, segments, n);
}

void RigidBody::calculateRouteInfo() {
  SORV_FRAME("RigidBody.calculateRouteInfo()V");
  ObjectArray* table = routeTable.get();
  int32_t lastBounce = 0;
  for (int32_t i = 0; i < kRoutePoints; i++) {
    const int32_t b = at(row(table, i), 1);
    if (b > lastBounce) lastBounce = b;
  }
  int32_t n = lastBounce + 2;
  if (n > kRouteRows - 1) n = kRouteRows - 1;
  startOrbit(this);
  const bool flies = orbit(this, routeWork, n);
  for (int32_t i = 0; i < kRoutePoints; i++) {
    IntArray* sample = row(table, i);
    const int32_t h = at(sample, 0), b = at(sample, 1), later = at(sample, 2);
    const int32_t k = b + (later == 0 ? 1 : 0);
    IntArray* point = row(route, i);
    IntArray* times = nullptr;
    ObjectArray* seg = nullptr;
    if (flies && k >= 0 && k < kRouteRows) {
      seg = segment(routeWork, k);
      times = ParseTimeUseH(at(row(seg, 1), 1), at(row(seg, 0), 1), h);
    }
    const int32_t s = later != 0 ? 1 : 0;
    if (times != nullptr && at(times, s) >= 0) {
      computePositionAt(routePos, row(seg, 1), row(seg, 0), at(times, s));
      astore(point, 0, at(routePos, 0));
      astore(point, 1, at(routePos, 2));
    } else {
      astore(point, 0, kNoPoint);
      astore(point, 1, kNoPoint);
    }
  }
}

int32_t RigidBody::getXOnBallRoute(int32_t zt) {
  SORV_FRAME("RigidBody.getXOnBallRoute(I)I");
  IntArray* a = row(route, 4);
  IntArray* b = row(route, 13);
  const int32_t ax0 = at(a, 0), az0 = at(a, 1), bx = at(b, 0), bz = at(b, 1);
  // Landings at one depth (both empty included) give no line: the first landing stands.
  if (az0 == bz) return ax0;
  return bx + static_cast<int32_t>(int64_t{zt - bz} * (ax0 - bx) / (az0 - bz));
}

int32_t RigidBody::computeActualFrameCountToZ(int32_t zt) {
  SORV_FRAME("RigidBody.computeActualFrameCountToZ(I)I");
  if (vz == 0) return 0;
  const int32_t straight = idiv((zt - z) * kFrameUnits, vz);
  if (!isBall()) return straight;
  startOrbit(this);
  if (!orbit(this, routeWork, 2)) return straight;
  const int32_t b1 = at(row(segment(routeWork, 1), 0), 2);
  const int32_t b2 = at(row(segment(routeWork, 2), 0), 2);
  const int32_t vz1 = at(row(segment(routeWork, 1), 1), 2);
  // The first bounce comes before zt and zt before the second, in the direction of travel.
  const bool between = (((b1 - zt) ^ vz) & kBitMask23) != 0 && (((zt - b2) ^ vz) & kBitMask23) != 0;
  if (!between || vz1 == 0) return straight;
  return idiv((b1 - z) * kFrameUnits, vz) + idiv((zt - b1) * kFrameUnits, vz1) - kBounceLag;
}

int32_t RigidBody::computeDesireFrameCountToZ(int32_t zt) {
  return (computeActualFrameCountToZ(zt) + 50) / 100;
}

int32_t RigidBody::trimToReachZ(int32_t zt, int32_t frames) {
  SORV_FRAME("RigidBody.trimToReachZ(II)I");
  const int32_t units = computeActualFrameCountToZ(zt);
  if (frames != 0) {
    const int32_t f = idiv(units, frames);
    setSpeedFactor(f == 100 ? 99 : f < 0 ? 1 : f);
    return 0;
  }
  if (vz == 0) return 0;  // no depth velocity: nothing to trim
  speedFactor = 100;
  const int32_t t = idiv(ishl(zt - z, 6), vz);  // 1/64 s
  const int32_t g = gravity();
  setX(x + ((vx * t) >> 6));
  setY(y + ((g * t * t) >> 13) + ((vy * t) >> 6));
  return 0;
}

int32_t RigidBody::vectorToScalar(int64_t wx, int64_t wy, int64_t wz, int32_t precision) {
  return CGame::sqrt(wx * wx + wy * wy + wz * wz, precision);
}

}  // namespace sorv
