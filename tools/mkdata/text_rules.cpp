#include "tools/mkdata/text_rules.h"

#include <algorithm>
#include <cstdio>

namespace sorv::mkdata {
namespace {

// The Central-European letters the fonts carry as extra glyphs (Polish, Czech, Turkish).
constexpr char16_t kExtraLetters[] = {0x104, 0x105, 0x106, 0x107, 0x10C, 0x10D, 0x10E, 0x10F,
                                      0x115, 0x118, 0x119, 0x11A, 0x11B, 0x11E, 0x11F, 0x130,
                                      0x141, 0x142, 0x143, 0x144, 0x147, 0x148, 0x158, 0x159,
                                      0x15A, 0x15B, 0x15E, 0x15F, 0x160, 0x161, 0x164, 0x165,
                                      0x16E, 0x16F, 0x179, 0x17A, 0x17B, 0x17C, 0x17D, 0x17E};
constexpr char16_t kDotlessI = 0x131;  // drawn as 'I', which is right in Turkish only
constexpr char16_t kCyrillicYo = 0x401, kCyrillicSmallYo = 0x451;
constexpr char16_t kCyrillicFirst = 0x410, kCyrillicLast = 0x44F;

bool isExtraLetter(char16_t c) {
  return std::find(std::begin(kExtraLetters), std::end(kExtraLetters), c) !=
         std::end(kExtraLetters);
}

bool isCyrillic(char16_t c) {
  return c == kCyrillicYo || c == kCyrillicSmallYo || (c >= kCyrillicFirst && c <= kCyrillicLast);
}

// Latin-1 codes whose glyph codes belong to the extra letters (162-180) or to the degree sign
// (186); the copyright sign (169) and the degree sign (176) are moved onto their own glyphs.
bool sharesAnotherGlyph(char16_t c) {
  return c == 0xBA || (c >= 0xA2 && c <= 0xB4 && c != 0xA9 && c != 0xB0);
}

// In Russian the Cyrillic letters take glyph codes 150-214: the Latin-1 codes 181-214 and the
// degree sign (drawn with glyph 186) would show as Cyrillic letters.
bool takesCyrillicGlyph(char16_t c) { return c == 0xB0 || (c >= 0xB5 && c <= 0xD6); }

std::string unitName(char16_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

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
  if (c == 0xFEFF) return "byte-order mark";
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return "control character";
  if (c < 0x7F) return nullptr;
  if (c < 0x100) {
    if (sharesAnotherGlyph(c)) return "drawn with another letter's glyph";
    if (language == kLanguageRU && takesCyrillicGlyph(c)) {
      return "drawn with a Cyrillic glyph in Russian";
    }
    return nullptr;
  }
  if (languageEncoding(language) == PackEncoding::kLatin1) return "not in ISO-8859-1";
  if (language == kLanguageRU) return isCyrillic(c) ? nullptr : "no glyph in Russian";
  if (c == kDotlessI) return language == kLanguageTR ? nullptr : "drawn as 'I' outside Turkish";
  return isExtraLetter(c) ? nullptr : "no glyph in the fonts";
}

bool checkTextSource(const TextSource& source, int32_t language, const std::u16string& code,
                     std::string* error) {
  for (int32_t pack = 0; pack < kTextPackCount; pack++) {
    const auto& strings = source.strings[static_cast<size_t>(pack)];
    for (size_t id = 0; id < strings.size(); id++) {
      for (char16_t c : strings[id]) {
        if (const char* why = refusedCharacter(language, c)) {
          *error = source.where(source.lines[static_cast<size_t>(pack)][id]) + ": " + unitName(c) +
                   " " + why;
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
