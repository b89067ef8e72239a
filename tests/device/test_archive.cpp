#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/archive.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kAfter = INT32_MIN;  // place the data after the table

struct RawEntry {
  std::string name;
  int32_t offset;
  int32_t size;
  std::string data;
};

void be(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Table in the archive layout, then the data of every entry placed after it, in order.
std::vector<uint8_t> makeArchive(const std::vector<RawEntry>& entries, int count = -1) {
  size_t tableEnd = 2;
  for (const RawEntry& e : entries) tableEnd += 2 + e.name.size() + 8;
  std::vector<uint8_t> out;
  be(out, count < 0 ? entries.size() : static_cast<uint32_t>(count), 2);
  size_t at = tableEnd;
  std::string data;
  for (const RawEntry& e : entries) {
    be(out, e.name.size(), 2);
    out.insert(out.end(), e.name.begin(), e.name.end());
    be(out, static_cast<uint32_t>(e.offset == kAfter ? static_cast<int32_t>(at) : e.offset), 4);
    be(out, static_cast<uint32_t>(e.size), 4);
    if (e.offset == kAfter) {
      data += e.data;
      at += e.data.size();
    }
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

ArchiveTable tableOf(const std::vector<uint8_t>& bytes) {
  std::FILE* f = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
  if (bytes.empty()) f = std::tmpfile();
  ArchiveTable t = ArchiveTable::read(f, bytes.size(), "test");
  std::fclose(f);
  return t;
}

TEST(ArchiveTableTest, LookupDropsOneSlashIgnoresCaseAndMatchesWholeNames) {
  ArchiveTable t = tableOf(makeArchive({{"menu.pack", kAfter, 3, "abc"},
                                        {"dup", kAfter, 1, "1"},
                                        {"DUP", kAfter, 2, "22"},
                                        {"empty", kAfter, 0, ""}}));
  ASSERT_EQ(t.entries().size(), 4u);
  struct Case {
    const char* name;
    int32_t size;  // -1: no match
  };
  const Case cases[] = {{"menu.pack", 3}, {"/MENU.Pack", 3}, {"menu.pac", -1}, {"menu.packs", -1},
                        {"//menu.pack", -1}, {"dup", 1}, {"Dup", 1}, {"empty", 0}, {"", -1},
                        {"/", -1}};
  for (const Case& c : cases) {
    const ArchiveEntry* e = t.find(std::string_view(c.name));
    if (c.size < 0) {
      EXPECT_EQ(e, nullptr) << c.name;
    } else {
      ASSERT_NE(e, nullptr) << c.name;
      EXPECT_EQ(e->size, c.size) << c.name;
    }
  }
  EXPECT_EQ(t.find(std::string_view("menu.pack"))->offset,
            static_cast<int32_t>(2 + (2 + 9 + 8) + 2 * (2 + 3 + 8) + (2 + 5 + 8)));
}

TEST(ArchiveTableTest, AMissingArchiveFindsNothing) {
  ArchiveTable t = ArchiveTable::load("/nonexistent/folder/data.bar");
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(t.find(std::string_view("constants.bin")), nullptr);
  EXPECT_EQ(t.find(std::string_view("/app.jad")), nullptr);
}

TEST(ArchiveTableTest, EntriesOutsideTheFileAreDroppedAndTheRestKept) {
  ArchiveTable t = tableOf(makeArchive({{"past_end", 10, 1000, ""},
                                        {"negative_size", 2, -1, ""},
                                        {"negative_offset", -5, 0, ""},
                                        {"wraps", 0x7FFFFFFF, 0x7FFFFFFF, ""},
                                        {"good", kAfter, 2, "ok"}}));
  ASSERT_EQ(t.entries().size(), 1u);
  EXPECT_EQ(t.droppedCount(), 4);
  EXPECT_NE(t.find(std::string_view("good")), nullptr);
  EXPECT_EQ(t.find(std::string_view("past_end")), nullptr);
}

TEST(ArchiveTableTest, EveryCutOfAValidArchiveKeepsOnlyWholeEntries) {
  std::vector<uint8_t> full = makeArchive({{"a", kAfter, 2, "xy"}, {"bb", kAfter, 1, "z"}});
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    std::vector<uint8_t> part(full.begin(), full.begin() + cut);
    ArchiveTable t = tableOf(part);
    for (const ArchiveEntry& e : t.entries()) {
      EXPECT_LE(static_cast<size_t>(e.offset) + e.size, cut) << "cut " << cut;
    }
    if (cut == full.size()) EXPECT_EQ(t.entries().size(), 2u);
  }
}

TEST(ArchiveTableTest, CorruptCountsEndPromptly) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> hugeCount = makeArchive({{"a", kAfter, 1, "x"}}, 0x7FFF);
  std::vector<uint8_t> negativeCount = makeArchive({{"a", kAfter, 1, "x"}}, 0x8000);
  std::vector<uint8_t> badUtf = makeArchive({{"\xFF\xFE", kAfter, 1, "x"}, {"b", kAfter, 1, "y"}});
  std::vector<uint8_t> longName = {0, 1, 0xFF, 0xFF, 'a'};
  const Case cases[] = {{"huge count", hugeCount},
                        {"negative count", negativeCount},
                        {"malformed name", badUtf},
                        {"name longer than the file", longName},
                        {"one byte", {0}}};
  for (const Case& c : cases) {
    ArchiveTable t = tableOf(c.bytes);
    EXPECT_LE(t.entries().size(), 1u) << c.what;
    EXPECT_EQ(t.find(std::string_view("b")), nullptr) << c.what;
  }
  EXPECT_NE(tableOf(hugeCount).find(std::string_view("a")), nullptr);
}

TEST(ArchiveTableTest, LoadReadsARealFile) {
  fs::path file = fs::temp_directory_path() / ("archive_" + std::to_string(getpid()) + ".bar");
  std::vector<uint8_t> bytes = makeArchive({{"constants.bin", kAfter, 4, std::string(4, '\0')}});
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  ArchiveTable t = ArchiveTable::load(file.string());
  fs::remove(file);
  ASSERT_NE(t.find(std::string_view("/constants.bin")), nullptr);
  EXPECT_EQ(t.find(std::string_view("/constants.bin"))->size, 4);
}

}  // namespace
}  // namespace sorv
