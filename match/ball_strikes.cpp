// The serve and every stroke: where the ball must land, whose turn it is, the return-of-serve
// fault, the predicted point of fall and the smash marker, the serve's speed records, the
// net's reaction to a ball, and the players' special actions between points.
#include <cstdint>

#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "match/match_trace.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

int32_t CTennis::tutorialServeCount = 0;
int64_t CTennis::tutorialServeClock = 0;

namespace {

constexpr int32_t kPlaying = 5;
constexpr int32_t kHoldLastFrame = -2, kLoopFromStart = 0;
constexpr int32_t kStrokeEffectAnim = 32, kSmashMarkerAnim = 25;
constexpr int32_t kSoundFault = 9;
constexpr int32_t kFastBall = 12000;
constexpr int32_t kHighFlight = 3000, kSmashApex = 4001;
constexpr int32_t kCelebrationFirst = 27, kCelebrationLast = 33;
// Indexes into the line tables.
constexpr int32_t kDoublesLeft = 0, kSinglesLeft = 1, kCentre = 2, kSinglesRight = 3, kDoublesRight = 4;
constexpr int32_t kFarBase = 0, kFarService = 1, kNet = 2, kNearService = 3, kNearBase = 4;

CPlayer* playerAt(int32_t i) {
  ObjectArray* all = CTennis::players;
  if (isNull(all) || i < 0 || i >= CTennis::playerCount || i >= all->length) return nullptr;
  return static_cast<CPlayer*>(all->elements()[i]);
}

void play(CActor* a, int32_t anim, int32_t loop) {
  if (!isNull(a)) a->setSprite(a->sprite, anim, loop);
}

CActor* linesman(int32_t i) {
  ObjectArray* list = CTennis::linesmen;
  if (isNull(list) || i < 0 || i >= list->length) return nullptr;
  return static_cast<CActor*>(list->elements()[i]);
}

// The serve goes into the receivers' service box on the diagonal from the server's half.
void serveRect(CPlayer* server) {
  const bool userTeam = server->userTeamSide;
  const bool leftBox = userTeam == server->serveFromLeft;
  const int32_t left = leftBox ? kSinglesLeft : kCentre;
  const int32_t right = leftBox ? kCentre : kSinglesRight;
  if (userTeam) {
    CTennis::setBallInRect(left, kFarService, right, kNet);
  } else {
    CTennis::setBallInRect(left, kNet, right, kNearService);
  }
}

void rallyRect(CPlayer* striker) {
  const int32_t left = CTennis::isDoubles ? kDoublesLeft : kSinglesLeft;
  const int32_t right = CTennis::isDoubles ? kDoublesRight : kSinglesRight;
  if (striker->userTeamSide) {
    CTennis::setBallInRect(left, kFarBase, right, kNet);
  } else {
    CTennis::setBallInRect(left, kNet, right, kNearBase);
  }
}

IntArray* routePoint(RigidBody* b, int32_t i) {
  if (isNull(b) || isNull(b->route) || i < 0 || i >= b->route->length) return nullptr;
  return static_cast<IntArray*>(b->route->elements()[i]);
}

// The return of serve: a fault by the returner decides the point; the judges watch it.
void judgeReturnOfServe(CPlayer* returner) {
  CPlayer* receiver = CTennis::getRivalPlayer(CTennis::server);
  if (returner->receivingFault || (CTennis::isDoubles && returner != receiver)) {
    GameSound::play(kSoundFault, false);
    CTennis::deadBallReason |= CTennis::kReasonReceivingFault;
    CTennis::onBallDead();
  }
  if (!returner->userTeamSide) play(linesman(1), 14, kHoldLastFrame);
  play(CTennis::netJudge, CTennis::courtEnd == 2 ? 1 : 0, kHoldLastFrame);
}

bool actorRunning(CActor* a) {
  return !isNull(a) && !isNull(a->sprite) && !a->ended && !a->onLastFrame;
}

}  // namespace

