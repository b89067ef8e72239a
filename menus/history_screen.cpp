// The records history (state 10): a list of topics (screen 12, menu 38) and, for the chosen
// topic, its body cut into pages of the page box (screens 13 and up, menu 39).
//
// The list's cursor is the row of the three-row window (the engine's rule), so the topic
// highlighted, opened and named is always cursor + scroll, and a touched row takes the cursor.
// A topic is cut into pages when it opens and its pages are dropped when it closes; a topic
// without a page shows its title only and its page keys do nothing.
#include <algorithm>
#include <cstdint>

#include "game/cgame.h"
#include "menus/menu_record.h"
#include "menus/row_tap.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/menu_screens.h"

namespace sorv {

StaticRef<ObjectArray> CGame::historyPages;

namespace {

constexpr int32_t kTopicsMenu = 38, kPageMenu = 39;
constexpr int32_t kTopicTitleItem = 10, kFirstRowItem = 11, kSecondRowItem = 12;
constexpr int32_t kUpArrowItem = 19, kDownArrowItem = 20;
constexpr int32_t kPageTitleItem = 9, kCounterItem = 10, kBottomItem = 11, kStaticTitleItem = 12, kTextItem = 13;
constexpr int32_t kNextArrow = 14, kPrevArrow = 15, kPrevHeld = 17, kNextHeld = 18, kPrevReleased = 19;
constexpr int32_t kVisibleRows = 3, kRowW = 440, kRowH = 45, kRowStyle = 0;
constexpr int32_t kArrowBox = 40, kArrowUp = 20, kPrevArrowLeft = 25, kNextArrowLeft = 15;
constexpr int32_t kTexts = 2, kPageWordPack = 0, kPageWord = 96, kSpace = 76, kSlash = 77;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000;
constexpr int32_t kNextPageKeys = 0x8040, kPrevPageKeys = 0x4010;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

bool onList() { return CGame::menuScreenCode == kHistoryTopicsScreen; }

int32_t entryCount() {
  IntArray* entries = CGame::menuItems.get();
  return isNull(entries) ? 0 : entries->length;
}

int32_t entryAt(int32_t i) {
  IntArray* entries = CGame::menuItems.get();
  return isNull(entries) || !entries->inBounds(i) ? -1 : entries->elements()[i];
}

// The text of entry i of the screen's list, null without one (a string item then draws none).
String* titleOf(int32_t i) {
  const int32_t id = entryAt(i);
  return id < 0 ? nullptr : CGame::GetString(kTexts, id);
}

int32_t pageCount() {
  ObjectArray* pages = CGame::historyPages.get();
  return isNull(pages) ? 0 : pages->length - 1;
}

// The height of one line of the page text: a line height in the item's draw-mode byte, as
// the font drawing takes it, else the font's height and line spacing.
int32_t pageLineHeight() {
  ASprite* font = CGame::MenuGetItemSprite(kPageMenu, kTextItem);
  if (isNull(font)) return 0;
  const int32_t fontHeight = font->GetFontHeight();
  const int32_t p = CGame::GetItemPointer(kPageMenu, kTextItem);
  ByteArray* blob = CGame::menuData.get();
  if (p < 0 || isNull(blob)) return 0;
  const int32_t mode = aload(blob, menu_record::payload(blob, p) + menu_record::kStringMode) & 0xFF;
  return mode >= fontHeight ? mode : fontHeight + font->GetLineSpacing();
}

void updateList() {
  CGame::MenuProcessInput(kTopicsMenu, CGame::menuItems, 0, true);
  const int32_t keys = CGame::keysPressed;
  if ((keys & kBackKey) != 0) {
    CGame::MenuPop();
    CGame::POP_STATE();
    CGame::scrollStringX = CGame::kTickerIdle;
  } else if ((keys & kSelectKeys) != 0) {
    const int32_t topic = CGame::MenuGetHighLightItem();
    if (topic < 0 || topic >= entryCount() || topic >= kHistoryTopicScreens) return;
    CGame::MenuPush(kFirstHistoryPageScreen + topic);
    CGame::generateHistoryPages();
  }
}

void updatePage() {
  const int32_t keys = CGame::keysPressed;
  const int32_t pages = pageCount();
  if ((keys & kBackKey) != 0) {
    CGame::MenuPop();
    CGame::historyPages = nullptr;
  } else if (pages <= 0) {
    return;
  } else if ((keys & kNextPageKeys) != 0) {
    CGame::menuCursor = (CGame::menuCursor + 1) % pages;
  } else if ((keys & kPrevPageKeys) != 0) {
    CGame::menuCursor = (CGame::menuCursor - 1 + pages) % pages;
  }
}

void paintList() {
  CGame::drawInterfaceBk(nullptr, -1, -1);
  CGame::DrawMenu(kTopicsMenu, false);
  const int32_t first = CGame::GetMenuItemPosition(kTopicsMenu, kFirstRowItem);
  const int32_t step = yOf(CGame::GetMenuItemPosition(kTopicsMenu, kSecondRowItem)) - yOf(first);
  const int32_t rows = std::min(kVisibleRows, entryCount() - CGame::menuScroll);
  for (int32_t r = 0; r < rows; r++) {
    const int32_t x = xOf(first), y = yOf(first) + r * step;
    row_tap::touch(r, x, y, kRowW, kRowH, true);
    const bool lit = row_tap::lit(r, r == CGame::menuCursor);
    CGame::drawMenuItem(kTexts, entryAt(CGame::menuScroll + r), x, y, kRowStyle, lit);
  }
  row_tap::advance();
  CGame::DrawStringAsItem(titleOf(CGame::MenuGetHighLightItem()), kTopicsMenu, kTopicTitleItem, false);
  CGame::Paint_ArrowsUpDn(kTopicsMenu, kUpArrowItem, kDownArrowItem);
}

String* pageCounter(int32_t page, int32_t pages) {
  StringBuffer* counter = StringBuffer::create(16);
  StringBuffer::appendString(counter, CGame::GetString(kPageWordPack, kPageWord));
  StringBuffer::appendString(counter, StaticClass::getConstant(kSpace));
  StringBuffer::appendInt(counter, page + 1);
  StringBuffer::appendString(counter, StaticClass::getConstant(kSlash));
  StringBuffer::appendInt(counter, pages);
  return counter->toString();
}

// A page arrow: shown pressed while the stylus is down in its box, and a release there
// presses its key (the update turns the page in the same frame).
void pageArrow(int32_t item, int32_t held, int32_t released, int32_t left, int32_t keys) {
  const int32_t at = CGame::GetMenuItemPosition(kPageMenu, item);
  const int32_t bx = xOf(at) - left, by = yOf(at) - kArrowUp;
  int32_t shown = item;
  if (CGame::isPointerReleasedInBox(bx, by, kArrowBox, kArrowBox, true)) {
    CGame::keysPressed = keys;
    shown = released;
  } else if (CGame::pointerDown && CGame::isPointerClickedInBox(bx, by, kArrowBox, kArrowBox, false)) {
    shown = held;
  }
  CGame::DrawAnimationAsItem(-1, -1, -1, kPageMenu, shown, false);
}

void paintPage() {
  String* title = titleOf(0);
  CGame::drawInterfaceBk(nullptr, -1, -1);
  CGame::DrawMenu(kPageMenu, true);
  CGame::DrawStringAsItem(title, kPageMenu, kStaticTitleItem, false);
  ObjectArray* pages = CGame::historyPages.get();
  const int32_t count = pageCount(), page = CGame::menuCursor;
  if (count > 0 && page >= 0 && page < count) {
    CGame::DrawStringAsItem(static_cast<String*>(pages->elements()[page + 1]), kPageMenu, kTextItem, false);
  }
  if (count > 1) {
    CGame::DrawStringAsItem(pageCounter(page, count), kPageMenu, kCounterItem, false);
    pageArrow(kPrevArrow, kPrevHeld, kPrevReleased, kPrevArrowLeft, kPrevPageKeys);
    pageArrow(kNextArrow, kNextHeld, kNextHeld, kNextArrowLeft, kNextPageKeys);
  }
  CGame::DrawStringAsItem(title, kPageMenu, kPageTitleItem, false);
}

}  // namespace

void CGame::menuUpdate_RG_History() {
  SORV_FRAME("CGame.menuUpdate_RG_History()V");
  if (onList()) return updateList();
  updatePage();
}

// Every paint finds repaintAll set (each frame sets it after its update), so the screens'
// static layers are drawn every frame with the rest.
void CGame::menuPaint_RG_History() {
  SORV_FRAME("CGame.menuPaint_RG_History()V");
  if (onList()) {
    paintList();
  } else {
    paintPage();
  }
}

void CGame::generateHistoryPages() {
  SORV_FRAME("CGame.generateHistoryPages()V");
  historyPages = nullptr;
  if (entryCount() < 2) {
    Debug::trace("history: screen %d holds no body; its topic has no page", menuScreenCode);
    return;
  }
  String* body = GetString(kTexts, entryAt(1));
  // An empty text leaves the line table as the last layout left it.
  ASprite::wrapLineCount = 0;
  ASprite::drawEnabled = false;
  DrawStringAsItem(body, kPageMenu, kTextItem, false);
  ASprite::drawEnabled = true;
  const int32_t lineHeight = pageLineHeight();
  const int32_t bottom = GetMenuItemPosition(kPageMenu, kBottomItem);
  const int32_t box = yOf(bottom) - yOf(GetMenuItemPosition(kPageMenu, kTextItem)) +
                      yOf(GetMenuItemSize(kPageMenu, kBottomItem));
  // A page box lower than a line still takes one line a page.
  const int32_t perPage = lineHeight > 0 ? std::max(box / lineHeight, 1) : 1;
  const int32_t lines = ASprite::wrapLineCount;
  const int32_t count = lines / perPage + (lines % perPage != 0 ? 1 : 0);
  ObjectArray* pages = Array::newObjectArray(kString, count + 1);
  if (isNull(pages)) return;
  historyPages = pages;
  if (count == 0) {
    Debug::trace("history: the body of screen %d lays out to no line; its topic has no page", menuScreenCode);
    return;
  }
  ShortArray* table = ASprite::wrapLines.get();
  const int32_t length = isNull(body) ? 0 : body->length();
  const int32_t end = aload(table, 2 * lines - 1);
  if (end < length) {
    Debug::trace("history: the body of screen %d runs past the line table; its pages end after %d lines",
                 menuScreenCode, lines);
  }
  for (int32_t p = 1; p <= count; p++) {
    const int32_t firstLine = (p - 1) * perPage, lastLine = std::min(p * perPage - 1, lines - 1);
    const int32_t from = std::clamp<int32_t>(aload(table, 2 * firstLine), 0, length);
    const int32_t to = std::clamp<int32_t>(aload(table, 2 * lastLine + 1), from, length);
    historyPages->elements()[p] = String::substring(body, from, to);
  }
}

}  // namespace sorv
