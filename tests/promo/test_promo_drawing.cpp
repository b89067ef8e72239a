// The promotion's own text and drawing routines: line breaks and their cap, measuring, the
// progress bar and glyphs at the screen's edge.
#include <string>

#include "device/graphics.h"
#include "tests/promo/promo_fixture.h"

namespace sorv::test {
namespace {

class PromoDrawingTest : public PromoTest {
 protected:
  void SetUp() override {
    PromoTest::SetUp();
    useData("EN");
    startPromotion(shippedPromoProperties());
    IGP::enterIGP(String::fromCString("t"), 0);
    for (int32_t step = -1; step <= 3; step++) IGP::loadResources(step);
    clear();
  }
  static Graphics* g() { return CGame::backBufferGraphics; }
  static int32_t lineCount(const std::string& text) {
    IGP::measureOnly = true;
    IGP::drawString(String::fromCString(text.c_str()), nullptr, 0, 0, 0, 0);
    return IGP::textBlockHeight / IGP::fontHeight;
  }
  static int32_t inked(int32_t x0, int32_t y0, int32_t w, int32_t h) {
    int32_t n = 0;
    for (int32_t y = y0; y < y0 + h; y++)
      for (int32_t x = x0; x < x0 + w; x++) n += at(x, y) != 0 ? 1 : 0;
    return n;
  }
};

TEST_F(PromoDrawingTest, BreaksStopAtTheTenLinesOfTheirTable) {
  const struct {
    std::string text;
    int32_t lines;
  } cases[] = {
      {"A", 1},
      {"A\nB", 2},
      {"A\\NB", 2},
      {"A\\nB", 1},  // only "\N" breaks in drawing; "\n" is two glyphs
      {std::string(10, '\n'), 10},
      {[] { std::string s; for (int i = 0; i < 11; i++) s += "L\n"; return s; }(), 10},
      {[] { std::string s; for (int i = 0; i < 12; i++) s += "L\\N"; return s; }(), 10},
      {"A\\N\nB\\N", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(lineCount(c.text), c.lines) << c.text;
}

TEST_F(PromoDrawingTest, MeasuringIsRepeatableAndDrawsNothing) {
  const std::string text = "MEASURE ME\\NTWICE";
  lineCount(text);
  const int32_t w = IGP::textBlockWidth, h = IGP::textBlockHeight;
  EXPECT_GT(w, 0);
  IGP::measureOnly = true;
  IGP::drawString(String::fromCString(text.c_str()), g(), 0, 400, 240, 3);
  EXPECT_EQ(IGP::textBlockWidth, w);
  EXPECT_EQ(IGP::textBlockHeight, h);
  EXPECT_FALSE(IGP::measureOnly);
  EXPECT_EQ(inked(0, 0, 800, 480), 0);
  IGP::drawString(String::fromCString(text.c_str()), g(), 0, 400, 240, 3);
  EXPECT_GT(inked(400 - w / 2, 240 - h / 2, w, h), 0);
  EXPECT_EQ(IGP::currentFont, 1) << "a drawing call leaves the default font";
}

TEST_F(PromoDrawingTest, TheProgressBarGrowsFromOnePixelToTheInnerWidth) {
  const int32_t width = 600, x = (800 - width) / 2, y = 240;
  const uint16_t red = rgb(0xFF0000);
  IGP::drawProgressBar(g(), y, width, 0, 11);
  EXPECT_EQ(at(x + 2, y + 3), red);
  EXPECT_NE(at(x + 3, y + 3), red);
  EXPECT_EQ(at(x, y), rgb(0xFFFFFF));
  clear();
  IGP::drawProgressBar(g(), y, width, 20, 11);  // cut to the last step
  EXPECT_EQ(at(x + width - 2, y + 3), red);
  EXPECT_NE(at(x + width - 1, y + 3), red);
}

TEST_F(PromoDrawingTest, GlyphsAtTheEdgeAreClippedThere) {
  LogCapture log;
  IGP::drawString(String::fromCString("WWW"), g(), 0, -6, -6, 20);
  EXPECT_GT(inked(0, 0, 20, 12), 0);
  IGP::drawString(String::fromCString("WWW"), g(), 0, 790, 470, 20);
  EXPECT_GT(inked(790, 470, 10, 10), 0);
  EXPECT_FALSE(log.contains("ArrayOutOfBound"));
  EXPECT_FALSE(log.contains("NullPointer"));
}

// An arrow points the way its list scrolls: a down arrow's tip below its base, an up arrow's
// above it.
TEST_F(PromoDrawingTest, TheArrowsPointTheirWayAndTheGradientStaysInsideTheScreen) {
  IGP::drawArrow(g(), 400, 100, 30, 0xFFFFFF, true, true);
  EXPECT_EQ(at(400, 90), rgb(0xFFFFFF));
  EXPECT_EQ(at(400 - 29, 71), rgb(0x00B4EF));
  EXPECT_EQ(at(400, 104), 0) << "nothing past the down arrow's tip";
  IGP::drawArrow(g(), 200, 100, 30, 0xFFFFFF, true, false);
  EXPECT_EQ(at(200, 110), rgb(0xFFFFFF));
  EXPECT_EQ(at(200 - 29, 129), rgb(0x00B4EF));
  EXPECT_EQ(at(200, 96), 0) << "nothing past the up arrow's tip";
  IGP::drawGradient(g(), 700, 400, 200, 200, 0xFAD12D, 0xF14615, false);
  EXPECT_EQ(at(750, 400), rgb(0xFAD12D));
  EXPECT_NE(at(750, 479), 0);
}

}  // namespace
}  // namespace sorv::test
