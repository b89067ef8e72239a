// The career's formulas on tables set here: world rank from points, the attribute levels and
// the 0..100 display scale at every threshold, the bars' font palettes, a training game's
// gain by kind and the preset points of a new avatar.
#include <gtest/gtest.h>

#include <algorithm>

#include <initializer_list>
#include <vector>

#include "game/cgame.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

constexpr int16_t kT[] = {100, 250, 450, 700, 1000};
constexpr int16_t kGains[] = {20, 30, 45, 60, 80};

ShortArray* shorts(std::initializer_list<int16_t> values) {
  ShortArray* a = Array::newShortArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int16_t v : values) a->elements()[i++] = v;
  return a;
}

std::vector<int32_t> ints(IntArray* a) { return {a->elements(), a->elements() + a->length}; }

void setInts(IntArray* a, std::vector<int32_t> values) {
  for (size_t i = 0; i < values.size(); i++) a->elements()[i] = values[i];
}

class CareerLevelsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    CGame::attrThresholds = shorts({kT[0], kT[1], kT[2], kT[3], kT[4]});
    CGame::attrGainTable = shorts({kGains[0], kGains[1], kGains[2], kGains[3], kGains[4]});
    ObjectArray* presets = Array::newObjectArray(kByteArray, 3);
    CGame::attrPresets = presets;
    presets->elements()[0] = bytes({3, 2, 2, 4, 3});
    presets->elements()[1] = bytes({2, 4, 3, 2, 3});
    presets->elements()[2] = bytes({1, 5, 1, 5, 1});
  }
};

TEST_F(CareerLevelsTest, WorldRankRunsFrom200At20PointsTo1At2010) {
  struct Case {
    int32_t points, rank;
  };
  for (Case c : {Case{20, 200}, Case{29, 200}, Case{30, 199}, Case{2010, 1}, Case{2500, 1}, Case{10, 201},
                 Case{1000, 102}}) {
    SCOPED_TRACE(c.points);
    EXPECT_EQ(CGame::mapPts2Rank(c.points), c.rank);
  }
  // A rank's lowest points give that rank back, one point less the next worse one.
  for (int32_t rank : {199, 150, 102, 2}) {
    SCOPED_TRACE(rank);
    EXPECT_EQ(CGame::mapPts2Rank(CGame::mapRank2Pts(rank)), rank);
    EXPECT_EQ(CGame::mapPts2Rank(CGame::mapRank2Pts(rank) - 1), rank + 1);
  }
}

TEST_F(CareerLevelsTest, LevelsAndTheDisplayScaleAtEveryThreshold) {
  struct Case {
    int32_t points, level, scale;
  };
  const Case cases[] = {
      {kT[0] - 1, -1, -1}, {kT[0], 1, 20},      {kT[1], 2, 40},      {kT[2], 3, 60},
      {kT[3], 4, 80},      {kT[4] - 1, 4, 99},  {kT[4], 5, 100},     {5000, 5, 100},
      {175, 1, 30},        {kT[1] - 1, 1, 39},  {-30, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.points);
    EXPECT_EQ(CGame::mapAttrPtToLv(c.points), c.level);
    EXPECT_EQ(CGame::mapAttrPtTo100(c.points), c.scale);
  }
}

TEST_F(CareerLevelsTest, TheArraysMapEachAttributeAndKeepMatchLevelsAtOneOrMore) {
  setInts(CGame::careerAttrPts, {kT[0] - 1, kT[0], kT[2], kT[4] - 1, kT[4]});
  ByteArray* levels = CGame::makeAttrLvArray();
  ByteArray* shown = CGame::makeAttrPtsArray();
  EXPECT_EQ(std::vector<int8_t>(levels->elements(), levels->elements() + 5), (std::vector<int8_t>{1, 1, 3, 4, 5}));
  EXPECT_EQ(std::vector<int8_t>(shown->elements(), shown->elements() + 5), (std::vector<int8_t>{-1, 20, 60, 99, 100}));
}

TEST_F(CareerLevelsTest, MissingThresholdsReadAsBelowTheScale) {
  CGame::attrThresholds = shorts({100, 200});
  EXPECT_EQ(CGame::mapAttrPtToLv(500), -1);
  EXPECT_EQ(CGame::mapAttrPtTo100(500), -1);
  CGame::attrThresholds = nullptr;
  EXPECT_EQ(CGame::mapAttrPtTo100(500), -1);
  EXPECT_EQ(takeException(), -1);
}

