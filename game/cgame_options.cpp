#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/static_class.h"

namespace sorv {

StaticRef<IntArray> CGame::optionValues;
StaticRef<IntArray> CGame::matchSettings;

namespace {

void initOptions() {
  CGame::optionValues = Array::newIntArray(2);
  CGame::matchSettings = Array::newIntArray(5);
}

}  // namespace

SORV_STATIC_INIT(kCGame, initOptions);

}  // namespace sorv
