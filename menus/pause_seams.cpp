// The career's and the player cards' operations that the in-game menu and the match
// statistics call: the week's close after leaving a training match, and a player's name.
#include "game/cgame.h"
#include "runtime/string.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "tools/data/resource_ids.h"

namespace sorv {

void CGame::switch2CareerUpdate(bool) {}

// Until the created players' names are built, a roster player's name from the texts.
String* CGame::gePlayerName(int32_t roster, int32_t, int32_t) {
  ObjectArray* names = rosterNames;
  if (isNull(names) || roster < 0 || roster >= names->length) return StaticClass::getConstant(kConstEmpty);
  return static_cast<String*>(names->elements()[roster]);
}

}  // namespace sorv
