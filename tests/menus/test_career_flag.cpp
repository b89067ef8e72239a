// The career flag on the shipped data: the load screen's new career sets it (and the match's
// career entries with it), every way back to the main menu clears it, and a quick match played
// afterwards keeps its result out of the career's records 3 and 4.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "game/cae.h"
#include "match/ctennis.h"
#include "runtime/clock.h"
#include "runtime/string.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kCareerChoice = 5, kQuickMatchChoice = 3;
constexpr int32_t kCareerStartState = 20, kNameEntryState = 21, kMainMenuState = 5, kPlainMenuState = 6;
constexpr int32_t kChoiceScreen = 11, kNewEntry = 0;
constexpr int32_t kAvatarSlot = 17;
constexpr int32_t kMatchCounters = 18, kMatchStatRows = 12;

class CareerFlagTest : public QuickMatchTest {
 public:
  // One frame, and the frame's time: the loading screen stays up for its minimum time.
  void step() {
    frame();
    clock::advance(CGame::kFrameMs);
  }

 protected:
  void SetUp() override {
    QuickMatchTest::SetUp();
    // The achievements, as the boot loads them: a match's end checks them.
    loadShippedAchievements();
  }

  // The main menu's career entry leads to the load screen; with no save, "new" opens the name
  // entry.
  static void beginNewCareer() {
    CGame::resetRMS(CGame::kCareerRecord);
    CGame::SetMenu(1);
    setState(kPlainMenuState);
    CGame::mainMenuChoice = kCareerChoice;
    CGame::PUSH_STATE(kCareerStartState);
    CGame::MenuPush(kChoiceScreen);
    CGame::menuCursor = kNewEntry;
    loadKeys(kKeyFire);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), kNameEntryState);
  }
  static void loadKeys(int32_t keys) {
    CGame::keysPressed = keys;
    CGame::MenuUpdate_Load();
    CGame::keysPressed = 0;
  }
  // The career's tournament drawn around the avatar and saved, as its table saves it.
  static void saveCareerTournament() {
    CGame::careerName = String::fromCString("ANNA");
    CGame::careerRankingPoints = 500;
    CGame::currentTournament = 2;
    CGame::resetTournamentData();
    CGame::newTournament(4);
    CGame::fullPlayerListByRandomWithFakePlayers(
        CGame::getFakeTournamentPlayersCount(CGame::getFakeTournamentRoundCount()), true, kAvatarSlot, -1);
    ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
    ASSERT_TRUE(CGame::RMS(true, CGame::kCareerTournamentRecord));
  }
  // A match of `choice` won 2 sets to 0, ended as the match ends it; the counters and
  // statistics rows are those a started match holds.
  static void winMatch(int32_t choice) {
    CGame::mainMenuChoice = choice;
    CTennis::recordValues = Array::newIntArray(kMatchCounters);
    CTennis::matchStats = Array::newObjectArray(kIntArray, kMatchStatRows);
    for (int32_t row = 0; row < kMatchStatRows; row++) CTennis::matchStats->elements()[row] = Array::newIntArray(2);
    CTennis::setsWon = Array::newByteArray(2);
    CTennis::setsWon->elements()[0] = 2;
    CTennis::matchOver(true);
  }
};

TEST_F(CareerFlagTest, ANewCareerSetsTheFlagForTheMatchToo) {
  EXPECT_FALSE(CGame::isCareer);
  beginNewCareer();
  EXPECT_TRUE(CGame::isCareer);
  EXPECT_TRUE(CTennis::careerMatch);
}

// Every way from a career to the main menu: a quick match then leaves the career's records.
TEST_F(CareerFlagTest, AfterLeavingTheCareerAQuickMatchIsNotTheCareers) {
  struct Case {
    const char* name;
    std::function<void(CareerFlagTest*)> leave;
  };
  const Case cases[] = {
      {"the lobby's leave", [](CareerFlagTest*) { CGame::SWITCH_STATE(kPlainMenuState); }},
      {"the in-game menu's main menu",
       [](CareerFlagTest* t) {
         CGame::backToMainMenu();
         for (int i = 0; i < 400 && CGame::GET_CURRENT_STATE() != kMainMenuState; i++) t->step();
         EXPECT_EQ(CGame::GET_CURRENT_STATE(), kMainMenuState);
       }},
      {"back out of the name entry and the load screen",
       [](CareerFlagTest*) {
         CGame::nameFocus = 0;
         CGame::keysPressed = CGame::kKeySoftRight;
         CGame::updateInputName();
         EXPECT_EQ(CGame::GET_CURRENT_STATE(), kCareerStartState);
         loadKeys(kKeyBack);
         EXPECT_EQ(CGame::GET_CURRENT_STATE(), kPlainMenuState);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    beginNewCareer();
    saveCareerTournament();
    const std::vector<int8_t> career = record(CGame::kCareerRecord), table = record(CGame::kCareerTournamentRecord);
    c.leave(this);
    EXPECT_FALSE(CGame::isCareer);
    EXPECT_FALSE(CTennis::careerMatch);
    winMatch(kQuickMatchChoice);
    EXPECT_EQ(record(CGame::kCareerRecord), career);
    EXPECT_EQ(record(CGame::kCareerTournamentRecord), table);
    EXPECT_EQ(takeException(), -1);
  }
}

// The same match inside the career keeps its result there: what the test above rules out.
TEST_F(CareerFlagTest, InsideTheCareerTheMatchGoesToItsRecords) {
  beginNewCareer();
  saveCareerTournament();
  const std::vector<int8_t> table = record(CGame::kCareerTournamentRecord);
  winMatch(kCareerChoice);
  EXPECT_NE(record(CGame::kCareerTournamentRecord), table);
  EXPECT_EQ(takeException(), -1);
}

}  // namespace
}  // namespace sorv::test
