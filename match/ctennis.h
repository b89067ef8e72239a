// CTennis, the match, as far as the rest of the game reaches it so far: the statics that the
// game's data tables fill at boot (CGame::initArrays), construction, one frame, the loading
// steps, the take-down, and the few fields the shell sets or reads. The match engine fills
// the bodies; until then a match does nothing and loads at once.
//
// Invariants: the object keeps its state in statics; update returns -1 to go on or the state
// to enter; Loading returns 0..100 while loading and -1 when done. Game thread only.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class ASprite;
class CPlayer;
class String;

class CTennis : public Object {
 public:
  static constexpr ClassId kClassId = kCTennis;
  static constexpr int32_t kKindMatch = 15;
  static constexpr int32_t kKindTraining = 16;

  // Close-call line kind by x line and z line of a landing near both (byte[5][5]).
  static StaticRef<ObjectArray> lineCornerKinds;
  // Bounce loss in percent, three per court type: lateral, vertical, depth (int[12]).
  static StaticRef<IntArray> courtLossTable;

  // Match state, tutorial kind, court and loading counter.
  static int32_t matchState;
  static int32_t tutorialKind;
  static int32_t currentCourt;
  static int32_t loadCounter;
  // Match frames counted since the match object was made; times the achievement pop-up.
  static int32_t matchFrame;
  // The guided tutorial's current step, -1 in a real match.
  static int32_t tutorialStep;
  // Set on entering a match; read by the match's own interface.
  static int32_t matchEnterField;
  static bool careerMatch;
  static int32_t matchResult[2];
  static bool raisedPad;
  static bool serveFlag;

  // CTennis.<init>(I)V.
  static CTennis* create(int32_t kind);
  void init(int32_t kind);

  virtual int32_t update();  // one match frame
  static int32_t Loading();
  static void a_unloadCourt();
  static int32_t getTutMiniStep() { return tutorialStep; }

  // read by the shell's match effects
  // Until the match engine keeps these itself they are stand-ins its seams leave alone and
  // tests fill. Per player: its screen point, sprite set and index, and its dust puff.
  struct EffectsPlayer {
    int32_t screenX = 0, screenY = 0;
    bool spriteSet = false;
    int32_t spriteIndex = 0;
    bool dustRunning = false;
    int32_t dustStep = 0;
  };
  static int32_t viewX, viewY;  // the camera's viewport origin
  static int32_t setIndex;      // 0 in the first set
  static int32_t courtEnd;      // the ends layout, 1 or 2
  static int32_t barStart, barDuration;  // the message bar's start frame and length
  static StaticRef<CPlayer> player, rival;  // the user's team's player and the opponent
  static EffectsPlayer effectsPlayers[2];   // for player and rival
  // The stand-in of a player (player or rival), null for any other.
  static EffectsPlayer* effectsOf(CPlayer* p);
  static bool isTrainingMatch();
  static ASprite* getPlayerSprite(bool spriteSet, int32_t index, int32_t kind);
  static void initBarMessage(String* text, int32_t kind, int32_t duration, bool o1, bool o2,
                             bool frames, bool o4);
  static int32_t updateBarMessage();
  static void paintContestRefereeLineEffect();
};

}  // namespace sorv
