// Sprite fonts: the character mapping per language, line breaking, bracket groups, control
// codes, alignment and measuring, on a font of fixed glyph widths.
#include "tests/sprites/sprite_fixture.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/font_builder.h"

namespace sorv::test {
namespace {

constexpr int kFontHeight = 8;
constexpr uint32_t kBlack = 0xFF000000;
const uint32_t kInk[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};

// Entry 0 the space (3 wide, gap 1), entry 1 a letter (5), entry 2 a full stop (2); the
// advances are 4, 6 and 3. Palette k inks in kInk[k].
ASprite* fixedFont() {
  mk::SpriteSpec spec;
  spec.modules = {solidModule(3, kFontHeight, 0), solidModule(5, kFontHeight, 1),
                  solidModule(2, kFontHeight, 1)};
  mk::addFrame(spec, {{0, 1, 0, 0, 0}, {1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}});
  for (uint32_t ink : kInk) spec.palettes.push_back({0x00FF00FF, ink});
  ASprite* font = SpriteTest::load(spec);
  ByteArray* map = Array::newByteArray(256);
  font->fontMap = map;
  for (int c = 0; c < 256; c++) map->elements()[c] = 1;
  map->elements()[' '] = 0;
  for (int c : {'.', '!', ':'}) map->elements()[c] = 2;
  return font;
}

struct Layout {
  int32_t width;
  std::vector<int> lines;  // start, end pairs
};

Layout layOut(ASprite* font, const char* text, int32_t maxWidth, int32_t anchor = 0) {
  ASprite::drawEnabled = false;
  font->DrawString(str(text), 0, 0, anchor, maxWidth);
  ASprite::drawEnabled = true;
  Layout out{ASprite::textWidth, {}};
  for (int i = 0; i < 2 * ASprite::wrapLineCount; i++) out.lines.push_back(ASprite::wrapLines->elements()[i]);
  return out;
}

TEST_F(SpriteTest, LineBreaking) {
  struct Case {
    const char* text;
    int32_t maxWidth;
    int32_t width;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {"ab.cd", 20, 15, {0, 3, 3, 5}},             // after the full stop, which counts
      {"abc def", 30, 18, {0, 4, 4, 7}},           // after the space; the word goes down
      {"abc !de", 30, 25, {0, 5, 5, 7}},           // no break before "!", one after it
      {"abcdefgh", 20, 18, {0, 3, 3, 6, 6, 8}},    // a long word breaks where it overflows
      {"ab [cde]", 30, 18, {0, 3, 3, 8}},          // the group moves down whole
      {"abc", 1, 6, {0, 1, 1, 2, 2, 3}},           // narrower than a glyph: one per line
      {"[abcd]", 10, 6, {0, 2, 2, 3, 3, 4, 4, 6}}, // a group wider than the line
      {"ab\ncd^e", 3200, 12, {0, 3, 3, 6, 6, 7}},  // line feeds and carets
  };
  ASprite* font = fixedFont();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Layout got = layOut(font, c.text, c.maxWidth);
    EXPECT_EQ(got.width, c.width);
    EXPECT_EQ(got.lines, c.lines);
  }
}

TEST_F(SpriteTest, LineTableStopsAtItsEndAndAlignmentRecordsOnce) {
  ASprite* font = fixedFont();
  std::string many;
  for (int i = 0; i < 150; i++) many += "a\n";
  Layout got = layOut(font, many.c_str(), 3200);
  EXPECT_EQ(ASprite::wrapLineCount, ASprite::kLineTableSize / 2);
  EXPECT_EQ(ASprite::textHeight, 150 * kFontHeight);

  got = layOut(font, "ab\ncd", 3200, 0x200);
  EXPECT_EQ(got.lines, (std::vector<int>{0, 3, 3, 5}));
  EXPECT_EQ(ASprite::textHeight, 2 * kFontHeight);
}

TEST_F(SpriteTest, DrawingPalettesAlignmentAndTheDrawingSwitch) {
  target(100, 40, kBlack);
  ASprite* font = fixedFont();
  // Code 1 + 3 switches to palette 3, code 1 + 255 back to the default palette (1).
  font->DrawString(str("a\x01\x03" "a\x01\xFF" "a"), 0, 0, 1);
  EXPECT_EQ(pixel(0, 0), rgb(kInk[1]));
  EXPECT_EQ(pixel(6, 0), rgb(kInk[3]));
  EXPECT_EQ(pixel(12, 0), rgb(kInk[1]));
  // A vertical bar and a digit choose a palette too; code 2 + g draws entry g directly.
  font->DrawString(str("|2a\x02\x02"), 0, 10, 0);
  EXPECT_EQ(pixel(0, 10), rgb(kInk[2]));
  EXPECT_EQ(pixel(6, 10), rgb(kInk[2]));  // the text palette holds
  EXPECT_EQ(pixel(8, 10), rgb(kBlack));  // the full stop is 2 wide

  // Centred on x 50: the 12 pixel line starts at 44; bottom-aligned on y 40.
  font->DrawString(str("ab"), 50, 40, 0x210);
  EXPECT_EQ(pixel(43, 32), rgb(kBlack));
  EXPECT_EQ(pixel(44, 32), rgb(kInk[0]));
  EXPECT_EQ(pixel(44, 31), rgb(kBlack));
  // Line height 12 in bits 16-23: four pixels of spacing for this call only.
  font->DrawString(str("a\na"), 90, 0, 12 << 16);
  EXPECT_EQ(pixel(90, 12), rgb(kInk[0]));
  EXPECT_EQ(pixel(90, 8), rgb(kBlack));
  EXPECT_EQ(font->GetLineSpacing(), 0);

  ASprite::drawEnabled = false;
  font->DrawString(str("a"), 70, 20, 0);
  ASprite::drawEnabled = true;
  EXPECT_EQ(pixel(70, 20), rgb(kBlack));
  EXPECT_EQ(ASprite::textWidth, 6);

  font->DrawString(str(""), 0, 0, 0);  // nothing changes
  EXPECT_EQ(ASprite::textWidth, 6);
}

TEST_F(SpriteTest, MeasuringTexts) {
  ASprite* font = fixedFont();
  font->UpdateStringSize(str("ab\ncde"));
  EXPECT_EQ(ASprite::textWidth, 3 * 6 - 1);
  EXPECT_EQ(ASprite::textHeight, 2 * kFontHeight);
  font->UpdateStringSize(str("a^xb"));  // caret and the next character skipped
  EXPECT_EQ(ASprite::textWidth, 2 * 6 - 1);
  EXPECT_EQ(font->getStringWidth(str("ab\n|1.")), 6 + 6 + 3 - 1);
  EXPECT_EQ(font->getStringWidth(str("")), 0);
  font->SetLineSpacingToDefault();
  EXPECT_EQ(font->GetLineSpacing(), kFontHeight / 2);
  EXPECT_EQ(font->GetFontHeight(), kFontHeight);
  EXPECT_EQ(font->GetFontWidth(1), 5);
}

TEST_F(SpriteTest, CharacterToGlyphPerLanguage) {
  ASprite* font = fixedFont();
  for (int c = 0; c < 256; c++) font->fontMap->elements()[c] = static_cast<int8_t>(c);
  struct Case {
    int language, code, glyph;
  };
  const Case cases[] = {
      {0, 'A', 'A'},  {0, 1040, 0},   {0, 286, 150},  {0, 305, 73},   {0, 160, 32},
      {0, 382, 180},  {0, 105, 105},  {0, 9999, 0},   {10, 1025, 150}, {10, 1105, 150},
      {10, 1040, 151}, {10, 1103, 214}, {10, 'z', 'z'}, {9, 105, 152}, {9, 73, 73},
      {9, 1040, 0},
  };
  for (const Case& c : cases) {
    CGame::language = c.language;
    EXPECT_EQ(font->Char2FrameModule(c.code), c.glyph) << "language " << c.language << " code " << c.code;
  }
}

TEST_F(SpriteTest, DataBuilderFontsDrawText) {
  mk::FontStyle style;
  style.inkColours = {0xFFFFFFFF, 0xFFFF0000};
  ASprite* font = load(mk::buildFontSprite(style, kLanguageEN));
  std::array<uint8_t, 256> map = mk::buildFontMap();
  ByteArray* fontMap = Array::newByteArray(256);
  for (int i = 0; i < 256; i++) fontMap->elements()[i] = static_cast<int8_t>(map[static_cast<size_t>(i)]);
  font->fontMap = fontMap;
  target(200, 40, kBlack);
  font->DrawString(str("Hello, world."), 0, 0, 0);
  EXPECT_GT(ASprite::textWidth, 30);
  bool inked = false;
  for (int x = 0; x < 200 && !inked; x++) {
    for (int y = 0; y < 20 && !inked; y++) inked = pixel(x, y) == rgb(0xFFFFFFFF);
  }
  EXPECT_TRUE(inked);
  EXPECT_GT(font->getStringWidth(str("Hello, world.")), 30);
}


TEST_F(SpriteTest, DataBuilderGlyphsKeepTheirPlaceInTheCell) {
  mk::FontStyle style;
  style.inkColours = {0xFFFFFFFF};
  ASprite* font = load(mk::buildFontSprite(style, kLanguageEN));
  std::array<uint8_t, 256> map = mk::buildFontMap();
  ByteArray* fontMap = Array::newByteArray(256);
  for (int i = 0; i < 256; i++) fontMap->elements()[i] = static_cast<int8_t>(map[static_cast<size_t>(i)]);
  font->fontMap = fontMap;
  EXPECT_EQ(font->GetFontHeight(), 11) << "the space keeps the whole cell";
  struct Case {
    char16_t code;
    int top, bottom;  // the inked rows of the cell
  };
  // One baseline under row 8: capitals from row 2, small letters from 4, the marks over
  // them above, descenders and the marks under letters on rows 9 and 10.
  const Case cases[] = {{u'A', 2, 8},     {u'a', 4, 8},     {u'-', 5, 5},     {u'\u00C9', 0, 8},
                        {u'\u00E9', 1, 8}, {u'g', 4, 10},    {u'j', 2, 10},    {u'p', 4, 10},
                        {u'y', 4, 10},    {u'\u00C7', 2, 10}, {u'\u0105', 4, 10}, {u'\u00FD', 1, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    target(20, 20, kBlack);
    font->DrawString(String::fromUnits(&c.code, 1), 0, 0, 0);
    int top = -1, bottom = -1;
    for (int y = 0; y < 20; y++) {
      for (int x = 0; x < 20; x++) {
        if (pixel(x, y) != rgb(kBlack)) {
          if (top < 0) top = y;
          bottom = y;
        }
      }
    }
    EXPECT_EQ(top, c.top);
    EXPECT_EQ(bottom, c.bottom);
    EXPECT_EQ(aload(font->moduleHeight, font->Char2FrameModule(c.code)), c.bottom - c.top + 1)
        << "a glyph's image holds only its inked rows";
  }
}

}  // namespace
}  // namespace sorv::test
