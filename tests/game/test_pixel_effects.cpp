// Pixel effects: grey and tinted pixels, blur and desaturation, the in-game menu's blurred
// rectangle in strips, the gradient bands against a per-pixel reference, and rectangles the
// strip loops must survive.
#include <cstdlib>

#include "game/screen_buffer.h"
#include "tests/game/draw_fixture.h"

namespace sorv::test {
namespace {

using Pixels = std::vector<int32_t>;

constexpr uint32_t kBlack = 0xFF000000;

class PixelTest : public DrawTest {
 protected:
  static IntArray* ints(const Pixels& p) {
    IntArray* a = Array::newIntArray(static_cast<int32_t>(p.size()));
    std::copy(p.begin(), p.end(), a->elements());
    return a;
  }
  static Pixels values(IntArray* a) { return Pixels(a->elements(), a->elements() + a->length); }

  // Rows y .. y + n - 1 of an image as ARGB.
  static Pixels rows(Image* img, int32_t y, int32_t n) {
    IntArray* a = Array::newIntArray(CGame::kGameWidth * n);
    Image::getRGB(img, a, 0, CGame::kGameWidth, 0, y, CGame::kGameWidth, n);
    return values(a);
  }

  // A screen buffer of varied colours, the same on every run.
  static void patternScreenBuffer() {
    CGame::createScreenBuffer();
    IntArray* row = Array::newIntArray(CGame::kGameWidth);
    for (int32_t y = 0; y < CGame::kGameHeight; y++) {
      for (int32_t x = 0; x < CGame::kGameWidth; x++)
        row->elements()[x] = static_cast<int32_t>(0xFF000000u | (x * 7 + y * 3) % 256 << 16 |
                                                  (x * 13 + y * 5) % 256 << 8 | (x * y + 40) % 256);
      CGame::screenBuffer->getGraphics()->drawRGB(row, 0, CGame::kGameWidth, 0, y, CGame::kGameWidth, 1, false);
    }
  }
};

TEST_F(PixelTest, GreyPixels) {
  struct Case {
    uint32_t in;
    int32_t tint;
    int32_t out;
  };
  const Case cases[] = {{0xFFFFFFFF, -1, 0xFFFFFF},  // the weights make 100
                        {0xFFFF0000, -1, 0x4C4C4C},
                        {0xFF00FF00, -1, 0x969696},
                        {0x800000FF, -1, 0x1C1C1C},
                        {0xFFFF0000, 0x80FF40, 0x264C13},  // each channel scaled by grey / 255
                        {0xFFFFFFFF, 0xFFFFFF, 0xFFFFFF}};
  for (const Case& c : cases) EXPECT_EQ(screen_buffer::greyPixel(static_cast<int32_t>(c.in), c.tint), c.out) << std::hex << c.in;
}

TEST_F(PixelTest, BlurAndDesaturation) {
  struct Case {
    const char* what;
    Pixels in;
    int32_t blur, desat;
    Pixels out;
  };
  const Case cases[] = {
      {"nothing but alpha cleared", {static_cast<int32_t>(0xFF123456), static_cast<int32_t>(0x80ABCDEF)}, 0, 0,
       {0x123456, 0xABCDEF}},
      {"red left of black", {static_cast<int32_t>(0xFFFF0000), static_cast<int32_t>(0xFF000000)}, 64, 0,
       {0x7F0000, 0}},
      {"full desaturation, the sum over 4", {static_cast<int32_t>(0xFFFF0000)}, 0, 128, {0x434343}},
      {"half desaturation", {static_cast<int32_t>(0xFF00FF00)}, 0, 64, {0x21A121}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IntArray* px = ints(c.in);
    CGame::blurDesaturateBlock(px->length, px, c.blur, c.desat);
    EXPECT_EQ(values(px), c.out);
  }
  // A count past the pixels is refused whole.
  LogCapture log;
  IntArray* px = ints({1, 2});
  CGame::blurDesaturateBlock(3, px, 64, 0);
  EXPECT_EQ(values(px), (Pixels{1, 2}));
  EXPECT_TRUE(log.contains("ArrayOutOfBound"));
}

// The leftward blur over one line of pixels, as the effect describes it.
Pixels blurLine(Pixels p, int32_t blur) {
  int32_t rb = 0, g = 0;
  for (size_t i = p.size(); i-- > 0;) {
    rb = ((p[i] & 0xFF00FF) + ((rb - (p[i] & 0xFF00FF)) * blur >> 7)) & 0xFF00FF;
    g = ((p[i] & 0xFF00) + ((g - (p[i] & 0xFF00)) * blur >> 7)) & 0xFF00;
    p[i] = g | rb;
  }
  return p;
}

TEST_F(PixelTest, FullScreenBlurGoesInStripsOf75Rows) {
  patternScreenBuffer();
  const Pixels before = rows(CGame::screenBuffer, 0, CGame::kGameHeight);
  CGame::paintIGMBlurEffect(CGame::backBufferGraphics, 0, 0, 800, 480, 100, 0);
  const Pixels after = rows(CGame::backBuffer, 0, CGame::kGameHeight);
  int32_t top = 0;
  for (int32_t n : {75, 75, 75, 75, 75, 75, 30}) {
    SCOPED_TRACE(top);
    const auto from = before.begin() + top * 800;
    const Pixels expected = blurLine(Pixels(from, from + n * 800), 100);
    for (size_t i = 0; i < expected.size(); i++) {
      ASSERT_EQ(rgb(0xFF000000u | expected[i]), rgb(after[top * 800 + i])) << "pixel " << i;
    }
    top += n;
  }
  EXPECT_EQ(top, 480);
}

// One row of a gradient band as the effect describes it, pixel by pixel.
int32_t sat(int32_t v) { return (v & 0x100) != 0 ? 255 : v & 0xFF; }
int32_t up(int32_t c, int32_t k) { return sat(c * k >> 7); }

Pixels referenceRow(Pixels p, int32_t kind, int32_t a) {
  const int32_t k = a + 128;
  auto r = [](int32_t v) { return (v >> 16) & 0xFF; };
  auto g = [](int32_t v) { return (v >> 8) & 0xFF; };
  auto b = [](int32_t v) { return v & 0xFF; };
  auto bright = [&](int32_t v) { return up(r(v), k) << 16 | up(g(v), k) << 8 | up(b(v), k); };
  for (int32_t& v : p) {
    if (kind == 1) v = sat(r(v) + a) << 16 | up(g(v), k) << 8 | up(b(v), k);
    if (kind == 2) v = sat(r(v) + a) << 16 | sat(g(v) + a) << 8 | up(b(v), k);
    if (kind == 3) v = bright(v);
    if (kind == 6 || kind == 7) v = bright(v);
  }
  if (kind >= 4) {
    const bool leftward = kind == 4 || kind == 6;
    if (!leftward) std::reverse(p.begin(), p.end());
    p = blurLine(p, a);
    if (!leftward) std::reverse(p.begin(), p.end());
  }
  return p;
}

TEST_F(PixelTest, GradientBandsMatchThePerPixelReference) {
  struct Case {
    int32_t y, h, strength;
  };
  // Bands within the screen, one cut by its bottom edge, one with an odd height.
  const Case cases[] = {{300, 110, 200}, {420, 110, 120}, {10, 51, 90}};
  for (int32_t kind = 1; kind <= 7; kind++) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " y " << c.y << " h " << c.h);
      patternScreenBuffer();
      const Pixels before = rows(CGame::screenBuffer, 0, CGame::kGameHeight);
      CGame::paintVerticalGradientEffect(CGame::screenBuffer->getGraphics(), 0, c.y, 800, c.h, c.strength, kind);
      const Pixels after = rows(CGame::screenBuffer, 0, CGame::kGameHeight);
      const int32_t half = c.h >> 1, step = kind == 4 || kind == 5 ? 1 : 2;
      for (int32_t row = 0; row < c.h && c.y + row < 480; row++) {
        const int32_t amount = std::abs((half - std::abs(row - half)) * c.strength / half);
        const auto from = before.begin() + (c.y + row) * 800;
        Pixels expected(from, from + 800);
        if (amount >= 16 && row % step == 0) expected = referenceRow(expected, kind, amount & ~7);
        for (int32_t x = 0; x < 800; x++) {
          ASSERT_EQ(rgb(0xFF000000u | expected[x]), rgb(after[(c.y + row) * 800 + x])) << "row " << row << " x " << x;
        }
      }
    }
  }
}

