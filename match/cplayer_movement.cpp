// How a player runs: the eight directions and three move states with their animations, the
// limits of its half, running to a point, and the fixed places of serve, return and training.
#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/cplayer_internal.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "sprites/cactor.h"

namespace sorv {

using namespace player_detail;

namespace {

constexpr int32_t kNet = RigidBody::kNetZ, kCentreX = 9085;
constexpr int32_t kServeStep = 3750;
constexpr int32_t kBaseDepth = 12385, kFrontDepth = 6900;
constexpr int32_t kServerX = 1028, kWideX = 3615, kReceiverPartnerX = 2712;
constexpr int32_t kIdleAnim = 20;
constexpr int32_t kNoBrakeRow = 4;
// Running animation by direction 1..8 and move state 1..3.
constexpr int32_t kMoveAnims[8][3] = {{11, 16, 3}, {12, 15, 4}, {10, 14, 2}, {9, 13, 1},
                                      {10, 15, 6}, {9, 13, 7},  {9, 15, 5},  {10, 14, 8}};
// Turns: per current direction 1..8, the directions that keep running (45 degrees) and the
// ones that restart it (90 degrees); every other change brakes.
constexpr int32_t kSmoothTurn[8][2] = {{5, 7}, {6, 8}, {5, 8}, {6, 7}, {1, 3}, {2, 4}, {1, 4}, {2, 3}};
constexpr int32_t kRestartTurn[8][2] = {{3, 4}, {3, 4}, {1, 2}, {1, 2}, {7, 8}, {7, 8}, {5, 6}, {5, 6}};

// Velocity (x, z) of a full-speed run in direction d (side 1's axes) and its animation row.
void runVelocity(int32_t d, int32_t t, int32_t* vxOut, int32_t* vzOut) {
  const int32_t side = shortAt(CPlayer::runSpeedSide, t), fwd = shortAt(CPlayer::runSpeedForward, t);
  const int32_t back = shortAt(CPlayer::runSpeedBack, t);
  const int32_t df = shortAt(CPlayer::runSpeedDiagForward, t), db = shortAt(CPlayer::runSpeedDiagBack, t);
  int32_t x = 0, z = 0;
  switch (d) {
    case 1: z = -fwd; break;
    case 2: z = back; break;
    case 3: x = side; break;
    case 4: x = -side; break;
    case 5: x = df; z = -df; break;
    case 6: x = -db; z = db; break;
    case 7: x = z = -df; break;
    case 8: x = z = db; break;
    default: break;
  }
  *vxOut = x;
  *vzOut = z;
}

int32_t percentOf(ObjectArray* table, int32_t row, int32_t column) {
  return intAt(static_cast<IntArray*>(rowAt(table, row)), column);
}

// The start-up row a run of e frames has reached: the first whose time covers e. A run that
// outlasted the table brakes as hard as its last row: turning a full-speed run without a brake
// would be a plain fault.
int32_t brakeRow(ObjectArray* starts, int32_t col, int32_t e) {
  if (isNull(starts) || starts->length == 0) return kNoBrakeRow;
  for (int32_t row = 0; row < starts->length; row++) {
    if (intAt(static_cast<IntArray*>(rowAt(starts, row)), col) >= e) return row;
  }
  return starts->length - 1;
}

int32_t sideSign(const CPlayer* p) { return p->userTeamSide ? 1 : -1; }

// sx of the fixed places: +1 on side 1 serving from the left, mirrored on side 0.
int32_t placeSign(const CPlayer* p, bool fromLeft) { return (p->userTeamSide == fromLeft) ? 1 : -1; }

}  // namespace

int32_t CPlayer::getMoveState(int32_t d) {
  const int32_t m = moveDir;
  if (m < 1 || m > 8) return 2;
  if (d == kSmoothTurn[m - 1][0] || d == kSmoothTurn[m - 1][1]) return 3;
  if (d == kRestartTurn[m - 1][0] || d == kRestartTurn[m - 1][1]) return 1;
  return 2;
}

void CPlayer::getMoveInfo(IntArray* out, int32_t d) {
  const int32_t t = attrSpeed - 1;
  if (d < 1 || d > 8) {
    const bool idle = (CTennis::matchState <= 2 || CTennis::idleFlag) && CGame::GET_CURRENT_STATE() != 44;
    astore(out, 0, idle ? kIdleAnim : 0);
    astore(out, 1, 0);
    astore(out, 2, 0);
    return;
  }
  int32_t x = 0, z = 0;
  runVelocity(d, t, &x, &z);
  if (!userTeamSide) {
    x = -x;
    z = -z;
  }
  const int32_t c = courtType(), col = clampInt(t, 0, 4);
  if (moveState == 1 || moveState == 2) {
    const int32_t pct = percentOf(moveState == 1 ? moveScale1 : moveScale2, c, col);
    x = idiv(x * pct, 100);
    z = idiv(z * pct, 100);
  }
  int32_t anim = kMoveAnims[d - 1][clampInt(moveState, 1, 3) - 1];
  x = idiv(x * 3, 2);
  z = idiv(z * 3, 2);
  if (serveSideStep) {
    anim = d == 4 ? 22 : 21;
    x = idiv(x * 4, 10);
    z = idiv(z * 4, 10);
  }
  astore(out, 0, anim);
  astore(out, 1, x);
  astore(out, 2, z);
}

int32_t CPlayer::waitReceiveMove(int32_t d) {
  static constexpr int32_t kWaitAnims[9] = {20, 23, 24, 21, 22, 23, 24, 23, 24};
  int32_t x = 0, z = 0;
  if (d >= 1 && d <= 8) runVelocity(d, attrSpeed - 1, &x, &z);
  x = idiv(x * 50, 100);
  z = idiv(z * 50, 100);
  if (!userTeamSide) {
    x = -x;
    z = -z;
  }
  vx = x;
  vz = z;
  return kWaitAnims[d >= 0 && d <= 8 ? d : 0];
}

void CPlayer::move(int32_t dir, bool force) {
  if (strikeState != 0) return;
  if (state != 1 && state != 5 && state != 6 && state != 7 && state != 9) return;
  if (dir == moveDir && !force) return;
  int32_t anim = 0, loop = 0;
  IntArray* info = moveInfo;
  if (state == 1) {
    const int32_t s = sideSign(this);
    anim = dir == 3 ? 18 : (dir == 4 ? 19 : 17);
    vx = dir == 3 ? s * kServeStep : (dir == 4 ? -s * kServeStep : 0);
    vz = 0;
  } else if (state == 9) {
    anim = waitReceiveMove(dir);
  } else {
    if (force) {
      moveState = 3;
      getMoveInfo(info, dir);
    } else if (moveDir == 0 && moveState != 2) {
      moveState = 1;
      moveStartFrame = CTennis::matchFrame - 3;
      getMoveInfo(info, dir);
      loop = -1;
    } else {
      if (sliding && moveState == 2) return;
      const int32_t next = sliding ? 2 : getMoveState(dir);
      if (next != 2) {
        moveState = next;
        getMoveInfo(info, dir);
        if (next == 1) loop = -1;
      } else {
        moveState = 2;
        getMoveInfo(info, moveDir);
        loop = -1;
        const int32_t e = CTennis::matchFrame - moveStartFrame;
        const int32_t col = clampInt(attrSpeed - 1, 0, 4);
        const int32_t k = brakeRow(startUpTimes, col, e);
        if (k == 0) {
          moveState = 1;
          getMoveInfo(info, dir);
        } else if (k < kNoBrakeRow && !isNull(animActor)) {
          ObjectArray* court = static_cast<ObjectArray*>(rowAt(brakingTable, courtType()));
          ObjectArray* row = static_cast<ObjectArray*>(rowAt(court, k));
          animActor->ownFrameTimes = frameTimes(static_cast<ByteArray*>(rowAt(row, col)));
        }
      }
    }
    anim = aload(info, 0);
    vx = aload(info, 1);
    vz = aload(info, 2);
  }
  play(this, 0, anim, loop);
  if (moveDir != 0) lastMoveDir = moveDir;
  moveDir = dir;
}

void CPlayer::manageMove() {
  if (moveState != 1 && moveState != 2) return move(0, true);
  int32_t loop = 0;
  if (moveState == 1) {
    moveState = 3;
  } else {
    if (moveDir == 0) {
      moveState = 3;
      if (!isNull(animActor)) animActor->ownFrameTimes = nullptr;
    } else {
      moveState = 1;
      loop = -1;
    }
    if (sliding) {
      CTennis::project3DTo2D(work, x, 0, z);
      CTennis::project2D2Logical(work);
      addSlipTrace(aload(work, 0), aload(work, 1), vx);
      if (this == CTennis::player.get() && CTennis::matchKind == CTennis::kKindMatch && courtType() == 0) {
        slideFlag = 1;
      }
    }
    sliding = false;
  }
  getMoveInfo(moveInfo, moveDir);
  play(this, 0, aload(moveInfo, 0), loop);
  vx = aload(moveInfo, 1);
  vz = aload(moveInfo, 2);
}

void CPlayer::onMoveAction() {
  if (vx == 0 && vz == 0) return;
  const int32_t zLow = userTeamSide ? 19300 : 1415, zHigh = userTeamSide ? 35185 : 17300;
  if (z < zLow) setZ(zLow);
  if (z > zHigh) setZ(zHigh);
  int32_t xLow = 3060, xHigh = 15110;
  if (state == 1) {
    const bool right = userTeamSide == serveFromLeft;  // the half of x above the centre
    xLow = right ? 9285 : 5170;
    xHigh = right ? 13000 : 8885;
  }
  const bool clamped = x < xLow || x > xHigh;
  if (x < xLow) setX(xLow);
  if (x > xHigh) setX(xHigh);
  if (clamped && type == kTypeComputer) targetFixed = 1;
}

bool CPlayer::runToXY(int64_t tx, int64_t tz) {
  const int64_t dx = tx - x, dz = tz - z;
  if (dx == 0 && dz == 0) return true;
  if (CGame::sqrt(dx * dx + dz * dz, 6) < 100) {
    move(0, false);
    return true;
  }
  const bool away = userTeamSide ? dz > 0 : dz < 0;
  const int64_t t = idiv(shortAt(away ? runDistanceBack : runDistanceForward, attrSpeed - 1), 7);
  int32_t dir = 0;
  if (dx >= -t && dx <= t) {
    dir = dz > t ? 1 : (dz < -t ? 2 : 0);
  } else if (dx < -t) {
    dir = dz > t ? 5 : (dz < -t ? 8 : 3);
  } else {
    dir = dz > t ? 7 : (dz < -t ? 6 : 4);
  }
  if (userTeamSide) dir = CGame::invertMoveDir(dir);
  move(dir, false);
  return dir == 0;
}

void CPlayer::runTo() {
  if (targetX == 0 && targetZ == 0) {
    if (CTennis::isDoubles && strikeState == 0) {
      if (state != 5 && state != 6) return move(0, false);
      if (CTennis::deadBallReason != 0) return move(0, false);
      if (wanderX != 0 || wanderZ != 0) {
        // The wander is a side step: its own animation, at a slower pace.
        serveSideStep = true;
        const bool there = runToXY(wanderX, wanderZ);
        serveSideStep = false;
        if (there) {
          wanderX = wanderZ = 0;
          wanderTimer = 0;
        }
        return;
      }
      if (wanderTimer == 0) {
        wanderTimer = CGame::RAND(13, 20);
      } else if (--wanderTimer == 0) {
        const int32_t s = x <= homeX ? 1 : -1;
        wanderX = homeX + s * CGame::RAND(500, 800);
        wanderZ = homeZ;
      }
    }
    return move(0, false);
  }
  if (targetX == 0) targetX = x;
  if (targetZ == 0) targetZ = z;
  if (!runToXY(targetX, targetZ)) return;
  if (CTennis::isDoubles) {
    homeX = targetX;
    homeZ = targetZ;
  }
  NpcStop(false);
  targetFixed = 1;
}

void CPlayer::setPos(int32_t px, int32_t pz) {
  setX(px);
  setZ(pz);
}

void CPlayer::positionServe(bool fromLeft, int32_t role) {
  serveFromLeft = fromLeft;
  const int32_t sz = sideSign(this), sx = placeSign(this, fromLeft);
  if (role == 0) {
    setPos(kCentreX + sx * kServerX, kNet + sz * kBaseDepth);
  } else {
    setPos(kCentreX - sx * kWideX, kNet + sz * kFrontDepth);
  }
  if (CTennis::isDoubles) {
    homeX = x;
    homeZ = z;
  }
}

void CPlayer::positionToReceiveServe(bool fromLeft, int32_t role) {
  serveFromLeft = fromLeft;
  const int32_t sz = sideSign(this), sx = placeSign(this, fromLeft);
  if (role == 0) {
    setPos(kCentreX + sx * kWideX, kNet + sz * kBaseDepth);
  } else {
    setPos(kCentreX - sx * kReceiverPartnerX, kNet + sz * kFrontDepth);
  }
  if (CTennis::isDoubles) {
    homeX = x;
    homeZ = z;
  }
}

void CPlayer::prepareServe(bool fromLeft, int32_t role) {
  SORV_FRAME("CPlayer.prepareServe(ZI)V");
  changeState(role == 0 ? 1 : 5);
  if (role != 0) resetSpeed();
  move(0, true);
  resetStrikeState();
  resetSpecialAction();
  positionServe(fromLeft, role);
  if (type != kTypeComputer) return;
  if (role == 0) {
    waitStartFrame = CTennis::matchFrame;
    waitFrames = CGame::RAND(12, 48);
  }
  npcDecisionFrame = 0x7FFFFFFF;
}

void CPlayer::prepareToReceiveServe(bool fromLeft, int32_t role) {
  SORV_FRAME("CPlayer.prepareToReceiveServe(ZI)V");
  changeState(role == 0 ? 9 : 6);
  move(0, true);
  resetStrikeState();
  resetSpecialAction();
  positionToReceiveServe(fromLeft, role);
  if (type != kTypeComputer) return;
  if (role == 0) {
    waitStartFrame = CTennis::matchFrame;
    waitFrames = CGame::RAND(0, 36);
    serveMoveDir = AI_decideServeMovDir();
  }
  npcDecisionFrame = 0x7FFFFFFF;
}

void CPlayer::onRivalReturnBall(CPlayer*) {
  resetStrikeState();
  changeState(6);
  strikeX = 0;
  if (type != kTypeComputer) return;
  abandonBall = false;
  reactTime = now();
  targetFixed = 0;
}

void CPlayer::onPalReturnBall() {
  if (type == kTypeComputer) {
    reactTime = now();
    targetFixed = 0;
  }
  changeState(5);
  if (strikeState != 0) {
    resetStrikeState();
    move(0, true);
  }
}

void CPlayer::trainingPrepareReceiveBall() {
  changeState(6);
  move(0, true);
  resetStrikeState();
  resetSpecialAction();
  if (CTennis::tutorialStep >= 2 && CTennis::tutorialStep <= 4) {
    x = prevX;
    z = prevZ;
  } else {
    x = kCentreX;
    z = kNet + sideSign(this) * kBaseDepth;
  }
}

void CPlayer::startTrainingThrowBall() {
  resetSpeed();
  resetStrikeState();
  strikeState = 2;
  x = kCentreX;
  state = 6;
  swingFrames = 3;
  z = kNet + sideSign(this) * kBaseDepth;
  play(this, 1, 24, -1);
}

void CPlayer::trainingThrowBall() {
  p0 = 12;
  p1 = 6;
  p2 = 6;
  p3 = 4;
  setReturnBallDir(4);
  if (!isNull(match)) match->serveBall();
}

void CPlayer::strikeMoveTo(int32_t target, int32_t time) {
  vx = time > 0 ? static_cast<int32_t>(ldiv(int64_t{target - x} * 1000, time)) : target;
}

void CPlayer::strikeMoveToZ(int32_t target, int32_t time) {
  vz = time > 0 ? static_cast<int32_t>(ldiv(int64_t{target - z} * 1000, time)) : target;
}

void CPlayer::addSlipTrace(int32_t lx, int32_t ly, int32_t svx) {
  if (isNull(slipTrace)) resetSlipTrace();
  IntArray* row = static_cast<IntArray*>(aload(slipTrace.get(), slipTraceNext));
  astore(row, 0, lx);
  astore(row, 1, ly);
  astore(row, 2, svx);
  slipTraceNext = (slipTraceNext + 1) % kSlipTraceRows;
  slipTraceShown = svx != 0;
}

void CPlayer::resetSlipTrace() {
  if (isNull(slipTrace)) {
    slipTrace = Array::newObjectArray(0, kSlipTraceRows);
    for (int32_t i = 0; i < kSlipTraceRows && !isNull(slipTrace.get()); i++) {
      astore(slipTrace.get(), i, static_cast<Object*>(Array::newIntArray(3)));
    }
  }
  for (int32_t i = 0; i < kSlipTraceRows; i++) {
    IntArray* row = static_cast<IntArray*>(aload(slipTrace.get(), i));
    for (int32_t k = 0; k < 3; k++) astore(row, k, 0);
  }
  slipTraceNext = 0;
  slipTraceShown = false;
}

}  // namespace sorv
