// Fuzzes the training level reader: any bytes as the training pack, then every game and
// level read from it. A level read is whole (every table of its game present) or refused
// (every table null); the kept tables are drawn from as the games draw: a point of every
// weighted table, and each stage's bonuses, whose keys must all differ. No read may report
// a runtime error, nothing may read outside the pack, nothing may loop for ever.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"
#include "match/rigid_body.h"
#include "training/ctraining.h"

namespace {

using sorv::CGame;
using T = sorv::CTraining;

void check(bool ok) {
  if (!ok) std::abort();
}

bool tablesEmpty() {
  return sorv::isNull(T::machineParams) && sorv::isNull(T::launchTable) && sorv::isNull(T::ringPoints) &&
         sorv::isNull(T::targetRows) && sorv::isNull(T::barrierRows) && sorv::isNull(T::tankParams) &&
         sorv::isNull(T::tankLanes) && sorv::isNull(T::checkPointRows) && sorv::isNull(T::bonusShape) &&
         sorv::isNull(T::circleShape) && sorv::isNull(T::stageRows) && sorv::isNull(T::bonusSpots) &&
         sorv::isNull(T::tutorialTexts);
}

void drawStages() {
  sorv::ObjectArray* stages = T::stageRows;
  for (int32_t s = 0; s < stages->length; s++) {
    sorv::ObjectArray* spots = static_cast<sorv::ObjectArray*>(sorv::aload(T::bonusSpots.get(), s));
    T::getProbRoot(T::workPoint, spots, true);
    const int32_t n = sorv::aload(static_cast<sorv::ShortArray*>(sorv::aload(stages, s)), 1);
    T::stage = s;
    T::bonusKeys = sorv::Array::newIntArray(n);
    for (int32_t i = 0; i < n; i++) sorv::astore(T::bonusKeys.get(), i, -1);
    T::lastBonusKey = -1;
    for (int32_t i = 0; i < n; i++) check(T::newBonus(T::bonusKeys) != nullptr);
    for (int32_t i = 0; i < n; i++)
      for (int32_t j = 0; j < i; j++) check(sorv::aload(T::bonusKeys.get(), i) != sorv::aload(T::bonusKeys.get(), j));
    CGame::p_clearPool();
  }
}

void exerciseLevel(int32_t game, int32_t level) {
  if (!T::loadRawLevelDatas(game, level)) {
    check(tablesEmpty());
    return;
  }
  check((level == 0) != sorv::isNull(T::tutorialTexts));
  switch (game) {
    case T::kGameServe:
      check(!sorv::isNull(T::ringPoints) && !sorv::isNull(T::targetRows) && !sorv::isNull(T::barrierRows));
      check(T::targetRings >= 1 && T::targetRings <= 58 && T::targetRadius >= T::targetRings);
      return;
    case T::kGameStep:
      check(!sorv::isNull(T::bonusShape) && !sorv::isNull(T::circleShape) && !sorv::isNull(T::stageRows));
      return drawStages();
    default:
      check(!sorv::isNull(T::machineParams) && !sorv::isNull(T::launchTable));
      check(game == T::kGamePower ? !sorv::isNull(T::tankLanes) && T::tankLanes->length <= 3
                                  : !sorv::isNull(T::checkPointRows));
      T::getProbRoot(T::workPoint, T::launchTable, true);
      T::getProbRoot(T::workPoint, T::launchTable, false);
      return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  if (sorv::fuzz::gApp == nullptr) {
    sorv::fuzz::startRuntime();
    sorv::fuzz::keepLogInMemory();
  }
  sorv::fuzz::gResource = sorv::fuzz::byteArray(data, size);
  for (int32_t game = 0; game < T::kGameCount; game++)
    for (int32_t level = 0; level < T::kLevelCount; level++) exerciseLevel(game, level);
  check(!sorv::fuzz::loggedRuntimeError());
  T::clearLevelData();
  T::bonusKeys = nullptr;
  sorv::fuzz::gResource = nullptr;
  sorv::fuzz::collectNowAndThen();
  return 0;
}
