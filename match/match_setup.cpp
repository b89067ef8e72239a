// The match flow's statics, the entry into play, the bodies' update, the soft-key labels,
// the step timers and the tutorial hooks.
#include <cstdlib>
#include <string>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"

namespace sorv {

// Their start values are set by clinitFlow below.
int32_t CTennis::barMode;
int32_t CTennis::stageFrame;
int32_t CTennis::unlockPage;
bool CTennis::skipRequested;
int32_t CTennis::playerPendingAction;
int32_t CTennis::rivalPendingAction;
int32_t CTennis::hitEffectFrame;
int32_t CTennis::serveCounter;
bool CTennis::strokeEffectFlag;
bool CTennis::rainFlag;
StaticRef<CActor> CTennis::hitEffectActor;
StaticRef<ASprite> CTennis::effectsSprite;
StaticRef<String> CTennis::barText;
int32_t CTennis::barKind;
int32_t CTennis::barClosing;
bool CTennis::barShellTime;
bool CTennis::barLock;
int32_t CTennis::stepTimerStart;
bool CTennis::timerSkip;
int32_t CTennis::trainingTimerStart;
int32_t CTennis::trainingTimerLength;
int32_t CTennis::trainingTimerNext;
int32_t CTennis::tutorialCounter;
int32_t CTennis::trainingStrokes;
StaticRef<ObjectArray> CTennis::trainingTextIds;
bool CTennis::autoplay;
bool CTennis::autoplayPagesToScript;

namespace {

constexpr int32_t kTutorialKinds = 5, kTutorialSteps = 8;
// Pack 1 text of each tutorial's step; -1 where the step shows nothing.
constexpr int32_t kTrainingTexts[kTutorialKinds][kTutorialSteps] = {
    {34, -1, -1, -1, -1, -1, 55, 56},
    {40, 41, 42, 43, 45, 44, 55, 56},
    {46, 35, 36, 47, 38, 48, 55, 56},
    {49, 35, 36, 50, 38, 51, 55, 56},
    {52, 35, 36, 53, 38, 54, 55, 56},
};
constexpr int32_t kMenuIconLabel = 39, kSkipLabel = 17, kTutorialExitLabel = 35;
constexpr int32_t kBackLabel = 11, kQuitTutorialLabel = 15, kYesLabel = 13, kNoLabel = 14;
constexpr int32_t kTutorialBarFrames = 28, kLongTutorial = 1;

bool envOn(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' && std::string(v) != "0";
}

}  // namespace

void CTennis::clinitFlow() {
  barMode = stageFrame = 0;
  unlockPage = -1;
  skipRequested = false;
  playerPendingAction = rivalPendingAction = -1;
  hitEffectFrame = serveCounter = 0;
  strokeEffectFlag = rainFlag = false;
  barKind = barClosing = 0;
  barShellTime = barLock = false;
  stepTimerStart = 0;
  timerSkip = false;
  trainingTimerStart = trainingTimerLength = 0;
  trainingTimerNext = -1;
  tutorialCounter = trainingStrokes = 0;
  trainingTextIds = Array::newObjectArray(kIntArray, kTutorialKinds);
  for (int32_t k = 0; k < kTutorialKinds; k++) {
    IntArray* row = Array::newIntArray(kTutorialSteps);
    for (int32_t s = 0; !isNull(row) && s < kTutorialSteps; s++) row->elements()[s] = kTrainingTexts[k][s];
    astore(trainingTextIds.get(), k, row);
  }
  autoplay = envOn("SORV_AUTOPLAY");
  const char* mode = std::getenv("SORV_AUTOPLAY");
  autoplayPagesToScript = autoplay && std::string(mode) == "play";
}

SORV_STATIC_INIT(kCTennis, CTennis::clinitFlow);

void CTennis::enterGame() {
  SORV_FRAME("CTennis.enterGame()V");
  unfreezeAllActor();
  setMenuIGM();
  stageFrame = matchFrame;
  serveCounter = 0;
  barText = nullptr;
  barStart = barDuration = 0;
  barLock = false;
  CGame::disablePaintDirectInBuffer();
}

void CTennis::updateAll() {
  SORV_FRAME("CTennis.updateAll()V");
  ObjectArray* list = objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    // A body's update may take another out of the list: read each slot afresh.
    RigidBody* body = static_cast<RigidBody*>(list->elements()[i]);
    if (!isNull(body)) body->update();
  }
}

