// The data builder's promotion file of every language, read back through the screen's own
// reader, and the builder's refusals.
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "tests/promo/promo_fixture.h"
#include "tools/data/promo_ids.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/constants_source.h"
#include "tools/mkdata/promo_file.h"

namespace sorv::test {
namespace {

namespace fs = std::filesystem;
using PromoFileTest = PromoTest;

const char* const kLanguages[] = {"EN", "FR", "IT", "DE", "ES", "PT", "NL", "PL", "CS", "TR", "RU"};

TEST_F(PromoFileTest, EveryLanguageReadsBackWithItsCodesTextsAndGlyphs) {
  for (int32_t l = 0; l < kLanguageCount; l++) {
    const std::string code = kLanguages[l];
    SCOPED_TRACE(code);
    useData(code);
    startPromotion(shippedPromoProperties());
    ASSERT_TRUE(IGP::IsAvailable());
    const bool wide = l >= kLanguagePL;
    ASSERT_EQ(IGP::languageCodes->length, wide ? 11 : 7);
    EXPECT_EQ(String::toUtf8(static_cast<String*>(IGP::languageCodes->elements()[0])), code);
    EXPECT_EQ(IGP::wideMetrics, wide ? 2 : 0);
    const promo::TextIds ids{3, 9, 3};
    // Every language of the file: every text there, every character measurable.
    for (int32_t language = 0; language < IGP::languageCodes->length; language++) {
      IGP::enterIGP(String::fromCString("t"), language);
      LogCapture log;
      for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
      EXPECT_FALSE(log.contains("promotion data:")) << log.text();
      ASSERT_FALSE(isNull(IGP::texts.get()));
      EXPECT_EQ(IGP::texts->length, ids.count());
      for (int32_t id : {0, 2, 3, 4, 5, 6, ids.extraTitle(), ids.extraBody(), ids.ok(), ids.back(), ids.visit(),
                         ids.visitProduct(), ids.firstListLast(), ids.secondListLast()}) {
        String* text = IGP::getString(id);
        ASSERT_GT(text->length(), 0) << "language " << language << " id " << id;
        for (int32_t i = 0; i < text->length(); i++) {
          const int32_t c = text->text[i];
          if (c != 10) EXPECT_GT(IGP::getFontMetric(c, IGP::metricWidth), 0) << "character " << c;
        }
      }
      IGP::unloadResources(true);
    }
  }
}

// The picture of c in the promotion's drawing font: its rectangle of the glyph sheet.
std::vector<int32_t> promoGlyph(int32_t c) {
  auto* sheet = static_cast<Image*>(aload(IGP::fontImages.get(), 1));
  const int32_t x = IGP::getFontMetric(c, IGP::metricX), y = IGP::getFontMetric(c, IGP::metricY);
  const int32_t w = IGP::getFontMetric(c, IGP::metricWidth), h = IGP::getFontMetric(c, IGP::metricHeight);
  if (isNull(sheet) || w <= 0 || h <= 0) return {};
  IntArray* argb = Array::newIntArray(w * h);
  Image::getRGB(sheet, argb, 0, w, x, y, w, h);
  std::vector<int32_t> out(argb->elements(), argb->elements() + w * h);
  out.push_back(w);
  return out;
}

// In every archive, every letter of every language's promotion texts has a picture of its
// own in the promotion's font (the font draws by the character itself, so even the two
// cases of a letter differ); letters of two scripts may look alike (Latin and Cyrillic O).
TEST_F(PromoFileTest, EveryLetterOfThePromotionTextsHasAGlyphOfItsOwn) {
  for (int32_t l = 0; l < kLanguageCount; l++) {
    SCOPED_TRACE(kLanguages[l]);
    useData(kLanguages[l]);
    startPromotion(shippedPromoProperties());
    ASSERT_TRUE(IGP::IsAvailable());
    std::map<std::vector<int32_t>, int32_t> owner;
    for (int32_t language = 0; language < IGP::languageCodes->length; language++) {
      IGP::enterIGP(String::fromCString("t"), language);
      for (int32_t step = -1; step <= 2; step++) IGP::loadResources(step);
      const std::vector<int32_t> blank = promoGlyph(' ');
      for (int32_t id = 0; id < IGP::texts->length; id++) {
        auto* text = static_cast<String*>(aload(IGP::texts.get(), id));
        for (int32_t i = 0; !isNull(text) && i < text->length(); i++) {
          const int32_t c = text->text[i];
          if (c == 10 || c == ' ') continue;
          const std::vector<int32_t> picture = promoGlyph(c);
          ASSERT_FALSE(picture.empty()) << "character " << c;
          EXPECT_NE(picture, blank) << "character " << c << " draws nothing";
          const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0;
          if (!letter) continue;
          const int32_t script = c >= 0x400 ? 1 : 0;
          std::vector<int32_t> key = picture;
          key.push_back(script);
          auto [it, fresh] = owner.emplace(key, c);
          EXPECT_TRUE(fresh || it->second == c) << "characters " << it->second << " and " << c << " look alike";
        }
      }
      IGP::unloadResources(true);
    }
  }
}

TEST_F(PromoFileTest, TheBuilderRefusesATextItsEncodingCannotHold) {
  const fs::path base = fs::temp_directory_path() / ("promo_refusal_" + std::to_string(getpid()));
  fs::remove_all(base);
  fs::copy(mkdata::defaultDataDir(), base, fs::copy_options::recursive);
  { std::ofstream(base / "texts" / "de.txt", std::ios::app) << "\n[promo]\nok: \\u0416\n"; }
  std::vector<std::u16string> constants;
  std::string source, error;
  ASSERT_TRUE(mkdata::readSourceFile((base / "constants.txt").string(), &source, &error));
  ASSERT_TRUE(mkdata::parseConstants(source, &constants, &error)) << error;
  std::vector<uint8_t> file;
  EXPECT_FALSE(mkdata::buildPromoFile(base.string(), constants, kLanguageEN, {}, &file, &error));
  EXPECT_NE(error.find("de.txt line "), std::string::npos) << error;
  EXPECT_NE(error.find("ISO-8859-1"), std::string::npos) << error;
  EXPECT_NE(error.find("([promo] ok)"), std::string::npos) << error;
  // The same text is fine where the archive is UTF-8.
  EXPECT_TRUE(mkdata::buildPromoFile(base.string(), constants, kLanguageRU, {}, &file, &error)) << error;
  // A character the font has no picture of is refused in any archive, naming the text.
  { std::ofstream(base / "texts" / "pl.txt", std::ios::app) << "\n[promo]\nok: \u0153\n"; }
  EXPECT_FALSE(mkdata::buildPromoFile(base.string(), constants, kLanguageRU, {}, &file, &error));
  EXPECT_NE(error.find("pl.txt line "), std::string::npos) << error;
  EXPECT_NE(error.find("U+0153"), std::string::npos) << error;
  EXPECT_NE(error.find("no glyph"), std::string::npos) << error;
  fs::remove_all(base);
}

}  // namespace
}  // namespace sorv::test
