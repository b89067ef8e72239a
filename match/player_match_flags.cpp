// The match's flags that steer how the players move and look: the career final's quick
// reactions, the dust they raise, idling between points and the speed lines of strong
// strokes.
#include "match/ctennis.h"

namespace sorv {

bool CTennis::careerFinal = false;
bool CTennis::dustChoice = false;
bool CTennis::idleFlag = false;
int32_t CTennis::speedLineFlag = 0;

}  // namespace sorv
