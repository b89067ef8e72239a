// The 21 sounds that lie beside data.bar, all 22,050 Hz mono 16-bit PCM: the title music and
// the fanfare, the ball's hits, the umpire's calls and the crowd's applause.
//
// Invariants: every file is a canonical 44-byte-header WAV whose last 400 bytes (which the
// player never plays) are silence. Everything is synthesised in integers, the same bytes on
// every run and every host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

// The whole file of sound `index` (0..20 of the game's sound table).
std::vector<uint8_t> buildSoundFile(int index);

// The file of a sound's samples: the header, the samples and the silent tail.
std::vector<uint8_t> soundFile(const std::vector<int16_t>& samples);

// Writes the 21 files into outDir under the game's names; false (with the reason) when one
// cannot be written.
bool writeSoundFiles(const std::string& outDir, std::string* error);

}  // namespace sorv::mkdata
