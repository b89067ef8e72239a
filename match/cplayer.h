// CPlayer, a player of the match: a RigidBody on the ground plane with a state, an animation
// actor, five attributes, a stroke, a serve and, for a computer player, its run plan. The
// statics are the game's data tables (CGame::initArrays). Speeds are in court units per
// second; "by attribute" means indexed by the attribute level 1..5 minus one.
//
// Invariants: attributes stay within 1..5 and ability levels within 0..4; strikeState 0 means
// no stroke and then returnDir, secondDir and p0..p3 are -1. Game thread only.
#pragma once

#include "match/rigid_body.h"
#include "runtime/array.h"

namespace sorv {

class CActor;
class CTennis;
class String;

class CPlayer : public RigidBody {
 public:
  static constexpr ClassId kClassId = kCPlayer;

  // Attributes and abilities: per roster player five values 1..100 (int[36][5]), per
  // difficulty five signed bonuses (int[3][5]).
  static StaticRef<ObjectArray> rosterAttr;
  static StaticRef<ObjectArray> npcAbilityBase;
  static StaticRef<ObjectArray> npcAttrBonus;
  static StaticRef<ObjectArray> npcAbilityBonus;

  // Running speeds by speed attribute (short[5] each).
  static StaticRef<ShortArray> runSpeedSide;
  static StaticRef<ShortArray> runSpeedForward;
  static StaticRef<ShortArray> runSpeedBack;
  static StaticRef<ShortArray> runSpeedDiagForward;
  static StaticRef<ShortArray> runSpeedDiagBack;
  // Distance of a run towards the net and away from it by speed attribute (short[5]).
  static StaticRef<ShortArray> runDistanceForward;
  static StaticRef<ShortArray> runDistanceBack;
  // Frames of the run start by row and speed attribute (int[4][5]); the braking frame
  // durations by court type, start-up row and speed attribute (byte[3][4][5][frames]).
  static StaticRef<ObjectArray> startUpTimes;
  static StaticRef<ObjectArray> brakingTable;
  // Percent of the running speed while starting and while braking, by court type and speed
  // attribute (int[3][5]).
  static StaticRef<ObjectArray> moveScale1;
  static StaticRef<ObjectArray> moveScale2;

  // Percent speed change by key-release timing, by control (int[5][8]).
  static StaticRef<ObjectArray> releaseSpeedTable;
  // Point of fall by control (int[5] each).
  static StaticRef<IntArray> aimSide;
  static StaticRef<IntArray> aimDepth;
  static StaticRef<IntArray> aimSpread;
  // Stroke kind by route point of the ball, 0 out of reach (int[14]).
  static StaticRef<IntArray> reachKind;

  // Stroke speeds (int[5] each, by power, serve or technique; the charge factor in percent
  // by charge, its length capping the charge).
  static StaticRef<IntArray> serveSpeedBase;
  static StaticRef<IntArray> serveSpeedTop;
  static StaticRef<IntArray> serveChargeFactor;
  static StaticRef<IntArray> flatSpeed;
  static StaticRef<IntArray> normalSpeedTop;
  static StaticRef<IntArray> normalSpeedLow;
  static StaticRef<IntArray> kind4SpeedTop;
  static StaticRef<IntArray> kind4SpeedLow;
  static StaticRef<IntArray> kind1SpeedTop;
  static StaticRef<IntArray> kind1SpeedLow;
  static StaticRef<IntArray> stroke3PercentKind4;
  static StaticRef<IntArray> stroke3BaseKind4;
  static StaticRef<IntArray> stroke3PercentKind26;
  static StaticRef<IntArray> stroke3BaseKind26;
  static StaticRef<IntArray> stroke3Percent;
  static StaticRef<IntArray> stroke3Base;
  static StaticRef<IntArray> stroke4PercentKind4;
  static StaticRef<IntArray> stroke4BaseKind4;
  static StaticRef<IntArray> stroke4Percent;
  static StaticRef<IntArray> stroke4Base;
  static StaticRef<IntArray> stroke5PercentKind4;
  static StaticRef<IntArray> stroke5BaseKind4;
  static StaticRef<IntArray> stroke5Percent;
  static StaticRef<IntArray> stroke5Base;

  // Swing frame durations by frames left before the ball arrives (byte[10][frames]); the
  // second table serves the strokes that stretch from frame 3.
  static StaticRef<ObjectArray> swingTable1;
  static StaticRef<ObjectArray> swingTable2;

