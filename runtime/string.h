// String and StringBuffer: UTF-16 text with a terminating 0 unit after the last character.
//
// Invariants:
// - String: count = length + 1. When count < kInlineUnits the text lives in `inlineText`
//   and `text` points there; otherwise `text` is a buffer-heap block of count units whose
//   owner is the field `text` (patched by compaction). A String never changes after init.
// - StringBuffer: `buffer` is a buffer-heap block of `capacity` units (owner: the field),
//   buffer[length] == 0 whenever capacity > 0.
// - Any raw pointer into text or buffer is re-read after every allocation.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class CharArray;

class String : public Object {
 public:
  static constexpr ClassId kClassId = kString;
  static constexpr int32_t kInlineUnits = 16;

  char16_t inlineText[kInlineUnits] = {};
  char16_t* text = nullptr;
  int32_t count = 0;  // length + 1

  int32_t length() const { return count > 0 ? count - 1 : 0; }
  const char16_t* units() const { return text; }

  void finalize() override;
  bool equals(Object* other) override;
  String* toString() override { return this; }
  int32_t hashCode() override;

  // New Strings (null when an allocation failed).
  static String* fromCString(const char* latin1);
  static String* fromUnits(const char16_t* units, int32_t count);
  static String* fromWideCString(const char16_t* text);
  static String* valueOfInt(int32_t value);

  // An owned copy of the low bytes of every unit (natives use it as a file or resource name).
  static std::string toCString(String* s);
  // The text as UTF-8 (for logs and host file names).
  static std::string toUtf8(String* s);
};

class StringBuffer : public Object {
 public:
  static constexpr ClassId kClassId = kStringBuffer;

  char16_t* buffer = nullptr;
  int32_t capacity = 0;
  int32_t length = 0;

  void finalize() override;
  String* toString() override;
};

}  // namespace sorv
