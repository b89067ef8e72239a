// The achievements table (state 60, screen 63), the achievement browser (state 61, screen 64)
// and the records list (state 62, screen 65), also drawn by the in-game menu over the paused
// match; and the rows and the rank footer that the unlock screen shares.
#include <algorithm>
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "menus/list_view.h"
#include "menus/row_tap.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

StaticRef<IntArray> CGame::achiTitleIds;
StaticRef<IntArray> CGame::achiGoldValues;
StaticRef<IntArray> CGame::achiKinds;
int32_t CGame::listRows = 0;
int32_t CGame::listX = 0, CGame::listY = 0, CGame::listW = 0, CGame::listH = 0;
int32_t CGame::listStep = 0;
int32_t CGame::scrollThumbOffset = 0;

namespace {

constexpr int32_t kTableMenu = 18, kBrowserMenu = 19, kRecordsMenu = 20;
constexpr int32_t kRowMenu = 60, kFooterMenu = 77;
constexpr int32_t kTableState = 60, kBrowserState = 61, kRecordsState = 62;
constexpr int32_t kBrowserScreen = 64, kRecordsScreen = 65;
constexpr int32_t kAchievementsCode = 228, kRecordsCode = 229;
constexpr int32_t kSelectKeys = 0x50020, kBackKey = 0x20000;
// Frame items drawn only in the views' own states: the backdrop and the bottom bar.
constexpr int32_t kBackdropItem = 1, kBarItem = 2;
constexpr int32_t kTableFirstRow = 9, kTableSecondRow = 10, kTableFooter = 13;
constexpr int32_t kRowBoxW = 310, kRowBoxH = 60;
constexpr int32_t kBrowserFooter = 10, kDescriptionItem = 11, kBrowserRow = 14;
constexpr int32_t kBrowserPrev = 15, kBrowserNext = 16, kBrowserBar = 17;
constexpr int32_t kRecordsFirstRow = 9, kRecordsSecondRow = 10, kRecordsNext = 11, kRecordsPrev = 12;
constexpr int32_t kRecordsBar = 13;
// The records list shows records 0 to 14; slot 15 (the serve record in the other unit) is
// never highlighted, as the arrows and the thumb assume.
constexpr int32_t kShownRecords = 15;
constexpr int32_t kLockedPalette = 4;
constexpr int32_t kBrowserThumbHeight = 4;
constexpr int32_t kRowRectAlpha = 100, kRowTitleItem = 1, kRowValueItem = 2, kRowHighlightItem = 3;
constexpr int32_t kFooterRankItem = 1, kFooterGoldItem = 2;
constexpr int32_t kGoldText = 232, kRankText = 234, kFirstRankName = 235;
constexpr int32_t kConstRankCaptionJoiner = 141;
constexpr int32_t kSpeedRecord = 4, kFirstTimeRecord = 13, kLastTimeRecord = 14;
constexpr int32_t kFirstSpeedUnitText = 246, kSpeedUnitOption = 1;

struct Triangle {
  int32_t x1, y1, x2, y2, x3, y3;
};
constexpr Triangle kBrowserPrevTriangle = {385, 47, 356, 76, 414, 76};
constexpr Triangle kBrowserNextTriangle = {356, 190, 385, 219, 414, 190};
constexpr Triangle kRecordsPrevTriangle = {370, 92, 400, 62, 428, 92};
constexpr Triangle kRecordsNextTriangle = {370, 375, 400, 405, 428, 375};
constexpr int32_t kPressedColour = 0xFF0000, kReleasedColour = 0x00FF00;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }
String* constant(int32_t n) { return StaticClass::getConstant(n); }

int32_t length(IntArray* a) { return isNull(a) ? 0 : a->length; }

void fill(const Triangle& t, int32_t colour) {
  Graphics* g = CGame::GetMenuGfx();
  if (isNull(g)) return;
  g->setColor(colour);
  g->fillTriangle(t.x1, t.y1, t.x2, t.y2, t.x3, t.y3);
}

// A view's arrow: a release presses its key, a held press shows it red, a release green.
void viewArrow(int32_t menu, int32_t item, bool previous, const Triangle& triangle) {
  if (list_view::arrowReleased(menu, item)) {
    CGame::keysPressed = previous ? list_view::kPrevKeys : list_view::kNextKeys;
    CGame::lastNavKey = CGame::keysPressed;
    fill(triangle, kReleasedColour);
  } else if (CGame::pointerDown && list_view::arrowPressed(menu, item)) {
    fill(triangle, kPressedColour);
  } else {
    CGame::DrawAnimationAsItem(-1, -1, -1, menu, item, false);
  }
}

