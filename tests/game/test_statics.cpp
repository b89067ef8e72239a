#include <gtest/gtest.h>

#include "game/cgame.h"
#include "runtime/util_random.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {
namespace {

using StaticsTest = GameTest;

int32_t at(ObjectArray* rows, int32_t r, int32_t c) {
  return static_cast<IntArray*>(rows->elements()[r])->elements()[c];
}

TEST_F(StaticsTest, ShellTablesStartWithTheirFirstValues) {
  ASSERT_FALSE(isNull(CGame::stateStack.get()));
  EXPECT_EQ(CGame::stateStack->length, 8);
  EXPECT_EQ(CGame::stateTop, 0);
  ASSERT_EQ(CGame::optionValues->length, 2);
  EXPECT_EQ(CGame::optionValues->elements()[0], 0) << "sound stays off until the options are read";
  EXPECT_EQ(CGame::matchSettings->length, 5);
  for (auto* pool : {CGame::poolObjects.get(), CGame::pool2Objects.get()}) EXPECT_EQ(pool->length, 15);
  for (auto* states : {CGame::poolStates.get(), CGame::pool2States.get()}) EXPECT_EQ(states->length, 15);
  EXPECT_EQ(CGame::soundCountdown, -1);
  EXPECT_EQ(CGame::softLeftState, -1);
  EXPECT_EQ(CGame::softRightState, -1);
  EXPECT_EQ(CGame::padLastCell, -1);
  EXPECT_EQ(CGame::messageBarColour, 0x331FB7);
  ASSERT_EQ(CGame::cheatCodes->length, 13);
  EXPECT_EQ(at(CGame::cheatCodes, 0, 3), 512);
  EXPECT_EQ(at(CGame::cheatCodes, 11, 0), 1);
  EXPECT_EQ(at(CGame::cheatCodes, 12, 3), 4);
  EXPECT_EQ(CGame::cheatUnlocked->length, 13);
  EXPECT_EQ(CGame::cheatAttrValues->length, 5);
  ASSERT_EQ(CGame::padCells->length, 9);
  EXPECT_EQ(at(CGame::padCells, 4, 0), 105);
  EXPECT_EQ(at(CGame::padCells, 8, 1), 400);
  ASSERT_EQ(CGame::nameKeyChars->length, 27);
  EXPECT_EQ(static_cast<CharArray*>(CGame::nameKeyChars->elements()[0])->elements()[0], u'A');
  EXPECT_EQ(static_cast<CharArray*>(CGame::nameKeyChars->elements()[26])->elements()[0], u'-');
  EXPECT_EQ(CGame::careerAllLocations->elements()[13], 23);
  EXPECT_EQ(CGame::textPacks->length, 5);
}

TEST_F(StaticsTest, TheGeneratorFollowsTheSeedSwitch) {
  setenv("SORV_SEED", "1234", 1);
  serve({});
  const int32_t first = CGame::random->nextInt();
  serve({});
  unsetenv("SORV_SEED");
  EXPECT_EQ(CGame::random->nextInt(), first);
  Random* reference = Random::create(1234);
  EXPECT_EQ(reference->nextInt(), first);
}

}  // namespace
}  // namespace sorv::test
