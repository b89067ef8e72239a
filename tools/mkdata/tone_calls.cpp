#include "tools/mkdata/tone_calls.h"

#include <vector>

#include "tools/mkdata/calls_source.h"

namespace sorv::mkdata {
namespace {

constexpr std::initializer_list<int32_t> kVoice = {10, 7, 5, 3, 2};

struct Syllable {
  uint32_t ms, hz, endHz;
  bool hiss = false;
};

struct Call {
  int32_t loudness;
  std::vector<Syllable> syllables;
};

// Sounds 7 to 19 in the order of the sound table.
const Call& umpireCall(int sound) {
  static const Call calls[] = {
      {11000, {{140, 220, 240}, {160, 260, 240}, {180, 220, 180}}},  // advantage
      {11000, {{260, 240, 170}}},                                    // deuce
      {11000, {{220, 280, 200, true}}},                              // fault
      {11000, {{240, 230, 230}}},                                    // game
      {14000, {{220, 300, 180}}},                                    // out
      {11000, {{160, 260, 240, true}}},                              // set
      // game set and match
      {11000, {{200, 230, 230}, {160, 260, 250, true}, {120, 220, 210}, {260, 250, 180}}},
      {10000,
       {{150, 240, 250},
        {110, 230, 230},
        {130, 250, 240},
        {110, 240, 230},
        {120, 230, 230},
        {130, 260, 250},
        {200, 240, 190}}},                                // please ... ready
      {11000, {{260, 200, 240}}},                         // love
      {11000, {{150, 250, 250, true}, {220, 270, 200}}},  // 15
      {11000, {{170, 260, 250}, {200, 230, 190}}},        // 30
      {11000, {{170, 220, 230, true}, {200, 240, 180}}},  // 40
      {11000, {{280, 210, 170}}},                         // all
  };
  return calls[sound - kFirstCallSound];
}

}  // namespace

Track toneCall(int sound) {
  Track track;
  const Call& c = umpireCall(sound);
  uint32_t at = 20;
  uint32_t seed = 100;
  for (const Syllable& s : c.syllables) {
    if (s.hiss) {
      track.noise(at, 70, c.loudness / 3, 0, seed++, 20);
      at += 60;
    }
    track.tone(at, s.ms, s.hz, s.endHz, c.loudness, 25, kVoice);
    at += s.ms + 50;
  }
  return track;
}

}  // namespace sorv::mkdata
