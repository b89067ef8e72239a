// The games' rules and scores on hand-built levels: board rings, the serve speed average,
// the board rows, tank hits and their slow-down, the time points, the Step game's time-outs,
// wrong bonuses and settled score, the Accuracy game's last ball, the count-up and the time
// format.
#include <string>

#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/string.h"
#include "sprites/cactor.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

class RulesTest : public TrainingTest {
 protected:
  void play(int32_t game, const Units& record) {
    useRecord(game, record);
    startTraining(game, 1);
    T::selectGame(static_cast<int8_t>(game));
    T::level = 1;
    // As the loading screen starts it: the level built, its title up; then the title ends.
    T::switchToTrainning();
    T::resumeMatch();
    ASSERT_EQ(T::trainingState, 0);
  }
  static IntArray* point(int32_t x, int32_t y, int32_t z) { return Array::fillInts(Array::newIntArray(3), {x, y, z}); }
  static bool hintShown(String* text) {
    const std::string want = String::toUtf8(text);
    for (int32_t i = 0; i < CGame::kFloatHints; i++) {
      auto* s = static_cast<String*>(aload(CGame::floatHintText.get(), i));
      if (!isNull(s) && String::toUtf8(s) == want) return true;
    }
    return false;
  }
  static int32_t animationOf(RigidBody* body) { return isNull(body->actor) ? -1 : body->actor->animation; }
};

TEST_F(RulesTest, BoardRingsFromTheCentreToTheRim) {
  ServeRecord r;
  r.rings = {40, 25, 10, 5, 1};
  play(T::kGameServe, r.encode());
  RigidBody* board = T::target;
  ASSERT_FALSE(isNull(board));
  struct Case {
    int32_t dx, dy, ring;
  };
  // Rings of 140: the centre, inside the first, on the rim, far past it.
  for (const Case& c : {Case{0, 0, 0}, Case{150, 0, 1}, Case{r.radius, 0, 4}, Case{0, -r.radius, 4},
                        Case{5 * r.radius, 0, 4}}) {
    SCOPED_TRACE(c.dx);
    T::points = 0;
    T::ball->routeValid = false;
    for (int32_t i = 0; i < CGame::kFloatHints; i++) astore(CGame::floatHintText.get(), i, static_cast<Object*>(nullptr));
    IntArray* p = point(board->x + c.dx, r.radius + c.dy, board->z);
    T::collideTarget(T::ball, board, p);
    EXPECT_EQ(T::lastRing, c.ring);
    EXPECT_EQ(T::points, r.base + r.rings[static_cast<size_t>(c.ring)]);
    EXPECT_TRUE(T::ball->routeValid);
    EXPECT_EQ(hintShown(CGame::GetString(3, 12)), c.ring == 0);
    // A hit past the rim is marked on it.
    EXPECT_LE(aload(T::hitMark.get(), 0) - board->x, r.radius);
  }
}

TEST_F(RulesTest, OnlyServesOnTheBoardCountTowardTheSpeed) {
  ServeRecord r;
  play(T::kGameServe, r.encode());
  T::points = 0;
  EXPECT_EQ(T::getFinalPts(), 0) << "no board hit: no speed points, whatever the serves";
  T::shotSpeed = 400000;
  const int32_t shown = T::shownServeSpeed(T::shotSpeed);
  ASSERT_GT(shown, 0);
  T::collideTarget(T::ball, T::target, point(T::target->x, r.radius, T::target->z));
  T::shotSpeed = 900000;  // a faster miss
  EXPECT_EQ(T::speedSum, shown);
  EXPECT_EQ(T::targetHits, 1);
  EXPECT_EQ(T::getFinalPts(), r.factor * shown + T::points);
}

