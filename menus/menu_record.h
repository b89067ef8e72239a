// Byte layout of menu records and item records in the menu blob, shared by the readers and
// the drawing. Offsets are relative to the record (menu) or to the item's payload q.
#pragma once

#include <cstdint>

#include "runtime/array.h"

namespace sorv::menu_record {

// Menu record header.
inline constexpr int32_t kLabels = 0;     // labelCount - 1
inline constexpr int32_t kItemCount = 1;
inline constexpr int32_t kFirstListItem = 2;
inline constexpr int32_t kRows = 3;       // rows - 1
inline constexpr int32_t kIdCount = 4;
inline constexpr int32_t kListHeader = 5;
inline constexpr int32_t kHeaderBytes = 6;

// Item record: length - 1, type, frame or animation id, flags, then the selectable block.
inline constexpr int32_t kItemHeaderBytes = 4;
inline constexpr int32_t kSelectBlockBytes = 6;
inline constexpr int32_t kFlipBits = 0x03;
inline constexpr int32_t kSelectable = 0x04;
inline constexpr int32_t kScrollText = 0x08;
inline constexpr int32_t kHidden = 0x10;
inline constexpr int32_t kHoldLast = 0x20;

// Item classes, as CGame::GetMenuItemType answers.
inline constexpr int32_t kClassFrame = 0, kClassAnimation = 1, kClassString = 2;
inline constexpr int32_t kClassRect = 3, kClassNone = 4;
inline constexpr int32_t kRectType = 1;

// Payload fields.
inline constexpr int32_t kX = 0, kY = 2;
inline constexpr int32_t kSpritePalette = 4, kSpriteAlpha = 5;
inline constexpr int32_t kStringPalette = 4, kStringPack = 5, kStringText = 7;
inline constexpr int32_t kStringBox = 9, kStringMode = 11, kStringAnchor = 12;
inline constexpr int32_t kRectFill = 4, kRectOutline = 8, kRectW = 12, kRectH = 14, kRectAlpha = 16;
inline constexpr int32_t kSizeAt = 12;

inline int32_t payloadOffset(int32_t flags) {
  return kItemHeaderBytes + ((flags & kSelectable) != 0 ? kSelectBlockBytes : 0);
}

// Bytes a class's payload needs (none for "none" and unknown types).
inline int32_t payloadBytes(int32_t itemClass) {
  switch (itemClass) {
    case kClassFrame: case kClassAnimation: return 6;
    case kClassString: return 13;
    case kClassRect: return 17;
    default: return 0;
  }
}

// Anchor code c (0..8) of a 3 x 3 grid as the font's anchor bits: c mod 3 horizontal (0x10
// centre, 0x20 right), c / 3 vertical (0x100 middle, 0x200 bottom); other codes none.
inline int32_t anchorBits(int32_t code) {
  if (code < 0 || code > 8) return 0;
  constexpr int32_t kHorizontal[] = {0, 0x10, 0x20};
  constexpr int32_t kVertical[] = {0, 0x100, 0x200};
  return kHorizontal[code % 3] | kVertical[code / 3];
}

// The payload offset q of the (validated) item at p.
inline int32_t payload(ByteArray* blob, int32_t p) { return p + payloadOffset(blob->elements()[p + 3]); }

}  // namespace sorv::menu_record
