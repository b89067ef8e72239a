// The computer player's decisions: weighted rolls by level and rally length, letting an
// out-going ball go without touching the line-call record, the run back after a stroke, the
// net attack, the aim of a return, and no return of a perfect power serve.
#include "runtime/application.h"
#include "tests/match/events_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kNoPoint = RigidBody::kNoPoint;

class ComputerDecisionsTest : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    startMatch(kSingles, 4, 1);
    cpu()->computerControlled = true;
    setLevels(cpu(), {0, 0, 0, 0, 0});
    CPlayer::rallyLevelBonus = Array::fillInts(Array::newIntArray(3), {0, 1, 2});
    astore(CGame::matchSettings.get(), 1, 2);
    CTennis::rallyStrokes = 2;
  }
  static CPlayer* cpu() { return CTennis::rival; }

  // Kind 0 weights with option 0 weighing 100 at `level` only.
  static void onlyAtLevel(int32_t level) {
    setWeights(0, {0, 0});
    IntArray* row = static_cast<IntArray*>(aload(static_cast<ObjectArray*>(aload(CPlayer::aiWeights.get(), 0)), 0));
    row->elements()[level] = 100;
  }
  static int32_t rollKind0() {
    const int32_t options[2] = {0, 1};
    return cpu()->getProbability(0, options, 2);
  }
};

TEST_F(ComputerDecisionsTest, ARollFallsBackToTheLastOptionAndTheRallyBonusIsCapped) {
  struct Case {
    int32_t weightLevel, ownLevel, rallyStrokes, difficulty, expected;
  } cases[] = {
      {2, 2, 0, 2, 0},  // option 0 weighs 100 at the player's own level
      {2, 1, 0, 2, 1},  // weights 0 + 0 never reach the roll: the last option
      {3, 1, 5, 2, 1},  // five strokes: no bonus yet
      {3, 1, 6, 2, 0},  // six strokes: level 1 + 2 = 3
      {4, 3, 6, 2, 0},  // 3 + 2 capped at 4
      {4, 4, 9, 2, 0},  // level 4 stays 4
      {2, 1, 6, 1, 0},  // bonus 1 at difficulty 1
      {3, 1, 6, 0, 1},  // bonus 0 at difficulty 0
  };
  for (const Case& c : cases) {
    onlyAtLevel(c.weightLevel);
    setLevels(cpu(), {c.ownLevel, 0, 0, 0, 0});
    CTennis::rallyStrokes = c.rallyStrokes;
    astore(CGame::matchSettings.get(), 1, c.difficulty);
    for (int i = 0; i < 20; i++) {
      ASSERT_EQ(rollKind0(), c.expected) << c.weightLevel << " " << c.ownLevel << " " << c.rallyStrokes;
    }
  }
  // The bonus is for aiming only: another kind keeps its level.
  setWeights(3, {0, 0});
  IntArray* row = static_cast<IntArray*>(aload(static_cast<ObjectArray*>(aload(CPlayer::aiWeights.get(), 3)), 0));
  row->elements()[4] = 100;
  setLevels(cpu(), {0, 0, 0, 2, 0});
  CTennis::rallyStrokes = 9;
  const int32_t options[2] = {0, 1};
  EXPECT_EQ(cpu()->getProbability(3, options, 2), 1);
}

TEST_F(ComputerDecisionsTest, WeightsSplitTheRollsInProportion) {
  setWeights(1, {0, 0, 30, 70});
  int twos = 0;
  const int32_t options[2] = {2, 3};
  for (int i = 0; i < 2000; i++) twos += cpu()->getProbability(1, options, 2) == 2;
  EXPECT_NEAR(twos, 600, 90);
  setWeights(1, {0, 0, 100, 0});
  EXPECT_EQ(cpu()->getProbability(1, Array::fillInts(Array::newIntArray(2), {3, 2})), 2);
  EXPECT_EQ(cpu()->getProbability(1, static_cast<IntArray*>(nullptr)), -1);
  // An option code the data has no row for weighs nothing.
  setWeights(2, {100});
  const int32_t missing[2] = {7, 0};
  EXPECT_EQ(cpu()->getProbability(2, missing, 2), 0);
}

