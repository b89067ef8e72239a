// The scroll arrows of a list: shown while the selection can move that way; a release on one
// presses the list's previous or next key, a press shows it pressed for a few frames.
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

int32_t CGame::arrowScrollTop = 0;

namespace {

constexpr int32_t kPrevKeys = 0x2004, kNextKeys = 0x1100;
constexpr int32_t kBoxLeft = 45, kBoxUp = 25, kBoxW = 150, kBoxH = 70;
constexpr int32_t kPressFrames = 3;
constexpr int32_t kReleasedColour = 0x00FF00, kPressedColour = 0xFF0000;
// The main menu's arrows are animation items only: pressed up and down, then plain.
constexpr int32_t kMainMenuArrows = 5;
constexpr int32_t kPressedUpItem = 27, kPressedDownItem = 28, kUpItem = 29, kDownItem = 30;

struct Triangles {
  int32_t menu;
  int32_t up[6], down[6];
};
constexpr Triangles kTriangles[] = {
    {14, {100, 64, 160, 64, 130, 34}, {100, 212, 160, 212, 130, 242}},
    {27, {225, 306, 255, 277, 284, 306}, {225, 446, 254, 477, 284, 446}},
    {38, {386, 83, 415, 53, 444, 83}, {386, 320, 415, 350, 444, 320}},
    {48, {400, 272, 460, 272, 430, 242}, {400, 420, 460, 420, 430, 450}},
};

int32_t pressFrames[2] = {0, 0};

// The topics list shows three rows: its first row follows the selection the arrow moves.
constexpr int32_t kTopicsMenu = 38, kTopicRows = 3;
void followTopics(bool up) {
  const int32_t selection = CGame::MenuGetHighLightItem();
  if (up && CGame::arrowScrollTop > selection - 1) CGame::arrowScrollTop--;
  if (!up && CGame::arrowScrollTop + kTopicRows <= selection + 1) CGame::arrowScrollTop++;
}

const int32_t* triangleOf(int32_t menu, bool up) {
  for (const Triangles& t : kTriangles) {
    if (t.menu == menu) return up ? t.up : t.down;
  }
  return nullptr;
}

void fillTriangle(const int32_t* t, int32_t colour) {
  Graphics* g = CGame::GetMenuGfx();
  if (t == nullptr || isNull(g)) return;
  g->setColor(colour);
  g->fillTriangle(t[0], t[1], t[2], t[3], t[4], t[5]);
}

void arrow(int32_t menu, int32_t item, bool up) {
  const int32_t at = CGame::GetMenuItemPosition(menu, item);
  const int32_t x = static_cast<int16_t>(at), y = at >> 16;
  int32_t& pressed = pressFrames[up ? 0 : 1];
  const bool released = CGame::isPointerReleasedInBox(x - kBoxLeft, y - kBoxUp, kBoxW, kBoxH, true);
  if (released) {
    CGame::keysPressed = up ? kPrevKeys : kNextKeys;
    CGame::lastNavKey = CGame::keysPressed;
    if (menu == kTopicsMenu) followTopics(up);
  } else if (CGame::isPointerClickedInBox(x - kBoxLeft, y - kBoxUp, kBoxW, kBoxH, false)) {
    pressed = kPressFrames;
  }
  const bool showPressed = !released && pressed > 0;
  if (pressed > 0) pressed--;
  if (menu == kMainMenuArrows) {
    const int32_t shown = showPressed ? (up ? kPressedUpItem : kPressedDownItem) : (up ? kUpItem : kDownItem);
    CGame::DrawAnimationAsItem(-1, -1, -1, menu, shown, false);
  } else if (released) {
    fillTriangle(triangleOf(menu, up), kReleasedColour);
  } else if (showPressed) {
    fillTriangle(triangleOf(menu, up), kPressedColour);
  } else {
    CGame::DrawAnimationAsItem(-1, -1, -1, menu, item, false);
  }
}

}  // namespace

void CGame::Paint_ArrowsUpDn(int32_t menu, int32_t upItem, int32_t downItem) {
  SORV_FRAME("CGame.Paint_ArrowsUpDn(III)V");
  // The list shown decides, so a main menu with more entries than menu 5 keeps its arrow.
  IntArray* entries = menuItems.get();
  const int32_t last = isNull(entries) ? 0 : entries->length - 1;
  const int32_t selection = MenuGetHighLightItem();
  if (selection > 0) arrow(menu, upItem, true);
  if (selection < last) arrow(menu, downItem, false);
}

}  // namespace sorv
