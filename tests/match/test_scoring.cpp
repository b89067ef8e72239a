// Scoring goldens: deuce and advantage, tie-breaks, short sets, the announcements, the score
// texts of an overturned call, the totals, the serve order, and the mended overflows.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/match/rules_fixture.h"

namespace sorv::test {
namespace {

class ScoringTest : public RulesTest {
 protected:
  // A game for the team, from love.
  static void game(bool user) { scorePoints(user ? "uuuu" : "oooo"); }
  static void gamesAlternating(int pairs) {
    for (int i = 0; i < pairs; i++) {
      game(true);
      game(false);
    }
  }
  static std::string text(String* s) { return utf8(s); }
};

TEST_F(ScoringTest, DeuceAndAdvantage) {
  startMatch(kSingles, 4, 0);
  scorePoints("uuuooo");
  EXPECT_EQ(counter(12), 1);  // 40:40 counts a deuce
  scorePoint(true);
  EXPECT_EQ(points(0), 4);
  EXPECT_EQ(games(0), 0);
  scorePoint(false);
  EXPECT_EQ(counter(12), 2);
  scorePoints("uu");
  EXPECT_EQ(games(0), 1);
  EXPECT_EQ(points(0), 0);
}

TEST_F(ScoringTest, TieBreakNeedsSevenAndTwo) {
  struct Case {
    const char* points;
    int userGames, userSets;
  };
  const Case cases[] = {
      {"uuuuuooooo" "u", 6, 0},   // 6:5 goes on
      {"uuuuuooooo" "uu", 0, 1},  // 7:5 takes the set
      {"uuuuuoooooo" "uuu", 0, 1},  // 6:6, then 8:6
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1);
    gamesAlternating(6);
    ASSERT_TRUE(CTennis::isTieBreak());
    scorePoints(c.points);
    EXPECT_EQ(games(0), c.userGames) << c.points;
    EXPECT_EQ(sets(0), c.userSets) << c.points;
  }
}

TEST_F(ScoringTest, SetLengths) {
  // A short set goes to the first with its games, no lead needed; no tie-break ever.
  for (int setting = 0; setting <= 3; setting++) {
    startMatch(kSingles, setting, 1);
    const int g = setting + 2;
    gamesAlternating(g - 1);
    EXPECT_FALSE(CTennis::isTieBreak());
    game(true);
    EXPECT_EQ(sets(0), 1) << "games per set " << g;
    EXPECT_EQ(CTennis::setIndex, 1);
  }
  // Six games: 6:5 goes on, 7:5 ends the set.
  startMatch(kSingles, 4, 1);
  gamesAlternating(5);
  game(true);
  EXPECT_EQ(sets(0), 0);
  game(true);
  EXPECT_EQ(sets(0), 1);
}

TEST_F(ScoringTest, Announcements) {
  struct Case {
    int gamesSetting, setsSetting, first;
    int userGames;  // won before the point
    const char* points;
    int situation;
  };
  const Case cases[] = {
      {4, 0, 2, 0, "uuuoo", 14},  // the receivers lead 40:30
      {4, 0, 0, 0, "uuuoo", 0},   // the servers lead: nothing
      {2, 1, 0, 3, "uuu", 15},    // 4-game sets, 3 games, 40:0, one set of two won: set point
      {2, 0, 0, 3, "uuu", 16},    // one set: match point
      {4, 0, 0, 0, "ooo", 14},    // the receivers (opponents) lead
  };
  for (const Case& c : cases) {
    startMatch(kSingles, c.gamesSetting, c.setsSetting, c.first);
    astore(static_cast<ByteArray*>(aload(CTennis::setGames.get(), 0)), 0, c.userGames);
    scorePoints(c.points);
    EXPECT_EQ(CTennis::pointSituation, c.situation) << c.points << " games " << c.userGames;
  }
  // 0:0 in a tie-break announces the tie-break, no situation.
  startMatch(kSingles, 4, 1);
  gamesAlternating(6);
  EXPECT_EQ(CTennis::pointSituation, 0);
  EXPECT_EQ(text(CTennis::rewardText), "Tie-break");
}

TEST_F(ScoringTest, WrongCallTextsLeaveTheScore) {
  struct Case {
    const char* points;
    bool user;
    int kind;
    const char* a;
    const char* b;
  };
  const Case cases[] = {
      {"", true, -2, "15", "0"},
      {"uo", false, -2, "15", "30"},
      {"uuuoo", false, -2, "Deuce", "<null>"},
      {"uuuooo", true, -2, "Advantage", "40"},
      {"uuuooou", false, -2, "Deuce 2", "<null>"},
      {"uuuooo", false, -2, "40", "Advantage"},
      {"uuuo", true, 1, "Game You", "<null>"},
      {"ooo", false, 1, "Game CPU", "<null>"},
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1);
    scorePoints(c.points);
    const int p0 = points(0), p1 = points(1);
    CTennis::addPointWrongJudge(c.user);
    EXPECT_EQ(CTennis::scoreKind, c.kind) << c.points;
    EXPECT_EQ(text(CTennis::scoreTextA), c.a) << c.points;
    EXPECT_EQ(text(CTennis::scoreTextB), c.b) << c.points;
    EXPECT_EQ(points(0), p0);
    EXPECT_EQ(points(1), p1);
  }
  // In a tie-break the numbers, server's first.
  startMatch(kSingles, 4, 1);
  gamesAlternating(6);
  scorePoints("uo");
  CTennis::addPointWrongJudge(true);
  const bool userServes = CTennis::getServeScoreIndex() == 0;
  EXPECT_EQ(text(CTennis::scoreTextA), userServes ? "2" : "1");
  EXPECT_EQ(text(CTennis::scoreTextB), userServes ? "1" : "2");
}

