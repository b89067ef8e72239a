// The cheat sequences over pressed-key masks, the polls of the cheat menu and the career
// lobby, and the player-attribute editor.
#include <vector>

#include "match/cplayer.h"
#include "tests/game/boot_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t k0 = 1, k1 = 2, k2 = 4, k5 = 32, k9 = 512;
constexpr int32_t kMatchCheats[] = {1, 2, 3, 4, 6, 7, 8, 9};

class CheatTest : public BootTest {
 protected:
  static int32_t code(int32_t n, int32_t i) {
    return aload(static_cast<IntArray*>(aload(CGame::cheatCodes.get(), n)), i);
  }
  static int32_t progress(int32_t n) { return aload(CGame::cheatProgress.get(), n); }
  // One frame's newly pressed keys, offered to the listed sequences.
  static std::vector<bool> press(int32_t mask, std::vector<int32_t> cheats) {
    CGame::keysPressed = mask;
    std::vector<bool> done;
    for (int32_t n : cheats) done.push_back(CGame::Game_updateCheat(n));
    return done;
  }
  static void enter(int32_t n) {
    for (int32_t i = 0; i < CGame::kCheatLength; i++) press(code(n, i), {n});
  }
};

TEST_F(CheatTest, SequencesAreDigitKeysThatPlayDoesNotComplete) {
  std::vector<int32_t> lastKeys;
  for (int32_t n = 0; n < CGame::kCheatCount; n++) {
    for (int32_t i = 0; i < CGame::kCheatLength; i++) {
      const int32_t key = code(n, i);
      EXPECT_TRUE(key > 0 && key <= k9 && (key & (key - 1)) == 0) << n << "/" << i;
    }
  }
  // The match polls these together: each starts "0" "0" "0" and ends on its own key.
  for (int32_t n : kMatchCheats) {
    EXPECT_EQ(code(n, 0), k0);
    EXPECT_EQ(code(n, 1), k0);
    EXPECT_EQ(code(n, 2), k0);
    for (int32_t other : lastKeys) EXPECT_NE(code(n, 3), other) << n;
    lastKeys.push_back(code(n, 3));
    EXPECT_NE(code(n, 3), k0) << n;
  }
  EXPECT_NE(code(11, 3), code(12, 3));
}

struct Step {
  int32_t mask;
  std::vector<int32_t> polled;
};
struct Case {
  const char* name;
  std::vector<Step> steps;
  int32_t cheat;
  int32_t progress;
};

TEST_F(CheatTest, ProgressOverPressedMasks) {
  const std::vector<Case> cases = {
      {"one key advances every sequence expecting it", {{k0, {0, 1, 9, 11}}}, 9, 1},
      {"the same key advances the cheat menu's", {{k0, {0, 1, 9, 11}}}, 0, 1},
      {"a wrong key starts over", {{k0, {0}}, {k1, {0}}}, 0, 0},
      {"a wrong key that is the first key is no first step", {{k0, {0}}, {k0, {0}}}, 0, 0},
      {"keys together are one step", {{k0 | k1 | k2, {1}}}, 1, 1},
      {"an idle frame keeps progress", {{k0, {1}}, {0, {1}}, {0, {1}}}, 1, 1},
      {"an unpolled sequence keeps progress", {{k0, {1}}, {k5, {2}}, {k5, {0}}}, 1, 1},
      {"three zeros", {{k0, {1}}, {k0, {1}}, {k0, {1}}}, 1, 3},
      {"the fourth zero starts over", {{k0, {1}}, {k0, {1}}, {k0, {1}}, {k0, {1}}}, 1, 0},
  };
  for (const Case& c : cases) {
    for (int32_t n = 0; n < CGame::kCheatCount; n++) astore(CGame::cheatProgress.get(), n, 0);
    for (const Step& s : c.steps) press(s.mask, s.polled);
    EXPECT_EQ(progress(c.cheat), c.progress) << c.name;
  }
}

TEST_F(CheatTest, CompletingSetsTheFlagUntilReset) {
  press(k0, {1, 2});
  press(k0, {1, 2});
  press(k0, {1, 2});
  EXPECT_EQ(press(k1, {1, 2}), (std::vector<bool>{true, false}));
  EXPECT_EQ(progress(1), 0);
  EXPECT_EQ(progress(2), 0);
  EXPECT_TRUE(CGame::Game_isCheatValid(1));
  EXPECT_FALSE(CGame::Game_isCheatValid(2));
  press(k5, {1});
  press(0, {1});
  EXPECT_TRUE(CGame::Game_isCheatValid(1));
  CGame::Game_resetCheatState(1);
  EXPECT_FALSE(CGame::Game_isCheatValid(1));
}

