// Graphics: colour, clip and translation, anchored regions, the argument checks of
// drawRegion and drawRGB, rectangles and the stroke font through the managed class.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "device/anchor.h"
#include "device/graphics.h"
#include "device/image.h"
#include "runtime/string.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::RuntimeTest;

class GraphicsTest : public RuntimeTest {
 protected:
  // A mutable canvas filled with one colour, and its Graphics. The fixture lives on the host
  // heap, which the collector does not scan, so both are held by context roots too.
  void makeCanvas(int32_t w, int32_t h, uint16_t fill = 0) {
    canvas_ = Image::createImage(w, h);
    app_->screenImage = canvas_;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) at(x, y) = fill;
    g_ = canvas_->getGraphics();
    app_->m_screenGraphics = g_;
  }
  uint16_t& at(int32_t x, int32_t y) { return canvas_->view16().pixels[size_t(y) * canvas_->view16().pitch + x]; }
  std::vector<uint16_t> pixels() {
    const PixelView16 v = canvas_->view16();
    return {v.pixels, v.pixels + size_t(v.pitch) * v.height};
  }
  // Every pixel whose colour is c, as a bounding box {left, top, right, bottom} (exclusive).
  std::vector<int32_t> boxOf(uint16_t c) {
    int32_t l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, b = INT32_MIN;
    for (int32_t y = 0; y < canvas_->height; ++y)
      for (int32_t x = 0; x < canvas_->width; ++x)
        if (at(x, y) == c) {
          l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
        }
    if (l == INT32_MAX) return {};
    return {l, t, r, b};
  }
  static Image* solid(int32_t w, int32_t h, int32_t type, uint16_t colour) {
    Image* image = newObject<Image>();
    image->init(w, h, type, 0);
    const PixelView16 v = image->view16();
    for (int64_t i = 0; i < int64_t{v.pitch} * v.height; ++i) v.pixels[i] = colour;
    return image;
  }

  Image* canvas_ = nullptr;
  Graphics* g_ = nullptr;
};

TEST_F(GraphicsTest, ColourIsAlwaysOpaque) {
  makeCanvas(4, 4);
  g_->setColor(0x12345678);
  EXPECT_EQ(g_->getColor(), int32_t(0xFF345678));
  g_->setColor(0x00FF0000);
  g_->fillRect(0, 0, 1, 1);
  EXPECT_EQ(at(0, 0), 0xF800);
  g_->setColorRGB(1, 2, 3);
  EXPECT_EQ(g_->getColor(), int32_t(0xFF010203));
  LogCapture log;
  for (auto [r, gr, b, message] : {std::tuple{256, 0, 0, "setColor r"}, {0, -1, 0, "setColor g"}, {0, 0, 999, "setColor b"}}) {
    g_->setColorRGB(r, gr, b);
    EXPECT_TRUE(log.contains(message));
    EXPECT_EQ(g_->getColor(), int32_t(0xFF010203));  // left as it was
  }
}

TEST_F(GraphicsTest, ClipIsClampedTranslatedAndIntersected) {
  makeCanvas(50, 40);
  EXPECT_EQ(g_->getClipWidth(), 50);
  EXPECT_EQ(g_->getClipHeight(), 40);
  g_->translate(10, 5);
  g_->setClip(-20, -20, 100, 30);
  EXPECT_EQ(g_->getClipX(), -10);  // clamped to the target's left edge, read back relative
  EXPECT_EQ(g_->getClipY(), -5);
  EXPECT_EQ(g_->getClipWidth(), 50);
  EXPECT_EQ(g_->getClipHeight(), 15);
  g_->clipRect(5, 0, 10, 100);
  EXPECT_EQ(g_->getClipX(), 5);
  EXPECT_EQ(g_->getClipWidth(), 10);
  EXPECT_EQ(g_->getClipHeight(), 10);
  EXPECT_EQ(g_->getTranslateX(), 10);
  g_->setColor(0xFFFFFF);
  g_->fillRect(-100, -100, 1000, 1000);
  EXPECT_EQ(boxOf(0xFFFF), (std::vector<int32_t>{15, 5, 25, 15}));
  g_->setClip(0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0);  // far away, no wrap into view
  g_->fillRect(0, 0, 50, 40);
  EXPECT_EQ(boxOf(0xFFFF), (std::vector<int32_t>{15, 5, 25, 15}));
}

