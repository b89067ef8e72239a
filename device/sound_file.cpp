#include "device/sound_file.h"

#include <algorithm>
#include <cstring>

#include "device/sound_table.h"

namespace sorv {
namespace {

constexpr uint32_t kCanonicalFmtBytes = 16;

uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) { return get16(p) | static_cast<uint32_t>(get16(p + 2)) << 16; }

}  // namespace

const char* checkSoundFile(const uint8_t* bytes, size_t size, SoundFileInfo* info) {
  if (bytes == nullptr || size < kWaveHeaderBytes) return "shorter than its header";
  if (std::memcmp(bytes, "RIFF", 4) != 0) return "no RIFF tag";
  if (std::memcmp(bytes + 8, "WAVE", 4) != 0) return "no WAVE tag";
  if (std::memcmp(bytes + 12, "fmt ", 4) != 0) return "no fmt chunk";
  if (get32(bytes + 16) != kCanonicalFmtBytes) return "fmt chunk is not 16 bytes";
  if (std::memcmp(bytes + 36, "data", 4) != 0) return "no data chunk";

  platform::WaveFormat format;
  format.formatTag = get16(bytes + 20);
  format.channels = get16(bytes + 22);
  format.samplesPerSec = get32(bytes + 24);
  format.avgBytesPerSec = get32(bytes + 28);
  format.blockAlign = get16(bytes + 32);
  format.bitsPerSample = get16(bytes + 34);
  if (!platform::isPlayableFormat(format)) return "not a playable PCM format";

  // The data chunk may claim more than the file holds (a cut file) or less (chunks after
  // it): only bytes that are both declared and present are sound.
  const size_t present = size - kWaveHeaderBytes;
  const size_t data = std::min<size_t>(present, get32(bytes + 40));
  // The last bytes of every sound are never played; without more than that there is
  // nothing to play, and the length would go negative.
  if (data <= kSoundTailBytes) return "shorter than header and tail";
  if (data - kSoundTailBytes < format.blockAlign) return "not one whole sample to play";

  info->format = format;
  info->playOffset = kWaveHeaderBytes;
  info->playLength = static_cast<uint32_t>(data - kSoundTailBytes);
  return nullptr;
}

}  // namespace sorv
