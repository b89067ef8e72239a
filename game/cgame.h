// CGame, the game shell: the one canvas and its paced frame, the state machine, keys and
// touch, its statics (first values from the static initialiser), the filled and translucent
// rectangles, the object pools, integer math and byte readers, resource packs, text packs,
// the menu data, and the loading of sprites, palettes and menu resources.
//
// Invariants: translucent fills borrow ASprite's decode buffer for one call and never keep
// it; a fill never loops without drawing, whatever its size or the buffer's. At most one
// resource pack is open. Everything read from a pack is checked against the bytes there:
// a damaged pack, text pack or menu file gives one log line and an empty or null result.
// The state stack holds one to eight states: a push onto a full stack and a pop of the
// bottom state are refused. Frames start kFrameMs apart on the program clock.
// Called by the shell, the sprite code, the states and every screen; one thread.
#pragma once

#include <cstdint>

#include "device/canvas.h"
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/runnable.h"

namespace sorv {

class ASprite;
class ByteArray;
class CActor;
class CPlayer;
class CTennis;
class Display;
class Graphics;
class Image;
class InputStream;
class IntArray;
class ObjectArray;
class Random;
class String;
class StringBuffer;
class ZentuKR09;

class CGame : public Canvas, public Runnable {
 public:
  static constexpr ClassId kClassId = kCGame;

  // The current language number (0..10; 9 and 10 have extra letters in the fonts).
  static int32_t language;
  // Set around two sprite loads: BuildCacheImages gives opaque pixels 70 % or 30 % alpha.
  static bool buildAlpha70;
  static bool buildAlpha30;
  // The Graphics the current frame draws into.
  static StaticRef<Graphics> gfx;
  // The match's player-sprite tables, per side six slots (partners at 3 to 5); filled by
  // the match loader, read by the actors to find their remap slot.
  static StaticRef<ObjectArray> actionSprites0;
  static StaticRef<ObjectArray> actionSprites1;
  // The match's players as the selection leaves them (1 and 3 the user's team, 2 and 4 the
  // opponents), each with two more values; the match statistics' row labels (String[7][2]).
  static int32_t playerChoice1, playerChoice2, playerChoice3, playerChoice4;
  static int32_t playerChoiceValues[4][2];
  static StaticRef<ObjectArray> statLabels;

  // --- Saved data (cgame_rms.cpp): the record store's codec and the statics it holds.
  static constexpr int32_t kRecordMarker = 107;  // record 1 of a store this game built
  static constexpr int32_t kRecordCount = 15;
  static constexpr int32_t kMarkerRecord = 1, kOptionsRecord = 2, kCareerRecord = 3;
  static constexpr int32_t kCareerTournamentRecord = 4, kTournamentRecord = 6;
  static constexpr int32_t kFirstTrainingRecord = 8, kSetupRecord = 13;
  static constexpr int32_t kAchievementRecord = 14, kMenuMarkRecord = 15;
  static int32_t rmsMarker;
  static int32_t playCount;        // matches started
  static int32_t optionRow1Copy;   // the speed unit the player chose
  static bool menuMarkFlag;        // the mark on one menu item, until the game clears it
  static StaticRef<IntArray> setupValues;  // the match set-up screen's five rows
  // Saves (true) or loads (false) record 1..15 but 5 and 7; false when nothing was done.
  static bool RMS(bool save, int32_t record);
  // At start: a store without the marker is rebuilt as records 1 to 15, all empty.
  static void initRMS();
  // Resets the statics record 3, 4 or 6 holds and empties the record.
  static void resetRMS(int32_t record);
  // True when the record exists and is not empty.
  static bool hasRecord(int32_t record);

  // --- The career (career_data.cpp; record 3). careerName is at most 8 characters. Loading
  // record 3 brings every index and number inside its range, with one log line for the record.
  static StaticRef<String> careerName;
  static int8_t careerAvatarKind;
  static StaticRef<ByteArray> careerLook;  // byte[7]
  static int8_t careerHome;
  static int32_t careerWeek;
  static int32_t careerTarget;
  static int32_t careerYear;
  static int32_t careerRankingPoints;
  static StaticRef<IntArray> careerAttrPts;      // int[5]
  static StaticRef<IntArray> careerAttrPtsPrev;  // int[5]
  static int32_t careerMental;
  static int32_t careerMentalPrev;
  static int8_t careerStamina;
  static StaticRef<ShortArray> careerStats;         // short[6]
  static StaticRef<ByteArray> careerLocationState;  // byte[29]: 0 not played, 1 played, 2 won
  static StaticRef<ObjectArray> careerCreateRows;   // the avatar creation rows, null until made
  static void resetCareerData();

  // --- The running tournament (career_data.cpp; records 4 and 6).
  static int32_t tournamentDifficulty;
  static int32_t currentTournament;
  static int32_t tournamentResult;  // 0 running, 1 the user won the last match, -1 lost
  static int32_t userSlot;
  static StaticRef<IntArray> drawSlots;        // int[16]
  static StaticRef<ByteArray> drawUsed;        // byte[39]
  static StaticRef<ObjectArray> drawFakeNames;  // byte[16][2]
  static StaticRef<ObjectArray> drawScores;     // byte[3][]: 8, 4 and 2 entries
  static int32_t tournamentSegment;
  static int32_t tournamentRound;
  static int32_t tournamentRoundCount;
  static int32_t segmentLength;
  static int32_t tournamentStrokes;
  static bool tournamentEnded;
  static bool tournamentIntro;
  static void resetTournamentData();
  static void resetAllTournamentPlayable();
  // A byte of the current tournament's row of tournamentTable, held to from..to: a row or
  // value outside the table gets one log line and the nearest value in range.
  static int32_t tournamentRowValue(int32_t column, int32_t from, int32_t to);
  // Match settings 2 to 4 (games, sets, court) from the current tournament's row.
  static void setMatchSettingsFromTournamentRow();
  // The next career match's settings from the running tournament and the avatar's rank;
  // also whether it is a final against a strong field (CTennis::careerFinal).
  static void initCareerSettingUI();

  // --- The tournament model (menus/tournament_model.cpp). A tournament is played as a chain
  // of segments of at most three rounds; only the current segment's draw is held. A segment
  // of n rounds uses bracket tables 3 - n .. 2; in doubles a table entry is a team of two
  // neighbouring draw positions. Every draw ends: a name or partner is drawn at most 32
  // times, then taken in index order. A record 4 or 6 is used only after it has been checked.
  static int32_t getFakeTournamentRoundCount();
  static int32_t getFakeTournamentRoundIndex();
  static int32_t getFakeTournamentPlayersCount(int32_t rounds);
  static int32_t getPlayerIndexInRecord(int32_t table);
  static int32_t getPlayerStartTournamentIndex(int32_t table, int32_t entry);
  static void setTournamentPlayed(int32_t i);
  static void setTournamentWin(int32_t i);
  static bool isTounamentPlayed(int32_t i);
  static bool isTounamentWin(int32_t i);
  static bool isGrandSlamer();
  static int32_t getPointsForCurrentTournament();
  static void newTournament(int32_t rounds);
  static void newFakeTournament();
  static void fullPlayerListByRandomWithFakePlayers(int32_t positions, bool flag, int32_t player,
                                                    int32_t partner);
  static bool isThisTurnPlayed(int32_t table);
  static void generateTournamentOtherMatchScore(int32_t table);
  static void nextTournameRound();
  static void saveCurTournamentUserPlayer(IntArray* entry, int32_t pos);
  static void restoreCurTournamentUserPlayer(IntArray* entry, int32_t pos);
  static int32_t getARandomFamousPlayer(int32_t group);
  static int32_t getPlayerAttrPower(int32_t index, bool weak);
  static void switchToSelectPlayerTournament();
  // Loads record 4 or 6 and checks it; a record that is absent, or whose fields leave their
  // ranges or disagree, leaves no tournament (one log line) and the match settings as they
  // were. True when a tournament was loaded.
  static bool loadTournamentRecord(int32_t record);

