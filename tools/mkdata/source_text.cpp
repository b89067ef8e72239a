#include "tools/mkdata/source_text.h"

#include <cstdint>
#include <cstdio>

namespace sorv::mkdata {

std::vector<std::string> sourceLines(const std::string& source) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < source.size();) {
    size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    lines.push_back(source.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}
std::string describeCharacter(char16_t c) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(c));
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFEFF) return number;
  std::string utf8;
  if (c < 0x80) {
    utf8 = std::string(1, static_cast<char>(c));
  } else if (c < 0x800) {
    utf8 = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    utf8 = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  }
  return "'" + utf8 + "' (" + number + ")";
}

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

}  // namespace

bool decodeSourceText(const std::string& text, std::u16string* decoded, std::string* error) {
  std::u16string& out = *decoded;
  std::string& why = *error;
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

}  // namespace sorv::mkdata
