// The data builder: the whole archive of each style, and the whole data set written as
// mkdata --out writes it (archive and sounds). Every end-to-end road runs the builder once
// or more, so the painted art must stay cheap: the archive well under 300 ms, the data set
// under 2 s.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv {
namespace {

void BM_BuildArchive(benchmark::State& state) {
  const auto style = static_cast<mkdata::DataStyle>(state.range(0));
  for (auto _ : state) {
    mkdata::ArchiveWriter archive;
    std::string error;
    if (!mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN", {}, style)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(archive.entryCount());
  }
  state.SetLabel(style == mkdata::DataStyle::kArt ? "art" : "labels");
}
BENCHMARK(BM_BuildArchive)
    ->Arg(static_cast<int>(mkdata::DataStyle::kLabels))
    ->Arg(static_cast<int>(mkdata::DataStyle::kArt))
    ->Unit(benchmark::kMillisecond);

void BM_WriteDataSet(benchmark::State& state) {
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("sorv-bench-tools-" + std::to_string(getpid()));
  std::filesystem::create_directories(out);
  for (auto _ : state) {
    mkdata::ArchiveWriter archive;
    std::string error;
    if (!mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error) ||
        !archive.writeFile((out / "data.bar").string(), &error) || !mkdata::writeSoundFiles(out.string(), &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(out, ignored);
}
BENCHMARK(BM_WriteDataSet)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorv
