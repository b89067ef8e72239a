// The screen buffer: the paint-into-buffer fade, painting a state into the buffer (only its
// paint, targets restored, keys cleared, no re-entry, nothing below a one-state stack), the
// switches, and the blurred buffer of the speed lines.
#include "tests/game/draw_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kMatchState = 40;
constexpr int32_t kMainMenuState = 5;

// A match whose frame records what it sees and tries what a match frame may try.
struct Seen {
  int calls = 0;
  bool gfxInBuffer = false, menuInBuffer = false, painting = false, keysCleared = false;
  bool stillInBufferAfterSwitches = false;
};
Seen seen;

class ProbeMatch : public CTennis {
 public:
  int32_t update() override {
    seen.calls++;
    Image* buffer = CGame::screenBuffer;
    seen.gfxInBuffer = CGame::gfx->target == buffer;
    seen.menuInBuffer = CGame::GetMenuGfx()->target == buffer;
    seen.painting = CGame::paintingIntoBuffer;
    seen.keysCleared = CGame::keysPressed == 0;
    CGame::updateScreenBuffer(false);
    CGame::switchToScreen();
    CGame::switchToBuffer();
    CGame::drawBlurBuffer();
    seen.stillInBufferAfterSwitches = CGame::gfx->target == buffer;
    return -1;
  }
};

class ScreenBufferTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    seen = {};
    CGame::disablePaintDirectInBuffer();
    CGame::gfx = CGame::backBufferGraphics;
    CGame::SetMenuGfx(CGame::backBufferGraphics);
    CTennis::matchFrame = 0;
  }

  // Levels after each of n fade steps, one match frame apiece.
  static std::vector<int32_t> steps(int n, std::vector<int32_t>* stepValues = nullptr) {
    std::vector<int32_t> levels;
    for (int i = 0; i < n; i++) {
      CTennis::matchFrame++;
      CGame::updatePDB();
      levels.push_back(CGame::pdbActive ? CGame::pdbLevel : -1);
      if (stepValues != nullptr) stepValues->push_back(CGame::pdbStep);
    }
    return levels;
  }
};

TEST_F(ScreenBufferTest, FadeLevels) {
  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  EXPECT_EQ(steps(7), (std::vector<int32_t>{20, 40, 60, 80, 100, 100, 100}));
  CGame::closePaintDirectInBuffer();
  EXPECT_EQ(steps(7), (std::vector<int32_t>{100, 80, 60, 40, 20, 0, -1}));

  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  steps(3);
  CGame::closePaintDirectInBuffer();
  EXPECT_EQ(steps(4), (std::vector<int32_t>{40, 20, 0, -1}));
  EXPECT_FALSE(CGame::pdbActive);
  EXPECT_EQ(CGame::pdbKind, 0);
}

TEST_F(ScreenBufferTest, StepOneComesOnce) {
  std::vector<int32_t> stepValues;
  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  steps(8, &stepValues);
  CGame::closePaintDirectInBuffer();
  steps(10, &stepValues);
  EXPECT_EQ(std::count(stepValues.begin(), stepValues.end(), 1), 2);  // once opening, once closing
  stepValues.clear();
  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  steps(8, &stepValues);
  EXPECT_EQ(std::count(stepValues.begin(), stepValues.end(), 1), 1);
}

TEST_F(ScreenBufferTest, HeldEffectClosesByItself) {
  CTennis::matchFrame = 50;
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 10);
  for (int i = 1; i <= 12; i++) {
    CTennis::matchFrame++;
    CGame::updatePDB();
    EXPECT_EQ(CGame::pdbClosing, CTennis::matchFrame - 50 >= 10) << i;
    if (CGame::pdbClosing) break;
  }
  EXPECT_EQ(CTennis::matchFrame, 60);
}

TEST_F(ScreenBufferTest, ClosingAndKinds) {
  // Two closes at step 0 end it.
  CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
  CGame::closePaintDirectInBuffer();
  EXPECT_TRUE(CGame::pdbActive);
  CGame::closePaintDirectInBuffer();
  EXPECT_FALSE(CGame::pdbActive);
  // Other kinds are ignored.
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CGame::closePaintDirectInBuffer(CGame::kPdbBlur);
  CGame::disablePaintDirectInBuffer(CGame::kPdbBlur);
  EXPECT_TRUE(CGame::pdbActive);
  EXPECT_FALSE(CGame::pdbClosing);
  CGame::closePaintDirectInBuffer(CGame::kPdbInfoBand);
  EXPECT_TRUE(CGame::pdbClosing);
  CGame::disablePaintDirectInBuffer(CGame::kPdbInfoBand);
  EXPECT_FALSE(CGame::pdbActive);
  // A close of nothing running does nothing.
  CGame::closePaintDirectInBuffer();
  EXPECT_FALSE(CGame::pdbClosing);
}

TEST_F(ScreenBufferTest, SwitchRules) {
  Graphics* screen = CGame::gfx;
  CGame::screenBuffer = nullptr;
  CGame::switchToBuffer();
  EXPECT_EQ(CGame::gfx, screen);
  CGame::switchToScreen();
  EXPECT_EQ(CGame::gfx, screen);
  CGame::createScreenBuffer();
  CGame::switchToBuffer();
  EXPECT_EQ(CGame::gfx->target, CGame::screenBuffer.get());
  // A second switch keeps the screen to come back to.
  CGame::switchToBuffer();
  CGame::switchToScreen();
  EXPECT_EQ(CGame::gfx, screen);
  EXPECT_TRUE(isNull(CGame::savedScreenGraphics));
}

