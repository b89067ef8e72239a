#include "tools/mkdata/constants_source.h"

#include <charconv>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/byte_writer.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
bool parseConstants(const std::string& source, std::vector<std::u16string>* constants,
                    std::string* error) {
  constants->clear();
  size_t lineNumber = 0;
  for (std::string line : sourceLines(source)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::string where = "constants line " + std::to_string(lineNumber) + ": ";
    size_t space = line.find(' ');
    std::string number = line.substr(0, space);
    int value = -1;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || ptr != number.data() + number.size()) {
      *error = where + "no number";
      return false;
    }
    if (value != static_cast<int>(constants->size())) {
      *error = where + "number " + number + " out of order (expected " +
               std::to_string(constants->size()) + ")";
      return false;
    }
    std::u16string text;
    std::string why;
    if (space != std::string::npos && !decodeSourceText(line.substr(space + 1), &text, &why)) {
      *error = where + why;
      return false;
    }
    if (encodeModifiedUtf8(text).size() > 0xFFFF) {
      *error = where + "text longer than 65535 bytes";
      return false;
    }
    constants->push_back(std::move(text));
  }
  return true;
}

bool checkConstants(const std::vector<std::u16string>& constants, std::string* error) {
  if (constants.size() < static_cast<size_t>(kConstantCount)) {
    *error = "constants: " + std::to_string(constants.size()) + " strings, the game reads " +
             std::to_string(kConstantCount);
    return false;
  }
  struct Forced {
    int32_t number;
    bool (*holds)(const std::u16string&);
    const char* rule;
  };
  static const Forced kForced[] = {
      {kConstEmpty, [](const std::u16string& s) { return s.empty(); }, "must be empty"},
      {kConstPathSeparator, [](const std::u16string& s) { return s == u"\\"; },
       "must be a backslash"},
      {kConstRecordStorePrefix,
       [](const std::u16string& s) {
         std::string marker = kSavedGameMarker;
         return s.find(std::u16string(marker.begin(), marker.end())) != std::u16string::npos;
       },
       "must hold the saved-game marker"},
      {kConstRecordStoreSuffix,
       [](const std::u16string& s) {
         for (char16_t c : s) {
           if (c >= u'A' && c <= u'Z') return false;
         }
         return true;
       },
       "must be lower case (store paths are lower-cased)"},
  };
  for (const Forced& f : kForced) {
    if (!f.holds(constants[f.number])) {
      *error = "constant " + std::to_string(f.number) + " " + f.rule;
      return false;
    }
  }
  // Each language code names its text source, and getLanguage takes the first code that
  // matches: codes are short upper-case words, all different.
  for (int32_t a = 0; a < kLanguageCount; a++) {
    const std::u16string& code = constants[static_cast<size_t>(kConstLanguageCodes[a])];
    bool word = !code.empty() && code.size() <= 8;
    for (char16_t c : code) word = word && c >= u'A' && c <= u'Z';
    if (!word) {
      *error = "constant " + std::to_string(kConstLanguageCodes[a]) +
               " must be a language code of letters A-Z";
      return false;
    }
    for (int32_t b = 0; b < a; b++) {
      if (code == constants[static_cast<size_t>(kConstLanguageCodes[b])]) {
        *error = "constants " + std::to_string(kConstLanguageCodes[b]) + " and " +
                 std::to_string(kConstLanguageCodes[a]) + " name the same language";
        return false;
      }
    }
  }
  if (constants[kConstGameRecordStore] == constants[kConstPromoRecordStore]) {
    *error = "the game's and the promotion's record stores need different names";
    return false;
  }
  return true;
}

std::vector<uint8_t> encodeConstants(const std::vector<std::u16string>& constants) {
  ByteWriter out;
  out.s32(static_cast<int32_t>(constants.size()));
  for (const std::u16string& s : constants) out.utf(s);
  return out.bytes();
}

}  // namespace sorv::mkdata
