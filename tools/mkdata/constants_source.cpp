#include "tools/mkdata/constants_source.h"

#include <charconv>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/byte_writer.h"

namespace sorv::mkdata {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the UTF-8 sequence starting with lead, 0 for a byte that cannot start one.
int utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

void appendCodePoint(uint32_t cp, std::u16string& out) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<char16_t>(cp);
  }
}

bool decodeText(const std::string& text, std::u16string& out, std::string& why) {
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
      char e = i + 1 < text.size() ? text[i + 1] : '\0';
      switch (e) {
        case '\\': out += u'\\'; i += 2; continue;
        case 'n': out += u'\n'; i += 2; continue;
        case 't': out += u'\t'; i += 2; continue;
        case 'r': out += u'\r'; i += 2; continue;
        case 'u': {
          uint32_t value = 0;
          for (size_t k = 0; k < 4; ++k) {
            int d = i + 2 + k < text.size() ? hexDigit(text[i + 2 + k]) : -1;
            if (d < 0) {
              why = "bad \\u escape";
              return false;
            }
            value = value * 16 + static_cast<uint32_t>(d);
          }
          out += static_cast<char16_t>(value);
          i += 6;
          continue;
        }
        default:
          why = "unknown escape";
          return false;
      }
    }
    int n = utf8Length(c);
    if (n == 0 || i + n > text.size()) {
      why = "bad UTF-8";
      return false;
    }
    uint32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; ++k) {
      unsigned char cont = static_cast<unsigned char>(text[i + k]);
      if ((cont & 0xC0) != 0x80) {
        why = "bad UTF-8";
        return false;
      }
      cp = (cp << 6) | (cont & 0x3F);
    }
    appendCodePoint(cp, out);
    i += n;
  }
  return true;
}

}  // namespace

bool parseConstants(const std::string& source, std::vector<std::u16string>* constants,
                    std::string* error) {
  constants->clear();
  size_t lineNumber = 0;
  for (size_t start = 0; start < source.size();) {
    size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    std::string line = source.substr(start, end - start);
    start = end + 1;
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
    if (space != std::string::npos && !decodeText(line.substr(space + 1), text, why)) {
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
