// A plain reference of the tennis rules the match keeps: score, games, sets, serve order,
// serve halves, the change of ends, the critical-point situation and the user's counters of
// saved points and deuces. Written from the rules alone, in ints, with nothing of CTennis.
//
// Players: 0 the user's player, 1 the partner, 2 the rival, 3 the rival's partner; team 0 is
// the user's (players 0 and 1), team 1 the opponents.
#pragma once

#include <array>
#include <cstdint>

namespace sorv::test {

struct ReferenceScorer {
  static constexpr int kSets = 5, kSlots = 13, kTop = 127;

  int gamesInSet = 6, setsInMatch = 1;
  bool doubles = false;
  std::array<std::array<std::array<int, 2>, kSlots>, kSets> points{};
  std::array<std::array<int, 2>, kSets> games{};
  std::array<int, 2> sets{};
  int setIndex = 0, gameIndex = 0;
  int server = 0;
  std::array<bool, 4> fromLeft{true, true, true, true};
  bool userStrikes = true;  // the user's team is to strike
  int courtEnd = 1;
  bool changeEnds = false, finished = false, secondServe = false;
  int swap = 0;
  int situation = 0;
  // Serve changes in the current tie-break: its score is lowered in a long one, its turns not.
  int tieBreakTurns = 0;
  std::array<int, 4> counters{};  // user counters 3, 6, 9 and 12

  static int team(int p) { return p < 2 ? 0 : 1; }
  static int pal(int p) { return p ^ 1; }

  int& pts(int t) { return points[setIndex][gameIndex][t]; }
  int gameOf(int t) const { return games[setIndex][t]; }
  bool tieBreak() const { return gamesInSet == 6 && gameOf(0) == 6 && gameOf(1) == 6; }

  void start(int games_, int sets_, bool doubles_, int first) {
    *this = ReferenceScorer{};
    gamesInSet = games_ + 2;
    setsInMatch = sets_ * 2 + 1;
    doubles = doubles_;
    server = first;
    userStrikes = team(first) == 0;
    situation = announce();
  }

  bool critical(int t) const {
    if (tieBreak()) return true;
    if (gamesInSet == 6) return gameOf(t) >= 5 && gameOf(t) - gameOf(1 - t) >= 1;
    return gameOf(t) >= gamesInSet - 1;
  }

  int gamePoint() {
    const int threshold = tieBreak() ? 6 : 3;
    if (pts(0) < threshold && pts(1) < threshold) return 0;
    return pts(0) - pts(1);
  }

  int announce() {
    const int d = gamePoint();
    if (d == 0) return 0;
    const int leader = d > 0 ? 0 : 1;
    if (!critical(leader)) return team(server) != leader ? 14 : 0;
    return (setsInMatch + 1) / 2 - sets[leader] == 1 ? 16 : 15;
  }

  // The next server in the round user, rival, partner, rival's partner, on across sets.
  void passServe() {
    if (!doubles) {
      server = team(server) == 0 ? 2 : 0;
      return;
    }
    swap = 0;
    server = team(server) == 0 ? server + 2 : pal(server - 2);
  }

  void newGame() {
    tieBreakTurns = 0;
    gameIndex++;
    passServe();
    fromLeft[server] = true;
    secondServe = false;
  }

  void point(int winner) {
    int& own = pts(winner);
    if (own >= kTop) {
      own -= 2;
      pts(1 - winner) -= 2;
    }
    own++;
    const int lead = own - pts(1 - winner);
    const bool gameWon = own >= (tieBreak() ? 7 : 4) && lead >= 2;
    if (!gameWon) {
      secondServe = false;
      if (!tieBreak() && pts(0) == pts(1) && pts(0) >= 3) counters[3]++;
      if (winner == 0 && situation == 15) counters[0]++;
      if (winner == 0 && situation == 16) counters[1]++;
      if (winner == 0 && situation == 14) counters[2]++;
      return;
    }
    if (critical(winner)) {
      const bool decides = (setsInMatch + 1) / 2 - sets[winner] == 1;
      games[setIndex][winner]++;
      sets[winner]++;
      if (decides) {
        finished = true;
        return;
      }
      // After a tie-break the player who received first in it serves the set's first game.
      const int turns = gamesInSet == 6 && games[setIndex][0] + games[setIndex][1] == 13 ? tieBreakTurns : 0;
      newGame();
      const int round = doubles ? 4 : 2;
      for (int i = (round - turns % round) % round; i > 0; i--) passServe();
      fromLeft[server] = true;
      setIndex++;
      gameIndex = 0;
      return;
    }
    games[setIndex][winner]++;
    if (gameIndex % 2 == 0) changeEnds = true;
    newGame();
  }

  // A serve that failed: a fault, or on the second serve a point for the receivers.
  void fault() {
    if (!secondServe) {
      secondServe = true;
      return;
    }
    point(1 - team(server));
  }

  void betweenPoints() {
    if (finished) return;
    userStrikes = team(server) == 0;
    if (!secondServe && !(pts(0) == 0 && pts(1) == 0)) {
      fromLeft[server] = !fromLeft[server];
      if (doubles) swap ^= 1;
      if (tieBreak()) {
        const int total = pts(0) + pts(1);
        if (total % 2 == 1) {
          const int old = server;
          passServe();
          tieBreakTurns++;
          fromLeft[server] = fromLeft[old];
          userStrikes = team(server) == 0;
        }
      }
    }
    if (changeEnds) {
      courtEnd = courtEnd == 1 ? 2 : 1;
      changeEnds = false;
    }
    situation = announce();
  }
};

}  // namespace sorv::test
