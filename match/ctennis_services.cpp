// The match object's construction and its run-wide statics; the training's user actions
// and tutorial flags, which the training modes fill.
#include "match/ctennis.h"

#include "game/cgame.h"
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
bool& CTennis::careerMatch = CGame::isCareer;
int32_t CTennis::matchResult[2] = {};
bool CTennis::raisedPad = false;
bool CTennis::serveFlag = false;

CTennis* CTennis::create(int32_t kind) {
  CTennis* match = newObject<CTennis>();
  if (match != nullptr) match->init(kind);
  return match;
}

void CTennis::init(int32_t kind) {
  SORV_FRAME("CTennis.<init>(I)V");
  a_constructor();
  matchKind = kind;
  matchState = 0;
  challengesLeft = 3;
  playerCount = 0;
  resetSmashPoint();
  tutorialIndex = -1;
  setTrainingTimer(0, -1);
  tutorialCounter = trainingStrokes = tutorialServeCount = tutorialBounceCount = 0;
  CGame::newMatchWeather();
}

// What the touch pad reads of the user's player: its state (6 while it strikes) and its stroke
// stage; no player means no action.
int32_t CTennis::getUserActionState() { return isNull(player.get()) ? 0 : player->state; }
int32_t CTennis::getUserActionFlag() { return isNull(player.get()) ? 0 : player->strikeState; }
bool CTennis::isTutorialFlagSet() { return tutorialIndex != -1; }

int32_t CTennis::barStart = 0;
int32_t CTennis::barDuration = 0;

bool CTennis::isTrainingMatch() { return matchKind == kKindTraining; }

namespace {

// A new run starts outside any tutorial, at frame 0.
void resetSeams() {
  CTennis::matchFrame = 0;
  CTennis::tutorialStep = -1;
  CTennis::tutorialKind = -1;
  CTennis::barStart = CTennis::barDuration = 0;
}

}  // namespace

SORV_STATIC_INIT(kCTennis, resetSeams);

}  // namespace sorv
