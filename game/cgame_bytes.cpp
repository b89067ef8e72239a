// Numbers in byte buffers: Mem_* little-endian (saved records), read* big-endian (data
// files). Every byte goes through the checked access, so an offset near the end reports
// and reads 0 rather than going past the buffer.
#include <cstdint>

#include "game/cgame.h"
#include "runtime/frames.h"

namespace sorv {

namespace {

int32_t byteAt(ByteArray* b, int32_t offset) { return aload(b, offset); }

}  // namespace

int32_t CGame::Mem_SetShort(ByteArray* b, int32_t offset, int16_t value) {
  SORV_FRAME("CGame.Mem_SetShort([BIS)I");
  astore(b, offset, value & 0xFF);
  astore(b, offset + 1, value >> 8);
  return offset + 2;
}

int32_t CGame::Mem_SetInt(ByteArray* b, int32_t offset, int32_t value) {
  SORV_FRAME("CGame.Mem_SetInt([BII)I");
  for (int32_t i = 0; i < 4; i++) astore(b, offset + i, value >> (8 * i));
  return offset + 4;
}

int16_t CGame::Mem_GetShort(ByteArray* b, int32_t offset) {
  SORV_FRAME("CGame.Mem_GetShort([BI)S");
  return static_cast<int16_t>((byteAt(b, offset) & 0xFF) | byteAt(b, offset + 1) << 8);
}

int32_t CGame::Mem_GetInt(ByteArray* b, int32_t offset) {
  SORV_FRAME("CGame.Mem_GetInt([BI)I");
  uint32_t v = 0;
  for (int32_t i = 0; i < 4; i++) v |= static_cast<uint32_t>(byteAt(b, offset + i) & 0xFF) << (8 * i);
  return static_cast<int32_t>(v);
}

int32_t CGame::readShort(ByteArray* b, int32_t offset) {
  SORV_FRAME("CGame.readShort([BI)I");
  return static_cast<int16_t>(byteAt(b, offset) << 8 | (byteAt(b, offset + 1) & 0xFF));
}

int32_t CGame::readInt(ByteArray* b, int32_t offset) {
  SORV_FRAME("CGame.readInt([BI)I");
  uint32_t v = 0;
  for (int32_t i = 0; i < 4; i++) v = v << 8 | static_cast<uint32_t>(byteAt(b, offset + i) & 0xFF);
  return static_cast<int32_t>(v);
}

}  // namespace sorv
