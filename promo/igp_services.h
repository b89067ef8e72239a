// IGP, the promotion screen, as far as the game shell calls it. The promotion issue fills
// the bodies; until then the screen is not available, finishes at once and has no items.
//
// Invariants: item numbers are 0 for none; the shell writes the touch records below and the
// screen reads and clears them. Game thread only.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Canvas;
class Graphics;
class MIDlet;
class String;

class IGP : public Object {
 public:
  static constexpr ClassId kClassId = kIGP;

  // The touch records the shell keeps for the screen: the item pressed (with the list's
  // scroll at that moment) and the item released; -1 drag point when none.
  static int32_t pressedItem, pressedScroll, releasedItem;
  static int32_t dragX, dragY;
  // The screen's list scroll, read when a press is recorded.
  static int32_t listScroll;

  // What the seams answer for IsAvailable and isZVipAvailable (tests set them).
  static bool available, zvipAvailable;

  static void initialize(MIDlet* midlet, Canvas* canvas, int32_t width, int32_t height,
                         Object* listener);
  static bool IsAvailable();
  static bool isZVipAvailable();
  static void enterIGP(String* title, int32_t page);
  static void enterZVIP();
  static bool update(int32_t action);
  static void paint(Graphics* g);
  static int32_t updateTouchIGP(int32_t x, int32_t y);
  static void updatePointerDragged(int32_t x, int32_t y);
};

}  // namespace sorv
