// CActor: one animation of a sprite being played: the current frame, the ticks spent on it,
// looping, holding or ending, and painting where its owner says. Actors of player sprites
// may be remapped (ANIM) and drawn mirrored.
//
// Invariants: a frame index read from the sprite is the actor's own business to keep in
// range; own frame times are read only inside their table. An actor without a sprite
// neither paints nor advances.
// Created and reused (always through setSprite) by the game shell and the match engine.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class ASprite;
class Graphics;

class CActor : public Object {
 public:
  static constexpr ClassId kClassId = kCActor;

  ASprite* sprite = nullptr;
  int32_t animation = 0;
  int32_t currentFrame = 0;
  int32_t shownFrame = 0;
  IntArray* ownFrameTimes = nullptr;
  bool paused = false;
  int32_t loopFrame = 0;
  int32_t timer = 0;
  bool backwards = false;
  bool ended = false;
  bool onLastFrame = false;
  bool remap = false;
  bool playerSpriteChoice = false;

  // Set while a pause paints the match's still: every actor shows the frame it last showed
  // and steps nothing.
  static bool framesHeld;

  virtual int32_t update();               // slot 6: advance without painting
  virtual void setAlpha(int32_t alpha);   // slot 7: no effect

  // CActor.<init>(LASprite;II)V.
  static CActor* create(ASprite* sprite, int32_t animation, int32_t loopFrame);
  void setSprite(ASprite* sprite, int32_t animation, int32_t loopFrame, bool backwards);
  void setSprite(ASprite* sprite, int32_t animation, int32_t loopFrame) {
    setSprite(sprite, animation, loopFrame, false);
  }
  // The player-sprite slot of the sprite (0..2), 1 outside a match, -1 when not a player's.
  int32_t getPlayerSprite();
  // Paints (g not null) and advances; the current frame, or -1 when the animation ended.
  int32_t update(Graphics* g, int32_t x, int32_t y);
  int32_t update(int32_t x, int32_t y);
  void paintCurrentFrame(Graphics* g, int32_t x, int32_t y);
  void SetCurrentFrame(int32_t frame, bool replay);
  int32_t getFrameDistance(int32_t frame);

 private:
  int32_t frameCount();
  // The own time of frame f, or -1 when there is no own table or f lies outside it.
  int32_t ownTime(int32_t f);
  void skipZeroOwnTimes(int32_t step);
};

}  // namespace sorv
