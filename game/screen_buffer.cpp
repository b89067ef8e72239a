// The screen buffer: switching the frame's drawing into it and back, painting a whole state
// into it (plain, grey or as the splash), the paint-into-buffer fade and the blurred buffer
// of the speed lines.
#include "game/screen_buffer.h"

#include <algorithm>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<Image> CGame::screenBuffer;
StaticRef<Graphics> CGame::savedScreenGraphics;
bool CGame::pdbActive = false;
bool CGame::pdbClosing = false;
bool CGame::paintingIntoBuffer = false;
int32_t CGame::pdbKind = 0;
int32_t CGame::pdbHoldFrames = 0;
int32_t CGame::pdbStartFrame = 0;
int32_t CGame::pdbStep = 0;
int32_t CGame::pdbLevel = 0;

namespace screen_buffer {

int32_t greyPixel(int32_t argb, int32_t tint) {
  const int32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  const int32_t grey = (g * 59 + b * 11 + r * 30) / 100;
  if (tint == -1) return grey * 0x010101;
  const int32_t tr = (tint >> 16) & 0xFF, tg = (tint >> 8) & 0xFF, tb = tint & 0xFF;
  return (grey * tr / 255) << 16 | (grey * tg / 255) << 8 | grey * tb / 255;
}

Rect clipTo(int32_t x, int32_t y, int32_t w, int32_t h, int32_t width, int32_t height) {
  const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + w, width);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + h, height);
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(std::max<int64_t>(right - left, 0)),
          static_cast<int32_t>(std::max<int64_t>(bottom - top, 0))};
}

}  // namespace screen_buffer

namespace {

constexpr int32_t kFadeSteps = 5;
constexpr int32_t kFullLevel = 100;
constexpr int32_t kSplashPalette = 1;
constexpr int32_t kBlurAll = 100;

void resetScreenBuffer() {
  CGame::pdbActive = CGame::pdbClosing = CGame::paintingIntoBuffer = false;
  CGame::pdbKind = CGame::pdbHoldFrames = CGame::pdbStartFrame = CGame::pdbStep = CGame::pdbLevel = 0;
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetScreenBuffer);

void CGame::createScreenBuffer() {
  if (isNull(screenBuffer)) screenBuffer = Image::createImage(kGameWidth, kGameHeight);
}

// While a state is painted into the buffer the switches stand still: the nested paint stays
// in the buffer and the outer frame finds its own target again afterwards.
void CGame::switchToBuffer() {
  if (paintingIntoBuffer || isNull(screenBuffer)) return;
  // Already in the buffer: saving its own Graphics as the screen's would lose the screen.
  if (!isNull(gfx) && gfx->target == screenBuffer.get()) return;
  savedScreenGraphics = gfx;
  gfx = screenBuffer->getGraphics();
}

void CGame::switchToScreen() {
  if (paintingIntoBuffer || isNull(savedScreenGraphics)) return;
  gfx = savedScreenGraphics;
  savedScreenGraphics = nullptr;
}

void CGame::enablePaintDirectInBuffer(int32_t kind, int32_t holdFrames) {
  pdbActive = true;
  pdbKind = kind;
  pdbHoldFrames = holdFrames;
  pdbStartFrame = CTennis::matchFrame;
  pdbStep = 0;
  pdbLevel = 0;
  pdbClosing = false;
}

void CGame::disablePaintDirectInBuffer() {
  pdbActive = false;
  switchToScreen();
  pdbKind = pdbHoldFrames = pdbStartFrame = pdbStep = pdbLevel = 0;
  pdbClosing = false;
}

void CGame::disablePaintDirectInBuffer(int32_t kind) {
  if (pdbKind == kind) disablePaintDirectInBuffer();
}

void CGame::closePaintDirectInBuffer() {
  if (!pdbActive) return;
  if (!pdbClosing) {
    pdbClosing = true;
    return;
  }
  const bool holdOver = pdbHoldFrames >= 1 && CTennis::matchFrame - pdbStartFrame >= pdbHoldFrames;
  if (pdbStep <= 0 || holdOver) disablePaintDirectInBuffer();
}

void CGame::closePaintDirectInBuffer(int32_t kind) {
  if (pdbKind == kind) closePaintDirectInBuffer();
}

void CGame::updatePDB() {
  if (!pdbActive) return;
  if (!pdbClosing) {
    pdbStep++;
    pdbLevel = pdbStep < kFadeSteps ? pdbStep * kFullLevel / kFadeSteps : kFullLevel;
    if (pdbHoldFrames > 0 && CTennis::matchFrame - pdbStartFrame >= pdbHoldFrames) closePaintDirectInBuffer();
    return;
  }
  pdbStep = pdbStep <= kFadeSteps ? pdbStep - 1 : kFadeSteps;
  pdbLevel = pdbStep * kFullLevel / kFadeSteps;
  if (pdbStep < 0) disablePaintDirectInBuffer();
}

void CGame::updateScreenBuffer(bool last) {
  SORV_FRAME("CGame.updateScreenBuffer(Z)V");
  // The paint of a match state runs a match frame, which may ask for the buffer again.
  if (paintingIntoBuffer) {
    Debug::trace("CGame.updateScreenBuffer: already painting state %d into the buffer, refused",
                 GET_CURRENT_STATE());
    return;
  }
  if (last && stateTop < 1) {
    Debug::trace("CGame.updateScreenBuffer: no state under state %d, nothing painted", GET_CURRENT_STATE());
    return;
  }
  createScreenBuffer();
  if (isNull(screenBuffer)) return;
  Graphics* target = screenBuffer->getGraphics();
  // Kept on the stack, which the collector scans, so nothing else needs to remember them.
  Graphics* keptGfx = gfx;
  Graphics* keptMenu = GetMenuGfx();
  paintingIntoBuffer = true;
  gfx = target;
  SetMenuGfx(target);
  key_updateKey();
  SM_GS_update(last ? GET_LAST_STATE() : GET_CURRENT_STATE(), kMsgPaint);
  gfx = keptGfx;
  SetMenuGfx(keptMenu);
  paintingIntoBuffer = false;
  key_resetKey();
}

void CGame::updateScreenBufferWithGray() {
  SORV_FRAME("CGame.updateScreenBufferWithGray()V");
  updateScreenBuffer(false);
  if (isNull(screenBuffer)) return;
  graylizeImage2Graphic(screenBuffer->getGraphics(), screenBuffer, -1);
}

void CGame::updateScreenBufferWithStdSplash() {
  SORV_FRAME("CGame.updateScreenBufferWithStdSplash()V");
  createScreenBuffer();
  if (isNull(screenBuffer)) return;
  ASprite* splash = loadSprite(StaticClass::getConstant(kConstBootPack), false, kBootSplash, true);
  if (isNull(splash)) return;
  if (splash->paletteCount > 1) splash->SetCurrentPalette(kSplashPalette);
  splash->PaintFrame(screenBuffer->getGraphics(), 0, 0, 0, 0, 0, 0);
}

void CGame::drawBlurBuffer() {
  SORV_FRAME("CGame.drawBlurBuffer()V");
  if (paintingIntoBuffer || isNull(savedScreenGraphics) || !pdbActive || pdbKind != kPdbBlur) return;
  if (isNull(screenBuffer)) return;
  if (pdbStep == 1) paintIGMBlurEffect(screenBuffer->getGraphics(), 0, 0, kGameWidth, kGameHeight, kBlurAll, 0);
  switchToScreen();
  if (isNull(gfx)) return reportError("NullPointer");
  gfx->drawImage(screenBuffer, 0, 0, 0);
}

}  // namespace sorv
