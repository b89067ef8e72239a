// Record 3, the career: the bytes of a newly created career, its name of eight letters, and
// each byte used as an index, or number held to a range, brought back inside on loading with
// one log line for the record.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "runtime/string.h"
#include "tests/game/saved_fixture.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using test::Bytes;

constexpr const char* kRangeLine = "RMS: record 3 has values outside their ranges";

ByteArray* bytes(std::initializer_list<int8_t> values) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int8_t v : values) a->elements()[i++] = v;
  return a;
}

// Rows of 0..n-1, one per length.
ObjectArray* identityRows(std::initializer_list<int32_t> lengths) {
  ObjectArray* rows = Array::newObjectArray(kByteArray, static_cast<int32_t>(lengths.size()));
  int32_t r = 0;
  for (int32_t n : lengths) {
    ByteArray* row = Array::newByteArray(n);
    for (int32_t i = 0; i < n; i++) row->elements()[i] = static_cast<int8_t>(i);
    rows->elements()[r++] = row;
  }
  return rows;
}

std::vector<int32_t> valuesOf(ByteArray* a) { return {a->elements(), a->elements() + a->length}; }
std::vector<int32_t> valuesOf(IntArray* a) { return {a->elements(), a->elements() + a->length}; }

void setBytes(ByteArray* a, std::vector<int32_t> values) {
  for (size_t i = 0; i < values.size(); i++) a->elements()[i] = static_cast<int8_t>(values[i]);
}

void putLe32(Bytes& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; i++) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

int countLines(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
  return n;
}

class CareerRecordTest : public test::SavedDataTest {
 protected:
  void SetUp() override {
    SavedDataTest::SetUp();
    // The tables the array tree gives at boot, as the shipped data holds them.
    CGame::rosterKinds = Array::newByteArray(36);
    ShortArray* t = Array::newShortArray(5);
    const int16_t thresholds[] = {100, 250, 450, 700, 1000};
    for (int32_t i = 0; i < 5; i++) t->elements()[i] = thresholds[i];
    CGame::attrThresholds = t;
    ObjectArray* presets = Array::newObjectArray(kByteArray, 3);
    CGame::attrPresets = presets;
    presets->elements()[0] = bytes({3, 2, 2, 4, 3});
    presets->elements()[1] = bytes({2, 4, 3, 2, 3});
    presets->elements()[2] = bytes({3, 3, 4, 2, 2});
    CGame::lookItemOptions = identityRows({4, 6, 7, 5, 6, 3, 4});
    CGame::initRMS();
  }

  // A career as the name entry, the avatar screen and the lobby's first save leave it.
  static void createCareer() {
    CGame::resetRMS(CGame::kCareerRecord);
    CGame::careerName = String::fromCString("MARTINEZ");
    CGame::careerAvatarKind = 1;
    astore(CGame::matchSettings.get(), 0, 0);
    CGame::careerMental = CGame::careerMentalPrev = 40;
    CGame::careerStyle = 1;
    CGame::setCareerPresetAttributes();
    CGame::careerHome = 9;
    setBytes(CGame::careerLook, {2, 5, 0, 4, 1, 2, 3});
    CGame::resetAllTournamentPlayable();
    CGame::careerWeek = 0;
    CGame::careerTarget = 1;
  }
};

