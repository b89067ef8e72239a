// Test support for the class library: a started runtime whose "/constants.bin" comes from
// memory (the class library's texts at their numbers, "c<n>" elsewhere), and helpers to
// make managed values from host ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/data/resource_ids.h"
#include "runtime/array.h"
#include "runtime/constants.h"
#include "runtime/io_streams.h"
#include "runtime/string.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {

inline void putBigEndian(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void putUtf(std::vector<uint8_t>& out, const std::string& text) {
  putBigEndian(out, static_cast<uint32_t>(text.size()), 2);
  out.insert(out.end(), text.begin(), text.end());
}

// A constants file of kConstantCount strings with the class library's own texts.
inline std::vector<uint8_t> libraryConstantsFile() {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < kConstantCount; ++i) texts.push_back("c" + std::to_string(i));
  texts[kConstEmpty] = "";
  texts[kConstHashtableKeyValue] = "=";
  texts[kConstNegativeCapacity] = "negative capacity";
  texts[kConstHashtableOpen] = "{";
  texts[kConstHashtableSeparator] = ", ";
  texts[kConstHashtableClose] = "}";
  texts[kConstNoMoreElements] = "no more elements";
  texts[kConstIndexOutOfRange] = "Array index out of range: ";
  texts[kConstEncodingProperty] = "microedition.encoding";
  texts[kConstEncodingValue] = "UTF-8";
  texts[kConstTrue] = "true";
  texts[kConstFalse] = "false";
  std::vector<uint8_t> out;
  putBigEndian(out, static_cast<uint32_t>(texts.size()), 4);
  for (const std::string& t : texts) putUtf(out, t);
  return out;
}

// What the opener serves; nullptr_t-like "missing" when absent.
inline std::vector<uint8_t>* gResourceBytes = nullptr;

inline ByteArray* byteArrayOf(const std::vector<uint8_t>& bytes) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) a->elements()[i] = static_cast<int8_t>(bytes[i]);
  return a;
}

inline InputStream* memoryOpener(String*) {
  if (gResourceBytes == nullptr) return nullptr;
  return ByteArrayInputStream::create(byteArrayOf(*gResourceBytes));
}

inline String* str(const char* text) { return String::fromCString(text); }
inline std::string host(String* s) { return String::toUtf8(s); }

class ClassLibTest : public RuntimeTest {
 protected:
  void SetUp() override {
    constants_ = libraryConstantsFile();
    gResourceBytes = &constants_;
    setResourceOpener(memoryOpener);
    RuntimeTest::SetUp();
  }
  void TearDown() override {
    RuntimeTest::TearDown();
    setResourceOpener(nullptr);
    gResourceBytes = nullptr;
  }

  std::vector<uint8_t> constants_;
};

}  // namespace sorv::test
