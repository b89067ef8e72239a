// The unlock pages at a match's end: what the match earned from the second display queue,
// one page of achievements and one of records, a row each, scrolling past three rows.
#include <algorithm>
#include <cstdint>

#include "game/cae.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "menus/list_view.h"
#include "runtime/frames.h"
#include "runtime/string.h"

namespace sorv {

namespace {

constexpr int32_t kUnlockMenu = 26, kUnlockRowMenu = 62;
constexpr int32_t kHeadingItem = 2, kFirstRowItem = 3, kSecondRowItem = 4, kBarItem = 5;
constexpr int32_t kCaptionItem = 8, kAnimationItem = 10, kFooterItem = 11;
constexpr int32_t kPrevItem = 12, kNextItem = 13;
constexpr int32_t kFirstHeadingText = 99;   // text pack 1, + kind
constexpr int32_t kFirstCaptionText = 228;  // text pack 0, + kind
constexpr int32_t kFirstKindAnimation = 6;
constexpr int32_t kCaptionPeriod = 6, kCaptionShownFrom = 3;
constexpr int32_t kThumbInset = 2;
constexpr int32_t kRowRectAlpha = 100, kRowBackItem = 0, kRowNameItem = 1, kRowValueItem = 2, kRowHighlightItem = 3;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

int32_t entryCount() {
  IntArray* ids = CGame::achiTitleIds.get();
  IntArray* values = CGame::achiGoldValues.get();
  IntArray* kinds = CGame::achiKinds.get();
  if (isNull(ids) || isNull(values) || isNull(kinds)) return 0;
  return std::min({ids->length, values->length, kinds->length});
}

String* entryName(int32_t id, int32_t kind) {
  if (kind != CAE::kKindAchievement) return CAE::getRecordName(id);
  return CGame::GetString(0, CAE::GetAchiTitleId(id));
}

String* entryValue(int32_t id, int32_t kind, int32_t value) {
  const int32_t w = value & 0xFFFF;
  if (kind == CAE::kKindAchievement) return list_view::goldText(w);
  return list_view::recordText(id, w, true);
}

// The scroll bar, its thumb and the arrows; an arrow's release moves the list this frame.
void drawScrolling(int32_t n) {
  CGame::DrawMenuItem(kUnlockMenu, kBarItem);
  list_view::drawThumb(CGame::menuScroll * CGame::listH / n, CGame::listStep - kThumbInset);
  const int32_t h = CGame::MenuGetHighLightItem();
  if (h > 0) {
    if (list_view::arrowReleased(kUnlockMenu, kPrevItem)) CGame::keysPressed = list_view::kPrevKeys;
    CGame::DrawAnimationAsItem(-1, -1, -1, kUnlockMenu, kPrevItem, false);
  }
  if (h < n - 1) {
    if (list_view::arrowReleased(kUnlockMenu, kNextItem)) CGame::keysPressed = list_view::kNextKeys;
    CGame::DrawAnimationAsItem(-1, -1, -1, kUnlockMenu, kNextItem, false);
  }
  CGame::MenuProcessInput(kUnlockMenu, CGame::achiTitleIds.get(), 0, true);
}

}  // namespace

void CGame::initAchievementUnlock(int32_t queue, int32_t kind) {
  SORV_FRAME("CGame.initAchievementUnlock(II)V");
  IntArray* pairs = CAE::getQueueItems(queue, kind);
  const int32_t n = isNull(pairs) ? 0 : pairs->length / 2;
  achiTitleIds = Array::newIntArray(n);
  achiGoldValues = Array::newIntArray(n);
  achiKinds = Array::newIntArray(n);
  for (int32_t i = 0; i < n; i++) {
    const int32_t id = aload(pairs, 2 * i);
    astore(achiTitleIds.get(), i, id);
    astore(achiKinds.get(), i, aload(pairs, 2 * i + 1));
    astore(achiGoldValues.get(), i, kind != CAE::kKindAchievement ? CAE::getRecordVal(id) : CAE::GetAchiGold(id));
  }
  // The page starts at its first row, whatever the last list left.
  menuCursor = 0;
  menuScroll = 0;
  list_view::setUp(kUnlockMenu, kBarItem, n);
}

void CGame::drawAchievementUnlock(int32_t, int32_t kind) {
  SORV_FRAME("CGame.drawAchievementUnlock(II)V");
  DrawMenu(kUnlockMenu, false);
  const int32_t n = entryCount();
  const bool scrolls = n > listRows;
  if (scrolls) drawScrolling(n);
  DrawStringAsItem(GetString(1, kFirstHeadingText + kind), kUnlockMenu, kHeadingItem, false);
  const int32_t first = GetMenuItemPosition(kUnlockMenu, kFirstRowItem);
  const int32_t step = yOf(GetMenuItemPosition(kUnlockMenu, kSecondRowItem)) - yOf(first);
  for (int32_t k = 0; k < listRows; k++) {
    const int32_t e = menuScroll + k;
    if (e < 0 || e >= n) break;
    const int32_t id = aload(achiTitleIds.get(), e), entryKind = aload(achiKinds.get(), e);
    drawUnlockItem(entryName(id, entryKind), entryValue(id, entryKind, aload(achiGoldValues.get(), e)), xOf(first),
                   yOf(first) + k * step, scrolls && k == menuCursor);
  }
  if (CTennis::matchFrame % kCaptionPeriod >= kCaptionShownFrom) {
    DrawStringAsItem(GetString(0, kFirstCaptionText + kind), kUnlockMenu, kCaptionItem, false);
  }
  DrawAnimationAsItem(kFirstKindAnimation + kind, -1, -1, kUnlockMenu, kAnimationItem, false);
  drawAchievementLevel(kUnlockMenu, kFooterItem);
}

void CGame::drawUnlockItem(String* name, String* value, int32_t x, int32_t y, bool highlight) {
  SORV_FRAME("CGame.drawUnlockItem(Ljava/lang/String;Ljava/lang/String;IIZ)V");
  setMenuPaintPosition(x, y);
  DrawMenu(kUnlockRowMenu, false);
  DrawRectAsItem(kRowRectAlpha, kUnlockRowMenu, kRowBackItem);
  DrawStringAsItem(name, kUnlockRowMenu, kRowNameItem, highlight);
  DrawStringAsItem(value, kUnlockRowMenu, kRowValueItem, highlight);
  if (highlight) DrawRectAsItem(kRowRectAlpha, kUnlockRowMenu, kRowHighlightItem);
  resetMenuPaintPosition();
}

}  // namespace sorv
