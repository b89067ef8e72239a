#include "device/file.h"

#include <sys/stat.h>


#include "device/platform/folders.h"
#include "device/platform/paths.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_exceptions.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(File, SORV_REF_OFFSET(File, path));

namespace {

constexpr const char* kGameFolder = "\\Kestovan\\Sorvantel 2009";
constexpr const char* kDataBarName = "\\data.bar";
constexpr int32_t kChunkSize = 512;

bool pending() { return Application::pendingException() != nullptr; }

String* concat(String* head, const char* tail) {
  std::string text = String::toCString(head) + tail;
  return String::fromCString(text.c_str());
}

int64_t currentPosition(std::FILE* f) {
  long at = std::ftell(f);
  return at < 0 ? 0 : at;
}

}  // namespace

namespace GameFolders {

namespace {

std::string programFilesText() {
  std::string folder;
  if (!platform::specialFolderPath(platform::SpecialFolder::ProgramFiles, folder)) {
    // The phone left the buffer empty here; the known folder keeps saved games where the
    // setup library looks for them.
    static bool logged = false;
    if (!logged) Debug::trace("program files folder not found, using %s", platform::kProgramFilesFolder);
    logged = true;
    folder = platform::kProgramFilesFolder;
  }
  return folder;
}

}  // namespace

String* programFilesPath() { return String::fromCString(programFilesText().c_str()); }

std::string installFolderText() { return programFilesText() + kGameFolder; }

String* installFolderPath() { return concat(programFilesPath(), kGameFolder); }

String* dataBarPath() { return concat(installFolderPath(), kDataBarName); }

}  // namespace GameFolders

bool checkByteRange(ByteArray* b, int32_t off, int32_t len) {
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return false;
  }
  if (off < 0 || len < 0 || static_cast<int64_t>(off) + len > b->length) {
    throwArrayIndex(off < 0 || off > b->length ? off : off + len);
    return false;
  }
  return true;
}

// ---- File

File* File::create(String* path) {
  if (isNull(path)) return nullptr;
  std::u16string lower(path->units(), static_cast<size_t>(path->length()));
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
  }
  String* lowered = String::fromUnits(lower.data(), static_cast<int32_t>(lower.size()));
  if (isNull(lowered)) return nullptr;
  File* file = newObject<File>();
  if (file != nullptr) file->path = lowered;
  return file;
}

bool File::hostPath(std::string& out) const {
  std::string cePath = String::toCString(path);
  if (!platform::toHostPath(cePath, out)) {
    Debug::trace("file: refused path %s", cePath.c_str());
    return false;
  }
  return true;
}

bool File::exists() {
  std::string host;
  if (!hostPath(host)) return false;
  std::FILE* f = std::fopen(host.c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

int32_t File::length() {
  std::string host;
  struct stat st;
  if (!hostPath(host) || ::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return st.st_size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(st.st_size);
}

bool File::deleteFile() {
  std::string host;
  if (!hostPath(host)) return false;
  std::FILE* f = std::fopen(host.c_str(), "w");
  if (f == nullptr) return false;
  return std::fclose(f) == 0;
}

InputStream* File::getInputStream() {
  std::string host;
  return hostPath(host) ? NativeFileInputStream::open(host) : nullptr;
}

OutputStream* File::getOutputStream() {
  std::string host;
  return hostPath(host) ? NativeFileOutputStream::open(host) : nullptr;
}

// ---- NativeFileInputStream

NativeFileInputStream* NativeFileInputStream::open(const std::string& hostPath) {
  std::FILE* f = std::fopen(hostPath.c_str(), "rb");
  if (f == nullptr) return nullptr;
  // A folder opens for reading on Linux but reads nothing: it is not a file.
  struct stat st;
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    return nullptr;
  }
  NativeFileInputStream* s = newObject<NativeFileInputStream>();
  if (s == nullptr) {
    std::fclose(f);
    return nullptr;
  }
  s->handle = f;
  s->fileLength = st.st_size;
  return s;
}

int32_t NativeFileInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  SORV_FRAME("FileInputStream.read([BII)I");
  if (!checkByteRange(b, off, len)) return 0;
  if (len < 1) return 0;
  if (handle == nullptr) return -1;
  size_t n = std::fread(b->elements() + off, 1, static_cast<size_t>(len), handle);
  return n == 0 ? -1 : static_cast<int32_t>(n);
}

int32_t NativeFileInputStream::read() {
  if (handle == nullptr) return -1;
  int c = std::fgetc(handle);
  return c == EOF ? -1 : c;
}

int64_t NativeFileInputStream::skip(int64_t n) {
  if (handle == nullptr || n <= 0) return 0;
  if (std::fseek(handle, static_cast<long>(n), SEEK_CUR) != 0) return 0;
  return n;
}

int32_t NativeFileInputStream::available() {
  if (handle == nullptr) return 0;
  int64_t left = fileLength - currentPosition(handle);
  if (left < 0) return 0;
  return left > INT32_MAX ? INT32_MAX : static_cast<int32_t>(left);
}

void NativeFileInputStream::close() {
  if (handle == nullptr) return;
  std::fclose(handle);
  handle = nullptr;
}

void NativeFileInputStream::setMark(int32_t) {
  if (handle != nullptr) markPosition = currentPosition(handle);
}

void NativeFileInputStream::reset() {
  if (handle != nullptr) std::fseek(handle, static_cast<long>(markPosition), SEEK_SET);
}

// ---- NativeFileOutputStream

NativeFileOutputStream* NativeFileOutputStream::open(const std::string& hostPath) {
  std::FILE* f = std::fopen(hostPath.c_str(), "wb+");
  if (f == nullptr) return nullptr;
  NativeFileOutputStream* s = newObject<NativeFileOutputStream>();
  if (s == nullptr) {
    std::fclose(f);
    return nullptr;
  }
  s->handle = f;
  return s;
}

void NativeFileOutputStream::finalize() {
  if (handle != nullptr) std::fclose(handle);
  handle = nullptr;
}

void NativeFileOutputStream::close() {
  if (handle == nullptr) return;
  // Buffered bytes reach the file only here: a failure is a lost write, not a detail.
  bool ok = std::fclose(handle) == 0;
  handle = nullptr;
  if (!ok) throwNew(kIOException);
}

void NativeFileOutputStream::write(int32_t b) {
  if (handle == nullptr || std::fputc(b & 0xFF, handle) == EOF) throwNew(kIOException);
}

void NativeFileOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  SORV_FRAME("FileOutputStream.write([BII)V");
  if (!checkByteRange(b, off, len) || len == 0) return;
  if (handle == nullptr ||
      std::fwrite(b->elements() + off, 1, static_cast<size_t>(len), handle) !=
          static_cast<size_t>(len)) {
    throwNew(kIOException);
  }
}

void NativeFileOutputStream::write(ByteArray* b) {
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return;
  }
  write(b, 0, b->length);
}

// ---- readStreamFully

ByteArray* readStreamFully(InputStream* in) {
  SORV_FRAME("File.readStreamFully(Ljava/io/InputStream;)[B");
  if (isNull(in)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  ByteArrayOutputStream* out = ByteArrayOutputStream::create();
  ByteArray* chunk = Array::newByteArray(kChunkSize);
  if (isNull(out) || isNull(chunk)) return nullptr;
  while (in->available() > 0) {
    int32_t n = in->read(chunk, 0, kChunkSize);
    if (pending() || n <= 0) break;
    out->write(chunk, 0, n);
    if (pending()) break;
  }
  return out->toByteArray();
}

}  // namespace sorv
