// Image: pixel types and array sizes, PNG files and ARGB arrays into images, getRGB, and the
// refused Graphics of immutable and byte-pixel images.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "device/graphics.h"
#include "device/image.h"
#include "runtime/collector.h"
#include "tests/device/png_writer.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::RuntimeTest;

class ImageTest : public RuntimeTest {
 protected:
  static Image* sized(int32_t w, int32_t h, int32_t typeWord, int32_t extra = 0) {
    Image* image = newObject<Image>();
    image->init(w, h, typeWord, extra);
    return image;
  }
  static ByteArray* bytes(const std::vector<uint8_t>& data, int32_t before = 0) {
    ByteArray* a = Array::newByteArray(int32_t(data.size()) + before);
    std::memcpy(a->elements() + before, data.data(), data.size());
    return a;
  }
  static IntArray* ints(const std::vector<uint32_t>& values) {
    IntArray* a = Array::newIntArray(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) a->elements()[i] = int32_t(values[i]);
    return a;
  }
  static uint16_t pixelAt(Image* image, int32_t x, int32_t y) {
    return image->view16().pixels[size_t(y) * image->view16().pitch + x];
  }
  static std::vector<int32_t> rgb(Image* image) {
    IntArray* out = Array::newIntArray(image->width * image->height);
    Image::getRGB(image, out, 0, image->width, 0, 0, image->width, image->height);
    return {out->elements(), out->elements() + out->length};
  }
};

TEST_F(ImageTest, PixelTypesSizeTheirArrays) {
  struct Case {
    int32_t w, h, type, extra;
    int16_t arrayClass;
    int32_t pitch, length;
  } cases[] = {
      {7, 3, 0, 0, kShortArray, 16, 24},   {8, 3, 1, 0, kShortArray, 16, 24},
      {1, 1, 2, 0, kShortArray, 4, 2},     {7, 3, 3, 10, kByteArray, 7, 10 + 21 + 1},
      {7, 3, 4, 5, kByteArray, 4, 5 + 12 + 1}, {6, 2, 9, 0, kByteArray, 3, 7},
      {0, 0, 0, 0, kShortArray, 0, 0},   {7, 3, INT32_MIN, 0, kByteArray, 4, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " type " << c.type);
    Image* image = sized(c.w, c.h, c.type, c.extra);
    ASSERT_NE(image->pixels, nullptr);
    EXPECT_EQ(image->pixels->classId, c.arrayClass);
    EXPECT_EQ(image->pitch, c.pitch);
    EXPECT_EQ(image->pixels->length, c.length);
    EXPECT_EQ(image->pixelType, c.type);
    EXPECT_EQ(image->isMutable, 0);
    EXPECT_EQ(image->getWidth(), c.w);
    EXPECT_EQ(image->getHeight(), c.h);
  }
}

TEST_F(ImageTest, MutableBitAndBadSizes) {
  LogCapture log;
  Image* screen = Image::createImage(5, 4);
  EXPECT_EQ(screen->isMutable, 1);
  EXPECT_EQ(screen->pixelType, 0);
  EXPECT_FALSE(log.contains("imagetype"));

  Image* keyed = sized(4, 4, 1 | kImageMutableBit);
  EXPECT_TRUE(log.contains("imagetype"));
  EXPECT_EQ(keyed->isMutable, 1);
  EXPECT_EQ(keyed->pixelType, 1);

  for (auto [w, h, extra] : {std::tuple{-1, 5, 0}, {5, -1, 0}, {70000, 70000, 0}, {4, 4, -8},
                             std::tuple{0x7FFFFFFF, 2, 0}}) {
    log.clear();
    Image* bad = sized(w, h, 3, extra);
    EXPECT_EQ(bad->pixels, nullptr) << w << "x" << h;
    EXPECT_EQ(bad->width, 0);
    EXPECT_TRUE(log.contains("refused"));
  }
}

TEST_F(ImageTest, GraphicsOnlyForMutable16BitImages) {
  LogCapture log;
  Image* fixed = sized(4, 4, 0);
  Graphics* g = fixed->getGraphics();
  EXPECT_TRUE(log.contains("!mutable"));
  ASSERT_NE(g, nullptr);
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 4, 4);
  EXPECT_EQ(pixelAt(fixed, 1, 1), 0);

  Image* palette = sized(4, 4, 3 | kImageMutableBit, 0);
  std::vector<int8_t> before(palette->pixels->length);
  std::memcpy(before.data(), palette->pixels->data, before.size());
  g = palette->getGraphics();
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 4, 4);
  g->drawLine(0, 0, 3, 3);
  EXPECT_EQ(std::memcmp(before.data(), palette->pixels->data, before.size()), 0);

  Image* canvas = Image::createImage(4, 4);
  g = canvas->getGraphics();
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 4, 4);
  EXPECT_EQ(pixelAt(canvas, 3, 3), 0xFFFF);
}

