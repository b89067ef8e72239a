// Which character each glyph code of a language's fonts shows, and so which characters a
// language's texts may hold.
//
// The game's text drawing turns a character into a glyph code before the font map (its
// Char2FrameModule): Latin-1 as itself with four signs moved, the Polish, Czech and Turkish
// letters onto 150-180, Cyrillic onto 150-214 in Russian only, 'i' onto the dotted capital
// in Turkish, anything else above 255 onto 0. Some letters share a code with their other
// case (the Czech caron letters, Yo, the two Turkish i's); such a code shows the small
// letter, the one running text is mostly written in. The fonts of each language's archive
// draw every code with the picture of the character it shows (font_face.h).
//
// What always holds: a character draws as itself exactly when the code the game gives it
// shows that character or its other case, and the face has its picture.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>

namespace sorv::mkdata {

// The glyph code the game gives c in the language (0: it has none).
int32_t glyphCodeOf(int32_t language, char16_t c);

// The character glyph code g shows in the language's fonts; 0 when it shows none.
char16_t glyphShows(int32_t language, int32_t g);

// a and b are one letter in two cases (Turkish pairs I with dotless i and dotted I with i).
bool sameLetter(int32_t language, char16_t a, char16_t b);

// c, a printable character, is drawn with a glyph of its own in the language.
bool drawsAsItself(int32_t language, char16_t c);

}  // namespace sorv::mkdata
