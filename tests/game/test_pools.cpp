#include <gtest/gtest.h>

#include "game/cgame.h"
#include "match/rigid_body.h"
#include "runtime/string.h"
#include "sprites/cactor.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

class PoolTest : public GameTest {
 protected:
  static RigidBody* body(int32_t type) {
    RigidBody* b = newObject<RigidBody>();
    b->type = type;
    return b;
  }
  static int8_t state(int32_t slot) { return CGame::poolStates->elements()[slot]; }
};

TEST_F(PoolTest, ListsAddFindAndRemove) {
  ObjectArray* list = Array::newObjectArray(0, 3);
  Object* a = String::fromCString("a");
  Object* b = String::fromCString("b");
  EXPECT_EQ(CGame::p_add(list, a), 0);
  EXPECT_EQ(CGame::p_add(list, b), 1);
  EXPECT_EQ(CGame::p_add(list, a), 0) << "an object already listed keeps its index";
  EXPECT_EQ(CGame::p_size(list), 2);
  EXPECT_EQ(CGame::p_find(list, b, 0), 1);
  EXPECT_EQ(CGame::p_find(list, b, 2), -1);
  EXPECT_EQ(CGame::p_remove(list, a), 0);
  EXPECT_EQ(CGame::p_remove(list, a), -1);
  EXPECT_EQ(CGame::p_add(list, String::fromCString("c")), 0) << "the first hole is filled";
  EXPECT_EQ(CGame::p_add(list, String::fromCString("d")), 2);
  LogCapture log;
  EXPECT_EQ(CGame::p_add(list, String::fromCString("e")), -1);
  EXPECT_EQ(CGame::p_size(list), 3);
  const std::string text = log.text();
  EXPECT_EQ(text.find("ArrayOutOfBound"), text.rfind("ArrayOutOfBound")) << "one report";
  EXPECT_NE(text.find("ArrayOutOfBound"), std::string::npos);
}

TEST_F(PoolTest, LockFreeResetAndClear) {
  CActor* actor = newObject<CActor>();
  RigidBody* ball = body(6);
  EXPECT_EQ(CGame::p_add(actor), 0);
  EXPECT_EQ(state(0), CGame::kSlotFree);
  CGame::p_lock(ball);
  EXPECT_EQ(state(1), CGame::kSlotLocked);
  EXPECT_EQ(CGame::p_add(ball), 1);
  EXPECT_EQ(state(1), CGame::kSlotLocked) << "adding again keeps the lock";
  EXPECT_EQ(CGame::p_add(nullptr), -1);
  CGame::p_free(ball);
  EXPECT_EQ(state(1), CGame::kSlotFree);
  CGame::p_lock(actor);
  CGame::p_resetPool();
  EXPECT_EQ(state(0), CGame::kSlotFree);
  EXPECT_EQ(state(2), CGame::kSlotEmpty);
  CGame::p_clearPool();
  EXPECT_EQ(CGame::p_size(CGame::poolObjects), 0);
  EXPECT_EQ(state(0), CGame::kSlotEmpty);
  for (int32_t i = 0; i < CGame::kPoolSize; i++) CGame::p_add(newObject<CActor>());
  LogCapture log;
  EXPECT_EQ(CGame::p_add(newObject<CActor>()), -1) << "a sixteenth object finds no slot";
  const std::string text = log.text();
  EXPECT_EQ(text.find("ArrayOutOfBound"), text.rfind("ArrayOutOfBound"));
}

TEST_F(PoolTest, FindFreeMatchesTheKind) {
  CActor* actor = newObject<CActor>();
  RigidBody* player = body(0);
  RigidBody* ball = body(10);
  CGame::p_add(actor);
  CGame::p_add(player);
  CGame::p_add(ball);
  EXPECT_EQ(CGame::p_findFree(0), ball);
  EXPECT_EQ(CGame::p_findFree(1), actor);
  EXPECT_EQ(CGame::p_findFree(2), player);
  EXPECT_EQ(state(2), CGame::kSlotFree) << "the caller locks it";
  CGame::p_lock(player);
  EXPECT_EQ(CGame::p_findFree(2), ball);
  CGame::p_lock(ball);
  EXPECT_EQ(CGame::p_findFree(0), nullptr);
  EXPECT_EQ(CGame::p_findFree(3), nullptr) << "pool two is empty";
  CGame::pool2Objects->elements()[4] = actor;
  CGame::pool2States->elements()[4] = CGame::kSlotFree;
  EXPECT_EQ(CGame::p_findFree(3), actor);
  CGame::p_free(actor);
  EXPECT_EQ(CGame::pool2States->elements()[4], CGame::kSlotFree);
}

TEST_F(PoolTest, UnknownKindThrowsOnlyWhenAFreeSlotExists) {
  EXPECT_EQ(CGame::p_findFree(4), nullptr);
  EXPECT_EQ(takeException(), -1) << "no free slot, no exception";
  CGame::p_add(newObject<CActor>());
  std::string message;
  EXPECT_EQ(CGame::p_findFree(7), nullptr);
  EXPECT_EQ(takeException(&message), kIllegalArgumentException);
  EXPECT_EQ(message, "no free object of type7");
}

}  // namespace
}  // namespace sorv::test
