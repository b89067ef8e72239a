// The loading screen's roads on the synthetic data, its bar and hints, and the black bars.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/cae.h"
#include "runtime/lang_system.h"
#include "runtime/util_random.h"
#include "tests/menus/menu_fixture.h"
#include "training/ctraining.h"

namespace sorv::test {
namespace {

constexpr int32_t kBlack = 0;

class LoadingScreenTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useBootData();
  }
  // The shipped data and the boot's achievement data: a loaded match starts at once and
  // counts its records, a training level clears the achievement queues.
  void useBootData() {
    useShippedData();
    CGame::Lib_Open(StaticClass::getConstant(kConstBootPack), false);
    CAE::LoadAchiData(CGame::Lib_GetData(kBootAchievements, false, nullptr));
    CGame::Lib_Close();
    CGame::initRMS();
  }
  // Frames until the state is `target`, at most `limit`; the number run.
  int runUntil(int32_t target, int limit) {
    int n = 0;
    while (CGame::GET_CURRENT_STATE() != target && n < limit) {
      frame();
      n++;
    }
    return n;
  }
  static void expectClean(const LogCapture& log) {
    for (const char* error : {"NullPointer", "ArrayOutOfBound", "ArithmeticException", "stacktrace"}) {
      EXPECT_FALSE(log.contains(error)) << log.text();
    }
  }
};

TEST_F(LoadingScreenTest, TheMenusLoadBehindTheScreenForThreeSeconds) {
  LogCapture log;
  CGame::SWITCH_STATE(4);
  ASSERT_EQ(CGame::GET_CURRENT_STATE(), 11);
  EXPECT_FALSE(CGame::loadingShown);
  const int64_t start = System::currentTimeMillis();
  int firstDone = -1, switched = -1;
  for (int n = 1; n <= 200 && switched < 0; n++) {
    frame();
    clock::advance(CGame::kFrameMs);
    if (n == 1) {
      EXPECT_TRUE(CGame::loadingShown);
    }
    if (CGame::loadingDone && firstDone < 0 && CGame::GET_CURRENT_STATE() == 11) firstDone = n;
    if (CGame::GET_CURRENT_STATE() == 5) switched = n;
    if (switched < 0) {
      EXPECT_LE(CGame::loadingProgress, 100);
    }
  }
  ASSERT_GT(firstDone, 0);
  EXPECT_EQ(switched, firstDone + 1);
  EXPECT_GE(System::currentTimeMillis() - start, 3000);
  frames(30);
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
  expectClean(log);
}

TEST_F(LoadingScreenTest, AMatchAndATrainingLoadBehindTheScreen) {
  struct Case {
    int32_t from, target;
  };
  for (const Case& c : {Case{12, 40}, Case{43, 44}}) {
    SCOPED_TRACE(c.target);
    // The match took the menus' resources down; the menus load them again.
    if (c.from == 43) {
      useBootData();
      // Training loads the level chosen before it: with none it goes back to the menus.
      CTraining::selectGame(0);
      CTraining::selectLevel(0);
    }
    LogCapture log;
    setState(6);
    CGame::SWITCH_STATE(c.from);
    runUntil(11, 3);
    ASSERT_EQ(CGame::GET_CURRENT_STATE(), 11);
    EXPECT_EQ(CGame::loadingTarget, c.target);
    // One loader step a frame: the match takes its 33 steps, the training its 23 and the
    // rest of its three seconds on screen.
    for (int i = 0; i < 80 && !CGame::loadingDone; i++) {
      clock::advance(CGame::kFrameMs);
      frame();
    }
    EXPECT_TRUE(CGame::loadingDone);
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), 11);
    frame();
    EXPECT_EQ(CGame::GET_CURRENT_STATE(), c.target);
    // The loading screen's sprites go with the switch to a match or training.
    EXPECT_TRUE(isNull(CGame::loadingSprite));
    EXPECT_TRUE(isNull(CGame::loadingButtonsSprite));
    frames(2);
    expectClean(log);
  }
}

TEST_F(LoadingScreenTest, ProgressIsKeptBetween0And100) {
  setState(11);
  CGame::loadingTarget = 5;
  CGame::loadStartTime = System::currentTimeMillis();
  for (int32_t step : {0, 6, 28}) {
    CGame::loadingStep = step;
    CGame::loadingDone = false;
    CGame::updateLoading();
    EXPECT_GE(CGame::loadingProgress, 0);
    EXPECT_LE(CGame::loadingProgress, 100);
    EXPECT_FALSE(CGame::loadingDone);
  }
  EXPECT_EQ(CGame::loadingProgress, 100);  // step 28 reports 103
}

