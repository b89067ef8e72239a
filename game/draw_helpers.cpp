// Drawing helpers every screen uses: clips, outlined and translucent rectangles and lines on
// the menu Graphics, the information band, animation playback, the menu arrow actors and
// the offset the menu engine adds to item positions.
#include <algorithm>
#include <cstdlib>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

bool CGame::infoBgClosed = false;
int32_t CGame::scrollStringX = CGame::kTickerIdle;
int32_t CGame::rollStringX1 = CGame::kTickerIdle;
int32_t CGame::rollStringX2 = CGame::kTickerIdle;
StaticRef<CActor> CGame::upArrowActor;
StaticRef<CActor> CGame::downArrowActor;

namespace {

constexpr int32_t kNoColour = -1;
// The information band counts as open from this fade level on.
constexpr int32_t kInfoBandReadable = 35;
constexpr int32_t kInfoBandRows = 11;
constexpr int32_t kInfoBandGradient = 80, kInfoBandGradientKind = 1;
constexpr int32_t kMenuSpriteClass = 19;
constexpr int32_t kUpArrowAnim = 33, kDownArrowAnim = 34;

// The actor shows frame f and loops back to it.
void holdAt(CActor* actor, int32_t f) {
  if (isNull(actor)) return;
  actor->loopFrame = f;
  actor->SetCurrentFrame(f, false);
}

// A new run starts with no offset, the band open and both tickers idle.
void resetDrawHelpers() {
  CGame::menuPaintX = CGame::menuPaintY = 0;
  CGame::infoBgClosed = false;
  CGame::scrollStringX = CGame::rollStringX1 = CGame::rollStringX2 = CGame::kTickerIdle;
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetDrawHelpers);

void CGame::SetClip(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (isNull(g)) return reportError("NullPointer");
  g->setClip(x, y, w, h);
  g->clipRect(x, y, w, h);
}

void CGame::DrawColorRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h) {
  SORV_FRAME("CGame.DrawColorRect(IIIIII)V");
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return reportError("NullPointer");
  if (fill != kNoColour) {
    g->setColor(fill);
    g->fillRect(x, y, w, h);
  }
  if (outline != kNoColour && outline != fill) {
    g->setColor(outline);
    g->drawRect(x, y, w - 1, h - 1);
  }
}

void CGame::DrawAlphaRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t alpha) {
  SORV_FRAME("CGame.DrawAlphaRect(IIIIIII)V");
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return reportError("NullPointer");
  // The alpha byte over the colour's RGB: what lies below shows through fill and outline
  // alike, so the fill stays inside the outline rather than under it.
  const int32_t a = std::clamp(alpha, 0, 0xFF) << 24;
  const bool ringed = outline != kNoColour && outline != fill && w > 0 && h > 0;
  SetClip(g, x, y, w, h);
  if (fill != kNoColour) {
    if (ringed) {
      fillRect(g, a | (fill & 0xFFFFFF), x + 1, y + 1, w - 2, h - 2);
    } else {
      fillRect(g, a | (fill & 0xFFFFFF), x, y, w, h);
    }
    g->setColor(fill);
  }
  if (ringed) {
    const int32_t colour = a | (outline & 0xFFFFFF);
    fillRect(g, colour, x, y, w, 1);
    if (h > 1) fillRect(g, colour, x, y + h - 1, w, 1);
    fillRect(g, colour, x, y + 1, 1, h - 2);
    if (w > 1) fillRect(g, colour, x + w - 1, y + 1, 1, h - 2);
    g->setColor(outline);
  }
  SetClip(g, 0, 0, kGameWidth, kGameHeight);
}

void CGame::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return reportError("NullPointer");
  g->drawLine(x1, y1, x2, y2);
}

void CGame::closeInfoBg() { infoBgClosed = true; }

bool CGame::drawInfoBg(int32_t top, int32_t height, int32_t edge, int32_t fill, bool keepClosed) {
  SORV_FRAME("CGame.drawInfoBg(IIIIZ)Z");
  infoBgClosed = infoBgClosed && keepClosed;
  if (infoBgClosed) return false;
  paintInfoBand(top, height, edge, fill);
  if (pdbStep < 1) infoBgClosed = true;
  return pdbLevel >= kInfoBandReadable;
}

void CGame::paintInfoBand(int32_t top, int32_t height, int32_t edge, int32_t fill) {
  SORV_FRAME("CGame.paintInfoBand(IIII)V");
  if (!pdbActive || pdbKind != kPdbInfoBand || height <= 0) return;
  // The band opens from its middle as the fade level rises: v rows are still shut.
  const int32_t shut = (100 - std::clamp(pdbLevel, 0, 100)) * height / 100;
  const int32_t half = shut / 2;
  // The frame went into the screen buffer: the open part is tinted there, then the whole
  // frame goes onto the screen.
  if (!isNull(savedScreenGraphics) && !isNull(screenBuffer)) {
    paintVerticalGradientEffect(screenBuffer->getGraphics(), 0, top + half, kGameWidth, height - shut,
                                kInfoBandGradient, kInfoBandGradientKind);
    switchToScreen();
    if (isNull(gfx)) return reportError("NullPointer");
    gfx->drawImage(screenBuffer, 0, 0, 0);
  }
  Graphics* g = gfx;
  if (isNull(g)) return reportError("NullPointer");
  // Eleven rows, the middle one the most opaque; the outer ones join as the band opens.
  auto rowTop = [&](int32_t i) { return top + i * height / kInfoBandRows; };
  const int32_t middle = kInfoBandRows / 2;
  const int32_t first = half * kInfoBandRows / height, last = kInfoBandRows - 1 - first;
  for (int32_t i = first; i <= last; i++) {
    const int32_t percent = std::clamp(80 - std::abs(middle - i) * 12, 0, 100);
    fillRect(g, (percent * 255 / 100) << 24 | (fill & 0xFFFFFF), 0, rowTop(i), kGameWidth, rowTop(i + 1) - rowTop(i));
  }
  if (edge == kNoColour || first > last) return;
  fillRect(g, edge | 0xFF000000, 0, rowTop(first), kGameWidth, 1);
  fillRect(g, edge | 0xFF000000, 0, rowTop(last + 1) - 1, kGameWidth, 1);
}

void CGame::DrawAnimation(Graphics* g, ASprite* s, int32_t anim, int64_t time, int32_t x, int32_t y,
                          int32_t, int32_t flags, int32_t alpha) {
  SORV_FRAME("CGame.DrawAnimation(Ljavax/microedition/lcdui/Graphics;LASprite;IJIIIII)V");
  if (isNull(s)) return;
  const int32_t length = s->GetActionTime(anim);
  int32_t frame = 0;
  // A length of 0 comes from a sprite whose frame times are all 0: its first frame stands.
  if (length > 0) {
    int64_t t = time % length;
    // A time before 0 counts back from the end rather than past the first frame.
    if (t < 0) t += length;
    frame = s->GetAFrameID(anim, static_cast<int32_t>(t));
  }
  s->PaintAFrame(g, anim, frame, x, y, flags, 0, 0, alpha);
}

void CGame::prepareAnimationArrows() {
  SORV_FRAME("CGame.prepareAnimationArrows()V");
  upArrowActor = nullptr;
  downArrowActor = nullptr;
  ASprite* menuSprite = GetAnimationIDByClass(kMenuSpriteClass);
  upArrowActor = CActor::create(menuSprite, kUpArrowAnim, 0);
  downArrowActor = CActor::create(menuSprite, kDownArrowAnim, 0);
  holdAt(upArrowActor, 0);
  holdAt(downArrowActor, 1);
}

}  // namespace sorv
