// Drawing helpers every screen uses: clips, outlined and translucent rectangles and lines on
// the menu Graphics, the information band, animation playback, the menu arrow actors and
// the offset the menu engine adds to item positions.
#include "device/graphics.h"
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
                          int32_t) {
  SORV_FRAME("CGame.DrawAlphaRect(IIIIIII)V");
  SetClip(GetMenuGfx(), x, y, w, h);
  DrawColorRect(fill, outline, x, y, w, h);
  SetClip(GetMenuGfx(), 0, 0, kGameWidth, kGameHeight);
}

void CGame::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return reportError("NullPointer");
  g->drawLine(x1, y1, x2, y2);
}

void CGame::closeInfoBg() { infoBgClosed = true; }

bool CGame::drawInfoBg(int32_t, int32_t, int32_t, int32_t, bool keepClosed) {
  SORV_FRAME("CGame.drawInfoBg(IIIIZ)Z");
  infoBgClosed = infoBgClosed && keepClosed;
  if (infoBgClosed) return false;
  CTennis::paintContestRefereeLineEffect();
  if (pdbStep < 1) infoBgClosed = true;
  return pdbLevel >= kInfoBandReadable;
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
