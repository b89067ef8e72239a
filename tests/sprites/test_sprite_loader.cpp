// The sprite loader: files written by the data builder read back field for field, and
// malformed files stopping cleanly.
#include "tests/sprites/sprite_fixture.h"

namespace sorv::test {
namespace {

mk::SpriteSpec sampleSpec(uint32_t flags) {
  mk::SpriteSpec spec;
  spec.flags = flags;
  const bool wide = flags & mk::kSpriteWideModules;
  mk::SpriteModule image = solidModule(3, 2, 1);
  image.x = wide ? 5 : 0;
  image.y = wide ? 7 : 0;
  spec.modules.push_back(image);
  mk::SpriteModule outline;
  outline.kind = mk::kModuleOutline;
  outline.colour = 0xFF123456;
  outline.width = 4;
  outline.height = 6;
  spec.modules.push_back(outline);
  mk::SpriteModule filled = outline;
  filled.kind = mk::kModuleFilled;
  filled.colour = 0x80ABCDEF;
  spec.modules.push_back(filled);
  mk::addFrame(spec, {{0, -3, 4, 1, 0x01}, {1, 9, -8, 0, 0x12}});
  mk::addFrame(spec, {{2, 100, 0, 0, 0x40}});
  mk::addAnim(spec, {{0, 3, -2, 5, 0x03}, {1, 250, 6, -7, 0}});
  spec.palettes = {{0x00FF00FF, 0xFF102030}, {0x7F000000, 0xFFFFFFFF}};
  return spec;
}

TEST_F(SpriteTest, EveryFlagCombinationReadsBackFieldForField) {
  const uint32_t options[] = {mk::kSpriteWideModules, mk::kSpriteModulePositions,
                              mk::kSpriteWideFModuleOffsets, mk::kSpriteFModulePalettes,
                              mk::kSpriteWideAFrameOffsets, mk::kSpriteShortAnimCounts};
  for (uint32_t mask = 0; mask < 64; mask++) {
    for (uint32_t pixels : {mk::kSpriteIndexed, mk::kSpriteSingleImage, 0u}) {
      uint32_t flags = pixels;
      for (int b = 0; b < 6; b++) {
        if (mask & (1u << b)) flags |= options[b];
      }
      // A single image places its modules by their x, y: only with wide modules.
      if (pixels == mk::kSpriteSingleImage && !(flags & mk::kSpriteWideModules)) continue;
      mk::SpriteSpec spec = sampleSpec(flags);
      SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << flags);
      clobberStack();
      ASprite* s = load(spec);
      ASSERT_EQ(s->flags, static_cast<int32_t>(flags));
      ASSERT_EQ(s->moduleCount, 3);
      EXPECT_EQ(s->moduleWidth->elements()[0], 3);
      EXPECT_EQ(s->moduleHeight->elements()[2], 6);
      EXPECT_EQ(s->moduleKind->elements()[0], ASprite::kModuleImage);
      EXPECT_EQ(s->moduleKind->elements()[1], ASprite::kModuleOutline);
      EXPECT_EQ(s->moduleKind->elements()[2], ASprite::kModuleFilled);
      EXPECT_EQ(static_cast<uint32_t>(s->moduleColour->elements()[2]), 0x80ABCDEFu);
      EXPECT_EQ(isNull(s->moduleX), !(flags & 0x22));
      if (flags & mk::kSpriteWideModules) {
        EXPECT_EQ(s->moduleY->elements()[0], 7);
      }
      EXPECT_EQ(s->fmoduleX->elements()[0], -3);
      EXPECT_EQ(s->fmoduleY->elements()[1], -8);
      EXPECT_EQ(s->fmoduleFlags->elements()[1], 0x12);
      EXPECT_EQ(static_cast<uint8_t>(s->fmoduleFlags->elements()[2]), 0x40);
      EXPECT_EQ(isNull(s->fmodulePalette), !(flags & mk::kSpriteFModulePalettes));
      if (flags & mk::kSpriteFModulePalettes) {
        EXPECT_EQ(s->fmodulePalette->elements()[0], 1);
      }
      EXPECT_EQ(s->frameFModuleCount->elements()[0], 2);
      EXPECT_EQ(s->frameFirstFModule->elements()[1], 2);
      EXPECT_EQ(s->GetAFrames(0), 2);
      EXPECT_EQ(s->GetAFrameTime(0, 1), 250);
      EXPECT_EQ(s->aframeX->elements()[0], -2);
      EXPECT_EQ(s->aframeY->elements()[1], -7);
      if (pixels != 0) {
        EXPECT_EQ(s->paletteCount, 2);
        EXPECT_EQ(s->colourCount, 2);
      }
      if (pixels == mk::kSpriteIndexed) {
        EXPECT_TRUE(s->translucentPalette);
        EXPECT_EQ(static_cast<uint32_t>(s->getPalette(1)->elements()[1]), 0xFFFFFFFFu);
        EXPECT_EQ(s->dataFormat, 0x5602);
        EXPECT_EQ(s->pixelOffsets->elements()[1], 6);
        EXPECT_EQ(s->pixelData->length, 6);
      }
      if (pixels == mk::kSpriteSingleImage) {
        EXPECT_EQ(s->pngPalettes->length, 2 * (2 + 2) * 4);
      }
    }
  }
}

TEST_F(SpriteTest, SizesColourCountsAndPaletteFormats) {
  // Narrow sizes 0x80..0xFF read as negative but every reader takes the low 8 bits.
  mk::SpriteSpec narrow;
  narrow.flags = mk::kSpriteIndexed;
  mk::SpriteModule m = solidModule(2, 1, 0);
  narrow.modules.push_back(m);
  narrow.palettes = {std::vector<uint32_t>(256, 0xFF000000)};
  std::vector<uint8_t> file = mk::writeSprite(narrow);
  file[8] = 0xC8;  // width byte: 200 as s8
  ASprite* s = load(file);
  EXPECT_EQ(s->moduleWidth->elements()[0], -56);
  EXPECT_EQ(s->colourCount, 256);  // written as 0

  narrow.palettes = {{0xFF000000}};
  narrow.dataFormat = 0x64F0;
  s = load(narrow);
  EXPECT_EQ(s->indexBits, 0);
  EXPECT_EQ(s->indexMask, 0);

  mk::SpriteSpec other = narrow;
  other.paletteFormat = 0x4444;
  other.dataFormat = 0x5602;
  s = load(other);
  ASSERT_EQ(s->paletteCount, 1);
  EXPECT_EQ(s->getPalette(0)->elements()[0], 0);  // nothing read, all transparent
  EXPECT_EQ(s->dataFormat, 0x5602);
  EXPECT_EQ(s->pixelData->length, 2);
}

TEST_F(SpriteTest, EmptyCountsAllocateNothing) {
  mk::SpriteSpec spec;
  spec.palettes = {{0xFF000000}};
  ASprite* s = load(spec);
  EXPECT_EQ(s->moduleCount, 0);
  EXPECT_TRUE(isNull(s->moduleWidth));
  EXPECT_TRUE(isNull(s->pixelOffsets));
  EXPECT_EQ(s->paletteCount, 1);
  EXPECT_EQ(s->dataFormat, 0x5602);
}

TEST_F(SpriteTest, TruncatedFilesAndOverLargeCountsStopWithOneLogLine) {
  const std::vector<uint8_t> file = mk::writeSprite(sampleSpec(mk::kSpriteIndexed | mk::kSpriteWideModules));
  for (size_t cut = 0; cut < file.size(); cut++) {
    LogCapture log;
    ASprite* s = load(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(cut)));
    EXPECT_TRUE(log.contains("ASprite.Load")) << "cut at " << cut;
    EXPECT_TRUE(isNull(s->pixelData)) << "cut at " << cut;
  }
  std::vector<uint8_t> huge = file;
  huge[6] = 0xFF;  // module count 0xFF03
  huge[7] = 0xFF;
  LogCapture log;
  ASprite* s = load(huge);
  EXPECT_TRUE(log.contains("module count beyond the file"));
  EXPECT_EQ(s->moduleCount, 0);
}

