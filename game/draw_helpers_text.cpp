// Text helpers in a sprite font: the winner label and the two tickers, whose positions are
// shared statics (one ticker of each kind runs at a time).
#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace sorv {

namespace {

constexpr int32_t kSmallFontClass = 4;
constexpr int32_t kWinTextPack = 2, kWinText = 163;
constexpr int32_t kWinOutline = 0xFFFF00;
constexpr int32_t kWinFill = static_cast<int32_t>(0xFF331FB7);

int32_t widthOf(ASprite* font, String* s) { return isNull(s) ? 0 : font->getStringWidth(s); }

}  // namespace

void CGame::drawWinLogo(int32_t x, int32_t y) {
  SORV_FRAME("CGame.drawWinLogo(II)V");
  String* text = GetString(kWinTextPack, kWinText);
  ASprite* font = GetAnimationIDByClass(kSmallFontClass);
  if (isNull(font) || isNull(gfx)) return reportError("NullPointer");
  const int32_t w = widthOf(font, text) + 3;
  const int32_t left = x - w / 2;
  gfx->setColor(kWinOutline);
  gfx->drawRect(left, y - 5, w, 10);
  fillRect(gfx, kWinFill, left + 1, y - 4, w - 1, 9);
  if (!isNull(text)) font->DrawString(gfx, text, left + 2, y - 2, 0);
}

bool CGame::DrawRowScrollString(ASprite* font, String* s, int32_t x, int32_t y, int32_t leftLimit,
                                int32_t speed) {
  SORV_FRAME("CGame.DrawRowScrollString(LASprite;Ljava/lang/String;IIII)Z");
  if (isNull(font)) {
    reportError("NullPointer");
    return false;
  }
  if (scrollStringX == kTickerIdle) scrollStringX = x;
  if (!isNull(s)) font->DrawString(gfx, s, scrollStringX, y, 0);
  scrollStringX -= speed;
  if (widthOf(font, s) + scrollStringX < leftLimit) {
    scrollStringX = kTickerIdle;
    return true;
  }
  return false;
}

bool CGame::DrawRowRollString(ASprite* font, String* s, int32_t x, int32_t y, int32_t gap,
                              int32_t rightMargin, int32_t speed, bool centred) {
  SORV_FRAME("CGame.DrawRowRollString(LASprite;Ljava/lang/String;IIIIIZ)Z");
  if (isNull(font)) {
    reportError("NullPointer");
    return false;
  }
  const int32_t w = widthOf(font, s);
  const int32_t anchor = centred ? 1 : 0;
  if (rollStringX1 == kTickerIdle) {
    rollStringX2 = x + w + gap;
    rollStringX1 = x;
  }
  if (!isNull(s)) {
    font->DrawString(gfx, s, rollStringX1, y, anchor);
    if (rollStringX1 + w + gap < kGameWidth - rightMargin) font->DrawString(gfx, s, rollStringX2, y, anchor);
  }
  rollStringX1 -= speed;
  rollStringX2 -= speed;
  if (rollStringX1 + w < x) {
    rollStringX1 = rollStringX2;
    rollStringX2 = rollStringX2 + w + gap;
    return true;
  }
  return false;
}

}  // namespace sorv