void CTennis::serveBall() {
  SORV_FRAME("CTennis.serveBall()V");
  CPlayer* s = server;
  if (isNull(s)) return;
  lastStrikerUser = player;
  lastStrikerRival = rival;
  addMatchStat(secondServe ? 4 : 0, s->team());
  MatchTrace::serveStruck(s->team(), secondServe ? 2 : 1);
  deadBallFrame = 0;
  deadBallReason = 0;
  s->serveBall();
  CGame::activeServeSpeedBar(14);
  onReturnBall(s);
  onReturnBall2(s);
  RigidBody* b = ball;
  if (!isNull(b)) {
    b->markX = b->markZ = kNoPoint;
    CGame::p_add(objectList, b);
  }
  outX = outZ = 0;
  deadBallInfo = -1;
  scoreCallState = -1;
  deadBallTimer = 0;
  matchState = kPlaying;
  if (tutorialIndex != -1) {
    tutorialServeCount++;
    if (tutorialServeClock == 0 && s->computerControlled) tutorialServeClock = System::currentTimeMillis();
  }
  challengeReplay = false;
}

void CTennis::onReturnBall(CPlayer* striker) {
  SORV_FRAME("CTennis.onReturnBall(LCPlayer;)V");
  if (isNull(striker)) return;
  if (striker->strokeKind == 1) addMatchStat(9, striker->team());
  // The actor is kept before the record is made: the record's allocation may collect.
  striker->racketActor = CActor::create(judgeSprite, kStrokeEffectAnim, kHoldLastFrame);
  striker->racketPos = Array::newIntArray(2);
  RigidBody* b = ball;
  if (!isNull(b) && !isNull(b->screenPos) && !isNull(striker->racketPos)) {
    striker->racketPos->elements()[0] = aload(b->screenPos, 0);
    striker->racketPos->elements()[1] = aload(b->screenPos, 1);
  }

  const bool tutorialThrow = tutorialIndex != -1 && striker->computerControlled;
  if (matchState != kPlaying && !tutorialThrow) {
    serveRect(striker);
  } else {
    rallyRect(striker);
  }

  strikeSide = !striker->userTeamSide;
  lineDistanceX = lineDistanceZ = kNoPoint;
  lineCallKind = 0;
  playerPendingAction = rivalPendingAction = -1;

  if (rallyStrokes == 1 && !isNull(server)) judgeReturnOfServe(striker);
  if (isDoubles) {
    CPlayer* mate = getPalPlayer(striker);
    if (!isNull(mate)) mate->onPalReturnBall();
  }
  rallyStrokes++;
  matchStrokes++;
  resetSmashPoint();
}

void CTennis::onReturnBall2(CPlayer* striker) {
  SORV_FRAME("CTennis.onReturnBall2(LCPlayer;)V");
  if (isNull(striker)) return;
  a_onReturnBall2(striker);
  CPlayer* next = strikeSide ? player.get() : rival.get();
  if (!isNull(next)) next->onRivalReturnBall(striker);
  if (tutorialIndex == -1) calSmashPoint();
  if (striker->userTeamSide) {
    lastStrikerUser = striker;
  } else {
    lastStrikerRival = striker;
  }
  if (!isDoubles) return;
  CPlayer* mate = strikeSide ? partner.get() : rivalPartner.get();
  if (!isNull(mate)) mate->onRivalReturnBall(striker);
  if (!isNull(next)) doubleDecideWhoShouldReturnBall(next);
}

int32_t CTennis::apexHeight(RigidBody* b) {
  const int64_t fall = int64_t{2} * (RigidBody::kGravity - b->lift - b->ay);
  // Spin that cancels gravity exactly leaves the ball no top: unbounded, not a division by 0.
  if (fall == 0) return INT32_MAX;
  const int64_t top = b->y + int64_t{b->vy} * b->vy / fall;
  return top > INT32_MAX ? INT32_MAX : top < INT32_MIN ? INT32_MIN : static_cast<int32_t>(top);
}

void CTennis::a_onReturnBall2(CPlayer* /*striker*/) {
  SORV_FRAME("CTennis.a_onReturnBall2(LCPlayer;)V");
  RigidBody* b = ball;
  if (isNull(b)) return;
  b->calculateRouteInfo();
  IntArray* fall = routePoint(b, 4);
  if (b->vz > 0 && !isNull(fall)) {
    b->fallX = aload(fall, 0);
    b->fallZ = aload(fall, 1);
    b->fallMarkKind = apexHeight(b) >= kHighFlight && b->vy > 0 ? 2 : 1;
  } else {
    // Only balls coming to the user's team show where they will land.
    b->fallX = b->fallZ = kNoPoint;
    b->fallMarkKind = 1;
  }
  b->routeStep = RigidBody::vectorToScalar(b->vx, b->vy, b->vz, 12) >= kFastBall ? 1 : 0;
}