TEST_F(SpriteTest, MoreThanFortyEightPalettesAreRefused) {
  mk::SpriteSpec spec;
  spec.modules.push_back(solidModule(1, 1, 0));
  spec.palettes.assign(49, {0xFF000000});
  LogCapture log;
  ASprite* s = load(spec);
  EXPECT_TRUE(log.contains("more than 48 palettes"));
  EXPECT_EQ(s->paletteCount, 0);
  EXPECT_TRUE(isNull(s->pixelData));
  EXPECT_TRUE(isNull(s->DecodeImage(0, 0)));

  spec.palettes.assign(48, {0xFF000000});
  s = load(spec);
  EXPECT_EQ(s->paletteCount, 48);
}

TEST_F(SpriteTest, PaletteCountAndSelection) {
  mk::SpriteSpec spec;
  spec.modules.push_back(solidModule(1, 1, 0));
  spec.palettes = {{0xFF111111, 0xFF222222}, {0xFF333333, 0xFF444444}, {0xFF555555, 0xFF666666}};
  ASprite* s = load(spec);
  s->setPaletteCount(1);
  EXPECT_EQ(s->paletteCount, 1);
  EXPECT_TRUE(isNull(s->palettes->elements()[2]));
  s->setPaletteCount(3);
  ASSERT_EQ(s->getPalette(2)->length, 2);
  EXPECT_EQ(s->getPalette(2)->elements()[1], 0);  // grown palettes are zero-filled
  s->setPaletteCount(49);
  EXPECT_EQ(s->paletteCount, 3);

  s->SetPalette(7);
  EXPECT_EQ(s->GetCurrentPalette(), 2);
  s->SetPalette(-1);
  EXPECT_EQ(s->GetCurrentPalette(), 2);
  s->SetCurrentPalette(3);
  EXPECT_EQ(s->GetCurrentPalette(), 2);
  s->SetCurrentPalette(1);
  EXPECT_EQ(s->getPalette(-1), s->getPalette(1));
}

}  // namespace
}  // namespace sorv::test
