#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

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
      {kLanguageEN, 0xBB, true},    {kLanguageEN, 0xB6, false},  // », and ¶ the face lacks
      {kLanguageEN, 0xBC, false},   {kLanguageEN, 0xBF, true},   // ¼; ¿
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
      {kLanguageRU, 0xD7, true},    {kLanguageRU, 0xB0, false},
      {kLanguageRU, 0xBF, false},   {kLanguageRU, 0xA9, true},
      {kLanguageRU, 0x104, false},  {kLanguageRU, 0xD800, false},
      {kLanguageEN, 0xFFFD, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusedCharacter(c.language, c.c) == nullptr, c.allowed)
        << "language " << c.language << " U+" << std::hex << int(c.c);
  }
}

// The glyph code the game's text drawing gives a character: Latin-1 as itself with four
// moved, the extra letters onto 150-180 (capital and small sharing one where they are
// written alike), Cyrillic onto 150-214 in Russian, 'i' onto the dotted capital in Turkish.
int32_t referenceGlyph(int32_t language, char16_t c) {
  static const std::map<char16_t, int32_t> kMoved = {
      {160, 32},  {161, 132}, {169, 129}, {176, 186}, {260, 153}, {261, 164}, {262, 156},
      {263, 167}, {268, 172}, {269, 172}, {270, 173}, {271, 173}, {277, 174}, {282, 174},
      {283, 174}, {280, 154}, {281, 165}, {286, 150}, {287, 161}, {304, 152}, {305, 73},
      {321, 159}, {322, 170}, {323, 160}, {324, 171}, {327, 175}, {328, 175}, {344, 176},
      {345, 176}, {346, 155}, {347, 166}, {350, 151}, {351, 162}, {352, 177}, {353, 177},
      {356, 178}, {357, 178}, {366, 179}, {367, 179}, {377, 157}, {378, 168}, {379, 158},
      {380, 169}, {381, 180}, {382, 180}};
  int32_t g = c;
  if (language == kLanguageRU && (c == 0x401 || c == 0x451)) g = 150;
  if (language == kLanguageRU && c >= 0x410 && c <= 0x44F) g = 151 + (c - 0x410);
  if (auto it = kMoved.find(c); it != kMoved.end()) g = it->second;
  if (language == kLanguageTR && c == u'i') g = 152;
  return g >= 256 ? 0 : g;
}

// Over every UTF-16 unit: what a language accepts has a glyph of its own, and two accepted
// characters share a glyph only where the font means them to (capital and small of one extra
// letter, Yo, and the Turkish i pairs).
TEST(TextRules, AcceptedCharactersNeverDrawAsAnotherLetter) {
  // Czech capitals and smalls written alike: C, D, E (with e breve), N, R, S, T, U ring, Z caron.
  static const std::vector<std::pair<char16_t, char16_t>> kCaronPairs = {
      {0x10C, 0x10D}, {0x10E, 0x10F}, {0x11A, 0x11B}, {0x115, 0x11A},
      {0x115, 0x11B}, {0x147, 0x148}, {0x158, 0x159}, {0x160, 0x161},
      {0x164, 0x165}, {0x16E, 0x16F}, {0x17D, 0x17E}};
  auto meantToShare = [](int32_t language, char16_t a, char16_t b) {
    if (a > b) std::swap(a, b);
    if (language == kLanguageTR && ((a == u'I' && b == 0x131) || (a == u'i' && b == 0x130))) {
      return true;
    }
    if ((a == u' ' && b == 0xA0) || (a == 0x401 && b == 0x451)) return true;
    return std::find(kCaronPairs.begin(), kCaronPairs.end(), std::make_pair(a, b)) !=
           kCaronPairs.end();
  };
  for (int32_t language = 0; language < kLanguageCount; language++) {
    std::map<int32_t, char16_t> owner;
    for (uint32_t u = 0; u <= 0xFFFF; u++) {
      char16_t c = static_cast<char16_t>(u);
      if (c == u'\n' || refusedCharacter(language, c) != nullptr) continue;
      int32_t glyph = referenceGlyph(language, c);
      EXPECT_GE(glyph, 32) << "language " << language << " U+" << std::hex << u;
      auto [it, fresh] = owner.emplace(glyph, c);
      if (!fresh) {
        EXPECT_TRUE(meantToShare(language, it->second, c))
            << "language " << language << ": U+" << std::hex << unsigned(it->second) << " and U+"
            << u << " share glyph " << std::dec << glyph;
      }
    }
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
  // A character without a glyph of its own: the refusal names the text, the language, the
  // character and what it would draw as.
  TextSource russian;
  std::string error;
  ASSERT_TRUE(parseTextSource("[pack 0]\n0: RU\n30: \xD0\x9A\xC3\x80\n[pack 1]\n89: #\n", "ru.txt", &russian, &error));
  EXPECT_FALSE(checkTextSource(russian, kLanguageRU, u"RU", &error));
  EXPECT_EQ(error, "ru.txt line 3: text 30 of pack 0 (RU): '\xC3\x80' (U+00C0) has no glyph of its own (it would "
                   "draw as '\xD0\xB9' (U+0439))");
  TextSource good;
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
