#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "runtime/collector.h"
#include "runtime/encodings.h"
#include "runtime/heap.h"
#include "runtime/stress.h"
#include "runtime/string.h"
#include "tests/runtime/classlib_fixture.h"

namespace sorv {
namespace {

using test::ClassLibTest;
using test::LogCapture;
using test::host;
using test::str;

class Strings : public ClassLibTest {};

TEST_F(Strings, ShortTextStaysInlineAndLongTextSurvivesCompaction) {
  String* fourteen = str("abcdefghijklmn");
  EXPECT_EQ(fourteen->length(), 14);
  EXPECT_EQ(fourteen->text, fourteen->inlineText);
  String* fifteen = str("abcdefghijklmno");
  EXPECT_NE(fifteen->text, fifteen->inlineText);
  EXPECT_TRUE(app_->bufferHeap->owns(fifteen->text));
  EXPECT_EQ(fifteen->text[15], 0);
  std::string longText(300, 'x');
  longText[299] = 'y';
  String* s = str(longText.c_str());
  app_->bufferHeap->moveAllBlocks();
  app_->bufferHeap->moveAllBlocks();
  EXPECT_EQ(host(s), longText);
  EXPECT_EQ(host(fifteen), "abcdefghijklmno");
}

TEST_F(Strings, BuildersReReadSourcesThatMoveWhileTheyAllocate) {
  stress::StressOverride moving(false, true);
  std::string text(40, 'q');
  text += "tail";
  String* source = str(text.c_str());
  String* copy = String::fromUnits(source->text, source->length());
  EXPECT_EQ(host(copy), text);
  CharArray* chars = Array::newCharArray(20);
  for (int i = 0; i < 20; ++i) chars->elements()[i] = static_cast<char16_t>('A' + i);
  String* fromChars = newObject<String>();
  String::init(fromChars, chars, 2, 17);
  EXPECT_EQ(host(fromChars), "CDEFGHIJKLMNOPQRS");
  EXPECT_EQ(host(String::substring(source, 1, 30)), text.substr(1, 29));
  EXPECT_EQ(host(chars->toString()), "ABCDEFGHIJKLMNOPQRST");
  StringBuffer* sb = StringBuffer::create(1);
  for (int i = 0; i < 5; ++i) StringBuffer::appendString(sb, source);
  EXPECT_EQ(host(sb->toString()), text + text + text + text + text);
  // Raw units and 8-bit text that lie in the buffer heap are copied before anything moves.
  StringBuffer* raw = StringBuffer::create(1);
  StringBuffer::insert(raw, 0, source->text, source->length());
  EXPECT_EQ(host(raw->toString()), text);
  std::vector<uint8_t> latin(30, 'm');
  latin.push_back(0);
  ByteArray* bytes = test::byteArrayOf(latin);
  EXPECT_EQ(host(String::fromCString(reinterpret_cast<const char*>(bytes->data))), std::string(30, 'm'));
}

TEST_F(Strings, HashCodeCountsTheTerminatingUnit) {
  EXPECT_EQ(str("")->hashCode(), 0);
  EXPECT_EQ(str("a")->hashCode(), 31 * 97);
  // 31 times the usual hash of "hello" (99162322), wrapped.
  EXPECT_EQ(str("hello")->hashCode(), static_cast<int32_t>(99162322u * 31u));
  EXPECT_EQ(str("same text")->hashCode(), str("same text")->hashCode());
}

TEST_F(Strings, CompareAndEquals) {
  struct Case {
    const char* a;
    const char* b;
    int32_t result;
  };
  const Case cases[] = {{"ab", "abc", -1}, {"b", "a", 1}, {"abc", "abc", 0}, {"", "", 0}, {"a", "", 1}, {"A", "a", -32}};
  for (const Case& c : cases) {
    EXPECT_EQ(String::compareTo(str(c.a), str(c.b)), c.result) << c.a << " " << c.b;
    EXPECT_EQ(str(c.a)->equals(str(c.b)), c.result == 0);
  }
  String* s = str("x");
  EXPECT_TRUE(s->equals(s));
  EXPECT_FALSE(s->equals(nullptr));
  EXPECT_FALSE(s->equals(Array::newCharArray(1)));
}

TEST_F(Strings, EqualsCStringMatchesTheWholeText) {
  EXPECT_TRUE(String::equalsCString(str("abc"), "abc"));
  EXPECT_FALSE(String::equalsCString(str("abc"), "abcdef"));
  EXPECT_FALSE(String::equalsCString(str(""), "abc"));
  EXPECT_FALSE(String::equalsCString(str("abcd"), "abc"));
  EXPECT_TRUE(String::equalsCStringIgnoreCase(str("MenuData"), "menudata"));
  EXPECT_FALSE(String::equalsCStringIgnoreCase(str("menu"), "menudata"));
}

TEST_F(Strings, SearchesAndTheirEdges) {
  EXPECT_EQ(String::indexOfString(str("aaa"), str("aa"), 0), 0);
  EXPECT_EQ(String::indexOfString(str("aaa"), str("aa"), 2), -1);
  EXPECT_EQ(String::indexOfString(str("abcabc"), str("ca"), -5), 2);
  EXPECT_EQ(String::indexOfString(str("abc"), str("abcd"), 0), -1);
  EXPECT_EQ(String::indexOfString(str("abc"), str(""), 1), 1);
  EXPECT_EQ(String::indexOf(str("a:b"), str(":")), 1);
  EXPECT_EQ(String::indexOfChar(str("abc"), 'c', -3), 2);
  EXPECT_EQ(String::indexOfChar(str("abc"), 'c', 3), -1);
  EXPECT_FALSE(String::startsWith(str("abc"), str("abcdef")));
  EXPECT_TRUE(String::startsWith(str("abcdef"), str("abc")));
  EXPECT_TRUE(String::endsWith(str(""), str("")));
  EXPECT_TRUE(String::endsWith(str("file.png"), str(".png")));
  EXPECT_FALSE(String::endsWith(str("png"), str(".png")));
  EXPECT_TRUE(String::startsWithAt(str("abc"), str(""), 3));
  EXPECT_FALSE(String::startsWithAt(str("abc"), str(""), 4));
  EXPECT_FALSE(String::startsWithAt(str("abc"), str("b"), -1));
  EXPECT_FALSE(String::startsWithAt(str("abc"), str("bc"), INT_MAX));
}

TEST_F(Strings, RegionMatchesRefusesRangesOutsideEvenWhenTheSumWraps) {
  String* s = str("Hello World");
  String* other = str("xxWORLDxx");
  EXPECT_TRUE(String::regionMatches(s, true, 6, other, 2, 5));
  EXPECT_FALSE(String::regionMatches(s, false, 6, other, 2, 5));
  EXPECT_FALSE(String::regionMatches(s, true, 6, other, 2, 6));
  EXPECT_FALSE(String::regionMatches(s, true, -1, other, 2, 1));
  EXPECT_FALSE(String::regionMatches(s, true, 1, other, 1, INT_MAX));
  EXPECT_FALSE(String::regionMatches(s, true, INT_MAX, other, 0, 2));
  EXPECT_TRUE(String::regionMatches(s, false, 11, other, 9, 0));
}

TEST_F(Strings, NewStringsFromAString) {
  EXPECT_EQ(host(String::trim(str("  x  "))), "x");
  EXPECT_EQ(host(String::trim(str("   "))), "");
  EXPECT_EQ(host(String::trim(str("\t\n a b\r"))), "a b");
  EXPECT_EQ(host(String::toUpperCase(str("abc-\xE9z"))), "ABC-\xC3\xA9Z");
  EXPECT_EQ(host(String::toLowerCase(str("ABC-Z"))), "abc-z");
  String* s = str("a.b.c");
  EXPECT_EQ(String::replace(s, 'x', 'y'), s);
  EXPECT_EQ(String::replace(s, '.', '.'), s);
  EXPECT_EQ(host(String::replace(s, '.', '/')), "a/b/c");
  EXPECT_EQ(host(String::substringFrom(s, 2)), "b.c");
  EXPECT_EQ(host(String::substring(s, 5, 5)), "");
  ByteArray* bytes = String::getBytes(str("A\xFF"));
  ASSERT_EQ(bytes->length, 2);
  EXPECT_EQ(bytes->elements()[1], -1);
  EXPECT_EQ(host(String::valueOfInt(INT_MIN)), "-2147483648");
}

TEST_F(Strings, BadBoundsLogAndGiveEmptyStrings) {
  struct Case {
    int32_t begin, end;
  };
  for (Case c : {Case{2, 1}, Case{-1, 2}, Case{0, 6}, Case{INT_MAX, INT_MAX}}) {
    LogCapture log;
    String* r = String::substring(str("hello"), c.begin, c.end);
    EXPECT_TRUE(log.contains("substring index")) << c.begin << " " << c.end;
    EXPECT_EQ(r->length(), 0);
  }
  LogCapture log;
  EXPECT_EQ(String::charAt(str("ab"), 2), 0);
  EXPECT_TRUE(log.contains("charAt OOB"));
  EXPECT_EQ(String::charAt(str("ab"), 1), 'b');
  ByteArray* bytes = Array::newByteArray(4);
  for (auto [offset, count] : {std::pair{-1, 2}, std::pair{2, 3}, std::pair{1, INT_MAX}, std::pair{0, -1}}) {
    log.clear();
    String* s = newObject<String>();
    String::initFromBytes(s, bytes, offset, count);
    EXPECT_TRUE(log.contains("ArrayOutOfBound"));
    EXPECT_EQ(s->length(), 0);
  }
  log.clear();
  String* s = newObject<String>();
  String::init(s, nullptr, 0, 1);
  EXPECT_TRUE(log.contains("String::init ca=null"));
  log.clear();
  EXPECT_EQ(String::indexOf(nullptr, str("a")), -1);
  EXPECT_EQ(String::trim(nullptr), nullptr);
  EXPECT_TRUE(log.contains("NullPointer"));
}

TEST_F(Strings, ToCStringIsAnOwnedCopyOfTheLowBytes) {
  String* s = str("/constants.bin");
  std::string name = String::toCString(s);
  app_->bufferHeap->moveAllBlocks();
  app_->objectManager->gc(0);
  EXPECT_EQ(name, "/constants.bin");
  EXPECT_EQ(String::toCString(String::fromWideCString(u"\u0141x")), "\x41x");
}

// ---- decoders

struct DecodeCase {
  const char* name;
  TextEncoding encoding;
  std::vector<uint8_t> bytes;
  std::u16string units;
  int32_t errors;
};

TEST(Decoders, DecodeValidTruncatedAndInvalidInput) {
  const DecodeCase cases[] = {
      {"ascii", TextEncoding::kModifiedUtf8, {'a', 'b'}, u"ab", 0},
      {"two bytes", TextEncoding::kModifiedUtf8, {0xC3, 0xA9}, u"\u00E9", 0},
      {"encoded zero", TextEncoding::kModifiedUtf8, {0xC0, 0x80}, std::u16string(1, u'\0'), 0},
      {"three bytes", TextEncoding::kModifiedUtf8, {0xE2, 0x82, 0xAC}, u"\u20AC", 0},
      {"stray continuation skipped", TextEncoding::kModifiedUtf8, {0xFF, 'a', 0x80}, u"a", 2},
      {"bad continuation still forms", TextEncoding::kModifiedUtf8, {0xC3, 0x41}, u"\u00C1", 1},
      {"cut two-byte form", TextEncoding::kModifiedUtf8, {'a', 0xC3}, u"a", 1},
      {"cut three-byte form", TextEncoding::kModifiedUtf8, {0xE2, 0x82}, u"", 1},
      {"latin1", TextEncoding::kLatin1, {0xE9, 0x00, 0x7F}, std::u16string(u"\u00E9\0\u007F", 3), 0},
      {"sjis pair", TextEncoding::kShiftJis, {0x82, 0xA0, 'x'}, u"\u82A0x", 0},
      {"sjis half-width", TextEncoding::kShiftJis, {0xB1, 0xDF}, u"\u00B1\u00DF", 0},
      {"sjis high lead", TextEncoding::kShiftJis, {0xE0, 0x40}, u"\uE040", 0},
      {"sjis cut", TextEncoding::kShiftJis, {'a', 0x82}, u"a", 1},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The output has exactly as many units as bytes: a write past it shows under ASan.
    std::vector<char16_t> out(c.bytes.size());
    std::vector<uint8_t> in = c.bytes;
    DecodeResult r = decodeText(c.encoding, in.data(), static_cast<int32_t>(in.size()), out.data(), nullptr, false);
    EXPECT_EQ(std::u16string(out.data(), r.units), c.units);
    EXPECT_EQ(r.errors, c.errors);
  }
}

// A name matches a literal when its units are the literal's at their places over the name's
// length: the UTF-8 names in any case, the ISO and Shift-JIS names as written.
TEST(Decoders, EncodingNamesMatchTheLiteralsTheyBegin) {
  struct Case {
    const char16_t* name;
    bool known;
    TextEncoding encoding;
  };
  const Case cases[] = {{u"UTF-8", true, TextEncoding::kModifiedUtf8},    {u"utf-8", true, TextEncoding::kModifiedUtf8},
                        {u"Utf8", true, TextEncoding::kModifiedUtf8},     {u"ISO-8859-1", true, TextEncoding::kLatin1},
                        {u"iso-8859-1", false, {}},                       {u"SJIS", true, TextEncoding::kShiftJis},
                        {u"sjis", false, {}},                             {u"", true, TextEncoding::kModifiedUtf8},
                        {u"UTF", true, TextEncoding::kModifiedUtf8},      {u"ISO", true, TextEncoding::kLatin1},
                        {u"S", true, TextEncoding::kShiftJis},            {u"UTF-16", false, {}},
                        {u"utf-8x", false, {}},                           {u"ISO-8859-15", false, {}}};
  for (const Case& c : cases) {
    std::u16string name = c.name;
    TextEncoding e = TextEncoding::kLatin1;
    EXPECT_EQ(findEncoding(name.data(), static_cast<int32_t>(name.size()), &e), c.known);
    if (c.known) {
      EXPECT_EQ(e, c.encoding);
    }
  }
}

TEST_F(Strings, EncodedBytesDecodeThroughTheSharedBuffer) {
  ByteArray* bytes = test::byteArrayOf({'x', 0xC3, 0xA9, 0xFF, 'y'});
  String* s = newObject<String>();
  LogCapture log;
  EXPECT_TRUE(String::initFromBytesEncoded(s, bytes, 1, 3, str("utf-8")));
  EXPECT_EQ(host(s), "\xC3\xA9");
  EXPECT_TRUE(log.contains("UTFDataFormatException"));
  EXPECT_NE(app_->decodeBuffer, nullptr);
  EXPECT_GE(app_->decodeBuffer->capacity, 256);

  String* latin = newObject<String>();
  EXPECT_TRUE(String::initFromBytesEncoded(latin, bytes, 0, 2, nullptr));
  EXPECT_EQ(host(latin), "x\xC3\x83");

  log.clear();
  String* unknown = newObject<String>();
  EXPECT_FALSE(String::initFromBytesEncoded(unknown, bytes, 0, 5, str("UTF-16")));
  EXPECT_TRUE(log.contains("encoding not supported"));
  EXPECT_EQ(unknown->length(), 0);

  log.clear();
  String* outside = newObject<String>();
  EXPECT_TRUE(String::initFromBytesEncoded(outside, bytes, 3, INT_MAX, str("UTF-8")));
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));

