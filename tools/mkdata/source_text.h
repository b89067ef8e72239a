// The lines of a data source, and the text of a line: UTF-8 with the escapes \\ \n \t \r
// and \uXXXX, turned into the UTF-16 units the game's strings hold. Shared by the builder's
// source readers.
#pragma once

#include <string>
#include <vector>

namespace sorv::mkdata {

// The source split at its line feeds, in order (line n is element n - 1); a last line
// without a line feed counts, the empty rest after a final line feed does not.
std::vector<std::string> sourceLines(const std::string& source);

// False, with the reason in *error, for a bad escape or bad UTF-8.
bool decodeSourceText(const std::string& text, std::u16string* decoded, std::string* error);

// A character for a refusal: 'x' (U+0078); a control or a surrogate by its number alone.
std::string describeCharacter(char16_t c);

}  // namespace sorv::mkdata
