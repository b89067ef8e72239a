#include "menus/menu_paint.h"

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace sorv::menu_paint {

namespace {

int32_t count(Object* table) {
  if (isNull(table)) return 0;
  return static_cast<Array*>(table)->length;
}

}  // namespace

bool hasFrame(ASprite* sprite, int32_t frame) {
  return !isNull(sprite) && frame >= 0 && frame < count(sprite->frameFModuleCount);
}

bool hasAnimation(ASprite* sprite, int32_t anim) {
  return !isNull(sprite) && anim >= 0 && anim < count(sprite->animAFrameCount) &&
         sprite->GetAFrames(anim) > 0;
}

int32_t animationLength(ASprite* sprite, int32_t anim) {
  return hasAnimation(sprite, anim) ? sprite->GetActionTime(anim) : 0;
}

void frame(Graphics* g, ASprite* sprite, int32_t frame, int32_t x, int32_t y, int32_t flags,
           int32_t alpha) {
  if (isNull(g) || !hasFrame(sprite, frame)) return;
  sprite->PaintFrame(g, frame, x, y, flags, alpha);
}

void animation(Graphics* g, ASprite* sprite, int32_t anim, int64_t time, int32_t x, int32_t y,
               int32_t flags, int32_t alpha) {
  if (isNull(g) || !hasAnimation(sprite, anim)) return;
  CGame::DrawAnimation(g, sprite, anim, time, x, y, 0, flags, alpha);
}

void tickerString(ASprite* font, String* text, int32_t x, int32_t y, int32_t leftLimit,
                  int32_t speed, int32_t mode) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(font) || isNull(text) || isNull(g)) return;
  int32_t& position = CGame::scrollStringX;
  if (position == CGame::kTickerIdle) position = x;
  font->DrawString(g, text, position, y, mode & ~0xF0);
  position -= speed;
  if (font->getStringWidth(text) + position < leftLimit) position = CGame::kTickerIdle;
}

}  // namespace sorv::menu_paint
