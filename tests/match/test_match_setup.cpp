// The match's set-up hooks: the settings, the step timer, the tutorial's step and labels,
// the query's yes key, the pre-serve decision and scene, and the self-playing user's answers.
#include <cstdint>

#include "tests/match/flow_fixture.h"

namespace sorv::test {
namespace {

TEST_F(FlowTest, TheSettingsGiveGamesSetsAndDoubles) {
  struct Case {
    int category, games, sets;
    int32_t gamesInSet, setsInMatch;
    bool doubles;
  };
  const Case cases[] = {
      {0, 0, 0, 2, 1, false}, {1, 1, 1, 3, 3, true},  {2, 2, 2, 4, 5, false},
      {3, 3, 0, 5, 1, true},  {4, 4, 1, 6, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.category * 100 + c.games * 10 + c.sets);
    startMatch(c.category, c.games, c.sets);
    CTennis::courtEnd = 2;
    CTennis::changeEnds = true;
    CTennis::initParam();
    EXPECT_EQ(CTennis::gamesInSet, c.gamesInSet);
    EXPECT_EQ(CTennis::setsInMatch, c.setsInMatch);
    EXPECT_EQ(CTennis::isDoubles, c.doubles);
    EXPECT_EQ(CTennis::courtEnd, 1);
    EXPECT_FALSE(CTennis::changeEnds);
  }
}

TEST_F(FlowTest, TheStepTimerIsOverOneFrameAfterItsLength) {
  CTennis::matchFrame = 50;
  CTennis::resetTimer();
  CTennis::matchFrame = 60;
  EXPECT_FALSE(CTennis::checkTimer(10));
  CTennis::matchFrame = 61;
  EXPECT_TRUE(CTennis::checkTimer(10));
  CTennis::matchFrame = 55;
  CTennis::timerSkip = true;
  EXPECT_TRUE(CTennis::checkTimer(10)) << "a skip ends every timer";
  CTennis::timerSkip = false;
}

TEST_F(FlowTest, TheTutorialStepAndTheSoftKeys) {
  CTennis::tutorialStep = 3;
  CTennis::tutorialIndex = CTennis::tutorialKind = -1;
  EXPECT_EQ(CTennis::getTutMiniStep(), -1) << "a stale step outside tutorials";
  CTennis::setMenuIGM();
  EXPECT_EQ(CTennis::leftSoftKeyText, 39);
  EXPECT_EQ(CTennis::rightSoftKeyText, -1);
  CTennis::setMenuSkip();
  EXPECT_EQ(CTennis::leftSoftKeyText, -1);
  EXPECT_EQ(CTennis::rightSoftKeyText, 17);
  struct Case {
    int tutorial, step;
    int32_t left, right;
  };
  const Case cases[] = {
      {0, 0, 13, 14},   // the question whether to train first: yes and no
      {1, 0, 11, 35},   {2, 3, 11, 35}, {3, 5, 11, 15}, {4, 6, -1, 15}, {2, 7, -1, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tutorial * 10 + c.step);
    CTennis::initTrainingStep(c.tutorial, c.step);
    EXPECT_EQ(CTennis::tutorialIndex, c.tutorial);
    EXPECT_EQ(CTennis::getTutMiniStep(), c.step);
    EXPECT_EQ(CTennis::leftSoftKeyText, c.left);
    EXPECT_EQ(CTennis::rightSoftKeyText, c.right);
    CTennis::setMenuIGM();
    EXPECT_EQ(CTennis::rightSoftKeyText, 35) << "the way out of a tutorial";
  }
  // A tutorial outside the table shows no text and reads nothing past it.
  CTennis::initTrainingStep(7, 9);
  EXPECT_EQ(CTennis::tutorialIndex, 7);
}

TEST_F(FlowTest, TheQueryYesKey) {
  struct Case {
    int tutorial, step;
    bool lock;
    int32_t state;
    bool bar;
    int32_t mask;
  };
  const Case cases[] = {
      {-1, -1, false, 2, false, 0x50020},  // a match
      {0, 2, false, 2, true, 0x50020},     // the question whether to train
      {1, 0, false, 2, false, 0},          {1, 5, false, 2, false, 0}, {2, 6, false, 2, false, 0},
      {2, 7, false, 2, false, 0},          {-1, -1, true, 2, false, 0},  // a scene bar runs
      {-1, -1, false, 1, true, 0},         // the walk-on's bar
      {-1, -1, false, 1, false, 0x50020},  {3, 8, false, 2, false, -131073},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tutorial * 100 + c.step);
    CTennis::tutorialIndex = CTennis::tutorialKind = c.tutorial;
    CTennis::tutorialStep = c.step;
    CTennis::barLock = c.lock;
    CTennis::matchState = c.state;
    CTennis::barText = c.bar ? CGame::GetString(1, 17) : nullptr;
    EXPECT_EQ(CTennis::getQueryMessageYesKey(), c.mask);
  }
  CTennis::barLock = false;
  CTennis::barText = nullptr;
}

// A scene before the serve is due only for what the opponents have pending: the rival's
// action (its attributes tuned under pressure), in doubles its partner's, or a celebration.
// The user's own team being tuned is no reason. The ball stands still whatever the answer.
TEST_F(FlowTest, APreServeSceneIsDueForTheOpponentsPendingActionsOrACelebration) {
  struct Case {
    const char* name;
    int category;
    int32_t rivalChance, rivalPartnerChance, partnerChance;
    const char* points;  // u: the user's team wins the point, r: the opponents
    bool due;
  };
  // Games setting 0: two-game sets, so one game won makes the next critical.
  const Case cases[] = {
      {"the match's first point", kSingles, 1000, 0, 0, "", false},
      {"the rival tuned at the user's game point", kSingles, 1000, 0, 0, "uuuuuuu", true},
      {"the rival never tuned", kSingles, 0, 0, 0, "uuuuuuu", false},
      {"the rival's partner tuned", kDoubles, 0, 1000, 0, "uuuuuuu", true},
      {"the user's partner tuned", kDoubles, 0, 0, 1000, "rrrrrrr", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startMatch(c.category, 0, 0);
    CTennis::ball = RigidBody::create(CGame::matchObject, RigidBody::kTypeBall);
    CTennis::rival->tuneChance = c.rivalChance;
    if (CTennis::isDoubles) {
      CTennis::rivalPartner->tuneChance = c.rivalPartnerChance;
      CTennis::partner->tuneChance = c.partnerChance;
    }
    scorePoints(c.points);
    if (c.partnerChance > 0) {
      EXPECT_TRUE(CTennis::partner->preServeAction) << "the user's partner was tuned";
    }
    // A doubles point may end in a celebration by the roll of the point: that is due too.
    const bool celebrating = CTennis::isDoubles && CTennis::partnerCelebration != 0;
    CTennis::ball->vx = CTennis::ball->vy = CTennis::ball->vz = 300;
    EXPECT_EQ(CTennis::isWillShowPreServeAction(), c.due || celebrating);
    EXPECT_EQ(CTennis::ball->vx | CTennis::ball->vy | CTennis::ball->vz, 0) << "the ball stands still";
  }
  CTennis::ball = nullptr;
}

// Doubles points until the point's roll makes a team celebrate: a scene is then due with
// nothing else pending, and the scene places the celebrating pair together.
TEST_F(FlowTest, ADoublesCelebrationMakesAPreServeScene) {
  startMatch(kDoubles, 4, 0);
  for (int i = 0; i < 4; i++) playerOf(i)->tuneChance = 0;
  int points = 0;
  while (CTennis::partnerCelebration == 0 && points < 200) {
    scorePoint(points % 2 == 0);
    points++;
  }
  ASSERT_NE(CTennis::partnerCelebration, 0) << "no celebration in " << points << " points";
  for (int i = 0; i < 4; i++) EXPECT_FALSE(playerOf(i)->preServeAction);
  EXPECT_TRUE(CTennis::isWillShowPreServeAction());
}

// The next point goes through the scene only when one is due: a clay court alone no longer
// holds one, the rival's pending action does on either court, and the tired rival acts.
TEST_F(FlowTest, TheNextPointStartsThroughTheSceneOnlyWhenOneIsDue) {
  struct Case {
    const char* name;
    int32_t court, rivalChance;
    bool scene;
  };
  const Case cases[] = {
      {"clay, nothing pending", 0, 0, false},
      {"clay, the rival tuned", 0, 1000, true},
      {"hard court, the rival tuned", 1, 1000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startMatch(kSingles, 0, 0);
    CTennis::rival->tuneChance = c.rivalChance;
    scorePoints("uuuuuuu");
    CTennis::currentCourt = c.court;
    CTennis::serveTurn = 2;
    CTennis::matchState = CTennis::kStatePlaying;
    CTennis::startNextPoint();
    EXPECT_EQ(CTennis::afterPointStage == 4, c.scene);
    EXPECT_EQ(CTennis::matchState, c.scene ? CTennis::kStatePlaying : CTennis::kStateServing);
    if (c.scene) {
      EXPECT_EQ(CTennis::rival->animActor->animation, 29) << "the tired rival's action";
      if (c.court == 0 && CTennis::server->userTeamSide) {
        EXPECT_EQ(CTennis::server->animActor->animation, 8) << "the clay court's serve action";
      }
    }
  }
}

TEST_F(FlowTest, ThePreServeSceneGivesTheActionsOrStartsThePoint) {
  deadPoint(kSingles, CTennis::kReasonOut);
  CTennis::serveTurn = 0;  // the ball kids' point: the server receives balls
  CTennis::server = CTennis::player;
  CTennis::player->serveFromLeft = true;
  CTennis::doActionBeforeServe();
  EXPECT_EQ(CTennis::afterPointStage, 4);
  EXPECT_EQ(CTennis::player->animActor->animation, 7);
  const int32_t received = CTennis::rival->animActor->animation;
  EXPECT_TRUE(received == 9 || received == 10) << received;
  EXPECT_EQ(CTennis::serveTurn, 2);
  CTennis::currentCourt = 1;
  CTennis::serveTurn = 1;
  CTennis::doActionBeforeServe();
  EXPECT_EQ(CTennis::matchState, CTennis::kStateServing) << "nobody acts: the point starts";
  EXPECT_EQ(CTennis::afterPointStage, 0);
}

TEST_F(FlowTest, TheSelfPlayingUserAnswersTheMatchsQuestions) {
  struct Case {
    int32_t state, keys;
  };
  const Case cases[] = {
      {CTennis::kStateTrainingQuery, CGame::kKeySoftRight},  // no training first
      {CTennis::kStateMatchOver, CGame::kKeySoftLeft},       // OK through the pages
      {CTennis::kStateContinue, CGame::kKeySoftRight},       // back to the menus
      {CTennis::kStatePlaying, 0},
      {CTennis::kStateServing, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    CTennis::matchState = c.state;
    CTennis::barClosing = 0;
    CGame::keysPressed = 0;
    CTennis::autoplayKeys();
    EXPECT_EQ(CGame::keysPressed, c.keys);
  }
  CGame::keysPressed = 0;
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

TEST_F(FlowTest, TheMessageBarAnswersByKeyOrTime) {
  struct Case {
    const char* name;
    int32_t kind, duration, left, right, keys;
    int framesToAnswer;  // frames until the bar gives its answer
    int32_t answer;
    bool blurHeld = false;  // another effect holds the screen buffer
  };
  const Case cases[] = {
      {"back on a kind -1 bar answers at once", -1, 0, -1, 14, CGame::kKeySoftRight, 1, 1},
      {"back on a kind 0 bar closes with its stage", 0, 0, -1, 14, CGame::kKeySoftRight, 2, 1},
      {"yes on a query with a left label", 1, 0, 13, -1, CTennis::kKeyOk, 1, 2},
      {"the time runs out", 0, 28, -1, -1, 0, 30, 2},
      {"closes while a blur holds the buffer", 0, 0, -1, 14, CGame::kKeySoftRight, 2, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTennis::tutorialIndex = CTennis::tutorialKind = -1;
    CTennis::matchState = CTennis::kStateServing;
    CTennis::matchFrame = 10;
    CTennis::barText = CGame::GetString(1, 57);
    CTennis::barKind = c.kind;
    CTennis::barDuration = c.duration;
    CTennis::barStart = 10;
    CTennis::barClosing = 0;
    CTennis::leftSoftKeyText = c.left;
    CTennis::rightSoftKeyText = c.right;
    CGame::disablePaintDirectInBuffer();
    if (c.blurHeld) CGame::enablePaintDirectInBuffer(CGame::kPdbBlur, 0);
    int answeredAt = -1;
    int32_t answer = 0;
    for (int f = 1; f <= 40 && answeredAt < 0; f++) {
      CTennis::matchFrame++;
      CGame::keysPressed = f == 1 ? c.keys : 0;
      answer = CTennis::updateBarMessage();
      if (answer != 0) answeredAt = f;
    }
    CGame::keysPressed = 0;
    CGame::disablePaintDirectInBuffer();
    EXPECT_EQ(answeredAt, c.framesToAnswer);
    EXPECT_EQ(answer, c.answer);
    EXPECT_TRUE(CTennis::barText.get() == nullptr) << "the bar is gone";
    EXPECT_EQ(CTennis::updateBarMessage(), 0) << "and answers nothing more";
  }
}

TEST_F(FlowTest, TheQuestionWhetherToTrainFirst) {
  startMatch(kSingles, 4, 0);
  CTennis::switchToQueryTraining(0, 0);
  ASSERT_EQ(CTennis::matchState, CTennis::kStateTrainingQuery);
  EXPECT_EQ(CTennis::leftSoftKeyText, 13);
  EXPECT_EQ(CTennis::rightSoftKeyText, 14);
  CTennis::barText = CGame::GetString(1, 34);
  CTennis::barKind = 1;
  CGame::keysPressed = CTennis::kKeyOk;  // yes: the long tutorial from its start
  EXPECT_EQ(frame(), -1);
  CGame::keysPressed = 0;
  EXPECT_EQ(frame(), -1);
  EXPECT_EQ(CTennis::tutorialIndex, 1);
  EXPECT_EQ(CTennis::getTutMiniStep(), 0);
  EXPECT_EQ(CTennis::matchState, CTennis::kStateTrainingQuery);
  EXPECT_EQ(CTennis::tutorialCounter, 1);
}

}  // namespace
}  // namespace sorv::test
