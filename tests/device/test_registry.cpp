// The registry stand-in: its file form (untrusted input) and its calls on a fresh root.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/platform/registry.h"
#include "tests/support/temp_root.h"

namespace sorv::platform {
namespace {

TEST(RegistryFile, RefusesWhatDoesNotParse) {
  struct Case {
    const char* what;
    std::string body;  // after the header line
    int badLine;       // 0: parses
  };
  const std::string longPath(kMaxKeyPathLength, 'k');
  const Case cases[] = {
      {"header only", "", 0},
      {"blank lines", "\n\n", 0},
      {"every type", "value\tA\tn\tsz\tx%0Ay\nvalue\tA\tb\tbinary\t00ff\n"
                     "value\tA\td\tdword\t0xdeadBEEF\n", 0},
      {"longest key path", "key\t" + longPath + "\n", 0},
      {"key path too long", "key\t" + longPath + "k\n", 2},
      {"leading separator", "key\t\\A\n", 2},
      {"empty component", "key\tA\\\\B\n", 2},
      {"NUL in a key path", "key\tA%00B\n", 2},
      {"key with a value field", "key\tA\tB\n", 2},
      {"value without data", "value\tA\tn\tsz\n", 2},
      {"unknown type", "value\tA\tn\tmulti\tx\n", 2},
      {"short dword", "value\tA\tn\tdword\t0x1\n", 2},
      {"dword not hex", "value\tA\tn\tdword\t0x0000000G\n", 2},
      {"odd binary", "value\tA\tn\tbinary\t0\n", 2},
      {"cut escape", "value\tA\tn\tsz\tab%4\n", 2},
      {"bad escape", "value\tA\tn\tsz\t%zz\n", 2},
      {"first bad line counts", "key\tA\n\nnonsense\nkey\t\\B\n", 4},
  };
  for (const Case& c : cases) {
    RegistryTree tree;
    int badLine = -1;
    bool ok = parseRegistryText("sorv-registry 1\n" + c.body, tree, badLine);
    EXPECT_EQ(ok, c.badLine == 0) << c.what;
    EXPECT_EQ(badLine, c.badLine) << c.what;
  }
  RegistryTree tree;
  int badLine = 0;
  EXPECT_FALSE(parseRegistryText("", tree, badLine));
  EXPECT_FALSE(parseRegistryText("sorv-registry 2\n", tree, badLine));
  EXPECT_EQ(badLine, 1);
}

TEST(RegistryFile, WritesAndReadsBackOddNames) {
  RegistryTree tree;
  RegistryKey& key = ensureRegistryKey(tree, "Software\\Odd\tKey\\100%");
  setRegistryValue(key, std::string("new\nline\0nul", 12), RegValue::string("ä\x7f%\r"));
  setRegistryValue(key, "Bytes", RegValue::binary(std::string("\0\xff", 2)));
  setRegistryValue(key, "BYTES", RegValue::dword(0x12345678));  // same value, first spelling
  ASSERT_EQ(tree.size(), 3u);  // the parents came too
  ASSERT_EQ(key.values.size(), 2u);
  EXPECT_EQ(key.values.at("bytes").first, "Bytes");
  EXPECT_EQ(*findRegistryValue(key, "bYtEs"), RegValue::dword(0x12345678));

  std::string text = formatRegistryText(tree);
  RegistryTree back;
  int badLine = 0;
  ASSERT_TRUE(parseRegistryText(text, back, badLine)) << text;
  EXPECT_EQ(back, tree);
  EXPECT_EQ(formatRegistryText(back), text);
}

class RegistryCalls : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.active()); }
  std::string file() const { return root_.host("Windows/registry.txt"); }
  test::TempRoot root_;
};

