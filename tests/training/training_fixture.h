// Test support for training: the shipped data set loaded as the match's loading tests have
// it, the training pack of that data set, hand-built level records of the four kinds
// (each with its values by name, so a case changes one), a training pack with some of its
// level entries replaced, and the loader and a level run as the shell runs them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/clock.h"
#include "tests/match/loading_fixture.h"
#include "tests/support/runtime_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/training_levels.h"
#include "training/ctraining.h"

namespace sorv::test {

using Units = std::vector<int32_t>;
using Row = std::vector<int32_t>;
// A count taken from the rows.
inline constexpr int32_t kRowsCount = -100000;
inline int32_t countOf(int32_t given, size_t rows) { return given != kRowsCount ? given : static_cast<int32_t>(rows); }

inline int countLinesWith(const std::string& text, const std::string& part) {
  int n = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (text.compare(start, end - start, part) != 0 && text.substr(start, end - start).find(part) != std::string::npos) n++;
    start = end + 1;
  }
  return n;
}

inline void append(Units& to, const Units& more) { to.insert(to.end(), more.begin(), more.end()); }

inline std::vector<uint8_t> bytesOf(const Units& units) {
  std::vector<uint8_t> out;
  for (int32_t v : units) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
  return out;
}

// The ball machine: its row and aim rows; counts, when set, override the rows' number.
struct Machine {
  Row params{2000, 70, 80, 9085, 1000, 6355};
  std::vector<Row> aims{{60, 8000, 24000, 10000, 26000}, {40, 7000, 23000, 11000, 27000}};
  int32_t aimCount = kRowsCount;
  Units encode() const {
    Units u = params;
    u.push_back(countOf(aimCount, aims.size()));
    for (const Row& r : aims) append(u, r);
    return u;
  }
};

struct ServeRecord {
  int32_t goal = 100, balls = 3, base = 50, spare = 7, factor = 3, radius = 700;
  Row rings{40, 25, 10};
  int32_t ringCount = kRowsCount;
  int32_t barrierHeight = 1200, barrierWidth = 2400;
  std::vector<Row> targets{{11000, 14500, 11000, 14500, 0, 0}, {7000, 13000, 9000, 13000, 4, 1},
                           {11000, 14500, 11000, 14500, 0, 0}, {7200, 14500, 7200, 14500, 0, 0}};
  std::vector<Row> barriers{{11000, 17000, 11000, 17000, -1, 0}, {7200, 17200, 9000, 17200, 3, 1},
                            {11000, 17000, 11000, 17000, 0, 0}, {7200, 17000, 7200, 17000, -5, 0}};
  int32_t rowCount = kRowsCount;
  Units encode() const {
    Units u{goal, balls, base, spare, factor, radius, countOf(ringCount, rings.size())};
    append(u, rings);
    append(u, {barrierHeight, barrierWidth, countOf(rowCount, targets.size())});
    for (size_t i = 0; i < targets.size(); i++) {
      append(u, targets[i]);
      append(u, barriers[i]);
    }
    return u;
  }
};

struct PowerRecord {
  int32_t tanks = 3, push = 400, base = 100, bonus = 50, timeBase = 2000, penalty = 5, spare = 9;
  Row slots{5600, 9085, 12500};
  Machine machine;
  int32_t height = 1200, width = 1600;
  std::vector<Row> lanes{{7000, 250}, {8500, 300}};
  int32_t laneCount = kRowsCount;
  Units encode() const {
    Units u{tanks, push, base, bonus, timeBase, penalty, spare};
    append(u, slots);
    append(u, machine.encode());
    append(u, {height, width, countOf(laneCount, lanes.size())});
    for (const Row& r : lanes) append(u, r);
    return u;
  }
};

struct AccuracyRecord {
  int32_t goal = 150, balls = 10, streak = 10;
  Machine machine;
  int32_t spare = 5;
  std::vector<Row> checkPoints{{6800, 9000, 4600, 4600, 0, 3, 50}, {5000, 8000, 4000, 4000, 1, 2, 60},
                               {9000, 8000, 4000, 4000, 2, 1, 70}};
  int32_t checkPointCount = kRowsCount;
  Units encode() const {
    Units u{goal, balls, streak};
    append(u, machine.encode());
    append(u, {spare, countOf(checkPointCount, checkPoints.size())});
    for (const Row& r : checkPoints) append(u, r);
    return u;
  }
};