class LoadingBarTest : public LoadingScreenTest {
 protected:
  // Menu 7's segment box: the full frame's extent at item 13 + i.
  int32_t segmentX(int32_t i) { return static_cast<int16_t>(CGame::GetMenuItemPosition(7, 13 + i)); }
  std::vector<uint16_t> alone(int32_t frame, int32_t i) {
    clear();
    CGame::DrawFrameAsItem(frame, -1, 7, 13 + i, false);
    return region(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
  std::vector<uint16_t> bar(int32_t progress) {
    clear();
    CGame::drawLoadingAniBar(progress);
    return region(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
};

TEST_F(LoadingBarTest, SegmentsFillByFourteenUnits) {
  const int32_t fullFrame = CGame::GetMenuItemFrameID(7, 12);
  const int32_t emptyFrame = CGame::GetMenuItemFrameID(7, 13);
  ASSERT_GE(fullFrame, 0);
  ASSERT_NE(fullFrame, emptyFrame);
  const int32_t w = CGame::kGameWidth;
  // Reference: every segment drawn alone, full or empty, over the same black.
  std::vector<std::vector<uint16_t>> full, empty;
  for (int32_t i = 0; i < 7; i++) {
    full.push_back(alone(fullFrame, i));
    empty.push_back(alone(emptyFrame, i));
  }
  struct Case {
    int32_t progress, fullSegments, partialPixels;
  };
  const Case cases[] = {{0, 0, 0}, {13, 0, 13}, {20, 1, 6}, {97, 6, 13}, {98, 7, 0}, {100, 7, 0}, {103, 7, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.progress);
    LogCapture log;
    const std::vector<uint16_t> got = bar(c.progress);
    for (int32_t i = 0; i < 7; i++) {
      const int32_t x0 = segmentX(i), x1 = i + 1 < 7 ? segmentX(i + 1) : w;
      for (int32_t y = 0; y < CGame::kGameHeight; y++) {
        for (int32_t x = x0; x < x1; x++) {
          const bool isFull = i < c.fullSegments || (i == c.fullSegments && x < x0 + c.partialPixels);
          const size_t at = static_cast<size_t>(y * w + x);
          const uint16_t want = isFull ? full[i][at] : empty[i][at];
          if (got[at] != want) {
            ADD_FAILURE() << "segment " << i << " pixel " << x << "," << y;
            i = 7;
            y = CGame::kGameHeight;
            break;
          }
        }
      }
    }
    expectClean(log);
  }
}

TEST_F(LoadingScreenTest, HintsAreDrawnFromTheirRanges) {
  struct Case {
    int32_t target, kind, last;
  };
  CGame::loadingSprite = static_cast<ASprite*>(aload(CGame::menuSprites.get(), 0));
  CGame::random = Random::create(7);
  for (const Case& c : {Case{40, 5, 11}, Case{40, 0, 4}, Case{5, 0, 5}, Case{6, 0, 5}}) {
    SCOPED_TRACE(c.target * 10 + c.kind);
    CGame::loadingTarget = c.target;
    CTennis::matchKind = c.kind;
    std::set<int32_t> seen;
    for (int n = 0; n < 300; n++) {
      CGame::loadingStep = 1;
      CGame::paintLoading();
      seen.insert(CGame::loadingHint);
    }
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), c.last);
    EXPECT_EQ(static_cast<int32_t>(seen.size()), c.last + 1);
    LogCapture log;
    CGame::loadingStep = 3;
    clear();
    CGame::paintLoading();
    EXPECT_FALSE(blank(0, 280, CGame::kGameWidth, 120));
    expectClean(log);
  }
  CGame::loadingSprite = nullptr;
  CGame::loadingShown = false;
  CGame::paintLoading();
  EXPECT_FALSE(CGame::loadingShown);
}

class BlackBarsTest : public BootTest {
 protected:
  // The height of the top bar and of the bottom bar at column 400, over white; each bar
  // ends at the middle.
  static std::pair<int32_t, int32_t> bars() {
    int32_t top = 0, bottom = 0;
    while (top < CGame::kGameHeight / 2 && pixelOf(CGame::backBuffer, 400, top) == kBlack) top++;
    while (bottom < CGame::kGameHeight / 2 && pixelOf(CGame::backBuffer, 400, CGame::kGameHeight - 1 - bottom) == kBlack) {
      bottom++;
    }
    return {top, bottom};
  }
  static void white() {
    Graphics* g = CGame::backBufferGraphics;
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    g->setColor(0xFFFFFF);
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
};

TEST_F(BlackBarsTest, BarsCloseAndOpenOverTheirFrames) {
  for (bool closing : {true, false}) {
    SCOPED_TRACE(closing);
    CGame::initBlackScreen(12, closing);
    for (int32_t step = 0; step < 12; step++) {
      white();
      const bool done = CGame::updateBlackScreen();
      const int32_t h = closing ? 20 * step : 240 - 20 * step;
      EXPECT_EQ(bars(), std::make_pair(h, h)) << step;
      EXPECT_EQ(done, step == 11) << step;
    }
    EXPECT_EQ(CGame::blackBarsFrames, 0);
    white();
    EXPECT_TRUE(CGame::updateBlackScreen());
    EXPECT_EQ(bars(), std::make_pair(0, 0));
  }
}

TEST_F(BlackBarsTest, NoFramesEndsAtOnceAndTheBufferFreezes) {
  CGame::initBlackScreen(0, true);
  EXPECT_TRUE(CGame::updateBlackScreen());
  CGame::initBlackScreen(-3, false);
  EXPECT_TRUE(CGame::updateBlackScreen());
  EXPECT_EQ(CGame::blackBarsFrames, 0);

  CGame::initBlackScreen(12, true);
  CGame::paintingIntoBuffer = true;
  white();
  EXPECT_FALSE(CGame::updateBlackScreen());
  EXPECT_EQ(CGame::blackBarsStep, 0);
  EXPECT_EQ(bars(), std::make_pair(0, 0));
  CGame::paintingIntoBuffer = false;
  CGame::updateBlackScreen();
  EXPECT_EQ(CGame::blackBarsStep, 1);
}

}  // namespace
}  // namespace sorv::test
