// Fuzzes the menu data reader: any bytes as the file (entry 0 of its pack), then every menu
// read twice. Each offset kept must lie inside the blob, each id list taken wholly from it.
#include <cstdlib>

#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"

namespace {

using sorv::CGame;

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  if (sorv::fuzz::gApp == nullptr) sorv::fuzz::startRuntime();
  // The file is served as the only entry of its pack: 2-byte count, two offsets.
  std::vector<uint8_t> packed = {2, 0, 0, 0, 0, 0};
  for (int i = 0; i < 4; i++) packed.push_back(static_cast<uint8_t>(size >> (8 * i)));
  packed.insert(packed.end(), data, data + size);
  sorv::fuzz::gResource = sorv::fuzz::byteArray(packed.data(), packed.size());
  CGame::LoadMenuData();
  sorv::ByteArray* blob = CGame::menuData.get();
  check(blob != nullptr && CGame::menuIndex->length == sorv::kMenuIndexEntries);
  for (int32_t i = 0; i < sorv::kMenuIndexEntries; i++) {
    const int32_t offset = CGame::menuIndex->elements()[i];
    check(offset == -1 || (offset >= 0 && offset < blob->length));
  }
  for (int pass = 0; pass < 2; pass++) {
    for (int32_t m = 0; m < sorv::kMenuCount; m++) {
      sorv::IntArray* list = CGame::GetMenu(m);
      if (list != nullptr) check(list->length >= 2 && 2 * (list->length - 1) <= blob->length);
    }
  }
  sorv::fuzz::gResource = nullptr;
  sorv::fuzz::collectNowAndThen();
  return 0;
}
