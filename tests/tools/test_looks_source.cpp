// The looks source: the shipped looks.txt reads whole, and a broken one is refused with the
// line and the reason, leaving no looks behind; the created player's choices likewise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/looks_source.h"
#include "tools/mkdata/text_source.h"

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// A source of `count` good avatars, then `tail`.
std::string looksSource(int count, const std::string& tail = "") {
  std::string s = "# avatar hair shirt shorts socks shoes bands racket\n\n";
  for (int a = 0; a < count; a++) s += std::to_string(a) + " 101010 a0b0c0 FFFFFF ffffff 202020 d8322a 000000\n";
  return s + tail;
}

TEST(LooksSource, TheShippedLooksDressEveryAvatar) {
  std::vector<mk::Look> looks;
  std::string error;
  ASSERT_TRUE(mk::loadLooks(mk::defaultDataDir(), &looks, &error)) << error;
  EXPECT_EQ(static_cast<int>(looks.size()), kPlayerPaletteCount);
  ASSERT_TRUE(mk::readLooks(looksSource(kPlayerPaletteCount), &looks, &error)) << error;
  EXPECT_EQ(looks[3].colours[mk::kShirtGroup], 0xA0B0C0u);
  EXPECT_EQ(looks[3].colours[mk::kShortsGroup], 0xFFFFFFu) << "either case";
  EXPECT_EQ(looks[35].colours[mk::kBandsGroup], 0xD8322Au);
}

TEST(LooksSource, BrokenLinesAreRefusedWithWhereAndWhy) {
  const int n = kPlayerPaletteCount;
  struct Case {
    std::string source, error;
  };
  const Case cases[] = {
      {looksSource(n - 1), "looks.txt:37: 36 avatars expected, 35 found"},
      {looksSource(n, "36 101010 101010 101010 101010 101010 101010 101010\n"), "looks.txt:39: more than 36 avatars"},
      {looksSource(2, "3 101010 101010 101010 101010 101010 101010 101010\n"),
       "looks.txt:5: avatar 2 expected, not 3"},
      {looksSource(1, "1 101010 101010 101010\n"), "looks.txt:4: an avatar and 7 colours expected, 4 fields found"},
      {looksSource(0, "0 10101 101010 101010 101010 101010 101010 101010\n"),
       "looks.txt:3: colour 0 is not six hexadecimal digits: 10101"},
      {looksSource(0, "0 101010 10g010 101010 101010 101010 101010 101010\n"),
       "looks.txt:3: colour 1 is not six hexadecimal digits: 10g010"},
      {"", "looks.txt:1: 36 avatars expected, 0 found"},
  };
  for (const Case& c : cases) {
    std::vector<mk::Look> looks(3);
    std::string error;
    EXPECT_FALSE(mk::readLooks(c.source, &looks, &error)) << c.error;
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(looks.empty());
  }
  std::vector<mk::Look> looks;
  std::string error;
  EXPECT_FALSE(mk::loadLooks("/nonexistent-folder", &looks, &error));
  EXPECT_NE(error.find("/nonexistent-folder/looks.txt"), std::string::npos) << error;
}

// The career lines, one per colour group in order, beside the avatars' lines.
std::string choicesSource(int groups, const std::string& tail = "") {
  std::string s = looksSource(2);
  for (int g = 0; g < groups; g++) s += std::string("career ") + mk::kColourGroupNames[g] + " 101010 2a5fc8\n";
  return s + tail;
}

TEST(LooksSource, TheCreatedPlayersChoicesReadByGroup) {
  mk::CareerChoices choices;
  std::string error;
  ASSERT_TRUE(mk::loadCareerChoices(mk::defaultDataDir(), &choices, &error)) << error;
  for (int g = 0; g < kColourGroupCount; g++) EXPECT_FALSE(choices.colours[g].empty()) << g;
  ASSERT_TRUE(mk::readCareerChoices(choicesSource(kColourGroupCount), &choices, &error)) << error;
  EXPECT_EQ(choices.colours[mk::kRacketGroup], (std::vector<uint32_t>{0x101010, 0x2A5FC8}));
  std::vector<mk::Look> looks;
  EXPECT_FALSE(mk::readLooks(choicesSource(kColourGroupCount), &looks, &error)) << "the avatars still count";
  EXPECT_EQ(error, "looks.txt:11: 36 avatars expected, 2 found");

  const struct {
    std::string source, error;
  } broken[] = {
      {choicesSource(6), "looks.txt:10: career racket missing"},
      {choicesSource(1, "career hair 101010\n"), "looks.txt:6: career shirt expected"},
      {choicesSource(7, "career racket 101010\n"), "looks.txt:12: more than one career line per colour group"},
      {choicesSource(0, "career hair\n"), "looks.txt:5: 1 to 7 career choices expected, 0 found"},
      {choicesSource(0, "career hair 1 2 3 4 5 6 7 8\n"), "looks.txt:5: 1 to 7 career choices expected, 8 found"},
      {choicesSource(0, "career hair 10g010\n"), "looks.txt:5: career colour is not six hexadecimal digits: 10g010"},
  };
  for (const auto& c : broken) {
    choices.colours[0] = {1};
    EXPECT_FALSE(mk::readCareerChoices(c.source, &choices, &error)) << c.error;
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(choices.colours[0].empty());
  }
}

// The creation's and the appearance screen's captions name the colour group each look
// dresses: English caption 173 + g (text pack 2) and its hint 320 + g name group g of
// looks.txt (the wristbands its bands).
TEST(LooksSource, EachLooksCaptionNamesItsColourGroup) {
  std::string source, error;
  ASSERT_TRUE(mk::readSourceFile(std::string(mk::defaultDataDir()) + "/texts/en.txt", &source, &error)) << error;
  mk::TextSource texts;
  ASSERT_TRUE(mk::parseTextSource(source, "en.txt", &texts, &error)) << error;
  const auto text = [&](int32_t id) {
    std::string out;
    for (char16_t c : texts.strings[kTextMenus].at(static_cast<size_t>(id))) {
      out += static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    }
    return out;
  };
  constexpr int32_t kFirstCaption = 173, kFirstHint = 320;
  for (int g = 0; g < kColourGroupCount; g++) {
    const std::string group = mk::kColourGroupNames[g];
    EXPECT_NE(text(kFirstCaption + g).find(group), std::string::npos) << text(kFirstCaption + g) << " for " << group;
    EXPECT_NE(text(kFirstHint + g).find(group), std::string::npos) << text(kFirstHint + g) << " for " << group;
  }
}

}  // namespace
}  // namespace sorv::test
