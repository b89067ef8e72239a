#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/byte_writer.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

// A reader of the archive written here from the format alone, not from the game's reader.
struct IndependentEntry {
  int32_t offset;
  int32_t size;
};

uint32_t be(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | b.at(at + i);
  return v;
}

std::map<std::string, IndependentEntry> readTable(const std::vector<uint8_t>& bar) {
  std::map<std::string, IndependentEntry> table;
  size_t at = 2;
  for (uint32_t i = 0, n = be(bar, 0, 2); i < n; ++i) {
    uint32_t len = be(bar, at, 2);
    std::string name(bar.begin() + at + 2, bar.begin() + at + 2 + len);
    at += 2 + len;
    IndependentEntry e{static_cast<int32_t>(be(bar, at, 4)), static_cast<int32_t>(be(bar, at + 4, 4))};
    at += 8;
    EXPECT_GE(e.offset, static_cast<int32_t>(at - 0)) << name;
    EXPECT_LE(static_cast<size_t>(e.offset) + e.size, bar.size()) << name;
    table[name] = e;
  }
  return table;
}

// Java's modified UTF-8, decoded the plain way.
std::u16string decodeJavaUtf(const uint8_t* p, size_t n) {
  std::u16string out;
  for (size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      out += p[i++];
    } else if ((p[i] & 0xE0) == 0xC0) {
      out += static_cast<char16_t>(((p[i] & 0x1F) << 6) | (p[i + 1] & 0x3F));
      i += 2;
    } else {
      out += static_cast<char16_t>(((p[i] & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) |
                                   (p[i + 2] & 0x3F));
      i += 3;
    }
  }
  return out;
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The text of a constant string of the source (ASCII names only).
std::string readConstantsName(int32_t number) {
  std::string source, error;
  std::vector<std::u16string> constants;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/constants.txt", &source, &error));
  EXPECT_TRUE(parseConstants(source, &constants, &error)) << error;
  const std::u16string& wide = constants.at(static_cast<size_t>(number));
  return std::string(wide.begin(), wide.end());
}

std::vector<uint8_t> buildDefault() {
  ArchiveWriter archive;
  std::string error;
  EXPECT_TRUE(buildArchive(defaultDataDir(), &archive, &error)) << error;
  return archive.build();
}

TEST(MkdataArchive, SameBytesOnEveryBuildAndReadableByAnIndependentReader) {
  std::vector<uint8_t> first = buildDefault();
  EXPECT_EQ(first, buildDefault());
  auto table = readTable(first);
  ASSERT_TRUE(table.count("constants.bin"));
  ASSERT_TRUE(table.count("app.jad"));

  std::string jadSource;
  std::string error;
  ASSERT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/app.jad", &jadSource, &error));
  const IndependentEntry& jad = table["app.jad"];
  EXPECT_EQ(std::string(first.begin() + jad.offset, first.begin() + jad.offset + jad.size),
            jadSource);
}

// The two styles differ in their pictures only: every other entry (constants, properties,
// texts, menus, the game's tables, the level data) is the same bytes in both, and the labelled
// archive, which tests find sprites in by their labels, stays as it was last checked.
TEST(MkdataArchive, TheStylesDifferInTheirPicturesOnly) {
  auto build = [](DataStyle style) {
    ArchiveWriter archive;
    std::string error;
    EXPECT_TRUE(buildArchive(defaultDataDir(), &archive, &error, kDefaultLanguage, {}, style)) << error;
    return archive.build();
  };
  const std::vector<uint8_t> art = build(DataStyle::kArt), labels = build(DataStyle::kLabels);
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t b : labels) hash = (hash ^ b) * 0x100000001b3ull;
  EXPECT_EQ(hash, 0x21143f7bbed3a4ddull) << std::hex << "0x" << hash;
  auto entry = [](const std::vector<uint8_t>& bar, const std::string& name) {
    const IndependentEntry e = readTable(bar)[name];
    return std::vector<uint8_t>(bar.begin() + e.offset, bar.begin() + e.offset + e.size);
  };
  auto packEntry = [&](const std::vector<uint8_t>& bar, const std::string& pack, int32_t index) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(resourcePackEntry(entry(bar, pack), index, &out)) << pack << " " << index;
    return out;
  };
  for (const char* name : {"constants.bin", "app.jad", "texts", "menudata", "fonts"}) {
    EXPECT_EQ(entry(art, name), entry(labels, name)) << name;
  }
  for (int32_t e : {kBootArrayData, kBootArrayDescriptor, kBootAchievements}) {
    EXPECT_EQ(packEntry(art, "boot", e), packEntry(labels, "boot", e)) << "boot " << e;
  }
  for (int32_t e = 2; e < 22; e++) EXPECT_EQ(packEntry(art, "training", e), packEntry(labels, "training", e)) << e;
}

