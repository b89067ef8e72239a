// The tournament model: segment geometry, filling a segment, the simulated matches, the
// user's results across segments to the final, the career's flags and points, and records 4
// and 6 checked after loading. Data tables are built here: the roster's power is 5e + 5 for
// entry e, names are "F<i>" and "L<j>".
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/string.h"
#include "runtime/util_random.h"
#include "tests/game/saved_fixture.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int kRosterRows = 39, kTournaments = 23, kColumns = 11;

ObjectArray* names(const char* prefix, int count) {
  ObjectArray* list = Array::newObjectArray(0, count);
  for (int i = 0; i < count; i++) {
    astore(list, i, String::fromCString((prefix + std::to_string(i)).c_str()));
  }
  return list;
}

int fake(int pos, int part) { return aload(static_cast<ByteArray*>(aload(CGame::drawFakeNames.get(), pos)), part); }
int slot(int pos) { return aload(CGame::drawSlots.get(), pos); }
int score(int t, int e) { return aload(static_cast<ByteArray*>(aload(CGame::drawScores.get(), t)), e); }
void setScore(int t, int e, int v) {
  astore(static_cast<ByteArray*>(aload(CGame::drawScores.get(), t)), e, static_cast<int8_t>(v));
}
std::string text(String* s) { return String::toUtf8(s); }

class TournamentModelTest : public SavedDataTest {
 protected:
  void SetUp() override {
    SavedDataTest::SetUp();
    CGame::initRMS();
    std::vector<AchievementRow> rows(55);
    CAE::LoadAchiData(managedBytes(achievementTable(rows)));
    CGame::random = Random::create(2009);
    // As shipped: a row per attribute, a column per roster entry.
    CGame::rosterAttrBase = Array::newObjectArray(kByteArray, 5);
    CGame::rosterAttrBonus = Array::newObjectArray(kByteArray, 5);
    for (int a = 0; a < 5; a++) {
      ByteArray* base = Array::newByteArray(kRosterRows);
      ByteArray* bonus = Array::newByteArray(kRosterRows);
      for (int e = 0; e < kRosterRows; e++) {
        astore(base, e, static_cast<int8_t>(e));
        astore(bonus, e, int8_t{1});
      }
      astore(CGame::rosterAttrBase.get(), a, base);
      astore(CGame::rosterAttrBonus.get(), a, bonus);
    }
    // Row t: rounds 3 + t % 5 in column 3, points 1, 2, 3 for losses and 9 for the title.
    CGame::tournamentTable = Array::newByteArray(kTournaments * kColumns);
    for (int t = 0; t < kTournaments; t++) {
      const int8_t row[kColumns] = {static_cast<int8_t>(t), 0, 0, static_cast<int8_t>(3 + t % 5), 0, 0, 0, 1, 2, 3, 9};
      for (int c = 0; c < kColumns; c++) astore(CGame::tournamentTable.get(), t * kColumns + c, row[c]);
    }
    CGame::rosterNames = names("R", 36);
    CGame::firstNames = names("F", 12);
    CGame::lastNames = names("L", 12);
    CGame::careerName = String::fromCString("Avatar");
    CGame::isCareer = false;
    CGame::mainMenuChoice = 4;
    CGame::currentTournament = 2;
    CTennis::matchStats = Array::newObjectArray(kIntArray, 12);
    for (int r = 0; r < 12; r++) astore(CTennis::matchStats.get(), r, Array::newIntArray(2));
    setMode(0);
  }

  static void setMode(int mode) {
    const int settings[] = {mode, 1, 2, 1, 1};
    for (int r = 0; r < 5; r++) astore(CGame::matchSettings.get(), r, settings[r]);
  }
  static int positions() { return CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()); }
  // A new tournament drawn around `player` as the set-up starts it.
  static void start(int rounds, int player = -1, int partner = -1) {
    CGame::resetTournamentData();
    CGame::newTournament(rounds);
    CGame::fullPlayerListByRandomWithFakePlayers(positions(), true, player, partner);
  }
  static bool realPlayer(int pos) { return fake(pos, 0) == -1 && fake(pos, 1) == -1; }
};

