// The texts pack of one language: its four text packs in the pack's entry order (text packs
// 0, 2, 3, 1), built from tools/data/texts/<code>.txt after the English source, which every
// language must match id for id.
//
// A text pack: a big-endian u16 count, then per string a big-endian u16 byte length and the
// bytes in the language's encoding. Each pack holds at least its minimum count of strings
// (the ids the source leaves out are empty); no count or length wraps its u16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/text_rules.h"

namespace sorv::mkdata {

inline constexpr const char kDefaultLanguage[] = "EN";

bool encodeTextPack(const std::vector<std::u16string>& strings, PackEncoding encoding,
                    int32_t minStrings, std::vector<uint8_t>* out, std::string* error);

// The index of the language whose code (its constant string) is code; -1 when none is.
int32_t findLanguage(const std::vector<std::u16string>& constants, const std::string& code);

// dataDir/texts/<code in lower case>.txt
std::string textSourcePath(const std::string& dataDir, const std::u16string& code);

// Reads, checks and encodes the language's texts; false with the reason (file and line).
bool textsPackEntries(const std::string& dataDir, const std::vector<std::u16string>& constants,
                      int32_t language, std::vector<std::vector<uint8_t>>* entries,
                      std::string* error);

}  // namespace sorv::mkdata
