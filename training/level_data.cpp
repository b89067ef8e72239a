// The training level data: one record per game and level in the training pack, read into
// CTraining's tables, and the weighted choice of a point from a table of rectangles.
//
// Every count and position of a record is checked against the entry before anything is
// read, and the record against the level rules (level_rules.h) after: a bad level gets one
// log line naming game, level and field and leaves every table null.
#include <cstdint>

#include "device/shell.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/util_random.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"
#include "training/level_rules.h"

namespace sorv {
namespace {

constexpr int32_t kRowValues = 5;  // weight, x min, z min, x max, z max
constexpr int32_t kMachineValues = 6;
constexpr int32_t kTargetValues = 6, kCheckPointValues = 7, kLaneValues = 2, kStageValues = 2;
constexpr int32_t kTankParams = 3, kBonusShapeValues = 5, kCircleShapeValues = 6;
// Tutorial pages: the first text of each game's, in text pack 3; a game's pages end where
// the next game's begin.
constexpr int32_t kTutorialFirst[CTraining::kGameCount + 1] = {34, 38, 41, 44, 48, 51};

// One entry of the pack read as 16-bit units; a fault is the first field found outside it
// or below its least count.
struct Units {
  ByteArray* data = nullptr;
  int32_t units = 0;
  const char* fault = nullptr;

