// The menus' resources loaded step by step as the boot does (steps 0-4 in the boot state,
// the rest in the menu-resources state) from the data builder's whole data set: each step
// runs in one frame, so the slowest step, as a multiple of the 142 ms frame budget
// ("x_budget"), says whether the progress bar keeps moving. "slowest_step" names it and
// "slowest_ms" gives its mean time. A second run drives the game by keys from the boot to
// the main menu and into a quick match, and reports how full the buffer heap is at both
// ("menus_heap_pct", "match_heap_pct").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/data_set_install.h"
#include "device/graphics.h"
#include "device/image.h"
#include "runtime/clock.h"
#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "device/screen_image.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/heap.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "sprites/asprite.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv {
namespace {

constexpr int32_t kBootState = 0;
constexpr int32_t kMenuResourcesState = 63;
constexpr int32_t kFirstMenuResourcesStep = 5;
constexpr int32_t kSteps = 30;

// The whole data set and its sounds in a fresh install folder (removed at exit), and a
// runtime started on it: the other game benchmarks may have started one on an archive of
// their own, or on none, whose constant strings name no pack.
void startOnDataSet() {
  static bool started = false;
  if (started) return;
  started = true;
  bench::startOnDataSet("bench-loading", true, false);
}

void setState(int32_t state) {
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, state);
}

// The canvas after the boot state's enter, which opens the boot pack and makes the picture
// the splash is painted into.
void enterBoot() {
  CGame::gameCanvas = newObject<CGame>();
  CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
  CGame::gfx = CGame::backBufferGraphics;
  CGame::INITIALIZE_STATE();
}

// What one load would find already loaded is dropped, so every round loads as the boot does.
void forgetLoaded() {
  CGame::playerSprite = nullptr;
  CGame::playerSpriteAlt = nullptr;
  CGame::menuExtSprites = nullptr;
  GameSound::unloadForTests();
  CGame::loadingStep = 0;
}

void BM_LoadMenuResSteps(benchmark::State& state) {
  startOnDataSet();
  enterBoot();
  std::array<double, kSteps> seconds{};
  for (auto _ : state) {
    state.PauseTiming();
    forgetLoaded();
    state.ResumeTiming();
    for (int32_t step = 0; step < kSteps; step++) {
      setState(step < kFirstMenuResourcesStep ? kBootState : kMenuResourcesState);
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(CGame::loadMenuRes());
      seconds[step] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
  }
  int32_t slowest = 0;
  for (int32_t step = 1; step < kSteps; step++) {
    if (seconds[step] > seconds[slowest]) slowest = step;
  }
  const double slowestMs = seconds[slowest] * 1000 / static_cast<double>(state.iterations());
  state.counters["slowest_step"] = slowest;
  state.counters["slowest_ms"] = slowestMs;
  state.counters["x_budget"] = slowestMs / CGame::kFrameMs;
  GameSound::unloadForTests();
}
BENCHMARK(BM_LoadMenuResSteps)->Unit(benchmark::kMillisecond);

constexpr int32_t kTitleState = 3, kMainMenuState = 5, kMatchState = 40;
constexpr int32_t kSoftRight = -7;

// The share of the buffer heap in use, live data only.
double bufferHeapPercent() {
  System::gc();
  const VirtualMemoryManager* heap = Application::instance()->bufferHeap;
  return 100.0 * static_cast<double>(heap->heapUsed()) / static_cast<double>(heap->heapSize());
}

void BM_BufferHeapAtMenusAndMatch(benchmark::State& state) {
  startOnDataSet();
  clock::setVirtual(true);
  // The screen over host memory, as the shell's is over the video surface.
  static std::vector<uint16_t> surface(480 * 800);
  auto* screen = newObject<ScreenImage>();
  screen->attachPixels(480, 800, surface.data());
  Graphics* screenGraphics = screen->getGraphics();
  auto frame = [screenGraphics] {
    clock::advance(CGame::kFrameMs);
    CGame::gameCanvas->paint(screenGraphics);
  };
  auto press = [&frame](int32_t code) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
  };
  double menus = 0, match = 0;
  for (auto _ : state) {
    forgetLoaded();
    CGame::gameCanvas = CGame::create();  // the constructor enters the boot
    for (int i = 0; i < 100 && CGame::GET_CURRENT_STATE() != kTitleState; i++) frame();
    press('5');
    for (int i = 0; i < 30; i++) frame();
    menus = CGame::GET_CURRENT_STATE() >= kMainMenuState ? bufferHeapPercent() : -1;
    // The quick match's set-up, the user's player and the rival, then the loading screen.
    for (int after : {12, 6, 4, 4}) {
      press('5');
      for (int i = 0; i < after; i++) frame();
    }
    for (int i = 0; i < 200 && CGame::GET_CURRENT_STATE() != kMatchState; i++) {
      frame();
      if (CGame::loadingDone) press(kSoftRight);
    }
    match = CGame::GET_CURRENT_STATE() == kMatchState ? bufferHeapPercent() : -1;
  }
  state.counters["menus_heap_pct"] = menus;
  state.counters["match_heap_pct"] = match;
  GameSound::unloadForTests();
  clock::setVirtual(false);
}
BENCHMARK(BM_BufferHeapAtMenusAndMatch)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