TEST_F(ImageTest, PngFilesGetTheirPixelType) {
  using test::PngFormat;
  struct Case {
    const char* name;
    std::vector<uint32_t> pixels;
    PngFormat format;
    int32_t type;
  } cases[] = {
      {"palette with a clear entry", {0xFF102030, 0x00000000, 0xFF405060}, {PNG_COLOR_TYPE_PALETTE, 8}, 1},
      {"palette with partial alpha", {0xFF102030, 0x80000000, 0xFF405060}, {PNG_COLOR_TYPE_PALETTE, 8}, 0},
      {"opaque palette", {0xFF102030, 0xFF000000, 0xFF405060}, {PNG_COLOR_TYPE_PALETTE, 4}, 0},
      {"RGB with magenta", {0xFF102030, 0xFFFF00FF, 0xFF405060}, {PNG_COLOR_TYPE_RGB, 8}, 1},
      {"RGB near magenta", {0xFF102030, 0xFFFE01FE, 0xFF405060}, {PNG_COLOR_TYPE_RGB, 8}, 0},
      {"RGBA with magenta", {0xFFFF00FF, 0x00FF00FF, 0x12345678}, {PNG_COLOR_TYPE_RGB_ALPHA, 8}, 2},
      {"grey 16-bit interlaced", {0xFF000000, 0xFF808080, 0xFFFFFFFF}, {PNG_COLOR_TYPE_GRAY, 16, true}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = test::writePng(c.pixels, 3, 1, c.format);
    ByteArray* data = bytes(file, 5);
    Image* image = Image::createImage(data, 5, int32_t(file.size()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixelType, c.type);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->pitch, 8);  // odd width: one spare word a row
    EXPECT_EQ(image->isMutable, 0);
    EXPECT_EQ(pixelAt(image, 3, 0), 0);
  }
}

TEST_F(ImageTest, PngRangeAndDataAreChecked) {
  const auto file = test::writePng({0xFF000000, 0xFFFFFFFF}, 2, 1, {PNG_COLOR_TYPE_RGB, 8});
  ByteArray* data = bytes(file);
  const int32_t n = int32_t(file.size());
  LogCapture log;
  EXPECT_EQ(Image::createImage(nullptr, 0, 10), nullptr);
  for (auto [offset, length] : {std::pair{-1, n}, {0, n + 1}, {1, n}, {0, -5}, {0x7FFFFFFF, 2}}) {
    EXPECT_EQ(Image::createImage(data, offset, length), nullptr) << offset << " " << length;
  }
  EXPECT_EQ(Image::createImage(data, 0, 20), nullptr);  // IHDR cut short
  EXPECT_TRUE(log.contains("outside"));
  // A file cut inside its pixels keeps its size; what could not be decoded stays zero.
  Image* partial = Image::createImage(data, 0, n - 20);
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->width, 2);
}

TEST_F(ImageTest, RgbImagesInTheirThreeKinds) {
  LogCapture log;
  // Translucent: ARGB4444, alpha kept.
  Image* translucent = Image::createRGBImage(ints({0x80FF0000, 0xFF00FF00, 0x00000000}), 3, 1, true);
  ASSERT_NE(translucent, nullptr);
  EXPECT_EQ(translucent->pixelType, 2);
  EXPECT_EQ(pixelAt(translucent, 0, 0), 0x8F00);
  EXPECT_EQ(pixelAt(translucent, 2, 0), 0x0000);
  // Opaque and clear only: keyed RGB565; a magenta of partial alpha does not count as translucent.
  Image* keyed = Image::createRGBImage(ints({0xFF00FF00, 0x00123456, 0x40FF00FF}), 3, 1, true);
  EXPECT_EQ(keyed->pixelType, 1);
  EXPECT_EQ(rgb(keyed), (std::vector<int32_t>{int32_t(0xFF00FF00), 0, 0}));
  Image* opaqueAlpha = Image::createRGBImage(ints({0xFF00FF00, 0xFFFE01FE}), 2, 1, true);
  EXPECT_EQ(opaqueAlpha->pixelType, 0);  // a near magenta does not become the key
  // A translucent word past the w x h pixels is not part of the image.
  Image* spare = Image::createRGBImage(ints({0xFF00FF00, 0xFF0000FF, 0x80FF0000}), 2, 1, true);
  EXPECT_EQ(spare->pixelType, 0);
  // processAlpha false: plain RGB565, alpha ignored, magenta stays a colour.
  Image* plain = Image::createRGBImage(ints({0x00FF00FF, 0x80102030}), 2, 1, false);
  EXPECT_EQ(plain->pixelType, 0);
  EXPECT_EQ(pixelAt(plain, 0, 0), 0xF81F);
  EXPECT_FALSE(log.contains("createRGBImage"));

  EXPECT_EQ(Image::createRGBImage(nullptr, 1, 1, true), nullptr);
  EXPECT_TRUE(log.contains("createRGBImage rgbData"));
  EXPECT_EQ(Image::createRGBImage(ints({1, 2}), 0, 1, true), nullptr);
  EXPECT_TRUE(log.contains("createRGBImage width, height"));
  EXPECT_EQ(Image::createRGBImage(ints({1, 2, 3}), 2, 2, true), nullptr);
  EXPECT_EQ(Image::createRGBImage(ints({1, 2, 3}), 0x10000, 0x10000, true), nullptr);
  EXPECT_TRUE(log.contains("createRGBImage length"));
}

