// The objects of a level on the shipped data: barriers that are not there, checkpoint rows in
// turn, bonus spots never used twice, tank slots, removals back to the pool, screen points by
// axis and the collision dispatch.
#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/util_random.h"
#include "sprites/cactor.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

class ObjectsTest : public TrainingTest {
 protected:
  static int8_t stateOf(Object* o) {
    const int32_t i = CGame::p_find(CGame::poolObjects, o, 0);
    return i < 0 ? CGame::kSlotEmpty : aload(CGame::poolStates.get(), i);
  }
  static bool listed(ObjectArray* list, Object* o) { return CGame::p_find(list, o, 0) >= 0; }
};

TEST_F(ObjectsTest, ANegativeBarrierTimeLeavesTheSlotEmpty) {
  ServeRecord r;
  useRecord(T::kGameServe, r.encode());
  startTraining(T::kGameServe, 1);
  T::newLevel(T::kGameServe, 1);
  EXPECT_TRUE(isNull(T::barrier)) << "row 0's time is -1";
  const int32_t listedBefore = CGame::p_size(T::objectList);
  T::removeBarrier();
  T::addBarrier(T::newBarrier(3));
  EXPECT_TRUE(isNull(T::barrier)) << "row 3's time is -5";
  EXPECT_EQ(CGame::p_size(T::objectList), listedBefore);
  T::addBarrier(T::newBarrier(1));
  ASSERT_FALSE(isNull(T::barrier));
  EXPECT_EQ(T::barrier->type, T::kTypeBarrier);
  EXPECT_EQ(T::barrier->boxWidth, r.barrierWidth);
  EXPECT_EQ(T::barrier->boxAxis, 16);
  EXPECT_TRUE(T::barrier->scheduled);
  EXPECT_TRUE(T::barrier->scheduleReturn);
  EXPECT_TRUE(listed(T::ball->barriers, T::barrier));
}

TEST_F(ObjectsTest, CheckPointRowsAreUsedInTurnAndWrap) {
  AccuracyRecord r;
  useRecord(T::kGameAccuracy, r.encode());
  startTraining(T::kGameAccuracy, 1);
  T::newLevel(T::kGameAccuracy, 1);
  for (int32_t want : {1, 2, 0, 1, 2}) {
    T::removeCheckPoint();
    T::addCheckPoint(T::newCheckPoint());
    ASSERT_FALSE(isNull(T::checkPoint));
    EXPECT_EQ(T::checkPointIndex, want);
    const Row& row = r.checkPoints[static_cast<size_t>(want)];
    EXPECT_EQ(T::checkPoint->x, row[0] + row[2] / 2);
    EXPECT_EQ(T::checkPoint->z, row[1] + row[3] / 2);
    EXPECT_EQ(T::checkPoint->boxAxis, 2);
    EXPECT_EQ(T::checkPoint->bounceLoss, 40);
    EXPECT_FALSE(T::checkPoint->routeValid);
    EXPECT_EQ(T::checkPointActor->animation, row[5]);
    EXPECT_EQ(CGame::p_size(T::ball->barriers), 1) << "the old checkpoint left the ball's list";
  }
}

TEST_F(ObjectsTest, UsedSpotsAreNeverDrawnAgain) {
  StepRecord r;
  r.stages[0].spots = {{25, 100, 100, 200, 200}, {25, 300, 300, 400, 400}, {25, 500, 500, 600, 600},
                       {15, 700, 700, 800, 800}, {10, 900, 900, 1000, 1000}};
  useRecord(T::kGameStep, r.encode());
  startTraining(T::kGameStep, 1);
  T::newLevel(T::kGameStep, 1);
  T::stage = 0;
  IntArray* keys = Array::fillInts(Array::newIntArray(5), {2, 0, 3, -1, -1});
  for (int32_t i = 0; i < 40; i++) {
    T::lastBonusKey = 2;
    RigidBody* bonus = T::newBonus(keys);
    ASSERT_FALSE(isNull(bonus));
    const int32_t key = aload(keys, 3);
    EXPECT_TRUE(key == 1 || key == 4) << key;
    EXPECT_EQ(bonus->x, key == 1 ? 350 : 950);
    EXPECT_EQ(bonus->type, T::kTypeBonus);
    EXPECT_EQ(bonus->bounceLoss, 10);
    EXPECT_EQ(bonus->boxWidth, r.bonusShape[3]);
    EXPECT_EQ(bonus->boxHeight, r.bonusShape[2]);
    EXPECT_EQ(bonus->boxAxis, r.bonusShape[4]);
  }
}

