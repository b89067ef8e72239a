// Guarded sprite paints for ids read from the menu data, and the scrolling text of a menu
// item: ids outside the sprite draw nothing; an animation of total time 0 shows its first
// frame.
#pragma once

#include <cstdint>

namespace sorv {

class ASprite;
class Graphics;
class String;

namespace menu_paint {

bool hasFrame(ASprite* sprite, int32_t frame);
bool hasAnimation(ASprite* sprite, int32_t anim);
// Total time of an animation, 0 when it has none.
int32_t animationLength(ASprite* sprite, int32_t anim);
void frame(Graphics* g, ASprite* sprite, int32_t frame, int32_t x, int32_t y, int32_t flags,
           int32_t alpha);
void animation(Graphics* g, ASprite* sprite, int32_t anim, int64_t time, int32_t x, int32_t y,
               int32_t flags, int32_t alpha);
// A text row moving left by `speed` a call from x until its right end passes leftLimit, in
// the item's palette and anchor (`mode`); it shares the shell's ticker position, which menu
// moves restart.
void tickerString(ASprite* font, String* text, int32_t x, int32_t y, int32_t leftLimit,
                  int32_t speed, int32_t mode);

}  // namespace menu_paint
}  // namespace sorv
