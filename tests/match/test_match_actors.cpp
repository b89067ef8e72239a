// The match's actor services: the partners' joint celebration, the message bar, the reward
// words, the challenge replay's distances, which doubles player takes the ball, and the
// players' special actions between points on a loaded match.
#include "runtime/application.h"
#include "sprites/asprite.h"
#include "sprites/cactor.h"
#include "tests/match/events_fixture.h"
#include "tests/match/loading_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kNoPoint = RigidBody::kNoPoint;

using MatchActorsTest = EventsTest;

TEST_F(MatchActorsTest, TheJointCelebrationDependsOnlyOnThePlacingAndIsSymmetric) {
  startMatch(kDoubles, 4, 1);
  CPlayer* p = CTennis::player;
  CPlayer* q = CTennis::partner;
  struct Case {
    int32_t px, pz, qx, qz, anim;
  } cases[] = {
      {5000, 20000, 9000, 25000, 30}, {5000, 25000, 9000, 20000, 31}, {9000, 20000, 5000, 25000, 32},
      {9000, 25000, 5000, 20000, 33}, {5000, 20000, 5000, 20000, 30}, {5000, 20001, 5000, 20000, 31},
  };
  for (const Case& c : cases) {
    p->x = c.px;
    p->z = c.pz;
    q->x = c.qx;
    q->z = c.qz;
    EXPECT_EQ(CTennis::getCelebrateAnim(p, q, false), c.anim);
    EXPECT_EQ(CTennis::getCelebrateAnim(p, q, true), CTennis::getCelebrateAnim(q, p, false));
    EXPECT_EQ(CTennis::getCelebrateAnim(q, p, true), c.anim);
  }
}

TEST_F(MatchActorsTest, AMessageBarStartsOnItsClockWithAFreshInformationBand) {
  startMatch(kSingles, 4, 1);
  CTennis::matchFrame = 700;
  CGame::frameCounter = 9000;
  String* text = CGame::GetString(1, 57);
  CGame::pdbActive = true;
  CGame::pdbKind = CGame::kPdbBlur;
  CGame::pdbLevel = 60;
  CTennis::barClosing = 2;
  CTennis::initBarMessage(text, 1, 28, true, false, true, false);
  EXPECT_EQ(CTennis::barText.get(), text);
  EXPECT_EQ(CTennis::barKind, 1);
  EXPECT_EQ(CTennis::barDuration, 28);
  EXPECT_EQ(CTennis::barStart, 700);
  EXPECT_EQ(CTennis::barClosing, 0);
  EXPECT_FALSE(CTennis::barShellTime);
  EXPECT_TRUE(CTennis::barOption1);
  EXPECT_TRUE(CGame::pdbActive);
  EXPECT_EQ(CGame::pdbKind, CGame::kPdbInfoBand);
  EXPECT_EQ(CGame::pdbLevel, 0);
  EXPECT_EQ(CGame::pdbStartFrame, 700);
  // The six-argument form leaves the fourth flag off; shell frames when asked.
  CTennis::initBarMessage(text, 0, 21, false, true, false);
  EXPECT_EQ(CTennis::barStart, 9000);
  EXPECT_TRUE(CTennis::barOption2);
  EXPECT_FALSE(CTennis::barOption4);
  EXPECT_TRUE(CTennis::barShellTime);
  // The four-argument form counts match frames.
  CTennis::initBarMessage(text, 0, 14, true);
  EXPECT_FALSE(CTennis::barShellTime);
  EXPECT_FALSE(CTennis::barOption2);
  EXPECT_EQ(CTennis::barStart, 700);
}

TEST_F(MatchActorsTest, RewardWordsAreKeptOnlyOutsideTutorials) {
  startMatch(kSingles, 4, 1);
  String* words = CGame::GetString(1, 20);
  CTennis::rewardText = nullptr;
  CTennis::tutorialIndex = 2;
  CTennis::setRewardWords(words);
  EXPECT_TRUE(isNull(CTennis::rewardText));
  CTennis::tutorialIndex = -1;
  CTennis::setRewardWords(words);
  EXPECT_EQ(CTennis::rewardText.get(), words);
}