TEST_F(RegistryCalls, NamesIgnoreCaseAndDeletionTakesSubkeys) {
  ASSERT_EQ(regSetValue("Software\\Maker\\Game", "Ver", RegValue::string("1")), RegStatus::Ok);
  ASSERT_EQ(regSetValue("SOFTWARE\\maker\\GAME", "VER", RegValue::string("2")), RegStatus::Ok);
  ASSERT_EQ(regCreateKey("Software\\Maker\\Game\\Sub"), RegStatus::Ok);
  ASSERT_EQ(regCreateKey("Software\\Maker\\Game2"), RegStatus::Ok);
  RegValue value;
  ASSERT_EQ(regQueryValue("software\\MAKER\\game", "ver", 256, value), RegStatus::Ok);
  EXPECT_EQ(value, RegValue::string("2"));
  size_t count = 0;
  ASSERT_EQ(regValueCount("Software\\Maker\\Game", count), RegStatus::Ok);
  EXPECT_EQ(count, 1u);

  EXPECT_EQ(regDeleteKey("software\\maker\\game"), RegStatus::Ok);
  EXPECT_EQ(regOpenKey("Software\\Maker\\Game\\Sub"), RegStatus::NotFound);
  EXPECT_EQ(regOpenKey("Software\\Maker\\Game2"), RegStatus::Ok);
  EXPECT_EQ(regDeleteKey("Software\\Maker\\Game"), RegStatus::NotFound);
  EXPECT_EQ(regOpenKey("\\Software"), RegStatus::Failed);
  EXPECT_EQ(regCreateKey(std::string(kMaxKeyPathLength + 1, 'k')), RegStatus::Failed);

  std::vector<std::string> trace = root_.traceLines();
  ASSERT_EQ(trace.size(), 5u);
  EXPECT_EQ(trace[0], "registry set-value HKLM\\Software\\Maker\\Game Ver=sz:1");
  EXPECT_EQ(trace[3], "registry create-key HKLM\\Software\\Maker\\Game2");
  EXPECT_EQ(trace[4], "registry delete-key HKLM\\software\\maker\\game");
}

TEST_F(RegistryCalls, ValueLargerThanTheBufferIsNotRead) {
  ASSERT_EQ(regSetValue("K", "fits", RegValue::string(std::string(127, 'a'))), RegStatus::Ok);
  ASSERT_EQ(regSetValue("K", "over", RegValue::string(std::string(128, 'a'))), RegStatus::Ok);
  RegValue value = RegValue::string("untouched");
  EXPECT_EQ(regQueryValue("K", "fits", 256, value), RegStatus::Ok);
  EXPECT_EQ(value.data.size(), 127u);
  value = RegValue::string("untouched");
  EXPECT_EQ(regQueryValue("K", "over", 256, value), RegStatus::MoreData);
  EXPECT_EQ(value.data, "untouched");
  EXPECT_EQ(regQueryValue("K", "none", 256, value), RegStatus::NotFound);
}

TEST_F(RegistryCalls, FailedWriteKeepsTheOldFile) {
  ASSERT_EQ(regSetValue("K", "v", RegValue::dword(1)), RegStatus::Ok);
  std::string before = test::readFile(file());
  size_t traced = root_.traceLines().size();
  // The temporary file cannot be made: the change must fail and leave the file alone.
  std::filesystem::create_directory(file() + ".tmp");
  EXPECT_EQ(regSetValue("K", "v", RegValue::dword(2)), RegStatus::Failed);
  EXPECT_EQ(regDeleteKey("K"), RegStatus::Failed);
  EXPECT_EQ(test::readFile(file()), before);
  EXPECT_EQ(root_.traceLines().size(), traced);
  RegValue value;
  ASSERT_EQ(regQueryValue("K", "v", 4, value), RegStatus::Ok);
  EXPECT_EQ(value, RegValue::dword(1));
}

TEST_F(RegistryCalls, UnreadableFileIsNeverRewritten) {
  struct Case {
    const char* what;
    std::string contents;
  };
  const Case cases[] = {
      {"a line that does not parse", "sorv-registry 1\nkey\tA\ngarbage\n"},
      {"empty", ""},
      {"too large", "sorv-registry 1\n" + std::string(4 << 20, '\n')},
  };
  for (const Case& c : cases) {
    root_.writeFile("Windows/registry.txt", c.contents);
    EXPECT_EQ(regOpenKey("A"), RegStatus::Failed) << c.what;
    EXPECT_EQ(regCreateKey("B"), RegStatus::Failed) << c.what;
    EXPECT_EQ(regSetValue("A", "v", RegValue::dword(1)), RegStatus::Failed) << c.what;
    EXPECT_EQ(regDeleteKey("A"), RegStatus::Failed) << c.what;
    EXPECT_EQ(test::readFile(file()), c.contents) << c.what;
  }
  EXPECT_TRUE(root_.traceLines().empty());
}

TEST_F(RegistryCalls, NoChangeGrowsTheFileBeyondWhatCanBeRead) {
  ASSERT_EQ(regSetValue("K", "big", RegValue::binary(std::string(1 << 20, 'x'))), RegStatus::Ok);
  std::string before = test::readFile(file());
  EXPECT_EQ(regSetValue("K", "bigger", RegValue::binary(std::string(1 << 20, 'y'))),
            RegStatus::Failed);
  EXPECT_EQ(test::readFile(file()), before);
  EXPECT_EQ(regOpenKey("K"), RegStatus::Ok);
}

}  // namespace
}  // namespace sorv::platform
