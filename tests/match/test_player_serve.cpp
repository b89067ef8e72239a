// The serve on the shipped data with a stub match: the meter, the computer's serve and its
// decisions, the user's serve on the keys, and a computer receiver's return.
#include <gtest/gtest.h>

#include "game/cae.h"
#include "tests/match/player_fixture.h"

namespace sorv::test {
namespace {

// The flight is solved in closed form and flown in frame steps: it lands a little short.
constexpr int32_t kBoxTolerance = 1000;

using PlayerServeTest = PlayerTest;

// Runs a computer server from its serve position until the ball is hit; the states seen.
std::vector<int32_t> serveOnce(CPlayer* p, bool fromLeft) {
  std::vector<int32_t> states;
  CTennis::server = p;
  CTennis::matchState = 2;
  p->prepareServe(fromLeft, 0);
  states.push_back(p->state);
  for (int32_t f = 0; f < 800 && p->state != 5; f++) {
    PlayerTest::frame(p);
    if (states.back() != p->state) states.push_back(p->state);
  }
  return states;
}

TEST_F(PlayerServeTest, ASeededComputerServesFiftyTimesIntoItsBox) {
  LogCapture log;
  for (int32_t i = 0; i < 50; i++) {
    SCOPED_TRACE(i);
    stub()->landed = false;
    CTennis::secondServe = i % 3 == 2;
    const std::vector<int32_t> states = serveOnce(rival(), i % 2 == 0);
    EXPECT_EQ(states, (std::vector<int32_t>{1, 2, 3, 8, 5}));
    IntArray* aim = rival()->flightA;
    const int32_t aimX = aload(aim, 0), aimZ = aload(aim, 2);
    // The box across from a side-0 server: depth 18300..24700, the half away from it.
    const bool right = rival()->x < 9085;
    EXPECT_GE(aimZ, 18300);
    EXPECT_LE(aimZ, 24700);
    EXPECT_TRUE(right ? aimX >= 9085 && aimX <= 13200 : aimX >= 4970 && aimX <= 9085) << aimX;
    ASSERT_TRUE(flyBall());
    EXPECT_NEAR(stub()->landX, aimX, kBoxTolerance);
    EXPECT_NEAR(stub()->landZ, aimZ, kBoxTolerance);
  }
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(PlayerServeTest, TheMetersBestFrameAndStops) {
  CTennis::sharedActor->setSprite(CTennis::ballSprite0, 0, -1);
  struct Case {
    int32_t frames, current;
    bool ended;
    int32_t p0, p1;
  };
  // A 17-frame meter has its best frame at 8; a stop mirrors past it; an ended meter gives 0.
  const int32_t n = CTennis::ballSprite0->GetAFrames(0);
  ASSERT_EQ(n, kServeMeterFrames);
  const Case cases[] = {{n, 9, false, 8, 8}, {n, 11, false, 8, 6}, {n, 3, false, 8, 2}, {n, 0, false, 8, 0}, {n, 5, true, 8, 0}};
  for (const Case& c : cases) {
    user()->changeState(2);
    CActor* meter = CTennis::sharedActor;
    meter->setSprite(CTennis::ballSprite0, 0, -1);
    meter->currentFrame = c.current;
    meter->ended = c.ended;
    user()->powerServe = false;
    user()->serveTossBall();
    EXPECT_EQ(user()->p0, c.p0) << c.current;
    EXPECT_EQ(user()->p1, c.p1) << c.current;
    EXPECT_EQ(user()->state, 3);
  }
}

// A short toss earns achievement 8 for the person serving, never for the computer.
TEST_F(PlayerServeTest, AShortTossCountsForThePersonOnly) {
  ASSERT_TRUE(CAE::IsValid(8));
  ASSERT_FALSE(CAE::IsUnlock(8));
  for (CPlayer* p : {rival(), user()}) {
    p->changeState(2);
    CActor* meter = CTennis::sharedActor;
    meter->setSprite(CTennis::ballSprite0, 0, -1);
    meter->currentFrame = 3;
    p->powerServe = false;
    p->serveTossBall();
    ASSERT_LT(p->p2, 8);
    EXPECT_EQ(CAE::IsUnlock(8), p == user()) << (p == user() ? "person" : "computer");
  }
}

// A power serve whose meter is stopped on its best frame earns achievement 11 for the person
// serving, never for the computer.
TEST_F(PlayerServeTest, APerfectPowerServeCountsForThePersonOnly) {
  ASSERT_TRUE(CAE::IsValid(11));
  ASSERT_FALSE(CAE::IsUnlock(11));
  for (CPlayer* p : {rival(), user()}) {
    SCOPED_TRACE(p == user() ? "person" : "computer");
    p->attrServe = 5;
    for (int32_t tries = 0; tries < 200 && !p->powerServe; tries++) p->serveChooseEnergy();
    ASSERT_TRUE(p->powerServe);
    CActor* meter = CTennis::sharedActor;
    meter->currentFrame = (meter->sprite->GetAFrames(meter->animation) + 1) / 2;
    p->serveTossBall();
    ASSERT_TRUE(p->powerServeHit);
    p->serveBall();
    EXPECT_EQ(CAE::IsUnlock(11), p == user());
  }
}

TEST_F(PlayerServeTest, PowerServesAndTossWaits) {
  for (int32_t attr = 1; attr <= 5; attr++) {
    int32_t power = 0;
    for (int32_t i = 0; i < 300; i++) {
      user()->attrServe = attr;
      user()->serveChooseEnergy();
      if (user()->powerServe) power++;
    }
    if (attr < 4) {
      EXPECT_EQ(power, 0) << attr;
    } else {
      EXPECT_GT(power, 40) << attr;
      EXPECT_LT(power, 130) << attr;
    }
  }
  for (const bool second : {false, true}) {
    CTennis::secondServe = second;
    for (int32_t i = 0; i < 200; i++) {
      rival()->changeState(2);
      rival()->waitFrames = 0;
      rival()->updateServe();
      EXPECT_EQ(rival()->state, 3);
      EXPECT_EQ(rival()->strokeKind, -1);
      EXPECT_GE(rival()->waitFrames, second ? 0 : 9);
      EXPECT_LE(rival()->waitFrames, second ? 2 : 12);
    }
  }
}

TEST_F(PlayerServeTest, EveryAreaAndDirectionLandsInTheServiceBox) {
  for (const int32_t level : {0, 1, 2}) {
    astore(CGame::matchSettings.get(), 1, level);
    for (int32_t choice = 1; choice <= 3; choice++) {
      for (int32_t dir = -1; dir <= 9; dir++) {
        rival()->computeFallRect(rival()->serveTargets, choice, dir);
        for (int32_t r = 0; r < 2; r++) {
          IntArray* rect = static_cast<IntArray*>(aload(rival()->serveTargets, r));
          const int32_t x0 = aload(rect, 0), z0 = aload(rect, 1);
          const int32_t x1 = x0 + aload(rect, 2), z1 = z0 + aload(rect, 3);
          EXPECT_TRUE(x0 >= 9085 && x1 <= 13200 && x0 <= x1) << choice << " " << dir;
          EXPECT_TRUE(z0 >= 11900 && z1 <= 18300 && z0 <= z1) << choice << " " << dir;
        }
      }
    }
  }
}

TEST_F(PlayerServeTest, ServeDirectionsAndSteps) {
  rival()->serveFromLeft = true;
  CTennis::secondServe = true;
  for (int32_t i = 0; i < 20; i++) EXPECT_EQ(rival()->AI_decideServeBallDir(), 5);
  CTennis::secondServe = false;
  rival()->serveMoveDir = 7;
  EXPECT_EQ(rival()->AI_decideServeBallDir(), -1);
  for (const int32_t style : {0, 3, 4}) {
    for (const bool left : {true, false}) {
      rival()->serveMoveDir = style;
      rival()->serveFromLeft = left;
      for (int32_t i = 0; i < 50; i++) {
        const int32_t d = rival()->AI_decideServeBallDir();
        EXPECT_TRUE(d == 1 || d == 3 || d == 4 || d == 6) << d;
      }
      const int32_t step = rival()->AI_decideServeMovDir();
      EXPECT_TRUE(step == 0 || step == 3 || step == 4);
    }
  }
}

TEST_F(PlayerServeTest, AScriptedUserServesOnTheKeys) {
  LogCapture log;
  CTennis::server = user();
  CTennis::matchState = 2;
  user()->prepareServe(true, 0);
  ASSERT_EQ(user()->state, 1);
  CGame::keysHeld = 0x10000;  // fire: the meter starts
  CTennis::a_updateServing();
  CGame::keysHeld = 0;
  EXPECT_EQ(user()->state, 2);
  for (int32_t f = 0; f < 5; f++) {
    CTennis::a_updateServing();
    frame(user());
  }
  CGame::keysPressed = 1 << 3;  // digit 3: the direction, and the toss
  CTennis::a_updateServing();
  CGame::keysPressed = 0;
  EXPECT_EQ(user()->state, 3);
  EXPECT_EQ(user()->returnDir, 3);
  for (int32_t f = 0; f < 400 && user()->state != 5; f++) {
    CTennis::a_updateServing();
    frame(user());
  }
  EXPECT_EQ(user()->state, 5);
  ASSERT_TRUE(flyBall());
  // The user's serve goes into the box across from its half 1: depth 11900..18300.
  EXPECT_GE(stub()->landZ, 11900 - kBoxTolerance);
  EXPECT_LE(stub()->landZ, 18300);
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(PlayerServeTest, AComputerReceiverReturnsTheBallOnceItsDirectionIsSet) {
  LogCapture log;
  // The user serves on the keys; the computer waits on its half and plays the ball back.
  CTennis::server = user();
  CTennis::matchState = 2;
  user()->prepareServe(true, 0);
  rival()->prepareToReceiveServe(true, 0);
  CGame::keysHeld = 0x10000;
  CTennis::a_updateServing();
  CGame::keysHeld = 0;
  frame(user());
  CGame::keysPressed = 1 << 2;
  CTennis::a_updateServing();
  CGame::keysPressed = 0;
  for (int32_t f = 0; f < 400 && user()->state == 3; f++) {
    CTennis::a_updateServing();
    frame(user());
  }
  ASSERT_EQ(user()->state, 8);
  rival()->onRivalReturnBall(user());
  CTennis::ball->calculateRouteInfo();
  CTennis::matchState = 5;
  bool struck = false;
  for (int32_t f = 0; f < 300 && !struck; f++) {
    CTennis::matchFrame++;
    CTennis::ball->update();
    CTennis::ball->calculateRouteInfo();
    rival()->update();
    rival()->updatePlayerStrike();
    if (rival()->strikeState != 0 && rival()->returnDir == -1) rival()->setReturnBallDir(2);
    CTennis::updateAllScreen();
    rival()->paintYourself();
    struck = stub()->returns > 0;
  }
  EXPECT_TRUE(struck);
  EXPECT_EQ(rival()->state == 4 || rival()->state == 5, true);
  // Back towards the user's half.
  EXPECT_GT(CTennis::ball->vz, 0);
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

}  // namespace
}  // namespace sorv::test
