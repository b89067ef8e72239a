// The tournament's load screen on the shipped data, reached from the main menu by keys:
// new over a save asks first, the group choice, continuing without a save, the saved
// tournament's card, a broken record 6, and the new tournament drawn from the selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "runtime/string.h"
#include "sprites/cactor.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

// The phone's keys as the canvas receives them.
constexpr int32_t kDigit2 = '2', kDigit4 = '4', kDigit5 = '5', kDigit6 = '6', kDigit8 = '8';
constexpr int32_t kSoftLeft = -6, kSoftRight = -7;
constexpr int32_t kLoadState = 53, kSelectionState = 54;
constexpr int32_t kChoice = 11, kQuestion = 60, kGroups = 61, kSelection = 9;
// The quick tournament's row of the shipped table: court 2, games 2, sets 1, four rounds in
// singles and three in doubles.
constexpr int32_t kRowCourt = 2, kRowGames = 2, kRowSets = 1, kSinglesRounds = 4, kDoublesRounds = 3;
// Menu 8's text item, and the card's name item (menu 9 item 2), as boxes of the screen.
struct Box {
  int32_t x, y, w, h;
};
constexpr Box kChoiceText = {400, 110, 360, 40}, kCardName = {510, 100, 270, 30};

class LoadScreenTest : public QuickMatchTest {
 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    CGame::resetRMS(CGame::kTournamentRecord);
    astore(CGame::matchSettings.get(), 0, 0);
    frame();  // the first frame lets keys in
  }

  void press(int32_t code, int after = 1) {
    CGame::gameCanvas->keyPressed(code);
    frame();
    CGame::gameCanvas->keyReleased(code);
    frames(after);
  }
  // The main menu's second entry, as a player reaches it: down once, then select.
  void openLoadScreen() {
    CGame::mainMenuCode = 5;
    CGame::SetMenu(1);
    setState(6);
    frame();
    press(kDigit8);
    press(kDigit5);
    for (int i = 0; i < 40 && CGame::GET_CURRENT_STATE() != kLoadState; i++) frame();
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kLoadState);
    ASSERT_EQ(CGame::menuScreenCode, kChoice);
  }
  // A tournament of the given mode drawn around `player` (and `partner`) and saved.
  static void saveTournament(int32_t mode, int32_t player, int32_t partner, int32_t rounds = 4) {
    astore(CGame::matchSettings.get(), 0, mode);
    CGame::currentTournament = 2;
    CGame::resetTournamentData();
    CGame::newTournament(rounds);
    CGame::fullPlayerListByRandomWithFakePlayers(
        CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()), true, player, partner);
    ASSERT_TRUE(CGame::RMS(true, CGame::kTournamentRecord));
    astore(CGame::matchSettings.get(), 0, 0);
    CGame::resetTournamentData();
    CGame::newTournament(0);
  }
  static int32_t mode() { return aload(CGame::matchSettings.get(), 0); }
  static int32_t slot(int32_t pos) { return aload(CGame::drawSlots.get(), pos); }
  std::vector<uint16_t> shown(const Box& b) {
    frame();
    return region(b.x, b.y, b.w, b.h);
  }
  // Whether the screen in box b changes when one string of `list` is made empty.
  bool drawsString(ObjectArray* list, int32_t index, const Box& b) {
    const std::vector<uint16_t> before = shown(b);
    String* kept = static_cast<String*>(aload(list, index));
    astore(list, index, String::fromCString(""));
    const std::vector<uint16_t> after = shown(b);
    astore(list, index, kept);
    return before != after;
  }
  static ObjectArray* menuTexts() { return static_cast<ObjectArray*>(aload(CGame::textPacks.get(), kTextMenus)); }
};