TEST_F(TournamentModelTest, SegmentsSplitTheRoundsAndLocateTheUser) {
  struct Case {
    int rounds, round, mode, count, index, players;
  };
  // Modes 0 singles, 1 doubles; a finished tournament keeps its last segment.
  const Case cases[] = {
      {1, 0, 0, 1, 2, 2},  {2, 1, 1, 2, 2, 8},  {3, 0, 0, 3, 0, 8},  {3, 2, 1, 3, 2, 16}, {3, 3, 0, 3, 0, 8},
      {4, 2, 0, 3, 2, 8},  {4, 3, 0, 1, 2, 2},  {4, 3, 1, 1, 2, 4},  {5, 3, 0, 2, 1, 4},  {5, 4, 0, 2, 2, 4},
      {6, 3, 0, 3, 0, 8},  {6, 5, 1, 3, 2, 16}, {6, 6, 0, 3, 0, 8},  {7, 6, 1, 1, 2, 4},  {7, 5, 0, 3, 2, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rounds << " rounds, round " << c.round << ", mode " << c.mode);
    setMode(c.mode);
    CGame::tournamentRoundCount = c.rounds;
    CGame::tournamentRound = c.round;
    EXPECT_EQ(CGame::getFakeTournamentRoundCount(), c.count);
    EXPECT_EQ(CGame::getFakeTournamentRoundIndex(), c.index);
    EXPECT_EQ(positions(), c.players);
  }
  struct Entry {
    int rounds, mode, userSlot;
    std::vector<int> byTable;  // tables base .. 2
  };
  const Entry entries[] = {{3, 0, 5, {5, 2, 1}}, {3, 1, 13, {6, 3, 1}}, {2, 0, 3, {3, 1}}, {1, 1, 3, {1}}};
  for (const Entry& e : entries) {
    setMode(e.mode);
    CGame::tournamentRoundCount = e.rounds;
    CGame::tournamentRound = 0;
    CGame::userSlot = e.userSlot;
    std::vector<int> got;
    for (int t = 3 - CGame::getFakeTournamentRoundCount(); t < 3; t++) got.push_back(CGame::getPlayerIndexInRecord(t));
    EXPECT_EQ(got, e.byTable) << e.rounds << " rounds, slot " << e.userSlot;
  }
}

TEST_F(TournamentModelTest, WinnersAreFollowedBackToTheirDrawPositions) {
  CGame::newTournament(3);
  const int first[] = {2, 0, 1, 2, 2, 2, 0, 2};  // 0, 3, 4 (a tie: the even entry), 7
  const int second[] = {0, 2, 1, 1};             // 3, then 4 (a tie)
  for (int e = 0; e < 8; e++) setScore(0, e, first[e]);
  for (int e = 0; e < 4; e++) setScore(1, e, second[e]);
  EXPECT_EQ(CGame::getPlayerStartTournamentIndex(0, 5), 5);
  EXPECT_EQ(CGame::getPlayerStartTournamentIndex(1, 1), 3);
  EXPECT_EQ(CGame::getPlayerStartTournamentIndex(1, 2), 4);
  EXPECT_EQ(CGame::getPlayerStartTournamentIndex(2, 0), 3);
  EXPECT_EQ(CGame::getPlayerStartTournamentIndex(2, 1), 4);
}

TEST_F(TournamentModelTest, PowerDecidesTheOtherMatches) {
  EXPECT_EQ(CGame::getPlayerAttrPower(4, false), 25);
  EXPECT_EQ(CGame::getPlayerAttrPower(4, true), 16) << "25 x 66 / 100";
  EXPECT_EQ(CGame::getPlayerAttrPower(17, false), 100) << "the avatar";
  setMode(2);
  EXPECT_EQ(CGame::getPlayerAttrPower(35, true), 100);
  EXPECT_EQ(CGame::getPlayerAttrPower(17, false), 90);
  setMode(0);

  CGame::newTournament(1);  // one match: table 2, positions 0 and 1
  CGame::generateTournamentOtherMatchScore(2);
  EXPECT_EQ(score(2, 0), 0);
  EXPECT_EQ(score(2, 1), 2) << "two empty sides: the match goes to side B";

  astore(CGame::drawSlots.get(), 0, 9);  // 50
  astore(CGame::drawSlots.get(), 1, 4);  // 25
  int winsA = 0;
  const int matches = 10000;
  for (int i = 0; i < matches; i++) {
    CGame::newTournament(1);
    astore(CGame::drawSlots.get(), 0, 9);
    astore(CGame::drawSlots.get(), 1, 4);
    CGame::generateTournamentOtherMatchScore(2);
    ASSERT_EQ(score(2, 0) + score(2, 1), 2);
    winsA += score(2, 0) == 2;
  }
  EXPECT_NEAR(winsA / double(matches), 50.0 / 76.0, 0.01);
}