  // Computer decisions: percent weight by kind, option and level (int[5][options][5]) and
  // the extra kind-0 levels of long rallies by difficulty (int[3]).
  static StaticRef<ObjectArray> aiWeights;
  static StaticRef<IntArray> rallyLevelBonus;

  // Fixed tables of the class (CPlayer.<clinit>).
  static constexpr int32_t kRecoveryWait[5] = {300, 300, 300, 300, 0};     // ms by level
  static constexpr int32_t kRecoveryError[5] = {3000, 2000, 1000, 0, 0};   // by level
  static constexpr int32_t kReactionDelay[3] = {1200, 1100, 1000};         // ms by difficulty
  static constexpr int32_t kSwingShortening[3] = {9, 8, 7};                // by difficulty
  static constexpr int32_t kDipAcceleration = -25000;
  static constexpr int32_t kSlipTraceRows = 10;
  // The slide marks: int[10][3] of (logical x, logical y, vx), vx 0 = empty, and the next row.
  static StaticRef<ObjectArray> slipTrace;
  static int32_t slipTraceNext;
  static bool slipTraceShown;

  // --- The player object. A half is a court half (0: depth below 18300, 1: above); a team
  // is an index of the score arrays (0: the user's). The user's team always plays half 1,
  // whatever end the picture shows.
  bool abandonBall = false;  // computer: let this ball go
  int64_t targetX = 0, targetZ = 0;  // computer run target, both 0 = none
  int64_t homeX = 0, homeZ = 0;      // doubles home position
  int64_t wanderX = 0, wanderZ = 0;  // doubles idle side step
  int32_t wanderTimer = 0;
  int64_t reactTime = 0;  // program clock (ms) of the rival's stroke or the partner's return
  int32_t targetFixed = 0;
  int32_t waitStartFrame = 0, waitFrames = 0;
  int32_t serveMoveDir = 0;  // the receiver's side step chosen while waiting (0, 3, 4)
  int32_t look = 0;          // the palette on a sprite partners share; the sprite is the character's
  int32_t firstNameIndex = -1, lastNameIndex = -1;
  int32_t index = 0;         // the player's number and its sprite palette
  int32_t reachValue = 0;
  // 1 at the serve place, 2 the serve meter, 3 the toss, 4 striking, 5 free, 6 the rival's
  // ball coming, 7 idle between points, 8 the serve swing, 9 waiting for the serve, 10 a
  // special action.
  int32_t state = 0;
  // Running: the direction 0..8 and the move state (1 starting, 2 braking, 3 steady).
  int32_t moveDir = 0, moveState = 3;
  CActor* animActor = nullptr;
  CActor* strokeEffect = nullptr;  // the speed lines of a strong stroke
  CActor* racketActor = nullptr;   // the racket effect, null when idle
  IntArray* racketPos = nullptr;   // int[2] screen point
  bool userTeamSide = false;       // half 1
  bool serveFromLeft = false;      // the serve half of this point
  int32_t tossTiming = 0, tossPressFrame = 0;
  // The stroke: 0 none, 1 waiting for the ball, 2 swinging.
  int32_t strikeState = 0;
  int32_t strikeX = 0, strikeXOffset = 0;
  int32_t doubleDir = 0;     // match frame the stroke key was let go, 0 not yet
  int32_t contactFrame = 0;
  int32_t strokeKind = 0;    // 1..6 by distance to the ball, 0 or -1 none
  int32_t strokeType = 0;    // 1..7 by the ball's route point
  int32_t prevStrokeType = 0, prevStrokeKind = 0;
  int32_t swingAnim = -1;
  int32_t prevStrokeX = 0, prevStrokeZ = 0;
  bool ready = false;
  int32_t strokeSpin = 0;
  bool forehand = false;
  int32_t swingFrames = 0;
  int32_t returnDir = -1, secondDir = -1;  // keypad 1..9, 0 cancelled, -1 none
  int32_t prevReturnDir = -1, prevSecondDir = -1;
  // p0 the best timing frame (the charge limit of a serve), p1 the reached timing (charge),
  // p2 the timing slot, p3 the swing's frame counter.
  int32_t p0 = -1, p1 = -1, p2 = -1, p3 = -1;
  int32_t timingOffset = 0;      // -20 for directions 7..9, 32 for a double press
  IntArray* moveInfo = nullptr;  // int[8]: move info and the stroke condition
  IntArray* flightA = nullptr;   // int[8] flight work arrays
  IntArray* flightB = nullptr;
  IntArray* work = nullptr;            // int[8]
  ObjectArray* servePoints = nullptr;  // int[2][2]
  ObjectArray* serveTargets = nullptr; // int[2][4]
  int32_t strikeFrame = -1;      // hud frame of the hit effect, -1 none
  // The five attributes 1..5, by attribute byte: 0 aiming and release, 1 power and the serve
  // power, 2 serve speed, 3 running, 4 special strokes and the mis-hit roll.
  int32_t attrServe = 0, attr2 = 0, attrSpeed = 0, attrStroke = 0, attr0 = 0;
  int32_t specialAction = -1, specialStartFrame = 0, specialDelay = 0;
  bool isReturner = false;       // doubles: this computer player plays the ball
  int32_t npcDecisionFrame = 0;
  int32_t slideFlag = 0;  // 1 while the dust puff of a slide runs
  int32_t dustStep = 0;
  bool oneHandedBackhand = false, forehandSide = false, powerServe = false;
  bool powerServeHit = false;
  int32_t timeToBall = 0;        // ms until the ball reaches the player's depth
  IntArray* aiLevels = nullptr;  // int[5], computer players
  bool aimAway = false;
  int32_t moveStartFrame = 0;
  bool sliding = false;
  int32_t lastMoveDir = 0;

