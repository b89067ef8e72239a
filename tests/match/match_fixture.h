// Test support for the match engine: a started game runtime with a match object made in
// memory (no players, no loading), bodies held where the collector sees them, and int
// arrays from lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/cgame.h"
#include "match/ctennis.h"
#include "match/rigid_body.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {

// Roots for what a test makes: the fixture itself lives on the host heap.
inline StaticRef<CTennis> gMatch;
inline StaticRef<RigidBody> gBody;
inline StaticRef<RigidBody> gOther;
inline StaticRef<IntArray> gOut;
inline StaticRef<IntArray> gTarget;

class MatchTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    gMatch = CTennis::create(CTennis::kKindMatch);
  }
  void TearDown() override {
    CTennis::courtLossX = CTennis::courtLossY = CTennis::courtLossZ = 0;
    GameTest::TearDown();
  }

  static IntArray* ints(std::initializer_list<int32_t> values) {
    return Array::fillInts(Array::newIntArray(static_cast<int32_t>(values.size())), values);
  }
  static std::vector<int32_t> values(IntArray* a) {
    if (isNull(a)) return {};
    return std::vector<int32_t>(a->elements(), a->elements() + a->length);
  }
  static std::vector<int32_t> row(ObjectArray* table, int32_t i) {
    return values(static_cast<IntArray*>(table->elements()[i]));
  }

  // A ball of the match at p with velocity v, as a stroke launches it.
  static RigidBody* ball(std::initializer_list<int32_t> p, std::initializer_list<int32_t> v = {0, 0, 0}) {
    gBody = RigidBody::create(gMatch, RigidBody::kTypeBall);
    gBody->init(ints(p), ints(v), nullptr);
    return gBody;
  }
};

}  // namespace sorv::test
