// Resource packs: a little-endian u16 count n, n little-endian u32 offsets counted from the
// end of that header, then the entries; entry i runs from offsets[i] to offsets[i + 1].
#include <cstdint>

#include "game/cgame.h"
#include "runtime/constants.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/lang_exceptions.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

// Data bytes the open pack holds after its header, and how many of them the stream has
// passed: entries are checked against these, never trusted.
int64_t gDataSize = 0;
int64_t gPosition = 0;

// An exception of a read is caught here: stack trace, a collection, and the caller goes on.
bool caught() {
  Throwable* pending = Application::pendingException();
  if (pending == nullptr) return false;
  Application::instance()->m_pendingException = nullptr;
  printStackTrace(pending);
  System::gc();
  return true;
}

// Up to four bytes, low first; false when the stream ends before them.
bool readLittleEndian(InputStream* in, int32_t bytes, int32_t* value) {
  uint32_t v = 0;
  for (int32_t i = 0; i < bytes; i++) {
    const int32_t b = in->read();
    if (b < 0 || caught()) return false;
    v |= static_cast<uint32_t>(b & 0xFF) << (8 * i);
  }
  *value = static_cast<int32_t>(v);
  return true;
}

// Entry index's byte range after the header; false when it is not wholly in the pack.
bool entryRange(int32_t index, int64_t* start, int64_t* size) {
  IntArray* offsets = CGame::libOffsets.get();
  const int32_t* o = offsets->elements();
  *start = int64_t{o[index]} - o[0];
  *size = int64_t{o[index + 1]} - o[index];
  return *start >= 0 && *size >= 0 && *start + *size <= gDataSize;
}

void logBadEntry(int32_t index, int64_t start, int64_t size) {
  Debug::trace("Lib_GetData: entry %d (%lld bytes at %lld) is not wholly in the pack", index,
               static_cast<long long>(size), static_cast<long long>(start));
}

// Moves the stream forward to `start`; false when the pack ends first.
bool skipTo(InputStream* in, int64_t start) {
  while (gPosition < start) {
    int64_t step = in->skip(start - gPosition);
    if (caught()) return false;
    if (step <= 0) {
      if (in->read() < 0 || caught()) return false;
      step = 1;
    }
    gPosition += step;
  }
  return true;
}

// Fills the first size bytes of into; false (logged) when fewer arrive.
bool readFully(InputStream* in, ByteArray* into, int32_t size) {
  int32_t got = 0;
  while (got < size) {
    const int32_t n = in->read(into, got, size - got);
    if (caught() || n <= 0) break;
    got += n;
  }
  gPosition += got;
  if (got == size) return true;
  Debug::trace("Lib_GetData: the pack ends %d bytes into a %d-byte entry", got, size);
  return false;
}

void printOutOfRange() {
  String* message = StaticClass::getConstant(kConstLibIndexOutOfRange);
  if (!isNull(System::out.get())) System::out->println(message);
  Debug::trace("%s", String::toUtf8(message).c_str());
}

// Whole mode: every entry in order, each read as the stream passes it.
void loadAllEntries(InputStream* in) {
  const int32_t n = CGame::libOffsetCount;
  CGame::libEntries = Array::newObjectArray(0, n);
  for (int32_t i = 0; i + 1 < n && !isNull(CGame::libEntries.get()); i++) {
    int64_t start, size;
    if (!entryRange(i, &start, &size) || start < gPosition) {
      logBadEntry(i, start, size);
      continue;
    }
    if (size == 0) continue;
    if (!skipTo(in, start)) return;
    ByteArray* entry = Array::newByteArray(static_cast<int32_t>(size));
    if (isNull(entry) || !readFully(in, entry, static_cast<int32_t>(size))) return;
    CGame::libEntries->elements()[i] = entry;
  }
}

}  // namespace

void CGame::Lib_Open(String* name, bool loadAll) {
  SORV_FRAME("CGame.Lib_Open(Ljava/lang/String;Z)V");
  Lib_Close();
  InputStream* in = openResource(name);
  if (isNull(in)) {
    Debug::trace("Lib_Open: no resource %s", String::toUtf8(name).c_str());
    return;
  }
  libStream = in;
  int32_t count = 0;
  bool whole = readLittleEndian(in, 2, &count);
  IntArray* offsets = whole ? Array::newIntArray(count) : nullptr;
  for (int32_t i = 0; whole && i < count; i++) {
    int32_t offset = 0;
    whole = readLittleEndian(in, 4, &offset) && !isNull(offsets);
    if (whole) offsets->elements()[i] = offset;
  }
  if (!whole || count < 1) {
    // Half a table would hand out entries from the wrong bytes: the pack stays closed.
    Debug::trace("Lib_Open: %s has a cut or empty header", String::toUtf8(name).c_str());
    Lib_Close();
    return;
  }
  libOffsets = offsets;
  libOffsetCount = count;
  libNextEntry = 0;
  gPosition = 0;
  gDataSize = in->available();
  if (caught()) gDataSize = 0;
  if (!loadAll) return;
  loadAllEntries(in);
  in->close();
  caught();
  libStream = nullptr;
  System::gc();
}

ByteArray* CGame::Lib_GetData(int32_t index, bool, ByteArray* buffer) {
  SORV_FRAME("CGame.Lib_GetData(IZ[B)[B");
  if (index < 0 || index >= libOffsetCount - 1 || isNull(libOffsets.get())) {
    printOutOfRange();
    return nullptr;
  }
  const int32_t* o = libOffsets->elements();
  if (o[index + 1] == o[index]) return nullptr;
  if (!isNull(libEntries.get())) return static_cast<ByteArray*>(libEntries->elements()[index]);
  InputStream* in = libStream.get();
  if (index < libNextEntry || isNull(in)) return nullptr;
  int64_t start, size;
  if (!entryRange(index, &start, &size) || start < gPosition) {
    logBadEntry(index, start, size);
    return nullptr;
  }
  if (!skipTo(in, start)) return nullptr;
  const auto length = static_cast<int32_t>(size);
  ByteArray* into = buffer;
  if (isNull(into) || into->length < length) into = Array::newByteArray(length);
  if (isNull(into) || !readFully(in, into, length)) return nullptr;
  libNextEntry = index + 1;
  return into;
}

void CGame::Lib_Close() {
  SORV_FRAME("CGame.Lib_Close()V");
  libOffsets = nullptr;
  libEntries = nullptr;
  libOffsetCount = 0;
  libNextEntry = 0;
  gDataSize = gPosition = 0;
  if (InputStream* in = libStream.get(); !isNull(in)) {
    in->close();
    caught();
  }
  libStream = nullptr;
}

void CGame::Lib_FreeData(int32_t index) {
  SORV_FRAME("CGame.Lib_FreeData(I)V");
  if (index < 0 || index >= libOffsetCount - 1 || isNull(libEntries.get())) return;
  libEntries->elements()[index] = nullptr;
}

}  // namespace sorv
