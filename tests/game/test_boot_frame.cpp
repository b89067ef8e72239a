// The canvas's frame: the turned copy onto the portrait screen, frames that are held, the
// pacing on the program clock, pause and resume.
#include "device/sound_glue.h"
#include "runtime/lang_system.h"
#include "runtime/string.h"
#include "tests/game/boot_fixture.h"
#include "tools/mkdata/sound_builder.h"

namespace sorv::test {
namespace {

TEST_F(BootTest, GamePointsLandOnTheTurnedScreen) {
  struct Case {
    int32_t gx, gy, sx, sy;
  };
  const Case cases[] = {{0, 0, 479, 0},     {799, 479, 0, 799},  {400, 240, 239, 400},
                        {399, 239, 240, 399}, {10, 20, 459, 10},   {799, 0, 479, 799},
                        {0, 479, 0, 0}};
  uint16_t colour = 0x0841;
  for (const Case& c : cases) setPixel(CGame::backBuffer, c.gx, c.gy, colour += 0x0841);
  frame();
  colour = 0x0841;
  for (const Case& c : cases) {
    EXPECT_EQ(pixelOf(screen_, c.sx, c.sy), colour += 0x0841) << c.gx << "," << c.gy;
  }
  EXPECT_EQ(CGame::frameCounter, 1);
}

TEST_F(BootTest, AHeldFrameDrawsAndCountsNothing) {
  setPixel(CGame::backBuffer, 0, 0, 0xFFFF);
  struct Case {
    const char* why;
    bool* flag;
  };
  for (Case c : {Case{"re-entered", &CGame::inPaint}, Case{"hidden", &CGame::hidden}}) {
    *c.flag = true;
    frame();
    *c.flag = false;
    EXPECT_EQ(pixelOf(screen_, 479, 0), 0) << c.why;
    EXPECT_EQ(CGame::frameCounter, 0) << c.why;
  }
  CGame::Pause();
  frame();
  EXPECT_EQ(pixelOf(screen_, 479, 0), 0) << "paused";
  CGame::Resume();
  frame();
  EXPECT_EQ(pixelOf(screen_, 479, 0), 0xFFFF);
  EXPECT_EQ(CGame::frameCounter, 1);
}

TEST_F(BootTest, TheDebugMessageHoldsEveryState) {
  setState(2);
  CGame::soundCountdown = 5;
  CGame::keysPressed = 0x80;
  CGame::debugMessageOn = true;
  CGame::debugMessage = String::fromCString("held");
  frames(3);
  EXPECT_EQ(CGame::soundCountdown, 5) << "the state machine stands still";
  EXPECT_EQ(CGame::keysPressed, 0x80) << "the masks too";
  EXPECT_EQ(CGame::frameCounter, 0);
  EXPECT_EQ(pixelOf(screen_, 240, 400), 0) << "the screen keeps its last picture";
  CGame::debugMessageOn = false;
  frame();
  EXPECT_EQ(CGame::soundCountdown, 4);
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(BootTest, APassedDeadlineIsCleared) {
  CGame::frameDeadline = 3;
  frames(4);
  EXPECT_EQ(CGame::frameDeadline, 3) << "the counter has reached it, not passed it";
  frame();
  EXPECT_EQ(CGame::frameDeadline, 0);
  EXPECT_EQ(CGame::frameCounter, 5);
}

TEST_F(BootTest, FramesStartAFrameApartOnTheProgramClock) {
  struct Case {
    const char* why;
    int64_t sinceLastFrame;
    int64_t waited;
  };
  const Case cases[] = {{"just after a frame", 0, 142},
                        {"part of a frame gone", 50, 92},
                        {"exactly a frame gone", 142, 0},
                        {"a slow frame", 500, 0},
                        {"the tick went back", -1000, 1}};
  for (const Case& c : cases) {
    const int64_t start = System::currentTimeMillis();
    CGame::lastFrameTime = start - c.sinceLastFrame;
    CGame::gameCanvas->run();
    const int64_t now = System::currentTimeMillis();
    EXPECT_EQ(now - start, c.waited) << c.why;
    EXPECT_EQ(CGame::lastFrameTime, now) << c.why;
  }
}

TEST_F(BootTest, AStoppedGameNeitherWaitsNorTimesAFrame) {
  CGame::gameRunning = false;
  CGame::lastFrameTime = System::currentTimeMillis();
  const int64_t before = CGame::lastFrameTime;
  clock::advance(5);
  CGame::gameCanvas->run();
  EXPECT_EQ(System::currentTimeMillis() - before, 5);
  EXPECT_EQ(CGame::lastFrameTime, before);
}

TEST_F(BootTest, PauseTwiceActsOnceAndResumeAloneOnlyTimes) {
  CGame::keysHeld = 0x20;
  CGame::Pause();
  EXPECT_TRUE(CGame::paused);
  EXPECT_TRUE(CGame::inPaint);
  EXPECT_EQ(CGame::keysHeld, 0);
  CGame::keysHeld = 0x20;
  CGame::Pause();
  EXPECT_EQ(CGame::keysHeld, 0x20) << "the second pause does nothing";
  CGame::Resume();
  EXPECT_FALSE(CGame::paused);
  EXPECT_FALSE(CGame::inPaint);
  EXPECT_EQ(CGame::keysHeld, 0);

  CGame::keysHeld = 0x20;
  CGame::repaintAll = false;
  clock::advance(77);
  CGame::Resume();
  EXPECT_EQ(CGame::lastFrameTime, System::currentTimeMillis());
  EXPECT_EQ(CGame::keysHeld, 0x20);
  EXPECT_FALSE(CGame::repaintAll);
}

TEST_F(BootTest, HideAndShowPauseAndResume) {
  CGame::gameCanvas->hideNotify();
  EXPECT_TRUE(CGame::hidden);
  EXPECT_TRUE(CGame::paused);
  CGame::gameCanvas->showNotify();
  EXPECT_FALSE(CGame::hidden);
  EXPECT_FALSE(CGame::paused);
  EXPECT_TRUE(CGame::repaintAll);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

// The canvas with the data builder's 21 sounds installed and sound on.
class FrameSoundTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    std::string error;
    ASSERT_TRUE(mkdata::writeSoundFiles(install_.string(), &error)) << error;
    GameSound::setSoundOptionReader(nullptr);
    GameSound::loadAll();
  }
};

TEST_F(FrameSoundTest, TitleMusicStoppedByHidingPlaysAgainWhenShown) {
  setState(3);
  GameSound::play(0, true);
  CGame::gameCanvas->hideNotify();
  EXPECT_FALSE(GameSound::isPlaying(0));
  CGame::gameCanvas->showNotify();
  EXPECT_TRUE(GameSound::isPlaying(0));
}

TEST_F(FrameSoundTest, OnlyTheFirstPauseStopsTheSounds) {
  GameSound::play(3, false);
  CGame::Pause();
  EXPECT_FALSE(GameSound::isPlaying(3));
  GameSound::play(3, false);
  CGame::Pause();
  EXPECT_TRUE(GameSound::isPlaying(3));
}

TEST_F(FrameSoundTest, ThePauseScreenKeepsItsSounds) {
  setState(42);
  GameSound::play(3, false);
  CGame::Pause();
  EXPECT_TRUE(GameSound::isPlaying(3));
}

}  // namespace
}  // namespace sorv::test