  // --- The tournament table (menus/tournament_table.cpp; state 57). The bracket of the
  // current segment, names on the left, the user's line growing a pixel per bracket column
  // each frame; tournamentEnded opens the keys once it has grown a column (at once after a
  // loss or the title). Both statics start from zero on every entry into state 57. A table
  // with no playable tournament behind it is not saved, draws its frame and goes back to the
  // main menu.
  static int32_t tournamentLineGrowth;
  static int32_t tournamentUserMark[2];  // where the user's line ends, (0, 0) until drawn
  static void switchToTournamentTable(bool save);
  static void enterTournamentTable();  // state 57's enter, after the statics are zeroed
  static void updateTournamentTable();
  static void paintTournamentTable();
  static void drawTournamentTree(int32_t x, int32_t y, int32_t w, int32_t h, ObjectArray* results,
                                 int32_t round, int32_t colour, int32_t highlight);
  static void drawTournamentPlayerList(int32_t x, int32_t y, int32_t rowHeight, int32_t count);

  // argb's top byte is the alpha: 255 a solid fill, 0 nothing, else blended over the target.
  static void fillRect(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h);
  // percent clamped to 0..100 becomes the alpha of rgb.
  static void fillRect(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t percent);

  // --- Drawing helpers (draw_helpers.cpp, draw_helpers_menus.cpp, draw_helpers_text.cpp).
  // The menu-screen frame, labels and message boxes are items of menus 32, 34, 35 and 57
  // drawn through the menu engine on its Graphics (GetMenuGfx). A ticker position of
  // kTickerIdle means "not started"; one ticker of each kind runs at a time.
  static constexpr int32_t kTickerIdle = 1600;
  // Menu moves, taps and the right soft key set the scrolling text back to here.
  static constexpr int32_t kTickerRestart = 800;
  static bool infoBgClosed;
  static int32_t scrollStringX, rollStringX1, rollStringX2;
  static StaticRef<CActor> upArrowActor;
  static StaticRef<CActor> downArrowActor;
  static void SetClip(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  static void DrawColorRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h);
  static void DrawAlphaRect(int32_t fill, int32_t outline, int32_t x, int32_t y, int32_t w, int32_t h,
                            int32_t alpha);  // alpha 0..255
  static void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  static void closeInfoBg();
  // Draws the information band (top, height, edge colour or -1, fill colour); true once it is
  // open far enough to write over.
  static bool drawInfoBg(int32_t top, int32_t height, int32_t edge, int32_t fill, bool keepClosed);
  // The band of the running information-band effect: rows of the fill colour opening from the
  // middle with the fade level, the open part tinted behind them, a 1-pixel edge above and below.
  static void paintInfoBand(int32_t top, int32_t height, int32_t edge, int32_t fill);
  static void drawBk(String* title, int32_t first, int32_t second, String* bottom);
  static void drawInterfaceBk(String* title, int32_t first, int32_t second);
  // Labels are text ids of text pack 0; -1 none, 39 the icon.
  static void drawMenuBar(int32_t first, int32_t second, bool withFrame);
  static void drawLabel(int32_t x, int32_t y, String* s1, String* s2, bool marker);
  static void drawOverlapMessage(String* s, int32_t, int32_t, int32_t, int32_t);
  static void drawInfoMessage(String* s, bool header, bool blink);
  static void drawWinLogo(int32_t x, int32_t y);
  // True on the call whose step takes the text's right end past leftLimit.
  static bool DrawRowScrollString(ASprite* font, String* s, int32_t x, int32_t y, int32_t leftLimit,
                                  int32_t speed);
  // True on the call where the second copy becomes the first.
  static bool DrawRowRollString(ASprite* font, String* s, int32_t x, int32_t y, int32_t gap,
                                int32_t rightMargin, int32_t speed, bool centred);
  // An animation of no length shows its first frame.
  static void DrawAnimation(Graphics* g, ASprite* s, int32_t anim, int64_t time, int32_t x, int32_t y,
                            int32_t ignored, int32_t flags, int32_t alpha);
  static void prepareAnimationArrows();
  // Soft keys (soft_keys.cpp): the two boxes at the bottom corners become -6 and -7 five
  // frames after their release.
  static constexpr int32_t kSoftKeyDelay = 5, kSoftKeySent = 100;
  // The pad's validity tests the soft keys ask (seams until the pad is built: every pad key
  // disabled, no training pad).
  static bool isAllVirtualKeyDisabled();
  static bool isNeedTriningVirtualPad();

  // --- Array utilities (cgame_arrays.cpp). Element kinds are 0 byte, 1 short, 2 int; every
  // element access is checked, so a bad index is reported and skipped.
  // Swaps entries i and j of a byte[], short[], int[] or object array.
  static void swap(Object* array, int32_t ignored, int32_t i, int32_t j);
  // Stable insertion sort of items[from..to] by ascending keys, keys moving along.
  static void sort(ObjectArray* items, IntArray* keys, int32_t from, int32_t to);
  // First index of value in a byte[], short[] or int[], else -1.
  static int32_t contains(Object* array, int32_t value);
  static void setArray(int32_t v, IntArray* array);
  static bool isInArray(int32_t v, IntArray* array);
  static void Vector2DCopy(IntArray* dst, IntArray* src);
  // The next index whose value base + index is not in skip: forwards it turns back at the
  // end of the range first..first + count - 1, backwards it stops at 0. Every index is
  // visited at most twice, so a list with everything skipped ends (at 0).
  static int32_t nextIdx(int32_t index, int32_t base, int32_t first, int32_t count, IntArray* skip,
                         bool backwards);
  // a's entries then b's in a new int[] (null counts as empty); the dimension counts are
  // not used.
  static IntArray* mergeArrays(IntArray* a, int32_t dimsA, IntArray* b, int32_t dimsB);
  // The int[] of a 1-D array itself, else its rows flattened in index order.
  static IntArray* to1DArray(Object* array, int32_t dims);
  // Same kinds copy through System.arraycopy; a 1-D int[] into a byte[] or short[] narrows
  // entry by entry over the destination's length; any other mismatch (dimension counts
  // included) throws ArrayStoreException.
  static void arrayCopy(Object* src, int32_t srcDims, int32_t srcPos, Object* dst,
                        int32_t dstDims, int32_t dstPos, int32_t length);
  // A copy of an int array of dims levels whose rows are byte[] (kind 0) or short[] (kind
  // 1); kind 2 gives the array itself.
  static Object* convertArrayType(Object* array, int32_t kind, int32_t dims);
  // Walks the 8-byte records of an array-tree descriptor from offset (tag byte, u32 LE
  // path): the run sharing the first record's tag and path above byte `level`. LeafNum is
  // its length, ChildNum 1 + path byte level - 1 of its last record. Both stop at the end.
  static int32_t ChildNum(int32_t offset, int32_t level, ByteArray* data);
  static int32_t LeafNum(int32_t offset, int32_t level, ByteArray* data);

