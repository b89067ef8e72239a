// Big-endian byte building for the data builder, in the forms the game's DataInputStream
// reads: u16, s32, and "UTF" (a u16 byte length, then modified UTF-8 of UTF-16 units).
//
// Invariant: bytes() is exactly what was appended, in order. writeUtf refuses a text whose
// encoding exceeds 65535 bytes rather than writing a length that wraps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

// Modified UTF-8 of UTF-16 units: U+0000 as C0 80, each surrogate unit on its own.
std::string encodeModifiedUtf8(const std::u16string& units);

class ByteWriter {
 public:
  void u8(uint8_t value) { bytes_.push_back(value); }
  void u16(uint16_t value);
  void s32(int32_t value);
  void raw(const void* data, size_t size);
  bool utf(const std::u16string& text);

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace sorv::mkdata
