// The screen buffer's pixel effects, each beside a plain getRGB + drawRGB round trip of the
// same rows in the same run ("ratio" = effect time / round-trip time): the full-screen blur,
// the grey buffer and an 800 x 110 gradient band of kinds 1 (red) and 4 (leftward blur).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

#include "bench/cpu_time.h"
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/log.h"
#include "sprites/asprite.h"

namespace sorv {
namespace {

using bench::cpuNanos;
using bench::nanosPerCall;

constexpr int32_t kW = 800, kH = 480, kBandY = 185, kBandH = 110;

// One runtime for the binary, a patterned screen buffer and a back buffer to draw on.
StaticRef<Graphics> gBack;
void start() {
  static bool started = false;
  if (started) return;
  started = true;
  Debug::setSink(std::fopen("/dev/null", "w"));
  Application::init(new Application());
  CGame::createScreenBuffer();
  gBack = Image::createImage(kW, kH)->getGraphics();
  IntArray* row = Array::newIntArray(kW);
  for (int32_t y = 0; y < kH; y++) {
    for (int32_t x = 0; x < kW; x++) row->elements()[x] = static_cast<int32_t>(0xFF000000u | (x * 7 + y) % 256 << 16 | (x ^ y) % 256 << 8 | (y * 3) % 256);
    CGame::screenBuffer->getGraphics()->drawRGB(row, 0, kW, 0, y, kW, 1, false);
  }
}

// The rows y .. y + h - 1 read from the buffer and drawn back, strip by strip, untouched.
void roundTrip(int32_t y, int32_t h) {
  IntArray* buffer = ASprite::decodeBuffer;
  const int32_t rows = buffer->length / kW;
  for (int32_t r = 0; r < h; r += rows) {
    const int32_t n = std::min(rows, h - r);
    Image::getRGB(CGame::screenBuffer, buffer, 0, kW, 0, y + r, kW, n);
    gBack->drawRGB(buffer, 0, kW, 0, y + r, kW, n, false);
  }
}

template <class Fn>
void withRatio(benchmark::State& state, Fn fn, int32_t y, int32_t h) {
  start();
  const double baseNs = nanosPerCall([&] { roundTrip(y, h); });
  double totalNs = 0;
  for (auto _ : state) {
    const double t0 = cpuNanos();
    fn();
    totalNs += cpuNanos() - t0;
  }
  state.counters["ratio"] = totalNs / double(state.iterations()) / baseNs;
}

void BM_FullScreenBlur(benchmark::State& state) {
  withRatio(state, [] { CGame::paintIGMBlurEffect(gBack, 0, 0, kW, kH, 100, 0); }, 0, kH);
}
BENCHMARK(BM_FullScreenBlur);

void BM_GreyBuffer(benchmark::State& state) {
  withRatio(state, [] { CGame::graylizeImage2Graphic(gBack, CGame::screenBuffer, -1); }, 0, kH);
}
BENCHMARK(BM_GreyBuffer);

void BM_GradientBand(benchmark::State& state) {
  const auto kind = static_cast<int32_t>(state.range(0));
  withRatio(state, [kind] { CGame::paintVerticalGradientEffect(gBack, 0, kBandY, kW, kBandH, 200, kind); }, kBandY,
            kBandH);
}
BENCHMARK(BM_GradientBand)->Arg(1)->Arg(4);

}  // namespace
}  // namespace sorv
