// The trace checker on traces made by hand: a legal match passes; each broken rule of
// tennis is found, one mutation at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/match/trace_checker.h"

namespace sorv::tracecheck {
namespace {

// A game of `set`, index `game`, won by `team` to love... or to `lost` points, served by s.
std::string game(int set, int game, int team, char s, int lost, int g0, int g1) {
  std::string out;
  int p[2] = {0, 0};
  auto point = [&](int t) {
    p[t]++;
    out += "point set=" + std::to_string(set) + " game=" + std::to_string(game) + " score=" + std::to_string(p[0]) +
           "-" + std::to_string(p[1]) + " winner=" + std::to_string(t) + " server=" + s + "\n";
  };
  for (int i = 0; i < lost; i++) {
    point(team);
    point(1 - team);
  }
  while (!(p[team] >= 4 && p[team] - p[1 - team] >= 2)) point(team);
  out += "game set=" + std::to_string(set) + " game=" + std::to_string(game) + " winner=" + std::to_string(team) +
         " games=" + std::to_string(g0) + "-" + std::to_string(g1) + "\n";
  return out;
}

// One set of two games, both to the user: U serves, ends change, R serves.
std::string shortMatch() {
  return "match games=2 sets=1 doubles=0 category=0 court=1\n" + game(0, 0, 0, 'U', 0, 1, 0) +
         "ends set=0 games=1-0 end=2\n" + game(0, 1, 0, 'R', 3, 2, 0) +
         "set set=0 winner=0 games=2-0 sets=1-0\nover winner=0 sets=1-0\nshell state=4\n";
}

std::string replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

bool mentions(const Report& r, const std::string& what) {
  for (const std::string& e : r.errors) {
    if (e.find(what) != std::string::npos) return true;
  }
  return false;
}

TEST(TraceChecker, ALegalShortMatchPasses) {
  const Report r = checkText(shortMatch());
  EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors[0]);
  EXPECT_EQ(r.matches, 1);
  EXPECT_EQ(r.finished, 1);
  EXPECT_EQ(r.points, 4 + 8);
}

TEST(TraceChecker, EachBrokenRuleIsFound) {
  const std::string good = shortMatch();
  struct Case {
    const char* name;
    std::string trace;
    const char* error;
  };
  const Case cases[] = {
      {"game won without a lead of two",
       replace(good, game(0, 1, 0, 'R', 3, 2, 0), game(0, 1, 0, 'R', 3, 2, 0).substr(0, 0) +
                                                       "point set=0 game=1 score=1-0 winner=0 server=R\n"
                                                       "game set=0 game=1 winner=0 games=2-0\n"),
       "a game won at 1-0"},
      {"no change of ends after the first game", replace(good, "ends set=0 games=1-0 end=2\n", ""),
       "a point before the change of ends"},
      {"ends changed after the set's last game",
       replace(good, "set set=0 winner=0 games=2-0 sets=1-0\n",
               "ends set=0 games=2-0 end=1\nset set=0 winner=0 games=2-0 sets=1-0\n"),
       "ends changed after game 2"},
      {"the same player serves twice", replace(good, game(0, 1, 0, 'R', 3, 2, 0), game(0, 1, 0, 'U', 3, 2, 0)),
       "served by U, not R"},
      {"the match starts with the rival's serve", replace(good, game(0, 0, 0, 'U', 0, 1, 0), game(0, 0, 0, 'R', 0, 1, 0)),
       "served by R, not U"},
      {"a match of three sets over after one", replace(good, "sets=1 doubles", "sets=3 doubles"), "the match ended at sets 1-0"},
      {"back to a state that is not the menus", replace(good, "shell state=4", "shell state=7"),
       "returned to shell state 7"},
      {"a point after the match", good + "point set=1 game=0 score=1-0 winner=0 server=U\n", "a point after the match's end"},
      {"a set of one game", replace(good, game(0, 1, 0, 'R', 3, 2, 0), "set set=0 winner=0 games=1-0 sets=1-0\n"),
       "a set won at 1-0"},
      {"the server changes within a game",
       replace(good, "score=2-0 winner=0 server=U", "score=2-0 winner=0 server=R"), "the server changed within a game"},
      {"a score that skips a point", replace(good, "score=3-0 winner=0 server=U", "score=4-0 winner=0 server=U"),
       "does not follow"},
      {"no shell line", replace(good, "shell state=4\n", ""), "never hands back"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Report r = checkText(c.trace);
    EXPECT_TRUE(mentions(r, c.error)) << (r.errors.empty() ? "no error" : r.errors[0]);
  }
}

// A pre-serve scene stands between two points of a running game and needs a reason: the
// rival's pending action, or in doubles its partner's or a celebration.
TEST(TraceChecker, PreServeScenesNeedAReasonAndAnOpenScore) {
  const std::string good = shortMatch();
  const std::string firstPoint = "point set=0 game=0 score=1-0 winner=0 server=U\n";
  auto after = [&](const std::string& match, const std::string& at, const std::string& scene) {
    return replace(match, at, at + scene);
  };
  struct Case {
    const char* name;
    std::string trace;
    const char* error;  // nullptr: legal
  };
  const std::string doubles = replace(good, "doubles=0", "doubles=1");
  const Case cases[] = {
      {"the rival's action", after(good, firstPoint, "preserve set=0 game=0 rival=1 partner=0 celebration=0\n"), nullptr},
      {"a doubles celebration", after(doubles, firstPoint, "preserve set=0 game=0 rival=0 partner=0 celebration=1\n"),
       nullptr},
      {"the rival's partner in doubles", after(doubles, firstPoint, "preserve set=0 game=0 rival=0 partner=1 celebration=0\n"),
       nullptr},
      {"nothing pending", after(good, firstPoint, "preserve set=0 game=0 rival=0 partner=0 celebration=0\n"),
       "nothing pending"},
      {"a celebration in singles", after(good, firstPoint, "preserve set=0 game=0 rival=0 partner=0 celebration=1\n"),
       "nothing pending"},
      {"before the ends changed",
       after(good, "game set=0 game=0 winner=0 games=1-0\n", "preserve set=0 game=1 rival=1 partner=0 celebration=0\n"),
       "before the score was closed"},
      {"in another game", after(good, firstPoint, "preserve set=0 game=3 rival=1 partner=0 celebration=0\n"),
       "in set 0 game 3"},
      {"after the match", good + "preserve set=0 game=2 rival=1 partner=0 celebration=0\n", "after the match's end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Report r = checkText(c.trace);
    EXPECT_EQ(r.preServes, 1);
    if (c.error == nullptr) {
      EXPECT_TRUE(r.ok()) << r.errors[0];
    } else {
      EXPECT_TRUE(mentions(r, c.error)) << (r.errors.empty() ? "no error" : r.errors[0]);
    }
  }
}

// Six-game sets: to 6:6 by holds, then a tie-break to 7-5 with the serve changing after the
// first point and every two points after it.
std::string toTieBreak(std::string* out) {
  *out += "match games=6 sets=1 doubles=0 category=0 court=2\n";
  const char servers[2] = {'U', 'R'};
  int g[2] = {0, 0};
  for (int i = 0; i < 12; i++) {
    const int team = i % 2;  // each holds serve
    g[team]++;
    *out += game(0, i, team, servers[i % 2], 0, g[0], g[1]);
    if (i % 2 == 0) *out += "ends set=0 games=" + std::to_string(g[0]) + "-" + std::to_string(g[1]) + " end=1\n";
  }
  return *out;
}

std::string tieBreak(const std::vector<int>& winners, const char* servers) {
  std::string out;
  int p[2] = {0, 0};
  for (size_t i = 0; i < winners.size(); i++) {
    p[winners[i]]++;
    out += "point set=0 game=12 score=" + std::to_string(p[0]) + "-" + std::to_string(p[1]) +
           " winner=" + std::to_string(winners[i]) + " server=" + servers[i] + "\n";
  }
  return out;
}

TEST(TraceChecker, TieBreaksAtSixAllOnly) {
  std::string base;
  toTieBreak(&base);
  // 7-5: the user wins the last two of twelve points.
  const std::vector<int> winners = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0};
  const std::string tail = "game set=0 game=12 winner=0 games=7-6\nset set=0 winner=0 games=7-6 sets=1-0\n"
                           "over winner=0 sets=1-0\nshell state=4\n";
  const Report good = checkText(base + tieBreak(winners, "URRUURRUURRU") + tail);
  EXPECT_TRUE(good.ok()) << (good.errors.empty() ? "" : good.errors[0]);
  const Report badServe = checkText(base + tieBreak(winners, "UURRUURRUURR") + tail);
  EXPECT_TRUE(mentions(badServe, "tie-break point 2 served by the wrong team"));
  // A tie-break game won at 7-6 by one point is no win.
  const std::vector<int> close = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0};
  const Report byOne = checkText(base + tieBreak(close, "URRUURRUURRUU") + tail);
  EXPECT_TRUE(mentions(byOne, "a game won at 7-6"));
  // Sets of four games end at four, whatever the other team has: 3-1 is no set.
  const std::string fourGames = "match games=4 sets=1 doubles=0 category=0 court=0\n" + game(0, 0, 0, 'U', 0, 1, 0) +
                                "ends set=0 games=1-0 end=2\n" + game(0, 1, 1, 'R', 0, 1, 1) + game(0, 2, 0, 'U', 0, 2, 1) +
                                "ends set=0 games=2-1 end=1\n" + game(0, 3, 0, 'R', 0, 3, 1) +
                                "set set=0 winner=0 games=3-1 sets=1-0\n";
  EXPECT_TRUE(mentions(checkText(fourGames), "a set won at 3-1"));
}

TEST(TraceChecker, DoublesServeGoesRoundAllFour) {
  std::string t = "match games=4 sets=1 doubles=1 category=1 court=0\n";
  const char order[] = "URPQ";
  int g[2] = {0, 0};
  for (int i = 0; i < 4; i++) {
    g[0]++;
    t += game(0, i, 0, order[i], 0, g[0], g[1]);
    if (i % 2 == 0 && i < 3) t += "ends set=0 games=" + std::to_string(g[0]) + "-" + std::to_string(g[1]) + " end=1\n";
  }
  t += "set set=0 winner=0 games=4-0 sets=1-0\nover winner=0 sets=1-0\nshell state=55\n";
  EXPECT_TRUE(checkText(t).ok()) << checkText(t).errors.at(0);
  const std::string swapped = replace(t, "server=P", "server=Q");
  EXPECT_TRUE(mentions(checkText(swapped), "served by Q, not P"));
}

}  // namespace
}  // namespace sorv::tracecheck

