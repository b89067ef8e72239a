// Option rows (a title, a value between two arrows that take touches) and the main menu's
// fly-in of its labels.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

StaticRef<IntArray> CGame::menuFlyX;
int32_t CGame::menuFlyMenu = -1;

namespace {

constexpr int32_t kRowMenus[] = {12, 36, 61};
constexpr int32_t kBackgroundItem = 0, kFrameItem = 1, kTitleItem = 2;
constexpr int32_t kRightArrowItem = 3, kLeftArrowItem = 4, kValueItem = 5;
constexpr int32_t kValueStep = 2;
constexpr int32_t kArrowGap = 24;
constexpr int32_t kTouchWidth = 210, kTouchHeight = 70;
// Arrow animations: plain, pressed, released; the set-up screens take menu 39's.
constexpr int32_t kLeftPressed = 7, kRightPressed = 6, kLeftReleased = 9, kRightReleased = 8;
constexpr int32_t kSetupArrowMenu = 39;
constexpr int32_t kSetupLeftPressed = 17, kSetupRightPressed = 16;
constexpr int32_t kSetupLeftReleased = 19, kSetupRightReleased = 18;
constexpr int32_t kLeftKeys = 0x4010, kRightKeys = 0x8040;

constexpr int32_t kFlyStart = 800, kFlyApart = 10, kFlyStep = 46;
constexpr int32_t kFlyFrames[] = {1, 5, 2, 6, 4};
constexpr int32_t kFlyStrings[] = {3, 7};
constexpr int32_t kFirstButton = 12, kFirstLabel = 16;
constexpr int32_t kMainMenuState = 6;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

// One arrow: its animation follows the pointer, and a release presses its key. The set-up
// screens show menu 39's arrow items while pressed and released.
void drawArrow(int32_t row, int32_t item, int32_t x, int32_t y, bool left, int32_t boxX, int32_t boxY,
               int32_t rowIndex) {
  const int32_t state = CGame::GET_CURRENT_STATE();
  const bool setup = state == 51 || state == 53;
  int32_t shown = -1;
  if (CGame::isPointerReleasedInBox(boxX, boxY, kTouchWidth, kTouchHeight, true)) {
    shown = setup ? (left ? kSetupLeftReleased : kSetupRightReleased) : (left ? kLeftReleased : kRightReleased);
    CGame::keysPressed = left ? kLeftKeys : kRightKeys;
    if (rowIndex >= 0) CGame::menuCursor = rowIndex;
    CGame::scrollStringX = CGame::kTickerRestart;
    CGame::itemScrollX = INT_MIN;  // the new value starts at its box's edge
  } else if (CGame::isPointerClickedInBox(boxX, boxY, kTouchWidth, kTouchHeight, false)) {
    shown = setup ? (left ? kSetupLeftPressed : kSetupRightPressed) : (left ? kLeftPressed : kRightPressed);
  }
  const int32_t dx = x - CGame::menuPaintX, dy = y - CGame::menuPaintY;
  if (shown != -1 && setup) {
    CGame::DrawAnimationAsItem(-1, -1, -1, kSetupArrowMenu, shown, dx, dy, false);
  } else {
    CGame::DrawAnimationAsItem(shown, -1, -1, row, item, dx, dy, false);
  }
}

}  // namespace

void CGame::drawOptMenu(int32_t pack, int32_t textId, ObjectArray* values, int32_t x, int32_t y,
                        int32_t style, int32_t row, int32_t valueIndex, bool highlight, bool locked) {
  SORV_FRAME("CGame.drawOptMenu(II[Ljava/lang/String;IIIIIZZ)V");
  if (style < 0 || style >= static_cast<int32_t>(std::size(kRowMenus))) return;
  const int32_t menu = kRowMenus[style];
  setMenuPaintPosition(x, y);
  DrawMenu(menu, true);
  const bool hasValues = !isNull(values);
  if (style == 0 && hasValues) DrawRectAsItem(100, menu, kBackgroundItem);
  DrawFrameAsItem(-1, -1, menu, kFrameItem, highlight);
  DrawStringAsItem(GetString(pack, textId), menu, kTitleItem, highlight);
  if (hasValues && valueIndex >= 0 && valueIndex < values->length) {
    String* value = static_cast<String*>(values->elements()[valueIndex]);
    DrawStringAsItem_Scrolling(value, menu, kValueItem, kValueStep, 0);
    // The arrows keep their distance from the value label's edges.
    const int32_t at = GetMenuItemPosition(menu, kValueItem);
    const int32_t vx = xOf(at) + menuPaintX, vy = yOf(at) + menuPaintY;
    const int32_t half = lastStringW / 2 + kArrowGap;
    if (!locked) {
      drawArrow(menu, kLeftArrowItem, vx - half, vy, true, vx - kTouchWidth, vy - kTouchHeight / 2, row);
      drawArrow(menu, kRightArrowItem, vx + half, vy, false, vx, vy - kTouchHeight / 2, row);
    }
  }
  resetMenuPaintPosition();
}

void CGame::drawMenuItem(int32_t pack, int32_t textId, int32_t x, int32_t y, int32_t style, bool highlight) {
  drawOptMenu(pack, textId, nullptr, x, y, style, -1, -1, highlight, true);
}

void CGame::init_MenuFlyIn(int32_t menu) {
  SORV_FRAME("CGame.init_MenuFlyIn(I)V");
  if (!isNull(menuFlyX)) return;
  const int32_t labels = std::max(MenuGetItemLabelNum(menu), 0);
  IntArray* xs = Array::newIntArray(labels);
  if (isNull(xs)) return;
  for (int32_t i = 0; i < labels; i++) xs->elements()[i] = kFlyStart + kFlyApart * i;
  menuFlyX = xs;
  menuFlyMenu = menu;
}

void CGame::paintMenuFlyIn() {
  SORV_FRAME("CGame.paintMenuFlyIn()V");
  IntArray* xs = menuFlyX.get();
  if (isNull(xs)) return;
  const int32_t menu = menuFlyMenu;
  if (!isNull(gfx) && !isNull(screenBuffer)) gfx->drawImage(screenBuffer, 0, 0, 0);
  drawBk(nullptr, -1, -1, nullptr);
  for (int32_t item : kFlyFrames) DrawMenuItem(menu, item);
  for (int32_t item : kFlyStrings) DrawMenuItem(menu, item);
  const int32_t labels = xs->length;
  const int32_t target = xOf(GetMenuItemPosition(menu, labels + kFirstButton - 1));
  bool arrived = true;
  for (int32_t i = 0; i < labels; i++) {
    const int32_t x = menuFlyX->elements()[i];
    const int32_t button = GetMenuItemPosition(menu, kFirstButton + i);
    DrawFrameAsItem(-1, -1, menu, kFirstButton + i, x, yOf(button), false);
    IntArray* entries = menuItems.get();
    if (!isNull(entries) && i < entries->length) {
      const int32_t label = GetMenuItemPosition(menu, kFirstLabel + i);
      DrawStringAsItem(GetString(2, entries->elements()[i]), menu, kFirstLabel + i, xOf(label) + x - xOf(button),
                       yOf(label), -1, false);
    }
    const int32_t moved = std::max(x - kFlyStep, target);
    menuFlyX->elements()[i] = moved;
    if (moved != target) arrived = false;
  }
  // Each entry into the main menu flies the labels in again.
  if (arrived) {
    menuFlyX = nullptr;
    SWITCH_STATE(kMainMenuState);
  }
}

}  // namespace sorv
