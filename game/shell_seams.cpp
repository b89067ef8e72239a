// Shell operations that later work fills: the cheat sequences, the name entry, the pauses,
// the in-game menu, the help pages, the pad's validity tests and the black-bar transition.
// Until then they do nothing, the in-game menu is never allowed, every pad key is disabled,
// no bars are drawn and a cheat counts once its flag is set.
#include "game/cgame.h"

namespace sorv {

int32_t CGame::blackBarsFrames = 0;
int32_t CGame::blackBarsStep = 0;
bool CGame::blackBarsClosing = false;

bool CGame::Game_updateCheat(int32_t) { return false; }
void CGame::updateInputName() {}
void CGame::paintInputName() {}
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
bool CGame::Game_isCheatValid(int32_t cheat) { return aload(cheatUnlocked.get(), cheat) != 0; }
void CGame::Game_resetCheatState(int32_t cheat) { astore(cheatUnlocked.get(), cheat, 0); }

}  // namespace sorv