TEST_F(LoadScreenTest, NewOverASaveAsksFirstAndOverNoneOpensTheGroupChoice) {
  for (bool saved : {true, false}) {
    SCOPED_TRACE(saved ? "a save" : "no save");
    CGame::resetRMS(CGame::kTournamentRecord);
    if (saved) saveTournament(0, 3, -1);
    openLoadScreen();
    EXPECT_EQ(CGame::menuCursor, saved ? 1 : 0) << "the cursor starts on continue over a save";
    EXPECT_EQ(CGame::currentTournament, 2);
    if (saved) press(kDigit2);
    ASSERT_EQ(CGame::menuCursor, 0);
    press(kDigit5);
    if (saved) {
      ASSERT_EQ(CGame::menuScreenCode, kQuestion);
      press(kSoftRight);
      EXPECT_EQ(CGame::menuScreenCode, kChoice) << "no keeps the save";
      EXPECT_TRUE(CGame::hasRecord(CGame::kTournamentRecord));
      press(kDigit5);
      ASSERT_EQ(CGame::menuScreenCode, kQuestion);
      press(kSoftLeft);
      EXPECT_FALSE(CGame::hasRecord(CGame::kTournamentRecord)) << "yes overwrites it";
    }
    EXPECT_EQ(CGame::menuScreenCode, kGroups);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLoadState);
    press(kSoftRight);
    EXPECT_EQ(CGame::menuScreenCode, kChoice);
    press(kSoftRight);
    EXPECT_EQ(CGame::menuScreenCode, 1) << "back leaves for the main menu";
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
  }
}

// The modes step by two and wrap; a doubles mode a quick match left becomes its group's
// singles mode, or the steps would reach mode 5.
TEST_F(LoadScreenTest, TheGroupChoiceStepsTheModeByTwo) {
  struct Case {
    int32_t left;  // the mode the last match left
    std::vector<int32_t> keys;
    std::vector<int32_t> modes;  // after entering, then after each key
  };
  const Case cases[] = {
      {0, {kDigit6, kDigit6, kDigit6}, {0, 2, 4, 0}},
      {0, {kDigit4, kDigit4}, {0, 4, 2}},
      {1, {kDigit6}, {0, 2}},
      {3, {kDigit6, kDigit6}, {2, 4, 0}},
      {4, {kDigit6}, {4, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "left mode " << c.left);
    openLoadScreen();
    astore(CGame::matchSettings.get(), 0, c.left);
    press(kDigit5);
    ASSERT_EQ(CGame::menuScreenCode, kGroups);
    std::vector<int32_t> modes = {mode()};
    for (int32_t k : c.keys) {
      press(k);
      modes.push_back(mode());
    }
    EXPECT_EQ(modes, c.modes);
    press(kSoftRight);
    press(kSoftRight);
  }
}

TEST_F(LoadScreenTest, ContinueWithoutASaveDoesNothingAndSaysSo) {
  openLoadScreen();
  press(kDigit8);
  ASSERT_EQ(CGame::menuCursor, 1);
  frame();
  EXPECT_EQ(CGame::loadCardShown, 0) << "no card";
  EXPECT_TRUE(drawsString(menuTexts(), 32, kChoiceText)) << "text 32 is shown";
  EXPECT_FALSE(drawsString(menuTexts(), 240, kChoiceText));
  for (int32_t k : {kDigit5, kSoftLeft}) {
    press(k);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLoadState);
    EXPECT_EQ(CGame::menuScreenCode, kChoice);
    EXPECT_EQ(CGame::menuCursor, 1);
  }
  press(kDigit2);
  EXPECT_TRUE(drawsString(menuTexts(), 240, kChoiceText)) << "new shows its own text";
}