  // Set up by the match (createPlayer) and read by its rules.
  bool computerControlled = false;  // steered by the computer
  int32_t half() const { return userTeamSide ? 1 : 0; }
  int32_t team() const { return userTeamSide ? 0 : 1; }
  int32_t rosterIndex = 0, attrValue1 = 0, attrValue2 = 0;
  int32_t tuneChance = 0;  // the roster's ability: the chance of a pressure boost
  bool preServeAction = false;  // attributes tuned: an action before the next serve
  bool setUp = false;
  // The attributes (and levels) the player had at match set-up, kept at the first point's
  // end before any boost and restored after every point.
  int32_t setUpAttr[5] = {0, 0, 0, 0, 0};
  int32_t setUpLevels[5] = {0, 0, 0, 0, 0};
  bool setUpAttrKept = false;
  // The last stroke's record for the point's rules (setBallRoute fills it): its kind, type,
  // second direction, direction, depth and ball speed; the chase flag of the computer.
  int32_t lastStrokeKind = 0, lastStrokeRoute = 0, lastStrokeState = 0, lastStrokeDir = 0;
  int32_t lastStrokeZ = 0, lastStrokeSpeed = 0;
  bool chasing = false;

  // --- States and driver (cplayer_state.cpp).
  static CPlayer* create(CTennis* match, bool human, bool userTeam, int32_t index);
  void construct(CTennis* match, bool human, bool userTeam, int32_t index);
  void update() override;
  void onCollision(int32_t bits, int32_t cx, int32_t cy, int32_t cz) override;
  void onMoveAction() override;
  virtual void serveBall();  // slot 11
  void changeState(int32_t s);
  void resetPlayer();
  void resetPlayerAction();
  void resetSpecialAction();
  void resetSpeed();
  void onDeadBall(int32_t action, int32_t delay);
  void setSpecialAction(int32_t action, int32_t delay);
  void doSpecialAction(int32_t action);
  void doNextSpecialAction();
  void paintYourself();
  void paintYourself(int32_t x, int32_t y);
  void NpcStop(bool all);
  static int64_t now();

  // --- Attributes (cplayer_attributes.cpp).
  void initPlayerAttr(ByteArray* values);
  void setAbilityLevels(ByteArray* values);
  void tunePlayerAttrAndAbility(int32_t delta);
  String* getPlayerName();
  int32_t getPlayerHeadImgID();
  int32_t attr(int32_t byteIndex) const;