TEST_F(GraphicsTest, RectanglesAndLinesFollowTheTranslation) {
  makeCanvas(30, 30);
  g_->setColor(0xFFFFFF);
  g_->translate(3, 4);
  g_->drawRect(1, 1, 5, 2);  // w + 1 by h + 1 pixels
  EXPECT_EQ(boxOf(0xFFFF), (std::vector<int32_t>{4, 5, 10, 8}));
  EXPECT_EQ(at(6, 6), 0);
  makeCanvas(30, 30);
  g_->setColor(0xFFFFFF);
  g_->drawRect(7, 7, 0, 0);  // a zero-size rectangle sets one pixel
  EXPECT_EQ(boxOf(0xFFFF), (std::vector<int32_t>{7, 7, 8, 8}));
  makeCanvas(30, 30);
  g_->setColor(0xFFFFFF);
  g_->fillRect(3, 3, 0, 9);
  g_->fillRect(40, 3, 5, 9);
  EXPECT_TRUE(boxOf(0xFFFF).empty());
  g_->translate(-2, 0);
  g_->fillTriangle(2, 0, 12, 10, 2, 10);
  g_->fillArc(10, 10, 10, 10, 0, 360);
  EXPECT_EQ(boxOf(0xFFFF).at(0), 0);
}

TEST_F(GraphicsTest, TurnedRegionsAnchorOnTheirTurnedSize) {
  // A 10 x 20 region turned by 90 degrees is 20 wide and 10 high on the target.
  struct Case {
    int32_t anchor;
    std::vector<int32_t> box;
  } cases[] = {
      {0, {40, 30, 60, 40}},
      {anchor::kLeft | anchor::kTop, {40, 30, 60, 40}},
      {anchor::kRight | anchor::kTop, {20, 30, 40, 40}},
      {anchor::kLeft | anchor::kBottom, {40, 20, 60, 30}},
      {anchor::kHCenter | anchor::kVCenter, {30, 25, 50, 35}},
  };
  Image* src = solid(16, 24, 0, 0x07E0);
  for (const Case& c : cases) {
    makeCanvas(80, 60);
    g_->translate(5, 10);
    g_->drawRegion(src, 2, 3, 10, 20, 5, 35, 20, c.anchor);
    EXPECT_EQ(boxOf(0x07E0), c.box) << c.anchor;
  }
  makeCanvas(80, 60);
  g_->drawImage(src, 40, 30, anchor::kHCenter | anchor::kBottom);
  EXPECT_EQ(boxOf(0x07E0), (std::vector<int32_t>{32, 6, 48, 30}));
}

TEST_F(GraphicsTest, BadRegionsReportAndDrawNothing) {
  Image* src = solid(8, 8, 1, 0x001F);
  Image* bytes = newObject<Image>();
  bytes->init(8, 8, 3, 16);
  Image* oddType = newObject<Image>();
  oddType->init(8, 8, INT32_MIN, 0);
  struct Case {
    Image* image;
    int32_t xSrc, ySrc, w, h, transform;
    const char* message;
  } cases[] = {
      {nullptr, 0, 0, 4, 4, 0, "drawRegion pSrc"},
      {src, -1, 0, 4, 4, 0, "drawRegion x_src"},
      {src, 5, 0, 4, 4, 2, "drawRegion x_src"},
      {src, 0, 6, 4, 4, 5, "drawRegion y_src"},
      {src, 0, 0x7FFFFFFF, 4, 4, 0, "drawRegion y_src"},
      {src, 0, 0, 4, 4, 8, "drawRegion transform"},
      {src, 0, 0, 4, 4, -1, "drawRegion transform"},
      {bytes, 0, 0, 4, 4, 0, "m_pixelType"},
      {oddType, 0, 0, 4, 4, 0, "m_pixelType"},
  };
  for (const Case& c : cases) {
    makeCanvas(20, 20, 0x1111);
    const auto before = pixels();
    LogCapture log;
    g_->drawRegion(c.image, c.xSrc, c.ySrc, c.w, c.h, c.transform, 2, 2, 0);
    EXPECT_TRUE(log.contains(c.message)) << c.message;
    EXPECT_TRUE(log.contains("stacktrace:")) << c.message;
    EXPECT_EQ(pixels(), before) << c.message;
  }
  // A region wholly outside the clip is not checked: nothing to draw, nothing to say.
  makeCanvas(20, 20);
  LogCapture log;
  g_->drawRegion(src, -5, 0, 4, 4, 0, 100, 2, 0);
  EXPECT_EQ(log.text(), "");
}

