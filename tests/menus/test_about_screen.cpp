// The credits of the about screen, frame by frame on the shipped layout: the window, the
// entering line's ease and rise, the hand-over to the next line, the empty window after the
// last line, the blurred background and the way back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kFire = 0x10000, kBack = 0x20000;
constexpr int32_t kOptionsState = 8, kAboutState = 9, kOptionsScreen = 2, kAboutScreen = 66;
constexpr int32_t kAboutRow = 3;  // menu 13's ids: 30, 31, 10, 11
constexpr int32_t kLines = CGame::kCreditLineCount;
constexpr int32_t kY = 2, kHeight = 3, kClock = 4;

class AboutTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    CGame::startProperty = String::fromCString("1.0.0");
    CGame::SetMenu(1);
    setState(6);
    CGame::MenuPush(kOptionsScreen);
    CGame::PUSH_STATE(kOptionsState);
  }
  // The options' about row selected: the about screen's enter prepares the credits.
  static void openAbout() {
    CGame::menuCursor = kAboutRow;
    CGame::keysPressed = kFire;
    CGame::MenuUpdate_option();
    CGame::keysPressed = 0;
  }
  static int32_t field(int32_t line, int32_t f) {
    return aload(static_cast<IntArray*>(aload(CGame::creditLines.get(), line)), f);
  }
  static int32_t y(int32_t line) { return field(line, kY); }
  static int32_t clock(int32_t line) { return field(line, kClock); }
  static void step() { CGame::updateAbout(1); }
  // Frames until the entering line changes; the count run, at most the limit.
  static int32_t untilHandOver(int32_t limit) {
    const int32_t current = CGame::creditCurrent;
    for (int32_t n = 1; n <= limit; n++) {
      step();
      if (CGame::creditCurrent != current) return n;
    }
    return -1;
  }
  static bool sameAsBackground(int32_t x, int32_t yTop, int32_t w, int32_t h) {
    for (int32_t j = yTop; j < yTop + h; j++)
      for (int32_t i = x; i < x + w; i++)
        if (pixelOf(CGame::backBuffer, i, j) != pixelOf(CGame::screenBuffer, i, j)) return false;
    return true;
  }
};

TEST_F(AboutTest, TheOptionsOpenTheCreditsInTheWindowOfMenu6) {
  LogCapture log;
  openAbout();
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kAboutState);
  EXPECT_EQ(CGame::menuScreenCode, kAboutScreen);
  EXPECT_FALSE(log.contains("not built")) << log.text();
  ASSERT_FALSE(isNull(CGame::creditLines));
  ASSERT_EQ(CGame::creditLines->length, kLines);
  const int32_t window = CGame::GetMenuItemPosition(6, 8), size = CGame::GetMenuItemSize(6, 8);
  EXPECT_EQ(CGame::creditWindowY, window >> 16);
  EXPECT_EQ(CGame::creditWindowY, 10);
  EXPECT_EQ(CGame::creditWindowW, static_cast<int16_t>(size));
  EXPECT_EQ(CGame::creditWindowH, size >> 16);
  EXPECT_EQ(CGame::creditMiddle, CGame::creditWindowY + CGame::creditWindowH / 2);
  EXPECT_EQ(CGame::creditStartY, CGame::creditWindowH + 10) << "the window's bottom edge";
  EXPECT_EQ(CGame::creditSpeed, 2);
  EXPECT_EQ(CGame::creditCurrent, 0);
  for (int32_t i = 0; i < kLines; i++) {
    SCOPED_TRACE(i);
    EXPECT_EQ(field(i, 0), 249 + i);
    EXPECT_EQ(y(i), CGame::creditStartY);
    EXPECT_EQ(clock(i), 0);
    EXPECT_GT(field(i, kHeight), 0);
  }
  EXPECT_EQ(String::toUtf8(CGame::creditText(0)), "Sorvantel 2009 Version 1.0.0");
  EXPECT_EQ(String::toUtf8(CGame::creditText(3)), String::toUtf8(CGame::GetString(2, 252)));
  // The third credit wraps to two lines in the window; the last counts the middle in.
  ASprite* font = CGame::GetAnimationIDByClass(5);  // the credits font
  ASSERT_FALSE(isNull(font));
  EXPECT_EQ(font->GetLineSpacing(), 5);
  EXPECT_EQ(field(2, kHeight), 2 * font->GetFontHeight() + 5);
  EXPECT_EQ(field(9, kHeight), font->GetFontHeight() + CGame::creditMiddle);
}

