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

  // --- Fields the overlays read
  int32_t state = 0;  // the player state: 1 at the serve position
  bool powerServe = false, powerServeHit = false;
  String* getPlayerName();
};

}  // namespace sorv
