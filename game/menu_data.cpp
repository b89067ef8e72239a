// The menu data file: a big-endian u16 total (156 + the blob's length), 78 big-endian s16
// offsets of menus 1..78 in the blob, then the blob of menu records. Menu 0 starts at 0.
// Each menu is checked once after loading (menus/menu_reader.cpp).
#include <algorithm>
#include <cstdint>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

constexpr int32_t kTotalBytes = 2;

}  // namespace

void CGame::LoadMenuData() {
  SORV_FRAME("CGame.LoadMenuData()V");
  menuIndex = Array::newShortArray(kMenuIndexEntries);
  menuData = Array::newByteArray(0);
  menuCacheId = -1;
  menuCache = nullptr;
  Lib_Open(StaticClass::getConstant(kConstMenuDataPack), false);
  ByteArray* data = Lib_GetData(0, false, nullptr);
  Lib_Close();
  if (isNull(data) || data->length < kTotalBytes) {
    Debug::trace("LoadMenuData: no menu data");
    data = Array::newByteArray(0);
  }
  ShortArray* index = menuIndex.get();
  if (isNull(index) || isNull(data)) return;
  const int32_t total = data->length >= kTotalBytes ? readShort(data, 0) & 0xFFFF : kMenuIndexBytes;
  const int32_t announced = std::max(0, total - kMenuIndexBytes);
  const int32_t present = std::clamp(data->length - kTotalBytes - kMenuIndexBytes, 0, announced);
  if (present != announced || data->length < kTotalBytes + kMenuIndexBytes)
    Debug::trace("LoadMenuData: the file holds %d of its %d blob bytes", present, announced);
  ByteArray* blob = Array::newByteArray(present);
  if (isNull(blob)) return;
  std::copy_n(data->elements() + std::min(data->length, kTotalBytes + kMenuIndexBytes), present,
              blob->elements());
  menuData = blob;
  // An offset outside the blob (a cut index, or one past 32,767 that reads negative) leaves
  // its menu without a record.
  int32_t absent = 0;
  for (int32_t i = 0; i < kMenuIndexEntries; i++) {
    const int32_t at = kTotalBytes + 2 * i;
    int32_t offset = at + 2 <= data->length ? readShort(data, at) : -1;
    if (offset < 0 || offset >= present) {
      if (at + 2 <= data->length && offset != present) absent++;
      offset = -1;
    }
    index->elements()[i] = static_cast<int16_t>(offset);
  }
  if (absent > 0) Debug::trace("LoadMenuData: %d menu offsets lie outside the blob", absent);
  ValidateMenus();
}

IntArray* CGame::GetMenu(int32_t menu) {
  SORV_FRAME("CGame.GetMenu(I)[I");
  if (menu == menuCacheId) return menuCache.get();
  menuCache = nullptr;
  menuCacheId = menu;
  if (menu < 0 || menu >= kMenuCount) {
    reportError("ArrayOutOfBound");
    return nullptr;
  }
  ByteArray* blob = menuData.get();
  // A damaged menu (its fault logged by ValidateMenus) has no offset.
  const int32_t start = MenuOffset(menu);
  if (isNull(blob) || start < 0) return nullptr;
  const int32_t count = blob->elements()[start + 4];
  if (count <= 0) return nullptr;
  IntArray* list = Array::newIntArray(count + 1);
  if (isNull(list)) return nullptr;
  list->elements()[0] = blob->elements()[start + 5];
  for (int32_t i = 0; i < count; i++) list->elements()[i + 1] = readShort(blob, start + 6 + 2 * i);
  menuCache = list;
  return list;
}

}  // namespace sorv
