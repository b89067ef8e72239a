#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/application.h"
#include "runtime/array.h"
#include "runtime/encodings.h"
#include "runtime/frames.h"
#include "runtime/heap.h"
#include "runtime/string.h"
#include "runtime/string_internal.h"
#include "runtime/throwable.h"

namespace sorv {

bool inBufferHeap(const void* p) {
  Application* app = Application::instance();
  return app != nullptr && app->bufferHeap != nullptr && app->bufferHeap->owns(p);
}

bool rangeInside(int32_t size, int32_t offset, int32_t count) {
  // In 64 bits: offset + count must not wrap past the check.
  return offset >= 0 && count >= 0 && static_cast<int64_t>(offset) + count <= size;
}

bool streamRangeOk(ByteArray* b, int32_t off, int32_t len) {
  if (isNull(b)) {
    throwNew(kNullPointerException);
    return false;
  }
  if (!rangeInside(b->length, off, len)) {
    throwNew(kIndexOutOfBoundsException);
    return false;
  }
  return true;
}

char16_t* String::reserveText(String* s, int32_t length) {
  if (length < 0) length = 0;
  s->text = s->inlineText;
  s->count = 1;
  s->inlineText[0] = 0;
  // count = length + 1 must fit an int32.
  if (length == INT32_MAX) return nullptr;
  if (length + 1 < kInlineUnits) {
    s->count = length + 1;
    s->inlineText[length] = 0;
    return s->inlineText;
  }
  auto* block = static_cast<char16_t*>(qmx_malloc(sizeof(char16_t) * (static_cast<size_t>(length) + 1)));
  if (block == nullptr) return nullptr;
  s->text = block;
  registerBufferField(&s->text);
  s->count = length + 1;
  s->text[length] = 0;
  return s->text;
}

void String::init(String* s, CharArray* chars, int32_t offset, int32_t count) {
  reserveText(s, 0);
  if (isNull(chars)) {
    reportError("String::init ca=null");
    return;
  }
  if (!rangeInside(chars->length, offset, count)) {
    reportError("ArrayOutOfBound");
    return;
  }
  char16_t* text = reserveText(s, count);
  if (text != nullptr && count > 0) std::memcpy(text, chars->elements() + offset, sizeof(char16_t) * count);
}

void String::initFromBytes(String* s, ByteArray* bytes, int32_t offset, int32_t count) {
  reserveText(s, 0);
  if (isNull(bytes)) {
    reportError("NullPointer");
    return;
  }
  if (!rangeInside(bytes->length, offset, count)) {
    reportError("ArrayOutOfBound");
    return;
  }
  char16_t* text = reserveText(s, count);
  if (text == nullptr) return;
  // Read after reserveText: it may have moved the byte array's data.
  const auto* in = reinterpret_cast<const uint8_t*>(bytes->elements()) + offset;
  for (int32_t i = 0; i < count; ++i) text[i] = in[i];
}

void String::initFromByteArray(String* s, ByteArray* bytes) {
  initFromBytes(s, bytes, 0, isNull(bytes) ? 0 : bytes->length);
}

bool String::initFromBytesEncoded(String* s, ByteArray* bytes, int32_t offset, int32_t length,
                                  String* encodingName) {
  reserveText(s, 0);
  TextEncoding encoding = TextEncoding::kLatin1;
  if (!isNull(encodingName) && !findEncoding(encodingName->text, encodingName->length(), &encoding)) {
    reportError("encoding not supported");
    return false;
  }
  if (isNull(bytes)) {
    reportError("NullPointer");
    return true;
  }
  if (!rangeInside(bytes->length, offset, length)) {
    reportError("ArrayOutOfBound");
    return true;
  }
  decodeIntoString(s, bytes, offset, length, encoding, false);
  return true;
}

void String::initFromUnitPointer(String* s, const char16_t* units, int32_t count) {
  reserveText(s, 0);
  if (units == nullptr || count <= 0) return;
  // Units inside the buffer heap could move while the text block is allocated.
  std::u16string copy;
  if (inBufferHeap(units)) {
    copy.assign(units, static_cast<size_t>(count));
    units = copy.data();
  }
  char16_t* text = reserveText(s, count);
  if (text != nullptr) std::memcpy(text, units, sizeof(char16_t) * count);
}

void String::initFromUnits(String* s, const char16_t* units, int32_t offset, int32_t count) {
  if (offset < 0) {
    reserveText(s, 0);
    reportError("ArrayOutOfBound");
    return;
  }
  initFromUnitPointer(s, units == nullptr ? nullptr : units + offset, count);
}

void String::initFromCString(String* s, const char* latin1) {
  reserveText(s, 0);
  if (latin1 == nullptr) return;
  std::string copy;
  if (inBufferHeap(latin1)) {
    copy = latin1;
    latin1 = copy.c_str();
  }
  size_t n = std::strlen(latin1);
  if (n >= static_cast<size_t>(INT32_MAX)) return;
  char16_t* text = reserveText(s, static_cast<int32_t>(n));
  if (text == nullptr) return;
  for (size_t i = 0; i < n; ++i) text[i] = static_cast<unsigned char>(latin1[i]);
}

void String::initFromWideCString(String* s, const char16_t* text) {
  if (text == nullptr) {
    reserveText(s, 0);
    return;
  }
  size_t n = 0;
  while (text[n] != 0) ++n;
  initFromUnitPointer(s, text, n >= static_cast<size_t>(INT32_MAX) ? 0 : static_cast<int32_t>(n));
}

String* String::fromCString(const char* latin1) {
  String* s = newObject<String>();
  if (s != nullptr) initFromCString(s, latin1);
  return s;
}

String* String::fromUnits(const char16_t* units, int32_t count) {
  String* s = newObject<String>();
  if (s != nullptr) initFromUnitPointer(s, units, count);
  return s;
}

String* String::fromWideCString(const char16_t* text) {
  String* s = newObject<String>();
  if (s != nullptr) initFromWideCString(s, text);
  return s;
}

String* String::valueOfInt(int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  return fromCString(digits);
}

bool String::equals(Object* other) {
  if (isNull(other) || other->classId != kString) return false;
  if (other == this) return true;
  return compareTo(this, static_cast<String*>(other)) == 0;
}

int32_t String::hashCode() {
  uint32_t h = 0;
  // The terminating 0 unit counts too: the result is 31 times the usual hash.
  for (int32_t i = 0; i < count; ++i) h = 31 * h + text[i];
  return static_cast<int32_t>(h);
}

void String::finalize() {
  if (text != nullptr && text != inlineText) qmx_free(text);
  text = inlineText;
  count = 1;
  inlineText[0] = 0;
}

std::string String::toCString(String* s) {
  std::string out;
  if (isNull(s)) return out;
  int32_t n = s->length();
  out.resize(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) out[i] = static_cast<char>(s->text[i] & 0xFF);
  return out;
}

std::string String::toUtf8(String* s) {
  std::string out;
  if (isNull(s)) return out;
  int32_t n = s->length();
  for (int32_t i = 0; i < n; ++i) {
    uint32_t c = s->text[i];
    // A surrogate pair makes one code point; a lone surrogate is written as it stands.
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && s->text[i + 1] >= 0xDC00 && s->text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s->text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace sorv