  // A text longer than the decode buffer grows it like any StringBuffer.
  std::vector<uint8_t> many(1000, 'k');
  String* big = newObject<String>();
  String::initFromBytesEncoded(big, test::byteArrayOf(many), 0, 1000, str("UTF8"));
  EXPECT_EQ(big->length(), 1000);
}

// ---- StringBuffer

class StringBuffers : public ClassLibTest {};

TEST_F(StringBuffers, GrowthDoublesOrFitsTheNeed) {
  StringBuffer* sb = StringBuffer::create(16);
  StringBuffer::appendString(sb, str("0123456789"));
  EXPECT_EQ(sb->capacity, 16);
  StringBuffer::appendString(sb, str("abcdefghij"));
  EXPECT_EQ(sb->capacity, 32);
  StringBuffer::appendString(sb, str(std::string(100, 'z').c_str()));
  EXPECT_EQ(sb->capacity, 121);
  EXPECT_EQ(sb->buffer[sb->length], 0);
  StringBuffer* empty = StringBuffer::create(0);
  StringBuffer::appendChar(empty, 'q');
  EXPECT_EQ(host(empty->toString()), "q");
}

TEST_F(StringBuffers, InsertPositionsAndAppends) {
  StringBuffer* sb = StringBuffer::create(16);
  StringBuffer::appendString(sb, str("ace"));
  StringBuffer::insertString(sb, 1, str("b"));
  StringBuffer::insertString(sb, 3, str("d"));
  StringBuffer::insertString(sb, 0, str(">"));
  StringBuffer::insertString(sb, sb->length, str("<"));
  EXPECT_EQ(host(sb->toString()), ">abcde<");
  LogCapture log;
  StringBuffer::insertString(sb, -1, str("x"));
  StringBuffer::insertString(sb, sb->length + 1, str("x"));
  EXPECT_EQ(host(sb->toString()), ">abcde<");
  EXPECT_TRUE(log.contains("StringBuffer insert offset"));

  StringBuffer* parts = StringBuffer::create(16);
  StringBuffer::appendString(parts, nullptr);
  StringBuffer::appendObject(parts, nullptr);
  StringBuffer::appendInt(parts, INT_MIN);
  StringBuffer::appendBoolean(parts, true);
  StringBuffer::appendBoolean(parts, false);
  StringBuffer::appendObject(parts, str("!"));
  StringBuffer::insertString(parts, 0, nullptr);
  EXPECT_EQ(host(parts->toString()), "nullnullnull-2147483648truefalse!");
}

TEST_F(StringBuffers, SetLengthTruncatesGrowsAndZeroFills) {
  StringBuffer* sb = StringBuffer::create(4);
  StringBuffer::appendString(sb, str("abc"));
  StringBuffer::setLength(sb, 1);
  EXPECT_EQ(host(sb->toString()), "a");
  StringBuffer::setLength(sb, 10);
  EXPECT_EQ(sb->length, 10);
  EXPECT_GE(sb->capacity, 11);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(sb->buffer[i], 0) << i;
  LogCapture log;
  StringBuffer::setLength(sb, -1);
  EXPECT_TRUE(log.contains("StringBuffer setLength"));
  EXPECT_EQ(sb->length, 10);
}

}  // namespace
}  // namespace sorv