void CTennis::calSmashPoint() {
  SORV_FRAME("CTennis.calSmashPoint()V");
  RigidBody* b = ball;
  CPlayer* user = player;
  if (!strikeSide || isNull(b) || isNull(user)) return;
  IntArray* first = routePoint(b, 1);
  if (apexHeight(b) < kSmashApex && !isNull(first) && aload(first, 1) != kNoPoint) {
    smashPointY = aload(first, 1) - 700;
    if (user->z - smashPointY < 1701) {
      if (smashPointY > 19300) {
        smashPointX = b->getXOnBallRoute(smashPointY);
      } else {
        smashPointY = 0;
      }
    }
  }
  projectSmash();
}

void CTennis::projectSmash() {
  SORV_FRAME("CTennis.projectSmash()V");
  IntArray* p = projPoint;
  if (smashPointX == 0 || isNull(p)) return;
  project3DTo2D(p, smashPointX, 0, smashPointY);
  project2D2Logical(p);
  smashPointX = aload(p, 0);
  smashPointY = aload(p, 1);
  if (!isNull(sharedActor)) sharedActor->setSprite(judgeSprite, kSmashMarkerAnim, kLoopFromStart);
}

// The serve's first bounce: the user's serve speed against its achievements and record.
void CTennis::checkServeSpeed() {
  SORV_FRAME("CTennis.checkServeSpeed()V");
  RigidBody* b = ball;
  if (isNull(b) || server.get() != player.get() || isNull(player) || rallyStrokes != 1 ||
      b->bounceCount != 1 || deadBallReason != 0) {
    return;
  }
  const int32_t raw = CGame::serveSpeedTarget;
  int32_t speed = raw;
  if (aload(CGame::optionValues.get(), 1) == 0) speed = speed * 16 / 10;  // miles to km
  bool changed = CAE::CheckAchi(speed < 120 ? 7 : 6, speed) >= 0;
  changed = CAE::CheckAchi(5, speed) >= 0 || changed;
  changed = CAE::checkRecord(4, raw) || changed;
  if (changed) CAE::saveAchievement();
}

void CTennis::netTouched() {
  if (!isNull(netActor)) {
    ASprite* sprite = isNull(netActor->sprite) ? netSprite.get() : netActor->sprite;
    netActor->setSprite(sprite, getNetAnim(), -1);
  }
  play(netJudge, courtEnd == 1 ? 4 : 5, kHoldLastFrame);
}

void CTennis::resetAllNextSpecialAction() {
  for (int32_t i = 0; i < playerCount; i++) {
    if (CPlayer* p = playerAt(i); !isNull(p)) p->resetPlayerAction();
  }
}

void CTennis::resetPlayersAction() {
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = playerAt(i);
    if (isNull(p)) continue;
    // A player still braking stops where it is rather than start the action mid-run.
    if (p->moveState == 2) {
      p->move(0, true);
    } else {
      p->setSpecialAction(0, 0);
    }
  }
}

void CTennis::dealAdditionalAction() {
  SORV_FRAME("CTennis.dealAdditionalAction()V");
  if (playerPendingAction == -1 && rivalPendingAction == -1) return;
  startBlackBars(6);
  afterPointStage = 1;
  resetPlayersAction();
  fixViewport(courtEnd == 1 ? 0 : -1, 16);
}

bool CTennis::isSpecialActionOver() {
  SORV_FRAME("CTennis.isSpecialActionOver()Z");
  bool anyEnded = false, anyRunning = false, celebrating = false;
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = playerAt(i);
    CActor* a = isNull(p) ? nullptr : p->animActor;
    if (isNull(a) || isNull(a->sprite)) continue;
    if (actorRunning(a)) {
      anyRunning = true;
      if (a->animation >= kCelebrationFirst && a->animation <= kCelebrationLast) celebrating = true;
    } else {
      anyEnded = true;
    }
  }
  if ((anyEnded && !celebrating) || !anyRunning) return true;
  if (!skipRequested) return false;
  for (int32_t i = 0; i < playerCount; i++) {
    CPlayer* p = playerAt(i);
    CActor* a = isNull(p) ? nullptr : p->animActor;
    if (isNull(a) || isNull(a->sprite)) continue;
    const int32_t last = a->sprite->GetAFrames(a->animation) - 1;
    a->currentFrame = a->shownFrame = last < 0 ? 0 : last;
    a->timer = 0;
    a->paused = a->ended = a->onLastFrame = false;
  }
  CGame::closePaintDirectInBuffer(CGame::kPdbInfoBand);
  deadBallFrame = 0;
  skipRequested = false;
  return true;
}

}  // namespace sorv
