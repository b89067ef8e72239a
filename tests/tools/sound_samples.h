// What the sound tests read from a built sound file: its played samples, their peaks and
// clipping, and a hash of the bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "device/sound_file.h"
#include "device/sound_table.h"
#include "tools/mkdata/calls_source.h"
#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

inline constexpr uint64_t kFnvStart = 0xCBF29CE484222325ull;

inline uint64_t fnv1a(const std::vector<uint8_t>& bytes, uint64_t hash) {
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
  return hash;
}

inline bool isCallSound(int index) { return index >= kFirstCallSound && index <= kLastCallSound; }

// The samples the game plays: after the header, before the unplayed tail.
inline std::vector<int16_t> playedSamples(const std::vector<uint8_t>& file) {
  std::vector<int16_t> samples;
  if (file.size() < kWaveHeaderBytes + kSoundTailBytes) return samples;
  for (size_t at = kWaveHeaderBytes; at + 1 < file.size() - kSoundTailBytes; at += 2)
    samples.push_back(static_cast<int16_t>(file[at] | file[at + 1] << 8));
  return samples;
}

inline uint32_t playedMs(const std::vector<int16_t>& samples) {
  return static_cast<uint32_t>(samples.size() * 1000 / kSoundSampleRate);
}

// The largest magnitude among samples [from, to), `to` cut to the end.
inline int32_t peakOf(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int32_t peak = 0;
  for (size_t i = from; i < std::min(to, samples.size()); ++i) peak = std::max(peak, std::abs(int32_t{samples[i]}));
  return peak;
}

// Neighbouring samples both at the 16-bit limit: a clipped stretch.
inline size_t clippedRuns(const std::vector<int16_t>& samples) {
  size_t runs = 0;
  for (size_t i = 1; i < samples.size(); ++i)
    runs += std::abs(int32_t{samples[i]}) >= 32767 && std::abs(int32_t{samples[i - 1]}) >= 32767;
  return runs;
}

// The game's one format, a play span up to the tail, silence in the tail, and sound early on.
inline void expectGameSoundFile(const std::vector<uint8_t>& f) {
  SoundFileInfo info;
  ASSERT_EQ(checkSoundFile(f.data(), f.size(), &info), nullptr);
  EXPECT_EQ(info.format, (platform::WaveFormat{1, 1, kSoundSampleRate, 2 * kSoundSampleRate, 2, 16}));
  EXPECT_EQ(info.playLength, f.size() - kWaveHeaderBytes - kSoundTailBytes);
  const std::vector<int16_t> played = playedSamples(f);
  EXPECT_GT(peakOf(played, 0, played.size() / 4), 1000) << "silent in its first quarter";
  for (size_t at = f.size() - kSoundTailBytes; at < f.size(); ++at) ASSERT_EQ(f[at], 0) << at;
}

}  // namespace sorv::mkdata
