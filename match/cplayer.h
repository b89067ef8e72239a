// CPlayer, a player of the match: so far only the statics that the game's data tables fill
// at boot (CGame::initArrays). Speeds are in court units per second; "by attribute" means
// indexed by the attribute level 1..5 minus one.
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

  // --- What the match's rules read of a player. A half is a court half (0: depth below
  // 18300, 1: above); a team is an index of the score arrays (0: the user's). The user's
  // team always plays half 1, whatever end the picture shows.
  bool userTeamSide = false;
  bool serveFromLeft = false;       // the serve half of this point
  bool computerControlled = false;  // steered by the computer
  int32_t half() const { return userTeamSide ? 1 : 0; }
  int32_t team() const { return userTeamSide ? 0 : 1; }
  int32_t rosterIndex = 0, attrValue1 = 0, attrValue2 = 0;
  int32_t tuneChance = 0;  // the roster's ability: the chance of a pressure boost
  // The five attributes, 1..6; initPlayerAttr takes them in byte order 0..4.
  int32_t attrServe = 0, attr2 = 0, attrSpeed = 0, attrStroke = 0, attr0 = 0;
  bool setUp = false;
  CActor* animActor = nullptr;
  // The last stroke's record (the strokes fill it): its kind, route value, stroke-state
  // value, return direction, depth and ball speed; the chase flag of the computer.
  int32_t lastStrokeKind = 0, lastStrokeRoute = 0, lastStrokeState = 0, lastStrokeDir = 0;
  int32_t lastStrokeZ = 0, lastStrokeSpeed = 0;
  bool chasing = false;

  // Running: the move state (3 at rest) and direction.
  int32_t moveState = 3, moveDir = 0;
  void resetSpeed();
  // Built by the players' work: paints the player at its own place or at a screen point.
  void paintYourself();
  void paintYourself(int32_t x, int32_t y);
  // CPlayer.<init>(LCTennis;ZZI)V as far as the rules need it; the players fill the rest.
  void construct(CTennis* match, bool human, bool userTeam, int32_t look);
  // Built by the players' work: ends the stroke and starts a reaction (-1 none).
  void onDeadBall(int32_t reaction, int32_t argument);
  void tunePlayerAttrAndAbility(int32_t delta);
  void initPlayerAttr(ByteArray* values);
  static void resetSlipTrace();

  // --- Fields the court drawing reads
  int32_t level = 0;  // the career avatar's level 1..5, from the career's ability
  int32_t state = 0;  // the player state: 1 at the serve position
  void resetPlayer();
  String* getPlayerName();
  int32_t getPlayerHeadImgID();
  // --- Fields the ball events and decisions read
  bool abandonBall = false;          // computer: let this ball go
  int64_t targetX = 0, targetZ = 0;  // computer run target, both 0 = none
  int64_t reactTime = 0;  // program clock (ms) of the rival's stroke or the partner's return
  int32_t targetFixed = 0;
  int32_t strikeState = 0;   // 0 none, 1 waiting for the ball, 2 swinging
  int32_t strokeKind = -1;   // 1..6 by distance to the ball, -1 none
  int32_t strokeType = 0;    // 1..7 by the ball's route point
  int32_t prevStrokeKind = 0;
  int32_t returnDir = -1, secondDir = -1;  // keypad 1..9, 0 cancelled, -1 none
  CActor* racketActor = nullptr;  // the stroke effect, null when idle
  IntArray* racketPos = nullptr;  // int[2]: the ball's screen point at the stroke
  bool isReturner = false;        // doubles: this player plays the ball
  int32_t npcDecisionFrame = 0;
  bool powerServe = false, powerServeHit = false;
  IntArray* aiLevels = nullptr;  // int[5], computer players
  bool aimAway = false;
  // The return of serve was a fault (struck by a player not allowed to).
  bool receivingFault = false;
  static constexpr int32_t kRecoveryWait[5] = {300, 300, 300, 300, 0};    // ms by level
  static constexpr int32_t kRecoveryError[5] = {3000, 2000, 1000, 0, 0};  // by level
  virtual void serveBall();  // slot 11
  void NpcStop(bool all);
  void onRivalReturnBall(CPlayer* rival);
  void onPalReturnBall();
  void setReturnBallDir(int32_t dir);
  void doubleReturnBallDir();
  void getPointOfFall(IntArray* out, int32_t dir);
  void resetPlayerAction();
  void setSpecialAction(int32_t action, int32_t delay);
  void move(int32_t dir, bool force);

  // --- Computer decisions (computer_decisions.cpp). Option codes index aiWeights' rows.
  int32_t getProbability(int32_t kind, IntArray* options);
  int32_t getProbability(int32_t kind, const int32_t* options, int32_t count);
  bool AI_decideAbandonBall();
  void AI_decideRunTo();
  bool AI_decideIsApproachNet();
  int32_t AI_decideReturnBallDir(CPlayer* target);
  int32_t AI_decideReturnType(CPlayer* target, int32_t unused);
  void npcReturnBall();
  // The aim 1..3 whose landing lies nearest the target; ties keep the lower aim.
  static int32_t nearestAim(int32_t d1, int32_t d2, int32_t d3);
  // The two candidate aims of a return: the nearest twice, or the other two in order.
  static void aimCandidates(int32_t nearest, bool away, int32_t out[2]);
  // --- Match frame and states: what the frame and the scenes between points read and call
  // of a player (the players' work fills the bodies).
  static constexpr int32_t kStateServe = 1, kStateStrike = 4, kStateReady = 5;
  static constexpr int32_t kStateBallComing = 6, kStateIdle = 7, kStateSpecial = 10;
  int32_t specialAction = -1;
  bool tired = false;
  void checkStrikeKeyRelease();
  void updatePlayerStrike();
  bool getPlayerStrikeCondition(IntArray* out);
  void prepareServe(bool fromLeft, bool partner);
  void prepareToReceiveServe(bool fromLeft, bool partner);
  void positionServe();
  void positionToReceiveServe();
  void doSpecialAction(int32_t action);
  void resetStrikeState();
  void startTrainingThrowBall();
  void trainingPrepareReceiveBall();
};

}  // namespace sorv