// What the three views draw first: the last frame (or the blurred match in the pause), and in
// their own states the backdrop and the bar, which keep one frame's texts from piling up on
// the last.
void commonFrame(int32_t menu, int32_t ownState) {
  Graphics* g = CGame::gfx;
  if (!isNull(CGame::screenBuffer) && !isNull(g)) g->drawImage(CGame::screenBuffer, 0, 0, 0);
  CGame::drawBk(nullptr, -1, -1, nullptr);
  if (CGame::GET_CURRENT_STATE() == ownState) {
    CGame::DrawFrameAsItem(-1, -1, menu, kBackdropItem, false);
    CGame::DrawFrameAsItem(-1, -1, menu, kBarItem, false);
  }
  CGame::DrawMenu(menu, true);
}

void pushView(int32_t screen, int32_t state) {
  CGame::MenuPush(screen);
  CGame::PUSH_STATE(state);
}

void popView() {
  CGame::MenuPop();
  CGame::POP_STATE();
}

}  // namespace

namespace list_view {

void setUp(int32_t menu, int32_t barItem, int32_t entries) {
  CGame::listRows = CGame::MenuGetItemLabelNum(menu);
  const int32_t at = CGame::GetMenuItemPosition(menu, barItem);
  const int32_t size = CGame::GetMenuItemSize(menu, barItem);
  CGame::listX = xOf(at);
  CGame::listY = yOf(at);
  CGame::listW = xOf(size);
  CGame::listH = yOf(size);
  // An empty list has no thumb: its height would divide by zero.
  CGame::listStep = entries > 0 ? CGame::listRows * CGame::listH / entries : 0;
}

namespace {
constexpr int32_t kArrowLeft = 35, kArrowUp = 17, kArrowW = 100, kArrowH = 50;
}  // namespace

bool arrowReleased(int32_t menu, int32_t item) {
  const int32_t at = CGame::GetMenuItemPosition(menu, item);
  return CGame::isPointerReleasedInBox(xOf(at) + CGame::menuPaintX - kArrowLeft,
                                       yOf(at) + CGame::menuPaintY - kArrowUp, kArrowW, kArrowH, true);
}

bool arrowPressed(int32_t menu, int32_t item) {
  const int32_t at = CGame::GetMenuItemPosition(menu, item);
  return CGame::isPointerClickedInBox(xOf(at) + CGame::menuPaintX - kArrowLeft,
                                      yOf(at) + CGame::menuPaintY - kArrowUp, kArrowW, kArrowH, false);
}

void drawThumb(int32_t offset, int32_t height) {
  CGame::scrollThumbOffset = offset;
  if (height <= 0) return;
  CGame::fillRect(CGame::GetMenuGfx(), kThumbColour, CGame::listX + 1, CGame::listY + offset + 1, CGame::listW - 2,
                  height);
}

String* goldText(int32_t gold) {
  StringBuffer* text = StringBuffer::create(24);
  if (isNull(text)) return nullptr;
  StringBuffer::appendString(text, CGame::FormatMathStringLocalize(gold));
  StringBuffer::appendString(text, constant(kConstOrdinalJoiner));
  StringBuffer::appendString(text, CGame::GetString(0, kGoldText));
  return text->toString();
}

String* recordText(int32_t record, int32_t value, bool grouped) {
  if (record == kFirstTimeRecord || record == kLastTimeRecord) return CGame::INT2Time(value);
  StringBuffer* text = StringBuffer::create(24);
  if (isNull(text)) return nullptr;
  StringBuffer::appendString(text, constant(kConstEmpty));
  StringBuffer::appendString(text, grouped ? CGame::FormatMathStringLocalize(value) : String::valueOfInt(value));
  if (record == kSpeedRecord) {
    StringBuffer::appendString(text, constant(kConstOrdinalJoiner));
    StringBuffer::appendString(text, CGame::GetString(0, kFirstSpeedUnitText + CGame::optionValue(kSpeedUnitOption)));
  }
  return text->toString();
}

String* rankLine() {
  StringBuffer* rank = StringBuffer::create(32);
  if (isNull(rank)) return nullptr;
  StringBuffer::appendString(rank, CGame::GetString(0, kRankText));
  StringBuffer::appendString(rank, constant(kConstRankCaptionJoiner));
  StringBuffer::appendString(rank, CGame::GetString(0, kFirstRankName + CAE::GetAchievementRankLevel()));
  return rank->toString();
}

String* goldTotalLine() {
  StringBuffer* gold = StringBuffer::create(32);
  if (isNull(gold)) return nullptr;
  StringBuffer::appendString(gold, constant(kConstEmpty));
  StringBuffer::appendString(gold, goldText(CAE::achiGold));
  return gold->toString();
}

}  // namespace list_view

