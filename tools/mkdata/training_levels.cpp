#include "tools/mkdata/training_levels.h"

#include <cstddef>
#include <cstdlib>
#include <sstream>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/training_sprites.h"

namespace sorv::mkdata {
namespace {

constexpr int kLevelsPerGame = 5;
const char* const kGameNames[kTrainingGameCount] = {"serve", "power", "accuracy", "step", "netAccuracy"};
// Tutorial pages per game: text pack 3 holds them from ids 34, 38, 41, 44 and 48.
constexpr int kTutorialPages[kTrainingGameCount] = {4, 3, 3, 4, 3};

struct Line {
  int number = 0;
  std::string name;
  std::vector<int> values;
  std::string word;  // the game's name on a "game" line
};

// What a record holds, in order: a named line of fixed width, a table of named rows
// (count first), the serve's target and barrier row pairs, or the step's stages.
enum class Kind { kValues, kRows, kPairs, kStages };
struct Field {
  Kind kind;
  const char* name;
  int width;
  const char* second = nullptr;
};

const std::vector<Field> kServe = {
    {Kind::kValues, "goalPoints", 1},   {Kind::kValues, "ballCount", 1},    {Kind::kValues, "basePoints", 1},
    {Kind::kValues, "serveSpare", 1},   {Kind::kValues, "speedFactor", 1},  {Kind::kValues, "targetRadius", 1},
    {Kind::kValues, "ringPoints", -1},  {Kind::kValues, "barrierHeight", 1}, {Kind::kValues, "barrierWidth", 1},
    {Kind::kPairs, "target", 6, "barrier"}};
const std::vector<Field> kPower = {
    {Kind::kValues, "tankCount", 1},  {Kind::kValues, "tankPush", 1},   {Kind::kValues, "basePoints", 1},
    {Kind::kValues, "powerBonus", 1}, {Kind::kValues, "timeBase", 1},   {Kind::kValues, "timePenalty", 1},
    {Kind::kValues, "powerSpare", 1}, {Kind::kValues, "tankParams", 3}, {Kind::kValues, "machine", 6},
    {Kind::kRows, "aim", 5},          {Kind::kValues, "tankHeight", 1}, {Kind::kValues, "tankWidth", 1},
    {Kind::kRows, "lane", 2}};
const std::vector<Field> kAccuracy = {
    {Kind::kValues, "goalPoints", 1}, {Kind::kValues, "ballCount", 1},     {Kind::kValues, "streakBonus", 1},
    {Kind::kValues, "machine", 6},    {Kind::kRows, "aim", 5},             {Kind::kValues, "accuracySpare", 1},
    {Kind::kRows, "checkpoint", 7}};
const std::vector<Field> kStep = {
    {Kind::kValues, "stepTime", 1},         {Kind::kValues, "streakBonus", 1},
    {Kind::kValues, "stepSpare", 1},        {Kind::kValues, "bonusShape", 5},
    {Kind::kValues, "circleOpenColour", 3}, {Kind::kValues, "circleClosedColour", 3},
    {Kind::kValues, "circleShape", 6},      {Kind::kStages, "stage", 2, "spot"}};

const std::vector<Field>& layoutOf(int game) {
  switch (game) {
    case 0: return kServe;
    case 1: return kPower;
    case 3: return kStep;
    default: return kAccuracy;
  }
}

void putShort(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

std::string at(const Line& line) { return "training_levels.txt line " + std::to_string(line.number) + ": "; }

bool parseLines(const std::string& source, std::vector<Line>* lines, std::string* error) {
  std::istringstream in(source);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    number++;
    const size_t hash = text.find('#');
    if (hash != std::string::npos) text.resize(hash);
    std::istringstream words(text);
    Line line;
    line.number = number;
    if (!(words >> line.name)) continue;
    std::string word;
    if (line.name == "game") {
      words >> line.word;
      if (words >> word) line.word += " " + word;
      lines->push_back(line);
      continue;
    }
    while (words >> word) {
      char* end = nullptr;
      const long v = std::strtol(word.c_str(), &end, 10);
      if (*end != '\0' || v < -32768 || v > 32767) {
        *error = at(line) + "\"" + word + "\" is not a 16-bit number";
        return false;
      }
      line.values.push_back(static_cast<int>(v));
    }
    lines->push_back(line);
  }
  return true;
}

// Writes one record from lines[*i] on, advancing *i past it.
class RecordWriter {
 public:
  RecordWriter(const std::vector<Line>& lines, size_t* i, std::string* error) : lines_(lines), i_(*i), error_(error) {}

  bool write(const std::vector<Field>& layout, std::vector<uint8_t>* out) {
    for (const Field& f : layout) {
      bool ok = true;
      switch (f.kind) {
        case Kind::kValues: ok = values(f, out); break;
        case Kind::kRows: ok = rows(f.name, f.width, out, true); break;
        case Kind::kPairs: ok = pairs(f, out); break;
        case Kind::kStages: ok = stages(f, out); break;
      }
      if (!ok) return false;
    }
    return true;
  }

