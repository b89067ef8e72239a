#include "sprites/cactor.h"

#include "device/graphics.h"
#include "runtime/static_class.h"
#include "sprites/anim.h"
#include "sprites/asprite.h"
#include "sprites/game_hooks.h"

namespace sorv {

SORV_REF_FIELDS(CActor, SORV_REF_OFFSET(CActor, sprite), SORV_REF_OFFSET(CActor, ownFrameTimes));

namespace {

constexpr int32_t kHoldLastFrame = -2;
// Slot 2's animation 13 is drawn unmirrored even on a remapped actor.
constexpr int32_t kUnmirroredSlot = 2, kUnmirroredAnimation = 13;
constexpr int32_t kFirstMatchState = 40, kLastMatchState = 44, kStateWithoutSecondTable = 44;
constexpr int32_t kPartnerSlotOffset = 3;

void resetFramesHeld() { CActor::framesHeld = false; }

}  // namespace

bool CActor::framesHeld = false;

SORV_STATIC_INIT(kCActor, resetFramesHeld);

CActor* CActor::create(ASprite* sprite, int32_t animation, int32_t loopFrame) {
  CActor* actor = newObject<CActor>();
  if (actor != nullptr) actor->setSprite(sprite, animation, loopFrame, false);
  return actor;
}

int32_t CActor::frameCount() { return isNull(sprite) ? 0 : sprite->GetAFrames(animation); }

int32_t CActor::ownTime(int32_t f) {
  if (isNull(ownFrameTimes) || !ownFrameTimes->inBounds(f)) return -1;
  return ownFrameTimes->elements()[f];
}

void CActor::skipZeroOwnTimes(int32_t step) {
  while (ownTime(currentFrame) == 0) {
    currentFrame += step;
    timer = 0;
  }
}

void CActor::setSprite(ASprite* newSprite, int32_t newAnimation, int32_t newLoopFrame,
                       bool playBackwards) {
  sprite = newSprite;
  loopFrame = newLoopFrame;
  timer = 0;
  animation = newAnimation;
  backwards = playBackwards;
  if (remap) {
    const int32_t slot = getPlayerSprite();
    if (slot != -1) animation = ANIM::remapped(slot, animation);
  }
  const int32_t count = frameCount();
  currentFrame = backwards ? count - 1 : 0;
  paused = ended = onLastFrame = false;
  shownFrame = currentFrame;
  if (loopFrame == kHoldLastFrame) loopFrame = count - 1;
}

int32_t CActor::getPlayerSprite() {
  const GameHooks& game = gameHooks();
  const int32_t state = game.currentState();
  if (state < kFirstMatchState || state > kLastMatchState) return 1;
  ObjectArray* first = game.actionSprites0();
  ObjectArray* second = state == kStateWithoutSecondTable ? nullptr : game.actionSprites1();
  if (isNull(first) || (state != kStateWithoutSecondTable && isNull(second))) return -1;
  for (int32_t i = 0; i < first->length; i++) {
    const bool found = first->elements()[i] == sprite ||
                       (!isNull(second) && second->inBounds(i) && second->elements()[i] == sprite);
    if (found && !isNull(sprite)) return i >= kPartnerSlotOffset ? i - kPartnerSlotOffset : i;
  }
  return -1;
}

int32_t CActor::update(Graphics* g, int32_t x, int32_t y) {
  if (isNull(sprite)) return -1;
  const int32_t step = backwards ? -1 : 1;
  const int32_t count = frameCount();
  const bool held = paused || framesHeld;
  int32_t frameTime = 0;
  if (!held) {
    skipZeroOwnTimes(step);
    const int32_t own = ownTime(currentFrame);
    if (own >= 0) {
      frameTime = own;
    } else if (currentFrame >= 0 && currentFrame < count) {
      frameTime = sprite->GetAFrameTime(animation, currentFrame);
    }
  }
  if (!isNull(g)) {
    const int32_t frame = held ? shownFrame : currentFrame;
    if (frame >= 0 && frame < count) {
      const int32_t slot = remap ? getPlayerSprite() : -1;
      if (slot != -1 && !(slot == kUnmirroredSlot && animation == kUnmirroredAnimation)) {
        sprite->PaintAFrame(g, animation, frame, x, y, ASprite::kFlipX);
      } else {
        sprite->PaintAFrame(g, animation, frame, x, y);
      }
    }
  }
  if (held) return currentFrame;
  shownFrame = currentFrame;
  // Reaching rather than equalling: a frame time of 0 moves on at once.
  if (++timer >= frameTime) {
    currentFrame += step;
    timer = 0;
    skipZeroOwnTimes(step);
  }
  if (backwards ? currentFrame >= 0 : currentFrame < count) return currentFrame;
  timer = 0;
  if (loopFrame < 0) {
    currentFrame = backwards ? 0 : count - 1;
    ended = true;
    return -1;
  }
  if (loopFrame == count - 1) onLastFrame = true;
  currentFrame = loopFrame;
  return currentFrame;
}

int32_t CActor::update(int32_t x, int32_t y) { return update(gameHooks().gfx(), x, y); }

int32_t CActor::update() { return update(nullptr, 0, 0); }

void CActor::setAlpha(int32_t alpha) {
  if (!isNull(sprite)) sprite->setAlpha(alpha);
}

void CActor::paintCurrentFrame(Graphics* g, int32_t x, int32_t y) {
  if (isNull(sprite)) return;
  sprite->PaintAFrame(g, animation, paused ? shownFrame : currentFrame, x, y);
}

void CActor::SetCurrentFrame(int32_t frame, bool replay) {
  timer = 0;
  ended = onLastFrame = false;
  if (replay) {
    currentFrame = backwards ? frameCount() - 1 : 0;
    for (int32_t i = 0; i < frame; i++) update();
  } else {
    currentFrame = frame == -1 ? frameCount() - 1 : frame;
  }
  shownFrame = currentFrame;
}

int32_t CActor::getFrameDistance(int32_t frame) {
  const int32_t count = frameCount();
  if (frame >= count) return -1;
  const int32_t last = frame == -1 ? count - 1 : frame;
  int32_t total = 0;
  for (int32_t i = 0; i <= last; i++) {
    const int32_t own = ownTime(i);
    total += own >= 0 ? own : sprite->GetAFrameTime(animation, i);
  }
  return total;
}

}  // namespace sorv
