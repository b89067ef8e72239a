#include "tools/mkdata/glyph_codes.h"

#include "tools/data/glyph_substitutes.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/font_face.h"
#include "tools/mkdata/letter_case.h"

namespace sorv::mkdata {
namespace {

constexpr int32_t kExtraFirst = 150, kExtraLast = 180;
// What codes 150-180 show outside Russian: the letter moved there, the small one where
// both cases share the code (163 is nobody's).
constexpr char16_t kExtraShown[kExtraLast - kExtraFirst + 1] = {
    0x11E, 0x15E, 0x130, 0x104, 0x118, 0x15A, 0x106, 0x179, 0x17B, 0x141, 0x143,
    0x11F, 0x15F, 0,     0x105, 0x119, 0x15B, 0x107, 0x17A, 0x17C, 0x142, 0x144,
    0x10D, 0x10F, 0x11B, 0x148, 0x159, 0x161, 0x165, 0x16F, 0x17E};

static_assert(kLanguageRU == kLanguageCyrillic && kLanguageTR == kLanguageDottedI);
constexpr int32_t kCyrillicLastGlyph = kCyrillicFirstGlyph + (kCyrillicLast - kCyrillicFirst);
constexpr char16_t kDotlessI = 0x131;
constexpr char16_t kNoBreakSpace = 0xA0;

char16_t shownCode(int32_t language, int32_t g) {
  if (g < 32 || g > 255) return 0;
  if (language == kLanguageRU && g >= kCyrillicYoGlyph && g <= kCyrillicLastGlyph) {
    return static_cast<char16_t>(g == kCyrillicYoGlyph ? kCyrillicSmallYo : kCyrillicFirst + (g - kCyrillicFirstGlyph));
  }
  if (language == kLanguageTR && g == 'I') return kDotlessI;
  if (language == kLanguageTR && g == kDottedIGlyph) return u'i';
  if (g >= kExtraFirst && g <= kExtraLast) return kExtraShown[g - kExtraFirst];
  switch (g) {
    case 129: return 0xA9;  // the copyright sign
    case 132: return 0xA1;  // the inverted exclamation mark
    case 186: return 0xB0;  // the degree sign
    default: break;
  }
  if (g >= 127 && g < 160) return 0;  // DEL and the C1 controls
  return static_cast<char16_t>(g);
}

char16_t folded(int32_t language, char16_t c) {
  if (language == kLanguageTR && c == u'I') return kDotlessI;
  return smallLetter(c);
}

}  // namespace

int32_t glyphCodeOf(int32_t language, char16_t c) {
  int32_t g = c;
  if (language == kLanguageRU) {
    if (c == kCyrillicYo || c == kCyrillicSmallYo) g = kCyrillicYoGlyph;
    if (c >= kCyrillicFirst && c <= kCyrillicLast) g = kCyrillicFirstGlyph + (c - kCyrillicFirst);
  }
  for (const GlyphSubstitute& s : kGlyphSubstitutes) {
    if (s.code == c) g = s.glyph;
  }
  if (language == kLanguageTR && c == u'i') return kDottedIGlyph;
  return g >= 256 ? 0 : g;
}

char16_t glyphShows(int32_t language, int32_t g) {
  const char16_t c = shownCode(language, g);
  FaceGlyph picture;
  return c != 0 && findFaceGlyph(c, &picture) ? c : 0;
}

bool sameLetter(int32_t language, char16_t a, char16_t b) { return folded(language, a) == folded(language, b); }

bool drawsAsItself(int32_t language, char16_t c) {
  if (c == kNoBreakSpace) return true;  // moved onto the space on purpose
  const int32_t g = glyphCodeOf(language, c);
  const char16_t shown = glyphShows(language, g);
  return g != 0 && shown != 0 && sameLetter(language, shown, c);
}

}  // namespace sorv::mkdata
