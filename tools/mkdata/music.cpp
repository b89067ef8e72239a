#include "tools/mkdata/music.h"

#include <algorithm>
#include <array>

namespace sorv::mkdata {
namespace {

// How a note sounds: harmonic weights (the first the fundamental, ended by a 0) and its
// envelope, which rises over the attack, falls over the decay to the sustain level (in 1/1024)
// and dies to silence over the release at the note's end.
struct Instrument {
  std::array<int32_t, 8> harmonics;
  uint32_t attackMs, decayMs;
  int32_t sustain;
  uint32_t releaseMs;
};

constexpr Instrument kLead = {{8, 4, 3, 1, 1}, 10, 120, 600, 40};
constexpr Instrument kKeys = {{6, 2, 1}, 5, 150, 300, 40};
constexpr Instrument kBass = {{8, 5, 2, 1}, 8, 150, 500, 40};
constexpr Instrument kBrass = {{10, 9, 7, 5, 4, 3, 2, 1}, 25, 100, 800, 60};
constexpr Instrument kFinalBrass = {{10, 9, 7, 5, 4, 3, 2, 1}, 25, 200, 700, 600};

// The octave from middle C (note 60) up, in hundredths of a Hz, equally tempered.
constexpr uint32_t kMiddleOctave[12] = {26163, 27718, 29366, 31113, 32963, 34923,
                                        36999, 39200, 41530, 44000, 46616, 49388};
constexpr int kMiddleC = 60;

uint32_t centiHzOf(int note) {
  const int octave = note / 12 - kMiddleC / 12;
  const uint32_t base = kMiddleOctave[note % 12];
  return octave >= 0 ? base << octave : base >> -octave;
}

// A note's envelope in samples.
class Envelope {
 public:
  Envelope(uint32_t length, const Instrument& in)
      : length_(length),
        attack_(samplesOf(in.attackMs)),
        decay_(samplesOf(in.decayMs)),
        release_(std::min(samplesOf(in.releaseMs), length)),
        sustain_(in.sustain) {}

  // The level at sample i, in 1/1024.
  int32_t at(uint32_t i) const {
    int64_t v = sustain_;
    if (i < attack_) {
      v = i * 1024 / attack_;
    } else if (i < attack_ + decay_) {
      v = 1024 - (1024 - sustain_) * int64_t{i - attack_} / decay_;
    }
    if (i + release_ > length_) v = v * (length_ - i) / release_;
    return static_cast<int32_t>(v);
  }

