// The training's pauses: a message or the board close-up holds the level while every clock
// of the level waits, and the tutorial pages through its texts as messages.
//
// On a pause's still (CTennis::drawOnlyFrame) a paused frame only draws its message.
#include "game/cgame.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "match/cplayer.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kPaused = 2, kReload = 4;
constexpr int32_t kStart = 0, kReturnState = 1, kDuration = 2, kKind = 3;
constexpr int32_t kCloseUp = 0, kMessage = 1;
constexpr int32_t kResultMessage = 0, kQuestionMessage = 1, kTutorialPage = 2, kTutorialOver = 3, kTitleMessage = 4;
constexpr int32_t kKeyOk = 0x50020, kKeyRightSoft = 0x20000;
constexpr int32_t kPauseIcon = 39, kNextLabel = 11, kLastPageLabel = 12;
constexpr int32_t kIdle = 7;
constexpr int32_t kBufferEffect = 2;
constexpr int32_t kTexts = 3, kGoText = 63;
constexpr int32_t kTutorialFrames = 1000, kTutorialBand = 39, kTutorialBandColour = 0;
constexpr int32_t kBandClosingFrames = 5;

int32_t timer(int32_t i) { return aload(T::pauseTimer.get(), i); }

void setSoftKeys(int32_t left, int32_t right, bool frame) {
  T::leftSoftKeyText = left;
  T::rightSoftKeyText = right;
  T::softKeyFrame = frame;
}

void setPaused(CActor* actor, bool paused) {
  if (!isNull(actor)) actor->paused = paused;
}

void setBodyPaused(RigidBody* body, bool paused) {
  if (!isNull(body)) setPaused(body->actor, paused);
}

// The moving actors: the board, the barrier and the match's shared actor in Serve, the
// tanks in Power, the user's player in every game.
void setMovingActorsPaused(bool paused) {
  if (T::game == T::kGameServe) {
    setBodyPaused(T::target, paused);
    setBodyPaused(T::barrier, paused);
    setPaused(CTennis::sharedActor, paused);
  }
  if (T::game == T::kGamePower && !isNull(T::tanks)) {
    for (int32_t i = 0; i < T::kTankSlots; i++) setBodyPaused(static_cast<RigidBody*>(aload(T::tanks.get(), i)), paused);
  }
  CPlayer* p = CTennis::player;
  if (!isNull(p)) setPaused(p->animActor, paused);
}

}  // namespace

void CTraining::pause(int32_t kind, int32_t duration) {
  SORV_FRAME("CTraining.pause(II)V");
  IntArray* t = pauseTimer;
  astore(t, kStart, matchFrame);
  astore(t, kReturnState, trainingState);
  astore(t, kDuration, duration);
  astore(t, kKind, kind);
  pauseText = nullptr;
  bandClosing = true;
  CPlayer* p = player;
  if (!isNull(p)) {
    if (p->state != kIdle) p->changeState(kIdle);
    p->resetSpeed();
    p->move(0, true);
  }
  CGame::key_resetKey();
  setSoftKeys(-1, -1, false);
  freezeAllActor();
  trainingState = kPaused;
}

void CTraining::pause(String* text, int32_t duration, ASprite* messageSprite, int32_t frame, int32_t x, int32_t y,
                      int32_t messageKind) {
  SORV_FRAME("CTraining.pause(Ljava/lang/String;ILASprite;IIII)V");
  pause(kMessage, duration);
  pauseText = text;
  IntArray* box = messageBox;
  astore(box, 0, x);
  astore(box, 1, y);
  astore(box, 2, frame);
  astore(box, 3, messageKind);
  pauseSprite = messageSprite;
  bandClosing = false;
  CGame::disablePaintDirectInBuffer();
  CGame::enablePaintDirectInBuffer(kBufferEffect, 0);
}

int32_t CTraining::updatePause() {
  SORV_FRAME("CTraining.updatePause()I");
  const int32_t duration = timer(kDuration);
  if (!drawOnlyFrame && duration >= 0 && matchFrame - timer(kStart) >= duration) {
    resumeMatch();
  } else if (timer(kKind) == kCloseUp) {
    paintTargetFrame();
  } else {
    updatePauseMessage();
  }
  return kTrainingState;
}

