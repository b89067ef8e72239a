#include "tools/mkdata/applause.h"

namespace sorv::mkdata {
namespace {

constexpr uint32_t kClappers = 60;
// Claps a second, in thousandths.
constexpr uint32_t kSlowestPace = 3500, kFastestPace = 5500;
// Each gap between two claps of one person varies by up to this share of it, in percent.
constexpr uint32_t kUnevennessPercent = 20;
constexpr uint32_t kShortestClapMs = 6, kLongestClapMs = 12;
// The band of a clap: its centre varies by hand, its width (0.6-1 kHz) from the short ring.
constexpr uint32_t kLowestClapHz = 900, kHighestClapHz = 2400;
constexpr uint32_t kShortestRingUs = 300, kLongestRingUs = 500;
constexpr uint32_t kSwellMs = 300, kFadeMs = 1000;
// The murmur is noise smoothed twice (about 200 Hz and below), its peaks about a sixth of the
// claps'; smoothing took most of its loudness, which the gain gives back.
constexpr int kMurmurSmoothShift = 4;
constexpr int32_t kMurmurGain = 4;
constexpr int32_t kMurmurDivisor = 6;
constexpr int32_t kApplausePeak = 20000;
constexpr uint32_t kSeed = 2009;

// The crowd's loudness at sample i of `length`, in 1/1024.
int32_t crowdLevel(uint32_t i, uint32_t length) {
  const uint32_t swell = samplesOf(kSwellMs), fade = samplesOf(kFadeMs);
  if (i < swell) return static_cast<int32_t>(i * 1024 / swell);
  if (i + fade > length) return static_cast<int32_t>((length - i) * 1024 / fade);
  return 1024;
}

void clap(Track& claps, uint32_t start, uint32_t length, Noise& noise) {
  const uint32_t ringUs = noise.between(kShortestRingUs, kLongestRingUs);
  Resonator band(noise.between(kLowestClapHz, kHighestClapHz), ringUs);
  const int32_t loudness = static_cast<int32_t>(noise.between(600, 1024));
  // The resonator's ringing is let out to well past its 1/e time.
  const uint32_t ring = samplesOf(4 * ringUs / 1000 + 1);
  for (uint32_t i = 0; i < length + ring; ++i) {
    // A sharp start, then a linear fall over the clap.
    const int32_t level = i < length ? static_cast<int32_t>((length - i) * loudness / length) : 0;
    claps.add(start + i, band.next(noise.next() * level / 1024));
  }
}

}  // namespace

Track applause() {
  const uint32_t length = samplesOf(kApplauseMs);
  Noise noise(kSeed);
  Track crowd;
  for (uint32_t person = 0; person < kClappers; ++person) {
    const uint32_t gap = kSoundSampleRate * 1000 / noise.between(kSlowestPace, kFastestPace);
    const uint32_t swing = gap * kUnevennessPercent / 100;
    for (uint32_t at = noise.below(gap); at < length; at += gap - swing + noise.below(2 * swing + 1))
      clap(crowd, at, samplesOf(noise.between(kShortestClapMs, kLongestClapMs)), noise);
  }
  crowd.setLength(length);
  crowd.scaleToPeak(kApplausePeak);
  int32_t murmur = 0, murmurTwice = 0;
  for (uint32_t i = 0; i < length; ++i) {
    murmur += (noise.next() - murmur) >> kMurmurSmoothShift;
    murmurTwice += (murmur - murmurTwice) >> kMurmurSmoothShift;
    crowd.add(i, static_cast<int32_t>(int64_t{murmurTwice} * kMurmurGain * kApplausePeak / 32768 / kMurmurDivisor));
    crowd.scale(i, crowdLevel(i, length));
  }
  crowd.scaleToPeak(kApplausePeak);
  return crowd;
}

}  // namespace sorv::mkdata
