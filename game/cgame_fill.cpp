#include <algorithm>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "sprites/asprite.h"

namespace sorv {

int32_t CGame::language = 0;
bool CGame::buildAlpha70 = false;
bool CGame::buildAlpha30 = false;
StaticRef<Graphics> CGame::gfx;
StaticRef<ObjectArray> CGame::actionSprites0;
StaticRef<ObjectArray> CGame::actionSprites1;
int32_t CGame::playerChoice1 = 0, CGame::playerChoice2 = 0;
int32_t CGame::playerChoice3 = 0, CGame::playerChoice4 = 0;
int32_t CGame::playerChoiceValues[4][2] = {};
StaticRef<ObjectArray> CGame::statLabels;

void CGame::fillRect(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h) {
  SORV_FRAME("CGame.fillRect(Ljavax/microedition/lcdui/Graphics;IIIII)V");
  if (w <= 0 || h <= 0) return;
  if (isNull(g)) return reportError("NullPointer");
  const uint32_t alpha = static_cast<uint32_t>(argb) >> 24;
  if (alpha == 0xFF) {
    const int32_t remembered = g->getColor();
    g->setColor(argb);
    g->fillRect(x, y, w, h);
    g->setColor(remembered);
    return;
  }
  if (alpha == 0) return;
  // Only the part inside the clip is blended: a band far larger than the screen costs no
  // more than the screen, and no strip's position leaves the int range.
  const int64_t left = std::max<int64_t>(x, int64_t{g->clipLeft} - g->translateX);
  const int64_t top = std::max<int64_t>(y, int64_t{g->clipTop} - g->translateY);
  const int64_t right = std::min<int64_t>(int64_t{x} + w, int64_t{g->clipRight} - g->translateX);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + h, int64_t{g->clipBottom} - g->translateY);
  if (left >= right || top >= bottom) return;
  w = static_cast<int32_t>(right - left);
  IntArray* buffer = ASprite::decodeBuffer.get();
  if (isNull(buffer) || buffer->length < 1) buffer = Array::newIntArray(std::min(w, ASprite::kDecodeBufferSize));
  if (isNull(buffer)) return;
  // A band wider than the buffer goes in columns, so every strip has at least one row.
  const int32_t stripWidth = std::min(w, buffer->length);
  const auto rows = static_cast<int32_t>(std::min<int64_t>(buffer->length / stripWidth, bottom - top));
  std::fill_n(buffer->elements(), rows * stripWidth, argb);
  for (int64_t column = left; column < right; column += stripWidth) {
    const auto width = static_cast<int32_t>(std::min<int64_t>(stripWidth, right - column));
    for (int64_t r = top; r < bottom; r += rows) {
      // Blended: an opaque copy would turn every translucent band solid.
      g->drawRGB(buffer, 0, stripWidth, static_cast<int32_t>(column), static_cast<int32_t>(r), width,
                 static_cast<int32_t>(std::min<int64_t>(bottom - r, rows)), true);
    }
  }
}

void CGame::fillRect(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                     int32_t percent) {
  percent = std::clamp(percent, 0, 100);
  fillRect(g, rgb | ((percent * 255 / 100) << 24), x, y, w, h);
}

}  // namespace sorv
