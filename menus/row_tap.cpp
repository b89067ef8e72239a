// The tap of an option row: the touched row blinks, then select fires with the cursor on it.
#include "menus/row_tap.h"

#include "game/cgame.h"

namespace sorv {

namespace row_tap {

void touch(int32_t entry, int32_t x, int32_t y, int32_t w, int32_t h, bool pressMoves) {
  if (CGame::isPointerReleasedInBox(x, y, w, h, true)) {
    CGame::menuCursor = entry;
    CGame::menuTouchedEntry = entry;
    CGame::menuTouchSelect = true;
    CGame::menuTouchBlink = -1;
    return;
  }
  if (CGame::isPointerDraggingInBox(x, y, w, h, false) ||
      (pressMoves && CGame::isPointerClickedInBox(x, y, w, h, false))) {
    CGame::menuCursor = entry;
  }
}

bool pending() { return CGame::menuTouchSelect && CGame::menuTouchedEntry >= 0; }

bool lit(int32_t entry, bool cursorRow) {
  if (!cursorRow) return false;
  if (!pending() || entry != CGame::menuTouchedEntry) return true;
  return (CGame::menuTouchBlink & 1) != 0;
}

void advance() {
  if (!pending()) return;
  if (CGame::menuTouchBlink == kTapFires) {
    CGame::keysPressed = kSelectKeys;
    CGame::menuCursor = CGame::menuTouchedEntry;
    CGame::scrollStringX = CGame::kTickerRestart;
    end();
    return;
  }
  CGame::menuTouchBlink++;
  CGame::repaintAll = true;
}

void end() {
  CGame::menuTouchSelect = false;
  CGame::menuTouchedEntry = -1;
}

}  // namespace row_tap
}  // namespace sorv
