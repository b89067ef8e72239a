// What the ball events and the computer's decisions call of the players, the match frame
// and the overlays, built by their own work: until then they do nothing, and the match
// frame's statics that the strokes and the message bar write live here.
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/string.h"

namespace sorv {


void CPlayer::serveBall() {}
void CPlayer::NpcStop(bool) {}
void CPlayer::onRivalReturnBall(CPlayer*) {}
void CPlayer::onPalReturnBall() {}
void CPlayer::setReturnBallDir(int32_t) {}
void CPlayer::doubleReturnBallDir() {}
void CPlayer::getPointOfFall(IntArray*, int32_t) {}
void CPlayer::resetPlayerAction() {}
void CPlayer::setSpecialAction(int32_t, int32_t) {}
void CPlayer::move(int32_t, bool) {}

}  // namespace sorv