TEST_F(LoadScreenTest, TheCardNamesThePlayerAndInDoublesThePartner) {
  struct Case {
    int32_t mode;
    bool partnerNamed;
  };
  for (const Case& c : {Case{0, false}, Case{1, true}, Case{4, true}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    CGame::resetRMS(CGame::kTournamentRecord);
    saveTournament(c.mode, 3, c.mode == 4 ? 20 : 7);
    openLoadScreen();
    ASSERT_EQ(CGame::menuCursor, 1);
    frame();
    EXPECT_EQ(CGame::loadCardShown, 1);
    const int32_t user = slot(CGame::userSlot), other = slot(CGame::EvenOddSwitch(CGame::userSlot));
    ASSERT_EQ(user, 3);
    EXPECT_TRUE(drawsString(CGame::rosterNames, user, kCardName));
    EXPECT_EQ(drawsString(CGame::rosterNames, other, kCardName), c.partnerNamed);
    press(kSoftRight);
  }
}

TEST_F(LoadScreenTest, ABrokenRecordSixCountsAsAbsent) {
  saveTournament(0, 3, -1);
  const std::vector<int8_t> good = record(CGame::kTournamentRecord);
  ASSERT_EQ(good.size(), 116u);
  struct Case {
    const char* why;
    int offset, value;
  };
  const Case cases[] = {{"no rounds", 111, 0}, {"a score of 9", 95, 9}, {"a draw entry of 40", 9, 40}, {"short", -1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<int8_t> broken = good;
    if (c.offset < 0) {
      broken.pop_back();
    } else {
      broken[c.offset] = static_cast<int8_t>(c.value);
    }
    putRecord(CGame::kTournamentRecord, broken);
    openLoadScreen();
    EXPECT_EQ(CGame::menuCursor, 0) << "nothing to continue";
    press(kDigit8);
    press(kDigit5);
    EXPECT_EQ(CGame::menuScreenCode, kChoice) << "continue does nothing";
    press(kDigit2);
    press(kDigit5);
    EXPECT_EQ(CGame::menuScreenCode, kGroups) << "new asks nothing";
    press(kSoftRight);
    press(kSoftRight);
  }
}

// The draw made around the picked team, and the table's save of it.
TEST_F(LoadScreenTest, ANewTournamentIsDrawnAroundThePickedTeam) {
  struct Case {
    int32_t modeKeys;  // presses of "6" in the group choice
    int32_t mode, rounds, positions;
  };
  for (const Case& c : {Case{0, 0, kSinglesRounds, 8}, Case{1, 2, kSinglesRounds, 8}, Case{2, 4, kDoublesRounds, 16}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    saveTournament(0, 3, -1);
    openLoadScreen();
    press(kDigit2);
    press(kDigit5);
    press(kSoftLeft);
    ASSERT_EQ(CGame::menuScreenCode, kGroups);
    for (int i = 0; i < c.modeKeys; i++) press(kDigit6);
    press(kDigit5);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kSelectionState);
    ASSERT_EQ(CGame::menuScreenCode, kSelection);
    press(kDigit6);  // the second avatar of the window
    press(kDigit5);
    if (c.mode == 4) press(kDigit5);  // the partner, from the other group
    const int32_t player = CGame::pickedAvatars[0], partner = CGame::pickedAvatars[1];
    EXPECT_EQ(player, c.mode == 2 ? 19 : 1);
    EXPECT_EQ(CGame::tournamentRoundCount, c.rounds);
    EXPECT_EQ(CGame::tournamentRound, 0);
    ASSERT_GE(CGame::userSlot, 0);
    ASSERT_LT(CGame::userSlot, c.positions);
    EXPECT_EQ(slot(CGame::userSlot), player);
    if (c.mode == 4) {
      EXPECT_GE(partner, 18);
      EXPECT_EQ(slot(CGame::EvenOddSwitch(CGame::userSlot)), partner);
    }
    for (int32_t pos = 0; pos < 16; pos++) EXPECT_EQ(slot(pos) != -1, pos < c.positions) << pos;
    const std::vector<int32_t> settings = {aload(CGame::matchSettings.get(), 0), aload(CGame::matchSettings.get(), 1),
                                           aload(CGame::matchSettings.get(), 2), aload(CGame::matchSettings.get(), 3),
                                           aload(CGame::matchSettings.get(), 4)};
    EXPECT_EQ(settings, (std::vector<int32_t>{c.mode, 1, kRowGames, kRowSets, kRowCourt}));
    // The table comes up and saves the new draw in place of the old tournament.
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 57);
    const int32_t userSlot = CGame::userSlot;
    ASSERT_TRUE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
    EXPECT_EQ(CGame::tournamentRound, 0);
    EXPECT_EQ(CGame::userSlot, userSlot);
    EXPECT_EQ(slot(userSlot), player);
    CGame::SetMenu(1);
    setState(6);
  }
}

// The table is data: a row outside it, or rounds and settings out of range, still start a
// tournament that its record check accepts.
TEST_F(LoadScreenTest, ADamagedTournamentRowStillGivesAPlayableDraw) {
  struct Case {
    int32_t tournament, rounds, court;
    int32_t expectRounds, expectCourt;
  };
  ByteArray* table = CGame::tournamentTable;
  const std::vector<int8_t> kept(table->elements(), table->elements() + table->length);
  for (const Case& c : {Case{2, 0, 2, 1, 2}, Case{2, 12, 9, 7, 3}, Case{2, -3, -1, 1, 0}, Case{40, 0, 0, 1, 0}}) {
    SCOPED_TRACE(testing::Message() << "row " << c.tournament << ", rounds " << c.rounds);
    if (c.tournament < 23) {
      table->elements()[c.tournament * 11 + 3] = static_cast<int8_t>(c.rounds);
      table->elements()[c.tournament * 11] = static_cast<int8_t>(c.court);
    }
    CGame::currentTournament = c.tournament;
    astore(CGame::matchSettings.get(), 0, 0);
    CGame::pickedAvatars[0] = 5;
    CGame::pickedAvatars[1] = -1;
    LogCapture log;
    CGame::startTournamentFromSelection();
    EXPECT_TRUE(log.contains("taken")) << log.text();
    EXPECT_EQ(CGame::tournamentRoundCount, c.expectRounds);
    EXPECT_EQ(aload(CGame::matchSettings.get(), 4), c.expectCourt);
    EXPECT_EQ(slot(CGame::userSlot), 5);
    if (c.tournament < 23) {
      ASSERT_TRUE(CGame::RMS(true, CGame::kTournamentRecord));
      EXPECT_TRUE(CGame::loadTournamentRecord(CGame::kTournamentRecord));
    }
    std::copy(kept.begin(), kept.end(), table->elements());
  }
}

// --- The career's branch: main-menu entry 5 and record 3.
constexpr int32_t kCareerLoadState = 20, kNameEntryState = 21, kNameEntryScreen = 36, kLobbyState = 23;
constexpr int32_t kTableState = 57, kAvatarMan = 17;

class CareerLoadTest : public LoadScreenTest {
 protected:
  void SetUp() override {
    LoadScreenTest::SetUp();
    CGame::resetRMS(CGame::kCareerRecord);
    CGame::resetRMS(CGame::kCareerTournamentRecord);
    CGame::isCareer = false;
  }
  // The main menu's third entry: down twice, then select.
  void openCareerLoadScreen() {
    CGame::mainMenuCode = 5;
    CGame::SetMenu(1);
    setState(6);
    frame();
    press(kDigit8);
    press(kDigit8);
    press(kDigit5);
    for (int i = 0; i < 40 && CGame::GET_CURRENT_STATE() != kCareerLoadState; i++) frame();
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kCareerLoadState);
    ASSERT_EQ(CGame::menuScreenCode, kChoice);
    ASSERT_EQ(CGame::mainMenuChoice, 5);
  }
  // A career of the given sex saved as the lobby saves it, then the memory's one reset.
  static void saveCareer(int32_t mode, const char* name, int32_t points, int32_t week) {
    CGame::resetCareerData();
    astore(CGame::matchSettings.get(), 0, mode);
    CGame::careerName = String::fromCString(name);
    CGame::careerRankingPoints = points;
    CGame::careerWeek = week;
    ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
    CGame::resetCareerData();
    astore(CGame::matchSettings.get(), 0, 0);
  }
  void expectCareerStarted() {
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kNameEntryState);
    EXPECT_EQ(CGame::GET_LAST_STATE(), kCareerLoadState);
    EXPECT_EQ(CGame::menuScreenCode, kNameEntryScreen);
    EXPECT_TRUE(CGame::isCareer);
    EXPECT_FALSE(CGame::hasRecord(CGame::kCareerRecord));
    EXPECT_FALSE(CGame::hasRecord(CGame::kCareerTournamentRecord));
  }
  // Whether the screen inside a box around a menu 10 item changes when `change` runs.
  bool cardShows(int32_t item, const std::function<void()>& change) {
    const int32_t at = CGame::GetMenuItemPosition(10, item);
    const int32_t x = static_cast<int16_t>(at) - 10;
    const Box b = {x, (at >> 16) - 15, std::min(420, CGame::kGameWidth - x), 45};
    CGame::repaintAll = true;
    const std::vector<uint16_t> before = shown(b);
    change();
    CGame::repaintAll = true;
    return shown(b) != before;
  }
};

