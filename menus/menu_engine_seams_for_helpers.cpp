// Menu-engine operations the drawing helpers call; they do nothing until the menu engine is
// built.
#include "game/cgame.h"

namespace sorv {

void CGame::DrawFrameAsItem(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {}
void CGame::DrawMenuItem(int32_t, int32_t) {}
int32_t CGame::DrawItem(int32_t, bool, bool, int32_t) { return -1; }
int32_t CGame::GetItemPointer(int32_t, int32_t) { return -1; }

}  // namespace sorv
