// Items drawn on request with overrides (frame, animation, palette, position, text), the
// string items with their anchor code, scrolling strings in a box, and rectangle items.
#include <algorithm>
#include <climits>
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

int32_t CGame::lastStringW = 0;
int32_t CGame::lastStringH = 0;
int32_t CGame::itemScrollX = INT_MIN;

namespace {

constexpr int32_t kOpaque = 255;
constexpr int32_t kTickerSpeed = 2;
constexpr int32_t kKeepRightEdge = 1;

int8_t at(int32_t i) { return CGame::menuData->elements()[i]; }
int32_t shortAt(int32_t i) { return CGame::readShort(CGame::menuData, i); }

// The item record of a class, or -1.
int32_t itemOfClass(int32_t menu, int32_t item, bool sprites, int32_t wanted) {
  const int32_t p = CGame::GetItemPointer(menu, item);
  if (p < 0) return -1;
  const int32_t itemClass = CGame::GetMenuItemType(at(p + 1));
  if (sprites) {
    return itemClass == menu_record::kClassFrame || itemClass == menu_record::kClassAnimation ? p : -1;
  }
  return itemClass == wanted ? p : -1;
}

void spriteAsItem(int32_t p, int32_t id, bool animation, int64_t time, int32_t palette, int32_t x,
                  int32_t y, bool highlighted) {
  menu_item::SpriteDraw d;
  d.p = p;
  d.id = id;
  d.animation = animation;
  d.time = time;
  d.palette = palette;
  d.x = x == -1 ? menu_item::itemX(p) : x + CGame::menuPaintX;
  d.y = y == -1 ? menu_item::itemY(p) : y + CGame::menuPaintY;
  d.highlighted = highlighted;
  menu_item::current = p;
  menu_item::paintSprite(d);
  menu_item::current = -1;
}

}  // namespace

void CGame::DrawFrameAsItem(int32_t frame, int32_t palette, int32_t menu, int32_t item, int32_t x,
                            int32_t y, bool highlight) {
  SORV_FRAME("CGame.DrawFrameAsItem(IIIIIIZ)V");
  const int32_t p = itemOfClass(menu, item, true, 0);
  if (p < 0) return;
  const bool selectable = (at(p + 3) & menu_record::kSelectable) != 0;
  if (frame != -1) {
    // A frame of the caller's (a portrait of a list) wears the item's highlight frame over it.
    spriteAsItem(p, frame, false, 0, palette, x, y, highlight);
    if (highlight && selectable) spriteAsItem(p, at(p + 5), false, 0, palette, x, y, highlight);
    return;
  }
  int32_t id = at(p + 2);
  if (highlight && selectable && menu_item::tapShowsHighlight(p)) id = at(p + 5);
  spriteAsItem(p, id, false, 0, palette, x, y, highlight);
}

void CGame::DrawFrameAsItem(int32_t frame, int32_t palette, int32_t menu, int32_t item, bool highlight) {
  DrawFrameAsItem(frame, palette, menu, item, -1, -1, highlight);
}

void CGame::DrawAnimationAsItem(int32_t anim, int32_t palette, int32_t time, int32_t menu, int32_t item,
                                int32_t x, int32_t y, bool highlight) {
  SORV_FRAME("CGame.DrawAnimationAsItem(IIIIIIIZ)V");
  const int32_t p = itemOfClass(menu, item, true, 0);
  if (p < 0) return;
  spriteAsItem(p, anim == -1 ? at(p + 2) : anim, true, time == -1 ? frameCounter : time, palette, x, y,
               highlight);
}

void CGame::DrawAnimationAsItem(int32_t anim, int32_t palette, int32_t time, int32_t menu, int32_t item,
                                bool highlight) {
  DrawAnimationAsItem(anim, palette, time, menu, item, -1, -1, highlight);
}

void CGame::DrawStringAsItem(String* text, int32_t menu, int32_t item, int32_t x, int32_t y, int32_t a,
                             bool highlight) {
  SORV_FRAME("CGame.DrawStringAsItem(Ljava/lang/String;IIIIIZ)V");
  const int32_t p = itemOfClass(menu, item, false, menu_record::kClassString);
  if (p < 0) return;
  menu_item::current = p;
  DrawItem_String(at(p + 1), menu_record::payload(menuData, p), highlight, text, x, y, a, at(p + 3));
  menu_item::current = -1;
}

