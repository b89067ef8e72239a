// The glyph codes the game's text drawing gives characters that are not their own code,
// shared by the sprite fonts' character mapping and the data builder, which draws each
// language's fonts and checks its texts against the same codes.
//
// In every language the characters of kGlyphSubstitutes are moved onto their glyph codes; in
// the Cyrillic language Yo (both cases) takes kCyrillicYoGlyph and the letters from
// kCyrillicFirst on take the codes from kCyrillicFirstGlyph on; in the dotted-i language the
// small i takes the dotted capital's code. Any other character above 255 has no glyph code.
#pragma once

#include <cstdint>

namespace sorv {

struct GlyphSubstitute {
  int16_t code, glyph;
};

// The no-break space, four signs, and the Polish, Czech and Turkish letters (the two cases
// of the Czech caron letters share one code).
inline constexpr GlyphSubstitute kGlyphSubstitutes[] = {
    {160, 32},  {161, 132}, {169, 129}, {176, 186}, {260, 153}, {261, 164}, {262, 156},
    {263, 167}, {268, 172}, {269, 172}, {270, 173}, {271, 173}, {277, 174}, {282, 174},
    {283, 174}, {280, 154}, {281, 165}, {286, 150}, {287, 161}, {304, 152}, {305, 73},
    {321, 159}, {322, 170}, {323, 160}, {324, 171}, {327, 175}, {328, 175}, {344, 176},
    {345, 176}, {346, 155}, {347, 166}, {350, 151}, {351, 162}, {352, 177}, {353, 177},
    {356, 178}, {357, 178}, {366, 179}, {367, 179}, {377, 157}, {378, 168}, {379, 158},
    {380, 169}, {381, 180}, {382, 180},
};

inline constexpr int32_t kLanguageCyrillic = 10, kLanguageDottedI = 9;
inline constexpr int32_t kCyrillicYo = 1025, kCyrillicSmallYo = 1105;
inline constexpr int32_t kCyrillicFirst = 1040, kCyrillicLast = 1103;
inline constexpr int32_t kCyrillicYoGlyph = 150, kCyrillicFirstGlyph = 151;
inline constexpr int32_t kDottedIGlyph = 152;

}  // namespace sorv
