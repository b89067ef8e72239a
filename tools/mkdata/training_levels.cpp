#include "tools/mkdata/training_levels.h"

#include <cstddef>
#include <initializer_list>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::mkdata {
namespace {

constexpr int kLevelsPerGame = 5;
constexpr int kNoBarrier = -1;  // a negative barrier time leaves the row without a barrier

std::vector<uint8_t> shorts(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
  return out;
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// Ball machine: interval (ms x 7 / 1000), flight min and max, start x, y, z; one landing row
// {weight, x min, z min, x max, z max} taking all the weight.
std::vector<uint8_t> ballMachine() { return shorts({7, 1, 1, 0, 0, 0, 1, 100, 0, 0, 0, 0}); }

// goal, balls, base points, unused, speed factor, radius, rings 1, ring points, barrier
// height and width, one target row and its barrier row.
std::vector<uint8_t> serveRecord() {
  return shorts({1, 1, 1, 0, 1, 10, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, kNoBarrier, 0});
}

// tanks, push, base points, power bonus, time base, time penalty, unused, three tank values,
// the ball machine, tank height and width, one lane {start z, speed}.
std::vector<uint8_t> powerRecord() {
  std::vector<uint8_t> r = shorts({1, 0, 1, 0, 1, 0, 0, 0, 0, 0});
  append(r, ballMachine());
  append(r, shorts({1, 1, 1, 0, 1}));
  return r;
}

// goal, balls, streak bonus, the ball machine, unused, one checkpoint {x, z, width, depth,
// frame, animation, points}.
std::vector<uint8_t> accuracyRecord() {
  std::vector<uint8_t> r = shorts({1, 1, 0});
  append(r, ballMachine());
  append(r, shorts({0, 1, 0, 0, 1, 1, 0, 0, 1}));
  return r;
}

// time, streak bonus, unused, bonus shape, colours A and B, circle shape, one stage {time
// limit, bonus count, one spot row taking all the weight}.
std::vector<uint8_t> stepRecord() {
  return shorts(
      {0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 7, 1, 1, 100, 0, 0, 0, 0});
}

// Tutorial pages per game: text pack 3 holds them from ids 34, 38, 41, 44 and 48.
constexpr int kTutorialPages[kTrainingGameCount] = {4, 3, 3, 4, 3};

}  // namespace

std::vector<std::vector<uint8_t>> trainingPackEntries() {
  std::vector<std::vector<uint8_t>> entries(kTrainingPackEntries);
  entries[kTrainingSprite] = standInSprite(1, 2);
  entries[kTrainingCheckpoint] = standInSprite(1, 2);
  const std::vector<uint8_t> records[kTrainingGameCount] = {
      serveRecord(), powerRecord(), accuracyRecord(), stepRecord(), accuracyRecord()};
  const std::vector<uint8_t> sharedIndex(2 * kLevelsPerGame, 0);
  for (int g = 0; g < kTrainingGameCount; g++) {
    entries[static_cast<size_t>(kTrainingLevelData + 2 * g)] = records[g];
    entries[static_cast<size_t>(kTrainingLevelData + 2 * g + 1)] = sharedIndex;
    entries[static_cast<size_t>(kTrainingTutorialData + 2 * g)] = shorts({kTutorialPages[g]});
    entries[static_cast<size_t>(kTrainingTutorialData + 2 * g + 1)] = shorts({0});
  }
  return entries;
}

}  // namespace sorv::mkdata
