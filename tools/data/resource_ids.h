// Resource numbers shared by every layer and the data builder (tools/mkdata), so the two
// cannot drift apart: constant-string numbers by name (the n-th string of
// "/constants.bin"), and later the pack entries and array positions.
//
// Invariants: every number named here is below kConstantCount, and the builder refuses a
// constants source with fewer strings or with a forced text (empty, "\", "rms_") changed.
#pragma once

#include <cstdint>

namespace sorv {

// "/constants.bin" holds at least this many strings (the highest number used is 200).
inline constexpr int32_t kConstantCount = 201;

// The empty string: Throwable's default message, the vendor and suite of the game's stores.
inline constexpr int32_t kConstEmpty = 6;

// The class library's texts: Boolean's words, Hashtable.toString's punctuation, the
// messages of Vector and its enumerations, and System's one property.
inline constexpr int32_t kConstHashtableKeyValue = 19;
inline constexpr int32_t kConstNegativeCapacity = 149;
inline constexpr int32_t kConstHashtableOpen = 165;
inline constexpr int32_t kConstHashtableSeparator = 166;
inline constexpr int32_t kConstHashtableClose = 167;
inline constexpr int32_t kConstNoMoreElements = 168;
inline constexpr int32_t kConstIndexOutOfRange = 190;
inline constexpr int32_t kConstEncodingProperty = 191;
inline constexpr int32_t kConstEncodingValue = 192;
inline constexpr int32_t kConstTrue = 199;
inline constexpr int32_t kConstFalse = 200;

// Record stores. A store's index file is the install folder + kConstPathSeparator +
// kConstRecordStorePrefix + name + kConstRecordStoreSuffix; record n lies beside it at
// index path + kConstRecordFileInfix + n + kConstRecordStoreSuffix. The prefix holds
// "rms_", by which the setup library recognises saved games.
inline constexpr int32_t kConstRecordStoreFullMessage = 104;
inline constexpr int32_t kConstPathSeparator = 105;
inline constexpr int32_t kConstRecordStorePrefix = 106;
inline constexpr int32_t kConstRecordStoreSuffix = 107;
inline constexpr int32_t kConstRecordStoreIoMessage = 108;
inline constexpr int32_t kConstRecordFileInfix = 109;
inline constexpr int32_t kConstGameRecordStore = 113;
inline constexpr int32_t kConstPromoRecordStore = 57;

// Resource packs of sprites (a pack's name is its constant string). The font pack is read
// whole: two character maps, each shared by a group of font sprites.
inline constexpr int32_t kConstFontPack = 119;
inline constexpr int32_t kFontPackEntries = 11;
inline constexpr int32_t kFontMapMain = 2;    // for the fonts of entries 4 to 7
inline constexpr int32_t kFontMapCached = 3;  // for the fonts of entries 9 and 10
inline constexpr int32_t kFontMain = 4, kFontHint = 5, kFontSmall = 6, kFontCredits = 7;
inline constexpr int32_t kFontDigits = 9, kFontTitle = 10;
inline constexpr int32_t kFontPaletteCount = 6;
// The colour pack: seven colour-group palette sprites, then the player palette sprite.
inline constexpr int32_t kConstColourPack = 120;
inline constexpr int32_t kColourGroupCount = 7;
inline constexpr int32_t kPlayerPaletteSprite = 7;
inline constexpr int32_t kPlayerPaletteColours = 34;
inline constexpr int32_t kPlayerPaletteCount = 36;

// Menu data: entry 0 of the "menudata" pack. A big-endian u16 total (the index's bytes plus
// the blob's), kMenuIndexCount s16 blob offsets (entry k: where menu k + 1 starts; menu 0
// starts at 0), then the blob of kMenuCount records. The offsets are signed, so the blob
// stays below kMenuBlobLimit bytes.
inline constexpr int32_t kConstMenuDataPack = 143;
inline constexpr int32_t kMenuDataEntry = 0;
inline constexpr int32_t kMenuCount = 79;
inline constexpr int32_t kMenuIndexCount = kMenuCount - 1;
inline constexpr int32_t kMenuIndexBytes = 2 * kMenuIndexCount;
inline constexpr int32_t kMenuBlobLimit = 32768;

// The text the setup library looks for in the file names of saved games.
inline constexpr const char* kSavedGameMarker = "rms_";

}  // namespace sorv