namespace sorv::tracecheck {
namespace {

TEST(TraceChecker, ACutTraceIsLegalSoFar) {
  const std::string whole = shortMatch();
  // Cut after the first game's change of ends, and in the middle of the second game.
  for (const char* cutAfter : {"end=2\n", "score=2-2 winner=1 server=R\n"}) {
    SCOPED_TRACE(cutAfter);
    const std::string cut = whole.substr(0, whole.find(cutAfter) + std::string(cutAfter).size());
    const Report r = checkText(cut, Ending::kMayBeCut);
    EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors[0]);
    EXPECT_EQ(r.cut, 1);
    EXPECT_EQ(r.finished, 0);
    EXPECT_TRUE(mentions(checkText(cut), "never hands back"));
  }
  // What was played before the cut still obeys every rule.
  const std::string badServe = replace(whole, game(0, 1, 0, 'R', 3, 2, 0), game(0, 1, 0, 'U', 3, 2, 0));
  EXPECT_TRUE(mentions(checkText(badServe.substr(0, badServe.find("score=2-2")), Ending::kMayBeCut), "served by U"));
  // A whole match read as possibly cut is simply whole.
  const Report r = checkText(whole, Ending::kMayBeCut);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.cut, 0);
  EXPECT_EQ(r.finished, 1);
}

