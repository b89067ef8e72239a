// Match state 5: the rally while the ball is live, then the sequence between two points (the
// wait for the call, the scenes, the change of ends, the pre-serve scene) until the next
// point starts. Every timing counts match frames.
#include "device/sound_glue.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kHitEffectFrames = 12, kHitEffectEndAnim = 6, kHoldLastFrame = -2;
constexpr int32_t kWaitTutorial = 14, kWaitBreakPoint = 47, kWaitNet = 21, kWaitOther = 28;
constexpr int32_t kBars = 6;
constexpr int32_t kPassedMargin = 800;
constexpr int32_t kNetX = 9085, kPartnerNetX = 10585;
constexpr int32_t kMeetAtNet = 13, kDecidedFrames = 16, kApplause = 20;
constexpr int32_t kWinnerCelebration = 25, kPartnerCelebrationTop = 26, kLoserAction = 21;
constexpr int32_t kEndsText = 17, kEndsBarFrames = 21;
constexpr int32_t kPendingLeftX = 4970, kPendingRightX = 13200;
constexpr int32_t kPendingUserZ = 19300, kPendingRivalZ = 17300;
constexpr int32_t kKidReach = 2000, kKidRunLeft = 9, kKidRunRight = 10;
constexpr int32_t kKidHandOver = 2, kNetKid = 4;
constexpr int32_t kServeFromOwnHalf = 7, kServeFromOtherHalf = 6, kClayServeAction = 8;
constexpr int32_t kTiredAction = 29, kReceiveActionA = 9;
constexpr int32_t kRainPause = 2;

int32_t actorAnimation(CPlayer* p) {
  return isNull(p) || isNull(p->animActor) ? -1 : p->animActor->animation;
}

void play(CPlayer* p, int32_t action) {
  if (!isNull(p)) p->doSpecialAction(action);
}

void userInput() {
  CPlayer* user = CTennis::player;
  if (isNull(user) || CTennis::autoplay) return;
  if (user->state == CPlayer::kStateBallComing && (user->strikeState == 1 || user->strikeState == 2)) {
    const int32_t dir = CTennis::getStrikeChoiceKeyDownOrPress();
    if (dir != -1) user->setReturnBallDir(dir);
  } else if (user->state == CPlayer::kStateStrike) {
    user->checkStrikeKeyRelease();
  } else {
    user->move(CTennis::getMoveChoice(), false);
  }
}

void doublesStrokes() {
  const bool userTeam = CTennis::strikeSide;
  CPlayer* a = userTeam ? CTennis::player.get() : CTennis::rival.get();
  CPlayer* b = userTeam ? CTennis::partner.get() : CTennis::rivalPartner.get();
  if (isNull(a) || isNull(b)) {
    if (!isNull(a)) a->updatePlayerStrike();
    if (!isNull(b)) b->updatePlayerStrike();
    return;
  }
  // The first candidate is the one nearer the net.
  const bool aFirst = userTeam ? a->z <= b->z : a->z >= b->z;
  CPlayer* first = aFirst ? a : b;
  CPlayer* second = aFirst ? b : a;
  RigidBody* ball = CTennis::ball;
  bool passed = false;
  if (!isNull(ball)) passed = userTeam ? ball->z > first->z + kPassedMargin : ball->z < first->z - kPassedMargin;
  bool firstStrikesFirst = !passed;
  if (!passed) {
    IntArray* firstOut = Array::newIntArray(8);
    IntArray* secondOut = Array::newIntArray(8);
    const bool firstCan = first->getPlayerStrikeCondition(firstOut);
    const bool secondCan = second->getPlayerStrikeCondition(secondOut);
    const int32_t f0 = aload(firstOut, 0), s0 = aload(secondOut, 0);
    if (firstCan && secondCan && s0 > 2 && s0 > f0) firstStrikesFirst = false;
  }
  CPlayer* lead = firstStrikesFirst ? first : second;
  CPlayer* follow = firstStrikesFirst ? second : first;
  lead->updatePlayerStrike();
  if (follow->strikeState != 0) follow->updatePlayerStrike();
}

