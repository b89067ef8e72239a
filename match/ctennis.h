// CTennis, the match: the statics that the game's data tables fill at boot
// (CGame::initArrays), construction, one frame, the loading steps, the take-down, the few
// fields the shell sets or reads, and the rules of play: the score and serve order, the
// decision of each point, the line calls, the challenges and the calls' sounds, and the
// scene: players, judges, ball kids, overlays and the training's practice strokes.
//
// Invariants: the object keeps its state in statics; update returns -1 to go on or the state
// to enter; Loading returns 0..100 while loading and -1 when done. Game thread only.
#pragma once

#include <cstdint>

#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/object.h"

namespace sorv {

class ASprite;
class CActor;
class Graphics;
class Image;
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
  // Ball events (ball_events.cpp): the bounce judge, and the net test every step.
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
  // The career flag itself (CGame::isCareer) under the match's name: the in-game menu's
  // career entries can never disagree with the career.
  static bool& careerMatch;
  static int32_t matchResult[2];
  static bool raisedPad;
  static bool serveFlag;

  // CTennis.<init>(I)V.
  static CTennis* create(int32_t kind);
  void init(int32_t kind);
  // CTennis.init()V: the loader's one-time set-up of the match's objects and settings.
  void init();

  // Class-table slots after the root's six, in the game's order.
  virtual void serveBall();
  virtual void onBallCollision(RigidBody* body, int32_t plane, int32_t x, int32_t y,
                               int32_t depth);
  virtual void onReturnBall2(CPlayer* striker);
  virtual void onReturnBall(CPlayer* striker);
  virtual int32_t update();  // one match frame
  static int32_t Loading();
  static void a_unloadCourt();
  static int32_t getTutMiniStep() { return tutorialKind != -1 ? tutorialStep : -1; }
  // What the touch pad reads of the user's player and the tutorial (the players and the
  // tutorial fill them): the player's action state and action flag, the tutorial flag.
  static int32_t getUserActionState();
  static int32_t getUserActionFlag();
  static bool isTutorialFlagSet();

  // --- Match, scoring and line calls
  // Teams: 0 the user's (index 0 of every score and statistics array), 1 the opponents. A
  // boolean "won" or "user" is true for the user's team, except getTotalGamePoints and
  // getTotalSetPoints, whose flag is true for the opponents. The score arrays hold five sets
  // whatever the setting; a game count never passes 127 (both counts drop by 2 first).
  static constexpr int32_t kNoPoint = -118850;
  static constexpr int32_t kNetZ = 18300;
  static constexpr int32_t kMaxSets = 5, kGameSlots = 13;
  static constexpr int32_t kMaxPoints = 127;

  static StaticRef<CPlayer> partner;
  static StaticRef<CPlayer> rivalPartner;
  static StaticRef<CPlayer> server;
  static StaticRef<CPlayer> resumedServer;
  static StaticRef<CPlayer> lastStrikerUser;
  static StaticRef<CPlayer> lastStrikerRival;
  static StaticRef<ObjectArray> players;     // CPlayer[4] in order of creation
  static int32_t playerCount;
  static StaticRef<ObjectArray> ballKids;    // RigidBody[2]
  static StaticRef<RigidBody> practiceBall;  // the tutorial's ball, null outside
  static StaticRef<IntArray> loaderSlots;    // int[3] reserved by the loader, -1 each
  static int32_t loaderSlotCount;
  static int32_t matchKind;
  static bool isTraining;

