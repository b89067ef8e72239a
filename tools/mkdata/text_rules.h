// What a language's texts may hold, and the encoding its packs are written in.
//
// The game draws a character through its font map after a fixed substitution: Latin-1 codes
// as themselves (160, 161, 169, 176 moved onto their own glyphs), the Central-European extra
// letters onto glyph codes 150-180, Cyrillic onto 150-214 in Russian only, 'i' onto the
// dotted capital in Turkish, anything else above 255 onto glyph 0. So a text is refused a
// character the fonts cannot draw (controls but "\n", DEL and the C1 codes, a byte-order
// mark, codes above 255 without a glyph) or would draw as another letter (Latin-1 codes that
// share a glyph code with an extra letter or with the degree sign, and in Russian every
// Latin-1 and Central-European character whose glyph code a Cyrillic letter takes). A
// language written in ISO-8859-1 cannot hold anything above 255 at all.
#pragma once

#include <cstdint>
#include <string>

#include "tools/mkdata/text_source.h"

namespace sorv::mkdata {

enum class PackEncoding : uint8_t { kLatin1, kUtf8, kShiftJis };

// The name constant string 53 gives the game for the encoding.
const char* encodingName(PackEncoding encoding);
// ISO-8859-1 for the Western languages, UTF-8 for Polish, Czech, Turkish and Russian.
PackEncoding languageEncoding(int32_t language);

// Why c cannot stand in a text of the language; nullptr when it can.
const char* refusedCharacter(int32_t language, char16_t c);

// Every string against the character rules, text 0 of pack 0 equal to the language's code,
// and the set-number title of pack 1 holding its '#'. The refusal names file and line.
bool checkTextSource(const TextSource& source, int32_t language, const std::u16string& code,
                     std::string* error);

// The language gives exactly the ids the reference (English) gives, pack by pack.
bool checkSameIds(const TextSource& source, const TextSource& reference, std::string* error);

}  // namespace sorv::mkdata
