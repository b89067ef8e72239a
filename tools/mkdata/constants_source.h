// The constant strings of "/constants.bin": parsed from tools/data/constants.txt, checked
// against the texts the game relies on, and encoded as the game reads them (big-endian s32
// count, then each string as DataInputStream UTF).
//
// Source format: one string a line, "NUMBER TEXT", numbers 0, 1, 2... in order; the text is
// everything after the first space, UTF-8, with the escapes \\ \n \t \r and \uXXXX. Blank
// lines and lines starting with '#' are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

bool parseConstants(const std::string& source, std::vector<std::u16string>* constants,
                    std::string* error);

// At least kConstantCount strings, the forced texts of tools/data/resource_ids.h in place, and
// the language codes distinct words of letters A-Z.
bool checkConstants(const std::vector<std::u16string>& constants, std::string* error);

std::vector<uint8_t> encodeConstants(const std::vector<std::u16string>& constants);

}  // namespace sorv::mkdata
