// Proves the guards of the ball's solvers and step: any body state, court losses, speed
// factor and target run through every solver, trimToReachZ and 20 frames without a pending
// exception, a runtime-error line or a speed factor out of its range.
// Input: little-endian int32 values in the order of Input below (missing ones are 0).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/game_fuzz_runtime.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"

namespace {

using sorv::IntArray;
using sorv::RigidBody;

struct Input {
  int32_t ball, x, y, z, vx, vy, vz, ax, ay, az, spin, trailKind;
  int32_t lossX, lossY, lossZ, factor;
  int32_t tx, ty, tz, t, apex, netH, speed, zt, frames;
};
constexpr int kFields = sizeof(Input) / sizeof(int32_t);

sorv::StaticRef<sorv::CTennis> gMatch;
sorv::StaticRef<RigidBody> gBody;
sorv::StaticRef<IntArray> gOut, gStart, gTarget, gVelocity;
std::FILE* gLog = nullptr;

Input read(const uint8_t* data, size_t size) {
  int32_t v[kFields] = {};
  for (int i = 0; i < kFields && static_cast<size_t>(i) * 4 + 4 <= size; i++) {
    const uint8_t* p = data + i * 4;
    v[i] = static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
  Input in;
  std::memcpy(&in, v, sizeof in);
  return in;
}

IntArray* ints(int32_t a, int32_t b, int32_t c, int32_t d = 0) {
  return sorv::Array::fillInts(sorv::Array::newIntArray(4), {a, b, c, d});
}

void fail(const char* what) {
  std::fprintf(stderr, "fuzz_solvers: %s\n", what);
  std::abort();
}

// After each operation: no exception pending, no runtime-error line, the factor in range.
void check(const char* after) {
  if (sorv::Application::pendingException() != nullptr) fail(after);
  if (std::ftell(gLog) != 0) fail(after);
  RigidBody* b = gBody;
  const int32_t top = b->isBall() ? RigidBody::kMaxBallSpeedFactor : RigidBody::kMaxSpeedFactor;
  if (b->speedFactor < 1 || b->speedFactor > top) fail(after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (sorv::fuzz::gApp == nullptr) {
    sorv::fuzz::startRuntime();
    gLog = std::tmpfile();
    sorv::Debug::setSink(gLog);
    gMatch = sorv::CTennis::create(sorv::CTennis::kKindMatch);
  }
  const Input in = read(data, size);
  sorv::CTennis::courtLossX = in.lossX;
  sorv::CTennis::courtLossY = in.lossY;
  sorv::CTennis::courtLossZ = in.lossZ;
  gBody = RigidBody::create(gMatch, (in.ball & 1) != 0 ? RigidBody::kTypeBall : 5);
  RigidBody* b = gBody;
  b->trailKind = in.trailKind;
  b->init(ints(in.x, in.y, in.z), ints(in.vx, in.vy, in.vz), ints(in.ax, in.ay, in.az));
  b->setAngularVelocity(in.spin);
  b->setSpeedFactor(in.factor);
  gOut = ints(0, 0, 0);
  gStart = ints(in.x, in.y, in.z);
  gTarget = ints(in.tx, in.ty, in.tz);
  gVelocity = ints(in.vx, in.vy, in.vz);
  check("set-up");

  if (b->isBall()) {
    b->ParseTimeUseH(in.vy, in.y, in.ty);
    b->parseTimeUseMaxH(gTarget, in.apex);
    b->calculateInitialVelocity(gOut, gStart, gTarget, in.t);
    b->calculateInitialVelocity(gOut, gTarget, in.apex);
    b->calculateInitialVelocity(gOut, in.apex, gTarget, in.netH);
    b->calculateInitialVelocity(gOut, gTarget, in.speed, in.netH);
    b->parseTimeInterval(gOut, in.speed, gTarget);
    b->parseTimeInterval(gOut, gTarget, in.netH);
    b->calculateCoordOnNet(gOut, gVelocity);
    b->calculateRouteInfo();
    b->getXOnBallRoute(in.zt);
    check("the solvers");
    b->calculateInitialVelocity(gTarget, in.t);
    b->init(gStart, gVelocity, nullptr);
  }
  b->computeActualFrameCountToZ(in.zt);
  b->computeDesireFrameCountToZ(in.zt);
  b->trimToReachZ(in.zt, in.frames);
  check("trimToReachZ");
  for (int f = 0; f < 20; f++) b->update();
  check("the frames");
  sorv::fuzz::collectNowAndThen();
  return 0;
}
