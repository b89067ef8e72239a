// The result page of a passed level: the game's score blocks, the counted-up total, the
// level's best and the notice of an unlocked level or of the best; and the time format the
// page and the heads-up texts share.
//
// On a pause's still the page only draws: the count-up and the best wait for a real frame.
#include <algorithm>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kTexts = 3;
constexpr int32_t kPassedText = 14, kUnlockedText = 15, kAccuracyTitle = 16, kTotalText = 17, kPointsText = 18;
constexpr int32_t kPtsUnit = 20, kTimeBlock = 21, kSpeedBlock = 22, kLevelWord = 13, kBestText = 51;
constexpr int32_t kPenaltyText = 52, kTimeUsedText = 53, kWrongText = 54, kStepFirstBlock = 55, kStepLastBlock = 56;
constexpr int32_t kBestTimeText = 57, kStepMiddleBlock = 58;
constexpr int32_t kConstSpace = 76, kConstBonus = 98, kConstColon = 99, kConstPoints = 6;
constexpr int32_t kPageMenu = 51, kBlockMenu = 52, kNoticeMenu = 53, kTitleLineMenu = 66;
constexpr int32_t kFrameItem = 1, kTitleItem = 2, kLineBackItem = 3, kLineItem = 4;
constexpr int32_t kNoticeText = 3, kNoticeBox = 4;
constexpr int32_t kLineAlpha = 100;
constexpr int32_t kNoticeColour = 0x98A5A5, kBlinkColour = 0xFFF000;
constexpr int32_t kNextLabel = 10, kBackLabel = 19, kOkLabel = 11;
constexpr int32_t kBlockX = 80, kSecondColumnX = 420, kBlocksTop = 90, kBlockGap = 8;
constexpr int32_t kStepPenaltyFrames = 3 * 7000 / 1000;
constexpr int32_t kScreenWidth = 800;

int32_t xOf(int32_t packed) { return static_cast<int16_t>(packed); }
int32_t yOf(int32_t packed) { return packed >> 16; }

String* text(int32_t id) { return CGame::GetString(kTexts, id); }
String* constant(int32_t id) { return StaticClass::getConstant(id); }

String* join(std::initializer_list<String*> parts) {
  StringBuffer* s = StringBuffer::create(32);
  for (String* part : parts) {
    if (!isNull(part)) StringBuffer::appendString(s, part);
  }
  return s->toString();
}

String* number(int32_t n) { return CGame::FormatMathStringLocalize(n); }

ObjectArray* strings(std::initializer_list<String*> items) {
  ObjectArray* a = Array::newObjectArray(kString, static_cast<int32_t>(items.size()));
  int32_t i = 0;
  for (String* s : items) astore(a, i++, static_cast<Object*>(s));
  return a;
}

int32_t block(int32_t x, int32_t y, int32_t title, std::initializer_list<String*> labels,
              std::initializer_list<String*> values) {
  return T::drawStyleScoreItem(x, y, text(title), static_cast<int32_t>(labels.size()), strings(labels), strings(values));
}

int32_t levelSeconds() { return (T::levelEndFrame - T::levelStartFrame) * 1000 / 7 / 1000; }

// The total counted up on Serve and Power; the others show theirs at once.
int32_t countedTotal() {
  const int32_t left = CTennis::drawOnlyFrame ? T::jackpot : T::updateJackpot();
  return T::finalPoints - left;
}

void drawServeBlocks(String* unit) {
  const int32_t average = T::targetHits == 0 ? 0 : T::speedSum / T::targetHits;
  int32_t y = block(kBlockX, kBlocksTop, kPointsText, {number(T::points)}, {unit});
  y = block(kBlockX, y + kBlockGap, kSpeedBlock, {join({String::valueOfInt(average), constant(kConstSpace)}), constant(kConstBonus)},
            {nullptr, number(T::speedFactor * average)});
  block(kSecondColumnX, kBlocksTop, kTotalText, {number(countedTotal())}, {unit});
}

void drawPowerBlocks(String* unit) {
  const int32_t seconds = levelSeconds();
  String* time = join({CGame::FormatString(seconds / 60, 2), constant(kConstColon), CGame::FormatString(seconds % 60, 2)});
  int32_t y = block(kBlockX, kBlocksTop, kPointsText, {number(T::points)}, {constant(kConstPoints)});
  block(kBlockX, y + kBlockGap, kTimeBlock, {time, constant(kConstBonus)},
        {nullptr, number(std::max(0, T::timeBase - T::timePenalty * seconds))});
  block(kSecondColumnX, kBlocksTop, kTotalText, {number(countedTotal())}, {unit});
}

void drawAccuracyTitle() {
  const int32_t width = xOf(CGame::GetMenuItemSize(kTitleLineMenu, 0));
  const int32_t x = (kScreenWidth - width) / 2 - xOf(CGame::GetMenuItemPosition(kTitleLineMenu, 0));
  CGame::setMenuPaintPosition(x, 0);
  CGame::DrawRectAsItem(kLineAlpha, kTitleLineMenu, 0);
  CGame::setMenuPaintPosition(0, 0);
  CGame::DrawStringAsItem(text(kAccuracyTitle), kTitleLineMenu, 1, false);
}

