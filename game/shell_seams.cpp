// Shell operations that later work fills: the pauses, the in-game menu, the help pages, the
// pad's validity tests and the black-bar transition. Until then they do nothing, the in-game
// menu is never allowed, every pad key is disabled and no bars are drawn.
#include "game/cgame.h"

namespace sorv {

int32_t CGame::blackBarsFrames = 0;
int32_t CGame::blackBarsStep = 0;
bool CGame::blackBarsClosing = false;

void CGame::updateSPEPause() {}
void CGame::paintSPEPause() {}
void CGame::updatePause() {}
void CGame::paintPause() {}
void CGame::initPause(int32_t) {}
bool CGame::isInGameMenuValid() { return false; }
bool CGame::isAllVirtualKeyDisabled() { return true; }
bool CGame::isNeedTriningVirtualPad() { return false; }
void CGame::initBlackScreen(int32_t frames, bool closing) {
  blackBarsFrames = frames;
  blackBarsClosing = closing;
  blackBarsStep = 0;
}
bool CGame::updateBlackScreen() { return true; }
void CGame::updateIGM() {}
void CGame::drawControlsHelp() {}
void CGame::drawSkillsHelp() {}

}  // namespace sorv
