#include <gtest/gtest.h>

#include <climits>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

class TextPackTest : public GameTest {
 protected:
  void load(int32_t pack, const Bytes& data) { CGame::Str_LoadPack(pack, bytes(data), nullptr); }
  std::string text(int32_t pack, int32_t id) { return utf8(CGame::GetString(pack, id)); }
  // A pack 2 with every id below 270 named "t<id>", the home names as given.
  void loadTextsPack(const std::vector<std::string>& homes) {
    std::vector<std::string> strings;
    for (int32_t id = 0; id < kTextPackMinStrings[kTextMenus]; id++) strings.push_back("t" + std::to_string(id));
    for (size_t i = 0; i < homes.size(); i++) strings[kHomeNamesFirst + i] = homes[i];
    load(2, textPack(strings));
  }
};

TEST_F(TextPackTest, StringsComeBackByPackAndId) {
  load(1, textPack({"zero", "", "two"}));
  EXPECT_EQ(CGame::GetStringCount(1), 3);
  EXPECT_EQ(text(1, 0), "zero");
  EXPECT_EQ(text(1, 1), "") << "an empty string is not null";
  ObjectArray* range = CGame::GetString(1, 1, 2);
  ASSERT_EQ(range->length, 2);
  EXPECT_EQ(utf8(static_cast<String*>(range->elements()[1])), "two");
  EXPECT_EQ(CGame::GetStringCount(3), 0);
  EXPECT_EQ(CGame::GetString(3, 0), nullptr) << "an unloaded pack gives null";
  load(3, textPack({}));
  EXPECT_EQ(CGame::GetStringCount(3), 0);
  EXPECT_EQ(CGame::textPacks->elements()[3] != nullptr, true) << "count 0 is an empty array";
  CGame::Str_UnloadPack(1);
  EXPECT_EQ(CGame::GetStringCount(1), 0);
  EXPECT_EQ(CGame::textPackData->elements()[3], nullptr);
}

