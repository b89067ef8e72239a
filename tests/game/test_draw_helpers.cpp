// Drawing helpers: rectangles and lines on the menu Graphics, the information band, the
// soft-key bar's guards, labels, the tickers, animation playback, the winner label and the
// menu arrow actors.
#include <algorithm>
#include <cstdlib>

#include "match/ctennis.h"
#include "tests/game/draw_fixture.h"
#include "tools/data/resource_ids.h"

namespace sorv::test {
namespace {

constexpr uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

TEST_F(DrawTest, ColourRectanglesDrawFillAndOutline) {
  struct Case {
    const char* what;
    int32_t fill, outline;
    uint32_t inside, border;
    int32_t colourAfter;
  };
  const Case cases[] = {
      {"fill and outline", static_cast<int32_t>(kRed), static_cast<int32_t>(kGreen), kRed, kGreen,
       static_cast<int32_t>(kGreen)},
      // The outline is skipped: the colour stays the fill's.
      {"outline equal to fill", static_cast<int32_t>(kRed), static_cast<int32_t>(kRed), kRed, kRed,
       static_cast<int32_t>(kRed)},
      {"outline only", -1, static_cast<int32_t>(kGreen), kBlack, kGreen, static_cast<int32_t>(kGreen)},
      {"neither", -1, -1, kBlack, kBlack, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearBack();
    CGame::SetMenuGfx(CGame::backBufferGraphics);
    CGame::GetMenuGfx()->setColor(7);
    CGame::DrawColorRect(c.fill, c.outline, 10, 20, 30, 40);
    EXPECT_EQ(back(25, 40), rgb(c.inside));
    EXPECT_EQ(back(10, 20), rgb(c.border));
    EXPECT_EQ(back(39, 59), rgb(c.border));
    EXPECT_EQ(back(40, 60), rgb(kBlack));
    EXPECT_EQ(CGame::GetMenuGfx()->getColor() & 0xFFFFFF, c.colourAfter & 0xFFFFFF);
  }
}

TEST_F(DrawTest, AlphaRectangleClipsToItselfAndRestoresTheClip) {
  Graphics* g = CGame::backBufferGraphics;
  CGame::SetMenuGfx(g);
  g->setClip(0, 0, 5, 5);
  CGame::DrawAlphaRect(static_cast<int32_t>(kRed), -1, 10, 10, 20, 20, 255);
  EXPECT_EQ(back(10, 10), rgb(kRed));
  EXPECT_EQ(back(29, 29), rgb(kRed));
  EXPECT_EQ(back(30, 30), rgb(kBlack));
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipY(), 0);
  EXPECT_EQ(g->getClipWidth(), CGame::kGameWidth);
  EXPECT_EQ(g->getClipHeight(), CGame::kGameHeight);
  CGame::DrawLine(100, 100, 110, 100);
  EXPECT_EQ(back(105, 100), rgb(kRed));
}

// The alpha over fill and outline, each compared with a translucent fill of the same colour
// drawn on the same ground elsewhere.
TEST_F(DrawTest, AlphaRectangleLetsTheGroundShowThrough) {
  struct Case {
    const char* what;
    int32_t fill, outline, alpha;
  };
  const Case cases[] = {
      {"opaque", static_cast<int32_t>(kRed), static_cast<int32_t>(kGreen), 255},
      {"half", static_cast<int32_t>(kRed), static_cast<int32_t>(kGreen), 128},
      {"faint, fill only", static_cast<int32_t>(kRed), -1, 40},
      {"outline only", -1, static_cast<int32_t>(kGreen), 200},
      {"invisible", static_cast<int32_t>(kRed), static_cast<int32_t>(kGreen), 0},
      {"beyond 255 is opaque", static_cast<int32_t>(kRed), -1, 999},
  };
  constexpr uint32_t kGround = 0xFF2040C0;
  Graphics* g = CGame::backBufferGraphics;
  CGame::SetMenuGfx(g);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearBack(kGround);
    const int32_t a = std::clamp(c.alpha, 0, 255) << 24;
    // References at (200, 200): the fill's and the outline's colour at that alpha.
    CGame::fillRect(g, a | (c.fill & 0xFFFFFF), 200, 200, 4, 4);
    CGame::fillRect(g, a | (c.outline & 0xFFFFFF), 300, 200, 4, 4);
    const uint16_t fillSeen = c.fill == -1 || c.alpha == 0 ? rgb(kGround) : back(201, 201);
    const uint16_t outlineSeen = c.outline == -1 ? fillSeen : c.alpha == 0 ? rgb(kGround) : back(301, 201);
    CGame::DrawAlphaRect(c.fill, c.outline, 10, 20, 30, 40, c.alpha);
    EXPECT_EQ(back(25, 40), fillSeen);
    for (const auto& [x, y] : {std::pair{10, 20}, std::pair{39, 20}, std::pair{10, 59}, std::pair{39, 59},
                               std::pair{10, 40}, std::pair{39, 40}, std::pair{25, 20}, std::pair{25, 59}}) {
      EXPECT_EQ(back(x, y), outlineSeen) << x << "," << y;
    }
    EXPECT_EQ(back(11, 21), fillSeen) << "the outline is one pixel";
    EXPECT_EQ(back(40, 60), rgb(kGround));
    EXPECT_EQ(back(9, 19), rgb(kGround));
  }
}

// A translucent fill blends exactly where it meets the clip, in the graphics' translated
// coordinates, however far the rectangle reaches beyond the screen.
TEST_F(DrawTest, TranslucentFillBlendsOnlyInsideTheClip) {
  struct Case {
    const char* what;
    int32_t translateX, translateY, clipX, clipY, clipW, clipH, x, y, w, h;
    int32_t left, top, right, bottom;  // the tinted screen pixels, right and bottom excluded
  };
  const Case cases[] = {
      {"a band far wider than the screen", 0, 0, 50, 60, 20, 10, -100000, -100000, 1 << 30, 1 << 30, 50, 60,
       70, 70},
      {"clip larger than the band", 0, 0, 0, 0, CGame::kGameWidth, CGame::kGameHeight, 30, 40, 5, 3, 30, 40, 35,
       43},
      {"translated", 100, 80, -20, -20, 40, 40, -10, -5, 1000, 10, 90, 75, 120, 85},
      {"outside the clip", 0, 0, 0, 0, 10, 10, 20, 20, 5, 5, 0, 0, 0, 0},
  };
  constexpr uint32_t kGround = 0xFF2040C0;
  constexpr int32_t kTint = static_cast<int32_t>(0x80FF0000);
  Graphics* g = CGame::backBufferGraphics;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearBack(kGround);
    CGame::fillRect(g, kTint, 200, 200, 4, 4);
    const uint16_t tinted = back(201, 201);
    clearBack(kGround);
    g->translate(c.translateX, c.translateY);
    g->setClip(c.clipX, c.clipY, c.clipW, c.clipH);
    CGame::fillRect(g, kTint, c.x, c.y, c.w, c.h);
    g->translate(-c.translateX, -c.translateY);
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    int32_t count = 0;
    for (int32_t y = 0; y < CGame::kGameHeight; y++) {
      for (int32_t x = 0; x < CGame::kGameWidth; x++) {
        const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
        if (back(x, y) != (inside ? tinted : rgb(kGround)) && count++ < 3) ADD_FAILURE() << x << "," << y;
      }
    }
    EXPECT_EQ(count, 0);
  }
}

