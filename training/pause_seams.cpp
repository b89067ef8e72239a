// The training's state as the in-game menu reads it; the training's frame sets it.
#include "training/ctraining.h"

#include "runtime/static_class.h"

namespace sorv {

int32_t CTraining::trainingState = -1;

namespace {

void resetTrainingState() { CTraining::trainingState = -1; }

}  // namespace

SORV_STATIC_INIT(kCTraining, resetTrainingState);

}  // namespace sorv
