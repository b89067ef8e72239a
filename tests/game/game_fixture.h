// Test support for the game shell: a started runtime whose data.bar holds the constant
// strings of tools/data/constants.txt (some replaced by a test) and packs built here, and
// helpers that write resource packs, text packs and menu data files byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/string.h"
#include "tests/device/device_fixture.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"

namespace sorv::test {

using Bytes = std::vector<uint8_t>;

inline void putLe(Bytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A resource pack header of the given offsets (no data).
inline Bytes packHeader(const std::vector<uint32_t>& offsets) {
  Bytes out;
  putLe(out, static_cast<uint32_t>(offsets.size()), 2);
  for (uint32_t o : offsets) putLe(out, o, 4);
  return out;
}

// A well-formed pack of the entries.
inline Bytes pack(const std::vector<Bytes>& entries) { return mkdata::encodeResourcePack(entries); }

// A text pack: big-endian count, then big-endian length and bytes per string.
inline Bytes textPack(const std::vector<std::string>& strings) {
  Bytes out;
  putBe(out, static_cast<uint32_t>(strings.size()), 2);
  for (const std::string& s : strings) {
    putBe(out, static_cast<uint32_t>(s.size()), 2);
    out.insert(out.end(), s.begin(), s.end());
  }
  return out;
}

inline std::string asText(const Bytes& b) { return std::string(b.begin(), b.end()); }

inline std::string utf8(String* s) { return isNull(s) ? "<null>" : String::toUtf8(s); }

class GameTest : public DeviceTest {
 protected:
  // The constants source as the game ships it.
  static std::vector<std::u16string> shippedConstants() {
    std::string source, error;
    std::vector<std::u16string> constants;
    const std::string path = std::string(mkdata::defaultDataDir()) + "/constants.txt";
    if (!mkdata::readSourceFile(path, &source, &error) ||
        !mkdata::parseConstants(source, &constants, &error))
      ADD_FAILURE() << error;
    return constants;
  }

  std::vector<BarEntry> entries() const override {
    std::vector<std::u16string> constants = shippedConstants();
    for (const auto& [n, text] : constantOverrides_) constants.at(n) = text;
    const Bytes table = mkdata::encodeConstants(constants);
    std::vector<BarEntry> all = {{"constants.bin", asText(table)}, {"app.jad", kTestJad}};
    all.insert(all.end(), resources_.begin(), resources_.end());
    return all;
  }

  // Restarts the runtime on an archive that also holds these resources (and these
  // constant strings replaced).
  void serve(std::vector<BarEntry> resources, std::map<int32_t, std::u16string> constants = {}) {
    resources_ = std::move(resources);
    constantOverrides_ = std::move(constants);
    RuntimeTest::TearDown();
    writeBar(makeBar(entries()));
    ResourceInputStream::archiveFile = nullptr;
    RuntimeTest::SetUp();
  }

  static ByteArray* bytes(const Bytes& b) {
    ByteArray* a = Array::newByteArray(static_cast<int32_t>(b.size()));
    for (size_t i = 0; i < b.size(); i++) a->elements()[i] = static_cast<int8_t>(b[i]);
    return a;
  }
  static Bytes contents(ByteArray* a, int32_t length = -1) {
    if (isNull(a)) return {};
    const int32_t n = length < 0 ? a->length : length;
    return Bytes(reinterpret_cast<const uint8_t*>(a->elements()),
                 reinterpret_cast<const uint8_t*>(a->elements()) + n);
  }

  std::vector<BarEntry> resources_;
  std::map<int32_t, std::u16string> constantOverrides_;
};

}  // namespace sorv::test
