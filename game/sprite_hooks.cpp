// The shell's side of sprites/game_hooks.h: every hook reads the shell's field at the time of
// the call, so the sprites follow a change of language or of state at once.
#include "device/graphics.h"
#include "game/cgame.h"
#include "sprites/game_hooks.h"

namespace sorv {

void CGame::fillSpriteHooks() {
  GameHooks hooks;
  hooks.fillRect = [](Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                      int32_t percent) { fillRect(g, rgb, x, y, w, h, percent); };
  hooks.language = [] { return language; };
  hooks.buildAlpha70 = [] { return buildAlpha70; };
  hooks.buildAlpha30 = [] { return buildAlpha30; };
  hooks.currentState = [] { return GET_CURRENT_STATE(); };
  hooks.actionSprites0 = []() -> ObjectArray* { return actionSprites0.get(); };
  hooks.actionSprites1 = []() -> ObjectArray* { return actionSprites1.get(); };
  hooks.gfx = []() -> Graphics* { return gfx.get(); };
  setGameHooks(hooks);
}

}  // namespace sorv
