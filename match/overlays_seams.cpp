// Operations the overlays call that the players' and the court's work build: until then a
// player has no name (the score panel shows its placeholder) and no attribute cards are kept.
#include "match/cplayer.h"
#include "match/ctennis.h"

namespace sorv {

String* CPlayer::getPlayerName() { return nullptr; }
void CTennis::dropPlayerAttrImages() {}

}  // namespace sorv
