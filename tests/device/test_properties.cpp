#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "device/app_properties.h"
#include "runtime/clock.h"
#include "runtime/lang_system.h"
#include "runtime/string.h"
#include "runtime/util_hashtable.h"
#include "tests/device/device_fixture.h"

namespace sorv {
namespace {

using test::str;

class PropertiesTest : public test::DeviceTest {
 protected:
  std::vector<test::BarEntry> entries() const override {
    return {{"constants.bin", test::constantsBin()},
            {"app.jad", "MIDlet-Name: Sorvantel 2009\r\n  MIDlet-Version :  1.0.0  \r\n"
                        "IGP-LINK: http://example.invalid/a:b\nno colon here\nLast: line"}};
  }

  std::string value(Hashtable* table, const char* key) {
    Object* v = Hashtable::get(table, str(key));
    return v == nullptr ? "<absent>" : String::toUtf8(static_cast<String*>(v));
  }
};

TEST_F(PropertiesTest, LinesSplitAtTheFirstColonTrimmedSkippingLinesWithoutOne) {
  struct Case {
    const char* what;
    const char* text;
    std::vector<std::pair<const char*, const char*>> expected;
    int32_t count;
  };
  const Case cases[] = {
      {"CRLF dropped", "a: 1\r\nb: 2\r\n", {{"a", "1"}, {"b", "2"}}, 2},
      {"trimmed", "  key  :   value with spaces \t\n", {{"key", "value with spaces"}}, 1},
      {"first colon only", "url: http://x:80/y\n", {{"url", "http://x:80/y"}}, 1},
      {"no colon skipped", "garbage\nk: v\n", {{"k", "v"}, {"garbage", "<absent>"}}, 1},
      {"last line without a line feed", "k: v\nlast: 1", {{"last", "1"}}, 2},
      {"later key replaces", "k: 1\nk: 2\n", {{"k", "2"}}, 1},
      {"empty value and empty lines", "\n\nk:\n\r\n", {{"k", ""}}, 1},
      {"colon on a later line only", "a\nb: c", {{"a", "<absent>"}, {"b", "c"}}, 1},
  };
  for (const Case& c : cases) {
    Hashtable* table = Hashtable::create();
    parseAppProperties(str(c.text), table);
    EXPECT_EQ(table->count, c.count) << c.what;
    for (auto [key, expected] : c.expected) EXPECT_EQ(value(table, key), expected) << c.what;
  }
}

TEST_F(PropertiesTest, TheMidletReadsAppJadAndAnswersAbsentKeysWithTheEmptyText) {
  MIDlet* midlet = newObject<MIDlet>();
  MIDlet::init(midlet);
  struct Case {
    const char* key;
    const char* app;     // getAppProperty
    const char* system;  // System.getProperty
  };
  const Case cases[] = {
      {"MIDlet-Version", "1.0.0", "1.0.0"},
      {"IGP-LINK", "http://example.invalid/a:b", "http://example.invalid/a:b"},
      {"Last", "line", "line"},
      {"midlet-version", "PROPERTY VALUE EMPTY", "PROPERTY VALUE EMPTY"},
      {"microedition.media.version", "PROPERTY VALUE EMPTY", "1.0"},
      {"microedition.encoding", "PROPERTY VALUE EMPTY", "UTF-8"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(String::toUtf8(midlet->getAppProperty(str(c.key))), c.app) << c.key;
    EXPECT_EQ(String::toUtf8(System::getProperty(str(c.key))), c.system) << c.key;
  }
}

TEST_F(PropertiesTest, WithoutAppJadEveryPropertyIsTheEmptyText) {
  replaceBar(test::makeBar({{"constants.bin", test::constantsBin()}}));
  EXPECT_EQ(readJad(), nullptr);
  MIDlet* midlet = newObject<MIDlet>();
  MIDlet::init(midlet);
  EXPECT_EQ(midlet->properties->count, 0);
  EXPECT_EQ(String::toUtf8(midlet->getAppProperty(str("MIDlet-Name"))), "PROPERTY VALUE EMPTY");
}

TEST(SystemClockTest, CurrentTimeMillisIsTheProgramClock) {
  clock::setVirtual(true);
  int64_t before = System::currentTimeMillis();
  clock::advance(250);
  EXPECT_EQ(System::currentTimeMillis() - before, 250);
  EXPECT_GE(System::currentTimeMillis(), 0) << "the high word stays 0";
  clock::setVirtual(false);
}

}  // namespace
}  // namespace sorv
