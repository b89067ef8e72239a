// CTraining, the training mode: a kind of match whose state lives in static fields, every
// one declared here once. The flow (choice of game and level, the run's states, pauses and
// the tutorial), the level data read from the training pack, the loader that brings in the
// level's pictures and texts, the objects of a level and the dispatch of their collisions.
//
// Invariants:
// - After the static initialiser the nine small arrays exist, game, level, trainingState,
//   levelResult, servePhase, machineTimer, nextBonus and wrongBonusIndex are -1 and the
//   counters 0.
// - The level tables (machineParams ... bonusSpots, tutorialTexts) are either all those of
//   one checked level record, or all null: loadRawLevelDatas never leaves half a level.
// - Every object of a level is locked in the shell's pool with its actor while it is in its
//   slot; a removal frees both and clears the slot.
// - loadingStep is 0 until loading starts and after unload; it never passes kLastLoadStep + 1.
// Game thread only.
#pragma once

#include <cstdint>

#include "match/ctennis.h"

namespace sorv {

class ASprite;
class ByteArray;
class CActor;
class IntArray;
class ObjectArray;
class RigidBody;
class ShortArray;
class String;

class CTraining : public CTennis {
 public:
  static constexpr ClassId kClassId = kCTraining;
  static constexpr int32_t kTrainingState = 44;
  static constexpr int32_t kTrainingLoadState = 43;
  static constexpr int32_t kGameCount = 5;
  static constexpr int32_t kLevelCount = 5;
  static constexpr int32_t kGameServe = 0, kGamePower = 1, kGameAccuracy = 2, kGameStep = 3, kGameNetAccuracy = 4;
  // Kinds of training body (RigidBody::type).
  static constexpr int32_t kTypeCheckPoint = 2, kTypeTank = 3, kTypeTarget = 4, kTypeBarrier = 5;
  static constexpr int32_t kTypeBonus = 11, kTypeCircle = 14;
  static constexpr int32_t kTankSlots = 3;
  static constexpr int32_t kLastLoadStep = 22;
  static constexpr int32_t kMatchMode = 3;
  static constexpr int32_t kCourt = 3;
  static constexpr int32_t kCourtEnd = 3;

  // --- The flow.
  static int8_t game;            // 0..4, -1 none chosen
  static int8_t level;           // 0..4, -1 none chosen
  static int8_t unlockedLevel;   // 0..5 of the current game; 5: every level passed
  static int8_t levelCount;      // 5 for every game
  static StaticRef<ByteArray> unlockedLevels;  // byte[5], saved
  static StaticRef<IntArray> levelBest;        // int[5] of the current game, saved
  static StaticRef<ByteArray> gameTitles;      // byte[5]: pack-3 text of each game's name
  // 0 playing, 2 paused by a message or the tutorial, 3 the result page, 4 reloading the
  // level, -1 not started: the in-game menu opens only while it is 0.
  static int32_t trainingState;
  static int32_t levelResult;  // -1 running, 0 passed, 1 failed
  static bool levelStarted;
  static int32_t levelEndFrame, finalPoints, previousBest, jackpot, jackpotStep;
  static StaticRef<IntArray> pauseTimer;   // int[4] {start, state to return to, duration, kind}
  static StaticRef<String> pauseText;
  static StaticRef<ASprite> pauseSprite;
  static StaticRef<IntArray> messageBox;   // int[4] {x, y, frame, message kind}
  static StaticRef<IntArray> messageBand;  // int[3] {height, colour, third value}
  static bool bandClosing;
  static StaticRef<ShortArray> tutorialTexts;  // pack-3 ids of the tutorial pages; level 0 only
  static int32_t tutorialPage;
  static bool askTutorial, tutorialPending;
  static int32_t leftSoftKeyText, rightSoftKeyText;
  static bool softKeyFrame;
  static StaticRef<CActor> hitFxActor;
  static int32_t hitFxX, hitFxY;
  static StaticRef<CActor> machineActor;

