// Sprite drawing costs: module decoding per format in pixels per ns beside a plain fill of
// the same pixels, a 200-character paragraph through DrawString, and a frame of 30 cached
// modules.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/application.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/font_builder.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv {
namespace {

namespace mk = sorv::mkdata;

constexpr int16_t kModuleSide = 240;  // a full shared buffer: 240 x 256 is its limit

StaticRef<Graphics> gScreen;

// One runtime for the whole binary, with the sprite class set up and an 800 x 480 target.
void startRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  Debug::setSink(std::fopen("/dev/null", "w"));
  Application::init(new Application());
  gScreen = Image::createImage(800, 480)->getGraphics();
}

ASprite* loadSprite(const mk::SpriteSpec& spec) {
  std::vector<uint8_t> file = mk::writeSprite(spec);
  ByteArray* bytes = Array::newByteArray(static_cast<int32_t>(file.size()));
  std::copy(file.begin(), file.end(), reinterpret_cast<uint8_t*>(bytes->elements()));
  ASprite* s = ASprite::create();
  s->Load(bytes, 0);
  return s;
}

// A module of blobs and stripes in 16 colours: runs for the run formats, detail for the rest.
mk::SpriteSpec pictureSprite(int32_t format, int colours) {
  mk::SpriteSpec spec;
  mk::SpriteModule m;
  m.width = m.height = kModuleSide;
  for (int y = 0; y < kModuleSide; y++) {
    for (int x = 0; x < kModuleSide; x++) {
      m.pixels.push_back(static_cast<uint8_t>(((x / 9) ^ (y / 13)) % colours));
    }
  }
  spec.modules.push_back(m);
  std::vector<uint32_t> palette;
  for (int c = 0; c < colours; c++) palette.push_back(0xFF000000u | static_cast<uint32_t>(c * 0x0F0F0F));
  spec.palettes = {palette};
  spec.dataFormat = format;
  return spec;
}

// Shown as pixels per second with an SI prefix: "G/s" reads as pixels per ns.
void setPixelsPerNs(benchmark::State& state, int64_t pixelsPerIteration) {
  state.counters["pixels"] = benchmark::Counter(
      static_cast<double>(pixelsPerIteration) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

void BM_DecodeModule(benchmark::State& state) {
  startRuntime();
  const auto format = static_cast<int32_t>(state.range(0));
  const int colours = format == 0x0200 ? 2 : format == 0x0400 ? 4 : 16;
  ASprite* s = loadSprite(pictureSprite(format, colours));
  for (auto _ : state) benchmark::DoNotOptimize(s->DecodeImage(0, 0));
  setPixelsPerNs(state, int64_t{kModuleSide} * kModuleSide);
}
BENCHMARK(BM_DecodeModule)->ArgName("format")->Arg(0x64F0)->Arg(0x27F1)->Arg(0x56F2)->Arg(0x1600)->Arg(0x0400)->Arg(0x0200)->Arg(0x5602);

// The floor: filling the same number of pixels with one colour.
void BM_PlainFill(benchmark::State& state) {
  std::vector<int32_t> out(static_cast<size_t>(kModuleSide) * kModuleSide);
  for (auto _ : state) {
    std::fill(out.begin(), out.end(), static_cast<int32_t>(0xFF336699));
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  setPixelsPerNs(state, int64_t{kModuleSide} * kModuleSide);
}
BENCHMARK(BM_PlainFill);

void BM_DrawStringParagraph(benchmark::State& state) {
  startRuntime();
  mk::FontStyle style;
  style.scale = 2;
  style.inkColours = {0xFFFFFFFF};
  ASprite* font = loadSprite(mk::buildFontSprite(style, kLanguageEN));
  std::array<uint8_t, 256> map = mk::buildFontMap();
  font->fontMap = Array::newByteArray(256);
  std::copy(map.begin(), map.end(), reinterpret_cast<uint8_t*>(font->fontMap->elements()));
  std::string text;
  while (text.size() < 200) text += "The ball clips the net, hangs, and drops. Deuce again! ";
  text.resize(200);
  String* paragraph = String::fromCString(text.c_str());
  font->DrawString(gScreen.get(), paragraph, 10, 10, 0, 380);  // the glyph images are made once
  for (auto _ : state) font->DrawString(gScreen.get(), paragraph, 10, 10, 0, 380);
}
BENCHMARK(BM_DrawStringParagraph);

void BM_FrameOfCachedModules(benchmark::State& state) {
  startRuntime();
  mk::SpriteSpec spec;
  std::vector<mk::SpriteFModule> entries;
  for (int m = 0; m < 30; m++) {
    mk::SpriteModule module;
    module.width = 32;
    module.height = 24;
    for (int i = 0; i < 32 * 24; i++) module.pixels.push_back(static_cast<uint8_t>((i + m) % 3));
    spec.modules.push_back(module);
    entries.push_back({static_cast<uint8_t>(m), static_cast<int16_t>((m % 6) * 40),
                       static_cast<int16_t>((m / 6) * 30), 0, static_cast<uint8_t>(m % 4)});
  }
  mk::addFrame(spec, entries);
  spec.palettes = {{0x00FF00FF, 0xFF884422, 0xFF2288CC}};
  ASprite* s = loadSprite(spec);
  s->BuildCacheImages(0, 0, -1, -1);
  for (auto _ : state) s->PaintFrame(gScreen.get(), 0, 100, 100, 0, 100);
}
BENCHMARK(BM_FrameOfCachedModules);

}  // namespace
}  // namespace sorv