void strokes() {
  if (CTennis::isDoubles) return doublesStrokes();
  CPlayer* striker = CTennis::strikeSide ? CTennis::player.get() : CTennis::rival.get();
  if (isNull(striker)) return;
  // In a tutorial the computer returns nothing once the point has a stroke.
  if (CTennis::tutorialIndex != -1 && striker == CTennis::rival.get() && CTennis::rallyStrokes > 0) return;
  striker->updatePlayerStrike();
}

bool ballInList() {
  ObjectArray* list = CTennis::objectList;
  RigidBody* ball = CTennis::ball;
  for (int32_t i = 0; !isNull(list) && !isNull(ball) && i < list->length; i++) {
    if (list->elements()[i] == ball) return true;
  }
  return false;
}

CActor* kidActor(int32_t k) {
  ObjectArray* actors = CTennis::ballKidActors;
  if (isNull(actors) || k < 0 || k >= actors->length) return nullptr;
  return static_cast<CActor*>(actors->elements()[k]);
}

RigidBody* kidBody(int32_t k) {
  ObjectArray* kids = CTennis::ballKids;
  if (isNull(kids) || k < 0 || k >= kids->length) return nullptr;
  return static_cast<RigidBody*>(kids->elements()[k]);
}

// After a net ball a ball kid runs in for it.
void sendBallKid() {
  const bool right = (CTennis::strikeSide && CTennis::courtEnd == 1) || (!CTennis::strikeSide && CTennis::courtEnd == 2);
  const int32_t k = right ? 1 : 0;
  const int32_t anim = right ? kKidRunRight : kKidRunLeft;
  CActor* actor = kidActor(k);
  RigidBody* kid = kidBody(k);
  RigidBody* ball = CTennis::ball;
  if (isNull(actor) || isNull(kid) || isNull(ball)) return;
  if (actor->animation == anim) return;
  const int32_t dx = kid->x - ball->x;
  if (dx > -kKidReach && dx < kKidReach) actor->setSprite(CTennis::ballKidSprite, anim, -1);
}

bool waitOver() {
  if (CTennis::skipRequested) return true;
  if (CTennis::matchFinished) return isNull(CTennis::gameMessage.get());
  return CTennis::matchFrame - CTennis::deadBallFrame >= CTennis::waitingFrames() && CTennis::scoreCallState == -1;
}

void endWait() {
  CTennis::resetRunPicker();
  CTennis::rewardText = nullptr;
  CGame::p_remove(CTennis::objectList, CTennis::ball);
  if (CTennis::matchFinished) {
    CTennis::startBlackBars(kBars);
    CTennis::afterPointStage = 1;
    CTennis::resetView();
    return;
  }
  CTennis::changeServeSide();
  if (CTennis::changeEnds) {
    CTennis::startBlackBars(kBars);
    CTennis::afterPointStage = 1;
    CTennis::fixViewport(CTennis::courtEnd == 1 ? 0 : -1, 0);
    return;
  }
  if (CTennis::tutorialIndex == -1) {
    CTennis::dealAdditionalAction();
    if (CTennis::afterPointStage == 1) return;
  }
  CTennis::startNextPoint();
}

void setUpDecidedScene() {
  CTennis::resetAllNextSpecialAction();
  CTennis::stageFrame = CTennis::matchFrame;
  struct Place {
    CPlayer* p;
    int32_t x;
  };
  const Place places[] = {{CTennis::player, kNetX},
                          {CTennis::rival, kNetX},
                          {CTennis::isDoubles ? CTennis::partner.get() : nullptr, kPartnerNetX},
                          {CTennis::isDoubles ? CTennis::rivalPartner.get() : nullptr, kPartnerNetX}};
  for (const Place& place : places) {
    if (isNull(place.p)) continue;
    CTennis::setPlayerAt(place.p, place.x, CTennis::kNetZ);
    if (place.p->moveState == 2) {
      place.p->move(0, true);
    } else {
      place.p->doSpecialAction(kMeetAtNet);
    }
  }
}

void setUpEndsScene() {
  CTennis::resetAllNextSpecialAction();
  CTennis::walkOffToTheNet();
  CTennis::stageFrame = CTennis::matchFrame;
  CTennis::barMode = 1;
  CTennis::initBarMessage(CGame::GetString(1, kEndsText), 0, kEndsBarFrames, true, false, true, false);
  CTennis::setMenuSkip();
}

