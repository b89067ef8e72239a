// Runs the speech program (espeak-ng or one that takes its options) to speak texts into WAV
// files: one process per text, all at the same time, each writing with -w into a temporary
// folder of mkdata's own that is removed afterwards.
//
// The program's own output and complaints go nowhere: whether speech was had is the caller's
// one line to print. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

struct SpeechRequest {
  std::string program;  // a name looked up on PATH, or a path
  std::string voice;
  int rate = 0;
  int timeoutMs = 20000;  // for all the texts together; a run still going then is killed
};

// The bytes of each text's file, in order; false when the program cannot be started, a run
// ends other than with status 0 or outlasts the time, or a file is not there to read.
bool speakTexts(const SpeechRequest& request, const std::vector<std::string>& texts,
                std::vector<std::vector<uint8_t>>* files);

}  // namespace sorv::mkdata
