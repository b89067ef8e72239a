// The serve: the energy meter, the toss and the serve swing of both the user's player (on
// the keys, a_updateServing) and a computer player (updateServe and its three decisions).
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kMeterNormal = 0, kMeterNormalPerfect = 1, kMeterPower = 2, kMeterPowerPerfect = 3;
constexpr int32_t kServeSound = 3, kThunderServe = 3;
constexpr int32_t kPerfectPowerServeAchievement = 11;
constexpr int32_t kServeTutorial = 1;
constexpr int32_t kFire = 0x10000, kDigit5 = 0x20, kServeKeys = 0x1F3FE;

void playMeter(int32_t anim, int32_t loop) {
  CActor* meter = CTennis::sharedActor;
  if (!isNull(meter)) meter->setSprite(CTennis::ballSprite0, anim, loop);
}

int32_t waitOver(const CPlayer* p) { return CTennis::matchFrame - p->waitStartFrame >= p->waitFrames; }

}  // namespace

void CPlayer::serveChooseEnergy() {
  SORV_FRAME("CPlayer.serveChooseEnergy()V");
  powerServe = attrServe >= 4 && CGame::RAND(0, 10) < 3;
  changeState(2);
  play(this, 1, 0, -1);
  playMeter(powerServe ? kMeterPower : kMeterNormal, -1);
  resetSpeed();
  tossTiming = 0;
  tossPressFrame = 0;
}

void CPlayer::serveTossBall() {
  SORV_FRAME("CPlayer.serveTossBall()V");
  tossTiming = CTennis::matchFrame;
  changeState(3);
  CActor* meter = CTennis::sharedActor;
  const int32_t n = isNull(meter) || isNull(meter->sprite) ? 0 : meter->sprite->GetAFrames(meter->animation);
  p0 = (n + 1) / 2 - 1;
  p1 = isNull(meter) || meter->ended ? 0 : meter->currentFrame - 1;
  if (p1 < 0) p1 = 0;
  // The meter swings up and back: past the middle it counts down again.
  if (p1 > p0) p1 = n - p1 - 1;
  p2 = p1;
  if (powerServe) powerServeHit = p1 == p0;
  if (p2 < 8) {
    play(this, 1, 28, -1);
    CAE::CheckAchi(this, 8, true);
  }
  if (p1 == p0) playMeter(powerServe ? kMeterPowerPerfect : kMeterNormalPerfect, 0);
}

void CPlayer::serveChooseOffset() {
  if (tossPressFrame == 0) tossPressFrame = CTennis::matchFrame;
}

void CPlayer::serveBall() {
  SORV_FRAME("CPlayer.serveBall()V");
  RigidBody* b = CTennis::ball;
  CPlayer* user = CTennis::player;
  GameSound::stopAll();
  IntArray* start = flightA;
  int32_t sx = x, sy = actorAnimation(this) != 0 ? 1000 : 3000;
  if (CTennis::tutorialIndex != -1 && type == kTypeComputer) {
    sx = x + (forehandSide ? -1000 : 1000);
    sy = 1000;
  }
  astore(start, 0, sx);
  astore(start, 1, sy);
  astore(start, 2, z);
  if (!isNull(b)) {
    b->init(start, nullptr, nullptr);
    if (b->trailKind == 5) b->trailKind = 0;
  }
  changeState(8);
  setBallRoute(b);
  if (powerServeHit && powerServe) {
    CAE::CheckAchi(this, kPerfectPowerServeAchievement, true);
    CGame::initSPEPause(kThunderServe);
  } else {
    GameSound::play(kServeSound, false);
  }
  if (this != user && !isNull(user)) user->powerServeHit = false;
  resetStrikeState();
  aimAway = false;
  if (type == kTypeComputer && !isNull(user)) user->timeToBall = 0;
}

void CPlayer::updateServe() {
  SORV_FRAME("CPlayer.updateServe()V");
  if (state == 1) {
    if (!waitOver(this)) return;
    ASprite* meter = CTennis::ballSprite0;
    const int32_t n = isNull(meter) ? 0 : meter->GetAFrames(kMeterNormal);
    waitStartFrame = CTennis::matchFrame;
    waitFrames = CGame::RAND(ishr(n, 2), ishr(3 * n, 2));
    if (CGame::RAND(0, 100) < 11) waitFrames = 1;
    serveChooseEnergy();
  } else if (state == 2) {
    if (!waitOver(this)) return;
    setReturnBallDir(AI_decideServeBallDir());
    serveTossBall();
    waitStartFrame = CTennis::matchFrame;
    waitFrames = idiv(AI_decideEnergy() * 12, 100);
    strokeKind = -1;
  } else if (state == 3) {
    if (waitOver(this)) serveChooseOffset();
  }
}

int32_t CPlayer::AI_decideServeBallDir() {
  if (CTennis::secondServe) return 5;
  const int32_t r = CGame::RAND(1, 100);
  // Upper bounds of the rolls for directions 1, 3, 4 (6 takes the rest), by serve style.
  int32_t bounds[3];
  switch (serveMoveDir) {
    case 0: bounds[0] = 25; bounds[1] = 50; bounds[2] = 75; break;
    case 3: bounds[0] = 60; bounds[1] = 70; bounds[2] = 90; break;
    case 4: bounds[0] = 10; bounds[1] = 50; bounds[2] = 60; break;
    default: return -1;
  }
  int32_t d = r <= bounds[0] ? 1 : (r <= bounds[1] ? 3 : (r <= bounds[2] ? 4 : 6));
  if (!serveFromLeft) {
    static constexpr int32_t kMirror[7] = {0, 3, 2, 1, 6, 5, 4};
    d = kMirror[d];
  }
  return d;
}

int32_t CPlayer::AI_decideServeMovDir() {
  const int32_t r = randomMod(100) + 1;
  if (r <= 10) return serveFromLeft ? 3 : 4;
  if (r <= 20) return serveFromLeft ? 4 : 3;
  return 0;
}

int32_t CPlayer::AI_decideEnergy() { return CTennis::secondServe ? CGame::RAND(0, 20) : CGame::RAND(80, 100); }

void CTennis::a_updateServing() {
  SORV_FRAME("CTennis.a_updateServing()V");
  CPlayer* p = player;
  if (isNull(p)) return;
  const bool serveTutorial = tutorialIndex == kServeTutorial;
  const bool miniStep2 = serveTutorial && getTutMiniStep() == 2;
  if (p->state == 1) {
    if (!miniStep2) p->move(getMoveChoice(), false);
    if (serveTutorial && getTutMiniStep() < 2) return;
    if ((CGame::keysHeld & (kFire | kDigit5)) != 0) {
      CGame::key_resetKey();
      p->serveChooseEnergy();
      if (miniStep2) setTrainingTimer(10, 3);
    }
  } else if (p->state == 2) {
    CActor* meter = sharedActor;
    if (isNull(meter) || meter->ended) {
      p->changeState(1);
      p->move(0, true);
      return;
    }
    const int32_t dir = getStrikeChoiceKeyDownOrPress();
    if (dir > 0 && !miniStep2) {
      p->setReturnBallDir(dir);
      p->serveTossBall();
    }
  } else if (p->state == 3) {
    if ((CGame::keysHeld & kServeKeys) == 0) p->serveChooseOffset();
  }
}

}  // namespace sorv