void setUpPendingScene() {
  const int32_t x = CTennis::courtEnd == 1 ? kPendingLeftX : kPendingRightX;
  if (CTennis::playerPendingAction != -1 && !isNull(CTennis::player.get())) {
    CTennis::setPlayerAt(CTennis::player, x, kPendingUserZ);
    play(CTennis::player, CTennis::playerPendingAction);
  } else if (CTennis::rivalPendingAction != -1 && !isNull(CTennis::rival.get())) {
    CTennis::setPlayerAt(CTennis::rival, x, kPendingRivalZ);
    play(CTennis::rival, CTennis::rivalPendingAction);
  }
}

// The decided scene: the players meet at the net; when the meeting ends the winners
// celebrate under one applause, and when that ends the match is over.
void runDecidedScene() {
  if (CTennis::matchFrame - CTennis::stageFrame < kDecidedFrames) return;
  if (actorAnimation(CTennis::player) != kMeetAtNet) {
    CTennis::switchToMatchOver();
    return;
  }
  CTennis::stageFrame = CTennis::matchFrame;
  GameSound::play(kApplause, false);
  const int32_t r = CGame::RAND(0, 1);
  const bool userWon = CTennis::sets(0) > CTennis::sets(1);
  play(CTennis::player, userWon ? kWinnerCelebration + r : kLoserAction);
  play(CTennis::rival, userWon ? kLoserAction : kWinnerCelebration + r);
  if (CTennis::isDoubles) {
    play(CTennis::partner, userWon ? kPartnerCelebrationTop - r : kLoserAction);
    play(CTennis::rivalPartner, userWon ? kLoserAction : kPartnerCelebrationTop - r);
  }
}

}  // namespace

void CTennis::setPlayerAt(CPlayer* p, int32_t x, int32_t depth) {
  if (isNull(p)) return;
  p->setX(x);
  p->setZ(depth);
}

int32_t CTennis::waitingFrames() {
  if (tutorialIndex != -1) return kWaitTutorial;
  if (!isNull(rewardText.get())) return kWaitBreakPoint;
  if ((deadBallReason & kReasonNet) != 0) return kWaitNet;
  return kWaitOther;
}

void CTennis::updatePlaying() {
  SORV_FRAME("CTennis.updatePlaying()V");
  if (deadBallReason == 0) {
    updateRally();
  } else {
    updateAfterPoint();
  }
}

void CTennis::updateRally() {
  if (hitEffectFrame != 0 && matchFrame - hitEffectFrame >= kHitEffectFrames) {
    hitEffectFrame = 0;
    if (!isNull(hitEffectActor.get())) hitEffectActor->setSprite(effectsSprite, kHitEffectEndAnim, kHoldLastFrame);
  }
  userInput();
  strokes();
}

void CTennis::updateAfterPoint() {
  switch (afterPointStage) {
    case 0:
      playCheer();
      if (tutorialIndex == -1 && (deadBallReason & kReasonNet) != 0 && ballInList() && !matchFinished) sendBallKid();
      if (waitOver() && isSpecialActionOver()) endWait();
      break;
    case 5:
      updateEndsWalk();
      if (isSpecialActionOver() && endsWalkOver()) {
        afterPointStage = 3;
        startBlackBars(kBars);
      }
      if (!isNull(player.get()) && !isNull(player->animActor) && player->animActor->currentFrame == 1) {
        barMode = 2;
        stageFrame = matchFrame;
      }
      break;
    case 1:
      if (matchFinished) {
        setUpDecidedScene();
      } else if (changeEnds) {
        setUpEndsScene();
      } else {
        setUpPendingScene();
      }
      afterPointStage = 2;
      break;
    case 2:
      if (matchFinished) {
        runDecidedScene();
      } else if (changeEnds) {
        updateEndsWalk();
        if (isSpecialActionOver() && endsWalkOver()) changeCourt();
      } else if (isSpecialActionOver()) {
        afterPointStage = 3;
        startBlackBars(kBars);
      }
      break;
    case 3:
      startNextPoint();
      barMode = 0;
      break;
    case 4:
      if (isSpecialActionOver()) {
        startBlackBars(kBars);
        startPoint();
      }
      break;
    default:
      break;
  }
}

