#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tools/mkdata/achievement_writer.h"
#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

// A text pack 0 of `count` strings, each "t" but the ids listed as empty.
std::vector<uint8_t> pack0(int count, std::vector<int> empty = {}) {
  std::vector<uint8_t> out{static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count)};
  for (int id = 0; id < count; id++) {
    bool blank = std::find(empty.begin(), empty.end(), id) != empty.end();
    out.insert(out.end(), {0, static_cast<uint8_t>(blank ? 0 : 1)});
    if (!blank) out.push_back('t');
  }
  return out;
}

std::string realSource() {
  std::string source, error;
  EXPECT_TRUE(readSourceFile(std::string(defaultDataDir()) + "/achievements.txt", &source, &error)) << error;
  return source;
}

std::vector<LanguageTexts> twoLanguages() { return {{"EN", pack0(248)}, {"DE", pack0(248)}}; }

TEST(AchievementWriter, TheSourceGivesFiftySixRecordsInTheGamesForms) {
  std::vector<uint8_t> table, again;
  std::string error;
  ASSERT_TRUE(writeAchievementTable(realSource(), twoLanguages(), &table, &error)) << error;
  ASSERT_TRUE(writeAchievementTable(realSource(), twoLanguages(), &again, &error)) << error;
  EXPECT_EQ(table, again);
  ASSERT_EQ(table.size(), 2u + 56u * 11u);
  EXPECT_EQ(table[0], 56);
  EXPECT_EQ(table[1], 0);
  const std::vector<int> valueForm = {5,  6,  7,  20, 21, 22, 23, 24, 27, 28, 29,
                                      31, 32, 33, 35, 36, 37, 38, 39, 41, 49};
  int gold = 0;
  for (int n = 0; n < 56; n++) {
    const uint8_t* r = &table[2 + 11 * n];
    EXPECT_EQ((r[2] << 8) | r[3], 101 + 2 * n);
    EXPECT_EQ((r[4] << 8) | r[5], 102 + 2 * n);
    gold += (r[6] << 8) | r[7];
    bool value = std::find(valueForm.begin(), valueForm.end(), n) != valueForm.end();
    EXPECT_EQ(r[10] >> 4, value ? 1 : 0) << n;
    if (value) {
      EXPECT_LE(r[10] & 15, 4) << n;
    } else {
      EXPECT_EQ(r[10] & 15, 0) << n;
      EXPECT_EQ((r[8] << 8) | r[9], 0) << n;
    }
  }
  EXPECT_GE(gold, 6000);
  EXPECT_LE(gold, 32767);
}

// Each refusal names the line it found wrong.
TEST(AchievementWriter, SourcesTheGameWouldRefuseAreRefused) {
  struct Case {
    const char* what;
    std::string from, to;
    std::vector<LanguageTexts> languages;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"value id checked by condition", "5: gold=100 check=>= threshold=150", "5: gold=100 check=condition",
       twoLanguages(), ":\\d+: the game checks this one with a value"},
      {"condition id compared", "0: gold=20 check=condition", "0: gold=20 check=> threshold=1",
       twoLanguages(), ":\\d+: the game checks this one with a condition"},
      {"unknown comparison", "6: gold=200 check=>= threshold=180", "6: gold=200 check=!= threshold=180",
       twoLanguages(), ":\\d+: unknown check !="},
      {"threshold too large", "threshold=180", "threshold=65536", twoLanguages(),
       ":\\d+: threshold is 0 to 65535"},
      {"comparison without threshold", "check=>= threshold=180", "check=>=", twoLanguages(),
       ":\\d+: a threshold goes with a comparison"},
      {"threshold on a condition", "0: gold=20 check=condition", "0: gold=20 check=condition threshold=2",
       twoLanguages(), ":\\d+: a threshold goes with a comparison"},
      {"gold missing", "0: gold=20 check=condition", "0: check=condition", twoLanguages(),
       ":\\d+: gold and check are needed"},
      {"id out of order", "\n3: gold=100", "\n4: gold=100", twoLanguages(), ":\\d+: id 3 expected"},
      {"too few", "53: gold=300 check=condition\n54: gold=1000 check=condition\n55: gold=100 check=condition", "", twoLanguages(),
       ":\\d+: the game reads 55 achievements"},
      {"gold over the saved 16 bits", "54: gold=1000", "54: gold=30000", twoLanguages(),
       ":\\d+: Gold totals 39690"},
            {"no text in one language", "", "", {{"EN", pack0(248)}, {"FR", pack0(248, {117})}},
       ":\\d+: FR text pack 0 has no text 117"},
      {"a short text pack", "", "", {{"EN", pack0(200)}}, ":\\d+: EN text pack 0 has no text 200"},
      {"a damaged text pack", "", "", {{"EN", {0, 5, 0, 9}}}, "EN text pack 0 is damaged"},
  };
  const std::string source = realSource();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string edited = source;
    if (!c.from.empty()) {
      size_t at = edited.find(c.from);
      ASSERT_NE(at, std::string::npos);
      edited.replace(at, c.from.size(), c.to);
    }
    std::vector<uint8_t> table;
    std::string error;
    EXPECT_FALSE(writeAchievementTable(edited, c.languages, &table, &error));
    EXPECT_TRUE(std::regex_search(error, std::regex(c.message))) << error;
  }
  // The same Gold for every achievement: 56 x 100 is short of the top rank.
  std::string uniform;
  for (int n = 0; n < 56; n++) {
    std::string line = realSource().substr(realSource().find("\n" + std::to_string(n) + ": ") + 1);
    line = line.substr(0, line.find('\n'));
    uniform += std::regex_replace(line, std::regex("gold=\\d+"), "gold=100") + "\n";
  }
  std::string error;
  std::vector<uint8_t> table;
  EXPECT_FALSE(writeAchievementTable(uniform, twoLanguages(), &table, &error));
  EXPECT_NE(error.find(":56: Gold totals 5600, not 6000 to 32767"), std::string::npos) << error;
  EXPECT_FALSE(writeAchievementTable("0: gold=70000 check=condition", twoLanguages(), &table, &error));
  EXPECT_NE(error.find("achievements.txt:1: gold is 0 to 65535"), std::string::npos) << error;
}

}  // namespace
}  // namespace sorv::mkdata
