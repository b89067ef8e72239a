// Private to the wave-output stand-in: the host audio device and the WAV file sink, kept
// apart from the mixer so each backend is one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "device/platform/wave_out.h"

namespace sorv::platform {

// Fills len bytes of host audio with the next stretch of the mix and delivers the done
// callbacks it produced (on the calling thread). Defined by the mixer.
void mixForHostAudio(uint8_t* stream, int len);

// Opens SDL's audio device in exactly this format (SDL converts if the hardware differs)
// and starts calling mixForHostAudio; false when no device opens, with the driver and SDL's
// error in why.
bool startHostAudio(const WaveFormat& format, std::string& why);
// Stops the device; returns after its callback has ended. Not under the mixer's lock.
void stopHostAudio();

// The mix as a canonical 44-byte-header WAV file, its sizes kept current after every
// append so the file is complete at any moment.
class WaveFileSink {
 public:
  ~WaveFileSink() { close(); }
  bool open(const std::string& path, const WaveFormat& format);
  bool isOpen() const { return file_ != nullptr; }
  void append(const uint8_t* bytes, size_t count);
  void close();

 private:
  std::FILE* file_ = nullptr;
  uint32_t dataBytes_ = 0;
};

}  // namespace sorv::platform
