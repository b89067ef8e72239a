// The training loader: its progress and three seconds' wait, what the Step game skips, a
// retry that reloads nothing, text packs reloaded only when dropped, and state 43 leaving
// the menus once.
#include "game/cgame.h"
#include "runtime/clock.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

class LoaderTest : public TrainingTest {
 protected:
  static void create(int32_t game) {
    CGame::trainingObject = CTraining::create();
    T::game = static_cast<int8_t>(game);
    T::level = 1;
  }
  static ASprite* actionSlot(int32_t i) { return static_cast<ASprite*>(aload(CGame::actionSprites0.get(), i)); }
};

TEST_F(LoaderTest, ProgressClimbsToOneHundredAndWaitsThreeSecondsAfterStepThree) {
  create(T::kGamePower);
  std::vector<int32_t> progress;
  for (int32_t call = 0; call < 23; call++) progress.push_back(T::Loading());
  for (int32_t step = 1; step <= 23; step++) EXPECT_EQ(progress[static_cast<size_t>(step - 1)], (step - 1) * 100 / 22) << step;
  EXPECT_EQ(progress.back(), 100);
  // Steps ran on a still clock: the wait holds 100 until 3 s after step 3.
  for (int32_t i = 0; i < 29; i++) {
    EXPECT_EQ(T::Loading(), 100) << i;
    clock::advance(100);
  }
  EXPECT_EQ(T::loadingStep, 23);
  clock::advance(200);
  EXPECT_EQ(T::Loading(), -1);
  EXPECT_FALSE(isNull(T::sprite));
  EXPECT_FALSE(isNull(T::checkPointSprite));
  EXPECT_FALSE(isNull(T::checkPointActor));
  EXPECT_FALSE(isNull(T::hudSprite));
  EXPECT_FALSE(isNull(actionSlot(0)));
  EXPECT_FALSE(isNull(actionSlot(1)));
  EXPECT_TRUE(isNull(T::ballSprite0)) << "the serve meter is the serve game's";
  EXPECT_FALSE(isNull(T::ballSprite1));
  EXPECT_EQ(T::currentCourt, T::kCourt);
  EXPECT_TRUE(isNull(T::courtActor)) << "the training court has no court actor";
  EXPECT_GT(CGame::GetStringCount(kTextTraining), 0);
  EXPECT_GT(CGame::GetStringCount(kTextMatch), 0);
}

TEST_F(LoaderTest, TheTrainingSpriteAndTextsComeWithTheFirstStep) {
  create(T::kGameServe);
  T::Loading();
  EXPECT_FALSE(isNull(T::sprite));
  EXPECT_GT(CGame::GetStringCount(kTextTraining), 0);
  EXPECT_GE(T::sprite->paletteCount, 2);
}

TEST_F(LoaderTest, StepSkipsTheInterfaceAndTheStrokes) {
  create(T::kGameStep);
  loadTraining();
  EXPECT_TRUE(isNull(T::hudSprite));
  EXPECT_TRUE(isNull(T::judgeSprite));
  EXPECT_FALSE(isNull(actionSlot(0)));
  EXPECT_TRUE(isNull(actionSlot(1)));
}

TEST_F(LoaderTest, ServeLoadsTheMeterAndEveryOtherGameTheSlots) {
  create(T::kGameServe);
  loadTraining();
  EXPECT_FALSE(isNull(T::ballSprite0));
  EXPECT_FALSE(isNull(actionSlot(1)));
  EXPECT_EQ(T::judgeSprite->GetCurrentPalette(), 2) << "court type 3 dresses its people in palette 2";
}

TEST_F(LoaderTest, ARetryReloadsNothingAndAnUnloadReloadsAll) {
  create(T::kGameAccuracy);
  loadTraining();
  ASprite* sprite = T::sprite;
  ASprite* hud = T::hudSprite;
  // A retry: state 43 makes a new training object; the loader's step stays.
  create(T::kGameAccuracy);
  clock::advance(3100);
  EXPECT_EQ(T::Loading(), -1) << "nothing to load";
  EXPECT_EQ(T::sprite.get(), sprite);
  EXPECT_EQ(T::hudSprite.get(), hud);
  T::unload();
  create(T::kGameAccuracy);
  EXPECT_GT(loadTraining(), 22);
  EXPECT_NE(T::sprite.get(), nullptr);
}

TEST_F(LoaderTest, TextPacksReloadOnlyWhenDropped) {
  create(T::kGamePower);
  loadTraining();
  String* match = CGame::GetString(kTextMatch, 0);
  String* training = CGame::GetString(kTextTraining, 0);
  T::unload();
  EXPECT_EQ(CGame::GetStringCount(kTextTraining), 0) << "unload drops the training texts";
  create(T::kGamePower);
  loadTraining();
  EXPECT_EQ(CGame::GetString(kTextMatch, 0), match) << "the match texts stayed";
  EXPECT_NE(CGame::GetString(kTextTraining, 0), training) << "the training texts came again";
}

TEST_F(LoaderTest, StateFortyThreeLeavesTheMenusOnlyOnTheFirstEntry) {
  // A retry or the next level: the loader's step is not 0 and the menus' texts stay.
  ASSERT_GT(CGame::GetStringCount(kTextMenus), 0);
  T::loadingStep = 5;
  CGame::SWITCH_STATE(T::kTrainingLoadState);
  EXPECT_GT(CGame::GetStringCount(kTextMenus), 0) << "a retry keeps what is loaded";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 11);
  ASSERT_FALSE(isNull(CGame::trainingObject));
  EXPECT_EQ(CGame::matchMode, T::kMatchMode);
  EXPECT_TRUE(T::isTraining);
  EXPECT_EQ(T::currentCourt, T::kCourt);
  EXPECT_EQ(CGame::loadingTarget, T::kTrainingState);
  // The first entry leaves the menus.
  T::loadingStep = 0;
  CGame::SWITCH_STATE(T::kTrainingLoadState);
  EXPECT_EQ(CGame::GetStringCount(kTextMenus), 0);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 11);
}

}  // namespace
}  // namespace sorv::test
