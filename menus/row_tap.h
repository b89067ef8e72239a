// The tap of a list row drawn by drawOptMenu. Such rows are not type-14 buttons, so the menu
// drawing's blink never reaches them: the screen that draws them runs the tap itself.
//
// Invariants: a tap is pending while CGame::menuTouchSelect is set with
// CGame::menuTouchedEntry >= 0; the blink counter CGame::menuTouchBlink starts at -1 on the
// release and advances once a paint; at count 4 select (0x50020) is pressed with the cursor on
// the touched entry and the tap ends. MenuPush and MenuPop end a pending tap, so a tap left
// behind by a screen change fires nowhere.
//
// A screen calls touch() for each drawn row, lit() for each row's highlight, and advance()
// once a paint after its rows.
#pragma once

#include <cstdint>

namespace sorv::row_tap {

constexpr int32_t kTapFires = 4;
constexpr int32_t kSelectKeys = 0x50020;

// One row's touch box (x, y, w, h) for the list entry `entry`: a drag inside (and, with
// pressMoves, a press) puts the cursor on it; a release inside is consumed, puts the cursor on
// it and starts its tap.
void touch(int32_t entry, int32_t x, int32_t y, int32_t w, int32_t h, bool pressMoves = false);
// Whether a row shows its highlight this paint: the cursor row does, except that the touched
// row of a pending tap shows it on odd blink counts only.
bool lit(int32_t entry, bool cursorRow);
// Once a paint: the pending tap's counter advances; at its count select fires on the touched
// entry. While the tap blinks the screen is asked to repaint (CGame::repaintAll), so screens
// that draw their rows only on request keep blinking.
void advance();
// Ends a pending tap without firing.
void end();
bool pending();

}  // namespace sorv::row_tap
