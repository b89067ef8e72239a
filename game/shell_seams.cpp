// Shell operations that later work fills: the pauses and the in-game menu.
// Until then they do nothing and the in-game menu is never allowed.
#include "game/cgame.h"

namespace sorv {

void CGame::updateSPEPause() {}
void CGame::paintSPEPause() {}
void CGame::updatePause() {}
void CGame::paintPause() {}
void CGame::initPause(int32_t) {}
bool CGame::isInGameMenuValid() { return false; }
void CGame::updateIGM() {}

}  // namespace sorv
