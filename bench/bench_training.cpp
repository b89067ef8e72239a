// A training level's set-up from the data builder's training pack: newLevel reads the
// level's record (loadRawLevelDatas, with its collection) and builds the level's objects.
// Measured on the largest level of each game, the loader run once before; the budget is
// 1 ms a level. BM_TrainingFrame: whole training frames of each game's first level played by
// the self-playing user (the update, the painting and the turned copy onto the portrait
// screen, as the shell runs them) beside a plain copy of the back buffer's bytes in the same
// run: "fps" is frames per second of CPU time, "x_copy" a frame's time over the copy's; a
// frame's budget is 1 ms, as a match frame's.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/cpu_time.h"
#include "bench/data_set_install.h"
#include "bench/menus_loaded.h"
#include "sprites/asprite.h"
#include "device/image.h"
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
    bench::loadShellAsMenusLeaveIt();
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

constexpr int32_t kTrainingState = 44;

// The game's first level loaded, its tutorial not asked, in the shell's training state.
void startFirstLevel(int32_t game) {
  loadTraining(game);
  CTraining::selectGame(static_cast<int8_t>(game));
  CTraining::selectLevel(0);
  CTraining::askTutorial = false;
  CGame::inPaint = CGame::hidden = CGame::paused = false;
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, kTrainingState);
  CTraining::switchToTrainning();
}

void BM_TrainingFrame(benchmark::State& state) {
  const int32_t game = static_cast<int32_t>(state.range(0));
  static StaticRef<Image> screen;
  if (isNull(screen)) screen = Image::createImage(480, 800);
  startFirstLevel(game);
  CTennis::autoplay = true;
  PixelView16 back = CGame::backBuffer->view16();
  std::vector<uint16_t> copy(static_cast<size_t>(back.pitch) * CGame::kGameHeight);
  const double copyNanos = bench::nanosPerCall(
      [&] {
        std::memcpy(copy.data(), back.pixels, copy.size() * sizeof(uint16_t));
        benchmark::DoNotOptimize(copy.data());
      },
      1 << 10);
  double nanos = 0;
  int64_t frames = 0;
  for (auto _ : state) {
    const double start = bench::cpuNanos();
    CGame::gameCanvas->paint(screen->getGraphics());
    nanos += bench::cpuNanos() - start;
    clock::advance(CGame::kFrameMs);
    frames++;
    if (CTraining::trainingState == 3 || CGame::GET_CURRENT_STATE() != kTrainingState) {
      state.PauseTiming();
      startFirstLevel(game);
      state.ResumeTiming();
    }
  }
  CTennis::autoplay = false;
  state.counters["fps"] = frames * 1e9 / nanos;
  state.counters["x_copy"] = nanos / frames / copyNanos;
}
BENCHMARK(BM_TrainingFrame)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorv
