// The tournament table on the shipped data: its keys wait for the user's line, the joints'
// colours, the opponents it starts matches against, leaving a lost or won quick tournament,
// and its record. A match's end is driven as the match ends it: tournamentMatchOver, then
// state 55 and the loading screen back into the table. With SORV_TABLE_SHOTS=DIR set, the
// tables shown are also written there as PNG pictures.
#include <SDL/SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/screen_shot.h"
#include "game/cae.h"
#include "runtime/util_random.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kTableState = 57, kLoadingState = 11, kMenuState = 6, kMatchOverState = 55, kMatchState = 40;
constexpr int32_t kOk = 0x10000, kBack = 0x20000;
constexpr uint32_t kLine = 0xB80000, kPath = 0xFFF000, kCourtColour = 0x9A9A80;
// The bracket of a three-round segment: x 200, first entries 40 apart from y 100, columns
// (680 - 200) / 4 wide, ending inside the board at menu 33 item 11.
constexpr int32_t kTreeX = 200, kTreeY = 100, kRow = 40, kColumn = 120, kBracketEnd = 680;
// Inside the message box (menu 33 item 17, right of the names) and inside the trophy's bowl.
constexpr int32_t kBoxX = 240, kBoxY = 180, kBowlX = 745, kBowlY = 180;

int score(int t, int e) { return aload(static_cast<ByteArray*>(aload(CGame::drawScores.get(), t)), e); }
int slot(int pos) { return aload(CGame::drawSlots.get(), pos); }
int fake(int pos, int part) { return aload(static_cast<ByteArray*>(aload(CGame::drawFakeNames.get(), pos)), part); }

class TournamentTableTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    // The achievements, as the boot loads them: a played match checks them.
    loadShippedAchievements();
    CGame::isCareer = false;
    CGame::mainMenuChoice = 4;
    CGame::currentTournament = kQuickTournament;
  }

  // A tournament of match mode `mode` drawn around avatar 0 (the partner drawn by the model),
  // shown as the set-up shows it. The tournament's rounds are those of its row.
  void start(int mode, int seed) {
    const int settings[] = {mode, 1, 2, 1, 2};
    for (int r = 0; r < 5; r++) astore(CGame::matchSettings.get(), r, settings[r]);
    CGame::random = Random::create(seed);
    const int column = CGame::isDouble() ? kTournamentRoundsDoubles : kTournamentRoundsSingles;
    CGame::resetTournamentData();
    CGame::newTournament(aload(CGame::tournamentTable.get(), CGame::currentTournament * kTournamentColumns + column));
    CGame::fullPlayerListByRandomWithFakePlayers(
        CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()), true, 0, -1);
    setState(kMenuState);
    CGame::switchToTournamentTable(false);
    frame();
  }
  // The match's end: the result, then the match-over state's road back to the table. The
  // match leaves its last picture in the screen buffer.
  void finishMatch(int own, int rival) {
    CGame::tournamentMatchOver(own, rival);
    CGame::createScreenBuffer();
    Graphics* g = CGame::screenBuffer->getGraphics();
    g->setColor(kCourtColour);
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    CGame::SWITCH_STATE(kMatchOverState);
    // The loading screen stays up for its minimum time: the frames take their time.
    for (int i = 0; i < 200 && CGame::GET_CURRENT_STATE() != kTableState; i++) {
      frame();
      clock::advance(CGame::kFrameMs);
    }
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
  }
  // Frames until the keys are open: how many it took, -1 when they never opened.
  int waitForLine(int limit = 400) {
    for (int n = 0; n <= limit; n++, frame()) {
      if (CGame::tournamentEnded) return n;
    }
    return -1;
  }
  void keys(int32_t mask) {
    CGame::keysPressed = mask;
    CGame::updateTournamentTable();
    CGame::keysPressed = 0;
  }
  // OK on a ready table: the next match loads.
  void playNext() {
    ASSERT_GE(waitForLine(), 0);
    keys(kOk);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kLoadingState);
  }
  bool boxShown() {
    const uint16_t p = at(kBoxX, kBoxY);
    return (p & 0x1F) > (p >> 11) + 2;  // the box's dark blue over whatever lies below
  }
  static void shot(const std::string& name) {
    const char* dir = std::getenv("SORV_TABLE_SHOTS");
    if (dir == nullptr) return;
    std::vector<uint16_t> pixels = region(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(pixels.data(), CGame::kGameWidth, CGame::kGameHeight, 16,
                                              CGame::kGameWidth * 2, 0xF800, 0x07E0, 0x001F, 0);
    EXPECT_TRUE(writeScreenShot(s, std::string(dir) + "/" + name + ".png")) << name;
    SDL_FreeSurface(s);
  }
  // The first draw position of the side the user meets, from the bracket as it stands.
  static int expectedOpponent() {
    const int base = 3 - CGame::getFakeTournamentRoundCount(), turn = CGame::getFakeTournamentRoundIndex();
    const int width = CGame::isDouble() ? 2 : 1;
    int entry = (CGame::userSlot / width) ^ 1;  // the neighbour in the first table
    for (int t = base; t < turn; t++) {
      entry = (entry / 2) ^ 1;  // the neighbour pair's winner meets the user next
    }
    // Back down the bracket: the winner of each pair, a tie going to the even entry.
    for (int t = turn - 1; t >= base; t--) entry = score(t, 2 * entry) >= score(t, 2 * entry + 1) ? 2 * entry : 2 * entry + 1;
    return entry * width;
  }
};

// The user's line grows a column before OK starts anything; then the match gets the user's
// side and the side it meets, names included, in the first round and after a won one.
TEST_F(TournamentTableTest, KeysWaitForTheLineAndTheMatchGetsTheBracketsSides) {
  struct Case {
    int mode, seed;
  };
  for (const Case& c : {Case{0, 7001}, Case{1, 7002}, Case{1, 7003}, Case{4, 7004}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", seed " << c.seed);
    start(c.mode, c.seed);
    for (int round = 0; round < 2; round++) {
      keys(kOk);
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState) << "round " << round << ": OK before the line has grown";
      EXPECT_GT(waitForLine(), 10);
      if (round == 0 && c.seed < 7003) shot(std::string("start-") + (c.mode == 0 ? "singles" : "doubles"));
      const int opponent = expectedOpponent();
      playNext();
      EXPECT_EQ(CGame::playerChoice1, slot(CGame::userSlot));
      EXPECT_EQ(CGame::playerChoice2, slot(opponent));
      EXPECT_EQ(CGame::playerChoiceValues[1][0], fake(opponent, 0));
      EXPECT_EQ(CGame::playerChoiceValues[1][1], fake(opponent, 1));
      if (CGame::isDouble()) {
        EXPECT_EQ(opponent % 2, 0);
        EXPECT_NE(opponent / 2, CGame::userSlot / 2) << "not the user's own team";
        EXPECT_EQ(CGame::playerChoice3, slot(CGame::userSlot ^ 1));
        EXPECT_EQ(CGame::playerChoice4, slot(opponent + 1));
        EXPECT_EQ(CGame::playerChoiceValues[3][0], fake(opponent + 1, 0));
      }
      finishMatch(2, 0);
    }
  }
}

// The whole road: OK loads a match against the table's side (the opponent with its generated
// name), the self-playing user plays it out, and the match's end brings the table back with
// the result in the bracket and in record 6.
TEST_F(TournamentTableTest, TheTablesMatchIsPlayedAndItsResultShown) {
  start(0, 7005);
  astore(CGame::matchSettings.get(), 2, 0);  // the shortest match: one set of few games
  astore(CGame::matchSettings.get(), 3, 0);
  const int opponent = expectedOpponent(), user = CGame::userSlot;
  CTennis::autoplay = true;
  playNext();
  auto runUntil = [this](int state, int limit) {
    for (int i = 0; i < limit && CGame::GET_CURRENT_STATE() != state; i++) {
      frame();
      clock::advance(CGame::kFrameMs);
    }
    return CGame::GET_CURRENT_STATE();
  };
  ASSERT_EQ(runUntil(kMatchState, 400), kMatchState);
  ASSERT_FALSE(isNull(CTennis::rival));
  EXPECT_EQ(CTennis::rival->rosterIndex, slot(opponent));
  EXPECT_EQ(CTennis::rival->attrValue1, fake(opponent, 0));
  EXPECT_EQ(CTennis::rival->attrValue2, fake(opponent, 1));
  EXPECT_EQ(CTennis::player->rosterIndex, slot(user));
  const int reached = runUntil(kTableState, 20000);
  CTennis::autoplay = false;
  ASSERT_EQ(reached, kTableState);
  EXPECT_NE(CGame::tournamentResult, 0);
  EXPECT_NE(score(0, user), score(0, user ^ 1)) << "a set decides it";
  EXPECT_EQ(record(CGame::kTournamentRecord).size(), 116u);
  waitForLine(400);
  frame();
  shot(CGame::tournamentResult == 1 ? "played-won" : "played-lost");
}