TEST_F(AboutTest, TheFirstLineEasesToTheMiddleThenRises) {
  openAbout();
  const int32_t start = CGame::creditStartY, middle = CGame::creditMiddle;
  for (int32_t f = 0; f <= 24; f++) {
    step();
    ASSERT_EQ(y(0), CGame::Parabolic(f, 24, start, middle)) << "frame " << f;
  }
  EXPECT_EQ(y(0), middle) << "the middle after 24 frames";
  for (int32_t f = 1; f <= 5; f++) {
    step();
    EXPECT_EQ(y(0), middle - 2 * f);
  }
}

TEST_F(AboutTest, EachLineEntersWhenTheOneBeforePassesTheMiddle) {
  openAbout();
  for (int32_t k = 0; k < kLines - 1; k++) {
    SCOPED_TRACE(k);
    ASSERT_EQ(CGame::creditCurrent, k);
    int32_t n = 0;
    while (CGame::creditCurrent == k && n < 1000) {
      const int32_t bottomBefore = y(k) + field(k, kHeight);
      EXPECT_GE(bottomBefore, CGame::creditMiddle) << "still at or below the middle";
      step();
      n++;
      // Lines after the entering one wait at the start, untouched.
      for (int32_t later = CGame::creditCurrent + 1; later < kLines; later++) {
        ASSERT_EQ(clock(later), 0);
        ASSERT_EQ(y(later), CGame::creditStartY);
      }
    }
    EXPECT_LT(y(k) + field(k, kHeight), CGame::creditMiddle) << "its bottom has passed the middle";
    EXPECT_EQ(CGame::creditCurrent, k + 1);
    EXPECT_EQ(clock(k + 1), 1) << "the next line took its first step in the same frame";
    EXPECT_EQ(y(k + 1), CGame::creditStartY);
  }
}

TEST_F(AboutTest, ALineThatLeftAtTheTopRestsUntilItEntersAnew) {
  openAbout();
  while (CGame::creditCurrent < 3) step();
  int32_t n = 0;
  while (clock(0) != 0 && n++ < 1000) step();
  ASSERT_EQ(clock(0), 0) << "line 0 has left the window";
  EXPECT_EQ(y(0), CGame::creditStartY);
  for (int32_t f = 0; f < 30; f++) {
    step();
    EXPECT_EQ(clock(0), 0);
    EXPECT_EQ(y(0), CGame::creditStartY);
  }
}

TEST_F(AboutTest, TheLastLineEmptiesTheWindowThenTheFirstEntersAgain) {
  openAbout();
  while (CGame::creditCurrent < kLines - 1) step();
  const int32_t frames = untilHandOver(2000);
  ASSERT_GT(frames, 0);
  EXPECT_EQ(CGame::creditCurrent, 0);
  const int32_t textHeight = field(9, kHeight) - CGame::creditMiddle;
  EXPECT_LT(y(9) + textHeight, 0) << "line 9 rose a further middle-y pixels";
  for (int32_t i = 0; i < kLines - 1; i++) EXPECT_EQ(clock(i), 0) << i;
  EXPECT_TRUE(sameAsBackground((800 - CGame::creditWindowW) / 2, CGame::creditWindowY, CGame::creditWindowW,
                               CGame::creditWindowH))
      << "the window is empty";
  EXPECT_EQ(y(0), CGame::creditStartY);
  step();
  EXPECT_EQ(y(0), CGame::creditStartY);
  step();
  EXPECT_EQ(y(0), CGame::Parabolic(1, 24, CGame::creditStartY, CGame::creditMiddle)) << "line 0 enters again";
}

