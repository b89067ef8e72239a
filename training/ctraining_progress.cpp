#include "training/ctraining.h"

#include "runtime/array.h"
#include "runtime/static_class.h"

namespace sorv {

int8_t CTraining::game = -1;
StaticRef<ByteArray> CTraining::unlockedLevels;
StaticRef<IntArray> CTraining::levelBest;

namespace {

void initProgress() {
  CTraining::game = -1;
  CTraining::unlockedLevels = Array::newByteArray(CTraining::kGameCount);
  CTraining::levelBest = Array::newIntArray(CTraining::kLevelCount);
}

}  // namespace

SORV_STATIC_INIT(kCTraining, initProgress);

}  // namespace sorv
