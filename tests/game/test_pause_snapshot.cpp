// No pause advances the match: a snapshot of everything the match keeps, taken before a pause
// opens, equals one taken when play resumes; and the match's frame painted into the screen
// buffer runs draw-only, keeps the generator and drops its result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/rigid_body.h"
#include "runtime/util_random.h"
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
  v.insert(v.end(), {CGame::pdbActive, CGame::pdbClosing, CGame::pdbKind, CGame::pdbStep, CGame::pdbLevel,
                     CGame::pdbStartFrame, CGame::pdbHoldFrames});
  Random* r = CGame::random;
  v.push_back(isNull(r) ? -1 : r->seedLow);
  v.push_back(isNull(r) ? -1 : r->seedHigh);
  return v;
}

struct Scenario {
  const char* name;
  void (*run)();
};

using SnapshotTest = PauseTest;

// The menu's first entry, resume, selected.
void resumeFromMenu() {
  CGame::menuCursor = 0;
  CGame::keysPressed = 0x10000;
  CGame::updatePause();
  CGame::keysPressed = 0;
}

TEST_F(SnapshotTest, NoPauseAdvancesTheMatch) {
  const Scenario scenarios[] = {
      {"focus lost and back, menu resumed",
       [] {
         CGame::gameCanvas->hideNotify();
         CGame::gameCanvas->showNotify();
         ASSERT_EQ(CGame::GET_CURRENT_STATE(), 42);
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
  struct Moment {
    const char* name;
    int32_t matchState;
  };
  const Moment moments[] = {{"mid-rally", 5}, {"between points", 2}, {"during a call", 9}};
  for (const Scenario& s : scenarios) {
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
