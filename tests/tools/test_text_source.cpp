#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/text_source.h"

namespace sorv::mkdata {
namespace {

namespace fs = std::filesystem;

// The smallest source that passes every check: the code, and the set title with its '#'.
std::string validSource(const std::string& code) {
  return "[pack 0]\n0: " + code + "\n[pack 1]\n89: Set #\n";
}

TEST(TextSourceParse, ReadsPacksIdsEscapesAndGaps) {
  TextSource s;
  std::string error;
  ASSERT_TRUE(
      parseTextSource("# note\r\n[pack 2]\n3: Quick match\r\n\n5:\n7: a\\nb\\u0020\n"
                      "[pack 0]\n0: EN\n2:  cm\n",
                      "en.txt", &s, &error))
      << error;
  ASSERT_EQ(s.strings[kTextMenus].size(), 8u);
  EXPECT_EQ(s.strings[kTextMenus][3], u"Quick match");
  EXPECT_EQ(s.strings[kTextMenus][4], u"");
  EXPECT_EQ(s.strings[kTextMenus][5], u"");
  EXPECT_EQ(s.strings[kTextMenus][7], u"a\nb ");
  EXPECT_EQ(s.lines[kTextMenus][3], 3);
  EXPECT_EQ(s.lines[kTextMenus][4], 0);  // left out
  EXPECT_EQ(s.lines[kTextMenus][5], 5);  // given, empty
  EXPECT_EQ(s.strings[kTextGeneral][2], u" cm");
  EXPECT_TRUE(s.strings[kTextMatch].empty());
}

// Each refusal names the file and the line it comes from.
TEST(TextSourceParse, RefusalsNameFileAndLine) {
  struct Case {
    const char* source;
    int line;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF[pack 0]\n0: EN\n", 1},
      {"[pack 0]\n0: EN\n\xEF\xBB\xBF\x31: x\n", 3},
      {"0: EN\n", 1},
      {"[pack 4]\n", 1},
      {"[pack 0\n", 1},
      {"[pack 0]\n0: EN\n[pack 0]\n", 3},
      {"[pack 0]\n0: EN\nx: y\n", 3},
      {"[pack 0]\n0: EN\n2: b\n1: a\n", 4},
      {"[pack 0]\n0: EN\n0: EN\n", 3},
      {"[pack 0]\n65535: x\n", 2},
      {"[pack 0]\n# c\n0: \\q\n", 3},
      {"[pack 0]\n\n1: \xC3\n", 3},
  };
  for (const Case& c : cases) {
    TextSource s;
    std::string error;
    EXPECT_FALSE(parseTextSource(c.source, "xx.txt", &s, &error)) << c.source;
    EXPECT_EQ(error.rfind("xx.txt line " + std::to_string(c.line) + ":", 0), 0u) << error;
  }
}

TEST(TextRules, CharactersByLanguage) {
  struct Case {
    int32_t language;
    char16_t c;
    bool allowed;
  };
  const Case cases[] = {
      {kLanguageEN, u'A', true},    {kLanguageEN, u'\n', true},
      {kLanguageEN, u'\t', false},  {kLanguageEN, u'\r', false},
      {kLanguageEN, 0x01, false},   {kLanguageEN, 0x02, false},
      {kLanguageEN, 0x7F, false},   {kLanguageEN, 0x85, false},
      {kLanguageEN, 0x96, false},   {kLanguageEN, 0xFEFF, false},
      {kLanguageEN, 0xA0, true},    {kLanguageEN, 0xA1, true},   // onto the space and ¡
      {kLanguageEN, 0xA9, true},    {kLanguageEN, 0xB0, true},   // © and °
      {kLanguageEN, 0xA3, false},   {kLanguageEN, 0xAB, false},  // £ and « share glyphs
      {kLanguageEN, 0xAA, false},   {kLanguageEN, 0xB4, false},
      {kLanguageEN, 0xBA, false},   {kLanguageEN, 0xB5, true},
      {kLanguageDE, 0xDF, true},    {kLanguageFR, 0xE9, true},
      {kLanguageFR, 0x152, false},  {kLanguageFR, 0x2019, false},  // Œ and ’
      {kLanguageES, 0x104, false},  {kLanguageNL, 0x20AC, false},  // Ą, €
      {kLanguagePL, 0x104, true},   {kLanguagePL, 0x17C, true},
      {kLanguagePL, 0x2026, false}, {kLanguagePL, 0x151, false},  // …, ő
      {kLanguageCS, 0x159, true},   {kLanguageCS, 0x16F, true},
      {kLanguageCS, 0x131, false},  {kLanguageTR, 0x131, true},  // ı is 'I' in Turkish only
      {kLanguageTR, 0x130, true},   {kLanguageTR, 0x15F, true},
      {kLanguageCS, 0x401, false},  {kLanguageRU, 0x401, true},
      {kLanguageRU, 0x410, true},   {kLanguageRU, 0x44F, true},
      {kLanguageRU, 0x450, false},  {kLanguageRU, 0x40F, false},
      {kLanguageRU, 0xC0, false},   {kLanguageRU, 0xD6, false},  // glyphs Cyrillic takes
      {kLanguageRU, 0xD7, true},    {kLanguageRU, 0x104, false},
      {kLanguageRU, 0xD800, false}, {kLanguageEN, 0xFFFD, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusedCharacter(c.language, c.c) == nullptr, c.allowed)
        << "language " << c.language << " U+" << std::hex << int(c.c);
  }
}

TEST(TextRules, CheckedSourcesNameTheLineOfTheFault) {
  struct Case {
    int32_t language;
    const char* code;
    std::string source;
    int line;  // 0: the fault names only the file
  };
  const Case cases[] = {
      {kLanguageEN, "EN", validSource("EN") + "90: tab\\there\n", 5},
      {kLanguageEN, "EN", validSource("EN") + "90: \\uFEFFx\n", 5},
      {kLanguageEN, "EN",
       "[pack 0]\n0: EN\n1: \xC2\xAB"
       "x\n[pack 1]\n89: #\n",
       3},
      {kLanguageFR, "FR", "[pack 0]\n0: FR\n[pack 1]\n89: \xC5\x92 #\n", 4},
      {kLanguageRU, "RU", "[pack 0]\n0: RU\n[pack 3]\n1: \xC3\x80\n[pack 1]\n89: #\n", 4},
      {kLanguagePL, "PL", "[pack 0]\n0: PL\n[pack 1]\n89: \xD0\x81 #\n", 4},
      {kLanguageEN, "EN", "[pack 0]\n0: FR\n[pack 1]\n89: #\n", 2},
      {kLanguageEN, "EN", "[pack 1]\n89: #\n", 0},
      {kLanguageEN, "EN", "[pack 0]\n0: EN\n[pack 1]\n89: Set\n", 4},
      {kLanguageEN, "EN", "[pack 0]\n0: EN\n[pack 1]\n88: x\n", 0},
  };
  for (const Case& c : cases) {
    TextSource s;
    std::string error;
    ASSERT_TRUE(parseTextSource(c.source, "xx.txt", &s, &error)) << error;
    std::string code = c.code;
    EXPECT_FALSE(checkTextSource(s, c.language, std::u16string(code.begin(), code.end()), &error))
        << c.source;
    std::string expected = c.line > 0 ? "xx.txt line " + std::to_string(c.line) + ":" : "xx.txt:";
    EXPECT_EQ(error.rfind(expected, 0), 0u) << error;
  }
  TextSource good;
  std::string error;
  ASSERT_TRUE(
      parseTextSource(validSource("TR") + "[pack 2]\n1: \xC4\xB1 i\n", "tr.txt", &good, &error));
  EXPECT_TRUE(checkTextSource(good, kLanguageTR, u"TR", &error)) << error;
}

TEST(TextRules, EveryLanguageGivesTheEnglishIds) {
  TextSource english, same, extra, missing;
  std::string error;
  ASSERT_TRUE(
      parseTextSource("[pack 0]\n0: EN\n2: b\n[pack 3]\n5: x\n", "en.txt", &english, &error));
  ASSERT_TRUE(parseTextSource("[pack 0]\n0: DE\n2: c\n[pack 3]\n5: y\n", "de.txt", &same, &error));
  ASSERT_TRUE(
      parseTextSource("[pack 0]\n0: DE\n1: a\n2: c\n[pack 3]\n5: y\n", "de.txt", &extra, &error));
  ASSERT_TRUE(parseTextSource("[pack 0]\n0: DE\n2: c\n", "de.txt", &missing, &error));
  EXPECT_TRUE(checkSameIds(same, english, &error)) << error;
  EXPECT_FALSE(checkSameIds(extra, english, &error));
  EXPECT_EQ(error.rfind("de.txt line 3:", 0), 0u) << error;
  EXPECT_FALSE(checkSameIds(missing, english, &error));
  EXPECT_NE(error.find("pack 3 id 5"), std::string::npos) << error;
  EXPECT_NE(error.find("en.txt line 5"), std::string::npos) << error;
}

std::string run(const std::string& command, int* status) {
  std::string output;
  std::FILE* p = popen((command + " 2>&1").c_str(), "r");
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) output.append(buf, n);
  *status = pclose(p);
  return output;
}

// The command refuses a broken source of the chosen language, naming the file and line, and
// writes nothing.
TEST(MkdataLanguages, RefusalsReachTheCommandLine) {
  fs::path base = fs::temp_directory_path() / ("mkdata_lang_" + std::to_string(getpid()));
  fs::remove_all(base);
  fs::create_directories(base);
  fs::copy(SORV_DATA_SOURCE_DIR, base / "data", fs::copy_options::recursive);
  { std::ofstream(base / "data" / "texts" / "fr.txt", std::ios::app) << "\n[pack 3]\n"; }
  std::string tool =
      std::string(SORV_BUILD_DIR) + "/tools/mkdata --data " + (base / "data").string();
  int status = 0;
  std::string out = run(tool + " --out " + (base / "fr").string() + " --language FR", &status);
  EXPECT_NE(status, 0);
  EXPECT_NE(out.find("fr.txt line "), std::string::npos) << out;
  EXPECT_NE(out.find("pack given twice"), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(base / "fr" / "data.bar"));

  out = run(tool + " --out " + (base / "de").string() + " --language DE", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_TRUE(fs::exists(base / "de" / "data.bar"));
  out = run(tool + " --out " + (base / "xx").string() + " --language XX", &status);
  EXPECT_NE(status, 0);
  EXPECT_NE(out.find("XX"), std::string::npos) << out;
  fs::remove_all(base);
}

}  // namespace
}  // namespace sorv::mkdata