TEST_F(GraphicsTest, DrawRgbBlendsOrKeepsAlphaByTarget) {
  makeCanvas(3, 1, 0x0000);
  IntArray* argb = Array::newIntArray(3);
  argb->elements()[0] = int32_t(0xFFFFFFFF);
  argb->elements()[1] = int32_t(0x80FFFFFF);
  argb->elements()[2] = 0x00FFFFFF;
  g_->drawRGB(argb, 0, 3, 0, 0, 3, 1, true);
  EXPECT_EQ(at(0, 0), 0xFFFF);
  EXPECT_EQ(at(1, 0), uint16_t(15 << 11 | 31 << 5 | 15));
  EXPECT_EQ(at(2, 0), 0x0000);
  g_->drawRGB(argb, 0, 3, 0, 0, 3, 1, false);
  EXPECT_EQ(pixels()[2], 0xFFFF);

  // An ARGB4444 target keeps the alpha instead of blending.
  Image* translucent = newObject<Image>();
  translucent->init(3, 1, 2, 0);
  Graphics* g = newObject<Graphics>();
  g->init(translucent);
  g->drawRGB(argb, 0, 3, 0, 0, 3, 1, true);
  EXPECT_EQ(translucent->view16().pixels[1], 0x8FFF);
  EXPECT_EQ(translucent->view16().pixels[2], 0x0FFF);

  LogCapture log;
  makeCanvas(3, 3, 0x2222);
  const auto before = pixels();
  g_->drawRGB(nullptr, 0, 3, 0, 0, 3, 1, true);
  EXPECT_TRUE(log.contains("drawRGB rgbData"));
  g_->drawRGB(argb, 0, 3, 0, 0, 3, 2, true);
  g_->drawRGB(argb, 1, 3, 0, 0, 3, 1, false);
  g_->drawRGB(argb, -1, 1, 0, 0, 1, 1, false);
  EXPECT_TRUE(log.contains("drawRGB length"));
  EXPECT_EQ(pixels(), before);
}

TEST_F(GraphicsTest, SubstringsAreClampedToTheText) {
  String* text = String::fromCString("AB1");
  makeCanvas(60, 20);
  g_->setColor(0xFFFFFF);
  g_->drawString(text, 2, 2, 0);
  const auto whole = pixels();
  makeCanvas(60, 20);
  g_->setColor(0xFFFFFF);
  g_->drawSubstring(text, 0, 1000, 2, 2, 0);
  EXPECT_EQ(pixels(), whole);
  makeCanvas(60, 20);
  g_->setColor(0xFFFFFF);
  g_->drawSubstring(text, 2, 0x7FFFFFFF, 2, 2, 0);
  EXPECT_EQ(boxOf(0xFFFF), (std::vector<int32_t>{10, 2, 11, 11}));  // just the '1'
  for (auto [offset, length] : {std::pair{-1, 2}, {3, 1}, {1, -4}, {0x7FFFFFFF, 1}}) {
    makeCanvas(60, 20);
    g_->setColor(0xFFFFFF);
    g_->drawSubstring(text, offset, length, 2, 2, 0);
    g_->drawSubstring(nullptr, 0, 1, 2, 2, 0);
    EXPECT_TRUE(boxOf(0xFFFF).empty()) << offset << " " << length;
  }
}

}  // namespace
}  // namespace sorv
