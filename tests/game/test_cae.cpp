#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/cplayer.h"
#include "tests/game/cae_fixture.h"

namespace sorv {
namespace {

using test::Bytes;
using test::CaeTest;

TEST_F(CaeTest, TheCountIsTheSumOfTwoBytesCutToTheWholeRecords) {
  struct Case {
    const char* name;
    Bytes table;
    int count;
    bool logged;
  };
  Bytes fiveRows = test::achievementTable({{}, {}, {}, {}, {1, 2, 3, 4, 0, 0}}, 0, 5);
  Bytes oneAndFour = fiveRows;
  oneAndFour[0] = 1;
  oneAndFour[1] = 4;
  Bytes cut = fiveRows;
  cut.resize(cut.size() - 1);
  Bytes stray = fiveRows;
  stray.insert(stray.end(), 10, 0x55);
  std::vector<Case> cases = {
      {"0 + 5", fiveRows, 5, false},
      {"1 + 4", oneAndFour, 5, false},
      {"last record cut", cut, 4, true},
      {"bytes after the records", stray, 5, false},
      {"255 + 255 over two records", test::achievementTable({{}, {}}, 255, 255), 2, true},
      {"header only", Bytes{0, 0}, 0, false},
      {"one byte", Bytes{3}, 0, false},
      {"no bytes", Bytes{}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::LogCapture log;
    CAE::LoadAchiData(test::managedBytes(c.table));
    EXPECT_EQ(CAE::getAchiNum(), c.count);
    EXPECT_EQ(CAE::achiUnlocked->length, c.count);
    EXPECT_EQ(CAE::IsValid(c.count - 1), c.count > 0);
    EXPECT_FALSE(CAE::IsValid(c.count));
    EXPECT_EQ(log.contains("achievement table names"), c.logged) << log.text();
  }
  EXPECT_EQ(CAE::GetAchiTitleId(1), -1);
  CAE::LoadAchiData(test::managedBytes(fiveRows));
  EXPECT_EQ(CAE::GetAchiTitleId(4), 1);
  EXPECT_EQ(CAE::GetAchiDescId(4), 2);
  EXPECT_EQ(CAE::GetAchiGold(4), 3);
  EXPECT_EQ(CAE::GetAchiData(4), 4);

  test::LogCapture log;
  CAE::LoadAchiData(nullptr);
  EXPECT_EQ(CAE::getAchiNum(), 0);
  EXPECT_EQ(CAE::CheckAchi(0, true), -1);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(CaeTest, FieldsAreBigEndianAndInvalidNumbersGiveMinusOne) {
  load({{0x1234, 0xFFFE, 40000, 0x0102, 0xA, 0xB}});
  EXPECT_EQ(CAE::GetAchiTitleId(0), 0x1234);
  EXPECT_EQ(CAE::GetAchiDescId(0), 0xFFFE);
  EXPECT_EQ(CAE::GetAchiGold(0), 40000);
  EXPECT_EQ(CAE::GetAchiData(0), 0x0102);
  EXPECT_EQ(CAE::GetAchiTag(0), 0xA);
  EXPECT_EQ(CAE::GetAchiComp(0), 0xB);
  for (int n : {-1, 1, 1000}) {
    EXPECT_EQ(CAE::GetAchiTitleId(n), -1);
    EXPECT_EQ(CAE::GetAchiDescId(n), -1);
    EXPECT_EQ(CAE::GetAchiGold(n), -1);
    EXPECT_EQ(CAE::GetAchiData(n), -1);
    EXPECT_EQ(CAE::GetAchiTag(n), -1);
    EXPECT_EQ(CAE::GetAchiComp(n), -1);
  }
}

// Each form checks only the achievements of its tag; the value against 7 by comparison.
TEST_F(CaeTest, ChecksUnlockByTagAndComparison) {
  struct Case {
    int n;
    bool valueForm;
    int argument;
    bool unlocks;
  };
  const Case cases[] = {
      {0, false, 0, false}, {0, true, 7, false}, {2, false, 1, false}, {99, false, 1, false},
      {-1, true, 7, false}, {2, true, 6, false}, {3, true, 7, false},  {4, true, 8, false},
      {5, true, 7, false},  {6, true, 8, false}, {7, true, 7, false},  {7, true, 0, false},
      {0, false, 1, true},  {2, true, 7, true},  {3, true, 8, true},   {4, true, 7, true},
      {5, true, 6, true},   {6, true, 7, true},  {8, false, 1, true},
  };
  int gold = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + (c.valueForm ? " value " : " condition ") +
                 std::to_string(c.argument));
    const bool before = CAE::IsValid(c.n) && CAE::IsUnlock(c.n);
    int result = c.valueForm ? CAE::CheckAchi(c.n, c.argument) : CAE::CheckAchi(c.n, c.argument != 0);
    if (c.unlocks) {
      EXPECT_FALSE(before);
      EXPECT_EQ(result, writePosition(0));
      EXPECT_TRUE(CAE::IsUnlock(c.n));
      gold += CAE::GetAchiGold(c.n);
      EXPECT_EQ(c.valueForm ? CAE::CheckAchi(c.n, c.argument) : CAE::CheckAchi(c.n, true), 1);
    } else {
      EXPECT_EQ(result, -1);
      if (CAE::IsValid(c.n)) {
        EXPECT_FALSE(CAE::IsUnlock(c.n));
      }
    }
  }
  EXPECT_EQ(CAE::achiGold, gold);
  EXPECT_EQ(CAE::CheckAchi(8, 7), 1) << "already unlocked through the condition form";
  EXPECT_EQ(items(0, CAE::kKindAchievement),
            (std::vector<int32_t>{0, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 8, 0}));
  EXPECT_EQ(items(1), items(0)) << "every push goes to both queues";
  EXPECT_EQ(CAE::PushAchiToShow(0), -2);
  EXPECT_EQ(takeException(), -1);
}

// The player forms: a computer player's deeds unlock nothing; a person's go through the
// plain forms with all their rules.
TEST_F(CaeTest, APlayersDeedCountsOnlyForAPerson) {
  struct Case {
    const char* what;
    bool computer, valueForm;
    int32_t n, argument;
    int32_t result;  // 0: unlocked (queue 0's write position)
  };
  const Case cases[] = {
      {"computer, condition", true, false, 0, 1, -1},
      {"computer, value met", true, true, 2, 7, -1},
      {"person, condition false", false, false, 0, 0, -1},
      {"person, condition", false, false, 0, 1, 0},
      {"person, again", false, false, 0, 1, 1},
      {"person, value not met", false, true, 3, 7, -1},
      {"person, value met", false, true, 2, 7, 0},
      {"person, value form of a condition row", false, true, 1, 7, -1},
      {"computer, already unlocked", true, false, 0, 1, -1},
  };
  CPlayer* player = newObject<CPlayer>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    player->computerControlled = c.computer;
    const int32_t result = c.valueForm ? CAE::CheckAchi(player, c.n, c.argument)
                                       : CAE::CheckAchi(player, c.n, c.argument != 0);
    EXPECT_EQ(result, c.result == 0 ? writePosition(0) : c.result);
  }
  EXPECT_EQ(items(0), (std::vector<int32_t>{0, 0, 2, 0}));
  EXPECT_FALSE(CAE::IsUnlock(1));
  EXPECT_FALSE(CAE::IsUnlock(3));
  EXPECT_EQ(takeException(), -1);
  // No player at all is reported, not taken for a person.
  EXPECT_EQ(CAE::CheckAchi(static_cast<CPlayer*>(nullptr), 1, true), -1);
  EXPECT_FALSE(CAE::IsUnlock(1));
}

TEST_F(CaeTest, NothingUnlocksOrImprovesDuringATutorialStep) {
  CTennis::tutorialKind = 1;
  CTennis::tutorialStep = 2;
  EXPECT_EQ(CAE::PushAchiToShow(0), -1);
  EXPECT_EQ(CAE::CheckAchi(0, true), -1);
  EXPECT_EQ(CAE::CheckAchi(2, 9), -1);
  EXPECT_FALSE(CAE::checkRecord(5, 10));
  EXPECT_FALSE(CAE::IsUnlock(0));
  EXPECT_EQ(recordValue(5), 0);
  EXPECT_TRUE(CAE::IsQueueEmpty(0, CAE::kKindAny));
  EXPECT_FALSE(CAE::achiChanged);
  CTennis::tutorialKind = -1;
  CTennis::tutorialStep = -1;
  EXPECT_GE(CAE::CheckAchi(0, true), 0);
}

TEST_F(CaeTest, TheRankFollowsTheGoldSteps) {
  const std::pair<int, int> cases[] = {{-1, -1}, {0, 0},    {999, 0},  {1000, 1}, {1999, 1},
                                       {2000, 2}, {3999, 3}, {4000, 4}, {5999, 4}, {6000, 5},
                                       {32767, 5}};
  for (auto [gold, rank] : cases) {
    CAE::achiGold = gold;
    EXPECT_EQ(CAE::GetAchievementRankLevel(), rank) << gold;
  }
}

TEST_F(CaeTest, TheFastestServeIsKeptInBothUnits) {
  struct Case {
    int unit, serve, record4, record15;
  };
  for (Case c : {Case{0, 160, 160, 256}, Case{1, 160, 100, 160}}) {
    SCOPED_TRACE(c.unit);
    CAE::initRecordData();
    CGame::optionValues->elements()[1] = c.unit;
    EXPECT_TRUE(CAE::checkRecord(4, c.serve));
    EXPECT_EQ(recordValue(4), c.record4);
    EXPECT_EQ(recordValue(15), c.record15);
    EXPECT_EQ(CAE::getRecordVal(4), c.serve) << "read in the unit in force";
    EXPECT_FALSE(CAE::checkRecord(4, c.serve)) << "only a faster serve";
    EXPECT_TRUE(CAE::checkRecord(4, c.serve + 1));
  }
  CGame::optionValues->elements()[1] = 0;
  EXPECT_EQ(CAE::getRecordVal(4), 100);
  for (int i : {-1, 16}) {
    EXPECT_EQ(CAE::getRecordVal(i), -1);
    EXPECT_EQ(CAE::getRecordName(i), nullptr);
    EXPECT_FALSE(CAE::checkRecord(i, 5));
  }
}

TEST_F(CaeTest, RecordFourteenImprovesOnlyDownwards) {
  for (int i = 0; i < 16; i++) EXPECT_EQ(recordValue(i), i == 14 ? 32767 : 0) << i;
  EXPECT_TRUE(CAE::isMinRecord(14));
  EXPECT_FALSE(CAE::isMinRecord(13));
  EXPECT_FALSE(CAE::checkRecord(14, 40000));
  EXPECT_TRUE(CAE::checkRecord(14, 300));
  EXPECT_FALSE(CAE::checkRecord(14, 301));
  EXPECT_TRUE(CAE::checkRecord(14, 299));
  EXPECT_EQ(recordValue(14), 299);
  EXPECT_EQ(items(0), (std::vector<int32_t>{14, 1})) << "queued once";
}

// Wins (record 0) and losses (record 2) in a row, and their best runs in records 1 and 3.
TEST_F(CaeTest, RunsCountWinsAndLossesInARow) {
  CAE::increaseRecord(0, 1);
  EXPECT_EQ(items(0, CAE::kKindRecord), (std::vector<int32_t>{0, 1})) << "a run of one is no news";
  CAE::increaseRecord(0, 1);
  CAE::increaseRecord(0, 1);
  EXPECT_EQ(CAE::achiRun, 3);
  EXPECT_EQ(recordValue(0), 3);
  EXPECT_EQ(recordValue(1), 3);
  EXPECT_EQ(items(0), (std::vector<int32_t>{1, 1, 0, 1}));
  CAE::increaseRecord(2, 1);
  EXPECT_EQ(CAE::achiRun, -1);
  EXPECT_EQ(recordValue(3), 1);
  CAE::increaseRecord(2, 1);
  EXPECT_EQ(CAE::achiRun, -2);
  EXPECT_EQ(recordValue(3), 2);
  CAE::increaseRecord(0, 1);
  EXPECT_EQ(CAE::achiRun, 1);
  EXPECT_EQ(recordValue(1), 3) << "the best run stays";
  EXPECT_EQ(recordValue(2), 2);
}

TEST_F(CaeTest, AnUnlockStaysToBeSavedWhateverIsAddedAfter) {
  ASSERT_GE(CAE::CheckAchi(0, true), 0);
  CAE::increaseRecord(5, 0);
  CAE::increaseRecord(7, -3);
  EXPECT_TRUE(CAE::achiChanged);
  EXPECT_EQ(recordValue(7), -3);
  EXPECT_EQ(items(0, CAE::kKindRecord), std::vector<int32_t>{}) << "nothing gained, nothing shown";
  CAE::saveAchievement();
  EXPECT_EQ(record(14).size(), 9u + 36u);
  EXPECT_EQ(record(14).at(0), 1);
}

int gWrites = 0;
bool countWrites(record_files::WriteStep step, const std::string&) {
  if (step == record_files::WriteStep::kOpen) gWrites++;
  return false;
}

TEST_F(CaeTest, SaveWritesOnlyWhenSomethingChanged) {
  gWrites = 0;
  record_files::setFailureHook(countWrites);
  CAE::saveAchievement();
  EXPECT_EQ(gWrites, 0);
  EXPECT_TRUE(record(14).empty());
  ASSERT_GE(CAE::CheckAchi(1, true), 0);
  CAE::saveAchievement();
  EXPECT_EQ(gWrites, 2) << "the record and its index";
  EXPECT_FALSE(CAE::achiChanged);
  CAE::saveAchievement();
  EXPECT_EQ(gWrites, 2);
  Bytes expected(9 + 36, 0);
  expected[1] = 1;
  expected[9] = 200 & 0xFF;
  expected[14 * 2 + 13] = 0xFF;
  expected[14 * 2 + 14] = 0x7F;
  EXPECT_EQ(test::hex(record(14)), test::hex(expected));
}

TEST_F(CaeTest, AFailedSaveIsTriedAgain) {
  ASSERT_GE(CAE::CheckAchi(1, true), 0);
  record_files::setFailureHook([](record_files::WriteStep, const std::string&) { return true; });
  CAE::saveAchievement();
  EXPECT_TRUE(CAE::achiChanged);
  record_files::setFailureHook(nullptr);
  CAE::saveAchievement();
  EXPECT_FALSE(CAE::achiChanged);
  EXPECT_EQ(record(14).at(1), 1);
}

TEST_F(CaeTest, TheTableLoadsWhatRecordFourteenSaved) {
  ASSERT_GE(CAE::CheckAchi(3, 8), 0);
  CAE::increaseRecord(0, 1);
  ASSERT_TRUE(CAE::checkRecord(14, 90));
  CAE::saveAchievement();
  load(test::sampleRows());
  EXPECT_TRUE(CAE::IsUnlock(3));
  EXPECT_EQ(CAE::achiGold, 400);
  EXPECT_EQ(CAE::achiRun, 1);
  EXPECT_EQ(recordValue(14), 90);
  EXPECT_FALSE(CAE::achiChanged);
  EXPECT_TRUE(CAE::IsQueueEmpty(0, CAE::kKindAny)) << "the queues start empty";

  test::LogCapture log;
  load({{}, {}});
  EXPECT_TRUE(log.contains("not loaded")) << "a table of another size mixes nothing in";
  EXPECT_FALSE(CAE::IsUnlock(1));
  EXPECT_EQ(CAE::achiGold, 0);
  EXPECT_EQ(recordValue(14), 32767);
}

}  // namespace
}  // namespace sorv
