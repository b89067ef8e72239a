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
class CActor;
class CPlayer;
class RigidBody;
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

  // --- Camera and projection (camera.cpp): a camera behind the near end looks along the
  // court, tilted down. A court point is projected in perspective, scaled into the 840x532
  // background's logical pixels, then shifted by the viewport (0..40 across, -32..20 down).
  static int32_t cameraDistance, cameraAngle, cameraFocal;  // angle in tenths of a degree
  static int64_t cameraSin, cameraCos;                      // 128 = 1.0
  static StaticRef<IntArray> projPoint, followPoint, ballScreen, ballScreenPrev;  // int[2]
  static int32_t refLeftX, refLeftY, refRightX;  // the near baseline's projected corners
  static int32_t viewBaseX, viewBaseY;           // the viewport's rest position
  static int32_t viewX, viewY;                   // the viewport's origin in logical pixels
  static int32_t scrollX, scrollY;               // pixels per frame
  static bool autoFollow;
  static int32_t followTargetX, playerTargetX, followDirection;
  // The court's bounce losses in percent, added to a ball's own.
  static int32_t courtLossX, courtLossY, courtLossZ;
  static StaticRef<RigidBody> ball;
  static StaticRef<CPlayer> player;  // the user's main player, followed by the camera
  static StaticRef<CPlayer> rival;   // the other team's main player
  static StaticRef<ObjectArray> objectList;  // the 12 bodies the match steps
  static StaticRef<ASprite> hudSprite;       // ball frames and the bounce mark; null until loaded
  static StaticRef<CActor> sharedActor;
  static void initCamera(int32_t angle, int32_t distance, int32_t focal);
  static void project3DTo2D(IntArray* out, int32_t px, int32_t py, int32_t pz);
  static void project2D2Logical(IntArray* p);
  static void logical2Screen(IntArray* p);
  static void project3D2Screen(IntArray* out, int32_t px, int32_t py, int32_t pz);
  static void initViewport();
  static void resetViewport();
  static void a_constructor();
  static void fixViewport(int32_t vx, int32_t vy);
  static void updateViewport();
  static void autoUpdateVP();
  static void a_followPlayer(CPlayer* p);
  static void a_followBall();
  static void updateAllScreen();
  static CPlayer* focusPlayer();
  static void a_init();
  // Ball events (ctennis_services.cpp): the rules decide a bounce, the net test every step.
  virtual void onBallCollision(RigidBody* body, int32_t dir, int32_t cx, int32_t cy, int32_t cz);
  static void onBallMove();

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
  static int32_t setIndex;      // 0 in the first set
  static int32_t courtEnd;      // the ends layout, 1 or 2
  static int32_t barStart, barDuration;  // the message bar's start frame and length
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
