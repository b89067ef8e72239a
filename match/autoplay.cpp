// The self-playing user (SORV_AUTOPLAY=1): the user's player is made a computer player and
// the match answers its own questions as a user would: no training first, OK through the
// match-over pages, back to the menus from the continue question.
#include "game/cgame.h"
#include "match/ctennis.h"

namespace sorv {

void CTennis::autoplayKeys() {
  switch (matchState) {
    case kStateTrainingQuery:
      if (barClosing == 0) CGame::keysPressed |= CGame::kKeySoftRight;
      break;
    case kStateMatchOver:
      CGame::keysPressed |= CGame::kKeySoftLeft;
      break;
    case kStateContinue:
      CGame::keysPressed |= CGame::kKeySoftRight;
      break;
    default:
      break;
  }
}

}  // namespace sorv