TEST_F(MatchActorsTest, TheReplayMakesACallClearOrClose) {
  struct Case {
    bool lie;
    int32_t x, z, x2, z2;
  } cases[] = {
      {true, 120, -300, 360, -300},      {true, -120, 300, -360, 300},  {true, 500, -20, 500, -360},
      {true, 0, 0, 360, 0},              {false, 400, -400, 33, -33},   {false, 401, -401, 401, -401},
      {false, 0, 900, 33, 900},          {false, kNoPoint, -5, kNoPoint, -33},
  };
  for (const Case& c : cases) {
    CTennis::lineDistanceX = c.x;
    CTennis::lineDistanceZ = c.z;
    CTennis::lieInstantReplay(c.lie);
    EXPECT_EQ(CTennis::lineDistanceX, c.x2) << c.lie << " " << c.x << " " << c.z;
    EXPECT_EQ(CTennis::lineDistanceZ, c.z2) << c.lie << " " << c.x << " " << c.z;
  }
}

class DoublesReturnerTest : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    startMatch(kDoubles, 4, 1, 0);
    CPlayer::runSpeedSide = Array::newShortArray(5);
    // The opponents' half: the ball comes from the user's side, travelling to smaller depth;
    // its route lands at (10000, 9000) and passes (12000, 2000).
    matchBall({9085, 1000, 20000}, {0, 1500, -9000});
    setRoute(4, 10000, 9000, true);
    setRoute(13, 12000, 2000);
  }
  static void place(CPlayer* p, int32_t x, int32_t z) {
    p->x = x;
    p->z = z;
  }
};

TEST_F(DoublesReturnerTest, TheBackPlayerReturnsTheServe) {
  for (bool partnerAtNet : {true, false}) {
    CTennis::rallyStrokes = 1;
    place(CTennis::rival, 10000, partnerAtNet ? 3000 : 15000);
    place(CTennis::rivalPartner, 10000, partnerAtNet ? 15000 : 3000);
    CTennis::doubleDecideWhoShouldReturnBall(CTennis::rival);
    EXPECT_EQ(CTennis::rival->isReturner, partnerAtNet);
    EXPECT_EQ(CTennis::rivalPartner->isReturner, !partnerAtNet);
  }
}

TEST_F(DoublesReturnerTest, InARallyTheRouteAndTheDistancesDecide) {
  CTennis::rallyStrokes = 4;
  struct Case {
    int32_t frontX, frontZ, backX, backZ, ballZ;
    bool frontTakes;
  } cases[] = {
      {9000, 22000, 12000, 4000, 20000, false},  // the ball has passed the front player
      {8600, 14000, 12000, 1000, 20000, true},   // the route ends before the back player: nearer
      {2000, 14000, 12000, 1000, 20000, false},  // ... farther
      // The route passes both: by distance to the route, weighted by depth to the ball.
      {10600, 14000, 2000, 1500, 20000, true},
      {4000, 14000, 11900, 1500, 20000, false},
  };
  for (const Case& c : cases) {
    place(CTennis::rivalPartner, c.frontX, c.frontZ);
    place(CTennis::rival, c.backX, c.backZ);
    CTennis::ball->z = c.ballZ;
    CTennis::doubleDecideWhoShouldReturnBall(CTennis::rival);
    EXPECT_EQ(CTennis::rivalPartner->isReturner, c.frontTakes) << c.frontX << " " << c.frontZ;
    EXPECT_EQ(CTennis::rival->isReturner, !c.frontTakes) << c.frontX << " " << c.frontZ;
  }
}

// The timing compare divides by the ball's depth speed and the players' side speed.
TEST_F(DoublesReturnerTest, NoDepthSpeedOrSideSpeedLeavesTheDecisionToTheDistances) {
  CTennis::rallyStrokes = 4;
  place(CTennis::rivalPartner, 10600, 14000);
  place(CTennis::rival, 2000, 1500);
  struct Case {
    int32_t vz, sideSpeed;
  } cases[] = {{0, 3000}, {-9000, 0}, {0, 0}};
  for (const Case& c : cases) {
    CTennis::ball->vz = c.vz;
    CPlayer::runSpeedSide->elements()[0] = static_cast<int16_t>(c.sideSpeed);
    LogCapture log;
    CTennis::doubleDecideWhoShouldReturnBall(CTennis::rivalPartner);
    EXPECT_EQ(Application::pendingException(), nullptr) << c.vz << " " << c.sideSpeed;
    EXPECT_FALSE(log.contains("Arithmetic"));
    EXPECT_TRUE(CTennis::rivalPartner->isReturner);
    EXPECT_FALSE(CTennis::rival->isReturner);
  }
}

