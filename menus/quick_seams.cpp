// The tournament's part of the player selection, a seam until the tournament model (its
// draw and table) is built: the player's team is picked, then the set-up shows again.
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/log.h"

namespace sorv {

void CGame::startTournamentFromSelection() {
  SORV_FRAME("CGame.startTournamentFromSelection()V");
  Debug::trace("selection: the tournament draw is not built yet; back to the set-up");
  MenuPop();
  POP_STATE();
  resetMenuSelectPlayer();
}

}  // namespace sorv
