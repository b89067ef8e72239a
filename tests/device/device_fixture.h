// Test support for the device classes: a started runtime on a fresh phone file system whose
// install folder holds a data.bar made here (constant strings and "app.jad"), with the
// archive installed as the runtime's resource opener.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/platform/paths.h"
#include "device/resource_stream.h"
#include "tools/data/resource_ids.h"
#include "runtime/constants.h"
#include "runtime/string.h"
#include "runtime/throwable.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {

inline void putBe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct BarEntry {
  std::string name;
  std::string data;
};

// An archive of the entries, their data after the table in order.
inline std::vector<uint8_t> makeBar(const std::vector<BarEntry>& entries) {
  size_t at = 2;
  for (const BarEntry& e : entries) at += 2 + e.name.size() + 8;
  std::vector<uint8_t> out;
  putBe(out, static_cast<uint32_t>(entries.size()), 2);
  for (const BarEntry& e : entries) {
    putBe(out, static_cast<uint32_t>(e.name.size()), 2);
    out.insert(out.end(), e.name.begin(), e.name.end());
    putBe(out, static_cast<uint32_t>(at), 4);
    putBe(out, static_cast<uint32_t>(e.data.size()), 4);
    at += e.data.size();
  }
  for (const BarEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

// kConstantCount strings: "c<n>", with the texts the runtime and the record store need.
inline std::string constantsBin() {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < kConstantCount; ++i) texts.push_back("c" + std::to_string(i));
  texts[kConstEmpty] = "";
  texts[kConstIndexOutOfRange] = "Array index out of range: ";
  texts[kConstEncodingProperty] = "microedition.encoding";
  texts[kConstEncodingValue] = "UTF-8";
  texts[kConstRecordStoreFullMessage] = "Record store full";
  texts[kConstPathSeparator] = "\\";
  texts[kConstRecordStorePrefix] = "rms_";
  texts[kConstRecordStoreSuffix] = ".rms";
  texts[kConstRecordStoreIoMessage] = "Record store I/O failure";
  texts[kConstRecordFileInfix] = "_rec";
  std::vector<uint8_t> out;
  putBe(out, static_cast<uint32_t>(texts.size()), 4);
  for (const std::string& t : texts) {
    putBe(out, static_cast<uint32_t>(t.size()), 2);
    out.insert(out.end(), t.begin(), t.end());
  }
  return std::string(out.begin(), out.end());
}

inline constexpr const char* kTestJad = "MIDlet-Name: Sorvantel 2009\r\nMIDlet-Version: 1.0.0\r\n";

class DeviceTest : public RuntimeTest {
 protected:
  void SetUp() override {
    base_ = std::filesystem::temp_directory_path() /
            ("sorv-device-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(base_);
    install_ = base_ / "Program Files" / "Kestovan" / "Sorvantel 2009";
    std::filesystem::create_directories(install_);
    platform::setRootDir(base_.string());
    writeBar(makeBar(entries()));
    Resources::installOpener();
    RuntimeTest::SetUp();
  }
  void TearDown() override {
    RuntimeTest::TearDown();
    setResourceOpener(nullptr);
    platform::setRootDir("");
    std::error_code ignored;
    std::filesystem::remove_all(base_, ignored);
  }

  // The archive every test starts with; tests add entries by overriding it.
  virtual std::vector<BarEntry> entries() const {
    return {{"constants.bin", constantsBin()}, {"app.jad", kTestJad}};
  }

  void writeBar(const std::vector<uint8_t>& bytes) const {
    std::ofstream(install_ / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A new data.bar, read again on the next lookup.
  void replaceBar(const std::vector<uint8_t>& bytes) const {
    writeBar(bytes);
    ResourceInputStream::archiveFile = nullptr;
  }


  std::filesystem::path base_;
  std::filesystem::path install_;
};

inline String* str(const char* text) { return String::fromCString(text); }

}  // namespace sorv::test
