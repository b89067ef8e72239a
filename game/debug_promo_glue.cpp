// The debug message that holds the game while set, and the glue between the frame and the
// promotion screen: set-up at start, keys into its action codes, its paint.
#include "device/font.h"
#include "device/graphics.h"
#include "game/cgame.h"
#include "game/zentukr09.h"
#include "promo/igp.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

StaticRef<String> CGame::debugMessage;

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kCentreBaseline = 65;

struct KeyAction {
  int32_t keys;
  int32_t action;
};

// First match wins; a frame without these keys still updates the screen with action 0.
constexpr KeyAction kPromoActions[] = {
    {0x50020, 25}, {0x20000, 26}, {0x2004, 21}, {0x1100, 32}, {0x4010, 23}, {0x8040, 24},
};

int32_t promoAction(int32_t pressed) {
  for (const KeyAction& a : kPromoActions) {
    if ((pressed & a.keys) != 0) return a.action;
  }
  return 0;
}

}  // namespace

bool CGame::UPDATE_DEBUG() {
  SORV_FRAME("CGame.UPDATE_DEBUG()Z");
  if (!debugMessageOn) return true;
  Graphics* g = gfx;
  if (isNull(g)) {
    reportError("NullPointer");
    return false;
  }
  g->setColor(kWhite);
  Font::getFont(0, 0, 8);
  g->drawString(debugMessage, kGameWidth / 2, kGameHeight / 2, kCentreBaseline);
  return false;
}

void CGame::InitIGP() {
  SORV_FRAME("CGame.InitIGP()V");
  IGP::initialize(midlet, gameCanvas, kGameWidth, kGameHeight, nullptr);
}

void CGame::UpdateIGP() {
  SORV_FRAME("CGame.UpdateIGP()V");
  if (!IGP::update(promoAction(keysPressed))) return;
  MenuPop();
  POP_STATE();
}

void CGame::PaintIGP(Graphics* g) {
  SORV_FRAME("CGame.PaintIGP(Ljavax/microedition/lcdui/Graphics;)V");
  IGP::paint(g);
}

}  // namespace sorv
