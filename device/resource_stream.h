// The resource archive seen by translated code: the lazily loaded table of data.bar,
// `ResourceInputStream` (class id 72) bounded to one entry, and the resource opener that
// every loader uses (Class.getResourceAsStream).
//
// What always holds:
// - The table is read once per runtime, on the first lookup, through the validated reader
//   of archive.h: every entry kept lies wholly inside data.bar. The archive File (a static
//   root) is set once loading was tried, so a missing archive is not tried again; the
//   runtime's start clears it, and the next lookup reads the table anew.
// - A ResourceInputStream never moves past its entry: 0 <= position <= size, and a read
//   that brings no byte leaves the position where it was.
// The shell installs the opener (Resources::installOpener) before Application::init, so
// the runtime reads "/constants.bin" from the archive.
#pragma once

#include <cstdint>

#include "device/file.h"
#include "runtime/io_streams.h"
#include "runtime/object.h"

namespace sorv {

class String;

class ResourceInputStream : public InputStream {
 public:
  static constexpr ClassId kClassId = kResourceInputStream;

  InputStream* in = nullptr;  // positioned at the entry's first byte
  int32_t size = 0;
  int32_t position = 0;

  static StaticRef<File> archiveFile;

  // newObject + ResourceInputStream.<init>(InputStream, int).
  static ResourceInputStream* create(InputStream* in, int32_t size);
  // Reads the table of data.bar (Shell's dataBarPath); a missing or damaged archive leaves
  // an empty or shortened table, logged once.
  static void loadFileTable();
  // One leading '/' dropped, whole names compared ignoring ASCII case, the first match
  // wins; null when nothing matches or the archive does not open.
  static InputStream* getResourceAsStream(String* name);

  using InputStream::read;
  // Past the entry's end (also for len 0) throws EOFException.
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read(ByteArray* b) override;
  int32_t read() override;  // -1 past the entry's end
  int64_t skip(int64_t n) override;
  int32_t available() override { return size - position; }
  void close() override;
  void setMark(int32_t readLimit) override;
  void reset() override;  // passed on; the position is not restored
  bool markSupported() override;
};

namespace Resources {

// Class.getResourceAsStream: a name ending ".bar" that opens as a file is that file;
// every other name is looked up in the archive.
InputStream* getResourceAsStream(String* name);
// Makes getResourceAsStream the runtime's resource opener (constants.h).
void installOpener();

}  // namespace Resources

}  // namespace sorv
