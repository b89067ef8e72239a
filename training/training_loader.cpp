// The training's loader (one step a frame behind the loading screen, then a wait until the
// screen has shown for three seconds), the set-up of a level from fresh objects, and the
// take-down of everything training loaded.
#include <algorithm>
#include <cstdint>

#include "device/shell.h"
#include "device/sound_glue.h"
#include "game/cae.h"
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/util_random.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tools/data/resource_ids.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int64_t kShowingMs = 3000;
constexpr int32_t kSpriteStep = 17, kTextStep = 19;
constexpr int32_t kMainTournamentPalette = 4;
constexpr int32_t kWomenCategoryFirst = 2, kWomenCategoryLast = 3;
constexpr int32_t kPlayerLoss = 90;
constexpr int32_t kCentreX = 9085, kNearBaselineZ = 30185, kNetAccuracyZ = 21500;
constexpr int8_t kTrainingAttributes[5] = {3, 3, 3, 4, 3};

String* packName(int32_t constant) { return StaticClass::getConstant(constant); }

// The court type as the court's people and the net paint it: the training court uses 2.
int32_t courtPalette() { return CTennis::currentCourt == T::kCourt ? 2 : CTennis::currentCourt; }

bool textPackLoaded(int32_t pack) { return CGame::GetStringCount(pack) > 0; }

int32_t category() { return aload(CGame::matchSettings.get(), 0); }

// |next int| mod n of the game's generator, the sign bit cleared.
int32_t randomBelow(int32_t n) {
  Random* generator = CGame::random.get();
  return isNull(generator) ? 0 : (generator->nextInt() & 0x7FFFFFFF) % n;
}

void freeMemory() {
  System::gc();
  Shell::sleep(1);
}

// An action sprite of the user's team into its slot, coloured for the first player.
void loadActionSlot(int32_t slot, int32_t pack) {
  const int32_t c = category();
  const int32_t entry = c >= kWomenCategoryFirst && c <= kWomenCategoryLast ? 1 : 0;
  ASprite* sprite = CGame::loadSprite(packName(pack), false, entry, true);
  if (!isNull(sprite)) sprite->changePalette(CGame::getPalyerPal(CGame::playerChoice1), 0, nullptr);
  astore(CGame::actionSprites0.get(), slot, sprite);
}

void loadTexts() {
  CGame::Lib_Open(packName(kConstTextPack), false);
  if (!textPackLoaded(kTextTraining)) {
    CGame::Str_LoadPack(kTextTraining, CGame::Lib_GetData(kTextEntryOfPack[kTextTraining], false, nullptr), nullptr);
  }
  if (!textPackLoaded(kTextMatch)) {
    CGame::Str_LoadPack(kTextMatch, CGame::Lib_GetData(kTextEntryOfPack[kTextMatch], false, nullptr), nullptr);
  }
  CGame::Lib_Close();
}

void loadTrainingSprites() {
  if (isNull(T::sprite)) T::sprite = CGame::loadSprite(packName(kConstTrainingPack), false, kTrainingSprite, true, true);
  if (isNull(T::checkPointSprite)) {
    T::checkPointSprite = CGame::loadSprite(packName(kConstTrainingPack), false, kTrainingCheckpoint, true);
    T::checkPointActor = CActor::create(T::checkPointSprite, 0, -1);
  }
}

void createTrainingPlayer() {
  CPlayer* p = CPlayer::create(CGame::trainingObject, true, true, 0);
  CTennis::player = p;
  if (isNull(p)) return;
  if (CGame::isCareer) {
    p->initPlayerAttr(CGame::makeAttrLvArray());
    p->level = (CGame::careerAbility - 1) / 20 + 1;
  } else {
    ByteArray* values = Array::newByteArray(5);
    for (int32_t k = 0; k < 5; k++) astore(values, k, kTrainingAttributes[k]);
    p->initPlayerAttr(values);
  }
  p->forehandSide = aload(CGame::rosterKinds.get(), CGame::playerChoice1) == 0;
  p->bounceLoss = kPlayerLoss;
  CGame::p_add(CTennis::objectList, p);
  CTennis::ball = T::newBall();
}

void placePlayer(int32_t z) {
  CPlayer* p = CTennis::player;
  if (isNull(p)) return;
  p->setX(kCentreX);
  p->setY(0);
  p->setZ(z);
}

int32_t largestBonusCount() {
  int32_t most = 0;
  ObjectArray* rows = T::stageRows;
  for (int32_t s = 0; !isNull(rows) && s < rows->length; s++) {
    most = std::max<int32_t>(most, aload(static_cast<ShortArray*>(aload(rows, s)), 1));
  }
  return most;
}

void setUpServe() {
  T::targetIndex = 0;
  T::removeTarge();
  T::removeBarrier();
  T::addTarget(T::newTarget(0));
  T::addBarrier(T::newBarrier(0));
  T::targetHits = T::speedSum = T::servePhase = 0;
  T::ballsLeft = T::ballCount;
  CPlayer* p = CTennis::player;
  if (!isNull(p)) p->prepareServe(p->serveFromLeft, 0);
}

void setUpPower() {
  T::tanks = Array::newObjectArray(kRigidBody, T::kTankSlots);
  T::tankHits = Array::newIntArray(T::kTankSlots);
  const int32_t lanes = T::tankLanes->length;
  for (int32_t i = 0; i < lanes; i++) {
    const int32_t lane = lanes == 1 ? 0 : randomBelow(lanes);
    T::addTank(T::newTank(lane), lane, -1);
  }
  T::tanksLeft = T::tankCount;
  T::strongHits = 0;
  placePlayer(kNearBaselineZ);
}

