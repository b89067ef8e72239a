// The training run as the shell steps it: the choice of game and level, the unlocking of
// levels, the start of a level, one frame of the run (playing, paused, result page, reload)
// and the result page's keys.
//
// A pause's still (the frame painted into the screen buffer, CTennis::drawOnlyFrame) only
// draws: no cheat, key, rule, timer, count-up, best or state moves on it.
#include <algorithm>

#include "game/cae.h"
#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "runtime/array.h"
#include "runtime/log.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kPlaying = 0, kPaused = 2, kResultPage = 3, kReload = 4;
constexpr int32_t kLoadingState = 11, kMenuState = 6, kCareerUpdateState = 26;
constexpr int32_t kPassCheat = 3, kFailCheat = 4;
constexpr int32_t kKeyRightSoft = 0x20000, kKeyFire = 0x10020, kKeyLeftSoft = 0x40000, kKeyOk = 0x50020;
constexpr int32_t kKeyMenu = 0x80000;
constexpr int32_t kPauseIcon = 39, kYesLabel = 13, kNoLabel = 14, kNextLabel = 11;
constexpr int32_t kTexts = 3;
constexpr int32_t kLevelWord = 13, kPassedText = 14, kFailedText = 24, kTutorialQuestion = 33, kRetryText = 59;
constexpr int32_t kConstLevelSpace = 97;
constexpr int32_t kTitleFrames = 40, kResultFrames = 36;
constexpr int32_t kMessageX = 272, kMessageY = 240;
constexpr int32_t kTitleMessage = 4, kQuestionMessage = 1, kResultMessage = 0;
constexpr int32_t kQuestionBand = 0x7F7F7F;
constexpr int32_t kJackpotStep = 200;
constexpr int32_t kFirstLevelAchievement = 50, kLastLevelAchievement = 51, kEveryGameAchievement = 52;
constexpr int32_t kUnlockQueue = 1;
constexpr int32_t kMachineAnim = 30;
constexpr int32_t kCareerStamina = 200;

// The interface sprite stands for the title and tutorial message sprites: kept, never drawn.
ASprite* messageSprite() { return CGame::interfaceSprite; }

CPlayer* user() { return CTennis::player; }

void setSoftKeys(int32_t left, int32_t right, bool frame) {
  T::leftSoftKeyText = left;
  T::rightSoftKeyText = right;
  T::softKeyFrame = frame;
}

String* levelTitle() {
  StringBuffer* title = StringBuffer::create(16);
  StringBuffer::appendString(title, CGame::GetString(kTexts, kLevelWord));
  StringBuffer::appendString(title, StaticClass::getConstant(kConstLevelSpace));
  StringBuffer::appendInt(title, T::level + 1);
  return title->toString();
}

void saveProgress() {
  if (!CGame::RMS(true, CGame::kFirstTrainingRecord + T::game)) {
    Debug::trace("training: progress of game %d not saved", T::game);
  }
}

// Whether the achievement unlock page is up on the result page (it opens in career only).
bool unlockPageOpen = false;

int32_t leaveToMenus(bool passed) {
  CGame::initLoad(kMenuState);
  if (passed) T::openNextLevel();
  saveProgress();
  T::unload();
  return kLoadingState;
}

int32_t careerKeys() {
  if (!unlockPageOpen && !CAE::IsQueueEmpty(kUnlockQueue, CAE::kKindAchievement)) {
    CGame::initAchievementUnlock(kUnlockQueue, CAE::kKindAchievement);
    unlockPageOpen = true;
    setSoftKeys(kNextLabel, -1, false);
    return T::kTrainingState;
  }
  if (T::levelResult == 0) {
    T::openNextLevel();
    CGame::UpdateCareerAbilityLv(T::game, T::level);
  }
  CGame::switch2CareerUpdate(true);
  CGame::reduceStamina(kCareerStamina);
  T::unload();
  return kCareerUpdateState;
}

