#include "menus/menu_paint.h"

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace sorv::menu_paint {

namespace {

constexpr int32_t kRestart = 1600;
constexpr int32_t kFrameMenu = 35;
constexpr int32_t kFrameItem = 0, kTitleItem = 1, kRightButton = 2, kLeftButton = 3;
constexpr int32_t kRightLabel = 4, kLeftLabel = 5, kBarItem = 8;

int32_t tickerX = kRestart;
int32_t rollX1 = kRestart, rollX2 = kRestart;

int32_t count(Object* table) {
  if (isNull(table)) return 0;
  return static_cast<Array*>(table)->length;
}

void restoreFullClip(Graphics* g) {
  g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
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

// A total time of 0 (a sprite's choice) shows the first frame instead of dividing by it.
void animation(Graphics* g, ASprite* sprite, int32_t anim, int64_t time, int32_t x, int32_t y,
               int32_t flags, int32_t alpha) {
  if (isNull(g) || !hasAnimation(sprite, anim)) return;
  const int32_t length = sprite->GetActionTime(anim);
  int32_t aframe = 0;
  if (length > 0) aframe = sprite->GetAFrameID(anim, static_cast<int32_t>(time % length));
  if (aframe < 0 || aframe >= sprite->GetAFrames(anim)) aframe = 0;
  sprite->PaintAFrame(g, anim, aframe, x, y, flags, 0, 0, alpha);
}

void colorRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  if (fill != -1) {
    g->setColor(fill);
    g->fillRect(x, y, w, h);
  }
  if (outline != -1 && outline != fill) {
    g->setColor(outline);
    g->drawRect(x, y, w - 1, h - 1);
  }
}

void alphaRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  g->setClip(x, y, w, h);
  g->clipRect(x, y, w, h);
  colorRect(fill, outline, x, y, w, h);
  restoreFullClip(g);
}

void tickerString(ASprite* font, String* text, int32_t x, int32_t y, int32_t leftLimit,
                  int32_t speed, int32_t mode) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(font) || isNull(text) || isNull(g)) return;
  if (tickerX == kRestart) tickerX = x;
  font->DrawString(g, text, tickerX, y, mode & ~0xF0);
  tickerX -= speed;
  if (font->getStringWidth(text) + tickerX < leftLimit) tickerX = kRestart;
}

void rollString(ASprite* font, String* text, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t gap, int32_t speed, int32_t mode) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(font) || isNull(text) || isNull(g)) return;
  const int32_t width = font->getStringWidth(text);
  if (rollX1 == kRestart) {
    rollX1 = x;
    rollX2 = x + width + gap;
  }
  g->setClip(x, y, w, h);
  font->DrawString(g, text, rollX1, y, mode & ~0xF0);
  if (rollX2 < x + w) font->DrawString(g, text, rollX2, y, mode & ~0xF0);
  restoreFullClip(g);
  rollX1 -= speed;
  rollX2 -= speed;
  if (rollX1 + width < x) {
    rollX1 = rollX2;
    rollX2 = rollX2 + width + gap;
  }
}

void screenFrame(String* title, int32_t first, int32_t second) {
  Graphics* g = CGame::gfx.get();
  Image* buffer = CGame::screenBuffer.get();
  if (!isNull(g) && !isNull(buffer)) g->drawImage(buffer, 0, 0, 0);
  if (!isNull(title)) {
    CGame::DrawFrameAsItem(-1, -1, kFrameMenu, kFrameItem, -1, -1, false);
    CGame::DrawStringAsItem(title, kFrameMenu, kTitleItem, false);
  }
  if ((first == -1 && second == -1) || CGame::paintingIntoBuffer) return;
  CGame::DrawMenuItem(kFrameMenu, kBarItem);
  if (second != -1) {
    CGame::DrawMenuItem(kFrameMenu, kRightButton);
    CGame::DrawStringAsItem(CGame::GetString(0, second), kFrameMenu, kRightLabel, false);
  }
  if (first != -1) {
    CGame::DrawMenuItem(kFrameMenu, kLeftButton);
    CGame::DrawStringAsItem(CGame::GetString(0, first), kFrameMenu, kLeftLabel, false);
  }
}

}  // namespace sorv::menu_paint