void setUpAccuracy(int32_t game) {
  T::checkPointIndex = 0;
  placePlayer(game == T::kGameNetAccuracy ? kNetAccuracyZ : kNearBaselineZ);
  T::removeCheckPoint();
  T::ballsLeft = T::ballCount;
}

void setUpStep() {
  T::stage = T::timeouts = T::stepTime = 0;
  T::circle = nullptr;
  T::bonuses = nullptr;
  T::stageStart = -1;
  T::bonusKeys = Array::newIntArray(largestBonusCount());
  T::newCircle(0, true);
}

}  // namespace

int32_t CTraining::Loading() {
  SORV_FRAME("CTraining.Loading()I");
  if (loadResource(loadingStep) == -1) return -1;
  // Past the last step the loader only waits for the screen's three seconds.
  loadingStep = std::min(loadingStep + 1, kLastLoadStep + 1);
  if (isNull(sprite)) loadResource(kSpriteStep);
  if (!textPackLoaded(kTextTraining)) loadResource(kTextStep);
  if (loadingStep == 3) loadStartTime = System::currentTimeMillis();
  return (loadingStep - 1) * 100 / kLastLoadStep;
}

int32_t CTraining::loadResource(int32_t step) {
  SORV_FRAME("CTraining.loadResource(I)I");
  if (!CGame::isCareer) CGame::playerChoice1 = 0;
  switch (step) {
    case 3:
      ASprite::ResetPoolData();
      ASprite::DisablePool();
      a_init();
      break;
    case 5:
      if (game == kGameStep) break;
      hudSprite = CGame::loadSprite(packName(kConstMatchPack), false, kMatchHud, true);
      judgeSprite = CGame::loadSprite(packName(kConstMatchFxPack), false, kMatchFxJudges, true);
      if (!isNull(judgeSprite)) judgeSprite->SetCurrentPalette(mainTournament ? kMainTournamentPalette : courtPalette());
      break;
    case 7: loadActionSlot(0, kConstRunningUser); break;
    case 9:
      if (game != kGameStep) loadActionSlot(1, kConstStrokesUser);
      break;
    case 11:
      if (game == kGameServe) {
        ballSprite0 = CGame::loadSprite(packName(kConstMatchPack), false, kMatchServeMeter, false, true);
        ballSprite1 = CGame::loadSprite(nullptr, false, kMatchSpeedLines, true);
      } else {
        ballSprite1 = CGame::loadSprite(packName(kConstMatchPack), false, kMatchSpeedLines, true);
      }
      break;
    case 13:
      netSprite = CGame::loadSprite(packName(kConstMatchPack), false, kMatchNet, false);
      if (!isNull(netSprite)) netSprite->SetCurrentPalette(courtPalette());
      if (isNull(replaySprite)) {
        replaySprite = CGame::loadSprite(nullptr, false, kMatchInterface, true);
      } else {
        CGame::Lib_Close();
      }
      break;
    case 15: a_loadCourt(currentCourt, kCourtEnd); break;
    case kSpriteStep: loadTrainingSprites(); break;
    case kTextStep: loadTexts(); break;
    case 21:
      GameSound::loadAll();
      ASprite::EnablePool();
      break;
    default:
      if (step > kLastLoadStep && System::currentTimeMillis() - loadStartTime > kShowingMs) return -1;
      freeMemory();
      break;
  }
  return step + 1;
}

void CTraining::newLevel(int32_t g, int32_t l) {
  SORV_FRAME("CTraining.newLevel(II)V");
  CAE::ClearAchiQueue();
  // A level that breaks its rules is logged by the reader and builds nothing.
  if (!loadRawLevelDatas(g, l)) return;
  removeAllActor();
  CGame::p_resetPool();
  isDoubles = false;
  // Nothing of the last level's run stays: a finished Step run's frame would stop this one's
  // clock and keep pauses from moving it, a flagged bonus would point into an empty slot.
  finishFrame = stageStart = -1;
  wrongBonus = false;
  wrongBonusIndex = -1;
  createTrainingPlayer();
  switch (g) {
    case kGameServe: setUpServe(); break;
    case kGamePower: setUpPower(); break;
    case kGameStep: setUpStep(); break;
    default: setUpAccuracy(g); break;
  }
  resetViewport();
  levelResult = -1;
  points = 0;
  levelStartFrame = matchFrame;
  streak = 0;
  machineTimer = -1;
  wrongTouches = 0;
  levelStarted = false;
  // A tutorial's taller black band stays with its own level only.
  Array::fillInts(messageBand, {0, 0, 0});
}

void CTraining::unload() {
  SORV_FRAME("CTraining.unload()V");
  loadingStep = 0;
  a_unloadCourt();
  sprite = nullptr;
  checkPointSprite = nullptr;
  checkPointActor = nullptr;
  machineActor = nullptr;
  hitFxActor = nullptr;
  player = nullptr;
  ball = nullptr;
  target = barrier = checkPoint = circle = nullptr;
  tanks = nullptr;
  tankHits = nullptr;
  bonuses = nullptr;
  bonusKeys = nullptr;
  judgeSprite = nullptr;
  CGame::Str_UnloadPack(kTextTraining);
  clearLevelData();
  CGame::p_clearPool();
  GameSound::stopAll();
  freeMemory();
}

}  // namespace sorv