TEST_F(TournamentModelTest, FillsKeepGroupsAndNeverPlaceAPlayerTwice) {
  struct Case {
    int mode, rounds;
    bool usedUp;  // every roster entry already placed: generated players only
  };
  for (const Case& c : {Case{0, 3, false}, Case{2, 3, false}, Case{1, 3, false}, Case{4, 3, false},
                        Case{0, 3, true}, Case{4, 3, true}, Case{3, 6, false}, Case{2, 2, false}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", used up " << c.usedUp);
    setMode(c.mode);
    CGame::resetTournamentData();
    CGame::newTournament(c.rounds);
    if (c.usedUp) {
      for (int e = 0; e < 36; e++) astore(CGame::drawUsed.get(), e, int8_t{1});
    }
    CGame::fullPlayerListByRandomWithFakePlayers(positions(), true, c.usedUp ? 5 : -1, c.usedUp ? 6 : -1);
    std::set<int> real;
    std::set<std::pair<int, int>> pairs;
    for (int pos = 0; pos < positions(); pos++) {
      const bool second = c.mode == 2 || c.mode == 3 || (c.mode == 4 && pos % 2 == 1);
      const bool user = pos == CGame::userSlot || (CGame::isDouble() && pos == CGame::EvenOddSwitch(CGame::userSlot));
      ASSERT_NE(slot(pos), -1) << pos;
      if (!user) {
        EXPECT_GE(slot(pos), second ? 18 : 0) << pos;
        EXPECT_LT(slot(pos), second ? 34 : 16) << pos;
      }
      if (realPlayer(pos)) {
        EXPECT_TRUE(real.insert(slot(pos)).second) << "entry " << slot(pos) << " twice";
        EXPECT_EQ(aload(CGame::drawUsed.get(), slot(pos)), 1);
      } else {
        EXPECT_TRUE(pairs.insert({fake(pos, 0), fake(pos, 1)}).second) << "a name twice";
      }
    }
    if (c.usedUp) {
      EXPECT_EQ(real.size(), CGame::isDouble() ? 2u : 1u) << "only the given team is real";
    } else if (c.rounds <= 3) {
      EXPECT_TRUE(pairs.empty()) << "a tournament of one segment keeps every roster candidate";
    }
  }
}

TEST_F(TournamentModelTest, SmallOrEmptyNameTablesAndAUsedUpGroupStillEnd) {
  struct Case {
    int firsts, lasts, mode;
    const char* line;
  };
  for (const Case& c : {Case{1, 1, 0, "a name repeats"}, Case{0, 0, 0, "a name repeats"},
                        Case{12, 12, 1, "no partner left"}}) {
    SCOPED_TRACE(testing::Message() << c.firsts << " x " << c.lasts << ", mode " << c.mode);
    CGame::firstNames = names("F", c.firsts);
    CGame::lastNames = names("L", c.lasts);
    setMode(c.mode);
    CGame::resetTournamentData();
    CGame::newTournament(3);
    for (int e = 0; e < 36; e++) astore(CGame::drawUsed.get(), e, int8_t{1});
    LogCapture log;
    CGame::fullPlayerListByRandomWithFakePlayers(positions(), true, 3, -1);
    EXPECT_EQ(countLines(log.text(), c.line), 1) << log.text();
    for (int pos = 0; pos < positions(); pos++) EXPECT_NE(slot(pos), -1);
    const int other = CGame::userSlot == 0 ? positions() - 1 : 0;
    const std::string name = text(CGame::gePlayerName(slot(other), fake(other, 0), fake(other, 1)));
    if (c.firsts < 2) {
      EXPECT_EQ(name, c.firsts == 0 ? "" : "F0L0");
    }
  }
}

