// The black-bar transition: two bars closing in from the top and bottom edges, or opening.
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::blackBarsFrames = 0;
int32_t CGame::blackBarsStep = 0;
bool CGame::blackBarsClosing = false;

namespace {

constexpr int32_t kHalfHeight = CGame::kGameHeight / 2;
constexpr int32_t kBlack = static_cast<int32_t>(0xFF000000);

}  // namespace

void CGame::initBlackScreen(int32_t frames, bool closing) {
  blackBarsFrames = frames;
  blackBarsClosing = closing;
  blackBarsStep = 0;
}

bool CGame::updateBlackScreen() {
  SORV_FRAME("CGame.updateBlackScreen()Z");
  // While a state is painted into the screen buffer the bars neither draw nor advance.
  if (paintingIntoBuffer) return false;
  // A negative length would never end, so it counts as no transition.
  if (blackBarsFrames <= 0) {
    blackBarsFrames = blackBarsStep = 0;
    return true;
  }
  const int32_t grown = kHalfHeight / blackBarsFrames * blackBarsStep;
  const int32_t h = blackBarsClosing ? grown : kHalfHeight - grown;
  fillRect(gfx, kBlack, 0, 0, kGameWidth, h);
  fillRect(gfx, kBlack, 0, kGameHeight - h, kGameWidth, h);
  if (++blackBarsStep != blackBarsFrames) return false;
  blackBarsFrames = blackBarsStep = 0;
  return true;
}

}  // namespace sorv
