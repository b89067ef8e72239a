// Queries on Strings and the operations that make a new String from one.
#include <cstring>

#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "runtime/string_internal.h"

namespace sorv {

namespace {

bool nullString(const String* s) {
  if (!isNull(s)) return false;
  reportError("NullPointer");
  return true;
}

char16_t asciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// A new String of n units of s from begin, each passed through map (after the allocation,
// so the source is read where it lies then).
template <class Map>
String* copyMapped(String* s, int32_t begin, int32_t n, Map map) {
  String* out = newObject<String>();
  if (out == nullptr) return nullptr;
  char16_t* text = String::reserveText(out, n);
  if (text == nullptr) return out;
  const char16_t* in = s->text + begin;
  for (int32_t i = 0; i < n; ++i) text[i] = map(in[i]);
  return out;
}

String* copyRange(String* s, int32_t begin, int32_t n) {
  return copyMapped(s, begin, n, [](char16_t c) { return c; });
}

String* emptyString() {
  String* out = newObject<String>();
  if (out != nullptr) String::reserveText(out, 0);
  return out;
}

bool equalsCStringWith(String* s, const char* text, char16_t (*fold)(char16_t)) {
  if (nullString(s)) return false;
  if (text == nullptr) return false;
  int32_t n = s->length();
  // The whole text must match: a String equal to a prefix of it is not equal.
  if (std::strlen(text) != static_cast<size_t>(n)) return false;
  for (int32_t i = 0; i < n; ++i) {
    if (fold(s->text[i]) != fold(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

}  // namespace

int32_t String::compareTo(String* a, String* b) {
  if (nullString(a) || nullString(b)) return 0;
  int32_t la = a->length(), lb = b->length();
  int32_t n = la < lb ? la : lb;
  for (int32_t i = 0; i < n; ++i) {
    if (a->text[i] != b->text[i]) return static_cast<int32_t>(a->text[i]) - b->text[i];
  }
  return la - lb;
}

bool String::equalsCString(String* s, const char* text) {
  return equalsCStringWith(s, text, [](char16_t c) { return c; });
}

bool String::equalsCStringIgnoreCase(String* s, const char* text) {
  return equalsCStringWith(s, text, asciiLower);
}

int32_t String::charAt(String* s, int32_t index) {
  if (nullString(s)) return 0;
  if (index < 0 || index >= s->length()) {
    reportError("charAt OOB");
    return 0;
  }
  return s->text[index];
}

int32_t String::indexOfChar(String* s, int32_t ch, int32_t from) {
  if (nullString(s)) return -1;
  int32_t n = s->length();
  for (int32_t i = from < 0 ? 0 : from; i < n; ++i) {
    if (s->text[i] == ch) return i;
  }
  return -1;
}

int32_t String::indexOfString(String* s, String* needle, int32_t from) {
  if (nullString(s) || nullString(needle)) return -1;
  int32_t m = needle->length();
  if (m == 1) return indexOfChar(s, needle->text[0], from);
  if (from < 0) from = 0;
  int32_t last = s->length() - m;
  for (int32_t p = from; p <= last; ++p) {
    if (std::memcmp(s->text + p, needle->text, sizeof(char16_t) * m) == 0) return p;
  }
  return -1;
}

bool String::startsWithAt(String* s, String* prefix, int32_t offset) {
  if (nullString(s) || nullString(prefix)) return false;
  int32_t m = prefix->length();
  if (!rangeInside(s->length(), offset, m)) return false;
  return std::memcmp(s->text + offset, prefix->text, sizeof(char16_t) * m) == 0;
}

bool String::endsWith(String* s, String* suffix) {
  if (nullString(s) || nullString(suffix)) return false;
  return startsWithAt(s, suffix, s->length() - suffix->length());
}

bool String::regionMatches(String* s, bool ignoreCase, int32_t toffset, String* other, int32_t ooffset,
                           int32_t len) {
  if (nullString(s) || nullString(other)) return false;
  if (toffset < 0 || ooffset < 0) return false;
  if (static_cast<int64_t>(toffset) + len > s->length() || static_cast<int64_t>(ooffset) + len > other->length()) {
    return false;
  }
  for (int32_t i = 0; i < len; ++i) {
    char16_t a = s->text[toffset + i], b = other->text[ooffset + i];
    if (a == b) continue;
    if (ignoreCase && (asciiUpper(a) == asciiUpper(b) || asciiLower(a) == asciiLower(b))) continue;
    return false;
  }
  return true;
}

String* String::substring(String* s, int32_t begin, int32_t end) {
  if (nullString(s)) return nullptr;
  if (begin < 0 || end > s->length() || begin > end) {
    reportError("substring index");
    return emptyString();
  }
  return copyRange(s, begin, end - begin);
}

String* String::substringFrom(String* s, int32_t begin) {
  if (nullString(s)) return nullptr;
  return substring(s, begin, s->length());
}

String* String::replace(String* s, int32_t oldChar, int32_t newChar) {
  if (nullString(s)) return nullptr;
  char16_t from = static_cast<char16_t>(oldChar), to = static_cast<char16_t>(newChar);
  if (from == to || indexOfChar(s, from, 0) < 0) return s;
  return copyMapped(s, 0, s->length(), [from, to](char16_t c) { return c == from ? to : c; });
}

String* String::toLowerCase(String* s) {
  if (nullString(s)) return nullptr;
  return copyMapped(s, 0, s->length(), asciiLower);
}

String* String::toUpperCase(String* s) {
  if (nullString(s)) return nullptr;
  return copyMapped(s, 0, s->length(), asciiUpper);
}

String* String::trim(String* s) {
  if (nullString(s)) return nullptr;
  int32_t begin = 0, end = s->length();
  while (begin < end && s->text[begin] <= u' ') ++begin;
  while (end > begin && s->text[end - 1] <= u' ') --end;
  return copyRange(s, begin, end - begin);
}

ByteArray* String::getBytes(String* s) {
  if (nullString(s)) return nullptr;
  int32_t n = s->length();
  ByteArray* bytes = Array::newByteArray(n);
  if (isNull(bytes) || bytes->length != n) return bytes;
  int8_t* out = bytes->elements();
  for (int32_t i = 0; i < n; ++i) out[i] = static_cast<int8_t>(s->text[i]);
  return bytes;
}

}  // namespace sorv