TEST_F(DrawTest, InformationBandOpensCloseAndStaysClosed) {
  struct Case {
    const char* what;
    bool closed, keepClosed;
    int32_t step, level;
    bool shown, closedAfter;
  };
  const Case cases[] = {
      {"closed and kept closed", true, true, 3, 60, false, true},
      {"closed, drawn again", true, false, 3, 60, true, false},
      {"open, level 35", false, true, 2, 35, true, false},
      {"open, level below 35", false, false, 1, 20, false, false},
      {"no step left closes it", false, false, 0, 40, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGame::infoBgClosed = false;
    if (c.closed) CGame::closeInfoBg();
    CGame::pdbStep = c.step;
    CGame::pdbLevel = c.level;
    EXPECT_EQ(CGame::drawInfoBg(1, 2, 3, 4, c.keepClosed), c.shown);
    EXPECT_EQ(CGame::infoBgClosed, c.closedAfter);
  }
}

// The band opens from its middle row by the fade level, at the caller's place and in its
// colours: eleven rows, the middle one 80 % opaque, a 1-pixel edge above and below.
TEST_F(DrawTest, InformationBandTakesItsPlaceAndColours) {
  constexpr uint32_t kBlue = 0xFF331FB7, kWhite = 0xFFFFFFFF;
  constexpr int32_t kTop = 210, kHeight = 60;
  // Row i of the band spans kTop + i * 60 / 11 up to the next row's top.
  auto rowTop = [](int32_t i) { return kTop + i * kHeight / 11; };
  struct Case {
    int32_t level;
    int32_t firstRow;  // the outermost open row; rows firstRow..10 - firstRow are open
  };
  Graphics* g = CGame::backBufferGraphics;
  for (const Case& c : {Case{100, 0}, Case{60, 2}, Case{0, 5}}) {
    SCOPED_TRACE(c.level);
    clearBack();
    CGame::gfx = g;
    CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
    CGame::pdbStep = c.level / 20;
    CGame::pdbLevel = c.level;
    CGame::infoBgClosed = false;
    CGame::drawInfoBg(kTop, kHeight, static_cast<int32_t>(kWhite & 0xFFFFFF), static_cast<int32_t>(kBlue & 0xFFFFFF),
                      false);
    const int32_t last = 10 - c.firstRow;
    EXPECT_EQ(back(400, rowTop(c.firstRow)), rgb(kWhite)) << "top edge";
    EXPECT_EQ(back(400, rowTop(last + 1) - 1), rgb(kWhite)) << "bottom edge";
    EXPECT_EQ(back(400, rowTop(c.firstRow) - 1), rgb(kBlack)) << "above the open part";
    EXPECT_EQ(back(400, rowTop(last + 1)), rgb(kBlack)) << "below the open part";
    // The middle row as a fill of 80 % of the colour; the rows fall off 12 points a step.
    for (int32_t i = c.firstRow; i <= last; i++) {
      const int32_t percent = 80 - std::abs(5 - i) * 12;
      clearBack();
      CGame::fillRect(g, static_cast<int32_t>(kBlue & 0xFFFFFF), 0, 0, 4, 4, percent);
      const uint16_t expected = back(1, 1);
      clearBack();
      CGame::drawInfoBg(kTop, kHeight, -1, static_cast<int32_t>(kBlue & 0xFFFFFF), false);
      EXPECT_EQ(back(400, rowTop(i) + (rowTop(i + 1) - rowTop(i)) / 2), expected) << "row " << i;
    }
    CGame::disablePaintDirectInBuffer();
  }
  // The referee's band: 110 rows from 185 in green, no edge.
  clearBack();
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CGame::pdbLevel = 100;
  CTennis::paintContestRefereeLineEffect();
  CGame::fillRect(g, 0x0EBA3C, 0, 0, 4, 4, 80);
  EXPECT_EQ(back(400, 240), back(1, 1));
  CGame::fillRect(g, 0x0EBA3C, 10, 10, 4, 4, 20);
  EXPECT_EQ(back(400, 185), back(11, 11)) << "the outermost row, no edge over it";
  EXPECT_EQ(back(400, 184), rgb(kBlack));
  EXPECT_EQ(back(400, 295), rgb(kBlack));
  CGame::disablePaintDirectInBuffer();
}

// While the frame goes into the screen buffer the band tints the open part there and puts
// the whole frame on the screen, then draws its rows over it.
TEST_F(DrawTest, InformationBandBringsTheBufferedFrameToTheScreen) {
  constexpr uint32_t kGrey = 0xFF808080;
  fillScreenBuffer(kGrey);
  clearBack();
  CGame::gfx = CGame::backBufferGraphics;
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CGame::pdbStep = 5;
  CGame::pdbLevel = 100;
  CGame::switchToBuffer();
  ASSERT_EQ(CGame::gfx->target, CGame::screenBuffer.get());
  CGame::infoBgClosed = false;
  EXPECT_TRUE(CGame::drawInfoBg(100, 110, -1, 0x0EBA3C, false));
  EXPECT_EQ(CGame::gfx->target, CGame::backBuffer.get()) << "back on the screen";
  EXPECT_EQ(back(400, 50), rgb(kGrey)) << "the buffered frame shows";
  EXPECT_EQ(back(400, 300), rgb(kGrey));
  // The middle of the open part was tinted red in the buffer (every second row) before the
  // rows went over it.
  const uint16_t tinted = buffered(400, 156);
  EXPECT_NE(tinted, rgb(kGrey));
  EXPECT_EQ(buffered(400, 50), rgb(kGrey)) << "no tint outside the band";
  EXPECT_GT(pixel::rgb565ToArgb(tinted) >> 16 & 0xFF, 0x80u) << "red raised";
  CGame::disablePaintDirectInBuffer();
}

TEST_F(DrawTest, SoftKeyBarTakesTheFrameGraphicsUnlessAStateIsPaintedIntoTheBuffer) {
  Graphics* other = screen_->getGraphics();
  for (bool intoBuffer : {true, false}) {
    SCOPED_TRACE(intoBuffer);
    CGame::SetMenuGfx(other);
    CGame::gfx = CGame::backBufferGraphics;
    CGame::paintingIntoBuffer = intoBuffer;
    CGame::drawMenuBar(17, 18, true);
    EXPECT_EQ(CGame::GetMenuGfx(), intoBuffer ? other : CGame::backBufferGraphics.get());
  }
  CGame::paintingIntoBuffer = false;
  CGame::drawMenuBar(-1, -1, false);
  EXPECT_EQ(back(100, 450), rgb(kBlack));
}

TEST_F(DrawTest, LabelsAndMessagesLeaveTheMenuOffsetAtZero) {
  CGame::setMenuPaintPosition(3, 4);
  CGame::drawLabel(100, 200, String::fromCString("a"), String::fromCString("b"), true);
  EXPECT_EQ(CGame::menuPaintX, 0);
  EXPECT_EQ(CGame::menuPaintY, 0);
  CGame::drawLabel(100, 200, String::fromCString("a"), nullptr, false);
  EXPECT_EQ(CGame::menuPaintX, 0);
  EXPECT_EQ(CGame::menuPaintY, 0);
}

TEST_F(DrawTest, ScrollingTickerEndsOnTheCallItsRightEndPassesTheLimit) {
  ASprite* font = fixedFont();
  String* text = String::fromCString("abc");
  const int32_t w = font->getStringWidth(text);
  constexpr int32_t kX = 100, kLimit = 50, kSpeed = 10;
  CGame::scrollStringX = CGame::kTickerIdle;
  int32_t call = 0;
  bool ended = false;
  while (!ended && call < 100) {
    clearBack();
    ended = CGame::DrawRowScrollString(font, text, kX, 10, kLimit, kSpeed);
    call++;
    // Drawn where the ticker stood before the step.
    EXPECT_EQ(back(kX - kSpeed * (call - 1), 10), rgb(kRed)) << call;
    EXPECT_EQ(ended, w + kX - kSpeed * call < kLimit) << call;
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(CGame::scrollStringX, CGame::kTickerIdle);
  clearBack();
  EXPECT_FALSE(CGame::DrawRowScrollString(font, text, kX, 10, kLimit, kSpeed));
  EXPECT_EQ(back(kX, 10), rgb(kRed));
  EXPECT_EQ(CGame::scrollStringX, kX - kSpeed);
}

TEST_F(DrawTest, EndlessTickerHandsOverToItsSecondCopy) {
  ASprite* font = fixedFont();
  String* text = String::fromCString("abc");
  const int32_t w = font->getStringWidth(text);
  constexpr int32_t kX = 100, kGap = 20, kSpeed = 5;
  CGame::rollStringX1 = CGame::kTickerIdle;
  // A right margin that hides the second copy, then one that shows it.
  clearBack();
  EXPECT_FALSE(CGame::DrawRowRollString(font, text, kX, 10, kGap, 700, kSpeed, false));
  EXPECT_EQ(back(kX + w + kGap, 10), rgb(kBlack));
  clearBack();
  EXPECT_FALSE(CGame::DrawRowRollString(font, text, kX, 10, kGap, 0, kSpeed, false));
  EXPECT_EQ(back(kX + w + kGap - kSpeed, 10), rgb(kRed));
  int32_t calls = 2;
  while (!CGame::DrawRowRollString(font, text, kX, 10, kGap, 0, kSpeed, false)) calls++;
  calls++;
  EXPECT_EQ(calls, w / kSpeed + 1);
  EXPECT_EQ(CGame::rollStringX1, kX + w + kGap - kSpeed * calls);
  EXPECT_EQ(CGame::rollStringX2, CGame::rollStringX1 + w + kGap);
}

TEST_F(DrawTest, AnimationFrameByTime) {
  ASprite* s = animations({{2, 3, 1}, {0, 0}});
  struct Case {
    int32_t anim;
    int64_t time;
    int frame;
  };
  const Case cases[] = {{0, 0, 0},  {0, 1, 0},   {0, 2, 1},  {0, 4, 1},
                        {0, 5, 2},  {0, 6, 0},   {0, 13, 0}, {0, 6000000000LL + 5, 2},
                        {0, -1, 2},  // counts back from the end
                        {1, 0, 0},  {1, 7, 0}};  // no length: the first frame stands
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.anim << " at " << c.time);
    clearBack();
    CGame::DrawAnimation(CGame::backBufferGraphics, s, c.anim, c.time, 30, 40, 0, 0, 100);
    EXPECT_EQ(back(31, 41), rgb(kInk[c.frame]));
  }
  CGame::DrawAnimation(CGame::backBufferGraphics, nullptr, 0, 0, 30, 40, 0, 0, 100);
}