TEST_F(AboutTest, TheLinesStayInsideTheirWindow) {
  openAbout();
  for (int32_t f = 0; f < 60; f++) step();
  const int32_t left = (800 - CGame::creditWindowW) / 2;
  EXPECT_FALSE(sameAsBackground(left, CGame::creditWindowY, CGame::creditWindowW, CGame::creditWindowH))
      << "a line shows";
  EXPECT_TRUE(sameAsBackground(left, 0, CGame::creditWindowW, CGame::creditWindowY)) << "above";
  const int32_t bottom = CGame::creditWindowY + CGame::creditWindowH;
  EXPECT_TRUE(sameAsBackground(left + 60, bottom, CGame::creditWindowW - 120, 12)) << "below";
}

// The credits rise over the screen they were opened from, blurred: the last frame shown is
// copied into the screen buffer (made when there is none).
TEST_F(AboutTest, TheBackgroundIsTheLastFrameBlurred) {
  Graphics* g = CGame::backBufferGraphics;
  g->setColor(0xE00000);
  g->fillRect(0, 0, 400, 480);
  g->setColor(0x0000E0);
  g->fillRect(400, 0, 400, 480);
  CGame::screenBuffer = nullptr;
  openAbout();
  ASSERT_FALSE(isNull(CGame::screenBuffer));
  const uint16_t left = pixelOf(CGame::screenBuffer, 100, 240), right = pixelOf(CGame::screenBuffer, 700, 240);
  const auto red = [](uint16_t p) { return p >> 11; };
  const auto blue = [](uint16_t p) { return p & 0x1F; };
  EXPECT_GT(red(left), blue(left));
  EXPECT_GT(blue(right), red(right));
  EXPECT_NE(left, rgb(0xE00000)) << "desaturated";
  EXPECT_NE(right, rgb(0x0000E0));
  EXPECT_EQ(pixelOf(CGame::backBuffer, 100, 240), left) << "the first frame shows it";
}

TEST_F(AboutTest, BackDropsTheLinesAndReturnsToTheOptions) {
  openAbout();
  for (int32_t f = 0; f < 40; f++) step();
  const uint16_t blurred = pixelOf(CGame::screenBuffer, 400, 240);
  CGame::keysPressed = kBack;
  step();
  CGame::keysPressed = 0;
  EXPECT_TRUE(isNull(CGame::creditLines));
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), kOptionsState);
  EXPECT_EQ(CGame::menuScreenCode, kOptionsScreen);
  EXPECT_EQ(CGame::menuCursor, kAboutRow);
  Graphics* g = CGame::gfx;
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipY(), 0);
  EXPECT_EQ(g->getClipWidth(), 800);
  EXPECT_EQ(g->getClipHeight(), 480);
  // The buffer holds the standard splash: painting it again changes nothing.
  std::vector<uint16_t> splash;
  for (int32_t x = 0; x < 800; x += 37) splash.push_back(pixelOf(CGame::screenBuffer, x, 240));
  EXPECT_NE(pixelOf(CGame::screenBuffer, 400, 240), blurred);
  CGame::updateScreenBufferWithStdSplash();
  for (int32_t i = 0, x = 0; x < 800; x += 37, i++) EXPECT_EQ(pixelOf(CGame::screenBuffer, x, 240), splash[i]);
  // Entering again builds the lines afresh.
  openAbout();
  ASSERT_FALSE(isNull(CGame::creditLines));
  EXPECT_EQ(CGame::creditCurrent, 0);
  EXPECT_EQ(y(0), CGame::creditStartY);
}

}  // namespace
}  // namespace sorv::test
