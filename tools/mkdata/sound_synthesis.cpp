#include "tools/mkdata/sound_synthesis.h"

#include <algorithm>
#include <array>

namespace sorv::mkdata {
namespace {

constexpr int kCoefficientBits = 24;
constexpr int64_t kCoefficientOne = int64_t{1} << kCoefficientBits;
constexpr int kStateBits = 4;
constexpr uint32_t kQuarterTurn = 0x40000000u;

// Linear fade-in over `attack` samples and fade-out over the rest, in 1/1024 units.
int32_t envelope(uint32_t i, uint32_t length, uint32_t attack) {
  if (i < attack) return static_cast<int32_t>(i * 1024 / attack);
  return static_cast<int32_t>(uint64_t{length - i} * 1024 / (length - attack));
}

}  // namespace

uint32_t samplesOf(uint32_t ms) { return static_cast<uint32_t>(uint64_t{ms} * kSoundSampleRate / 1000); }

// Bhaskara's rational approximation, in integers. It reads only 9 bits of the half turn, so
// a table of those 512 values gives exactly the same sine without a division per sample.
int32_t sine(uint32_t phase) {
  static const std::array<int32_t, 512> halfTurn = [] {
    std::array<int32_t, 512> table{};
    for (int64_t x = 0; x < 512; ++x) {  // pi = 512
      const int64_t p = x * (512 - x);
      table[x] = static_cast<int32_t>(32767 * 16 * p / (5 * 512 * 512 - 4 * p));
    }
    return table;
  }();
  const int32_t v = halfTurn[(phase >> 22) & 511];
  return (phase & 0x80000000u) ? -v : v;
}

uint32_t phaseStep(uint32_t hz) { return static_cast<uint32_t>((uint64_t{hz} << 32) / kSoundSampleRate); }

uint32_t phaseStepCentiHz(uint32_t centiHz) {
  return static_cast<uint32_t>((uint64_t{centiHz} << 32) / (kSoundSampleRate * 100));
}

Resonator::Resonator(uint32_t hz, uint32_t ringUs) {
  // The pole radius r = e^-x with x = 1 / ring samples, by its series to x^2.
  const int64_t x = kCoefficientOne * 1000000 / (int64_t{std::max<uint32_t>(1, ringUs)} * kSoundSampleRate);
  const int64_t r = kCoefficientOne - x + x * x / (2 * kCoefficientOne);
  const uint32_t step = phaseStep(hz);
  feedback1_ = 2 * r * sine(step + kQuarterTurn) / 32767;
  feedback2_ = r * r >> kCoefficientBits;
  // (1 - r) * 2 sin(theta) brings the peak gain near 1 for poles close to the circle.
  gain_ = (kCoefficientOne - r) * 2 * sine(step) / 32767;
}

int32_t Resonator::next(int32_t input) {
  const int64_t y =
      (gain_ * (int64_t{input} << kStateBits) + feedback1_ * last_ - feedback2_ * beforeLast_) >> kCoefficientBits;
  beforeLast_ = last_;
  last_ = y;
  return static_cast<int32_t>(y >> kStateBits);
}

void Track::tone(uint32_t startMs, uint32_t ms, uint32_t hz, uint32_t endHz, int32_t amplitude, uint32_t attackMs,
                 std::initializer_list<int32_t> harmonics) {
  const uint32_t start = samplesOf(startMs), length = samplesOf(ms);
  const uint32_t attack = std::max<uint32_t>(1, std::min(samplesOf(attackMs), length - 1));
  int32_t weightSum = 0;
  for (int32_t w : harmonics) weightSum += w;
  const int64_t from = phaseStep(hz), to = phaseStep(endHz);
  uint32_t phase = 0;
  for (uint32_t i = 0; i < length; ++i) {
    int64_t sum = 0, h = 1;
    for (int32_t w : harmonics) sum += int64_t{w} * sine(phase * static_cast<uint32_t>(h++));
    at(start + i) += static_cast<int32_t>(sum / weightSum * amplitude / 32767 * envelope(i, length, attack) / 1024);
    phase += static_cast<uint32_t>(from + (to - from) * i / length);
  }
}

void Track::noise(uint32_t startMs, uint32_t ms, int32_t amplitude, int smoothShift, uint32_t seed, uint32_t attackMs) {
  Noise source(seed);
  const uint32_t start = samplesOf(startMs), length = samplesOf(ms);
  const uint32_t attack = std::max<uint32_t>(1, std::min(samplesOf(attackMs), length - 1));
  int32_t smooth = 0;
  for (uint32_t i = 0; i < length; ++i) {
    smooth += (source.next() - smooth) >> smoothShift;
    // Smoothing takes loudness away; part of it is given back.
    at(start + i) += static_cast<int32_t>(int64_t{smooth} * amplitude / 32767 * envelope(i, length, attack) / 1024 *
                                          (1 << smoothShift / 2));
  }
}

void Track::scaleToPeak(int32_t peak) {
  int64_t largest = 0;
  for (int32_t s : samples_) largest = std::max<int64_t>(largest, s < 0 ? -int64_t{s} : s);
  if (largest == 0) return;
  for (int32_t& s : samples_) s = static_cast<int32_t>(s * int64_t{peak} / largest);
}

std::vector<int16_t> Track::clipped() const {
  std::vector<int16_t> out;
  out.reserve(samples_.size());
  for (int32_t s : samples_) out.push_back(static_cast<int16_t>(std::clamp(s, -32767, 32767)));
  return out;
}

}  // namespace sorv::mkdata
