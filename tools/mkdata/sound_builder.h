// The 21 synthetic sounds that lie beside data.bar: tones, noise bursts, syllable-like
// calls and a melody for the title music, all 22,050 Hz mono 16-bit PCM.
//
// Invariants: every file is a canonical 44-byte-header WAV whose last 400 bytes (which the
// player never plays) are silence; the synthesis uses integer arithmetic only, so the bytes
// are the same on every run and every host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

inline constexpr uint32_t kSoundSampleRate = 22050;

// The whole file of sound `index` (0..20 of the game's sound table).
std::vector<uint8_t> buildSoundFile(int index);

// Writes the 21 files into outDir under the game's names; false (with the reason) when one
// cannot be written.
bool writeSoundFiles(const std::string& outDir, std::string* error);

}  // namespace sorv::mkdata
