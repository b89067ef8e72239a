// The samples of a WAV file the speech program wrote, read only when it is 22,050 Hz mono
// 16-bit PCM like the game's own files.
//
// The bytes are untrusted: chunks are walked against the bytes actually there, and a data
// chunk that claims more than the file holds (as a program writing to a pipe leaves it) is
// taken as far as it goes. Nothing here reads beyond the buffer.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Null when the file holds samples in the game's format (samples filled), else the reason.
const char* readSpokenWav(const std::vector<uint8_t>& bytes, std::vector<int16_t>* samples);

}  // namespace sorv::mkdata
