// The career avatar's attributes: points through the thresholds of the game's tables into
// levels (a match or a training game) and the 0..100 display scale, the world rank, and what
// a passed training game adds.
#include <algorithm>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/log.h"

namespace sorv {

int32_t CGame::careerAbility = 1;

namespace {

constexpr int32_t kAttributes = 5, kTopLevel = 5;
constexpr int32_t kFullMental = 100, kFullStamina = 100;

// Threshold i, or 0 when the table is missing or short (then every attribute reads as level 5).
int32_t threshold(int32_t i) {
  ShortArray* t = CGame::attrThresholds;
  return isNull(t) || !t->inBounds(i) ? 0 : t->elements()[i];
}

void addPoints(int32_t attribute, int32_t gain) {
  IntArray* points = CGame::careerAttrPts;
  if (!isNull(points) && points->inBounds(attribute)) points->elements()[attribute] = points->elements()[attribute] + gain;
}

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

int32_t CGame::mapAttrPtTo100(int32_t points) {
  ShortArray* t = attrThresholds;
  if (isNull(t) || t->length < kTopLevel) return -1;
  if (points < threshold(0)) return -1;
  for (int32_t i = 0; i + 1 < kTopLevel; i++) {
    const int32_t low = threshold(i), high = threshold(i + 1);
    if (points < high && high > low) return idiv((points - low) * 20, high - low) + (i + 1) * 20;
  }
  return 100;
}

ByteArray* CGame::makeAttrPtsArray() {
  SORV_FRAME("CGame.makeAttrPtsArray()[B");
  ByteArray* values = Array::newByteArray(kAttributes);
  IntArray* points = careerAttrPts;
  for (int32_t k = 0; !isNull(values) && k < kAttributes; k++) {
    values->elements()[k] = static_cast<int8_t>(mapAttrPtTo100(isNull(points) || !points->inBounds(k) ? 0 : points->elements()[k]));
  }
  return values;
}

int32_t CGame::mapPts2Rank(int32_t points) {
  const int32_t rank = 200 - idiv(points - 20, 10);
  return rank < 1 ? 1 : rank;
}

int32_t CGame::mapRank2Pts(int32_t rank) { return (202 - rank) * 10; }

int32_t CGame::getAbiFontPal(int32_t value) {
  if (value < 0 || value > 100) return 0;
  constexpr int32_t kByFifth[] = {4, 1, 5, 3, 2};
  return kByFifth[value <= 20 ? 0 : (value - 1) / 20];
}

void CGame::UpdateCareerAbilityLv(int32_t kind, int32_t level) {
  SORV_FRAME("CGame.UpdateCareerAbilityLv(II)V");
  IntArray* points = careerAttrPts;
  IntArray* before = careerAttrPtsPrev;
  for (int32_t k = 0; k < kAttributes && !isNull(points) && !isNull(before); k++) {
    if (points->inBounds(k) && before->inBounds(k)) before->elements()[k] = points->elements()[k];
  }
  ShortArray* gains = attrGainTable;
  if (isNull(gains) || !gains->inBounds(level)) {
    Debug::trace("career: no training gain for level %d; nothing gained", level);
    return;
  }
  const int32_t gain = gains->elements()[level];
  const int32_t top = threshold(kTopLevel - 1);
  const int32_t mentalGain = top == 0 ? 0 : idiv(gain * 100, top);
  switch (kind) {
    case 0: addPoints(2, gain); addPoints(4, gain); break;
    case 1: addPoints(3, gain); addPoints(1, gain); break;
    case 2: addPoints(0, gain); careerMental += mentalGain; break;
    case 3: addPoints(3, gain); careerMental += mentalGain; break;
    case 4: addPoints(0, gain); addPoints(4, gain); break;
    default: return;
  }
  if (careerMental > kFullMental) careerMental = kFullMental;
}

// The amount is in attribute points, counted on the 0..100 stamina scale as mental's gains are
// (x 100 / T4): a training game's 200 takes 20. Without the thresholds nothing is taken.
void CGame::reduceStamina(int32_t amount) {
  SORV_FRAME("CGame.reduceStamina(I)V");
  const int32_t top = threshold(kTopLevel - 1);
  const int32_t drop = top == 0 ? 0 : idiv(amount * 100, top);
  careerStamina = static_cast<int8_t>(std::clamp<int32_t>(careerStamina - drop, 0, kFullStamina));
}

void CGame::setCareerPresetAttributes() {
  SORV_FRAME("CGame.setCareerPresetAttributes()V");
  ObjectArray* presets = attrPresets;
  ByteArray* preset = isNull(presets) || !presets->inBounds(careerStyle)
                          ? nullptr
                          : static_cast<ByteArray*>(presets->elements()[careerStyle]);
  if (isNull(preset)) Debug::trace("career: no preset for style %d; every attribute at level 1", careerStyle);
  for (int32_t k = 0; k < kAttributes; k++) {
    int32_t level = isNull(preset) || !preset->inBounds(k) ? 1 : preset->elements()[k];
    if (level < 1 || level > kTopLevel) {
      Debug::trace("career: style %d's attribute %d has level %d; level 1 taken", careerStyle, k, level);
      level = 1;
    }
    astore(careerAttrPts.get(), k, threshold(level - 1));
    astore(careerAttrPtsPrev.get(), k, threshold(level - 1));
  }
}

}  // namespace sorv
