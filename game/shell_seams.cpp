// Shell operations that later work fills: the help pages of the in-game menu.
#include "game/cgame.h"

namespace sorv {

void CGame::drawControlsHelp() {}
void CGame::drawSkillsHelp() {}

}  // namespace sorv
