#include "tools/mkdata/spoken_wav.h"

#include <cstring>

#include "tools/mkdata/sound_synthesis.h"

namespace sorv::mkdata {
namespace {

constexpr size_t kRiffHeaderBytes = 12;
constexpr size_t kChunkHeaderBytes = 8;
constexpr uint32_t kPcmFormatBytes = 16;

uint32_t get16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t get32(const uint8_t* p) { return get16(p) | get16(p + 2) << 16; }

}  // namespace

const char* readSpokenWav(const std::vector<uint8_t>& bytes, std::vector<int16_t>* samples) {
  samples->clear();
  const uint8_t* b = bytes.data();
  const size_t size = bytes.size();
  if (size < kRiffHeaderBytes || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
    return "not a RIFF WAVE file";
  bool formatSeen = false;
  size_t at = kRiffHeaderBytes;
  while (size - at >= kChunkHeaderBytes) {
    const uint8_t* chunk = b + at;
    const uint64_t declared = get32(chunk + 4);
    const size_t body = at + kChunkHeaderBytes;
    const size_t available = size - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (declared < kPcmFormatBytes || available < kPcmFormatBytes) return "the format chunk is cut short";
      const uint8_t* f = b + body;
      if (get16(f) != 1 || get16(f + 2) != 1 || get32(f + 4) != kSoundSampleRate || get16(f + 12) != 2 ||
          get16(f + 14) != 16) {
        return "not 22,050 Hz mono 16-bit PCM";
      }
      formatSeen = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!formatSeen) return "the data comes before the format";
      const size_t taken = (declared < available ? static_cast<size_t>(declared) : available) & ~size_t{1};
      if (taken == 0) return "no samples";
      samples->resize(taken / 2);
      for (size_t i = 0; i < samples->size(); ++i) (*samples)[i] = static_cast<int16_t>(get16(b + body + 2 * i));
      return nullptr;
    }
    // Chunks are padded to an even length.
    const uint64_t next = body + declared + (declared & 1);
    if (next > size) break;
    at = static_cast<size_t>(next);
  }
  return "no data chunk";
}

}  // namespace sorv::mkdata
