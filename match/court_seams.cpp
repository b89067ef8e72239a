// Operations of the match flow and the players that the court's entry calls: until those
// are built a point starts by serving at once, entering the game changes nothing and a
// player has no name, no reset and portrait frame 0.
#include "match/cplayer.h"
#include "match/ctennis.h"

namespace sorv {


void CPlayer::resetPlayer() {}
String* CPlayer::getPlayerName() { return nullptr; }
int32_t CPlayer::getPlayerHeadImgID() { return 0; }

}  // namespace sorv
