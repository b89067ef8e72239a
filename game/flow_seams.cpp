// What the match frame calls of the shell that later work builds: the unlock pages. Until
// then they draw nothing.
#include "game/cgame.h"

namespace sorv {

void CGame::initAchievementUnlock(int32_t, int32_t) {}
void CGame::drawAchievementUnlock(int32_t, int32_t) {}

}  // namespace sorv
