// One match frame: the view, the bodies, the match state, the drawing, the tutorial timer,
// the skip key, the pop-up, the cheats, the challenge overlay and the pause key, in that
// order. The logic partly runs inside the drawing (a serve is hit while its player paints,
// a call's display ends the wait between points), so there is no frame without painting.
#include "device/graphics.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kMatchState = 40, kPauseState = 42;
constexpr int32_t kSkipLabel = 17, kTutorialExitLabel = 35, kMenuIconLabel = 39, kNoLabel = -1;
constexpr int32_t kTestCheat = 6, kThunderCheat = 8, kEditorCheat = 9;
constexpr int32_t kThunderPause = 3, kEditorPause = 1;
// Cheats whose effects addPoint tests; they only need to be advanced here.
constexpr int32_t kScoringCheats[] = {3, 4, 1, 2, 7};

bool inStates(std::initializer_list<int32_t> states) {
  for (int32_t s : states) {
    if (CTennis::matchState == s) return true;
  }
  return false;
}

bool userActorFrozen() {
  CPlayer* p = CTennis::player;
  return !isNull(p) && !isNull(p->animActor) && p->animActor->paused;
}

bool pressed(int32_t mask) { return (CGame::keysPressed & mask) != 0; }

void drawScene() {
  const bool blurPast = CGame::pdbActive && CGame::pdbKind == CGame::kPdbBlur && CGame::pdbStep > 1;
  if (!blurPast) {
    CTennis::drawCourt();
    CTennis::drawAllBallKids();
  }
  CGame::drawBlurBuffer();
  CTennis::drawObjects();
  if (CTennis::rainFlag || CGame::drizzleOn) CGame::drawRain(CGame::gfx);
}

// The scene, then the overlays of the state; returns the frame's result where the state
// gives one.
int32_t drawFrame() {
  CTennis::insetShown = false;
  drawScene();
  // A pause's still: the sounds, the bar's answers, the panels' fades wait for play.
  const bool still = CTennis::drawOnlyFrame;
  int32_t result = -1;
  const int32_t state = CTennis::matchState;
  if ((state == CTennis::kStateServing || state == CTennis::kStatePlaying) && CTennis::barMode == 0) {
    CTennis::drawDeadBallInfo();
    if (!still) CTennis::playDeadBallSounds();
    if (CTennis::tutorialIndex == -1) CTennis::paintInstantReplay();
    if (state == CTennis::kStateServing && !isNull(CTennis::rewardText.get())) {
      CTennis::drawBreakPoint();
    } else {
      CTennis::drawRewardWords();
    }
  }
  // The hints rise a pixel a match frame, so a still leaves them where they stand.
  if (!still && !CGame::drawFloatHints()) MatchTrace::hintsDrawn();
  if (!still && state == CTennis::kStateServing && !isNull(CTennis::barText.get())) {
    const int32_t r = CTennis::updateBarMessage();
    if (r == 1 || r == 2) {
      CTennis::tutorialCounter = 0;
      CTennis::enterGame();
    }
  }
  if (state == CTennis::kStateContinue) CTennis::drawQueryContinue();
  if (state == CTennis::kStateMatchOver) {
    if (CTennis::unlockPage >= 0) {
      CGame::drawAchievementUnlock(1, CTennis::unlockPage);
    } else {
      CGame::drawMatchStatistic();
    }
  }
  if (!still && state == CTennis::kStateTrainingQuery) result = CTennis::updateTraining();
  CTennis::drawInterface();
  if (!still) CGame::update_InGameInterface();
  CGame::paint_InGameInterface();
  CTennis::drawServeSpeedBoards();
  const bool barOverScene = CTennis::matchState == CTennis::kStateEnter && !isNull(CTennis::barText.get());
  if (!still && (barOverScene || CTennis::barMode != 0)) CTennis::updateBarMessage();
  CTennis::drawSoftKeyBar(CTennis::matchState == CTennis::kStateContinue || CTennis::tutorialIndex != -1);
  CGame::updateBlackScreen();
  return result;
}

int32_t runTutorialTimer(int32_t result) {
  if (CTennis::tutorialIndex == -1) return result;
  if (CTennis::trainingTimerLength != 0 &&
      CTennis::matchFrame - CTennis::trainingTimerStart >= CTennis::trainingTimerLength) {
    const int32_t next = CTennis::trainingTimerNext != -1 ? CTennis::trainingTimerNext : CTennis::tutorialStep + 1;
    if (CTennis::tutorialIndex == 1 && CTennis::tutorialStep == 2 && !isNull(CTennis::player.get())) {
      CTennis::player->move(0, true);
    }
    CTennis::switchTrainingQuery(CTennis::tutorialIndex, next);
  }
  RigidBody* ball = CTennis::ball;
  if (CTennis::tutorialStep == 1 && !isNull(ball) && ball->fallMarkKind == 3) {
    CTennis::switchTrainingQuery(CTennis::tutorialIndex, 2);
    CTennis::tutorialCounter++;
  }
  if (CTennis::matchState != CTennis::kStateTrainingQuery && CTennis::rightSoftKeyText == kTutorialExitLabel &&
      pressed(CGame::kKeySoftRight)) {
    return CTennis::startFormalMatch();
  }
  return result;
}

