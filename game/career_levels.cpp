// The career avatar's attribute levels for a match or a training game: attribute points
// through the thresholds of the game's tables.
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::careerAbility = 1;

namespace {

constexpr int32_t kAttributes = 5, kTopLevel = 5;

}  // namespace

int32_t CGame::mapAttrPtToLv(int32_t points) {
  ShortArray* t = attrThresholds;
  if (isNull(t) || t->length < kTopLevel) return -1;
  if (points < t->elements()[0]) return -1;
  for (int32_t i = 0; i + 1 < kTopLevel; i++) {
    if (points < t->elements()[i + 1]) return i + 1;
  }
  return kTopLevel;
}

ByteArray* CGame::makeAttrLvArray() {
  SORV_FRAME("CGame.makeAttrLvArray()[B");
  ByteArray* levels = Array::newByteArray(kAttributes);
  IntArray* points = careerAttrPts;
  for (int32_t k = 0; !isNull(levels) && k < kAttributes; k++) {
    const int32_t level = mapAttrPtToLv(isNull(points) || !points->inBounds(k) ? 0 : points->elements()[k]);
    // Below the first threshold the map says -1, which no attribute table has a row for.
    levels->elements()[k] = static_cast<int8_t>(level < 1 ? 1 : level);
  }
  return levels;
}

}  // namespace sorv
