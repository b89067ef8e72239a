// Shell operations that later work fills: the cheat sequences, the name entry, the pauses
// and the paint-into-buffer effect. Until then they do nothing and the in-game menu is never
// allowed; a cheat counts once its flag is set.
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
bool CGame::Game_isCheatValid(int32_t cheat) { return aload(cheatUnlocked.get(), cheat) != 0; }
void CGame::Game_resetCheatState(int32_t cheat) { astore(cheatUnlocked.get(), cheat, 0); }
void CGame::enablePaintDirectInBuffer(int32_t, int32_t) {}
void CGame::closePaintDirectInBuffer(int32_t) {}
void CGame::endPaintDirectInBuffer(int32_t) {}

}  // namespace sorv
