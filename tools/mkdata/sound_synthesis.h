// The building blocks of the sounds mkdata makes itself: an integer sine, a noise source, a
// two-pole resonator and a track that mixes them, all at 22,050 Hz mono.
//
// Invariants: integer arithmetic only (no floating point, so no host's libm can change a
// byte); the same calls give the same samples on every run and every host. A track's samples
// are mixed in 32 bits and clipped to 16 only when it is finished.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace sorv::mkdata {

inline constexpr uint32_t kSoundSampleRate = 22050;

// Sample count of a time, exact for the 22.05 samples per millisecond.
uint32_t samplesOf(uint32_t ms);

// Sine of a 32-bit phase (a full turn is 2^32), scaled to +-32767.
int32_t sine(uint32_t phase);

// The phase advance per sample of a frequency in Hz, and in hundredths of a Hz.
uint32_t phaseStep(uint32_t hz);
uint32_t phaseStepCentiHz(uint32_t centiHz);

// A deterministic noise source (xorshift32).
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed | 1) {}
  // The next value, -32768..32767.
  int32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int32_t>(state_ >> 16) - 32768;
  }
  // 0..n-1 (n > 0).
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() + 32768) % n; }
  // lo..hi.
  uint32_t between(uint32_t lo, uint32_t hi) { return lo + below(hi - lo + 1); }

 private:
  uint32_t state_;
};

// A two-pole resonator: it rings at `hz`, its ringing falling to 1/e (by 8.7 dB) in `ringUs`
// microseconds, so its band is about 1 / (pi * ring) wide; its gain at `hz` is about 1.
class Resonator {
 public:
  Resonator(uint32_t hz, uint32_t ringUs);
  int32_t next(int32_t input);

 private:
  // Coefficients in 1/2^24; the state keeps 4 bits below the sample's unit.
  int64_t gain_, feedback1_, feedback2_;
  int64_t last_ = 0, beforeLast_ = 0;
};

class Track {
 public:
  // A tone gliding from hz to endHz with harmonics weighted by `harmonics` (first: the
  // fundamental), faded in over attackMs and out over the rest.
  void tone(uint32_t startMs, uint32_t ms, uint32_t hz, uint32_t endHz, int32_t amplitude, uint32_t attackMs,
            std::initializer_list<int32_t> harmonics = {1});

  // A burst of noise, smoothed by a one-pole filter (larger shift: duller), fading out.
  void noise(uint32_t startMs, uint32_t ms, int32_t amplitude, int smoothShift, uint32_t seed, uint32_t attackMs = 1);

  // Adds v to sample i, growing the track as needed.
  void add(uint32_t i, int32_t v) { at(i) += v; }
  // Multiplies sample i by a factor in 1/1024.
  void scale(uint32_t i, int32_t factor) { at(i) = static_cast<int32_t>(int64_t{at(i)} * factor / 1024); }

  uint32_t length() const { return static_cast<uint32_t>(samples_.size()); }
  // Cuts or pads with silence to exactly `samples`.
  void setLength(uint32_t samples) { samples_.resize(samples, 0); }
  // Scales every sample so that the largest magnitude becomes `peak` (a silent track stays).
  void scaleToPeak(int32_t peak);

  // The samples, clipped to 16 bits.
  std::vector<int16_t> clipped() const;

 private:
  int32_t& at(uint32_t i) {
    if (i >= samples_.size()) samples_.resize(i + 1, 0);
    return samples_[i];
  }

  std::vector<int32_t> samples_;
};

}  // namespace sorv::mkdata
