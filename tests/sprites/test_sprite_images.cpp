// Module images: decoding through the sprite, the per-palette cache, the image pool and
// the build-time effects.
#include <random>

#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

mk::SpriteSpec oneModule(int16_t w, int16_t h, const std::vector<uint8_t>& indexes,
                         std::vector<uint32_t> palette, int32_t format) {
  mk::SpriteSpec spec;
  mk::SpriteModule m;
  m.width = w;
  m.height = h;
  m.pixels = indexes;
  spec.modules.push_back(m);
  spec.palettes = {palette};
  spec.dataFormat = format;
  return spec;
}

// 1x1 modules, one per index, each its own colour.
mk::SpriteSpec manyModules(int count) {
  mk::SpriteSpec spec;
  for (int i = 0; i < count; i++) spec.modules.push_back(solidModule(1, 1, 1));
  spec.palettes = {{0x00FF00FF, 0xFFFF0000}, {0x00FF00FF, 0xFF0000FF}};
  return spec;
}

TEST_F(SpriteTest, EveryFormatDecodesLikeThePaletteLookup) {
  struct Case {
    int32_t format;
    int colours;
    int16_t w, h;
  };
  const Case cases[] = {
      {0x5602, 256, 7, 5},  {0x5602, 1, 3, 3},  {0x1600, 16, 5, 3},  {0x1600, 2, 1, 1},
      {0x0400, 4, 7, 3},    {0x0200, 2, 9, 2},  {0x0200, 1, 3, 1},   {0x64F0, 1, 4, 4},
      {0x64F0, 2, 6, 6},    {0x64F0, 256, 8, 8}, {0x27F1, 200, 9, 9}, {0x56F2, 256, 10, 10},
      {0x5602, 200, 255, 255},  // more pixels than the shared buffer
  };
  std::mt19937 random(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format 0x" << std::hex << c.format << std::dec << " colours "
                                    << c.colours << " size " << c.w << "x" << c.h);
    std::vector<uint32_t> palette(static_cast<size_t>(c.colours));
    for (auto& p : palette) p = random() | 0xFF000000u;
    std::vector<uint8_t> indexes(static_cast<size_t>(c.w * c.h));
    // Runs as well as noise, so the run formats use both of their codes.
    for (size_t i = 0; i < indexes.size(); i++) {
      indexes[i] = (i / 5) % 2 ? indexes[i - 1] : static_cast<uint8_t>(random() % static_cast<uint32_t>(c.colours));
    }
    if (!indexes.empty()) indexes[0] = static_cast<uint8_t>(random() % static_cast<uint32_t>(c.colours));
    clobberStack();
    ASprite* s = load(oneModule(c.w, c.h, indexes, palette, c.format));
    IntArray* out = s->DecodeImage(0, 0);
    ASSERT_FALSE(isNull(out));
    EXPECT_EQ(out == ASprite::decodeBuffer.get(), c.w * c.h <= ASprite::kDecodeBufferSize);
    for (size_t i = 0; i < indexes.size(); i++) {
      ASSERT_EQ(static_cast<uint32_t>(out->elements()[i]), palette[indexes[i]]) << "pixel " << i;
    }
  }
}

TEST_F(SpriteTest, BadModuleDataIsMendedAndLoggedOnce) {
  // Written as 8 bits per pixel, then read as runs that overshoot and indexes past 2 colours.
  std::vector<uint8_t> file = mk::writeSprite(oneModule(2, 2, {1, 1, 1, 1}, {0xFF000000, 0xFFFFFFFF}, 0x5602));
  ASprite* s = load(file);
  s->dataFormat = 0x56F2;
  s->pixelData->elements()[0] = 0x7F;  // run of 127 of the next byte's colour
  s->pixelData->elements()[1] = 9;     // index 9 of 2 colours
  LogCapture log;
  IntArray* out = s->DecodeImage(0, 0);
  ASSERT_FALSE(isNull(out));
  for (int i = 0; i < 4; i++) EXPECT_EQ(static_cast<uint32_t>(out->elements()[i]), 0xFFFFFFFFu);
  EXPECT_EQ(out->elements()[4], ASprite::decodeBuffer->elements()[4]);
  s->DecodeImage(0, 0);
  std::string text = log.text();
  EXPECT_EQ(text.find("DecodeImage"), text.rfind("DecodeImage"));
  EXPECT_NE(text.find("DecodeImage"), std::string::npos);

  s->dataFormat = 0x1234;
  out = s->DecodeImage(0, 0);
  for (int i = 0; i < 4; i++) EXPECT_EQ(out->elements()[i], 0);

  // Offsets that point outside the data decode nothing.
  s->pixelOffsets->elements()[0] = 100;
  EXPECT_TRUE(isNull(s->DecodeImage(0, 0)));
}