TEST_F(CareerRecordTest, ACreatedCareerIsSavedInItsLayoutAndLoadsBack) {
  createCareer();
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  Bytes expected(89, 0);
  const std::vector<uint8_t> head = {1, 1, 'M', 'A', 'R', 'T', 'I', 'N', 'E', 'Z', 2, 5, 0, 4, 1, 2, 3, 9, 0, 1, 0,
                                     20, 0, 0, 0};
  std::copy(head.begin(), head.end(), expected.begin());
  const std::vector<uint8_t> points = {0xFA, 0, 0xBC, 2, 0xC2, 1, 0xFA, 0, 0xC2, 1, 40, 100};
  std::copy(points.begin(), points.end(), expected.begin() + 30);
  EXPECT_EQ(test::hex(record(CGame::kCareerRecord)), test::hex(expected));

  CGame::careerName = String::fromCString("X");
  CGame::careerStyle = CGame::careerHome = CGame::careerTarget = 0;
  CGame::careerMentalPrev = 0;
  setBytes(CGame::careerLook, {0, 0, 0, 0, 0, 0, 0});
  test::LogCapture log;
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_EQ(String::toUtf8(CGame::careerName), "MARTINEZ") << "eight letters, none lost";
  EXPECT_EQ(CGame::careerStyle, 1);
  EXPECT_EQ(CGame::careerHome, 9);
  EXPECT_EQ(CGame::careerTarget, 1);
  EXPECT_EQ(valuesOf(CGame::careerLook), (std::vector<int32_t>{2, 5, 0, 4, 1, 2, 3}));
  EXPECT_EQ(valuesOf(CGame::careerAttrPts), (std::vector<int32_t>{250, 700, 450, 250, 450}));
  EXPECT_EQ(valuesOf(CGame::careerAttrPtsPrev), valuesOf(CGame::careerAttrPts));
  EXPECT_EQ(CGame::careerMentalPrev, 40);
  EXPECT_EQ(CGame::rosterKinds->elements()[17], 1);
  EXPECT_EQ(log.text().find(kRangeLine), std::string::npos) << log.text();
}

// Each field outside its range, alone: the new career's value (points, stamina and mental held
// to their ends) and the line that names it.
TEST_F(CareerRecordTest, EachValueOutsideItsRangeTakesTheNewCareersWithALogLine) {
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    std::function<void()> check;
    const char* line;
  };
  const Case cases[] = {
      {"week past the calendar", [](Bytes& b) { b[18] = 54; }, [] { EXPECT_EQ(CGame::careerWeek, 0); },
       "week 54 -> 0"},
      {"negative week", [](Bytes& b) { b[18] = 0xFF; }, [] { EXPECT_EQ(CGame::careerWeek, 0); }, "week -1 -> 0"},
      {"target past week 0's two places", [](Bytes& b) { b[19] = 2; }, [] { EXPECT_EQ(CGame::careerTarget, 0); },
       "target 2 -> 0"},
      {"target past a bad week's", [](Bytes& b) {
         b[18] = 60;
         b[19] = 5;
       },
       [] {
         EXPECT_EQ(CGame::careerWeek, 0);
         EXPECT_EQ(CGame::careerTarget, 0);
       },
       "week 60 -> 0, target 5 -> 0"},
      {"home", [](Bytes& b) { b[17] = 14; }, [] { EXPECT_EQ(CGame::careerHome, 0); }, "home 14 -> 0"},
      {"style", [](Bytes& b) { b[0] = 3; }, [] { EXPECT_EQ(CGame::careerStyle, 0); }, "style 3 -> 0"},
      {"a look past its options", [](Bytes& b) { b[15] = 3; },
       [] { EXPECT_EQ(valuesOf(CGame::careerLook), (std::vector<int32_t>{2, 5, 0, 4, 1, 0, 3})); },
       "look 5 3 -> 0"},
      {"a negative look", [](Bytes& b) { b[10] = 0x80; }, [] { EXPECT_EQ(CGame::careerLook->elements()[0], 0); },
       "look 0 -128 -> 0"},
      {"a location state", [](Bytes& b) { b[88] = 3; },
       [] { EXPECT_EQ(CGame::careerLocationState->elements()[28], 0); }, "location 28 3 -> 0"},
      {"a training level", [](Bytes& b) { b[58] = 6; },
       [] { EXPECT_EQ(CTraining::unlockedLevels->elements()[4], 0); }, "training level 4 6 -> 0"},
      {"too many points", [](Bytes& b) { putLe32(b, 21, 5000); },
       [] { EXPECT_EQ(CGame::careerRankingPoints, 2010); }, "points 5000 -> 2010"},
      {"too few points", [](Bytes& b) { putLe32(b, 21, -3); }, [] { EXPECT_EQ(CGame::careerRankingPoints, 20); },
       "points -3 -> 20"},
      {"stamina", [](Bytes& b) { b[41] = 101; }, [] { EXPECT_EQ(CGame::careerStamina, 100); },
       "stamina 101 -> 100"},
      {"negative stamina", [](Bytes& b) { b[41] = 0xFB; }, [] { EXPECT_EQ(CGame::careerStamina, 0); },
       "stamina -5 -> 0"},
      {"mental", [](Bytes& b) { b[40] = 120; },
       [] {
         EXPECT_EQ(CGame::careerMental, 100);
         EXPECT_EQ(CGame::careerMentalPrev, 100);
       },
       "mental 120 -> 100"},
  };
  createCareer();
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  const Bytes good = record(CGame::kCareerRecord);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes damaged = good;
    c.damage(damaged);
    putRecord(CGame::kCareerRecord, damaged);
    test::LogCapture log;
    ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
    c.check();
    EXPECT_EQ(countLines(log.text(), kRangeLine), 1) << log.text();
    EXPECT_NE(log.text().find(c.line), std::string::npos) << log.text();
    // The rest of the career as saved.
    EXPECT_EQ(String::toUtf8(CGame::careerName), "MARTINEZ");
    EXPECT_EQ(valuesOf(CGame::careerAttrPts), (std::vector<int32_t>{250, 700, 450, 250, 450}));
  }
  EXPECT_EQ(takeException(), -1);
}

