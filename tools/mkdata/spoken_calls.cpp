#include "tools/mkdata/spoken_calls.h"

#include <algorithm>
#include <cstdlib>

#include "tools/mkdata/sound_synthesis.h"
#include "tools/mkdata/speech_process.h"
#include "tools/mkdata/spoken_wav.h"

namespace sorv::mkdata {
namespace {

constexpr int kGameSetAndMatch = 13;
constexpr int kPlayersReady = 14;
constexpr uint32_t kCallLimitMs = 900;
constexpr uint32_t kLongCallLimitMs = 2500;

// -40 dB is a hundredth of the amplitude.
constexpr int32_t kSilenceDivisor = 100;
constexpr int32_t kCallPeak = 24000;
constexpr uint32_t kFirstEchoMs = 70;
constexpr uint32_t kSecondEchoMs = 140;
// The echo's gains in 1/256: 24,000 * (256 + 64 + 24) / 256 stays below 32,767, so an echoed
// call never clips.
constexpr int32_t kFirstEchoGain = 64;
constexpr int32_t kSecondEchoGain = 24;
constexpr uint32_t kCutFadeMs = 20;

int32_t magnitude(int16_t s) { return s < 0 ? -int32_t{s} : s; }

}  // namespace

std::string speechProgram() {
  const char* named = std::getenv("SORV_ESPEAK");
  return named != nullptr && named[0] != '\0' ? named : "espeak-ng";
}

uint32_t callLimitMs(int sound) {
  return sound == kGameSetAndMatch || sound == kPlayersReady ? kLongCallLimitMs : kCallLimitMs;
}

std::vector<int16_t> shapeCall(const std::vector<int16_t>& spoken, uint32_t limitMs) {
  int32_t peak = 0;
  for (int16_t s : spoken) peak = std::max(peak, magnitude(s));
  if (peak == 0) return {};
  const int32_t threshold = std::max(1, peak / kSilenceDivisor);
  auto loud = [&](int16_t s) { return magnitude(s) >= threshold; };
  const auto first = std::find_if(spoken.begin(), spoken.end(), loud);
  const auto last = std::find_if(spoken.rbegin(), spoken.rend(), loud).base();

  std::vector<int32_t> voice;
  for (auto s = first; s != last; ++s) voice.push_back(*s * kCallPeak / peak);
  const uint32_t firstEcho = samplesOf(kFirstEchoMs), secondEcho = samplesOf(kSecondEchoMs);
  std::vector<int16_t> call(voice.size() + secondEcho);
  auto from = [&](size_t i, uint32_t back) { return i >= back && i - back < voice.size() ? voice[i - back] : 0; };
  for (size_t i = 0; i < call.size(); ++i) {
    call[i] = static_cast<int16_t>(
        (from(i, 0) * 256 + from(i, firstEcho) * kFirstEchoGain + from(i, secondEcho) * kSecondEchoGain) / 256);
  }
  // A call longer than its slot would be spoken over by the next one; it is cut and faded.
  const uint32_t limit = samplesOf(limitMs);
  if (call.size() > limit) {
    call.resize(limit);
    const uint32_t fade = samplesOf(kCutFadeMs);
    for (uint32_t i = 0; i < fade; ++i)
      call[limit - 1 - i] = static_cast<int16_t>(call[limit - 1 - i] * int32_t(i) / int32_t(fade));
  }
  return call;
}

bool speakCalls(const CallScript& script, const std::string& program, CallSamples* calls) {
  std::vector<std::vector<uint8_t>> files;
  const std::vector<std::string> texts(script.texts.begin(), script.texts.end());
  if (!speakTexts({program, script.voice, script.rate}, texts, &files)) return false;
  for (int i = 0; i < kCallCount; ++i) {
    std::vector<int16_t> spoken;
    if (readSpokenWav(files[i], &spoken) != nullptr) return false;
    (*calls)[i] = shapeCall(spoken, callLimitMs(kFirstCallSound + i));
    if ((*calls)[i].empty()) return false;
  }
  return true;
}

}  // namespace sorv::mkdata
