#include "tools/mkdata/text_source.h"

#include <charconv>

#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
namespace {

constexpr int32_t kHighestId = 0xFFFE;  // a pack counts its strings in a u16
constexpr const char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr const char kPromoSection[] = "[promo]";

bool parseNumber(const std::string& text, int32_t* value) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

}  // namespace

bool parseTextSource(const std::string& source, const std::string& fileName, TextSource* out,
                     std::string* error) {
  *out = TextSource{};
  out->fileName = fileName;
  int32_t pack = -1;
  bool inPromo = false;
  std::array<bool, kTextPackCount> seen{};
  int32_t lineNumber = 0;
  for (std::string line : sourceLines(source)) {
    ++lineNumber;
    auto refuse = [&](const std::string& why) {
      *error = out->where(lineNumber) + ": " + why;
      return false;
    };
    if (line.compare(0, 3, kByteOrderMark) == 0) return refuse("byte-order mark");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    // The promotion screen's section is not a text pack (promo_file.cpp reads it).
    if (line == kPromoSection) {
      inPromo = true;
      continue;
    }
    if (inPromo && line[0] != '[') continue;
    if (line[0] == '[') {
      inPromo = false;
      const std::string prefix = "[pack ";
      int32_t n = -1;
      if (line.compare(0, prefix.size(), prefix) != 0 || line.back() != ']' ||
          !parseNumber(line.substr(prefix.size(), line.size() - prefix.size() - 1), &n) || n < 0 ||
          n >= kTextPackCount) {
        return refuse("expected [pack 0] to [pack 3]");
      }
      if (seen[static_cast<size_t>(n)]) return refuse("pack given twice");
      seen[static_cast<size_t>(n)] = true;
      pack = n;
      continue;
    }
    if (pack < 0) return refuse("text before the first [pack N]");
    size_t colon = line.find(':');
    int32_t id = -1;
    if (colon == std::string::npos || !parseNumber(line.substr(0, colon), &id)) {
      return refuse("expected ID: TEXT");
    }
    std::vector<std::u16string>& strings = out->strings[static_cast<size_t>(pack)];
    if (id > kHighestId) return refuse("id above " + std::to_string(kHighestId));
    if (id < static_cast<int32_t>(strings.size())) return refuse("id out of order or repeated");
    std::string text = line.substr(colon + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    std::u16string decoded;
    std::string why;
    if (!decodeSourceText(text, &decoded, &why)) return refuse(why);
    strings.resize(static_cast<size_t>(id) + 1);
    strings.back() = std::move(decoded);
    std::vector<int32_t>& lines = out->lines[static_cast<size_t>(pack)];
    lines.resize(strings.size(), 0);
    lines.back() = lineNumber;
  }
  return true;
}

}  // namespace sorv::mkdata
