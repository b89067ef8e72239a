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

// The game shell's readers: resource packs, text packs and their languages, the menu data,
// and the small texts of the integer helpers.
inline constexpr int32_t kConstLibIndexOutOfRange = 116;  // printed for an entry outside the pack
inline constexpr int32_t kConstNoFreeObjectType = 114;    // p_findFree's message before the type
inline constexpr int32_t kConstTextPack = 79;
inline constexpr int32_t kConstMenuDataPack = 143;
// The texts pack holds text packs 0, 2, 3 and 1 in its entries 0 to 3.
inline constexpr int32_t kTextPackOfEntry[4] = {0, 2, 3, 1};
// The fewest strings each text pack (by pack number) must hold.
inline constexpr int32_t kTextPackMinStrings[4] = {248, 101, 348, 69};
// The character encoding of every text pack; a padding character; the language codes that
// pack 0's first string is compared with, in the order of the language index 0..10.
inline constexpr int32_t kConstTextEncoding = 53;
inline constexpr int32_t kConstPadding = 18;
inline constexpr int32_t kLanguageCount = 11;
inline constexpr int32_t kConstLanguageCodes[kLanguageCount] = {129, 130, 131, 132, 49, 133,
                                                                134, 135, 136, 137, 138};
// Text pack 2's lists read by initStrings (first id, count), the career style captions and
// the ordinals 1st..5th.
inline constexpr int32_t kHomeNamesFirst = 35, kHomeNamesCount = 14;
inline constexpr int32_t kRosterNamesFirst = 49, kRosterNamesCount = 36;
inline constexpr int32_t kFirstNamesFirst = 85, kFirstNamesCount = 36;
inline constexpr int32_t kLastNamesFirst = 121, kLastNamesCount = 5;
inline constexpr int32_t kCareerStyleTextFirst = 170;
inline constexpr int32_t kOrdinalTextFirst = 260, kOrdinalCount = 5;
// Joiners of the small number texts: after an ordinal, between minutes and seconds, and the
// text shown for no time at all.
inline constexpr int32_t kConstOrdinalJoiner = 76;
inline constexpr int32_t kConstTimeJoiner = 99;
inline constexpr int32_t kConstNoTime = 146;
// The menu data: 79 menus; an index of the 78 menus after the first (u16 total, then 78
// big-endian shorts), and a blob that signed 16-bit offsets can reach.
inline constexpr int32_t kMenuCount = 79;
inline constexpr int32_t kMenuIndexEntries = kMenuCount - 1;
inline constexpr int32_t kMenuIndexBytes = 2 * kMenuIndexEntries;
inline constexpr int32_t kMenuBlobLimit = 32768;

// The midlet's and the canvas's texts: two log lines, the property startApp reads and the
// system property that keeps the phone type.
inline constexpr int32_t kConstStartAppLine = 110;
inline constexpr int32_t kConstVersionProperty = 111;
inline constexpr int32_t kConstPauseAppLine = 112;
inline constexpr int32_t kConstPhoneTypeProperty = 148;

// The packs and entries the boot reads (the data builder lists every pack with its entries).
inline constexpr int32_t kConstPlayerPack = 80;
inline constexpr int32_t kPlayerIntro = 0, kPlayerDemoMen = 1, kPlayerDemoWomen = 2;
inline constexpr int32_t kConstMatchPack = 87;
inline constexpr int32_t kConstBootPack = 117;
inline constexpr int32_t kBootSprite = 0, kBootArrayData = 1, kBootArrayDescriptor = 2;
inline constexpr int32_t kBootAchievements = 3, kBootSplash = 4, kBootStateSprite = 5;
inline constexpr int32_t kConstMenuPack = 118;
inline constexpr int32_t kMenuMain = 0, kMenuSecond = 1, kMenuButtons = 2, kMenuThird = 3;
inline constexpr int32_t kMenuFourth = 4, kMenuFifth = 5;
inline constexpr int32_t kConstMenuExtPack = 127;
inline constexpr int32_t kConstMenuIconPack = 128;
inline constexpr int32_t kTextGeneral = 0, kTextMatch = 1, kTextMenus = 2, kTextTraining = 3;
inline constexpr int32_t kTextEntryOfPack[4] = {0, 3, 1, 2};

// The text the setup library looks for in the file names of saved games.
inline constexpr const char* kSavedGameMarker = "rms_";

}  // namespace sorv
