// The match states' own work: serving, the test state, the start of a point, the match-over
// pages, the message bar and the tutorial's queries.
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kScorePanelFrames = 42;
constexpr int32_t kSoundMatchWon = 1, kSoundPlayersReady = 14, kSoundApplause = 20;
constexpr int32_t kBackLabel = 11, kYesLabel = 13, kNoLabel = 14, kTutorialExitLabel = 35;
constexpr int32_t kTournamentTable = 55, kMenus = 4;
constexpr int32_t kBarHeight = 60, kBarWhite = 0xFFFFFF, kBarClosingColour = 0x331FB7;
constexpr int32_t kBarOpeningColour = 0x4CB6D8;
constexpr int32_t kDigitKeys = 0x3FE, kDigitZero = 0x1, kDigitsSevenToNine = 0x380;
constexpr int32_t kLongTutorial = 1, kPracticeStrokes = 10, kPracticeBallHeight = 1000;
// The kinds that give a stroke its speed run to 5; the practice's stroke is the nearest reach
// and the ordinary type.
constexpr int32_t kLastSpeedKind = 5, kPracticeStrokeKind = 1, kPracticeStrokeType = 3;

bool pressed(int32_t mask) { return (CGame::keysPressed & mask) != 0; }

// The interface's score panel stands for its frames from now, then fades.
void showScorePanel() {
  CGame::matchScoreShown = true;
  CGame::matchScoreStart = CTennis::matchFrame;
  CGame::matchScoreDuration = kScorePanelFrames;
  CGame::matchScoreFade = -1;
}

// The stroke key of the practice: 1..9, the digit 0 only in tutorial 4, 7..9 not in 3.
int32_t practiceKey() {
  for (int32_t d = 0; d <= 9; d++) {
    if (!pressed(1 << d)) continue;
    if (d == 0 && CTennis::tutorialIndex != 4) continue;
    if (d >= 7 && CTennis::tutorialIndex == 3) continue;
    return d;
  }
  return -1;
}

// The practice swing's best timing frame: the middle of the player's animation in the long
// tutorial, else the last row of the stroke table as a real stroke has it.
int32_t practiceTiming(CPlayer* user) {
  if (CTennis::tutorialIndex == kLongTutorial) {
    CActor* a = user->animActor;
    ASprite* sprite = isNull(a) ? nullptr : a->sprite;
    const bool known = !isNull(sprite) && !isNull(sprite->animAFrameCount) && sprite->animAFrameCount->inBounds(a->animation);
    return (known ? sprite->GetAFrames(a->animation) : 0) / 2 - 1;
  }
  ObjectArray* table = CPlayer::swingTable1;
  return (isNull(table) ? 0 : table->length) - 1;
}

void practiceStroke(int32_t dir) {
  CTennis::trainingStrokes++;
  CPlayer* user = CTennis::player;
  if (isNull(user)) return;
  if (isNull(CTennis::practiceBall.get())) {
    CTennis::practiceBall = RigidBody::create(CGame::matchObject, RigidBody::kTypeBall);
  }
  user->setReturnBallDir(dir);
  RigidBody* ball = CTennis::practiceBall;
  if (isNull(ball)) return;
  ball->setX(user->x);
  ball->setZ(user->z);
  ball->setY(kPracticeBallHeight);
  // A practice swing is timed at its best.
  user->p0 = user->p1 = user->p2 = practiceTiming(user);
  // The long tutorial practises the serve, the others strokes: a player that has struck no
  // ball yet would give it no speed at all, so it practises a ground stroke within reach.
  if (CTennis::tutorialIndex != kLongTutorial && (user->strokeKind < 1 || user->strokeKind > kLastSpeedKind)) {
    user->strokeKind = kPracticeStrokeKind;
    user->strokeType = kPracticeStrokeType;
  }
  user->setBallRoute(ball);
  RigidBody::startRecord();
}

}  // namespace

void CTennis::updateServing() {
  SORV_FRAME("CTennis.updateServing()V");
  if (changeEnds || !isNull(rewardText.get())) return;
  CPlayer* user = player;
  if (isNull(user) || autoplay) return;
  if (strikeSide && server.get() == user) {
    a_updateServing();
  } else {
    user->move(getMoveChoice(), false);
  }
}

void CTennis::updateTest() {
  SORV_FRAME("CTennis.updateTest()V");
  if (pressed(kKeyHash)) {
    CPlayer* next = server.get() == player.get() ? rival.get() : player.get();
    server = next;
    if (!isNull(next)) strikeSide = next->userTeamSide;
    startPoint();
    setMatchState(kStateTest);
  } else if (pressed(kKeyStar)) {
    initMatch(player);
  } else if (!isNull(server.get())) {
    int32_t dir = getMoveChoice();
    if (!server->userTeamSide) dir = CGame::invertMoveDir(dir);
    server->move(dir, false);
  }
}

