// The career's operation that the in-game menu calls: the week's close after leaving a
// training match.
#include "game/cgame.h"

namespace sorv {

void CGame::switch2CareerUpdate(bool) {}
void CGame::switch2CareerUpdate(bool fromMatch, bool) { switch2CareerUpdate(fromMatch); }

}  // namespace sorv
