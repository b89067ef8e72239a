// The match states' transitions as data: every change of the match state goes through
// setMatchState, which looks it up here. A change the table does not hold is logged and
// still made, so a fault shows in the log rather than freezing the match.
#include "match/ctennis.h"
#include "runtime/log.h"
#include "runtime/frames.h"

namespace sorv {

namespace {

constexpr int32_t kAny = -1;

struct Transition {
  int32_t from, to;
};

// 0 is the state before the match starts (after loading).
constexpr Transition kTransitions[] = {
    {0, CTennis::kStateEnter},                            // the players walk on
    {0, CTennis::kStateServing},                          // a resumed match
    {CTennis::kStateEnter, CTennis::kStateServing},       // skip: straight to the first serve
    {CTennis::kStateServing, CTennis::kStateEnter},       // the walk-on after the first point's set-up
    {CTennis::kStateServing, CTennis::kStatePlaying},     // the serve is hit
    {CTennis::kStatePlaying, CTennis::kStateServing},     // the next point starts
    {CTennis::kStatePlaying, CTennis::kStateChallenge},   // a line call is challenged
    {CTennis::kStateChallenge, CTennis::kStatePlaying},   // the challenge is over
    {CTennis::kStatePlaying, CTennis::kStateMatchOver},   // the decided scene ends
    {CTennis::kStateMatchOver, CTennis::kStateContinue},  // OK after the pages
    {CTennis::kStateContinue, CTennis::kStateServing},    // a new match
    {kAny, CTennis::kStateTest},                          // cheat 6
    {CTennis::kStateTest, CTennis::kStateServing},        // "*" restarts
    {kAny, CTennis::kStateTrainingQuery},                 // a tutorial's query
    {CTennis::kStateTrainingQuery, CTennis::kStateServing},
    {CTennis::kStateTrainingQuery, CTennis::kStateEnter},
    {CTennis::kStateTrainingQuery, CTennis::kStatePlaying},  // training play
};

}  // namespace

bool CTennis::isLegalTransition(int32_t from, int32_t to) {
  for (const Transition& t : kTransitions) {
    if ((t.from == from || t.from == kAny) && t.to == to) return true;
  }
  return false;
}

void CTennis::setMatchState(int32_t next) {
  // Staying put (a serve position taken again, a new point from state 2) is no transition.
  if (next != matchState && !isLegalTransition(matchState, next)) {
    Debug::trace("match state %d -> %d is not in the transition table", matchState, next);
  }
  matchState = next;
}

}  // namespace sorv
