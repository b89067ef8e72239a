// The serve and the strokes on a match built in memory: where each stroke must land, whose
// turn it is next, the return-of-serve fault in doubles, the net stopping a ball, and the
// point-of-fall marker only for balls coming to the user's team.
#include "match/rigid_body.h"
#include "sprites/cactor.h"
#include "tests/match/events_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kNoPoint = RigidBody::kNoPoint;

class BallStrikesTest : public EventsTest {
 protected:
  static std::vector<int32_t> rect() {
    return {CTennis::landingRect[0], CTennis::landingRect[1], CTennis::landingRect[2], CTennis::landingRect[3]};
  }
  static std::vector<int32_t> rectLines() {
    return {aload(CTennis::courtLineX.get(), CTennis::landingRect[0]), aload(CTennis::courtLineZ.get(), CTennis::landingRect[1]),
            aload(CTennis::courtLineX.get(), CTennis::landingRect[2]), aload(CTennis::courtLineZ.get(), CTennis::landingRect[3])};
  }
};

TEST_F(BallStrikesTest, EachServeAndRallyStrokeLandsInItsRectangle) {
  struct Case {
    int category, striker;  // 0 the user's player, 2 the rival, 1 the partner
    bool serve, fromLeft;
    std::vector<int32_t> lines;  // x from, depth from, x to, depth to
  } cases[] = {
      {kSingles, 0, true, true, {4970, 11900, 9085, 18300}},
      {kSingles, 0, true, false, {9085, 11900, 13200, 18300}},
      {kSingles, 2, true, false, {4970, 18300, 9085, 24700}},
      {kSingles, 2, true, true, {9085, 18300, 13200, 24700}},
      {kDoubles, 1, true, true, {4970, 11900, 9085, 18300}},
      {kSingles, 0, false, true, {4970, 6355, 13200, 18300}},
      {kSingles, 2, false, true, {4970, 18300, 13200, 30185}},
      {kDoubles, 0, false, true, {3660, 6355, 14510, 18300}},
      {kDoubles, 2, false, false, {3660, 18300, 14510, 30185}},
  };
  for (const Case& c : cases) {
    startMatch(c.category, 4, 1, c.striker);
    matchBall({9085, 1000, 20000}, {0, 0, 0});
    CPlayer* striker = playerOf(c.striker);
    striker->serveFromLeft = c.fromLeft;
    CTennis::matchState = c.serve ? 2 : 5;
    CTennis::rallyStrokes = c.serve ? 0 : 4;
    CTennis::lineDistanceX = CTennis::lineDistanceZ = 55;
    CTennis::playerPendingAction = 3;
    CTennis::smashPointX = 400;
    CGame::matchObject->onReturnBall(striker);
    EXPECT_EQ(rectLines(), c.lines) << c.category << " " << c.striker << " " << c.serve << c.fromLeft;
    EXPECT_EQ(CTennis::strikeSide, !striker->userTeamSide);
    EXPECT_EQ(CTennis::lineDistanceX, kNoPoint);
    EXPECT_EQ(CTennis::lineDistanceZ, kNoPoint);
    EXPECT_EQ(CTennis::playerPendingAction, -1);
    EXPECT_EQ(CTennis::rivalPendingAction, -1);
    EXPECT_EQ(CTennis::rallyStrokes, c.serve ? 1 : 5);
    EXPECT_EQ(CTennis::smashPointX, 0);
    EXPECT_EQ(CTennis::deadBallReason, 0);
  }
}

TEST_F(BallStrikesTest, TheServePutsTheBallInPlay) {
  for (bool second : {false, true}) {
    startMatch(kSingles, 4, 1, 0);
    matchBall({9085, 2500, 29000}, {0, 1000, -20000});
    CTennis::matchState = 2;
    CTennis::secondServe = second;
    CTennis::deadBallReason = 4;
    CTennis::deadBallInfo = 11;
    CTennis::scoreCallState = 3;
    CTennis::challengeReplay = true;
    CGame::matchObject->serveBall();
    EXPECT_EQ(CTennis::matchState, 5);
    EXPECT_EQ(CTennis::deadBallReason, 0);
    EXPECT_EQ(CTennis::deadBallInfo, -1);
    EXPECT_EQ(CTennis::scoreCallState, -1);
    EXPECT_FALSE(CTennis::challengeReplay);
    EXPECT_EQ(CTennis::rallyStrokes, 1);
    EXPECT_FALSE(CTennis::strikeSide);  // the rival returns
    EXPECT_EQ(stat(second ? 4 : 0, 0), 1);
    EXPECT_EQ(stat(second ? 0 : 4, 0), 0);
    EXPECT_EQ(CTennis::lastStrikerUser.get(), CTennis::player.get());
    EXPECT_EQ(CTennis::ball->markX, kNoPoint);
    bool listed = false;
    for (int32_t i = 0; i < CTennis::objectList->length; i++) listed |= aload(CTennis::objectList.get(), i) == CTennis::ball.get();
    EXPECT_TRUE(listed);
    EXPECT_EQ(rectLines(), (std::vector<int32_t>{4970, 11900, 9085, 18300}));
  }
}

