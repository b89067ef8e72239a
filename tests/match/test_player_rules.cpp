// The players' rules on the shipped data: attributes and their mended faults, keys and
// movement, the stroke's reach and keys, and the driver's states.
#include <gtest/gtest.h>

#include "tests/match/player_fixture.h"

namespace sorv::test {
namespace {

using PlayerRulesTest = PlayerTest;

ByteArray* bytes(std::initializer_list<int32_t> v) {
  ByteArray* a = Array::newByteArray(static_cast<int32_t>(v.size()));
  int32_t i = 0;
  for (int32_t x : v) astore(a, i++, x);
  return a;
}

TEST_F(PlayerRulesTest, AttributeLevelsFromTheRoster) {
  IntArray* entry = static_cast<IntArray*>(aload(CPlayer::rosterAttr.get(), 0));
  const int32_t keep[5] = {aload(entry, 0), aload(entry, 1), aload(entry, 2), aload(entry, 3), aload(entry, 4)};
  // Roster values 100, 1 and 21 give 5, 1 and 2; a value past the table's scale stays at 5.
  const int32_t values[5] = {100, 1, 21, 40, 127};
  for (int32_t k = 0; k < 5; k++) astore(entry, k, values[k]);
  user()->rosterIndex = 0;
  CTennis::setPlayerAttr(user(), 0);
  EXPECT_EQ(user()->attr0, 5);
  EXPECT_EQ(user()->attrServe, 1);
  EXPECT_EQ(user()->attr2, 2);
  EXPECT_EQ(user()->attrSpeed, 2);
  EXPECT_EQ(user()->attrStroke, 5);
  for (int32_t k = 0; k < 5; k++) astore(entry, k, keep[k]);
  // Computer bonuses clamp into 1..5.
  ByteArray* hard = CTennis::caculatePlayerNPCAttr(0, 2, true);
  ByteArray* easy = CTennis::caculatePlayerNPCAttr(29, 0, true);
  for (int32_t k = 0; k < 5; k++) {
    EXPECT_GE(aload(hard, k), 1);
    EXPECT_LE(aload(hard, k), 5);
    EXPECT_GE(aload(easy, k), 1);
  }
  rival()->setAbilityLevels(bytes({1, 2, 3, 4, 5}));
  EXPECT_EQ(std::vector<int32_t>(rival()->aiLevels->elements(), rival()->aiLevels->elements() + 5),
            (std::vector<int32_t>{0, 3, 2, 4, 1}));
}

TEST_F(PlayerRulesTest, TuningAHumanDownLeavesItsLevelsAndActionAlone) {
  user()->initPlayerAttr(bytes({1, 3, 5, 2, 4}));
  user()->preServeAction = false;
  user()->tunePlayerAttrAndAbility(-1);
  EXPECT_EQ(user()->attr0, 1);
  EXPECT_EQ(user()->attrServe, 2);
  EXPECT_EQ(user()->attr2, 4);
  EXPECT_FALSE(user()->preServeAction);
  rival()->tuneChance = 1000;
  rival()->setAbilityLevels(bytes({5, 5, 5, 5, 5}));
  rival()->tunePlayerAttrAndAbility(1);
  EXPECT_TRUE(rival()->preServeAction);
  EXPECT_EQ(aload(rival()->aiLevels, 0), 4);
}

TEST_F(PlayerRulesTest, TheCareerAvatarKeepsItsAttributesAcrossPoints) {
  // The career gives the avatar its own attributes after set-up.
  user()->initPlayerAttr(bytes({5, 5, 5, 5, 5}));
  rival()->tunePlayerAttrAndAbility(1);
  rival()->setUpAttrKept = false;
  const int32_t rivalSpeed = rival()->attrSpeed;
  for (int32_t point = 0; point < 3; point++) {
    CTennis::resetAllPlayersAttr();
    EXPECT_EQ(user()->attr0, 5);
    EXPECT_EQ(user()->attrSpeed, 5);
    EXPECT_EQ(rival()->attrSpeed, rivalSpeed);
    // A boost during the point lasts until the next one.
    rival()->tunePlayerAttrAndAbility(-1);
  }
}

TEST_F(PlayerRulesTest, KeysGiveDirections) {
  struct Case {
    int32_t held, pressed, move, strike;
  };
  const Case cases[] = {
      {0, 0, 0, -1},          {0x10000, 0, 0, 5},     {0x4000 | 0x80, 0, 6, 2}, {0x20, 0, 0, 5},
      {0x8000, 0, 3, 8},      {0x1000, 0, 2, 4},      {0x2000, 0, 1, 6},        {0x4, 0, 1, 2},
      {0x200, 0, 8, 9},       {0x2, 0, 7, 1},         {0x8, 0, 5, 3},           {0x10, 0, 4, 4},
      {0x40, 0, 3, 6},        {0x100, 0, 2, 8},       {0, 1 << 7, 0, 7},
  };
  for (const Case& c : cases) {
    CGame::keysHeld = c.held;
    CGame::keysPressed = c.pressed;
    EXPECT_EQ(CTennis::getMoveChoice(), c.move) << std::hex << c.held;
    EXPECT_EQ(CTennis::getStrikeChoiceKeyDownOrPress(), c.strike) << std::hex << c.held;
  }
  CGame::keysHeld = CGame::keysPressed = 0;
  // Turns: 45 degrees keeps running, 90 restarts, more brakes; from standing it brakes.
  const int32_t turns[][3] = {{1, 5, 3}, {1, 3, 1}, {1, 2, 2}, {5, 1, 3}, {5, 7, 1}, {5, 6, 2}, {0, 4, 2}, {8, 3, 3}};
  for (const auto& t : turns) {
    user()->moveDir = t[0];
    EXPECT_EQ(user()->getMoveState(t[1]), t[2]) << t[0] << "->" << t[1];
  }
}

TEST_F(PlayerRulesTest, VelocitiesOnBothHalvesAndRunningDirections) {
  for (CPlayer* p : {user(), rival()}) {
    p->attrSpeed = 3;
    p->moveState = 3;
    const int32_t s = p->userTeamSide ? 1 : -1;
    const int32_t side = aload(CPlayer::runSpeedSide.get(), 2), fwd = aload(CPlayer::runSpeedForward.get(), 2);
    p->getMoveInfo(p->moveInfo, 1);
    EXPECT_EQ(aload(p->moveInfo, 2), -s * fwd * 3 / 2);
    p->getMoveInfo(p->moveInfo, 3);
    EXPECT_EQ(aload(p->moveInfo, 1), s * side * 3 / 2);
    EXPECT_EQ(p->waitReceiveMove(3), 21);
    EXPECT_EQ(p->vx, s * side / 2);
    EXPECT_EQ(p->waitReceiveMove(0), 20);
    EXPECT_EQ(p->vx, 0);
    // runToXY's direction codes run the player towards the point on either half.
    p->changeState(5);
    p->setPos(9000, p->userTeamSide ? 30000 : 6000);
    p->resetSpeed();
    p->sliding = false;
    p->runToXY(9000, p->userTeamSide ? 25000 : 11000);
    EXPECT_EQ(p->moveDir, 1);
    EXPECT_EQ(p->vz * s < 0, true);
    p->resetSpeed();
    EXPECT_TRUE(p->runToXY(p->x + 60, p->z + 60));
  }
}

TEST_F(PlayerRulesTest, ServeStepsAndCourtLimitsHold) {
  for (CPlayer* p : {user(), rival()}) {
    for (const bool left : {true, false}) {
      p->prepareServe(left, 0);
      p->move(3, false);
      EXPECT_EQ(p->vx, (p->userTeamSide ? 1 : -1) * 3750);
      EXPECT_EQ(p->animActor->animation, 18);
      p->move(4, false);
      EXPECT_EQ(p->vx, (p->userTeamSide ? -1 : 1) * 3750);
      EXPECT_EQ(p->animActor->animation, 19);
      for (int32_t f = 0; f < 200; f++) p->update();
      const bool right = p->userTeamSide == left;
      EXPECT_GE(p->x, right ? 9285 : 5170);
      EXPECT_LE(p->x, right ? 13000 : 8885);
    }
    p->changeState(5);
    for (int32_t f = 0; f < 10000; f++) {
      if (f % 7 == 0) p->move(CGame::RAND(0, 8), false);
      p->update();
      if (p->animActor->ended) p->manageMove();
      ASSERT_GE(p->x, 3060);
      ASSERT_LE(p->x, 15110);
      ASSERT_GE(p->z, p->userTeamSide ? 19300 : 1415);
      ASSERT_LE(p->z, p->userTeamSide ? 35185 : 17300);
    }
  }
}

TEST_F(PlayerRulesTest, ServeAndReceivePlaces) {
  struct Case {
    bool userSide, fromLeft, serve;
    int32_t role, x, z;
  };
  const Case cases[] = {
      {true, true, true, 0, 10113, 30685},   {true, false, true, 0, 8057, 30685},
      {false, true, true, 0, 8057, 5915},    {false, false, true, 0, 10113, 5915},
      {true, true, true, 1, 5470, 25200},    {false, true, true, 1, 12700, 11400},
      {true, true, false, 0, 12700, 30685},  {false, false, false, 0, 12700, 5915},
      {true, true, false, 1, 6373, 25200},   {false, true, false, 1, 11797, 11400},
  };
  for (const Case& c : cases) {
    CPlayer* p = c.userSide ? user() : rival();
    if (c.serve) {
      p->prepareServe(c.fromLeft, c.role);
      EXPECT_EQ(p->state, c.role == 0 ? 1 : 5);
    } else {
      p->prepareToReceiveServe(c.fromLeft, c.role);
      EXPECT_EQ(p->state, c.role == 0 ? 9 : 6);
    }
    EXPECT_EQ(p->x, c.x) << c.userSide << c.fromLeft << c.serve << c.role;
    EXPECT_EQ(p->z, c.z) << c.userSide << c.fromLeft << c.serve << c.role;
    EXPECT_EQ(p->serveFromLeft, c.fromLeft);
    EXPECT_EQ(p->strikeState, 0);
    EXPECT_EQ(p->specialAction, -1);
  }
  // A computer server waits 12..48 frames; a computer receiver 0..36 and picks its step.
  for (int32_t i = 0; i < 50; i++) {
    rival()->prepareServe(true, 0);
    EXPECT_GE(rival()->waitFrames, 12);
    EXPECT_LE(rival()->waitFrames, 48);
    EXPECT_EQ(rival()->npcDecisionFrame, 0x7FFFFFFF);
    rival()->prepareToReceiveServe(true, 0);
    EXPECT_LE(rival()->waitFrames, 36);
  }
}

TEST_F(PlayerRulesTest, ReachClassesAtTheirBoundsAndARouteShortOfThePlayer) {
  RigidBody* b = CTennis::ball;
  CPlayer* p = user();
  // A ball on a straight line along the court at x 9085: the player stands dx to its side.
  b->init(Array::fillInts(Array::newIntArray(3), {9085, 1000, 10000}), Array::fillInts(Array::newIntArray(3), {0, 3000, 20000}), nullptr);
  b->calculateRouteInfo();
  const int32_t cases[][2] = {{750, 1}, {751, 2}, {1200, 2}, {1201, 3}, {1800, 3}, {1801, 4}, {2500, 4},
                              {2501, 5}, {3000, 5}, {3001, 6}, {3375, 6}, {3376, 0}};
  for (const auto& c : cases) {
    p->changeState(6);
    p->resetStrikeState();
    p->setPos(9085 + c[0], 24000);
    const bool ok = p->getPlayerStrikeCondition(p->moveInfo);
    EXPECT_EQ(ok, c[1] != 0) << c[0];
    if (ok) EXPECT_EQ(aload(p->moveInfo, 0), c[1]) << c[0];
  }
  // A player beyond every point of the route reads no reach kind past the route: a slower
  // ball lands twice before depth 35000 (a player between the two landings could still play it).
  LogCapture log;
  b->init(Array::fillInts(Array::newIntArray(3), {9085, 1000, 10000}), Array::fillInts(Array::newIntArray(3), {0, 3000, 10000}), nullptr);
  b->calculateRouteInfo();
  ASSERT_LT(aload(static_cast<IntArray*>(b->route->elements()[RigidBody::kRoutePoints - 1]), 1), 35000);
  p->changeState(6);
  p->resetStrikeState();
  p->setPos(9085 + 2000, 35000);
  EXPECT_FALSE(p->getPlayerStrikeCondition(p->moveInfo));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

TEST_F(PlayerRulesTest, ABallWithoutDepthSpeedStartsNoWindowedStroke) {
  RigidBody* b = CTennis::ball;
  b->init(Array::fillInts(Array::newIntArray(3), {9085, 1000, 20000}), Array::fillInts(Array::newIntArray(3), {0, 0, 0}), nullptr);
  CPlayer* p = rival();
  p->changeState(6);
  p->resetStrikeState();
  p->strikeX = 9085;
  p->updateStrikeState(3, 1, true);
  EXPECT_EQ(p->strikeState, 0);
  // Type 2 kind 4 has no swing: the stroke is cancelled.
  p->updateStrikeState(2, 4, true);
  EXPECT_EQ(p->strikeState, 0);
  EXPECT_EQ(p->returnDir, -1);
}

TEST_F(PlayerRulesTest, DirectionKeysAndTheirRelease) {
  CPlayer* p = user();
  for (int32_t d = 1; d <= 9; d++) {
    p->resetStrikeState();
    p->strikeState = 1;
    p->strokeType = 3;
    p->strokeKind = 2;
    p->setReturnBallDir(d);
    EXPECT_EQ(p->returnDir, d);
    p->doubleDir = 5;  // released
    p->setReturnBallDir(d);
    if (d < 7) {
      EXPECT_EQ(p->secondDir, 1) << d;
      EXPECT_EQ(CTennis::ball->trailKind, 2) << d;
    } else {
      EXPECT_EQ(p->secondDir, -1) << d;
      EXPECT_EQ(CTennis::ball->trailKind, 3) << d;
    }
  }
  // The release speed table's index is clamped at both ends.
  p->attr0 = 3;
  IntArray* row = static_cast<IntArray*>(aload(CPlayer::releaseSpeedTable.get(), 2));
  const int32_t n = row->length;
  p->contactFrame = 100;
  p->doubleDir = 1;
  EXPECT_EQ(p->changeSpeedByReleaseKey(10000), 10000 * (100 + aload(row, 0)) / 100);
  p->doubleDir = 1000;
  EXPECT_EQ(p->changeSpeedByReleaseKey(10000), 10000 * (100 + aload(row, n - 1)) / 100);
}

TEST_F(PlayerRulesTest, PointsOfFallStayInsideTheTargetHalf) {
  for (const bool doubles : {false, true}) {
    CTennis::isDoubles = doubles;
    const int32_t w = doubles ? 5425 : 4115;
    for (CPlayer* p : {user(), rival()}) {
      for (int32_t control = 1; control <= 5; control++) {
        p->attr0 = control;
        for (int32_t d = 1; d <= 9; d++) {
          p->getPointOfFall(p->flightA, d);
          const int32_t x = aload(p->flightA, 0), z = aload(p->flightA, 1);
          EXPECT_GE(x, 9085 - w + 250) << d;
          EXPECT_LE(x, 9085 + w - 250) << d;
          if (p->userTeamSide) {
            EXPECT_TRUE(z >= 6665 && z <= 16550) << z;
          } else {
            EXPECT_TRUE(z >= 20050 && z <= 29935) << z;
          }
        }
      }
    }
  }
  CTennis::isDoubles = false;
}

TEST_F(PlayerRulesTest, DriverStatesAndSpecialActions) {
  CPlayer* p = user();
  p->changeState(5);
  p->vx = 500;
  p->changeState(5);
  EXPECT_EQ(p->vx, 500);  // the same state runs no entry step
  for (const int32_t action : {3, 20, 21, 24}) {
    p->resetPlayerAction();
    p->strikeState = 2;
    p->setSpecialAction(action, 0);
    EXPECT_EQ(p->specialAction, action == 3 ? 3 : -1) << action;
    EXPECT_EQ(p->state, action == 3 ? 7 : 10) << action;
  }
  // A human never runs the decision steps.
  CTennis::matchState = 5;
  p->resetPlayerAction();
  p->changeState(6);
  p->targetX = 0;
  p->update();
  EXPECT_EQ(p->targetX, 0);
  EXPECT_EQ(CPlayer::kReactionDelay[0], 1200);
  EXPECT_EQ(CPlayer::kReactionDelay[2], 1000);
}

TEST_F(PlayerRulesTest, DrawingArrowsAndSlideMarks) {
  LogCapture log;
  CPlayer* p = rival();
  for (const int32_t x : {800, 801, -1, 0}) {
    astore(p->screenPos, 0, x);
    p->drawPlayerOutIndication();
  }
  CPlayer::resetSlipTrace();
  CPlayer::addSlipTrace(100, 300, 0);
  CPlayer::addSlipTrace(120, 300, -400);
  EXPECT_EQ(aload(static_cast<IntArray*>(aload(CPlayer::slipTrace.get(), 1)), 2), -400);
  for (const int32_t court : {1, 2}) {
    CTennis::currentCourt = court;
    CPlayer::paintSlipTrace();
  }
  EXPECT_FALSE(log.contains("NullPointer"));
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
}

}  // namespace
}  // namespace sorv::test
