// Operations the players call that other work of this round builds: until then a computer
// player makes no run plan after its stroke and no stroke decision, and the statics of the
// match the players read keep their start values.
#include "match/cplayer.h"
#include "match/ctennis.h"

namespace sorv {

StaticRef<String> CTennis::rewardText;
bool CTennis::careerFinal = false;
bool CTennis::dustChoice = false;
bool CTennis::walkFlag = false;
bool CTennis::idleFlag = false;
int32_t CTennis::speedLineFlag = 0;

void CPlayer::AI_decideRunTo() {}
void CPlayer::npcReturnBall() {}

}  // namespace sorv
