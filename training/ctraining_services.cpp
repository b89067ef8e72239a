#include "training/ctraining.h"

#include <algorithm>

#include "runtime/array.h"
#include "runtime/frames.h"

namespace sorv {

bool CTraining::stayInTraining = false;

CTraining* CTraining::create() {
  CTraining* training = newObject<CTraining>();
  if (training != nullptr) training->init(kKindTraining);
  return training;
}

int32_t CTraining::update() {
  SORV_FRAME("CTraining.update()I");
  return kTrainingState;
}

int32_t CTraining::Loading() {
  SORV_FRAME("CTraining.Loading()I");
  return -1;
}

void CTraining::switchToTrainning() { SORV_FRAME("CTraining.switchToTrainning()V"); }

void CTraining::unload() { SORV_FRAME("CTraining.unload()V"); }

void CTraining::onCollidsion(RigidBody*, RigidBody*, IntArray*) {}

void CTraining::selectGame(int8_t) { SORV_FRAME("CTraining.selectGame(B)V"); }

void CTraining::selectLevel(int8_t) { SORV_FRAME("CTraining.selectLevel(B)V"); }

int32_t CTraining::unlockedLevel() {
  ByteArray* levels = unlockedLevels.get();
  if (isNull(levels) || game < 0 || game >= levels->length) return 0;
  return std::clamp<int32_t>(levels->elements()[game], 0, kLevelCount - 1);
}

}  // namespace sorv
