// What the sprite floor reads of the game, and the only way it reaches the game: a filled
// module is drawn as the game fills rectangles, fonts follow the game's language, built
// images take the game's alpha, and remapped actors look the players' sprites up in the
// game's action tables while the shell is in a match state.
//
// Invariants: every member of gameHooks() is set. The game fills the hooks in its static
// initialiser, which runs before ASprite's and so before any sprite is loaded or drawn. Until
// then (sprites without the game) each hook answers as if no game were there: filled modules
// opaque, the first language's letters, no alpha, no match state and no screen Graphics.
// Main thread only.
#pragma once

#include <cstdint>

namespace sorv {

class Graphics;
class ObjectArray;

struct GameHooks {
  // CGame.fillRect with an opacity in percent.
  void (*fillRect)(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                   int32_t percent) = nullptr;
  int32_t (*language)() = nullptr;
  bool (*buildAlpha70)() = nullptr;
  bool (*buildAlpha30)() = nullptr;
  // The shell's current state.
  int32_t (*currentState)() = nullptr;
  // CGame.actionSprites0 and actionSprites1: the players' sprites in a match.
  ObjectArray* (*actionSprites0)() = nullptr;
  ObjectArray* (*actionSprites1)() = nullptr;
  // CGame.gfx: where an actor updated without a Graphics paints.
  Graphics* (*gfx)() = nullptr;
};

const GameHooks& gameHooks();
// Replaces every hook; a member left null gets its no-game answer.
void setGameHooks(const GameHooks& hooks);

}  // namespace sorv
