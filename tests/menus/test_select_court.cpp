// The match set-up: value steps, the court row held as 2 x court, record 13 on entering and
// on confirming, going back, and the two-row window.
#include <gtest/gtest.h>

#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

class SelectCourtTest : public QuickMatchTest {};

TEST_F(SelectCourtTest, ValuesStepByOneAndTheCourtRowByTwoWrappingBothWays) {
  struct Case {
    int32_t row, keys, before, after;
  };
  const Case cases[] = {
      {4, kKeyNext, 0, 2}, {4, kKeyNext, 2, 4}, {4, kKeyNext, 4, 6}, {4, kKeyNext, 6, 0}, {4, kKeyPrev, 0, 6},
      {4, kKeyPrev, 6, 4}, {0, kKeyNext, 4, 0}, {0, kKeyPrev, 0, 4}, {1, kKeyNext, 2, 0}, {1, kKeyPrev, 0, 2},
      {2, kKeyNext, 4, 0}, {2, kKeyPrev, 0, 4}, {3, kKeyNext, 2, 0}, {3, kKeyPrev, 0, 2}, {3, kKeyNext, 0, 1},
  };
  openSetup();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " from " << c.before);
    CGame::menuCursor = c.row;
    astore(CGame::setupValues.get(), c.row, c.before);
    setupKeys(c.keys);
    EXPECT_EQ(setup(c.row), c.after);
    EXPECT_EQ(CGame::menuCursor, c.row);
  }
}

TEST_F(SelectCourtTest, EnteringShowsCourtOneAndKeepsTheSavedRows) {
  putRecord(CGame::kSetupRecord, {1, 2, 3, 1, 6});
  openSetup();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 51);
  EXPECT_EQ(CGame::menuScreenCode, 7);
  EXPECT_EQ(std::vector<int32_t>({setup(0), setup(1), setup(2), setup(3), setup(4)}),
            std::vector<int32_t>({1, 2, 3, 1, 2}));
  EXPECT_EQ(CGame::setupFirstRow, 0);
  EXPECT_EQ(CGame::lastNavKey, 0);
}

// Record 13 is a file: each value outside its row is taken as 0, with a line in the log.
TEST_F(SelectCourtTest, SavedValuesOutsideTheirRowsBecomeZero) {
  struct Case {
    std::vector<int8_t> bytes;
    std::vector<int32_t> rows;
    int lines;
  };
  const Case cases[] = {
      {{5, 3, 5, 3, 8}, {0, 0, 0, 0, 2}, 5},
      {{-1, -2, 4, 2, 6}, {0, 0, 4, 2, 2}, 2},
      {{4, 2, 4, 2, 7}, {4, 2, 4, 2, 2}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    putRecord(CGame::kSetupRecord, c.bytes);
    LogCapture log;
    openSetup();
    EXPECT_EQ(std::vector<int32_t>({setup(0), setup(1), setup(2), setup(3), setup(4)}), c.rows);
    EXPECT_EQ(countLines(log.text(), "outside its"), c.lines) << log.text();
    EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  }
}

TEST_F(SelectCourtTest, ConfirmSavesBothRecordsHalvesTheCourtAndCopiesTheSettings) {
  openSetup();
  const int32_t values[] = {0, 2, 1, 2, 6};
  for (int32_t r = 0; r < 5; r++) astore(CGame::setupValues.get(), r, values[r]);
  astore(CGame::optionValues.get(), 1, 1);
  setupKeys(kKeyFire);
  EXPECT_EQ(record(CGame::kSetupRecord), std::vector<int8_t>({0, 2, 1, 2, 6})) << "the record keeps 2 x court";
  EXPECT_FALSE(record(CGame::kOptionsRecord).empty());
  EXPECT_EQ(setup(4), 3);
  for (int32_t r = 0; r < 4; r++) EXPECT_EQ(aload(CGame::matchSettings.get(), r), values[r]) << r;
  EXPECT_EQ(aload(CGame::matchSettings.get(), 4), 3);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 52);
  EXPECT_EQ(CGame::menuScreenCode, 8);
  EXPECT_EQ(CGame::pickIndex, 0);
}

TEST_F(SelectCourtTest, BackResetsTheMatchModeAndReturnsToTheMainMenu) {
  openSetup();
  astore(CGame::matchSettings.get(), 0, 3);
  setupKeys(kKeyBack);
  EXPECT_EQ(aload(CGame::matchSettings.get(), 0), 0);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
  EXPECT_EQ(CGame::menuScreenCode, 1);
}

// Row keys move the cursor (rows 0 to 4, no wrap) and the window of two rows follows it
// when painted; a tap on the scroll arrows counts as a row key.
TEST_F(SelectCourtTest, TheTwoRowWindowFollowsRowKeysAndArrowTaps) {
  struct Step {
    int32_t keys;  // 0: a tap on the arrow named by `down`
    bool down;
    int32_t cursor, firstRow;
  };
  const Step steps[] = {
      {kKeyRowDown, true, 1, 0}, {kKeyRowDown, true, 2, 1}, {kKeyRowDown, true, 3, 2}, {kKeyRowDown, true, 4, 3},
      {kKeyRowDown, true, 4, 3}, {kKeyRowUp, false, 3, 3},  {kKeyRowUp, false, 2, 2},  {0, false, 1, 1},
      {0, false, 0, 0},          {0, true, 1, 0},           {0, true, 2, 1},           {kKeyRowUp, false, 1, 1},
  };
  openSetup();
  CGame::menuPaint_selectCourt();
  int n = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(n++);
    if (s.keys == 0) {
      CGame::releaseX = 130;
      CGame::releaseY = s.down ? 230 : 52;
      CGame::menuPaint_selectCourt();
      setupKeys(CGame::keysPressed);
    } else {
      setupKeys(s.keys);
    }
    CGame::menuPaint_selectCourt();
    EXPECT_EQ(CGame::menuCursor, s.cursor);
    EXPECT_EQ(CGame::setupFirstRow, s.firstRow);
  }
}

// Going back from the selection resets its cursor, which the set-up shares: the set-up shows
// its first rows with the cursor on row 0, the court as it was.
TEST_F(SelectCourtTest, BackFromTheSelectionShowsTheFirstRows) {
  openSetup();
  for (int i = 0; i < 4; i++) {
    setupKeys(kKeyRowDown);
    CGame::menuPaint_selectCourt();
  }
  ASSERT_EQ(CGame::setupFirstRow, 3);
  setupKeys(kKeyFire);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 52);
  CGame::keysPressed = kKeyBack;
  CGame::MenuUpdate_selectPlayer();
  CGame::keysPressed = 0;
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 51);
  EXPECT_EQ(CGame::menuCursor, 0);
  CGame::menuPaint_selectCourt();
  EXPECT_EQ(CGame::setupFirstRow, 0);
  EXPECT_EQ(setup(4), 2);
}

}  // namespace
}  // namespace sorv::test