TEST_F(RulesTest, BoardRowsNeverRunPastTheTable) {
  ServeRecord r;
  r.balls = 9;
  play(T::kGameServe, r.encode());
  const int32_t rows = static_cast<int32_t>(r.targets.size());
  for (int32_t serve = 1; serve <= 8; serve++) {
    T::servePhase = 2;
    T::ball->bounceCount = 4;
    T::ball->routeValid = true;
    T::updateTraining_Serve();
    EXPECT_EQ(T::targetIndex, std::min(serve, rows - 1)) << serve;
    ASSERT_FALSE(isNull(T::target));
    EXPECT_EQ(T::servePhase, 0);
  }
}

TEST_F(RulesTest, TheLastServeDecidesTheLevel) {
  ServeRecord r;
  for (int32_t pts : {r.goal - 1, r.goal}) {
    play(T::kGameServe, r.encode());
    T::ballsLeft = 0;
    T::points = pts;
    T::servePhase = 2;
    T::ball->bounceCount = 4;
    T::updateTraining_Serve();
    EXPECT_EQ(T::levelResult, pts >= r.goal ? 0 : 1);
  }
}

TEST_F(RulesTest, TankHitsByStrength) {
  PowerRecord r;
  struct Case {
    int32_t speed, hitsToDestroy, perHit;
  };
  for (const Case& c : {Case{18500, 1, r.base + r.bonus}, Case{18499, 3, r.base}, Case{5000, 3, r.base}}) {
    SCOPED_TRACE(c.speed);
    play(T::kGamePower, r.encode());
    RigidBody* tank = static_cast<RigidBody*>(aload(T::tanks.get(), 0));
    if (isNull(tank)) tank = static_cast<RigidBody*>(aload(T::tanks.get(), 1));
    ASSERT_FALSE(isNull(tank));
    T::shotSpeed = c.speed;
    T::points = 0;
    for (int32_t hit = 1; hit <= c.hitsToDestroy; hit++) {
      EXPECT_NE(animationOf(tank), 7) << "destroyed before hit " << hit;
      const int32_t z = tank->z;
      T::ball->hitCount = 0;
      T::ball->vz = -100;
      T::collideTank(T::ball, tank, point(tank->x, 0, tank->z));
      EXPECT_EQ(tank->z, z - r.push * c.speed / 1000);
    }
    EXPECT_EQ(animationOf(tank), 7);
    EXPECT_EQ(tank->vz, 0);
    EXPECT_EQ(T::points, c.hitsToDestroy * c.perHit);
    // A destroyed tank takes no more hits.
    T::collideTank(T::ball, tank, point(tank->x, 0, tank->z));
    EXPECT_EQ(T::points, c.hitsToDestroy * c.perHit);
  }
}

TEST_F(RulesTest, ATankCrossingTheSlowLineHalvesItsSpeedDownTo250) {
  PowerRecord r;
  struct Case {
    int32_t vz, after;
  };
  for (const Case& c : {Case{400, 250}, Case{800, 400}, Case{-400, -250}, Case{0, 250}}) {
    play(T::kGamePower, r.encode());
    RigidBody* tank = static_cast<RigidBody*>(aload(T::tanks.get(), 0));
    if (isNull(tank)) tank = static_cast<RigidBody*>(aload(T::tanks.get(), 1));
    ASSERT_FALSE(isNull(tank));
    tank->actor->setSprite(T::sprite, 5, 0);
    tank->prevZ = 15000;
    tank->z = 15100;
    tank->vz = c.vz;
    T::updateTraining_Power();
    EXPECT_EQ(tank->vz, c.after) << c.vz;
  }
}

TEST_F(RulesTest, FinalPointsByGame) {
  struct Case {
    int32_t game, frames, points, base, penalty, want;
  };
  // 125 s at one point a second from 100 gives no time points, never fewer.
  for (const Case& c : {Case{1, 875, 30, 100, 1, 30}, Case{1, 70, 30, 100, 1, 120}, Case{2, 0, -40, 0, 0, -40},
                        Case{3, 0, 0, 0, 0, 0}}) {
    T::game = static_cast<int8_t>(c.game);
    T::levelStartFrame = 1000;
    T::levelEndFrame = 1000 + c.frames;
    T::points = c.points;
    T::timeBase = static_cast<int16_t>(c.base);
    T::timePenalty = static_cast<int16_t>(c.penalty);
    EXPECT_EQ(T::getFinalPts(), c.want) << c.game << " " << c.frames;
  }
}

