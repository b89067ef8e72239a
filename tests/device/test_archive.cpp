#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/archive.h"
#include "device/file.h"
#include "device/resource_stream.h"
#include "runtime/array.h"
#include "runtime/static_class.h"
#include "tests/device/device_fixture.h"

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
    if (cut == full.size()) {
      EXPECT_EQ(t.entries().size(), 2u);
    }
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


// ---- The archive seen by translated code

class ResourceStreamTest : public test::DeviceTest {
 protected:
  std::vector<test::BarEntry> entries() const override {
    return {{"constants.bin", test::constantsBin()},
            {"app.jad", test::kTestJad},
            {"menu.pack", "MENU"},
            {"dup", "first"},
            {"DUP", "second"},
            {"empty", ""},
            {"data.bar", "inside"},
            {"tail", "xyz"}};
  }

  // The whole entry through read(), or "<null>" when it does not open.
  std::string readAll(const char* name) {
    InputStream* in = Resources::getResourceAsStream(test::str(name));
    if (in == nullptr) return "<null>";
    std::string out;
    for (int c; (c = in->read()) >= 0;) out += static_cast<char>(c);
    in->close();
    return out;
  }
};

TEST_F(ResourceStreamTest, NamesMatchWholeIgnoringCaseAndOneLeadingSlash) {
  struct Case {
    const char* name;
    const char* contents;
  };
  const Case cases[] = {{"menu.pack", "MENU"},  {"/MENU.PACK", "MENU"}, {"menu.pac", "<null>"},
                        {"menu.packs", "<null>"}, {"//menu.pack", "<null>"}, {"dup", "first"},
                        {"/Dup", "first"},       {"empty", ""},          {"", "<null>"},
                        {"tail", "xyz"}};
  for (const Case& c : cases) EXPECT_EQ(readAll(c.name), c.contents) << c.name;
}

TEST_F(ResourceStreamTest, TheRuntimeReadsItsConstantStringsFromTheArchive) {
  EXPECT_TRUE(String::equalsCString(StaticClass::getConstant(kConstPathSeparator), "\\"));
  EXPECT_TRUE(String::equalsCString(StaticClass::getConstant(kConstRecordStorePrefix), "rms_"));
}

TEST_F(ResourceStreamTest, AStreamEndsAtItsEntry) {
  InputStream* in = Resources::getResourceAsStream(test::str("/tail"));
  ASSERT_NE(in, nullptr);
  ByteArray* b = Array::newByteArray(10);
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->skip(1), 1);
  EXPECT_EQ(in->read(b, 0, 10), 2);
  EXPECT_EQ(b->elements()[0], 'y');
  EXPECT_EQ(b->elements()[1], 'z');
  EXPECT_EQ(in->available(), 0);
  EXPECT_EQ(in->skip(5), 0);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->read(b, 0, 10), 0);
  EXPECT_EQ(takeException(), kEOFException);
  in->close();

  InputStream* empty = Resources::getResourceAsStream(test::str("empty"));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->read(), -1);
  empty->read(b, 0, 0);
  EXPECT_EQ(takeException(), kEOFException) << "also when len is 0";
  empty->read(b, 0, 10);
  EXPECT_EQ(takeException(), kEOFException);
}

TEST_F(ResourceStreamTest, RangesOutsideTheArrayThrowAndConsumeNothing) {
  InputStream* in = Resources::getResourceAsStream(test::str("menu.pack"));
  ASSERT_NE(in, nullptr);
  ByteArray* b = Array::newByteArray(4);
  struct Case {
    int32_t off, len;
  };
  for (Case c : {Case{-1, 2}, Case{2, 3}, Case{0, -1}, Case{5, 0}, Case{1, 0x7FFFFFFF}}) {
    in->read(b, c.off, c.len);
    EXPECT_EQ(takeException(), kArrayIndexOutOfBoundsException) << c.off << "," << c.len;
  }
  in->read(nullptr, 0, 1);
  EXPECT_EQ(takeException(), kNullPointerException);
  EXPECT_EQ(in->available(), 4);
  EXPECT_EQ(in->read(b, 0, 4), 4);
}

TEST_F(ResourceStreamTest, AnArchiveCutShortAfterItsTableWasReadEndsPromptly) {
  ASSERT_EQ(readAll("menu.pack"), "MENU");  // the table is loaded now
  std::filesystem::resize_file(install_ / "data.bar",
                               std::filesystem::file_size(install_ / "data.bar") - 2);
  InputStream* in = Resources::getResourceAsStream(test::str("tail"));
  ASSERT_NE(in, nullptr);
  ByteArray* b = Array::newByteArray(8);
  EXPECT_EQ(in->read(b, 0, 8), 1);
  EXPECT_EQ(in->read(b, 0, 8), -1);
  EXPECT_EQ(in->available(), 2) << "a read of nothing must not move the position";
  ByteArray* rest = readStreamFully(in);
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->length, 0);
}

