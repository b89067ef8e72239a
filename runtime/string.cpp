#include "runtime/string.h"

#include <cstring>

#include "runtime/heap.h"

namespace sorv {

void String::finalize() {
  if (text != nullptr && text != inlineText) qmx_free(text);
  text = nullptr;
}

bool String::equals(Object* other) {
  if (isNull(other) || other->classId != kString) return false;
  auto* s = static_cast<String*>(other);
  return s->count == count && std::memcmp(s->text, text, sizeof(char16_t) * static_cast<size_t>(length())) == 0;
}

int32_t String::hashCode() {
  int32_t h = 0;
  for (int32_t i = 0; i < length(); i++) h = 31 * h + text[i];
  return h;
}

// units must not lie in the buffer heap: the allocation below may move it.
String* String::fromUnits(const char16_t* units, int32_t length) {
  if (length < 0) length = 0;
  String* s = newObject<String>();
  if (s == nullptr) return nullptr;
  s->count = length + 1;
  if (s->count < kInlineUnits) {
    s->text = s->inlineText;
  } else {
    s->text = static_cast<char16_t*>(Object::allocate(sizeof(char16_t) * static_cast<size_t>(s->count), 1));
    if (s->text == nullptr) {
      s->count = 1;
      s->text = s->inlineText;
      return s;
    }
    registerBufferField(&s->text);
  }
  if (length > 0) std::memcpy(s->text, units, sizeof(char16_t) * static_cast<size_t>(length));
  s->text[length] = 0;
  return s;
}

String* String::fromCString(const char* latin1) {
  if (latin1 == nullptr) return nullptr;
  std::u16string units;
  for (const char* p = latin1; *p != 0; p++) units.push_back(static_cast<unsigned char>(*p));
  return fromUnits(units.data(), static_cast<int32_t>(units.size()));
}

std::string String::toCString(String* s) {
  std::string out;
  if (isNull(s)) return out;
  for (int32_t i = 0; i < s->length(); i++) out.push_back(static_cast<char>(s->text[i] & 0xFF));
  return out;
}

std::string String::toUtf8(String* s) {
  std::string out;
  if (isNull(s)) return out;
  for (int32_t i = 0; i < s->length(); i++) {
    uint32_t c = s->text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s->length() && s->text[i + 1] >= 0xDC00 && s->text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s->text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace sorv
