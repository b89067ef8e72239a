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
};

}  // namespace sorv