  // --- The array tree (array_tree.cpp): the game's static tables, read at boot from the
  // open pack's entries 1 (values) and 2 (descriptor) into the statics that the list in
  // tools/data/resource_ids.h names. A node or row outside descriptor or data is read as an
  // empty row, with one log line per table.
  static Object* loadArray(int32_t dims, int32_t pos, int32_t typePos, int32_t elementType,
                           ByteArray* desc, ByteArray* data);
  static void initArrays();
  static StaticRef<ByteArray> tournamentTable;  // byte[23 * 11], a row per tournament
  static StaticRef<ShortArray> attrThresholds;  // short[5], ascending
  static StaticRef<ShortArray> attrGainTable;   // short[5] by training level
  static StaticRef<ObjectArray> attrPresets;    // byte[3][5] by playing style
  // Per roster slot 0..35: the kind byte, country, caption id (text pack 0), the ability a
  // created player takes; two flags, four card values and three attribute-card values
  // (byte[2][36], int[4][36], int[3][36]); the base and bonus of the simulated strength per
  // attribute (byte[5][36] each).
  static StaticRef<ByteArray> rosterKinds;
  static StaticRef<ByteArray> rosterCountries;
  static StaticRef<ShortArray> rosterCaptions;
  static StaticRef<ByteArray> rosterAbility;
  static StaticRef<ObjectArray> rosterFlags;
  static StaticRef<ObjectArray> rosterCardValues;
  static StaticRef<ObjectArray> rosterAttrCardValues;
  static StaticRef<ObjectArray> rosterAttrBase;
  static StaticRef<ObjectArray> rosterAttrBonus;
  // Appearance: per colour group the palettes on offer (byte[7][choices]), its (start,
  // count) in the player palette (int[7][2]), its white palette (byte[7]) and the groups a
  // white suit repaints (int[]).
  static StaticRef<ObjectArray> lookItemOptions;
  static StaticRef<ObjectArray> colourGroupRanges;
  static StaticRef<ByteArray> whiteSuitColours;
  static StaticRef<IntArray> whiteSuitGroups;

  // --- Shell tables: first values set by the static initialiser (cgame_statics.cpp).
  static constexpr int32_t kStateStackSize = 8;
  static constexpr int32_t kCheatCount = 13;
  static constexpr int32_t kCheatLength = 4;
  static constexpr int32_t kPadCells = 9;
  static constexpr int32_t kNameKeys = 27;
  static void clinit();
  // Gives the sprite floor what it reads of the shell (sprites/game_hooks.h); clinit runs it.
  static void fillSpriteHooks();
  static StaticRef<IntArray> stateStack;  // int[8]
  static int32_t stateTop;
  static StaticRef<IntArray> optionValues;   // int[2]: sound, speed unit
  static StaticRef<IntArray> matchSettings;  // int[5]: category, level, games, sets, court
  static int32_t matchMode;                  // 3 while training; the category stays in matchSettings
  static StaticRef<Random> random;           // the game's one generator (RAND)
  static int32_t soundCountdown;
  static int64_t lastFrameTime;
  static bool paused, hidden, inPaint, softKeysRequested, debugMessageOn, loadingDone;
  static StaticRef<ObjectArray> cheatCodes;   // int[13][4] of key masks
  static StaticRef<IntArray> cheatProgress;   // int[13]
  static StaticRef<BoolArray> cheatUnlocked;  // boolean[13]
  static StaticRef<ByteArray> cheatAttrValues;  // byte[5]
  static int32_t softLeftState, softRightState, softKeyCounter;
  static StaticRef<ObjectArray> padCells;  // int[9][2]: top-left corners
  static int32_t padYOffset, padLastKey, padLastCell, padFlash;
  static StaticRef<ObjectArray> nameKeyChars;  // char[27][1]: A..Z, '-'
  static int32_t phoneType;
  // Groups owned by the menus and career, made here with their shapes.
  static int32_t messageBarColour;
  static StaticRef<StringBuffer> formatBuffer;        // shared by text formatting
  static StaticRef<ByteArray> menuStateList;          // byte[16] of states and screens
  static StaticRef<ShortArray> careerLocations;       // short[290]: made by career_map.cpp
  static StaticRef<IntArray> careerAllLocations;      // int[29]: every location, by map x once sorted
  // Career fields the shell reads (initStrings).
  static bool isCareer;  // CTennis::careerMatch too; cleared on entering the main menu
  static int32_t careerStyle;

  // --- Object pools (cgame_pools.cpp): two 15-slot pools; a slot's state is 0 empty,
  // 1 locked, -1 free (holds an object that may be handed out).
  static constexpr int32_t kPoolSize = 15;
  static constexpr int8_t kSlotEmpty = 0, kSlotLocked = 1, kSlotFree = -1;
  static StaticRef<ObjectArray> poolObjects;
  static StaticRef<ByteArray> poolStates;
  static StaticRef<ObjectArray> pool2Objects;
  static StaticRef<ByteArray> pool2States;
  static int32_t p_size(ObjectArray* array);
  static int32_t p_find(ObjectArray* array, Object* object, int32_t start);
  static int32_t p_add(ObjectArray* array, Object* object);
  static int32_t p_remove(ObjectArray* array, Object* object);
  static int32_t p_add(Object* object);
  static void p_lock(Object* object);
  static void p_free(Object* object);
  static void p_resetPool();
  static void p_clearPool();
  static Object* p_findFree(int32_t type);

  // --- Integer math (cgame_math.cpp). Angles: 4096 units a turn, x first.
  static int32_t atan2(int32_t x, int32_t y);
  static int32_t realAtan2(int32_t x, int32_t y);
  static int32_t sqrt(int64_t value, int32_t precision);
  static int32_t RAND(int32_t min, int32_t max);
  static int32_t Parabolic(int32_t t, int32_t T, int32_t from, int32_t to);
  static int32_t EvenOddSwitch(int32_t n);
  static int32_t invertMoveDir(int32_t dir);

  // --- Byte buffers (cgame_bytes.cpp): Mem_* little-endian, read* big-endian.
  static int32_t Mem_SetShort(ByteArray* b, int32_t offset, int16_t value);
  static int32_t Mem_SetInt(ByteArray* b, int32_t offset, int32_t value);
  static int16_t Mem_GetShort(ByteArray* b, int32_t offset);
  static int32_t Mem_GetInt(ByteArray* b, int32_t offset);
  static int32_t readShort(ByteArray* b, int32_t offset);
  static int32_t readInt(ByteArray* b, int32_t offset);

  // --- Small texts (cgame_texts.cpp).
  static bool isDouble();
  static String* ordinal(int32_t n);
  static String* INT2Time(int32_t t);

  // --- Resource packs (resource_pack.cpp): the one open pack. An entry not wholly inside the
  // pack is null (logged); an index outside it also writes the out-of-range text to the log.
  static StaticRef<InputStream> libStream;
  static int32_t libOffsetCount;
  static StaticRef<IntArray> libOffsets;
  static StaticRef<ObjectArray> libEntries;  // byte[][] when loaded whole
  static int32_t libNextEntry;
  static void Lib_Open(String* name, bool loadAll);
  static ByteArray* Lib_GetData(int32_t index, bool unused, ByteArray* buffer);
  static void Lib_Close();
  static void Lib_FreeData(int32_t index);

  // --- Text packs (text_pack.cpp): packs 0..4 of decoded strings.
  static constexpr int32_t kTextPackSlots = 5;
  static StaticRef<ObjectArray> textPacks;     // String[5][]
  static StaticRef<ObjectArray> textPackData;  // byte[5][] while a pack is parsed
  static StaticRef<ObjectArray> textPackAux;   // byte[5][], cleared with the pack
  static StaticRef<ObjectArray> homeNames;     // text pack 2 ids 35..48
  static StaticRef<IntArray> homeOrder;        // homeNames' indices in sorted order
  static StaticRef<ObjectArray> rosterNames;   // ids 49..84
  static StaticRef<ObjectArray> styleCaptions; // ids 85..120, a roster slot each
  static StaticRef<ObjectArray> firstNames;    // generated players' names: ids 348..363
  static StaticRef<ObjectArray> lastNames;     // and 364..379
  static void Str_LoadPack(int32_t pack, ByteArray* data, ByteArray* unused);
  static void Str_UnloadPack(int32_t pack);
  static String* GetString(int32_t pack, int32_t id);
  static ObjectArray* GetString(int32_t pack, int32_t first, int32_t last);
  static int32_t GetStringCount(int32_t pack);
  static void FreeString(int32_t pack, int32_t first, int32_t last);
  static void getLanguage();
  static void initStrings();
  static String* FormatString(int32_t n, int32_t width);
  static String* FormatMathStringLocalize(int32_t n);

