#include "training/ctraining.h"

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

}  // namespace sorv
