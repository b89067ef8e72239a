// RigidBody's object: construction, statics, the per-frame driver and its reactions.
#include "match/rigid_body.h"

#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/frames.h"
#include "runtime/java_int.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/util_random.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "training/ctraining.h"

namespace sorv {

SORV_REF_FIELDS(RigidBody, SORV_REF_OFFSET(RigidBody, match), SORV_REF_OFFSET(RigidBody, screenPos),
                SORV_REF_OFFSET(RigidBody, actor), SORV_REF_OFFSET(RigidBody, barriers),
                SORV_REF_OFFSET(RigidBody, collisionPoint), SORV_REF_OFFSET(RigidBody, markActor),
                SORV_REF_OFFSET(RigidBody, route), SORV_REF_OFFSET(RigidBody, routeWork),
                SORV_REF_OFFSET(RigidBody, routePos), SORV_REF_OFFSET(RigidBody, routeVelIn),
                SORV_REF_OFFSET(RigidBody, routeVelOut), SORV_REF_OFFSET(RigidBody, routeTimes),
                SORV_REF_OFFSET(RigidBody, tail));

StaticRef<ObjectArray> RigidBody::routeTable;
StaticRef<ObjectArray> RigidBody::ballTrace;
int32_t RigidBody::ballTraceIndex = 0;
StaticRef<IntArray> RigidBody::pointOfFallFrames;
int32_t RigidBody::constantTwo = 0;
bool RigidBody::recording = false;
StaticRef<IntArray> RigidBody::recordBuffer;
StaticRef<IntArray> RigidBody::solverStart;
StaticRef<IntArray> RigidBody::solverOut;

namespace {

constexpr int32_t kTrainingState = 44;
constexpr int32_t kBallTraceSlots = 20;
constexpr int32_t kRecordLength = 90;
constexpr int32_t kMarkAnimation = 2;
constexpr int32_t kMarkSpeed = 10000;  // slower ground contacts leave no mark
constexpr int32_t kSpinKeptPercent = 65;

// The route samples: {height, bounce index, later crossing}.
constexpr int32_t kRouteTable[RigidBody::kRoutePoints][3] = {
    {3000, 0, 1}, {2200, 0, 1}, {1600, 0, 1}, {0, 0, 1},    {0, 0, 1},
    {0, 0, 0},    {1600, 0, 0}, {2200, 0, 0}, {3000, 0, 0}, {3000, 1, 1},
    {2200, 1, 1}, {1600, 1, 1}, {0, 1, 1},    {0, 1, 1}};

ObjectArray* intTable(int32_t rows, int32_t columns) {
  ObjectArray* table = Array::newObjectArray(kIntArray, rows);
  for (int32_t r = 0; r < rows && !isNull(table); r++) astore(table, r, Array::newIntArray(columns));
  return table;
}

}  // namespace

void RigidBody::clinit() {
  ballTrace = intTable(kBallTraceSlots, 2);
  ballTraceIndex = 0;
  pointOfFallFrames = Array::fillInts(Array::newIntArray(3), {15, 29, 30});
  routeTable = intTable(kRoutePoints, 3);
  for (int32_t r = 0; r < kRoutePoints; r++)
    Array::fillInts(static_cast<IntArray*>(aload(routeTable.get(), r)), kRouteTable[r], 3);
  solverStart = Array::newIntArray(3);
  solverOut = Array::newIntArray(3);
  constantTwo = 2;
  recording = false;
}

SORV_STATIC_INIT(kRigidBody, RigidBody::clinit);

RigidBody* RigidBody::create(CTennis* match, int32_t width, int32_t height, int32_t axis,
                             ObjectArray* barriers, int32_t type) {
  RigidBody* body = newObject<RigidBody>();
  if (body != nullptr) body->construct(match, width, height, axis, barriers, type);
  return body;
}

RigidBody* RigidBody::create(CTennis* match, int32_t type) {
  return create(match, 0, 0, 0, nullptr, type);
}

void RigidBody::construct(CTennis* owner, int32_t width, int32_t height, int32_t axis,
                          ObjectArray* given, int32_t kind) {
  SORV_FRAME("RigidBody.<init>(LCTennis;III[LRigidBody;I)V");
  ballLossX = ballLossY = ballLossZ = 0;
  type = kTypeNone;  // no ball look is chosen while the spin is set below
  scheduleTime = -1;
  screenPos = Array::newIntArray(2);
  colour = 0xFF0000;
  collisionPoint = Array::newIntArray(3);
  match = owner;
  setAngularVelocity(0);
  speedFactor = 100;
  setCollisionBox(width, height, axis);
  type = kind;
  barriers = Array::newObjectArray(kRigidBody, kBarrierSlots);
  if (!isNull(given)) {
    const int32_t n = given->length < kBarrierSlots ? given->length : kBarrierSlots;
    for (int32_t i = 0; i < n; i++) astore(barriers, i, aload(given, i));
  }
  Random* generator = CGame::random.get();
  if (isNull(generator)) {
    reportError("NullPointer");
  } else {
    colour = nonNegativeMod(generator->nextInt(), 0x1000000);
  }
  if (isBall()) {
    constructBall();
    initBallVar();
  }
}

void RigidBody::init(IntArray* position, IntArray* velocity, IntArray* acceleration) {
  SORV_FRAME("RigidBody.init([I[I[I)V");
  const bool placed = position != nullptr;
  setX(placed ? aload(position, 0) : 0);
  setY(placed ? aload(position, 1) : 0);
  setZ(placed ? aload(position, 2) : 0);
  const bool moving = velocity != nullptr;
  vx = moving ? aload(velocity, 0) : 0;
  vy = moving ? aload(velocity, 1) : 0;
  vz = moving ? aload(velocity, 2) : 0;
  const bool pushed = acceleration != nullptr;
  ax = pushed ? aload(acceleration, 0) : 0;
  ay = pushed ? aload(acceleration, 1) : 0;
  az = pushed ? aload(acceleration, 2) : 0;
}

void RigidBody::constructBall() {
  SORV_FRAME("RigidBody.constructBall()V");
  tail = intTable(3, 3);
  recordBuffer = Array::newIntArray(kRecordLength);
  route = intTable(kRoutePoints, 2);
  markActor = CActor::create(CTennis::hudSprite.get(), kMarkAnimation, -1);
  markX = markZ = kNoPoint;
  fallMarkKind = 0;
  resetBallTrace();
}

void RigidBody::initBallVar() {
  SORV_FRAME("RigidBody.initBallVar()V");
  routeVelOut = Array::newIntArray(3);
  routeVelIn = Array::newIntArray(3);
  routePos = Array::newIntArray(3);
  routeWork = Array::newObjectArray(kObjectArray, kRouteRows);
  for (int32_t k = 0; k < kRouteRows && !isNull(routeWork); k++) astore(routeWork, k, intTable(2, 3));
  routeTimes = Array::newIntArray(2);
}

String* RigidBody::toString() {
  SORV_FRAME("RigidBody.toString()Ljava/lang/String;");
  StringBuffer* sb = StringBuffer::create(16);
  if (isNull(sb)) return nullptr;
  auto triple = [sb](int32_t a, int32_t b, int32_t c) {
    StringBuffer::appendInt(sb, a);
    StringBuffer::appendChar(sb, ',');
    StringBuffer::appendInt(sb, b);
    StringBuffer::appendChar(sb, ',');
    StringBuffer::appendInt(sb, c);
  };
  StringBuffer::appendChar(sb, '[');
  StringBuffer::appendInt(sb, type);
  StringBuffer::appendString(sb, StaticClass::getConstant(0));
  triple(x, y, z);
  StringBuffer::appendString(sb, StaticClass::getConstant(1));
  triple(vx, vy, vz);
  StringBuffer::appendString(sb, StaticClass::getConstant(2));
  triple(ax, gravity(), az);
  StringBuffer::appendChar(sb, ')');
  StringBuffer::appendInt(sb, vectorToScalar(vx, vy, vz, 12));
  StringBuffer::appendChar(sb, ']');
  return sb->toString();
}

void RigidBody::reset() {
  SORV_FRAME("RigidBody.reset()V");
  setX(0);
  setY(0);
  setZ(0);
  vx = vy = vz = 0;
  ax = ay = az = 0;
  setCollisionBox(0, 0, kBitGround);
  removeAllBarrier();
  actor = nullptr;
  hitCount = 0;
  bounceLoss = 0;
  speedFactor = 100;
  setSchedule(0, 0, 0, 0, 0, false);
  scheduled = false;
  routeValid = false;
  if (!isBall()) {
    type = kTypeNone;
    return;
  }
  type = kTypeBall;
  bounceCount = 0;
  markX = markZ = kNoPoint;
  flightFrames = 0;
}

void RigidBody::update() {
  SORV_FRAME("RigidBody.update()V");
  if (type == kTypeBall) updateBlurTail();
  updateState();
  bool hit = false;
  int32_t axis = 0, plane = 0, loss = 0;
  ObjectArray* slots = barriers;
  for (int32_t i = 0; i < kBarrierSlots; i++) {
    RigidBody* b = static_cast<RigidBody*>(aload(slots, i));
    if (isNull(b)) continue;
    const bool touched =
        isCollideRect(collisionPoint, b->boxAxis, b->x, b->y, b->z, b->boxWidth, b->boxHeight) ||
        b->isCollideRect(collisionPoint, boxAxis, x, y, z, boxWidth, boxHeight);
    if (!touched) continue;
    hit = true;
    axis = b->boxAxis;
    plane = (axis & kAxisX) != 0 ? b->x : (axis & kAxisY) != 0 ? b->y : b->z;
    loss = b->bounceLoss;
    onCollideWith(b, collisionPoint);
    b->onCollideWith(this, collisionPoint);
  }
  if (hit && stepped) handleCollideRect(axis, plane, loss);
  stepped = true;
  const int32_t dir = getCollisionDir();
  if (dir != 0) {
    handleCollision(dir);
    onCollision(dir, collisionX, collisionY, collisionZ);
  }
  if (vx != 0 || vy != 0 || vz != 0) onMoveAction();
  updateScreen();
  if (isBall()) flightFrames++;
}

void RigidBody::onCollision(int32_t dir, int32_t cx, int32_t cy, int32_t cz) {
  SORV_FRAME("RigidBody.onCollision(IIII)V");
  if (!isBall()) return;
  bounceCount++;
  if (isNull(match)) {
    reportError("NullPointer");
  } else {
    match->onBallCollision(this, dir, cx, cy, cz);
  }
  if ((dir & kBitGround) != 0 && markX == kNoPoint && vectorToScalar(vx, vy, vz, 5) >= kMarkSpeed) {
    markX = cx;
    markZ = cz;
    if (isNull(markActor)) {
      reportError("NullPointer");
    } else {
      markActor->SetCurrentFrame(0, false);
    }
  }
  setAngularVelocity(angularVelocity * kSpinKeptPercent / 100);
}

namespace {

// A coordinate reached its target when it crossed or touched it in the last step.
bool reached(int32_t now, int32_t before, int32_t target) {
  const int32_t a = now - target, b = before - target;
  return a == 0 || b == 0 || (a < 0) != (b < 0);
}

}  // namespace

void RigidBody::onMoveAction() {
  SORV_FRAME("RigidBody.onMoveAction()V");
  if (isBall()) {
    CTennis::onBallMove();
    return;
  }
  if (!scheduled) return;
  bool arrived;
  if (x != prevX) {
    arrived = reached(x, prevX, scheduleToX);
  } else {
    arrived = z != prevZ && reached(z, prevZ, scheduleToZ);
  }
  if (!arrived) return;
  if (scheduleReturn) {
    setSchedule(scheduleToX, scheduleToZ, scheduleFromX, scheduleFromZ, scheduleTime, true);
  } else {
    vx = vy = vz = 0;
  }
}

void RigidBody::onCollideWith(RigidBody* other, IntArray* point) {
  SORV_FRAME("RigidBody.onCollideWith(LRigidBody;[I)V");
  if (CGame::GET_CURRENT_STATE() == kTrainingState) CTraining::onCollidsion(other, this, point);
  hitCount++;
}

void RigidBody::setSpeedFactor(int32_t percent) {
  // The step divides 7000 (a ball's tail 2100) by the factor: both need at least 1.
  const int32_t top = isBall() ? kMaxBallSpeedFactor : kMaxSpeedFactor;
  speedFactor = percent < 1 ? 1 : percent > top ? top : percent;
}

void RigidBody::setCollisionBox(int32_t width, int32_t height, int32_t axis) {
  boxWidth = width;
  boxHeight = height;
  boxAxis = axis;
}

void RigidBody::resetHitGroundEffect() { markX = markZ = kNoPoint; }

}  // namespace sorv
