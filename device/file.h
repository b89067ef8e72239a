// Files on the phone's file system: the game's folders, the `File` class (class id 68) with
// its natives, the native file streams and readStreamFully.
//
// What always holds:
// - A File's path is a phone path, lower-cased (ASCII A-Z only) when the File is made;
//   opening it narrows every UTF-16 unit to its low 8 bits and lets platform/paths.h find
//   the host file (case ignored, ".." refused). A refused path behaves as a missing file.
// - A native stream owns at most one open FILE; close clears it, a second close does
//   nothing, and the collector's finalize closes a stream nobody closed.
// - Every byte range handed to a stream is checked against its array first
//   (ArrayIndexOutOfBoundsException); a failed write or close throws IOException.
// Translated code and the device classes (resource archive, record stores) call these.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/io_streams.h"
#include "runtime/object.h"

namespace sorv {

class ByteArray;
class String;

// The game's folders as phone paths (the shell's programFilesPath, installFolderPath and
// dataBarPath): the program-files folder, then "\Kestovan\Sorvantel 2009", then "\data.bar".
namespace GameFolders {
String* programFilesPath();
String* installFolderPath();
String* dataBarPath();
// The install folder as plain text, for the start before the runtime exists.
std::string installFolderText();
}  // namespace GameFolders

class File : public Object {
 public:
  static constexpr ClassId kClassId = kFile;

  String* path = nullptr;

  // newObject + File.<init>(String): keeps the path lower-cased. Null for a null path.
  static File* create(String* path);

  // The host path of `path`; false (logged) when the phone path is refused.
  bool hostPath(std::string& out) const;

  bool exists();
  // The file's size; 0 for a file that does not open.
  int32_t length();
  // File.delete(): truncates the file to 0 bytes (it stays, as on the phone); false when it
  // cannot be opened for writing.
  bool deleteFile();
  // A native input stream ("rb"), or null when the file does not open.
  InputStream* getInputStream();
  // A native output stream ("wb+": created or truncated), or null.
  OutputStream* getOutputStream();
};

// Native file input stream: class id 21 with InputStream's slots.
class NativeFileInputStream : public InputStream {
 public:
  static constexpr ClassId kClassId = kInputStream;

  std::FILE* handle = nullptr;
  int64_t markPosition = 0;
  int64_t fileLength = 0;  // taken when opened

  // Null when the host file does not open for reading.
  static NativeFileInputStream* open(const std::string& hostPath);

  void finalize() override { close(); }
  using InputStream::read;
  // Up to len bytes; 0 when len < 1, -1 at the end with nothing read.
  int32_t read(ByteArray* b, int32_t off, int32_t len) override;
  int32_t read() override;
  // Seeks forward by n > 0 and answers n, even past the end (as the phone's did); else 0.
  int64_t skip(int64_t n) override;
  int32_t available() override;
  void close() override;
  void setMark(int32_t readLimit) override;
  void reset() override;
  bool markSupported() override { return true; }
};

// Native file output stream: class id 23 with OutputStream's slots.
class NativeFileOutputStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kOutputStream;

  std::FILE* handle = nullptr;

  // Null when the host file cannot be created or truncated.
  static NativeFileOutputStream* open(const std::string& hostPath);

  void finalize() override;
  void close() override;
  void write(int32_t b) override;
  void write(ByteArray* b, int32_t off, int32_t len) override;
  void write(ByteArray* b) override;
};

// Reads 512-byte chunks while the stream has bytes available and returns them all. A read
// that gives nothing ends it: a stream cut short would otherwise be read for ever.
ByteArray* readStreamFully(InputStream* in);

// Throws ArrayIndexOutOfBoundsException (or NullPointerException for a null array) unless
// 0 <= off, 0 <= len and off + len <= b's length; true when the range is inside.
bool checkByteRange(ByteArray* b, int32_t off, int32_t len);

}  // namespace sorv