  explicit Units(ByteArray* entry) : data(entry), units(isNull(entry) ? 0 : entry->length / 2) {}
  bool fits(int32_t position, int32_t count, const char* field) {
    if (fault != nullptr) return false;
    if (position < 0 || count < 0 || position > units - count) fault = field;
    return fault == nullptr;
  }
  int32_t at(int32_t position) const { return CGame::Mem_GetShort(data, 2 * position); }
  // A count at the position: present and at least one.
  int32_t count(int32_t position, const char* field) {
    if (!fits(position, 1, field)) return 0;
    const int32_t n = at(position);
    if (n < 1) fault = field;
    return fault == nullptr ? n : 0;
  }
};

ShortArray* shortsOf(int32_t n) { return Array::newShortArray(n); }

ObjectArray* rowsOf(int32_t n, int32_t values) {
  ObjectArray* rows = Array::newObjectArray(kShortArray, n);
  for (int32_t i = 0; i < n; i++) astore(rows, i, Array::newShortArray(values));
  return rows;
}

// Rows of 'values' shorts from the position; the position after them.
int32_t readRows(ObjectArray* rows, int32_t values, ByteArray* data, int32_t position) {
  for (int32_t i = 0; i < rows->length; i++) {
    position = CTraining::parseLevelData(static_cast<ShortArray*>(aload(rows, i)), values, data, position);
  }
  return position;
}

int32_t colourAt(Units& u, int32_t p) {
  return (u.at(p) & 0xFF) << 16 | (u.at(p + 1) & 0xFF) << 8 | (u.at(p + 2) & 0xFF);
}

// The ball-machine block: its layout checked, then read; -1 on a fault.
int32_t readMachine(Units& u, int32_t p) {
  if (!u.fits(p, kMachineValues, "machine")) return -1;
  const int32_t n = u.count(p + kMachineValues, "aim rows");
  if (!u.fits(p + kMachineValues + 1, n * kRowValues, "aim rows")) return -1;
  return CTraining::parsePitch(u.data, p);
}

int32_t readServe(Units& u, int32_t q) {
  using T = CTraining;
  if (!u.fits(q, 7, "serve values")) return -1;
  const int32_t rings = u.count(q + 6, "rings");
  if (!u.fits(q + 7, rings + 3, "ring points")) return -1;
  const int32_t rows = u.count(q + 9 + rings, "target rows");
  if (!u.fits(q + 10 + rings, rows * 2 * kTargetValues, "target rows")) return -1;
  T::goalPoints = static_cast<int16_t>(u.at(q));
  T::ballCount = static_cast<int16_t>(u.at(q + 1));
  T::basePoints = static_cast<int16_t>(u.at(q + 2));
  T::serveSpare = static_cast<int16_t>(u.at(q + 3));
  T::speedFactor = static_cast<int16_t>(u.at(q + 4));
  T::targetRadius = static_cast<int16_t>(u.at(q + 5));
  T::targetRings = static_cast<int16_t>(rings);
  T::ringPoints = shortsOf(rings);
  int32_t p = T::parseLevelData(T::ringPoints, rings, u.data, q + 7);
  T::barrierHeight = static_cast<int16_t>(u.at(p));
  T::barrierWidth = static_cast<int16_t>(u.at(p + 1));
  T::targetRowCount = static_cast<int16_t>(rows);
  p += 3;
  T::targetRows = rowsOf(rows, kTargetValues);
  T::barrierRows = rowsOf(rows, kTargetValues);
  for (int32_t i = 0; i < rows; i++) {
    p = T::parseLevelData(static_cast<ShortArray*>(aload(T::targetRows.get(), i)), kTargetValues, u.data, p);
    p = T::parseLevelData(static_cast<ShortArray*>(aload(T::barrierRows.get(), i)), kTargetValues, u.data, p);
  }
  return p;
}

int32_t readPower(Units& u, int32_t q) {
  using T = CTraining;
  if (!u.fits(q, 10, "power values")) return -1;
  T::tankCount = static_cast<int16_t>(u.at(q));
  T::tankPush = static_cast<int16_t>(u.at(q + 1));
  T::basePoints = static_cast<int16_t>(u.at(q + 2));
  T::powerBonus = static_cast<int16_t>(u.at(q + 3));
  T::timeBase = static_cast<int16_t>(u.at(q + 4));
  T::timePenalty = static_cast<int16_t>(u.at(q + 5));
  T::powerSpare = static_cast<int16_t>(u.at(q + 6));
  T::tankParams = shortsOf(kTankParams);
  T::parseLevelData(T::tankParams, kTankParams, u.data, q + 7);
  const int32_t p = readMachine(u, q + 10);
  if (p < 0 || !u.fits(p, 2, "tank box")) return -1;
  const int32_t lanes = u.count(p + 2, "lanes");
  if (!u.fits(p + 3, lanes * kLaneValues, "lanes")) return -1;
  T::tankHeight = static_cast<int16_t>(u.at(p));
  T::tankWidth = static_cast<int16_t>(u.at(p + 1));
  T::tankLanes = rowsOf(lanes, kLaneValues);
  return readRows(T::tankLanes, kLaneValues, u.data, p + 3);
}

int32_t readAccuracy(Units& u, int32_t q) {
  using T = CTraining;
  if (!u.fits(q, 3, "accuracy values")) return -1;
  T::goalPoints = static_cast<int16_t>(u.at(q));
  T::ballCount = static_cast<int16_t>(u.at(q + 1));
  T::streakBonus = static_cast<int16_t>(u.at(q + 2));
  const int32_t p = readMachine(u, q + 3);
  if (p < 0 || !u.fits(p, 1, "accuracy spare")) return -1;
  const int32_t rows = u.count(p + 1, "checkpoint rows");
  if (!u.fits(p + 2, rows * kCheckPointValues, "checkpoint rows")) return -1;
  T::accuracySpare = u.at(p);
  T::checkPointRows = rowsOf(rows, kCheckPointValues);
  return readRows(T::checkPointRows, kCheckPointValues, u.data, p + 2);
}

int32_t readStep(Units& u, int32_t q) {
  using T = CTraining;
  if (!u.fits(q, 20, "step values")) return -1;
  const int32_t stages = u.count(q + 20, "stages");
  // Every stage block is checked before any is read.
  int32_t p = q + 21;
  for (int32_t s = 0; s < stages && u.fault == nullptr; s++) {
    if (!u.fits(p, 2, "stages")) return -1;
    const int32_t spots = u.count(p + 2, "spot rows");
    if (!u.fits(p + 3, spots * kRowValues, "spot rows")) return -1;
    p += 3 + spots * kRowValues;
  }
  if (u.fault != nullptr) return -1;
  T::stepSpareTime = static_cast<int16_t>(T::msToFrames(u.at(q)));
  T::streakBonus = static_cast<int16_t>(u.at(q + 1));
  T::stepSpare = static_cast<int16_t>(u.at(q + 2));
  T::bonusShape = shortsOf(kBonusShapeValues);
  T::parseLevelData(T::bonusShape, kBonusShapeValues, u.data, q + 3);
  T::circleOpenColour = colourAt(u, q + 8);
  T::circleClosedColour = colourAt(u, q + 11);
  T::circleShape = shortsOf(kCircleShapeValues);
  T::parseLevelData(T::circleShape, kCircleShapeValues, u.data, q + 14);
  T::stageRows = rowsOf(stages, kStageValues);
  T::bonusSpots = Array::newObjectArray(kObjectArray, stages);
  p = q + 21;
  for (int32_t s = 0; s < stages; s++) {
    ShortArray* row = static_cast<ShortArray*>(aload(T::stageRows.get(), s));
    astore(row, 0, static_cast<int16_t>(T::msToFrames(u.at(p))));
    astore(row, 1, static_cast<int16_t>(u.at(p + 1)));
    ObjectArray* spots = rowsOf(u.at(p + 2), kRowValues);
    astore(T::bonusSpots.get(), s, spots);
    p = T::parsePitchProb(u.data, p + 3, spots);
  }
  return p;
}

// The tutorial's page count for level 0; false on a fault.
bool readTutorial(int32_t game) {
  Units index(CGame::Lib_GetData(kTrainingTutorialData + 2 * game + 1, false, nullptr));
  Units data(CGame::Lib_GetData(kTrainingTutorialData + 2 * game, false, nullptr));
  if (!index.fits(0, 1, "tutorial index")) return false;
  const int32_t pages = data.count(index.at(0), "tutorial pages");
  const int32_t first = kTutorialFirst[game];
  if (data.fault != nullptr || pages > kTutorialFirst[game + 1] - first) return false;
  ShortArray* texts = shortsOf(pages);
  for (int32_t i = 0; i < pages; i++) astore(texts, i, static_cast<int16_t>(first + i));
  CTraining::tutorialTexts = texts;
  return true;
}

// The game's record for the level, then its rules; the faulty field or null.
const char* readLevel(int32_t game, int32_t level) {
  ByteArray* record = CGame::Lib_GetData(kTrainingLevelData + 2 * game, false, nullptr);
  Units index(CGame::Lib_GetData(kTrainingLevelData + 2 * game + 1, false, nullptr));
  if (!index.fits(level, 1, "level index")) return index.fault;
  Units u(record);
  const int32_t q = index.at(level);
  switch (game) {
    case CTraining::kGameServe: readServe(u, q); break;
    case CTraining::kGamePower: readPower(u, q); break;
    case CTraining::kGameStep: readStep(u, q); break;
    default: readAccuracy(u, q); break;
  }
  if (u.fault != nullptr) return u.fault;
  if (const char* broken = level_rules::check(game)) return broken;
  if (level == 0 && !readTutorial(game)) return "tutorial";
  return nullptr;
}

}  // namespace

int32_t CTraining::msToFrames(int32_t ms) {
  // Java's division truncates toward zero: -999 ms is -6 frames.
  return static_cast<int32_t>(static_cast<int64_t>(ms) * 7 / 1000);
}

void CTraining::clearLevelData() {
  machineParams = nullptr;
  launchTable = nullptr;
  ringPoints = nullptr;
  targetRows = nullptr;
  barrierRows = nullptr;
  tankParams = nullptr;
  tankLanes = nullptr;
  checkPointRows = nullptr;
  bonusShape = nullptr;
  circleShape = nullptr;
  stageRows = nullptr;
  bonusSpots = nullptr;
  tutorialTexts = nullptr;
}

bool CTraining::loadRawLevelDatas(int32_t g, int32_t l) {
  SORV_FRAME("CTraining.loadRawLevelDatas(II)V");
  clearLevelData();
  const char* fault = "game";
  if (g >= 0 && g < kGameCount && l >= 0 && l < kLevelCount) {
    CGame::Lib_Open(StaticClass::getConstant(kConstTrainingPack), true);
    fault = readLevel(g, l);
    CGame::Lib_Close();
  }
  if (fault != nullptr) {
    Debug::trace("CTraining.loadRawLevelDatas: game %d level %d: bad %s", g, l, fault);
    clearLevelData();
  }
  System::gc();
  Shell::sleep(1);
  return fault == nullptr;
}

int32_t CTraining::parseLevelData(ShortArray* target, int32_t count, ByteArray* data, int32_t position) {
  SORV_FRAME("CTraining.parseLevelData([SI[BI)I");
  for (int32_t i = 0; i < count; i++) astore(target, i, CGame::Mem_GetShort(data, 2 * (position + i)));
  return position + count;
}

int32_t CTraining::parsePitchProb(ByteArray* data, int32_t position, ObjectArray* rows) {
  SORV_FRAME("CTraining.parsePitchProb([BI[[S)I");
  if (isNull(rows)) {
    reportError("NullPointer");
    return position;
  }
  return readRows(rows, kRowValues, data, position);
}

int32_t CTraining::parsePitch(ByteArray* data, int32_t position) {
  SORV_FRAME("CTraining.parsePitch([BI)I");
  machineParams = shortsOf(kMachineValues);
  int32_t p = parseLevelData(machineParams, kMachineValues, data, position);
  astore(machineParams.get(), 0, static_cast<int16_t>(msToFrames(aload(machineParams.get(), 0))));
  const int32_t n = CGame::Mem_GetShort(data, 2 * p);
  launchTable = rowsOf(n < 0 ? 0 : n, kRowValues);
  return parsePitchProb(data, p + 1, launchTable);
}

int32_t CTraining::getProbRoot(IntArray* out, ObjectArray* rows, bool random) {
  SORV_FRAME("CTraining.getProbRoot([I[[SZ)I");
  if (isNull(rows) || rows->length == 0) {
    reportError("NullPointer");
    return -1;
  }
  Random* generator = CGame::random.get();
  const int32_t r = isNull(generator) ? 0 : generator->nextInt();
  const int32_t roll = (r & 0x7FFFFFFF) % 100 + 1;
  // A roll past the weights' sum takes the last row: the walk would end past the table.
  int32_t chosen = rows->length - 1;
  int32_t sum = 0;
  for (int32_t i = 0; i < rows->length; i++) {
    sum += aload(static_cast<ShortArray*>(aload(rows, i)), 0);
    if (sum >= roll) {
      chosen = i;
      break;
    }
  }
  ShortArray* row = static_cast<ShortArray*>(aload(rows, chosen));
  const int32_t x0 = aload(row, 1), z0 = aload(row, 2), x1 = aload(row, 3), z1 = aload(row, 4);
  astore(out, 0, random ? CGame::RAND(x0, x1) : (x0 + x1) >> 1);
  astore(out, 1, 0);
  astore(out, 2, random ? CGame::RAND(z0, z1) : (z0 + z1) >> 1);
  return chosen;
}

}  // namespace sorv
