// The promotion file's reader: the offsets, whole entries only, the checked counts of the
// texts and the font, and the recoloured fonts.
#include <zlib.h>

#include <cstring>

#include "device/image.h"
#include "tests/promo/promo_fixture.h"
#include "tools/data/promo_ids.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {
namespace {

using PromoReaderTest = PromoTest;

Bytes bytesOf(ByteArray* a) {
  Bytes out;
  for (int32_t i = 0; !isNull(a) && i < a->length; i++) out.push_back(static_cast<uint8_t>(a->elements()[i]));
  return out;
}

// The shipped entries with some replaced.
Bytes fileWith(const Bytes& shipped, const std::map<int32_t, Bytes>& replaced) {
  std::vector<Bytes> entries;
  for (int32_t i = 0; i < promo::kEntryCount; i++) {
    Bytes e;
    mkdata::resourcePackEntry(shipped, i, &e);
    entries.push_back(replaced.count(i) != 0 ? replaced.at(i) : e);
  }
  return pack(entries);
}

int32_t badDataLines(const LogCapture& log) {
  const std::string text = log.text();
  int32_t n = 0;
  for (size_t at = text.find("promotion data:"); at != std::string::npos; at = text.find("promotion data:", at + 1)) n++;
  return n;
}

TEST_F(PromoReaderTest, OffsetsCountFromTheHeaderAndTheLastOneOnlyEnds) {
  Bytes file = packHeader({0, 10, 25});
  for (int32_t i = 0; i < 25; i++) file.push_back(static_cast<uint8_t>(i));
  useData("EN", file);
  ASSERT_TRUE(IGP::openDataIGP());
  EXPECT_EQ(IGP::dataOffsetCount, 3);
  Bytes first(file.begin() + 14, file.begin() + 24), second(file.begin() + 24, file.end());
  EXPECT_EQ(bytesOf(IGP::readDataIGP(0)), first);
  EXPECT_EQ(bytesOf(IGP::readDataIGP(1)), second);
  EXPECT_TRUE(isNull(IGP::readDataIGP(2)));
  EXPECT_TRUE(isNull(IGP::readDataIGP(-1)));
}

TEST_F(PromoReaderTest, ABadHeaderIsRefusedWithOneLine) {
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"count only", {3, 0}},
      {"offsets cut", {3, 0, 0, 0, 0, 0, 10}},
      {"offset going back", [] { Bytes b = packHeader({0, 10, 5}); b.resize(b.size() + 10); return b; }()},
      {"offset past the end", [] { Bytes b = packHeader({0, 10, 500}); b.resize(b.size() + 10); return b; }()},
      {"no offsets", {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    useData("EN", c.file);
    LogCapture log;
    EXPECT_FALSE(IGP::openDataIGP());
    EXPECT_EQ(IGP::dataOffsetCount, 0);
    startPromotion(shippedPromoProperties());
    EXPECT_FALSE(IGP::IsAvailable());
    EXPECT_GE(badDataLines(log), 1);
  }
}

TEST_F(PromoReaderTest, AnEntryCutAfterOpeningReadsAsNothing) {
  Bytes file = packHeader({0, 10, 4000});
  file.resize(file.size() + 4000, 7);
  useData("EN", file);
  ASSERT_TRUE(IGP::openDataIGP());
  Bytes cut(file.begin(), file.begin() + 2000);
  mkdata::ArchiveWriter archive;
  std::string error;
  ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN"));
  *const_cast<Bytes*>(archive.find("igp")) = cut;
  replaceBar(archive.build());
  LogCapture log;
  EXPECT_TRUE(isNull(IGP::readDataIGP(1)));
  EXPECT_EQ(bytesOf(IGP::readDataIGP(0)).size(), 10u);
  EXPECT_EQ(badDataLines(log), 1) << log.text();
}

// A language block of entry 1: block length, L, the blob, a word, T, the ends.
Bytes textBlock(const std::string& blob, int32_t count, const std::vector<uint32_t>& ends, int32_t blobLength = -1) {
  PromoBytes inner;
  inner.u16(blobLength < 0 ? static_cast<uint32_t>(blob.size()) : static_cast<uint32_t>(blobLength));
  inner.out.insert(inner.out.end(), blob.begin(), blob.end());
  inner.u16(0).u16(static_cast<uint32_t>(count));
  for (uint32_t e : ends) inner.u16(e);
  PromoBytes block;
  block.u16(static_cast<uint32_t>(inner.out.size())).raw(inner.out);
  return block.out;
}

TEST_F(PromoReaderTest, TextsAreReadByTheirEndsAndAnEmptyOneIsEmpty) {
  useData("EN", fileWith(shippedFile(), {{promo::kEntryTexts, textBlock("ABCDEF", 3, {2, 2})}}));
  startPromotion(shippedPromoProperties());
  IGP::commonConstruct(nullptr, 0);
  LogCapture log;
  for (int32_t step = -1; step <= 1; step++) IGP::loadResources(step);
  EXPECT_EQ(String::toUtf8(IGP::getString(0)), "AB");
  EXPECT_EQ(String::toUtf8(IGP::getString(1)), "");
  EXPECT_EQ(String::toUtf8(IGP::getString(2)), "CDEF");
  EXPECT_EQ(String::toUtf8(IGP::getString(3)), "");
  EXPECT_EQ(String::toUtf8(IGP::getString(-1)), "");
  EXPECT_EQ(badDataLines(log), 0) << log.text();
}

TEST_F(PromoReaderTest, ADamagedTextEntryLosesItsStepWithOneLine) {
  const struct {
    const char* name;
    Bytes entry;
    int32_t language;
  } cases[] = {
      {"blob past the entry", textBlock("ABCDEF", 3, {2, 4}, 100), 0},
      {"no text count", textBlock("ABCDEF", 0, {}), 0},
      {"ends going back", textBlock("ABCDEF", 3, {4, 2}), 0},
      {"end past the blob", textBlock("ABCDEF", 3, {2, 7}), 0},
      {"ends cut", textBlock("ABCDEF", 9, {2, 3}), 0},
      {"skip past the entry", PromoBytes().u16(500).raw(textBlock("AB", 1, {})).out, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    useData("EN", fileWith(shippedFile(), {{promo::kEntryTexts, c.entry}}));
    startPromotion(shippedPromoProperties());
    IGP::commonConstruct(nullptr, c.language);
    ASSERT_EQ(IGP::language, c.language);
    LogCapture log;
    for (int32_t step = -1; step <= 1; step++) IGP::loadResources(step);
    EXPECT_TRUE(isNull(IGP::texts.get()));
    EXPECT_EQ(String::toUtf8(IGP::getString(0)), "");
    EXPECT_EQ(badDataLines(log), 1) << log.text();
  }
}

// A font entry: the PNG, the metrics byte count, the highest code and the records.
Bytes fontEntry(const Bytes& png, int32_t maxCode, const std::vector<std::array<int32_t, 5>>& records) {
  PromoBytes b;
  b.u16(static_cast<uint32_t>(png.size())).raw(png);
  b.u16(static_cast<uint32_t>(records.size() * 6)).u16(static_cast<uint32_t>(maxCode));
  for (const auto& r : records) {
    b.u16(static_cast<uint32_t>(r[0]));
    for (int k = 1; k < 5; k++) b.out.push_back(static_cast<uint8_t>(r[k]));
  }
  return b.out;
}

Bytes sheet() { return mkdata::writeIndexedPng(20, 20, Bytes(400, 1), {0x00000000, 0xFFFFFFFF}); }

TEST_F(PromoReaderTest, GlyphRecordsAreCheckedAgainstTheTableAndTheSheet) {
  const Bytes font = fontEntry(sheet(), 66, {{32, 0, 0, 4, 0}, {65, 0, 0, 5, 9}, {66, 15, 15, 10, 10}, {300, 0, 0, 5, 9}});
  useData("EN", fileWith(shippedFile(), {{promo::kEntryFont, font}}));
  startPromotion(shippedPromoProperties());
  IGP::commonConstruct(nullptr, 0);
  LogCapture log;
  for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
  EXPECT_EQ(IGP::fontMaxCode, 66);
  EXPECT_EQ(IGP::getFontMetric('A', IGP::metricWidth), 5);
  EXPECT_EQ(IGP::getFontMetric('B', IGP::metricWidth), 0) << "the rectangle leaves the 20 x 20 sheet";
  EXPECT_EQ(IGP::getFontMetric(300, IGP::metricWidth), 0);
  EXPECT_EQ(IGP::getFontMetric('C', IGP::metricWidth), 0);
  EXPECT_EQ(IGP::fontHeight, 1) << "a space without height";
  EXPECT_EQ(IGP::charSpacing, -1);
  EXPECT_EQ(badDataLines(log), 0) << log.text();
}

TEST_F(PromoReaderTest, WideMetricsReadXAsTwoBytesAtSixTimesTheCode) {
  useData("RU");
  startPromotion(shippedPromoProperties());
  ASSERT_EQ(IGP::wideMetrics, 2);
  IGP::commonConstruct(nullptr, 0);
  for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
  ASSERT_FALSE(isNull(IGP::fontMetrics.get()));
  const int8_t* m = IGP::fontMetrics->elements();
  for (int32_t c : {0x041D, int32_t{'A'}, int32_t{' '}}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(IGP::getFontMetric(c, IGP::metricX), (m[6 * c] & 0xFF) | (m[6 * c + 1] & 0xFF) << 8);
    EXPECT_EQ(IGP::getFontMetric(c, IGP::metricHeight), m[6 * c + 5] & 0xFF);
  }
  int32_t widest = 0;
  for (int32_t c = 32; c <= IGP::fontMaxCode; c++) widest = std::max(widest, IGP::getFontMetric(c, IGP::metricX));
  EXPECT_GT(widest, 255) << "the sheet is wider than a byte reaches";
}

TEST_F(PromoReaderTest, CreateFontRecoloursThePaletteAndMendsItsCrc) {
  useData("EN");
  const Bytes png = sheet();
  ByteArray* data = Array::newByteArray(static_cast<int32_t>(png.size()) + 4);
  std::memcpy(data->elements() + 2, png.data(), png.size());
  Image* font = IGP::createFont(data, 2, static_cast<int32_t>(png.size()), 1, 0x123456);
  ASSERT_FALSE(isNull(font));
  const Bytes out = bytesOf(data);
  const size_t plte = std::string(out.begin(), out.end()).find("PLTE");
  ASSERT_NE(plte, std::string::npos);
  EXPECT_EQ(out[plte + 7], 0x12);
  EXPECT_EQ(out[plte + 8], 0x34);
  EXPECT_EQ(out[plte + 9], 0x56);
  const uint32_t length = out[plte - 4] << 24 | out[plte - 3] << 16 | out[plte - 2] << 8 | out[plte - 1];
  const uint32_t crc = static_cast<uint32_t>(crc32(0, out.data() + plte, length + 4));
  const size_t at = plte + 4 + length;
  EXPECT_EQ(static_cast<uint32_t>(out[at] << 24 | out[at + 1] << 16 | out[at + 2] << 8 | out[at + 3]), crc);

  // Without a usable palette entry: the stored font and a line, nothing written.
  for (int32_t index : {2, -1}) {
    ByteArray* again = Array::newByteArray(static_cast<int32_t>(png.size()));
    std::memcpy(again->elements(), png.data(), png.size());
    LogCapture log;
    EXPECT_FALSE(isNull(IGP::createFont(again, 0, again->length, index, 0x123456)));
    EXPECT_EQ(bytesOf(again), png);
    EXPECT_EQ(badDataLines(log), 1);
  }
  // The search stays inside the picture's own bytes.
  ByteArray* tail = Array::newByteArray(8);
  std::memcpy(tail->elements(), "xxxxPLTE", 8);
  LogCapture log;
  EXPECT_TRUE(isNull(IGP::createFont(tail, 0, 6, 1, 0x123456)));
  EXPECT_EQ(badDataLines(log), 1);
}

TEST_F(PromoReaderTest, ACutPictureEntryLosesItsStepAndDrawsNothing) {
  Bytes ui = shippedEntry(promo::kEntryUiImages);
  ui.resize(ui.size() / 2);
  useData("EN", fileWith(shippedFile(), {{promo::kEntryUiImages, ui}}));
  startPromotion(shippedPromoProperties());
  LogCapture log;
  enterAndLoad();
  EXPECT_EQ(IGP::state, IGP::kStatePage);
  EXPECT_EQ(badDataLines(log), 1) << log.text();
  IGP::paint(CGame::backBufferGraphics);
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

}  // namespace
}  // namespace sorv::test