void CGame::DrawStringAsItem(String* text, int32_t menu, int32_t item, bool highlight) {
  DrawStringAsItem(text, menu, item, -1, -1, -1, highlight);
}

void CGame::DrawItem_String(int32_t type, int32_t q, bool highlight, String* text, int32_t flags) {
  DrawItem_String(type, q, highlight, text, -1, -1, -1, flags);
}

void CGame::DrawItem_String(int32_t type, int32_t q, bool highlight, String* text, int32_t x, int32_t y,
                            int32_t a, int32_t flags) {
  menuItemX = (x == -1 ? shortAt(q + menu_record::kX) : x) + menuPaintX;
  menuItemY = (y == -1 ? shortAt(q + menu_record::kY) : y) + menuPaintY;
  DrawItem_String_Basic(type, q + 2, highlight, text, flags, a);
}

void CGame::DrawItem_String_Basic(int32_t type, int32_t q2, bool highlight, String* text, int32_t flags,
                                  int32_t a) {
  SORV_FRAME("CGame.DrawItem_String_Basic(IIZLjava/lang/String;II)V");
  const int32_t q = q2 - 2;
  ASprite* font = GetAnimationIDByClass(type);
  Graphics* g = GetMenuGfx();
  if (isNull(font) || isNull(g)) return;
  const int32_t palette = at(q + menu_record::kStringPalette);
  const int32_t pack = shortAt(q + menu_record::kStringPack);
  const int32_t id = shortAt(q + menu_record::kStringText);
  const int32_t box = shortAt(q + menu_record::kStringBox);
  const int32_t mode = at(q + menu_record::kStringMode) & 0xFF;
  // A caller's anchor code (0..8) stands in for the record's; -1 keeps the record's.
  const int32_t anchor = a >= 0 ? a : at(q + menu_record::kStringAnchor);
  if (isNull(text) && pack >= 0 && pack < kTextPackSlots && id >= 0 && id < GetStringCount(pack)) {
    text = GetString(pack, id);
  }
  if (isNull(text)) return;
  if (highlight) menuHighlightText = id;
  const int32_t p = menu_item::current;
  const bool ownRecord = p >= 0 && menu_record::payload(menuData, p) == q;
  const bool selectable = ownRecord && (at(p + 3) & menu_record::kSelectable) != 0;
  const int32_t previous = font->GetCurrentPalette();
  if (palette >= 0) font->SetCurrentPalette(std::min(palette, font->paletteCount - 1));
  int32_t low = highlight && selectable ? at(p + 5) >> 1 : palette;
  if (menuPaintPal >= 0) low = menuPaintPal;
  if (low < 0) low = font->GetCurrentPalette();
  const int32_t word = (low & 0xFFFF) | (mode << 16) | menu_record::anchorBits(anchor);
  if ((flags & menu_record::kScrollText) != 0 && box > 0) {
    g->setClip(menuItemX, menuItemY - font->GetFontHeight(), box, 3 * font->GetFontHeight());
    menu_paint::tickerString(font, text, menuItemX + box, menuItemY, menuItemX, kTickerSpeed, word);
    g->setClip(0, 0, kGameWidth, kGameHeight);
  } else {
    font->DrawString(g, text, menuItemX, menuItemY, word, box > 0 ? box : ASprite::kDefaultMaxWidth);
  }
  font->SetCurrentPalette(previous);
}