int32_t freePlayKeys(int32_t pressed) {
  const bool passed = T::levelResult == 0;
  if ((pressed & kKeyRightSoft) != 0) return leaveToMenus(passed);
  const bool next = (pressed & kKeyFire) != 0 || ((pressed & kKeyLeftSoft) != 0 && !unlockPageOpen);
  if (!next) return T::kTrainingState;
  if (!passed) {
    T::selectLevel(T::level);
    saveProgress();
    return T::kTrainingLoadState;
  }
  if (T::level >= T::levelCount - 1) {
    // The last level passed completes the game, whichever key leaves the page.
    T::openNextLevel();
    CGame::initLoad(kMenuState);
    T::unload();
    saveProgress();
    return kLoadingState;
  }
  T::openNextLevel();
  T::selectLevel(static_cast<int8_t>(T::level + 1));
  saveProgress();
  return T::kTrainingLoadState;
}

bool everyOtherGameComplete() {
  for (int32_t g = 0; g < T::kGameCount; g++) {
    if (g != T::game && aload(T::unlockedLevels.get(), g) != T::kLevelCount) return false;
  }
  return true;
}

// The first frame after the result message: the page opens with its count-up.
int32_t openResultPage() {
  CPlayer* p = user();
  if (!isNull(p)) {
    p->onDeadBall(-1, 0);
    p->resetPlayer();
  }
  CGame::key_resetKey();
  T::levelEndFrame = CTennis::matchFrame;
  T::trainingState = kResultPage;
  unlockPageOpen = false;
  T::finalPoints = T::settledScore();
  // Only Serve and Power count their total up; the others show it at once.
  T::jackpot = T::game <= T::kGamePower ? T::finalPoints : 0;
  T::jackpotStep = kJackpotStep;
  T::previousBest = aload(T::levelBest.get(), T::level);
  Debug::trace("training: game %d level %d %s at frame %d, %d points", T::game, T::level,
               T::levelResult == 0 ? "passed" : "failed", T::levelEndFrame, T::finalPoints);
  if (T::levelResult != 0) return T::kTrainingState;
  CAE::CheckAchi(kFirstLevelAchievement, T::level == 0);
  CAE::CheckAchi(kLastLevelAchievement, T::level == T::kLevelCount - 1);
  if (!CGame::isCareer) T::readOtherUnlockedLevels();
  CAE::CheckAchi(kEveryGameAchievement, everyOtherGameComplete() && T::level >= T::kLevelCount - 1);
  CAE::saveAchievement();
  return T::kTrainingState;
}

void stepRules() {
  switch (T::game) {
    case T::kGameServe: return T::updateTraining_Serve();
    case T::kGamePower: return T::updateTraining_Power();
    case T::kGameStep: return T::updateTraining_Step();
    default: return T::updateTraining_Accuracy();
  }
}

int32_t playingFrame(bool still) {
  if (still || !CGame::infoBgClosed) return T::kTrainingState;
  if (T::tutorialPending) {
    setSoftKeys(kNextLabel, -1, true);
    T::startTutorial();
    return T::kTrainingState;
  }
  if (T::levelResult != -1) return openResultPage();
  if (CTennis::autoplay) T::autoplayKeys();
  CTennis::updateViewport();
  CTennis::updateAll();
  stepRules();
  if (T::levelResult != -1) {
    T::pause(CGame::GetString(kTexts, T::levelResult == 0 ? kPassedText : kFailedText), kResultFrames, messageSprite(),
             0, kMessageX, kMessageY, kResultMessage);
    if (!isNull(user())) user()->resetPlayer();
    CGame::key_resetKey();
    CGame::updateScreenBuffer(false);
  }
  if ((CGame::keysPressed & kKeyMenu) != 0) CGame::initPause(0);
  return T::kTrainingState;
}

