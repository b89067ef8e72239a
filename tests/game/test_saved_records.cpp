#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/string.h"
#include "tests/game/saved_fixture.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using test::Bytes;

void setInts(IntArray* a, std::initializer_list<int32_t> values) {
  int32_t i = 0;
  for (int32_t v : values) a->elements()[i++] = v;
}

void setBytes(ByteArray* a, std::initializer_list<int32_t> values) {
  int32_t i = 0;
  for (int32_t v : values) a->elements()[i++] = static_cast<int8_t>(v);
}

std::vector<int32_t> intsOf(IntArray* a) { return {a->elements(), a->elements() + a->length}; }
std::vector<int32_t> bytesOf(ByteArray* a) { return {a->elements(), a->elements() + a->length}; }

ByteArray* byteRow(StaticRef<ObjectArray>& rows, int i) {
  return static_cast<ByteArray*>(rows->elements()[i]);
}

// Record bytes written out from the layout: values placed at their offsets.
class Layout {
 public:
  explicit Layout(size_t size) : bytes_(size, 0) {}
  Layout& at(size_t offset, std::initializer_list<int> values) {
    for (int v : values) bytes_.at(offset++) = static_cast<uint8_t>(v);
    return *this;
  }
  Layout& le16(size_t offset, int v) { return at(offset, {v & 0xFF, (v >> 8) & 0xFF}); }
  Bytes bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

struct GoldenCase {
  const char* name;
  int record;
  std::function<void()> set;    // the statics the record is saved from
  std::function<Bytes()> bytes;  // what the file must hold
  std::function<void()> check;   // the statics after loading it back
};

class SavedRecordsTest : public test::SavedDataTest {
 protected:
  void SetUp() override {
    SavedDataTest::SetUp();
    // The array tree fills the roster's tables at boot; here the career slots need one.
    CGame::rosterKinds = Array::newByteArray(36);
    CGame::initRMS();
    ASSERT_EQ(record(1), Bytes{0x6B});
  }
  // Every static the records hold := v (names: 10 x's); loading must restore over it.
  void fill(int v) {
    CGame::playCount = CGame::optionRow1Copy = v == 99 ? -7 : v;
    CGame::careerStyle = v;
    CGame::careerAvatarKind = CGame::careerHome = CGame::careerStamina = static_cast<int8_t>(v);
    CGame::careerName = String::fromCString("XXXXXXXXXX");
    CGame::careerWeek = CGame::careerTarget = CGame::careerYear = CGame::careerMental = -v;
    CGame::careerMentalPrev = CGame::careerRankingPoints = -v;
    CGame::tournamentDifficulty = CGame::currentTournament = CGame::tournamentResult = v;
    CGame::userSlot = CGame::tournamentSegment = CGame::tournamentRound = v;
    CGame::tournamentRoundCount = CGame::segmentLength = CGame::tournamentStrokes = v;
    for (IntArray* a : {CGame::careerAttrPts.get(), CGame::careerAttrPtsPrev.get(),
                        CGame::drawSlots.get(), CGame::setupValues.get(), CTraining::levelBest.get()}) {
      for (int32_t i = 0; i < a->length; i++) a->elements()[i] = v;
    }
    for (int32_t i = 0; i < CGame::careerStats->length; i++) CGame::careerStats->elements()[i] = 0;
    for (int32_t r = 0; r < 16; r++) setBytes(byteRow(CGame::drawFakeNames, r), {v, v});
    for (int32_t t = 0; t < 3; t++) {
      ByteArray* a = byteRow(CGame::drawScores, t);
      for (int32_t i = 0; i < a->length; i++) a->elements()[i] = static_cast<int8_t>(v);
    }
    for (ByteArray* a : {CGame::careerLook.get(), CGame::careerLocationState.get(),
                         CGame::drawUsed.get(), CTraining::unlockedLevels.get(), CGame::rosterKinds.get()}) {
      for (int32_t i = 0; i < a->length; i++) a->elements()[i] = static_cast<int8_t>(v);
    }
    setInts(CGame::matchSettings, {v, v, v, v, v});
    CGame::menuMarkFlag = !CGame::menuMarkFlag;
  }
};

std::vector<GoldenCase> goldenCases() {
  return {
      {"marker", 1, [] {}, [] { return Bytes{0x6B}; },
       [] { EXPECT_EQ(CGame::rmsMarker, 107); }},
      {"options", 2,
       [] {
         CGame::playCount = 300;
         setInts(CGame::optionValues, {1, 1});
         CGame::optionRow1Copy = 1;
       },
       [] { return Bytes{0x2C, 0x01, 0x01, 0x01, 0x01}; },
       [] {
         EXPECT_EQ(CGame::playCount, 300);
         EXPECT_EQ(CGame::optionValues->elements()[1], 1);
         EXPECT_EQ(CGame::optionRow1Copy, 1);
       }},
      {"career", 3,
       [] {
         CGame::careerStyle = 2;
         CGame::careerAvatarKind = 1;
         CGame::careerName = String::fromCString("ANNA");
         setBytes(CGame::careerLook, {1, 2, 3, 4, 5, 6, 7});
         CGame::careerHome = 5;
         CGame::careerWeek = 53;
         CGame::careerTarget = 3;
         CGame::careerYear = 2;
         CGame::careerRankingPoints = 20;
         setInts(CGame::careerAttrPts, {100, 200, 300, 400, 1000});
         CGame::careerMental = 40;
         CGame::careerStamina = 100;
         int16_t stats[] = {1, 2, 3, 4, 5, -1};
         std::copy(std::begin(stats), std::end(stats), CGame::careerStats->elements());
         setBytes(CTraining::unlockedLevels, {5, 4, 3, 2, 1});
         CGame::matchSettings->elements()[0] = 3;
         CGame::careerLocationState->elements()[0] = 2;
         CGame::careerLocationState->elements()[1] = 1;
         CGame::careerLocationState->elements()[28] = 2;
       },
       [] {
         return Layout(89)
             .at(0, {2, 1, 0x41, 0x4E, 0x4E, 0x41, 0, 0, 0, 0})
             .at(10, {1, 2, 3, 4, 5, 6, 7, 5, 53, 3, 2})
             .at(21, {0x14, 0, 0, 0})
             .at(30, {0x64, 0, 0xC8, 0, 0x2C, 1, 0x90, 1, 0xE8, 3, 40, 100})
             .at(42, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 0xFF, 0xFF})
             .at(54, {5, 4, 3, 2, 1, 1, 2, 1})
             .at(88, {2})
             .bytes();
       },
       [] {
         EXPECT_EQ(String::toUtf8(CGame::careerName), "ANNA");
         EXPECT_EQ(CGame::matchSettings->elements()[0], 2) << "a woman's career loads mode 2";
         EXPECT_EQ(CGame::rosterKinds->elements()[35], 1);
         EXPECT_EQ(CGame::careerStyle, 2);
         EXPECT_EQ(CGame::careerAvatarKind, 1);
         EXPECT_EQ(bytesOf(CGame::careerLook), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
         EXPECT_EQ(CGame::careerHome, 5);
         EXPECT_EQ(CGame::careerWeek, 53);
         EXPECT_EQ(CGame::careerTarget, 3);
         EXPECT_EQ(CGame::careerYear, 2);
         EXPECT_EQ(CGame::careerRankingPoints, 20);
         EXPECT_EQ(intsOf(CGame::careerAttrPts), (std::vector<int32_t>{100, 200, 300, 400, 1000}));
         EXPECT_EQ(intsOf(CGame::careerAttrPtsPrev), intsOf(CGame::careerAttrPts));
         EXPECT_EQ(CGame::careerMental, 40);
         EXPECT_EQ(CGame::careerMentalPrev, 40);
         EXPECT_EQ(CGame::careerStamina, 100);
         EXPECT_EQ(CGame::careerStats->elements()[5], -1);
         EXPECT_EQ(bytesOf(CTraining::unlockedLevels), (std::vector<int32_t>{5, 4, 3, 2, 1}));
         EXPECT_EQ(CGame::careerLocationState->elements()[28], 2);
       }},
      {"tournament", 6,
       [] {
         CGame::tournamentDifficulty = 1;
         setInts(CGame::matchSettings, {1, 2, 3, 1, 2});
         CGame::currentTournament = 20;
         CGame::tournamentResult = -1;
         CGame::userSlot = 5;
         for (int i = 0; i < 16; i++) CGame::drawSlots->elements()[i] = i == 15 ? -1 : 2 * i;
         for (int i = 0; i < 39; i++) CGame::drawUsed->elements()[i] = static_cast<int8_t>(i % 2);
         CGame::drawUsed->elements()[38] = 1;
         for (int i = 0; i < 16; i++) {
           setBytes(byteRow(CGame::drawFakeNames, i), {i == 0 ? -1 : i, i == 0 ? -1 : 20 + i});
         }
         setBytes(byteRow(CGame::drawScores, 0), {2, 0, 0, 2, 2, 0, 0, 2});
         setBytes(byteRow(CGame::drawScores, 1), {2, 0, 1, 2});
         setBytes(byteRow(CGame::drawScores, 2), {0, 2});
         CGame::tournamentSegment = 1;
         CGame::tournamentRound = 4;
         CGame::tournamentRoundCount = 6;
         CGame::segmentLength = 3;
         CGame::tournamentStrokes = 1000;
       },
       [] {
         Layout l(116);
         l.at(0, {1, 1, 2, 3, 1, 2, 20, 0xFF, 5});
         for (int i = 0; i < 16; i++) l.at(9 + i, {i == 15 ? 0xFF : 2 * i});
         for (int i = 0; i < 38; i++) l.at(25 + i, {i % 2});
         l.at(63, {0xFF, 0xFF});
         for (int i = 1; i < 16; i++) l.at(63 + 2 * i, {i, 20 + i});
         l.at(95, {2, 0, 0, 2, 2, 0, 0, 2, 2, 0, 1, 2, 0, 2});
         l.at(109, {1, 4, 6, 3}).le16(113, 1000).at(115, {1});
         return l.bytes();
       },
       [] {
         EXPECT_EQ(CGame::tournamentDifficulty, 1);
         EXPECT_EQ(intsOf(CGame::matchSettings), (std::vector<int32_t>{1, 2, 3, 1, 2}));
         EXPECT_EQ(CGame::currentTournament, 20);
         EXPECT_EQ(CGame::tournamentResult, -1);
         EXPECT_EQ(CGame::userSlot, 5);
         EXPECT_EQ(CGame::drawSlots->elements()[15], -1);
         EXPECT_EQ(CGame::drawSlots->elements()[14], 28);
         EXPECT_EQ(CGame::drawUsed->elements()[37], 1);
         EXPECT_EQ(CGame::drawUsed->elements()[38], 99) << "the last roster entry is not saved";
         EXPECT_EQ(bytesOf(byteRow(CGame::drawFakeNames, 0)), (std::vector<int32_t>{-1, -1}));
         EXPECT_EQ(bytesOf(byteRow(CGame::drawFakeNames, 15)), (std::vector<int32_t>{15, 35}));
         EXPECT_EQ(bytesOf(byteRow(CGame::drawScores, 1)), (std::vector<int32_t>{2, 0, 1, 2}));
         EXPECT_EQ(bytesOf(byteRow(CGame::drawScores, 2)), (std::vector<int32_t>{0, 2}));
         EXPECT_EQ(CGame::tournamentSegment, 1);
         EXPECT_EQ(CGame::tournamentRound, 4);
         EXPECT_EQ(CGame::tournamentRoundCount, 6);
         EXPECT_EQ(CGame::segmentLength, 3);
         EXPECT_EQ(CGame::tournamentStrokes, 1000);
       }},
      {"training game 2", 10,
       [] {
         CTraining::game = 2;
         setInts(CTraining::levelBest, {1234, 0, 655359, 700000, -50});
         CTraining::unlockedLevels->elements()[2] = 3;
       },
       [] { return Layout(11).le16(0, 123).le16(4, 65535).le16(6, 65535).at(10, {3}).bytes(); },
       [] {
         EXPECT_EQ(intsOf(CTraining::levelBest), (std::vector<int32_t>{1230, 0, 655350, 655350, 0}));
         EXPECT_EQ(CTraining::unlockedLevels->elements()[2], 3);
         EXPECT_EQ(CTraining::unlockedLevels->elements()[1], 99);
       }},
      {"set-up", 13, [] { setInts(CGame::setupValues, {1, 2, 3, 0, 6}); },
       [] { return Bytes{1, 2, 3, 0, 6}; },
       [] { EXPECT_EQ(intsOf(CGame::setupValues), (std::vector<int32_t>{1, 2, 3, 0, 6})); }},
      {"achievements", 14,
       [] {
         CAE::LoadAchiData(test::managedBytes(test::achievementTable({{}, {}, {}})));
         setBytes(CAE::achiUnlocked, {1, 0, 1});
         CAE::achiGold = 1500;
         CAE::achiRun = -2;
         for (int i = 0; i < 16; i++) CAE::achiRecords->elements()[i] = i == 14 ? 32767 : 100 * i;
       },
       [] {
         Layout l(3 + 36);
         l.at(0, {1, 0, 1}).le16(3, 1500).le16(5, -2);
         for (int i = 0; i < 16; i++) l.le16(7 + 2 * i, i == 14 ? 32767 : 100 * i);
         return l.bytes();
       },
       [] {
         EXPECT_EQ(bytesOf(CAE::achiUnlocked), (std::vector<int32_t>{1, 0, 1}));
         EXPECT_EQ(CAE::achiGold, 1500);
         EXPECT_EQ(CAE::achiRun, -2);
         EXPECT_EQ(CAE::achiRecords->elements()[14], 32767);
         EXPECT_EQ(CAE::achiRecords->elements()[15], 1500);
       }},
      {"menu mark set", 15, [] { CGame::menuMarkFlag = true; }, [] { return Bytes{0, 0}; },
       [] { EXPECT_TRUE(CGame::menuMarkFlag); }},
      {"menu mark clear", 15, [] { CGame::menuMarkFlag = false; }, [] { return Bytes{0, 1}; },
       [] { EXPECT_FALSE(CGame::menuMarkFlag); }},
  };
}

TEST_F(SavedRecordsTest, EachRecordIsSavedInItsLayoutAndLoadsBack) {
  for (const GoldenCase& c : goldenCases()) {
    SCOPED_TRACE(c.name);
    fill(0);
    c.set();
    ASSERT_TRUE(CGame::RMS(true, c.record));
    EXPECT_EQ(test::hex(record(c.record)), test::hex(c.bytes()));
    fill(99);
    ASSERT_TRUE(CGame::RMS(false, c.record));
    c.check();
    EXPECT_EQ(takeException(), -1);
  }
}

TEST_F(SavedRecordsTest, TheSameTournamentGoesToWhicheverRecordIsNamed) {
  CGame::currentTournament = 7;
  ASSERT_TRUE(CGame::RMS(true, 4));
  ASSERT_TRUE(CGame::RMS(true, 6));
  EXPECT_EQ(record(4), record(6));
  EXPECT_EQ(record(4).at(6), 7);
}

TEST_F(SavedRecordsTest, LoadingOptionsKeepsTheSoundChosenAtStart) {
  setInts(CGame::optionValues, {0, 1});
  ASSERT_TRUE(CGame::RMS(true, 2));
  setInts(CGame::optionValues, {1, 0});
  ASSERT_TRUE(CGame::RMS(false, 2));
  EXPECT_EQ(CGame::optionValues->elements()[0], 1);
  EXPECT_EQ(CGame::optionValues->elements()[1], 1);
}

TEST_F(SavedRecordsTest, TheCareerModeDecidesTheAvatarSlot) {
  struct Case {
    int savedMode, byte59, loadedMode, slot;
  };
  for (Case c : {Case{0, 0, 0, 17}, Case{1, 0, 0, 17}, Case{2, 1, 2, 35}, Case{3, 1, 2, 35},
                 Case{4, 0, 0, 17}}) {
    SCOPED_TRACE(c.savedMode);
    CGame::matchSettings->elements()[0] = c.savedMode;
    CGame::careerAvatarKind = 1;
    ASSERT_TRUE(CGame::RMS(true, 3));
    EXPECT_EQ(record(3).at(59), c.byte59);
    CGame::rosterKinds->elements()[17] = CGame::rosterKinds->elements()[35] = 0;
    ASSERT_TRUE(CGame::RMS(false, 3));
    EXPECT_EQ(CGame::matchSettings->elements()[0], c.loadedMode);
    EXPECT_EQ(CGame::rosterKinds->elements()[c.slot], 1);
    EXPECT_EQ(CGame::rosterKinds->elements()[c.slot == 17 ? 35 : 17], 0);
  }
}

TEST_F(SavedRecordsTest, NamesKeepEightCharactersAndLoseTheirFill) {
  struct Case {
    const char* saved;
    const char* loaded;
  };
  for (Case c : {Case{"ABCDEFGH", "ABCDEFGH"}, Case{"BO", "BO"}, Case{"ABCDEFGHIJ", "ABCDEFGH"},
                 Case{" A-B ", "A-B"}, Case{"", ""}, Case{"\xE9LO\xEFSE", "\xE9LO\xEFSE"}}) {
    SCOPED_TRACE(c.saved);
    CGame::careerName = String::fromCString(c.saved);
    ASSERT_TRUE(CGame::RMS(true, 3));
    CGame::careerName = nullptr;
    ASSERT_TRUE(CGame::RMS(false, 3));
    EXPECT_EQ(String::toCString(CGame::careerName), c.loaded);
  }
}

// Numbers that are no saved record, and the training records of another game.
TEST_F(SavedRecordsTest, RecordsOutsideTheTableAndOtherTrainingGamesAreRefused) {
  CTraining::game = 1;
  ASSERT_TRUE(CGame::RMS(true, 9));
  const auto before = storeFiles();
  for (int n : {0, 5, 7, 16, -1, 8, 10, 12, 1 << 30}) {
    for (bool save : {true, false}) {
      SCOPED_TRACE(std::to_string(n) + (save ? " save" : " load"));
      EXPECT_FALSE(CGame::RMS(save, n));
      EXPECT_EQ(takeException(), -1);
    }
  }
  CTraining::game = -1;
  EXPECT_FALSE(CGame::RMS(true, 8));
  EXPECT_EQ(storeFiles(), before);
}

// A record of another length, an empty one included, loads nothing.
TEST_F(SavedRecordsTest, RecordsOfAnotherLengthLoadNothing) {
  CAE::LoadAchiData(test::managedBytes(test::achievementTable({{}, {}})));
  CTraining::game = 0;
  struct Case {
    int record;
    size_t length;
  };
  for (Case c : {Case{1, 0}, Case{1, 2}, Case{2, 4}, Case{2, 6}, Case{3, 88}, Case{3, 0},
                 Case{4, 115}, Case{6, 117}, Case{8, 10}, Case{13, 4}, Case{14, 2 + 35},
                 Case{14, 3 + 36}, Case{15, 1}}) {
    SCOPED_TRACE(std::to_string(c.record) + "/" + std::to_string(c.length));
    putRecord(c.record, Bytes(c.length, 0x11));
    fill(99);
    CGame::rmsMarker = 5;
    CAE::achiGold = 5;
    const bool mark = CGame::menuMarkFlag;
    const auto files = storeFiles();
    test::LogCapture log;
    EXPECT_FALSE(CGame::RMS(false, c.record));
    EXPECT_TRUE(log.contains("not loaded")) << log.text();
    EXPECT_EQ(CGame::rmsMarker, 5);
    EXPECT_EQ(CGame::playCount, -7);
    EXPECT_EQ(CGame::careerWeek, -99);
    EXPECT_EQ(CGame::drawSlots->elements()[0], 99);
    EXPECT_EQ(CTraining::levelBest->elements()[0], 99);
    EXPECT_EQ(CGame::setupValues->elements()[0], 99);
    EXPECT_EQ(CAE::achiGold, 5);
    EXPECT_EQ(CGame::menuMarkFlag, mark);
    EXPECT_EQ(storeFiles(), files);
  }
}

TEST_F(SavedRecordsTest, HasRecordIsTrueOnlyForRecordsWithBytes) {
  EXPECT_TRUE(CGame::hasRecord(1));
  EXPECT_FALSE(CGame::hasRecord(2)) << "the rebuild leaves the others empty";
  EXPECT_FALSE(CGame::hasRecord(0));
  EXPECT_FALSE(CGame::hasRecord(16));
  ASSERT_TRUE(CGame::RMS(true, 2));
  EXPECT_TRUE(CGame::hasRecord(2));
  EXPECT_EQ(takeException(), -1);
}

TEST_F(SavedRecordsTest, ResetEmptiesTheRecordAndResetsItsStatics) {
  CGame::careerRankingPoints = 900;
  CGame::careerStamina = 10;
  CGame::careerStats->elements()[5] = 42;
  CGame::careerLocationState->elements()[3] = 2;
  CTraining::levelBest->elements()[1] = 70;
  CGame::careerName = String::fromCString("ANNA");
  ASSERT_TRUE(CGame::RMS(true, 3));
  CGame::tournamentRound = 3;
  CGame::tournamentResult = 1;
  byteRow(CGame::drawScores, 2)->elements()[1] = 2;
  ASSERT_TRUE(CGame::RMS(true, 4));
  CTraining::game = 0;
  for (int n : {3, 4, 5, 6, 7}) {
    putRecord(n, Bytes{1, 2, 3});
    CGame::resetRMS(n);
    EXPECT_TRUE(record(n).empty()) << n;
    EXPECT_FALSE(CGame::hasRecord(n)) << n;
  }
  EXPECT_EQ(CGame::careerRankingPoints, 20);
  EXPECT_EQ(CGame::careerStamina, 100);
  EXPECT_EQ(CGame::careerStats->elements()[5], 42) << "the last statistic stays";
  EXPECT_EQ(CGame::careerLocationState->elements()[3], 0);
  EXPECT_EQ(CTraining::levelBest->elements()[1], 0);
  EXPECT_EQ(CGame::careerName->length(), 0);
  EXPECT_EQ(CGame::tournamentRound, 0);
  EXPECT_EQ(CGame::tournamentResult, 0);
  EXPECT_TRUE(CGame::tournamentIntro);
  EXPECT_EQ(byteRow(CGame::drawScores, 2)->elements()[1], 0);
  EXPECT_EQ(takeException(), -1);
}

// Two processes on one phone: what the first saves, the second loads.
TEST_F(SavedRecordsTest, AStoreSavedByOneProcessLoadsInAnother) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CGame::careerName = String::fromCString("ZOE");
    CGame::careerRankingPoints = 1234;
    CGame::playCount = 12;
    bool saved = CGame::RMS(true, 3) && CGame::RMS(true, 2);
    _exit(saved ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(CGame::careerRankingPoints, 0) << "nothing shared but the files";
  CGame::initRMS();
  EXPECT_EQ(CGame::rmsMarker, 107);
  ASSERT_TRUE(CGame::RMS(false, 3));
  ASSERT_TRUE(CGame::RMS(false, 2));
  EXPECT_EQ(String::toUtf8(CGame::careerName), "ZOE");
  EXPECT_EQ(CGame::careerRankingPoints, 1234);
  EXPECT_EQ(CGame::playCount, 12);
}

}  // namespace
}  // namespace sorv
