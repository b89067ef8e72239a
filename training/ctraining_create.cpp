// CTraining's construction: a match object of the training kind.
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "training/ctraining.h"

namespace sorv {

CTraining* CTraining::create() {
  CTraining* training = newObject<CTraining>();
  if (training == nullptr) return nullptr;
  training->init(kKindTraining);
  // The match mode is the shell's own field: the player category in matchSettings[0] still
  // picks the running sprite and the career's sex.
  CGame::matchMode = kMatchMode;
  isTraining = true;
  currentCourt = kCourt;
  return training;
}

}  // namespace sorv
