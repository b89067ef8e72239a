// Shell operations the players call that are built elsewhere: until then a perfect power
// serve plays no thunder pause and a player has no name.
#include "game/cgame.h"

namespace sorv {

void CGame::initSPEPause(int32_t) {}
String* CGame::gePlayerName(int32_t, int32_t, int32_t) { return nullptr; }

}  // namespace sorv
