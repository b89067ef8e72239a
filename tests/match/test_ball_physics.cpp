#include <gtest/gtest.h>

#include <vector>

#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "runtime/string.h"
#include "tests/match/match_fixture.h"

namespace sorv::test {
namespace {

using BallTest = MatchTest;

TEST_F(BallTest, FallingBallFramesAndBounce) {
  RigidBody* b = ball({9000, 1000, 20000});
  struct Frame {
    int32_t y, vy;
  };
  const Frame frames[] = {{900, -1420}, {597, -2840}, {87, -4260}, {87, 5680}};
  for (const Frame& f : frames) {
    b->update();
    EXPECT_EQ(b->y, f.y);
    EXPECT_EQ(b->vy, f.vy);
  }
  EXPECT_EQ(b->bounceCount, 1);
  EXPECT_EQ(std::vector<int32_t>({b->collisionX, b->collisionY, b->collisionZ}),
            std::vector<int32_t>({9000, 0, 20000}));
  EXPECT_EQ(b->flightFrames, 4);
}

TEST_F(BallTest, CourtLossesAndTail) {
  CTennis::courtLossX = 10;
  CTennis::courtLossY = 30;
  CTennis::courtLossZ = 20;
  RigidBody* b = ball({9000, 1000, 20000}, {1400, 0, 7000});
  b->update();
  const std::vector<std::vector<int32_t>> tail = {{9066, 977, 20333}, {9133, 931, 20666}, {9200, 863, 20999}};
  for (int32_t i = 0; i < 3; i++) EXPECT_EQ(row(b->tail, i), tail[i]) << "tail point " << i;
  for (int32_t f = 2; f <= 4; f++) b->update();
  EXPECT_EQ(std::vector<int32_t>({b->vx, b->vy, b->vz}), std::vector<int32_t>({1260, 3976, 5600}));
  EXPECT_EQ(std::vector<int32_t>({b->collisionX, b->collisionY, b->collisionZ}),
            std::vector<int32_t>({9621, 0, 23105}));
}

TEST_F(BallTest, WallsRestAndSlowRebounds) {
  struct Case {
    const char* what;
    std::vector<int32_t> p, v;
    int32_t ay;
    std::vector<int32_t> after;  // x, y, vx, vy
  };
  const Case cases[] = {
      {"side wall mirrors", {18000, 5000, 20000}, {7000, 0, 0}, 10000, {17580, 5000, -700, 0}},
      {"resting on the ground", {9000, 0, 20000}, {0, 0, 0}, 0, {9000, 0, 0, 0}},
      {"slow rebound stops", {9000, 50, 20000}, {0, 0, 0}, 0, {9000, 50, 0, 0}},
  };
  for (const Case& c : cases) {
    RigidBody* b = ball({c.p[0], c.p[1], c.p[2]}, {c.v[0], c.v[1], c.v[2]});
    b->ay = c.ay;
    b->update();
    EXPECT_EQ(std::vector<int32_t>({b->x, b->y, b->vx, b->vy}), c.after) << c.what;
  }
  RigidBody* resting = ball({9000, 0, 20000});
  EXPECT_EQ(resting->isOnCollisionBoundary(), RigidBody::kBitGround);
  resting->update();
  EXPECT_EQ(resting->bounceCount, 0) << "a body at rest on the ground is not bouncing";
}

TEST_F(BallTest, RectangleCrossing) {
  struct Case {
    const char* what;
    std::vector<int32_t> prev, now;
    int32_t axes;
    bool hit;
    std::vector<int32_t> out;
  };
  const std::vector<int32_t> untouched = {7, 7, 7};
  const Case cases[] = {
      {"no axis", {0, 0, 17000}, {0, 0, 19000}, 0, false, untouched},
      {"crossing z", {0, 0, 17000}, {200, 100, 19000}, 48, true, {130, 65, 18300}},
      {"ending on the plane from below", {0, 0, 17000}, {0, 0, 18300}, 48, true, {0, 0, 18300}},
      {"ending on the plane from above", {0, 0, 19000}, {0, 0, 18300}, 48, false, untouched},
      {"lying in the plane", {0, 0, 18300}, {10, 0, 18300}, 48, true, untouched},
      {"outside the box", {5000, 0, 17000}, {5000, 0, 19000}, 48, false, {5000, 0, 18300}},
      {"crossing x", {-100, 50, 18300}, {100, 50, 18300}, 12, true, {0, 50, 18300}},
      {"crossing y", {0, 100, 18300}, {0, -100, 18300}, 3, true, {0, 0, 18300}},
  };
  for (const Case& c : cases) {
    RigidBody* b = ball({0, 0, 0});
    b->prevX = c.prev[0], b->prevY = c.prev[1], b->prevZ = c.prev[2];
    b->x = c.now[0], b->y = c.now[1], b->z = c.now[2];
    gOut = ints({7, 7, 7});
    // A box 2000 across, 1000 high, centred at (0, 0, 18300).
    EXPECT_EQ(b->isCollideRect(gOut, c.axes, 0, 0, 18300, 1000, 2000), c.hit) << c.what;
    EXPECT_EQ(values(gOut), c.out) << c.what;
  }
}

// A net-like barrier standing across the court at depth z.
RigidBody* barrier(int32_t z, int32_t loss) {
  RigidBody* wall = RigidBody::create(gMatch, 20000, 20000, RigidBody::kAxisZ, nullptr, 5);
  wall->setX(9000);
  wall->setY(1000);
  wall->setZ(z);
  wall->bounceLoss = loss;
  return wall;
}

TEST_F(BallTest, Barriers) {
  ObjectArray* walls = Array::newObjectArray(kRigidBody, 2);
  gOther = barrier(18300, 0);
  walls->elements()[0] = gOther;
  gBody = RigidBody::create(gMatch, 0, 0, 0, walls, RigidBody::kTypeBall);
  gBody->ay = 10000;
  gBody->init(ints({9000, 1000, 18000}), ints({0, 0, 7000}), ints({0, 10000, 0}));
  gBody->update();
  EXPECT_EQ(gBody->hitCount, 1);
  EXPECT_EQ(gOther->hitCount, 1);
  EXPECT_EQ(gBody->vz, 7000) << "a hit in the first frame is not answered";
  EXPECT_EQ(gBody->z, 19000);

  // Later, the last of two barriers hit in one frame decides the bounce.
  walls->elements()[1] = barrier(18400, 50);
  gBody = RigidBody::create(gMatch, 0, 0, 0, walls, RigidBody::kTypeBall);
  gBody->init(ints({9000, 1000, 16000}), ints({0, 0, 7000}), ints({0, 10000, 0}));
  gBody->update();
  EXPECT_EQ(gBody->hitCount, 0);
  gBody->update();
  gBody->update();
  EXPECT_EQ(gBody->hitCount, 2);
  EXPECT_EQ(gBody->vz, -3500);
  EXPECT_EQ(gBody->z, 2 * 18400 - 19000);
  EXPECT_EQ(gBody->collisionZ, 18400);
}

TEST_F(BallTest, SpinLiftAndLosses) {
  struct Case {
    int32_t trailKind, spin, stored, lift;
    std::vector<int32_t> losses;  // x, y, z
  };
  const Case cases[] = {
      {0, 100, 63, 8000, {0, 0, 0}},      {0, -100, -63, -15000, {0, 0, 0}},
      {2, 63, 63, 8000, {20, 20, 20}},    {2, -63, -63, -15000, {20, 20, 20}},
      {2, 30, 30, 3809, {9, 9, 9}},       {3, 10, 10, 1269, {20, 15, 20}},
      {7, 63, 63, 8000, {1, 2, 3}},       {1, 0, 0, 0, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    RigidBody* b = ball({9000, 1000, 20000});
    b->ballLossX = 1, b->ballLossY = 2, b->ballLossZ = 3;
    b->trailKind = c.trailKind;
    b->setAngularVelocity(c.spin);
    EXPECT_EQ(b->angularVelocity, c.stored) << c.spin;
    EXPECT_EQ(b->lift, c.lift) << c.spin;
    EXPECT_EQ(std::vector<int32_t>({b->ballLossX, b->ballLossY, b->ballLossZ}), c.losses)
        << "kind " << c.trailKind << " spin " << c.spin;
  }
}

TEST_F(BallTest, BouncesDecaySpinAndLeaveOneMark) {
  RigidBody* b = ball({9000, 1000, 20000}, {0, 0, 3000});
  b->setAngularVelocity(63);
  std::vector<int32_t> spins;
  for (int32_t i = 0; i < 9; i++) {
    b->onCollision(RigidBody::kBitGround, 100 + i, 0, 200 + i);
    spins.push_back(b->angularVelocity);
  }
  EXPECT_EQ(spins, std::vector<int32_t>({40, 26, 16, 10, 6, 3, 1, 0, 0}));
  EXPECT_EQ(b->markX, RigidBody::kNoPoint) << "no mark below speed 10000";
  EXPECT_EQ(b->bounceCount, 9);

  b->vz = 12000;
  b->onCollision(RigidBody::kBitGround, 300, 0, 400);
  b->onCollision(RigidBody::kBitGround, 500, 0, 600);
  EXPECT_EQ(std::vector<int32_t>({b->markX, b->markZ}), std::vector<int32_t>({300, 400}))
      << "no second mark while one shows";
  b->onCollision(RigidBody::kBitSideHigh, 700, 0, 800);
  b->resetHitGroundEffect();
  b->onCollision(RigidBody::kBitSideHigh, 700, 0, 800);
  EXPECT_EQ(b->markX, RigidBody::kNoPoint) << "only the ground leaves a mark";
}

TEST_F(BallTest, ConstructionResetAndTrace) {
  RigidBody* b = ball({1, 2, 3}, {4, 5, 6});
  b->type = RigidBody::kTypeOtherBall;
  b->reset();
  EXPECT_EQ(b->type, RigidBody::kTypeBall);
  EXPECT_EQ(std::vector<int32_t>({b->x, b->y, b->z, b->vx, b->vy, b->vz}), std::vector<int32_t>(6, 0));
  EXPECT_EQ(b->markX, RigidBody::kNoPoint);
  gOther = RigidBody::create(gMatch, 1);
  gOther->reset();
  EXPECT_EQ(gOther->type, RigidBody::kTypeNone);
  EXPECT_EQ(gOther->tail, nullptr) << "only balls get ball parts";
  EXPECT_EQ(gOther->speedFactor, 100);

  gOther->init(nullptr, nullptr, nullptr);
  EXPECT_EQ(std::vector<int32_t>({gOther->x, gOther->y, gOther->z, gOther->vx, gOther->ax}),
            std::vector<int32_t>(5, 0));

  RigidBody::resetBallTrace();
  for (int32_t i = 0; i < 21; i++) RigidBody::addBallTrace(i, -i);
  EXPECT_EQ(row(RigidBody::ballTrace, 0), std::vector<int32_t>({20, -20})) << "the 21st overwrites the first";
  EXPECT_EQ(row(RigidBody::ballTrace, 1), std::vector<int32_t>({1, -1}));
  EXPECT_EQ(RigidBody::ballTraceIndex, 1);
}

TEST_F(BallTest, RecordKeepsTheLastTailPoints) {
  RigidBody* b = ball({9000, 1000, 20000}, {1400, 0, 7000});
  RigidBody::startRecord();
  b->update();
  b->update();
  const std::vector<int32_t> record = values(RigidBody::recordBuffer);
  EXPECT_EQ(std::vector<int32_t>(record.begin() + 81, record.end()),
            std::vector<int32_t>({row(b->tail, 0)[0], row(b->tail, 0)[1], row(b->tail, 0)[2],
                                  row(b->tail, 1)[0], row(b->tail, 1)[1], row(b->tail, 1)[2],
                                  row(b->tail, 2)[0], row(b->tail, 2)[1], row(b->tail, 2)[2]}));
  EXPECT_EQ(std::vector<int32_t>(record.begin() + 72, record.begin() + 75),
            std::vector<int32_t>({9066, 977, 20333})) << "the previous frame moved forward";
  RigidBody::stopRecord();
  EXPECT_EQ(values(RigidBody::recordBuffer), std::vector<int32_t>(90, 0));
}

TEST_F(BallTest, ScheduledMoveTurnsBack) {
  gBody = RigidBody::create(gMatch, 5);
  gBody->setSchedule(1000, 5000, 8000, 5000, 1, true);
  EXPECT_EQ(gBody->vx, 7000);
  EXPECT_EQ(gBody->x, 1000);
  for (int32_t f = 0; f < 6; f++) gBody->update();
  EXPECT_EQ(gBody->vx, 7000);
  gBody->update();
  EXPECT_EQ(gBody->scheduleToX, 1000) << "at the target the move runs back";
  EXPECT_EQ(gBody->vx, -7000);
  EXPECT_EQ(gBody->x, 8000);
  gBody->setSchedule(0, 0, 10, 10, 0, false);
  EXPECT_EQ(std::vector<int32_t>({gBody->vx, gBody->vy, gBody->vz}), std::vector<int32_t>(3, 0));
}

TEST_F(BallTest, DescriptionText) {
  RigidBody* b = ball({9000, 1000, 20000}, {1400, 0, 7000});
  EXPECT_EQ(utf8(b->toString()), "[6 pos(9000,1000,20000) vel(1400,0,7000) acc(0,-10000,0)7104]");
}

TEST_F(BallTest, SpeedFactorIsBounded) {
  RigidBody* b = ball({9000, 1000, 20000});
  gOther = RigidBody::create(gMatch, 0);
  struct Case {
    int32_t given, ball, other;
  };
  for (const Case& c : {Case{0, 1, 1}, Case{-5, 1, 1}, Case{5000, 2100, 5000}, Case{9000, 2100, 7000}}) {
    b->setSpeedFactor(c.given);
    gOther->setSpeedFactor(c.given);
    EXPECT_EQ(b->speedFactor, c.ball) << c.given;
    EXPECT_EQ(gOther->speedFactor, c.other) << c.given;
  }
}

}  // namespace
}  // namespace sorv::test