TEST_F(ObjectsTest, AStageWantingEveryWeightedSpotEnds) {
  StepRecord r;
  r.stages[0].bonuses = 3;
  r.stages[0].spots = {{98, 100, 100, 200, 200}, {0, 300, 300, 400, 400}, {1, 500, 500, 600, 600}, {1, 700, 700, 800, 800}};
  useRecord(T::kGameStep, r.encode());
  startTraining(T::kGameStep, 1);
  T::newLevel(T::kGameStep, 1);
  ASSERT_EQ(T::bonuses->length, 3);
  EXPECT_EQ(T::lastBonusKey, 2);
  EXPECT_EQ(aload(T::bonusKeys.get(), 0), 0);
  EXPECT_EQ(aload(T::bonusKeys.get(), 1), 2);
  EXPECT_EQ(aload(T::bonusKeys.get(), 2), 3) << "the weightless spot is never taken";
  // A stage restart replaces the bonuses and the circle, leaving no old one listed.
  T::newCircle(0, false);
  ASSERT_FALSE(isNull(T::circle));
  EXPECT_TRUE(listed(T::objectList, T::circle));
  EXPECT_EQ(CGame::p_size(T::player->barriers), 3 + 1);
  EXPECT_EQ(CGame::p_size(T::objectList), 1 + 3 + 1) << "the player, the bonuses and the circle";
}

TEST_F(ObjectsTest, TanksTakeFreeSlotsOnly) {
  PowerRecord r;
  useRecord(T::kGamePower, r.encode());
  startTraining(T::kGamePower, 1);
  T::newLevel(T::kGamePower, 1);
  for (int32_t s = 0; s < T::kTankSlots; s++) T::removeTank(static_cast<RigidBody*>(aload(T::tanks.get(), s)));
  RigidBody* a = T::newTank(0);
  T::addTank(a, 0, 0);
  RigidBody* b = T::newTank(1);
  T::addTank(b, 1, 2);
  EXPECT_EQ(aload(T::tanks.get(), 0), a);
  EXPECT_EQ(aload(T::tanks.get(), 2), b);
  EXPECT_EQ(b->x, r.slots[2]);
  EXPECT_EQ(b->z, r.lanes[1][0]);
  EXPECT_EQ(b->vz, r.lanes[1][1]);
  RigidBody* c = T::newTank(0);
  T::addTank(c, 0, 0);
  EXPECT_EQ(aload(T::tanks.get(), 1), c) << "a taken slot gives way to the free one";
  RigidBody* d = T::newTank(0);
  const int32_t listedBefore = CGame::p_size(T::objectList);
  T::addTank(d, 0, -1);
  EXPECT_EQ(CGame::p_size(T::objectList), listedBefore) << "no free slot, no tank";
  for (int32_t s = 0; s < T::kTankSlots; s++) EXPECT_NE(aload(T::tanks.get(), s), d);
}

TEST_F(ObjectsTest, RemovalsFreeBodyAndActor) {
  startTraining(T::kGameServe, 1);
  T::newLevel(T::kGameServe, 2);
  RigidBody* board = T::target;
  ASSERT_FALSE(isNull(board));
  CActor* actor = board->actor;
  EXPECT_EQ(stateOf(board), CGame::kSlotLocked);
  EXPECT_EQ(stateOf(actor), CGame::kSlotLocked);
  T::removeTarge();
  EXPECT_TRUE(isNull(T::target));
  EXPECT_EQ(stateOf(board), CGame::kSlotFree);
  EXPECT_EQ(stateOf(actor), CGame::kSlotFree);
  EXPECT_FALSE(listed(T::objectList, board));
  EXPECT_FALSE(listed(T::ball->barriers, board));
  T::removeTarge();  // nothing there: nothing happens
  // The freed body and actor come back for the next board.
  T::addTarget(T::newTarget(1));
  EXPECT_EQ(T::target.get(), board);
  EXPECT_EQ(T::streak, 0);
}