  // Settings and score.
  static bool isDoubles;
  static int32_t gamesInSet, setsInMatch;
  static int32_t setIndex, gameIndex;
  static StaticRef<ByteArray> gamePoints;  // (set * 13 + game) * 2 + team
  static StaticRef<ObjectArray> setGames;  // byte[5][2]
  static StaticRef<ByteArray> setsWon;     // byte[2]
  static bool strikeSide;    // true: the user's team strikes next
  static bool secondServe;
  static int32_t rivalSwap;  // doubles: the partners answer each other's serve
  static int32_t serveTurn;
  // Serve changes in the running tie-break; the next set opens one turn on from its first server.
  static int32_t tieBreakTurns;
  static int32_t courtEnd;
  static bool changeEnds, matchFinished, scoreBoardChanged;
  static int32_t rallyStrokes, matchStrokes, pointStreak, lastPointResult;
  static StaticRef<ObjectArray> matchStats;  // int[12][2]
  static StaticRef<IntArray> recordValues;   // int[18], the user's counters
  static int32_t challengesLeft;
  static int32_t tutorialIndex;
  static int32_t leftSoftKeyText, rightSoftKeyText;
  static int32_t pointSituation;
  // The announcement of the point's situation before its serve (the break-point box), or the
  // reward words after a point; null when none is shown.
  static StaticRef<String> rewardText;
  static int32_t scoreKind;
  static StaticRef<String> scoreTextA, scoreTextB;
  static StaticRef<ObjectArray> pointNames;  // String[4]: 0, 15, 30, 40
  static StaticRef<String> gameMessage;
  static int32_t gameResultText, gameWinnerText;
  static bool lostServeFlag, opponentHeldFlag, userTeamWonPoint;
  static int32_t partnerCelebration, userReaction, rivalReaction;
  static int32_t scoreCallState, afterPointStage;

  // The point's end and the ball's bounce.
  static int32_t deadBallReason, deadBallFrame, deadBallInfo;
  static int32_t outX, outZ, bounceVelocityX, bounceVelocityZ;
  static int32_t tutorialBounceCount;
  static constexpr int32_t kReasonNet = 1, kReasonOut = 2, kReasonOwnHalf = 4;
  static constexpr int32_t kReasonReceivingFault = 8, kReasonTwice = 16;

  // Line calls: the landing rectangle as indexes into the line tables and what the last
  // in/out test found.
  static StaticRef<IntArray> courtLineX;  // 3660, 4970, 9085, 13200, 14510
  static StaticRef<IntArray> courtLineZ;  // 6355, 11900, 18300, 24700, 30185
  static int32_t landingRect[4];          // x from, depth from, x to, depth to
  static int32_t lineZone, lineDistanceX, lineZoneZ, lineDistanceZ;
  static int32_t secondLine, secondLineDistance;
  static int32_t fallResult, lineCallKind;

  // The challenge of an out call.
  static int32_t challengeTimer, challengeX, challengeZ;
  static bool challengeDecided, challengeUpheld, challengeReplay;

  // Dead-ball sounds: first, second, cheer (-1 none).
  static int32_t deadBallSounds[3];
  static int32_t deadBallSoundStep, deadBallTimer;

  // Object, set-up and match start.
  static void clinit();
  static void initParam();
  static CPlayer* createPlayer(CTennis* match, bool human, bool userTeamSide, int32_t look,
                               int32_t rosterIndex, int32_t value1, int32_t value2);
  static void deInit();
  static void newTennisMatch(CPlayer* firstServer);
  static void newTennisSet();
  static void initMatch(CPlayer* firstServer);
  static void saveLoadMatch(bool save);

