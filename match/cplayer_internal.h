// Small helpers the player's files share: the match settings a player reads, table lookups
// that keep their indices inside the data, and actor set-up.
#pragma once

#include <cstdint>

#include "game/cgame.h"
#include "match/cplayer.h"
#include "match/ctennis.h"
#include "runtime/array.h"
#include "runtime/java_int.h"
#include "runtime/util_random.h"
#include "sprites/cactor.h"

namespace sorv::player_detail {

inline int32_t clampInt(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The computer level 0..2.
inline int32_t difficulty() {
  IntArray* s = CGame::matchSettings;
  if (isNull(s) || s->length < 2) return 0;
  return clampInt(s->elements()[1], 0, 2);
}

// Court type 0..2 (type 3 plays as 2).
inline int32_t courtType() {
  const int32_t c = CTennis::currentCourt;
  return c == 3 ? 2 : clampInt(c, 0, 2);
}

// |nextInt| mod n, never negative; 0 for n <= 0.
inline int32_t randomMod(int32_t n) {
  if (n <= 0 || isNull(CGame::random.get())) return 0;
  return (CGame::random->nextInt() & 0x7FFFFFFF) % n;
}

// Entry i of a short table, i clamped into it (0 for a missing table).
inline int32_t shortAt(ShortArray* t, int32_t i) {
  if (isNull(t) || t->length == 0) return 0;
  return t->elements()[clampInt(i, 0, t->length - 1)];
}
inline int32_t intAt(IntArray* t, int32_t i) {
  if (isNull(t) || t->length == 0) return 0;
  return t->elements()[clampInt(i, 0, t->length - 1)];
}
inline Object* rowAt(ObjectArray* t, int32_t i) {
  if (isNull(t) || t->length == 0) return nullptr;
  return t->elements()[clampInt(i, 0, t->length - 1)];
}

// A byte row of durations as an actor's own frame times.
IntArray* frameTimes(ByteArray* row, int32_t extraAt = -1, int32_t extra = 0);

// Plays animation `anim` of the player's sprite set with the loop frame given.
void play(CPlayer* p, int32_t set, int32_t anim, int32_t loopFrame);
int32_t actorAnimation(CPlayer* p);
bool actorEnded(CPlayer* p);

}  // namespace sorv::player_detail