TEST_F(ImageTest, GetRgbExpandsEveryType) {
  Image* image = Image::createImage(3, 2);
  auto* words = image->view16().pixels;
  words[0] = 0xF81F;
  words[1] = 0xFFFF;
  words[2] = 0x0821;  // one step of every channel
  EXPECT_EQ(rgb(image)[0], int32_t(0xFFFF00FF));
  EXPECT_EQ(rgb(image)[1], int32_t(0xFFFFFFFF));
  EXPECT_EQ(rgb(image)[2], int32_t(0xFF080408));
  image->detectKeyColor();
  EXPECT_EQ(image->pixelType, 1);
  EXPECT_EQ(rgb(image)[0], 0);

  Image* argb = sized(2, 1, 2);
  argb->view16().pixels[0] = 0x8F3C;
  argb->view16().pixels[1] = 0xF000;
  EXPECT_EQ(rgb(argb), (std::vector<int32_t>{int32_t(0x88FF33CC), int32_t(0xFF000000)}));

  // A region with a scan length: rows land scanlength apart, nothing else is touched.
  IntArray* out = ints(std::vector<uint32_t>(12, 7));
  Image::getRGB(image, out, 2, 5, 1, 0, 2, 2);
  EXPECT_EQ(std::vector<int32_t>(out->elements(), out->elements() + 12),
            (std::vector<int32_t>{7, 7, -1, int32_t(0xFF080408), 7, 7, 7, int32_t(0xFF000000),
                                  int32_t(0xFF000000), 7, 7, 7}));
}

TEST_F(ImageTest, KeyColorFoundAnywhereAndOnlyExactly) {
  for (int32_t w = 1; w <= 7; ++w) {
    Image* image = Image::createImage(w, 3);
    const PixelView16 v = image->view16();
    const int64_t count = int64_t{v.pitch} * v.height;
    // Neighbours of the key in every lane position never count.
    const uint16_t nearKeys[] = {0xF81E, 0xF820, 0x781F, 0xF81F ^ 0x8000, 0xF91F, 0x1FF8};
    for (int64_t i = 0; i < count; ++i) v.pixels[i] = nearKeys[i % 6];
    image->detectKeyColor();
    EXPECT_EQ(image->pixelType, 0) << w;
    for (int64_t at = 0; at < count; ++at) {
      const uint16_t old = v.pixels[at];
      v.pixels[at] = 0xF81F;
      image->detectKeyColor();
      EXPECT_EQ(image->pixelType, 1) << w << " at " << at;
      v.pixels[at] = old;
    }
  }
}

TEST_F(ImageTest, GetRgbChecksCopyNothing) {
  Image* image = Image::createImage(4, 4);
  Image* bytesImage = sized(4, 4, 3);
  struct Case {
    Image* image;
    int32_t length, offset, scan, x, y, w, h;
    const char* message;
  } cases[] = {
      {image, 16, 0, 4, 0, 0, 4, 5, "getRGB length"},
      {image, 16, 1, 4, 0, 0, 4, 4, "getRGB length"},
      {image, 16, 8, -4, 0, 0, 4, 4, "getRGB length"},
      {image, 16, 0, 4, -1, 0, 2, 2, "getRGB x,y outside"},
      {image, 16, 0, 4, 3, 0, 2, 2, "getRGB width,height outside"},
      {image, 16, 0, 4, 0, 0x7FFFFFFF, 2, 2, "getRGB width,height outside"},
      {bytesImage, 16, 0, 4, 0, 0, 2, 2, "m_pixelType"},
      {nullptr, 16, 0, 4, 0, 0, 2, 2, "getRGB image null"},
  };
  for (const Case& c : cases) {
    LogCapture log;
    IntArray* out = ints(std::vector<uint32_t>(c.length, 7));
    Image::getRGB(c.image, out, c.offset, c.scan, c.x, c.y, c.w, c.h);
    EXPECT_TRUE(log.contains(c.message)) << c.message;
    for (int32_t i = 0; i < out->length; ++i) ASSERT_EQ(out->elements()[i], 7) << c.message;
  }
  LogCapture log;
  Image::getRGB(image, nullptr, 0, 4, 0, 0, 2, 2);
  EXPECT_TRUE(log.contains("getRGB argb null"));
}

TEST_F(ImageTest, PixelsLiveAsLongAsTheImage) {
  Image* image = Image::createImage(8, 8);
  Graphics* g = image->getGraphics();
  image = nullptr;
  test::clobberStack();
  app_->objectManager->gc(0);
  g->setColor(0x00FF00);
  g->fillRect(0, 0, 8, 8);
  ASSERT_FALSE(isNull(g->target));
  ASSERT_FALSE(isNull(g->target->pixels));
  EXPECT_EQ(g->target->view16().pixels[9], 0x07E0);
}

}  // namespace
}  // namespace sorv