TEST(MkdataArchive, EveryConstantStringRoundTrips) {
  std::string source, error;
  std::vector<std::u16string> expected;
  ASSERT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/constants.txt", &source, &error));
  ASSERT_TRUE(parseConstants(source, &expected, &error)) << error;

  std::vector<uint8_t> bar = buildDefault();
  IndependentEntry e = readTable(bar)["constants.bin"];
  std::vector<uint8_t> bin(bar.begin() + e.offset, bar.begin() + e.offset + e.size);
  uint32_t count = be(bin, 0, 4);
  ASSERT_EQ(count, expected.size());
  ASSERT_GE(count, static_cast<uint32_t>(kConstantCount));
  size_t at = 4;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t len = be(bin, at, 2);
    ASSERT_LE(at + 2 + len, bin.size());
    EXPECT_EQ(decodeJavaUtf(bin.data() + at + 2, len), expected[i]) << "constant " << i;
    at += 2 + len;
  }
  EXPECT_EQ(at, bin.size());
  EXPECT_EQ(expected[kConstEmpty], u"");
  EXPECT_EQ(expected[kConstPathSeparator], u"\\");
  EXPECT_NE(expected[kConstRecordStorePrefix].find(u"rms_"), std::u16string::npos);
}

TEST(ConstantsSource, ParsesEscapesCommentsAndCrlf) {
  std::vector<std::u16string> out;
  std::string error;
  ASSERT_TRUE(parseConstants("# note\r\n0 a\\nb\r\n\n1\n2 \\u0020x\\\\\\t\n3 \xC3\xA9\\u0000\n",
                             &out, &error))
      << error;
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0], u"a\nb");
  EXPECT_EQ(out[1], u"");
  EXPECT_EQ(out[2], u" x\\\t");
  EXPECT_EQ(out[3], std::u16string(u"\u00E9") + char16_t(0));
  EXPECT_EQ(encodeModifiedUtf8(out[3]), "\xC3\xA9\xC0\x80");
}

TEST(ConstantsSource, RejectsBrokenSources) {
  const char* cases[] = {"1 first\n", "0 a\n0 b\n", "x y\n", "0 \\q\n", "0 \\u12\n",
                         "0 \xC3\n", "0 \xFF\n"};
  for (const char* source : cases) {
    std::vector<std::u16string> out;
    std::string error;
    EXPECT_FALSE(parseConstants(source, &out, &error)) << source;
    EXPECT_FALSE(error.empty());
  }
}

TEST(ConstantsSource, CheckRefusesChangedForcedTexts) {
  std::string source, error;
  std::vector<std::u16string> good;
  ASSERT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/constants.txt", &source, &error));
  ASSERT_TRUE(parseConstants(source, &good, &error));
  ASSERT_TRUE(checkConstants(good, &error)) << error;
  struct Change {
    int32_t number;
    std::u16string text;
  };
  const Change changes[] = {{kConstEmpty, u"x"},
                            {kConstPathSeparator, u"/"},
                            {kConstRecordStorePrefix, u"save_"},
                            {kConstRecordStoreSuffix, u".RMS"},
                            {kConstPromoRecordStore, good[kConstGameRecordStore]}};
  for (const Change& c : changes) {
    std::vector<std::u16string> bad = good;
    bad[c.number] = c.text;
    EXPECT_FALSE(checkConstants(bad, &error)) << c.number;
  }
  std::vector<std::u16string> shortList(good.begin(), good.begin() + kConstantCount - 1);
  EXPECT_FALSE(checkConstants(shortList, &error));
}

TEST(ArchiveWriterTest, RefusesNamesTheGameCouldNotReach) {
  ArchiveWriter w;
  std::string error;
  EXPECT_TRUE(w.add("a.bin", {1, 2}, &error));
  EXPECT_FALSE(w.add("A.BIN", {}, &error));
  EXPECT_FALSE(w.add("/b.bin", {}, &error));
  EXPECT_FALSE(w.add("", {}, &error));
  EXPECT_FALSE(w.add("with space", {}, &error));
  EXPECT_TRUE(w.add("empty", {}, &error));
  auto table = readTable(w.build());
  EXPECT_EQ(table["empty"].size, 0);
  EXPECT_EQ(table["a.bin"].size, 2);
}

