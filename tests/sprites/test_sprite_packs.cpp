// The data builder's sprite packs read back through the game's own sprite code: the pack
// layout, every font map value naming a glyph of its fonts, the palette sprites' sizes.
#include "tools/data/resource_ids.h"
#include "tests/sprites/sprite_fixture.h"
#include "tools/mkdata/resource_pack.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::test {
namespace {

// Entry i of a pack, read as the game's pack reader does.
std::vector<uint8_t> packEntry(const std::vector<uint8_t>& pack, int i) {
  auto le = [&](size_t at, int bytes) {
    uint32_t v = 0;
    for (int k = 0; k < bytes; k++) v |= uint32_t{pack.at(at + static_cast<size_t>(k))} << (8 * k);
    return v;
  };
  const uint32_t n = le(0, 2);
  EXPECT_LT(static_cast<uint32_t>(i) + 1, n);
  const size_t header = 2 + 4 * size_t{n};
  const uint32_t first = le(2, 4), start = le(2 + 4 * static_cast<size_t>(i), 4),
                 end = le(6 + 4 * static_cast<size_t>(i), 4);
  return std::vector<uint8_t>(pack.begin() + static_cast<long>(header + start - first),
                              pack.begin() + static_cast<long>(header + end - first));
}

// Every language's archive has its own fonts: each covers every glyph code of its map.
TEST_F(SpriteTest, FontPackFontsCoverEveryGlyphCodeOfTheirMaps) {
  for (int language = 0; language < kLanguageCount; language++) {
    SCOPED_TRACE(testing::Message() << "language " << language);
    const std::vector<uint8_t> pack = mk::encodeResourcePack(mk::fontPackEntries(language));
    const std::pair<int, std::vector<int>> groups[] = {
        {kFontMapMain, {kFontMain, kFontHint, kFontSmall, kFontCredits}},
        {kFontMapCached, {kFontDigits, kFontTitle}}};
    for (const auto& [mapEntry, fonts] : groups) {
      std::vector<uint8_t> map = packEntry(pack, mapEntry);
      ASSERT_EQ(map.size(), 256u);
      for (int entry : fonts) {
        SCOPED_TRACE(testing::Message() << "font entry " << entry);
        clobberStack();
        ASprite* font = load(packEntry(pack, entry));
        ASSERT_GE(font->paletteCount, kFontPaletteCount);
        const int glyphs = font->frameFModuleCount->elements()[0];
        for (uint8_t g : map) ASSERT_LT(g, glyphs);
        font->fontMap = bytes(map);
        CGame::language = language;
        for (int c = 0; c < 1200; c++) ASSERT_LT(font->Char2FrameModule(c), glyphs);
      }
    }
    EXPECT_TRUE(packEntry(pack, 0).empty());
  }
}

TEST_F(SpriteTest, ColourPackPaletteSprites) {
  const std::vector<uint8_t> pack = mk::encodeResourcePack(mk::colourPackEntries());
  for (int e = 0; e <= kPlayerPaletteSprite; e++) {
    ASprite* s = load(packEntry(pack, e));
    EXPECT_EQ(s->colourCount, kPlayerPaletteColours);
    EXPECT_EQ(static_cast<uint32_t>(s->getPalette(0)->elements()[1]), 0x81000000u);
  }
  EXPECT_EQ(load(packEntry(pack, kPlayerPaletteSprite))->paletteCount, kPlayerPaletteCount);
}

}  // namespace
}  // namespace sorv::test