// The predicted landing is judged without writing what the last real bounce left.
TEST_F(ComputerDecisionsTest, AnOutGoingBallIsLetGoInAboutNinetyOfAHundredAndOneLeavingTheCallsAlone) {
  CTennis::setBallInRect(1, 0, 3, 2);  // the rival's half, singles
  matchBall({9085, 1000, 24000}, {0, 0, -9000});
  CTennis::fallResult = 1;
  CTennis::lineZone = 3;
  CTennis::lineDistanceX = 123;
  CTennis::lineDistanceZ = -45;
  CTennis::lineZoneZ = 4;
  CTennis::secondLine = 1;
  CTennis::secondLineDistance = 77;

  struct Case {
    int32_t x, z;
    bool canAbandon;
  } cases[] = {{9085, 5000, true}, {4000, 12000, true}, {9085, 12000, false}, {13200, 6355, false}};
  for (const Case& c : cases) {
    setRoute(4, c.x, c.z);
    int abandoned = 0;
    for (int i = 0; i < 2020; i++) abandoned += cpu()->AI_decideAbandonBall();
    if (c.canAbandon) {
      EXPECT_NEAR(abandoned, 1800, 60) << c.x << "," << c.z;
    } else {
      EXPECT_EQ(abandoned, 0) << c.x << "," << c.z;
    }
  }
  EXPECT_EQ(CTennis::fallResult, 1);
  EXPECT_EQ(CTennis::lineZone, 3);
  EXPECT_EQ(CTennis::lineDistanceX, 123);
  EXPECT_EQ(CTennis::lineDistanceZ, -45);
  EXPECT_EQ(CTennis::lineZoneZ, 4);
  EXPECT_EQ(CTennis::secondLine, 1);
  EXPECT_EQ(CTennis::secondLineDistance, 77);
  // A route with no landing gives nothing to judge.
  setRoute(4, kNoPoint, kNoPoint);
  EXPECT_FALSE(cpu()->AI_decideAbandonBall());
}

TEST_F(ComputerDecisionsTest, RecoveryWaitsAndErrsByLevel) {
  cpu()->x = 14000;
  cpu()->z = 5000;
  setWeights(3, {0, 100});  // never to the net
  // Level 4: at once, exactly to the centre.
  setLevels(cpu(), {0, 0, 0, 0, 4});
  cpu()->reactTime = now();
  cpu()->targetX = cpu()->targetZ = 0;
  cpu()->AI_decideRunTo();
  EXPECT_EQ(cpu()->targetX, 9085);
  EXPECT_EQ(cpu()->targetZ, 0);  // the depth stays
  // Level 0: nothing within 300 ms, then somewhere 2100..3000 from the centre.
  setLevels(cpu(), {0, 0, 0, 0, 0});
  cpu()->targetX = 0;
  cpu()->reactTime = now() - 299;
  cpu()->AI_decideRunTo();
  EXPECT_EQ(cpu()->targetX, 0);
  for (int i = 0; i < 200; i++) {
    cpu()->reactTime = now() - 300;
    cpu()->AI_decideRunTo();
    const int64_t off = cpu()->targetX - 9085;
    ASSERT_TRUE((off >= 2100 && off <= 3000) || (off <= -2100 && off >= -3000)) << off;
  }
  // Already within the error of the centre: no run.
  cpu()->x = 9085 + 1000;
  cpu()->targetX = 0;
  cpu()->AI_decideRunTo();
  EXPECT_EQ(cpu()->targetX, 0);
}

TEST_F(ComputerDecisionsTest, AboutTenInAHundredAndOneRecoveriesErrToTheOtherSide) {
  CGame::random->setSeed(25);
  cpu()->x = 14000;
  cpu()->z = 5000;
  setWeights(3, {0, 100});
  setLevels(cpu(), {0, 0, 0, 0, 1});
  int other = 0;
  const int runs = 10100;
  for (int i = 0; i < runs; i++) {
    cpu()->reactTime = now() - 1000;
    cpu()->AI_decideRunTo();
    other += cpu()->targetX < 9085;
  }
  EXPECT_NEAR(other, 1000, 120);
}

TEST_F(ComputerDecisionsTest, NetApproachOnlyInSinglesAfterAnAttackingStroke) {
  setWeights(3, {100, 0});  // always to the net when asked
  struct Case {
    bool doubles, aimAway;
    int32_t prevKind;
    bool approaches;
  } cases[] = {
      {false, false, 3, true}, {false, false, 1, false}, {false, false, -1, false},
      {false, true, 1, true},  {true, true, 3, false},   {true, false, 4, false},
  };
  for (const Case& c : cases) {
    CTennis::isDoubles = c.doubles;
    cpu()->aimAway = c.aimAway;
    cpu()->prevStrokeKind = c.prevKind;
    EXPECT_EQ(cpu()->AI_decideIsApproachNet(), c.approaches) << c.doubles << c.aimAway << c.prevKind;
  }
  CTennis::isDoubles = false;
  cpu()->aimAway = false;
  cpu()->prevStrokeKind = 3;
  cpu()->reactTime = now();
  cpu()->AI_decideRunTo();
  EXPECT_EQ(cpu()->targetZ, 14300);  // 4000 before the net on its own half
  EXPECT_EQ(cpu()->targetX, 9085);
}

