#include "tools/mkdata/sound_builder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "device/sound_table.h"

namespace sorv::mkdata {
namespace {

// Sample count of a time, exact for the 22.05 samples per millisecond.
uint32_t samplesOf(uint32_t ms) {
  return static_cast<uint32_t>(uint64_t{ms} * kSoundSampleRate / 1000);
}

// Sine of a 32-bit phase (a full turn is 2^32), scaled to +-32767, by Bhaskara's rational
// approximation in integers: no floating point, so no host's libm can change a byte.
int32_t sine(uint32_t phase) {
  const int64_t x = (phase >> 22) & 511;  // position within the half turn, pi = 512
  const int64_t p = x * (512 - x);
  const int32_t v = static_cast<int32_t>(32767 * 16 * p / (5 * 512 * 512 - 4 * p));
  return (phase & 0x80000000u) ? -v : v;
}

uint32_t phaseStep(uint32_t hz) {
  return static_cast<uint32_t>((uint64_t{hz} << 32) / kSoundSampleRate);
}

// A deterministic noise source (xorshift32).
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed | 1) {}
  int32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int32_t>(state_ >> 16) - 32768;
  }
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() + 32768) % n; }

 private:
  uint32_t state_;
};

// Linear fade-in over `attack` samples and fade-out over the rest, in 1/1024 units.
int32_t envelope(uint32_t i, uint32_t length, uint32_t attack) {
  if (i < attack) return static_cast<int32_t>(i * 1024 / attack);
  return static_cast<int32_t>(uint64_t{length - i} * 1024 / (length - attack));
}

class Track {
 public:
  // A tone gliding from hz to endHz with harmonics weighted by `harmonics` (first: the
  // fundamental), faded in over attackMs.
  void tone(uint32_t startMs, uint32_t ms, uint32_t hz, uint32_t endHz, int32_t amplitude,
            uint32_t attackMs, std::initializer_list<int32_t> harmonics = {1}) {
    const uint32_t start = samplesOf(startMs), length = samplesOf(ms);
    const uint32_t attack = std::max<uint32_t>(1, std::min(samplesOf(attackMs), length - 1));
    int32_t weightSum = 0;
    for (int32_t w : harmonics) weightSum += w;
    const int64_t from = phaseStep(hz), to = phaseStep(endHz);
    uint32_t phase = 0;
    for (uint32_t i = 0; i < length; ++i) {
      int64_t sum = 0, h = 1;
      for (int32_t w : harmonics) sum += int64_t{w} * sine(phase * static_cast<uint32_t>(h++));
      at(start + i) += static_cast<int32_t>(sum / weightSum * amplitude / 32767 *
                                            envelope(i, length, attack) / 1024);
      phase += static_cast<uint32_t>(from + (to - from) * i / length);
    }
  }

  // A burst of noise, smoothed by a one-pole filter (larger shift: duller), fading out.
  void noise(uint32_t startMs, uint32_t ms, int32_t amplitude, int smoothShift, uint32_t seed,
             uint32_t attackMs = 1) {
    Noise source(seed);
    const uint32_t start = samplesOf(startMs), length = samplesOf(ms);
    const uint32_t attack = std::max<uint32_t>(1, std::min(samplesOf(attackMs), length - 1));
    int32_t smooth = 0;
    for (uint32_t i = 0; i < length; ++i) {
      smooth += (source.next() - smooth) >> smoothShift;
      // Smoothing takes loudness away; part of it is given back.
      at(start + i) +=
          static_cast<int32_t>(int64_t{smooth} * amplitude / 32767 * envelope(i, length, attack) /
                               1024 * (1 << smoothShift / 2));
    }
  }

  // The samples, clipped to 16 bits, followed by the silent tail the player skips.
  std::vector<int16_t> finish() const {
    std::vector<int16_t> out;
    out.reserve(samples_.size() + kSoundTailBytes / 2);
    for (int32_t s : samples_) out.push_back(static_cast<int16_t>(std::clamp(s, -32767, 32767)));
    out.insert(out.end(), kSoundTailBytes / 2, 0);
    return out;
  }

 private:
  int32_t& at(uint32_t i) {
    if (i >= samples_.size()) samples_.resize(i + 1, 0);
    return samples_[i];
  }

  std::vector<int32_t> samples_;
};

constexpr std::initializer_list<int32_t> kVoice = {10, 7, 5, 3, 2};
constexpr std::initializer_list<int32_t> kReed = {6, 0, 3, 0, 2};

// Notes of the title melody and its bass (Hz; 0 rests), one per 150 ms step.
constexpr uint32_t kTitleMelody[] = {330, 392, 440, 392, 523, 0,   494, 440, 392, 440, 330, 0,
                                     294, 330, 392, 330, 440, 392, 330, 294, 262, 294, 262, 0};
constexpr uint32_t kTitleBass[] = {131, 131, 110, 110, 87, 87, 98, 98, 131, 131, 110, 110};
constexpr uint32_t kTitleStepMs = 150;

void titleMusic(Track& t) {
  for (uint32_t i = 0; i < std::size(kTitleMelody); ++i) {
    if (kTitleMelody[i] != 0)
      t.tone(i * kTitleStepMs, kTitleStepMs, kTitleMelody[i], kTitleMelody[i], 9000, 8, kReed);
  }
  for (uint32_t i = 0; i < std::size(kTitleBass); ++i)
    t.tone(i * 2 * kTitleStepMs, 2 * kTitleStepMs, kTitleBass[i], kTitleBass[i], 6000, 15,
           {4, 2, 1});
  for (uint32_t beat = 0; beat < std::size(kTitleMelody); beat += 2)
    t.noise(beat * kTitleStepMs, 30, 3000, 0, 7 + beat);
}