struct Stage {
  int32_t time = 25000, bonuses = 2;
  std::vector<Row> spots{{25, 7000, 24500, 8000, 25500}, {25, 10200, 24500, 11200, 25500},
                         {50, 7000, 28500, 8000, 29500}};
  int32_t spotCount = kRowsCount;
};

struct StepRecord {
  int32_t time = 999, streak = 10, spare = 4;
  Row bonusShape{1, 2, 1800, 1000, 48};
  Row open{40, 200, 60}, closed{200, 40, 300};
  Row circle{9085, 0, 27500, 1800, 1600, 48};
  std::vector<Stage> stages{Stage{}, Stage{999, 3}};
  int32_t stageCount = kRowsCount;
  Units encode() const {
    Units u{time, streak, spare};
    for (const Row* r : {&bonusShape, &open, &closed, &circle}) append(u, *r);
    u.push_back(countOf(stageCount, stages.size()));
    for (const Stage& s : stages) {
      append(u, {s.time, s.bonuses, countOf(s.spotCount, s.spots.size())});
      for (const Row& r : s.spots) append(u, r);
    }
    return u;
  }
};

class TrainingTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::buildArchive(mkdata::defaultDataDir(), &archive_, &error)) << error;
    ASSERT_TRUE(mkdata::trainingPackEntries(mkdata::defaultDataDir(), &pack_, &error)) << error;
  }

  // The training pack with the game's level entries from the records (level L at its
  // place in the data entry), every other entry as shipped.
  void useLevels(int32_t game, const std::vector<Units>& records, const Units* index = nullptr) {
    Units data, positions;
    for (const Units& r : records) {
      positions.push_back(static_cast<int32_t>(data.size()));
      append(data, r);
    }
    std::vector<std::vector<uint8_t>> entries = pack_;
    entries[static_cast<size_t>(kTrainingLevelData + 2 * game)] = bytesOf(data);
    entries[static_cast<size_t>(kTrainingLevelData + 2 * game + 1)] = bytesOf(index != nullptr ? *index : positions);
    usePack(entries);
  }
  void usePack(const std::vector<std::vector<uint8_t>>& entries) {
    ASSERT_TRUE(archive_.replace("training", mkdata::encodeResourcePack(entries)));
    replaceBar(archive_.build());
  }
  // One record repeated as all five levels of the game.
  void useRecord(int32_t game, const Units& record) { useLevels(game, std::vector<Units>(5, record)); }

  static bool tablesEmpty() {
    using T = CTraining;
    return isNull(T::machineParams) && isNull(T::launchTable) && isNull(T::ringPoints) && isNull(T::targetRows) &&
           isNull(T::barrierRows) && isNull(T::tankParams) && isNull(T::tankLanes) && isNull(T::checkPointRows) &&
           isNull(T::bonusShape) && isNull(T::circleShape) && isNull(T::stageRows) && isNull(T::bonusSpots) &&
           isNull(T::tutorialTexts);
  }
  static std::vector<int32_t> shorts(ShortArray* a) {
    std::vector<int32_t> out;
    for (int32_t i = 0; !isNull(a) && i < a->length; i++) out.push_back(a->elements()[i]);
    return out;
  }
  static std::vector<int32_t> row(ObjectArray* rows, int32_t i) {
    return shorts(static_cast<ShortArray*>(aload(rows, i)));
  }
  static bool runtimeErrors(const std::string& log) {
    return log.find("NullPointer") != std::string::npos || log.find("ArrayOutOfBound") != std::string::npos;
  }

  // The training object as state 43 makes it, for the game and level, and the loader run
  // to its end on the virtual clock.
  static void startTraining(int32_t game, int32_t level) {
    CGame::trainingObject = CTraining::create();
    CTraining::game = static_cast<int8_t>(game);
    CTraining::level = static_cast<int8_t>(level);
    loadTraining();
  }
  static int32_t loadTraining() {
    int32_t calls = 0;
    while (CTraining::Loading() != -1 && calls < 1000) {
      calls++;
      clock::advance(100);
    }
    return calls;
  }

  mkdata::ArchiveWriter archive_;
  std::vector<std::vector<uint8_t>> pack_;
};

}  // namespace sorv::test
