// Drawing a menu: its items in two passes (static ones, then the highlighted one), the
// scrolled list, and the touch of buttons, which turns a tap into select after a blink.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "menus/menu_item_draw.h"
#include "menus/menu_paint.h"
#include "menus/menu_record.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"

namespace sorv {

StaticRef<Graphics> CGame::menuGfx;
int32_t CGame::menuPaintX = 0;
int32_t CGame::menuPaintY = 0;
int32_t CGame::menuPaintPal = -1;
int32_t CGame::menuPaintAlpha = -1;
int32_t CGame::menuRectColour = 0;
int32_t CGame::menuItemX = 0;
int32_t CGame::menuItemY = 0;
bool CGame::menuTouchSelect = false;
int32_t CGame::menuTouchBlink = -1;
int32_t CGame::menuTouchedEntry = -1;

namespace menu_item {

int32_t current = -1;

namespace {

constexpr int32_t kSoundQuestionState = 2;
constexpr int32_t kSoundQuestionFrames = 10;
constexpr int32_t kSoftKeyFrame = 119, kSoftKeyPressedFrame = 126, kSoftKeyReleasedAnim = 17;
constexpr int32_t kSoftKeyLeftBelow = 60, kSoftKeyRightAbove = 200;
constexpr int32_t kSoftKeyCounterDone = 100;
constexpr int32_t kButtonType = 14, kPageArrowType = 20;
constexpr int32_t kMainMenuScreen = 1, kControlsHelpScreen = 26;
constexpr int32_t kButtonHeight = 60, kListButtonWidth = 310, kQuestionButtonWidth = 198;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000;
constexpr int32_t kPageLeftKeys = 0x4010, kPageRightKeys = 0x8040;
constexpr int32_t kTapFires = 4;
constexpr int32_t kOpaque = 255;

int8_t at(int32_t i) { return CGame::menuData->elements()[i]; }

// Alpha reaches the sprite drawing as percent; an item byte of 255 is fully opaque.
int32_t alphaPercent(int32_t q) {
  if (CGame::menuPaintAlpha != -1) return CGame::menuPaintAlpha * 100 / kOpaque;
  const int32_t a = at(q + menu_record::kSpriteAlpha) & 0xFF;
  return a == kOpaque ? 100 : a * 100 >> 8;
}

bool onListScreen(int32_t screen) { return screen == 11 || screen == 60 || screen == 61 || screen == 62; }

void startTap(int32_t cursorIndex) {
  CGame::menuCursor = cursorIndex;
  CGame::menuTouchSelect = true;
  CGame::menuTouchBlink = -1;
}

// A soft-key button on screen arms the soft keys; once a key has been sent its picture goes
// back to rest.
void noteSoftKey() {
  CGame::softKeysRequested = true;
  if (CGame::softKeyCounter >= kSoftKeyCounterDone) {
    CGame::softLeftState = CGame::softRightState = -1;
    CGame::softKeyCounter = 0;
  }
}

// Frame 119 is a soft-key button: it shows the touch state of the key on its side.
void paintSoftKey(Graphics* g, ASprite* sprite, int32_t x, int32_t y, int32_t flags, int32_t alpha) {
  int32_t state = -1;
  if (x < kSoftKeyLeftBelow) state = CGame::softLeftState;
  if (x > kSoftKeyRightAbove) state = CGame::softRightState;
  if (state == 0) {
    menu_paint::frame(g, sprite, kSoftKeyPressedFrame, x, y, flags, alpha);
  } else if (state == 1) {
    menu_paint::animation(g, sprite, kSoftKeyReleasedAnim, CGame::softKeyCounter + 1, x, y, flags, alpha);
  } else {
    menu_paint::frame(g, sprite, kSoftKeyFrame, x, y, flags, alpha);
  }
}

}  // namespace

int32_t itemX(int32_t p) { return CGame::readShort(CGame::menuData, menu_record::payload(CGame::menuData, p)) + CGame::menuPaintX; }

int32_t itemY(int32_t p) {
  return CGame::readShort(CGame::menuData, menu_record::payload(CGame::menuData, p) + menu_record::kY) +
         CGame::menuPaintY;
}

void paintSprite(const SpriteDraw& d) {
  const int32_t p = d.p;
  const int32_t type = at(p + 1);
  const int32_t flags = at(p + 3);
  const int32_t q = menu_record::payload(CGame::menuData, p);
  ASprite* sprite = CGame::GetAnimationIDByClass(type);
  CGame::menuItemX = d.x;
  CGame::menuItemY = d.y;
  Graphics* g = CGame::GetMenuGfx();
  if (!d.animation && d.id == kSoftKeyFrame) noteSoftKey();
  if (isNull(sprite) || isNull(g)) return;
  int32_t palette = d.palette;
  if (palette < 0) palette = CGame::menuPaintPal >= 0 ? CGame::menuPaintPal : at(q + menu_record::kSpritePalette);
  const int32_t alpha = alphaPercent(q);
  const int32_t transform = flags & menu_record::kFlipBits;
  const int32_t previous = sprite->GetCurrentPalette();
  sprite->SetCurrentPalette(palette);
  const bool selectable = (flags & menu_record::kSelectable) != 0;
  if (d.animation) {
    menu_paint::animation(g, sprite, d.id, d.time, d.x, d.y, transform, alpha);
  } else if (CGame::GET_CURRENT_STATE() == kSoundQuestionState && selectable && d.highlighted) {
    // The sound question's highlighted answer counts down as the animation of its frame.
    menu_paint::animation(g, sprite, d.id, kSoundQuestionFrames - CGame::soundCountdown, d.x, d.y,
                          transform, alpha);
  } else if (d.id == kSoftKeyFrame) {
    paintSoftKey(g, sprite, d.x, d.y, transform, alpha);
  } else {
    menu_paint::frame(g, sprite, d.id, d.x, d.y, transform, alpha);
  }
  sprite->SetCurrentPalette(previous);
}

bool tapShowsHighlight(int32_t p) {
  if (!CGame::menuTouchSelect || at(p + 1) != kButtonType) return true;
  const bool show = (CGame::menuTouchBlink & 1) != 0;
  if (CGame::menuTouchBlink == kTapFires) {
    CGame::keysPressed = kSelectKeys;
    CGame::menuCursor = at(p + 4);
    CGame::scrollStringX = CGame::kTickerRestart;
    CGame::menuTouchSelect = false;
  }
  CGame::menuTouchBlink++;
  return show;
}

void buttonTouch(int32_t p, int32_t x, int32_t y) {
  const int32_t type = at(p + 1);
  const int32_t flags = at(p + 3);
  const int32_t screen = CGame::menuScreenCode;
  if ((flags & menu_record::kSelectable) == 0) {
    if (screen == kControlsHelpScreen && type == kPageArrowType &&
        CGame::isPointerReleasedInBox(x, y, kButtonHeight, kButtonHeight, true)) {
      CGame::keysPressed = x < CGame::kGameWidth / 2 ? kPageLeftKeys : kPageRightKeys;
    }
    return;
  }
  const int32_t index = at(p + 4);
  if (CGame::GET_CURRENT_STATE() == kSoundQuestionState) {
    if (CGame::isPointerReleasedInBox(x, y, kQuestionButtonWidth, kButtonHeight, true)) {
      CGame::keysPressed = index != 0 ? kSelectKeys : kBackKey;
      CGame::menuCursor = index;
    }
    return;
  }
  if (type != kButtonType) return;
  if (screen == kMainMenuScreen) {
    const int32_t w = CGame::kGameWidth - x;
    if (CGame::isPointerClickedInBox(x, y, w, kButtonHeight, false) ||
        CGame::isPointerDraggingInBox(x, y, w, kButtonHeight, false)) {
      CGame::menuCursor = index;
    }
    if (CGame::isPointerReleasedInBox(x, y, w, kButtonHeight, true)) startTap(index);
  } else if (onListScreen(screen)) {
    const int32_t left = std::max(x, 0);
    if (CGame::isPointerDraggingInBox(left, y, kListButtonWidth, kButtonHeight, false)) CGame::menuCursor = index;
    if (CGame::isPointerReleasedInBox(left, y, kListButtonWidth, kButtonHeight, true)) startTap(index);
  }
}

}  // namespace menu_item

void CGame::SetMenuGfx(Graphics* g) { menuGfx = g; }
Graphics* CGame::GetMenuGfx() { return menuGfx; }

void CGame::resetMenuPaintPosition() { menuPaintX = menuPaintY = 0; }

void CGame::setMenuPaintPosition(int32_t x, int32_t y) {
  menuPaintX = x;
  menuPaintY = y;
}

void CGame::setMenuPaintItemPal(int32_t palette) { menuPaintPal = palette; }
void CGame::resetMenuPaintItemPal() { menuPaintPal = -1; }

void CGame::setMenuPaintAlpha(int32_t percent) {
  menuPaintAlpha = percent * 255 / 100;
  if (menuPaintAlpha == 255) menuPaintAlpha = -1;
}

void CGame::DrawMenu(int32_t menu, bool active) {
  SORV_FRAME("CGame.DrawMenu(IZ)V");
  const int32_t o = MenuOffset(menu);
  if (o < 0) return;
  if (active) {
    menuFrames++;
    menuMoveFrames++;
    menuPaintCount++;
    menuLabelNum = menuData->elements()[o + menu_record::kLabels] + 1;
  }
  const int8_t* b = menuData->elements();
  const int32_t items = b[o + menu_record::kItemCount];
  const int32_t first = b[o + menu_record::kFirstListItem];
  const int32_t rows = b[o + menu_record::kRows] + 1;
  const int32_t start = o + menu_record::kHeaderBytes + 2 * b[o + menu_record::kIdCount];
  for (int32_t pass = 1; pass <= 2; pass++) {
    int32_t p = start;
    for (int32_t i = 0; i < items && p >= 0; i++) p = DrawItem(p, active, false, pass);
  }
  if (!active || rows <= 0) return;
  IntArray* list = GetMenu(menu);
  if (!isNull(list) && list->length > 1) DrawScrollMenu(menu, first, rows, list);
}

int32_t CGame::DrawItem(int32_t p, bool active, bool showHidden, int32_t pass) {
  SORV_FRAME("CGame.DrawItem(IZZI)I");
  ByteArray* blob = menuData.get();
  if (isNull(blob) || p < 0 || p + menu_record::kItemHeaderBytes > blob->length) return -1;
  const int32_t next = nextItemData(p);
  const int8_t* b = blob->elements();
  const int32_t flags = b[p + 3];
  if ((flags & menu_record::kHidden) != 0 && !showHidden) return next;
  const bool selectable = (flags & menu_record::kSelectable) != 0;
  bool highlighted = false;
  if (selectable) {
    if (!active) return next;
    highlighted = b[p + 4] == menuCursor;
    if ((highlighted && pass == 1) || (!highlighted && pass == 2)) return next;
  } else if (pass == 2) {
    return next;
  }
  const int32_t type = b[p + 1];
  const int32_t itemClass = GetMenuItemType(type);
  const int32_t q = menu_record::payload(blob, p);
  menu_item::current = p;
  if (type == menu_record::kRectType) {
    DrawItem_Rect(q, -1, highlighted);
  } else if (itemClass == menu_record::kClassString) {
    DrawItem_String(type, q, highlighted, nullptr, flags);
  } else if (itemClass == menu_record::kClassFrame || itemClass == menu_record::kClassAnimation) {
    menu_item::SpriteDraw d;
    d.p = p;
    d.x = menu_item::itemX(p);
    d.y = menu_item::itemY(p);
    // A touch that moves the cursor shows from the next pass on.
    menu_item::buttonTouch(p, d.x, d.y);
    d.highlighted = highlighted;
    d.id = menuData->elements()[p + 2];
    if (highlighted && menu_item::tapShowsHighlight(p)) d.id = menuData->elements()[p + 5];
    d.animation = itemClass == menu_record::kClassAnimation;
    if (d.animation) {
      int32_t time = std::max((selectable ? menuMoveFrames : menuFrames) - 1, 0);
      if ((flags & menu_record::kHoldLast) != 0) {
        const int32_t length = menu_paint::animationLength(GetAnimationIDByClass(type), d.id);
        time = std::min(time, std::max(length - 1, 0));
      }
      d.time = time;
    }
    menu_item::paintSprite(d);
  }
  menu_item::current = -1;
  return next;
}

void CGame::DrawMenuItem(int32_t menu, int32_t item) {
  const int32_t p = GetItemPointer(menu, item);
  if (p >= 0) DrawItem(p, false, true, 0);
}

void CGame::DrawScrollMenu(int32_t menu, int32_t firstItem, int32_t rows, IntArray* list) {
  SORV_FRAME("CGame.DrawScrollMenu(III[I)V");
  if (isNull(list) || list->length < 2) return;
  const int32_t count = list->length - 1;
  const int32_t header = list->elements()[0];
  const bool mainMenu = menu == 5 || menu == 63 || menu == 64 || menu == 65;
  for (int32_t r = 0; r < rows && r < count; r++) {
    const int32_t entry = list->elements()[1 + ((menuScroll + r) % count + count) % count];
    const bool highlighted = menuCursor == r;
    const int32_t item = firstItem + r;
    if (header == 2 && (entry == 272 || entry == 273)) setMenuPaintItemPal(3);
    String* text = header >= 0 && header < kTextPackSlots ? GetString(header, entry) : nullptr;
    const int32_t boxItem = menu == 5 ? (r == 0 ? 31 : 24) : (r == 0 ? 26 : 25);
    const int32_t p = GetItemPointer(menu, item);
    ASprite* font = p < 0 ? nullptr : GetAnimationIDByClass(menuData->elements()[p + 1]);
    const int32_t box = GetMenuItemSize(menu, boxItem);
    if (header == 2 && entry == 4 && mainMenu && !isNull(font) && !isNull(text) &&
        font->getStringWidth(text) >= static_cast<int16_t>(box)) {
      const int32_t at = GetMenuItemPosition(menu, boxItem);
      const int32_t x = static_cast<int16_t>(at) + menuPaintX, y = (at >> 16) + menuPaintY;
      const int32_t w = static_cast<int16_t>(box);
      SetClip(gfx, x, y, w, box >> 16);
      DrawRowRollString(font, text, x, y, kItemScrollGap, kGameWidth - (x + w), 2, false);
      SetClip(gfx, 0, 0, kGameWidth, kGameHeight);
    } else {
      DrawStringAsItem(text, menu, item, highlighted);
    }
    if (header == 2 && entry == 272 && menuMarkFlag && p >= 0) {
      DrawAnimationAsItem(-1, -1, -1, 63, 24, menu_item::itemX(p) - 3 - menuPaintX,
                          menu_item::itemY(p) - menuPaintY, false);
    }
    resetMenuPaintItemPal();
  }
}

}  // namespace sorv
