// The two pauses of a match: state 42 (the in-game menu or the attribute editor over the
// blurred still of the match) and the special pause 41 (the rain interruption and the
// thunder serve, drawn over the frozen picture between two black bars).
#include <cstdint>

#include "device/graphics.h"
#include "device/image.h"
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/util_random.h"
#include "training/ctraining.h"

namespace sorv {

int32_t CGame::pauseKind = 0;
int32_t CGame::spePauseKind = 0;
int32_t CGame::speBarHeight = 0;
bool CGame::speBarsOn = false;
bool CGame::speDrawBuffer = false;

namespace {

constexpr int32_t kMatchState = 40, kTrainingState = 44;
constexpr int32_t kMenuKind = 0, kEditorKind = 1;
constexpr int32_t kRainKind = 2, kThunderKind = 3;
constexpr int32_t kMatchMenu = 20, kTrainingMenu = 25, kCareerMatchMenu = 28;
constexpr int32_t kBlurAll = 100, kDesaturate = 50;
constexpr int32_t kBarStep = 5, kBarsOpen = 25;
constexpr int32_t kBarColour = static_cast<int32_t>(0xE5000000);
constexpr int32_t kThunderSound = 3;
constexpr int32_t kSkipLabel = 17, kNoLabel = -1;
// The match's soft-key labels while play may be paused: the menu icon, and no skip.
constexpr int32_t kMenuIconLabel = 39;
constexpr int32_t kBeforePoint = 2, kBallInPlay = 5, kAfterCall = 9;

// What the match keeps that the special pause's own effects use: the thunder's shake and the
// rain draw from the generator, the pause steps or drops the buffer fade, and the rain shows
// its own message bar and band over the match's. The match gets them back as they were when the pause
// opened.
struct MatchEffects {
  uint32_t seedLow = 0, seedHigh = 0;
  bool pdbActive = false, pdbClosing = false;
  int32_t pdbKind = 0, pdbHoldFrames = 0, pdbStartFrame = 0, pdbStep = 0, pdbLevel = 0;
  int32_t barKind = 0, barClosing = 0, barStart = 0, barDuration = 0;
  bool barShellTime = false, barOption1 = false, barOption2 = false, barOption4 = false;
  bool infoBgClosed = false;
};
MatchEffects kept;
StaticRef<String> keptBarText;  // a root of its own: kept is reset by value

// Each kept field beside the match's own, so keeping and restoring copy the same list.
template <class Copy>
void eachKeptField(Copy copy) {
  copy(kept.pdbActive, CGame::pdbActive);
  copy(kept.pdbClosing, CGame::pdbClosing);
  copy(kept.pdbKind, CGame::pdbKind);
  copy(kept.pdbHoldFrames, CGame::pdbHoldFrames);
  copy(kept.pdbStartFrame, CGame::pdbStartFrame);
  copy(kept.pdbStep, CGame::pdbStep);
  copy(kept.pdbLevel, CGame::pdbLevel);
  copy(kept.barKind, CTennis::barKind);
  copy(kept.barClosing, CTennis::barClosing);
  copy(kept.barStart, CTennis::barStart);
  copy(kept.barDuration, CTennis::barDuration);
  copy(kept.barShellTime, CTennis::barShellTime);
  copy(kept.barOption1, CTennis::barOption1);
  copy(kept.barOption2, CTennis::barOption2);
  copy(kept.barOption4, CTennis::barOption4);
  copy(kept.infoBgClosed, CGame::infoBgClosed);
}

void keepMatchEffects() {
  if (Random* r = CGame::random; !isNull(r)) {
    kept.seedLow = r->seedLow;
    kept.seedHigh = r->seedHigh;
  }
  keptBarText = CTennis::barText;
  eachKeptField([](auto& keptField, const auto& live) { keptField = live; });
}

void restoreMatchEffects() {
  if (Random* r = CGame::random; !isNull(r)) {
    r->seedLow = kept.seedLow;
    r->seedHigh = kept.seedHigh;
  }
  CTennis::barText = keptBarText;
  keptBarText = nullptr;
  eachKeptField([](const auto& keptField, auto& live) { live = keptField; });
}

void resetPauseStatics() {
  CGame::pauseKind = CGame::spePauseKind = CGame::speBarHeight = 0;
  CGame::speBarsOn = CGame::speDrawBuffer = false;
  kept = {};
  keptBarText = nullptr;
}

bool blackBarsRunning() { return CGame::blackBarsFrames > 0; }

}  // namespace

SORV_STATIC_INIT(kCGame, resetPauseStatics);

bool CGame::isInGameMenuValid() {
  const int32_t state = GET_CURRENT_STATE();
  if (state == kTrainingState) return CTraining::trainingState == 0;
  if (state != kMatchState) return false;
  const int32_t s = CTennis::matchState;
  const bool pausable = (s == kBeforePoint && !CTennis::serveFlag) || s == kBallInPlay || s == kAfterCall;
  return pausable && CTennis::leftSoftKeyText == kMenuIconLabel && CTennis::rightSoftKeyText != kSkipLabel &&
         !blackBarsRunning();
}

void CGame::initPause(int32_t kind) {
  SORV_FRAME("CGame.initPause(I)V");
  updateScreenBuffer(false);
  if (!isNull(screenBuffer)) {
    paintIGMBlurEffect(screenBuffer->getGraphics(), 0, 0, kGameWidth, kGameHeight, kBlurAll, kDesaturate);
  }
  pauseKind = kind;
  if (kind == kEditorKind) {
    prepareAnimationArrows();
    initCheat_PlayerAttr();
    return;
  }
  if (kind != kMenuKind || !isInGameMenuValid()) return;
  softLeftState = softRightState = -1;
  softKeyCounter = 0;
  igmPointerChosen = false;
  GameSound::pause();
  prepareAnimationArrows();
  setupFirstRow = 0;
  if (GET_CURRENT_STATE() == kTrainingState) {
    MenuPush(kTrainingMenu);
  } else {
    MenuPush(CTennis::careerMatch ? kCareerMatchMenu : kMatchMenu);
    initMatchStatistic();
  }
  PUSH_STATE(kPauseState);
}

void CGame::updatePause() {
  SORV_FRAME("CGame.updatePause()V");
  if (pauseKind == kEditorKind) {
    updateCheat_PlayerAttr();
  } else {
    updateIGM();
  }
}

void CGame::paintPause() {
  SORV_FRAME("CGame.paintPause()V");
  if (isNull(gfx)) return reportError("NullPointer");
  if (!isNull(screenBuffer)) gfx->drawImage(screenBuffer, 0, 0, 0);
  if (pauseKind == kEditorKind) {
    paintCheat_PlayerAttr();
  } else {
    paintIGM();
  }
}

void CGame::initSPEPause(int32_t kind) {
  SORV_FRAME("CGame.initSPEPause(I)V");
  keepMatchEffects();
  rainBufferPainted = true;
  updateScreenBuffer(false);
  PUSH_STATE(kSpecialPauseState);
  speShakeX = speShakeY = 0;
  speQuitting = false;
  speBarHeight = 0;
  speBarsOn = false;
  spePauseKind = kind;
  speDrawBuffer = true;
  if (kind == kRainKind) {
    initRainInterruption();
  } else if (kind == kThunderKind) {
    speBarsOn = true;
    thunderFrames = 0;
  }
}

void CGame::updateSPEPause() {
  SORV_FRAME("CGame.updateSPEPause()V");
  if (spePauseKind == kThunderKind && pdbActive) disablePaintDirectInBuffer();
  updatePDB();
  if (!speBarsOn || speBarHeight >= kBarsOpen) {
    if (spePauseKind == kRainKind) {
      updateRainInterruption();
    } else if (spePauseKind == kThunderKind) {
      updateThunderServe();
    } else {
      return quitSPEPause();
    }
  }
  if (speBarsOn) {
    if (!speQuitting && speBarHeight < kBarsOpen) {
      speBarHeight += kBarStep;
    } else if (speQuitting && speBarHeight >= 1) {
      speBarHeight -= kBarStep;
    }
  }
  if (!speQuitting) return;
  if (speBarsOn) {
    if (speBarHeight < 1) quitSPEPause();
  } else if (spePauseKind != kRainKind || !blackBarsRunning()) {
    quitSPEPause();
  }
}

void CGame::paintSPEPause() {
  SORV_FRAME("CGame.paintSPEPause()V");
  if (isNull(gfx)) return reportError("NullPointer");
  if (speDrawBuffer && !isNull(screenBuffer)) gfx->drawImage(screenBuffer, speShakeX, speShakeY, 0);
  if (spePauseKind == kRainKind) paintRainInterruption();
  if (speBarsOn) {
    gfx->setClip(0, 0, kGameWidth, kGameHeight);
    fillRect(gfx, kBarColour, 0, 0, kGameWidth, speBarHeight);
    fillRect(gfx, kBarColour, 0, kGameHeight - speBarHeight, kGameWidth, speBarHeight);
  }
  if (spePauseKind < kRainKind && !paintingIntoBuffer && !speQuitting) {
    drawMenuBar(kSkipLabel, kNoLabel, false);
    if ((keysPressed & kKeySoftRight) != 0) deactiveSPEPause();
  }
}

// A pause that ends twice (the rain's own end and a key) must not pop the match too.
void CGame::quitSPEPause() {
  SORV_FRAME("CGame.quitSPEPause()V");
  if (GET_CURRENT_STATE() != kSpecialPauseState) return;
  if (spePauseKind == kThunderKind) GameSound::play(kThunderSound, false);
  restoreMatchEffects();
  // The rain's cover goes with its pause: left set, the match's bars would never run again.
  screenCovered = false;
  playersShown = true;
  POP_STATE();
}

}  // namespace sorv
