// Resource numbers shared by every layer and the data builder (tools/mkdata), so the two
// cannot drift apart: constant-string numbers by name (the n-th string of
// "/constants.bin"), and later the pack entries and array positions.
//
// Invariants: every number named here is below kConstantCount, and the builder refuses a
// constants source with fewer strings or with a forced text (empty, "\", "rms_") changed.
#pragma once

#include <cstdint>
#include <iterator>

#include "tools/data/court_geometry.h"

namespace sorv {

// "/constants.bin" holds at least this many strings (the highest number used is 200).
inline constexpr int32_t kConstantCount = 201;

// The empty string: Throwable's default message, the vendor and suite of the game's stores.
inline constexpr int32_t kConstEmpty = 6;
inline constexpr int32_t kConstNameCursor = 29;  // after the name being typed

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
// A colour-group sprite's palettes: every choice of its career look item, and the white suit.
inline constexpr int32_t kColourGroupPalettes = 8;

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
// The boot pack (kConstBootPack) is streamed: the array tree (kBootArrayData, then
// kBootArrayDescriptor, named with the tree's list below) and the achievement table follow
// the boot sprite.
inline constexpr int32_t kBootPackEntries = 6;
inline constexpr int32_t kBootSprite = 0;
inline constexpr int32_t kBootAchievements = 3, kBootSplash = 4, kBootStateSprite = 5;
inline constexpr int32_t kConstMenuPack = 118;
inline constexpr int32_t kMenuPackEntries = 6;
inline constexpr int32_t kMenuMain = 0, kMenuSecond = 1, kMenuButtons = 2, kMenuThird = 3;
inline constexpr int32_t kMenuFourth = 4, kMenuFifth = 5;
inline constexpr int32_t kConstMenuExtPack = 127;
inline constexpr int32_t kMenuExtPackEntries = 6;
// Entry 0 of the menus' extra pack: the history pictures, a frame per history topic.
inline constexpr int32_t kMenuExtHistory = 0;
inline constexpr int32_t kMenuExtPortrait = 1, kMenuExtCourtPreview = 5;  // see the match set-up below
inline constexpr int32_t kCourtTypes = 4;
inline constexpr int32_t kConstMenuIconPack = 128;
inline constexpr int32_t kMenuIconPackEntries = 3;
// The touch pad of a match and training, the pad while a button is held, the digit keys.
inline constexpr int32_t kMenuIconPad = 0, kMenuIconHeldPad = 1, kMenuIconPadKeys = 2;
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
inline constexpr int32_t kTextPackMinStrings[4] = {248, 101, 380, 69};
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
// The style captions (85..120, a roster slot each) and the selection's labels (121..125)
// are not names: a generated player's name is one word of each list after the court names.
inline constexpr int32_t kStyleCaptionsFirst = 85, kStyleCaptionsCount = 36;
inline constexpr int32_t kFirstNamesFirst = 348, kFirstNamesCount = 16;
inline constexpr int32_t kLastNamesFirst = 364, kLastNamesCount = 16;
inline constexpr int32_t kCareerStyleTextFirst = 170;
inline constexpr int32_t kOrdinalTextFirst = 260, kOrdinalCount = 5;
// Joiners of the small number texts: after an ordinal, between minutes and seconds, and the
// text shown for no time at all.
inline constexpr int32_t kConstOrdinalJoiner = 76;
inline constexpr int32_t kConstTimeJoiner = 99;
inline constexpr int32_t kConstNoTime = 146;
// Between the rank caption and the rank name on the main menu's panel.
inline constexpr int32_t kConstRankJoiner = 142;
// The menu data: 79 menus; an index of the 78 menus after the first (u16 total, then 78
// big-endian shorts), and a blob that signed 16-bit offsets can reach.
inline constexpr int32_t kMenuCount = 79;
inline constexpr int32_t kMenuIndexEntries = kMenuCount - 1;
inline constexpr int32_t kMenuIndexBytes = 2 * kMenuIndexEntries;
inline constexpr int32_t kMenuBlobLimit = 32768;

// The array tree: the game's static tables, stored in the boot pack (entry 1 the values,
// entry 2 the descriptor; entry 3 the achievement table) and loaded at boot by
// CGame::initArrays into the static each line names. Per table: id (its place in the
// list, which is also the load order; the tree byte of its nodes is kArrayTreeByteBase + id),
// descriptor position of its first node (its 3-byte header lies just before), dimensions,
// element kind of the static (0 byte, 1 short, 2 int), stored width (0 8-bit, 1 16-bit,
// 2 32-bit, little-endian, sign-extended), whether it is flattened into one byte[], the
// class that owns the static, and the static's name. tools/data/arrays.txt holds the values
// in the same order; the builder refuses a source that disagrees with this list.
inline constexpr int32_t kConstBootPack = 117;
inline constexpr int32_t kBootArrayData = 1, kBootArrayDescriptor = 2;
// The last table's last node ends the descriptor.
inline constexpr int32_t kArrayTreeDescriptorSize = 2884;
inline constexpr int32_t kArrayTreeByteBase = 3;
inline constexpr int32_t kArrayNodeSize = 8;
inline constexpr int32_t kArrayHeaderSize = 3;

// X(id, position, dims, kind, width, flattened, owner, name)
#define SORV_ARRAY_TABLES(X) \
  X( 0,  190, 2, 0, 0, true , CGame  , tournamentTable) \
  X( 1,  377, 1, 1, 1, false, CGame  , attrThresholds) \
  X( 2,  388, 1, 1, 0, false, CGame  , attrGainTable) \
  X( 3,  399, 2, 0, 0, false, CGame  , attrPresets) \
  X( 4,  426, 1, 0, 0, false, CGame  , rosterKinds) \
  X( 5,  437, 1, 0, 0, false, CGame  , rosterCountries) \
  X( 6,  448, 1, 1, 1, false, CGame  , rosterCaptions) \
  X( 7,  459, 1, 0, 0, false, CGame  , rosterAbility) \
  X( 8,  470, 2, 0, 0, false, CGame  , rosterFlags) \
  X( 9,  489, 2, 2, 1, false, CGame  , rosterCardValues) \
  X(10,  524, 2, 2, 0, false, CGame  , rosterAttrCardValues) \
  X(11,  551, 2, 0, 0, false, CGame  , rosterAttrBase) \
  X(12,  594, 2, 0, 0, false, CGame  , rosterAttrBonus) \
  X(13,  637, 2, 0, 0, false, CGame  , lookItemOptions) \
  X(14,  696, 2, 2, 0, false, CGame  , colourGroupRanges) \
  X(15,  755, 1, 0, 0, false, CGame  , whiteSuitColours) \
  X(16,  766, 1, 2, 0, false, CGame  , whiteSuitGroups) \
  X(17,  777, 2, 0, 0, false, CTennis, lineCornerKinds) \
  X(18,  820, 2, 2, 0, false, CPlayer, rosterAttr) \
  X(19, 1111, 2, 2, 0, false, CPlayer, npcAbilityBase) \
  X(20, 1402, 2, 2, 0, false, CPlayer, npcAttrBonus) \
  X(21, 1429, 2, 2, 0, false, CPlayer, npcAbilityBonus) \
  X(22, 1456, 1, 1, 1, false, CPlayer, runSpeedSide) \
  X(23, 1467, 1, 1, 1, false, CPlayer, runSpeedForward) \
  X(24, 1478, 1, 1, 1, false, CPlayer, runSpeedBack) \
  X(25, 1489, 1, 1, 1, false, CPlayer, runSpeedDiagForward) \
  X(26, 1500, 1, 1, 1, false, CPlayer, runSpeedDiagBack) \
  X(27, 1511, 1, 1, 1, false, CPlayer, runDistanceForward) \
  X(28, 1522, 1, 1, 1, false, CPlayer, runDistanceBack) \
  X(29, 1533, 2, 2, 0, false, CPlayer, startUpTimes) \
  X(30, 1568, 4, 0, 0, false, CPlayer, brakingTable) \
  X(31, 2051, 2, 2, 0, false, CPlayer, moveScale1) \
  X(32, 2078, 2, 2, 0, false, CPlayer, moveScale2) \
  X(33, 2105, 2, 2, 0, false, CPlayer, releaseSpeedTable) \
  X(34, 2148, 1, 2, 1, false, CPlayer, aimSide) \
  X(35, 2159, 1, 2, 1, false, CPlayer, aimDepth) \
  X(36, 2170, 1, 2, 1, false, CPlayer, aimSpread) \
  X(37, 2181, 1, 2, 0, false, CPlayer, reachKind) \
  X(38, 2192, 1, 2, 2, false, CPlayer, serveSpeedBase) \
  X(39, 2203, 1, 2, 2, false, CPlayer, serveSpeedTop) \
  X(40, 2214, 1, 2, 0, false, CPlayer, serveChargeFactor) \
  X(41, 2225, 1, 2, 2, false, CPlayer, flatSpeed) \
  X(42, 2236, 1, 2, 2, false, CPlayer, normalSpeedTop) \
  X(43, 2247, 1, 2, 2, false, CPlayer, normalSpeedLow) \
  X(44, 2258, 1, 2, 2, false, CPlayer, kind4SpeedTop) \
  X(45, 2269, 1, 2, 2, false, CPlayer, kind4SpeedLow) \
  X(46, 2280, 1, 2, 2, false, CPlayer, kind1SpeedTop) \
  X(47, 2291, 1, 2, 2, false, CPlayer, kind1SpeedLow) \
  X(48, 2302, 1, 2, 0, false, CPlayer, stroke3PercentKind4) \
  X(49, 2313, 1, 2, 2, false, CPlayer, stroke3BaseKind4) \
  X(50, 2324, 1, 2, 0, false, CPlayer, stroke3PercentKind26) \
  X(51, 2335, 1, 2, 2, false, CPlayer, stroke3BaseKind26) \
  X(52, 2346, 1, 2, 0, false, CPlayer, stroke3Percent) \
  X(53, 2357, 1, 2, 2, false, CPlayer, stroke3Base) \
  X(54, 2368, 1, 2, 0, false, CPlayer, stroke4PercentKind4) \
  X(55, 2379, 1, 2, 2, false, CPlayer, stroke4BaseKind4) \
  X(56, 2390, 1, 2, 0, false, CPlayer, stroke4Percent) \
  X(57, 2401, 1, 2, 2, false, CPlayer, stroke4Base) \
  X(58, 2412, 1, 2, 0, false, CPlayer, stroke5PercentKind4) \
  X(59, 2423, 1, 2, 2, false, CPlayer, stroke5BaseKind4) \
  X(60, 2434, 1, 2, 0, false, CPlayer, stroke5Percent) \
  X(61, 2445, 1, 2, 2, false, CPlayer, stroke5Base) \
  X(62, 2456, 2, 0, 0, false, CPlayer, swingTable1) \
  X(63, 2539, 2, 0, 0, false, CPlayer, swingTable2) \
  X(64, 2622, 3, 2, 0, false, CPlayer, aiWeights) \
  X(65, 2865, 1, 2, 0, false, CPlayer, rallyLevelBonus) \
  X(66, 2876, 1, 2, 0, false, CTennis, courtLossTable)

struct ArrayTable {
  int32_t id, position, dims, kind, width;
  bool flattened;
  const char* owner;
  const char* name;
};
#define SORV_ARRAY_TABLE_INFO(id, position, dims, kind, width, flattened, owner, name) \
  ArrayTable{id, position, dims, kind, width, flattened, #owner, #name},
inline constexpr ArrayTable kArrayTables[] = {SORV_ARRAY_TABLES(SORV_ARRAY_TABLE_INFO)};
#undef SORV_ARRAY_TABLE_INFO
inline constexpr int32_t kArrayTableCount = static_cast<int32_t>(std::size(kArrayTables));

// Ids in list order, positions ascending with room for each header, every kind and width
// known, dimensions 1..4, and the last table's one node ending the descriptor.
constexpr bool arrayTablesAreConsistent() {
  for (int32_t i = 0; i < kArrayTableCount; i++) {
    const ArrayTable& t = kArrayTables[i];
    if (t.id != i || t.dims < 1 || t.dims > 4 || t.kind < 0 || t.kind > 2 || t.width < 0 ||
        t.width > 2 || kArrayTreeByteBase + i > 127) {
      return false;
    }
    if (i > 0 && t.position < kArrayTables[i - 1].position + kArrayNodeSize + kArrayHeaderSize) {
      return false;
    }
  }
  const ArrayTable& last = kArrayTables[kArrayTableCount - 1];
  return last.dims == 1 && last.position + kArrayNodeSize == kArrayTreeDescriptorSize;
}
static_assert(arrayTablesAreConsistent());

// The midlet's and the canvas's texts: two log lines, the property startApp reads and the
// system property that keeps the phone type.
inline constexpr int32_t kConstStartAppLine = 110;
inline constexpr int32_t kConstVersionProperty = 111;
inline constexpr int32_t kConstPauseAppLine = 112;
inline constexpr int32_t kConstPhoneTypeProperty = 148;

// The text the setup library looks for in the file names of saved games.
inline constexpr const char* kSavedGameMarker = "rms_";

// --- Match sprites, court layouts and the court's tables
// Frames of a player's braking animations (running sprite, animations 13 to 16) and of its
// swings (strokes sprite): the row lengths of CPlayer's braking and swing tables.
inline constexpr int32_t kBrakeFrames = 3;
inline constexpr int32_t kSwingFrames = 10;
inline constexpr int32_t kBrakeAnimFirst = 13, kBrakeAnimLast = 16;
// The fewest frames, animations and palettes (of the colour count) each match sprite, and
// each sprite of the players' colours, holds; animFrames is the fewest frames of every
// animation (time > 0 each). Only the players' sprites need their colour count exactly (their
// palettes are copied in whole); the others' is the labelled stand-ins' and the painted ones
// may use more.
struct MatchSpriteMinimum {
  int32_t pack, entry, frames, anims, palettes, colours, animFrames;
};
inline constexpr int32_t kRunningAnims = 25, kStrokeAnims = 33, kSpecialAnims = 36;
inline constexpr int32_t kBallKidAnims = 11, kJudgeAnims = 33;
inline constexpr int32_t kServeMeterFrames = 17;  // animations 0 and 2: an odd count
// The user's challenge gestures (special actions 11 and 12) hold their frame this many match
// frames: the review shows its verdict from its 24th frame until the gesture has ended.
inline constexpr int32_t kChallengeGestureFirst = 11, kChallengeGestureLast = 12;
inline constexpr int32_t kChallengeGestureTime = 48;
// The change-of-ends walks: special actions 14 and 16 walk off (restarted at their fourth
// frame), 15 and 17 walk on at the new end; each has at least this many frames.
inline constexpr int32_t kWalkOffAnims[2] = {14, 16}, kWalkOnAnims[2] = {15, 17};
inline constexpr int32_t kWalkOffFrames = 4, kWalkOnFrames = 2;
inline constexpr int32_t kMatchSpriteColours = 16;  // of every sprite but the players'
inline constexpr MatchSpriteMinimum kMatchSpriteMinimums[] = {
    {kConstPlayerPack, kPlayerIntro, 2, 2, 4, kPlayerPaletteColours, 1},
    {kConstPlayerPack, kPlayerDemoMen, 1, 1, 4, kPlayerPaletteColours, 1},
    {kConstPlayerPack, kPlayerDemoWomen, 1, 1, 4, kPlayerPaletteColours, 1},
    {kConstStrokesUser, 0, 1, kStrokeAnims, 2, kPlayerPaletteColours, kSwingFrames},
    {kConstStrokesUser, 1, 1, kStrokeAnims, 2, kPlayerPaletteColours, kSwingFrames},
    {kConstRunningUser, 0, 1, kRunningAnims, 2, kPlayerPaletteColours, 1},
    {kConstRunningUser, 1, 1, kRunningAnims, 2, kPlayerPaletteColours, 1},
    {kConstStrokesRival, 0, 1, kStrokeAnims, 2, kPlayerPaletteColours, kSwingFrames},
    {kConstStrokesRival, 1, 1, kStrokeAnims, 2, kPlayerPaletteColours, kSwingFrames},
    {kConstRunningRival, 0, 1, kRunningAnims, 2, kPlayerPaletteColours, 1},
    {kConstRunningRival, 1, 1, kRunningAnims, 2, kPlayerPaletteColours, 1},
    {kConstSpecialUser, 0, 1, kSpecialAnims, 2, kPlayerPaletteColours, 1},
    {kConstSpecialUser, 1, 1, kSpecialAnims, 2, kPlayerPaletteColours, 1},
    {kConstSpecialRival, 0, 1, kSpecialAnims, 2, kPlayerPaletteColours, 1},
    {kConstSpecialRival, 1, 1, kSpecialAnims, 2, kPlayerPaletteColours, 1},
    {kConstMatchPack, kMatchServeMeter, kServeMeterFrames, 4, 1, kMatchSpriteColours, 1},
    {kConstMatchPack, kMatchSpeedLines, 1, 1, 1, kMatchSpriteColours, 1},
    {kConstMatchPack, kMatchHud, 86, 31, 1, kMatchSpriteColours, 1},
    {kConstMatchPack, kMatchNet, 2, 2, 4, kMatchSpriteColours, 1},  // a palette per court type
    {kConstMatchPack, kMatchInterface, 59, 4, 1, kMatchSpriteColours, 1},
    {kConstMatchFxPack, kMatchFxReplayBackground, 5, 1, 1, kMatchSpriteColours, 1},
    {kConstMatchFxPack, kMatchFxBallKids, 1, kBallKidAnims, 5, kMatchSpriteColours, 1},
    {kConstMatchFxPack, kMatchFxJudges, 13, kJudgeAnims, 5, kMatchSpriteColours, 1},
    {kConstMatchFxPack, kMatchFxDust, 1, 2, 1, 3, 1},  // light and dark dust
    {kConstCourtPack, kCourtBackground, 3, 1, 1, kMatchSpriteColours, 1},
    {kConstCourtPack, kCourtBackgroundMain, 3, 1, 1, kMatchSpriteColours, 1},
    {kConstCourtPack, kCourtDecor, 11, 1, 4, kMatchSpriteColours, 1},
    {kConstCourtPack, kCourtDecorMain, 11, 1, 4, kMatchSpriteColours, 1},
    {kConstCourtPack, kCourtActor, 1, 4, 1, kMatchSpriteColours, 1},
    {kConstMenuIconPack, kMenuIconPad, 21, 0, 1, kMatchSpriteColours, 1},  // the pad draws no animation
    {kConstMenuIconPack, kMenuIconHeldPad, 12, 0, 1, kMatchSpriteColours, 1},
    {kConstMenuIconPack, kMenuIconPadKeys, 31, 0, 1, kMatchSpriteColours, 1},
    {kConstMenuExtPack, kMenuExtCourtPreview, 1, 1, kCourtTypes, kMatchSpriteColours, 1},
    {kConstColourPack, 0, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 1, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 2, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 3, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 4, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 5, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, 6, 0, 0, kColourGroupPalettes, kPlayerPaletteColours, 1},
    {kConstColourPack, kPlayerPaletteSprite, 0, 0, kPlayerPaletteCount, kPlayerPaletteColours, 1},
};
// Ball-kid animations 7 and 8 (the runners taking the ball) have at least this many frames.
inline constexpr int32_t kBallKidRunFrames = 3;
// The court people's gestures, drawn unlike their rest so that a call or a run shows: the
// line judges' out signals (judges 0, 1, 2) and in signal, and the ball kids' runs for the
// ball (the runners 7 and 8, the back kids 9 and 10).
inline constexpr int32_t kJudgeOutSignals[3] = {8, 9, 10};
inline constexpr int32_t kJudgeInSignal = 15;
inline constexpr int32_t kBallKidRunFirst = 7, kBallKidRunLast = 10;
// The judges' sprite: the linesmen's idle animations (the court layouts' items 13 to 17
// name them), the serve watch, the smash target and the racket flash of a stroke (held on
// its last frame, which is empty); the verdict of a challenge is frame 11 (the call stands)
// or 12 (overturned), drawn in palette 3.
inline constexpr int32_t kLinesmanIdleFirst = 16, kLinesmanIdleLast = 20;
inline constexpr int32_t kJudgeServeWatch[4] = {6, 11, 13, 14};
inline constexpr int32_t kJudgeSmashTarget = 25, kJudgeRacketFlash = 32;
inline constexpr int32_t kJudgeVerdictFrame = 11, kJudgeVerdictPalette = 3;
// Court picture frames 0 to 2 cover the whole court image.
inline constexpr int32_t kCourtImageWidth = court::kCourtImageWidth, kCourtImageHeight = court::kCourtImageHeight;
// Court layouts: menu 71 (70 for a main tournament on court types 2 and 3), plus 3 at end 2.
// Their items' sprite types while a match is loaded: the court picture (item 0), the court
// boards (items 1 to 8), the judges' animations (linesmen, items 13 to 17) and frames (the
// verdict, item 18); item 19 is the interface sprite's (type 22).
inline constexpr int32_t kCourtLayoutMain = 70, kCourtLayout = 71, kCourtLayoutEnd2 = 3;
inline constexpr int32_t kTypeCourtPicture = 23, kTypeCourtBoards = 25;
inline constexpr int32_t kTypeJudgeFrames = 26, kTypeJudges = 27;
inline constexpr int32_t kCourtLayoutItems = 22;
// The court decor's frames, one per use of the layouts' items 1 to 8, so that no "frame + 1"
// lands on another item: the benches, a crowd block of the far stands, the gate (the next
// frame its cover at end 2), the speed board and the clock (both in kDecorBoardPalette), the
// speed unit (km/h; the next frame mph), the speed's and the time's digit windows.
inline constexpr int32_t kDecorBenches = 1, kDecorCrowd = 2, kDecorGate = 3, kDecorSpeedBoard = 5;
inline constexpr int32_t kDecorClock = 6, kDecorSpeedUnit = 7, kDecorSpeedWindow = 9, kDecorTimeWindow = 10;
inline constexpr int32_t kDecorBoardPalette = 3;
// Court picture frame by court type; the linesmen's rest animations (items 13 to 17 take
// animations kLinesmanRestFirst on); the interface frame of the main tournament's score board
// (item 19).
inline constexpr int32_t kCourtPictureFrames[kCourtTypes] = {2, 1, 0, 0};
inline constexpr int32_t kLinesmanRestFirst = 16;
inline constexpr int32_t kInterfaceScoreBoardFrame = 14;

// --- Match set-up and player selection
// The roster portraits (frame = avatar 0..35, then badges from 36, then the ring the cursor's
// portrait wears; palette 1 the plain look, palette 0 the picked one) and the court previews
// (frame 0, a palette per court type) are entries of the pack of kConstMenuExtPack; menu 37
// item 55 names the portraits by type 28, and the ring as its highlight.
inline constexpr int32_t kTypeRosterPortrait = 28;
inline constexpr int32_t kPortraitBadgeFrames = 14, kPortraitCursorFrame = 50;
inline constexpr int32_t kPortraitFrames = 51, kPortraitPalettes = 2;
// The roster card of the selection panels: the full card and the compact one.
inline constexpr int32_t kRosterCardMenu = 15, kRosterCardCompactMenu = 16;
// The set-up's option texts (text pack 2): the match modes, the difficulties, the numbers
// 1 to 9 (games and sets are shown as numbers), the court names at 341 + 2 x court with
// empty fillers between.
inline constexpr int32_t kTextMatchModes = 140, kTextDifficulties = 149, kTextNumbers = 152;
inline constexpr int32_t kTextCourtNames = 341, kTextLastCourtName = 347;
// --- Tournaments
// A row of tournamentTable per tournament: rounds in singles and in doubles, the logo frame,
// the flag palette and the points (in tens) lost in round 0, 1, 2 or later, then won.
inline constexpr int32_t kTournamentCount = 23, kTournamentColumns = 11;
inline constexpr int32_t kTournamentRoundsSingles = 3, kTournamentRoundsDoubles = 4;
inline constexpr int32_t kTournamentLogoFrame = 5, kTournamentFlagPalette = 6;
inline constexpr int32_t kTournamentPointsLost = 7, kTournamentPointsWon = 10;
inline constexpr int32_t kTournamentMinRounds = 3, kTournamentMaxRounds = 4;
inline constexpr int32_t kQuickTournament = 2;
// The logos and flags: entry 4 of the menus' extra pack, a frame per tournament and 23 for a
// women's main tournament, a palette per flag. Every frame lies left of and above its origin
// (its measured width and height are 0), so the table's placement at (775 + width / 2,
// height + 240) puts the trophy's right edge on x 775 and its foot on y 240.
inline constexpr int32_t kMenuExtTournamentLogo = 4;
inline constexpr int32_t kTournamentLogoFrames = 24, kTournamentLogoWomenMain = 23;
inline constexpr int32_t kTournamentFlagPalettes = 6;
inline constexpr int32_t kTrophyRight = 775, kTrophyFoot = 240;
// --- Pauses and in-game menu
// A negative statistic shows the same placeholder as the name being typed; a touched entry
// of the in-game menu writes one log line.
inline constexpr int32_t kConstNegativeStatistic = 29;
inline constexpr int32_t kConstEntryTouched = 147;
// --- Match entry and frame drawing
// The portrait sprite: entry 1 of the menus' extra pack (kConstMenuExtPack): portraits by
// roster index 0..35 (17 the created player), badges 36 + country or home.
inline constexpr int32_t kPortraitSprite = 1;
inline constexpr int32_t kPortraitMinFrames = 50, kPortraitMinPalettes = 2;

// --- Career art
// The menus' extra pack (kConstMenuExtPack) holds the world map (frame 0 the whole map, its
// width the wrap) and the map icons: frames by a place's state, the cursor's animations by
// its type (0 training ground, 1 home, 2 tournament). The home pictures are portrait frames
// kHomePictureFirst + home.
inline constexpr int32_t kMenuExtWorldMap = 2, kMenuExtMapIcons = 3;
inline constexpr int32_t kMapIconIdle = 0, kMapIconTraining = 16, kMapIconHome = 17, kMapIconTournament = 18;
inline constexpr int32_t kMapCursorTypes = 3;
inline constexpr int32_t kHomePictureFirst = 36;
// The main menu sprite's career art: the screens' backgrounds, the bar of each fifth of a
// 0..100 value, the list arrows, the map hint, the rank band and the lobby's corner pieces.
inline constexpr int32_t kCareerBackdropCreation = 56, kCareerBackdropCreationPanel = 57;
inline constexpr int32_t kCareerBackdropLobby = 58, kCareerBackdropCard = 59, kCareerBackdropHome = 60;
inline constexpr int32_t kCareerBackdropAppearance = 61, kCareerBackdropUpdate = 62;
inline constexpr int32_t kBarLevelFirst = 64, kBarLevelCount = 5;
inline constexpr int32_t kAnimArrowUp = 33, kAnimArrowDown = 34, kAnimMapHint = 41, kAnimRankBand = 42;
inline constexpr int32_t kAnimLobbyLeft = 45, kAnimLobbyRight = 46;

}  // namespace sorv
