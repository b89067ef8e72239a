// Small drawing steps the menu engine needs of the shell's drawing helpers: a guarded frame
// or animation paint, coloured rectangles, the two text tickers and the menu-screen frame.
// Sprite ids outside the sprite draw nothing; an animation of total time 0 shows its first
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
// On the menu Graphics: fill (-1 none) and an outline (-1 or equal to the fill: none).
void colorRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h);
// The same inside a clip of the rectangle, the full screen's clip restored after.
void alphaRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h);
// A text row moving left by `speed` a call from x until its right end passes leftLimit.
void tickerString(ASprite* font, String* text, int32_t x, int32_t y, int32_t leftLimit,
                  int32_t speed, int32_t mode);
// A text rolling left endlessly inside (x, y, w, h), two copies `gap` apart.
void rollString(ASprite* font, String* text, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t gap, int32_t speed, int32_t mode);
// The screen buffer, then the menu-screen frame of menu 35: title, bar and labels of text
// pack 0 (-1 none).
void screenFrame(String* title, int32_t first, int32_t second);

}  // namespace menu_paint
}  // namespace sorv
