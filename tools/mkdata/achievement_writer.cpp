#include "tools/mkdata/achievement_writer.h"

#include <algorithm>
#include <sstream>

namespace sorv::mkdata {

namespace {

constexpr int32_t kFirstTitleText = 101;
// The game reads achievements 0 to 54.
constexpr int32_t kMinAchievements = 55;
constexpr int32_t kMaxAchievements = 255;
// Rank 5 needs 6000 Gold; the total is saved in 16 signed bits.
constexpr int32_t kMinGoldTotal = 6000;
constexpr int32_t kMaxGoldTotal = 32767;
// The achievements the game checks with a value; every other one with a condition.
constexpr int32_t kValueChecked[] = {5,  6,  7,  20, 21, 22, 23, 24, 27, 28, 29,
                                     31, 32, 33, 35, 36, 37, 38, 39, 41, 49};
constexpr const char* kComparisons[] = {"==", ">", ">=", "<", "<="};

struct Achievement {
  int32_t gold = -1;
  int32_t tag = 0;
  int32_t comparison = 0;
  int32_t threshold = 0;
};

bool fail(std::string* error, int line, const std::string& why) {
  *error = "achievements.txt:" + std::to_string(line) + ": " + why;
  return false;
}

bool parseNumber(const std::string& text, int32_t max, int32_t* value) {
  if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; })) return false;
  *value = std::stoi(text);
  return *value <= max;
}

bool parseLine(const std::string& line, int number, int32_t expectedId, Achievement* a,
               std::string* error) {
  size_t colon = line.find(':');
  int32_t id = -1;
  if (colon == std::string::npos || !parseNumber(line.substr(0, colon), kMaxAchievements, &id)) {
    return fail(error, number, "expected \"ID: gold=G check=C\"");
  }
  if (id != expectedId) return fail(error, number, "id " + std::to_string(expectedId) + " expected");
  bool hasCheck = false, hasThreshold = false;
  std::istringstream fields(line.substr(colon + 1));
  for (std::string field; fields >> field;) {
    size_t eq = field.find('=');
    std::string key = field.substr(0, eq), value = eq == std::string::npos ? "" : field.substr(eq + 1);
    if (key == "gold") {
      if (!parseNumber(value, 0xFFFF, &a->gold)) return fail(error, number, "gold is 0 to 65535");
    } else if (key == "threshold") {
      if (!parseNumber(value, 0xFFFF, &a->threshold)) return fail(error, number, "threshold is 0 to 65535");
      hasThreshold = true;
    } else if (key == "check") {
      hasCheck = true;
      if (value == "condition") continue;
      auto found = std::find(std::begin(kComparisons), std::end(kComparisons), value);
      if (found == std::end(kComparisons)) return fail(error, number, "unknown check " + value);
      a->tag = 1;
      a->comparison = static_cast<int32_t>(found - std::begin(kComparisons));
    } else {
      return fail(error, number, "unknown field " + key);
    }
  }
  if (a->gold < 0 || !hasCheck) return fail(error, number, "gold and check are needed");
  if (hasThreshold != (a->tag == 1)) {
    return fail(error, number, "a threshold goes with a comparison, and only with one");
  }
  bool valueChecked = std::find(std::begin(kValueChecked), std::end(kValueChecked), id) !=
                      std::end(kValueChecked);
  if (valueChecked && a->tag != 1) return fail(error, number, "the game checks this one with a value");
  if (!valueChecked && a->tag != 0) return fail(error, number, "the game checks this one with a condition");
  return true;
}

// Which ids of an encoded text pack hold a text; false when the pack is damaged.
bool textIds(const std::vector<uint8_t>& pack, std::vector<bool>* present) {
  if (pack.size() < 2) return false;
  size_t count = (pack[0] << 8) | pack[1], at = 2;
  for (size_t i = 0; i < count; i++) {
    if (at + 2 > pack.size()) return false;
    size_t length = (pack[at] << 8) | pack[at + 1];
    at += 2 + length;
    if (at > pack.size()) return false;
    present->push_back(length > 0);
  }
  return true;
}

bool checkTexts(int32_t id, int line, const std::vector<LanguageTexts>& languages,
                const std::vector<std::vector<bool>>& present, std::string* error) {
  for (size_t l = 0; l < languages.size(); l++) {
    for (int32_t text : {kFirstTitleText + 2 * id, kFirstTitleText + 1 + 2 * id}) {
      const std::vector<bool>& ids = present[l];
      if (static_cast<size_t>(text) >= ids.size() || !ids[static_cast<size_t>(text)]) {
        return fail(error, line, languages[l].code + " text pack 0 has no text " + std::to_string(text));
      }
    }
  }
  return true;
}

void put16(std::vector<uint8_t>* out, int32_t v) {
  out->push_back(static_cast<uint8_t>(v >> 8));
  out->push_back(static_cast<uint8_t>(v));
}

}  // namespace

bool writeAchievementTable(const std::string& source, const std::vector<LanguageTexts>& languages,
                           std::vector<uint8_t>* out, std::string* error) {
  std::vector<std::vector<bool>> present(languages.size());
  for (size_t l = 0; l < languages.size(); l++) {
    if (!textIds(languages[l].pack0, &present[l])) {
      *error = languages[l].code + " text pack 0 is damaged";
      return false;
    }
  }
  std::vector<Achievement> table;
  std::istringstream lines(source);
  int number = 0, lastLine = 0;
  int32_t gold = 0;
  for (std::string line; std::getline(lines, line);) {
    number++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Achievement a;
    auto id = static_cast<int32_t>(table.size());
    if (!parseLine(line, number, id, &a, error) || !checkTexts(id, number, languages, present, error)) {
      return false;
    }
    gold += a.gold;
    table.push_back(a);
    lastLine = number;
  }
  if (table.size() < kMinAchievements) {
    return fail(error, number, "the game reads " + std::to_string(kMinAchievements) + " achievements");
  }
  if (gold < kMinGoldTotal || gold > kMaxGoldTotal) {
    return fail(error, lastLine, "Gold totals " + std::to_string(gold) + ", not " +
                                     std::to_string(kMinGoldTotal) + " to " + std::to_string(kMaxGoldTotal));
  }
  out->clear();
  out->push_back(static_cast<uint8_t>(table.size()));
  out->push_back(0);
  for (size_t n = 0; n < table.size(); n++) {
    const Achievement& a = table[n];
    put16(out, 0);
    put16(out, kFirstTitleText + 2 * static_cast<int32_t>(n));
    put16(out, kFirstTitleText + 1 + 2 * static_cast<int32_t>(n));
    put16(out, a.gold);
    put16(out, a.threshold);
    out->push_back(static_cast<uint8_t>(a.tag << 4 | a.comparison));
  }
  return true;
}

}  // namespace sorv::mkdata