void CTennis::startPoint() {
  SORV_FRAME("CTennis.startPoint()V");
  CGame::closeInfoBg();
  CGame::key_resetKey();
  barMode = 0;
  lastPointResult = 0;
  serveTurn = serveTurn == 0 ? 2 : serveTurn - 1;
  afterPointStage = 0;
  rallyStrokes = 0;
  hitEffectFrame = 0;
  serveCounter = 0;
  partnerCelebration = 0;
  strokeEffectFlag = false;
  if (RigidBody* b = ball; !isNull(b)) {
    b->vx = b->vy = b->vz = 0;
    b->clearTail();
    RigidBody::stopRecord();
    b->setX(-10);
  }
  resetView();
  CPlayer* s = server;
  CPlayer* receiver = isNull(s) ? nullptr : getRivalPlayer(s);
  if (tutorialIndex != -1 && !isNull(s) && s->type == RigidBody::kTypeComputer) {
    s->startTrainingThrowBall();
    if (!isNull(receiver)) receiver->trainingPrepareReceiveBall();
  } else {
    checkPoint();
    const bool half = !isNull(s) && s->serveFromLeft;
    if (!isNull(s)) s->prepareServe(half, 0);
    if (!isNull(receiver)) receiver->prepareToReceiveServe(half, 0);
    showScorePanel();
    if (isDoubles) {
      if (CPlayer* p = getPalPlayer(s); !isNull(p)) p->prepareServe(half, 1);
      if (CPlayer* p = getPalPlayer(receiver); !isNull(p)) p->prepareToReceiveServe(half, 1);
    }
    stageFrame = matchFrame;
  }
  setMatchState(kStateServing);
  MatchTrace::pointStarted();
  // The break-point box starts its own count on the message timer.
  if (!isNull(rewardText.get())) deadBallTimer = 0;
  setMenuIGM();
  // The call for the players only after a stroke: never over the walk-on's applause.
  if (matchStrokes > 0 && GameSound::isPlaying(kSoundApplause)) GameSound::play(kSoundPlayersReady, false);
}

void CTennis::switchToMatchOver() {
  SORV_FRAME("CTennis.switchToMatchOver()V");
  leftSoftKeyText = kBackLabel;
  rightSoftKeyText = -1;
  resetView();
  setMatchState(kStateMatchOver);
  GameSound::stopAll();
  if (sets(0) > sets(1)) GameSound::play(kSoundMatchWon, false);
}

void CTennis::switchToQueryTraining(int32_t tutorial, int32_t step) {
  SORV_FRAME("CTennis.switchToQueryTraining(II)V");
  isDoubles = false;
  // Set first, so the match start opens no bar of its own under the tutorial's.
  tutorialIndex = tutorialKind = tutorial;
  initMatch(tutorial <= 1 ? player.get() : rival.get());
  if (CGame::mainMenuChoice == 6) {
    startPoint();
    initTrainingStep(kLongTutorial, 0);
  } else {
    initTrainingStep(tutorial, step);
  }
  freezeAllActor();
  setMatchState(kStateTrainingQuery);
}

void CTennis::updateMatchOver(int32_t* result) {
  const bool ok = pressed(kKeyOk);
  if (!ok) return;
  if (unlockPage < 1 && !CAE::IsQueueEmpty(1, unlockPage + 1)) {
    unlockPage++;
    CGame::initAchievementUnlock(1, unlockPage);
    leftSoftKeyText = kBackLabel;
    rightSoftKeyText = -1;
    return;
  }
  if (unlockPage == -1 && CAE::IsQueueEmpty(1, 0) && !CAE::IsQueueEmpty(1, 1)) {
    CGame::initAchievementUnlock(1, 1);
    unlockPage = 1;
    return;
  }
  const bool nothingMore = (unlockPage == -1 && CAE::IsQueueEmpty(1, 2)) ||
                           (unlockPage == 0 && CAE::IsQueueEmpty(1, 1)) || unlockPage == 1;
  if (!nothingMore) return;
  const int32_t choice = CGame::mainMenuChoice;
  if (choice == 2 || choice == 3 || choice == 6) {
    setMatchState(kStateContinue);
    leftSoftKeyText = kYesLabel;
    rightSoftKeyText = kNoLabel;
  } else if (choice == 4 || CGame::isCareer) {
    *result = kTournamentTable;
  }
  CAE::ClearAchiQueue();
}

