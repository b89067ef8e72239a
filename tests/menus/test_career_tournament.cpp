// A career tournament on the shipped data: the settings of its matches by the avatar's rank
// and the round, the draw made around the avatar when the lobby enters it, and the final
// flagged in every kind of tournament.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "match/ctennis.h"
#include "runtime/string.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kTableState = 57;
constexpr int32_t kColumns = 11, kRoundsColumn = 3;
constexpr int32_t kDifficultyField = 8;
constexpr int32_t kAvatarMan = 17, kAvatarWoman = 35;
constexpr int32_t kTournamentBytes = 116;
// Points of ranks 5, 30 and 100: (200 - rank) x 10 + 20.
constexpr int32_t kRank5 = 1970, kRank30 = 1720, kRank100 = 1020;

class CareerTournamentTest : public CareerTest {
 protected:
  void SetUp() override {
    CareerTest::SetUp();
    CGame::resetCareerData();
  }
  void TearDown() override {
    CTennis::careerFinal = false;
    CareerTest::TearDown();
  }
  static int32_t row(int32_t tournament, int32_t column) {
    return aload(CGame::tournamentTable.get(), tournament * kColumns + column);
  }
  static int32_t setting(int32_t i) { return aload(CGame::matchSettings.get(), i); }
  // The lobby's cursor on a place of the week.
  static void aimAt(int32_t week, int32_t location) {
    CGame::careerWeek = week;
    ByteArray* list = static_cast<ByteArray*>(aload(CGame::careerCalendar.get(), week));
    for (int32_t i = 0; i < list->length; i++) {
      if (aload(list, i) == location) CGame::careerTarget = i;
    }
    ASSERT_EQ(CGame::careerTargetLocation(), location);
  }
};

TEST_F(CareerTournamentTest, TheMatchSettingsFollowTheRankTheDifficultyAndTheRound) {
  struct Case {
    int32_t points, difficulty;
    bool lastRound;
    int32_t level;
    bool hardFinal;
  };
  const Case cases[] = {
      {kRank100, 0, false, 0, false}, {kRank100, 2, true, 2, false}, {kRank30, 1, true, 2, false},
      {kRank30, 2, false, 2, false},  {kRank30, 2, true, 2, true},   {kRank5, 0, true, 2, false},
      {kRank5, 1, false, 2, false},   {kRank5, 1, true, 2, true},    {kRank100, 1, true, 1, false},
  };
  CGame::currentTournament = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "points " << c.points << ", difficulty " << c.difficulty << ", final "
                                    << c.lastRound);
    CGame::careerRankingPoints = c.points;
    CGame::tournamentDifficulty = c.difficulty;
    CGame::tournamentRoundCount = 4;
    CGame::tournamentRound = c.lastRound ? 3 : 1;
    CGame::initCareerSettingUI();
    EXPECT_EQ(setting(1), c.level);
    EXPECT_EQ(CTennis::careerFinal, c.hardFinal);
    EXPECT_EQ(setting(2), row(4, 1));
    EXPECT_EQ(setting(3), row(4, 2));
    EXPECT_EQ(setting(4), row(4, 0));
  }
  // The mode: singles or doubles by the place, a woman's when the avatar is one.
  struct Mode {
    int32_t tournament, before, after;
  };
  for (const Mode& m : {Mode{13, 0, 1}, Mode{13, 2, 3}, Mode{13, 3, 3}, Mode{4, 3, 2}, Mode{4, 1, 0}}) {
    SCOPED_TRACE(testing::Message() << "tournament " << m.tournament << ", mode " << m.before);
    CGame::currentTournament = m.tournament;
    astore(CGame::matchSettings.get(), 0, m.before);
    CGame::initCareerSettingUI();
    EXPECT_EQ(setting(0), m.after);
  }
}

