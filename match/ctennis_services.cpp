#include "match/ctennis.h"

#include "match/cplayer.h"

#include "runtime/frames.h"
#include "runtime/static_class.h"

namespace sorv {

int32_t CTennis::matchState = 0;
int32_t CTennis::tutorialKind = -1;
int32_t CTennis::currentCourt = 0;
int32_t CTennis::loadCounter = 0;
int32_t CTennis::matchFrame = 0;
int32_t CTennis::tutorialStep = -1;
int32_t CTennis::matchEnterField = 0;
bool CTennis::careerMatch = false;
int32_t CTennis::matchResult[2] = {};
bool CTennis::raisedPad = false;
bool CTennis::serveFlag = false;

CTennis* CTennis::create(int32_t kind) {
  CTennis* match = newObject<CTennis>();
  if (match != nullptr) match->init(kind);
  return match;
}

void CTennis::init(int32_t /*kind*/) {
  SORV_FRAME("CTennis.<init>(I)V");
  a_constructor();
}

int32_t CTennis::update() {
  SORV_FRAME("CTennis.update()I");
  return -1;
}

int32_t CTennis::Loading() {
  SORV_FRAME("CTennis.Loading()I");
  return -1;
}

void CTennis::a_unloadCourt() { SORV_FRAME("CTennis.a_unloadCourt()V"); }

// The ball's events: the rules decide a bounce, the ball events test the net every step.
void CTennis::onBallCollision(RigidBody*, int32_t, int32_t, int32_t, int32_t) {}
void CTennis::onBallMove() {}

int32_t CTennis::setIndex = 0;
int32_t CTennis::courtEnd = 1;
int32_t CTennis::barStart = 0;
int32_t CTennis::barDuration = 0;
CTennis::EffectsPlayer CTennis::effectsPlayers[2];

CTennis::EffectsPlayer* CTennis::effectsOf(CPlayer* p) {
  if (isNull(p)) return nullptr;
  if (p == player.get()) return &effectsPlayers[0];
  if (p == rival.get()) return &effectsPlayers[1];
  return nullptr;
}

bool CTennis::isTrainingMatch() { return false; }
ASprite* CTennis::getPlayerSprite(bool, int32_t, int32_t) { return nullptr; }
void CTennis::initBarMessage(String*, int32_t, int32_t, bool, bool, bool, bool) {}
int32_t CTennis::updateBarMessage() { return 0; }
void CTennis::paintContestRefereeLineEffect() {}

namespace {

// A new run starts outside any tutorial, at frame 0.
void resetSeams() {
  CTennis::matchFrame = 0;
  CTennis::tutorialStep = -1;
  CTennis::tutorialKind = -1;
  CTennis::viewX = CTennis::viewY = 0;
  CTennis::setIndex = 0;
  CTennis::courtEnd = 1;
  CTennis::barStart = CTennis::barDuration = 0;
  for (CTennis::EffectsPlayer& p : CTennis::effectsPlayers) p = {};
}

}  // namespace

SORV_STATIC_INIT(kCTennis, resetSeams);

}  // namespace sorv
