#include <climits>
#include <cstring>

#include "runtime/application.h"
#include "runtime/class_table.h"
#include "runtime/frames.h"
#include "runtime/io_streams.h"
#include "runtime/string.h"
#include "runtime/string_internal.h"
#include "runtime/throwable.h"

namespace sorv {

SORV_REF_FIELDS(DataOutputStream, SORV_REF_OFFSET(DataOutputStream, out));
SORV_REF_FIELDS(ByteArrayOutputStream, SORV_REF_OFFSET(ByteArrayOutputStream, buf));
SORV_REF_FIELDS(PrintStream, SORV_REF_OFFSET(PrintStream, out));

namespace {

bool pending() { return Application::pendingException() != nullptr; }

// PrintStream never lets an IOException of its stream through.
void dropPendingIOException() {
  Application* app = Application::instance();
  if (app != nullptr && instanceOf(app->m_pendingException, kIOException)) app->m_pendingException = nullptr;
}

}  // namespace

// ---- OutputStream defaults

void OutputStream::write(int32_t) {}
void OutputStream::write(ByteArray*, int32_t, int32_t) {}
void OutputStream::write(ByteArray* b) {
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return;
  }
  write(b, 0, b->length);
}

// ---- DataOutputStream

DataOutputStream* DataOutputStream::create(OutputStream* out) {
  DataOutputStream* s = newObject<DataOutputStream>();
  if (s != nullptr) s->out = out;
  return s;
}

namespace {

OutputStream* sink(OutputStream* out) {
  if (isNull(out)) {
    throwNew(kNullPointerException);
    return nullptr;
  }
  return out;
}

}  // namespace

void DataOutputStream::close() {
  if (OutputStream* o = sink(out)) o->close();
}
void DataOutputStream::flush() {
  if (OutputStream* o = sink(out)) o->flush();
}
void DataOutputStream::write(int32_t b) {
  if (OutputStream* o = sink(out)) o->write(b);
}
void DataOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (OutputStream* o = sink(out)) o->write(b, off, len);
}
void DataOutputStream::write(ByteArray* b) {
  if (OutputStream* o = sink(out)) o->write(b);
}

void DataOutputStream::writeInt(int32_t v) {
  SORV_FRAME("DataOutputStream.writeInt(I)V");
  for (int shift = 24; shift >= 0; shift -= 8) {
    write(static_cast<int32_t>(static_cast<uint32_t>(v) >> shift & 0xFF));
    if (pending()) return;
  }
}

// ---- ByteArrayOutputStream

ByteArrayOutputStream* ByteArrayOutputStream::create() {
  ByteArrayOutputStream* s = newObject<ByteArrayOutputStream>();
  if (s == nullptr) return nullptr;
  ByteArray* buf = Array::newByteArray(kInitialSize);
  s->buf = buf;
  return s;
}

bool ByteArrayOutputStream::ensureRoom(int32_t more) {
  int64_t need = static_cast<int64_t>(count) + more;
  if (need > INT32_MAX) {
    throwNew(kIOException);
    return false;
  }
  int32_t size = isNull(buf) ? 0 : buf->length;
  if (need <= size) return true;
  int64_t grown = static_cast<int64_t>(size) * 2;
  if (grown < need) grown = need;
  if (grown > INT32_MAX) grown = INT32_MAX;
  ByteArray* bigger = Array::newByteArray(static_cast<int32_t>(grown));
  if (isNull(bigger) || bigger->length != grown) return false;
  if (count > 0) std::memcpy(bigger->elements(), buf->elements(), static_cast<size_t>(count));
  buf = bigger;
  return true;
}

void ByteArrayOutputStream::write(int32_t b) {
  if (!ensureRoom(1)) return;
  buf->elements()[count++] = static_cast<int8_t>(b);
}

void ByteArrayOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (!streamRangeOk(b, off, len)) return;
  if (len == 0 || !ensureRoom(len)) return;
  // b may be this stream's own buffer.
  std::memmove(buf->elements() + count, b->elements() + off, static_cast<size_t>(len));
  count += len;
}

ByteArray* ByteArrayOutputStream::toByteArray() {
  ByteArray* copy = Array::newByteArray(count);
  if (isNull(copy) || copy->length != count) return copy;
  if (count > 0) std::memcpy(copy->elements(), buf->elements(), static_cast<size_t>(count));
  return copy;
}

String* ByteArrayOutputStream::toString() {
  String* s = newObject<String>();
  if (s != nullptr) String::initFromBytes(s, buf, 0, count);
  return s;
}

// ---- PrintStream

PrintStream* PrintStream::create(OutputStream* out) {
  PrintStream* s = newObject<PrintStream>();
  if (s != nullptr) s->out = out;
  return s;
}

void PrintStream::close() {
  if (OutputStream* o = sink(out)) o->close();
  dropPendingIOException();
}
void PrintStream::flush() {
  if (OutputStream* o = sink(out)) o->flush();
  dropPendingIOException();
}
void PrintStream::write(int32_t b) {
  if (OutputStream* o = sink(out)) o->write(b);
  dropPendingIOException();
}
void PrintStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (OutputStream* o = sink(out)) o->write(b, off, len);
  dropPendingIOException();
}

void PrintStream::print(String* s) {
  SORV_FRAME("PrintStream.print(Ljava/lang/String;)V");
  // Like the library, a null String prints as "null".
  ByteArray* bytes = String::getBytes(isNull(s) ? String::fromCString("null") : s);
  if (bytes == nullptr) return;
  if (OutputStream* o = sink(out)) o->write(bytes);
  dropPendingIOException();
}

void PrintStream::println() {
  SORV_FRAME("PrintStream.println()V");
  if (OutputStream* o = sink(out)) o->write(10);
  dropPendingIOException();
}

}  // namespace sorv
