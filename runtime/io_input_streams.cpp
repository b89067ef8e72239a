#include <cstring>

#include "runtime/application.h"
#include "runtime/encodings.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/string.h"
#include "runtime/string_internal.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(DataInputStream, SORV_REF_OFFSET(DataInputStream, in));
SORV_REF_FIELDS(ByteArrayInputStream, SORV_REF_OFFSET(ByteArrayInputStream, buf));

namespace {

bool pending() { return Application::pendingException() != nullptr; }

}  // namespace

// ---- InputStream: the library's defaults

int32_t InputStream::read() { return -1; }

int32_t InputStream::read(ByteArray* b) {
  SORV_FRAME("InputStream.read([B)I");
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return 0;
  }
  return read(b, 0, b->length);
}

int32_t InputStream::read(ByteArray* b, int32_t off, int32_t len) {
  SORV_FRAME("InputStream.read([BII)I");
  if (!streamRangeOk(b, off, len)) return 0;
  if (len == 0) return 0;
  int32_t c = read();
  if (pending()) return 0;
  if (c < 0) return -1;
  b->elements()[off] = static_cast<int8_t>(c);
  int32_t n = 1;
  while (n < len) {
    c = read();
    if (pending() || c < 0) break;
    b->elements()[off + n] = static_cast<int8_t>(c);
    ++n;
  }
  return n;
}

int64_t InputStream::skip(int64_t n) {
  int64_t skipped = 0;
  while (skipped < n) {
    if (read() < 0 || pending()) break;
    ++skipped;
  }
  return skipped;
}

int32_t InputStream::available() { return 0; }
void InputStream::close() {}
void InputStream::setMark(int32_t) {}
void InputStream::reset() { throwNew(kIOException); }
bool InputStream::markSupported() { return false; }

// ---- DataInputStream

DataInputStream* DataInputStream::create(InputStream* in) {
  DataInputStream* s = newObject<DataInputStream>();
  if (s != nullptr) s->in = in;
  return s;
}

namespace {

InputStream* source(DataInputStream* s) {
  if (isNull(s->in)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  return s->in;
}

}  // namespace

int32_t DataInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  InputStream* s = source(this);
  return s != nullptr ? s->read(b, off, len) : 0;
}
int32_t DataInputStream::read(ByteArray* b) {
  InputStream* s = source(this);
  return s != nullptr ? s->read(b) : 0;
}
int32_t DataInputStream::read() {
  InputStream* s = source(this);
  return s != nullptr ? s->read() : -1;
}
int64_t DataInputStream::skip(int64_t n) {
  InputStream* s = source(this);
  if (s == nullptr) return 0;
  int64_t k = s->skip(n);
  return pending() ? 0 : k;
}
int32_t DataInputStream::available() {
  InputStream* s = source(this);
  return s != nullptr ? s->available() : 0;
}
void DataInputStream::close() {
  if (InputStream* s = source(this)) s->close();
}
void DataInputStream::setMark(int32_t readLimit) {
  if (InputStream* s = source(this)) s->setMark(readLimit);
}
void DataInputStream::reset() {
  if (InputStream* s = source(this)) s->reset();
}
bool DataInputStream::markSupported() {
  InputStream* s = source(this);
  return s != nullptr && s->markSupported();
}

int32_t DataInputStream::readByte() {
  SORV_FRAME("DataInputStream.readByte()B");
  int32_t c = read();
  if (pending()) return 0;
  if (c < 0) {
    throwNew(kEOFException);
    return 0;
  }
  return static_cast<int8_t>(c);
}

int32_t DataInputStream::readUnsignedShort() {
  SORV_FRAME("DataInputStream.readUnsignedShort()I");
  int32_t a = read();
  if (pending()) return 0;
  int32_t b = read();
  if (pending()) return 0;
  if ((a | b) < 0) {
    throwNew(kEOFException);
    return 0;
  }
  return (a << 8) + b;
}

