#include "sprites/game_hooks.h"

#include "device/graphics.h"

namespace sorv {
namespace {

constexpr int32_t kNoState = -1;

void opaqueFill(Graphics* g, int32_t, int32_t x, int32_t y, int32_t w, int32_t h, int32_t) {
  g->fillRect(x, y, w, h);
}
int32_t firstLanguage() { return 0; }
bool noAlpha() { return false; }
int32_t noState() { return kNoState; }
ObjectArray* noTable() { return nullptr; }
Graphics* noGraphics() { return nullptr; }

GameHooks withDefaults(GameHooks h) {
  if (h.fillRect == nullptr) h.fillRect = opaqueFill;
  if (h.language == nullptr) h.language = firstLanguage;
  if (h.buildAlpha70 == nullptr) h.buildAlpha70 = noAlpha;
  if (h.buildAlpha30 == nullptr) h.buildAlpha30 = noAlpha;
  if (h.currentState == nullptr) h.currentState = noState;
  if (h.actionSprites0 == nullptr) h.actionSprites0 = noTable;
  if (h.actionSprites1 == nullptr) h.actionSprites1 = noTable;
  if (h.gfx == nullptr) h.gfx = noGraphics;
  return h;
}

GameHooks& hooks() {
  static GameHooks h = withDefaults({});
  return h;
}

}  // namespace

const GameHooks& gameHooks() { return hooks(); }

void setGameHooks(const GameHooks& h) { hooks() = withDefaults(h); }

}  // namespace sorv
