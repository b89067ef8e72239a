// The 21 sounds that lie beside data.bar, all 22,050 Hz mono 16-bit PCM: the title music and
// the fanfare, the ball's hits, the umpire's calls and the crowd's applause.
//
// Invariants: every file is a canonical 44-byte-header WAV whose last 400 bytes (which the
// player never plays) are silence. Everything but the spoken calls is synthesised here in
// integers, the same bytes on every run and every host; the spoken calls are the same on
// every run with one speech program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {

// The whole file of sound `index` (0..20 of the game's sound table) as this builder
// synthesises it: the calls as tones.
std::vector<uint8_t> buildSoundFile(int index);

// The file of a sound's samples: the header, the samples and the silent tail.
std::vector<uint8_t> soundFile(const std::vector<int16_t>& samples);

// Writes the 21 files into outDir under the game's names, the calls spoken from
// dataDir/calls.txt by speechProgram(); where that program is missing or fails, one line on
// stderr says so and the calls are tones. False (with the reason) for a bad calls.txt or a
// file that cannot be written.
bool writeSoundFiles(const std::string& outDir, const std::string& dataDir, std::string* error);
// The same with the sources compiled into the builder.
bool writeSoundFiles(const std::string& outDir, std::string* error);

}  // namespace sorv::mkdata
