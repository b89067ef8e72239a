// Every static field of CTraining and the class's static initialiser.
#include "runtime/array.h"
#include "runtime/static_class.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "match/rigid_body.h"
#include "training/ctraining.h"

namespace sorv {

int8_t CTraining::game = -1;
int8_t CTraining::level = -1;
int8_t CTraining::unlockedLevel = 0;
int8_t CTraining::levelCount = 0;
StaticRef<ByteArray> CTraining::unlockedLevels;
StaticRef<IntArray> CTraining::levelBest;
StaticRef<ByteArray> CTraining::gameTitles;
int32_t CTraining::trainingState = -1;
int32_t CTraining::levelResult = -1;
bool CTraining::levelStarted = false;
int32_t CTraining::levelEndFrame = 0, CTraining::finalPoints = 0, CTraining::previousBest = 0;
int32_t CTraining::jackpot = 0, CTraining::jackpotStep = 0;
StaticRef<IntArray> CTraining::pauseTimer;
StaticRef<String> CTraining::pauseText;
StaticRef<ASprite> CTraining::pauseSprite;
StaticRef<IntArray> CTraining::messageBox;
StaticRef<IntArray> CTraining::messageBand;
bool CTraining::bandClosing = false;
StaticRef<ShortArray> CTraining::tutorialTexts;
int32_t CTraining::tutorialPage = 0;
bool CTraining::askTutorial = false, CTraining::tutorialPending = false;
int32_t CTraining::leftSoftKeyText = -1, CTraining::rightSoftKeyText = -1;
bool CTraining::softKeyFrame = false;
StaticRef<CActor> CTraining::hitFxActor;
int32_t CTraining::hitFxX = -1, CTraining::hitFxY = -1;
StaticRef<CActor> CTraining::machineActor;

int32_t CTraining::points = 0, CTraining::ballsLeft = 0, CTraining::streak = 0, CTraining::shotSpeed = 0;
int32_t CTraining::levelStartFrame = 0;
int32_t CTraining::servePhase = -1;
bool CTraining::serveBlocked = false;
int32_t CTraining::targetIndex = 0, CTraining::speedSum = 0, CTraining::targetHits = 0, CTraining::lastRing = 0;
StaticRef<IntArray> CTraining::hitMark;
StaticRef<ObjectArray> CTraining::tanks;
StaticRef<IntArray> CTraining::tankHits;
int32_t CTraining::tanksLeft = 0, CTraining::strongHits = 0;
int32_t CTraining::machineTimer = -1;
int32_t CTraining::stage = 0, CTraining::stageStart = -1, CTraining::stepTime = 0, CTraining::finishFrame = -1;
int32_t CTraining::timeouts = 0;
int16_t CTraining::stageTime = 0;
StaticRef<ObjectArray> CTraining::bonuses;
int32_t CTraining::nextBonus = -1;
bool CTraining::circleOpen = false, CTraining::wrongBonus = false;
int32_t CTraining::wrongBonusIndex = -1, CTraining::wrongTouches = 0;

int16_t CTraining::goalPoints = 0, CTraining::ballCount = 0, CTraining::basePoints = 0, CTraining::speedFactor = 0;
int16_t CTraining::targetRadius = 0, CTraining::targetRings = 0;
int16_t CTraining::barrierHeight = 0, CTraining::barrierWidth = 0, CTraining::targetRowCount = 0;
int16_t CTraining::tankCount = 0, CTraining::tankPush = 0, CTraining::powerBonus = 0, CTraining::timeBase = 0;
int16_t CTraining::timePenalty = 0, CTraining::tankHeight = 0, CTraining::tankWidth = 0;
int16_t CTraining::streakBonus = 0;
int16_t CTraining::serveSpare = 0, CTraining::powerSpare = 0, CTraining::stepSpareTime = 0, CTraining::stepSpare = 0;
int32_t CTraining::accuracySpare = 0;
int32_t CTraining::circleOpenColour = 0, CTraining::circleClosedColour = 0;
StaticRef<ShortArray> CTraining::machineParams;
StaticRef<ObjectArray> CTraining::launchTable;
StaticRef<ShortArray> CTraining::ringPoints;
StaticRef<ObjectArray> CTraining::targetRows;
StaticRef<ObjectArray> CTraining::barrierRows;
StaticRef<ShortArray> CTraining::tankParams;
StaticRef<ObjectArray> CTraining::tankLanes;
StaticRef<ObjectArray> CTraining::checkPointRows;
StaticRef<ShortArray> CTraining::bonusShape;
StaticRef<ShortArray> CTraining::circleShape;
StaticRef<ObjectArray> CTraining::stageRows;
StaticRef<ObjectArray> CTraining::bonusSpots;

StaticRef<RigidBody> CTraining::target, CTraining::barrier, CTraining::checkPoint, CTraining::circle;
int32_t CTraining::checkPointIndex = 0;
StaticRef<ASprite> CTraining::sprite;
StaticRef<ASprite> CTraining::checkPointSprite;
StaticRef<CActor> CTraining::checkPointActor;
StaticRef<IntArray> CTraining::bonusKeys;
int32_t CTraining::lastBonusKey = -1;
StaticRef<IntArray> CTraining::workPoint;
StaticRef<IntArray> CTraining::hintPos;

int32_t CTraining::loadingStep = 0;
int64_t CTraining::loadStartTime = 0;

namespace {

constexpr int32_t kGameTitleTexts[CTraining::kGameCount] = {28, 29, 30, 31, 32};

void clinit() {
  using T = CTraining;
  T::pauseTimer = Array::newIntArray(4);
  T::messageBox = Array::newIntArray(4);
  T::messageBand = Array::newIntArray(3);
  T::hintPos = Array::newIntArray(2);
  T::workPoint = Array::newIntArray(3);
  T::hitMark = Array::newIntArray(3);
  T::unlockedLevels = Array::newByteArray(T::kGameCount);
  T::levelBest = Array::newIntArray(T::kLevelCount);
  ByteArray* titles = Array::newByteArray(T::kGameCount);
  for (int32_t g = 0; g < T::kGameCount; g++) astore(titles, g, static_cast<int8_t>(kGameTitleTexts[g]));
  T::gameTitles = titles;
  T::game = T::level = -1;
  T::unlockedLevel = T::levelCount = 0;
  T::trainingState = T::levelResult = -1;
  T::servePhase = T::machineTimer = -1;
  T::nextBonus = T::wrongBonusIndex = -1;
  T::stageStart = T::finishFrame = -1;
  T::lastBonusKey = -1;
  T::hitFxX = T::hitFxY = -1;
  T::leftSoftKeyText = T::rightSoftKeyText = -1;
  T::levelStarted = T::bandClosing = T::askTutorial = T::tutorialPending = T::softKeyFrame = false;
  T::serveBlocked = T::circleOpen = T::wrongBonus = false;
  T::levelEndFrame = T::finalPoints = T::previousBest = T::jackpot = T::jackpotStep = 0;
  T::tutorialPage = T::points = T::ballsLeft = T::streak = T::shotSpeed = T::levelStartFrame = 0;
  T::targetIndex = T::speedSum = T::targetHits = T::lastRing = T::tanksLeft = T::strongHits = 0;
  T::stage = T::stepTime = T::timeouts = T::wrongTouches = T::checkPointIndex = 0;
  T::stageTime = 0;
  T::loadingStep = 0;
  T::loadStartTime = 0;
}

}  // namespace

SORV_STATIC_INIT(kCTraining, clinit);

}  // namespace sorv
