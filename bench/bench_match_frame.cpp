// Whole match frames (the match's logic and its painting inside the shell's frame, then the
// turned copy onto the portrait screen) of a
// seeded singles match played computer against computer, beside a plain fill of the back
// buffer in the same run: "fps" is match frames per second of CPU time and "x_fill" a
// frame's time over the fill's. BM_ShortMatches plays whole matches of one set of two
// games on the virtual clock and reports matches per minute; BM_BestOfThree plays a match
// of up to three sets of six games and reports its CPU seconds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/cpu_time.h"
#include "bench/data_set_install.h"
#include "bench/menus_loaded.h"
#include "device/graphics.h"
#include "device/image.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/clock.h"
#include "runtime/static_class.h"
#include "runtime/util_random.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {
namespace {

constexpr int32_t kFrameCap = 20000;
// A best-of-three match runs to some 12,000 frames; the cap only stops a match that hangs.
constexpr int32_t kLongFrameCap = 200000;
constexpr int32_t kMainMenuState = 4;
constexpr int64_t kSeed = 25;

StaticRef<Image> gScreen;
bool gMatchSeen = false;

// The shell as the menus leave it, once for the binary.
void loadShell() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  setenv("SORV_SEED", std::to_string(kSeed).c_str(), 1);
  bench::startOnDataSet("bench-match-frame");
  bench::loadShellAsMenusLeaveIt();
  CTennis::autoplay = true;
  gScreen = Image::createImage(480, 800);
}

// The quick match's settings: category, level, games (2 + n), sets (2n + 1), court.
constexpr int32_t kOneSetOfTwo[5] = {0, 1, 0, 0, 1};
constexpr int32_t kBestOfThreeSetsOfSix[5] = {0, 1, 4, 1, 1};

// A fresh singles match, started from the main menu as the quick match's last screen
// starts it.
void newMatch(const int32_t (&settings)[5] = kOneSetOfTwo) {
  CGame::inPaint = CGame::hidden = CGame::paused = false;
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, kMainMenuState);
  CGame::matchSettings = Array::newIntArray(5);
  for (int32_t i = 0; i < 5; ++i) astore(CGame::matchSettings.get(), i, settings[i]);
  CGame::playerChoice1 = 0;
  CGame::playerChoice2 = 1;
  CGame::playerChoice3 = 2;
  CGame::playerChoice4 = 3;
  CGame::mainMenuChoice = 3;
  CGame::switchToPlayGame();
  gMatchSeen = false;
}

// One whole frame as the shell runs it (the match's logic and painting inside the state
// machine, then the turned copy onto the screen); false once the match has been played
// and let go.
bool frame() {
  CGame::gameCanvas->paint(gScreen->getGraphics());
  clock::advance(CGame::kFrameMs);
  const bool loaded = !isNull(CGame::matchObject);
  gMatchSeen = gMatchSeen || loaded;
  return loaded || !gMatchSeen;
}

void fill() {
  Graphics* g = CGame::backBufferGraphics;
  g->setColor(0x208040);
  g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
}

// Registered first, so that in a whole run it starts from the shell as loadShell leaves it
// (the seed alone does not make the match repeat after other matches moved the clock and
// the heaps on).
void BM_BestOfThree(benchmark::State& state) {
  loadShell();
  double nanos = 0;
  int64_t matches = 0, frames = 0, unfinished = 0;
  for (auto _ : state) {
    // Every iteration from the same seed.
    CGame::random->setSeed(kSeed);
    newMatch(kBestOfThreeSetsOfSix);
    const double start = bench::cpuNanos();
    int32_t n = 0;
    while (n < kLongFrameCap && frame()) n++;
    nanos += bench::cpuNanos() - start;
    frames += n;
    matches++;
    if (n == kLongFrameCap) unfinished++;
  }
  state.counters["cpu_s"] = nanos / 1e9 / matches;
  state.counters["frames"] = static_cast<double>(frames) / matches;
  state.counters["us_per_frame"] = nanos / 1e3 / frames;
  state.counters["unfinished"] = static_cast<double>(unfinished);
}
BENCHMARK(BM_BestOfThree)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MatchFrame(benchmark::State& state) {
  loadShell();
  newMatch();
  const double fillNanos = bench::nanosPerCall(fill, 1 << 12);
  double nanos = 0;
  int64_t frames = 0;
  for (auto _ : state) {
    const double start = bench::cpuNanos();
    const bool going = frame();
    nanos += bench::cpuNanos() - start;
    frames++;
    if (!going) {
      state.PauseTiming();
      newMatch();
      state.ResumeTiming();
    }
  }
  state.counters["fps"] = frames * 1e9 / nanos;
  state.counters["fill_us"] = fillNanos / 1e3;
  state.counters["x_fill"] = nanos / frames / fillNanos;
}
BENCHMARK(BM_MatchFrame)->Unit(benchmark::kMicrosecond);

void BM_ShortMatches(benchmark::State& state) {
  loadShell();
  double nanos = 0;
  int64_t matches = 0, frames = 0, unfinished = 0;
  for (auto _ : state) {
    newMatch();
    const double start = bench::cpuNanos();
    int32_t n = 0;
    while (n < kFrameCap && frame()) n++;
    nanos += bench::cpuNanos() - start;
    frames += n;
    matches++;
    if (n == kFrameCap) unfinished++;
  }
  state.counters["per_minute"] = matches * 60e9 / nanos;
  state.counters["frames"] = static_cast<double>(frames) / matches;
  state.counters["unfinished"] = static_cast<double>(unfinished);
}
BENCHMARK(BM_ShortMatches)->Unit(benchmark::kMillisecond)->Iterations(5);


}  // namespace
}  // namespace sorv
