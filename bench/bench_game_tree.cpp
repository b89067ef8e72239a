// The boot's array tree: the boot pack opened and every table loaded (initArrays) beside
// reading the same pack's bytes through the resource stream alone, and the tables parsed
// from bytes already in memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "game/array_tree.h"
#include "game/cgame.h"
#include "runtime/application.h"
#include "runtime/constants.h"
#include "runtime/io_streams.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv {
namespace {

StaticRef<ByteArray> gTreeData;
StaticRef<ByteArray> gTreeDescriptor;

ByteArray* managedCopy(const std::vector<uint8_t>& bytes) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(a->elements()));
  return a;
}

// One runtime for the whole binary, reading a data.bar that the builder writes into a
// folder of its own.
void startRuntime() {
  static bool started = false;
  if (started) return;
  started = true;
  Debug::setSink(std::fopen("/dev/null", "w"));
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("sorv-bench-tree-" + std::to_string(getpid()));
  const std::filesystem::path install = root / "Program Files" / "Kestovan" / "Sorvantel 2009";
  std::filesystem::create_directories(install);
  mkdata::ArchiveWriter archive;
  mkdata::ArrayTreeEntries tree;
  std::string error;
  if (!mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error) ||
      !archive.writeFile((install / "data.bar").string(), &error) ||
      !mkdata::arrayTreeEntries(mkdata::defaultDataDir(), &tree, &error)) {
    std::fprintf(stderr, "no data: %s\n", error.c_str());
    std::exit(1);
  }
  platform::setRootDir(root.string());
  Resources::installOpener();
  Application::init(new Application());
  gTreeData = managedCopy(tree.data);
  gTreeDescriptor = managedCopy(tree.descriptor);
}

void BM_InitArraysFromTheBootPack(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) {
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CGame::initArrays();
    CGame::Lib_Close();
    if (isNull(CGame::tournamentTable.get())) return state.SkipWithError("no tables");
  }
}
BENCHMARK(BM_InitArraysFromTheBootPack)->Unit(benchmark::kMillisecond);

void BM_BootPackBytesThroughTheResourceStream(benchmark::State& state) {
  startRuntime();
  ByteArray* chunk = Array::newByteArray(4096);
  int64_t total = 0;
  for (auto _ : state) {
    InputStream* in = openResource(StaticClass::getConstant(kConstBootPack));
    if (isNull(in)) return state.SkipWithError("no boot pack");
    // Reading past the end would leave an EOFException pending: read what is there.
    for (int32_t left = in->available(); left > 0;) {
      const int32_t n = in->read(chunk, 0, left < chunk->length ? left : chunk->length);
      if (n <= 0) break;
      left -= n;
      total += n;
    }
    in->close();
  }
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_BootPackBytesThroughTheResourceStream)->Unit(benchmark::kMillisecond);

void BM_TablesFromBytesInMemory(benchmark::State& state) {
  startRuntime();
  for (auto _ : state) {
    array_tree::loadTables(gTreeData, gTreeDescriptor);
    benchmark::DoNotOptimize(CGame::tournamentTable.get());
  }
}
BENCHMARK(BM_TablesFromBytesInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
