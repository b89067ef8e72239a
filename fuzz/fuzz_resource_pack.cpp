// Fuzzes the resource-pack reader: any bytes as a pack, opened streaming (entries asked in
// increasing order, into a reused buffer) and whole (entries in any order, some freed).
// Every entry handed out must be a real array no shorter than its offsets say.
#include <cstdlib>

#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"

namespace {

using sorv::CGame;

void check(bool ok) {
  if (!ok) std::abort();
}

int64_t entrySize(int32_t i) {
  const int32_t* o = CGame::libOffsets->elements();
  return int64_t{o[i + 1]} - o[i];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  if (sorv::fuzz::gApp == nullptr) sorv::fuzz::startRuntime();
  sorv::fuzz::gResource = sorv::fuzz::byteArray(data, size);
  sorv::String* name = sorv::String::fromCString("pack");
  CGame::Lib_Open(name, false);
  sorv::ByteArray* buffer = sorv::Array::newByteArray(16);
  for (int32_t i = -1; i < CGame::libOffsetCount && i < 64; i++) {
    sorv::ByteArray* entry = CGame::Lib_GetData(i, false, buffer);
    if (entry != nullptr) check(entry->length >= entrySize(i) && entrySize(i) > 0);
  }
  CGame::Lib_Open(name, true);
  for (int32_t i = CGame::libOffsetCount; i >= -1 && i > CGame::libOffsetCount - 64; i--) {
    sorv::ByteArray* entry = CGame::Lib_GetData(i, false, nullptr);
    if (entry != nullptr) check(entry->length == entrySize(i));
    if (i % 3 == 0) CGame::Lib_FreeData(i);
  }
  CGame::Lib_Close();
  check(CGame::libOffsetCount == 0 && CGame::libStream.get() == nullptr);
  sorv::fuzz::gResource = nullptr;
  sorv::fuzz::collectNowAndThen();
  return 0;
}
