// Each language's data set, read back through the game's own readers: text packs, the boot
// pack's array tree and achievement table, and the menu data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/cae.h"
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

TEST_F(LanguageArchiveTest, EveryLanguageLoadsThroughTheGamesReadersWithoutALogLine) {
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

    // The boot's order: the boot sprite's entry is passed, then the tree and the table.
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    EXPECT_FALSE(isNull(CGame::Lib_GetData(kBootSprite, false, nullptr)));
    CGame::initArrays();
    CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
    CGame::Lib_Close();
    CGame::LoadMenuData();
    EXPECT_GT(CGame::menuData->length, 0);
    for (int32_t menu = 0; menu < kMenuCount; menu++) CGame::GetMenu(menu);
    EXPECT_EQ(log.text(), "");
    for (int32_t pack = 0; pack < kTextPackCount; pack++) CGame::Str_UnloadPack(pack);
  }
}

}  // namespace
}  // namespace sorv::test