TEST_F(TextPackTest, FreeStringClearsOnlyItsRange) {
  struct Case {
    int32_t first, last;
    std::vector<bool> cleared;
  };
  const Case cases[] = {{5, -1, {0, 0, 0, 0, 0, 1, 0, 0}},
                        {6, 5, {0, 0, 0, 0, 0, 0, 0, 0}},
                        {2, 4, {0, 0, 1, 1, 1, 0, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    load(0, textPack({"a", "b", "c", "d", "e", "f", "g", "h"}));
    CGame::FreeString(0, c.first, c.last);
    EXPECT_EQ(CGame::GetStringCount(0), 8) << "the pack keeps its size";
    for (int32_t id = 0; id < 8; id++) EXPECT_EQ(CGame::GetString(0, id) == nullptr, c.cleared[id]) << id;
  }
}

TEST_F(TextPackTest, DamagedPacksKeepTheStringsWhollyThere) {
  Bytes cutInString = textPack({"one", "two", "three"});
  cutInString.resize(cutInString.size() - 2);
  Bytes countTooHigh = textPack({"one", "two"});
  countTooHigh[1] = 200;
  Bytes cutInLength = textPack({"one"});
  cutInLength.push_back(0);
  cutInLength[1] = 2;
  struct Case {
    const char* what;
    Bytes data;
    int32_t kept;
  };
  const Case cases[] = {{"cut inside a string", cutInString, 2},
                        {"count above the strings", countTooHigh, 2},
                        {"cut inside a length", cutInLength, 1},
                        {"one byte", {7}, 0},
                        {"nothing", {}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogCapture log;
    load(1, c.data);
    EXPECT_EQ(CGame::GetStringCount(1), c.kept);
    if (c.kept > 0) {
      EXPECT_EQ(text(1, 0), "one");
    }
    EXPECT_TRUE(log.contains("Str_LoadPack: pack 1 holds"));
    EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  }
}

TEST_F(TextPackTest, EveryEncodingDecodesThroughConstant53) {
  struct Case {
    const char16_t* encoding;
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {{u"ISO-8859-1", "caf\xE9", u"caf\u00E9"},
                        {u"UTF-8", "\xD0\x96\xC5\x81", u"\u0416\u0141"},
                        {u"SJIS", "\x82\xA0", u"\x82A0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(String::toUtf8(String::fromWideCString(c.encoding)));
    serve({}, {{kConstTextEncoding, c.encoding}});
    load(0, textPack({c.bytes}));
    String* s = CGame::GetString(0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::u16string(s->units(), s->length()), c.expected);
  }
}

TEST_F(TextPackTest, LanguageFollowsPackZerosFirstString) {
  for (int32_t index = 0; index < kLanguageCount; index++) {
    String* code = StaticClass::getConstant(kConstLanguageCodes[index]);
    load(0, textPack({String::toUtf8(code), "x"}));
    EXPECT_EQ(CGame::language, index) << String::toUtf8(code);
  }
  load(0, textPack({"??"}));
  EXPECT_EQ(CGame::language, 0) << "an unknown code is language 0";
  CGame::language = 4;
  load(1, textPack({"EN"}));
  EXPECT_EQ(CGame::language, 4) << "only pack 0 decides";
}

TEST_F(TextPackTest, FormatStringPadsWithConstant18) {
  struct Case {
    int32_t n, width;
    const char* expected;
  };
  for (Case c : {Case{7, 2, "07"}, Case{123, 2, "123"}, Case{5, 0, "5"}, Case{-5, 3, "0-5"},
                 Case{0, 3, "000"}}) {
    EXPECT_EQ(utf8(CGame::FormatString(c.n, c.width)), c.expected) << c.n << " " << c.width;
  }
}

TEST_F(TextPackTest, ThousandsFollowTheLanguage) {
  struct Case {
    int32_t language, n;
    const char* expected;
  };
  const Case cases[] = {{0, 1234567, "1,234,567"}, {3, 1234567, "1.234.567"}, {1, 9999, "9999"},
                        {1, 12345, "12 345"},      {2, -5000, "-5 000"},      {0, 999, "999"},
                        {0, 0, "0"},               {4, -9999, "-9999"},       {9, 10000, "10.000"},
                        {0, INT_MIN, "-2,147,483,648"}, {6, INT_MAX, "2.147.483.647"},
                        {0, 1000, "1,000"}};
  for (const Case& c : cases) {
    CGame::language = c.language;
    EXPECT_EQ(utf8(CGame::FormatMathStringLocalize(c.n)), c.expected) << c.language << " " << c.n;
  }
}

TEST_F(TextPackTest, HomeOrderIsStableAndNamesStayInPackOrder) {
  const std::vector<std::string> homes = {"Oslo", "Bern", "Rome", "Bern", "Apia", "Lima", "Kiev",
                                          "Doha", "Baku", "Oslo", "Riga", "Cairo", "Dili", "Apia"};
  loadTextsPack(homes);
  CGame::initStrings();
  ASSERT_EQ(CGame::homeNames->length, 14);
  EXPECT_EQ(utf8(static_cast<String*>(CGame::homeNames->elements()[0])), "Oslo");
  const std::vector<int32_t> sorted = {4, 13, 8, 1, 3, 11, 12, 7, 6, 5, 0, 9, 10, 2};
  EXPECT_EQ(std::vector<int32_t>(CGame::homeOrder->elements(), CGame::homeOrder->elements() + 14), sorted);
  EXPECT_EQ(CGame::rosterNames->length, 36);
  EXPECT_EQ(utf8(static_cast<String*>(CGame::rosterNames->elements()[0])), "t49");
  EXPECT_EQ(utf8(static_cast<String*>(CGame::styleCaptions->elements()[35])), "t120");
  ASSERT_EQ(CGame::firstNames->length, kFirstNamesCount);
  ASSERT_EQ(CGame::lastNames->length, kLastNamesCount);
  EXPECT_EQ(utf8(static_cast<String*>(CGame::firstNames->elements()[0])), "t348");
  EXPECT_EQ(utf8(static_cast<String*>(CGame::lastNames->elements()[kLastNamesCount - 1])), "t379");
}

TEST_F(TextPackTest, HomeOrderComparesUtf16Units) {
  loadTextsPack({"Zurich", "\xC3\x84rhus", "Aachen"});  // the shipped encoding is UTF-8
  CGame::initStrings();
  std::vector<int32_t> sorted = {2, 0};
  for (int32_t i = 3; i < 14; i++) sorted.push_back(i);  // "t38".."t48" sort between 'Z' and U+00C4
  sorted.push_back(1);
  EXPECT_EQ(std::vector<int32_t>(CGame::homeOrder->elements(), CGame::homeOrder->elements() + 14), sorted);
}

TEST_F(TextPackTest, CareerSlotShowsTheStyleCaption) {
  struct Case {
    int32_t mode, slot;
  };
  for (Case c : {Case{0, 17}, Case{1, 17}, Case{2, 35}, Case{3, 35}}) {
    loadTextsPack({});
    CGame::isCareer = true;
    CGame::careerStyle = 2;
    CGame::matchSettings->elements()[0] = c.mode;
    CGame::initStrings();
    EXPECT_EQ(utf8(static_cast<String*>(CGame::styleCaptions->elements()[c.slot])), "t172") << c.mode;
  }
}

TEST_F(TextPackTest, OrdinalsAndTimes) {
  loadTextsPack({});
  EXPECT_EQ(utf8(CGame::ordinal(0)), "t260" + utf8(StaticClass::getConstant(kConstOrdinalJoiner)));
  EXPECT_EQ(utf8(CGame::ordinal(4)), "t264" + utf8(StaticClass::getConstant(kConstOrdinalJoiner)));
  EXPECT_EQ(utf8(CGame::ordinal(5)), "5");
  const std::string noTime = utf8(StaticClass::getConstant(kConstNoTime));
  const std::string joiner = utf8(StaticClass::getConstant(kConstTimeJoiner));
  EXPECT_EQ(utf8(CGame::INT2Time(0)), noTime);
  EXPECT_EQ(utf8(CGame::INT2Time(32767)), noTime);
  EXPECT_EQ(utf8(CGame::INT2Time(144)), "01" + joiner + "00");   // 3600 ticks of 1/25 s
  EXPECT_EQ(utf8(CGame::INT2Time(150)), "01" + joiner + "02");
  EXPECT_EQ(utf8(CGame::INT2Time(1)), "00" + joiner + "00");
}

}  // namespace
}  // namespace sorv::test