TEST_F(ScoringTest, TotalsTakeTrueForTheOpponents) {
  startMatch(kSingles, 0, 1);
  scorePoints("uuuu" "oooo" "uuuu" "uo");  // set 2:0... then a game 1:1
  EXPECT_EQ(CTennis::setIndex, 1);
  EXPECT_EQ(CTennis::getTotalGamePoints(false), 9);
  EXPECT_EQ(CTennis::getTotalGamePoints(true), 5);
  EXPECT_EQ(CTennis::getTotalSetPoints(false), 2);
  EXPECT_EQ(CTennis::getTotalSetPoints(true), 1);
}

TEST_F(ScoringTest, ServeOrder) {
  struct Case {
    int category, gamesSetting;
    const char* games;  // u or o per game won
    std::vector<int> servers;
  };
  const Case cases[] = {
      {kDoubles, 4, "uuuu", {0, 2, 1, 3, 0}},
      {kDoubles, 0, "uuuu", {0, 2, 1, 3, 0}},  // two-game sets: the round goes on across sets
      {kSingles, 4, "uouo", {0, 2, 0, 2, 0}},
  };
  for (const Case& c : cases) {
    startMatch(c.category, c.gamesSetting, 2);
    std::vector<int> seen = {indexOf(CTennis::server)};
    for (const char* g = c.games; *g != '\0'; g++) {
      game(*g == 'u');
      seen.push_back(indexOf(CTennis::server));
      EXPECT_TRUE(CTennis::server->serveFromLeft);
    }
    EXPECT_EQ(seen, c.servers) << c.games;
  }
}

// Whoever served last in the tie-break, the player who received first in it opens the next set.
TEST_F(ScoringTest, TheSetAfterATieBreakOpensWithItsFirstReceiver) {
  // A tie-break long enough to pass the byte's top has its counts lowered on the way.
  std::string endless;
  for (int i = 0; i < 150; i++) endless += "uo";
  endless += "uu";
  const struct {
    int category;
    std::string tieBreak;
  } cases[] = {{kSingles, "uuuuuuu"}, {kSingles, "ooouuuuuuu"}, {kDoubles, "uuuuuuu"},
               {kDoubles, "ooouuuuuuu"}, {kSingles, endless},     {kDoubles, endless}};
  for (const auto& c : cases) {
    startMatch(c.category, 4, 1);
    gamesAlternating(6);
    ASSERT_TRUE(CTennis::isTieBreak());
    ASSERT_EQ(indexOf(CTennis::server), 0);
    scorePoints(c.tieBreak);
    ASSERT_EQ(CTennis::setIndex, 1) << c.tieBreak.size();
    EXPECT_EQ(indexOf(CTennis::server), 2) << c.tieBreak.size();
    EXPECT_TRUE(CTennis::server->serveFromLeft);
  }
}

TEST_F(ScoringTest, TieBreakServeChanges) {
  struct Case {
    int category;
    std::vector<int> changesAt;  // point totals after which the server changes
    std::vector<int> partnerAt;  // totals after which a partner serves
  };
  const Case cases[] = {{kSingles, {1, 3, 5, 7, 9, 11, 13}, {}},
                        {kDoubles, {1, 3, 5, 7, 9, 11, 13}, {3, 5, 11, 13}}};
  for (const Case& c : cases) {
    startMatch(c.category, 4, 1);
    gamesAlternating(6);
    ASSERT_TRUE(CTennis::isTieBreak());
    // Alternating points keep the tie-break going.
    for (int total = 1; total <= 13; total++) {
      CPlayer* before = CTennis::server;
      const bool half = before->serveFromLeft;
      scorePoint(total % 2 == 1);
      const bool changed = CTennis::server.get() != before;
      const bool expected = std::find(c.changesAt.begin(), c.changesAt.end(), total) != c.changesAt.end();
      EXPECT_EQ(changed, expected) << "total " << total;
      if (changed) {
        EXPECT_EQ(CTennis::server->serveFromLeft, !half) << "the new server keeps the flipped half";
        EXPECT_EQ(CTennis::strikeSide, CTennis::server->userTeamSide);
      }
      const bool partner = CTennis::server.get() == CTennis::partner.get() ||
                           CTennis::server.get() == CTennis::rivalPartner.get();
      const bool partnerExpected =
          std::find(c.partnerAt.begin(), c.partnerAt.end(), total) != c.partnerAt.end();
      if (changed) EXPECT_EQ(partner, partnerExpected) << "total " << total;
    }
  }
}

