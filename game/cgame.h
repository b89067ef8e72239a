// CGame, the game shell: so far the part the sprite code reads (the language, the two alpha
// build switches, the drawing target) and the filled and translucent rectangles.
//
// Invariants: translucent fills borrow ASprite's decode buffer for one call and never keep
// it; a fill never loops without drawing, whatever its size or the buffer's.
// Called by the sprite code and, later, every screen; one thread.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class Graphics;
class IntArray;
class ObjectArray;

class CGame : public Object {
 public:
  static constexpr ClassId kClassId = kCGame;

  // The current language number (0..10; 9 and 10 have extra letters in the fonts).
  static int32_t language;
  // Set around two sprite loads: BuildCacheImages gives opaque pixels 70 % or 30 % alpha.
  static bool buildAlpha70;
  static bool buildAlpha30;
  // The Graphics the current frame draws into.
  static StaticRef<Graphics> gfx;
  // The state machine's current state (match states are 40 to 44).
  static int32_t currentState;
  // The match's player-sprite tables, per side six slots (partners at 3 to 5); filled by
  // the match loader, read by the actors to find their remap slot.
  static StaticRef<ObjectArray> actionSprites0;
  static StaticRef<ObjectArray> actionSprites1;

  // The options (0: sound on, 1: the speed unit in force) and the next match's settings
  // (0: the match mode, 1: difficulty, 2: games, 3: sets, 4: court type).
  static StaticRef<IntArray> optionValues;
  static StaticRef<IntArray> matchSettings;

  // argb's top byte is the alpha: 255 a solid fill, 0 nothing, else blended over the target.
  static void fillRect(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h);
  // percent clamped to 0..100 becomes the alpha of rgb.
  static void fillRect(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t percent);
};

}  // namespace sorv
