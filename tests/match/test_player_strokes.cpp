// Strokes on the shipped data: the swing tables, when a swing starts for the computer and
// for the user, the struck ball's flight through the real solvers, runs and the reaction.
#include <gtest/gtest.h>

#include "runtime/lang_system.h"
#include "tests/match/player_fixture.h"

namespace sorv::test {
namespace {

using PlayerStrokeTest = PlayerTest;

IntArray* ints3(int32_t a, int32_t b, int32_t c) { return Array::fillInts(Array::newIntArray(3), {a, b, c}); }

TEST_F(PlayerStrokeTest, SwingAnimationsByTypeKindAndCourt) {
  CPlayer* p = user();
  p->oneHandedBackhand = false;
  // Rows: stroke type 1..7; columns: kind 1..6, forehand; -1 is no swing.
  const int32_t court0[7][6] = {{18, -1, -1, -1, -1, -1}, {14, 14, 10, -1, 6, 6}, {14, 14, 6, 8, 6, 6},
                                {2, 2, 6, 8, 6, 6},       {2, 2, 6, 8, 6, 6},    {2, 2, 10, -1, 6, 6},
                                {32, 32, 32, 32, 32, 32}};
  for (const int32_t court : {0, 1}) {
    CTennis::currentCourt = court;
    for (int32_t t = 1; t <= 7; t++) {
      for (int32_t k = 1; k <= 6; k++) {
        int32_t want = court0[t - 1][k - 1];
        if (court == 1 && want == 6) want = 26;
        EXPECT_EQ(p->swingAnimation(t, k, true), want) << t << "," << k;
        // The backhand is the next animation, except the single ones.
        if (want != -1 && want != 18 && want != 32) EXPECT_EQ(p->swingAnimation(t, k, false), want + 1) << t << "," << k;
      }
    }
  }
  CTennis::currentCourt = 0;
  // Type 1 kind 2 only from a ready stance on the forehand side.
  p->ready = true;
  p->forehandSide = p->userTeamSide;
  EXPECT_EQ(p->swingAnimation(1, 2, true), 31);
  p->ready = false;
  EXPECT_EQ(p->swingAnimation(1, 2, true), -1);
  // The double-press and single-handed animations.
  struct Anim {
    int32_t type, second;
    bool fore, single;
    int32_t want;
  };
  const Anim anims[] = {{2, -1, true, false, 16}, {3, 1, false, false, 13}, {4, -1, true, false, 4},
                        {5, 1, true, false, 20},  {6, -1, false, false, 11}, {6, -1, false, true, 25},
                        {4, -1, false, true, 24}, {1, -1, true, false, -1},  {7, -1, true, false, -1}};
  for (const Anim& a : anims) {
    p->strokeType = a.type;
    p->secondDir = a.second;
    p->forehand = a.fore;
    p->oneHandedBackhand = a.single;
    p->forehandSide = true;
    EXPECT_EQ(p->getStrikingAnim(), a.want) << a.type;
  }
}

TEST_F(PlayerStrokeTest, AComputerSwingsOnlyInsideItsShortenedTable) {
  struct Case {
    int32_t level, ballZ;
    bool swings;
  };
  // The rival waits at depth 5915; the ball comes at 20000 per second (7 frames a second).
  const Case cases[] = {{0, 25000, false}, {2, 25000, false}, {0, 9000, false}, {2, 9000, true},
                        {0, 7000, true},   {2, 7000, true}};
  for (const Case& c : cases) {
    astore(CGame::matchSettings.get(), 1, c.level);
    CPlayer* p = rival();
    p->setPos(9085, 5915);
    p->changeState(6);
    p->resetStrikeState();
    p->strikeState = 1;
    p->strokeType = 3;
    p->strokeKind = 1;
    p->returnDir = 2;
    CTennis::ball->init(ints3(9085, 1000, c.ballZ), ints3(0, 0, -20000), nullptr);
    p->updatePlayerStrike();
    EXPECT_EQ(p->strikeState == 2, c.swings) << c.level << " " << c.ballZ;
  }
}

TEST_F(PlayerStrokeTest, TheUsersWindowWaitsForAKeyOrACloseBall) {
  struct Case {
    int32_t ballZ, key;
    int32_t state, dir;
  };
  // The user stands at depth 30685; 600 ms is 12000 of depth at 20000 per second.
  const Case cases[] = {{20000, -1, 1, -1}, {10000, -1, 0, -1}, {10000, 7, 1, 7}, {31000, -1, 0, -1}};
  for (const Case& c : cases) {
    CPlayer* p = user();
    p->setPos(9085, 30685);
    p->changeState(6);
    p->resetStrikeState();
    p->strikeX = 9085;
    CTennis::ball->init(ints3(9085, 1000, c.ballZ), ints3(0, 0, 20000), nullptr);
    CTennis::ball->fallZ = 0;
    CGame::keysPressed = c.key == -1 ? 0 : 1 << c.key;
    p->updateStrikeState(3, 1, true);
    CGame::keysPressed = 0;
    EXPECT_EQ(p->strikeState, c.state) << c.ballZ;
    EXPECT_EQ(p->returnDir, c.dir) << c.ballZ;
  }
}

TEST_F(PlayerStrokeTest, AStruckBallLandsNearItsAim) {
  LogCapture log;
  CPlayer* p = rival();
  for (int32_t d = 1; d <= 9; d++) {
    for (const int32_t type : {3, 4, 6}) {
      SCOPED_TRACE(std::to_string(d) + " type " + std::to_string(type));
      p->setPos(9085, 5915);
      p->changeState(6);
      p->resetStrikeState();
      p->strokeType = type;
      p->strokeKind = 1;
      p->returnDir = d;
      p->p0 = 0;  // no timing error: no mis-hit
      p->p1 = p->p2 = 4;
      RigidBody* b = CTennis::ball;
      b->init(ints3(9085 + 700, 900, 6000), ints3(0, 500, -15000), nullptr);
      b->trailKind = 0;
      stub()->landed = false;
      p->setBallRoute(b);
      EXPECT_GT(b->vz, 0);
      EXPECT_EQ(b->flightSpeed, RigidBody::vectorToScalar(b->vx, b->vy, b->vz, 12));
      const int32_t aimX = aload(p->flightA, 0), aimZ = aload(p->flightA, 2);
      ASSERT_TRUE(flyBall());
      EXPECT_NEAR(stub()->landX, aimX, 1000);
      EXPECT_NEAR(stub()->landZ, aimZ, 1000);
      EXPECT_EQ(p->lastStrokeDir, d);
    }
  }
  EXPECT_FALSE(log.contains("no flight"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(PlayerStrokeTest, AWildBallFliesOffThePlayer) {
  struct Case {
    CPlayer* (*who)();
    bool fore, sideways;
    int32_t vx, zSign;
  };
  const Case cases[] = {{&PlayerTest::user, true, true, 5000, -1},   {&PlayerTest::user, false, true, -5000, -1},
                        {&PlayerTest::rival, true, true, -5000, 1},  {&PlayerTest::rival, false, true, 5000, 1},
                        {&PlayerTest::user, true, false, 0, -1}};
  for (const Case& c : cases) {
    CPlayer* p = c.who();
    p->forehand = c.fore;
    CTennis::ball->ay = 123;
    p->setBallFly(c.sideways);
    RigidBody* b = CTennis::ball;
    EXPECT_EQ(b->vx, c.vx);
    EXPECT_EQ(b->vy, 7000);
    EXPECT_EQ(b->ay, 0);
    EXPECT_GE(b->vz * c.zSign, 20000);
    EXPECT_LE(b->vz * c.zSign, 24000);
  }
}

TEST_F(PlayerStrokeTest, ATurnWithinTheStartUpSkipsTheBrake) {
  CPlayer* p = user();
  p->changeState(5);
  p->attrSpeed = 3;
  p->resetSpeed();
  p->move(3, false);
  EXPECT_EQ(p->moveState, 1);
  p->move(4, false);  // at once: a new start, no brake
  EXPECT_EQ(p->moveState, 1);
  EXPECT_EQ(p->moveDir, 4);
  EXPECT_LT(p->vx, 0);
  for (int32_t f = 0; f < 2; f++) frame(p);
  p->move(3, false);  // later: a brake timed by its start-up row, still moving the old way
  EXPECT_EQ(p->moveState, 2);
  EXPECT_LT(p->vx, 0);
  ASSERT_FALSE(isNull(p->animActor->ownFrameTimes));
  EXPECT_EQ(p->animActor->ownFrameTimes->length, kBrakeFrames);
}

// How hard a turn brakes follows how long the run lasted: the first start-up row whose time
// covers it, and the last row for a run that outlasted the table.
TEST_F(PlayerStrokeTest, TheBrakeFollowsTheRunsLength) {
  CPlayer* p = user();
  p->changeState(5);
  p->attrSpeed = 3;
  const int32_t col = p->attrSpeed - 1;
  ObjectArray* starts = CPlayer::startUpTimes;
  ASSERT_EQ(starts->length, 4);
  auto startTime = [&](int32_t row) { return static_cast<IntArray*>(aload(starts, row))->elements()[col]; };
  // The run starts 3 frames before its first move: e = frames run + 3.
  struct Case {
    const char* name;
    int32_t frames;
    int32_t row;  // -1: no brake, a new start
  };
  const Case cases[] = {
      {"within row 0", startTime(0) - 3, -1},
      {"into row 1", startTime(0) + 1 - 3, 1},
      {"end of row 3", startTime(3) - 3, 3},
      {"outlasting the table", startTime(3) + 20, 3},
  };
  ObjectArray* court = static_cast<ObjectArray*>(aload(CPlayer::brakingTable.get(), 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_GE(c.frames, 0);
    p->resetSpeed();
    p->move(0, true);
    p->animActor->ownFrameTimes = nullptr;
    p->move(4, false);
    for (int32_t f = 0; f < c.frames; f++) {
      CTennis::matchFrame++;
      p->update();
    }
    p->move(3, false);
    if (c.row < 0) {
      EXPECT_EQ(p->moveState, 1);
      EXPECT_EQ(p->moveDir, 3);
      continue;
    }
    EXPECT_EQ(p->moveState, 2);
    ByteArray* row = static_cast<ByteArray*>(aload(static_cast<ObjectArray*>(aload(court, c.row)), col));
    IntArray* times = p->animActor->ownFrameTimes;
    ASSERT_FALSE(isNull(times));
    ASSERT_EQ(times->length, row->length);
    for (int32_t i = 0; i < row->length; i++) EXPECT_EQ(times->elements()[i], aload(row, i)) << i;
  }
}

TEST_F(PlayerStrokeTest, TheComputersReactionDelay) {
  struct Case {
    int32_t level;
    bool career;
    int64_t since;
    bool reacts;
  };
  const Case cases[] = {{0, false, 1150, false}, {0, false, 1250, true}, {1, false, 1050, false},
                        {1, false, 1150, true},  {2, false, 1050, true}, {0, true, 5, true}};
  CTennis::matchState = 5;
  CTennis::deadBallReason = 0;
  for (const Case& c : cases) {
    astore(CGame::matchSettings.get(), 1, c.level);
    CGame::isCareer = c.career;
    CTennis::careerFinal = c.career;
    CPlayer* p = rival();
    p->setPos(9085, 5915);
    p->changeState(6);
    p->resetStrikeState();
    p->NpcStop(true);
    p->strokeKind = 1;
    CTennis::ball->init(ints3(9085, 1000, 25000), ints3(300, 3000, -18000), nullptr);
    CTennis::ball->calculateRouteInfo();
    p->reactTime = System::currentTimeMillis() - c.since;
    p->update();
    EXPECT_EQ(p->targetFixed != 0, c.reacts) << c.level << " " << c.since;
  }
  CGame::isCareer = false;
  CTennis::careerFinal = false;
}

}  // namespace
}  // namespace sorv::test