 private:
  uint32_t length_, attack_, decay_, release_;
  int32_t sustain_;
};

void note(Track& t, uint32_t startMs, uint32_t ms, int midiNote, int32_t amplitude, const Instrument& in) {
  const uint32_t start = samplesOf(startMs), length = samplesOf(ms);
  const uint32_t step = phaseStepCentiHz(centiHzOf(midiNote));
  const Envelope envelope(length, in);
  int32_t weightSum = 0;
  for (int32_t w : in.harmonics) weightSum += w;
  uint32_t phase = 0;
  for (uint32_t i = 0; i < length; ++i, phase += step) {
    int64_t sum = 0;
    for (uint32_t h = 0; h < in.harmonics.size() && in.harmonics[h] != 0; ++h)
      sum += int64_t{in.harmonics[h]} * sine(phase * (h + 1));
    t.add(start + i, static_cast<int32_t>(sum / weightSum * amplitude / 32767 * envelope.at(i) / 1024));
  }
}

// The title music, in eighths of a bar (250 ms at 120 beats a minute).
constexpr uint32_t kEighthMs = 250;
constexpr uint32_t kEighthsPerBar = 8;
// Every note stops this much before the next eighth, so each note's release is heard.
constexpr uint32_t kGapMs = 30;
// Everything starts this much after its beat: the loop's seam is silent on both sides.
constexpr uint32_t kSeamMs = 8;

struct Step {
  int note;  // 0 rests
  uint32_t eighths;
};

// The melody, bar by bar (each adds up to eight eighths).
constexpr Step kMelody[] = {
    {72, 1}, {76, 1}, {79, 2}, {76, 1}, {79, 1}, {84, 2},  // C
    {83, 1}, {81, 1}, {76, 2}, {72, 2}, {76, 2},           // Am
    {77, 1}, {81, 1}, {84, 2}, {81, 1}, {77, 1}, {81, 2},  // F
    {79, 2}, {83, 1}, {81, 1}, {79, 2}, {74, 2},           // G
    {76, 1}, {79, 1}, {84, 2}, {83, 1}, {84, 1}, {88, 2},  // C
    {86, 1}, {84, 1}, {81, 2}, {76, 2}, {81, 2},           // Am
    {81, 1}, {79, 1}, {77, 2}, {76, 1}, {77, 1}, {81, 2},  // F
    {79, 3}, {77, 1}, {74, 2}, {71, 1}, {0, 1},            // G, back to the start
};

// Per bar: the chord played on each off-beat, and the bass's root.
struct Harmony {
  std::array<int, 3> chord;
  int root;
};
constexpr Harmony kHarmony[kTitleBars] = {
    {{60, 64, 67}, 48}, {{57, 60, 64}, 45}, {{57, 60, 65}, 41}, {{55, 59, 62}, 43},
    {{60, 64, 67}, 48}, {{57, 60, 64}, 45}, {{57, 60, 65}, 41}, {{55, 59, 62}, 43},
};
constexpr uint32_t kChordMs = 180;

// The bass's bar: eighth, length in eighths, interval above the root.
struct BassStep {
  uint32_t eighth, eighths;
  int interval;
};
constexpr BassStep kBassBar[] = {{0, 2, 0}, {2, 1, 0}, {3, 1, 7}, {4, 2, 12}, {6, 2, 7}};

void drums(Track& t, uint32_t barMs, uint32_t bar) {
  for (uint32_t e = 0; e < kEighthsPerBar; ++e) {
    const uint32_t at = barMs + e * kEighthMs + kSeamMs;
    t.noise(at, 25, e % 2 == 0 ? 1800 : 1200, 0, 300 + bar * 8 + e);  // hi-hat
    if (e % 4 == 0) t.tone(at, 120, 150, 45, 6000, 2);                // kick on 1 and 3
    if (e % 4 == 2) {                                                 // snare on 2 and 4
      t.noise(at, 90, 3500, 1, 400 + bar * 8 + e);
      t.tone(at, 60, 220, 180, 2000, 1);
    }
  }
}

}  // namespace

Track titleMusic() {
  Track t;
  uint32_t eighth = 0;
  for (const Step& s : kMelody) {
    if (s.note != 0) note(t, eighth * kEighthMs + kSeamMs, s.eighths * kEighthMs - kGapMs, s.note, 7000, kLead);
    eighth += s.eighths;
  }
  for (uint32_t bar = 0; bar < kTitleBars; ++bar) {
    const uint32_t barMs = bar * kBarMs;
    for (uint32_t e = 1; e < kEighthsPerBar; e += 2) {
      for (int n : kHarmony[bar].chord) note(t, barMs + e * kEighthMs + kSeamMs, kChordMs, n, 2200, kKeys);
    }
    for (const BassStep& b : kBassBar) {
      note(t, barMs + b.eighth * kEighthMs + kSeamMs, b.eighths * kEighthMs - kGapMs, kHarmony[bar].root + b.interval,
           6000, kBass);
    }
    drums(t, barMs, bar);
  }
  t.setLength(samplesOf(kTitleBars * kBarMs));
  t.scaleToPeak(26000);
  return t;
}

Track winFanfare() {
  Track t;
  // A call of three short notes and a held one, an answer rising to the last chord.
  struct Blow {
    uint32_t startMs, ms;
    int note;
  };
  constexpr Blow kCall[] = {{0, 130, 67},   {160, 130, 67},  {320, 130, 67}, {480, 420, 72},
                            {960, 160, 67}, {1140, 160, 72}, {1320, 160, 76}};
  for (const Blow& b : kCall) note(t, b.startMs, b.ms, b.note, 9000, kBrass);
  note(t, 480, 420, 48, 6000, kBass);
  constexpr uint32_t kChordAtMs = 1500, kChordMs = 1450;
  for (int n : {72, 76, 79, 84}) note(t, kChordAtMs, kChordMs, n, 6000, kFinalBrass);
  note(t, kChordAtMs, kChordMs, 48, 7000, kFinalBrass);
  // Timpani under the held note and a roll under the chord, dying away; a cymbal over it.
  t.tone(480, 300, 98, 96, 8000, 3, {4, 2, 1});
  for (uint32_t i = 0; i < 14; ++i) t.tone(kChordAtMs + i * 70, 200, 65, 64, 8000 - 500 * i, 3, {4, 2, 1});
  t.noise(kChordAtMs, 1300, 2000, 0, 77);
  t.setLength(samplesOf(kFanfareMs));
  t.scaleToPeak(28000);
  return t;
}

}  // namespace sorv::mkdata
