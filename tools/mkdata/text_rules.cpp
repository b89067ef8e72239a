#include "tools/mkdata/text_rules.h"

#include <algorithm>

#include "tools/mkdata/glyph_codes.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
namespace {

std::string narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

const char* encodingName(PackEncoding encoding) {
  switch (encoding) {
    case PackEncoding::kLatin1: return "ISO-8859-1";
    case PackEncoding::kUtf8: return "UTF-8";
    case PackEncoding::kShiftJis: return "SJIS";
  }
  return "";
}

PackEncoding languageEncoding(int32_t language) {
  return language >= kLanguagePL ? PackEncoding::kUtf8 : PackEncoding::kLatin1;
}

const char* refusedCharacter(int32_t language, char16_t c) {
  if (c == u'\n') return nullptr;
  if (c == 0xFEFF) return "is a byte-order mark";
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return "is a control character";
  if (languageEncoding(language) == PackEncoding::kLatin1 && c > 0xFF) return "is not in ISO-8859-1";
  return drawsAsItself(language, c) ? nullptr : "has no glyph of its own";
}

bool checkTextSource(const TextSource& source, int32_t language, const std::u16string& code,
                     std::string* error) {
  for (int32_t pack = 0; pack < kTextPackCount; pack++) {
    const auto& strings = source.strings[static_cast<size_t>(pack)];
    for (size_t id = 0; id < strings.size(); id++) {
      for (char16_t c : strings[id]) {
        if (const char* why = refusedCharacter(language, c)) {
          *error = source.where(source.lines[static_cast<size_t>(pack)][id]) + ": text " +
                   std::to_string(id) + " of pack " + std::to_string(pack) + " (" + narrow(code) +
                   "): " + describeCharacter(c) + " " + why;
          const char16_t shown = glyphShows(language, glyphCodeOf(language, c));
          if (c >= 0x20 && shown != 0 && shown != c) *error += " (it would draw as " + describeCharacter(shown) + ")";
          return false;
        }
      }
    }
  }
  const auto& general = source.strings[kTextGeneral];
  if (general.size() <= kTextLanguageCode || general[kTextLanguageCode] != code) {
    int32_t line =
        general.size() > kTextLanguageCode ? source.lines[kTextGeneral][kTextLanguageCode] : 0;
    *error = (line > 0 ? source.where(line) : source.fileName) + ": text 0 of pack 0 must be " +
             "the language code " + narrow(code);
    return false;
  }
  const auto& match = source.strings[kTextMatch];
  if (match.size() <= kTextSetTitle || match[kTextSetTitle].find(u'#') == std::u16string::npos) {
    int32_t line = match.size() > kTextSetTitle ? source.lines[kTextMatch][kTextSetTitle] : 0;
    *error = (line > 0 ? source.where(line) : source.fileName) +
             ": text 89 of pack 1 needs '#' where the set number goes";
    return false;
  }
  return true;
}

bool checkSameIds(const TextSource& source, const TextSource& reference, std::string* error) {
  for (int32_t pack = 0; pack < kTextPackCount; pack++) {
    const auto& lines = source.lines[static_cast<size_t>(pack)];
    const auto& expected = reference.lines[static_cast<size_t>(pack)];
    for (size_t id = 0; id < std::max(lines.size(), expected.size()); id++) {
      bool given = id < lines.size() && lines[id] > 0;
      bool wanted = id < expected.size() && expected[id] > 0;
      if (given == wanted) continue;
      if (given) {
        *error = source.where(lines[id]) + ": pack " + std::to_string(pack) + " id " +
                 std::to_string(id) + " is not in " + reference.fileName;
      } else {
        *error = source.fileName + ": pack " + std::to_string(pack) + " id " + std::to_string(id) +
                 " is missing (" + reference.where(expected[id]) + ")";
      }
      return false;
    }
  }
  return true;
}

}  // namespace sorv::mkdata