void drawStepBlocks() {
  String* sep = constant(kConstSpace);
  const int32_t penalty = T::wrongTouches * kStepPenaltyFrames;
  int32_t y = block(kBlockX, kBlocksTop, kStepFirstBlock, {join({text(kTimeUsedText), sep})}, {T::formatTime(T::stepTime)});
  block(kBlockX, y + kBlockGap, kStepMiddleBlock, {join({text(kWrongText), sep}), join({text(kPenaltyText), sep})},
        {String::valueOfInt(T::wrongTouches), T::formatTime(penalty)});
  block(kSecondColumnX, kBlocksTop, kStepLastBlock, {T::formatTime(T::stepTime + penalty)}, {nullptr});
}

String* noticeText(int32_t best) {
  String* sep = constant(kConstSpace);
  if (T::level == T::unlockedLevel && T::level < T::kLevelCount - 1) {
    return join({text(kLevelWord), sep, String::valueOfInt(T::unlockedLevel + 2), constant(kConstSpace), text(kUnlockedText)});
  }
  const int32_t shown = T::jackpot > 0 ? T::previousBest : best;
  String* line = T::game == T::kGameStep ? join({text(kBestTimeText), sep, T::formatTime(120000 - shown)})
                                         : join({text(kBestText), sep, number(shown)});
  if (T::game == T::kGameAccuracy || T::game == T::kGameNetAccuracy) {
    return join({line, sep, text(kTotalText), sep, number(T::finalPoints)});
  }
  return line;
}

}  // namespace

void CTraining::paintRequestPage(bool withNotice) {
  SORV_FRAME("CTraining.paintRequestPage(Z)V");
  Graphics* g = CGame::gfx;
  if (isNull(g)) return reportError("NullPointer");
  if (!isNull(CGame::screenBuffer)) g->drawImage(CGame::screenBuffer, 0, 0, 0);
  CGame::drawBk(text(kPassedText), CGame::isCareer ? -1 : kNextLabel, kBackLabel, nullptr);
  CGame::SetMenuGfx(g);
  CGame::resetMenuPaintPosition();
  CGame::DrawMenu(kPageMenu, false);
  String* unit = join({constant(kConstSpace), text(kPtsUnit)});
  switch (game) {
    case kGameServe: drawServeBlocks(unit); break;
    case kGamePower: drawPowerBlocks(unit); break;
    case kGameStep: drawStepBlocks(); break;
    default: drawAccuracyTitle(); break;
  }
  CGame::resetMenuPaintPosition();
  IntArray* bests = levelBest;
  int32_t best = aload(bests, level);
  if (!drawOnlyFrame) {
    best = std::max(best, finalPoints);
    astore(bests, level, best);
  }
  if (withNotice) {
    const bool beaten = jackpot <= 0 && finalPoints > previousBest;
    CGame::menuRectColour = beaten && CTennis::matchFrame % 2 == 0 ? kBlinkColour : kNoticeColour;
    CGame::DrawRectAsItem(kLineAlpha, kNoticeMenu, kNoticeBox);
    CGame::menuRectColour = 0;
    CGame::DrawStringAsItem(noticeText(best), kNoticeMenu, kNoticeText, false);
  }
  CGame::drawMenuBar(-1, kOkLabel, true);
}

int32_t CTraining::drawStyleScoreItem(int32_t x, int32_t y, String* title, int32_t lines, ObjectArray* labels,
                                      ObjectArray* values) {
  SORV_FRAME("CTraining.drawStyleScoreItem(IILjava/lang/String;I[Ljava/lang/String;[I[Ljava/lang/String;[I)I");
  const int32_t step = yOf(CGame::GetMenuItemSize(kBlockMenu, kLineBackItem));
  CGame::setMenuPaintPosition(x, y);
  CGame::DrawStringAsItem(title, kBlockMenu, kTitleItem, false);
  for (int32_t i = 0; i < lines; i++) {
    CGame::setMenuPaintPosition(x, y + i * step);
    CGame::DrawRectAsItem(kLineAlpha, kBlockMenu, kLineBackItem);
    String* line = join({static_cast<String*>(aload(labels, i)), static_cast<String*>(aload(values, i))});
    CGame::DrawStringAsItem(line, kBlockMenu, kLineItem, false);
  }
  CGame::setMenuPaintPosition(x, y + lines * step);
  CGame::DrawMenuItem(kBlockMenu, kFrameItem);
  CGame::resetMenuPaintPosition();
  return y + yOf(CGame::GetMenuItemPosition(kBlockMenu, kLineBackItem)) + (lines + 1) * step;
}

String* CTraining::formatTime(int32_t frames) {
  const int32_t seconds = frames * 1000 / 7 / 1000;
  return join({CGame::FormatString(seconds / 60, 2), StaticClass::getConstant(kConstColon),
               CGame::FormatString(seconds % 60, 2)});
}

}  // namespace sorv
