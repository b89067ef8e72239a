// Shell operations that later work fills: the cheat sequences, the name entry, the pauses,
// the in-game menu and the help pages.
// Until then they do nothing, the in-game menu is never allowed and a cheat counts once its
// flag is set.
#include "game/cgame.h"

namespace sorv {

bool CGame::Game_updateCheat(int32_t) { return false; }
void CGame::updateInputName() {}
void CGame::paintInputName() {}
void CGame::updateSPEPause() {}
void CGame::paintSPEPause() {}
void CGame::updatePause() {}
void CGame::paintPause() {}
void CGame::initPause(int32_t) {}
bool CGame::isInGameMenuValid() { return false; }
void CGame::updateIGM() {}
void CGame::drawControlsHelp() {}
void CGame::drawSkillsHelp() {}
bool CGame::Game_isCheatValid(int32_t cheat) { return aload(cheatUnlocked.get(), cheat) != 0; }
void CGame::Game_resetCheatState(int32_t cheat) { astore(cheatUnlocked.get(), cheat, 0); }

}  // namespace sorv
