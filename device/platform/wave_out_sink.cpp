#include <cstring>

#include "device/platform/wave_out_backends.h"

namespace sorv::platform {
namespace {

void put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
  put16(p, static_cast<uint16_t>(v));
  put16(p + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace

bool WaveFileSink::open(const std::string& path, const WaveFormat& format) {
  close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return false;
  uint8_t header[44];
  std::memcpy(header, "RIFF", 4);
  put32(header + 4, 36);
  std::memcpy(header + 8, "WAVEfmt ", 8);
  put32(header + 16, 16);
  put16(header + 20, format.formatTag);
  put16(header + 22, format.channels);
  put32(header + 24, format.samplesPerSec);
  put32(header + 28, format.avgBytesPerSec);
  put16(header + 32, format.blockAlign);
  put16(header + 34, format.bitsPerSample);
  std::memcpy(header + 36, "data", 4);
  put32(header + 40, 0);
  std::fwrite(header, 1, sizeof header, file_);
  dataBytes_ = 0;
  std::fflush(file_);
  return true;
}

void WaveFileSink::append(const uint8_t* bytes, size_t count) {
  if (file_ == nullptr || count == 0) return;
  // Stop before the 32-bit sizes would wrap; the file stays a valid WAV.
  const size_t room = 0xFFFFFFF0u - 36 - dataBytes_;
  if (count > room) count = room;
  std::fseek(file_, 0, SEEK_END);
  std::fwrite(bytes, 1, count, file_);
  dataBytes_ += static_cast<uint32_t>(count);
  uint8_t size[4];
  put32(size, 36 + dataBytes_);
  std::fseek(file_, 4, SEEK_SET);
  std::fwrite(size, 1, 4, file_);
  put32(size, dataBytes_);
  std::fseek(file_, 40, SEEK_SET);
  std::fwrite(size, 1, 4, file_);
  std::fflush(file_);
}

void WaveFileSink::close() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace sorv::platform