std::string runCommand(const std::string& command, int* status) {
  std::string output;
  std::FILE* p = popen(command.c_str(), "r");
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) output.append(buf, n);
  *status = pclose(p);
  return output;
}

TEST(MkdataCommand, WritesTheSameArchiveTwiceAndListsIt) {
  fs::path base = fs::temp_directory_path() / ("mkdata_test_" + std::to_string(getpid()));
  fs::remove_all(base);
  std::string tool = std::string(SORV_BUILD_DIR) + "/tools/mkdata";
  int status = 0;
  runCommand(tool + " --out " + (base / "a").string(), &status);
  ASSERT_EQ(status, 0);
  runCommand(tool + " --out " + (base / "b").string(), &status);
  ASSERT_EQ(status, 0);
  std::vector<uint8_t> a = readBytes((base / "a" / "data.bar").string());
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(a, readBytes((base / "b" / "data.bar").string()));
  EXPECT_EQ(a, buildDefault());

  std::string listing = runCommand(tool + " --list " + (base / "a" / "data.bar").string(), &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(listing.find("constants.bin"), std::string::npos);
  EXPECT_NE(listing.find("app.jad"), std::string::npos);

  runCommand(tool + " --bogus 2>/dev/null", &status);
  EXPECT_NE(status, 0);
  fs::remove_all(base);
}

TEST(ResourcePackEntry, ReadsOnlyEntriesWhollyPresent) {
  const std::vector<uint8_t> pack = encodeResourcePack({{1, 2, 3}, {}, {4}});
  std::vector<uint8_t> entry;
  ASSERT_TRUE(resourcePackEntry(pack, 0, &entry));
  EXPECT_EQ(entry, (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_TRUE(resourcePackEntry(pack, 1, &entry));
  EXPECT_TRUE(entry.empty());
  ASSERT_TRUE(resourcePackEntry(pack, 2, &entry));
  EXPECT_EQ(entry, (std::vector<uint8_t>{4}));

  std::vector<uint8_t> cutHeader(pack.begin(), pack.begin() + 9);
  std::vector<uint8_t> cutData(pack.begin(), pack.end() - 1);
  std::vector<uint8_t> backwards = pack;
  backwards[2 + 4 * 1] = 9;  // entry 0 ends past entry 1's end
  struct Case {
    const std::vector<uint8_t>* bytes;
    int32_t index;
  };
  const std::vector<uint8_t> none;
  const Case refused[] = {{&pack, -1}, {&pack, 3},      {&none, 0},
                          {&cutHeader, 0}, {&cutData, 2}, {&backwards, 1}};
  for (const Case& c : refused) {
    EXPECT_FALSE(resourcePackEntry(*c.bytes, c.index, &entry)) << c.index;
  }
}

TEST(MkdataCommand, ExtractsOneEntryAsAFuzzingSeed) {
  fs::path base = fs::temp_directory_path() / ("mkdata_extract_" + std::to_string(getpid()));
  fs::remove_all(base);
  fs::create_directories(base);
  std::string tool = std::string(SORV_BUILD_DIR) + "/tools/mkdata";
  ArchiveWriter archive;
  std::string error;
  ASSERT_TRUE(buildArchive(defaultDataDir(), &archive, &error, "PL")) << error;
  std::string textsName(readConstantsName(kConstTextPack));
  std::vector<uint8_t> expected;
  ASSERT_TRUE(resourcePackEntry(*archive.find(textsName), kTextEntryOfPack[kTextMenus], &expected));

  int status = 0;
  const std::string seed = (base / "seed.bin").string();
  runCommand(tool + " --language PL --extract " + textsName + ":" +
                 std::to_string(kTextEntryOfPack[kTextMenus]) + " --to " + seed,
             &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readBytes(seed), expected);
  runCommand(tool + " --extract " + textsName + " --language PL --to " + seed, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readBytes(seed), *archive.find(textsName));
  for (const std::string& bad : {textsName + ":4", textsName + ":x", std::string("nothing")}) {
    runCommand(tool + " --extract " + bad + " --to " + seed + " 2>/dev/null", &status);
    EXPECT_NE(status, 0) << bad;
  }
  fs::remove_all(base);
}

}  // namespace
}  // namespace sorv::mkdata