TEST_F(PixelTest, WeakBandsDrawNothing) {
  patternScreenBuffer();
  for (int32_t kind : {3, 0, 8}) {
    CGame::paintVerticalGradientEffect(CGame::backBufferGraphics, 0, 100, 800, 110, kind == 3 ? 0 : 200, kind);
  }
  CGame::paintVerticalGradientEffect(CGame::backBufferGraphics, 0, 100, 800, 20, 15, 1);  // at most 15
  for (const int32_t v : rows(CGame::backBuffer, 0, CGame::kGameHeight)) ASSERT_EQ(v & 0xFFFFFF, 0);
}

TEST_F(PixelTest, StripLoopsSurviveAnyRectangle) {
  struct Case {
    int32_t x, y, w, h;
    bool drawn;
  };
  const Case cases[] = {{0, 0, 40000, 4, true},   {0, 0, 0, 100, false},        {0, 0, 100, 0, false},
                        {0, 0, 800, 1, true},     {-50, -50, 100, 100, true},   {790, 470, 100000, 100000, true},
                        {0, 0, -5, 10, false},    {900, 10, 50, 50, false},     {0, 479, 800, 2, true},
                        {INT32_MIN, 0, 10, 10, false}, {0, 0, INT32_MAX, INT32_MAX, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
    fillScreenBuffer(0xFFFFFFFF);
    clearBack();
    LogCapture log;
    CGame::paintIGMBlurEffect(CGame::backBufferGraphics, c.x, c.y, c.w, c.h, 100, 64);
    // Bands: a white buffer and the white kind would not show, so red brightens to itself.
    for (int32_t kind = 1; kind <= 7; kind++)
      CGame::paintVerticalGradientEffect(CGame::backBufferGraphics, c.x, c.y, c.w, c.h, 200, kind);
    bool any = false;
    for (const int32_t v : rows(CGame::backBuffer, 0, CGame::kGameHeight)) any = any || (v & 0xFFFFFF) != 0;
    EXPECT_EQ(any, c.drawn);
    EXPECT_FALSE(log.contains("ArrayOutOfBound"));
    EXPECT_FALSE(log.contains("NullPointer"));
  }
  // A band under two rows has no middle: nothing.
  clearBack();
  CGame::paintVerticalGradientEffect(CGame::backBufferGraphics, 0, 0, 800, 1, 200, 1);
  for (const int32_t v : rows(CGame::backBuffer, 0, 2)) ASSERT_EQ(v & 0xFFFFFF, 0);
}

TEST_F(PixelTest, EffectsStayInsideASmallerBuffer) {
  CGame::screenBuffer = Image::createImage(100, 50);
  Graphics* g = CGame::screenBuffer->getGraphics();
  g->setColor(static_cast<int32_t>(0xFFFFFFFF));
  g->fillRect(0, 0, 100, 50);
  LogCapture log;
  CGame::paintIGMBlurEffect(CGame::backBufferGraphics, 0, 0, 800, 480, 100, 0);
  CGame::paintVerticalGradientEffect(CGame::backBufferGraphics, 0, 0, 800, 100, 200, 5);
  EXPECT_EQ(log.text(), "");
  EXPECT_NE(back(10, 10), rgb(kBlack));
  EXPECT_EQ(back(100, 10), rgb(kBlack));
  EXPECT_EQ(back(10, 50), rgb(kBlack));
}

TEST_F(PixelTest, RowOperationsStayInTheirRun) {
  using Op = int32_t (*)(int32_t, int32_t, IntArray*, int32_t);
  const Op ops[] = {CGame::gradientRedLine,  CGame::gradientYellowLine,  CGame::gradientWhiteLine,
                    CGame::gradientRBlurLine, CGame::gradientLBlurLine,   CGame::gradientRRewindLine,
                    CGame::gradientLRewindLine};
  for (Op op : ops) {
    IntArray* px = ints({7, 0x808080, 0x808080, 7});
    EXPECT_EQ(op(2, 1, px, 64), 3);
    EXPECT_EQ(px->elements()[0], 7);
    EXPECT_EQ(px->elements()[3], 7);
    LogCapture log;
    EXPECT_EQ(op(4, 1, px, 64), 5);  // past the end: refused, logged
    EXPECT_EQ(px->elements()[3], 7);
    EXPECT_TRUE(log.contains("ArrayOutOfBound"));
  }
}

}  // namespace
}  // namespace sorv::test