void CGame::menuUpdate_achiTable() {
  SORV_FRAME("CGame.menuUpdate_achiTable()V");
  MenuProcessInput(kTableMenu, nullptr, 0, true);
  if ((keysPressed & kSelectKeys) != 0) {
    const int32_t code = highlightedEntry();
    if (code < 0) return;
    mainMenuChoice = code;
    if (code == kAchievementsCode) pushView(kBrowserScreen, kBrowserState);
    if (code == kRecordsCode) pushView(kRecordsScreen, kRecordsState);
  } else if ((keysPressed & kBackKey) != 0) {
    popView();
  }
}

void CGame::menuPaint_achiTable(int32_t textPack) {
  SORV_FRAME("CGame.menuPaint_achiTable(I)V");
  commonFrame(kTableMenu, kTableState);
  const int32_t pack = textPack == -1 ? 0 : textPack;
  const int32_t first = yOf(GetMenuItemPosition(kTableMenu, kTableFirstRow));
  const int32_t step = yOf(GetMenuItemPosition(kTableMenu, kTableSecondRow)) - first;
  const int32_t count = length(menuItems.get());
  for (int32_t i = 0; i < count; i++) row_tap::touch(i, 0, first + i * step, kRowBoxW, kRowBoxH);
  for (int32_t i = 0; i < count; i++) {
    // The list may have been replaced by a tap's push: read it again each row.
    IntArray* entries = menuItems.get();
    if (i >= length(entries)) break;
    drawOptMenu(pack, entries->elements()[i], nullptr, 0, first + i * step, 0, 0, -1,
                row_tap::lit(i, i == menuCursor), false);
  }
  row_tap::advance();
  drawAchievementLevel(kTableMenu, kTableFooter);
}

void CGame::initAchiView() {
  SORV_FRAME("CGame.initAchiView()V");
  const int32_t count = std::max(CAE::getAchiNum(), 0);
  IntArray* titles = Array::newIntArray(count);
  achiTitleIds = titles;
  IntArray* golds = Array::newIntArray(count);
  achiGoldValues = golds;
  for (int32_t i = 0; i < count && !isNull(titles) && !isNull(golds); i++) {
    titles->elements()[i] = CAE::GetAchiTitleId(i);
    golds->elements()[i] = CAE::GetAchiGold(i);
  }
  list_view::setUp(kBrowserMenu, kBrowserBar, count);
  menuScroll = 0;
}

void CGame::initRecordView() {
  SORV_FRAME("CGame.initRecordView()V");
  list_view::setUp(kRecordsMenu, kRecordsBar, kShownRecords);
}

void CGame::menuUpdate_achiViewAchi() {
  SORV_FRAME("CGame.menuUpdate_achiViewAchi()V");
  MenuProcessInput(kBrowserMenu, achiTitleIds.get(), 0, true);
  if ((keysPressed & kBackKey) != 0) popView();
}

void CGame::menuUpdate_achiViewRec() {
  SORV_FRAME("CGame.menuUpdate_achiViewRec()V");
  MenuProcessInput(kRecordsMenu, CAE::achiRecords.get(), 0, true);
  if ((keysPressed & kBackKey) != 0) popView();
}

