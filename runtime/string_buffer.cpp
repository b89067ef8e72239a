#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/string_internal.h"

namespace sorv {

namespace {

bool nullBuffer(const StringBuffer* sb) {
  if (!isNull(sb)) return false;
  reportError("NullPointer");
  return true;
}

// Grows the buffer for n more units, moves the units from offset up by n and returns where
// the n new units go (valid until the next allocation); null after a report.
char16_t* openGap(StringBuffer* sb, int32_t offset, int32_t n) {
  if (offset < 0 || offset > sb->length) {
    reportError("StringBuffer insert offset");
    return nullptr;
  }
  int64_t need = static_cast<int64_t>(sb->length) + n + 1;
  if (n < 0 || need > INT32_MAX) {
    reportError("StringBuffer insert offset");
    return nullptr;
  }
  if (!StringBuffer::ensureCapacity(sb, static_cast<int32_t>(need))) return nullptr;
  char16_t* at = sb->buffer + offset;
  std::memmove(at + n, at, sizeof(char16_t) * (sb->length - offset));
  sb->length += n;
  sb->buffer[sb->length] = 0;
  return at;
}

}  // namespace

StringBuffer* StringBuffer::create(int32_t capacity) {
  StringBuffer* sb = newObject<StringBuffer>();
  if (sb != nullptr) init(sb, capacity);
  return sb;
}

void StringBuffer::init(StringBuffer* sb, int32_t capacity) {
  sb->length = 0;
  sb->capacity = 0;
  sb->buffer = nullptr;
  if (capacity > 0) ensureCapacity(sb, capacity);
}

bool StringBuffer::ensureCapacity(StringBuffer* sb, int32_t n) {
  if (n <= sb->capacity) return true;
  int64_t grown = static_cast<int64_t>(sb->capacity) * 2;
  if (grown < n) grown = n;
  if (grown > INT32_MAX) grown = INT32_MAX;
  auto* block = static_cast<char16_t*>(qmx_malloc(sizeof(char16_t) * static_cast<size_t>(grown)));
  if (block == nullptr) return false;
  // Read the old block only now: the allocation may have moved it.
  if (sb->buffer != nullptr) {
    std::memcpy(block, sb->buffer, sizeof(char16_t) * sb->length);
    qmx_free(sb->buffer);
  }
  sb->buffer = block;
  registerBufferField(&sb->buffer);
  sb->capacity = static_cast<int32_t>(grown);
  sb->buffer[sb->length] = 0;
  return true;
}

void StringBuffer::finalize() {
  if (buffer != nullptr) qmx_free(buffer);
  buffer = nullptr;
  capacity = 0;
  length = 0;
}

String* StringBuffer::toString() {
  String* s = newObject<String>();
  if (s == nullptr) return nullptr;
  int32_t n = length;
  char16_t* text = String::reserveText(s, n);
  if (text != nullptr && n > 0) std::memcpy(text, buffer, sizeof(char16_t) * n);
  return s;
}

void StringBuffer::insert(StringBuffer* sb, int32_t offset, const char16_t* units, int32_t n) {
  if (nullBuffer(sb)) return;
  if (units == nullptr && n > 0) {
    reportError("NullPointer");
    return;
  }
  std::u16string copy;
  if (n > 0 && inBufferHeap(units)) {
    copy.assign(units, static_cast<size_t>(n));
    units = copy.data();
  }
  char16_t* gap = openGap(sb, offset, n);
  if (gap != nullptr && n > 0) std::memcpy(gap, units, sizeof(char16_t) * n);
}

void StringBuffer::insertString(StringBuffer* sb, int32_t offset, String* s) {
  if (nullBuffer(sb)) return;
  if (isNull(s)) {
    insert(sb, offset, u"null", 4);
    return;
  }
  int32_t n = s->length();
  char16_t* gap = openGap(sb, offset, n);
  // s->text is read after the growth, which may have moved it.
  if (gap != nullptr && n > 0) std::memcpy(gap, s->text, sizeof(char16_t) * n);
}

void StringBuffer::appendString(StringBuffer* sb, String* s) {
  if (nullBuffer(sb)) return;
  insertString(sb, sb->length, s);
}

void StringBuffer::appendObject(StringBuffer* sb, Object* o) {
  if (nullBuffer(sb)) return;
  appendString(sb, isNull(o) ? nullptr : o->toString());
}

void StringBuffer::appendBoolean(StringBuffer* sb, bool value) {
  if (nullBuffer(sb)) return;
  if (value) {
    insert(sb, sb->length, u"true", 4);
  } else {
    insert(sb, sb->length, u"false", 5);
  }
}

void StringBuffer::appendChar(StringBuffer* sb, int32_t ch) {
  if (nullBuffer(sb)) return;
  char16_t unit = static_cast<char16_t>(ch);
  insert(sb, sb->length, &unit, 1);
}

void StringBuffer::appendInt(StringBuffer* sb, int32_t value) {
  if (nullBuffer(sb)) return;
  char digits[16];
  int n = std::snprintf(digits, sizeof digits, "%d", value);
  char16_t units[16];
  for (int i = 0; i < n; ++i) units[i] = static_cast<unsigned char>(digits[i]);
  insert(sb, sb->length, units, n);
}

void StringBuffer::setLength(StringBuffer* sb, int32_t n) {
  if (nullBuffer(sb)) return;
  if (n < 0 || n == INT32_MAX) {
    reportError("StringBuffer setLength");
    return;
  }
  if (n + 1 > sb->capacity && !ensureCapacity(sb, n + 1)) return;
  // Units beyond the old length are zero, as a longer Java buffer reads them.
  if (n > sb->length) std::memset(sb->buffer + sb->length, 0, sizeof(char16_t) * (n - sb->length));
  sb->length = n;
  sb->buffer[n] = 0;
}

}  // namespace sorv