TEST_F(SpriteTest, PoolDropsTheOldestImageFirst) {
  Graphics* g = target(4, 4);
  ASprite* s = load(manyModules(ASprite::kPoolSize + 1));
  for (int m = 0; m < ASprite::kPoolSize; m++) s->PaintModule(m, 0, 0, 0, 100);
  EXPECT_NE(s->cachedImage(0, 0), nullptr);
  s->PaintModule(ASprite::kPoolSize, 0, 0, 0, 100);
  EXPECT_EQ(s->cachedImage(0, 0), nullptr);
  EXPECT_NE(s->cachedImage(0, 1), nullptr);
  EXPECT_NE(s->cachedImage(0, ASprite::kPoolSize), nullptr);
  // Using an image does not renew it; drawing the first again evicts the second.
  s->PaintModule(1, 0, 0, 0, 100);
  s->PaintModule(0, 0, 0, 0, 100);
  EXPECT_NE(s->cachedImage(0, 0), nullptr);
  EXPECT_EQ(s->cachedImage(0, 1), nullptr);
  EXPECT_EQ(pixel(0, 0), rgb(0xFFFF0000));

  ASprite::ResetPoolData();
  for (int m = 0; m <= ASprite::kPoolSize; m++) EXPECT_EQ(s->cachedImage(0, m), nullptr);

  ASprite::DisablePool();
  s->PaintModule(3, 0, 0, 0, 100);
  EXPECT_EQ(s->cachedImage(0, 3), nullptr);
  EXPECT_EQ(pixel(0, 0), rgb(0xFFFF0000));
  ASprite::EnablePool();
  s->disablePool(false);
  s->PaintModule(3, 0, 0, 0, 100);
  EXPECT_EQ(s->cachedImage(0, 3), nullptr);
  (void)g;
}

TEST_F(SpriteTest, CacheGrowsWithThePaletteCountAndDropsChangedPalettes) {
  target(4, 4);
  ASprite* s = load(manyModules(2));
  s->PaintModule(0, 0, 0, 0, 100);
  ASSERT_EQ(s->imageCache->length, 2);
  // More palettes after the cache was made: the cache grows instead of overflowing.
  s->setPaletteCount(5);
  s->changePalette(s->getPalette(1), 4, Array::newIntArray(0));
  s->SetCurrentPalette(4);
  s->PaintModule(0, 0, 0, 0, 100);
  EXPECT_GE(s->imageCache->length, 5);
  EXPECT_NE(s->cachedImage(4, 0), nullptr);
  EXPECT_EQ(pixel(0, 0), rgb(0xFF0000FF));

  IntArray* green = Array::fillInts(Array::newIntArray(2), {0x11111111, static_cast<int32_t>(0xFF00FF00)});
  s->changePalette(green, -1, Array::fillInts(Array::newIntArray(1), {0}));
  EXPECT_EQ(s->getPalette(4)->elements()[0], 0x00FF00FF);  // kept
  EXPECT_EQ(s->cachedImage(4, 0), nullptr);
  s->PaintModule(0, 1, 1, 0, 100);
  EXPECT_EQ(pixel(1, 1), rgb(0xFF00FF00));
}

TEST_F(SpriteTest, BuildCacheImagesPerPaletteAndShared) {
  ASprite* s = load(manyModules(4));
  s->BuildCacheImages(0, 1, -1, -1);
  EXPECT_EQ(s->cachedImage(0, 0), nullptr);
  for (int m = 1; m < 4; m++) EXPECT_NE(s->cachedImage(0, m), nullptr);
  s->BuildCacheImages(1, 0, -1, 0);
  EXPECT_EQ(s->cachedImage(1, 2), s->cachedImage(0, 2));
  EXPECT_EQ(s->GetCurrentPalette(), 0);

  CGame::buildAlpha70 = true;
  s->BuildCacheImages(1, 0, 0, -1, false);
  CGame::buildAlpha70 = false;
  ASSERT_NE(s->cachedImage(1, 0), nullptr);
  EXPECT_EQ(s->cachedImage(1, 0)->pixelType, kPixelArgb4444);
}

