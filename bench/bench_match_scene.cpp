// One scene frame of a loaded doubles match in play (court image, ball kids, linesmen, net
// judge, net, four players, the ball and its shadow) beside a plain fill of the back buffer
// in the same run: "x_fill" is the scene's time per frame over the fill's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/data_set_install.h"
#include "bench/menus_loaded.h"
#include "device/graphics.h"
#include "device/image.h"
#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/application.h"
#include "runtime/clock.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {
namespace {

constexpr int32_t kFillRounds = 200;

void fail(const std::string& error) { bench::failSetUp("bench_match", error); }

// The shell as the menus leave it, then a doubles match loaded and walked in, in play.
void loadDoublesInPlay() {
  bench::loadShellAsMenusLeaveIt();
  CGame::matchSettings = Array::fillInts(Array::newIntArray(5), {1, 1, 0, 0, 0});
  CGame::playerChoice1 = 0;
  CGame::playerChoice2 = 1;
  CGame::playerChoice3 = 2;
  CGame::playerChoice4 = 3;
  CGame::mainMenuChoice = 1;
  CGame::loadingShown = true;
  CGame::matchObject = CTennis::create(CTennis::kKindMatch);
  CTennis::currentCourt = 0;
  CGame::loadingStep = 0;
  while (CTennis::Loading() != -1) {
  }
  for (int32_t frame = 0; frame < 100 && CTennis::matchState == 1; frame++) CGame::matchObject->update();
  if (CTennis::matchState != 2) fail("the match did not reach its serve");
  CTennis::unfreezeAllActor();
  CTennis::matchState = 5;
  CTennis::deadBallReason = 0;
  CGame::p_add(CTennis::objectList, CTennis::ball);
  CTennis::ball->setX(9000);
  CTennis::ball->setY(1000);
  CTennis::ball->setZ(12000);
  const int32_t depths[4] = {30000, 31000, 5000, 6000};
  const int32_t across[4] = {6000, 12000, 6000, 12000};
  CPlayer* players[4] = {CTennis::player, CTennis::partner, CTennis::rival, CTennis::rivalPartner};
  for (int32_t i = 0; i < 4; i++) {
    players[i]->setX(across[i]);
    players[i]->setZ(depths[i]);
  }
}

void scene() {
  CTennis::drawCourt();
  CTennis::drawAllBallKids();
  CTennis::drawObjects();
}

void fill() {
  Graphics* g = CGame::backBufferGraphics;
  g->setColor(0x208040);
  g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
}

double secondsPer(void (*f)(), int32_t rounds) {
  const auto start = std::chrono::steady_clock::now();
  for (int32_t i = 0; i < rounds; i++) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
}

void BM_SceneFrame(benchmark::State& state) {
  static bool loaded = false;
  if (!loaded) {
    bench::startOnDataSet("bench-match");
    loadDoublesInPlay();
    loaded = true;
  }
  const double fillSeconds = secondsPer(fill, kFillRounds);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    scene();
    benchmark::DoNotOptimize(CTennis::ballVisible);
  }
  const double sceneSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / static_cast<double>(state.iterations());
  state.counters["fill_us"] = fillSeconds * 1e6;
  state.counters["x_fill"] = sceneSeconds / fillSeconds;
}
BENCHMARK(BM_SceneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorv
