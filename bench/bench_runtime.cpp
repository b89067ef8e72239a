// Runtime benchmarks: checked element access against raw access (the ratio is printed at
// the end), StringBuffer captions as the game builds them every frame, and UTF-8 decoding.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/encodings.h"
#include "runtime/log.h"
#include "runtime/string.h"

namespace {

using namespace sorv;

constexpr int32_t kTableSize = 4096;  // a power of two: the index walk masks with it
constexpr int32_t kSteps = 1 << 16;

// A table walk like the game's lookups: each index follows from the previous one, so
// neither loop is vectorised and the comparison is of the accesses themselves.
void BM_CheckedIntAccess(benchmark::State& state) {
  IntArray* table = Array::newIntArray(kTableSize);
  for (auto _ : state) {
    int32_t j = 0;
    for (int32_t i = 0; i < kSteps; ++i) {
      int32_t v = ArrayAccess::getInt(table, j);
      ArrayAccess::setInt(table, j, v + i);
      j = (j * 5 + 1) & (kTableSize - 1);
    }
    benchmark::DoNotOptimize(j);
  }
  state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_CheckedIntAccess);

void BM_RawIntAccess(benchmark::State& state) {
  std::vector<int32_t> storage(kTableSize);
  int32_t* table = storage.data();
  benchmark::DoNotOptimize(table);
  for (auto _ : state) {
    int32_t j = 0;
    for (int32_t i = 0; i < kSteps; ++i) {
      int32_t v = table[j];
      table[j] = v + i;
      j = (j * 5 + 1) & (kTableSize - 1);
    }
    benchmark::DoNotOptimize(j);
  }
  state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_RawIntAccess);

void BM_StringBufferCaption(benchmark::State& state) {
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

// Keeps each benchmark's time per iteration so the checked/raw ratio can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0) perIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> perIteration;
};

}  // namespace

int main(int argc, char** argv) {
  std::FILE* quiet = std::fopen("/dev/null", "w");
  Debug::setSink(quiet);
  Application app;
  Application::init(&app);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto checked = reporter.perIteration.find("BM_CheckedIntAccess");
  auto raw = reporter.perIteration.find("BM_RawIntAccess");
  if (checked != reporter.perIteration.end() && raw != reporter.perIteration.end() && raw->second > 0) {
    std::printf("checked/raw int access ratio: %.2f (limit 1.50)\n", checked->second / raw->second);
  }
  Application::close(&app);
  Application::setInstance(nullptr);
  benchmark::Shutdown();
  return 0;
}
