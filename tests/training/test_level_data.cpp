// The level reader on hand-built records: every field of each record kind lands in its
// static, times become frames toward zero, the tutorial only at level 0, and every broken
// record is refused with one log line, every table null and nothing read outside it.
#include <functional>

#include "runtime/array.h"
#include "runtime/util_random.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

class LevelDataTest : public TrainingTest {};

TEST_F(LevelDataTest, ServeRecordFillsItsFields) {
  ServeRecord r;
  useRecord(T::kGameServe, r.encode());
  ASSERT_TRUE(T::loadRawLevelDatas(T::kGameServe, 1));
  EXPECT_EQ(T::goalPoints, 100);
  EXPECT_EQ(T::ballCount, 3);
  EXPECT_EQ(T::basePoints, 50);
  EXPECT_EQ(T::serveSpare, 7);
  EXPECT_EQ(T::speedFactor, 3);
  EXPECT_EQ(T::targetRadius, 700);
  EXPECT_EQ(T::targetRings, 3);
  EXPECT_EQ(shorts(T::ringPoints), (std::vector<int32_t>{40, 25, 10}));
  EXPECT_EQ(T::barrierHeight, 1200);
  EXPECT_EQ(T::barrierWidth, 2400);
  EXPECT_EQ(T::targetRowCount, 4);
  for (int32_t i = 0; i < 4; i++) {
    EXPECT_EQ(row(T::targetRows, i), r.targets[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(row(T::barrierRows, i), r.barriers[static_cast<size_t>(i)]) << i;
  }
  EXPECT_TRUE(isNull(T::machineParams));
  EXPECT_TRUE(isNull(T::tutorialTexts)) << "level 1 has no tutorial";
}

TEST_F(LevelDataTest, PowerRecordFillsItsFieldsAndTheMachine) {
  PowerRecord r;
  r.machine.params[0] = 1999;
  useRecord(T::kGamePower, r.encode());
  ASSERT_TRUE(T::loadRawLevelDatas(T::kGamePower, 2));
  EXPECT_EQ(T::tankCount, 3);
  EXPECT_EQ(T::tankPush, 400);
  EXPECT_EQ(T::basePoints, 100);
  EXPECT_EQ(T::powerBonus, 50);
  EXPECT_EQ(T::timeBase, 2000);
  EXPECT_EQ(T::timePenalty, 5);
  EXPECT_EQ(T::powerSpare, 9);
  EXPECT_EQ(shorts(T::tankParams), (std::vector<int32_t>{5600, 9085, 12500}));
  EXPECT_EQ(shorts(T::machineParams), (std::vector<int32_t>{13, 70, 80, 9085, 1000, 6355})) << "1999 ms is 13 frames";
  ASSERT_EQ(T::launchTable->length, 2);
  EXPECT_EQ(row(T::launchTable, 1), r.machine.aims[1]);
  EXPECT_EQ(T::tankHeight, 1200);
  EXPECT_EQ(T::tankWidth, 1600);
  ASSERT_EQ(T::tankLanes->length, 2);
  EXPECT_EQ(row(T::tankLanes, 1), (std::vector<int32_t>{8500, 300}));
}

TEST_F(LevelDataTest, AccuracyRecordFillsItsFieldsForBothAccuracyGames) {
  AccuracyRecord r;
  r.machine.params[0] = 999;
  for (int32_t game : {T::kGameAccuracy, T::kGameNetAccuracy}) {
    useRecord(game, r.encode());
    ASSERT_TRUE(T::loadRawLevelDatas(game, 4)) << game;
    EXPECT_EQ(T::goalPoints, 150);
    EXPECT_EQ(T::ballCount, 10);
    EXPECT_EQ(T::streakBonus, 10);
    EXPECT_EQ(T::accuracySpare, 5);
    EXPECT_EQ(aload(T::machineParams.get(), 0), 6) << "999 ms";
    ASSERT_EQ(T::checkPointRows->length, 3);
    EXPECT_EQ(row(T::checkPointRows, 2), r.checkPoints[2]);
  }
}

TEST_F(LevelDataTest, StepRecordFillsItsFieldsWithStagesInFrames) {
  StepRecord r;
  r.time = -999;
  useRecord(T::kGameStep, r.encode());
  ASSERT_TRUE(T::loadRawLevelDatas(T::kGameStep, 3));
  EXPECT_EQ(T::stepSpareTime, -6) << "-999 ms";
  EXPECT_EQ(T::streakBonus, 10);
  EXPECT_EQ(T::stepSpare, 4);
  EXPECT_EQ(shorts(T::bonusShape), (std::vector<int32_t>{1, 2, 1800, 1000, 48}));
  EXPECT_EQ(T::circleOpenColour, 40 << 16 | 200 << 8 | 60);
  EXPECT_EQ(T::circleClosedColour, 200 << 16 | 40 << 8 | (300 & 0xFF)) << "each part keeps its low byte";
  EXPECT_EQ(shorts(T::circleShape), r.circle);
  ASSERT_EQ(T::stageRows->length, 2);
  EXPECT_EQ(row(T::stageRows, 0), (std::vector<int32_t>{25000 * 7 / 1000, 2}));
  EXPECT_EQ(row(T::stageRows, 1), (std::vector<int32_t>{6, 3})) << "999 ms is 6 frames";
  ObjectArray* spots = static_cast<ObjectArray*>(aload(T::bonusSpots.get(), 1));
  ASSERT_EQ(spots->length, 3);
  EXPECT_EQ(row(spots, 2), r.stages[1].spots[2]);
}

TEST_F(LevelDataTest, MillisecondsBecomeFramesTowardZero) {
  const int32_t cases[][2] = {{999, 6}, {-999, -6}, {1000, 7}, {142, 0}, {143, 1}, {-143, -1}, {32767, 229}};
  for (const auto& c : cases) EXPECT_EQ(T::msToFrames(c[0]), c[1]) << c[0];
}

TEST_F(LevelDataTest, TutorialTextsOnlyAtLevelZero) {
  const int32_t first[] = {34, 38, 41, 44, 48};
  const int32_t pages[] = {4, 3, 3, 4, 3};
  for (int32_t game = 0; game < T::kGameCount; game++) {
    ASSERT_TRUE(T::loadRawLevelDatas(game, 0)) << game;
    ASSERT_FALSE(isNull(T::tutorialTexts)) << game;
    std::vector<int32_t> want;
    for (int32_t k = 0; k < pages[game]; k++) want.push_back(first[game] + k);
    EXPECT_EQ(shorts(T::tutorialTexts), want) << game;
    for (int32_t level = 1; level < T::kLevelCount; level++) {
      ASSERT_TRUE(T::loadRawLevelDatas(game, level));
      EXPECT_TRUE(isNull(T::tutorialTexts)) << game << " " << level;
    }
  }
}

struct Fault {
  const char* what;
  int32_t game;
  std::function<Units()> record;
  const char* field;
};

Units cut(Units u, size_t keep) {
  u.resize(keep);
  return u;
}

const std::vector<Fault>& faults() {
  static const std::vector<Fault> list = {
      // Counts and positions.
      {"serve cut in its values", 0, [] { return cut(ServeRecord{}.encode(), 5); }, "serve values"},
      {"no rings", 0, [] { ServeRecord r; r.ringCount = 0; r.rings.clear(); return r.encode(); }, "rings"},
      {"rings past the entry", 0, [] { ServeRecord r; r.ringCount = 3000; return r.encode(); }, "ring points"},
      {"negative rings", 0, [] { ServeRecord r; r.ringCount = -2; return r.encode(); }, "rings"},
      {"no target rows", 0, [] { ServeRecord r; r.rowCount = 0; return r.encode(); }, "target rows"},
      {"target rows past the entry", 0, [] { ServeRecord r; r.rowCount = 5; return r.encode(); }, "target rows"},
      {"aim rows past the entry", 1, [] { PowerRecord r; r.machine.aimCount = 200; return r.encode(); }, "aim rows"},
      {"no aim rows", 1, [] { PowerRecord r; r.machine.aimCount = 0; r.machine.aims.clear(); return r.encode(); }, "aim rows"},
      {"machine cut", 2, [] { return cut(AccuracyRecord{}.encode(), 6); }, "machine"},
      {"no lanes", 1, [] { PowerRecord r; r.laneCount = 0; r.lanes.clear(); return r.encode(); }, "lanes"},
      {"lanes past the entry", 1, [] { PowerRecord r; r.laneCount = 3; return r.encode(); }, "lanes"},
      {"no checkpoints", 2, [] { AccuracyRecord r; r.checkPointCount = 0; r.checkPoints.clear(); return r.encode(); }, "checkpoint rows"},
      {"checkpoints past the entry", 4, [] { AccuracyRecord r; r.checkPointCount = 4; return r.encode(); }, "checkpoint rows"},
      {"no stages", 3, [] { StepRecord r; r.stageCount = 0; r.stages.clear(); return r.encode(); }, "stages"},
      {"stages past the entry", 3, [] { StepRecord r; r.stageCount = 3; return r.encode(); }, "stages"},
      {"no spot rows", 3, [] { StepRecord r; r.stages[1].spotCount = 0; r.stages[1].spots.clear(); return r.encode(); }, "spot rows"},
      {"spot rows past the entry", 3, [] { StepRecord r; r.stages[1].spotCount = 4; return r.encode(); }, "spot rows"},
      {"step cut", 3, [] { return cut(StepRecord{}.encode(), 12); }, "step values"},
      // Counts that must be at least one, and objects that must fit.
      {"no balls", 0, [] { ServeRecord r; r.balls = 0; return r.encode(); }, "ball count"},
      {"no tanks", 1, [] { PowerRecord r; r.tanks = 0; return r.encode(); }, "tank count"},
      {"no accuracy balls", 2, [] { AccuracyRecord r; r.balls = -1; return r.encode(); }, "ball count"},
      {"four lanes", 1, [] { PowerRecord r; r.lanes = {{7000, 250}, {7000, 250}, {7000, 250}, {7000, 250}}; return r.encode(); }, "lanes"},
      {"eleven bonuses", 3, [] { StepRecord r; r.stages[0].bonuses = 11; r.stages[0].spots.assign(12, Row{8, 7000, 24500, 8000, 25500}); return r.encode(); }, "stage bonuses"},
      {"no bonus", 3, [] { StepRecord r; r.stages[0].bonuses = 0; return r.encode(); }, "stage bonuses"},
      {"more bonuses than weighted spots", 3, [] { StepRecord r; r.stages[0].bonuses = 3; r.stages[0].spots[2][0] = 0; r.stages[0].spots[0][0] = 75; return r.encode(); }, "stage bonuses"},
      {"machine too quick for the free slots", 1, [] { PowerRecord r; r.machine.params[0] = 1000; return r.encode(); }, "machine interval"},
      {"machine interval of no frame", 2, [] { AccuracyRecord r; r.machine.params[0] = 100; return r.encode(); }, "machine interval"},
      // Rectangles, weights, speeds and times.
      {"flight min above max", 4, [] { AccuracyRecord r; r.machine.params[1] = 90; return r.encode(); }, "flight time"},
      {"aim x min above max", 1, [] { PowerRecord r; r.machine.aims[0][1] = 12000; return r.encode(); }, "aim rows"},
      {"aim z min above max", 2, [] { AccuracyRecord r; r.machine.aims[1][2] = 28000; return r.encode(); }, "aim rows"},
      {"negative aim weight", 1, [] { PowerRecord r; r.machine.aims[0][0] = -10; return r.encode(); }, "aim rows"},
      {"spot x min above max", 3, [] { StepRecord r; r.stages[1].spots[0][1] = 9000; return r.encode(); }, "spot rows"},
      {"negative spot weight", 3, [] { StepRecord r; r.stages[0].spots[2][0] = -50; return r.encode(); }, "spot rows"},
      {"standing tanks", 1, [] { PowerRecord r; r.lanes[1][1] = 0; return r.encode(); }, "lane speed"},
      {"reversing tanks", 1, [] { PowerRecord r; r.lanes[0][1] = -250; return r.encode(); }, "lane speed"},
      {"stage without time", 3, [] { StepRecord r; r.stages[0].time = 100; return r.encode(); }, "stage time"},
      // The ring maths.
      {"rings above 58", 0, [] { ServeRecord r; r.rings.assign(59, 1); r.radius = 900; return r.encode(); }, "rings"},
      {"radius below the rings", 0, [] { ServeRecord r; r.radius = 2; return r.encode(); }, "target radius"},
  };
  return list;
}

TEST_F(LevelDataTest, EveryBrokenRecordIsRefusedWithOneLineAndNoTable) {
  for (const Fault& f : faults()) {
    // The broken record is the data entry's last: a count past it runs off the entry.
    const Units good = f.game == 0 ? ServeRecord{}.encode() : f.game == 1 ? PowerRecord{}.encode()
                       : f.game == 3 ? StepRecord{}.encode() : AccuracyRecord{}.encode();
    useLevels(f.game, {good, good, f.record()});
    LogCapture log;
    EXPECT_FALSE(T::loadRawLevelDatas(f.game, 2)) << f.what;
    const std::string text = log.text();
    const std::string want = "game " + std::to_string(f.game) + " level 2: bad " + f.field;
    EXPECT_EQ(countLinesWith(text, "loadRawLevelDatas"), 1) << f.what << "\n" << text;
    EXPECT_NE(text.find(want), std::string::npos) << f.what << "\n" << text;
    EXPECT_FALSE(runtimeErrors(text)) << f.what << "\n" << text;
    EXPECT_TRUE(tablesEmpty()) << f.what;
  }
}

TEST_F(LevelDataTest, ABrokenLevelBuildsNothing) {
  ServeRecord r;
  r.radius = 1;
  useRecord(T::kGameServe, r.encode());
  startTraining(T::kGameServe, 1);
  LogCapture log;
  T::newLevel(T::kGameServe, 1);
  EXPECT_TRUE(isNull(T::player)) << "no player";
  EXPECT_TRUE(isNull(T::target));
  EXPECT_EQ(CGame::p_size(T::objectList), 0);
  EXPECT_FALSE(runtimeErrors(log.text())) << log.text();
}

TEST_F(LevelDataTest, IndexAndTutorialPositionsAreChecked) {
  ServeRecord r;
  const Units shortIndex{0, 0};
  useLevels(T::kGameServe, {r.encode()}, &shortIndex);
  LogCapture log;
  EXPECT_FALSE(T::loadRawLevelDatas(T::kGameServe, 3));
  EXPECT_TRUE(log.contains("game 0 level 3: bad level index")) << log.text();
  const Units farIndex{0, 5000, -3, 0, 0};
  useLevels(T::kGameServe, {r.encode()}, &farIndex);
  EXPECT_FALSE(T::loadRawLevelDatas(T::kGameServe, 1));
  EXPECT_FALSE(T::loadRawLevelDatas(T::kGameServe, 2));
  EXPECT_TRUE(T::loadRawLevelDatas(T::kGameServe, 3));

  // The tutorial's position, its page count and pages beyond the game's texts.
  for (const Units& tutorial : {Units{}, Units{7}, Units{0}, Units{5}, Units{-1}}) {
    std::vector<std::vector<uint8_t>> entries = pack_;
    entries[kTrainingTutorialData + 2 * 1] = bytesOf(tutorial.empty() ? Units{} : Units{tutorial[0]});
    entries[kTrainingTutorialData + 2 * 1 + 1] = bytesOf(Units{0});
    if (tutorial.empty()) entries[kTrainingTutorialData + 2 * 1 + 1] = bytesOf(Units{3});
    usePack(entries);
    log.clear();
    EXPECT_FALSE(T::loadRawLevelDatas(T::kGamePower, 0)) << (tutorial.empty() ? 99 : tutorial[0]);
    EXPECT_TRUE(log.contains("bad tutorial")) << log.text();
    EXPECT_TRUE(tablesEmpty());
    EXPECT_TRUE(T::loadRawLevelDatas(T::kGamePower, 1)) << "only level 0 reads the tutorial";
  }
}

TEST_F(LevelDataTest, GamesAndLevelsOutsideTheTableReadNothing) {
  for (auto [g, l] : {std::pair{-1, 0}, std::pair{5, 0}, std::pair{0, 5}, std::pair{2, -1}}) {
    LogCapture log;
    EXPECT_FALSE(T::loadRawLevelDatas(g, l));
    EXPECT_TRUE(log.contains("bad game")) << log.text();
    EXPECT_TRUE(tablesEmpty());
  }
}

ObjectArray* table(const std::vector<Row>& rows) {
  ObjectArray* t = Array::newObjectArray(kShortArray, static_cast<int32_t>(rows.size()));
  for (size_t i = 0; i < rows.size(); i++) {
    ShortArray* r = Array::newShortArray(5);
    for (int32_t k = 0; k < 5; k++) astore(r, k, static_cast<int16_t>(rows[i][static_cast<size_t>(k)]));
    astore(t, static_cast<int32_t>(i), r);
  }
  return t;
}

// A generator whose next int is r: nextInt returns the seed's top 32 bits after one step,
// so the roll is found by trying seeds.
void seedForRoll(int32_t roll) {
  for (int64_t s = 0;; s++) {
    CGame::random->setSeed(s);
    const int32_t r = CGame::random->nextInt();
    if ((r & 0x7FFFFFFF) % 100 + 1 == roll) {
      CGame::random->setSeed(s);
      return;
    }
  }
}

TEST_F(LevelDataTest, GetProbRootWalksTheWeights) {
  ObjectArray* rows = table({{0, 1, 1, 1, 1}, {30, 100, 200, 300, 401}, {50, 1000, 2000, 3000, 4000}, {20, 7, 8, 9, 10}});
  IntArray* out = Array::newIntArray(3);
  struct Case {
    int32_t roll, row;
  };
  for (const Case c : {Case{1, 1}, Case{30, 1}, Case{31, 2}, Case{80, 2}, Case{81, 3}, Case{100, 3}}) {
    seedForRoll(c.roll);
    EXPECT_EQ(T::getProbRoot(out, rows, false), c.row) << c.roll;
  }
  seedForRoll(50);
  EXPECT_EQ(T::getProbRoot(out, rows, false), 2);
  EXPECT_EQ(aload(out, 0), 2000) << "the middle without random";
  EXPECT_EQ(aload(out, 1), 0);
  EXPECT_EQ(aload(out, 2), 3000);
  seedForRoll(10);
  EXPECT_EQ(T::getProbRoot(out, rows, false), 1);
  EXPECT_EQ(aload(out, 2), (200 + 401) >> 1);
  // A roll past the weights' sum takes the last row.
  ObjectArray* light = table({{10, 1, 1, 3, 3}, {20, 5, 5, 9, 9}});
  for (int32_t roll : {31, 77, 100}) {
    seedForRoll(roll);
    EXPECT_EQ(T::getProbRoot(out, light, false), 1) << roll;
    EXPECT_EQ(aload(out, 0), 7);
  }
  // With random the point lies in the rectangle.
  for (int32_t i = 0; i < 50; i++) {
    const int32_t k = T::getProbRoot(out, rows, true);
    ShortArray* r = static_cast<ShortArray*>(aload(rows, k));
    EXPECT_GE(aload(out, 0), aload(r, 1));
    EXPECT_LE(aload(out, 0), aload(r, 3));
    EXPECT_GE(aload(out, 2), aload(r, 2));
    EXPECT_LE(aload(out, 2), aload(r, 4));
    EXPECT_EQ(aload(out, 1), 0);
  }
}

}  // namespace
}  // namespace sorv::test