int32_t DataInputStream::readShort() {
  SORV_FRAME("DataInputStream.readShort()S");
  return static_cast<int16_t>(readUnsignedShort());
}

int32_t DataInputStream::readInt() {
  SORV_FRAME("DataInputStream.readInt()I");
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    int32_t c = read();
    if (pending()) return 0;
    if (c < 0) {
      throwNew(kEOFException);
      return 0;
    }
    v = v << 8 | static_cast<uint32_t>(c & 0xFF);
  }
  return static_cast<int32_t>(v);
}

void DataInputStream::readFully(ByteArray* b, int32_t off, int32_t len) {
  SORV_FRAME("DataInputStream.readFully([BII)V");
  if (!streamRangeOk(b, off, len)) return;
  int32_t n = 0;
  while (n < len) {
    int32_t k = read(b, off + n, len - n);
    if (pending()) return;
    // A stream that gives 0 while bytes are still wanted has nothing more: without this
    // the loop would never end.
    if (k <= 0) {
      throwNew(kEOFException);
      return;
    }
    n += k < len - n ? k : len - n;
  }
}

String* DataInputStream::readUTF() {
  SORV_FRAME("DataInputStream.readUTF()Ljava/lang/String;");
  int32_t utflen = readUnsignedShort();
  if (pending()) return nullptr;
  ByteArray* bytes = Array::newByteArray(utflen);
  if (isNull(bytes) || bytes->length != utflen) return nullptr;
  readFully(bytes, 0, utflen);
  if (pending()) return nullptr;
  String* s = newObject<String>();
  if (s == nullptr) return nullptr;
  if (!decodeIntoString(s, bytes, 0, utflen, TextEncoding::kModifiedUtf8, true)) {
    throwNew(kUTFDataFormatException);
    return nullptr;
  }
  return s;
}

// ---- ByteArrayInputStream

ByteArrayInputStream* ByteArrayInputStream::create(ByteArray* buf, int32_t offset, int32_t length) {
  ByteArrayInputStream* s = newObject<ByteArrayInputStream>();
  if (s == nullptr) return nullptr;
  s->buf = buf;
  int64_t size = isNull(buf) ? 0 : buf->length;
  // Positions outside the array would make read() index outside it: keep both inside.
  int64_t pos = offset < 0 ? 0 : (offset > size ? size : offset);
  int64_t end = static_cast<int64_t>(offset) + length;
  if (end > size) end = size;
  if (end < pos) end = pos;
  s->pos = static_cast<int32_t>(pos);
  s->markPos = s->pos;
  s->count = static_cast<int32_t>(end);
  return s;
}

ByteArrayInputStream* ByteArrayInputStream::create(ByteArray* buf) {
  return create(buf, 0, isNull(buf) ? 0 : buf->length);
}

int32_t ByteArrayInputStream::read() {
  if (pos >= count || isNull(buf)) return -1;
  return static_cast<uint8_t>(buf->elements()[pos++]);
}

int32_t ByteArrayInputStream::read(ByteArray* b, int32_t off, int32_t len) {
  if (!streamRangeOk(b, off, len)) return 0;
  if (pos >= count || isNull(buf)) return -1;
  if (len > count - pos) len = count - pos;
  if (len >= 1) {
    std::memmove(b->elements() + off, buf->elements() + pos, static_cast<size_t>(len));
    pos += len;
  }
  return len;
}

int64_t ByteArrayInputStream::skip(int64_t n) {
  int64_t k = count - pos;
  if (n < k) k = n < 0 ? 0 : n;
  pos += static_cast<int32_t>(k);
  return k;
}

int32_t ByteArrayInputStream::available() { return count - pos; }
void ByteArrayInputStream::setMark(int32_t) { markPos = pos; }
void ByteArrayInputStream::reset() { pos = markPos; }

}  // namespace sorv
