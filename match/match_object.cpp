// The match object's statics, its one-time set-up, the players' creation and the resets at
// the start of a match and of a set.
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tools/data/court_geometry.h"

namespace sorv {

// Their start values are set by clinit below.
StaticRef<CPlayer> CTennis::partner;
StaticRef<CPlayer> CTennis::rivalPartner;
StaticRef<CPlayer> CTennis::server;
StaticRef<CPlayer> CTennis::resumedServer;
StaticRef<CPlayer> CTennis::lastStrikerUser;
StaticRef<CPlayer> CTennis::lastStrikerRival;
StaticRef<ObjectArray> CTennis::players;
int32_t CTennis::playerCount;
StaticRef<ObjectArray> CTennis::ballKids;
StaticRef<RigidBody> CTennis::practiceBall;
StaticRef<IntArray> CTennis::loaderSlots;
int32_t CTennis::loaderSlotCount;
int32_t CTennis::matchKind;
bool CTennis::isTraining;

bool CTennis::isDoubles;
int32_t CTennis::gamesInSet;
int32_t CTennis::setsInMatch;
int32_t CTennis::setIndex;
int32_t CTennis::gameIndex;
StaticRef<ByteArray> CTennis::gamePoints;
StaticRef<ObjectArray> CTennis::setGames;
StaticRef<ByteArray> CTennis::setsWon;
bool CTennis::strikeSide;
bool CTennis::secondServe;
int32_t CTennis::rivalSwap;
int32_t CTennis::serveTurn;
int32_t CTennis::tieBreakTurns;
int32_t CTennis::courtEnd;
bool CTennis::changeEnds;
bool CTennis::matchFinished;
bool CTennis::scoreBoardChanged;
int32_t CTennis::rallyStrokes;
int32_t CTennis::matchStrokes;
int32_t CTennis::pointStreak;
int32_t CTennis::lastPointResult;
StaticRef<ObjectArray> CTennis::matchStats;
StaticRef<IntArray> CTennis::recordValues;
int32_t CTennis::challengesLeft;
int32_t CTennis::tutorialIndex;
int32_t CTennis::leftSoftKeyText;
int32_t CTennis::rightSoftKeyText;
int32_t CTennis::pointSituation;
StaticRef<String> CTennis::rewardText;
int32_t CTennis::scoreKind;
StaticRef<String> CTennis::scoreTextA;
StaticRef<String> CTennis::scoreTextB;
StaticRef<ObjectArray> CTennis::pointNames;
StaticRef<String> CTennis::gameMessage;
int32_t CTennis::gameResultText;
int32_t CTennis::gameWinnerText;
bool CTennis::lostServeFlag;
bool CTennis::opponentHeldFlag;
bool CTennis::userTeamWonPoint;
int32_t CTennis::partnerCelebration;
int32_t CTennis::userReaction;
int32_t CTennis::rivalReaction;
int32_t CTennis::scoreCallState;
int32_t CTennis::afterPointStage;
int32_t CTennis::deadBallReason;
int32_t CTennis::deadBallFrame;
int32_t CTennis::deadBallInfo;
int32_t CTennis::outX;
int32_t CTennis::outZ;
int32_t CTennis::bounceVelocityX;
int32_t CTennis::bounceVelocityZ;
int32_t CTennis::tutorialBounceCount;
StaticRef<IntArray> CTennis::courtLineX;
StaticRef<IntArray> CTennis::courtLineZ;
int32_t CTennis::landingRect[4] = {1, 0, 3, 2};
int32_t CTennis::lineZone;
int32_t CTennis::lineDistanceX;
int32_t CTennis::lineZoneZ;
int32_t CTennis::lineDistanceZ;
int32_t CTennis::secondLine;
int32_t CTennis::secondLineDistance;
int32_t CTennis::fallResult;
int32_t CTennis::lineCallKind;
int32_t CTennis::challengeTimer;
int32_t CTennis::challengeX;
int32_t CTennis::challengeZ;
bool CTennis::challengeDecided;
bool CTennis::challengeUpheld;
bool CTennis::challengeReplay;
int32_t CTennis::deadBallSounds[3];
int32_t CTennis::deadBallSoundStep;
int32_t CTennis::deadBallTimer;

namespace {

constexpr int32_t kPointNameConstants[4] = {18, 93, 94, 95};
constexpr int32_t kStatRows = 12, kCounters = 18;
constexpr int32_t kAcesRecord = 5;
constexpr int32_t kBackhandFlag = 0, kForehandSideFlag = 1;
constexpr int32_t kStrokeReach = 90;

bool rosterFlag(int32_t row, int32_t rosterIndex) {
  return aload(static_cast<ByteArray*>(aload(CGame::rosterFlags.get(), row)), rosterIndex) != 0;
}

void clearBytes(ByteArray* bytes) {
  if (isNull(bytes)) return;
  for (int32_t i = 0; i < bytes->length; i++) bytes->elements()[i] = 0;
}

}  // namespace

// Every scalar back at its first value, so each run (and each test's runtime) starts alike;
// the line tables and point names as the class's initialiser makes them.
void CTennis::clinit() {
  matchFrame = 0;
  tutorialStep = -1;
  tutorialIndex = -1;
  playerCount = loaderSlotCount = matchKind = 0;
  isDoubles = isTraining = false;
  gamesInSet = 6;
  setsInMatch = 1;
  setIndex = gameIndex = 0;
  strikeSide = secondServe = false;
  rivalSwap = 0;
  serveTurn = 2;
  tieBreakTurns = 0;
  courtEnd = 1;
  changeEnds = matchFinished = scoreBoardChanged = false;
  rallyStrokes = matchStrokes = pointStreak = lastPointResult = 0;
  challengesLeft = 3;
  leftSoftKeyText = rightSoftKeyText = -1;
  pointSituation = scoreKind = 0;
  gameResultText = gameWinnerText = 0;
  lostServeFlag = opponentHeldFlag = userTeamWonPoint = false;
  partnerCelebration = userReaction = rivalReaction = 0;
  scoreCallState = -1;
  afterPointStage = 0;
  deadBallReason = deadBallFrame = 0;
  deadBallInfo = -1;
  outX = outZ = bounceVelocityX = bounceVelocityZ = 0;
  tutorialBounceCount = 0;
  lineZone = lineZoneZ = 0;
  lineDistanceX = lineDistanceZ = kNoPoint;
  secondLine = secondLineDistance = -1;
  fallResult = lineCallKind = 0;
  challengeTimer = challengeX = challengeZ = 0;
  challengeDecided = challengeUpheld = challengeReplay = false;
  for (int32_t& s : deadBallSounds) s = -1;
  deadBallSoundStep = deadBallTimer = 0;
  courtLineZ = Array::fillInts(Array::newIntArray(5), {court::kLineDepths[0], court::kLineDepths[1], court::kLineDepths[2],
                                                        court::kLineDepths[3], court::kLineDepths[4]});
  courtLineX = Array::fillInts(Array::newIntArray(5), {court::kLinePositions[0], court::kLinePositions[1],
                                                        court::kLinePositions[2], court::kLinePositions[3],
                                                        court::kLinePositions[4]});
  pointNames = Array::newObjectArray(kString, 4);
  for (int32_t i = 0; i < 4; i++) {
    astore(pointNames.get(), i, StaticClass::getConstant(kPointNameConstants[i]));
  }
}

SORV_STATIC_INIT(kCTennis, CTennis::clinit);

void CTennis::init() {
  SORV_FRAME("CTennis.init()V");
  a_init();
  players = Array::newObjectArray(kCPlayer, 4);
  loaderSlots = Array::fillInts(Array::newIntArray(3), {-1, -1, -1});
  loaderSlotCount = 0;
  recordValues = Array::newIntArray(kCounters);
  matchStats = Array::newObjectArray(kIntArray, kStatRows);
  for (int32_t row = 0; row < kStatRows; row++) astore(matchStats.get(), row, Array::newIntArray(2));
  CGame::playCount++;
  CGame::RMS(true, CGame::kOptionsRecord);
  // Room for five sets always: the sets setting 2 plays best of five.
  gamePoints = Array::newByteArray(kMaxSets * kGameSlots * 2);
  setGames = Array::newObjectArray(kByteArray, kMaxSets);
  for (int32_t s = 0; s < kMaxSets; s++) astore(setGames.get(), s, Array::newByteArray(2));
  setsWon = Array::newByteArray(2);
  CGame::actionSprites1 = Array::newObjectArray(kObject, 6);
  ballKids = Array::newObjectArray(kRigidBody, 2);
  for (int32_t k = 0; k < 2; k++) {
    astore(ballKids.get(), k, RigidBody::create(this, RigidBody::kTypeBallKid));
  }
  setRunBallPickerPos();
  for (int32_t k = 0; k < 2; k++) CGame::p_add(objectList, aload(ballKids.get(), k));
  initParam();
}

void CTennis::initParam() {
  SORV_FRAME("CTennis.initParam()V");
  isDoubles = CGame::isDouble();
  gamesInSet = aload(CGame::matchSettings.get(), 2) + 2;
  setsInMatch = aload(CGame::matchSettings.get(), 3) * 2 + 1;
  rivalSwap = 0;
  if (isNull(resumedServer.get())) courtEnd = 1;
  changeEnds = false;
}

void CTennis::deInit() {
  SORV_FRAME("CTennis.deInit()V");
  CGame::Str_UnloadPack(1);
  a_unloadCourt();
  ASprite::setTempBufferSize(ASprite::kDecodeBufferSize);
}

CPlayer* CTennis::createPlayer(CTennis* match, bool human, bool userTeamSide, int32_t look,
                               int32_t rosterIndex, int32_t value1, int32_t value2) {
  SORV_FRAME("CTennis.createPlayer(LCTennis;ZZIIII)LCPlayer;");
  CPlayer* p = newObject<CPlayer>();
  if (p == nullptr) return nullptr;
  // The self-playing test user is steered by the computer like any opponent.
  p->construct(match, human && !autoplay, userTeamSide, look);
  // The roster keeps both style flags inverted; without its table the player keeps the
  // plain style it was made with.
  if (!isNull(CGame::rosterFlags.get())) {
    p->oneHandedBackhand = !rosterFlag(kBackhandFlag, rosterIndex);
    p->forehandSide = !rosterFlag(kForehandSideFlag, rosterIndex);
  }
  p->rosterIndex = rosterIndex;
  p->attrValue1 = value1;
  p->attrValue2 = value2;
  p->tuneChance = aload(CGame::rosterAbility.get(), rosterIndex);
  p->reachValue = kStrokeReach;
  CGame::p_add(objectList, p);
  astore(players.get(), playerCount, p);
  if (!isNull(players.get()) && playerCount < players->length) playerCount++;
  setPlayerAttr(p, -1);
  p->setUp = true;
  return p;
}

void CTennis::newTennisMatch(CPlayer* firstServer) {
  SORV_FRAME("CTennis.newTennisMatch(LCPlayer;)V");
  for (int32_t row = 0; !isNull(matchStats.get()) && row < matchStats->length; row++) {
    IntArray* counts = static_cast<IntArray*>(aload(matchStats.get(), row));
    astore(counts, 0, 0);
    astore(counts, 1, 0);
  }
  for (int32_t i = 0; !isNull(recordValues.get()) && i < recordValues->length; i++) {
    recordValues->elements()[i] = 0;
  }
  astore(recordValues.get(), 0, CAE::getRecordVal(kAcesRecord));
  serveTurn = 2;
  tieBreakTurns = 0;
  scoreBoardChanged = true;
  matchStrokes = rallyStrokes = 0;
  setIndex = gameIndex = 0;
  matchFinished = false;
  pointStreak = 0;
  lostServeFlag = opponentHeldFlag = false;
  clearBytes(gamePoints);
  for (int32_t s = 0; !isNull(setGames.get()) && s < setGames->length; s++) {
    clearBytes(static_cast<ByteArray*>(aload(setGames.get(), s)));
  }
  clearBytes(setsWon);
  server = firstServer;
  strikeSide = !isNull(firstServer) && firstServer->userTeamSide;
  secondServe = false;
  RigidBody::resetBallTrace();
  CPlayer::resetSlipTrace();
  if (currentCourt != 3) {
    drawSpeedToBg(0);
    drawTimeToBg(0);
  }
  challengesLeft = 3;
  hideServeSpeedPanel();
  CAE::ClearAchiQueue();
}

void CTennis::newTennisSet() {
  SORV_FRAME("CTennis.newTennisSet()V");
  // After a tie-break the set opens with the player after its first server: its turns are
  // wound back. They are counted, not derived from the score, which a long tie-break lowers.
  const int32_t turns = tieBreakTurns;
  newTennisGame();
  const int32_t round = isDoubles ? 4 : 2;
  for (int32_t i = (round - turns % round) % round; i > 0; i--) changeServe();
  CPlayer* s = server;
  if (!isNull(s)) s->serveFromLeft = true;
  setIndex++;
  gameIndex = 0;
  saveLoadMatch(true);
}

void CTennis::initMatch(CPlayer* firstServer) {
  SORV_FRAME("CTennis.initMatch(LCPlayer;)V");
  unlockPage = -1;
  CGame::key_resetKey();
  CGame::forgetCheats();
  // A match played on after another (the continue question) gets no new match object: the
  // weather the last one left is dropped here too.
  CGame::newMatchWeather();
  setMenuIGM();
  newTennisMatch(firstServer);
  startPoint();
  if (tutorialIndex == -1) {
    const int32_t category = aload(CGame::matchSettings.get(), 0);
    const int32_t text = category == 4 ? 98 : category == 2 || category == 3 ? 97 : 57;
    initBarMessage(CGame::GetString(1, text), 0, 28, true, false, true, false);
    freezeAllActor();
    // The serve's set-up waits for the opening bar to close (enterGame starts it).
    serveCounter = kJudgesSet;
    leftSoftKeyText = 9;
    rightSoftKeyText = -1;
  }
  resetSmashPoint();
}

void CTennis::saveLoadMatch(bool save) {
  SORV_FRAME("CTennis.saveLoadMatch(Z)V");
  const int32_t choice = CGame::mainMenuChoice;
  if (choice == 4 || choice == 5) CGame::RMS(save, choice == 4 ? 7 : 5);
}

}  // namespace sorv
