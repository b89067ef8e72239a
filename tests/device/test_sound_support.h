// Helpers of the sound tests: canonical WAV images built from samples, a phone folder to
// put them in, the silent sink on the virtual clock, and a reader of the recorded mix.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/platform/paths.h"
#include "device/platform/wave_out.h"
#include "runtime/clock.h"
#include "runtime/log.h"

namespace sorv::sound_test {

namespace fs = std::filesystem;

// 8 kHz mono 16-bit: 8 frames and 16 bytes per millisecond.
inline platform::WaveFormat testFormat() {
  return {platform::kWaveFormatPcm, 1, 8000, 16000, 2, 16};
}
inline constexpr uint32_t kFramesPerMs = 8;
inline constexpr uint32_t kTailSamples = 200;  // the 400 bytes never played

inline void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  put16(b, at, static_cast<uint16_t>(v));
  put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

// A canonical file: 44-byte header and the samples as 16-bit data.
inline std::vector<uint8_t> wavFile(const std::vector<int16_t>& samples,
                                    const platform::WaveFormat& f = testFormat()) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b(44 + dataBytes);
  std::memcpy(&b[0], "RIFF", 4);
  put32(b, 4, 36 + dataBytes);
  std::memcpy(&b[8], "WAVEfmt ", 8);
  put32(b, 16, 16);
  put16(b, 20, f.formatTag);
  put16(b, 22, f.channels);
  put32(b, 24, f.samplesPerSec);
  put32(b, 28, f.avgBytesPerSec);
  put16(b, 32, f.blockAlign);
  put16(b, 34, f.bitsPerSample);
  std::memcpy(&b[36], "data", 4);
  put32(b, 40, dataBytes);
  for (size_t i = 0; i < samples.size(); ++i)
    put16(b, 44 + 2 * i, static_cast<uint16_t>(samples[i]));
  return b;
}

// `played` samples of `value`, then the never-played tail filled with `tailValue`.
inline std::vector<int16_t> toneWithTail(uint32_t played, int16_t value, int16_t tailValue) {
  std::vector<int16_t> s(played, value);
  s.insert(s.end(), kTailSamples, tailValue);
  return s;
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The samples of a recorded 16-bit mono mix.
inline std::vector<int16_t> recordedSamples(const std::string& path) {
  const std::vector<uint8_t> b = readBytes(path);
  std::vector<int16_t> s;
  for (size_t i = 44; i + 1 < b.size(); i += 2)
    s.push_back(static_cast<int16_t>(b[i] | b[i + 1] << 8));
  return s;
}

// A fresh phone root with the installation folder, the silent sink on the virtual clock,
// and the log captured; everything put back afterwards.
class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("sound_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    platform::setRootDir(dir_.string());
    ASSERT_TRUE(platform::makeFolders(platform::kInstallFolder));
    wasVirtual_ = clock::isVirtual();
    clock::setVirtual(true);
    platform::setWaveOutMode(platform::WaveOutMode::null);
    log_ = std::tmpfile();
    Debug::setSink(log_);
  }
  void TearDown() override {
    Debug::setSink(nullptr);
    std::fclose(log_);
    platform::failWaveOutWrites(0);
    platform::setWaveSinkPath("");
    platform::setWaveOutMode(platform::WaveOutMode::automatic);
    clock::setVirtual(wasVirtual_);
    platform::setRootDir("");
    fs::remove_all(dir_);
  }

  // Writes a sound into the installation folder.
  void install(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string host;
    ASSERT_TRUE(platform::toHostPath(std::string(platform::kInstallFolder) + "\\" + name, host));
    std::ofstream(host, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::string sinkPath() const { return (dir_ / "mix.wav").string(); }
  void recordMix() { platform::setWaveSinkPath(sinkPath()); }
  // Lets the program clock run and the main loop's pump deliver what finished.
  static void run(uint32_t ms) {
    clock::advance(ms);
    platform::pumpWaveOut();
  }
  std::string log() const {
    std::fflush(log_);
    std::rewind(log_);
    std::string text;
    char chunk[512];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, log_)) > 0) text.append(chunk, n);
    return text;
  }

  fs::path dir_;
  bool wasVirtual_ = false;
  std::FILE* log_ = nullptr;
};

}  // namespace sorv::sound_test
