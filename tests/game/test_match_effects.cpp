// Match effects: floating hints, the rolling serve speed, the weather decisions, rain under
// black bars, the rain interruption, the thunder shake, dust puffs and speed lines, driven
// directly with the match's stand-in filled here.
#include "match/cplayer.h"
#include "runtime/static_class.h"
#include "tests/game/draw_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/match_sprites.h"

namespace sorv::test {
namespace {

constexpr int32_t kMatchState = 40, kSpecialPauseState = 41;

int probePaints = 0;

class ProbeMatch : public CTennis {
 public:
  int32_t update() override {
    probePaints++;
    return -1;
  }
};

class EffectsTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::matchFrame = 0;
    CTennis::viewX = CTennis::viewY = 0;
    CGame::speQuitting = false;
    probePaints = 0;
  }

  static String* text(int chars) { return String::fromCString(std::string(static_cast<size_t>(chars), 'a').c_str()); }
  static IntArray* hint(int32_t slot) {
    return static_cast<IntArray*>(CGame::floatHintData->elements()[slot]);
  }
  static bool hintLive(int32_t slot) { return !isNull(CGame::floatHintText->elements()[slot]); }
};

TEST_F(EffectsTest, FloatingHintSlots) {
  ASprite* font = fixedFont();
  // Eight live hints; one of them, short-lived, is over by frame 10.
  for (int32_t i = 0; i < 8; i++) {
    CTennis::matchFrame = i;
    CGame::activeFloatHint(text(1), font, 0, 100, 100, i == 3 ? 5 : 100, 0);
  }
  CTennis::matchFrame = 10;
  CGame::activeFloatHint(text(2), font, 0, 100, 100, 100, 0);
  EXPECT_EQ(hint(3)->elements()[3], 10);
  // All eight live: the one started first gives way.
  CGame::activeFloatHint(text(3), font, 0, 100, 100, 100, 0);
  EXPECT_EQ(hint(0)->elements()[3], 10);
  EXPECT_EQ(hint(0)->elements()[2], 100);
}

TEST_F(EffectsTest, FloatingHintTiming) {
  ASprite* font = fixedFont();
  CGame::activeFloatHint(text(1), font, 0, 300, 300, 5, 10);
  for (int32_t f = 0; f < 10; f++) {
    CTennis::matchFrame = f;
    EXPECT_TRUE(CGame::drawFloatHints()) << f;
  }
  CTennis::matchFrame = 10;
  EXPECT_FALSE(CGame::drawFloatHints());
  // Life 0: freed on its first frame, never drawn.
  clearBack();
  for (int32_t i = 0; i < 8; i++) CGame::floatHintText->elements()[i] = nullptr;
  CGame::activeFloatHint(text(1), font, 0, 300, 300, 0, 0);
  EXPECT_TRUE(CGame::drawFloatHints());
  EXPECT_FALSE(hintLive(0));
  EXPECT_EQ(back(300, 292), rgb(0xFF000000));
}

TEST_F(EffectsTest, FloatingHintIsPulledOnScreenThenRises) {
  ASprite* font = fixedFont();
  String* wide = text(17);  // 101 pixels: half of it is 50
  font->UpdateStringSize(wide);
  ASSERT_EQ(ASprite::textWidth / 2, 50);
  CTennis::viewX = 40;
  CGame::activeFloatHint(wide, font, 5, 40 + 5, 200, 10, 0);  // palette 5 is not the font's
  const int32_t h = ASprite::textHeight;
  for (int32_t f = 0; f < 4; f++) {
    CTennis::matchFrame = f;
    clearBack();
    EXPECT_FALSE(CGame::drawFloatHints());
    EXPECT_EQ(hint(0)->elements()[0], 40 + 50);
    EXPECT_EQ(hint(0)->elements()[1], 200 - f - 1);
    EXPECT_EQ(back(0, 200 - f - h), rgb(kInk[0])) << f;
  }
  EXPECT_EQ(font->GetCurrentPalette(), 0);
}

TEST_F(EffectsTest, RollingServeSpeed) {
  CGame::serveSpeedTarget = 207;
  CGame::animatedNumberActive = true;
  CGame::animatedNumberPhase = 1;
  std::vector<int32_t> units, tens, hundreds;
  for (int i = 0; i < 20 && CGame::animatedNumberActive; i++) {
    const int32_t phase = CGame::animatedNumberPhase;
    CGame::updateAnimatedNumber();
    const int32_t* d = CGame::animatedNumberDigits->elements();
    if (phase <= 2) units.push_back(d[2]);
    if (phase == 3) tens.push_back(d[1]);
    if (phase == 4) hundreds.push_back(d[0]);
  }
  EXPECT_EQ(units, (std::vector<int32_t>{0, 2, 4, 6, 8, 7}));
  EXPECT_EQ(tens, (std::vector<int32_t>{0}));
  EXPECT_EQ(hundreds, (std::vector<int32_t>{2, 2}));
  EXPECT_FALSE(CGame::animatedNumberActive);
  EXPECT_EQ(CGame::animatedNumberValue, 207);
  EXPECT_EQ(CGame::getMaxSpeedDigit(0), 0);
}

