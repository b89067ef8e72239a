// The checks a sound file passes before it is played: the game's files are a canonical
// 44-byte WAV header ("RIFF", "WAVE", a 16-byte "fmt " chunk, "data" at byte 36) followed
// by PCM data, of which the last kSoundTailBytes are never played.
//
// Always: a file that passes has a play span inside its bytes and inside its declared data,
// holding at least one whole sample frame; the bytes are untrusted, so nothing here reads beyond
// `size`. Pure functions; the sound player, the data builder's tests and the fuzz target call them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/platform/wave_out.h"

namespace sorv {

struct SoundFileInfo {
  platform::WaveFormat format;
  uint32_t playOffset = 0;  // always the header's size
  uint32_t playLength = 0;
};

// Null when the file can be played (info filled), else the reason it cannot, for the log.
const char* checkSoundFile(const uint8_t* bytes, size_t size, SoundFileInfo* info);

}  // namespace sorv