TEST_F(BallStrikesTest, AReturnOfServeByTheWrongDoublesPlayerIsAFault) {
  struct Case {
    int returner;
    bool flagged, fault;
  } cases[] = {{2, false, false}, {3, false, true}, {2, true, true}};
  for (const Case& c : cases) {
    startMatch(kDoubles, 4, 1, 0);
    matchBall({9085, 1000, 10000}, {0, 0, 9000});
    CTennis::matchState = 5;
    CTennis::rallyStrokes = 1;
    CTennis::strikeSide = false;
    CPlayer* returner = playerOf(c.returner);
    returner->receivingFault = c.flagged;
    CGame::matchObject->onReturnBall(returner);
    EXPECT_EQ((CTennis::deadBallReason & CTennis::kReasonReceivingFault) != 0, c.fault) << c.returner;
    EXPECT_EQ(points(0), c.fault ? 1 : 0) << c.returner;  // the server's team wins it
  }
}

TEST_F(BallStrikesTest, ANetStopKeepsAFifthOfTheSidewaysSpeedOnTheStrikersSide) {
  struct Case {
    int32_t prevZ, z, vz, y, vx;
    bool stopped;
    int32_t restZ, restVx;
  } cases[] = {
      {18000, 18400, 9000, 500, 1234, true, 18100, 246},
      {18600, 18200, -9000, 500, -1234, true, 18500, -246},
      {18600, 18200, -9000, 960, 700, false, 18200, 700},  // touches the tape and goes on
      {18600, 18200, -9000, 1500, 700, false, 18200, 700},
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1, 0);
    RigidBody* b = matchBall({9085, c.y, c.z}, {c.vx, 0, c.vz});
    b->prevZ = c.prevZ;
    b->prevY = c.y;
    b->prevX = b->x;
    CTennis::matchState = 5;
    CTennis::deadBallReason = 0;
    CTennis::rallyStrokes = 3;
    CTennis::onBallMove();
    EXPECT_EQ(b->z, c.restZ) << c.vz << " " << c.y;
    EXPECT_EQ(b->vx, c.restVx);
    if (c.stopped) {
      EXPECT_EQ(b->vy, 0);
      EXPECT_EQ(b->vz, 0);
      EXPECT_NE(CTennis::deadBallReason & CTennis::kReasonNet, 0);
    } else {
      EXPECT_EQ(CTennis::deadBallReason, 0);
    }
  }
}

TEST_F(BallStrikesTest, OnlyBallsComingToTheUserShowTheirPointOfFall) {
  struct Case {
    std::vector<int32_t> p, v;
    bool marked;
    int32_t kind, step;
  } cases[] = {
      {{9085, 1000, 8000}, {0, 3000, 14000}, true, 1, 1},   // a drive to the user's half
      {{9085, 1000, 8000}, {0, 9000, 9000}, true, 2, 1},    // a lob
      {{9085, 1000, 8000}, {0, 2000, 8000}, true, 1, 0},    // slow
      {{9085, 1000, 28000}, {0, 3000, -14000}, false, 1, 1},
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1, 0);
    RigidBody* b = matchBall({c.p[0], c.p[1], c.p[2]}, {c.v[0], c.v[1], c.v[2]});
    CTennis::a_onReturnBall2(CTennis::rival);
    IntArray* fall = static_cast<IntArray*>(aload(b->route, 4));
    if (c.marked) {
      EXPECT_EQ(b->fallX, aload(fall, 0));
      EXPECT_EQ(b->fallZ, aload(fall, 1));
      EXPECT_NE(b->fallZ, kNoPoint);
    } else {
      EXPECT_EQ(b->fallX, kNoPoint);
      EXPECT_EQ(b->fallZ, kNoPoint);
    }
    EXPECT_EQ(b->fallMarkKind, c.kind) << c.v[1] << " " << c.v[2];
    EXPECT_EQ(b->routeStep, c.step) << c.v[1] << " " << c.v[2];
  }
}

TEST_F(BallStrikesTest, TheApexOfAFlightWhoseSpinCancelsGravityIsUnbounded) {
  startMatch(kSingles, 4, 1, 0);
  RigidBody* b = matchBall({9085, 1000, 8000}, {0, 4000, 9000});
  EXPECT_EQ(CTennis::apexHeight(b), 1000 + 4000 * 4000 / 20000);
  b->lift = RigidBody::kGravity;  // the spin cancels gravity
  EXPECT_EQ(CTennis::apexHeight(b), INT32_MAX);
  b->lift = 2 * RigidBody::kGravity;  // pulled up: the formula as it stands
  EXPECT_EQ(CTennis::apexHeight(b), 1000 - 4000 * 4000 / 20000);
}

