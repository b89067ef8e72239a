// The umpire's calls as tools/data/calls.txt gives them: the voice and rate the speech program
// speaks with, and one text for each call sound.
//
// The source, '#' starting a comment line: "voice NAME", "rate WORDS_PER_MINUTE", then
// "SOUND: TEXT" for each of the sounds kFirstCallSound..kLastCallSound, each once. The texts
// are English in every language. Only the data builder and its tests read it.
#pragma once

#include <array>
#include <string>

namespace sorv::mkdata {

inline constexpr int kFirstCallSound = 7;
inline constexpr int kLastCallSound = 19;
inline constexpr int kCallCount = kLastCallSound - kFirstCallSound + 1;

struct CallScript {
  std::string voice;
  int rate = 0;
  std::array<std::string, kCallCount> texts;  // by sound index - kFirstCallSound
};

// False, with the line and reason in *error, for a source that is not as above.
bool parseCallsSource(const std::string& source, CallScript* script, std::string* error);

// The script of dataDir/calls.txt.
bool readCallsSource(const std::string& dataDir, CallScript* script, std::string* error);

}  // namespace sorv::mkdata
