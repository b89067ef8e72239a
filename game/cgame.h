// CGame, the game shell: so far the part the sprite code reads (the language, the two alpha
// build switches, the drawing target) and the filled and translucent rectangles.
//
// Invariants: translucent fills borrow ASprite's decode buffer for one call and never keep
// it; a fill never loops without drawing, whatever its size or the buffer's.
// Called by the sprite code and, later, every screen; one thread.
#pragma once

#include <cstdint>

#include "runtime/object.h"

namespace sorv {

class ByteArray;
class Graphics;
class IntArray;
class ObjectArray;
class ShortArray;
class String;

class CGame : public Object {
 public:
  static constexpr ClassId kClassId = kCGame;

  // The current language number (0..10; 9 and 10 have extra letters in the fonts).
  static int32_t language;
  // Set around two sprite loads: BuildCacheImages gives opaque pixels 70 % or 30 % alpha.
  static bool buildAlpha70;
  static bool buildAlpha30;
  // The Graphics the current frame draws into.
  static StaticRef<Graphics> gfx;
  // The state machine's current state (match states are 40 to 44).
  static int32_t currentState;
  // The match's player-sprite tables, per side six slots (partners at 3 to 5); filled by
  // the match loader, read by the actors to find their remap slot.
  static StaticRef<ObjectArray> actionSprites0;
  static StaticRef<ObjectArray> actionSprites1;

  // The options (0: sound on, 1: the speed unit in force) and the next match's settings
  // (0: the match mode, 1: difficulty, 2: games, 3: sets, 4: court type).
  static StaticRef<IntArray> optionValues;
  static StaticRef<IntArray> matchSettings;

  // Saved data: the record store's codec and the statics its records hold.
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

  // The career (record 3). careerName is at most 8 characters.
  static StaticRef<String> careerName;
  static int8_t careerStyle;
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
  // The roster's per-player kind byte; the career avatar's slot is 17, or 35 for a woman.
  static StaticRef<ByteArray> rosterKinds;
  static void resetCareerData();

  // The running tournament (records 4 and 6).
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

  // argb's top byte is the alpha: 255 a solid fill, 0 nothing, else blended over the target.
  static void fillRect(Graphics* g, int32_t argb, int32_t x, int32_t y, int32_t w, int32_t h);
  // percent clamped to 0..100 becomes the alpha of rgb.
  static void fillRect(Graphics* g, int32_t rgb, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t percent);
};

}  // namespace sorv
