// Stand-in for the phone's wave output: devices that each play a queue of PCM buffers and
// report every finished buffer through a done callback.
//
// All open devices feed one mix in one format (the format of the first open). The mix goes
// to one of these outputs, chosen when the first device opens:
//   host    SDL's audio device (SDL_InitSubSystem(SDL_INIT_AUDIO) only; video is untouched);
//           callbacks arrive on SDL's audio thread;
//   null    a silent sink that consumes buffers at the format's byte rate on the program
//           clock; callbacks arrive from pumpWaveOut() on the caller's thread, so runs repeat;
//   thread  the silent sink paced by its own thread, which also delivers the callbacks
//           (exercises the locking of callers as the host output does, without a device);
//   none    no device at all: the count is 0 and every open fails.
// SORV_AUDIO=null|thread|none picks one; otherwise the host output, falling back to null
// when no audio device opens (said once a run in the log, with the driver and its error). SORV_WAV_SINK=FILE also records the mix as a WAV file.
//
// Always: the stand-in never holds its own lock while calling a done callback, so a
// callback may call write, unprepare and the volume functions. A buffer is reported once,
// with the header's user word as it was when the buffer was written; waveOutReset hands
// queued buffers back without callbacks. After waveOutClose returns, no callback for that
// device runs or will run (so never close from a callback). Open and close belong to the
// game thread.
//
// Volumes are 0xRRRRLLLL (right channel high, left low; mono uses left). Each device has
// its own volume; kWaveDevice0 addresses the master volume of the output (the phone's
// volume keys), which scales every device on top of its own.
#pragma once

#include <cstdint>
#include <string>

namespace sorv::platform {

struct WaveFormat {
  uint16_t formatTag = 0;  // 1: PCM, the only kind played
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;

  bool operator==(const WaveFormat&) const = default;
};

inline constexpr uint16_t kWaveFormatPcm = 1;

// True for PCM of 8 or 16 bits, 1 or 2 channels, a rate of 1 Hz to 192 kHz and block size
// and byte rate that agree with them.
bool isPlayableFormat(const WaveFormat& format);

// A buffer the caller owns. data, length and user are the caller's, read only by write;
// flags belong to the stand-in. The data must stay valid until the buffer is done or reset.
struct WaveHeader {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  uintptr_t user = 0;
  uint32_t flags = 0;
};

using WaveOutHandle = uint32_t;
inline constexpr WaveOutHandle kWaveDevice0 = 0;

enum class WaveResult {
  ok,
  noDevice,
  badHandle,
  badFormat,
  unprepared,
  stillPlaying,
  badParameter
};

// Called once per finished buffer; user is the header's user word at write time.
using WaveDoneCallback = void (*)(WaveOutHandle device, WaveHeader* header, uintptr_t user,
                                  void* instance);

unsigned waveOutDeviceCount();
WaveResult waveOutOpen(WaveOutHandle* device, const WaveFormat& format, WaveDoneCallback done,
                       void* instance);
WaveResult waveOutPrepareHeader(WaveOutHandle device, WaveHeader* header);
WaveResult waveOutWrite(WaveOutHandle device, WaveHeader* header);
WaveResult waveOutUnprepareHeader(WaveOutHandle device, WaveHeader* header);
// Drops every queued buffer of the device at once; they count as done, without callbacks.
WaveResult waveOutReset(WaveOutHandle device);
WaveResult waveOutGetVolume(WaveOutHandle device, uint32_t* volume);
WaveResult waveOutSetVolume(WaveOutHandle device, uint32_t volume);
WaveResult waveOutClose(WaveOutHandle device);

// The main loop's pump: the null output consumes what the program clock says has been
// played and delivers the done callbacks. Other outputs need no pump.
void pumpWaveOut();

enum class WaveOutMode { automatic, host, null, thread, none };

// Tests: the output the next first open uses (automatic: SORV_AUDIO, else host then null),
// and the WAV sink (empty: back to SORV_WAV_SINK). Both take effect when no device is open.
void setWaveOutMode(WaveOutMode mode);
void setWaveSinkPath(const std::string& path);
// The output in use while a device is open (automatic when none is open).
WaveOutMode activeWaveOutMode();
// Tests: the next `count` calls of waveOutWrite fail with noDevice, as a lost device would.
void failWaveOutWrites(int count);

}  // namespace sorv::platform
