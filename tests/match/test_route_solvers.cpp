#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "tests/match/match_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kNo = RigidBody::kNoPoint;
using Points = std::vector<std::vector<int32_t>>;

class SolverTest : public MatchTest {
 protected:
  // The serve-like flight of the goldens: from (9085, 1000, 28000) toward (x, 0, 9000) in 1 s.
  RigidBody* aimed(int32_t x) {
    RigidBody* b = ball({9085, 1000, 28000});
    gOut = ints({0, 0, 0});
    EXPECT_EQ(b->calculateInitialVelocity(gOut, ints({9085, 1000, 28000}), ints({x, 0, 9000}), 1000), 0);
    b->vx = gOut->elements()[0], b->vy = gOut->elements()[1], b->vz = gOut->elements()[2];
    return b;
  }
  Points route(RigidBody* b) {
    Points points;
    for (int32_t i = 0; i < RigidBody::kRoutePoints; i++) points.push_back(row(b->route, i));
    return points;
  }
};

TEST_F(SolverTest, TimesAndLaunchVelocities) {
  RigidBody* b = ball({9085, 1000, 28000});
  EXPECT_EQ(values(b->ParseTimeUseH(0, 1000, 0)), std::vector<int32_t>({-22, 22}));
  EXPECT_EQ(b->ParseTimeUseH(0, 1000, 2000), nullptr) << "above the apex";
  EXPECT_EQ(values(b->ParseTimeUseH(0, 0, 0)), std::vector<int32_t>({0, 0}));

  gOut = ints({7, 7, 7});
  gTarget = ints({9085, 0, 9000});
  EXPECT_EQ(b->calculateInitialVelocity(gOut, ints({9085, 1000, 28000}), gTarget, 0), -1);
  EXPECT_EQ(values(gOut), std::vector<int32_t>({7, 7, 7}));
  EXPECT_EQ(b->calculateInitialVelocity(gOut, ints({9085, 1000, 28000}), gTarget, 1000), 0);
  EXPECT_EQ(values(gOut), std::vector<int32_t>({0, 4000, -19000}));

  EXPECT_EQ(b->calculateInitialVelocity(gTarget, 1000), 0) << "the body's own form";
  EXPECT_EQ(std::vector<int32_t>({b->vx, b->vy, b->vz}), std::vector<int32_t>({0, 4000, -19000}));

  gOut = ints({0, 0, 0});
  EXPECT_EQ(b->calculateCoordOnNet(gOut, ints({0, 4000, -19000})), 0);
  EXPECT_EQ(values(gOut), std::vector<int32_t>({9085, 1740, 18300}));
  gOut = ints({1, 1, 1});
  EXPECT_EQ(b->calculateCoordOnNet(gOut, ints({5, 5, 0})), -1);
  EXPECT_EQ(values(gOut), std::vector<int32_t>({1, 1, 18300}));

  EXPECT_EQ(RigidBody::vectorToScalar(0, 4000, -19000, 12), 19200);
}

TEST_F(SolverTest, RoutePoints) {
  const Points plain = {{kNo, kNo},     {kNo, kNo},     {9085, 16600},  {9085, 9000},  {9085, 9000},
                        {9085, 9000},   {9085, 1400},   {kNo, kNo},     {kNo, kNo},    {kNo, kNo},
                        {kNo, kNo},     {9085, -6200},  {9085, -13800}, {9085, -13800}};
  RigidBody* b = aimed(9085);
  b->calculateRouteInfo();
  EXPECT_EQ(route(b), plain);

  CTennis::courtLossX = 10;
  CTennis::courtLossY = 30;
  CTennis::courtLossZ = 20;
  Points lossy = plain;
  lossy[6] = lossy[11] = {kNo, kNo};
  lossy[12] = lossy[13] = {9085, -3768};
  b->calculateRouteInfo();
  EXPECT_EQ(route(b), lossy);
}