// A pair's joint: the half of the entry that scored more in the path colour, the other half
// and both halves of a tie in the line colour. A tie is a lost match.
TEST_F(TournamentTableTest, JointsShowWhoWonAndATieNeither) {
  struct Case {
    int own, rival;
    uint32_t userHalf, rivalHalf;
    bool box;
  };
  const Case cases[] = {{2, 0, kPath, kLine, false}, {1, 1, kLine, kLine, true}, {0, 2, kLine, kPath, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.own << ":" << c.rival);
    start(0, 7010);
    playNext();
    finishMatch(c.own, c.rival);
    waitForLine();
    frame();
    const int user = CGame::userSlot, pair = user & ~1;
    const int yA = kTreeY + pair * kRow, yB = yA + kRow;
    const int userY = user == pair ? yA + kRow / 4 : yB - kRow / 4;
    const int rivalY = user == pair ? yB - kRow / 4 : yA + kRow / 4;
    EXPECT_EQ(at(kTreeX + kColumn, userY), rgb(c.userHalf));
    EXPECT_EQ(at(kTreeX + kColumn, rivalY), rgb(c.rivalHalf));
    EXPECT_EQ(at(kTreeX + kColumn / 2, yA), rgb(kLine));
    EXPECT_EQ(boxShown(), c.box) << "the result message";
    EXPECT_EQ(at(790, 400), 0) << "the match's picture does not show through";
    if (c.own == 1) shot("lost-tie");
  }
}

// After a loss OK plays the same match again, its result cleared; Back leaves for the menu
// with the lost tournament still in record 6.
TEST_F(TournamentTableTest, ALostTournamentIsReplayedOrLeft) {
  for (int32_t key : {kOk, kBack}) {
    SCOPED_TRACE(key == kOk ? "OK" : "Back");
    start(0, 7020);
    playNext();
    const int opponent = CGame::playerChoice2;
    finishMatch(0, 2);
    frame();
    EXPECT_TRUE(CGame::tournamentEnded) << "a loss opens the keys at once";
    EXPECT_EQ(CGame::tournamentResult, -1);
    const int user = CGame::userSlot;
    const int otherScores = score(0, (user ^ 2) & ~1) + score(0, ((user ^ 2) & ~1) + 1);
    keys(key);
    if (key == kOk) {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLoadingState);
      EXPECT_EQ(CGame::playerChoice2, opponent);
      EXPECT_EQ(score(0, user), 0);
      EXPECT_EQ(score(0, user ^ 1), 0);
      EXPECT_EQ(score(0, (user ^ 2) & ~1) + score(0, ((user ^ 2) & ~1) + 1), otherScores) << "the other matches stand";
      finishMatch(2, 0);
      EXPECT_EQ(CGame::tournamentResult, 1) << "the replay is won";
      EXPECT_EQ(CGame::tournamentRound, 1);
    } else {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
      EXPECT_EQ(CGame::tournamentResult, 0);
      ASSERT_TRUE(CGame::hasRecord(CGame::kTournamentRecord));
      ASSERT_TRUE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
      EXPECT_EQ(CGame::tournamentResult, -1);
    }
  }
}

