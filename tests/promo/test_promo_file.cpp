// The data builder's promotion file of every language, read back through the screen's own
// reader, and the builder's refusals.
#include <filesystem>
#include <fstream>

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
  // The same text is fine where the archive is UTF-8.
  EXPECT_TRUE(mkdata::buildPromoFile(base.string(), constants, kLanguageRU, {}, &file, &error)) << error;
  fs::remove_all(base);
}

}  // namespace
}  // namespace sorv::test