  // Score and serve order.
  static int32_t points(int32_t team);  // of the current game
  static int32_t games(int32_t team);   // of the current set
  static int32_t sets(int32_t team);
  static bool isTieBreak();
  static int32_t getGamePoint();
  static bool isCriticalGame(int32_t team);
  static void checkPoint();
  static void makePlayerWinThisGame(bool user);
  static int32_t getServePlayerIndex();
  static int32_t getServeScoreIndex();
  static void changeServe();
  static bool tieBreakChangedServe();
  static void newTennisGame();
  static int32_t getTotalGamePoints(bool opponents);
  static int32_t getTotalSetPoints(bool opponents);
  static void addPointWrongJudge(bool user);
  static CPlayer* getPalPlayer(CPlayer* p);
  static CPlayer* getRivalPlayer(CPlayer* p);
  static int32_t getPlayerPalDefSpecialAction(int32_t current, bool won);
  static void addPoint(bool won);
  static void makePlayerWinThisMatch(bool user);
  static void matchOver(bool won);
  static void changeServeSide();
  static void changeCourt();
  static void addPlayerStat(int32_t kind);
  static void addPlayerStat(CPlayer* p, int32_t kind);
  static void resetPlayerStat(int32_t kind);
  static void addMatchStat(int32_t row, int32_t team);
  static int32_t matchStat(int32_t row, int32_t team);

  // Ball events and the point decision.
  static void onBallDead();
  static void onBallHitNet();
  static void onBallOut();
  static void onBallHitOwnGround();
  static void onBallHitGroundTwice();
  static void onBallIn();
  static void handleBallCollideGround(bool out, int32_t x, int32_t depth);

  // Line calls.
  static void setBallInRect(int32_t left, int32_t near, int32_t right, int32_t far);
  static int32_t checkBallFall(int32_t x, int32_t z);
  static bool isBallOut(int32_t x, int32_t y, int32_t z);
  static int32_t checkBallHitNet();
  static void checkPointOfFall(int32_t x, int32_t y, int32_t z, bool unused);
  static bool needContestRefere(int32_t x, int32_t z);
  static int32_t contestReferee(bool allowed);
  static int32_t getLastBallPosCanBeStrike();

  // Challenges.
  static void initContestReferee(int32_t x, int32_t depth);
  static void updateContestReferee();
  // The user's player in the review: its gesture, whose end closes the review, and where it
  // stands for it and after it.
  static void playUserChallengeGesture(int32_t action);
  static bool userActorEnded();
  static void endUserActor();
  static void putUserPlayerAt(int32_t x, int32_t depth);
  static void putUserPlayerAtDepth(int32_t depth);

  // Dead-ball sounds and cheers.
  static void initDeadBallSounds(int32_t first, int32_t second);
  static void initDeadBallCheerSounds(int32_t cheer);
  static void playDeadBallSounds();
  static bool isCanPlayDeadBallSound();
  static void playCheer();


  // --- Loading and court drawing
  // The loader's 33 steps (one a frame) fill the sprites, actors and court image below; the
  // court is drawn again at every change of ends; a_unloadCourt drops everything but
  // replaySprite. The two action-sprite tables are CGame::actionSprites0 (the user's team)
  // and actionSprites1 (the opponents): kinds 0 running, 1 strokes and serve, 2 special
  // actions, and the partners' own sprites three slots on (mixed doubles only).
  static constexpr int32_t kLoadingSteps = 33;
  static constexpr int32_t kSpriteKinds = 3, kPartnerSlot = 3;
  // Mixed doubles' player category, and the first character of the women's group.
  static constexpr int32_t kMixedCategory = 4, kFirstWoman = 18;
  static StaticRef<ASprite> introSprite, ballSprite0, ballSprite1, netSprite, replaySprite;
  static StaticRef<ASprite> replayBgSprite, ballKidSprite, judgeSprite;
  static StaticRef<ASprite> courtSprite, courtSprite2, courtActorSprite;
  static StaticRef<CActor> netActor, replayActor, netJudge, courtActor;
  static StaticRef<ObjectArray> ballKidActors;  // CActor[5]: 0, 1 back, 2, 3 runners, 4 net
  static StaticRef<ObjectArray> linesmen;       // CActor[5]
  static StaticRef<ObjectArray> courtDecor;     // CActor[4], court type 0 only
  static StaticRef<Image> courtImage;           // 840 x 532
  static StaticRef<Graphics> courtGraphics;
  static int32_t courtLayoutMenu;
  // A main tournament holds the speed unit at 0 from its first court load to the unload;
  // the player's own choice waits in CGame::optionRow1Copy.
  static bool speedUnitHeld;
  static bool mainTournament;  // CGame::isMainTournament, taken once by a_init
  static bool ballVisible;  // the ball is still to be drawn this frame
  static int32_t smashPointX, smashPointY;
  static int32_t GetSpriteActionIDx(bool userTeam, int32_t slot, int32_t part);
  static void a_loadCourt(int32_t court, int32_t end);
  static void setActionSpritePalette(ObjectArray* sprites);
  static int32_t getNetAnim();
  static void unfreezeAllActor();
  static void removeAllActor();
  static void drawBall(int32_t ballZ, int32_t depth);
  static void drawCourt();
  static void drawAllBallKids();
  static int32_t drawBallKids(int32_t kid, int32_t x, int32_t y);
  static void drawBallPickerNearNet(bool near);
  static void drawLinesMen();
  static void drawNetMan();
  static void drawNet();
  static void drawObjects();
  static void drawPlayer(bool userHalf);
  static bool drawSinglePlayer(CPlayer* p, bool flag);
  static void drawSmashPoint();
  static void resetRunPicker();
  static void resetNetManSprite();
  // The match's start after loading (built with the match flow).
  static int32_t startFormalMatch();
  static void switchToQueryTraining(int32_t tutorial, int32_t step);