TEST_F(ResourceStreamTest, AMissingOrDamagedArchiveGivesNullForEveryName) {
  std::filesystem::remove(install_ / "data.bar");
  ResourceInputStream::archiveFile = nullptr;
  for (const char* name : {"menu.pack", "/constants.bin", "app.jad", ""}) {
    EXPECT_EQ(Resources::getResourceAsStream(test::str(name)), nullptr) << name;
  }
  // A count far beyond the table: the whole entries before the fault are kept.
  std::vector<uint8_t> bar = test::makeBar({{"a", "1"}, {"b", "2"}});
  bar[0] = 0x7F;
  replaceBar(bar);
  EXPECT_EQ(readAll("b"), "2");
  EXPECT_EQ(readAll("c"), "<null>");
  bar[0] = 0x80;  // a negative count
  replaceBar(bar);
  EXPECT_EQ(readAll("a"), "<null>");
}

TEST_F(ResourceStreamTest, ABarNameOpensAFileWhenOneExistsElseTheArchiveEntry) {
  std::ofstream(base_ / "Extra.BAR", std::ios::binary) << "from the file";
  EXPECT_EQ(readAll("\\extra.bar"), "from the file");
  EXPECT_EQ(readAll("/data.bar"), "inside") << "no file \\data.bar in the root";
  EXPECT_EQ(readAll("missing.bar"), "<null>");
}

TEST_F(ResourceStreamTest, NativeFileStreamsSkipAsAskedAndResetToTheirMark) {
  std::ofstream(install_ / "f.bin", std::ios::binary) << "abcdef";
  File* file = File::create(test::str("\\Program Files\\KESTOVAN\\Sorvantel 2009\\F.BIN"));
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(String::equalsCString(file->path, "\\program files\\kestovan\\sorvantel 2009\\f.bin"));
  EXPECT_TRUE(file->exists());
  EXPECT_EQ(file->length(), 6);
  InputStream* in = file->getInputStream();
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->read(), 'a');
  in->setMark(0);
  EXPECT_EQ(in->skip(2), 2);
  EXPECT_EQ(in->read(), 'd');
  in->reset();
  EXPECT_EQ(in->read(), 'b');
  EXPECT_EQ(in->skip(100), 100) << "the asked count, past the end";
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->available(), 0);
  in->close();
  in->close();
  EXPECT_TRUE(file->deleteFile());
  EXPECT_TRUE(file->exists());
  EXPECT_EQ(file->length(), 0);
  OutputStream* out = file->getOutputStream();
  ASSERT_NE(out, nullptr);
  ByteArray* bytes = Array::newByteArray(4);
  for (int i = 0; i < 4; ++i) bytes->elements()[i] = static_cast<int8_t>('w' + i);
  out->write(0x141);  // the low byte: 'A'
  out->write(bytes, 1, 2);
  out->write(bytes, 3, 2);
  EXPECT_EQ(takeException(), kArrayIndexOutOfBoundsException);
  out->close();
  out->close();
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(file->length(), 3);
  InputStream* back = file->getInputStream();
  EXPECT_EQ(back->read(bytes, 0, 4), 3);
  EXPECT_EQ(back->read(bytes, 0, 4), -1);
  EXPECT_EQ(bytes->elements()[0], 'A');
  EXPECT_EQ(bytes->elements()[2], 'y');
  back->close();
  File* refused = File::create(test::str("\\..\\outside"));
  EXPECT_FALSE(refused->exists());
  EXPECT_EQ(refused->getInputStream(), nullptr);
}

// A full disk shows when the buffered bytes are written out at close.
TEST_F(ResourceStreamTest, AFailedWriteIsReportedNotPassedOffAsSuccess) {
  std::error_code ec;
  std::filesystem::create_symlink("/dev/full", base_ / "full", ec);
  if (ec) GTEST_SKIP() << "no /dev/full";
  OutputStream* out = File::create(test::str("\\full"))->getOutputStream();
  ASSERT_NE(out, nullptr);
  out->write(Array::newByteArray(16), 0, 16);
  out->close();
  EXPECT_EQ(takeException(), kIOException);
}

}  // namespace
}  // namespace sorv