  // --- Menu data (menu_data.cpp): index of menus 1..78 and the blob of records. An index
  // entry of -1 marks a menu without a record (its offset lay outside the blob).
  static StaticRef<ShortArray> menuIndex;
  static StaticRef<ByteArray> menuData;
  static int32_t menuCacheId;
  static StaticRef<IntArray> menuCache;
  static void LoadMenuData();
  static IntArray* GetMenu(int32_t menu);

  // --- The canvas and its frame (cgame_frame.cpp). One instance; all state is static.
  static constexpr int32_t kGameWidth = 800;
  static constexpr int32_t kGameHeight = 480;
  // Frames start this far apart on the program clock; the game's logic counts frames.
  static constexpr int32_t kFrameMs = 142;
  static StaticRef<ZentuKR09> midlet;
  static StaticRef<CGame> gameCanvas;
  static StaticRef<Display> gameDisplay;
  static StaticRef<String> startProperty;
  static bool gameRunning;
  static StaticRef<Image> backBuffer;
  static StaticRef<Graphics> backBufferGraphics;
  static bool repaintAll, repaintScreen, frameScratchFlag;
  static int32_t frameCounter, frameDeadline;
  static StaticRef<CTennis> matchObject;
  static StaticRef<CTennis> trainingObject;  // a CTraining
  static StaticRef<String> debugMessage;

  // CGame.<init>: allocated, made the canvas, state 0 entered, the saved data opened.
  static CGame* create();
  void run() override;                 // Runnable, once per main-loop pass
  void paint(Graphics* screen) override;
  void showNotify() override;
  void hideNotify() override;
  void keyPressed(int32_t keyCode) override;
  void keyReleased(int32_t keyCode) override;
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void pointerDragged(int32_t x, int32_t y) override;
  void* getInterface(int32_t classId) override;
  static void Pause();
  static void Resume();
  static void freeMemory();
  static void resetGlobalData();
  static void switchToPlayGame();
  static void updateGame();
  static void backToMainMenu();
  // Debug hold and the promotion screen's glue (debug_promo_glue.cpp).
  static bool UPDATE_DEBUG();
  static void InitIGP();
  static void UpdateIGP();
  static void PaintIGP(Graphics* g);

