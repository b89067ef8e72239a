// What the match frame calls of the other match work not built here yet: the players'
// moves, strokes, serve positions and scenes, the overlays, the serve input, the key
// choices, the special-action helpers and the court's entry. Until then they do nothing,
// except that a special action counts as over once every player's actor has ended (a skip
// ends them at once), so the scenes between points can finish.
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {


void CTennis::drawDeadBallInfo() {}
void CTennis::drawBreakPoint() {}
void CTennis::drawRewardWords() {}
void CTennis::paintInstantReplay() {}
void CTennis::drawInterface() {}
void CTennis::drawQueryContinue() {}
void CTennis::drawServeSpeedPanel() {}
void CTennis::paintContestReferee() {}
void CTennis::walkTo(CPlayer*, int32_t, int32_t, int32_t) {}

}  // namespace sorv