  // --- Movement (cplayer_movement.cpp).
  int32_t getMoveState(int32_t newDir);
  void getMoveInfo(IntArray* out, int32_t dir);
  int32_t waitReceiveMove(int32_t dir);
  void move(int32_t dir, bool force);
  void manageMove();
  bool runToXY(int64_t tx, int64_t tz);
  void runTo();
  void setPos(int32_t px, int32_t pz);
  void positionServe(bool fromLeft, int32_t role);
  void positionToReceiveServe(bool fromLeft, int32_t role);
  void prepareServe(bool fromLeft, int32_t role);
  void prepareToReceiveServe(bool fromLeft, int32_t role);
  void onRivalReturnBall(CPlayer* rival);
  void onPalReturnBall();
  void trainingPrepareReceiveBall();
  void startTrainingThrowBall();
  void trainingThrowBall();
  void strikeMoveTo(int32_t target, int32_t time);
  void strikeMoveToZ(int32_t target, int32_t time);
  static void addSlipTrace(int32_t lx, int32_t ly, int32_t svx);
  static void resetSlipTrace();
  static bool serveSideStep;  // set while a doubles partner side-steps to its wander point

  // --- Strokes (cplayer_strokes.cpp, cplayer_stroke_helpers.cpp).
  void updatePlayerStrike();
  void updateStrikeState(int32_t type, int32_t kind, bool fore);
  void updateStrike();
  void returnBall();
  void setBallRoute(RigidBody* b);
  void setBallSpeedByFallPoint();
  void getServePointOfFall(IntArray* out);
  bool getPlayerStrikeCondition(IntArray* out);
  int32_t getStrikingAnim();
  int32_t swingAnimation(int32_t type, int32_t kind, bool fore);
  bool isBackSingleHand();
  void resetStrikeState();
  void setReturnBallDir(int32_t dir);
  void doubleReturnBallDir();
  void checkStrikeKeyRelease();
  void changeBallRouteByReleaseKey();
  int32_t changeSpeedByReleaseKey(int32_t speed);
  void setBallFly(bool sideways);
  int32_t getMaxStrikeSpeed();
  int32_t getLobReturnBallPos();
  void getPointOfFall(IntArray* out, int32_t dir);
  void generatePassNetPoint(IntArray* p);
  int32_t getServeAreaChoice();
  void computeFallRect(ObjectArray* rects, int32_t choice, int32_t dir);
  static void getRandPointInRect(IntArray* out, IntArray* rect);
  void computeActualPoint(IntArray* point);

  // --- Serve (cplayer_serve.cpp).
  void serveChooseEnergy();
  void serveTossBall();
  void serveChooseOffset();
  void updateServe();
  int32_t AI_decideServeBallDir();
  int32_t AI_decideServeMovDir();
  int32_t AI_decideEnergy();

  // --- Computer decisions of the returns (built with the ball events).
  void AI_decideRunTo();
  void npcReturnBall();

  // --- Drawing (cplayer_drawing.cpp).
  int32_t paintPlayer();
  void drawHitRacket();
  void drawEnergyBar();
  void updateSlipDust();
  void drawPlayerOutIndication();
  static void paintSlipTrace();

  // --- What the other match work reads of a player
  int32_t level = 0;  // the career avatar's level 1..5, from the career's ability
  // The return of serve was a fault (struck by a player not allowed to).
  bool receivingFault = false;
  static constexpr int32_t kStateServe = 1, kStateStrike = 4, kStateReady = 5;
  static constexpr int32_t kStateBallComing = 6, kStateIdle = 7, kStateSpecial = 10;

  // --- Computer decisions (computer_decisions.cpp). Option codes index aiWeights' rows.
  int32_t getProbability(int32_t kind, IntArray* options);
  int32_t getProbability(int32_t kind, const int32_t* options, int32_t count);
  bool AI_decideAbandonBall();
  bool AI_decideIsApproachNet();
  int32_t AI_decideReturnBallDir(CPlayer* target);
  int32_t AI_decideReturnType(CPlayer* target, int32_t unused);
  // The aim 1..3 whose landing lies nearest the target; ties keep the lower aim.
  static int32_t nearestAim(int32_t d1, int32_t d2, int32_t d3);
  // The two candidate aims of a return: the nearest twice, or the other two in order.
  static void aimCandidates(int32_t nearest, bool away, int32_t out[2]);

  // --- The walk of a change of ends (ends_walk.cpp), in court-picture pixels: from the
  // point the walk began to its target over walkFrames match frames from walkStart.
  int32_t walkFromX = 0, walkFromY = 0, walkToX = 0, walkToY = 0;
  int32_t walkStart = 0, walkFrames = 0;
  void startWalk(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY);
  bool walkedIn() const;
  void finishWalk();
  // Shows the player at the walk's point of this frame.
  void keepWalkPoint();
};


}  // namespace sorv