void drawResultPage() {
  Graphics* g = CGame::gfx;
  if (!isNull(g) && !isNull(CGame::screenBuffer)) g->drawImage(CGame::screenBuffer, 0, 0, 0);
  if (T::levelResult != 0) {
    CGame::drawBk(CGame::GetString(kTexts, kFailedText), -1, kNextLabel, CGame::GetString(kTexts, kRetryText));
  } else if (unlockPageOpen) {
    CGame::drawAchievementUnlock(kUnlockQueue, CAE::kKindAchievement);
  } else {
    T::paintRequestPage(true);
  }
}

bool softKeyBarShown() {
  const int32_t s = T::trainingState;
  if (s == kResultPage && !unlockPageOpen) return false;
  if (T::leftSoftKeyText != kPauseIcon) return true;
  // While the touch pad shows, its own button is the menu: the icon would be a second one,
  // lying under the pad's lower left keys.
  if (!CGame::isAllVirtualKeyDisabled()) return false;
  return (s == kPlaying || s == kReload) && CGame::infoBgClosed && T::levelResult == -1 && T::levelStarted;
}

// The game's own table is there only when its level record passed the checks.
bool levelBuilt() {
  if (isNull(CTennis::player)) return false;
  switch (T::game) {
    case T::kGameServe: return !isNull(T::targetRows);
    case T::kGamePower: return !isNull(T::tankLanes);
    case T::kGameStep: return !isNull(T::stageRows);
    default: return !isNull(T::checkPointRows);
  }
}

}  // namespace

void CTraining::selectGame(int8_t g) {
  SORV_FRAME("CTraining.selectGame(B)V");
  // Only the five games have records and unlocked levels: anything else would read the
  // set-up record as progress and index past the table.
  if (g < 0 || g >= kGameCount) {
    Debug::trace("training: game %d is not one of the %d games; ignored", g, kGameCount);
    return;
  }
  game = g;
  levelCount = kLevelCount;
  if (!CGame::isCareer) {
    levelBest = Array::newIntArray(kLevelCount);
    if (CGame::hasRecord(CGame::kFirstTrainingRecord + game)) CGame::RMS(false, CGame::kFirstTrainingRecord + game);
  }
  unlockedLevel = static_cast<int8_t>(std::clamp<int32_t>(aload(unlockedLevels.get(), game), 0, kLevelCount));
  CGame::closeInfoBg();
}

void CTraining::selectLevel(int8_t l) {
  SORV_FRAME("CTraining.selectLevel(B)V");
  const int32_t highest = std::min<int32_t>(unlockedLevel, levelCount - 1);
  level = static_cast<int8_t>(std::max<int32_t>(0, std::min<int32_t>(l, highest)));
  tutorialPending = false;
  if (level == 0) askTutorial = true;
}

void CTraining::openNextLevel() {
  SORV_FRAME("CTraining.openNextLevel()V");
  if (unlockedLevel < levelCount && unlockedLevel == level) unlockedLevel++;
  astore(unlockedLevels.get(), game, unlockedLevel);
}

void CTraining::switchToTrainning() {
  SORV_FRAME("CTraining.switchToTrainning()V");
  trainingState = kPlaying;
  // The soft keys are set after the pause, which clears them: the question's yes and no
  // would otherwise never show nor take a touch.
  if (level != 0 || !askTutorial) {
    pause(levelTitle(), kTitleFrames, messageSprite(), 0, kMessageX, kMessageY, kTitleMessage);
    setSoftKeys(kPauseIcon, -1, false);
    if (level != 0) newLevel(game, level);
    levelStarted = true;
  } else {
    askTutorial = false;
    pause(CGame::GetString(kTexts, kTutorialQuestion), -1, messageSprite(), 0, kMessageX, kMessageY, kQuestionMessage);
    setSoftKeys(kYesLabel, kNoLabel, true);
    astore(messageBand.get(), 1, kQuestionBand);
    newLevel(game, 0);
  }
  // A level that broke its rules built nothing: it is not played.
  if (!levelBuilt()) {
    Debug::trace("training: game %d level %d could not be built; back to the menus", game, level);
    trainingState = -1;
    unload();
    CGame::initLoad(kMenuState);
    CGame::SWITCH_STATE(kLoadingState);
    return;
  }
  hitFxActor = CGame::newActor();
  CGame::p_lock(hitFxActor);
  hitFxX = hitFxY = -1;
  if (!isNull(machineParams) && !isNull(sprite)) {
    CActor* machine = CActor::create(sprite, kMachineAnim, -1);
    const int32_t frames = aload(sprite->animAFrameCount, kMachineAnim);
    machine->SetCurrentFrame(std::max(0, frames - 1), false);
    machine->timer = 0;
    machine->ended = false;
    machineActor = machine;
  }
}

