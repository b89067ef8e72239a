// The in-match interface's operation that a serve starts: built with the overlays.
#include "game/cgame.h"

namespace sorv {

void CGame::activeServeSpeedBar(int32_t) {}

}  // namespace sorv