bool CGame::DrawStringAsItem_Scrolling(String* text, int32_t menu, int32_t item, int32_t step, int32_t) {
  SORV_FRAME("CGame.DrawStringAsItem_Scrolling(Ljava/lang/String;IIII)Z");
  const int32_t p = itemOfClass(menu, item, false, menu_record::kClassString);
  if (p < 0) return false;
  const int32_t q = menu_record::payload(menuData, p);
  ASprite* font = GetAnimationIDByClass(at(p + 1));
  Graphics* g = GetMenuGfx();
  if (isNull(font) || isNull(g)) return false;
  if (isNull(text)) {
    const int32_t pack = shortAt(q + menu_record::kStringPack), id = shortAt(q + menu_record::kStringText);
    if (pack >= 0 && pack < kTextPackSlots && id >= 0 && id < GetStringCount(pack)) text = GetString(pack, id);
  }
  if (isNull(text)) return false;
  const int32_t box = shortAt(q + menu_record::kStringBox);
  const int32_t width = font->getStringWidth(text);
  const int32_t height = font->GetFontHeight();
  if (width <= box) {
    DrawStringAsItem(text, menu, item, false);
    lastStringW = width;
    lastStringH = height;
    return false;
  }
  const int32_t code = at(q + menu_record::kStringAnchor);
  const int32_t horizontal = code >= 0 && code <= 8 ? code % 3 : 0;
  const int32_t vertical = code >= 0 && code <= 8 ? code / 3 : 0;
  const int32_t x = shortAt(q + menu_record::kX) + menuPaintX;
  const int32_t y = shortAt(q + menu_record::kY) + menuPaintY;
  const int32_t left = x - box * horizontal / 2;
  const int32_t top = y - height * vertical / 2;
  if (itemScrollX == INT_MIN) itemScrollX = left;
  const int32_t gap = kItemScrollGap;
  const int32_t palette = std::max<int32_t>(at(q + menu_record::kStringPalette), 0);
  const int32_t word = palette | (menu_record::anchorBits(code) & 0xF00);
  g->setClip(left, top, box, height);
  g->clipRect(left, top, box, height);
  font->DrawString(g, text, itemScrollX, y, word);
  const int32_t second = itemScrollX + width + gap;
  if (second < left + box) font->DrawString(g, text, second, y, word);
  g->setClip(0, 0, kGameWidth, kGameHeight);
  // The copies move once a paint however often the row is drawn.
  if (!frameScratchFlag) {
    frameScratchFlag = true;
    itemScrollX -= step;
    if (itemScrollX + width < left) itemScrollX += width + gap;
  }
  lastStringW = box;
  lastStringH = height;
  return true;
}

void CGame::DrawItem_Rect(int32_t q, int32_t, int32_t w, int32_t h, bool, int32_t anchor) {
  SORV_FRAME("CGame.DrawItem_Rect(IIIIZI)V");
  int32_t x = shortAt(q + menu_record::kX) + menuPaintX;
  const int32_t y = shortAt(q + menu_record::kY) + menuPaintY;
  int32_t width = shortAt(q + menu_record::kRectW);
  int32_t height = shortAt(q + menu_record::kRectH);
  if (w != -1) {
    if (anchor == kKeepRightEdge) x += width - w;
    width = w;
  }
  if (h != -1) height = h;
  const int32_t fill = menuRectColour != 0 ? menuRectColour : CGame::readInt(menuData, q + menu_record::kRectFill);
  const int32_t outline = CGame::readInt(menuData, q + menu_record::kRectOutline);
  const int32_t alpha = menuPaintAlpha != -1 ? menuPaintAlpha : at(q + menu_record::kRectAlpha) & 0xFF;
  menuItemX = x;
  menuItemY = y;
  if (alpha == kOpaque) {
    DrawColorRect(fill, outline, x, y, width, height);
  } else {
    DrawAlphaRect(fill, outline, x, y, width, height, alpha);
  }
}

void CGame::DrawItem_Rect(int32_t q, int32_t a, bool highlight) { DrawItem_Rect(q, a, -1, -1, highlight, 0); }

void CGame::DrawRectAsItem(int32_t a, int32_t menu, int32_t item, int32_t w, int32_t h, int32_t anchor) {
  const int32_t p = GetItemPointer(menu, item);
  if (p < 0 || at(p + 1) != menu_record::kRectType) return;
  DrawItem_Rect(menu_record::payload(menuData, p), a, w, h, false, anchor);
}

void CGame::DrawRectAsItem(int32_t a, int32_t menu, int32_t item) { DrawRectAsItem(a, menu, item, -1, -1, 0); }

}  // namespace sorv
