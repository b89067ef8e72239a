// The text sources of one language (tools/data/texts/<code>.txt): the strings of the four text
// packs, by pack number and id.
//
// Source format, UTF-8 without a byte-order mark:
//   # a comment                 ignored, as are blank lines
//   [pack N]                    the lines below belong to text pack N (0..3)
//   ID: TEXT                    text ID of that pack; TEXT is everything after ": ", with the
//                               escapes \\ \n \t \r and \uXXXX (\u0020 for a space at an edge)
// Ids rise strictly within a pack; an id the source leaves out is an empty string. Every
// refusal names the file and the line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/data/resource_ids.h"

namespace sorv::mkdata {

struct TextSource {
  std::string fileName;
  // strings[pack][id]: as long as the highest id given, absent ids empty.
  std::array<std::vector<std::u16string>, kTextPackCount> strings;
  // lines[pack][id]: the source line of that id, 0 when the source leaves it out.
  std::array<std::vector<int32_t>, kTextPackCount> lines;

  std::string where(int32_t line) const { return fileName + " line " + std::to_string(line); }
};

bool parseTextSource(const std::string& source, const std::string& fileName, TextSource* out,
                     std::string* error);

}  // namespace sorv::mkdata
