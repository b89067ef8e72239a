// The career's panels: the player card, the ability bars and the rows of the creation, home
// and weekly update lists. Each panel is a menu drawn at a position; an item the data lacks
// is drawn as nothing.
#include <algorithm>
#include <bitset>
#include <cstdint>

#include "device/graphics.h"
#include "game/cgame.h"
#include "menus/career_text.h"
#include "menus/menu_paint.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kCardMenu = 46;
constexpr int32_t kCardNameItem = 5, kCardHomeItem = 6, kCardRankItem = 8, kCardPictureItem = 9;
constexpr int32_t kCardActorItem = 10;
constexpr int32_t kFirstHomePicture = 36;
constexpr int32_t kConstSpace = 76, kConstRankJoin = 77;
constexpr int32_t kLowestRank = 200;

constexpr int32_t kFirstBarFrame = 64;
constexpr int32_t kFullValue = 100, kValuesPerBar = 20, kBarLevels = 5;

constexpr int32_t kWeekRowMenu = 50;
constexpr int32_t kWeekHighlightItem = 1, kWeekLevelItem = 2, kWeekBarItem = 3, kWeekAnimItem = 4;
constexpr int32_t kWeekLabelItem = 5, kWeekTextItem = 6;

constexpr int32_t kListRowMenu = 43;
constexpr int32_t kRowHighlightItem = 1, kRowLabelItem = 2, kRowRightItem = 3, kRowLeftItem = 4;
constexpr int32_t kRowValueItem = 5, kRowLevelItem = 7;
constexpr int32_t kValueRow = 1;
// The arrows' pictures while pressed and once released.
constexpr int32_t kArrowMenu = 39;
constexpr int32_t kLeftPressed = 17, kRightPressed = 16, kLeftReleased = 19, kRightReleased = 18;
constexpr int32_t kLeftKeys = 0x4010, kRightKeys = 0x8040;
constexpr int32_t kHighlightAlpha = 100;
constexpr int32_t kItemsPerMenu = 128;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

// Each missing item is logged once a run, not every frame it is asked for.
std::bitset<kMenuCount * kItemsPerMenu> missingLogged;

void resetPanelLog() { missingLogged.reset(); }

bool missingItem(int32_t menu, int32_t item) {
  std::bitset<kMenuCount * kItemsPerMenu>& logged = missingLogged;
  if (CGame::GetItemPointer(menu, item) >= 0) return false;
  const size_t key = static_cast<size_t>(std::clamp(menu, 0, kMenuCount - 1) * kItemsPerMenu + (item & 0x7F));
  if (!logged.test(key)) {
    logged.set(key);
    Debug::trace("career panel: menu %d has no item %d; not drawn", menu, item);
  }
  return true;
}

// Draws a bar frame of a menu item clipped to value percent of the box (x, y, w, h).
void clippedBar(int32_t frame, int32_t menu, int32_t item, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t value) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  const int32_t shown = std::clamp(value, 0, kFullValue);
  CGame::SetClip(g, x, y, w * shown / kFullValue, h);
  CGame::DrawFrameAsItem(frame, -1, menu, item, false);
  CGame::SetClip(g, 0, 0, CGame::kGameWidth, CGame::kGameHeight);
}

// The time at which an animation item shows its frame `aframe` (the last frame past its end):
// the row holds one still frame of the item's own animation, not the running animation.
int32_t aframeStart(int32_t menu, int32_t item, int32_t aframe) {
  ASprite* sprite = CGame::MenuGetItemSprite(menu, item);
  const int32_t anim = CGame::GetMenuItemActionID(menu, item);
  if (!menu_paint::hasAnimation(sprite, anim)) return 0;
  const int32_t last = std::clamp(aframe, 0, std::max(sprite->GetAFrames(anim) - 1, 0));
  int32_t time = 0;
  for (int32_t i = 0; i < last; i++) time += sprite->GetAFrameTime(anim, i);
  return time;
}

// One value arrow of a list row: a release in its half of the row presses its key.
void rowArrow(bool left, int32_t x, int32_t y, int32_t w, int32_t h, int32_t row) {
  const int32_t item = left ? kRowLeftItem : kRowRightItem;
  const int32_t at = CGame::GetMenuItemPosition(kListRowMenu, item);
  const int32_t half = w / 2;
  const int32_t boxX = left ? x : x + half, boxW = left ? half : w - half;
  int32_t shown = -1;
  if (CGame::isPointerReleasedInBox(boxX, y, boxW, h, true)) {
    shown = left ? kLeftReleased : kRightReleased;
    CGame::keysPressed = left ? kLeftKeys : kRightKeys;
    if (row >= 0) CGame::menuCursor = row;
  } else if (CGame::pointerDown && CGame::isPointerClickedInBox(boxX, y, boxW, h, false)) {
    shown = left ? kLeftPressed : kRightPressed;
  }
  if (shown != -1) {
    CGame::DrawAnimationAsItem(-1, -1, -1, kArrowMenu, shown, xOf(at), yOf(at), false);
  } else {
    CGame::DrawAnimationAsItem(-1, -1, -1, kListRowMenu, item, false);
  }
}

}  // namespace

SORV_STATIC_INIT(kCGame, resetPanelLog);

String* careerSpacedText(String* a, String* b) {
  StringBuffer* sb = StringBuffer::create(32);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendString(sb, a);
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstSpace));
  StringBuffer::appendString(sb, b);
  return sb->toString();
}

String* careerRankText(int32_t points) {
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  StringBuffer::appendInt(sb, CGame::mapPts2Rank(points));
  StringBuffer::appendString(sb, StaticClass::getConstant(kConstRankJoin));
  StringBuffer::appendInt(sb, kLowestRank);
  return sb->toString();
}

