// The self-playing user through every level of every game on several seeds, as the shell
// runs a level: each ends within a frame cap, the first level always passes, nothing logs a
// runtime error, the object list and the pool never overflow, the best is the highest
// settled score, and unloading leaves nothing locked in the pool.
#include <algorithm>
#include <vector>

#include "game/cgame.h"
#include "runtime/array.h"
#include "runtime/util_random.h"
#include "tests/support/run_budget.h"
#include "tests/training/training_fixture.h"

namespace sorv::test {
namespace {

using T = CTraining;

constexpr int32_t kFrameCap = 6000;
constexpr int32_t kRightSoft = 0x20000;
constexpr int32_t kQuestion = 1;

class SoakTest : public TrainingTest {
 protected:
  void TearDown() override {
    CTennis::autoplay = false;
    TrainingTest::TearDown();
  }
  // One level to its result page; the frames it took, or -1 at the cap.
  static int32_t playLevel(int32_t game, int32_t level, int32_t* mostListed) {
    T::selectGame(static_cast<int8_t>(game));
    T::selectLevel(static_cast<int8_t>(level));
    // Collisions reach training's rules only in the shell's training state.
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, T::kTrainingState);
    startTraining(game, T::level);
    T::switchToTrainning();
    for (int32_t f = 0; f < kFrameCap; f++) {
      // The tutorial's question is the user's to decline; the rest plays itself.
      CGame::keysPressed = T::trainingState == 2 && aload(T::messageBox.get(), 3) == kQuestion ? kRightSoft : 0;
      clock::advance(CGame::kFrameMs);
      CTennis::matchFrame++;
      CGame::trainingObject->update();
      if (T::trainingState == 4) {
        while (T::Loading() != -1) clock::advance(100);
        T::switchToTrainning();
      }
      *mostListed = std::max(*mostListed, CGame::p_size(CTennis::objectList));
      if (T::trainingState == 3) return f;
    }
    return -1;
  }
  static int32_t locked() {
    int32_t n = 0;
    for (int32_t i = 0; !isNull(CGame::poolStates) && i < CGame::poolStates->length; i++) {
      n += aload(CGame::poolStates.get(), i) == CGame::kSlotLocked ? 1 : 0;
    }
    return n;
  }
};

TEST_F(SoakTest, TheSelfPlayingUserPlaysEveryLevelOfEveryGame) {
  const bool slow = kSanitizerBuild || memoryStressOn();
  const std::vector<int64_t> seeds = slow ? std::vector<int64_t>{2009} : std::vector<int64_t>{2009, 7, 42};
  const int32_t levels = slow ? 2 : T::kLevelCount;
  CTennis::autoplay = true;
  for (int32_t game = 0; game < T::kGameCount; game++) {
    std::vector<int32_t> best(T::kLevelCount, 0);
    for (int64_t seed : seeds) {
      for (int32_t level = 0; level < levels; level++) {
        SCOPED_TRACE(testing::Message() << "game " << game << " level " << level << " seed " << seed);
        CGame::random->setSeed(seed);
        astore(T::unlockedLevels.get(), game, static_cast<int8_t>(T::kLevelCount));
        LogCapture log;
        int32_t mostListed = 0;
        const int32_t frames = playLevel(game, level, &mostListed);
        ASSERT_GE(frames, 0) << "no result within the cap";
        if (level == 0) EXPECT_EQ(T::levelResult, 0) << "the first level always passes; " << frames << " frames, " << T::points << " points\n" << log.text();
        EXPECT_FALSE(runtimeErrors(log.text())) << log.text();
        EXPECT_LE(mostListed, 12);
        // The page's first frames keep the best.
        CTennis::matchFrame++;
        CGame::trainingObject->update();
        // The record keeps bests in tens: the best read back is the highest so far, rounded down.
        int32_t& highest = best[static_cast<size_t>(level)];
        EXPECT_EQ(T::previousBest, highest / 10 * 10);
        if (T::levelResult == 0) highest = std::max(highest, T::finalPoints);
        EXPECT_EQ(aload(T::levelBest.get(), level), T::levelResult == 0 ? std::max(T::previousBest, T::finalPoints)
                                                                          : T::previousBest);
        // Kept as the page's keys keep it, so the next run reads it back.
        ASSERT_TRUE(CGame::RMS(true, CGame::kFirstTrainingRecord + game));
        T::unload();
        EXPECT_EQ(locked(), 0) << "unload leaves nothing locked";
      }
    }
  }
}

}  // namespace
}  // namespace sorv::test