TEST_F(TournamentModelTest, NamesOfRosterAvatarAndGeneratedPlayers) {
  EXPECT_EQ(text(CGame::gePlayerName(3, -1, -1)), "R3");
  EXPECT_EQ(text(CGame::gePlayerName(17, -1, -1)), "Avatar");
  EXPECT_EQ(text(CGame::gePlayerName(35, -1, -1)), "R35");
  EXPECT_EQ(text(CGame::gePlayerName(3, 4, 11)), "F4L11");
  EXPECT_EQ(text(CGame::gePlayerName(3, 4, 12)), "F4") << "a missing part reads as nothing";
  EXPECT_EQ(text(CGame::gePlayerName(40, -1, -1)), "");
  setMode(3);
  EXPECT_EQ(text(CGame::gePlayerName(35, -1, -1)), "Avatar");
}

// A match played with the tournament's choice but no tournament drawn (a reset one, or a
// match started some other way) leaves a line and keeps nothing.
TEST_F(TournamentModelTest, AResultWithNoTournamentDrawnIsNotKept) {
  CGame::resetTournamentData();
  LogCapture log;
  CGame::tournamentMatchOver(2, 1);
  EXPECT_EQ(countLines(log.text(), "no tournament drawn"), 1) << log.text();
  EXPECT_FALSE(CGame::hasRecord(CGame::kTournamentRecord));
}

TEST_F(TournamentModelTest, ATieIsALossAndIsSaved) {
  start(3, 2);
  ASSERT_FALSE(CGame::hasRecord(CGame::kTournamentRecord));
  CGame::tournamentMatchOver(2, 2);
  EXPECT_EQ(CGame::tournamentResult, -1);
  EXPECT_EQ(CGame::tournamentRound, 0);
  const int p = CGame::getPlayerIndexInRecord(0);
  EXPECT_EQ(score(0, p), 2);
  EXPECT_EQ(score(0, CGame::EvenOddSwitch(p)), 2);
  for (int m = 0; m < 4; m++) EXPECT_EQ(score(0, 2 * m) + score(0, 2 * m + 1), m == p / 2 ? 4 : 2);
  EXPECT_TRUE(CGame::hasRecord(CGame::kTournamentRecord));
  EXPECT_EQ(CGame::getPointsForCurrentTournament(), 10);
}

TEST_F(TournamentModelTest, AWonSegmentCarriesTheTeamIntoTheNextOne) {
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    setMode(mode);
    start(4, 5, mode == 1 ? 7 : -1);
    for (int r = 0; r < 3; r++) {
      EXPECT_EQ(CGame::getPointsForCurrentTournament(), 0) << "nothing while running";
      CGame::tournamentMatchOver(2, 1);
      EXPECT_EQ(CGame::tournamentResult, 1);
    }
    EXPECT_EQ(CGame::tournamentSegment, 1);
    EXPECT_EQ(positions(), mode == 1 ? 4 : 2);
    EXPECT_LT(CGame::userSlot, positions());
    EXPECT_EQ(slot(CGame::userSlot), 5);
    EXPECT_TRUE(realPlayer(CGame::userSlot));
    if (mode == 1) {
      EXPECT_EQ(slot(CGame::EvenOddSwitch(CGame::userSlot)), 7);
      EXPECT_TRUE(realPlayer(CGame::EvenOddSwitch(CGame::userSlot)));
    }
    for (int pos = 0; pos < positions(); pos++) EXPECT_NE(slot(pos), -1) << "the new segment is filled";
    for (int e = 0; e < 2; e++) EXPECT_EQ(score(2, e), 0) << "its bracket is fresh";
  }
}

