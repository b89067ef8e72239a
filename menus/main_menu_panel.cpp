// The main menu's achievement panel: it slides in, counts the Gold up to its total, names
// the rank level and fades out over its last frames.
#include <algorithm>
#include <cstdint>

#include "game/cae.h"
#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kPanelMenu = 25, kGoldItem = 3, kRankItem = 4;
constexpr int32_t kLayoutMenu = 5, kPanelItem = 11;
constexpr int32_t kPanelFrames = 84, kCountEnd = 56, kFadeFrames = 12, kFadeTopPercent = 20;
constexpr int32_t kSlideStep = 4;
constexpr int32_t kGoldText = 232, kRankText = 234, kFirstRankName = 235;

String* joined(String* a, int32_t constant, String* b) {
  StringBuffer* text = StringBuffer::create(32);
  if (isNull(text)) return nullptr;
  StringBuffer::appendString(text, a);
  StringBuffer::appendString(text, StaticClass::getConstant(constant));
  StringBuffer::appendString(text, b);
  return text->toString();
}

}  // namespace

int32_t CGame::panelGoldShown(int32_t elapsed, int32_t slideFrames, int32_t total) {
  if (elapsed < slideFrames) return 0;
  // A panel too wide to slide in before the count ends shows the total at once: the count
  // would divide by zero or less.
  if (slideFrames >= kCountEnd) return total;
  const int64_t g = int64_t{elapsed - slideFrames} * total / (kCountEnd - slideFrames);
  return static_cast<int32_t>(std::min<int64_t>(g, total));
}

int32_t CGame::panelOpacity(int32_t c) { return c < kFadeFrames ? c * kFadeTopPercent / kFadeFrames : 100; }

void CGame::drawAchievementInMainMenu() {
  SORV_FRAME("CGame.drawAchievementInMainMenu()V");
  const int32_t c = panelCounter;
  if (c < 0) return;
  if (c < kFadeFrames) setMenuPaintAlpha(panelOpacity(c));
  setMenuPaintPosition(panelX, panelY);
  DrawMenu(kPanelMenu, false);
  const int32_t width = static_cast<int16_t>(GetMenuItemSize(kLayoutMenu, kPanelItem));
  const int32_t slideFrames = 2 * width / 3 / 4;
  const int32_t total = CAE::achiGold;
  const int32_t gold = panelGoldShown(kPanelFrames - c, slideFrames, total);
  DrawStringAsItem(joined(FormatMathStringLocalize(gold), kConstOrdinalJoiner, GetString(0, kGoldText)), kPanelMenu,
                   kGoldItem, false);
  if (gold >= total) {
    String* rank = GetString(0, kFirstRankName + CAE::GetAchievementRankLevel());
    DrawStringAsItem(joined(GetString(0, kRankText), kConstRankJoiner, rank), kPanelMenu, kRankItem, false);
  }
  resetMenuPaintPosition();
  menuPaintAlpha = -1;
  if (panelX < 0) panelX = std::min(panelX + kSlideStep, 0);
  panelCounter = c - 1;
}

}  // namespace sorv