int32_t CTennis::updateBarMessage() {
  SORV_FRAME("CTennis.updateBarMessage()I");
  if (CGame::screenCovered) return 0;
  // No bar up: nothing to run, and nothing of another's timing to clear.
  if (isNull(barText.get()) && barClosing == 0) return 0;
  int32_t top = (480 - kBarHeight) / 2 + 20;
  if (matchState == kStateEnter) top += 30;
  int32_t result = 0;
  const bool wasClosing = barClosing != 0;
  bool closed = false;
  if (wasClosing) {
    CGame::drawInfoBg(top, kBarHeight, kBarWhite, kBarClosingColour, true);
    // Without the band fading (none, or another effect holds the buffer) there is nothing
    // to wait for: the bar would never close.
    closed = CGame::infoBgClosed || !CGame::pdbActive || CGame::pdbKind != CGame::kPdbInfoBand;
    if (closed) result = barClosing;
  } else {
    if (CGame::drawInfoBg(top, kBarHeight, kBarWhite, kBarOpeningColour, false) && !isNull(barText.get())) {
      CGame::drawInfoMessage(barText, true, false);
    }
    const int32_t elapsed = (barShellTime ? CGame::frameCounter : matchFrame) - barStart;
    if (rightSoftKeyText != -1 && pressed(CGame::kKeySoftRight)) {
      result = barKind == -1 ? 1 : 0;
      barClosing = 1;
    } else if (pressed(getQueryMessageYesKey()) || (barDuration > 0 && elapsed > barDuration)) {
      if (barKind == 1) result = leftSoftKeyText != -1 ? 2 : 0;
      barClosing = 2;
    }
    if (barClosing != 0) CGame::closePaintDirectInBuffer(CGame::kPdbInfoBand);
  }
  int32_t anyKey = kDigitKeys;
  if (tutorialIndex == 4) anyKey = kDigitZero;
  if (tutorialIndex == 3) anyKey = kDigitKeys & ~kDigitsSevenToNine;
  if ((barClosing != 0 || tutorialStep == 3) && pressed(anyKey)) {
    CGame::closePaintDirectInBuffer(CGame::kPdbInfoBand);
  }
  if (result != 0 && (closed || !wasClosing)) {
    barText = nullptr;
    barDuration = 0;
    barKind = 0;
    barClosing = 0;
    barShellTime = false;
    CGame::disablePaintDirectInBuffer();
  }
  return result;
}

int32_t CTennis::updateTraining() {
  SORV_FRAME("CTennis.updateTraining()I");
  const int32_t r = updateBarMessage();
  const int32_t step = tutorialStep;
  if (r == 1 && rightSoftKeyText == kTutorialExitLabel) return startFormalMatch();
  if (tutorialIndex == -1 || tutorialIndex == 0) {
    // The question whether to train first: no starts the match, yes the long tutorial.
    if (r == 1) return startFormalMatch();
    if (r == 2) {
      tutorialCounter = 1;
      switchToServing();
      switchTrainingQuery(kLongTutorial, 0);
    }
    return -1;
  }
  if (step == 3) {
    if (trainingStrokes >= kPracticeStrokes) {
      if (isNull(barText.get())) switchTrainingQuery(-1, 4);
      return -1;
    }
    const int32_t key = practiceKey();
    if (key > 0 || (key == 0 && tutorialIndex == 4)) {
      practiceStroke(key);
    } else if (CGame::keysPressed != 0) {
      switchTrainingQuery(-1, 4);
    }
    return -1;
  }
  if (r == 0) return -1;
  switch (step) {
    case 0:
      if (r == 2) switchTrainingQuery(-1, 1);
      break;
    case 1:
      if (r == 2) {
        if (CGame::mainMenuChoice == 6) switchToServing();
        trainingQueryToTraining(kStateServing);
      }
      break;
    case 2:
      if (r == 2) {
        if (tutorialIndex == kLongTutorial) {
          trainingQueryToTraining(kStateServing);
        } else {
          switchTrainingQuery(-1, 3);
        }
        trainingStrokes = 0;
      }
      break;
    case 4:
      if (r == 2) {
        if (tutorialIndex == kLongTutorial) {
          trainingQueryToTraining(kStateServing);
          if (!isNull(sharedActor.get())) sharedActor->paused = true;
        } else {
          unfreezeAllActor();
          setMenuIGM();
          setMatchState(kStatePlaying);
        }
      }
      break;
    case 5:
      if (r == 2) {
        if (tutorialIndex == 4) return startFormalMatch();
        switchToQueryTraining(tutorialIndex + 1, 0);
      }
      break;
    case 6:
    case 7:
      break;
    default:
      if (r == 1) switchTrainingQuery(-1, 1);
      break;
  }
  return -1;
}

}  // namespace sorv
