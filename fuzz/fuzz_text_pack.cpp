// Fuzzes the text-pack reader and what reads its strings: the first byte picks the encoding
// and the pack number, the rest is the pack. Every pack slot is read, freed in ranges and
// turned into the lists and number texts of the shell.
#include <cstdlib>

#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"

namespace {

using sorv::CGame;

void check(bool ok) {
  if (!ok) std::abort();
}

constexpr const char* kEncodings[] = {"ISO-8859-1", "UTF-8", "SJIS", "UTF8"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 0x10000) return 0;
  if (sorv::fuzz::gApp == nullptr) sorv::fuzz::startRuntime();
  sorv::ObjectArray* constants = sorv::fuzz::gApp->staticClass->constantStrings;
  constants->elements()[sorv::kConstTextEncoding] = sorv::String::fromCString(kEncodings[data[0] & 3]);
  const int32_t pack = (data[0] >> 2) % CGame::kTextPackSlots;
  sorv::ByteArray* bytes = sorv::fuzz::byteArray(data + 1, size - 1);
  CGame::Str_LoadPack(pack, bytes, nullptr);
  const int32_t count = CGame::GetStringCount(pack);
  check(count <= static_cast<int32_t>(size) / 2);
  for (int32_t id = 0; id < count; id++) CGame::GetString(pack, id);
  if (pack == 2) CGame::initStrings();
  if (count > 4) CGame::FreeString(pack, 1, count / 2);
  CGame::FreeString(pack, count - 1, -1);
  check(CGame::GetStringCount(pack) == count);
  check(CGame::language >= 0 && CGame::language < sorv::kLanguageCount);
  CGame::FormatMathStringLocalize(static_cast<int32_t>(size * 7919) - 1000000);
  CGame::Str_UnloadPack(pack);
  sorv::fuzz::collectNowAndThen();
  return 0;
}