  // Judges, ball kids, reactions, attributes, the message bar, the court reload, the walk-in,
  // drawing.
  static void relaxJudge();
  static void raiseJudgeSignal(int32_t zone);
  static void judgeCallIn(int32_t zone);
  static void ballPickerPickBall();
  static void netTouched();
  static void ballKidsAnimate(int32_t animation);
  static void setMenuSkip();
  static void setMenuIGM();
  static void resetSmashPoint();
  static void resetAllPlayersAttr();
  static void setPlayerAttr(CPlayer* p, int32_t character);
  static void setRunBallPickerPos();
  static void initBarMessage(String* text, int32_t kind, int32_t duration, bool a, bool b, bool c,
                             bool d);
  static void freezeAllActor();
  static void startPoint();
  static void loadCourt();
  static void walkInFromNewEnd();
  static void resetAllNextSpecialAction();
  static void resetPlayersAction();
  static void resetView();
  static void lieInstantReplay(bool out);
  static void drawSpeedToBg(int32_t v);
  static void drawTimeToBg(int32_t v);
  static void hideServeSpeedPanel();
  static void startBlackBars(int32_t frames);
  static bool blackBarsRunning();
  static void checkServeSpeed();
  static bool trainingTimerRunning();
  static void setTrainingTimer(int32_t length, int32_t next);
  static void showRewardWords(int32_t text);

  // read by the shell's match effects
  static int32_t barStart, barDuration;  // the message bar's start frame and length
  static bool isTrainingMatch();
  // A player's sprite of one kind (0 running, 1 strokes and serve, 2 special actions) by its
  // team and character.
  static ASprite* getPlayerSprite(bool userTeam, int32_t character, int32_t kind);
  static int32_t updateBarMessage();
  static void paintContestRefereeLineEffect();