TEST_F(DrawTest, WinnerLabel) {
  ObjectArray* fonts = Array::newObjectArray(0, kFontPackEntries);
  CGame::fontSprites = fonts;
  fonts->elements()[kFontSmall] = fixedFont();
  std::vector<std::string> texts(164, "x");
  texts[163] = "WIN";
  CGame::Str_LoadPack(2, bytes(textPack(texts)), nullptr);
  const int32_t w = 3 * (kGlyphW + 1) - 1 + 3;
  const int32_t left = 400 - w / 2;
  CGame::gfx = CGame::backBufferGraphics;
  CGame::drawWinLogo(400, 100);
  const struct {
    int32_t x, y;
    uint32_t colour;
  } pixels[] = {{left, 95, 0xFFFFFF00},         {left + w, 105, 0xFFFFFF00}, {left - 1, 100, kBlack},
                {left + 1, 96, 0xFF331FB7},     {left + 2, 98, kRed},        {left + w - 1, 104, 0xFF331FB7},
                {left + w + 1, 100, kBlack}};
  for (const auto& p : pixels) EXPECT_EQ(back(p.x, p.y), rgb(p.colour)) << p.x << "," << p.y;
}

TEST_F(DrawTest, ArrowActorsHoldTheirFrames) {
  ObjectArray* menus = Array::newObjectArray(0, kMenuPackEntries);
  CGame::menuSprites = menus;
  menus->elements()[kMenuMain] = animations(std::vector<std::vector<uint8_t>>(35, {1, 1}));
  CGame::prepareAnimationArrows();
  struct Case {
    CActor* actor;
    int32_t anim, frame;
  };
  const Case cases[] = {{CGame::upArrowActor, 33, 0}, {CGame::downArrowActor, 34, 1}};
  for (const Case& c : cases) {
    ASSERT_FALSE(isNull(c.actor));
    EXPECT_EQ(c.actor->animation, c.anim);
    EXPECT_EQ(c.actor->currentFrame, c.frame);
    EXPECT_EQ(c.actor->loopFrame, c.frame);
    EXPECT_EQ(c.actor->timer, 0);
    EXPECT_FALSE(c.actor->ended);
  }
}

}  // namespace
}  // namespace sorv::test