// Won through to the end: the message after a segment's last round, the trophy once the
// final is in the table, and OK on the title goes to the menu with record 6 emptied.
TEST_F(TournamentTableTest, AWonTournamentEndsInTheMenuWithItsRecordEmptied) {
  struct Case {
    int mode, rounds;
    std::vector<bool> boxAfter, trophyAfter;  // by won round
  };
  const Case cases[] = {{0, 4, {false, false, true, true}, {false, false, true, true}},
                        {1, 3, {false, false, true}, {true, true, true}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    start(c.mode, 7030 + c.mode);
    EXPECT_EQ(CGame::tournamentRoundCount, c.rounds);
    const int fullSegmentWait = waitForLine();
    for (int won = 0; won < c.rounds; won++) {
      SCOPED_TRACE(testing::Message() << "after round " << won);
      playNext();
      finishMatch(2, 0);
      // Whatever the segment's rounds, the keys open as soon as on a full segment's table.
      const int waited = waitForLine(700);
      EXPECT_GE(waited, 0);
      EXPECT_LE(waited, fullSegmentWait + 2);
      frame();
      EXPECT_EQ(boxShown(), c.boxAfter[static_cast<size_t>(won)]);
      const bool trophy = at(kBowlX, kBowlY) == rgb(0xE8B830);
      EXPECT_EQ(trophy, c.trophyAfter[static_cast<size_t>(won)]);
      if (won == 2 && c.mode == 0) shot("singles-next-segment");
      if (won == 0) shot(c.mode == 0 ? "singles-won-round" : "doubles-won-round");
    }
    EXPECT_NE(CGame::tournamentUserMark[0], 0) << "the winner's label has its place";
    if (c.mode == 0) {
      // The last segment is the final alone: two rows, one joint between them, and columns
      // half the way to the bracket's end, whose line stops inside the board, short of the
      // trophy's flag.
      const int x = kTreeX + (kBracketEnd - kTreeX) / 2;
      EXPECT_EQ(at(x, CGame::userSlot == 0 ? kTreeY + kRow / 4 : kTreeY + 3 * kRow / 4), rgb(kPath));
      EXPECT_EQ(at(x + kColumn, kTreeY + kRow / 2), rgb(kPath)) << "the winner's line, past its label";
      EXPECT_EQ(at(kBracketEnd - 1, kTreeY + kRow / 2), rgb(kPath));
      EXPECT_NE(at(kBracketEnd + 1, kTreeY + kRow / 2), rgb(kPath)) << "no further";
    }
    shot(c.mode == 0 ? "champion-singles" : "champion-doubles");
    keys(kBack);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState) << "Back does nothing on the title";
    keys(kOk);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
    EXPECT_FALSE(CGame::hasRecord(CGame::kTournamentRecord));
  }
}

// Saving writes record 6 and empties record 7 (the stored unfinished match); without it
// both stay as they were.
TEST_F(TournamentTableTest, SwitchingToTheTableSavesTheTournamentWhenAsked) {
  for (bool save : {false, true}) {
    SCOPED_TRACE(save);
    CGame::resetRMS(CGame::kTournamentRecord);
    putRecord(7, {1, 2, 3});
    start(0, 7040);
    CGame::stateTop = 0;
    CGame::switchToTournamentTable(save);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
    EXPECT_EQ(record(CGame::kTournamentRecord).size(), save ? 116u : 0u);
    EXPECT_EQ(record(7).size(), save ? 0u : 3u);
  }
}

// A career title counts once, in statistics entry 1 for tournaments 0 to 3 and entry 0 for
// the others, and the week closes into its update. A lost career tournament clears its
// turn's result and closes the week too.
TEST_F(TournamentTableTest, ACareerTitleCountsOnceByTournament) {
  struct Case {
    int tournament, stat;
  };
  auto stat = [](int i) { return static_cast<int>(aload(CGame::careerStats.get(), i)); };
  for (const Case& c : {Case{2, 1}, Case{7, 0}}) {
    SCOPED_TRACE(c.tournament);
    CGame::resetCareerData();
    CGame::isCareer = true;
    CGame::currentTournament = c.tournament;
    start(1, 7060);  // doubles: three rounds, one segment
    for (int won = 0; won < 3; won++) {
      playNext();
      finishMatch(2, 0);
    }
    EXPECT_EQ(record(CGame::kCareerTournamentRecord).size(), 116u);
    const int before[] = {stat(0), stat(1)};
    frame();
    keys(kOk);
    keys(kOk);
    EXPECT_EQ(stat(c.stat), before[c.stat] + 1) << "counted once";
    EXPECT_EQ(stat(1 - c.stat), before[1 - c.stat]);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 26) << "the won career tournament closes the week";
  }
  start(1, 7061);
  playNext();
  finishMatch(0, 2);
  frame();
  const int turn = CGame::getFakeTournamentRoundIndex(), entry = CGame::getPlayerIndexInRecord(turn);
  EXPECT_EQ(score(turn, entry ^ 1), 2);
  keys(kOk);
  EXPECT_EQ(score(turn, entry ^ 1), 0);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 26) << "the lost career tournament closes the week";
}

// A table entered with no tournament behind it (as the game boots) saves nothing, draws its
// frame and goes back to the menu instead of reading outside the bracket.
TEST_F(TournamentTableTest, NoTournamentLeavesForTheMenu) {
  CGame::resetCareerData();
  LogCapture log;
  setState(kMenuState);
  CGame::switchToTournamentTable(true);
  EXPECT_FALSE(CGame::hasRecord(CGame::kTournamentRecord));
  frame();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMenuState);
  EXPECT_EQ(countLines(log.text(), "tournament table: no playable tournament"), 1);
  EXPECT_EQ(countLines(log.text(), "ArrayOutOfBound"), 0);
}

}  // namespace
}  // namespace sorv::test
