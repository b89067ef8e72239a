// The achievement table (boot pack entry 3) from tools/data/achievements.txt.
//
// Table: byte 0 + byte 1 = the count (written as count, 0), then 11 bytes an achievement:
// 2 unused, title and description text ids, Gold and threshold (u16 big-endian each),
// then tag (high nibble) and comparison (low nibble).
//
// Source: one achievement a line, "ID: gold=G check=C [threshold=T]", ids 0, 1, 2... in
// order; C is "condition" (tag 0) or a comparison of the value with T (tag 1): == > >= < <=.
// Achievement n's title and description are text pack 0 ids 101 + 2n and 102 + 2n.
// Refused, naming the line: a check form the game's calls to that id would refuse, a
// number outside its field, fewer achievements than the game reads, a Gold total the rank
// steps or the saved 16 bits cannot take, and a title or description that some language's
// text pack 0 lacks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

// A language's encoded text pack 0 (big-endian u16 count, then u16 length + bytes each).
struct LanguageTexts {
  std::string code;
  std::vector<uint8_t> pack0;
};

bool writeAchievementTable(const std::string& source, const std::vector<LanguageTexts>& languages,
                           std::vector<uint8_t>* out, std::string* error);

}  // namespace sorv::mkdata