TEST(TraceChecker, BrokenLinesAreErrorsNotCrashes) {
  for (const char* line : {"point set=0 game=0 score=1- winner=0 server=U", "point set=x game= score=a-b winner=9",
                           "game winner=", "set sets=99999999999999999999-1 winner=0", "over", "ends"}) {
    SCOPED_TRACE(line);
    const Report r = checkText("match games=2 sets=1 doubles=0 category=0 court=0\n" + std::string(line) + "\n");
    EXPECT_FALSE(r.ok());
  }
}

// A tie-break that runs so long the counts are lowered by 2 at their top: the point that
// lowers them still takes its place in the serve order.
TEST(TraceChecker, ATieBreakLoweredAtTheTopKeepsItsServeOrder) {
  std::string t;
  toTieBreak(&t);
  int p[2] = {0, 0};
  const char* order = "URRU";
  for (int i = 0; i < 254; i++) {
    const int w = (i + 1) / 2 % 2;  // each team wins its serve turns
    p[w]++;
    t += "point set=0 game=12 score=" + std::to_string(p[0]) + "-" + std::to_string(p[1]) + " winner=" +
         std::to_string(w) + " server=" + order[i % 4] + "\n";
  }
  // 127-127, then the rival's point: both lowered to 125-126.
  t += "correction set=0 game=12 score=125-126\n";
  t += "point set=0 game=12 score=126-126 winner=0 server=U\npoint set=0 game=12 score=127-126 winner=0 server=U\n";
  const Report r = checkText(t, Ending::kMayBeCut);
  EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors[0]);
}

}  // namespace
}  // namespace sorv::tracecheck