void CGame::drawPlayerInfo_Career(CActor* actor, String* name, int32_t home, int32_t points, int32_t x, int32_t y,
                                  bool withHome) {
  SORV_FRAME("CGame.drawPlayerInfo_Career(LCActor;Ljava/lang/String;IIIIZ)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kCardMenu, false);
  const bool knownHome = home >= 0 && home < kCareerHomes;
  if (!knownHome) Debug::trace("career card: home %d is no city; its name and picture left out", home);
  if (withHome && knownHome) DrawFrameAsItem(kFirstHomePicture + home, -1, kCardMenu, kCardPictureItem, false);
  DrawStringAsItem(name, kCardMenu, kCardNameItem, false);
  if (knownHome) DrawStringAsItem(static_cast<String*>(aload(homeNames.get(), home)), kCardMenu, kCardHomeItem, false);
  DrawStringAsItem(careerRankText(points), kCardMenu, kCardRankItem, false);
  resetMenuPaintPosition();
  Graphics* g = GetMenuGfx();
  if (isNull(actor) || isNull(g) || missingItem(kCardMenu, kCardActorItem)) return;
  const int32_t at = GetMenuItemPosition(kCardMenu, kCardActorItem);
  actor->paintCurrentFrame(g, x + xOf(at), y + yOf(at));
}

void CGame::drawPlayerAbilitySingle(int32_t menu, int32_t firstItem, int32_t dx, int32_t dy, ByteArray* values) {
  SORV_FRAME("CGame.drawPlayerAbilitySingle(IIII[B)V");
  if (isNull(values)) return reportError("NullPointer");
  const int32_t n = values->length;
  const int32_t barItem = firstItem + 2 * n;
  if (missingItem(menu, barItem)) return;
  const int32_t size = GetMenuItemSize(menu, barItem);
  const int32_t w = xOf(size), h = yOf(size);
  setMenuPaintPosition(dx, dy);
  for (int32_t i = 0; i < n; i++) {
    const int32_t value = values->elements()[i];
    setMenuPaintItemPal(getAbiFontPal(value));
    DrawStringAsItem(String::valueOfInt(value), menu, firstItem + i, false);
    resetMenuPaintItemPal();
    const int32_t at = GetMenuItemPosition(menu, barItem + i);
    const int32_t frame = kFirstBarFrame + std::clamp((value - 1) / kValuesPerBar, 0, kBarLevels - 1);
    clippedBar(frame, menu, barItem + i, dx + xOf(at), dy + yOf(at), w, h, value);
  }
  resetMenuPaintPosition();
}

void CGame::drawCareerPlayerAbiItem(String* label, String* text, int32_t kind, int32_t level, int32_t value,
                                    int32_t x, int32_t y, bool highlight) {
  SORV_FRAME("CGame.drawCareerPlayerAbiItem(Ljava/lang/String;Ljava/lang/String;IIIIIZ)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kWeekRowMenu, false);
  if (kind == 1) {
    DrawStringAsItem(label, kWeekRowMenu, kWeekLabelItem, false);
    if (isNull(text)) {
      const int32_t at = GetMenuItemPosition(kWeekRowMenu, kWeekBarItem);
      const int32_t size = GetMenuItemSize(kWeekRowMenu, kWeekBarItem);
      const int32_t frame = kFirstBarFrame + std::clamp(level, 0, kBarLevels - 1);
      clippedBar(frame, kWeekRowMenu, kWeekLevelItem, x + xOf(at), y + yOf(at), xOf(size), yOf(size), value);
    } else {
      DrawStringAsItem(text, kWeekRowMenu, kWeekTextItem, false);
    }
  } else if (kind == 0) {
    DrawAnimationAsItem(-1, -1, aframeStart(kWeekRowMenu, kWeekAnimItem, value), kWeekRowMenu, kWeekAnimItem, false);
  }
  if (highlight) DrawRectAsItem(kHighlightAlpha, kWeekRowMenu, kWeekHighlightItem);
  resetMenuPaintPosition();
}

int32_t CGame::drawAbiMenuItem(String* label, String* text, int32_t x, int32_t y, int32_t w, int32_t h, int32_t kind,
                               bool highlight, bool selected, int32_t row) {
  SORV_FRAME("CGame.drawAbiMenuItem(Ljava/lang/String;Ljava/lang/String;IIIIIZZ)I");
  // Without its row menu the list still steps by the row height it asked for.
  if (missingItem(kListRowMenu, kRowHighlightItem)) return h;
  setMenuPaintPosition(x, y);
  if (highlight) DrawRectAsItem(kHighlightAlpha, kListRowMenu, kRowHighlightItem);
  DrawStringAsItem(label, kListRowMenu, kRowLabelItem, false);
  if (kind == kValueRow) {
    // The level frame stays inside its row.
    Graphics* g = GetMenuGfx();
    if (!isNull(g)) SetClip(g, x, y, w, h);
    DrawFrameAsItem(-1, -1, kListRowMenu, kRowLevelItem, false);
    if (!isNull(g)) SetClip(g, 0, 0, kGameWidth, kGameHeight);
  }
  DrawStringAsItem(text, kListRowMenu, kRowValueItem, false);
  if (highlight && selected) {
    rowArrow(true, x, y, w, h, row);
    rowArrow(false, x, y, w, h, row);
  }
  resetMenuPaintPosition();
  return yOf(GetMenuItemSize(kListRowMenu, kRowHighlightItem));
}

}  // namespace sorv