class SpecialActionsTest : public LoadingTest {
 protected:
  static CPlayer* playerAt(int32_t i) { return static_cast<CPlayer*>(aload(CTennis::players.get(), i)); }
  // Each player's actor playing anim of the effects sprite, running or at its end.
  static void act(std::initializer_list<std::pair<int32_t, bool>> actors) {
    int32_t i = 0;
    for (const auto& [anim, ended] : actors) {
      CPlayer* p = playerAt(i++);
      p->animActor = CActor::create(CTennis::judgeSprite, anim, -1);
      p->animActor->ended = ended;
    }
  }
};

TEST_F(SpecialActionsTest, ActionsAreOverWhenOneEndedAndNoOneCelebrates) {
  loadAll(0, 0);
  ASSERT_EQ(CTennis::playerCount, 2);
  struct Case {
    int32_t firstAnim;
    bool firstEnded;
    int32_t secondAnim;
    bool secondEnded, over;
  } cases[] = {
      {3, false, 4, false, false},
      {3, true, 4, false, true},
      {3, true, 28, false, false},  // the other still celebrates
      {27, true, 32, false, false},
      {26, true, 20, false, true},  // 26 and 20 are no celebrations
      {3, true, 4, true, true},
  };
  for (const Case& c : cases) {
    act({{c.firstAnim, c.firstEnded}, {c.secondAnim, c.secondEnded}});
    CTennis::skipRequested = false;
    EXPECT_EQ(CTennis::isSpecialActionOver(), c.over) << c.firstAnim << " " << c.secondAnim;
  }
}

TEST_F(SpecialActionsTest, SkipEndsEveryRunningAction) {
  loadAll(0, 1);
  act({{28, false}, {29, false}});
  CTennis::deadBallFrame = 55;
  CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
  CTennis::skipRequested = true;
  EXPECT_TRUE(CTennis::isSpecialActionOver());
  EXPECT_FALSE(CTennis::skipRequested);
  EXPECT_EQ(CTennis::deadBallFrame, 0);
  EXPECT_TRUE(CGame::pdbClosing || !CGame::pdbActive);
  for (int32_t i = 0; i < 2; i++) {
    CActor* a = playerAt(i)->animActor;
    EXPECT_EQ(a->currentFrame, CTennis::judgeSprite->GetAFrames(a->animation) - 1);
    EXPECT_EQ(a->timer, 0);
  }
}

TEST_F(SpecialActionsTest, PendingActionsStartAScene) {
  loadAll(0, 1);
  CTennis::afterPointStage = 0;
  CTennis::playerPendingAction = CTennis::rivalPendingAction = -1;
  CTennis::dealAdditionalAction();
  EXPECT_EQ(CTennis::afterPointStage, 0);
  for (int32_t end : {1, 2}) {
    CTennis::courtEnd = end;
    CTennis::rivalPendingAction = 29;
    CTennis::dealAdditionalAction();
    EXPECT_EQ(CTennis::afterPointStage, 1);
    EXPECT_EQ(CTennis::viewY, 16) << end;
    EXPECT_EQ(CTennis::viewX, end == 1 ? 0 : 39) << end;
    CTennis::afterPointStage = 0;
  }
}

TEST_F(SpecialActionsTest, FreezingWithNoCourtActorsStillPausesTheNet) {
  loadAll(0, 1);
  CTennis::courtDecor = Array::newObjectArray(kObjectArray, 0);
  CTennis::netActor->paused = false;
  CTennis::freezeAllActor();
  EXPECT_TRUE(CTennis::netActor->paused);
  EXPECT_TRUE(CTennis::sharedActor->paused);
}

}  // namespace
}  // namespace sorv::test