void winFanfare(Track& t) {
  const uint32_t notes[] = {523, 659, 784};
  for (uint32_t i = 0; i < 3; ++i) t.tone(i * 120, 140, notes[i], notes[i], 9000, 5, kReed);
  for (uint32_t hz : {523u, 659u, 784u, 1047u}) t.tone(360, 800, hz, hz, 5000, 10, kReed);
}

// A call of the umpire: syllables of a voice-like tone, each gliding between two pitches;
// an unvoiced onset ("s", "f") is a short hiss.
struct Syllable {
  uint32_t ms, hz, endHz;
  bool hiss = false;
};

constexpr int kFirstCall = 7;
constexpr int kLastCall = 19;

void call(Track& t, const std::vector<Syllable>& syllables, int32_t loudness) {
  uint32_t at = 20;
  uint32_t seed = 100;
  for (const Syllable& s : syllables) {
    if (s.hiss) {
      t.noise(at, 70, loudness / 3, 0, seed++, 20);
      at += 60;
    }
    t.tone(at, s.ms, s.hz, s.endHz, loudness, 25, kVoice);
    at += s.ms + 50;
  }
}

// The umpire's calls, sounds 7 to 19 in the order of the sound table.
struct Call {
  int32_t loudness;
  std::vector<Syllable> syllables;
};

const Call& umpireCall(int index) {
  static const Call calls[] = {
      {11000, {{140, 220, 240}, {160, 260, 240}, {180, 220, 180}}},  // advantage
      {11000, {{260, 240, 170}}},                                    // deuce
      {11000, {{220, 280, 200, true}}},                              // fault
      {11000, {{240, 230, 230}}},                                    // game
      {14000, {{220, 300, 180}}},                                    // out
      {11000, {{160, 260, 240, true}}},                              // set
      // game set and match
      {11000, {{200, 230, 230}, {160, 260, 250, true}, {120, 220, 210}, {260, 250, 180}}},
      {10000, {{150, 240, 250}, {110, 230, 230}, {130, 250, 240}, {110, 240, 230},
               {120, 230, 230}, {130, 260, 250}, {200, 240, 190}}},  // please ... ready
      {11000, {{260, 200, 240}}},                                    // love
      {11000, {{150, 250, 250, true}, {220, 270, 200}}},             // 15
      {11000, {{170, 260, 250}, {200, 230, 190}}},                   // 30
      {11000, {{170, 220, 230, true}, {200, 240, 180}}},             // 40
      {11000, {{280, 210, 170}}},                                    // all
  };
  return calls[index - kFirstCall];
}

void buildInto(int index, Track& t) {
  if (index >= kFirstCall && index <= kLastCall) {
    const Call& c = umpireCall(index);
    return call(t, c.syllables, c.loudness);
  }
  switch (index) {
    case 0:
      return titleMusic(t);
    case 1:
      return winFanfare(t);
    case 2:  // ball lift: a soft brush and a rising chirp
      t.noise(0, 60, 9000, 2, 2);
      return t.tone(0, 60, 600, 1200, 3000, 5);
    case 3:  // serve: a sharp crack over a thump
      t.noise(0, 110, 16000, 1, 3);
      return t.tone(0, 80, 180, 120, 9000, 2);
    case 4:  // lob: a hollow pock
      t.tone(0, 70, 420, 380, 12000, 2);
      return t.noise(0, 40, 4000, 3, 4);
    case 5:  // flat: a crisp click
      t.noise(0, 40, 14000, 0, 5);
      return t.tone(0, 30, 900, 900, 6000, 1);
    case 6:  // hard hit: crack, thump and ring
      t.noise(0, 150, 20000, 1, 6);
      t.tone(0, 150, 120, 90, 12000, 2);
      return t.tone(0, 20, 2500, 2500, 6000, 1);
    case 20: {  // applause: a swelling murmur and many single claps
      t.noise(0, 1600, 5000, 2, 20, 300);
      Noise when(2009);
      for (uint32_t clap = 0; clap < 120; ++clap)
        t.noise(when.below(1560), 14, 9000, 0, 1000 + clap);
      return;
    }
  }
}

void put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
  put16(p, static_cast<uint16_t>(v));
  put16(p + 2, static_cast<uint16_t>(v >> 16));
}

std::vector<uint8_t> wavFile(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b(kWaveHeaderBytes + dataBytes);
  uint8_t* p = b.data();
  std::memcpy(p, "RIFF", 4);
  put32(p + 4, 36 + dataBytes);
  std::memcpy(p + 8, "WAVEfmt ", 8);
  put32(p + 16, 16);
  put16(p + 20, 1);  // PCM
  put16(p + 22, 1);  // mono
  put32(p + 24, kSoundSampleRate);
  put32(p + 28, kSoundSampleRate * 2);
  put16(p + 32, 2);
  put16(p + 34, 16);
  std::memcpy(p + 36, "data", 4);
  put32(p + 40, dataBytes);
  for (size_t i = 0; i < samples.size(); ++i)
    put16(p + kWaveHeaderBytes + 2 * i, static_cast<uint16_t>(samples[i]));
  return b;
}

}  // namespace

std::vector<uint8_t> buildSoundFile(int index) {
  Track track;
  buildInto(index, track);
  return wavFile(track.finish());
}

bool writeSoundFiles(const std::string& outDir, std::string* error) {
  for (int i = 0; i < kSoundCount; ++i) {
    const std::string path = outDir + "/" + kSoundFiles[i];
    const std::vector<uint8_t> bytes = buildSoundFile(i);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr) ok = std::fclose(f) == 0 && ok;
    if (!ok) {
      *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace sorv::mkdata
