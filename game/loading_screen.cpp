// The loading screen (state 11): one loader step a frame behind a seven-segment bar and a
// hint, the switch to the target one frame after the loader first reports the end; and the
// boot screens' spinner.
#include <algorithm>

#include "device/graphics.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "training/ctraining.h"

namespace sorv {

int32_t CGame::loadingTarget = 0;
int32_t CGame::loadingHint = 0;
bool CGame::loadingShown = false;

namespace {

constexpr int32_t kLoadingState = 11;
constexpr int32_t kSpinnerMenu = 0;
constexpr int32_t kSpinnerItem = 2;
constexpr int32_t kMatchTarget = 40, kTrainingTarget = 44, kCareerUpdateState = 26;
constexpr int32_t kTitleMusic = 0;
constexpr int32_t kLoadingMenu = 7, kCaptionItem = 9, kHintItem = 10, kFullSegmentItem = 12, kFirstSegmentItem = 13;
constexpr int32_t kSegments = 7, kSegmentUnits = 14;
constexpr int32_t kMatchCaption = 98, kMenuCaption = 29;
constexpr int32_t kTournamentKind = 5;
constexpr int32_t kMatchHints = 25, kTournamentHints = 72, kMenuHints = 187;
constexpr int32_t kMatchHintLast = 4, kTournamentHintLast = 11, kMenuHintLast = 5;
constexpr int32_t kHintStep = 1, kCaptionStep = 3, kMenuBarStep = 2;
constexpr int32_t kTrainingTexts = 3, kLevelWord = 13, kConstLevelSpace = 97;

int32_t loaderStep() {
  switch (CGame::loadingTarget) {
    case kMatchTarget: return CTennis::Loading();
    // The training loader is not asked again once it has finished.
    case kTrainingTarget: return CGame::loadingDone ? -1 : CTraining::Loading();
    default: return CGame::loadMenuRes();
  }
}

void finishLoading() {
  const int32_t target = CGame::loadingTarget;
  if (target == kMatchTarget || target == kTrainingTarget) {
    CGame::loadingSprite = nullptr;
    CGame::loadingButtonsSprite = nullptr;
  }
  CGame::SWITCH_STATE(target);
  if (target == kTrainingTarget) CTraining::switchToTrainning();
  if (CGame::GET_CURRENT_STATE() == kCareerUpdateState) GameSound::play(kTitleMusic, true);
  CGame::setMiniFontLineSpace(1);
}

// Training names its level once its texts are in: the caption, and "Level n" as the hint.
String* trainingHint() {
  if (CGame::GetStringCount(kTrainingTexts) == 0) return nullptr;
  CGame::DrawStringAsItem(CGame::GetString(0, kMenuCaption), kLoadingMenu, kCaptionItem, false);
  StringBuffer* hint = StringBuffer::create(16);
  StringBuffer::appendString(hint, CGame::GetString(kTrainingTexts, kLevelWord));
  StringBuffer::appendString(hint, StaticClass::getConstant(kConstLevelSpace));
  StringBuffer::appendInt(hint, CTraining::level + 1);
  return hint->toString();
}

String* hintText(int32_t step) {
  const int32_t target = CGame::loadingTarget;
  if (target == kMatchTarget) {
    const bool tournament = CTennis::matchKind == kTournamentKind;
    if (step == kHintStep) CGame::loadingHint = CGame::RAND(0, tournament ? kTournamentHintLast : kMatchHintLast);
    if (step < kCaptionStep) return nullptr;
    CGame::DrawStringAsItem(CGame::GetString(0, kMatchCaption), kLoadingMenu, kCaptionItem, false);
    return CGame::GetString(1, CGame::loadingHint + (tournament ? kTournamentHints : kMatchHints));
  }
  if (target == kTrainingTarget) return trainingHint();
  if (step == kHintStep) CGame::loadingHint = CGame::RAND(0, kMenuHintLast);
  if (step < kCaptionStep) return nullptr;
  CGame::DrawStringAsItem(CGame::GetString(0, kMenuCaption), kLoadingMenu, kCaptionItem, false);
  return CGame::GetString(2, kMenuHints + CGame::loadingHint);
}

}  // namespace

void CGame::initLoad(int32_t target) {
  SORV_FRAME("CGame.initLoad(I)V");
  GameSound::stopAll();
  loadingStep = 0;
  if (target >= 0) {
    loadingTarget = target;
    SWITCH_STATE(kLoadingState);
    setMiniFontLineSpace(2);
  }
  freeMemory();
}

void CGame::updateLoading() {
  SORV_FRAME("CGame.updateLoading()V");
  const int32_t p = loaderStep();
  if (p != -1) {
    loadingProgress = std::clamp(p, 0, 100);
    return;
  }
  if (loadingDone) finishLoading();
  loadingDone = true;
}

void CGame::paintLoading() {
  SORV_FRAME("CGame.paintLoading()V");
  if (isNull(loadingSprite)) return;
  loadingShown = true;
  drawInterfaceBk(nullptr, -1, -1);
  DrawMenu(kLoadingMenu, false);
  const int32_t step = loadingStep;
  String* hint = hintText(step);
  // The training's loader keeps its own step: its hint shows as soon as it exists.
  if ((step >= kCaptionStep || loadingTarget == kTrainingTarget) && !isNull(hint)) drawLoadingHint(hint, false);
  const bool gameTarget = loadingTarget == kMatchTarget || loadingTarget == kTrainingTarget;
  if (gameTarget || step >= kMenuBarStep) drawLoadingAniBar(loadingProgress);
}

void CGame::drawLoadingAniBar(int32_t progress) {
  SORV_FRAME("CGame.drawLoadingAniBar(I)V");
  const int32_t full = std::max(progress, 0) / kSegmentUnits;
  const int32_t fullFrame = GetMenuItemFrameID(kLoadingMenu, kFullSegmentItem);
  for (int32_t i = 0; i < kSegments; i++) {
    DrawFrameAsItem(i < full ? fullFrame : -1, -1, kLoadingMenu, kFirstSegmentItem + i, false);
  }
  // From 98 on every segment is full: a partial one would be an eighth, past the items.
  if (full >= kSegments || progress <= 0) return;
  const int32_t item = kFirstSegmentItem + full;
  const int32_t x = static_cast<int16_t>(GetMenuItemPosition(kLoadingMenu, item)) + menuPaintX;
  Graphics* g = GetMenuGfx();
  if (isNull(g)) return;
  SetClip(g, x, 0, progress % kSegmentUnits, kGameHeight);
  DrawFrameAsItem(fullFrame, -1, kLoadingMenu, item, false);
  SetClip(g, 0, 0, kGameWidth, kGameHeight);
}

// The flag does not change the picture.
void CGame::drawLoadingHint(String* text, bool) {
  SORV_FRAME("CGame.drawLoadingHint(Ljava/lang/String;Z)V");
  DrawStringAsItem(text, kLoadingMenu, kHintItem, false);
}

// The spinner is the same whatever the colour, place, size or progress.
void CGame::drawLoadingBar(int32_t, int32_t, int32_t, int32_t, int32_t) {
  SORV_FRAME("CGame.drawLoadingBar(IIIII)V");
  DrawAnimationAsItem(-1, -1, -1, kSpinnerMenu, kSpinnerItem, false);
}

}  // namespace sorv