// A module drawn on demand goes into the pool; building the sprite's cache over it makes the
// image the sprite's own, so resetting the pools (as a match's loading does after the menus
// kept their modules and freed the pixels) no longer takes it away.
TEST_F(SpriteTest, ACachedImageOutlivesThePoolItWasFirstDrawnInto) {
  target(4, 4);
  ASprite* s = load(manyModules(3));
  s->PaintModule(1, 0, 0, 0, 100);
  s->PaintModule(2, 0, 0, 0, 100);
  s->BuildCacheImages(0, 1, 1, -1);
  s->FreeOriginalData();
  ASprite::ResetPoolData();
  EXPECT_NE(s->cachedImage(0, 1), nullptr) << "built into the cache";
  EXPECT_EQ(s->cachedImage(0, 2), nullptr) << "only pooled";
  target(4, 4);
  s->PaintModule(1, 0, 0, 0, 100);
  EXPECT_EQ(pixel(0, 0), rgb(0xFFFF0000));
}

TEST_F(SpriteTest, AlphaBlurAndFlipEffects) {
  IntArray* px = Array::fillInts(Array::newIntArray(4), {static_cast<int32_t>(0xFF123456), 0x00FF00FF,
                                                        static_cast<int32_t>(0xFF000001), 0x7F000002});
  ASprite::AddAlphaToImgData(px, 70, 2, 2);
  EXPECT_EQ(static_cast<uint32_t>(px->elements()[0]), 0xB2123456u);  // 178
  EXPECT_EQ(px->elements()[1], 0x00FF00FF);                          // key skipped
  // A pixel that already has the alpha stops the pass.
  px->elements()[2] = static_cast<int32_t>(0xB2000001);
  px->elements()[3] = 0x10000002;
  ASprite::AddAlphaToImgData(px, 70, 2, 2);
  EXPECT_EQ(px->elements()[3], 0x10000002);
  ASprite::AddAlphaToImgData(px, 101, 2, 2);
  EXPECT_EQ(px->elements()[3], 0x10000002);

  // 3x3 with one opaque centre: its four neighbours get one step of alpha, corners none.
  IntArray* shape = Array::newIntArray(9);
  for (int i = 0; i < 9; i++) shape->elements()[i] = 0xFF00FF;
  shape->elements()[4] = static_cast<int32_t>(0xFFFFFFFF);
  Image* halo = ASprite::applyBlurEffect(shape, 3, 3, 0xFF00FF);
  ASSERT_NE(halo, nullptr);
  IntArray* back = Array::newIntArray(9);
  Image::getRGB(halo, back, 0, 3, 0, 0, 3, 3);
  EXPECT_EQ(static_cast<uint32_t>(back->elements()[4]) >> 24, 0xFFu);
  EXPECT_EQ(static_cast<uint32_t>(back->elements()[1]) >> 28, 54u >> 4);
  EXPECT_EQ(static_cast<uint32_t>(back->elements()[0]) >> 24, 0u);

  IntArray* row = Array::fillInts(Array::newIntArray(6), {1, 2, 3, 4, 5, 6});
  ASprite::ImageDataXFlip(row, 3, 2);
  EXPECT_EQ(row->elements()[0], 3);
  EXPECT_EQ(row->elements()[5], 4);
  ASprite::ImageDataYFlip(row, 3, 2);
  EXPECT_EQ(row->elements()[0], 6);
}

TEST_F(SpriteTest, DecodeWithoutTheSharedBufferUsesItsOwn) {
  ASprite* s = load(manyModules(1));
  ASprite::setTempBufferSize(0);
  IntArray* out = s->DecodeImage(0, 0);
  ASSERT_FALSE(isNull(out));
  EXPECT_EQ(static_cast<uint32_t>(out->elements()[0]), 0xFFFF0000u);
  ASprite::setTempBufferSize(ASprite::kDecodeBufferSize);
  EXPECT_EQ(ASprite::decodeBuffer->length, ASprite::kDecodeBufferSize);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

TEST_F(SpriteTest, ImagesThatCannotBeMadeAreSkippedAfterAFewTries) {
  LogCapture log;
  // Fewer colours than pixels: the device refuses every attempt.
  EXPECT_EQ(ASprite::Create_RGB_Image(Array::newIntArray(4), 10, 10, true), nullptr);
  EXPECT_TRUE(log.contains("Create_RGB_Image: no image of 10x10"));
}

}  // namespace
}  // namespace sorv::test
