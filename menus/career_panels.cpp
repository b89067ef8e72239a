// The career's panels: the player card, the ability bars and the list rows.
#include "game/cgame.h"

namespace sorv {

// Not drawn yet: the career's screens that show them come with the panels.
void CGame::drawPlayerInfo_Career(CActor*, String*, int32_t, int32_t, int32_t, int32_t, bool) {}
void CGame::drawPlayerAbilitySingle(int32_t, int32_t, int32_t, int32_t, ByteArray*) {}
void CGame::drawCareerPlayerAbiItem(String*, String*, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {}
int32_t CGame::drawAbiMenuItem(String*, String*, int32_t, int32_t, int32_t, int32_t, int32_t, bool, bool) { return 34; }

}  // namespace sorv
