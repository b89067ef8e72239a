// No pause advances the match: a snapshot of everything the match keeps, taken before a pause
// opens, equals one taken when play resumes; and the match's frame painted into the screen
// buffer runs draw-only, keeps the generator and drops its result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/cplayer.h"
#include "match/rigid_body.h"
#include "runtime/util_random.h"
#include "sprites/cactor.h"
#include "tests/game/pause_fixture.h"

namespace sorv::test {
namespace {

using Values = std::vector<int64_t>;

void addInts(Values& out, Object* array) {
  if (isNull(array)) return out.push_back(-1);
  if (array->classId == kIntArray) {
    auto* a = static_cast<IntArray*>(array);
    out.insert(out.end(), a->elements(), a->elements() + a->length);
  } else if (array->classId == kByteArray) {
    auto* a = static_cast<ByteArray*>(array);
    out.insert(out.end(), a->elements(), a->elements() + a->length);
  } else if (array->classId == kObjectArray) {
    auto* a = static_cast<ObjectArray*>(array);
    for (int32_t i = 0; i < a->length; i++) addInts(out, a->elements()[i]);
  }
}

void addActor(Values& out, CActor* a) {
  if (isNull(a)) return out.push_back(-1);
  out.insert(out.end(), {a->animation, a->currentFrame, a->shownFrame, a->timer, a->paused, a->ended, a->onLastFrame});
}

void addActors(Values& out, Object* array) {
  auto* a = static_cast<ObjectArray*>(array);
  for (int32_t i = 0; !isNull(a) && i < a->length; i++) addActor(out, static_cast<CActor*>(a->elements()[i]));
}

void addPlayer(Values& out, CPlayer* p) {
  if (isNull(p)) return out.push_back(-1);
  out.insert(out.end(), {p->state, p->strikeState, p->moveState, p->tossTiming, p->tossPressFrame, p->specialAction,
                         p->slideFlag, p->dustStep, p->sliding, p->vx, p->vz});
  addActor(out, p->animActor);
  addActor(out, p->racketActor);
  addActor(out, p->strokeEffect);
}

// The match as a list of numbers.
Values snapshot() {
  Values v = {CTennis::matchState, CTennis::matchFrame, CTennis::setIndex, CTennis::gameIndex,
              CTennis::serveTurn,  CTennis::secondServe, CTennis::courtEnd, CTennis::rallyStrokes,
              CTennis::matchStrokes, CTennis::pointStreak, CTennis::deadBallReason, CTennis::deadBallFrame,
              CTennis::deadBallTimer, CTennis::deadBallSoundStep, CTennis::challengeTimer,
              CTennis::scoreCallState, CTennis::afterPointStage, CTennis::barStart, CTennis::barDuration,
              CTennis::matchFinished, CTennis::strikeSide, CTennis::leftSoftKeyText, CTennis::rightSoftKeyText,
              CGame::animatedNumberActive, CGame::animatedNumberPhase, CGame::animatedNumberTick,
              CGame::frameDeadline, CGame::padFlash};
  v.push_back(CTennis::server.get() == CTennis::player.get() ? 0 : CTennis::server.get() == CTennis::rival.get() ? 1 : 2);
  addInts(v, CTennis::gamePoints);
  addInts(v, CTennis::setGames);
  addInts(v, CTennis::setsWon);
  addInts(v, CTennis::matchStats);
  addInts(v, CTennis::recordValues);
  addInts(v, CGame::floatHintData);
  ObjectArray* bodies = CTennis::objectList;
  for (int32_t i = 0; !isNull(bodies) && i < bodies->length; i++) {
    auto* b = static_cast<RigidBody*>(bodies->elements()[i]);
    if (isNull(b)) continue;
    v.insert(v.end(), {b->x, b->y, b->z, b->vx, b->vy, b->vz, b->ax, b->ay, b->az, b->flightFrames});
  }
  v.insert(v.end(), {CTennis::serveCounter, CTennis::stageFrame, CTennis::messageStep, CTennis::messageDeadBall,
                     CTennis::deadBallInfo, CTennis::lineCallKind, CTennis::ballVisible, CGame::infoBgClosed,
                     isNull(CTennis::rewardText.get()), isNull(CTennis::gameMessage.get()), isNull(CTennis::barText.get()),
                     CGame::serveSpeedBarShown, CGame::matchScoreShown});
  for (CPlayer* p : {CTennis::player.get(), CTennis::rival.get(), CTennis::partner.get(), CTennis::rivalPartner.get()}) {
    addPlayer(v, p);
  }

  for (CActor* a : {CTennis::sharedActor.get(), CTennis::netActor.get(), CTennis::replayActor.get(),
                    CTennis::netJudge.get(), CTennis::courtActor.get(), CTennis::hitEffectActor.get(),
                    CGame::dustActor0.get(), CGame::dustActor1.get()}) {
    addActor(v, a);
  }
  addActors(v, CTennis::ballKidActors);
  addActors(v, CTennis::linesmen);
  addActors(v, CTennis::courtDecor);
  v.insert(v.end(), {CGame::pdbActive, CGame::pdbClosing, CGame::pdbKind, CGame::pdbStep, CGame::pdbLevel,
                     CGame::pdbStartFrame, CGame::pdbHoldFrames});
  Random* r = CGame::random;
  v.push_back(isNull(r) ? -1 : r->seedLow);
  v.push_back(isNull(r) ? -1 : r->seedHigh);
  return v;
}

// The positions where two snapshots differ, for the failure message.
std::string differences(const Values& a, const Values& b) {
  std::string out;
  for (size_t i = 0; i < a.size() && i < b.size(); i++) {
    if (a[i] != b[i]) out += " [" + std::to_string(i) + "] " + std::to_string(a[i]) + "->" + std::to_string(b[i]);
  }
  if (a.size() != b.size()) out += " sizes " + std::to_string(a.size()) + "/" + std::to_string(b.size());
  return out;
}

struct Scenario {
  const char* name;
  void (*run)();
};

using SnapshotTest = PauseTest;

// The menu's first entry, resume, selected; where play may not be paused no menu opened.
void resumeFromMenu() {
  if (CGame::GET_CURRENT_STATE() != 42) return;
  CGame::menuCursor = 0;
  CGame::keysPressed = 0x10000;
  CGame::updatePause();
  CGame::keysPressed = 0;
}

// Every way into a pause, each run until play resumes.
const Scenario kScenarios[] = {
    {"focus lost and back, menu resumed",
     [] {
       CGame::gameCanvas->hideNotify();
       CGame::gameCanvas->showNotify();
       resumeFromMenu();
     }},
    {"the menu button",
     [] {
       CGame::initPause(0);
       resumeFromMenu();
     }},
    {"the attribute editor",
     [] {
       CGame::initPause(1);
       CGame::keysPressed = CGame::kKeySoftRight;
       CGame::updatePause();
       CGame::keysPressed = 0;
     }},
    {"the thunder serve",
     [] {
       CGame::initSPEPause(3);
       for (int32_t i = 0; i < 40 && CGame::GET_CURRENT_STATE() == 41; i++) {
         CGame::updateSPEPause();
         CGame::paintSPEPause();
       }
     }},
    {"the rain interruption",
     [] {
       CGame::initSPEPause(2);
       CGame::keysPressed = 0x10000;
       for (int32_t i = 0; i < 100 && CGame::GET_CURRENT_STATE() == 41; i++) {
         CGame::updateSPEPause();
         CGame::paintSPEPause();
         CGame::keysPressed = 0;
       }
     }},
};

TEST_F(SnapshotTest, NoPauseAdvancesTheMatch) {
  struct Moment {
    const char* name;
    int32_t matchState;
  };
  const Moment moments[] = {{"mid-rally", 5}, {"between points", 2}, {"during a call", 9}};
  // Where play may be paused, a focus loss and its return open the menu.
  CGame::gameCanvas->hideNotify();
  CGame::gameCanvas->showNotify();
  EXPECT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  resumeFromMenu();
  for (const Scenario& s : kScenarios) {
    for (const Moment& m : moments) {
      SCOPED_TRACE(std::string(s.name) + ", " + m.name);
      playing(m.matchState);
      CTennis::matchFrame = 120;
      CTennis::deadBallTimer = 4;
      CGame::enablePaintDirectInBuffer(CGame::kPdbInfoBand, 0);
      CGame::pdbStep = 2;
      const Values before = snapshot();
      s.run();
      EXPECT_EQ(stack(), std::vector<int32_t>{40});
      EXPECT_EQ(snapshot(), before);
      CGame::disablePaintDirectInBuffer();
    }
  }
}

// A seeded match played by its own frames and the autoplay keys.
class PlayedSnapshotTest : public SnapshotTest {
 protected:
  void SetUp() override {
    SnapshotTest::SetUp();
    // The players are made when the match loads: the user's is a computer player then.
    CTennis::autoplay = true;
    loadAll(0, 0);
    CGame::random = Random::create(2009);
    CTennis::startFormalMatch();
    setState(kMatchState);
  }
  void TearDown() override {
    CTennis::autoplay = false;
    SnapshotTest::TearDown();
  }

