// RigidBody, the fixed-point body of the match: the ball, the players (CPlayer) and the
// objects of the training games. Positions are court millimetres (x across, y up, z along
// the court, the net at 18300), velocities mm/s; a frame is ten integration sub-steps of
// 1/70 s at speed factor 100. The world box is y 0..10000, x 0..18290, z -2000..36600.
//
// Invariants:
// - Every quantity is a 32-bit int with Java's wrap-around; products that can pass 2^31 are
//   formed in 64 bits where the solvers say so.
// - speedFactor stays within 1..7000, and 1..2100 for a ball (its tail step divides 2100 by
//   it) when set through setSpeedFactor or trimToReachZ.
// - A solver without a solution returns -1 (ParseTimeUseH null) and leaves its out arrays
//   as they were; no solver lets an ArithmeticException or IllegalArgumentException out.
// - The 13 reference fields below are the class's reference list; ball-only arrays are
//   null on other bodies.
// Called by the match, the players and training; game thread only.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"
#include "tools/data/court_geometry.h"

namespace sorv {

class CActor;
class CTennis;
class String;

class RigidBody : public Object {
 public:
  static constexpr ClassId kClassId = kRigidBody;
  // The ball types (the pool hands them out for training levels).
  static constexpr int32_t kTypeBall = 6, kTypeOtherBall = 10;
  static constexpr int32_t kTypeHuman = 0, kTypeComputer = 1, kTypeBallKid = 8, kTypeNone = -1;
  static constexpr int32_t kBarrierSlots = 30;
  // Marks "no point" in every marker field and route point.
  static constexpr int32_t kNoPoint = -118850;
  static constexpr int32_t kGravity = 10000;
  static constexpr int32_t kNetZ = court::kNetZ;
  // World planes and their axis bits.
  static constexpr int32_t kCeilingY = court::kCeilingY, kSideX = court::kSideX;
  static constexpr int32_t kFarEndZ = court::kFarEndZ, kNearEndZ = court::kNearEndZ;
  static constexpr int32_t kBitCeiling = 1, kBitGround = 2, kBitSideHigh = 4, kBitSideLow = 8;
  static constexpr int32_t kBitEndHigh = 16, kBitEndLow = 32;
  static constexpr int32_t kAxisY = 3, kAxisX = 12, kAxisZ = 48;
  static constexpr int32_t kWallLoss = 90;
  static constexpr int32_t kMaxSpeedFactor = 7000, kMaxBallSpeedFactor = 2100;
  static constexpr int32_t kRoutePoints = 14, kRouteRows = 5;

  int32_t x = 0, y = 0, z = 0;
  int32_t prevX = 0, prevY = 0, prevZ = 0;
  int32_t vx = 0, vy = 0, vz = 0;
  int32_t ax = 0, ay = 0, az = 0;  // own acceleration; gravity is not in ay
  int32_t lift = 0;                // vertical acceleration of the spin
  int32_t angularVelocity = 0;     // -63..63
  int32_t collisionX = 0, collisionY = 0, collisionZ = 0;
  int32_t speedFactor = 0;  // percent of normal time flow
  int32_t ballLossX = 0, ballLossY = 0, ballLossZ = 0;
  int32_t bounceLoss = 0;  // what a body striking this one loses
  CTennis* match = nullptr;
  int32_t hitCount = 0;
  int32_t boxWidth = 0, boxHeight = 0, boxAxis = 0;
  int32_t type = 0;
  bool scheduled = false;
  int32_t scheduleFromX = 0, scheduleFromZ = 0, scheduleToX = 0, scheduleToZ = 0;
  int32_t scheduleTime = 0;
  bool scheduleReturn = false;
  IntArray* screenPos = nullptr;  // int[2]
  CActor* actor = nullptr;
  ObjectArray* barriers = nullptr;  // RigidBody[30]
  int32_t colour = 0;
  IntArray* collisionPoint = nullptr;  // int[3]
  bool stepped = false;                // a first-frame barrier hit is not answered
  // Ball only.
  int32_t bounceCount = 0;
  CActor* markActor = nullptr;
  int32_t markX = 0, markZ = 0;
  int32_t routeStep = 0;
  int32_t trailKind = 0;
  int32_t fallX = 0, fallZ = 0;
  int32_t fallMarkKind = 0;
  int32_t flightFrames = 0;
  ObjectArray* route = nullptr;      // int[14][2] of (x, z)
  ObjectArray* routeWork = nullptr;  // int[5][2][3]: per segment {start, velocity}
  IntArray* routePos = nullptr;      // int[3] scratch
  IntArray* routeVelIn = nullptr;    // int[3] scratch
  IntArray* routeVelOut = nullptr;   // int[3] scratch
  IntArray* routeTimes = nullptr;    // int[2]
  int32_t flightSpeed = 0;
  bool routeValid = false;
  ObjectArray* tail = nullptr;  // int[3][3]

