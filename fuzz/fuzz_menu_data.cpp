// Fuzzes the menu data reader and the menu engine on it: any bytes as the file (entry 0 of its
// pack), then every menu read twice, every item accessor, both kinds of menu draw and the
// navigation with each key mask. Each offset kept must lie inside the blob, each id list taken
// wholly from it, each item pointer inside it; no read or draw may report a runtime error.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/image.h"
#include "fuzz/game_fuzz_runtime.h"
#include "game/cgame.h"

namespace {

using sorv::CGame;

void check(bool ok) {
  if (!ok) std::abort();
}

sorv::StaticRef<sorv::Image> gCanvas;
constexpr int32_t kMasks[] = {0x2004, 0x1100, 0x4010, 0x8040, 0x50020, 0x20000, 0x7FFFFFFF};
// A small canvas: the clip, not the pixels, is what the draws must respect.
constexpr int32_t kCanvasSide = 16;

void exerciseMenu(int32_t menu, sorv::ByteArray* blob) {
  const int32_t o = CGame::MenuOffset(menu);
  const int32_t items = o < 0 ? 0 : blob->elements()[o + 1];
  for (int32_t item = -1; item <= items; item++) {
    const int32_t p = CGame::GetItemPointer(menu, item);
    check(p == -1 || (p >= 0 && p < blob->length));
    CGame::GetMenuItemPosition(menu, item);
    CGame::GetMenuItemSize(menu, item);
    CGame::GetMenuItemFrameID(menu, item);
    CGame::GetMenuItemActionID(menu, item);
    CGame::MenuGetItemSprite(menu, item);
    CGame::DrawMenuItem(menu, item);
    CGame::DrawStringAsItem(nullptr, menu, item, item == 0);
    CGame::DrawRectAsItem(100, menu, item);
  }
  CGame::MenuGetItemLabelNum(menu);
  CGame::MenuGetMenuItemList(menu);
  for (bool active : {false, true}) CGame::DrawMenu(menu, active);
  for (int32_t direction = 0; direction < 3; direction++) {
    for (int32_t mask : kMasks) {
      CGame::keysPressed = mask;
      CGame::MenuProcessInput(menu, nullptr, direction, true);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  if (sorv::fuzz::gApp == nullptr) {
    sorv::fuzz::startRuntime();
    sorv::fuzz::keepLogInMemory();
    gCanvas = sorv::Image::createImage(kCanvasSide, kCanvasSide);
  }
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
  CGame::SetMenuGfx(gCanvas->getGraphics());
  CGame::menuCursor = CGame::menuScroll = 0;
  for (int32_t m = 0; m < sorv::kMenuCount; m++) exerciseMenu(m, CGame::menuData.get());
  check(!sorv::fuzz::loggedRuntimeError());
  CGame::keysPressed = 0;
  sorv::fuzz::gResource = nullptr;
  sorv::fuzz::collectNowAndThen();
  return 0;
}