TEST_F(SolverTest, ReachingADepth) {
  RigidBody* b = aimed(6000);
  b->calculateRouteInfo();
  EXPECT_EQ(b->getXOnBallRoute(18300), 7510);
  struct Case {
    int32_t z, actual, desired;
  };
  for (const Case& c : {Case{18300, 357, 4}, Case{9000, 648, 6}, Case{5000, 795, 8}}) {
    EXPECT_EQ(b->computeActualFrameCountToZ(c.z), c.actual) << c.z;
    EXPECT_EQ(b->computeDesireFrameCountToZ(c.z), c.desired) << c.z;
  }

  // A body that is not a ball flies straight: 1000 units to depth 18000, so 10 frames is
  // exactly speed 100, which is stored as 99.
  gOther = RigidBody::create(gMatch, 5);
  gOther->setZ(28000);
  gOther->vz = -7000;
  EXPECT_EQ(gOther->computeActualFrameCountToZ(18000), 1000);
  EXPECT_EQ(gOther->trimToReachZ(18000, 10), 0);
  EXPECT_EQ(gOther->speedFactor, 99);
  struct Trim {
    int32_t frames, factor;
  };
  for (const Trim& t : {Trim{5, 200}, Trim{-3, 1}, Trim{5000, 1}, Trim{1, 1000}}) {
    gOther->trimToReachZ(18000, t.frames);
    EXPECT_EQ(gOther->speedFactor, t.factor) << t.frames;
  }
  b->trimToReachZ(5000, 1);
  EXPECT_EQ(b->speedFactor, 795) << "within a ball's range";
  b->vz *= 20;
  b->trimToReachZ(9000, 0);
  EXPECT_EQ(b->speedFactor, 100);
}

TEST_F(SolverTest, TrimWithoutFramesMovesTheBall) {
  RigidBody* b = aimed(9085);
  b->speedFactor = 300;
  EXPECT_EQ(b->trimToReachZ(18300, 0), 0);
  EXPECT_EQ(std::vector<int32_t>({b->x, b->y, b->z, b->speedFactor}), std::vector<int32_t>({9085, 1750, 28000, 100}));
}

// Each degenerate input: no solution, its out array as it was, no exception, no log line.
TEST_F(SolverTest, DegenerateInputsHaveNoSolution) {
  struct Case {
    const char* what;
    std::function<int32_t(RigidBody*)> solve;
    int32_t expected;
  };
  const std::vector<int32_t> untouched = {7, 7, 7, 7};
  const Case cases[] = {
      {"no gravity: heights", [](RigidBody* b) { b->ay = 10000; return b->ParseTimeUseH(0, 1000, 0) == nullptr ? -1 : 0; }, -1},
      {"no gravity: speed window", [](RigidBody* b) { b->ay = 10000; return b->parseTimeInterval(gOut, 20000, ints({9085, 0, 9000})); }, -1},
      {"no gravity: speed form", [](RigidBody* b) { b->ay = 10000; return b->calculateInitialVelocity(gOut, ints({9085, 0, 9000}), 20000, 1000); }, -1},
      {"apex at the target's height: no time",
       [](RigidBody* b) { return b->calculateInitialVelocity(gOut, ints({9085, 1000, 9000}), 1000); }, -1},
      {"apex and net at the target's height",
       [](RigidBody* b) { return b->calculateInitialVelocity(gOut, 1000, ints({9085, 1000, 9000}), 0); }, -1},
      {"target at the body's depth: apex form",
       [](RigidBody* b) { return b->calculateInitialVelocity(gOut, ints({5000, 0, 28000}), 3000); }, -1},
      {"target at the body's depth: speed form",
       [](RigidBody* b) { return b->calculateInitialVelocity(gOut, ints({5000, 0, 28000}), 20000, 1000); }, -1},
      {"target at the body's depth: net window",
       [](RigidBody* b) { return b->parseTimeInterval(gOut, ints({5000, 0, 28000}), 1000); }, -1},
      {"target as far from the origin as the body",
       [](RigidBody* b) { b->setX(0), b->setZ(4096); return b->parseTimeInterval(gOut, ints({4096, 0, 0}), 1000); }, -1},
      {"net point on the straight line",
       [](RigidBody* b) { return b->parseTimeInterval(gOut, ints({9085, 1000, 9000}), 0); }, -1},
      {"a flight of no time",
       [](RigidBody* b) { return b->calculateInitialVelocity(gOut, ints({9085, 1000, 28001}), 100, 5000); }, -1},
  };
  for (const Case& c : cases) {
    RigidBody* b = ball({9085, 1000, 28000});
    gOut = ints({7, 7, 7, 7});
    LogCapture log;
    EXPECT_EQ(c.solve(b), c.expected) << c.what;
    EXPECT_EQ(values(gOut), untouched) << c.what;
    EXPECT_EQ(takeException(), -1) << c.what;
    EXPECT_EQ(log.text(), "") << c.what;
  }
}

