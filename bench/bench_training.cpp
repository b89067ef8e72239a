// A training level's set-up from the data builder's training pack: newLevel reads the
// level's record (loadRawLevelDatas, with its collection) and builds the level's objects.
// Measured on the largest level of each game, the loader run once before; the issue's
// budget is 1 ms a level.
#include <benchmark/benchmark.h>

#include "bench/data_set_install.h"
#include "game/cgame.h"
#include "runtime/clock.h"
#include "runtime/static_class.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

// The game's tables from the boot pack, then a training object loaded for the game.
void loadTraining(int32_t game) {
  static bool started = false;
  if (!started) {
    started = true;
    bench::startOnDataSet("bench-training");
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CGame::loadSprite(nullptr, false, kBootSprite, false);
    CGame::initArrays();
    CGame::Lib_Close();
  }
  CTraining::unload();
  CGame::trainingObject = CTraining::create();
  CTraining::game = static_cast<int8_t>(game);
  CTraining::level = 4;
  for (int32_t calls = 0; CTraining::Loading() != -1 && calls < 1000; calls++) clock::advance(100);
}

void BM_NewLevel(benchmark::State& state) {
  const int32_t game = static_cast<int32_t>(state.range(0));
  loadTraining(game);
  for (auto _ : state) {
    CTraining::newLevel(game, 4);
    benchmark::DoNotOptimize(CTraining::player.get());
  }
  state.counters["read"] = CTraining::loadRawLevelDatas(game, 4) ? 1 : 0;
}
BENCHMARK(BM_NewLevel)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorv
