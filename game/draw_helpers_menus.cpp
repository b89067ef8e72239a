// Helpers laid out by the menu data: the menu-screen frame with its title, soft-key bar and
// bottom line (menus 35 and 32), labels (menu 34) and message boxes (menus 32 and 57).
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kNoLabel = -1;
constexpr int32_t kIconLabel = 39;  // drawn as a picture, not as its text
constexpr int32_t kFrameMenu = 35;
constexpr int32_t kBottomMenu = 32;
constexpr int32_t kLabelMenu = 34;
constexpr int32_t kMessageMenu = 57;
constexpr int32_t kLabelTexts = 0;

bool tutorialRuns() { return CTennis::tutorialKind != -1; }

void frameItem(int32_t menu, int32_t item) { CGame::DrawFrameAsItem(-1, -1, menu, item, -1, -1, false); }

void stringItem(String* text, int32_t menu, int32_t item) { CGame::DrawStringAsItem(text, menu, item, false); }

}  // namespace

void CGame::drawBk(String* title, int32_t first, int32_t second, String* bottom) {
  SORV_FRAME("CGame.drawBk(Ljava/lang/String;IILjava/lang/String;)V");
  if (!isNull(title)) {
    frameItem(kFrameMenu, 0);
    stringItem(title, kFrameMenu, 1);
  }
  if (first != kNoLabel || second != kNoLabel) drawMenuBar(first, second, true);
  if (!isNull(bottom)) {
    DrawMenu(kBottomMenu, true);
    stringItem(bottom, kBottomMenu, 1);
  }
}

void CGame::drawInterfaceBk(String* title, int32_t first, int32_t second) {
  SORV_FRAME("CGame.drawInterfaceBk(Ljava/lang/String;II)V");
  if (!isNull(screenBuffer)) {
    if (isNull(gfx)) return reportError("NullPointer");
    gfx->drawImage(screenBuffer, 0, 0, 0);
  }
  drawBk(title, first, second, nullptr);
}

void CGame::drawMenuBar(int32_t first, int32_t second, bool withFrame) {
  SORV_FRAME("CGame.drawMenuBar(IIZ)V");
  if (paintingIntoBuffer) return;
  SetMenuGfx(gfx);
  if (withFrame) frameItem(kFrameMenu, 8);
  if (second != kNoLabel) {
    if (second != kIconLabel) {
      DrawMenuItem(kFrameMenu, 2);
      stringItem(GetString(kLabelTexts, second), kFrameMenu, 4);
    } else if (!tutorialRuns()) {
      frameItem(kFrameMenu, 6);
    }
  }
  if (first != kNoLabel) {
    // During a tutorial the icon label is written as its text.
    if (first == kIconLabel && !tutorialRuns()) {
      frameItem(kFrameMenu, 7);
    } else {
      DrawMenuItem(kFrameMenu, 3);
      stringItem(GetString(kLabelTexts, first), kFrameMenu, 5);
    }
  }
}

void CGame::drawLabel(int32_t x, int32_t y, String* s1, String* s2, bool marker) {
  SORV_FRAME("CGame.drawLabel(IILjava/lang/String;Ljava/lang/String;Z)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kLabelMenu, true);
  stringItem(s1, kLabelMenu, isNull(s2) ? 1 : 2);
  if (!isNull(s2)) stringItem(s2, kLabelMenu, 3);
  if (marker) stringItem(nullptr, kLabelMenu, 4);
  resetMenuPaintPosition();
}

void CGame::drawOverlapMessage(String* s, int32_t, int32_t, int32_t, int32_t) {
  SORV_FRAME("CGame.drawOverlapMessage(Ljava/lang/String;IIII)V");
  DrawMenu(kBottomMenu, false);
  stringItem(s, kBottomMenu, 1);
}

void CGame::drawInfoMessage(String* s, bool header, bool blink) {
  SORV_FRAME("CGame.drawInfoMessage(Ljava/lang/String;ZZ)V");
  SetMenuGfx(gfx);
  DrawMenu(kMessageMenu, false);
  if (header) DrawItem(GetItemPointer(kMessageMenu, 0), false, true, 0);
  if (blink && CTennis::matchFrame % 4 > 1) return;
  stringItem(s, kMessageMenu, header ? 2 : 1);
}

}  // namespace sorv
