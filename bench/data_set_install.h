// The shipped data set installed for a benchmark binary: a fresh install folder under the
// temporary folder (removed at exit) holding the data builder's data.bar, and the program's
// root pointed at it. A failure ends the binary with a message.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "runtime/application.h"
#include "runtime/clock.h"
#include "runtime/log.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::bench {

inline std::vector<std::filesystem::path>& installBases() {
  static std::vector<std::filesystem::path> bases;
  return bases;
}

inline void removeInstallBases() {
  std::error_code ignored;
  for (const auto& base : installBases()) std::filesystem::remove_all(base, ignored);
}

[[noreturn]] inline void failSetUp(const char* who, const std::string& error) {
  std::fprintf(stderr, "%s: %s\n", who, error.c_str());
  std::exit(1);
}

// An empty install folder named after the benchmark; the root points at its base.
inline std::filesystem::path makeInstallFolder(const char* who) {
  const auto base = std::filesystem::temp_directory_path() / (std::string("sorv-") + who + "-" + std::to_string(getpid()));
  if (installBases().empty()) std::atexit(removeInstallBases);
  installBases().push_back(base);
  const auto install = base / "Program Files" / "Kestovan" / "Sorvantel 2009";
  std::filesystem::create_directories(install);
  platform::setRootDir(base.string());
  return install;
}

// The pictures the benchmarks draw: the shipped art, or the labelled blocks with
// SORV_BENCH_DATA=labels, so that scripts/bench_styles.sh can hold the one against the other.
inline mkdata::DataStyle benchDataStyle() {
  const char* data = std::getenv("SORV_BENCH_DATA");
  return data != nullptr && std::string(data) == "labels" ? mkdata::DataStyle::kLabels : mkdata::DataStyle::kArt;
}

// The data builder's whole data set (and its sound files when asked) in a fresh install
// folder.
inline void installDataSet(const char* who, bool withSounds = false) {
  const auto install = makeInstallFolder(who);
  mkdata::ArchiveWriter archive;
  std::string error;
  if (!mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, mkdata::kDefaultLanguage, {}, benchDataStyle()) ||
      !archive.writeFile((install / "data.bar").string(), &error) ||
      (withSounds && !mkdata::writeSoundFiles(install.string(), &error))) {
    failSetUp(who, error);
  }
}

// The data set installed and a runtime started on it (on the virtual clock unless told
// otherwise): a runtime another benchmark of the binary started on data of its own is
// closed first.
inline void startOnDataSet(const char* who, bool withSounds = false, bool virtualClock = true) {
  setenv("SORV_AUDIO", "null", 0);
  installDataSet(who, withSounds);
  if (virtualClock) clock::setVirtual(true);
  Resources::installOpener();
  ResourceInputStream::archiveFile = nullptr;
  if (Application* running = Application::instance(); running != nullptr) {
    Application::close(running);
    delete running;
    Application::setInstance(nullptr);
  } else {
    Debug::setSink(std::getenv("SORV_BENCH_LOG") ? stderr : std::fopen("/dev/null", "w"));
  }
  Application::init(new Application());
}

}  // namespace sorv::bench