TEST_F(TournamentModelTest, TheFinalSetsFlagsAchievementsAndPoints) {
  struct Case {
    bool career;
    bool doubles;
    int tournament;
    bool champion, tournamentChampion, grandSlam, doublesChampions;
  };
  // A career's match mode follows its place (tournament 2 is a singles one): the doubles case
  // is a quick tournament's.
  for (const Case& c : {Case{false, false, 2, true, true, false, false}, Case{false, true, 2, false, true, false, true},
                        Case{true, false, 2, true, false, true, false}, Case{true, false, 5, true, false, false, false}}) {
    SCOPED_TRACE(testing::Message() << "career " << c.career << ", doubles " << c.doubles);
    CAE::LoadAchiData(managedBytes(achievementTable(std::vector<AchievementRow>(56))));
    CGame::careerStats = Array::newShortArray(6);
    CGame::resetAllTournamentPlayable();
    CGame::resetRMS(CGame::kCareerTournamentRecord);
    CGame::resetRMS(CGame::kTournamentRecord);
    CGame::isCareer = c.career;
    CGame::mainMenuChoice = c.career ? 0 : 4;
    CGame::currentTournament = c.tournament;
    for (int won : {20, 1, 4}) CGame::setTournamentWin(won);
    setMode(c.doubles ? 1 : 0);
    astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 2)), 0, 3);
    astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 6)), 0, 4);
    astore(static_cast<IntArray*>(aload(CTennis::matchStats.get(), 9)), 0, 5);
    CTennis::matchStrokes = 40;
    start(4);
    for (int r = 0; r < 4; r++) {
      EXPECT_EQ(CGame::isTheFinalRoundOfTournament(), r == 3);
      CGame::tournamentMatchOver(2, 1);
    }
    EXPECT_EQ(CGame::tournamentRound, 4);
    EXPECT_EQ(CGame::getPointsForCurrentTournament(), 90);
    EXPECT_EQ(CAE::IsUnlock(4), c.champion);
    EXPECT_EQ(CAE::IsUnlock(53), c.tournamentChampion);
    EXPECT_EQ(CAE::IsUnlock(54), c.grandSlam);
    EXPECT_EQ(CAE::IsUnlock(55), c.doublesChampions);
    EXPECT_EQ(CGame::isTounamentWin(c.tournament), c.career);
    EXPECT_EQ(CGame::hasRecord(CGame::kCareerTournamentRecord), c.career);
    EXPECT_EQ(CGame::hasRecord(CGame::kTournamentRecord), !c.career);
    if (c.career) {
      const std::vector<int> stats = {aload(CGame::careerStats.get(), 2), aload(CGame::careerStats.get(), 3),
                                      aload(CGame::careerStats.get(), 4), aload(CGame::careerStats.get(), 5)};
      EXPECT_EQ(stats, (std::vector<int>{8, 4, 28, 20}));
      EXPECT_EQ(CGame::tournamentStrokes, 160);
    }
  }
}

TEST_F(TournamentModelTest, ALossPaysByItsRoundWithinTheLossColumns) {
  struct Case {
    int rounds, lostAt, points;
  };
  // A lost final of 4 rounds pays the third loss column, never the champion's.
  for (const Case& c : {Case{4, 0, 10}, Case{4, 1, 20}, Case{4, 2, 30}, Case{4, 3, 30}, Case{7, 6, 30}}) {
    SCOPED_TRACE(testing::Message() << c.rounds << " rounds, lost at " << c.lostAt);
    start(c.rounds);
    for (int r = 0; r < c.lostAt; r++) CGame::tournamentMatchOver(2, 0);
    EXPECT_EQ(CGame::getPointsForCurrentTournament(), 0);
    CGame::tournamentMatchOver(0, 2);
    EXPECT_EQ(CGame::getPointsForCurrentTournament(), c.points);
  }
}

TEST_F(TournamentModelTest, FlagsAndTheGrandSlam) {
  struct Case {
    std::vector<int> won;
    bool grandSlam;
  };
  for (const Case& c : {Case{{20, 1, 2, 4}, true}, Case{{0, 1, 2, 3}, true}, Case{{20, 2, 4}, false},
                        Case{{0, 1, 2}, false}, Case{{-1, 29, 1, 2, 3}, false}}) {
    CGame::resetAllTournamentPlayable();
    for (int i : c.won) CGame::setTournamentWin(i);
    EXPECT_EQ(CGame::isGrandSlamer(), c.grandSlam) << testing::PrintToString(c.won);
  }
  CGame::resetAllTournamentPlayable();
  CGame::setTournamentPlayed(-1);
  CGame::setTournamentPlayed(29);
  CGame::setTournamentPlayed(7);
  for (int i = 0; i < 29; i++) EXPECT_EQ(CGame::isTounamentPlayed(i), i == 7) << i;
  EXPECT_FALSE(CGame::isTounamentWin(7));
  EXPECT_FALSE(CGame::isTounamentPlayed(29));
  EXPECT_FALSE(CGame::isTounamentWin(-1));
}

