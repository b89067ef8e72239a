#include "tools/mkdata/calls_source.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/mkdata/data_set.h"

namespace sorv::mkdata {
namespace {

std::string validSource() {
  std::string s = "# calls\nvoice en-gb-x-rp\nrate 175\n";
  for (int i = kFirstCallSound; i <= kLastCallSound; ++i)
    s += std::to_string(i) + ": Call " + std::to_string(i) + ".\n";
  return s;
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
  return s.replace(s.find(from), from.size(), to);
}

TEST(CallsSource, ReadsTheVoiceTheRateAndOneTextACall) {
  CallScript script;
  std::string error;
  ASSERT_TRUE(parseCallsSource(validSource(), &script, &error)) << error;
  EXPECT_EQ(script.voice, "en-gb-x-rp");
  EXPECT_EQ(script.rate, 175);
  EXPECT_EQ(script.texts.front(), "Call 7.");
  EXPECT_EQ(script.texts.back(), "Call 19.");
  ASSERT_TRUE(readCallsSource(defaultDataDir(), &script, &error)) << error;
  EXPECT_EQ(script.texts[13 - kFirstCallSound], "Game, set and match.");
}

TEST(CallsSource, RefusesABadSourceNamingTheLine) {
  const struct {
    std::string source, error;
  } cases[] = {
      {replaced(validSource(), "voice en-gb-x-rp\n", ""), "the voice or the rate is missing"},
      {replaced(validSource(), "rate 175", "rate fast"), "line 3: the rate"},
      {replaced(validSource(), "rate 175", "rate 900"), "line 3: the rate"},
      {replaced(validSource(), "7: Call 7.", "6: Call 6."), "line 4: sound 6 is not a call"},
      {replaced(validSource(), "8: Call 8.", "7: Again."), "line 5: sound 7 given twice"},
      {replaced(validSource(), "19: Call 19.\n", ""), "no text for sound 19"},
      {replaced(validSource(), "Call 9.", "-x"), "line 6: the text"},
      {replaced(validSource(), "Call 9.", "D\xC3\xA9j\xC3\xA0"), "line 6: the text"},
      {replaced(validSource(), "Call 9.", ""), "line 6"},
      {replaced(validSource(), "voice en-gb-x-rp", "voice en gb"), "line 2: not"},
  };
  for (const auto& c : cases) {
    CallScript script;
    std::string error;
    EXPECT_FALSE(parseCallsSource(c.source, &script, &error)) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace sorv::mkdata
