// Fuzzes the saved data: an achievement table and record bytes go into a record store kept
// in memory; every record is loaded, saved back and loaded again. A record that
// loads must save to bytes that load and save to the same bytes again, and no input may
// make the runtime report an error or the game print an exception.
//
// Input: u16 LE table length, the table, then records as (id byte, length byte, bytes).
// The byte after the table picks the current training game.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "device/platform/paths.h"
#include "device/record_files.h"
#include "fuzz/game_fuzz_runtime.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "training/ctraining.h"

namespace {

using namespace sorv;

constexpr int kRecords = CGame::kRecordCount;
// The start-up rebuild is the same for every input (the index lists records 1 to 15 when
// it runs, whatever they hold), so it runs on the first input, which lets a failing input
// repeat on its own, and then once in this many.
constexpr int kRebuildEvery = 64;

std::filesystem::path gInstall;
std::string gInputLog;  // the log lines of the input under test
int gRuns = 0;

void check(bool ok) {
  if (ok) return;
  std::fputs(gInputLog.c_str(), stderr);
  std::abort();
}

ssize_t keepLogLine(void*, const char* text, size_t size) {
  gInputLog.append(text, size);
  return static_cast<ssize_t>(size);
}

// A runtime error, like an exception the game prints, comes with the stack of named frames
// under this heading; a store in memory has no reason to fail either way.
bool runtimeErrorLogged() { return gInputLog.find("stacktrace:") != std::string::npos; }

// The index (0) and records 1 to 15, spelled as the store spells its files (in lower case):
// in memory a name of another case would be another file. Made once: they are asked for
// many times an input.
std::vector<std::string> gPaths;
const std::string& indexPath() { return gPaths[0]; }
const std::string& recordPath(int id) { return gPaths[id]; }

std::vector<uint8_t> readRecord(int id) {
  std::vector<uint8_t> bytes;
  record_files::readWhole(recordPath(id), bytes);
  return bytes;
}

std::vector<std::vector<uint8_t>> readStore() {
  std::vector<std::vector<uint8_t>> files(kRecords + 1);
  record_files::readWhole(indexPath(), files[0]);
  for (int id = 1; id <= kRecords; id++) files[id] = readRecord(id);
  return files;
}

void start() {
  fuzz::startRuntime();
  Debug::setSink(fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, keepLogLine, nullptr, nullptr}));
  fuzz::useRecordStoreRoot("sorv-fuzz-saved");
  gInstall = fuzz::gRoot / "program files" / "kestovan" / "sorvantel 2009";
  std::filesystem::create_directories(gInstall);
  const std::string index = (gInstall / "rms_sorvantel2009.rms").string();
  gPaths.push_back(index);
  for (int id = 1; id <= kRecords; id++) {
    gPaths.push_back(index + "_rec" + std::to_string(id) + ".rms");
  }
  // The phone's names are looked up ignoring case: a name missing from the folder costs a
  // scan of it. Empty files by the store's names keep each lookup to one stat; the bytes
  // themselves live in memory.
  for (const std::string& path : gPaths) std::fclose(std::fopen(path.c_str(), "w"));
  CGame::rosterKinds = Array::newByteArray(36);
}

// A store of records 1 to 15, each as the input gives it (absent ones empty), written over
// the last input's: the store reads only the files its index names, and all are rewritten.
void writeStore(const uint8_t* data, size_t size) {
  std::vector<std::vector<uint8_t>> records(kRecords + 1);
  for (size_t at = 0; at + 2 <= size;) {
    int id = 1 + data[at] % kRecords;
    size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    records[id].assign(data + at + 2, data + at + 2 + length);
    at += 2 + length;
  }
  record_files::RecordIndex index;
  index.nextRecordId = kRecords;
  for (int id = 1; id <= kRecords; id++) {
    index.ids.push_back(id);
    check(record_files::writeWhole(recordPath(id), records[id].data(), records[id].size()));
  }
  check(record_files::writeIndex(indexPath(), index));
}

// The start-up check: a store marked good is left byte for byte; any other is rebuilt.
void checkStart() {
  const bool marked = readRecord(CGame::kMarkerRecord) == std::vector<uint8_t>{CGame::kRecordMarker};
  if (!marked && gRuns % kRebuildEvery != 0) return;
  const std::vector<std::vector<uint8_t>> before = marked ? readStore() : std::vector<std::vector<uint8_t>>{};
  CGame::initRMS();
  check(CGame::rmsMarker == CGame::kRecordMarker);
  if (marked) check(readStore() == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3 || size > 0x4000) return 0;
  if (fuzz::gApp == nullptr) start();
  gInputLog.clear();
  size_t tableSize = std::min<size_t>(data[0] | data[1] << 8, size - 2);
  const uint8_t* rest = data + 2 + tableSize;
  size_t restSize = size - 2 - tableSize;
  CTraining::game = static_cast<int8_t>(restSize > 0 ? rest[0] % 6 - 1 : -1);
  writeStore(rest + (restSize > 0), restSize - (restSize > 0));
  CAE::LoadAchiData(fuzz::byteArray(data + 2, tableSize));
  check(CAE::achiCount >= 0 && 2 + CAE::achiCount * 11 <= static_cast<int32_t>(std::max<size_t>(tableSize, 2)));
  for (int id = 0; id <= kRecords + 1; id++) {
    const bool loaded = CGame::RMS(false, id);
    if (!loaded) continue;
    check(CGame::RMS(true, id));
    const std::vector<uint8_t> saved = readRecord(id);
    check(CGame::RMS(false, id));
    check(CGame::RMS(true, id));
    check(readRecord(id) == saved);
  }
  checkStart();
  check(!runtimeErrorLogged());
  gRuns++;
  fuzz::gApp->m_pendingException = nullptr;
  fuzz::collectNowAndThen();
  return 0;
}