void CTennis::setMenuIGM() {
  leftSoftKeyText = kMenuIconLabel;
  rightSoftKeyText = tutorialIndex == -1 ? -1 : kTutorialExitLabel;
}

void CTennis::setMenuSkip() {
  leftSoftKeyText = -1;
  rightSoftKeyText = tutorialIndex == -1 ? kSkipLabel : kTutorialExitLabel;
}

void CTennis::startBlackBars(int32_t frames) { CGame::initBlackScreen(frames, false); }

bool CTennis::blackBarsRunning() { return CGame::blackBarsFrames != 0; }

void CTennis::resetTimer() { stepTimerStart = matchFrame; }

bool CTennis::checkTimer(int32_t frames) { return matchFrame - stepTimerStart > frames || timerSkip; }

void CTennis::setTrainingTimer(int32_t length, int32_t next) {
  trainingTimerStart = length != 0 ? matchFrame : 0;
  trainingTimerLength = length;
  trainingTimerNext = next;
}

bool CTennis::trainingTimerRunning() { return trainingTimerLength != 0; }

void CTennis::initTrainingStep(int32_t tutorial, int32_t step) {
  SORV_FRAME("CTennis.initTrainingStep(II)V");
  if (tutorial == -1) tutorial = tutorialIndex;
  int32_t duration = 0;
  const bool queryStep = tutorial == 0 || step == 6 || step == 7;
  if (tutorial != 0 && step == 5) {
    rightSoftKeyText = kQuitTutorialLabel;
    leftSoftKeyText = kBackLabel;
  } else if (!queryStep) {
    rightSoftKeyText = kTutorialExitLabel;
    leftSoftKeyText = kBackLabel;
    if (step != 3) duration = kTutorialBarFrames;
  }
  if (queryStep) {
    leftSoftKeyText = tutorial == 0 ? kYesLabel : -1;
    rightSoftKeyText = tutorial == 0 ? kNoLabel : kQuitTutorialLabel;
  }
  if (step == 1 && !(tutorial != 0 && step == 5)) trainingStrokes = 0;
  // A tutorial or step outside the table shows no text rather than reading past it.
  int32_t text = -1;
  if (tutorial >= 0 && tutorial < kTutorialKinds && step >= 0 && step < kTutorialSteps) {
    text = aload(static_cast<IntArray*>(aload(trainingTextIds.get(), tutorial)), step);
  }
  initBarMessage(text >= 0 ? CGame::GetString(1, text) : nullptr, 0, duration, false, false, true, true);
  tutorialIndex = tutorialKind = tutorial;
  tutorialStep = step;
  setTrainingTimer(0, -1);
}

void CTennis::trainingQueryToTraining(int32_t state) {
  SORV_FRAME("CTennis.trainingQueryToTraining(I)V");
  unfreezeAllActor();
  setMenuIGM();
  setMatchState(state);
  if (state == kStateServing && tutorialIndex == kLongTutorial && tutorialStep == 1) setTrainingTimer(14, 2);
}

void CTennis::switchTrainingQuery(int32_t tutorial, int32_t step) {
  SORV_FRAME("CTennis.switchTrainingQuery(II)V");
  initTrainingStep(tutorial, step);
  freezeAllActor();
  setMatchState(kStateTrainingQuery);
}

int32_t CTennis::getQueryMessageYesKey() {
  const int32_t t = getTutMiniStep();
  if (tutorialIndex == 0) return kKeyOk;
  const bool barUp = !isNull(barText.get());
  if ((t >= 0 && t <= 7) || barLock || (matchState == kStateEnter && barUp)) return 0;
  return t == -1 ? kKeyOk : kKeyAllButRightSoft;
}

bool CTennis::isWillShowPreServeAction() {
  SORV_FRAME("CTennis.isWillShowPreServeAction()Z");
  // The scene is played with the ball at rest whether or not one is due.
  if (!isNull(ball.get())) ball->vx = ball->vy = ball->vz = 0;
  if (CPlayer* r = rival; !isNull(r) && r->preServeAction) return true;
  if (!isDoubles) return false;
  CPlayer* mate = rivalPartner;
  return (!isNull(mate) && mate->preServeAction) || partnerCelebration != 0;
}

}  // namespace sorv
