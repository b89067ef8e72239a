#include "tools/mkdata/looks_source.h"

#include <algorithm>
#include <sstream>

#include "tools/mkdata/data_set.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {

namespace {

bool parseColour(const std::string& word, uint32_t* colour) {
  if (word.size() != 6) return false;
  uint32_t v = 0;
  for (char c : word) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    v = v << 4 | static_cast<uint32_t>(digit);
  }
  *colour = v;
  return true;
}

bool fail(int line, const std::string& reason, std::vector<Look>* looks, std::string* error) {
  looks->clear();
  *error = "looks.txt:" + std::to_string(line) + ": " + reason;
  return false;
}

bool fail(int line, const std::string& reason, CareerChoices* choices, std::string* error) {
  *choices = CareerChoices{};
  *error = "looks.txt:" + std::to_string(line) + ": " + reason;
  return false;
}

constexpr const char* kCareerWord = "career";

// The words of a line without its comment; empty for a blank line.
std::vector<std::string> fieldsOf(std::string text) {
  if (const size_t hash = text.find('#'); hash != std::string::npos) text.resize(hash);
  std::istringstream words(text);
  std::vector<std::string> fields;
  for (std::string w; words >> w;) fields.push_back(w);
  return fields;
}

}  // namespace

bool readLooks(const std::string& source, std::vector<Look>* looks, std::string* error) {
  looks->clear();
  const std::vector<std::string> lines = sourceLines(source);
  for (size_t n = 0; n < lines.size(); n++) {
    const int line = static_cast<int>(n) + 1;
    const std::vector<std::string> fields = fieldsOf(lines[n]);
    if (fields.empty() || fields[0] == kCareerWord) continue;
    if (fields.size() != 1 + kColourGroupCount) {
      return fail(line, "an avatar and " + std::to_string(kColourGroupCount) + " colours expected, " +
                            std::to_string(fields.size()) + " fields found", looks, error);
    }
    const std::string expected = std::to_string(looks->size());
    if (fields[0] != expected) return fail(line, "avatar " + expected + " expected, not " + fields[0], looks, error);
    if (static_cast<int>(looks->size()) >= kPlayerPaletteCount) {
      return fail(line, "more than " + std::to_string(kPlayerPaletteCount) + " avatars", looks, error);
    }
    Look look;
    for (int g = 0; g < kColourGroupCount; g++) {
      if (!parseColour(fields[static_cast<size_t>(g) + 1], &look.colours[g])) {
        return fail(line, "colour " + std::to_string(g) + " is not six hexadecimal digits: " + fields[g + 1], looks,
                    error);
      }
    }
    looks->push_back(look);
  }
  if (static_cast<int>(looks->size()) != kPlayerPaletteCount) {
    // Named at the last line, where the missing avatars would follow.
    const int last = std::max(1, static_cast<int>(lines.size()));
    return fail(last,
                std::to_string(kPlayerPaletteCount) + " avatars expected, " + std::to_string(looks->size()) + " found",
                looks, error);
  }
  return true;
}

bool readCareerChoices(const std::string& source, CareerChoices* choices, std::string* error) {
  *choices = CareerChoices{};
  const std::vector<std::string> lines = sourceLines(source);
  int group = 0;
  for (size_t n = 0; n < lines.size(); n++) {
    const int line = static_cast<int>(n) + 1;
    const std::vector<std::string> fields = fieldsOf(lines[n]);
    if (fields.empty() || fields[0] != kCareerWord) continue;
    if (group >= kColourGroupCount) return fail(line, "more than one career line per colour group", choices, error);
    if (fields.size() < 2 || fields[1] != kColourGroupNames[group]) {
      return fail(line, std::string("career ") + kColourGroupNames[group] + " expected", choices, error);
    }
    const size_t count = fields.size() - 2;
    if (count < 1 || count > static_cast<size_t>(kMaxCareerChoices)) {
      return fail(line, "1 to " + std::to_string(kMaxCareerChoices) + " career choices expected, " +
                            std::to_string(count) + " found", choices, error);
    }
    for (size_t k = 2; k < fields.size(); k++) {
      uint32_t colour = 0;
      if (!parseColour(fields[k], &colour)) {
        return fail(line, "career colour is not six hexadecimal digits: " + fields[k], choices, error);
      }
      choices->colours[group].push_back(colour);
    }
    group++;
  }
  if (group != kColourGroupCount) {
    const int last = std::max(1, static_cast<int>(lines.size()));
    return fail(last, std::string("career ") + kColourGroupNames[group] + " missing", choices, error);
  }
  return true;
}

bool loadLooks(const std::string& dataDir, std::vector<Look>* looks, std::string* error) {
  std::string source;
  return readSourceFile(dataDir + "/looks.txt", &source, error) && readLooks(source, looks, error);
}

bool loadCareerChoices(const std::string& dataDir, CareerChoices* choices, std::string* error) {
  std::string source;
  return readSourceFile(dataDir + "/looks.txt", &source, error) && readCareerChoices(source, choices, error);
}

}  // namespace sorv::mkdata