  // Plays on until the moment holds after at least one frame; false if it never came.
  bool playUntil(bool (*reached)(), int limit = 20000) {
    for (int i = 0; i < limit; i++) {
      frame();
      // The power serve's thunder pauses over the match; anything else ends it.
      if (aload(CGame::stateStack.get(), 0) != kMatchState) return false;
      if (CGame::stateTop == 0 && reached()) return true;
    }
    return false;
  }
};

bool deadBall() { return CTennis::matchState == CTennis::kStatePlaying && CTennis::deadBallReason != 0; }

struct PlayedMoment {
  const char* name;
  bool (*reached)();
};

const PlayedMoment kPlayedMoments[] = {
    {"the serve toss", [] { return !isNull(CTennis::server.get()) && CTennis::server->state == 3; }},
    {"mid-rally",
     [] { return CTennis::matchState == CTennis::kStatePlaying && CTennis::deadBallReason == 0 && CTennis::rallyStrokes >= 1; }},
    {"a call",
     [] {
       return deadBall() && CTennis::messageDeadBall == CTennis::deadBallFrame &&
              (CTennis::messageStep == 1 || CTennis::messageStep == 3);
     }},
    {"between points", [] { return deadBall() && CTennis::afterPointStage != 0; }},
    {"waiting to serve", [] { return CTennis::matchState == CTennis::kStateServing && CTennis::serveCounter > 0; }},
};

TEST_F(PlayedSnapshotTest, NoPauseAdvancesAPlayedMatch) {
  for (const PlayedMoment& m : kPlayedMoments) {
    for (const Scenario& s : kScenarios) {
      SCOPED_TRACE(std::string(m.name) + ", " + s.name);
      ASSERT_TRUE(playUntil(m.reached));
      const Values before = snapshot();
      s.run();
      EXPECT_EQ(stack(), std::vector<int32_t>{kMatchState});
      const Values after = snapshot();
      EXPECT_EQ(after, before) << differences(before, after);
    }
  }
}

// Cheats 8 and 9 by digit keys and the pad's menu button by touch, in the played match.
TEST_F(PlayedSnapshotTest, CheatsAndTheMenuButtonPauseAPlayedMatch) {
  const auto type = [this](const char* keys) {
    for (const char* k = keys; *k != 0; k++) {
      CGame::gameCanvas->keyPressed(*k);
      CGame::gameCanvas->keyReleased(*k);
      frame();
    }
  };
  const auto inPlay = [] { return CTennis::matchState == CTennis::kStatePlaying && CTennis::deadBallReason == 0; };
  ASSERT_TRUE(playUntil(inPlay));
  type("0008");
  EXPECT_EQ(stack(), (std::vector<int32_t>{kMatchState, 41}));
  for (int i = 0; i < 100 && CGame::stateTop > 0; i++) frame();
  EXPECT_EQ(stack(), std::vector<int32_t>{kMatchState});

  // The thunder took the key that ended its cheat, so the other sequences still stand where
  // it left them: another key starts them afresh.
  type("50009");
  EXPECT_EQ(stack(), (std::vector<int32_t>{kMatchState, 42}));
  EXPECT_EQ(CGame::pauseKind, 1);
  CGame::gameCanvas->keyPressed(-7);
  CGame::gameCanvas->keyReleased(-7);
  frames(3);
  EXPECT_EQ(stack(), std::vector<int32_t>{kMatchState});

  // The pad's menu button, game point (740, 40) on the turned panel.
  ASSERT_TRUE(playUntil(inPlay));
  CGame::gameCanvas->pointerPressed(440, 740);
  frame();
  CGame::gameCanvas->pointerReleased(440, 740);
  frames(2);
  EXPECT_EQ(stack(), (std::vector<int32_t>{kMatchState, 42}));
  EXPECT_EQ(CGame::pauseKind, 0);
  type("5");
  EXPECT_EQ(stack(), std::vector<int32_t>{kMatchState});
  EXPECT_TRUE(playUntil([] { return CTennis::matchFinished; }));
}

TEST_F(SnapshotTest, PausedFramesLeaveTheMatchAlone) {
  const Values before = snapshot();
  CGame::initPause(0);
  ASSERT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  frames(4);
  EXPECT_EQ(stack(), (std::vector<int32_t>{40, 42}));
  EXPECT_EQ(snapshot(), before);
}

TEST_F(SnapshotTest, TheBufferPassOfTheMatchIsDrawOnly) {
  const Values before = snapshot();
  CTennis* match = CGame::matchObject;
  CGame::paintingIntoBuffer = true;
  CGame::updateGame();
  CGame::paintingIntoBuffer = false;
  EXPECT_FALSE(CTennis::drawOnlyFrame);
  EXPECT_EQ(CGame::matchObject.get(), match);
  EXPECT_EQ(stack(), std::vector<int32_t>{40});
  EXPECT_EQ(snapshot(), before);
  // Painted through the screen buffer, as a pause does, with the pad flashing a key.
  CGame::padFlash = 2;
  const Values flashing = snapshot();
  CGame::updateScreenBuffer(false);
  EXPECT_EQ(CGame::padFlash, 2);
  EXPECT_FALSE(CTennis::drawOnlyFrame);
  EXPECT_EQ(CGame::matchObject.get(), match);
  EXPECT_EQ(snapshot(), flashing);
  CGame::padFlash = 0;
}

TEST_F(SnapshotTest, TheTrainingsBufferPassKeepsItsState) {
  CGame::trainingObject = CTraining::create();
  setState(kTrainingState);
  CTennis::matchState = 7;
  const Values before = snapshot();
  CGame::updateScreenBuffer(false);
  EXPECT_EQ(stack(), std::vector<int32_t>{kTrainingState});
  EXPECT_EQ(snapshot(), before);
}

TEST_F(SnapshotTest, TheGeneratorIsRestoredAfterTheBufferPass) {
  Random* r = CGame::random;
  ASSERT_FALSE(isNull(r));
  const uint32_t low = r->seedLow, high = r->seedHigh;
  CGame::paintingIntoBuffer = true;
  CGame::updateGame();
  CGame::paintingIntoBuffer = false;
  EXPECT_EQ(r->seedLow, low);
  EXPECT_EQ(r->seedHigh, high);
}

}  // namespace
}  // namespace sorv::test
