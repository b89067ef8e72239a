// The people around the court in a loaded match, driven by the ball's events: the line
// judges' out and in signals and the end of the in signal, the ball kids after the
// opponents' first serve of a round, the tired opponent's action before the serve, and
// which actors a held match freezes.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "sprites/cactor.h"
#include "tests/match/court_fixture.h"

namespace sorv::test {
namespace {

// Line indexes of the landing rectangles: the rival's half in doubles and in singles, and
// the right service box of the rival's half.
constexpr int32_t kDoublesHalf[4] = {0, 0, 4, 2};
constexpr int32_t kSinglesHalf[4] = {1, 0, 3, 2};
constexpr int32_t kServiceBox[4] = {2, 1, 3, 2};
constexpr int32_t kTiredAction = 29;

CActor* actorIn(ObjectArray* list, int32_t i) { return static_cast<CActor*>(aload(list, i)); }
CActor* judge(int32_t i) { return actorIn(CTennis::linesmen, i); }
CActor* kid(int32_t i) { return actorIn(CTennis::ballKidActors, i); }
int32_t idleOf(int32_t i) { return CGame::GetMenuItemActionID(CTennis::courtLayoutMenu, 13 + i); }

class CourtPeople : public CourtTest {
 protected:
  // A loaded singles match with its second stroke under way: the ball is live and the team
  // named by userStruck struck it last.
  static void rally(bool userStruck, int32_t court = 1) {
    startMatch(0, court);
    CTennis::matchState = CTennis::kStatePlaying;
    CTennis::deadBallReason = 0;
    CTennis::rallyStrokes = 2;
    CTennis::strikeSide = !userStruck;
    CTennis::challengeReplay = false;
    CTennis::matchFrame = 500;
  }
  // The ball bounces at (x, depth) in the landing rectangle and is judged as the game
  // judges every bounce.
  static void bounce(const int32_t rect[4], int32_t x, int32_t depth) {
    CTennis::setBallInRect(rect[0], rect[1], rect[2], rect[3]);
    CTennis::handleBallCollideGround(CTennis::isBallOut(x, 0, depth), x, depth);
  }
  static void nextFrames(int32_t n) {
    for (int32_t i = 0; i < n; i++) {
      CTennis::matchFrame++;
      CTennis::updatePlaying();
    }
  }
  // Points for the team until the score stands as given in the current game.
  static void pointsFor(bool user, int32_t n) {
    for (int32_t i = 0; i < n; i++) CTennis::addPoint(user);
  }
};

TEST_F(CourtPeople, AJudgeRaisesTheOutSignalOfHisLineOnlyForTheUsersClosingBalls) {
  struct Case {
    const char* name;
    const int32_t* rect;
    int32_t x, depth;
    bool userStruck, replay;
    int32_t judge, animation;  // -1: every judge rests
  };
  const Case cases[] = {
      {"wide of the far left line", kDoublesHalf, 3400, 9000, true, false, 0, 8},
      {"wide of the singles left line", kSinglesHalf, 4700, 9000, true, false, 0, 8},
      {"beside the centre line", kServiceBox, 8900, 15000, true, false, 1, 9},
      {"wide of the singles right line", kSinglesHalf, 13500, 9000, true, false, 2, 10},
      {"wide of the far right line", kDoublesHalf, 14800, 9000, true, false, 2, 10},
      {"long, beyond the base line", kSinglesHalf, 9000, 5000, true, false, -1, 0},
      {"the rival's ball", kSinglesHalf, 4700, 9000, false, false, -1, 0},
      {"the challenge's replayed call", kSinglesHalf, 4700, 9000, true, true, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rally(c.userStruck);
    CTennis::challengeReplay = c.replay;
    bounce(c.rect, c.x, c.depth);
    ASSERT_NE(CTennis::deadBallReason & CTennis::kReasonOut, 0) << "the ball is out";
    for (int32_t j = 0; j < 3; j++) {
      if (j == c.judge) {
        EXPECT_EQ(judge(j)->animation, c.animation);
        EXPECT_EQ(judge(j)->sprite, CTennis::effectsSprite.get());
        EXPECT_EQ(judge(j)->loopFrame, judge(j)->sprite->GetAFrames(c.animation) - 1) << "held up";
      } else {
        EXPECT_EQ(judge(j)->animation, idleOf(j)) << "judge " << j << " rests";
      }
    }
  }
  EXPECT_EQ(logged("NullPointer"), 0u);
}

TEST_F(CourtPeople, AJudgeShowsAClosingBallInAndLowersTheSignalTwelveFramesLater) {
  struct Case {
    const char* name;
    const int32_t* rect;
    int32_t x, depth;
    bool userStruck;
    int32_t judge;  // -1: no signal
  };
  const Case cases[] = {
      {"in by the base line, left", kSinglesHalf, 5200, 6600, true, 0},
      {"in by the service line, centre", kServiceBox, 9300, 12000, true, 1},
      {"in by the base line, right", kDoublesHalf, 14300, 6500, true, 2},
      {"in, far from any line", kSinglesHalf, 9000, 9500, true, -1},
      {"the rival's ball in by the line", kSinglesHalf, 5200, 29900, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rally(c.userStruck);
    const int32_t rect[4] = {c.rect[0], c.userStruck ? c.rect[1] : 2, c.rect[2], c.userStruck ? c.rect[3] : 4};
    bounce(rect, c.x, c.depth);
    ASSERT_EQ(CTennis::deadBallReason, 0) << "the ball is in and play goes on";
    if (c.judge == -1) {
      for (int32_t j = 0; j < 3; j++) EXPECT_EQ(judge(j)->animation, idleOf(j)) << j;
      continue;
    }
    EXPECT_EQ(judge(c.judge)->animation, 15);
    EXPECT_EQ(CTennis::hitEffectActor.get(), judge(c.judge));
    nextFrames(11);
    EXPECT_EQ(judge(c.judge)->animation, 15) << "still up after 11 frames";
    nextFrames(1);
    EXPECT_EQ(judge(c.judge)->animation, 6) << "lowered after 12";
    EXPECT_EQ(judge(c.judge)->sprite, CTennis::effectsSprite.get());
    EXPECT_EQ(judge(c.judge)->loopFrame, judge(c.judge)->sprite->GetAFrames(6) - 1);
    nextFrames(20);
    EXPECT_EQ(judge(c.judge)->animation, 6) << "the lowered signal is not restarted";
  }
}

TEST_F(CourtPeople, TheEffectsComeFromTheJudgesSpriteUntilTheMatchIsUnloaded) {
  startMatch(1, 2);
  ASSERT_FALSE(isNull(CTennis::effectsSprite.get()));
  EXPECT_EQ(CTennis::effectsSprite.get(), CTennis::judgeSprite.get());
  rally(true);
  bounce(kSinglesHalf, 5200, 6600);
  CTennis::a_unloadCourt();
  EXPECT_TRUE(isNull(CTennis::effectsSprite.get()));
  EXPECT_TRUE(isNull(CTennis::hitEffectActor.get())) << "no judge is kept past the match";
}

TEST_F(CourtPeople, TheBackBallKidsAnswerTheOpponentsFirstServeOfARound) {
  struct Case {
    const char* name;
    bool rivalServes;
    int32_t pointsIntoTheRound;  // the third point of a round is the ball kids' point
    int32_t animation;
  };
  const Case cases[] = {
      {"the rival serves the ball kids' point", true, 2, 1},
      {"the rival serves another point", true, 1, 0},
      {"the user serves the ball kids' point", false, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rally(true);
    if (c.rivalServes != !CTennis::server->userTeamSide) CTennis::changeServe();
    CTennis::newTennisGame();
    if (c.rivalServes != !CTennis::server->userTeamSide) CTennis::changeServe();
    for (int32_t i = 0; i < c.pointsIntoTheRound; i++) CTennis::startPoint();
    CTennis::matchState = CTennis::kStatePlaying;
    CTennis::deadBallReason = 0;
    CTennis::rallyStrokes = 1;
    CTennis::strikeSide = !c.rivalServes;
    CTennis::onBallHitGroundTwice();
    EXPECT_EQ(kid(0)->animation, c.animation);
    EXPECT_EQ(kid(1)->animation, c.animation);
    EXPECT_EQ(kid(0)->sprite, CTennis::ballKidSprite.get());
  }
}

TEST_F(CourtPeople, ANetBallSendsTheRunnersForTheBall) {
  rally(true);
  CTennis::onBallHitNet();
  ASSERT_NE(CTennis::deadBallReason & CTennis::kReasonNet, 0);
  EXPECT_EQ(kid(2)->animation, 7);
  EXPECT_EQ(kid(3)->animation, 8);
  RigidBody* first = static_cast<RigidBody*>(aload(CTennis::ballKids.get(), 0));
  const int32_t x = first->x;
  CTennis::updateAll();
  EXPECT_GT(first->x, x) << "the runner runs";
}

TEST_F(CourtPeople, ABoostedOpponentShowsItsTirednessBeforeItsNextServeOrReturn) {
  struct Case {
    const char* name;
    int32_t tuneChance;  // above the boost roll's whole range (30..100), so it always boosts
    bool rivalServes, ballKidsPoint;
    bool tiredAction;
  };
  const Case cases[] = {
      {"the boosted rival serves", 1000, true, false, true},
      {"the boosted rival receives", 1000, false, false, true},
      {"the boosted rival serves the ball kids' point", 1000, true, true, false},
      {"the rival is not boosted", 0, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rally(true, 1);
    CTennis::rival->tuneChance = c.tuneChance;
    // The user's team wins a game, then leads 40:0 in the game that decides the set.
    pointsFor(true, 4);
    pointsFor(true, 3);
    ASSERT_GT(CTennis::getGamePoint(), 0);
    EXPECT_EQ(CTennis::rival->preServeAction, c.tuneChance > 0);
    CPlayer* wanted = c.rivalServes ? CTennis::rival.get() : CTennis::player.get();
    if (CTennis::server.get() != wanted) CTennis::changeServe();
    while (c.ballKidsPoint != (CTennis::serveTurn == 0)) CTennis::startPoint();
    CTennis::doActionBeforeServe();
    EXPECT_EQ(CTennis::rival->animActor->animation == kTiredAction, c.tiredAction)
        << CTennis::rival->animActor->animation;
    if (c.tiredAction) {
      EXPECT_EQ(CTennis::afterPointStage, 4) << "the pre-serve scene plays";
    }
  }
}

TEST_F(CourtPeople, ATiredOpponentIsReachedThroughTheSequenceBetweenPoints) {
  rally(true, 1);
  CTennis::rival->tuneChance = 1000;
  pointsFor(true, 4);
  pointsFor(true, 2);
  // The point to 40:0 is played out: the rival's ball goes long.
  CTennis::deadBallReason = 0;
  CTennis::strikeSide = true;
  CTennis::matchFrame += 100;
  const int32_t userHalf[4] = {1, 2, 3, 4};
  bounce(userHalf, 9000, 31500);
  ASSERT_TRUE(CTennis::rival->preServeAction);
  bool seen = false;
  for (int32_t f = 0; f < 1500 && !seen; f++) {
    frame();
    seen = CTennis::rival->animActor->animation == kTiredAction;
  }
  EXPECT_TRUE(seen) << "the rival plays its tired action before the next serve";
  EXPECT_EQ(logged("NullPointer"), 0u);
}

TEST_F(CourtPeople, AHeldMatchFreezesThePlayersTheCourtAndTheNetButNotThePeopleAround) {
  for (int32_t court : {0, 1}) {
    SCOPED_TRACE(court);
    // The match opens with its message bar over a held court.
    startMatch(1, court);
    CTennis::switchToServing();
    ASSERT_EQ(isNull(CTennis::courtDecor.get()), court != 0);
    for (int32_t i = 0; i < CTennis::playerCount; i++) {
      EXPECT_TRUE(static_cast<CPlayer*>(aload(CTennis::players.get(), i))->animActor->paused) << i;
    }
    EXPECT_TRUE(CTennis::sharedActor->paused);
    EXPECT_TRUE(CTennis::netActor->paused);
    for (int32_t i = 0; court == 0 && i < CTennis::courtDecor->length; i++) {
      EXPECT_TRUE(actorIn(CTennis::courtDecor, i)->paused) << i;
    }
    for (int32_t i = 0; i < CTennis::ballKidActors->length; i++) EXPECT_FALSE(kid(i)->paused) << "kid " << i;
    for (int32_t i = 0; i < CTennis::linesmen->length; i++) EXPECT_FALSE(judge(i)->paused) << "judge " << i;
    EXPECT_FALSE(CTennis::netJudge->paused);
    // Play goes on: everything moves again.
    CTennis::enterGame();
    EXPECT_FALSE(CTennis::player->animActor->paused);
    EXPECT_FALSE(CTennis::sharedActor->paused);
    EXPECT_FALSE(CTennis::netActor->paused);
    for (int32_t i = 0; court == 0 && i < CTennis::courtDecor->length; i++) {
      EXPECT_FALSE(actorIn(CTennis::courtDecor, i)->paused) << i;
    }
  }
}

}  // namespace
}  // namespace sorv::test