TEST_F(EffectsTest, WeatherDecisions) {
  struct Case {
    const char* what;
    int32_t set;
    bool drizzleOn, interrupted;
    bool drizzlePossible, rainPossible;
  };
  const Case cases[] = {{"second set", 1, false, false, true, true},
                        {"first set", 0, false, false, false, false},
                        {"drizzle on", 2, true, false, false, true},
                        {"interruption done", 2, false, true, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTennis::setIndex = c.set;
    CGame::rainInterruptionDone = c.interrupted;
    int drizzles = 0, rains = 0;
    for (int i = 0; i < 1100; i++) {
      CGame::drizzleOn = c.drizzleOn;
      drizzles += CGame::bEnableDrizzle();
      rains += CGame::bEnableRainInterruption();
    }
    // 1 and 2 chances in 11.
    if (c.drizzlePossible) {
      EXPECT_GT(drizzles, 50);
      EXPECT_LT(drizzles, 150);
    } else {
      EXPECT_EQ(drizzles, 0);
    }
    if (c.rainPossible) {
      EXPECT_GT(rains, 140);
      EXPECT_LT(rains, 260);
    } else {
      EXPECT_EQ(rains, 0);
    }
  }
  CTennis::setIndex = 1;
  CGame::drizzleOn = false;
  CGame::initRain();
  EXPECT_FALSE(CGame::bEnableDrizzle());
}

TEST_F(EffectsTest, RainStaysBetweenTheBars) {
  CGame::initRain();
  CGame::drizzleOn = false;
  for (int32_t i = 0; i < CGame::kRainStreaks; i++) CGame::rainKind->elements()[i] = 1;
  CGame::blackBarsFrames = 12;
  CGame::blackBarsStep = 6;
  bool inside = false;
  for (bool closing : {false, true}) {
    CGame::blackBarsClosing = closing;
    for (int i = 0; i < 60; i++) CGame::drawRain(CGame::backBufferGraphics);
  }
  for (int32_t y = 0; y < CGame::kGameHeight; y++) {
    for (int32_t x = 0; x < CGame::kGameWidth; x++) {
      const bool lit = back(x, y) != rgb(0xFF000000);
      if (y < 120 || y >= 360) {
        ASSERT_FALSE(lit) << x << "," << y;
      }
      inside = inside || lit;
    }
  }
  EXPECT_TRUE(inside);
  CGame::blackBarsFrames = 0;
  Graphics* g = CGame::backBufferGraphics;
  EXPECT_EQ(g->getClipHeight(), CGame::kGameHeight);
}

TEST_F(EffectsTest, ThunderShakesFiveFrames) {
  CGame::thunderFrames = 0;
  CGame::keysPressed = 0x20;
  for (int i = 1; i <= 5; i++) {
    EXPECT_FALSE(CGame::speQuitting);
    CGame::updateThunderServe();
    EXPECT_GE(CGame::speShakeX, -5);
    EXPECT_LE(CGame::speShakeX, 5);
    EXPECT_GE(CGame::speShakeY, -5);
    EXPECT_LE(CGame::speShakeY, 5);
  }
  EXPECT_TRUE(CGame::speQuitting);
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(EffectsTest, DustPuffLastsFourFrames) {
  CTennis::player = newObject<CPlayer>();
  CPlayer* look = CTennis::player;
  look->screenPos = Array::fillInts(Array::newIntArray(2), {200, 300});
  look->slideFlag = 1;
  ASprite* dust = animations({{1, 1, 1, 1}, {1, 1, 1, 1}});
  CGame::dustActor0 = CActor::create(dust, 0, 0);
  CGame::dustActor1 = CActor::create(dust, 1, 0);
  CGame::dustEnabled = false;
  CGame::gfx_drawDust(CTennis::player, false);
  EXPECT_EQ(back(201, 293), rgb(0xFF000000));
  CGame::dustEnabled = true;
  for (int f = 0; f < 5; f++) {
    clearBack();
    CGame::gfx_drawDust(CTennis::player, f % 2 == 1);
    EXPECT_EQ(back(201, 293) != rgb(0xFF000000), f < 4) << f;
    EXPECT_EQ(look->slideFlag != 0, f < 3) << f;
  }
  // A player without a slide: nothing.
  CGame::gfx_drawDust(newObject<CPlayer>(), false);
  CGame::gfx_drawDust(nullptr, false);
}

TEST_F(EffectsTest, DataSetDustHasTwoPuffsAndLoadingEnablesIt) {
  serve({{"matchfx", asText(pack(mk::matchEffectsPackEntries()))}});
  resetShell();
  CGame::Lib_Open(StaticClass::getConstant(kConstMatchFxPack), false);
  EXPECT_FALSE(CGame::dustEnabled);
  CGame::gfx_loadDust();
  ASSERT_FALSE(isNull(CGame::dustSprite));
  EXPECT_GE(CGame::dustSprite->GetAFrames(0), 4);
  EXPECT_GE(CGame::dustSprite->GetAFrames(1), 4);
  EXPECT_TRUE(CGame::dustEnabled);
  CGame::Lib_Close();
}

TEST_F(EffectsTest, SpeedLines) {
  CGame::speedLineActor = CActor::create(animations({{1}}), 0, 0);
  CGame::SetSpeedLineCenterPosition(Array::fillInts(Array::newIntArray(2), {300, 200}));
  CGame::DrawSpeedLineEffect(CGame::backBufferGraphics);
  EXPECT_EQ(back(301, 201), rgb(0xFF000000));  // no effect running
  CGame::StartSpeedLineEffect(1, 2);
  EXPECT_TRUE(CGame::pdbActive);
  EXPECT_EQ(CGame::pdbKind, CGame::kPdbBlur);
  CGame::DrawSpeedLineEffect(CGame::backBufferGraphics);
  EXPECT_EQ(back(301, 201), rgb(kInk[0]));
  CGame::EndSpeedLineEffect();
  EXPECT_TRUE(CGame::pdbClosing);
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CGame::EndSpeedLineEffect();
  EXPECT_FALSE(CGame::pdbClosing);
  CGame::disablePaintDirectInBuffer();
}

class RainInterruptionTest : public EffectsTest {
 protected:
  void SetUp() override {
    EffectsTest::SetUp();
    CGame::matchObject = newObject<ProbeMatch>();
    CGame::stateTop = 1;
    astore(CGame::stateStack.get(), 0, kMatchState);
    astore(CGame::stateStack.get(), 1, kSpecialPauseState);
    CTennis::player = newObject<CPlayer>();
    CTennis::rival = newObject<CPlayer>();
    CTennis::player->screenPos = Array::fillInts(Array::newIntArray(2), {100, 100});
    CGame::frameCounter = 0;
    CGame::screenCovered = false;
    CGame::playersShown = true;
    CGame::initRainInterruption();
    // The bar as the match would start it: 14 painted frames from now.
    CTennis::barStart = 0;
    CTennis::barDuration = 14;
    ASprite* players = animations(std::vector<std::vector<uint8_t>>(24, {1, 1, 1}));
    CGame::rainActor1 = CActor::create(players, 22, -1);
    CGame::rainActor2 = CActor::create(players, 0, -1);
  }
  static void frame() {
    CGame::updateRainInterruption();
    CGame::frameCounter++;
  }
};

TEST_F(RainInterruptionTest, EndsWhenBothActorsHaveEnded) {
  EXPECT_FALSE(CGame::drizzleOn);
  EXPECT_EQ(CGame::blackBarsFrames, 12);
  while (CGame::frameCounter <= 14) frame();
  EXPECT_EQ(probePaints, 0);
  EXPECT_FALSE(CGame::screenCovered);
  frame();  // the bar's time is over: the court is painted without its players
  EXPECT_EQ(probePaints, 1);
  EXPECT_TRUE(CGame::screenCovered);
  EXPECT_FALSE(CGame::playersShown);
  CGame::paintRainInterruption();
  EXPECT_NE(back(101, 101), rgb(0xFF000000));
  int frames = 0;
  while (!CGame::speQuitting && frames++ < 20) frame();
  EXPECT_TRUE(CGame::speQuitting);
  EXPECT_TRUE(CGame::rainActor1->ended && CGame::rainActor2->ended);
  EXPECT_EQ(probePaints, 2);  // repainted with the players back
  EXPECT_TRUE(CGame::playersShown);
  EXPECT_TRUE(CGame::screenCovered);  // until the pause itself quits
  frame();
  EXPECT_EQ(probePaints, 2);
}

TEST_F(RainInterruptionTest, ActorsWithoutAPictureDoNotHoldItOpen) {
  CGame::rainActor1 = CActor::create(nullptr, 22, -1);
  CGame::rainActor2 = nullptr;
  while (CGame::frameCounter <= 15) frame();
  EXPECT_TRUE(CGame::speQuitting);
  EXPECT_EQ(probePaints, 2);
}

TEST_F(RainInterruptionTest, EndKeys) {
  for (int32_t key : {0x20, 0x10000, 0x20000, 0x40000, 0x4}) {
    SCOPED_TRACE(key);
    CGame::speQuitting = false;
    // An ended rain gives the match its own bar back: each key gets the rain's bar again.
    CTennis::barStart = CGame::frameCounter;
    CTennis::barDuration = 14;
    probePaints = 0;
    frame();
    CGame::keysPressed = key;
    frame();
    const bool ends = key != 0x4;
    EXPECT_EQ(CGame::speQuitting, ends);
    EXPECT_EQ(probePaints, ends ? 1 : 0);
    EXPECT_EQ(CGame::screenCovered, false);
    CGame::keysPressed = 0;
  }
}

}  // namespace
}  // namespace sorv::test