TEST_F(ScoringTest, BestOfFiveReachesAFifthSetTieBreak) {
  LogCapture log;
  startMatch(kSingles, 4, 2);
  for (int set = 0; set < 4; set++) {
    for (int g = 0; g < 6; g++) game(set % 2 == 0);
  }
  ASSERT_EQ(CTennis::setIndex, 4);
  gamesAlternating(6);
  scorePoints("uuuuuuu");
  EXPECT_TRUE(CTennis::matchFinished);
  EXPECT_EQ(sets(0), 3);
  EXPECT_EQ(sets(1), 2);
  const int expected[5][2] = {{6, 0}, {0, 6}, {6, 0}, {0, 6}, {7, 6}};
  for (int s = 0; s < 5; s++) {
    ByteArray* row = static_cast<ByteArray*>(aload(CTennis::setGames.get(), s));
    EXPECT_EQ(aload(row, 0), expected[s][0]) << "set " << s;
    EXPECT_EQ(aload(row, 1), expected[s][1]) << "set " << s;
  }
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  EXPECT_FALSE(log.contains("NullPointer"));
  // A new match clears all five sets.
  restart(0);
  for (int i = 0; i < CTennis::gamePoints->length; i++) EXPECT_EQ(aload(CTennis::gamePoints.get(), i), 0);
  for (int s = 0; s < 5; s++) {
    ByteArray* row = static_cast<ByteArray*>(aload(CTennis::setGames.get(), s));
    EXPECT_EQ(aload(row, 0) + aload(row, 1), 0) << "set " << s;
  }
}

TEST_F(ScoringTest, LongDeuceNeverWraps) {
  startMatch(kSingles, 4, 1);
  scorePoints("uuuooo");
  for (int i = 0; i < 300; i++) {
    scorePoint(i % 2 == 0);
    ASSERT_LE(points(0), 127);
    ASSERT_LE(points(1), 127);
    ASSERT_GE(points(0), 3);
    EXPECT_LE(points(0) - points(1), 1);
    EXPECT_GE(points(0) - points(1), -1);
  }
  scorePoints("uu");
  EXPECT_EQ(games(0), 1);
}

TEST_F(ScoringTest, ForcedGameAtTheByteTop) {
  for (int start : {3, 126, 127}) {
    startMatch(kSingles, 4, 1);
    astore(CTennis::gamePoints.get(), 0, start);
    astore(CTennis::gamePoints.get(), 1, start);
    CTennis::makePlayerWinThisGame(false);
    EXPECT_LE(points(1), 127);
    EXPECT_EQ(points(1) - points(0), 2) << start;
    EXPECT_GE(points(1), 4);
  }
  // Cheat 3 wins the user's game with the point.
  startMatch(kSingles, 4, 1);
  scorePoints("oo");
  setCheat(3);
  scorePoint(false);
  EXPECT_EQ(games(0), 1);
  EXPECT_FALSE(CGame::Game_isCheatValid(3));
  // Cheats 1 and 2 end the match for their team at the next point, with the match's message.
  for (int cheat : {1, 2}) {
    startMatch(kSingles, 4, 2);
    setCheat(cheat);
    scorePoint(cheat == 2);
    EXPECT_TRUE(CTennis::matchFinished);
    EXPECT_GT(sets(cheat == 1 ? 0 : 1), sets(cheat == 1 ? 1 : 0));
    EXPECT_EQ(CTennis::gameResultText, 26);
    EXPECT_EQ(CTennis::gameWinnerText, cheat == 1 ? 21 : 20);
  }
}

TEST_F(ScoringTest, ChangeOfEndsAfterOddGamesOnly) {
  startMatch(kSingles, 4, 1);
  std::vector<int> ends;
  for (int g = 0; g < 12; g++) {
    game(g % 2 == 0);
    ends.push_back(CTennis::courtEnd);
  }
  // After games 1, 3, 5, ... of the set; 6:6 then the tie-break decides the set with no change.
  EXPECT_EQ(ends, (std::vector<int>{2, 2, 1, 1, 2, 2, 1, 1, 2, 2, 1, 1}));
  scorePoints("uuuuuuu");
  EXPECT_EQ(sets(0), 1);
  EXPECT_EQ(CTennis::courtEnd, 1);
  EXPECT_FALSE(CTennis::changeEnds);
}

}  // namespace
}  // namespace sorv::test
