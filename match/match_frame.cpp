// One match frame as far as a loaded match needs to be seen: the viewport, the bodies, the
// entry's skip and the scene drawn back to front. The overlays and the states' own work
// come with the match flow.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "sprites/cactor.h"

namespace sorv {

namespace {

constexpr int32_t kSkipLabel = 17;

bool movesViewport(int32_t s) { return s == 1 || s == 2 || s == 5 || s == 7 || s == 9 || s == 12; }
bool updatesBodies(int32_t s) { return s == 2 || s == 5 || s == 9 || s == 12; }

void updateBodies() {
  ObjectArray* list = CTennis::objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) {
    if (auto* body = static_cast<RigidBody*>(list->elements()[i]); !isNull(body)) body->update();
  }
}

bool userFrozen() {
  CPlayer* user = CTennis::player;
  return !isNull(user) && !isNull(user->animActor) && user->animActor->paused;
}

// The blur effect past its first step covers the court with its own picture.
bool courtHidden() { return CGame::pdbActive && CGame::pdbKind == CGame::kPdbBlur && CGame::pdbStep > 1; }

}  // namespace

int32_t CTennis::update() {
  SORV_FRAME("CTennis.update()I");
  if (movesViewport(matchState)) updateViewport();
  if (userFrozen()) {
    updateAllScreen();
  } else if (updatesBodies(matchState)) {
    updateBodies();
  }
  CGame::updatePDB();
  if (matchState == 1 && skipRequested) {
    skipRequested = false;
    resetViewport();
    switchToServing();
    CGame::closeInfoBg();
    return -1;
  }
  if (!courtHidden()) {
    drawCourt();
    drawAllBallKids();
  }
  CGame::drawBlurBuffer();
  drawObjects();
  CGame::drawMenuBar(rightSoftKeyText, leftSoftKeyText, matchState == 8 || tutorialIndex != -1);
  skipRequested = rightSoftKeyText == kSkipLabel && (CGame::keysPressed & CGame::kKeySoftRight) != 0;
  return -1;
}

}  // namespace sorv