TEST_F(ComputerDecisionsTest, TheAimIsNearestTheTargetUnlessAimingAway) {
  struct Nearest {
    int32_t d1, d2, d3, aim;
  } nearest[] = {{1, 2, 3, 1}, {2, 2, 3, 1}, {3, 2, 2, 2}, {3, 3, 3, 1}, {5, 4, 1, 3}, {2, 3, 2, 1}, {9, 1, 5, 2}};
  for (const Nearest& n : nearest) EXPECT_EQ(CPlayer::nearestAim(n.d1, n.d2, n.d3), n.aim) << n.d1 << n.d2 << n.d3;
  struct Pair {
    int32_t nearest;
    bool away;
    int32_t first, second;
  } pairs[] = {{1, false, 1, 1}, {2, false, 2, 2}, {3, false, 3, 3}, {1, true, 2, 3}, {2, true, 1, 3}, {3, true, 1, 2}};
  for (const Pair& p : pairs) {
    int32_t out[2];
    CPlayer::aimCandidates(p.nearest, p.away, out);
    EXPECT_EQ(out[0], p.first) << p.nearest << p.away;
    EXPECT_EQ(out[1], p.second) << p.nearest << p.away;
  }
}

TEST_F(ComputerDecisionsTest, ReturnDirectionAndTypeFollowTheRollsAndTheNet) {
  setWeights(0, {0, 100});  // never aim away
  setWeights(1, {0, 0, 100, 0, 100, 0});
  CPlayer* target = CTennis::player;
  cpu()->z = 5000;  // far from the net: the strong stroke
  for (int i = 0; i < 30; i++) {
    const int32_t dir = cpu()->AI_decideReturnBallDir(target);
    EXPECT_FALSE(cpu()->aimAway);
    EXPECT_TRUE(dir >= 7 && dir <= 9) << dir;
  }
  cpu()->z = 16300;  // within 2000 of the net: never the third stroke type
  for (int i = 0; i < 30; i++) {
    const int32_t dir = cpu()->AI_decideReturnBallDir(target);
    EXPECT_TRUE(dir >= 1 && dir <= 6) << dir;
  }
  target->z = 22300;
  EXPECT_EQ(cpu()->AI_decideReturnType(target, 0), 2);
  target->z = 22301;
  EXPECT_EQ(cpu()->AI_decideReturnType(target, 0), 0);
  setWeights(1, {0, 0, 0, 100});
  target->z = 20000;
  EXPECT_EQ(cpu()->AI_decideReturnType(target, 0), 0);
}

TEST_F(ComputerDecisionsTest, APerfectPowerServeIsNeverReturnedAndAnOutBallIsLetGo) {
  CTennis::setBallInRect(1, 0, 3, 2);
  matchBall({9085, 1000, 24000}, {0, 0, -9000});
  setRoute(4, 9085, 4000);  // long
  CTennis::player->powerServe = CTennis::player->powerServeHit = true;
  for (int i = 0; i < 50; i++) {
    cpu()->npcReturnBall();
    ASSERT_FALSE(cpu()->abandonBall);
  }
  CTennis::player->powerServeHit = false;
  int abandoned = 0;
  for (int i = 0; i < 50; i++) {
    // A fresh ball each time: a chosen direction would hold the decision for the stroke.
    cpu()->abandonBall = false;
    cpu()->returnDir = -1;
    cpu()->npcReturnBall();
    abandoned += cpu()->abandonBall;
  }
  EXPECT_GT(abandoned, 35);
  // Once let go, the ball stays let go for this stroke.
  cpu()->abandonBall = true;
  setRoute(4, 9085, 12000);
  cpu()->npcReturnBall();
  EXPECT_TRUE(cpu()->abandonBall);
}

TEST_F(ComputerDecisionsTest, DuringATutorialTheRunTargetIsCleared) {
  CTennis::tutorialIndex = 1;
  cpu()->targetX = 5000;
  cpu()->targetZ = 7000;
  cpu()->AI_decideRunTo();
  EXPECT_EQ(cpu()->targetX, 0);
  EXPECT_EQ(cpu()->targetZ, 0);
  CTennis::tutorialIndex = -1;
}

}  // namespace
}  // namespace sorv::test