TEST_F(ObjectsTest, ScreenPointsFollowTheAxis) {
  startTraining(T::kGameServe, 1);
  RigidBody* body = T::newRigidBody();
  body->setX(9000);
  body->setY(400);
  body->setZ(15000);
  body->boxWidth = 1000;
  IntArray* out = Array::newIntArray(2);
  IntArray* want = Array::newIntArray(2);
  struct Case {
    int32_t axis, y;
  };
  for (const Case c : {Case{1, 400}, Case{2, 400}, Case{4, 900}, Case{8, 900}, Case{16, 900}, Case{32, 900}}) {
    body->boxAxis = c.axis;
    T::getPosOnScreen(out, body);
    T::project3DTo2D(want, 9000, c.y, 15000);
    T::project2D2Logical(want);
    EXPECT_EQ(aload(out, 0), aload(want, 0)) << c.axis;
    EXPECT_EQ(aload(out, 1), aload(want, 1)) << c.axis;
  }
  // Any other axis keeps the last call's point.
  body->boxAxis = 48;
  body->setZ(5000);
  T::getPosOnScreen(out, body);
  EXPECT_EQ(aload(out, 1), aload(want, 1));
}

TEST_F(ObjectsTest, CollisionsReachOneRulePerContact) {
  startTraining(T::kGameStep, 1);
  struct Case {
    int32_t first, second;
    bool open;
    int32_t rule;
  };
  const int32_t ball = RigidBody::kTypeBall, human = RigidBody::kTypeHuman;
  const Case cases[] = {
      {ball, T::kTypeCheckPoint, false, T::kCheckPointRule}, {ball, T::kTypeTank, false, T::kTankRule},
      {ball, T::kTypeTarget, false, T::kTargetRule},         {ball, T::kTypeBarrier, false, T::kBarrierRule},
      {T::kTypeCircle, human, true, T::kCircleRule},         {T::kTypeCircle, human, false, T::kNoRule},
      {T::kTypeBonus, human, false, T::kBonusRule},          {T::kTypeBonus, human, true, T::kBonusRule},
      {ball, T::kTypeBonus, false, T::kNoRule},              {ball, T::kTypeCircle, true, T::kNoRule},
      {ball, human, false, T::kNoRule},                      {ball, ball, false, T::kNoRule},
      {RigidBody::kTypeOtherBall, T::kTypeTarget, false, T::kNoRule},
      {T::kTypeBonus, RigidBody::kTypeComputer, false, T::kNoRule},
      {T::kTypeTank, T::kTypeTarget, false, T::kNoRule},     {human, T::kTypeBonus, false, T::kNoRule}};
  RigidBody* a = RigidBody::create(CGame::trainingObject, RigidBody::kTypeNone);
  RigidBody* b = RigidBody::create(CGame::trainingObject, RigidBody::kTypeNone);
  for (const Case& c : cases) {
    a->type = c.first;
    b->type = c.second;
    T::circleOpen = c.open;
    EXPECT_EQ(T::collisionRule(a, b), c.rule) << c.first << " " << c.second;
    // A contact calls both orders; at most one of them reaches a rule.
    if (c.rule != T::kNoRule) EXPECT_EQ(T::collisionRule(b, a), T::kNoRule) << c.first << " " << c.second;
  }
  EXPECT_EQ(T::collisionRule(nullptr, b), T::kNoRule);
  // The bonus's screen point goes to the scratch point first.
  a->type = T::kTypeBonus;
  a->boxAxis = 2;
  a->setX(8000);
  a->setZ(25000);
  b->type = human;
  T::onCollidsion(a, b, nullptr);
  IntArray* want = Array::newIntArray(2);
  T::project3DTo2D(want, 8000, 0, 25000);
  T::project2D2Logical(want);
  EXPECT_EQ(aload(T::hintPos.get(), 0), aload(want, 0));
  EXPECT_EQ(aload(T::hintPos.get(), 1), aload(want, 1));
}

}  // namespace
}  // namespace sorv::test
