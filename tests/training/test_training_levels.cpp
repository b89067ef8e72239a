// The shipped levels: every level of every game loads and builds with no runtime error, its
// objects at their rows, in their slots, lists and pool locks; unload leaves nothing behind.
#include "game/cgame.h"
#include "runtime/array.h"
#include "sprites/cactor.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

class ShippedLevelsTest : public TrainingTest {
 protected:
  static int32_t locked() {
    int32_t n = 0;
    for (int32_t i = 0; i < CGame::kPoolSize; i++) n += aload(CGame::poolStates.get(), i) == CGame::kSlotLocked ? 1 : 0;
    return n;
  }
  static bool isLocked(Object* o) {
    const int32_t i = CGame::p_find(CGame::poolObjects, o, 0);
    return i >= 0 && aload(CGame::poolStates.get(), i) == CGame::kSlotLocked;
  }
  static bool listed(ObjectArray* list, Object* o) { return !isNull(o) && CGame::p_find(list, o, 0) >= 0; }
  static void expectPlaced(RigidBody* body, ObjectArray* barrierList, const std::string& what) {
    ASSERT_FALSE(isNull(body)) << what;
    EXPECT_TRUE(listed(T::objectList, body)) << what;
    EXPECT_TRUE(listed(barrierList, body)) << what;
    EXPECT_TRUE(isLocked(body)) << what;
    if (!isNull(body->actor)) EXPECT_TRUE(isLocked(body->actor)) << what;
  }
};

TEST_F(ShippedLevelsTest, EveryLevelOfEveryGameBuilds) {
  for (int32_t game = 0; game < T::kGameCount; game++) {
    startTraining(game, 0);
    for (int32_t level = 0; level < T::kLevelCount; level++) {
      const std::string tag = std::to_string(game) + "/" + std::to_string(level);
      LogCapture log;
      T::newLevel(game, level);
      EXPECT_FALSE(runtimeErrors(log.text())) << tag << "\n" << log.text();
      EXPECT_EQ(log.text().find("loadRawLevelDatas"), std::string::npos) << tag << log.text();
      ASSERT_FALSE(isNull(T::player)) << tag;
      ASSERT_FALSE(isNull(T::ball)) << tag;
      EXPECT_TRUE(listed(T::objectList, T::player)) << tag;
      EXPECT_EQ(T::levelResult, -1);
      EXPECT_EQ(T::points, 0);
      EXPECT_EQ(T::machineTimer, -1);
      EXPECT_FALSE(T::levelStarted);
      ObjectArray* ballList = T::ball->barriers;
      switch (game) {
        case T::kGameServe: {
          expectPlaced(T::target, ballList, tag + " board");
          ShortArray* row = static_cast<ShortArray*>(aload(T::targetRows.get(), 0));
          EXPECT_EQ(T::target->x, aload(row, 0)) << tag;
          EXPECT_EQ(T::target->z, aload(row, 1)) << tag;
          EXPECT_EQ(T::target->boxWidth, 4 * T::targetRadius);
          EXPECT_EQ(T::target->type, T::kTypeTarget);
          ShortArray* barrierRow = static_cast<ShortArray*>(aload(T::barrierRows.get(), 0));
          if (aload(barrierRow, 4) < 0) {
            EXPECT_TRUE(isNull(T::barrier)) << tag;
          } else {
            expectPlaced(T::barrier, ballList, tag + " barrier");
          }
          EXPECT_EQ(T::ballsLeft, T::ballCount);
          EXPECT_EQ(T::servePhase, 0);
          break;
        }
        case T::kGamePower: {
          int32_t tanks = 0;
          for (int32_t s = 0; s < T::kTankSlots; s++) {
            RigidBody* tank = static_cast<RigidBody*>(aload(T::tanks.get(), s));
            if (isNull(tank)) continue;
            tanks++;
            expectPlaced(tank, ballList, tag + " tank");
            EXPECT_EQ(tank->x, aload(T::tankParams.get(), s)) << tag;
            EXPECT_LT(tank->z, RigidBody::kNetZ) << tag;
            EXPECT_GT(tank->vz, 0) << tag;
          }
          EXPECT_EQ(tanks, T::tankLanes->length) << tag;
          EXPECT_EQ(T::tanksLeft, T::tankCount);
          EXPECT_EQ(T::player->z, 30185);
          break;
        }
        case T::kGameStep: {
          ObjectArray* playerList = T::player->barriers;
          const int32_t n = aload(static_cast<ShortArray*>(aload(T::stageRows.get(), 0)), 1);
          ASSERT_EQ(T::bonuses->length, n) << tag;
          for (int32_t i = 0; i < n; i++) {
            expectPlaced(static_cast<RigidBody*>(aload(T::bonuses.get(), i)), playerList, tag + " bonus");
            if (i > 0) EXPECT_LT(aload(T::bonusKeys.get(), i - 1), aload(T::bonusKeys.get(), i)) << "sorted by key";
          }
          expectPlaced(T::circle, playerList, tag + " circle");
          EXPECT_EQ(T::player->x, T::circle->x) << "the player starts on the circle";
          EXPECT_EQ(T::circle->type, T::kTypeCircle);
          EXPECT_FALSE(T::circleOpen);
          break;
        }
        default:
          EXPECT_TRUE(isNull(T::checkPoint)) << tag;
          EXPECT_EQ(T::checkPointIndex, 0);
          EXPECT_EQ(T::ballsLeft, T::ballCount);
          EXPECT_EQ(T::player->z, game == T::kGameNetAccuracy ? 21500 : 30185) << tag;
          break;
      }
      EXPECT_LE(locked(), CGame::kPoolSize);
    }
    T::unload();
    EXPECT_EQ(T::loadingStep, 0);
    EXPECT_TRUE(tablesEmpty());
    EXPECT_TRUE(isNull(T::player) && isNull(T::ball) && isNull(T::target) && isNull(T::barrier) &&
                isNull(T::checkPoint) && isNull(T::circle) && isNull(T::tanks) && isNull(T::bonuses));
    EXPECT_TRUE(isNull(T::sprite) && isNull(T::checkPointSprite) && isNull(T::objectList));
    EXPECT_EQ(CGame::p_size(CGame::poolObjects), 0);
    EXPECT_EQ(CGame::GetStringCount(kTextTraining), 0);
    EXPECT_EQ(T::currentCourt, 2) << "the court type goes back";
  }
}

TEST_F(ShippedLevelsTest, TheLevelsPlayOnTheCourt) {
  for (int32_t game = 0; game < T::kGameCount; game++) {
    for (int32_t level = 0; level < T::kLevelCount; level++) {
      ASSERT_TRUE(T::loadRawLevelDatas(game, level)) << game << "/" << level;
      if (game == T::kGameServe) EXPECT_GE(T::targetRowCount, T::ballCount + 1) << "a row for every board hit";
      if (!isNull(T::machineParams)) {
        EXPECT_LT(aload(T::machineParams.get(), 5), RigidBody::kNetZ) << "the machine in the far half";
        for (int32_t i = 0; i < T::launchTable->length; i++) {
          EXPECT_GT(aload(static_cast<ShortArray*>(aload(T::launchTable.get(), i)), 2), RigidBody::kNetZ) << "aimed at the near half";
        }
      }
    }
  }
}

}  // namespace
}  // namespace sorv::test
