#include "tools/mkdata/calls_source.h"

#include <charconv>
#include <vector>

#include "tools/mkdata/data_set.h"
#include "tools/mkdata/source_text.h"

namespace sorv::mkdata {
namespace {

// The speech program's own range of speaking rates.
constexpr int kSlowestRate = 80;
constexpr int kFastestRate = 450;

bool parseNumber(const std::string& text, int* value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Printable ASCII only, and no leading '-', which the program would read as an option.
bool speakable(const std::string& text) {
  if (text.empty() || text[0] == '-') return false;
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

}  // namespace

bool parseCallsSource(const std::string& source, CallScript* script, std::string* error) {
  *script = CallScript{};
  std::array<bool, kCallCount> seen{};
  const std::vector<std::string> lines = sourceLines(source);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (line.empty() || line[0] == '#') continue;
    auto fail = [&](const std::string& why) {
      *error = "calls.txt line " + std::to_string(n + 1) + ": " + why;
      return false;
    };
    const size_t colon = line.find(": ");
    int number = 0;
    if (colon != std::string::npos && parseNumber(line.substr(0, colon), &number)) {
      if (number < kFirstCallSound || number > kLastCallSound)
        return fail("sound " + std::to_string(number) + " is not a call");
      const std::string text = line.substr(colon + 2);
      if (!speakable(text)) return fail("the text is empty, not printable ASCII or starts with '-'");
      if (seen[number - kFirstCallSound]) return fail("sound " + std::to_string(number) + " given twice");
      seen[number - kFirstCallSound] = true;
      script->texts[number - kFirstCallSound] = text;
    } else if (line.starts_with("voice ") && line.size() > 6 && line.find(' ', 6) == std::string::npos) {
      script->voice = line.substr(6);
    } else if (line.starts_with("rate ")) {
      if (!parseNumber(line.substr(5), &script->rate) || script->rate < kSlowestRate || script->rate > kFastestRate) {
        return fail("the rate is not a number of words a minute from " + std::to_string(kSlowestRate) + " to " +
                    std::to_string(kFastestRate));
      }
    } else {
      return fail("not \"voice NAME\", \"rate N\" or \"SOUND: TEXT\"");
    }
  }
  if (script->voice.empty() || script->rate == 0) {
    *error = "calls.txt: the voice or the rate is missing";
    return false;
  }
  for (int i = 0; i < kCallCount; ++i) {
    if (!seen[i]) {
      *error = "calls.txt: no text for sound " + std::to_string(kFirstCallSound + i);
      return false;
    }
  }
  return true;
}

bool readCallsSource(const std::string& dataDir, CallScript* script, std::string* error) {
  std::string source;
  return readSourceFile(dataDir + "/calls.txt", &source, error) && parseCallsSource(source, script, error);
}

}  // namespace sorv::mkdata
