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

// Resource packs and their entries. A pack is found in data.bar by the text of its
// constant string; each pack below has exactly the entry count named beside it, and every
// entry a loader reads is non-empty. Streamed packs are read in increasing entry order. The
// texts pack (kConstTextPack) and the menu data pack (kConstMenuDataPack) are named below
// with the shell's readers.
inline constexpr int32_t kTextPackEntries = 4;
inline constexpr int32_t kConstPlayerPack = 80;
inline constexpr int32_t kPlayerPackEntries = 3;
inline constexpr int32_t kPlayerIntro = 0, kPlayerDemoMen = 1, kPlayerDemoWomen = 2;
// Six action packs, 81 to 86: strokes, running and special actions of the user's team, then
// strokes and running of the opponents, then special actions of each team; entry 0 the first
// player (men), entry 1 the partner (women, mixed partner).
inline constexpr int32_t kConstActionPackFirst = 81;
inline constexpr int32_t kActionPackCount = 6;
inline constexpr int32_t kActionPackEntries = 2;
inline constexpr int32_t kConstStrokesUser = 81, kConstRunningUser = 82;
inline constexpr int32_t kConstStrokesRival = 83, kConstRunningRival = 84;
inline constexpr int32_t kConstSpecialUser = 85, kConstSpecialRival = 86;
inline constexpr int32_t kActionFirstPlayer = 0, kActionPartner = 1;
inline constexpr int32_t kConstMatchPack = 87;
inline constexpr int32_t kMatchPackEntries = 5;
inline constexpr int32_t kMatchServeMeter = 0, kMatchSpeedLines = 1, kMatchHud = 2;
inline constexpr int32_t kMatchNet = 3, kMatchInterface = 4;
// Entries 0 and 1 of the match-effects pack are never read.
inline constexpr int32_t kConstMatchFxPack = 88;
inline constexpr int32_t kMatchFxPackEntries = 6;
inline constexpr int32_t kMatchFxReplayBackground = 2, kMatchFxBallKids = 3;
inline constexpr int32_t kMatchFxJudges = 4, kMatchFxDust = 5;
inline constexpr int32_t kConstCourtPack = 91;
inline constexpr int32_t kCourtPackEntries = 5;
inline constexpr int32_t kCourtBackground = 0, kCourtBackgroundMain = 1;
inline constexpr int32_t kCourtDecor = 2, kCourtDecorMain = 3, kCourtActor = 4;
// Training: two sprites, then per game g a level data and a level index entry
// (kTrainingLevelData + 2g, + 1), then per game a tutorial data and index entry.
inline constexpr int32_t kConstTrainingPack = 96;
inline constexpr int32_t kTrainingPackEntries = 22;
inline constexpr int32_t kTrainingGameCount = 5;
inline constexpr int32_t kTrainingSprite = 0, kTrainingCheckpoint = 1;
inline constexpr int32_t kTrainingLevelData = 2, kTrainingTutorialData = 12;
// The boot pack is streamed: the array tree and the achievement table follow the boot sprite.
inline constexpr int32_t kConstBootPack = 117;
inline constexpr int32_t kBootPackEntries = 6;
inline constexpr int32_t kBootSprite = 0, kBootArrayData = 1, kBootArrayDescriptor = 2;
inline constexpr int32_t kBootAchievements = 3, kBootSplash = 4, kBootStateSprite = 5;
inline constexpr int32_t kConstMenuPack = 118;
inline constexpr int32_t kMenuPackEntries = 6;
inline constexpr int32_t kMenuMain = 0, kMenuSecond = 1, kMenuButtons = 2, kMenuThird = 3;
inline constexpr int32_t kMenuFourth = 4, kMenuFifth = 5;
inline constexpr int32_t kConstMenuExtPack = 127;
inline constexpr int32_t kMenuExtPackEntries = 6;
inline constexpr int32_t kConstMenuIconPack = 128;
inline constexpr int32_t kMenuIconPackEntries = 3;
inline constexpr int32_t kMenuDataPackEntries = 1;
inline constexpr int32_t kMenuDataEntry = 0;

// Text packs: the game numbers them 0 (interface words), 1 (match), 2 (menus and career)
// and 3 (training), but the texts pack stores them in the order 0, 2, 3, 1 (kTextPackOfEntry
// below; kTextPackMinStrings the fewest strings of each).
inline constexpr int32_t kTextGeneral = 0, kTextMatch = 1, kTextMenus = 2, kTextTraining = 3;
inline constexpr int32_t kTextPackCount = 4;
inline constexpr int32_t kTextEntryOfPack[kTextPackCount] = {0, 3, 1, 2};
// Text 0 of pack 0 is the language code; text 89 of pack 1 holds '#' for the set number.
inline constexpr int32_t kTextLanguageCode = 0;
inline constexpr int32_t kTextSetTitle = 89;

// Language indexes: text 0 of pack 0 equals the constant string kConstLanguageCodes gives
// the index (checked in order; no match is index 0). Constant kConstTextEncoding names the
// texts' encoding: ISO-8859-1 for the first seven, UTF-8 for Polish, Czech, Turkish, Russian.
inline constexpr int32_t kLanguageEN = 0, kLanguageFR = 1, kLanguageIT = 2, kLanguageDE = 3;
inline constexpr int32_t kLanguageES = 4, kLanguagePT = 5, kLanguageNL = 6, kLanguagePL = 7;
inline constexpr int32_t kLanguageCS = 8, kLanguageTR = 9, kLanguageRU = 10;

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

// The text the setup library looks for in the file names of saved games.
inline constexpr const char* kSavedGameMarker = "rms_";

}  // namespace sorv