TEST_F(SolverTest, DegenerateRoutesKeepTheirFallbacks) {
  LogCapture log;
  RigidBody* b = aimed(6000);
  b->ay = 10000;
  b->calculateRouteInfo();
  EXPECT_EQ(route(b), Points(RigidBody::kRoutePoints, std::vector<int32_t>({kNo, kNo})));
  EXPECT_EQ(b->getXOnBallRoute(18300), kNo) << "both landings empty";
  EXPECT_EQ(b->computeActualFrameCountToZ(5000), 847) << "no bounce: the straight line";

  b = aimed(6000);
  CTennis::courtLossZ = 100;  // the bounce stops the ball's depth
  EXPECT_EQ(b->computeActualFrameCountToZ(5000), 847);
  b->calculateRouteInfo();
  EXPECT_EQ(b->getXOnBallRoute(18300), 6000) << "both landings at one depth";

  b->vz = 0;
  b->speedFactor = 300;
  EXPECT_EQ(b->trimToReachZ(9000, 0), 0);
  EXPECT_EQ(std::vector<int32_t>({b->x, b->y, b->speedFactor}), std::vector<int32_t>({9085, 1000, 300}));
  EXPECT_EQ(b->computeActualFrameCountToZ(9000), 0);
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(log.text(), "");
}

// Launches from the near half to the far half's ground, solved by each form, flown frame by
// frame: the first ground contact comes in the frame of the flight time and near the target.
class RoundTripTest : public SolverTest {
 protected:
  struct Sample {
    int32_t start[3], target[3];
  };
  enum Form { kTime, kApex, kApexNet, kSpeed };

  void check(Form form, uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
    gBody = RigidBody::create(gMatch, RigidBody::kTypeBall);
    gOut = ints({0, 0, 0, 0});
    gTarget = ints({0, 0, 0});
    IntArray* start = ints({0, 0, 0});
    int32_t flown = 0;
    for (int32_t i = 0; i < 10000; i++) {
      RigidBody* b = gBody;
      b->reset();
      const int32_t s[3] = {pick(3000, 15000), pick(300, 3000), pick(24000, 33000)};
      const int32_t t[3] = {pick(3660, 14510), 0, pick(6355, 18000)};
      Array::fillInts(start, s, 3);
      Array::fillInts(gTarget.get(), t, 3);
      b->init(start, nullptr, nullptr);
      int32_t ms = -1, result = -1;
      switch (form) {
        case kTime:
          ms = pick(400, 2500);
          result = b->calculateInitialVelocity(gOut, start, gTarget, ms);
          break;
        case kApex:
        case kApexNet: {
          const int32_t apex = pick(s[1], 9000);
          ms = b->parseTimeUseMaxH(gTarget, apex) * 20;
          result = form == kApex ? b->calculateInitialVelocity(gOut, gTarget, apex)
                                 : b->calculateInitialVelocity(gOut, apex, gTarget, pick(0, 2000));
          break;
        }
        case kSpeed:
          result = b->calculateInitialVelocity(gOut, gTarget, pick(5000, 40000), pick(0, 2000));
          break;
      }
      if (result != 0) continue;
      const int32_t* v = gOut->elements();
      const int32_t velocity[3] = {v[0], v[1], v[2]};
      if (form == kSpeed) ms = static_cast<int32_t>(int64_t{t[2] - s[2]} * 1000 / velocity[2]);
      const int32_t apexHeight = velocity[1] > 0 ? s[1] + velocity[1] / 100 * velocity[1] / 200 : s[1];
      if (ms < 400 || ms > 2500 || apexHeight > 9000) continue;
      b->init(start, gOut, nullptr);
      int32_t frame = 0;
      while (b->bounceCount == 0 && frame < 40) {
        b->update();
        frame++;
      }
      const double speed = std::sqrt(double(velocity[0]) * velocity[0] + double(velocity[1]) * velocity[1] +
                                     double(velocity[2]) * velocity[2]);
      const double slack = speed / 7 + 0.11 * ms + 50;
      const int32_t expectedFrame = (ms * 7 + 999) / 1000;
      const std::string where = "form " + std::to_string(form) + " sample " + std::to_string(i);
      ASSERT_LE(std::abs(frame - expectedFrame), 1) << where << " ms " << ms;
      ASSERT_LE(std::abs(b->collisionX - t[0]), slack) << where;
      ASSERT_LE(std::abs(b->collisionZ - t[2]), slack) << where;
      flown++;
    }
    EXPECT_GT(flown, 1000) << "form " << form << " found too few flights";
  }
};

TEST_F(RoundTripTest, TimeForm) { check(kTime, 1); }
TEST_F(RoundTripTest, ApexForm) { check(kApex, 2); }
TEST_F(RoundTripTest, ApexAndNetForm) { check(kApexNet, 3); }
TEST_F(RoundTripTest, SpeedForm) { check(kSpeed, 4); }

}  // namespace
}  // namespace sorv::test
