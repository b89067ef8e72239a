// What a language's texts may hold, and the encoding its packs are written in.
//
// A text is refused a character the game would not draw as itself: controls but "\n", DEL
// and the C1 codes, a byte-order mark, anything its pack's encoding cannot hold, and every
// character whose glyph code in the language shows another letter or nothing
// (glyph_codes.h): so the letters the fonts carry are exactly the letters a text may use.
// Latin-1 is the encoding of the Western languages; Polish, Czech, Turkish and Russian need
// letters past it and are written in UTF-8.
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
// and the set-number title of pack 1 holding its '#'. The refusal names file and line, and
// a refused character its text, language and the character.
bool checkTextSource(const TextSource& source, int32_t language, const std::u16string& code,
                     std::string* error);

// The language gives exactly the ids the reference (English) gives, pack by pack.
bool checkSameIds(const TextSource& source, const TextSource& reference, std::string* error);

}  // namespace sorv::mkdata