  // --- The games' state.
  static int32_t points, ballsLeft, streak, shotSpeed, levelStartFrame;
  static int32_t servePhase;  // game 0: 0 prepare, 1 serving, 2 in flight; -1 before a level
  static bool serveBlocked;
  static int32_t targetIndex, speedSum, targetHits, lastRing;
  static StaticRef<IntArray> hitMark;  // int[3]
  static StaticRef<ObjectArray> tanks;  // RigidBody[3]: the tank slots
  static StaticRef<IntArray> tankHits;  // int[3]
  static int32_t tanksLeft, strongHits;
  static int32_t machineTimer;  // frame of the last launch, -1 before the first
  static int32_t stage, stageStart, stepTime, finishFrame, timeouts;
  static int16_t stageTime;
  static StaticRef<ObjectArray> bonuses;  // RigidBody[n] of the stage, in collection order
  static int32_t nextBonus;
  static bool circleOpen, wrongBonus;
  static int32_t wrongBonusIndex, wrongTouches;

  // --- Level data (one record of the training pack; see level_data.cpp).
  static int16_t goalPoints, ballCount, basePoints, speedFactor, targetRadius, targetRings;
  static int16_t barrierHeight, barrierWidth, targetRowCount;
  static int16_t tankCount, tankPush, powerBonus, timeBase, timePenalty, tankHeight, tankWidth;
  static int16_t streakBonus;
  // Values the record holds that no rule reads, kept as read.
  static int16_t serveSpare, powerSpare, stepSpareTime, stepSpare;
  static int32_t accuracySpare;
  static int32_t circleOpenColour, circleClosedColour;  // 24-bit RGB
  static StaticRef<ShortArray> machineParams;  // short[6] {interval frames, flight min, max, x, y, z}
  static StaticRef<ObjectArray> launchTable;   // short[n][5] {weight, x min, z min, x max, z max}
  static StaticRef<ShortArray> ringPoints;     // short[rings], centre first
  static StaticRef<ObjectArray> targetRows;    // short[t][6] {fromX, fromZ, toX, toZ, time, return}
  static StaticRef<ObjectArray> barrierRows;   // short[t][6], a negative time: no barrier
  static StaticRef<ShortArray> tankParams;     // short[3]: the x of each tank slot
  static StaticRef<ObjectArray> tankLanes;     // short[k][2] {start z, speed}
  static StaticRef<ObjectArray> checkPointRows;  // short[c][7] {x, z, width, depth, frame, animation, points}
  static StaticRef<ShortArray> bonusShape;     // short[5]; values 2, 3, 4: box height, width, axis
  static StaticRef<ShortArray> circleShape;    // short[6] {x, y, z, box height, box width, box axis}
  static StaticRef<ObjectArray> stageRows;     // short[s][2] {time limit frames, bonus count}
  static StaticRef<ObjectArray> bonusSpots;    // per stage a short[m][5] weighted table

  // --- Objects of a level.
  static StaticRef<RigidBody> target, barrier, checkPoint, circle;
  static int32_t checkPointIndex;
  static StaticRef<ASprite> sprite;            // the training sprite, all palettes built
  static StaticRef<ASprite> checkPointSprite;
  static StaticRef<CActor> checkPointActor;
  static StaticRef<IntArray> bonusKeys;        // keys used in the stage, -1 unused
  static int32_t lastBonusKey;
  static StaticRef<IntArray> workPoint;        // int[3] scratch
  static StaticRef<IntArray> hintPos;          // int[2] scratch

  // --- Loading.
  static int32_t loadingStep;
  static int64_t loadStartTime;

  // CTraining.<init>()V: a match object of the training kind on the training court.
  static CTraining* create();

  // Class-table slots 6..10 (training_games.cpp, training_flow.cpp).
  void serveBall() override;
  void onBallCollision(RigidBody* body, int32_t plane, int32_t x, int32_t y, int32_t depth) override;
  void onReturnBall2(CPlayer* striker) override;
  void onReturnBall(CPlayer* striker) override;
  int32_t update() override;

  // --- The flow (training_flow.cpp, training_pause.cpp).
  static void switchToTrainning();
  // A game outside 0..4 is ignored with one log line.
  static void selectGame(int8_t game);
  static void selectLevel(int8_t level);
  static void openNextLevel();
  static void pause(int32_t kind, int32_t duration);
  static void pause(String* text, int32_t duration, ASprite* sprite, int32_t frame, int32_t x, int32_t y,
                    int32_t messageKind);
  static int32_t updatePause();
  static void resumeMatch();
  static void updatePauseMessage();
  static void startTutorial();
  static void nextTutorialPage();
  static void freezeAllActor();
  static void unfreezeAllActor();
  // The result page's keys (state 3): the state to run next, 44 to stay.
  static int32_t updateResultKeys();
  // The level's score as the result page settles it, and the best it keeps.
  static int32_t settledScore();
  // The other games' unlocked level read from their records (bests untouched), so the
  // every-game achievement sees games not opened in this run.
  static void readOtherUnlockedLevels();