TEST_F(RulesTest, SettledScoresAndBests) {
  struct Case {
    int32_t game, points, stepTime, wrong, want;
  };
  for (const Case& c : {Case{2, -40, 0, 0, 0}, Case{4, 300, 0, 0, 300}, Case{3, 0, 420, 0, 120000 - 420},
                        Case{3, 0, 420, 2, 120000 - 420 - 42}}) {
    T::game = static_cast<int8_t>(c.game);
    T::points = c.points;
    T::stepTime = c.stepTime;
    T::wrongTouches = c.wrong;
    EXPECT_EQ(T::settledScore(), c.want) << c.game;
  }
}

TEST_F(RulesTest, StepTimeOutsShowThreeMessagesThenFail) {
  StepRecord r;
  play(T::kGameStep, r.encode());
  for (int32_t n = 1; n <= 4; n++) {
    T::trainingState = 0;
    T::stageStart = CTennis::matchFrame - T::stageTime;
    T::updateTraining_Step();
    EXPECT_EQ(T::timeouts, n);
    EXPECT_EQ(T::trainingState, n <= 3 ? 2 : 0) << n;
    EXPECT_EQ(T::levelResult, n <= 3 ? -1 : 1) << n;
    EXPECT_EQ(T::stageStart, -1) << "the stage starts over";
  }
}

TEST_F(RulesTest, WrongBonusesCountAndTheirFlagClearsWithTheirSlot) {
  StepRecord r;
  play(T::kGameStep, r.encode());
  T::stageStart = CTennis::matchFrame;
  ASSERT_GE(T::bonuses->length, 2);
  RigidBody* second = static_cast<RigidBody*>(aload(T::bonuses.get(), 1));
  T::collideBonus(second, T::player);
  T::collideBonus(second, T::player);
  EXPECT_EQ(T::wrongTouches, 1) << "one touch while flagged";
  EXPECT_EQ(T::wrongBonusIndex, 1);
  T::collideBonus(static_cast<RigidBody*>(aload(T::bonuses.get(), 0)), T::player);
  T::collideBonus(second, T::player);
  EXPECT_TRUE(isNull(aload(T::bonuses.get(), 1)));
  EXPECT_EQ(T::wrongBonusIndex, -1);
  EXPECT_FALSE(T::wrongBonus);
  EXPECT_TRUE(T::circleOpen);
}

TEST_F(RulesTest, AccuracyEndsOnTheLaunchAfterTheLastBall) {
  AccuracyRecord r;
  r.balls = 10;
  play(T::kGameAccuracy, r.encode());
  int32_t launches = 0;
  for (int32_t frame = 0; frame < 5000 && T::levelResult == -1; frame++) {
    CTennis::matchFrame++;
    // Every shot is over at once: the ball has bounced.
    if (!isNull(T::ball)) T::ball->bounceCount = 1;
    const int32_t before = T::ballsLeft;
    T::updateTraining_Accuracy();
    if (T::ballsLeft != before) launches++;
  }
  EXPECT_EQ(launches, 11);
  EXPECT_EQ(T::ballsLeft, -1);
  EXPECT_EQ(T::levelResult, 1);
}

TEST_F(RulesTest, CountUpAndTime) {
  T::finalPoints = T::jackpot = 1000;
  T::jackpotStep = 200;
  for (int32_t shown : {200, 400, 600, 800, 1000, 1000}) EXPECT_EQ(T::finalPoints - T::updateJackpot(), shown);
  struct Case {
    int32_t frames;
    const char* text;
  };
  for (const Case& c : {Case{525, "01:15"}, Case{0, "00:00"}, Case{6, "00:00"}, Case{7, "00:01"}, Case{420, "01:00"}}) {
    EXPECT_EQ(String::toUtf8(T::formatTime(c.frames)), c.text) << c.frames;
  }
}

}  // namespace
}  // namespace sorv::test
