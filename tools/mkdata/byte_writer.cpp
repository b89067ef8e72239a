#include "tools/mkdata/byte_writer.h"

namespace sorv::mkdata {

std::string encodeModifiedUtf8(const std::u16string& units) {
  std::string out;
  for (char16_t u : units) {
    if (u != 0 && u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

void ByteWriter::u16(uint16_t value) {
  u8(static_cast<uint8_t>(value >> 8));
  u8(static_cast<uint8_t>(value));
}

void ByteWriter::s32(int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) u8(static_cast<uint8_t>(v >> shift));
}

void ByteWriter::raw(const void* data, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

bool ByteWriter::utf(const std::u16string& text) {
  std::string encoded = encodeModifiedUtf8(text);
  if (encoded.size() > 0xFFFF) return false;
  u16(static_cast<uint16_t>(encoded.size()));
  raw(encoded.data(), encoded.size());
  return true;
}

}  // namespace sorv::mkdata
