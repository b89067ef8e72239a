#include "device/resource_stream.h"

#include <string>

#include "device/archive.h"
#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/constants.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(ResourceInputStream, SORV_REF_OFFSET(ResourceInputStream, in));

StaticRef<File> ResourceInputStream::archiveFile;

namespace {

// Names, offsets and sizes of data.bar; meaningful while archiveFile is set.
ArchiveTable gTable;

bool pending() { return Application::pendingException() != nullptr; }

InputStream* source(ResourceInputStream* s) {
  if (isNull(s->in)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  return s->in;
}

}  // namespace

ResourceInputStream* ResourceInputStream::create(InputStream* in, int32_t size) {
  ResourceInputStream* s = newObject<ResourceInputStream>();
  if (s == nullptr) return nullptr;
  s->in = in;
  s->size = size < 0 ? 0 : size;
  return s;
}

void ResourceInputStream::loadFileTable() {
  SORV_FRAME("ResourceInputStream.loadFileTable()V");
  gTable = ArchiveTable();
  archiveFile = File::create(GameFolders::dataBarPath());
  std::string host;
  if (isNull(archiveFile) || !archiveFile->hostPath(host)) return;
  gTable = ArchiveTable::load(host);
}

InputStream* ResourceInputStream::getResourceAsStream(String* name) {
  SORV_FRAME("ResourceInputStream.getResourceAsStream(Ljava/lang/String;)Ljava/io/InputStream;");
  if (isNull(archiveFile)) loadFileTable();
  if (isNull(name) || isNull(archiveFile)) return nullptr;
  // A copy: the String's units may move with the allocations below.
  std::u16string wanted(name->units(), static_cast<size_t>(name->length()));
  const ArchiveEntry* entry = gTable.find(std::u16string_view(wanted));
  if (entry == nullptr) return nullptr;
  int32_t offset = entry->offset;
  int32_t size = entry->size;
  // Every open re-opens data.bar, so streams never share a position.
  InputStream* file = archiveFile->getInputStream();
  if (isNull(file)) {
    Debug::trace("data.bar: cannot open it again for %s", String::toUtf8(name).c_str());
    return nullptr;
  }
  file->skip(offset);
  if (pending()) {
    file->close();
    return nullptr;
  }
  return create(file, size);
}

int32_t ResourceInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  SORV_FRAME("ResourceInputStream.read([BII)I");
  if (!checkByteRange(b, off, len)) return 0;
  if (position >= size) {
    throwNew(kEOFException);
    return 0;
  }
  InputStream* s = source(this);
  if (s == nullptr) return 0;
  int32_t n = s->read(b, off, len < size - position ? len : size - position);
  // -1 from a data.bar cut short after the table was read must not move the position
  // backwards (readStreamFully would then never end).
  if (!pending() && n > 0) position += n;
  return n;
}

int32_t ResourceInputStream::read(ByteArray* b) {
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return 0;
  }
  return read(b, 0, b->length);
}

int32_t ResourceInputStream::read() {
  if (position >= size) return -1;
  InputStream* s = source(this);
  if (s == nullptr) return -1;
  int32_t c = s->read();
  if (c >= 0) position += 1;
  return c;
}

int64_t ResourceInputStream::skip(int64_t n) {
  if (n > size - position) n = size - position;
  if (n <= 0) return 0;
  InputStream* s = source(this);
  if (s == nullptr) return 0;
  int64_t k = s->skip(n);
  if (pending() || k <= 0) return 0;
  position += static_cast<int32_t>(k);
  return k;
}

void ResourceInputStream::close() {
  if (InputStream* s = source(this)) s->close();
}

void ResourceInputStream::setMark(int32_t readLimit) {
  if (InputStream* s = source(this)) s->setMark(readLimit);
}

void ResourceInputStream::reset() {
  if (InputStream* s = source(this)) s->reset();
}

bool ResourceInputStream::markSupported() {
  InputStream* s = source(this);
  return s != nullptr && s->markSupported();
}

namespace Resources {

InputStream* getResourceAsStream(String* name) {
  SORV_FRAME("Class.getResourceAsStream(Ljava/lang/String;)Ljava/io/InputStream;");
  if (isNull(name)) return nullptr;
  static const char16_t kBarSuffix[] = u".bar";
  int32_t n = name->length();
  if (n >= 4 && std::u16string_view(name->units() + n - 4, 4) == kBarSuffix) {
    File* file = File::create(name);
    if (!isNull(file) && file->exists()) return file->getInputStream();
  }
  return ResourceInputStream::getResourceAsStream(name);
}

void installOpener() { setResourceOpener(&getResourceAsStream); }

}  // namespace Resources

}  // namespace sorv