 private:
  bool next(const char* name, const Line** line) {
    if (i_ >= lines_.size() || lines_[i_].name != name) {
      *error_ = (i_ < lines_.size() ? at(lines_[i_]) : std::string("training_levels.txt end: ")) + "\"" + name +
                "\" expected";
      return false;
    }
    *line = &lines_[i_++];
    return true;
  }
  bool width(const Line& line, int n) {
    if (static_cast<int>(line.values.size()) == n) return true;
    *error_ = at(line) + line.name + " takes " + std::to_string(n) + " values";
    return false;
  }
  bool values(const Field& f, std::vector<uint8_t>* out) {
    const Line* line = nullptr;
    if (!next(f.name, &line)) return false;
    // A list of any length is written after its count.
    if (f.width < 0) {
      putShort(*out, static_cast<int>(line->values.size()));
    } else if (!width(*line, f.width)) {
      return false;
    }
    for (int v : line->values) putShort(*out, v);
    return true;
  }
  bool rows(const char* name, int n, std::vector<uint8_t>* out, bool counted) {
    size_t end = i_;
    while (end < lines_.size() && lines_[end].name == name) end++;
    if (counted) putShort(*out, static_cast<int>(end - i_));
    for (; i_ < end; i_++) {
      if (!width(lines_[i_], n)) return false;
      for (int v : lines_[i_].values) putShort(*out, v);
    }
    return true;
  }
  bool pairs(const Field& f, std::vector<uint8_t>* out) {
    std::vector<uint8_t> body;
    int count = 0;
    while (i_ < lines_.size() && lines_[i_].name == f.name) {
      const Line* first = nullptr;
      const Line* second = nullptr;
      if (!next(f.name, &first) || !width(*first, f.width) || !next(f.second, &second) || !width(*second, f.width)) {
        return false;
      }
      for (int v : first->values) putShort(body, v);
      for (int v : second->values) putShort(body, v);
      count++;
    }
    putShort(*out, count);
    out->insert(out->end(), body.begin(), body.end());
    return true;
  }
  bool stages(const Field& f, std::vector<uint8_t>* out) {
    std::vector<uint8_t> body;
    int count = 0;
    while (i_ < lines_.size() && lines_[i_].name == f.name) {
      const Line* stage = nullptr;
      if (!next(f.name, &stage) || !width(*stage, f.width)) return false;
      for (int v : stage->values) putShort(body, v);
      if (!rows(f.second, 5, &body, true)) return false;
      count++;
    }
    putShort(*out, count);
    out->insert(out->end(), body.begin(), body.end());
    return true;
  }

  const std::vector<Line>& lines_;
  size_t& i_;
  std::string* error_;
};

std::vector<uint8_t> shorts(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) putShort(out, v);
  return out;
}

}  // namespace

bool encodeTrainingLevels(const std::string& source, std::vector<std::vector<uint8_t>>* entries, std::string* error) {
  std::vector<Line> lines;
  if (!parseLines(source, &lines, error)) return false;
  entries->assign(2 * kTrainingGameCount, {});
  size_t i = 0;
  for (int g = 0; g < kTrainingGameCount; g++) {
    if (i >= lines.size() || lines[i].name != "game" || lines[i].word != kGameNames[g]) {
      *error = (i < lines.size() ? at(lines[i]) : std::string("training_levels.txt end: ")) + "\"game " +
               kGameNames[g] + "\" expected";
      return false;
    }
    i++;
    std::vector<uint8_t>& data = (*entries)[static_cast<size_t>(2 * g)];
    std::vector<uint8_t>& index = (*entries)[static_cast<size_t>(2 * g + 1)];
    for (int l = 0; l < kLevelsPerGame; l++) {
      if (i >= lines.size() || lines[i].name != "level" || lines[i].values.size() != 1 || lines[i].values[0] != l) {
        *error = (i < lines.size() ? at(lines[i]) : std::string("training_levels.txt end: ")) + "\"level " +
                 std::to_string(l) + "\" of " + kGameNames[g] + " expected";
        return false;
      }
      i++;
      putShort(index, static_cast<int>(data.size() / 2));
      RecordWriter writer(lines, &i, error);
      if (!writer.write(layoutOf(g), &data)) return false;
    }
  }
  if (i != lines.size()) {
    *error = at(lines[i]) + "\"" + lines[i].name + "\" after the last level";
    return false;
  }
  return true;
}

bool trainingPackEntries(const std::string& dataDir, std::vector<std::vector<uint8_t>>* entries, std::string* error) {
  std::string source;
  std::vector<std::vector<uint8_t>> levels;
  if (!readSourceFile(dataDir + "/training_levels.txt", &source, error) ||
      !encodeTrainingLevels(source, &levels, error)) {
    return false;
  }
  entries->assign(kTrainingPackEntries, {});
  (*entries)[kTrainingSprite] = trainingSprite();
  (*entries)[kTrainingCheckpoint] = checkPointSprite();
  for (int g = 0; g < kTrainingGameCount; g++) {
    (*entries)[static_cast<size_t>(kTrainingLevelData + 2 * g)] = levels[static_cast<size_t>(2 * g)];
    (*entries)[static_cast<size_t>(kTrainingLevelData + 2 * g + 1)] = levels[static_cast<size_t>(2 * g + 1)];
    (*entries)[static_cast<size_t>(kTrainingTutorialData + 2 * g)] = shorts({kTutorialPages[g]});
    (*entries)[static_cast<size_t>(kTrainingTutorialData + 2 * g + 1)] = shorts({0});
  }
  return true;
}

}  // namespace sorv::mkdata
