// The pauses on a loaded match: when the in-game menu may open, what opening it leaves, and
// the special pause's kinds (the ones that end at once, the thunder serve, the rain).
#include <gtest/gtest.h>

#include <string>

#include "device/sound_glue.h"
#include "tests/game/pause_fixture.h"
#include "runtime/util_random.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

TEST_F(PauseTest, TheMenuOpensOnlyInPlayOrAnUnpausedTraining) {
  struct Case {
    const char* name;
    int32_t state, matchState;
    bool serveFlag;
    int32_t left, right, bars, training;
    bool valid;
  };
  const Case cases[] = {
      {"before the point", 40, 2, false, 39, -1, 0, -1, true},
      {"before the point, serve flag set", 40, 2, true, 39, -1, 0, -1, false},
      {"ball in play", 40, 5, false, 39, -1, 0, -1, true},
      {"ball in play, serve flag set", 40, 5, true, 39, -1, 0, -1, true},
      {"after a call", 40, 9, false, 39, -1, 0, -1, true},
      {"another match state", 40, 3, false, 39, -1, 0, -1, false},
      {"match state 1", 40, 1, false, 39, -1, 0, -1, false},
      {"no menu icon", 40, 5, false, 17, -1, 0, -1, false},
      {"skip offered", 40, 5, false, 39, 17, 0, -1, false},
      {"black bars running", 40, 5, false, 39, -1, 6, -1, false},
      {"training playing", 44, 0, false, -1, -1, 0, 0, true},
      {"training paused", 44, 0, false, -1, -1, 0, 2, false},
      {"training not started", 44, 0, false, -1, -1, 0, -1, false},
      {"the pause itself", 42, 5, false, 39, -1, 0, 0, false},
      {"the special pause", 41, 5, false, 39, -1, 0, 0, false},
      {"a menu state", 8, 5, false, 39, -1, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setState(c.state);
    CTennis::matchState = c.matchState;
    CTennis::serveFlag = c.serveFlag;
    CTennis::leftSoftKeyText = c.left;
    CTennis::rightSoftKeyText = c.right;
    CGame::blackBarsFrames = c.bars;
    CTraining::trainingState = c.training;
    EXPECT_EQ(CGame::isInGameMenuValid(), c.valid);
  }
  CGame::blackBarsFrames = 0;
}

TEST_F(PauseTest, OpeningPushesTheMenuOfTheMatchKind) {
  struct Case {
    const char* name;
    int32_t state;
    bool career;
    int32_t screen;
  };
  const Case cases[] = {{"a match", 40, false, 20}, {"a career match", 40, true, 28}, {"a training", 44, false, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    playing(5);
    setState(c.state);
    CTraining::trainingState = 0;
    CTennis::careerMatch = c.career;
    CGame::softKeyCounter = 7;
    CGame::softLeftState = CGame::softRightState = 1;
    CGame::initPause(0);
    EXPECT_EQ(stack(), (std::vector<int32_t>{c.state, 42}));
    EXPECT_EQ(CGame::menuScreenCode, c.screen);
    EXPECT_EQ(CGame::menuCursor, 0);
    EXPECT_EQ(CGame::softKeyCounter, 0);
    EXPECT_EQ(CGame::softLeftState, -1);
    EXPECT_EQ(CGame::softRightState, -1);
    EXPECT_EQ(CGame::pauseKind, 0);
  }
}

TEST_F(PauseTest, AMenuNotAllowedOnlyPaintsTheStill) {
  playing(3);
  CGame::initPause(0);
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
  EXPECT_EQ(CGame::menuScreenCode, -1);
}

TEST_F(PauseTest, TheEditorPauseOpensTheAttributeScreen) {
  CGame::initPause(1);
  EXPECT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  EXPECT_EQ(CGame::pauseKind, 1);
  // Its own keys close it again.
  CGame::keysPressed = CGame::kKeySoftRight;
  CGame::updatePause();
  CGame::keysPressed = 0;
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
}

TEST_F(PauseTest, SpecialPausesOfOtherKindsEndAtTheirFirstUpdate) {
  for (int32_t kind : {0, 1, 4}) {
    SCOPED_TRACE(kind);
    playing(5);
    CGame::initSPEPause(kind);
    EXPECT_EQ(stack(), (std::vector<int32_t>{40, 41}));
    EXPECT_TRUE(CGame::speDrawBuffer);
    EXPECT_FALSE(CGame::speBarsOn);
    CGame::updateSPEPause();
    EXPECT_EQ(stack(), std::vector<int32_t>{40});
  }
}

TEST_F(PauseTest, TheSoftKeyEndsAPauseWithItsBar) {
  CGame::initSPEPause(0);
  CGame::keysPressed = CGame::kKeySoftRight;
  CGame::paintSPEPause();
  EXPECT_TRUE(CGame::speQuitting);
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(PauseTest, TheRainPauseEndsThroughItsOwnEndAndPopsOnce) {
  playing(5);
  CGame::initSPEPause(2);
  ASSERT_EQ(stack(), (std::vector<int32_t>{40, 41}));
  CGame::keysPressed = kFire;
  int32_t updates = 0;
  while (CGame::GET_CURRENT_STATE() == 41 && updates < 100) {
    CGame::updateSPEPause();
    CGame::keysPressed = 0;
    updates++;
  }
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
  EXPECT_TRUE(CGame::speQuitting);
  EXPECT_GT(updates, 1);  // the bars run out before the pause ends
  // A second end (the key after the rain's own) leaves the match alone.
  CGame::quitSPEPause();
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
}

class PauseSoundTest : public PauseTest {
 protected:
  void SetUp() override {
    PauseTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
    GameSound::setSoundOptionReader(nullptr);
    GameSound::unloadForTests();  // the loader may have loaded them before the files were there
    GameSound::loadAll();
    GameSound::stopAll();
  }
};

TEST_F(PauseSoundTest, ThunderOpensShakesAndClosesInFiveFramesEach) {
  CGame::initSPEPause(3);
  ASSERT_EQ(stack(), (std::vector<int32_t>{40, 41}));
  std::vector<int32_t> heights;
  int32_t shakes = 0;
  while (CGame::GET_CURRENT_STATE() == 41 && heights.size() < 40) {
    EXPECT_FALSE(GameSound::isPlaying(3));
    CGame::updateSPEPause();
    heights.push_back(CGame::speBarHeight);
    if (CGame::thunderFrames > shakes) shakes = CGame::thunderFrames;
  }
  EXPECT_EQ(heights, (std::vector<int32_t>{5, 10, 15, 20, 25, 25, 25, 25, 25, 20, 15, 10, 5, 0}));
  EXPECT_EQ(shakes, 5);
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
  EXPECT_TRUE(GameSound::isPlaying(3));
  // Ending again neither pops the match nor thunders twice.
  GameSound::stopAll();
  CGame::quitSPEPause();
  EXPECT_FALSE(GameSound::isPlaying(3));
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
}

TEST_F(PauseSoundTest, ThunderHoldsABufferFadeAndTheGeneratorUntilItEnds) {
  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  CGame::updatePDB();
  const int32_t step = CGame::pdbStep;
  const uint32_t seed = CGame::random->seedLow;
  CGame::initSPEPause(3);
  CGame::updateSPEPause();
  EXPECT_FALSE(CGame::pdbActive);
  while (CGame::GET_CURRENT_STATE() == 41) CGame::updateSPEPause();
  EXPECT_TRUE(CGame::pdbActive);
  EXPECT_EQ(CGame::pdbStep, step);
  EXPECT_EQ(CGame::random->seedLow, seed);
  CGame::disablePaintDirectInBuffer();
}

}  // namespace
}  // namespace sorv::test
