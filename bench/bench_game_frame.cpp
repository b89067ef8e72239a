// One title frame (the state machine's paint and update, then the turned copy onto the
// portrait screen) beside the bare turned copy of an 800 x 480 image: what the frame costs
// on top of the copy every frame makes. "x_copy" is the frame's time as a multiple of the
// copy's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/log.h"

namespace sorv {
namespace {

constexpr int32_t kTitleState = 3;
constexpr int32_t kTransRot90 = 5;

StaticRef<Image> gScreen;
StaticRef<Image> gSource;

// One runtime for the binary: the other game benchmarks may have started it already.
void startRuntime() {
  if (Application::instance() == nullptr) {
    Debug::setSink(std::getenv("SORV_BENCH_LOG") ? stderr : std::fopen("/dev/null", "w"));
    Application::init(new Application());
  }
  if (isNull(gScreen)) gScreen = Image::createImage(480, 800);
  if (isNull(gSource)) gSource = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
}

void turnedCopy() {
  Graphics* g = gScreen->getGraphics();
  for (int32_t q = 0; q < 4; q++) {
    const int32_t sx = (q % 2) * 400, sy = (q / 2) * 240;
    g->drawRegion(gSource, sx, sy, 400, 240, kTransRot90, 240 - sy, sx, 0);
  }
}

// The canvas in the title with its picture, the keys still.
void enterTitle() {
  CGame::gameCanvas = newObject<CGame>();
  CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
  CGame::menuImage = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
  CGame::inPaint = CGame::hidden = CGame::paused = CGame::debugMessageOn = false;
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, kTitleState);
}

double copySeconds() {
  constexpr int kRounds = 30;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; i++) turnedCopy();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

void BM_TurnedCopy(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) turnedCopy();
}
BENCHMARK(BM_TurnedCopy)->Unit(benchmark::kMillisecond);

void BM_TitleFrame(benchmark::State& state) {
  startRuntime();
  enterTitle();
  const double baseline = copySeconds();
  Graphics* screen = gScreen->getGraphics();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) CGame::gameCanvas->paint(screen);
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters["x_copy"] = each / baseline;
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