void CTennis::startNextPoint() {
  if (isWillShowPreServeAction()) {
    MatchTrace::preServe();
    doActionBeforeServe();
  } else {
    startPoint();
  }
}

void CTennis::doActionBeforeServe() {
  SORV_FRAME("CTennis.doActionBeforeServe()V");
  CPlayer* s = server;
  if (isNull(s)) return startPoint();
  CPlayer* receiver = getRivalPlayer(s);
  CPlayer* serverPal = isDoubles ? getPalPlayer(s) : nullptr;
  CPlayer* receiverPal = isDoubles && !isNull(receiver) ? getPalPlayer(receiver) : nullptr;
  int32_t serverAction = -1, receiverAction = -1, serverPalAction = -1, receiverPalAction = -1;
  int32_t kid = -1;
  const bool kidPoint = serveTurn == 0;
  if (kidPoint) {
    serverAction = s->userTeamSide == s->serveFromLeft ? kServeFromOwnHalf : kServeFromOtherHalf;
    serveTurn = 2;
    kid = s->userTeamSide ? kNetKid : (s->serveFromLeft ? 0 : 1);
  } else if (currentCourt == 0) {
    serverAction = kClayServeAction;
  }
  if (s->userTeamSide) {
    if (!isNull(receiver) && receiver->preServeAction) {
      receiverAction = kTiredAction;
    } else if (!isNull(receiverPal) && receiverPal->preServeAction) {
      receiverPalAction = kTiredAction;
    }
  } else if (!kidPoint && s->preServeAction) {
    serverAction = kTiredAction;
  } else if (!isNull(serverPal) && serverPal->preServeAction) {
    serverPalAction = kTiredAction;
  }
  if (isDoubles && partnerCelebration != 0) {
    const bool userTeamCelebrates = partnerCelebration == 1;
    const bool serversCelebrate = userTeamCelebrates == s->userTeamSide;
    CPlayer* a = serversCelebrate ? s : receiver;
    CPlayer* b = serversCelebrate ? serverPal : receiverPal;
    if (!isNull(a) && !isNull(b) && !(serversCelebrate && kidPoint)) {
      const int32_t animA = getCelebrateAnim(a, b, false), animB = getCelebrateAnim(a, b, true);
      const int32_t midX = a->x + (b->x - a->x) / 2, midZ = a->z + (b->z - a->z) / 2;
      setPlayerAt(a, midX, midZ);
      setPlayerAt(b, midX, midZ);
      (serversCelebrate ? serverAction : receiverAction) = animA;
      (serversCelebrate ? serverPalAction : receiverPalAction) = animB;
    }
  }
  if (serverAction == -1 && receiverAction == -1 && serverPalAction == -1 && receiverPalAction == -1) {
    startBlackBars(kBars);
    return startPoint();
  }
  resetViewport();
  const bool half = s->serveFromLeft;
  s->positionServe(half, 0);
  s->doSpecialAction(serverAction != -1 ? serverAction : 0);
  if (!isNull(receiver)) {
    receiver->positionToReceiveServe(half, 0);
    receiver->doSpecialAction(receiverAction != -1 ? receiverAction : kReceiveActionA + CGame::RAND(0, 1));
  }
  if (isDoubles) {
    if (!isNull(serverPal)) {
      serverPal->prepareServe(half, 1);
      serverPal->doSpecialAction(serverPalAction != -1 ? serverPalAction : 0);
    }
    if (!isNull(receiverPal)) {
      receiverPal->prepareToReceiveServe(half, 1);
      receiverPal->doSpecialAction(receiverPalAction != -1 ? receiverPalAction : kReceiveActionA + CGame::RAND(0, 1));
    }
  }
  if (CActor* a = kidActor(kid); !isNull(a)) a->setSprite(ballKidSprite, kKidHandOver, -1);
  afterPointStage = 4;
  if (CGame::bEnableRainInterruption()) {
    // Once a match.
    CGame::rainInterruptionDone = true;
    Debug::trace("rain interrupts the match in set %d game %d", setIndex + 1, gameIndex + 1);
    rainFlag = true;
    CGame::initSPEPause(kRainPause);
  } else if (CGame::bEnableDrizzle()) {
    Debug::trace("drizzle starts in set %d game %d", setIndex + 1, gameIndex + 1);
    CGame::initRain();
  }
}

}  // namespace sorv
