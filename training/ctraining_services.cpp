// CTraining as the shell reaches it beyond its level, loader and objects: construction, the
// choice of game and level, and the seams the training flow and the games' rules fill
// (until then a training frame stays in the training state and starts nothing).
#include <algorithm>

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

int32_t CTraining::update() {
  SORV_FRAME("CTraining.update()I");
  return kTrainingState;
}

void CTraining::switchToTrainning() { SORV_FRAME("CTraining.switchToTrainning()V"); }

void CTraining::selectGame(int8_t g) {
  SORV_FRAME("CTraining.selectGame(B)V");
  game = std::min<int8_t>(g, kGameCount);
  if (game < 0 || game >= kGameCount) return;
  levelCount = kLevelCount;
  if (!CGame::isCareer) {
    if (CGame::hasRecord(CGame::kFirstTrainingRecord + game)) {
      CGame::RMS(false, CGame::kFirstTrainingRecord + game);
    } else {
      levelBest = Array::newIntArray(kLevelCount);
    }
  }
  unlockedLevel = static_cast<int8_t>(std::clamp<int32_t>(aload(unlockedLevels.get(), game), 0, kLevelCount));
}

void CTraining::selectLevel(int8_t l) {
  SORV_FRAME("CTraining.selectLevel(B)V");
  level = static_cast<int8_t>(std::min<int32_t>(l, std::min<int32_t>(unlockedLevel, levelCount - 1)));
  tutorialPending = false;
  if (level == 0) askTutorial = true;
}

// The six rules a collision reaches; the training games give them their scoring.
void CTraining::collideCheckPoint(RigidBody*, RigidBody*, IntArray*) {}
void CTraining::collideTank(RigidBody*, RigidBody*, IntArray*) {}
void CTraining::collideTarget(RigidBody*, RigidBody*, IntArray*) {}
void CTraining::collideBarrier(RigidBody*, RigidBody*, IntArray*) {}
void CTraining::collideCircle(RigidBody*, RigidBody*) {}
void CTraining::collideBonus(RigidBody*, RigidBody*) {}

}  // namespace sorv
