// What the scenes between points call that later work builds: a player walking to a screen
// point at the new end. Until then the players play their walk-in where they stand.
#include "match/ctennis.h"

namespace sorv {

void CTennis::walkTo(CPlayer*, int32_t, int32_t, int32_t) {}

}  // namespace sorv
