// The tournament's data: the table's shape and order, the generated players' names and the
// load screen's texts in every language, and the logos, read back through the game's loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tests/game/game_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/archive_writer.h"
#include "tools/mkdata/array_tree_writer.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/text_packs.h"
#include "tools/mkdata/text_source.h"

namespace sorv::test {
namespace {

const char* const kCodes[kLanguageCount] = {"EN", "FR", "IT", "DE", "ES", "PT", "NL", "PL", "CS", "TR", "RU"};

mkdata::TextSource textSource(const std::string& code) {
  const std::u16string wide(code.begin(), code.end());
  const std::string path = mkdata::textSourcePath(mkdata::defaultDataDir(), wide);
  std::string contents, error;
  mkdata::TextSource s;
  EXPECT_TRUE(mkdata::readSourceFile(path, &contents, &error)) << error;
  EXPECT_TRUE(mkdata::parseTextSource(contents, path, &s, &error)) << error;
  return s;
}

std::vector<std::vector<int64_t>> tournamentRows() {
  std::string source, error;
  EXPECT_TRUE(mkdata::readSourceFile(std::string(mkdata::defaultDataDir()) + "/arrays.txt", &source, &error)) << error;
  std::vector<mkdata::ArraySourceTable> tables;
  EXPECT_TRUE(mkdata::readArraySource(source, &tables, &error)) << error;
  std::vector<std::vector<int64_t>> rows;
  if (!tables.empty()) {
    for (const mkdata::ArrayLevel& row : tables[0].values.rows) rows.push_back(row.values);
  }
  return rows;
}

// Rounds that the points can follow (the loss columns end at round 2), points that grow with
// the round reached, logos and flags the sprite holds; the quick tournament plays a segment
// of three and one of one in singles, one of three in doubles.
TEST(TournamentData, TheTableHoldsWhatTheModelAndTheTableScreenRead) {
  const std::vector<std::vector<int64_t>> rows = tournamentRows();
  ASSERT_EQ(rows.size(), static_cast<size_t>(kTournamentCount));
  for (size_t t = 0; t < rows.size(); t++) {
    SCOPED_TRACE("tournament " + std::to_string(t));
    const std::vector<int64_t>& r = rows[t];
    ASSERT_EQ(r.size(), static_cast<size_t>(kTournamentColumns));
    for (int32_t c : {kTournamentRoundsSingles, kTournamentRoundsDoubles}) {
      EXPECT_GE(r[c], kTournamentMinRounds);
      EXPECT_LE(r[c], kTournamentMaxRounds);
    }
    EXPECT_GE(r[kTournamentPointsLost], 1);
    for (int32_t c = kTournamentPointsLost + 1; c <= kTournamentPointsWon; c++) EXPECT_GT(r[c], r[c - 1]) << c;
    EXPECT_GE(r[kTournamentLogoFrame], 0);
    EXPECT_LT(r[kTournamentLogoFrame], kTournamentLogoWomenMain);
    EXPECT_GE(r[kTournamentFlagPalette], 0);
    EXPECT_LT(r[kTournamentFlagPalette], kTournamentFlagPalettes);
  }
  EXPECT_EQ(rows[kQuickTournament][kTournamentRoundsSingles], 4);
  EXPECT_EQ(rows[kQuickTournament][kTournamentRoundsDoubles], 3);
}

// A generated player reads "first last": two words, the last name bringing the space, from
// lists that share no id with the style captions and the selection's labels.
TEST(TournamentData, EveryLanguageNamesGeneratedPlayersAndTheLoadChoice) {
  constexpr int32_t kCaptionsAndLabelsFirst = 85, kCaptionsAndLabelsLast = 125;
  for (int32_t first : {kFirstNamesFirst, kLastNamesFirst}) {
    EXPECT_GT(first, kCaptionsAndLabelsLast);
    EXPECT_GT(first, kTextLastCourtName);
  }
  EXPECT_LE(kStyleCaptionsFirst + kStyleCaptionsCount - 1, kCaptionsAndLabelsLast);
  EXPECT_GE(kStyleCaptionsFirst, kCaptionsAndLabelsFirst);
  EXPECT_GE(kFirstNamesCount, 12);
  EXPECT_GE(kLastNamesCount, 12);
  EXPECT_LE(kLastNamesFirst + kLastNamesCount, kTextPackMinStrings[kTextMenus]);
  for (const char* code : kCodes) {
    SCOPED_TRACE(code);
    const mkdata::TextSource s = textSource(code);
    const auto& pack = s.strings[kTextMenus];
    ASSERT_GE(pack.size(), static_cast<size_t>(kLastNamesFirst + kLastNamesCount));
    for (auto [first, count] : {std::pair{kFirstNamesFirst, kFirstNamesCount}, std::pair{kLastNamesFirst, kLastNamesCount}}) {
      for (int32_t id = first; id < first + count; id++) {
        const std::u16string& name = pack[static_cast<size_t>(id)];
        const bool lastName = first == kLastNamesFirst;
        ASSERT_GT(name.size(), lastName ? 1u : 0u) << id;
        EXPECT_EQ(name[0] == u' ', lastName) << id;
        EXPECT_EQ(name.find(u' ', 1), std::u16string::npos) << id;
        EXPECT_NE(name.rfind(u"P2-", 0), 0u) << id;
      }
    }
    for (int32_t id : {236, 237}) {
      EXPECT_FALSE(pack[static_cast<size_t>(id)].empty()) << id;
      EXPECT_EQ(pack[static_cast<size_t>(id)].find(u"P2-"), std::u16string::npos) << id;
    }
  }
}

class TournamentLogoTest : public DeviceTest {};

// Placed as the table places it, every logo ends on x 775 and y 240 and stays on screen.
TEST_F(TournamentLogoTest, EveryFrameEndsWhereTheTablePutsTheTrophy) {
  mkdata::ArchiveWriter archive;
  std::string error;
  ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive, &error, "EN")) << error;
  RuntimeTest::TearDown();
  replaceBar(archive.build());
  RuntimeTest::SetUp();
  LogCapture log;
  ASprite* s = CGame::loadSprite(StaticClass::getConstant(kConstMenuExtPack), false, kMenuExtTournamentLogo, true);
  ASSERT_FALSE(isNull(s));
  ASSERT_GE(s->frameFModuleCount->length, kTournamentLogoFrames);
  EXPECT_GE(s->paletteCount, kTournamentFlagPalettes);
  IntArray* box = Array::newIntArray(4);
  for (int32_t f = 0; f < kTournamentLogoFrames; f++) {
    SCOPED_TRACE("frame " + std::to_string(f));
    const int32_t w = s->GetFrameWidth(f), h = s->GetFrameHeight(f);
    s->GetFrameRect(box, f, kTrophyRight + w / 2, h + kTrophyFoot, 0);
    const int32_t* b = box->elements();
    EXPECT_EQ(b[2], kTrophyRight);
    EXPECT_EQ(b[3], kTrophyFoot);
    EXPECT_GE(b[0], 0);
    EXPECT_GE(b[1], 0);
    EXPECT_GT(b[2] - b[0], 20);
    EXPECT_GT(b[3] - b[1], 40);
  }
  EXPECT_EQ(log.text(), "");
}

}  // namespace
}  // namespace sorv::test
