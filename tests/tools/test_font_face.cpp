// The builder's face: a picture for every letter of the eleven languages, each inside the
// shared cell on the shared baseline, the marks parted from their letters.
#include <gtest/gtest.h>

#include <string>

#include "tools/mkdata/font_face.h"
#include "tools/mkdata/glyph_codes.h"
#include "tools/mkdata/letter_case.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
namespace {

int topRow(const FaceGlyph& g) {
  for (int r = 0; r < kFaceRows; r++) {
    for (int c = 0; c < g.width; c++) {
      if (g.ink(c, r)) return r;
    }
  }
  return -1;
}

int bottomRow(const FaceGlyph& g) {
  for (int r = kFaceRows - 1; r >= 0; r--) {
    for (int c = 0; c < g.width; c++) {
      if (g.ink(c, r)) return r;
    }
  }
  return -1;
}

bool rowClear(const FaceGlyph& g, int row) {
  for (int c = 0; c < g.width; c++) {
    if (g.ink(c, row)) return false;
  }
  return true;
}

// The letters whose lowest ink hangs below the baseline: descenders and marks under letters.
const std::u16string kDescending = u"gjpqyçýÿþøąęşğÇĄĘŞДЦЩдцщрфу";

TEST(FontFace, EveryLetterSitsOnTheBaselineInsideTheCell) {
  std::u16string letters;
  for (char16_t c = u'A'; c <= u'Z'; c++) letters += {c, static_cast<char16_t>(c + 0x20)};
  for (char16_t c = 0xC0; c <= 0xFF; c++) {
    if (c != 0xD7 && c != 0xF7) letters += c;  // no letters: times and divide
  }
  letters += u"ĄąĆćĘęŁłŃńŚśŹźŻżČčĎďĚěŇňŘřŠšŤťŮůŽžĞğİıŞş";
  for (char16_t c = 0x410; c <= 0x44F; c++) letters += c;
  letters += u"Ёё";
  for (char16_t c : letters) {
    SCOPED_TRACE(describeCharacter(c));
    FaceGlyph g;
    ASSERT_TRUE(findFaceGlyph(c, &g));
    ASSERT_GT(g.width, 0);
    ASSERT_LE(g.width, kFaceMaxWidth);
    if (kDescending.find(c) != std::u16string::npos) {
      EXPECT_GE(bottomRow(g), kFaceBaseline) << "no descender";
    } else {
      EXPECT_EQ(bottomRow(g), kFaceBaseline - 1) << "off the baseline";
    }
    // A capital with a mark over it: the mark on the top rows, a clear row, the letter (a
    // ring reaches down to the letter).
    if (isCapital(c) && topRow(g) < kFaceCapTop && c != 0xC5 && c != 0x16E) {
      EXPECT_TRUE(rowClear(g, kFaceCapTop)) << "the mark touches its capital";
    }
  }
}

TEST(FontFace, TheFontsShowEachLanguagesLettersAndTheHoleElsewhere) {
  struct Case {
    int32_t language;
    int32_t glyph;
    char16_t shows;
  };
  const Case cases[] = {
      {0, 'A', u'A'},  {0, 150, 0x11E}, {0, 152, 0x130}, {0, 163, 0},      {0, 172, 0x10D}, {0, 180, 0x17E},
      {0, 129, 0xA9},  {0, 132, 0xA1},  {0, 186, 0xB0},  {0, 127, 0},      {0, 140, 0},     {0, 188, 0},
      {9, 'I', 0x131}, {9, 152, u'i'},  {9, 'i', u'i'},  {10, 150, 0x451}, {10, 151, 0x410}, {10, 214, 0x44F},
      {10, 215, 0xD7}, {10, 192, 0x439}, {7, 171, 0x144}, {8, 179, 0x16F},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(glyphShows(c.language, c.glyph), c.shows) << "language " << c.language << " glyph " << c.glyph;
  }
  FaceGlyph hole = holeGlyph(), none;
  EXPECT_FALSE(findFaceGlyph(0x153, &none)) << "no picture of the ligature oe";
  EXPECT_EQ(topRow(hole), kFaceCapTop);
  EXPECT_EQ(bottomRow(hole), kFaceBaseline - 1);
}

}  // namespace
}  // namespace sorv::mkdata
