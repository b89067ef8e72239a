// Starting a load behind the loading screen, and the boot screens' spinner. The loading
// screen's own update and paint come with the screens that use it.
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::loadingTarget = 0;
int32_t CGame::loadingHint = 0;

namespace {

constexpr int32_t kLoadingState = 11;
constexpr int32_t kSpinnerMenu = 0;
constexpr int32_t kSpinnerItem = 2;

}  // namespace

void CGame::initLoad(int32_t target) {
  SORV_FRAME("CGame.initLoad(I)V");
  GameSound::stopAll();
  loadingStep = 0;
  if (target >= 0) {
    loadingTarget = target;
    SWITCH_STATE(kLoadingState);
    setMiniFontLineSpace(2);
  }
  freeMemory();
}

void CGame::updateLoading() {}
void CGame::paintLoading() {}

// The spinner is the same whatever the colour, place, size or progress.
void CGame::drawLoadingBar(int32_t, int32_t, int32_t, int32_t, int32_t) {
  SORV_FRAME("CGame.drawLoadingBar(IIIII)V");
  DrawAnimationAsItem(-1, -1, -1, kSpinnerMenu, kSpinnerItem, false);
}

}  // namespace sorv