TEST_F(TournamentModelTest, MainTournamentsAreCourtTwoOutsideTrainingAndTheMainDraws) {
  struct Case {
    int court;
    bool training, career;
    int choice, tournament;
    bool main;
  };
  const Case cases[] = {
      {2, false, false, 3, 0, true},  {1, false, false, 3, 2, false}, {2, true, false, 3, 2, false},
      {2, false, false, 4, 2, true},  {2, false, false, 4, 3, false}, {2, false, true, 0, 4, true},
      {2, false, true, 0, 1, false},  {3, false, true, 0, 2, false},
  };
  for (const Case& c : cases) {
    CTennis::currentCourt = c.court;
    CTennis::isTraining = c.training;
    CGame::isCareer = c.career;
    CGame::mainMenuChoice = c.choice;
    CGame::currentTournament = c.tournament;
    EXPECT_EQ(CGame::isMainTournament(), c.main)
        << c.court << " " << c.training << " " << c.career << " " << c.choice << " " << c.tournament;
  }
  CTennis::isTraining = false;
}

// Record 6 of a seeded men's draw of four rounds, saved before any match: the user at 3
// holds entry 7, eight distinct roster players, all of them marked used, no generated names.
const char* const kGoldenDraw =
    "00 00 01 02 01 01 02 00 03 0C 05 08 07 00 02 01 0A FF FF FF FF FF FF FF FF 01 01 01 00 "
    "00 01 00 01 01 00 01 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
    "FF FF FF FF FF FF FF FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 04 03 00 00 00";

class TournamentRecordTest : public TournamentModelTest {
 protected:
  void SetUp() override {
    TournamentModelTest::SetUp();
    start(4);
    ASSERT_TRUE(CGame::RMS(true, CGame::kTournamentRecord));
    golden_ = record(CGame::kTournamentRecord);
  }
  Bytes golden_;
};

TEST_F(TournamentRecordTest, ASeededDrawIsSavedByteForByteAndLoadsBack) {
  EXPECT_EQ(hex(golden_), kGoldenDraw);
  CGame::newTournament(0);
  ASSERT_TRUE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
  EXPECT_EQ(CGame::tournamentRoundCount, 4);
  EXPECT_NE(slot(CGame::userSlot), -1);
  ASSERT_TRUE(CGame::RMS(true, CGame::kTournamentRecord));
  EXPECT_EQ(hex(record(CGame::kTournamentRecord)), kGoldenDraw);
}

TEST_F(TournamentRecordTest, EachBrokenFieldMakesTheRecordAbsent) {
  struct Case {
    const char* why;
    int offset, value;
  };
  const int user = 9 + CGame::userSlot;
  const int realNamePos = 63;  // a real player's name pair
  const Case cases[] = {
      {"tournament outside the table", 6, 23},
      {"match settings out of range", 2, 3},
      {"match settings out of range", 115, 5},
      {"round count out of range", 111, 0},
      {"round count out of range", 111, 8},
      {"round past the round count", 110, 5},
      {"segment length not 3", 112, 2},
      {"segment disagrees with the round", 109, 1},
      {"result out of range", 7, 2},
      {"draw entry out of range", 9, 36},
      {"draw entry out of range", 24, -2},
      {"generated name outside the name tables", realNamePos, 12},
      {"user outside the draw", 8, 8},
      {"user outside the draw", user, -1},
      {"score out of range", 95, 4},
      {"score out of range", 108, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.why << " at byte " << c.offset);
    Bytes broken = golden_;
    broken[c.offset] = static_cast<uint8_t>(c.value);
    putRecord(CGame::kTournamentRecord, broken);
    setMode(1);
    CGame::currentTournament = 4;
    LogCapture log;
    EXPECT_FALSE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
    EXPECT_EQ(countLines(log.text(), "no tournament to continue"), 1) << log.text();
    EXPECT_TRUE(log.contains(c.why)) << log.text();
    EXPECT_EQ(aload(CGame::matchSettings.get(), 0), 1) << "the settings stay as they were";
    EXPECT_EQ(aload(CGame::matchSettings.get(), 1), 1);
    EXPECT_EQ(CGame::currentTournament, 4);
    EXPECT_EQ(CGame::userSlot, -1);
    EXPECT_EQ(slot(0), -1);
  }
  putRecord(CGame::kTournamentRecord, Bytes(golden_.begin(), golden_.end() - 1));
  LogCapture log;
  EXPECT_FALSE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
  EXPECT_EQ(countLines(log.text(), "RMS:"), 1) << "the codec's own line: " << log.text();
  EXPECT_FALSE(log.contains("no tournament to continue"));
}

}  // namespace
}  // namespace sorv::test
