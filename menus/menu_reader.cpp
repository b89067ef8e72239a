// Reading menu records and their items from the blob, and checking each menu once so that
// no reader steps outside it: the header and id list inside the blob, every item record
// inside it and long enough for its class, selectable cursor indexes below the label count.
#include <cstdint>

#include "game/cgame.h"
#include "menus/menu_record.h"
#include "runtime/frames.h"
#include "runtime/log.h"
#include "tools/data/resource_ids.h"

namespace sorv {

namespace {

// Which blob the verdicts below belong to; a new blob is checked again.
StaticRef<ByteArray> checkedBlob;
bool badMenu[kMenuCount];

int32_t rawStart(int32_t menu) {
  ByteArray* blob = CGame::menuData.get();
  if (isNull(blob) || blob->length == 0) return -1;
  if (menu == 0) return 0;
  ShortArray* index = CGame::menuIndex.get();
  if (isNull(index) || menu - 1 >= index->length) return -1;
  const int32_t start = index->elements()[menu - 1];
  return start >= 0 && start < blob->length ? start : -1;
}

// Why the menu at `start` cannot be read, or nullptr.
const char* menuFault(ByteArray* blob, int32_t start, int32_t* badItem) {
  const int8_t* b = blob->elements();
  const int32_t n = blob->length;
  *badItem = -1;
  if (start + menu_record::kHeaderBytes > n) return "its header runs past the data";
  const int32_t ids = b[start + menu_record::kIdCount];
  const int32_t items = b[start + menu_record::kItemCount];
  const int32_t labels = b[start + menu_record::kLabels] + 1;
  if (ids < 0 || items < 0) return "a negative count";
  int32_t p = start + menu_record::kHeaderBytes + 2 * ids;
  if (p > n) return "its id list runs past the data";
  for (int32_t i = 0; i < items; i++) {
    *badItem = i;
    if (p + menu_record::kItemHeaderBytes > n) return "an item starts past the data";
    const int32_t length = b[p] + 1;
    if (length < menu_record::kItemHeaderBytes) return "an item length below its header";
    if (p + length > n) return "an item runs past the data";
    const int32_t flags = b[p + 3];
    const int32_t needed = menu_record::payloadOffset(flags) +
                           menu_record::payloadBytes(CGame::GetMenuItemType(b[p + 1]));
    if (length < needed) return "an item shorter than its class";
    if ((flags & menu_record::kSelectable) != 0) {
      const int32_t cursor = b[p + 4];
      if (cursor < 0 || cursor >= labels) return "a cursor index outside the labels";
    }
    p += length;
  }
  return nullptr;
}

void ensureChecked() {
  if (CGame::menuData.get() != checkedBlob.get() || isNull(checkedBlob)) CGame::ValidateMenus();
}

// The payload's signed short at `at` when it lies inside item p's record, else 0.
int32_t fieldShort(int32_t p, int32_t at) {
  ByteArray* blob = CGame::menuData.get();
  return at + 2 <= CGame::nextItemData(p) ? CGame::readShort(blob, at) : 0;
}

int32_t packPair(int32_t low, int32_t high) { return (high << 16) | (low & 0xFFFF); }

int32_t itemByte(int32_t menu, int32_t item, int32_t offset) {
  const int32_t p = CGame::GetItemPointer(menu, item);
  return p < 0 ? -1 : CGame::menuData->elements()[p + offset];
}

}  // namespace

void CGame::ValidateMenus() {
  ByteArray* blob = menuData.get();
  checkedBlob = blob;
  for (int32_t m = 0; m < kMenuCount; m++) {
    badMenu[m] = false;
    const int32_t start = rawStart(m);
    if (start < 0) continue;
    int32_t item = -1;
    const char* fault = menuFault(blob, start, &item);
    if (fault == nullptr) continue;
    badMenu[m] = true;
    Debug::trace("Menu %d (item %d): %s; it is read as no data", m, item, fault);
  }
}

int32_t CGame::MenuOffset(int32_t menu) {
  if (menu < 0 || menu >= kMenuCount) return -1;
  ensureChecked();
  return badMenu[menu] ? -1 : rawStart(menu);
}

IntArray* CGame::MenuGetMenuItemList(int32_t menu) {
  SORV_FRAME("CGame.MenuGetMenuItemList(I)[I");
  if (MenuOffset(menu) < 0) return nullptr;
  IntArray* all = GetMenu(menu);
  if (isNull(all) || all->length < 2) return nullptr;
  IntArray* ids = Array::newIntArray(all->length - 1);
  if (isNull(ids)) return nullptr;
  all = GetMenu(menu);  // the allocation may have moved the cached list's elements
  for (int32_t i = 1; i < all->length; i++) ids->elements()[i - 1] = all->elements()[i];
  return ids;
}

int32_t CGame::MenuGetItemLabelNum(int32_t menu) {
  const int32_t o = MenuOffset(menu);
  if (o < 0) return 0;
  menuLabelNum = menuData->elements()[o + menu_record::kLabels] + 1;
  return menuLabelNum;
}

int32_t CGame::nextItemData(int32_t p) {
  ByteArray* blob = menuData.get();
  if (isNull(blob) || p < 0 || p >= blob->length) return -1;
  return p + blob->elements()[p] + 1;
}

int32_t CGame::GetItemPointer(int32_t menu, int32_t item) {
  const int32_t o = MenuOffset(menu);
  if (o < 0) return -1;
  const int8_t* b = menuData->elements();
  if (item < 0 || item >= b[o + menu_record::kItemCount]) return -1;
  int32_t p = o + menu_record::kHeaderBytes + 2 * b[o + menu_record::kIdCount];
  for (int32_t i = 0; i < item; i++) p = nextItemData(p);
  return p;
}

int32_t CGame::GetMenuItemType(int32_t type) {
  switch (type) {
    case 0: return menu_record::kClassNone;
    case 1: return menu_record::kClassRect;
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: return menu_record::kClassString;
    case 10: case 15: case 17: case 20: case 27: return menu_record::kClassAnimation;
    case 9: case 11: case 12: case 13: case 14: case 16: case 18: case 19: case 21: case 22:
    case 23: case 25: case 26: case 28: case 29: case 30: case 31: case 33:
      return menu_record::kClassFrame;
    default: return -1;
  }
}

int32_t CGame::GetMenuItemPosition(int32_t menu, int32_t item) {
  const int32_t p = GetItemPointer(menu, item);
  if (p < 0) return 0;
  const int32_t q = menu_record::payload(menuData.get(), p);
  return packPair(fieldShort(p, q), fieldShort(p, q + 2));
}

int32_t CGame::GetMenuItemSize(int32_t menu, int32_t item) {
  const int32_t p = GetItemPointer(menu, item);
  if (p < 0) return 0;
  const int32_t q = menu_record::payload(menuData.get(), p);
  return packPair(fieldShort(p, q + menu_record::kSizeAt), fieldShort(p, q + menu_record::kSizeAt + 2));
}

int32_t CGame::GetMenuItemFrameID(int32_t menu, int32_t item) {
  if (GetMenuItemType(itemByte(menu, item, 1)) != menu_record::kClassFrame) return -1;
  return itemByte(menu, item, 2);
}

int32_t CGame::GetMenuItemActionID(int32_t menu, int32_t item) {
  if (GetMenuItemType(itemByte(menu, item, 1)) != menu_record::kClassAnimation) return -1;
  return itemByte(menu, item, 2);
}

ASprite* CGame::MenuGetItemSprite(int32_t menu, int32_t item) {
  const int32_t p = GetItemPointer(menu, item);
  return p < 0 ? nullptr : GetAnimationIDByClass(menuData->elements()[p + 1]);
}

}  // namespace sorv
