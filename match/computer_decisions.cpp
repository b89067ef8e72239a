// How a computer player decides: weighted rolls by its skill levels, whether to let a ball
// go, where to run after its stroke, whether to attack the net, where to aim its return and
// which stroke to play.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/lang_system.h"
#include "runtime/log.h"
#include "runtime/util_random.h"

namespace sorv {

namespace {

constexpr int32_t kLevels = 5, kTopLevel = 4;
constexpr int32_t kKindAim = 0, kKindStroke = 1, kKindNet = 3, kKindRecovery = 4;
constexpr int32_t kLongRally = 6;
constexpr int32_t kNetZ = 18300, kCentreX = 9085;
constexpr int32_t kLeftHalfCentre = 6373, kRightHalfCentre = 11797;
constexpr int32_t kNotCounting = 0x7FFFFFFF;
constexpr int32_t kYesNo[2] = {0, 1};
constexpr int32_t kPowerOrPlain[2] = {4, 5};
constexpr int32_t kAltOrPlain[2] = {2, 3};

int32_t absolute(int32_t v) { return v < 0 ? -v : v; }

int32_t levelOf(IntArray* levels, int32_t kind) {
  if (isNull(levels) || !levels->inBounds(kind)) return 0;
  const int32_t level = levels->elements()[kind];
  return level < 0 ? 0 : level > kTopLevel ? kTopLevel : level;
}

// aiWeights[kind][option][level]; a row the data lacks weighs nothing.
int32_t weight(int32_t kind, int32_t option, int32_t level) {
  ObjectArray* kinds = CPlayer::aiWeights;
  if (isNull(kinds) || !kinds->inBounds(kind)) return 0;
  ObjectArray* options = static_cast<ObjectArray*>(kinds->elements()[kind]);
  if (isNull(options) || !options->inBounds(option)) {
    Debug::trace("CPlayer.getProbability: no weights for kind %d option %d", kind, option);
    return 0;
  }
  IntArray* levels = static_cast<IntArray*>(options->elements()[option]);
  if (isNull(levels) || !levels->inBounds(level)) return 0;
  return levels->elements()[level];
}

int32_t rollPercent() {
  Random* generator = CGame::random;
  return isNull(generator) ? 1 : nonNegativeMod(generator->nextInt(), 100) + 1;
}

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

}  // namespace

bool CTennis::isInLandingRect(int32_t x, int32_t depth) {
  IntArray* xs = courtLineX;
  IntArray* zs = courtLineZ;
  if (isNull(xs) || isNull(zs)) return false;
  for (int32_t i = 0; i < 4; i++) {
    if (!(i % 2 == 0 ? xs : zs)->inBounds(landingRect[i])) return false;
  }
  return xs->elements()[landingRect[0]] <= x && x <= xs->elements()[landingRect[2]] &&
         zs->elements()[landingRect[1]] <= depth && depth <= zs->elements()[landingRect[3]];
}

int32_t CPlayer::getProbability(int32_t kind, const int32_t* options, int32_t count) {
  SORV_FRAME("CPlayer.getProbability(I[I)I");
  if (options == nullptr || count <= 0) return -1;
  int32_t level = levelOf(aiLevels, kind);
  if (kind == kKindAim && CTennis::rallyStrokes >= kLongRally) {
    level += aload(rallyLevelBonus.get(), aload(CGame::matchSettings.get(), 1));
    if (level > kTopLevel) level = kTopLevel;
    if (level < 0) level = 0;
  }
  const int32_t r = rollPercent();
  int32_t sum = 0;
  for (int32_t i = 0; i < count; i++) {
    sum += weight(kind, options[i], level);
    if (r <= sum) return options[i];
  }
  return options[count - 1];
}

int32_t CPlayer::getProbability(int32_t kind, IntArray* options) {
  if (isNull(options)) return -1;
  return getProbability(kind, options->elements(), options->length);
}

bool CPlayer::AI_decideAbandonBall() {
  SORV_FRAME("CPlayer.AI_decideAbandonBall()Z");
  RigidBody* b = CTennis::ball;
  if (isNull(b) || isNull(b->route) || !b->route->inBounds(4)) return false;
  IntArray* fall = static_cast<IntArray*>(b->route->elements()[4]);
  if (isNull(fall) || fall->length < 2 || fall->elements()[0] == kNoPoint) return false;
  // Only a guess about the landing: the line-call record of the last real bounce stays.
  return !CTennis::isInLandingRect(fall->elements()[0], fall->elements()[1]) && CGame::RAND(0, 100) < 90;
}

bool CPlayer::AI_decideIsApproachNet() {
  SORV_FRAME("CPlayer.AI_decideIsApproachNet()Z");
  if (CTennis::isDoubles) return false;
  if (!aimAway && (prevStrokeKind == -1 || prevStrokeKind == 1 || prevStrokeKind == 2)) return false;
  return getProbability(kKindNet, kYesNo, 2) == 0;
}

void CPlayer::AI_decideRunTo() {
  SORV_FRAME("CPlayer.AI_decideRunTo()V");
  if (CTennis::tutorialIndex != -1) {
    targetX = targetZ = 0;
    return;
  }
  const bool nearHalf = userTeamSide;
  if (AI_decideIsApproachNet()) {
    targetZ = nearHalf ? kNetZ + 4000 : kNetZ - 4000;
    targetX = kCentreX;
    return;
  }
  const int32_t level = levelOf(aiLevels, kKindRecovery);
  if (System::currentTimeMillis() - reactTime < kRecoveryWait[level]) {
    NpcStop(false);
    return;
  }

  int32_t tz = z;
  int32_t m = kCentreX;
  CPlayer* mate = CTennis::isDoubles ? CTennis::getPalPlayer(this) : nullptr;
  if (!isNull(mate)) {
    const int32_t s = nearHalf ? 1 : -1;
    const int32_t zMid = kNetZ + s * 9142, zNet = kNetZ + s * 6400, zBack = kNetZ + s * 11885;
    // "In front of" is towards the net, which lies on the other side of zMid for each half.
    const bool bothFront = nearHalf ? z <= zMid && mate->z < zMid : z >= zMid && mate->z > zMid;
    const bool bothBack = nearHalf ? z >= zMid && mate->z > zMid : z <= zMid && mate->z < zMid;
    if (bothFront) {
      tz = zBack;
    } else if (bothBack) {
      tz = zNet;
    }
    npcDecisionFrame--;
    const bool right = x > kCentreX;
    if (right != (mate->x > kCentreX)) {
      m = right ? kRightHalfCentre : kLeftHalfCentre;
      npcDecisionFrame = kNotCounting;
    } else {
      const int32_t k = (5425 - absolute(x - kCentreX)) * 8 / 5425;
      if (k < 0) {
        npcDecisionFrame = 0;
      } else if (k < npcDecisionFrame) {
        npcDecisionFrame = k;
      }
      if (npcDecisionFrame == 0) {
        m = right ? kLeftHalfCentre : kRightHalfCentre;
        npcDecisionFrame = kNotCounting;
      }
    }
  }

  const int32_t e = CGame::RAND(70, 100) * kRecoveryError[level] / 100;
  int32_t d = sign(x - m);
  if (CGame::RAND(0, 100) < 10) d = -d;
  if (absolute(x - m) > e) {
    targetX = m + d * e;
  } else if (tz == z) {
    NpcStop(false);
    return;
  }
  if (tz != z) targetZ = tz;
}

int32_t CPlayer::nearestAim(int32_t d1, int32_t d2, int32_t d3) {
  const int32_t k = d1 <= d2 ? 1 : 2;
  const int32_t dk = k == 1 ? d1 : d2;
  return d3 < dk ? 3 : k;
}

void CPlayer::aimCandidates(int32_t nearest, bool away, int32_t out[2]) {
  if (!away) {
    out[0] = out[1] = nearest;
    return;
  }
  out[0] = nearest == 1 ? 2 : 1;
  out[1] = nearest == 3 ? 2 : 3;
}

int32_t CPlayer::AI_decideReturnBallDir(CPlayer* target) {
  SORV_FRAME("CPlayer.AI_decideReturnBallDir(LCPlayer;)I");
  aimAway = getProbability(kKindAim, kYesNo, 2) == 0;
  const int32_t aimX = isNull(target) ? kCentreX : target->x;
  int32_t d[3];
  IntArray* point = Array::newIntArray(2);
  for (int32_t aim = 1; aim <= 3; aim++) {
    if (!isNull(point)) getPointOfFall(point, aim);
    d[aim - 1] = absolute(aload(point, 0) - aimX);
  }
  int32_t candidates[2];
  aimCandidates(nearestAim(d[0], d[1], d[2]), aimAway, candidates);
  Random* generator = CGame::random;
  const int32_t c = candidates[isNull(generator) ? 0 : nonNegativeMod(generator->nextInt(), 2)];
  if (absolute(z - kNetZ) <= 2000) return c + 3 * CGame::RAND(0, 1);
  if (getProbability(kKindStroke, kPowerOrPlain, 2) == 4) return c + 6;
  return c + 3 * CGame::RAND(0, 1);
}

int32_t CPlayer::AI_decideReturnType(CPlayer* target, int32_t /*unused*/) {
  SORV_FRAME("CPlayer.AI_decideReturnType(LCPlayer;I)I");
  if (isNull(target) || absolute(target->z - kNetZ) > 4000) return 0;
  return getProbability(kKindStroke, kAltOrPlain, 2) == 2 ? 2 : 0;
}

void CPlayer::npcReturnBall() {
  SORV_FRAME("CPlayer.npcReturnBall()V");
  CPlayer* user = CTennis::player;
  if (!isNull(user) && user->powerServe && user->powerServeHit) return;
  // One decision per ball: once a direction is chosen or the ball let go, the stroke runs.
  if (returnDir != -1 || abandonBall) return;
  abandonBall = AI_decideAbandonBall();
  if (abandonBall) return;

  CPlayer* target = CTennis::getRivalPlayer(this);
  if (CTennis::isDoubles && !isNull(target)) {
    CPlayer* mate = CTennis::getPalPlayer(target);
    if (!isNull(mate) && (target->userTeamSide ? mate->z > target->z : mate->z < target->z)) target = mate;
  }
  if (CTennis::tutorialIndex != -1) {
    setReturnBallDir(4);
    return;
  }
  setReturnBallDir(AI_decideReturnBallDir(target));
  RigidBody* b = CTennis::ball;
  const int32_t type = AI_decideReturnType(target, isNull(b) ? 0 : b->x);
  if (type == 2 && !CTennis::isDoubles) {
    setReturnBallDir(0);
  } else if (type == 1 && strikeState == 1 && (strokeType == 4 || strokeType == 5)) {
    doubleReturnBallDir();
  }
}

}  // namespace sorv