int32_t CTraining::update() {
  SORV_FRAME("CTraining.update()I");
  const bool still = drawOnlyFrame;
  const bool bandWasClosed = CGame::infoBgClosed;
  int32_t next = kTrainingState;
  if (!still) {
    // Both sequences see this frame's keys: the buffer refresh of one clears them, which
    // would leave the other one key short of firing on the next level's moves.
    const bool pass = CGame::Game_updateCheat(kPassCheat);
    const bool fail = CGame::Game_updateCheat(kFailCheat);
    if (pass) {
      CGame::updateScreenBuffer(false);
      levelResult = 0;
    }
    if (fail) {
      CGame::updateScreenBuffer(false);
      levelResult = 1;
    }
    CGame::updatePDB();
  }
  switch (trainingState) {
    case kPlaying: next = playingFrame(still); break;
    case kPaused:
      paint();
      next = updatePause();
      break;
    case kResultPage:
      drawResultPage();
      if (!still) next = updateResultKeys();
      break;
    case kReload:
      if (!still && CGame::infoBgClosed && Loading() == -1) {
        switchToTrainning();
        // A level that could not be built has already left for the loading screen.
        if (trainingState == -1) return CGame::GET_CURRENT_STATE();
      }
      break;
    default: break;
  }
  if (trainingState == kPlaying || trainingState == kReload) {
    paint();
    CActor* fx = hitFxActor;
    if (!isNull(fx) && !isNull(fx->sprite) && !fx->ended) fx->update(CGame::gfx, hitFxX, hitFxY);
    CGame::drawFloatHints();
  }
  if (!CGame::infoBgClosed && trainingState != kPaused) {
    CGame::drawInfoBg(aload(messageBox.get(), 1) - aload(messageBand.get(), 0) / 2, aload(messageBand.get(), 0),
                      aload(messageBand.get(), 2), aload(messageBand.get(), 1), bandClosing);
  }
  CGame::drawAchievement();
  if (softKeyBarShown()) CGame::drawMenuBar(rightSoftKeyText, leftSoftKeyText, softKeyFrame);
  if (still) CGame::infoBgClosed = bandWasClosed;
  return next;
}

int32_t CTraining::updateResultKeys() {
  const int32_t pressed = CGame::keysPressed;
  if (CGame::isCareer) return (pressed & kKeyOk) != 0 ? careerKeys() : kTrainingState;
  return freePlayKeys(pressed);
}

int32_t CTraining::settledScore() {
  const int32_t pts = getFinalPts();
  switch (game) {
    case kGameAccuracy:
    case kGameNetAccuracy: return std::max(pts, 0);
    case kGameStep: return 120000 - (stepTime + wrongTouches * 3 * 7000 / 1000);
    default: return pts;
  }
}

void CTraining::readOtherUnlockedLevels() {
  const int8_t current = game;
  IntArray* bests = levelBest;
  for (int32_t g = 0; g < kGameCount; g++) {
    if (g == current || !CGame::hasRecord(CGame::kFirstTrainingRecord + g)) continue;
    // The record loads into the current game's tables: bests go to scratch, byte 10 stays.
    game = static_cast<int8_t>(g);
    levelBest = Array::newIntArray(kLevelCount);
    CGame::RMS(false, CGame::kFirstTrainingRecord + g);
  }
  game = current;
  levelBest = bests;
}

}  // namespace sorv