// OK in the lobby on an admitted tournament: the draw of its rounds around the avatar, its
// settings, the place played, records 3 and 4 saved, the table.
TEST_F(CareerTournamentTest, TheLobbysTournamentIsDrawnAroundTheAvatar) {
  struct Case {
    int32_t week, location, mode, avatar;
  };
  for (const Case& c : {Case{2, 4, 0, kAvatarMan}, Case{29, 13, 2, kAvatarWoman}}) {
    SCOPED_TRACE(c.location);
    CGame::resetRMS(CGame::kCareerTournamentRecord);
    astore(CGame::matchSettings.get(), 0, c.mode);
    CGame::careerRankingPoints = 20;
    aimAt(c.week, c.location);
    CGame::MenuClear();
    setState(23);
    CGame::keysPressed = 0x20;
    CGame::updateCareerLobby();
    CGame::keysPressed = 0;
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
    EXPECT_EQ(CGame::currentTournament, c.location);
    EXPECT_EQ(CGame::tournamentDifficulty, CGame::careerLocationField(c.location, kDifficultyField));
    EXPECT_EQ(CGame::tournamentRoundCount, row(c.location, kRoundsColumn));
    EXPECT_EQ(CGame::tournamentRound, 0);
    EXPECT_EQ(aload(CGame::drawSlots.get(), CGame::userSlot), c.avatar);
    EXPECT_EQ(CTennis::currentCourt, row(c.location, 0));
    EXPECT_FALSE(CTennis::isTraining);
    EXPECT_TRUE(CGame::isTounamentPlayed(c.location));
    EXPECT_EQ(record(CGame::kCareerTournamentRecord).size(), static_cast<size_t>(kTournamentBytes));
    // The saved career already holds the place as played.
    const std::vector<int8_t> career = record(CGame::kCareerRecord);
    ASSERT_EQ(career.size(), 89u);
    EXPECT_EQ(career[60 + c.location], 1);
  }
}

// The final against a strong field is flagged in the round it is played, whether it opens a
// segment (four rounds) or ends one (three rounds).
TEST_F(CareerTournamentTest, TheFinalIsFlaggedInTheRoundItIsPlayed) {
  for (const int32_t rounds : {3, 4}) {
    SCOPED_TRACE(rounds);
    CGame::careerRankingPoints = kRank5;  // difficulty + 2
    CGame::currentTournament = 4;
    CGame::tournamentDifficulty = 1;
    CGame::resetTournamentData();
    CGame::newTournament(rounds);
    CGame::initCareerSettingUI();
    CGame::fullPlayerListByRandomWithFakePlayers(
        CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()), true, kAvatarMan, -1);
    for (int32_t r = 0; r < rounds; r++) {
      EXPECT_EQ(CTennis::careerFinal, r == rounds - 1) << "round " << r;
      CGame::tournamentResult = 1;
      CGame::nextTournameRound();
    }
  }
}

// One career round won: records 3 and 4 as the match's end leaves them, field by field.
TEST_F(CareerTournamentTest, RecordsThreeAndFourAfterOneCareerRound) {
  CTennis::matchStats = Array::newObjectArray(kIntArray, 12);
  for (int r = 0; r < 12; r++) astore(CTennis::matchStats.get(), r, Array::newIntArray(2));
  astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 2)), 0, 3);
  astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 6)), 0, 4);
  astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 9)), 0, 5);
  CTennis::matchStrokes = 40;
  aimAt(2, 4);
  CGame::setTournamentPlayed(4);
  CGame::switchToCareerTournamentTable(true);
  const int32_t slot = CGame::userSlot;
  CGame::tournamentMatchOver(2, 1);
  const std::vector<int8_t> career = record(CGame::kCareerRecord), tournament = record(CGame::kCareerTournamentRecord);
  ASSERT_EQ(career.size(), 89u);
  ASSERT_EQ(tournament.size(), static_cast<size_t>(kTournamentBytes));
  auto le16 = [](const std::vector<int8_t>& r, int at) { return (r[at] & 0xFF) | (r[at + 1] & 0xFF) << 8; };
  // The career: week 3, 20 points (the tournament pays when the week closes), place 4 played,
  // statistics 2 and 3 the games won and lost, 4 the match's rows 2 and 6, 5 its row 9.
  EXPECT_EQ(career[18], 2);
  EXPECT_EQ(le16(career, 21), 20);
  EXPECT_EQ(career[60 + 4], 1);
  const std::vector<int> stats = {le16(career, 42 + 4), le16(career, 42 + 6), le16(career, 42 + 8), le16(career, 42 + 10)};
  EXPECT_EQ(stats, (std::vector<int>{2, 1, 7, 5}));
  // The tournament: its difficulty, settings, number, the round won, the user's place in a
  // draw of four rounds, the strokes and the mode.
  const std::vector<int> head(tournament.begin(), tournament.begin() + 9);
  EXPECT_EQ(head, (std::vector<int>{CGame::careerLocationField(4, kDifficultyField), 0, 0, row(4, 1), row(4, 2), row(4, 0),
                                    4, 1, slot}));
  EXPECT_EQ(tournament[9 + slot], kAvatarMan);
  EXPECT_EQ(tournament[110], 1);
  EXPECT_EQ(tournament[111], 4);
  EXPECT_EQ(le16(tournament, 113), 40);
  EXPECT_EQ(tournament[115], 0);
}

}  // namespace
}  // namespace sorv::test