TEST_F(CareerRecordTest, EdgesOfEachRangeLoadAsSaved) {
  createCareer();
  CGame::careerWeek = 53;
  CGame::careerTarget = 6;  // the last of week 53's seven places
  CGame::careerHome = 13;
  CGame::careerStyle = 2;
  setBytes(CGame::careerLook, {3, 5, 6, 4, 5, 2, 3});
  setBytes(CTraining::unlockedLevels, {5, 0, 5, 0, 5});
  CGame::careerLocationState->elements()[0] = 2;
  CGame::careerRankingPoints = 2010;
  CGame::careerStamina = 0;
  CGame::careerMental = 100;
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  test::LogCapture log;
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_EQ(log.text().find(kRangeLine), std::string::npos) << log.text();
  EXPECT_EQ(CGame::careerWeek, 53);
  EXPECT_EQ(CGame::careerTarget, 6);
  EXPECT_EQ(CGame::careerHome, 13);
  EXPECT_EQ(CGame::careerStyle, 2);
  EXPECT_EQ(valuesOf(CGame::careerLook), (std::vector<int32_t>{3, 5, 6, 4, 5, 2, 3}));
  EXPECT_EQ(valuesOf(CTraining::unlockedLevels), (std::vector<int32_t>{5, 0, 5, 0, 5}));
  EXPECT_EQ(CGame::careerLocationState->elements()[0], 2);
  EXPECT_EQ(CGame::careerRankingPoints, 2010);
  EXPECT_EQ(CGame::careerStamina, 0);
  EXPECT_EQ(CGame::careerMental, 100);
}

// Several faults in one record still give one line.
TEST_F(CareerRecordTest, ManyFaultsAreOneLine) {
  createCareer();
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  Bytes damaged = record(CGame::kCareerRecord);
  for (size_t at : {0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 41, 54, 60, 61, 62}) damaged[at] = 0x7F;
  putRecord(CGame::kCareerRecord, damaged);
  test::LogCapture log;
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_EQ(countLines(log.text(), kRangeLine), 1) << log.text();
  EXPECT_EQ(CGame::careerWeek, 0);
  EXPECT_EQ(CGame::careerHome, 0);
  EXPECT_EQ(valuesOf(CGame::careerLook), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0}));
}

// A boot that did not load the look options keeps the saved looks for a later one.
TEST_F(CareerRecordTest, WithoutTheLookTablesTheSavedLooksStay) {
  createCareer();
  setBytes(CGame::careerLook, {9, 9, 9, 9, 9, 9, 9});
  ASSERT_TRUE(CGame::RMS(true, CGame::kCareerRecord));
  CGame::lookItemOptions = nullptr;
  ASSERT_TRUE(CGame::RMS(false, CGame::kCareerRecord));
  EXPECT_EQ(valuesOf(CGame::careerLook), (std::vector<int32_t>{9, 9, 9, 9, 9, 9, 9}));
  EXPECT_EQ(takeException(), -1);
}

}  // namespace
}  // namespace sorv