TEST_F(BallStrikesTest, DoublesStrokesTellThePartnersAndPickTheReturner) {
  startMatch(kDoubles, 4, 1, 0);
  matchBall({9085, 1000, 26000}, {0, 2000, -12000});
  CTennis::matchState = 2;  // the user's serve
  CTennis::rallyStrokes = 0;
  CTennis::rival->z = 3000;          // the receiver at the back
  CTennis::rivalPartner->z = 15000;  // its partner at the net
  CGame::matchObject->onReturnBall(CTennis::player);
  CGame::matchObject->onReturnBall2(CTennis::player);
  EXPECT_TRUE(CTennis::rival->isReturner);
  EXPECT_FALSE(CTennis::rivalPartner->isReturner);
  EXPECT_EQ(CTennis::lastStrikerUser.get(), CTennis::player.get());
}

TEST_F(BallStrikesTest, TheSmashMarkerOnlyForALowBallToTheUserNearItsPlayer) {
  struct Case {
    bool userToStrike;
    int32_t vy, routeZ, playerZ;
    bool marked;
  } cases[] = {
      {true, 2000, 24000, 25000, true},    // low, deep enough, the player close behind
      {true, 2000, 24000, 26000, false},   // the player 2700 behind the mark
      {true, 2000, 19900, 20000, false},   // the mark would lie within 1000 of the net
      {true, 9000, 24000, 25000, false},   // a lob rises above 4000
      {false, 2000, 24000, 25000, false},  // the opponents' turn
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1, 0);
    matchBall({9085, 1000, 10000}, {0, c.vy, 9000});
    setRoute(1, 9500, c.routeZ, true);
    setRoute(4, 9600, c.routeZ + 1000);
    setRoute(13, 9800, c.routeZ + 3000);
    CTennis::player->z = c.playerZ;
    CTennis::strikeSide = c.userToStrike;
    CTennis::smashPointX = CTennis::smashPointY = 0;
    CTennis::calSmashPoint();
    EXPECT_EQ(CTennis::smashPointX != 0, c.marked) << c.vy << " " << c.routeZ << " " << c.playerZ;
    if (c.marked) {
      EXPECT_EQ(CTennis::sharedActor->animation, 25);
      EXPECT_GT(CTennis::smashPointY, 0);  // a screen row now
    }
  }
}

TEST_F(BallStrikesTest, TheUsersServeSpeedIsRecordedAtItsFirstLiveBounce) {
  struct Case {
    int unit, server, bounces, speed;
    bool dead;
    int32_t record;
  } cases[] = {
      {0, 0, 1, 100, false, 100},  // miles: the record keeps the shown unit
      {1, 0, 1, 200, false, 200},  // km/h, above the 160 km/h just kept
      {1, 0, 2, 250, false, 0},    // not on the second bounce
      {1, 2, 1, 250, false, 0},    // not the rival's serve
      {1, 0, 1, 250, true, 0},     // not a fault
  };
  for (const Case& c : cases) {
    startMatch(kSingles, 4, 1, c.server);
    astore(CGame::optionValues.get(), 1, c.unit);
    const int32_t before = CAE::getRecordVal(4);
    RigidBody* b = matchBall({9085, 0, 15000}, {0, 0, -9000});
    b->bounceCount = c.bounces;
    CTennis::rallyStrokes = 1;
    CTennis::deadBallReason = c.dead ? CTennis::kReasonOut : 0;
    CGame::serveSpeedTarget = c.speed;
    CTennis::checkServeSpeed();
    EXPECT_EQ(CAE::getRecordVal(4), c.record == 0 ? before : c.record) << c.unit << " " << c.server << c.bounces;
  }
}

TEST_F(BallStrikesTest, ATutorialCountsItsServes) {
  startMatch(kSingles, 4, 1, 2);
  matchBall({9085, 2500, 7000}, {0, 1000, 20000});
  CTennis::tutorialIndex = 1;
  CTennis::tutorialServeCount = 0;
  CTennis::tutorialServeClock = 0;
  CTennis::rival->computerControlled = true;
  CTennis::matchState = 2;
  // The clock is the system's: a millisecond may pass during the serve.
  const int64_t before = now();
  CGame::matchObject->serveBall();
  const int64_t after = now();
  EXPECT_EQ(CTennis::tutorialServeCount, 1);
  EXPECT_GE(CTennis::tutorialServeClock, before);
  EXPECT_LE(CTennis::tutorialServeClock, after);
  EXPECT_EQ(CTennis::smashPointX, 0);  // no marker in a tutorial
  CTennis::tutorialIndex = -1;
}

}  // namespace
}  // namespace sorv::test
