// The runtime the game shell's fuzz targets share: started once, with a resource opener that
// serves a small constant-string table and one resource (the input under test) from memory.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/constants.h"
#include "runtime/io_streams.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"
#include "device/platform/paths.h"
#include "device/record_files.h"
#include "fuzz/memory_files.h"

namespace sorv::fuzz {

inline std::vector<uint8_t> gConstantTable;
inline StaticRef<ByteArray> gResource;
inline Application* gApp = nullptr;
inline int gRunsSinceCollection = 0;

inline ByteArray* byteArray(const uint8_t* data, size_t size) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(size));
  for (size_t i = 0; i < size && !isNull(a); ++i) a->elements()[i] = static_cast<int8_t>(data[i]);
  return a;
}

// "c<n>" strings with the texts the shell's readers look up.
inline std::vector<uint8_t> constantTable() {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < kConstantCount; ++i) texts.push_back("c" + std::to_string(i));
  const char* codes[kLanguageCount] = {"EN", "FR", "IT", "DE", "ES", "PT", "NL", "PL", "CS", "TR", "RU"};
  for (int32_t k = 0; k < kLanguageCount; ++k) texts[kConstLanguageCodes[k]] = codes[k];
  texts[kConstTextEncoding] = "UTF-8";
  texts[kConstPadding] = "0";
  texts[kConstMenuDataPack] = "menudata";
  std::vector<uint8_t> out = {0, 0, static_cast<uint8_t>(texts.size() >> 8), static_cast<uint8_t>(texts.size())};
  for (const std::string& t : texts) {
    out.push_back(static_cast<uint8_t>(t.size() >> 8));
    out.push_back(static_cast<uint8_t>(t.size()));
    out.insert(out.end(), t.begin(), t.end());
  }
  return out;
}

inline InputStream* openFromMemory(String* name) {
  if (String::equalsCString(name, "/constants.bin"))
    return ByteArrayInputStream::create(byteArray(gConstantTable.data(), gConstantTable.size()));
  if (isNull(gResource.get())) return nullptr;
  return ByteArrayInputStream::create(gResource);
}

inline void startRuntime() {
  Debug::setSink(std::fopen("/dev/null", "w"));
  setResourceOpener(openFromMemory);
  gConstantTable = constantTable();
  gApp = new Application();
  Application::init(gApp);
}

// The game's log kept in memory from here on, so a target can ask whether an input wrote a
// runtime-error line.
inline char* gLog = nullptr;
inline size_t gLogSize = 0;
inline FILE* gLogFile = nullptr;
inline void keepLogInMemory() {
  gLogFile = open_memstream(&gLog, &gLogSize);
  Debug::setSink(gLogFile);
}
// Whether the log holds an ArrayOutOfBound or NullPointer line since the last call; empties it.
inline bool loggedRuntimeError() {
  std::fflush(gLogFile);
  const bool found = gLog != nullptr && (std::strstr(gLog, "ArrayOutOfBound") != nullptr ||
                                         std::strstr(gLog, "NullPointer") != nullptr);
  std::rewind(gLogFile);
  if (gLog != nullptr) gLog[0] = 0;
  return found;
}

// The record store's names in the constant strings, and a root of its own for the store's
// folders (removed at exit); its files are kept in memory, as every input writes them anew.
inline std::filesystem::path gRoot;
inline MemoryFiles gStoreFiles;
inline void useRecordStoreRoot(const std::string& name) {
  ObjectArray* constants = gApp->staticClass->constantStrings;
  const std::pair<int32_t, const char*> texts[] = {
      {kConstEmpty, ""},           {kConstPathSeparator, "\\"},      {kConstRecordStorePrefix, "rms_"},
      {kConstRecordStoreSuffix, ".rms"}, {kConstRecordFileInfix, "_rec"},
      {kConstGameRecordStore, "Sorvantel2009"}};
  for (auto [n, text] : texts) constants->elements()[n] = String::fromCString(text);
  std::string folder = (access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/") + name + "-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) std::abort();
  platform::setRootDir(folder);
  record_files::setFileLayer(&gStoreFiles);
  gRoot = folder;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(gRoot, ignored);
  });
}

// Every so many inputs a collection, so garbage of earlier inputs does not pile up.
inline void collectNowAndThen() {
  if (++gRunsSinceCollection == 64) {
    gRunsSinceCollection = 0;
    gApp->objectManager->gc(0);
  }
}

}  // namespace sorv::fuzz