  // --- Screen buffer and effects (screen_buffer.cpp, pixel_effects.cpp, match_effects.cpp).
  // The screen buffer is an 800 x 480 image made by its first writer (and on entering the
  // match and training states); readers skip it while null. While paintingIntoBuffer a whole
  // state is painted into it: a nested paint is refused, and the switches leave gfx alone so
  // the outer frame keeps its target. The paint-into-buffer (pdb) record fades in over five
  // match frames (level = step x 20) and out again; pixel effects borrow ASprite's decode
  // buffer for one call, clip their rectangle to the screen and the buffer, and every strip
  // they draw is at least one row.
  static StaticRef<Image> screenBuffer;
  static StaticRef<Graphics> savedScreenGraphics;
  static bool pdbActive, pdbClosing, paintingIntoBuffer;
  static int32_t pdbKind, pdbHoldFrames, pdbStartFrame, pdbStep, pdbLevel;
  static constexpr int32_t kPdbBlur = 1, kPdbInfoBand = 2;
  static void createScreenBuffer();
  static void switchToBuffer();
  static void switchToScreen();
  static void enablePaintDirectInBuffer(int32_t kind, int32_t holdFrames);
  static void disablePaintDirectInBuffer();
  static void disablePaintDirectInBuffer(int32_t kind);
  static void closePaintDirectInBuffer();
  static void closePaintDirectInBuffer(int32_t kind);
  static void updatePDB();
  // Paints the state below the top (last) or the top one into the buffer, then clears keys.
  static void updateScreenBuffer(bool last);
  static void updateScreenBufferWithGray();
  static void updateScreenBufferWithStdSplash();
  static void drawBlurBuffer();
  // Pixel effects on 0xAARRGGBB rows; results carry alpha 0.
  static void graylizeImage2Graphic(Graphics* g, Image* img, int32_t tint);
  static void blurDesaturateBlock(int32_t count, IntArray* px, int32_t blur, int32_t desat);
  static void paintIGMBlurEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t blur,
                                 int32_t desat);
  // Row operations: each processes px[index .. index + count - 1] and returns index + count.
  static int32_t gradientRedLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientYellowLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientWhiteLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientRBlurLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientLBlurLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientRRewindLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static int32_t gradientLRewindLine(int32_t count, int32_t index, IntArray* px, int32_t amount);
  static void paintVerticalGradientEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                                          int32_t strength, int32_t kind, int32_t, int32_t);
  static void paintVerticalGradientEffect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                                          int32_t strength, int32_t kind);
  // Match effects: speed lines (the kind-1 buffer effect), floating hints, the rolling serve
  // speed, weather, the thunder shake and the dust puffs. Hints and the buffer fade count
  // match frames.
  static constexpr int32_t kFloatHints = 8, kRainStreaks = 16;
  static StaticRef<IntArray> speedLineCentre;  // int[2], made on first use
  static StaticRef<CActor> speedLineActor;     // the stroke effect the match hands over
  static StaticRef<ObjectArray> floatHintText;  // String[8], null = free
  static StaticRef<ObjectArray> floatHintFont;  // ASprite[8]
  static StaticRef<ObjectArray> floatHintData;  // int[8][5]: x, y, life, start, palette
  static bool animatedNumberActive;
  static int32_t animatedNumberPhase, animatedNumberValue, animatedNumberTick, animatedNumberStep;
  static StaticRef<IntArray> animatedNumberDigits;  // int[3]: hundreds, tens, units
  static int32_t serveSpeedTarget;
  static StaticRef<IntArray> rainX, rainY;  // int[16]
  static StaticRef<ByteArray> rainKind;     // byte[16], 0 not drawn
  static bool rainMoving, drizzleOn, rainInterruptionDone, rainBufferPainted;
  static StaticRef<CActor> rainActor1, rainActor2;
  static bool screenCovered, playersShown;  // the rain hides the scene and its players
  static int32_t thunderFrames, speShakeX, speShakeY;
  static bool speQuitting;  // the special pause is ending
  static bool dustEnabled;
  static void StartSpeedLineEffect(int32_t, int32_t);
  static void EndSpeedLineEffect();
  static void SetSpeedLineCenterPosition(IntArray* p);
  static void DrawSpeedLineEffect(Graphics* g);
  static void activeFloatHint(String* text, ASprite* font, int32_t palette, int32_t x, int32_t y,
                              int32_t life, int32_t delay);
  static bool drawFloatHints();
  static int32_t getMaxSpeedDigit(int32_t k);
  static void updateAnimatedNumber();
  static bool bEnableRainInterruption();
  static bool bEnableDrizzle();
  static void initRain();
  // A match starts dry, whatever the last one's weather left behind.
  static void newMatchWeather();
  static void drawRain(Graphics* g);
  static void initRainInterruption();
  static void updateRainInterruption();
  static void paintRainInterruption();
  static void updateThunderServe();
  static void gfx_drawDust(CPlayer* p, bool second);
  static void deactiveSPEPause();
  // The black-bar transition (seams until the loading screen's bars are built).
  static int32_t blackBarsFrames, blackBarsStep;
  static bool blackBarsClosing;
  static void initBlackScreen(int32_t frames, bool closing);
  static bool updateBlackScreen();

  // --- State machine (state_machine.cpp): a stack of up to eight states 0..64.
  static constexpr int32_t kMsgEnter = 0, kMsgUpdate = 1, kMsgPaint = 2, kMsgExit = 3;
  static constexpr int32_t kStateCount = 65;
  static int32_t loadingStep, loadingProgress, choiceIndex, mainMenuCode;
  static int64_t bootTime;
  static StaticRef<Image> menuImage;
  static bool titleShown, keepMusicInOptions;
  static void SM_GS_update(int32_t state, int32_t message);
  static void INITIALIZE_STATE();
  static void SWITCH_STATE(int32_t state);
  static void PUSH_STATE(int32_t state);
  static void POP_STATE();
  static int32_t GET_CURRENT_STATE();
  static int32_t GET_LAST_STATE();
  static void UPDATE_MACHINE();
  static void switchToGetIGE(int32_t state);

  // --- Keys and touch (keys_touch.cpp). Masks: newly pressed, held, released, released
  // while held; touch points in game coordinates, -1 for none.
  static constexpr int32_t kKeyFire = 0x10000, kKeySoftLeft = 0x40000, kKeySoftRight = 0x20000;
  static constexpr int32_t kKeyMenuButton = 0x80000;
  static constexpr int32_t kNoPadKey = -256;
  static int32_t keysPressed, keysHeld, keysReleased, keysReleasedHeld;
  static bool keyInputOn, pointerDown, dragging;
  static int32_t pressX, pressY, releaseX, releaseY, dragX, dragY, dragDX, dragDY, dragDir;
  static int64_t pressTime;
  static int32_t padKeyHeld;
  static bool padOkDown, padLobDown, padOkPressed, leftSoftKeyOff;
  static int32_t key_keyConvert(int32_t keyCode);
  static void key_updateKey();
  static void key_resetKey();
  static bool isPointerReleasedInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume);
  static bool isPointerClickedInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume);
  static bool isPointerDraggingStartInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume);
  static bool isPointerDraggingInBox(int32_t x, int32_t y, int32_t w, int32_t h, bool consume);
  static void UpdatePointerEvents();
  // Filled by the menu engine and the match's pad.
  static void detectSoftKeys();
  static void UpdateVirtualPad();
  static void DrawVirtualPad();

  // --- Loading screen (loading_screen.cpp).
  static int32_t loadingTarget, loadingHint;
  static bool loadingShown;  // cleared on entering state 11, set by its first painted frame
  static void initLoad(int32_t target);
  static void updateLoading();
  static void paintLoading();
  // Seven segments of 14 units; 98 and more shows all seven full.
  static void drawLoadingAniBar(int32_t progress);
  static void drawLoadingHint(String* text, bool flag);
  static void drawLoadingBar(int32_t colour, int32_t y, int32_t w, int32_t h, int32_t progress);

  // --- Sprites, actors, palettes and menu resources (sprite_loading.cpp,
  // player_palette.cpp, menu_resources.cpp).
  static StaticRef<ASprite> bootSprite;        // boot pack entry 0 (classes 9, 10)
  static StaticRef<ASprite> splashSprite;      // class 12, empty after loading step 1
  static StaticRef<ASprite> bootStateSprite;   // boot pack entry 5 (class 13)
  static StaticRef<ASprite> playerSprite;      // demo player, flag false
  static StaticRef<ASprite> playerSpriteAlt;   // demo player, flag true
  static StaticRef<CActor> demoPlayer;         // the menus' two demo-player actors
  static StaticRef<CActor> demoPlayerAlt;
  static StaticRef<ObjectArray> menuSprites;   // menu pack entries 0..5
  static StaticRef<ObjectArray> fontSprites;   // font pack entries 0..10 (4..7, 9, 10 used)
  static StaticRef<ASprite> extraFontSprite;   // class 6
  static StaticRef<ObjectArray> colourSprites;  // the seven colour-group sprites
  static StaticRef<ASprite> playerPaletteSprite;
  static StaticRef<ObjectArray> menuExtSprites;   // pack 127 entries 0..5 (0: history)
  static StaticRef<ObjectArray> historyImages;    // per topic screen a picture, menus loaded
  static StaticRef<ObjectArray> menuIconSprites;  // pack 128 entries 0..2 (pad, pressed, keys)
  static StaticRef<ASprite> interfaceSprite;      // match pack entry 4 (class 22)
  static StaticRef<ASprite> loadingSprite;         // state 11: menu pack entries 0 and 2
  static StaticRef<ASprite> loadingButtonsSprite;
  static StaticRef<ObjectArray> menuActors;
  static StaticRef<ObjectArray> menuWordLists;
  static StaticRef<ASprite> dustSprite;
  static StaticRef<CActor> dustActor0;
  static StaticRef<CActor> dustActor1;
  static int64_t loadStartTime;
  // The player palette's inputs: the career look (record 3, with the saved data), the colour
  // groups' ranges and the white-suit lists (with the array tree) and the list of all groups.
  static constexpr int32_t kColourGroups = 7;
  static StaticRef<IntArray> allColourGroups;
  static ASprite* loadSprite(String* name, bool loadAll, int32_t entry, bool close, int32_t ignored);
  static ASprite* loadSprite(String* name, bool loadAll, int32_t entry, bool close);
  static ASprite* loadSprite(String* name, bool loadAll, int32_t entry, bool close, int32_t ignored,
                             bool cache);
  static ASprite* loadSprite(String* name, bool loadAll, int32_t entry, bool close, bool cache);
  static CActor* newActor();
  static CActor* createRunPlayer();
  static void setPlayerAnim(CActor* actor, bool alt);
  static void loadDemoPlayer();
  static void gfx_loadDust();
  static IntArray* getPalyerPal(int32_t n);
  static IntArray* buildPlayerPalette(IntArray* base, ByteArray* colours, IntArray* groups);
  static IntArray* buildPlayerPalette(IntArray* base, ByteArray* colours);
  static ASprite* GetAnimationIDByClass(int32_t objectClass);
  static void setMiniFontLineSpace(int32_t d);
  static int32_t loadMenuRes();
  static void unloadMenuRes();

  // --- Main menu, options, loading screen and pad (menus/main_menu*.cpp,
  // menus/options_screen.cpp, menus/scroll_arrows.cpp, game/loading_screen.cpp,
  // game/black_bars.cpp, game/virtual_pad.cpp).
  // optionTexts: String[2][2], the value labels of the two option rows, built with the texts.
  static StaticRef<ObjectArray> optionTexts;
  static int64_t optionSoundTime;  // the last change of the sound row, milliseconds
  static void buildOptionTexts();
  // The row's saved value; one outside the row's labels reads (and is stored) as 0.
  static int32_t optionValue(int32_t row);
  // The value of the highlighted entry, -1 outside the list.
  static int32_t highlightedEntry();
  // The text id (pack 2) describing main-menu entry h.
  static int32_t mainMenuDescription(int32_t h);
  // The panel's Gold at elapsed frame e for a slide-in of t frames.
  static int32_t panelGoldShown(int32_t elapsed, int32_t slideFrames, int32_t total);
  // The panel's opacity in percent at counter c: opaque, then fading over its last frames.
  static int32_t panelOpacity(int32_t c);
  static void drawAchievementInMainMenu();
  static void Paint_ArrowsUpDn(int32_t menu, int32_t upItem, int32_t downItem);
  static bool isVirtualKeyOKValid();
  static bool isVirtualKeyLobValid();
  static void paintTrainingPad();
  static void drawControlsIcon(int32_t x, int32_t y, int32_t kind, int32_t spacing, int32_t row0,
                               int32_t row1, int32_t row2, bool showKey5, bool onlySides);

  // --- Menus and career (menus/). Menu ids 0..78 select records of the menu data; screen
  // codes 0..100 name what the engine shows. Every menu is validated once after loading: a
  // damaged one reads as "no data" (null lists, item pointer -1, nothing drawn), and every
  // reader answers 0, -1 or null for an id, item or pointer outside the data.
  static int32_t menuScreenCode;   // the current screen code, -1 after MenuClear
  static StaticRef<IntArray> menuItems;  // the current screen's entry list
  static int32_t menuLabelNum, menuCursor, menuScroll, rosterFirst0, rosterFirst1;
  static constexpr int32_t kMenuStackLevels = 8;  // the last slot is never saved into
  static int32_t menuDepth;
  static int32_t menuStackScreen[kMenuStackLevels], menuStackCursor[kMenuStackLevels];
  static int32_t menuStackFirst[kMenuStackLevels];
  static int32_t menuState, menuPrevState, menuPrevCursor;
  static int32_t menuFrames, menuMoveFrames, menuPaintCount;  // animation clocks of items
  static int32_t menuSavedScroll1, menuSavedScroll12, setupFirstRow, lastNavKey;
  static int32_t menuHighlightText;  // text id of the highlighted string item, -1 none
  static int32_t aboutCounter, aboutMarker;
  static bool menuNeedReflash;
  static int32_t pickedAvatars[4], pickIndex;
  static int32_t mainMenuDelay, panelCounter, panelX, panelY;
  static int32_t titleCounter;
  static int32_t careerMatchWon;  // set when a career match ends
  static int32_t mainMenuChoice;  // the main-menu entry that started the match (4 tournament)
  static bool isTheFinalRoundOfTournament();
  static void tournamentMatchOver(int32_t userSets, int32_t opponentSets);
  static int32_t playerSlots[6];
  static StaticRef<Object> menuSelection;
  // Paint state: the Graphics, the offset added to item positions, palette (-1 none), alpha
  // (0..255, -1 none) and fill-colour (0 none) overrides, the item being drawn, the tap.
  static StaticRef<Graphics> menuGfx;
  static int32_t menuPaintX, menuPaintY, menuPaintPal, menuPaintAlpha, menuRectColour;
  static int32_t menuItemX, menuItemY;
  static bool menuTouchSelect;
  static int32_t menuTouchBlink;
  static int32_t menuTouchedEntry;  // the option row whose tap is pending, -1 none (row_tap.h)
  static StaticRef<IntArray> menuFlyX;  // label x positions of the fly-in, null when idle
  static int32_t menuFlyMenu;
  static int32_t lastStringW, lastStringH;      // the last scrolling string's size
  static int32_t itemScrollX;  // the first copy of a scrolling string, INT_MIN restarts it
  static constexpr int32_t kItemScrollGap = 40;

  // Readers (menu_reader.cpp).
  static void ValidateMenus();
  static int32_t MenuOffset(int32_t menu);  // record offset in the blob, -1 for no data
  static IntArray* MenuGetMenuItemList(int32_t menu);
  static int32_t MenuGetItemLabelNum(int32_t menu);
  static int32_t nextItemData(int32_t p);
  static int32_t GetItemPointer(int32_t menu, int32_t item);
  static int32_t GetMenuItemType(int32_t type);
  static int32_t GetMenuItemPosition(int32_t menu, int32_t item);
  static int32_t GetMenuItemSize(int32_t menu, int32_t item);
  static int32_t GetMenuItemFrameID(int32_t menu, int32_t item);
  static int32_t GetMenuItemActionID(int32_t menu, int32_t item);
  static ASprite* MenuGetItemSprite(int32_t menu, int32_t item);

  // Screens, stack and navigation (menu_engine.cpp, menu_screens.cpp).
  static IntArray* getMenuString(int32_t screen);
  static void ConfigMenu(int32_t screen);
  static void SetMenu(int32_t screen);
  static void MenuPush(int32_t screen);
  static void MenuPop();
  static void MenuClear();
  static int32_t getParentMenu();
  static int32_t getParentMenuId();
  static void SetMenuLevel(int32_t state, int32_t cursor);
  static void setMenuNeedReflash();
  static int32_t MenuGetHighLightItem();
  static void MenuProcessInput(int32_t menu, IntArray* list, int32_t direction, bool enabled);
  static void Backup_MenuItem_StartOff();
  static void Set_MenuItem_StartOff();
  static void Calc_my_start_off();
  static void MenuUpdate();
  static void MenuPaint();

  // Drawing (menu_draw.cpp, menu_items.cpp, menu_rows.cpp).
  static void SetMenuGfx(Graphics* g);
  static Graphics* GetMenuGfx();
  static void resetMenuPaintPosition();
  static void setMenuPaintPosition(int32_t x, int32_t y);
  static void setMenuPaintItemPal(int32_t palette);
  static void resetMenuPaintItemPal();
  static void setMenuPaintAlpha(int32_t percent);
  static void DrawMenu(int32_t menu, bool active);
  static int32_t DrawItem(int32_t p, bool active, bool showHidden, int32_t pass);
  static void DrawMenuItem(int32_t menu, int32_t item);
  static void DrawScrollMenu(int32_t menu, int32_t firstItem, int32_t rows, IntArray* list);
  static void DrawFrameAsItem(int32_t frame, int32_t palette, int32_t menu, int32_t item, int32_t x,
                              int32_t y, bool highlight);
  static void DrawFrameAsItem(int32_t frame, int32_t palette, int32_t menu, int32_t item,
                              bool highlight);
  static void DrawAnimationAsItem(int32_t anim, int32_t palette, int32_t time, int32_t menu,
                                  int32_t item, int32_t x, int32_t y, bool highlight);
  static void DrawAnimationAsItem(int32_t anim, int32_t palette, int32_t time, int32_t menu,
                                  int32_t item, bool highlight);
  static void DrawStringAsItem(String* text, int32_t menu, int32_t item, int32_t x, int32_t y,
                               int32_t a, bool highlight);
  static void DrawStringAsItem(String* text, int32_t menu, int32_t item, bool highlight);
  static void DrawItem_String(int32_t type, int32_t q, bool highlight, String* text, int32_t flags);
  static void DrawItem_String(int32_t type, int32_t q, bool highlight, String* text, int32_t x,
                              int32_t y, int32_t a, int32_t flags);
  static void DrawItem_String_Basic(int32_t type, int32_t q2, bool highlight, String* text,
                                    int32_t flags, int32_t a);
  static bool DrawStringAsItem_Scrolling(String* text, int32_t menu, int32_t item, int32_t step,
                                         int32_t flag);
  static void DrawItem_Rect(int32_t q, int32_t a, int32_t w, int32_t h, bool highlight,
                            int32_t anchor);
  static void DrawItem_Rect(int32_t q, int32_t a, bool highlight);
  static void DrawRectAsItem(int32_t a, int32_t menu, int32_t item, int32_t w, int32_t h,
                             int32_t anchor);
  static void DrawRectAsItem(int32_t a, int32_t menu, int32_t item);
  static void drawOptMenu(int32_t pack, int32_t textId, ObjectArray* values, int32_t x, int32_t y,
                          int32_t style, int32_t row, int32_t valueIndex, bool highlight,
                          bool locked);
  static void drawMenuItem(int32_t pack, int32_t textId, int32_t x, int32_t y, int32_t style,
                           bool highlight);
  static void init_MenuFlyIn(int32_t menu);
  static void paintMenuFlyIn();

  // Screens built later (cgame_menu_services.cpp) and the shell's screens the dispatch calls
  // (shell_seams.cpp).
  static void MenuUpdate_mainmenu();
  static void MenuUpdate_option();
  static void MenuPaint_MainMenu(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  static void MenuPaint_option();
  static void MenuPaint_Help();
  static void updateIGM();
  static void drawControlsHelp();
  static void drawSkillsHelp();
  static void initCareerMatchLocation(int32_t a, int32_t b);
  static void initCareerHomeLocation(int32_t a, int32_t b);
  static void relocateHome();
  static void sortMatchLocation();
  static int32_t findTarget();
  static void copyOptionToSettingUI();
  static bool isMainTournament();
  static void updateAbout(int32_t phase);
  static void menuUpdate_RG_History();
  static void menuPaint_RG_History();
  // The records history (history_screen.cpp): the open topic's pages, entry 0 null and
  // entries 1..P the page texts; null while no topic is open.
  static StaticRef<ObjectArray> historyPages;
  static void generateHistoryPages();
  // The credits (about_screen.cpp): per line its text id, start y, current y, height and
  // clock (0 idle); null outside the about screen. The window is menu 6 item 8.
  static StaticRef<ObjectArray> creditLines;
  static int32_t creditCurrent, creditWindowY, creditWindowH, creditWindowW;
  static int32_t creditMiddle, creditStartY, creditSpeed;
  static constexpr int32_t kCreditLineCount = 10;
  static String* creditText(int32_t line);
  static void updateCareerCreateAvastar();
  static void paintCareerCreateAvastar();
  static void updateCareerLobby();
  static void paintCareerLobby();
  static void updateCareerHome();
  static void paintCareerHome();
  static void initCareerUpdate();
  static void updateCareerUpdate();
  static void paintCareerUpdate();
  static void MenuUpdate_selectCourt();
  static void menuPaint_selectCourt();
  static void MenuUpdate_selectPlayer();
  static void menuPaint_selectPlayer();
  static void resetMenuSelectPlayer();
  static void menuUpdate_achiTable();
  static void menuPaint_achiTable(int32_t kind);
  static void initAchiView();
  static void menuUpdate_achiViewAchi();
  static void menuPaint_achiViewAchi();
  static void initRecordView();
  static void menuUpdate_achiViewRec();
  static void menuPaint_achiViewRec();
  // The lists of the achievement browser and the unlock screen (menus/achievement_views.cpp):
  // per row a title id, a value and (unlock screen) a kind; the rows shown, the scroll bar's
  // box, the thumb's height (0 for an empty list) and its last offset.
  static StaticRef<IntArray> achiTitleIds, achiGoldValues, achiKinds;
  static int32_t listRows, listX, listY, listW, listH, listStep, scrollThumbOffset;
  static void drawAchievementItem(int32_t titleId, int32_t gold, int32_t x, int32_t y, bool highlight);
  static void drawRecordItem(int32_t record, int32_t kind, int32_t x, int32_t y, bool highlight);
  static void drawAchievementLevel(int32_t menuId, int32_t item);
  static void drawUnlockItem(String* name, String* value, int32_t x, int32_t y, bool highlight);

  // --- Cheats and name entry (cheats.cpp, name_entry.cpp). A sequence moves only on the
  // frames a screen polls it: each newly pressed key either advances it or starts it over,
  // and its flag stays until reset. The editor's row never leaves its five attributes, whose
  // values stay 1..6. The name is at most 8 letters; shownName is enteredName plus the letter
  // not yet committed.
  static bool Game_updateCheat(int32_t cheat);
  static bool Game_isCheatValid(int32_t cheat);
  static void Game_resetCheatState(int32_t cheat);
  // Every sequence back to its start and every completed one unclaimed: a new match's.
  static void forgetCheats();
  static void updateCheatMenuCheats();  // state 31: cheat 0 picks the menu's entry 4
  static void updateCareerCheats();     // the career lobby: cheats 11 and 12
  static void initCheat_PlayerAttr();
  static void updateCheat_PlayerAttr();
  static void paintCheat_PlayerAttr();
  static StaticRef<String> enteredName;
  static StaticRef<String> shownName;
  static int32_t nameLastKey, nameCharIndex, nameTicker;
  static int32_t nameFocus;  // 0 the gender row, 1 the second choice, 2 the name field
  static void NameEntryResetTicker();
  static void NameEntryApplyNextName();
  static void NameEntryAddChar(char16_t c);
  static void NameEntryUpdateName();
  static void updateInputName();
  static void paintInputName();
  // --- The career's calendar and world map (menus/career_map.cpp). A location record is
  // 10 shorts (name, idle and offered icon frames, type, x, y, caption, worst rank admitted,
  // kind, doubles); 0..22 are tournaments, 23..27 training grounds, 28 the home. Every week's
  // list holds 23 and 28. careerTarget indexes the current week's list; a week outside the
  // calendar reads as week 0 and a target outside the list as home, each with a log line. The
  // map wraps horizontally every map width W; worldMapY stays within the view, worldMapX not.
  static constexpr int32_t kCareerWeeks = 54, kCareerLocationCount = 29, kCareerHomes = 14;
  static constexpr int32_t kFirstTrainingLocation = 23, kHomeLocation = 28;
  static StaticRef<ObjectArray> careerCalendar;       // byte[54][]: each week's locations
  static StaticRef<ShortArray> careerHomeLocations;   // short[28]: x, y of each home city
  static StaticRef<CActor> mapCursor;                 // the map's cursor, on the icon sprite
  static int32_t worldMapX, worldMapY;
  static void nextWeek();
  static int32_t findHome();
  static ByteArray* careerWeekList();       // the current week's list (week 0's when out of range)
  static int32_t careerTargetLocation();    // the location under the cursor
  static void updateWorldMap();
  // One frame of the cursor and scrolling in a view box over a map of mapW x mapH.
  static void moveWorldMap(int32_t viewX, int32_t viewY, int32_t viewW, int32_t viewH, int32_t mapW,
                           int32_t mapH);
  static void drawTiledMap(int32_t x, int32_t y);
  static void paintWorldMap();
  // Entry f of location k's record (0 for a location outside the 29).
  static int32_t careerLocationField(int32_t location, int32_t field);
  // --- The career lobby (menus/career_lobby.cpp), state 23. Entering saves record 3 and puts
  // the avatar's demo actor (demoPlayer) on its sex's demo sprite in the career's colours.
  static void enterCareerLobby();      // state 23's enter
  static CActor* createCareerActor();  // the avatar running on its demo sprite, reloaded
  // --- The career's week (menus/career_week.cpp): closing it and the weekly update, state 26.
  // Record 3 saves the points with the pending change counted in, held to 20..2010, so the
  // saved total is the same at every frame of the update's count.
  static int32_t careerRankingChange;       // points the update still adds (may be negative)
  static int32_t careerRankingChangeTotal;  // the change as the update began
  static bool careerUpdateFromMatch;        // closed from a match or training: the lobby loads
  static StaticRef<ObjectArray> attrNames;  // the five attributes' names (text pack 0)
  static void switch2CareerUpdate(bool fromMatch, bool unused);

  // --- Shell operations built later (shell_seams.cpp): pauses.
  static void updateSPEPause();
  static void paintSPEPause();
  static void updatePause();
  static void paintPause();
  static void initPause(int32_t kind);
  static bool isInGameMenuValid();

  // --- Match set-up and player selection (menus/select_court.cpp, menus/select_player.cpp,
  // menus/player_card_panel.cpp). The set-up keeps row 4 as 2 x court while it is shown;
  // a selection started from the quick-match confirmation halved it, and only going back
  // from that selection doubles it again. Every value read from record 13 lies inside its
  // row's options once the set-up is entered.
  static constexpr int32_t kSetupRows = 5, kSetupCourtRow = 4;
  static StaticRef<ObjectArray> setupOptionTexts;     // String[5][]: each row's options
  static StaticRef<IntArray> setupRowExtra;           // int[5]
  static StaticRef<IntArray> setupLockedRows;         // rows drawn locked (none for a quick match)
  static StaticRef<ObjectArray> courtPreviewSprites;  // ASprite[8] by row 4's value
  static int32_t pickGroup;
  static int32_t pickCursor[4];
  static StaticRef<CActor> pickActorEven;
  static StaticRef<CActor> pickActorOdd;
  static void switchToSelectCourt();
  static void enterSelectCourt();  // state 51's enter message
  static void setupOptionTextsBuild();
  static int32_t setupOptionCount(int32_t row);
  static void loadCourtPreviews();
  static void switchToSelectPlayer();
  static bool IsMixModeAlreadySelect(int32_t pick);
  static int32_t GetAvastar_Offset(int32_t group);
  static int32_t GetAvastar_Count(int32_t group);
  static void selectPlayerSetFirstIndex(int32_t group, int32_t first);
  static int32_t selectPlayerFirstIndex(int32_t group);
  static int32_t selectPlayerGroup();  // the group of the current pick
  static void drawPlayerRect(CActor* actor, int32_t x, int32_t y);
  static void drawPlayerInfo(CActor* actor, int32_t index, int32_t courtType, int32_t x, int32_t y,
                             bool withActor, bool details, bool compact, bool withName, bool opponent);
  // The tournament draw after the player's team is picked: a new tournament of the quick
  // tournament row drawn around the team, then its table.
  static void startTournamentFromSelection();
  // The career tournament's table: made for the week's target when create is set (the draw
  // around the avatar), else the one loaded from record 4.
  static void switchToCareerTournamentTable(bool create);
  // --- The load screen (menus/load_screen.cpp): continue the saved tournament (or career) or
  // start a new one (screen 11), the overwrite question (60) and the tournament's group choice
  // (61). A record 6 that fails its check counts as no save; the group choice only ever holds
  // the even modes 0, 2 and 4.
  static int32_t loadCardShown;  // 1 while the choice screen's card layer is up
  static bool savedTournamentValid;  // record 6 passed its check on entering state 53
  static void enterLoadTournament();  // state 53's enter
  static void enterLoadCareer();      // state 20's enter
  static void MenuUpdate_Load();
  static void MenuPaint_Load();
  // --- Pauses and in-game menu (game/pause.cpp, game/in_game_menu.cpp,
  // game/match_statistics.cpp). State 42 shows the in-game menu (pauseKind 0) or the
  // attribute editor (1) over the blurred still of the match; state 41 is the special pause:
  // spePauseKind 2 the rain interruption, 3 the thunder serve, anything else ends at once.
  // The bars grow and shrink by 5 up to 25; quitSPEPause pops only while 41 is current.
  static constexpr int32_t kSpecialPauseState = 41, kPauseState = 42;
  static constexpr int32_t kStatisticRows = 7;
  static int32_t pauseKind, spePauseKind, speBarHeight;
  static bool speBarsOn, speDrawBuffer;
  static bool igmPointerChosen;  // an entry was chosen by a release: run it as select does
  static int32_t igmPointerItem;
  static int64_t lastSoundToggleTime;
  static int32_t helpPage, helpPageCount;
  static int32_t arrowScrollTop;  // the first row of menu 38's topics that its arrows keep
  // The statistics' rows by player (0 the user's team), int[7][2], rebuilt on every opening;
  // their labels are statLabels, row 0 becoming the two names.
  static StaticRef<ObjectArray> matchStatistics;
  static void initSPEPause(int32_t kind);
  static void quitSPEPause();
  static void paintIGM();
  static void drawIGMItems(int32_t x, int32_t y, int32_t dy, int32_t menuArg);
  static void initMatchStatistic();
  static void paintMatchStatistic();
  static void drawMatchStatistic();
  static void igm_drawMatchStatisticItem(ObjectArray* labels, IntArray* values, int32_t x, int32_t y);
  static String* gePlayerName(int32_t roster, int32_t first, int32_t second);
  static void switch2CareerUpdate(bool fromMatch);
  // The match's (or training's) frame run while its state is painted into the screen buffer:
  // draw-only, its result dropped, the generator as it was.
  static void drawFrozenMatch(CTennis* frame);
  // --- Match entry and frame drawing
  // The character portraits (frames 0..35 by roster index, 17 the created player) and the
  // badges from frame 36; loaded by the match when missing and kept across matches.
  static StaticRef<ASprite> portraitSprite;
  // The career avatar in a match: its ability 1..100 (set by the career), and its five
  // attribute levels from careerAttrPts by attrThresholds: -1 below the first threshold,
  // then 1..5; the match's array never holds less than 1.
  static int32_t careerAbility;
  static int32_t mapAttrPtToLv(int32_t points);
  static ByteArray* makeAttrLvArray();
  // The 0..100 display scale: -1 below T0, 20..100 over T0..T4. Ranks run 200 (20 points)
  // to 1 (2010 points and more); mapRank2Pts is the lowest points of a rank.
  static int32_t mapAttrPtTo100(int32_t points);
  static ByteArray* makeAttrPtsArray();
  static int32_t mapPts2Rank(int32_t points);
  static int32_t mapRank2Pts(int32_t rank);
  static int32_t getAbiFontPal(int32_t value);  // the font palette of a 0..100 value
  // A passed career training game of kind 0..4 at a level: its gain, points uncapped.
  static void UpdateCareerAbilityLv(int32_t kind, int32_t level);
  // At creation: each attribute at the threshold of its careerStyle preset level.
  static void setCareerPresetAttributes();
  // --- The career's panels (menus/career_panels.cpp): the player card, the ability bars and
  // the rows of the creation, home and weekly update lists.
  static void drawPlayerInfo_Career(CActor* actor, String* name, int32_t home, int32_t points, int32_t x,
                                    int32_t y, bool withHome);
  static void drawPlayerAbilitySingle(int32_t menu, int32_t firstItem, int32_t dx, int32_t dy, ByteArray* values);
  static void drawCareerPlayerAbiItem(String* label, String* text, int32_t kind, int32_t level, int32_t value,
                                      int32_t x, int32_t y, bool highlight);
  // A row's value arrows live while the row is highlighted and selectable: a tap on either half
  // of the row's w x h box presses 0x4010 or 0x8040 and makes `row` the cursor.
  static int32_t drawAbiMenuItem(String* label, String* text, int32_t x, int32_t y, int32_t w, int32_t h,
                                 int32_t kind, bool highlight, bool selected, int32_t row = -1);
  // --- The career's avatar creation (state 22) and home (state 24), menus/career_avatar.cpp.
  // Creation cursor rows: 0 edits row 1 (the style), 1 edits row 0 (the home, an index into the
  // cities in homeOrder), 2..8 the appearance items lookRowItems[row - 2]. rosterFirst0 is the
  // first visible row of the creation and appearance lists, so it survives their questions.
  static StaticRef<IntArray> lookRowItems;     // int[7]
  static StaticRef<IntArray> lookScreenItems;  // the appearance screen's items, in order
  static void enterCareerCreateAvastar();      // state 22's enter
  // Palette 0 of the avatar's demo sprites from careerLook, after every look's change.
  static void rebuildAvatarPalette();
  // --- Match flow: what the match frame calls of the shell (the pop-up in
  // game/achievement_popup.cpp, the unlock pages in menus/unlock_screen.cpp).
  static void drawAchievement();
  static void initAchievementUnlock(int32_t queue, int32_t kind);
  static void drawAchievementUnlock(int32_t queue, int32_t kind);
  // --- In-match interface (match_interface.cpp): the serve-speed panel, the score panel,
  // the court's score board and the help pages. A fade is -1 while the
  // panel is fully shown, then 95 down to 5 over the 20 frames after its time.
  static bool serveSpeedBarShown, matchScoreShown;
  static int32_t serveSpeedBarStart, serveSpeedBarDuration, serveSpeedBarFade;
  static int32_t matchScoreStart, matchScoreDuration, matchScoreFade;
  static void update_InGameInterface();
  static void paint_InGameInterface();
  static void activeServeSpeedBar(int32_t frames);
  // The speed shown for a measured ball speed: km/h or mph, capped unless the top band
  // applies (then at random within it), and scaled down for player categories 2 and 3.
  static int32_t serveSpeedShown(int32_t measured, bool mph, int32_t category, bool topBand);
  static void updateServeSpeedBar();
  static void paintServeSpeedBar(bool right);
  // The panel's value line: the number shown and the unit's name.
  static String* serveSpeedText();
  static void paintMatchScore();
  static void drawMatchScoreItem(String* name, IntArray* games, String* points, bool serving, int32_t menu,
                                 int32_t item);
  static void paintScoreToCourtBgBoard();
  static void drawControlHint(int32_t ignored, int32_t kind);
  // A career training game tires the player (career_levels.cpp).
  static void reduceStamina(int32_t amount);
};

}  // namespace sorv