  // Statics (RigidBody.<clinit>).
  static StaticRef<ObjectArray> routeTable;  // int[14][3]: {height, bounce, later crossing}
  static StaticRef<ObjectArray> ballTrace;   // int[20][2] ring of bounce marks
  static int32_t ballTraceIndex;
  static StaticRef<IntArray> pointOfFallFrames;  // {15, 29, 30}
  static int32_t constantTwo;
  static bool recording;
  static StaticRef<IntArray> recordBuffer;  // int[90]: the last 30 tail points
  static StaticRef<IntArray> solverStart;   // int[3] scratch of calculateInitialVelocity
  static StaticRef<IntArray> solverOut;
  static void clinit();

  // RigidBody.<init>(LCTennis;III[LRigidBody;I)V and <init>(LCTennis;I)V: newObject and
  // construct. Null when the heap is exhausted.
  static RigidBody* create(CTennis* match, int32_t width, int32_t height, int32_t axis,
                           ObjectArray* barriers, int32_t type);
  static RigidBody* create(CTennis* match, int32_t type);
  void construct(CTennis* match, int32_t width, int32_t height, int32_t axis,
                 ObjectArray* barriers, int32_t type);
  // Position (also the previous one), velocity, acceleration; null means zero.
  void init(IntArray* position, IntArray* velocity, IntArray* acceleration);
  void constructBall();
  void initBallVar();

  String* toString() override;       // slot 3
  virtual void reset();              // slot 6
  virtual void update();             // slot 7
  virtual void onCollision(int32_t dir, int32_t cx, int32_t cy, int32_t cz);  // slot 8
  virtual void onMoveAction();       // slot 9
  virtual void paint();              // slot 10

  void onCollideWith(RigidBody* other, IntArray* point);
  void setSpeedFactor(int32_t percent);
  void setCollisionBox(int32_t width, int32_t height, int32_t axis);
  void resetHitGroundEffect();
  bool isBall() const { return type == kTypeBall || type == kTypeOtherBall; }

  // --- Physics (rigid_body_physics.cpp).
  int32_t updateState();
  int32_t isOnCollisionBoundary();
  int32_t getCollisionDir();
  void handleCollision(int32_t bits);
  void handleCollideRect(int32_t axes, int32_t plane, int32_t loss);
  bool isCollideRect(IntArray* out, int32_t axes, int32_t a, int32_t b, int32_t c, int32_t h,
                     int32_t w);
  void setAngularVelocity(int32_t spin);
  void getVelocity(IntArray* out);
  void removeAllBarrier();
  void setX(int32_t value);
  void setY(int32_t value);
  void setZ(int32_t value);
  void setSchedule(int32_t x0, int32_t z0, int32_t x1, int32_t z1, int32_t time, bool back);
  void updateScreen();
  void updateBlurTail();
  void clearTail();
  static void startRecord();
  static void stopRecord();
  static void resetBallTrace();
  static void addBallTrace(int32_t px, int32_t pz);

  // --- Drawing layers (rigid_body_drawing.cpp).
  void paintShadow();
  void paintPointOfFall();
  void paintOrbit();
  static void paintBallTrace();

  // --- Trajectory solvers (route_solvers.cpp). Ticks are 1/50 s.
  void computePositionAt(IntArray* out, IntArray* v, IntArray* p, int32_t t);
  void computeVelocityAt(IntArray* out, IntArray* v, int32_t t);
  void reflectVelocityY(IntArray* out, IntArray* v);
  IntArray* ParseTimeUseH(int32_t vy0, int32_t y0, int32_t h);
  int32_t parseTimeUseMaxH(IntArray* target, int32_t apex);
  int32_t calculateInitialVelocity(IntArray* out, IntArray* start, IntArray* target, int32_t t);
  int32_t calculateInitialVelocity(IntArray* target, int32_t t);
  int32_t calculateInitialVelocity(IntArray* out, IntArray* target, int32_t apex);
  int32_t calculateInitialVelocity(IntArray* out, int32_t apex, IntArray* target, int32_t netH);
  int32_t calculateInitialVelocity(IntArray* out, IntArray* target, int32_t speed, int32_t netH);
  int32_t parseTimeInterval(IntArray* out, int32_t speed, IntArray* target);
  int32_t parseTimeInterval(IntArray* out, IntArray* target, int32_t netH);
  int32_t calculateCoordOnNet(IntArray* out, IntArray* v);
  void parseOrbitEquation(ObjectArray* segments, int32_t n);
  void calculateRouteInfo();
  int32_t getXOnBallRoute(int32_t zt);
  int32_t computeActualFrameCountToZ(int32_t zt);
  int32_t computeDesireFrameCountToZ(int32_t zt);
  int32_t trimToReachZ(int32_t zt, int32_t frames);
  static int32_t vectorToScalar(int64_t vx, int64_t vy, int64_t vz, int32_t precision);

  // The effective vertical acceleration of the solvers and the step.
  int32_t gravity() const { return lift + ay - kGravity; }
};

}  // namespace sorv
