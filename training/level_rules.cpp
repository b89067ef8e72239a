#include "training/level_rules.h"

#include "runtime/array.h"
#include "training/ctraining.h"

namespace sorv::level_rules {
namespace {

using T = CTraining;

ShortArray* rowAt(ObjectArray* rows, int32_t i) { return static_cast<ShortArray*>(aload(rows, i)); }

// A weighted table: weights never negative, each rectangle min <= max; its positive rows.
bool weightedRows(ObjectArray* rows, int32_t* positive) {
  *positive = 0;
  for (int32_t i = 0; i < rows->length; i++) {
    ShortArray* r = rowAt(rows, i);
    if (aload(r, 0) < 0 || aload(r, 1) > aload(r, 3) || aload(r, 2) > aload(r, 4)) return false;
    if (aload(r, 0) > 0) (*positive)++;
  }
  return true;
}

// The ball machine: balls launched every interval frames must find free slots beside the
// player and the level's fixed objects.
const char* machine(int32_t fixedObjects) {
  ShortArray* m = T::machineParams;
  const int32_t interval = aload(m, 0);
  if (interval < 1) return "machine interval";
  if (ballsInFlight(interval) > kObjectListSlots - 1 - fixedObjects) return "machine interval";
  if (aload(m, 1) > aload(m, 2)) return "flight time";
  int32_t positive = 0;
  if (!weightedRows(T::launchTable, &positive)) return "aim rows";
  return nullptr;
}

const char* serve() {
  if (T::ballCount < 1) return "ball count";
  if (T::targetRings > kMaxRings) return "rings";
  // The ring of a hit is d / (R / rings): R below the rings divides by zero.
  if (T::targetRadius < T::targetRings) return "target radius";
  return nullptr;
}

const char* power() {
  if (T::tankCount < 1) return "tank count";
  if (const char* m = machine(T::kTankSlots)) return m;
  ObjectArray* lanes = T::tankLanes;
  if (lanes->length > kMaxLanes) return "lanes";
  for (int32_t i = 0; i < lanes->length; i++) {
    if (aload(rowAt(lanes, i), 1) <= 0) return "lane speed";
  }
  return nullptr;
}

const char* accuracy() {
  if (T::ballCount < 1) return "ball count";
  return machine(1);
}

const char* step() {
  ObjectArray* stages = T::stageRows;
  for (int32_t s = 0; s < stages->length; s++) {
    ShortArray* row = rowAt(stages, s);
    if (aload(row, 0) <= 0) return "stage time";
    const int32_t bonuses = aload(row, 1);
    if (bonuses < 1 || bonuses > kMaxStageBonuses) return "stage bonuses";
    int32_t positive = 0;
    if (!weightedRows(static_cast<ObjectArray*>(aload(T::bonusSpots.get(), s)), &positive)) return "spot rows";
    // Each bonus takes a spot of its own: fewer spots that can be drawn would draw for ever.
    if (bonuses > positive) return "stage bonuses";
  }
  return nullptr;
}

}  // namespace

const char* check(int32_t game) {
  switch (game) {
    case T::kGameServe: return serve();
    case T::kGamePower: return power();
    case T::kGameStep: return step();
    default: return accuracy();
  }
}

}  // namespace sorv::level_rules
