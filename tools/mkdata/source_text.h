// The text of a data source line: UTF-8 with the escapes \\ \n \t \r and \uXXXX, turned into
// the UTF-16 units the game's strings hold. Shared by the constants and the text sources.
#pragma once

#include <string>

namespace sorv::mkdata {

// False, with the reason in *error, for a bad escape or bad UTF-8.
bool decodeSourceText(const std::string& text, std::u16string* decoded, std::string* error);

}  // namespace sorv::mkdata