TEST_F(CareerLoadTest, NewStartsAtOnceWithoutASaveAndAsksFirstOverOne) {
  for (bool saved : {false, true}) {
    SCOPED_TRACE(saved ? "a save" : "no save");
    CGame::resetRMS(CGame::kCareerRecord);
    if (saved) saveCareer(0, "BORIS", 20, 4);
    openCareerLoadScreen();
    EXPECT_EQ(CGame::menuCursor, saved ? 1 : 0) << "the cursor starts on continue over a save";
    if (saved) press(kDigit2);
    ASSERT_EQ(CGame::menuCursor, 0);
    press(kDigit5);
    if (saved) {
      ASSERT_EQ(CGame::menuScreenCode, kQuestion);
      press(kSoftRight);
      EXPECT_EQ(CGame::menuScreenCode, kChoice) << "no keeps the save";
      EXPECT_TRUE(CGame::hasRecord(CGame::kCareerRecord));
      EXPECT_FALSE(CGame::isCareer);
      press(kDigit5);
      ASSERT_EQ(CGame::menuScreenCode, kQuestion);
      press(kSoftLeft);
    }
    expectCareerStarted();
    CGame::isCareer = false;
  }
}

TEST_F(CareerLoadTest, ContinueShowsTheCardAndEntersTheLobby) {
  struct Case {
    int32_t mode, avatar;
  };
  for (const Case& c : {Case{0, 17}, Case{2, 35}}) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    saveCareer(c.mode, "CARLA", 20, 6);
    openCareerLoadScreen();
    ASSERT_EQ(CGame::menuCursor, 1);
    frame();
    EXPECT_EQ(CGame::loadCardShown, 1);
    EXPECT_EQ(String::toCString(CGame::careerName), "CARLA");
    EXPECT_EQ(CGame::mapPts2Rank(CGame::careerRankingPoints), 200);
    ASSERT_FALSE(isNull(CGame::pickActorEven.get()));
    EXPECT_EQ(CGame::pickActorEven->sprite, c.mode == 2 ? CGame::playerSpriteAlt.get() : CGame::playerSprite.get());
    // Name, rank and week, each where the card puts it.
    EXPECT_TRUE(cardShows(2, [] { CGame::careerName = String::fromCString("X"); }));
    EXPECT_TRUE(cardShows(4, [] { CGame::careerRankingPoints = 1000; }));
    CGame::careerRankingPoints = 20;
    EXPECT_FALSE(cardShows(4, [] { CGame::careerRankingPoints = 25; })) << "25 points are still rank 200";
    EXPECT_TRUE(cardShows(6, [] { CGame::careerWeek = 30; }));
    LogCapture log;
    press(kDigit5);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    EXPECT_TRUE(CGame::isCareer);
    EXPECT_EQ(CGame::playerChoice1, c.avatar);
    EXPECT_FALSE(log.contains("NullPointer")) << log.text();
    CGame::isCareer = false;
  }
}