  // --- The games (training_games.cpp) and their hit rules (training_rules.cpp).
  static void updateReturn(bool canStrike);
  static bool updateTrailHorse(bool shotOver);
  static void trailHorseServeBall(IntArray* aim, bool notify);
  static void updateTraining_Serve();
  static void newServe(CPlayer* player);
  static void updateTraining_Power();
  static void updateTraining_Accuracy();
  static void updateTraining_Step();
  static int32_t getFinalPts();
  static int32_t updateJackpot();
  static void activeHitFX(int32_t x, int32_t y);
  // Test tooling (training_autoplay.cpp): with SORV_AUTOPLAY the keys a user would hold in
  // play, set each playing frame before the rules read them.
  static void autoplayKeys();
  // The speed a serve shows, in the unit the options name.
  static int32_t shownServeSpeed(int32_t speed);

  // --- Drawing (training_paint.cpp, training_result_page.cpp).
  static void paint();
  static void drawBalls();
  static void drawTarget();
  static void drawCheckPoint();
  static void drawBonus();
  static void drawReplaceZone();
  static void paintTrailHorse();
  static void drawHints();
  static void paintTargetFrame();
  static void paintRequestPage(bool withNotice);
  static int32_t drawStyleScoreItem(int32_t x, int32_t y, String* title, int32_t lines, ObjectArray* labels,
                                    ObjectArray* values);
  static String* formatTime(int32_t frames);

  // Level data (level_data.cpp). False, with one log line naming game, level and field and
  // every table null, for a record that breaks the layout or the level rules.
  static bool loadRawLevelDatas(int32_t game, int32_t level);
  static int32_t parseLevelData(ShortArray* target, int32_t count, ByteArray* data, int32_t position);
  static int32_t parsePitchProb(ByteArray* data, int32_t position, ObjectArray* rows);
  static int32_t parsePitch(ByteArray* data, int32_t position);
  static int32_t getProbRoot(IntArray* out, ObjectArray* rows, bool random);
  static void clearLevelData();
  // Milliseconds of the data as frames (x 7 / 1000 toward zero).
  static int32_t msToFrames(int32_t ms);

  // Loader (training_loader.cpp).
  static int32_t Loading();
  static int32_t loadResource(int32_t step);
  static void newLevel(int32_t game, int32_t level);
  static void unload();

  // Objects (training_objects.cpp).
  static RigidBody* newRigidBody();
  static RigidBody* newBall();
  static RigidBody* newTarget(int32_t row);
  static RigidBody* newBarrier(int32_t row);
  static RigidBody* newTank(int32_t lane);
  static void addTank(RigidBody* tank, int32_t lane, int32_t slot);
  static RigidBody* newCheckPoint();
  static RigidBody* newBonus(IntArray* keys);
  static void newCircle(int32_t stage, bool placePlayer);
  static void addTarget(RigidBody* body);
  static void addBarrier(RigidBody* body);
  static void addCheckPoint(RigidBody* body);
  static void removeTarge();
  static void removeBarrier();
  static void removeCheckPoint();
  static void removeTank(RigidBody* tank);
  static void removeBonus(int32_t index);
  static void getPosOnScreen(IntArray* out, RigidBody* body);
  // Called by RigidBody::onCollideWith in state 44: first touched second at point. A contact
  // calls onCollideWith both ways; only one of the two orders reaches a rule.
  static void onCollidsion(RigidBody* first, RigidBody* second, IntArray* point);
  enum CollisionRule : int32_t {
    kNoRule, kCheckPointRule, kTankRule, kTargetRule, kBarrierRule, kCircleRule, kBonusRule
  };
  static int32_t collisionRule(RigidBody* first, RigidBody* second);

  // The rules the dispatch reaches (the training games fill them).
  static void collideCheckPoint(RigidBody* ball, RigidBody* checkPoint, IntArray* point);
  static void collideTank(RigidBody* ball, RigidBody* tank, IntArray* point);
  static void collideTarget(RigidBody* ball, RigidBody* board, IntArray* point);
  static void collideBarrier(RigidBody* ball, RigidBody* barrier, IntArray* point);
  static void collideCircle(RigidBody* circle, RigidBody* player);
  static void collideBonus(RigidBody* bonus, RigidBody* player);
};

}  // namespace sorv
