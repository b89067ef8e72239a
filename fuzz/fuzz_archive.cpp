// data.bar is untrusted: any bytes must give a table whose every entry lies inside the
// file, and every entry must read through its ResourceInputStream as exactly its bytes,
// ending promptly, whatever the table announces.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "device/archive.h"
#include "device/file.h"
#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/collector.h"
#include "runtime/log.h"
#include "runtime/string.h"

using namespace sorv;

namespace {

constexpr size_t kMaxEntriesOpened = 16;
constexpr int kInputsPerCollection = 64;

void check(bool ok) {
  if (!ok) std::abort();
}

struct Runtime {
  Application app;
  std::string barPath;

  Runtime() {
    Debug::setSink(std::fopen("/dev/null", "w"));
    // Memory-backed when the host has it: every input is written as data.bar.
    char pattern[] = "/dev/shm/sorv-fuzz-archive-XXXXXX";
    if (access("/dev/shm", W_OK) != 0) std::snprintf(pattern, sizeof pattern, "/tmp/sorv-fuzz-arc-XXXXXX");
    check(mkdtemp(pattern) != nullptr);
    platform::setRootDir(pattern);
    check(platform::makeFolders(platform::kInstallFolder));
    barPath = std::string(pattern) + "/Program Files/Kestovan/Sorvantel 2009/data.bar";
    Application::init(&app);
  }
};

void writeBar(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  check(f != nullptr);
  check(size == 0 || std::fwrite(data, 1, size, f) == size);
  check(std::fclose(f) == 0);
}

void readEntry(const ArchiveTable& table, const ArchiveEntry& entry) {
  // Asked with a leading '/', which the lookup drops: a stored name may start with one too.
  std::u16string asked = u"/" + entry.name;
  String* name = String::fromUnits(asked.data(), static_cast<int32_t>(asked.size()));
  const ArchiveEntry* first = table.find(std::u16string_view(asked));
  check(first != nullptr);
  InputStream* in = ResourceInputStream::getResourceAsStream(name);
  check(in != nullptr);
  ByteArray* all = readStreamFully(in);
  check(all != nullptr && all->length == first->size);
  check(in->read() == -1 && in->available() == 0);
  in->close();

  // The same entry in pieces: a skip, short reads, then the end.
  InputStream* again = ResourceInputStream::getResourceAsStream(name);
  check(again != nullptr);
  ByteArray* piece = Array::newByteArray(7);
  int64_t taken = again->skip(3);
  while (again->available() > 0) {
    int32_t n = again->read(piece, 1, 6);
    check(n > 0 && n <= 6);
    taken += n;
  }
  check(taken == first->size);
  again->read(piece, 0, 1);
  check(Application::pendingException() != nullptr);  // EOFException past the end
  Application::instance()->m_pendingException = nullptr;
  again->close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Runtime* runtime = new Runtime();

  std::FILE* memory = size > 0 ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : std::tmpfile();
  check(memory != nullptr);
  ArchiveTable table = ArchiveTable::read(memory, size, "fuzz");
  std::fclose(memory);
  for (const ArchiveEntry& e : table.entries()) {
    check(e.offset >= 0 && e.size >= 0 &&
          static_cast<uint64_t>(e.offset) + static_cast<uint64_t>(e.size) <= size);
  }

  writeBar(runtime->barPath, data, size);
  ResourceInputStream::archiveFile = nullptr;
  for (size_t i = 0; i < table.entries().size() && i < kMaxEntriesOpened; ++i) {
    readEntry(table, table.entries()[i]);
  }
  check(Application::pendingException() == nullptr);
  static int inputs = 0;
  if (++inputs % kInputsPerCollection == 0) Application::getObjectManager()->gc(0);
  return 0;
}
