// What the match frame calls of the shell that other work builds: the achievement pop-up
// and unlock pages, the match statistics page, the in-match interface and the special
// pause's request. Until then they do nothing.
#include "game/cgame.h"

namespace sorv {

void CGame::drawAchievement() {}
void CGame::initAchievementUnlock(int32_t, int32_t) {}
void CGame::drawAchievementUnlock(int32_t, int32_t) {}
void CGame::update_InGameInterface() {}
void CGame::paint_InGameInterface() {}
void CGame::requestSpecialPause(int32_t) {}

}  // namespace sorv
