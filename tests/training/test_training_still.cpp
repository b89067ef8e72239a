// A pause paints training into the screen buffer as a still: that frame only draws. Every
// training static, the generator, the object list with its bodies and the actors must be as
// they were, in each game while it plays and on the result page.
#include <vector>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "runtime/array.h"
#include "runtime/util_random.h"
#include "sprites/cactor.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;
using Snapshot = std::vector<int64_t>;

void addActor(Snapshot& s, CActor* a) {
  if (isNull(a)) return s.push_back(-1);
  for (int64_t v : {int64_t{a->animation}, int64_t{a->currentFrame}, int64_t{a->timer}, int64_t{a->ended}}) {
    s.push_back(v);
  }
}

void addBody(Snapshot& s, RigidBody* b) {
  if (isNull(b)) return s.push_back(-2);
  for (int32_t v : {b->x, b->y, b->z, b->vx, b->vy, b->vz, b->bounceCount, b->hitCount, b->flightFrames}) s.push_back(v);
  s.push_back(b->routeValid);
  addActor(s, b->actor);
}

Snapshot snapshot() {
  Snapshot s = {T::trainingState, T::levelResult, T::points, T::ballsLeft, T::streak, T::shotSpeed,
                T::servePhase,    T::targetIndex, T::speedSum, T::targetHits, T::lastRing, T::tanksLeft,
                T::strongHits,    T::machineTimer, T::stage, T::stageStart, T::stepTime, T::finishFrame,
                T::timeouts,      T::nextBonus,   T::wrongBonusIndex, T::wrongTouches, T::jackpot, T::finalPoints,
                T::previousBest,  T::levelEndFrame, T::levelStartFrame, T::tutorialPage, T::circleOpen,
                T::leftSoftKeyText, T::rightSoftKeyText, T::hitFxX, T::hitFxY, CTennis::matchFrame,
                CGame::keysPressed, CGame::infoBgClosed};
  for (int32_t i = 0; i < T::kLevelCount; i++) s.push_back(aload(T::levelBest.get(), i));
  for (int32_t i = 0; i < 4; i++) s.push_back(aload(T::pauseTimer.get(), i));
  Random* r = CGame::random.get();
  s.push_back(isNull(r) ? 0 : r->seedLow);
  s.push_back(isNull(r) ? 0 : r->seedHigh);
  ObjectArray* list = CTennis::objectList;
  for (int32_t i = 0; !isNull(list) && i < list->length; i++) addBody(s, static_cast<RigidBody*>(aload(list, i)));
  CPlayer* p = CTennis::player;
  if (!isNull(p)) {
    for (int32_t v : {p->state, p->moveDir, p->strikeState}) s.push_back(v);
    addActor(s, p->animActor);
  }
  addActor(s, T::machineActor);
  addActor(s, T::hitFxActor);
  addActor(s, T::checkPointActor);
  return s;
}

class StillTest : public TrainingTest {
 protected:
  static void frame() {
    CTennis::matchFrame++;
    CGame::trainingObject->update();
  }
  static void expectStill(const char* where) {
    const Snapshot before = snapshot();
    CGame::drawFrozenMatch(CGame::trainingObject);
    EXPECT_EQ(snapshot(), before) << where;
  }
};

TEST_F(StillTest, APausesStillStepsNothingInAnyGameOrOnTheResultPage) {
  for (int32_t game = 0; game < T::kGameCount; game++) {
    SCOPED_TRACE(game);
    astore(T::unlockedLevels.get(), game, 1);
    T::selectGame(static_cast<int8_t>(game));
    T::selectLevel(1);
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, T::kTrainingState);
    startTraining(game, 1);
    T::switchToTrainning();
    expectStill("the title");
    // Through the title into play, with the user's keys held and the board, tanks or
    // bonuses moving.
    for (int32_t f = 0; f < 80; f++) {
      CGame::keysHeld = f % 20 < 10 ? 0x40 : 0x10;
      frame();
      if (f % 16 == 15) expectStill("in play");
    }
    CGame::keysHeld = 0;
    // The result page with its count-up running.
    T::levelResult = 0;
    T::trainingState = 0;
    CGame::closeInfoBg();
    frame();
    ASSERT_EQ(T::trainingState, 3);
    frame();
    expectStill("the result page");
    T::unload();
  }
}

TEST_F(StillTest, TheDecidingFramesBufferPaintStepsNothingTwice) {
  ServeRecord r;
  useRecord(T::kGameServe, r.encode());
  astore(T::unlockedLevels.get(), 0, 1);
  T::selectGame(0);
  T::selectLevel(1);
  startTraining(0, 1);
  T::switchToTrainning();
  T::resumeMatch();
  CGame::closeInfoBg();
  T::servePhase = 2;
  T::ballsLeft = 0;
  T::points = r.goal;
  T::ball->bounceCount = 4;
  const int32_t balls = T::ballsLeft;
  frame();
  EXPECT_EQ(T::levelResult, 0);
  EXPECT_EQ(T::trainingState, 2) << "the result message";
  EXPECT_EQ(T::ballsLeft, balls);
  EXPECT_EQ(T::points, r.goal);
  EXPECT_EQ(T::servePhase, 2);
}

}  // namespace
}  // namespace sorv::test
