// The ball's frame and solvers beside their bare arithmetic: a ball's whole update (tail,
// ten sub-steps, barrier slots, planes, projection) beside the same ten sub-steps on a
// struct of ints, and route and speed-form solver calls beside as many CGame::sqrt calls.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "runtime/application.h"
#include "runtime/log.h"

namespace sorv {
namespace {

StaticRef<CTennis> gMatch;
StaticRef<RigidBody> gBall;
StaticRef<IntArray> gStart, gVelocity, gTarget, gOut;

// A started runtime with a match and a served ball.
struct World {
  World() {
    // The scene benchmark may have started the runtime on the data set already.
    if (Application::instance() == nullptr) {
      Debug::setSink(std::fopen("/dev/null", "w"));
      Application::init(new Application());
    }
    gMatch = CTennis::create(CTennis::kKindMatch);
    gBall = RigidBody::create(gMatch, RigidBody::kTypeBall);
    gStart = Array::fillInts(Array::newIntArray(3), {9085, 1000, 28000});
    gVelocity = Array::fillInts(Array::newIntArray(3), {-3085, 4000, -19000});
    gTarget = Array::fillInts(Array::newIntArray(3), {6000, 0, 9000});
    gOut = Array::newIntArray(4);
  }
};

World& world() {
  static World w;
  return w;
}

void BM_BallUpdate(benchmark::State& state) {
  world();
  RigidBody* ball = gBall;
  int32_t frame = 0;
  for (auto _ : state) {
    if (frame++ % 20 == 0) ball->init(gStart, gVelocity, nullptr);
    ball->update();
    benchmark::DoNotOptimize(ball->y);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BallUpdate);

struct PlainBody {
  int32_t x, y, z, vx, vy, vz, ax, ay, az, lift;
};

void BM_PlainSubSteps(benchmark::State& state) {
  PlainBody b{};
  int32_t frame = 0;
  for (auto _ : state) {
    if (frame++ % 20 == 0) b = {9085, 1000, 28000, -3085, 4000, -19000, 0, 0, 0, 0};
    benchmark::DoNotOptimize(b);
    const int32_t d = 7000 / 100, half = d >> 1;
    for (int32_t i = 0; i < 10; i++) {
      b.vx += (b.ax + half) / d;
      b.x += (b.vx + half) / d;
      b.vy += (b.lift + b.ay + half - 10000) / d;
      b.y += (b.vy + half) / d;
      b.vz += (b.az + half) / d;
      b.z += (b.vz + half) / d;
    }
    benchmark::DoNotOptimize(b);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainSubSteps);

void BM_RouteInfo(benchmark::State& state) {
  world();
  RigidBody* ball = gBall;
  ball->init(gStart, gVelocity, nullptr);
  for (auto _ : state) {
    ball->calculateRouteInfo();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RouteInfo);

void BM_SpeedForm(benchmark::State& state) {
  world();
  RigidBody* ball = gBall;
  ball->init(gStart, gVelocity, nullptr);
  int32_t speed = 20000;
  for (auto _ : state) {
    speed = speed >= 40000 ? 20000 : speed + 7;
    benchmark::DoNotOptimize(ball->calculateInitialVelocity(gOut, gTarget, speed, 1000));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SpeedForm);

void BM_Sqrt(benchmark::State& state) {
  int64_t v = 377000000;
  for (auto _ : state) {
    v += 12345;
    benchmark::DoNotOptimize(CGame::sqrt(v, 12));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Sqrt);

}  // namespace
}  // namespace sorv