TEST_F(ScreenBufferTest, PaintingAStateIntoTheBuffer) {
  CGame::matchObject = newObject<ProbeMatch>();
  setState(kMatchState);
  CGame::keysPressed = 0x20;
  Graphics* screen = CGame::gfx;
  Graphics* menu = CGame::GetMenuGfx();
  LogCapture log;
  CGame::updateScreenBuffer(false);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(CTennis::matchFrame, 0);  // the paint message only, no update
  EXPECT_TRUE(seen.gfxInBuffer);
  EXPECT_TRUE(seen.menuInBuffer);
  EXPECT_TRUE(seen.painting);
  EXPECT_TRUE(seen.keysCleared);
  EXPECT_TRUE(seen.stillInBufferAfterSwitches);
  EXPECT_EQ(CGame::gfx, screen);
  EXPECT_EQ(CGame::GetMenuGfx(), menu);
  EXPECT_FALSE(CGame::paintingIntoBuffer);
  EXPECT_EQ(CGame::keysPressed | CGame::keysHeld | CGame::keysReleased, 0);
  const std::string text = log.text();
  EXPECT_EQ(text.find("already painting"), text.rfind("already painting"));
  EXPECT_NE(text.find("already painting"), std::string::npos);
  EXPECT_EQ(text.find("NullPointer"), std::string::npos);
}

TEST_F(ScreenBufferTest, LastStateNeedsAStateBelow) {
  CGame::matchObject = newObject<ProbeMatch>();
  setState(kMatchState);
  {
    LogCapture log;
    CGame::updateScreenBuffer(true);
    EXPECT_EQ(seen.calls, 0);
    EXPECT_TRUE(log.contains("no state under state 40"));
    EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  }
  // With the match below the main menu, the match is painted.
  CGame::stateTop = 1;
  astore(CGame::stateStack.get(), 1, kMainMenuState);
  CGame::updateScreenBuffer(true);
  EXPECT_EQ(seen.calls, 1);
}

TEST_F(ScreenBufferTest, GreyBuffer) {
  fillScreenBuffer(0xFFFF0000);
  CGame::updateScreenBufferWithGray();  // the current state has no paint
  EXPECT_EQ(buffered(400, 240), rgb(0xFF4C4C4C));
}

TEST_F(ScreenBufferTest, BlurBufferShowsTheBufferBlurredOnTheFirstStep) {
  for (int32_t step : {2, 1}) {
    SCOPED_TRACE(step);
    fillScreenBuffer(0xFFFF0000);
    clearBack();
    CGame::gfx = CGame::backBufferGraphics;
    CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
    CGame::pdbStep = step;
    CGame::switchToBuffer();
    CGame::drawBlurBuffer();
    EXPECT_EQ(CGame::gfx, CGame::backBufferGraphics.get());
    EXPECT_EQ(back(0, 0), rgb(0xFFFF0000));
    // The leftward blur starts from black at the right end of each strip.
    if (step == 1) {
      EXPECT_NE(back(799, 479), rgb(0xFFFF0000));
    } else {
      EXPECT_EQ(back(799, 479), rgb(0xFFFF0000));
    }
  }
  // Another kind, or nothing switched: nothing drawn.
  clearBack();
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CGame::switchToBuffer();
  CGame::drawBlurBuffer();
  EXPECT_EQ(CGame::gfx->target, CGame::screenBuffer.get());
  EXPECT_EQ(back(0, 0), rgb(0xFF000000));
}

TEST_F(ScreenBufferTest, SplashInPaletteOne) {
  mk::SpriteSpec spec;
  spec.modules = {solid(8, 8, 1)};
  mk::addFrame(spec, {{0, 0, 0, 0, 0}});
  std::vector<uint32_t> second = palette();
  second[1] = kInk[1];
  spec.palettes = {palette(), second};
  serve({{"boot", asText(pack({{0}, {0}, {0}, {0}, mk::writeSprite(spec)}))}});
  resetShell();
  CGame::updateScreenBufferWithStdSplash();
  ASSERT_FALSE(isNull(CGame::screenBuffer));
  EXPECT_EQ(buffered(7, 7), rgb(kInk[1]));
}

TEST_F(ScreenBufferTest, InterfaceBackgroundIsTheBuffer) {
  CGame::screenBuffer = nullptr;
  CGame::drawInterfaceBk(nullptr, -1, -1);
  EXPECT_EQ(back(5, 5), rgb(0xFF000000));
  fillScreenBuffer(0xFFFF0000);
  CGame::drawInterfaceBk(nullptr, -1, -1);
  EXPECT_EQ(back(5, 5), rgb(0xFFFF0000));
}

TEST_F(ScreenBufferTest, MatchAndTrainingStatesMakeTheBuffer) {
  for (int32_t state : {kMatchState, 44}) {
    CGame::screenBuffer = nullptr;
    CGame::SWITCH_STATE(state);
    EXPECT_FALSE(isNull(CGame::screenBuffer)) << state;
  }
}

}  // namespace
}  // namespace sorv::test
