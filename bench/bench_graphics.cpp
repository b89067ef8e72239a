// Device-layer drawing and decoding, each beside a plain baseline over the same bytes in the
// same run: the frame's turned screen copy and the desktop window's turn of the panel
// against memcpy, region blits against a plain copy loop, fills, and PNG decoding against
// bare libpng.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstring>
#include <random>
#include <vector>

#include "bench/cpu_time.h"
#include "device/blit.h"
#include "device/platform/panel_window.h"
#include "device/png_decode.h"
#include "device/raster.h"
#include "runtime/log.h"
#include "tests/device/png_writer.h"

namespace sorv {
namespace {

using bench::cpuNanos;
using bench::nanosPerCall;

constexpr int32_t kGameWidth = 800, kGameHeight = 480;
constexpr int32_t kQuarterWidth = 400, kQuarterHeight = 240;

// Runs fn as the benchmark body and reports its time over the baseline's as "ratio".
template <class Fn, class Baseline>
void runWithRatio(benchmark::State& state, Fn fn, Baseline baseline, int64_t pixels) {
  const double baseNs = nanosPerCall(baseline);
  double totalNs = 0;
  for (auto _ : state) {
    const double start = cpuNanos();
    fn();
    totalNs += cpuNanos() - start;
  }
  const double ns = totalNs / double(state.iterations());
  state.counters["ratio"] = ns / baseNs;
  state.counters["px_per_ns"] = double(pixels) / ns;
  state.counters["baseline_px_per_ns"] = double(pixels) / baseNs;
}

std::vector<uint16_t> randomPixels(size_t count, int32_t kind) {
  std::mt19937 rng(17);
  std::vector<uint16_t> p(count);
  for (auto& v : p) {
    v = static_cast<uint16_t>(rng());
    if (kind == blit::kKeyed565 && rng() % 4 == 0) v = 0xF81F;
    // Drawn art: mostly clear or opaque, a soft edge now and then.
    if (kind == blit::kArgb4444) {
      const uint32_t share = rng() % 10;
      v = static_cast<uint16_t>((v & 0x0FFF) | (share < 4 ? 0 : share < 8 ? 0xF000 : v & 0xF000));
    }
  }
  return p;
}

// The frame's last step: the 800 x 480 back buffer drawn as four 400 x 240 quarters turned
// by 90 degrees onto the 480 x 800 screen.
void BM_TurnedScreenCopy(benchmark::State& state) {
  const auto back = randomPixels(size_t(kGameWidth) * kGameHeight, blit::kOpaque565);
  std::vector<uint16_t> screen(size_t(kGameHeight) * kGameWidth);
  const ConstPixelView16 src{back.data(), kGameWidth, kGameHeight, kGameWidth};
  const PixelView16 dst{screen.data(), kGameHeight, kGameWidth, kGameHeight};
  const ClipRect clip{0, 0, kGameHeight, kGameWidth};
  auto turned = [&] {
    for (int32_t qy = 0; qy < kGameHeight; qy += kQuarterHeight)
      for (int32_t qx = 0; qx < kGameWidth; qx += kQuarterWidth) {
        const blit::Region r{qx, qy, kQuarterWidth, kQuarterHeight, blit::kTransRot90,
                             kGameHeight - qy - kQuarterHeight, qx};
        blit::drawRegion(dst, clip, src, blit::kOpaque565, r);
      }
    benchmark::DoNotOptimize(screen.data());
  };
  auto copy = [&] {
    std::memcpy(screen.data(), back.data(), back.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(screen.data());
  };
  runWithRatio(state, turned, copy, int64_t(back.size()));
}
BENCHMARK(BM_TurnedScreenCopy)->Unit(benchmark::kMicrosecond);

// The desktop window's extra step: the 480 x 800 panel turned back into the 800 x 480
// window at every flip.
void BM_PanelTurnedIntoWindow(benchmark::State& state) {
  const auto panel = randomPixels(size_t(kGameHeight) * kGameWidth, blit::kOpaque565);
  std::vector<uint16_t> window(panel.size());
  auto turned = [&] {
    platform::turnPanelIntoWindow(panel.data(), kGameHeight, kGameWidth, kGameHeight, window.data(), kGameWidth);
    benchmark::DoNotOptimize(window.data());
  };
  auto copy = [&] {
    std::memcpy(window.data(), panel.data(), panel.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(window.data());
  };
  runWithRatio(state, turned, copy, int64_t(panel.size()));
}
BENCHMARK(BM_PanelTurnedIntoWindow)->Unit(benchmark::kMicrosecond);

// A 256 x 256 region of each source kind, untransformed, against a plain copy of its rows.
void BM_RegionBlit(benchmark::State& state) {
  const int32_t kind = static_cast<int32_t>(state.range(0));
  constexpr int32_t kSide = 256, kTarget = 320;
  const auto srcPixels = randomPixels(size_t(kSide) * kSide, kind);
  std::vector<uint16_t> target(size_t(kTarget) * kTarget, 0x1234);
  const ConstPixelView16 src{srcPixels.data(), kSide, kSide, kSide};
  const PixelView16 dst{target.data(), kTarget, kTarget, kTarget};
  const ClipRect clip{0, 0, kTarget, kTarget};
  auto draw = [&] {
    blit::drawRegion(dst, clip, src, kind, {0, 0, kSide, kSide, blit::kTransNone, 17, 9});
    benchmark::DoNotOptimize(target.data());
  };
  auto copyRows = [&] {
    for (int32_t y = 0; y < kSide; ++y)
      std::memcpy(&target[size_t(y + 9) * kTarget + 17], &srcPixels[size_t(y) * kSide], kSide * 2);
    benchmark::DoNotOptimize(target.data());
  };
  state.SetLabel(kind == 0 ? "copy" : kind == 1 ? "key skip" : "4444 blend");
  runWithRatio(state, draw, copyRows, int64_t(kSide) * kSide);
}
BENCHMARK(BM_RegionBlit)->Arg(blit::kOpaque565)->Arg(blit::kKeyed565)->Arg(blit::kArgb4444);

// A full-screen fill from a word-aligned start, against memset of the same rows.
void BM_FillRectAligned(benchmark::State& state) {
  std::vector<uint16_t> target(size_t(kGameWidth) * kGameHeight);
  const PixelView16 dst{target.data(), kGameWidth, kGameHeight, kGameWidth};
  auto fill = [&] {
    raster::fillRect(dst, {0, 0, kGameWidth, kGameHeight}, 0, 0, kGameWidth, kGameHeight, 0x5555);
    benchmark::DoNotOptimize(target.data());
  };
  auto set = [&] {
    std::memset(target.data(), 0x55, target.size() * 2);
    benchmark::DoNotOptimize(target.data());
  };
  runWithRatio(state, fill, set, int64_t(target.size()));
}
BENCHMARK(BM_FillRectAligned)->Unit(benchmark::kMicrosecond);

// Bare libpng reading the same file into 8-bit RGB rows: the cost the decoder cannot avoid.
void bareLibpng(const std::vector<uint8_t>& file, std::vector<uint8_t>& rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  png_image_begin_read_from_memory(&image, file.data(), file.size());
  image.format = PNG_FORMAT_RGB;
  rgb.resize(PNG_IMAGE_SIZE(image));
  png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
}

void BM_PngDecode(benchmark::State& state) {
  Debug::setSink(std::fopen("/dev/null", "w"));
  std::mt19937 rng(5);
  std::vector<uint32_t> picture(size_t(kGameWidth) * kGameHeight);
  // Smooth bands with noise: compresses like drawn art, not like random bytes.
  for (size_t i = 0; i < picture.size(); ++i)
    picture[i] = 0xFF000000u | uint32_t((i / 7) % 256) << 16 | uint32_t((i / kGameWidth) % 256) << 8 | (rng() % 4);
  const auto file = test::writePng(picture, kGameWidth, kGameHeight, {PNG_COLOR_TYPE_RGB, 8});
  png::Header header;
  png::readHeader(file.data(), file.size(), header);
  std::vector<uint16_t> pixels(size_t(kGameWidth) * kGameHeight);
  std::vector<uint8_t> rgb;
  auto decode = [&] {
    png::Header h;
    png::readHeader(file.data(), file.size(), h);
    png::decodeInto(file.data(), file.size(), h, png::pixelTypeFor(h), pixels.data(), kGameWidth,
                    pixels.size());
    benchmark::DoNotOptimize(pixels.data());
  };
  auto bare = [&] {
    bareLibpng(file, rgb);
    benchmark::DoNotOptimize(rgb.data());
  };
  runWithRatio(state, decode, bare, int64_t(pixels.size()));
}
BENCHMARK(BM_PngDecode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