void CGame::menuPaint_achiViewAchi() {
  SORV_FRAME("CGame.menuPaint_achiViewAchi()V");
  commonFrame(kBrowserMenu, kBrowserState);
  IntArray* titles = achiTitleIds.get();
  IntArray* golds = achiGoldValues.get();
  const int32_t count = std::min(length(titles), length(golds));
  // An empty table shows the footer only: there is no achievement to describe, and the
  // thumb's offset would divide by zero.
  if (count == 0) return drawAchievementLevel(kBrowserMenu, kBrowserFooter);
  const int32_t at = GetMenuItemPosition(kBrowserMenu, kBrowserRow);
  for (int32_t k = 0; k < listRows; k++) {
    const int32_t n = menuScroll + k;
    if (n < 0 || n >= count) break;
    const bool cursorRow = k == menuCursor;
    if (!cursorRow && !CAE::IsUnlock(n)) setMenuPaintItemPal(kLockedPalette);
    drawAchievementItem(titles->elements()[n], golds->elements()[n] & 0xFFFF, xOf(at), yOf(at), cursorRow);
    resetMenuPaintItemPal();
  }
  const int32_t h = std::clamp(MenuGetHighLightItem(), 0, count - 1);
  DrawStringAsItem(GetString(0, CAE::GetAchiDescId(h)), kBrowserMenu, kDescriptionItem, false);
  drawAchievementLevel(kBrowserMenu, kBrowserFooter);
  if (h > 0) viewArrow(kBrowserMenu, kBrowserPrev, true, kBrowserPrevTriangle);
  if (h < count - 1) viewArrow(kBrowserMenu, kBrowserNext, false, kBrowserNextTriangle);
  list_view::drawThumb((listH - kBrowserThumbHeight) * menuScroll / count, kBrowserThumbHeight);
}

void CGame::menuPaint_achiViewRec() {
  SORV_FRAME("CGame.menuPaint_achiViewRec()V");
  commonFrame(kRecordsMenu, kRecordsState);
  const int32_t first = GetMenuItemPosition(kRecordsMenu, kRecordsFirstRow);
  const int32_t step = yOf(GetMenuItemPosition(kRecordsMenu, kRecordsSecondRow)) - yOf(first);
  for (int32_t k = 0; k < listRows; k++) {
    const int32_t record = menuScroll + k;
    if (record < 0 || record >= kShownRecords) break;
    drawRecordItem(record, record, xOf(first), yOf(first) + k * step, k == menuCursor);
  }
  const int32_t h = MenuGetHighLightItem();
  if (h > 0) viewArrow(kRecordsMenu, kRecordsPrev, true, kRecordsPrevTriangle);
  if (h < kShownRecords - 1) viewArrow(kRecordsMenu, kRecordsNext, false, kRecordsNextTriangle);
  list_view::drawThumb(menuScroll * listH / kShownRecords, listStep - 1);
}

void CGame::drawAchievementItem(int32_t titleId, int32_t gold, int32_t x, int32_t y, bool highlight) {
  SORV_FRAME("CGame.drawAchievementItem(IIIIZ)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kRowMenu, false);
  DrawStringAsItem(GetString(0, titleId), kRowMenu, kRowTitleItem, highlight);
  DrawStringAsItem(list_view::goldText(gold), kRowMenu, kRowValueItem, highlight);
  if (highlight) DrawRectAsItem(kRowRectAlpha, kRowMenu, kRowHighlightItem);
  resetMenuPaintPosition();
}

void CGame::drawRecordItem(int32_t record, int32_t kind, int32_t x, int32_t y, bool highlight) {
  SORV_FRAME("CGame.drawRecordItem(IIIIZ)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kRowMenu, false);
  DrawStringAsItem(CAE::getRecordName(record), kRowMenu, kRowTitleItem, highlight);
  DrawStringAsItem(list_view::recordText(kind, CAE::getRecordVal(record), false), kRowMenu, kRowValueItem,
                   highlight);
  if (highlight) DrawRectAsItem(kRowRectAlpha, kRowMenu, kRowHighlightItem);
  resetMenuPaintPosition();
}

void CGame::drawAchievementLevel(int32_t menuId, int32_t item) {
  SORV_FRAME("CGame.drawAchievementLevel(II)V");
  const int32_t at = GetMenuItemPosition(menuId, item);
  setMenuPaintPosition(xOf(at), yOf(at));
  DrawMenu(kFooterMenu, false);
  DrawStringAsItem(list_view::rankLine(), kFooterMenu, kFooterRankItem, false);
  DrawStringAsItem(list_view::goldTotalLine(), kFooterMenu, kFooterGoldItem, false);
  resetMenuPaintPosition();
}

}  // namespace sorv
