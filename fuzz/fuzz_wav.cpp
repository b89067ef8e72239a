// The sound files' header check, then the mixer on what it lets through: every byte of the
// play span must lie inside the input and mix without reading beyond it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/platform/wave_out.h"
#include "device/sound_file.h"
#include "runtime/clock.h"

namespace {

void onDone(sorv::platform::WaveOutHandle, sorv::platform::WaveHeader*, uintptr_t, void*) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sorv::platform;
  static const bool ready = [] {
    sorv::clock::setVirtual(true);
    setWaveOutMode(WaveOutMode::null);
    setWaveSinkPath("/dev/null");  // a listener, so the mixer reads every sample
    return true;
  }();
  (void)ready;

  sorv::SoundFileInfo info;
  if (sorv::checkSoundFile(data, size, &info) != nullptr) return 0;
  // A copy of exactly the input, so reading past it is caught.
  const std::vector<uint8_t> file(data, data + size);
  WaveOutHandle device = 0;
  if (waveOutOpen(&device, info.format, onDone, nullptr) != WaveResult::ok) return 0;
  WaveHeader header;
  header.data = file.data() + info.playOffset;
  header.length = info.playLength;
  if (waveOutPrepareHeader(device, &header) == WaveResult::ok &&
      waveOutWrite(device, &header) == WaveResult::ok) {
    const uint64_t frames = info.playLength / info.format.blockAlign;
    sorv::clock::advance(static_cast<uint32_t>(frames * 1000 / info.format.samplesPerSec + 1));
    pumpWaveOut();
  }
  waveOutReset(device);
  waveOutUnprepareHeader(device, &header);
  waveOutClose(device);
  return 0;
}