TEST_F(CheatTest, AnUnknownCheatIsRefused) {
  CGame::keysPressed = k0;
  for (int32_t n : {-1, CGame::kCheatCount}) {
    EXPECT_FALSE(CGame::Game_updateCheat(n));
    EXPECT_FALSE(CGame::Game_isCheatValid(n));
    CGame::Game_resetCheatState(n);
  }
}

TEST_F(CheatTest, CheatMenuPicksEntryFour) {
  CGame::menuItems = Array::newIntArray(6);
  CGame::menuCursor = 1;
  for (int32_t i = 0; i < CGame::kCheatLength - 1; i++) {
    CGame::keysPressed = code(0, i);
    CGame::updateCheatMenuCheats();
  }
  EXPECT_EQ(CGame::menuCursor, 1);
  CGame::keysPressed = code(0, 3);
  CGame::updateCheatMenuCheats();
  EXPECT_EQ(CGame::menuCursor, 4);
  // A list without a fifth entry keeps its cursor.
  CGame::menuItems = Array::newIntArray(4);
  CGame::menuCursor = 1;
  for (int32_t i = 0; i < CGame::kCheatLength; i++) {
    CGame::keysPressed = code(0, i);
    CGame::updateCheatMenuCheats();
  }
  EXPECT_EQ(CGame::menuCursor, 1);
}

TEST_F(CheatTest, CareerLobbyRankingPoints) {
  struct {
    int32_t screen, before, after;
  } cases[] = {{-1, 20, 220}, {-1, -500, 1}, {35, 20, 20}, {32, 20, 20}};
  for (const auto& c : cases) {
    CGame::menuScreenCode = c.screen;
    CGame::careerRankingPoints = c.before;
    astore(CGame::cheatProgress.get(), 12, 0);
    for (int32_t i = 0; i < CGame::kCheatLength; i++) {
      CGame::keysPressed = code(12, i);
      CGame::updateCareerCheats();
    }
    EXPECT_EQ(CGame::careerRankingPoints, c.after) << c.screen << " " << c.before;
  }
}

class EditorTest : public CheatTest {
 protected:
  void SetUp() override {
    CheatTest::SetUp();
    player_ = newObject<CPlayer>();
    CTennis::player = player_;
    player_->attr0 = 1;
    player_->attrServe = 2;
    player_->attr2 = 3;
    player_->attrSpeed = 4;
    player_->attrStroke = 6;
    setState(40);
    CGame::initCheat_PlayerAttr();
  }
  static int32_t value(int32_t row) { return aload(CGame::cheatAttrValues.get(), row); }
  static void key(int32_t mask) {
    CGame::keysPressed = mask;
    CGame::updateCheat_PlayerAttr();
  }
  CPlayer* player_ = nullptr;
};

TEST_F(EditorTest, OpensOverTheMatchWithThePlayersValues) {
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 42);
  EXPECT_EQ(CGame::menuScreenCode, 100);
  EXPECT_EQ(CGame::choiceIndex, 0);
  EXPECT_EQ((std::vector<int32_t>{value(0), value(1), value(2), value(3), value(4)}),
            (std::vector<int32_t>{1, 2, 3, 4, 6}));
}

TEST_F(EditorTest, NoPlayerNoEditor) {
  CTennis::player = nullptr;
  setState(40);
  CGame::initCheat_PlayerAttr();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 40);
}

TEST_F(EditorTest, RowsWrapAndValuesStayOneToSix) {
  struct {
    int32_t mask, times, row, value;
  } steps[] = {
      {0x2004, 1, 4, 6},   // up from the first row: the last
      {0x8040, 3, 4, 6},   // never above 6
      {0x1100, 1, 0, 1},   // down from the last: the first
      {0x4010, 5, 0, 1},   // never below 1
      {0x0100, 1, 1, 2},   // "8" is down too
      {0x0040, 2, 1, 4},   // "6" raises
      {0x0010, 1, 1, 3},   // "4" lowers
      {0x0004, 1, 0, 1},   // "2" is up
  };
  for (const auto& s : steps) {
    for (int i = 0; i < s.times; i++) key(s.mask);
    EXPECT_EQ(CGame::choiceIndex, s.row) << s.mask;
    EXPECT_EQ(value(CGame::choiceIndex), s.value) << s.mask;
  }
  CGame::choiceIndex = 9;  // left by another screen
  key(0x8040);
  EXPECT_EQ(CGame::choiceIndex, 0);
  EXPECT_EQ(value(0), 2);
}

TEST_F(EditorTest, RightSoftKeyHandsTheValuesOverAndLeaves) {
  key(0x8040);
  key(0x1100);
  key(0x4010);
  key(CGame::kKeySoftRight);
  EXPECT_EQ(player_->attr0, 2);
  EXPECT_EQ(player_->attrServe, 1);
  EXPECT_EQ(player_->attrStroke, 6);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 40);
  EXPECT_NE(CGame::menuScreenCode, 100);
}

}  // namespace
}  // namespace sorv::test
