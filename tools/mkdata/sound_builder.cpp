#include "tools/mkdata/sound_builder.h"

#include <cstdio>
#include <cstring>

#include "device/sound_table.h"
#include "tools/mkdata/applause.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/hit_sounds.h"
#include "tools/mkdata/music.h"
#include "tools/mkdata/spoken_calls.h"
#include "tools/mkdata/tone_calls.h"

namespace sorv::mkdata {
namespace {

Track synthesise(int index) {
  if (index >= kFirstCallSound && index <= kLastCallSound) return toneCall(index);
  if (index >= kFirstHitSound && index <= kLastHitSound) return hitSound(index);
  if (index == kApplauseSound) return applause();
  return index == kWinFanfare ? winFanfare() : titleMusic();
}

void put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
  put16(p, static_cast<uint16_t>(v));
  put16(p + 2, static_cast<uint16_t>(v >> 16));
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr) ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

std::vector<uint8_t> soundFile(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2 + kSoundTailBytes);
  std::vector<uint8_t> b(kWaveHeaderBytes + dataBytes, 0);
  uint8_t* p = b.data();
  std::memcpy(p, "RIFF", 4);
  put32(p + 4, 36 + dataBytes);
  std::memcpy(p + 8, "WAVEfmt ", 8);
  put32(p + 16, 16);
  put16(p + 20, 1);  // PCM
  put16(p + 22, 1);  // mono
  put32(p + 24, kSoundSampleRate);
  put32(p + 28, kSoundSampleRate * 2);
  put16(p + 32, 2);
  put16(p + 34, 16);
  std::memcpy(p + 36, "data", 4);
  put32(p + 40, dataBytes);
  for (size_t i = 0; i < samples.size(); ++i) put16(p + kWaveHeaderBytes + 2 * i, static_cast<uint16_t>(samples[i]));
  return b;
}

std::vector<uint8_t> buildSoundFile(int index) { return soundFile(synthesise(index).clipped()); }

bool writeSoundFiles(const std::string& outDir, const std::string& dataDir, std::string* error) {
  CallScript script;
  if (!readCallsSource(dataDir, &script, error)) return false;
  CallSamples spoken;
  const bool speech = speakCalls(script, speechProgram(), &spoken);
  if (!speech) std::fputs("mkdata: espeak-ng not found: the umpire's calls are tones\n", stderr);
  for (int i = 0; i < kSoundCount; ++i) {
    const bool call = i >= kFirstCallSound && i <= kLastCallSound;
    const std::string path = outDir + "/" + kSoundFiles[i];
    if (!writeFile(path, speech && call ? soundFile(spoken[i - kFirstCallSound]) : buildSoundFile(i))) {
      *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

bool writeSoundFiles(const std::string& outDir, std::string* error) {
  return writeSoundFiles(outDir, defaultDataDir(), error);
}

}  // namespace sorv::mkdata
