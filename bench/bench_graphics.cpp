// Device-layer drawing and decoding, each beside a plain baseline over the same bytes in the
// same run: the frame's turned screen copy and the desktop window's turn of the panel
// against memcpy, region blits against a plain copy loop, fills, and PNG decoding against
// bare libpng.
#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/cpu_time.h"
#include "device/blit.h"
#include "device/platform/panel_window.h"
#include "device/platform/quarter_turn.h"
#include "device/png_decode.h"
#include "device/raster.h"
#include "runtime/log.h"
#include "tests/device/png_writer.h"

namespace sorv {
namespace {

using bench::cpuNanos;

constexpr int32_t kGameWidth = 800, kGameHeight = 480;
constexpr int32_t kQuarterWidth = 400, kQuarterHeight = 240;

// Runs fn and the baseline by turns as the benchmark body (so both see the same machine: a
// baseline timed alone first ran on a cold processor) and reports fn's time over the
// baseline's as "ratio".
template <class Fn, class Baseline>
void runWithRatio(benchmark::State& state, Fn fn, Baseline baseline, int64_t pixels) {
  double totalNs = 0, baseTotalNs = 0;
  for (auto _ : state) {
    double start = cpuNanos();
    fn();
    totalNs += cpuNanos() - start;
    start = cpuNanos();
    baseline();
    baseTotalNs += cpuNanos() - start;
  }
  const double ns = totalNs / double(state.iterations()), baseNs = baseTotalNs / double(state.iterations());
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

// Turned copies depend on where the two buffers lie: rows whose addresses alias in the
// cache, or loads that seem to hit recent stores 4 KiB away. Each placement puts the source
// and the target this many bytes past a page boundary (the pages far apart).
struct Placement {
  size_t srcOffset, dstOffset;
};
constexpr Placement kPlacements[] = {{0, 0},         {0, 64},        {64, 0},        {0, 4096 + 64},
                                     {4096 + 64, 0}, {64, 4096 + 64}, {16, 16},      {16, 4096 + 80}};
constexpr size_t kPlacementCount = std::size(kPlacements);

// Page-aligned room for a source and a target of `pixels` pixels at every placement.
struct PlacementArena {
  explicit PlacementArena(size_t pixels)
      : gap((pixels * sizeof(uint16_t) + 2 * 4096 + 4095) / 4096 * 4096),
        bytes(static_cast<uint8_t*>(std::aligned_alloc(4096, 2 * gap))) {
    std::mt19937 rng(17);
    for (size_t i = 0; i < 2 * gap; ++i) bytes[i] = static_cast<uint8_t>(rng());
  }
  ~PlacementArena() { std::free(bytes); }
  const uint16_t* source(const Placement& p) const { return reinterpret_cast<const uint16_t*>(bytes + p.srcOffset); }
  uint16_t* target(const Placement& p) const { return reinterpret_cast<uint16_t*>(bytes + gap + p.dstOffset); }
  size_t gap;
  uint8_t* bytes;
};

// Each iteration runs turn and a memcpy of the same bytes at every placement; reports the
// turn's time over the copy's at the worst and the median placement ("ratio" is the worst),
// and the turn's own time there.
template <class Turn>
void runOverPlacements(benchmark::State& state, size_t pixels, Turn turn) {
  const PlacementArena arena(pixels);
  std::array<double, kPlacementCount> turnNs{}, copyNs{};
  for (auto _ : state) {
    for (size_t i = 0; i < kPlacementCount; ++i) {
      const uint16_t* src = arena.source(kPlacements[i]);
      uint16_t* dst = arena.target(kPlacements[i]);
      double start = cpuNanos();
      turn(src, dst);
      benchmark::DoNotOptimize(dst);
      turnNs[i] += cpuNanos() - start;
      start = cpuNanos();
      std::memcpy(dst, src, pixels * sizeof(uint16_t));
      benchmark::DoNotOptimize(dst);
      copyNs[i] += cpuNanos() - start;
    }
  }
  std::array<double, kPlacementCount> ratio{}, us{};
  for (size_t i = 0; i < kPlacementCount; ++i) {
    ratio[i] = turnNs[i] / copyNs[i];
    us[i] = turnNs[i] / double(state.iterations()) / 1e3;
  }
  const auto median = [](std::array<double, kPlacementCount> v) {
    std::sort(v.begin(), v.end());
    return (v[(v.size() - 1) / 2] + v[v.size() / 2]) / 2;
  };
  state.counters["ratio"] = *std::max_element(ratio.begin(), ratio.end());
  state.counters["ratio_median"] = median(ratio);
  state.counters["us_worst"] = *std::max_element(us.begin(), us.end());
  state.counters["us_median"] = median(us);
  state.SetLabel(platform::turnUsesAvx2() ? "avx2" : "scalar");
}

// The frame's last step: the 800 x 480 back buffer drawn as four 400 x 240 quarters turned
// by 90 degrees onto the 480 x 800 screen.
void BM_TurnedScreenCopy(benchmark::State& state) {
  const ClipRect clip{0, 0, kGameHeight, kGameWidth};
  runOverPlacements(state, size_t(kGameWidth) * kGameHeight, [&](const uint16_t* back, uint16_t* screen) {
    const ConstPixelView16 src{back, kGameWidth, kGameHeight, kGameWidth};
    const PixelView16 dst{screen, kGameHeight, kGameWidth, kGameHeight};
    for (int32_t qy = 0; qy < kGameHeight; qy += kQuarterHeight)
      for (int32_t qx = 0; qx < kGameWidth; qx += kQuarterWidth) {
        const blit::Region r{qx, qy, kQuarterWidth, kQuarterHeight, blit::kTransRot90,
                             kGameHeight - qy - kQuarterHeight, qx};
        blit::drawRegion(dst, clip, src, blit::kOpaque565, r);
      }
  });
}
BENCHMARK(BM_TurnedScreenCopy)->Unit(benchmark::kMicrosecond);

// The desktop window's extra step: the 480 x 800 panel turned back into the 800 x 480
// window at every flip.
void BM_PanelTurnedIntoWindow(benchmark::State& state) {
  runOverPlacements(state, size_t(kGameHeight) * kGameWidth, [](const uint16_t* panel, uint16_t* window) {
    platform::turnPanelIntoWindow(panel, kGameHeight, kGameWidth, kGameHeight, window, kGameWidth);
  });
}
BENCHMARK(BM_PanelTurnedIntoWindow)->Unit(benchmark::kMicrosecond);

// Sprite art: each row alternates runs of clear and drawn pixels, a few to a few dozen
// long, the drawn ones with a soft pixel at each end (ARGB4444) or none (keyed).
std::vector<uint16_t> spriteArt(size_t count, int32_t kind) {
  std::mt19937 rng(23);
  std::vector<uint16_t> p(count);
  const uint16_t clear = kind == blit::kKeyed565 ? 0xF81F : 0x0ABC;
  for (size_t i = 0; i < count;) {
    const size_t clearRun = rng() % 30 + 1, drawnRun = rng() % 30 + 1;
    for (size_t k = 0; k < clearRun && i < count; ++k) p[i++] = clear;
    for (size_t k = 0; k < drawnRun && i < count; ++k) {
      const uint16_t colour = static_cast<uint16_t>(rng());
      const bool edge = kind == blit::kArgb4444 && (k == 0 || k + 1 == drawnRun);
      p[i++] = kind == blit::kArgb4444 ? static_cast<uint16_t>((colour & 0x0FFF) | (edge ? 0x8000 : 0xF000))
                                       : static_cast<uint16_t>(colour == 0xF81F ? 0xF81E : colour);
    }
  }
  return p;
}

// A 256 x 256 region of each source kind, untransformed, against a plain copy of its rows;
// the pixels scattered at random (0) or in the runs of sprite art (1).
void BM_RegionBlit(benchmark::State& state) {
  const int32_t kind = static_cast<int32_t>(state.range(0));
  const bool art = state.range(1) != 0;
  constexpr int32_t kSide = 256, kTarget = 320;
  const auto srcPixels = art ? spriteArt(size_t(kSide) * kSide, kind) : randomPixels(size_t(kSide) * kSide, kind);
  std::vector<uint16_t> target(size_t(kTarget) * kTarget, 0x1234);
  const ConstPixelView16 src{srcPixels.data(), kSide, kSide, kSide};
  const PixelView16 dst{target.data(), kTarget, kTarget, kTarget};
  const ClipRect clip{0, 0, kTarget, kTarget};
  auto draw = [&] {
    blit::drawRegion(dst, clip, src, kind, {0, 0, kSide, kSide, blit::kTransNone, 17, 9});
    benchmark::DoNotOptimize(target.data());
  };
  // A row length the compiler cannot see, so the copy is the library's memcpy rather than an
  // inlined string move.
  size_t rowBytes = kSide * 2;
  benchmark::DoNotOptimize(rowBytes);
  auto copyRows = [&] {
    for (int32_t y = 0; y < kSide; ++y)
      std::memcpy(&target[size_t(y + 9) * kTarget + 17], &srcPixels[size_t(y) * kSide], rowBytes);
    benchmark::DoNotOptimize(target.data());
  };
  state.SetLabel(std::string(kind == 0 ? "copy" : kind == 1 ? "key skip" : "4444 blend") + (art ? ", sprite art" : ""));
  runWithRatio(state, draw, copyRows, int64_t(kSide) * kSide);
}
BENCHMARK(BM_RegionBlit)->ArgsProduct({{blit::kOpaque565, blit::kKeyed565, blit::kArgb4444}, {0, 1}});

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

// A translucent band as the match's information band draws it (one colour, alpha 0x90,
// through drawRGB), against memset of the same rows.
void BM_TranslucentBand(benchmark::State& state) {
  constexpr int32_t kBandRows = 120;
  std::vector<uint16_t> target = randomPixels(size_t(kGameWidth) * kGameHeight, blit::kOpaque565);
  const std::vector<int32_t> row(kGameWidth, int32_t(0x90204080));
  const PixelView16 dst{target.data(), kGameWidth, kGameHeight, kGameWidth};
  auto band = [&] {
    for (int32_t y = 0; y < kBandRows; ++y)
      raster::drawRgb(dst, {0, 0, kGameWidth, kGameHeight}, row.data(), kGameWidth, 0, kGameWidth, 0, 200 + y,
                      kGameWidth, 1, raster::RgbMode::kAlpha);
    benchmark::DoNotOptimize(target.data());
  };
  auto set = [&] {
    std::memset(target.data() + size_t(200) * kGameWidth, 0x55, size_t(kBandRows) * kGameWidth * 2);
    benchmark::DoNotOptimize(target.data());
  };
  runWithRatio(state, band, set, int64_t(kBandRows) * kGameWidth);
}
BENCHMARK(BM_TranslucentBand)->Unit(benchmark::kMicrosecond);

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