void runSkipKey() {
  CTennis::skipRequested = false;
  if (CTennis::rightSoftKeyText != kSkipLabel || !pressed(CGame::kKeySoftRight)) return;
  if (CTennis::matchState == CTennis::kStatePlaying) {
    CTennis::initDeadBallSounds(-1, -1);
    CTennis::initDeadBallCheerSounds(-1);
  }
  CTennis::skipRequested = true;
}

void runCheats() {
  for (int32_t c : kScoringCheats) CGame::Game_updateCheat(c);
  if (CGame::Game_updateCheat(kThunderCheat)) CGame::initSPEPause(kThunderPause);
  if (CGame::Game_updateCheat(kTestCheat)) {
    for (CPlayer* p : {CTennis::player.get(), CTennis::rival.get()}) {
      if (isNull(p)) continue;
      p->resetStrikeState();
      p->move(0, true);
    }
    CTennis::setMatchState(CTennis::kStateTest);
  }
  if (CGame::Game_updateCheat(kEditorCheat)) CGame::initPause(kEditorPause);
}

}  // namespace

void CTennis::drawSoftKeyBar(bool framed) {
  // While the touch pad shows, its own button is the menu: the bar's menu icon would be a
  // second one, lying under the pad's lower left keys.
  const bool padShown = CGame::GET_CURRENT_STATE() == kMatchState && !CGame::isAllVirtualKeyDisabled();
  const int32_t left = leftSoftKeyText == kMenuIconLabel && padShown ? kNoLabel : leftSoftKeyText;
  // The bar takes the right soft key's label first.
  CGame::drawMenuBar(rightSoftKeyText, left, framed);
}

int32_t CTennis::update() {
  SORV_FRAME("CTennis.update()I");
  // A pause paints the match into its still: draw only, so the match does not move on.
  if (drawOnlyFrame) {
    drawFrame();
    return -1;
  }
  if (autoplay) autoplayKeys();
  int32_t result = -1;
  if (inStates({kStateEnter, kStateServing, kStatePlaying, kStateMatchOver, kStateTest, kStateChallenge})) {
    updateViewport();
  }
  if (userActorFrozen()) {
    updateAllScreen();
  } else if (inStates({kStateServing, kStatePlaying, kStateTest, kStateChallenge})) {
    updateAll();
  }
  CGame::updatePDB();
  MatchTrace::observe();

  switch (matchState) {
    case kStateEnter:
      if (skipRequested) {
        // The skip is spent here; left set it would end the first point's wait at once.
        skipRequested = false;
        switchToServing();
        CGame::closePaintDirectInBuffer(CGame::kPdbInfoBand);
        return -1;
      }
      break;
    case kStateServing:
      if (isNull(barText.get())) updateServing();
      break;
    case kStatePlaying:
      updatePlaying();
      break;
    case kStateMatchOver:
      updateMatchOver(&result);
      break;
    case kStateContinue:
      if (pressed(CGame::kKeySoftRight)) {
        result = 4;
      } else if (pressed(CGame::kKeySoftLeft)) {
        if (courtEnd == 2) {
          changeEnds = true;
          loadCourt();
        }
        if (!isNull(player.get())) player->serveFromLeft = true;
        initMatch(player);
        MatchTrace::begin();
      }
      break;
    case kStateTest:
      updateTest();
      break;
    case kStateTrainingQuery:
      if (tutorialStep == 3 && !isNull(practiceBall.get()) && !isNull(player.get()) && player->returnDir != -1) {
        if (practiceBall->bounceCount < 2) {
          practiceBall->update();
        } else {
          RigidBody::recording = false;
          player->returnDir = -1;
        }
      }
      break;
    case kStateChallenge:
      updateContestReferee();
      break;
    default:
      break;
  }

  const int32_t drawn = drawFrame();
  if (drawn != -1) result = drawn;
  result = runTutorialTimer(result);
  runSkipKey();
  CGame::drawAchievement();
  runCheats();
  if (matchState == kStateChallenge) paintContestReferee();
  if (pressed(CGame::kKeyMenuButton) && CGame::GET_CURRENT_STATE() != kPauseState) CGame::initPause(0);
  MatchTrace::observe();
  if (result != -1) MatchTrace::shell(result);
  return result;
}

}  // namespace sorv