  // --- Draw-only frame
  // Set by CGame::updateGame while a match state is painted into the screen buffer: the
  // frame then only draws; no body, state, key, timer, counter, sound or result moves.
  static bool drawOnlyFrame;
  // --- Match entry and frame drawing
  // The entry (state 1): the camera scrolls from (40, -2) left with following off, then
  // down; each team walks in when the view passes its mark (opponents below 32, the user's
  // side below 16), and at y 20 the match serves. The attribute cards are drawn once then.
  static constexpr int32_t kEntryStartX = 40, kEntryStartY = -2;
  static constexpr int32_t kEntryRivalMark = 32, kEntryUserMark = 16, kEntryEndY = 20;
  static int32_t enterCourtRivalFrames, enterCourtUserFrames;  // frames since each walked in
  static bool skipRequested;
  static int32_t serveCounter;  // the serve set-up's count; the portrait shows from 1
  static StaticRef<Image> attrCardUser, attrCardPartner;  // 196 x 73 each
  static void switchToPlayerEnterCourt();
  static void switchToServing();
  static void enterGame();
  // State 1's own parts of the scene: a team's entry (the user's when userSide) and the
  // court's front item drawn over it.
  static void drawPlayersEnterCourt(bool userSide);
  static void drawEntryCover();
  static Image* createPlayerAttrImage(CPlayer* p, Image* image);
  static void drawPlayerHead(CPlayer* p);
  // --- Ball strikes and actors
  // A stroke hands the ball to the other team and sets where it must land; the decisions of
  // who in a doubles team takes it; the special actions between points; the message bar.
  static int32_t playerPendingAction, rivalPendingAction;  // after-point actions, -1 none
  static int32_t tutorialServeCount;
  static int64_t tutorialServeClock;  // program clock (ms) of the tutorial's first serve
  static StaticRef<String> barText;
  static int32_t barKind, barClosing;
  static bool barShellTime;  // the bar counts the shell's frames, not the match's
  static bool barOption1, barOption2, barOption4;
  static void a_onReturnBall2(CPlayer* striker);
  static void calSmashPoint();
  static void projectSmash();
  static void dealAdditionalAction();
  static bool isSpecialActionOver();
  // The flight's top height: y + vy^2 / (2 (gravity - lift - ay)).
  static int32_t apexHeight(RigidBody* b);
  // Whether (x, depth) lies in the landing rectangle; unlike isBallOut it records nothing.
  static bool isInLandingRect(int32_t x, int32_t depth);
  static void doubleDecideWhoShouldReturnBall(CPlayer* p);
  static int32_t getCelebrateAnim(CPlayer* p, CPlayer* q, bool swap);
  static void initBarMessage(String* text, int32_t kind, int32_t duration, bool o1, bool o2,
                             bool frames);
  static void initBarMessage(String* text, int32_t kind, int32_t duration, bool o1);
  static void setRewardWords(String* text);
  // --- Match frame and states
  // The match states; every change goes through setMatchState, which checks it against the
  // transition table (match_transitions.cpp) and logs one the table does not hold.
  static constexpr int32_t kStateEnter = 1, kStateServing = 2, kStatePlaying = 5;
  static constexpr int32_t kStateMatchOver = 7, kStateContinue = 8, kStateTest = 9;
  static constexpr int32_t kStateTrainingQuery = 11, kStateChallenge = 12;
  static constexpr int32_t kKeyOk = 0x50020, kKeyHash = 0x400, kKeyStar = 0x800;
  static constexpr int32_t kKeyAllButRightSoft = -131073;
  static void setMatchState(int32_t next);
  static bool isLegalTransition(int32_t from, int32_t to);
  // Between points: 0 waiting, 1 scene set-up, 2 scene running, 3 next point, 4 pre-serve
  // scene, 5 after a change of ends.
  static int32_t barMode, stageFrame, unlockPage;
  static int32_t hitEffectFrame;
  static bool strokeEffectFlag, rainFlag;
  static StaticRef<CActor> hitEffectActor;
  static StaticRef<ASprite> effectsSprite;
  // The message bar: text, kind, closing stage and time base; start and length are barStart
  // and barDuration.
  static bool barLock;
  // Timers and the tutorial.
  static int32_t stepTimerStart;
  static bool timerSkip;
  static int32_t trainingTimerStart, trainingTimerLength, trainingTimerNext;
  static int32_t tutorialCounter, trainingStrokes;
  static StaticRef<ObjectArray> trainingTextIds;  // int[5][8], text ids of pack 1
  static void clinitFlow();
  static void updateServing();
  static void updatePlaying();
  static void updateRally();
  static void updateAfterPoint();
  static void updateTest();
  static void updateMatchOver(int32_t* result);
  static void doActionBeforeServe();
  static void startNextPoint();
  static void switchToMatchOver();
  static int32_t updateTraining();
  static void updateAll();
  static void resetTimer();
  static bool checkTimer(int32_t frames);
  static void initTrainingStep(int32_t tutorial, int32_t step);
  static void trainingQueryToTraining(int32_t state);
  static void switchTrainingQuery(int32_t tutorial, int32_t step);
  static int32_t getQueryMessageYesKey();
  static bool isWillShowPreServeAction();
  static int32_t waitingFrames();
  static void setPlayerAt(CPlayer* p, int32_t x, int32_t depth);
  // The change of ends' walk off, each team to the net post on its side, with its actions.
  static void walkOffToTheNet();
  // The change of ends' walks: advanced once a frame; over when every player has arrived.
  static void updateEndsWalk();
  static bool endsWalkOver();
  // Test tooling: SORV_AUTOPLAY makes the user's player the computer's and answers the
  // match's questions; SORV_MATCH_TRACE writes one line per point, game, set and match.
  static bool autoplay;
  // SORV_AUTOPLAY=play: the user's points play themselves, the match-over pages and the
  // continue question wait for the script's keys (so a test can shoot each page).
  static bool autoplayPagesToScript;
  // SORV_AUTOPLAY_AGAIN: how often the self-playing user answers "play again", and how
  // often it has so far.
  static int32_t autoplayAgain, autoplayAgainTaken;
  static void autoplayKeys();
  // --- Serving input and players
  // The attributes (or, with false, ability values) of a computer player of a roster entry
  // at a computer level: byte[5], each 1..5.
  static ByteArray* caculatePlayerNPCAttr(int32_t roster, int32_t level, bool attributes);
  // The user's keys: the running direction 0..8, the digit key pressed this frame (-1
  // none), and the direction from the held or pressed keys (-1 none).
  static int32_t getMoveChoice();
  static int32_t getStrikeChoiceKeyPress();
  static int32_t getStrikeChoiceKeyDownOrPress();
  static void a_updateServing();
  static bool careerFinal;              // a career final against a strong opponent
  static bool dustChoice;               // which dust the running players raise
  static bool idleFlag;                 // players stand idle between points
  static int32_t speedLineFlag;
  // --- Match overlays (match_overlays.cpp, close_call_view.cpp): the call and score after a
  // dead ball, the close-call inset, the break-point box, the reward words, the continue
  // question, the serve set-up and the challenge's picture. Each routine runs its state steps
  // in one place (timers, clearing the call, the score state and the texts) and then draws
  // what they leave; deadBallTimer is the message timer the calls' sounds count with.
  // The close-call inset shows lineCallKind (1..9, 0 none); insetShown says it was drawn in
  // this match frame, so what is drawn over the match afterwards can leave its corner free.
  static bool insetShown;
  static constexpr int32_t kJudgesSet = kNoPoint;  // serveCounter once the judges stand
  // The dead-ball display's step (0 idle, 1 the call, 2 the score call armed by the call's
  // end, 3 the score call) and the dead ball it belongs to.
  static int32_t messageStep, messageDeadBall;
  static void drawDeadBallInfo();
  static void drawScoreWhenNewBall(String* left, String* right);
  static void paintInstantReplay();
  static void drawBreakPoint();
  static void drawRewardWords();
  static void drawQueryContinue();
  static void drawInterface();
  // The soft-key bar with the match's two labels, each over its own soft key.
  static void drawSoftKeyBar(bool framed);
  static void paintContestReferee();
  // The court's boards while the serve-speed panel is shown, outside court type 3.
  static void drawServeSpeedBoards();
  // Built by the court work: drops the players' attribute cards.
  static void dropPlayerAttrImages();
};

}  // namespace sorv
