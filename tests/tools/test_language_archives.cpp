// Each language's data set, read back through the game's own pack and text readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "tests/game/game_fixture.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/text_source.h"

namespace sorv::test {
namespace {

class LanguageArchiveTest : public DeviceTest {
 protected:
  // Restarts the runtime on the whole data set of one language.
  void serveLanguage(const std::string& code) {
    mkdata::ArchiveWriter archive;
    std::string error;
    ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, code)) << error;
    RuntimeTest::TearDown();
    replaceBar(archive.build());
    RuntimeTest::SetUp();
  }

  static mkdata::TextSource source(const std::string& code) {
    std::u16string wide(code.begin(), code.end());
    std::string contents, error;
    mkdata::TextSource s;
    const std::string path = mkdata::textSourcePath(mkdata::defaultDataDir(), wide);
    EXPECT_TRUE(mkdata::readSourceFile(path, &contents, &error)) << error;
    EXPECT_TRUE(mkdata::parseTextSource(contents, path, &s, &error)) << error;
    return s;
  }
};

TEST_F(LanguageArchiveTest, EveryLanguagesTextPacksLoadAsTheirSourcesSay) {
  const char* const codes[kLanguageCount] = {"EN", "FR", "IT", "DE", "ES", "PT",
                                             "NL", "PL", "CS", "TR", "RU"};
  for (int32_t language = 0; language < kLanguageCount; language++) {
    SCOPED_TRACE(codes[language]);
    serveLanguage(codes[language]);
    const mkdata::TextSource expected = source(codes[language]);
    LogCapture log;
    CGame::Lib_Open(StaticClass::getConstant(kConstTextPack), false);
    for (int32_t entry = 0; entry < kTextPackEntries; entry++) {
      const int32_t pack = kTextPackOfEntry[entry];
      CGame::Str_LoadPack(pack, CGame::Lib_GetData(entry, false, nullptr), nullptr);
      ASSERT_GE(CGame::GetStringCount(pack), kTextPackMinStrings[pack]) << pack;
      const auto& strings = expected.strings[static_cast<size_t>(pack)];
      for (int32_t id = 0; id < CGame::GetStringCount(pack); id++) {
        String* s = CGame::GetString(pack, id);
        ASSERT_FALSE(isNull(s)) << pack << " " << id;
        std::u16string text(s->units(), s->units() + s->length());
        const std::u16string want = static_cast<size_t>(id) < strings.size() ? strings[id] : u"";
        EXPECT_EQ(text, want) << "pack " << pack << " id " << id;
      }
    }
    CGame::Lib_Close();
    EXPECT_EQ(CGame::language, language);
    EXPECT_EQ(log.text(), "");
    for (int32_t pack = 0; pack < kTextPackCount; pack++) CGame::Str_UnloadPack(pack);
  }
}

}  // namespace
}  // namespace sorv::test
