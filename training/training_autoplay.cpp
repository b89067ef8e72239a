// The self-playing user in training (SORV_AUTOPLAY), test tooling: it holds the keys a user
// would, in play only. Serve: OK starts the meter, a direction at the meter's best frame
// tosses and aims at the board, letting go strikes. Power and Accuracy: it runs across to
// where the ball will cross its line and aims the return at a tank or the checkpoint. Step:
// it walks to the next bonus, then to the circle. Questions, pages and the in-game menu stay
// the script's.
#include <cstdlib>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/array.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {
namespace {

using T = CTraining;

constexpr int32_t kKey5 = 1 << 5;
// Keypad digits by screen direction: up is toward the far end (z falling).
constexpr int32_t kUpLeft = 1 << 1, kUp = 1 << 2, kUpRight = 1 << 3, kLeft = 1 << 4, kRight = 1 << 6;
constexpr int32_t kDownLeft = 1 << 7, kDown = 1 << 8, kDownRight = 1 << 9;
constexpr int32_t kNear = 250;       // mm: close enough to stop
constexpr int32_t kBrakeDivisor = 4;  // mm of run-on per mm/s of speed, inverted
constexpr int32_t kAimBand = 1200;   // mm across the middle aimed straight
constexpr int32_t kCentreX = 9085;
// Where the user waits for a feed: inside the baseline, nearer the bounce.
constexpr int32_t kHomeZ = 28500, kNetHomeZ = 21500;
constexpr int32_t kReachOffset = 600;  // the ball passes at the racket's side, not the body

// -1, 0 or 1 toward a target d away while moving at v: a runner carries on for a while
// after letting go, so it lets go early, and never pushes against its own run.
int32_t toward(int32_t d, int32_t v) {
  const int32_t stop = kNear + std::abs(v) / kBrakeDivisor;
  if (d > stop && v >= 0) return 1;
  if (d < -stop && v <= 0) return -1;
  return 0;
}

// The digit that walks a player toward (tx, tz); none once there.
int32_t walkKey(CPlayer* p, int32_t tx, int32_t tz) {
  const int32_t h = toward(tx - p->x, p->vx), v = toward(tz - p->z, p->vz);
  constexpr int32_t keys[3][3] = {{kUpLeft, kUp, kUpRight}, {kLeft, 0, kRight}, {kDownLeft, kDown, kDownRight}};
  return keys[v + 1][h + 1];
}

// The far row's digit aiming at x: left, straight or right.
int32_t aimKey(int32_t x) {
  if (x < kCentreX - kAimBand) return kUpLeft;
  if (x > kCentreX + kAimBand) return kUpRight;
  return kUp;
}

int32_t serveKeys(CPlayer* p) {
  switch (p->state) {
    case CPlayer::kStateServe: return kKey5;
    case 2: {
      // Any digit held tosses, OK's 5 too: nothing until the best frame.
      CActor* meter = CTennis::sharedActor;
      if (isNull(meter) || isNull(meter->sprite)) return 0;
      const int32_t best = (meter->sprite->GetAFrames(meter->animation) + 1) / 2;
      if (meter->currentFrame < best) return 0;
      RigidBody* board = T::target;
      return isNull(board) ? kUp : aimKey(board->x);
    }
    default: return 0;
  }
}

// Where the ball crosses the player's depth, by its present course.
int32_t crossingX(RigidBody* b, int32_t z) {
  if (b->vz == 0) return b->x;
  return b->x + static_cast<int32_t>(int64_t{b->vx} * (z - b->z) / b->vz);
}

int32_t targetX() {
  if (T::game == T::kGamePower) {
    RigidBody* nearest = nullptr;
    for (int32_t i = 0; !isNull(T::tanks) && i < T::kTankSlots; i++) {
      RigidBody* tank = static_cast<RigidBody*>(aload(T::tanks.get(), i));
      if (!isNull(tank) && (isNull(nearest) || tank->z > nearest->z)) nearest = tank;
    }
    return isNull(nearest) ? kCentreX : nearest->x;
  }
  RigidBody* cp = T::checkPoint;
  return isNull(cp) ? kCentreX : cp->x;
}

int32_t returnKeys(CPlayer* p) {
  RigidBody* b = CTennis::ball;
  const int32_t aim = aimKey(targetX());
  // A prepared stroke takes the aim; any other held digit would run.
  if (p->strikeState != 0 || p->state == CPlayer::kStateStrike) return aim;
  const int32_t home = T::game == T::kGameNetAccuracy ? kNetHomeZ : kHomeZ;
  if (isNull(b) || b->bounceCount >= 2 || b->vz <= 0) return walkKey(p, p->x, home);
  const int32_t side = p->forehandSide ? -kReachOffset : kReachOffset;
  return walkKey(p, crossingX(b, home) + side, home);
}

int32_t stepKeys(CPlayer* p) {
  RigidBody* goal = nullptr;
  if (T::circleOpen) {
    goal = T::circle;
  } else if (!isNull(T::bonuses) && T::nextBonus >= 0 && T::nextBonus < T::bonuses->length) {
    goal = static_cast<RigidBody*>(aload(T::bonuses.get(), T::nextBonus));
  }
  return isNull(goal) ? 0 : walkKey(p, goal->x, goal->z);
}

}  // namespace

void CTraining::autoplayKeys() {
  CPlayer* p = player;
  if (isNull(p)) return;
  int32_t held = 0;
  switch (game) {
    case kGameServe: held = serveKeys(p); break;
    case kGameStep: held = stepKeys(p); break;
    default: held = returnKeys(p); break;
  }
  CGame::keysPressed |= held & ~CGame::keysHeld;
  CGame::keysHeld = held;
}

}  // namespace sorv
