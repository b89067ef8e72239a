// Class-library benchmarks: checked element access beside raw access in one run (the
// ratio is the counter "checked_over_raw", which must stay at most 1.5), StringBuffer
// captions as the game builds them every frame, and UTF-8 decoding.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/encodings.h"
#include "runtime/log.h"
#include "runtime/string.h"

namespace sorv {
namespace {

// A started runtime for one benchmark.
struct RunningRuntime {
  RunningRuntime() {
    Debug::setSink(std::fopen("/dev/null", "w"));
    app = new Application();
    Application::init(app);
  }
  ~RunningRuntime() {
    Application::close(app);
    delete app;
    Application::setInstance(nullptr);
  }
  Application* app;
};

constexpr int32_t kTableSize = 4096;  // a power of two: the index walk masks with it
constexpr int32_t kSteps = 1 << 16;

// A table walk like the game's lookups: each index follows from the previous one, so
// neither loop is vectorised and the comparison is of the accesses themselves.
[[gnu::noinline]] int32_t walkChecked(IntArray* table) {
  int32_t j = 0;
  for (int32_t i = 0; i < kSteps; ++i) {
    int32_t v = ArrayAccess::getInt(table, j);
    ArrayAccess::setInt(table, j, v + i);
    j = (j * 5 + 1) & (kTableSize - 1);
  }
  return j;
}

[[gnu::noinline]] int32_t walkRaw(int32_t* table) {
  int32_t j = 0;
  for (int32_t i = 0; i < kSteps; ++i) {
    int32_t v = table[j];
    table[j] = v + i;
    j = (j * 5 + 1) & (kTableSize - 1);
  }
  return j;
}

template <class Work>
double secondsPer(int repeats, Work work) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
}

void BM_CheckedIntAccessAgainstRaw(benchmark::State& state) {
  RunningRuntime runtime;
  IntArray* checked = Array::newIntArray(kTableSize);
  std::vector<int32_t> raw(kTableSize);
  for (auto _ : state) benchmark::DoNotOptimize(walkChecked(checked));
  double checkedSeconds = secondsPer(500, [&] { benchmark::DoNotOptimize(walkChecked(checked)); });
  double rawSeconds = secondsPer(500, [&] { benchmark::DoNotOptimize(walkRaw(raw.data())); });
  state.counters["checked_ns_per_access"] = checkedSeconds * 1e9 / kSteps;
  state.counters["raw_ns_per_access"] = rawSeconds * 1e9 / kSteps;
  state.counters["checked_over_raw"] = checkedSeconds / rawSeconds;
}
BENCHMARK(BM_CheckedIntAccessAgainstRaw)->Unit(benchmark::kMicrosecond);

void BM_StringBufferCaption(benchmark::State& state) {
  RunningRuntime runtime;
  String* name = String::fromCString("Player");
  String* separator = String::fromCString(" - ");
  int32_t score = 0;
  for (auto _ : state) {
    StringBuffer* sb = StringBuffer::create(16);
    StringBuffer::appendString(sb, name);
    StringBuffer::appendString(sb, separator);
    StringBuffer::appendInt(sb, score++);
    StringBuffer::appendInt(sb, -40);
    benchmark::DoNotOptimize(sb->toString());
  }
}
BENCHMARK(BM_StringBufferCaption);

void BM_DecodeUtf8(benchmark::State& state) {
  std::string text;
  while (text.size() < 64 * 1024) text += "Sorvantel caf\xC3\xA9 \xE2\x82\xAC 40:15 ";
  std::vector<char16_t> out(text.size());
  for (auto _ : state) {
    DecodeResult r = decodeText(TextEncoding::kModifiedUtf8, reinterpret_cast<const uint8_t*>(text.data()),
                                static_cast<int32_t>(text.size()), out.data(), nullptr, false);
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_DecodeUtf8);

}  // namespace
}  // namespace sorv
