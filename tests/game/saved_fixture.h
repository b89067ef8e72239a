// Test support for the saved data: a started runtime on a fresh phone file system whose
// constants name the game's record store, with helpers to read and write its files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "device/record_files.h"
#include "device/record_store.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "tests/device/device_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {

using Bytes = std::vector<uint8_t>;

inline constexpr const char* kStoreName = "Sorvantel2009";

// The device tests' constants, with the game's record store named.
inline std::string savedDataConstants() {
  std::string bin = constantsBin();
  std::vector<std::string> texts;
  size_t at = 4;
  while (at + 2 <= bin.size()) {
    size_t n = (static_cast<uint8_t>(bin[at]) << 8) | static_cast<uint8_t>(bin[at + 1]);
    texts.push_back(bin.substr(at + 2, n));
    at += 2 + n;
  }
  texts[kConstGameRecordStore] = kStoreName;
  std::vector<uint8_t> out;
  putBe(out, static_cast<uint32_t>(texts.size()), 4);
  for (const std::string& t : texts) {
    putBe(out, static_cast<uint32_t>(t.size()), 2);
    out.insert(out.end(), t.begin(), t.end());
  }
  return std::string(out.begin(), out.end());
}

inline Bytes fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// "6B 00 ..": bytes as a test failure shows them.
inline std::string hex(const Bytes& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

inline ByteArray* managedBytes(const Bytes& bytes) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) a->elements()[i] = static_cast<int8_t>(bytes[i]);
  return a;
}

class SavedDataTest : public DeviceTest {
 protected:
  // The store syncs every write; on a memory file system the many rebuilds of these tests
  // take seconds instead of minutes, through the same code.
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr) savedTmpDir_ = tmp;
    hadTmpDir_ = tmp != nullptr;
    if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    DeviceTest::SetUp();
  }
  std::vector<BarEntry> entries() const override {
    return {{"constants.bin", savedDataConstants()}, {"app.jad", kTestJad}};
  }
  void TearDown() override {
    record_files::setFailureHook(nullptr);
    DeviceTest::TearDown();
    if (hadTmpDir_) {
      setenv("TMPDIR", savedTmpDir_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  std::filesystem::path indexFile() const { return install_ / "rms_sorvantel2009.rms"; }
  std::filesystem::path recordFile(int id) const {
    return install_ / ("rms_sorvantel2009.rms_rec" + std::to_string(id) + ".rms");
  }
  Bytes record(int id) const { return fileBytes(recordFile(id)); }
  // The ids the index lists, in order.
  std::vector<int32_t> listedIds() const {
    Bytes index = fileBytes(indexFile());
    return record_files::decodeIndex(index.data(), index.size(), "test").ids;
  }
  // Every file of the install folder but the archive, by name.
  std::map<std::string, Bytes> storeFiles() const {
    std::map<std::string, Bytes> files;
    for (const auto& e : std::filesystem::directory_iterator(install_)) {
      std::string name = e.path().filename().string();
      if (name != "data.bar") files[name] = fileBytes(e.path());
    }
    return files;
  }
  // Writes a record's bytes straight through the store, as another build of the game might.
  void putRecord(int id, const Bytes& bytes) {
    RecordStore* store = RecordStore::openRecordStore(str(kStoreName), true);
    ASSERT_NE(store, nullptr);
    while (store->getNumRecords() < id) store->addRecord(managedBytes({}), 0, 0);
    store->setRecord(id, managedBytes(bytes), 0, static_cast<int32_t>(bytes.size()));
    ASSERT_EQ(takeException(), -1);
  }

 private:
  std::string savedTmpDir_;
  bool hadTmpDir_ = false;
};

}  // namespace sorv::test

namespace sorv::test {

// One row of an achievement table as the game reads it.
struct AchievementRow {
  int title = 0, description = 0, gold = 0, threshold = 0, tag = 0, comparison = 0;
};

// The table's bytes: count as byte 0 + byte 1, then 11 bytes a row, numbers big-endian.
inline Bytes achievementTable(const std::vector<AchievementRow>& rows, int countLow = -1,
                              int countHigh = 0) {
  Bytes out;
  out.push_back(static_cast<uint8_t>(countLow < 0 ? rows.size() : countLow));
  out.push_back(static_cast<uint8_t>(countHigh));
  for (const AchievementRow& r : rows) {
    out.push_back(0);
    out.push_back(0);
    for (int v : {r.title, r.description, r.gold, r.threshold}) {
      out.push_back(static_cast<uint8_t>(v >> 8));
      out.push_back(static_cast<uint8_t>(v));
    }
    out.push_back(static_cast<uint8_t>((r.tag << 4) | r.comparison));
  }
  return out;
}

}  // namespace sorv::test
