// Test support for the strokes and the computer's decisions: a match built in memory (the
// rules' fixture) with a match ball whose predicted route a test writes point by point, the
// computer's skill levels, and decision weights that make a roll's outcome plain.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "match/rigid_body.h"
#include "runtime/lang_system.h"
#include "tests/match/rules_fixture.h"

namespace sorv::test {

class EventsTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    CTennis::tutorialIndex = -1;
    CTennis::tutorialStep = -1;
  }

  // The match ball at p with velocity v, in the match.
  static RigidBody* matchBall(std::initializer_list<int32_t> p, std::initializer_list<int32_t> v) {
    RigidBody* b = RigidBody::create(CGame::matchObject, RigidBody::kTypeBall);
    CTennis::ball = b;
    b->init(Array::fillInts(Array::newIntArray(3), p), Array::fillInts(Array::newIntArray(3), v), nullptr);
    return b;
  }

  // Route point i of the ball := (x, z); every other point empty when `clear`.
  static void setRoute(int32_t i, int32_t x, int32_t z, bool clear = false) {
    ObjectArray* route = CTennis::ball->route;
    for (int32_t k = 0; clear && k < route->length; k++) {
      IntArray* p = static_cast<IntArray*>(route->elements()[k]);
      p->elements()[0] = p->elements()[1] = RigidBody::kNoPoint;
    }
    IntArray* p = static_cast<IntArray*>(route->elements()[i]);
    p->elements()[0] = x;
    p->elements()[1] = z;
  }

  // The player's five skill levels, one per decision kind.
  static void setLevels(CPlayer* p, std::initializer_list<int32_t> levels) {
    p->aiLevels = Array::fillInts(Array::newIntArray(5), levels);
  }

  // Weights of one kind: rows[option] at every level.
  static void setWeights(int32_t kind, std::initializer_list<int32_t> perOption) {
    ObjectArray* kinds = CPlayer::aiWeights;
    if (isNull(kinds)) {
      CPlayer::aiWeights = Array::newObjectArray(kObjectArray, 5);
      kinds = CPlayer::aiWeights;
    }
    ObjectArray* options = Array::newObjectArray(kIntArray, 6);
    astore(kinds, kind, options);
    int32_t o = 0;
    for (int32_t w : perOption) {
      IntArray* levels = Array::fillInts(Array::newIntArray(5), {w, w, w, w, w});
      astore(options, o++, levels);
    }
    for (; o < 6; o++) astore(options, o, Array::newIntArray(5));
  }

  static int64_t now() { return System::currentTimeMillis(); }
};

}  // namespace sorv::test