// The career's saved tournament reopens its table; one that fails its check leaves the
// career in its lobby, with a log line.
TEST_F(CareerLoadTest, ASavedCareerTournamentReopensItsTableAndABrokenOneTheLobby) {
  for (const bool broken : {false, true}) {
    SCOPED_TRACE(broken ? "broken" : "sound");
    saveCareer(0, "DORA", 20, 3);
    CGame::currentTournament = 4;
    CGame::resetTournamentData();
    CGame::newTournament(4);
    CGame::fullPlayerListByRandomWithFakePlayers(
        CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()), true, kAvatarMan, -1);
    ASSERT_TRUE(CGame::RMS(true, CGame::kCareerTournamentRecord));
    if (broken) {
      std::vector<int8_t> bytes = record(CGame::kCareerTournamentRecord);
      bytes[6] = 99;  // a tournament past the table
      putRecord(CGame::kCareerTournamentRecord, bytes);
    }
    CGame::currentTournament = 0;
    CGame::newTournament(0);
    openCareerLoadScreen();
    LogCapture log;
    press(kDigit5);
    EXPECT_TRUE(CGame::isCareer);
    EXPECT_EQ(countLines(log.text(), "no tournament to continue"), broken ? 1 : 0) << log.text();
    if (broken) {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kLobbyState);
    } else {
      EXPECT_EQ(CGame::GET_CURRENT_STATE(), kTableState);
      EXPECT_EQ(CGame::currentTournament, 4);
      EXPECT_EQ(aload(CGame::drawSlots.get(), CGame::userSlot), kAvatarMan);
    }
    CGame::isCareer = false;
  }
}

}  // namespace
}  // namespace sorv::test