TEST_F(CareerLevelsTest, FontPaletteByFifthOfTheScale) {
  struct Case {
    int32_t value, palette;
  };
  for (Case c : {Case{0, 4}, Case{20, 4}, Case{21, 1}, Case{40, 1}, Case{41, 5}, Case{60, 5}, Case{61, 3},
                 Case{80, 3}, Case{81, 2}, Case{100, 2}, Case{101, 0}, Case{-1, 0}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(CGame::getAbiFontPal(c.value), c.palette);
  }
}

// Each kind's attributes gain the level's points; kinds 2 and 3 add gain x 100 / T4 of mental.
TEST_F(CareerLevelsTest, ATrainingGameGainsByItsKind) {
  const std::vector<int32_t> start = {200, 300, 400, 500, 600};
  struct Case {
    int32_t kind, level;
    std::vector<int32_t> points;
    int32_t mental;
  };
  const Case cases[] = {
      {0, 0, {200, 300, 420, 500, 620}, 40},
      {1, 1, {200, 330, 400, 530, 600}, 40},
      {2, 2, {245, 300, 400, 500, 600}, 44},  // 45 / 10, truncated
      {3, 4, {200, 300, 400, 580, 600}, 48},
      {4, 3, {260, 300, 400, 500, 660}, 40},
      {5, 4, start, 40},
      {-1, 4, start, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    setInts(CGame::careerAttrPts, start);
    setInts(CGame::careerAttrPtsPrev, {0, 0, 0, 0, 0});
    CGame::careerMental = 40;
    CGame::UpdateCareerAbilityLv(c.kind, c.level);
    EXPECT_EQ(ints(CGame::careerAttrPts), c.points);
    EXPECT_EQ(ints(CGame::careerAttrPtsPrev), start) << "the points before the gain";
    EXPECT_EQ(CGame::careerMental, c.mental);
  }
}

TEST_F(CareerLevelsTest, MentalStopsAt100AndPointsAreNotCapped) {
  setInts(CGame::careerAttrPts, {990, 0, 0, 0, 0});
  CGame::careerMental = 97;
  CGame::UpdateCareerAbilityLv(2, 4);
  EXPECT_EQ(CGame::careerMental, 100);
  EXPECT_EQ(CGame::careerAttrPts->elements()[0], 1070);
}

// A career training game's tiredness comes off the stamina on its 0..100 scale, as mental's
// gains go on (x 100 / T4), and never below 0.
TEST_F(CareerLevelsTest, ATrainingGameTakesStaminaOnTheMentalScale) {
  const struct {
    int32_t before, amount, after;
  } cases[] = {{100, 200, 100 - 200 * 100 / kT[4]}, {30, 200, std::max(0, 30 - 200 * 100 / kT[4])},
               {100, 0, 100}, {5, 1000, 0}};
  for (const auto& c : cases) {
    CGame::careerStamina = static_cast<int8_t>(c.before);
    CGame::reduceStamina(c.amount);
    EXPECT_EQ(CGame::careerStamina, c.after) << c.before << " - " << c.amount;
  }
  CGame::attrThresholds = nullptr;
  CGame::careerStamina = 60;
  CGame::reduceStamina(200);
  EXPECT_EQ(CGame::careerStamina, 60) << "without the thresholds nothing is taken";
}

TEST_F(CareerLevelsTest, ALevelWithoutAGainChangesNothingAndSaysSo) {
  setInts(CGame::careerAttrPts, {200, 300, 400, 500, 600});
  CGame::careerMental = 40;
  for (int32_t level : {-1, 5}) {
    SCOPED_TRACE(level);
    LogCapture log;
    CGame::UpdateCareerAbilityLv(0, level);
    EXPECT_TRUE(log.contains("no training gain")) << log.text();
    EXPECT_EQ(ints(CGame::careerAttrPts), (std::vector<int32_t>{200, 300, 400, 500, 600}));
    EXPECT_EQ(CGame::careerMental, 40);
  }
  EXPECT_EQ(takeException(), -1);
}

// At creation each attribute takes T(level - 1) of its style's preset, the previous points too.
TEST_F(CareerLevelsTest, ANewAvatarStartsAtItsStylesPresetPoints) {
  struct Case {
    int32_t style;
    std::vector<int32_t> points;
  };
  const Case cases[] = {
      {0, {kT[2], kT[1], kT[1], kT[3], kT[2]}},
      {1, {kT[1], kT[3], kT[2], kT[1], kT[2]}},
      {2, {kT[0], kT[4], kT[0], kT[4], kT[0]}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    CGame::careerStyle = c.style;
    setInts(CGame::careerAttrPtsPrev, {1, 1, 1, 1, 1});
    CGame::setCareerPresetAttributes();
    EXPECT_EQ(ints(CGame::careerAttrPts), c.points);
    EXPECT_EQ(ints(CGame::careerAttrPtsPrev), c.points);
  }
}

TEST_F(CareerLevelsTest, ABadPresetGivesLevelOneWithALogLine) {
  static_cast<ByteArray*>(CGame::attrPresets->elements()[1])->elements()[3] = 9;
  struct Case {
    int32_t style;
    std::vector<int32_t> points;
    const char* line;
  };
  const Case cases[] = {
      {1, {kT[1], kT[3], kT[2], kT[0], kT[2]}, "has level 9"},
      {7, {kT[0], kT[0], kT[0], kT[0], kT[0]}, "no preset for style 7"},
      {-1, {kT[0], kT[0], kT[0], kT[0], kT[0]}, "no preset for style -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    CGame::careerStyle = c.style;
    LogCapture log;
    CGame::setCareerPresetAttributes();
    EXPECT_TRUE(log.contains(c.line)) << log.text();
    EXPECT_EQ(ints(CGame::careerAttrPts), c.points);
  }
  EXPECT_EQ(takeException(), -1);
}

}  // namespace
}  // namespace sorv::test