void CTraining::resumeMatch() {
  SORV_FRAME("CTraining.resumeMatch()V");
  const int32_t paused = matchFrame - timer(kStart);
  trainingState = timer(kReturnState);
  // The pause does not count: every running clock of the level moves on by it.
  if (machineTimer != -1) machineTimer += paused;
  levelStartFrame += paused;
  if (stageStart != -1 && finishFrame == -1) stageStart += paused;
  bandClosing = true;
  if (CGame::pdbKind == kBufferEffect) CGame::closePaintDirectInBuffer();
  setSoftKeys(kPauseIcon, -1, false);
  unfreezeAllActor();
  CGame::key_resetKey();
}

void CTraining::updatePauseMessage() {
  SORV_FRAME("CTraining.updatePauseMessage()V");
  const int32_t elapsed = matchFrame - timer(kStart), duration = timer(kDuration);
  IntArray* band = messageBand;
  const bool shown = CGame::drawInfoBg(aload(messageBox.get(), 1) - (aload(band, 0) + 6) / 2, aload(band, 0) + 6,
                                       aload(band, 2), aload(band, 1), bandClosing);
  if (!isNull(pauseText) && shown && (duration < 0 || elapsed <= duration)) {
    CGame::drawInfoMessage(pauseText, false, false);
  }
  if (drawOnlyFrame) return;
  if (duration > 0 && CGame::pdbKind == kBufferEffect) {
    if (elapsed == duration - kBandClosingFrames) CGame::closePaintDirectInBuffer();
    if (elapsed == duration) CGame::disablePaintDirectInBuffer();
  }
  const int32_t pressed = CGame::keysPressed;
  switch (aload(messageBox.get(), 3)) {
    case kQuestionMessage:
      if ((pressed & kKeyOk) != 0) {
        tutorialPending = true;
        resumeMatch();
      } else if ((pressed & kKeyRightSoft) != 0) {
        tutorialPending = false;
        resumeMatch();
        trainingState = kReload;
      }
      break;
    case kTutorialPage:
      if ((pressed & kKeyOk) != 0) nextTutorialPage();
      break;
    case kTutorialOver:
      setSoftKeys(kPauseIcon, -1, false);
      resumeMatch();
      if (tutorialPending) {
        trainingState = kReload;
        tutorialPending = false;
      }
      break;
    case kTitleMessage:
      if (elapsed >= duration / 2) pauseText = CGame::GetString(kTexts, kGoText);
      break;
    default: break;
  }
}

void CTraining::startTutorial() {
  SORV_FRAME("CTraining.startTutorial()V");
  ShortArray* pages = tutorialTexts;
  const int32_t first = isNull(pages) || pages->length == 0 ? -1 : aload(pages, 0);
  pause(CGame::GetString(kTexts, first), kTutorialFrames, CGame::interfaceSprite, 0, 272, 240, kTutorialPage);
  astore(messageBand.get(), 1, kTutorialBandColour);
  tutorialPage = -1;
  nextTutorialPage();
}

void CTraining::nextTutorialPage() {
  SORV_FRAME("CTraining.nextTutorialPage()V");
  tutorialPage++;
  ShortArray* pages = tutorialTexts;
  const int32_t count = isNull(pages) ? 0 : pages->length;
  if (tutorialPage < count) {
    pauseText = CGame::GetString(kTexts, aload(pages, tutorialPage));
    astore(messageBand.get(), 0, kTutorialBand);
    setSoftKeys(tutorialPage == count - 1 ? kLastPageLabel : kNextLabel, -1, true);
  } else {
    astore(messageBox.get(), 3, kTutorialOver);
  }
}

void CTraining::freezeAllActor() { setMovingActorsPaused(true); }

void CTraining::unfreezeAllActor() { setMovingActorsPaused(false); }

}  // namespace sorv
