// String and StringBuffer: UTF-16 text with a terminating 0 unit after the last character.
//
// Invariants:
// - String: count = length + 1. When count < kInlineUnits the text lives in `inlineText`
//   and `text` points there; otherwise `text` is a buffer-heap block of count units whose
//   owner is the field `text` (patched by compaction). A String never changes after init.
// - StringBuffer: `buffer` is a buffer-heap block of `capacity` units (owner: the field),
//   buffer[length] == 0 whenever capacity > 0, and length < capacity then.
// - Any raw pointer into text or buffer is re-read after every allocation; raw unit
//   pointers handed in by callers are copied out of the buffer heap before allocating.
// - Operations on a null (or released) String or StringBuffer log "NullPointer", report and
//   give 0, -1, false or null; bounds errors log their own text and give an empty result.
// Translated code creates a String with newObject<String>() and one init call, or with the
// allocating helpers (fromCString, substring, ...).
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
  char16_t* text = inlineText;  // a String not yet initialised is empty
  int32_t count = 1;            // length + 1

  int32_t length() const { return count > 0 ? count - 1 : 0; }
  const char16_t* units() const { return text; }

  void finalize() override;
  bool equals(Object* other) override;
  String* toString() override { return this; }
  // h := 31 h + c over every unit and then the terminating 0 (31 times the usual hash).
  int32_t hashCode() override;

  // Sets the length and makes room for the text (inline or a new block), terminated;
  // returns where the length units go, valid until the next allocation. Null (the String
  // left empty) when the block could not be had.
  static char16_t* reserveText(String* s, int32_t length);

  // Initialisers of a fresh String. Unit and byte ranges are checked: a range outside its
  // array logs "ArrayOutOfBound", reports and leaves the String empty.
  static void init(String* s, CharArray* chars, int32_t offset, int32_t count);
  static void initFromBytes(String* s, ByteArray* bytes, int32_t offset, int32_t count);
  static void initFromByteArray(String* s, ByteArray* bytes);
  // Encoding names as findEncoding matches them ("UTF-8" and "UTF8" in any case, "ISO-8859-1"
  // and "SJIS" as written, or a beginning of one); null means ISO-8859-1. Any other name logs
  // "encoding not supported", reports, leaves the String empty and gives false.
  static bool initFromBytesEncoded(String* s, ByteArray* bytes, int32_t offset, int32_t length,
                                   String* encodingName);
  static void initFromCString(String* s, const char* latin1);
  static void initFromWideCString(String* s, const char16_t* text);
  static void initFromUnits(String* s, const char16_t* units, int32_t offset, int32_t count);
  static void initFromUnitPointer(String* s, const char16_t* units, int32_t count);

  // New Strings (null when an allocation failed).
  static String* fromCString(const char* latin1);
  static String* fromUnits(const char16_t* units, int32_t count);
  static String* fromWideCString(const char16_t* text);
  static String* valueOfInt(int32_t value);

  // An owned copy of the low bytes of every unit (natives use it as a file or resource name).
  static std::string toCString(String* s);
  // The text as UTF-8 (for logs and host file names).
  static std::string toUtf8(String* s);

  // Queries.
  static int32_t compareTo(String* a, String* b);
  // Whole-text matches against 8-bit text (the second folds ASCII letters).
  static bool equalsCString(String* s, const char* text);
  static bool equalsCStringIgnoreCase(String* s, const char* text);
  static int32_t charAt(String* s, int32_t index);  // "charAt OOB" and 0 outside
  static int32_t indexOfChar(String* s, int32_t ch, int32_t from);
  static int32_t indexOfString(String* s, String* needle, int32_t from);
  static int32_t indexOf(String* s, String* needle) { return indexOfString(s, needle, 0); }
  static bool startsWithAt(String* s, String* prefix, int32_t offset);
  static bool startsWith(String* s, String* prefix) { return startsWithAt(s, prefix, 0); }
  static bool endsWith(String* s, String* suffix);
  static bool regionMatches(String* s, bool ignoreCase, int32_t toffset, String* other,
                            int32_t ooffset, int32_t len);

  // New Strings from a String.
  static String* substring(String* s, int32_t begin, int32_t end);
  static String* substringFrom(String* s, int32_t begin);
  static String* replace(String* s, int32_t oldChar, int32_t newChar);
  static String* toLowerCase(String* s);
  static String* toUpperCase(String* s);
  static String* trim(String* s);
  static ByteArray* getBytes(String* s);
};

class StringBuffer : public Object {
 public:
  static constexpr ClassId kClassId = kStringBuffer;

  char16_t* buffer = nullptr;
  int32_t capacity = 0;
  int32_t length = 0;

  void finalize() override;
  String* toString() override;

  // newObject + init.
  static StringBuffer* create(int32_t capacity);
  static void init(StringBuffer* sb, int32_t capacity);

  // Inserts n units at offset (0..length, else "StringBuffer insert offset" and nothing).
  // units must not point into the buffer heap (a growth could move them); Strings go
  // through insertString.
  static void insert(StringBuffer* sb, int32_t offset, const char16_t* units, int32_t n);
  static void insertString(StringBuffer* sb, int32_t offset, String* s);  // null: "null"
  static void appendString(StringBuffer* sb, String* s);                  // null: "null"
  static void appendObject(StringBuffer* sb, Object* o);  // slot 3 toString; null: "null"
  static void appendBoolean(StringBuffer* sb, bool value);
  static void appendChar(StringBuffer* sb, int32_t ch);
  static void appendInt(StringBuffer* sb, int32_t value);
  // Truncates, or grows and fills with 0 units; a negative length is reported and ignored.
  static void setLength(StringBuffer* sb, int32_t n);
  // Room for at least n units (the terminating 0 included), growing as insert does.
  static bool ensureCapacity(StringBuffer* sb, int32_t n);
};

}  // namespace sorv
