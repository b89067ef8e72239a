// The boot's data steps through the game shell's readers beside reading the same bytes
// through the resource stream alone: the four text packs (texts pack, streamed), the menu
// data and the array tree (boot pack, streamed). Each game benchmark also reports its time as a multiple of the stream-only read
// ("x_stream").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/data_set_install.h"
#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/constants.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"

namespace sorv {
namespace {

using Bytes = std::vector<uint8_t>;

void putBe16(Bytes& out, size_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

// A text pack of `count` placeholder strings such as "P2-47" with a few words after them.
Bytes textPack(int32_t pack, int32_t count) {
  Bytes out;
  putBe16(out, count);
  for (int32_t id = 0; id < count; id++) {
    const std::string s = "P" + std::to_string(pack) + "-" + std::to_string(id) + " \xD0\x9C text";
    putBe16(out, s.size());
    out.insert(out.end(), s.begin(), s.end());
  }
  return out;
}

// 79 menus of three ids and ten string items each, as the menu engine would read them.
Bytes menuData() {
  Bytes blob;
  std::vector<size_t> starts;
  for (int32_t m = 0; m < kMenuCount; m++) {
    starts.push_back(blob.size());
    Bytes record = {2, 10, 0, 2, 3, 2};
    for (int32_t id = 0; id < 3; id++) putBe16(record, 100 + id);
    for (int32_t item = 0; item < 10; item++) {
      Bytes i = {16, 2, 0, 0};
      for (int32_t field = 0; field < 6; field++) putBe16(i, item * 40 + field);
      i.push_back(0);
      record.insert(record.end(), i.begin(), i.end());
    }
    blob.insert(blob.end(), record.begin(), record.end());
  }
  Bytes file;
  putBe16(file, kMenuIndexBytes + blob.size());
  for (int32_t m = 1; m < kMenuCount; m++) putBe16(file, starts[m]);
  file.insert(file.end(), blob.begin(), blob.end());
  return file;
}

// data.bar in a fresh install folder (removed at exit), and one runtime for the whole binary reading it.
void startRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  Debug::setSink(std::getenv("SORV_BENCH_LOG") ? stderr : std::fopen("/dev/null", "w"));
  const auto install = bench::makeInstallFolder("bench-game");
  std::string source, error;
  std::vector<std::u16string> constants;
  if (!mkdata::readSourceFile(std::string(mkdata::defaultDataDir()) + "/constants.txt", &source, &error) ||
      !mkdata::parseConstants(source, &constants, &error)) {
    std::fprintf(stderr, "bench_game: %s\n", error.c_str());
    std::exit(1);
  }
  std::vector<Bytes> texts(4);
  for (int32_t entry = 0; entry < 4; entry++)
    texts[entry] = textPack(kTextPackOfEntry[entry], kTextPackMinStrings[kTextPackOfEntry[entry]]);
  mkdata::ArrayTreeEntries tree;
  if (!mkdata::arrayTreeEntries(mkdata::defaultDataDir(), &tree, &error)) {
    std::fprintf(stderr, "bench_game: %s\n", error.c_str());
    std::exit(1);
  }
  mkdata::ArchiveWriter archive;
  auto name = [&](int32_t n) { return std::string(constants[n].begin(), constants[n].end()); };
  if (!archive.add("constants.bin", mkdata::encodeConstants(constants), &error) ||
      !archive.add(name(kConstTextPack), mkdata::encodeResourcePack(texts), &error) ||
      !archive.add(name(kConstMenuDataPack), mkdata::encodeResourcePack({menuData()}), &error) ||
      !archive.add(name(kConstBootPack), mkdata::encodeResourcePack({{0}, tree.data, tree.descriptor, {0, 0}}), &error) ||
      !archive.writeFile((install / "data.bar").string(), &error)) {
    std::fprintf(stderr, "bench_game: %s\n", error.c_str());
    std::exit(1);
  }
  Resources::installOpener();
  Application::init(new Application());
}

// Every byte of a resource through its stream, as a reader that parses nothing would.
int64_t readThroughStream(int32_t nameConstant) {
  InputStream* in = openResource(StaticClass::getConstant(nameConstant));
  ByteArray* buffer = Array::newByteArray(4096);
  int64_t total = 0;
  // Bounded by what is left: a read past the entry's end would leave an exception pending.
  for (int32_t left; (left = in->available()) > 0;) {
    const int32_t n = in->read(buffer, 0, left < buffer->length ? left : buffer->length);
    if (n <= 0) break;
    total += n;
  }
  in->close();
  return total;
}

void loadTextPacks() {
  CGame::Lib_Open(StaticClass::getConstant(kConstTextPack), false);
  for (int32_t entry = 0; entry < 4; entry++)
    CGame::Str_LoadPack(kTextPackOfEntry[entry], CGame::Lib_GetData(entry, false, nullptr), nullptr);
  CGame::Lib_Close();
}

// Seconds per stream-only read of a resource, measured once for the ratio.
double streamSeconds(int32_t nameConstant) {
  constexpr int kRounds = 50;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; i++) readThroughStream(nameConstant);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

template <class Step>
void runAgainstStream(benchmark::State& state, int32_t nameConstant, Step step) {
  startRuntime();
  const double baseline = streamSeconds(nameConstant);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) step();
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters["x_stream"] = each / baseline;
  System::gc();
}

void BM_TextPacksStreamOnly(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) benchmark::DoNotOptimize(readThroughStream(kConstTextPack));
}
BENCHMARK(BM_TextPacksStreamOnly)->Unit(benchmark::kMillisecond);

void BM_TextPacks(benchmark::State& state) {
  runAgainstStream(state, kConstTextPack, loadTextPacks);
}
BENCHMARK(BM_TextPacks)->Unit(benchmark::kMillisecond);

void BM_MenuDataStreamOnly(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) benchmark::DoNotOptimize(readThroughStream(kConstMenuDataPack));
}
BENCHMARK(BM_MenuDataStreamOnly)->Unit(benchmark::kMillisecond);

void BM_MenuData(benchmark::State& state) {
  runAgainstStream(state, kConstMenuDataPack, [] { CGame::LoadMenuData(); });
}
BENCHMARK(BM_MenuData)->Unit(benchmark::kMillisecond);

void loadArrayTree() {
  CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
  CGame::initArrays();
  CGame::Lib_Close();
}

void BM_ArrayTreeStreamOnly(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) benchmark::DoNotOptimize(readThroughStream(kConstBootPack));
}
BENCHMARK(BM_ArrayTreeStreamOnly)->Unit(benchmark::kMillisecond);

void BM_ArrayTree(benchmark::State& state) {
  runAgainstStream(state, kConstBootPack, loadArrayTree);
}
BENCHMARK(BM_ArrayTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
