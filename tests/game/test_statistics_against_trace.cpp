// Seeded whole matches played by the autoplay keys: the statistics page's rows equal the
// sums of the events the match trace wrote as they happened.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include <array>
#include <fstream>
#include <string>

#include "match/match_trace.h"
#include "runtime/util_random.h"
#include "tests/game/pause_fixture.h"
#include "tests/support/run_budget.h"

namespace sorv::test {
namespace {

constexpr int kFrameCap = 60000;

// All three matches in Release, the singles alone under the sanitizer or the collector's stress.
int matchCount() { return kSanitizerBuild || memoryStressOn() ? 1 : 3; }

// What the trace says, per team: points and games won, and the counted events.
struct TraceSums {
  std::array<int, 2> points{}, games{}, first{}, second{}, firstIn{}, secondIn{}, firstAces{}, secondAces{};
  std::array<int, 2> doubleFaults{}, errors{}, net{};
};

// "key=value" of a trace line.
std::string field(const std::string& line, const std::string& key) {
  const size_t at = line.find(" " + key + "=");
  if (at == std::string::npos) return "";
  const size_t start = at + key.size() + 2;
  return line.substr(start, line.find(' ', start) - start);
}

int number(const std::string& line, const std::string& key) { return std::stoi(field(line, key)); }

TraceSums readTrace(const std::string& path) {
  TraceSums sums;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("game ", 0) == 0) sums.games[number(line, "winner")]++;
    if (line.rfind("point ", 0) != 0) continue;
    sums.points[number(line, "winner")]++;
    const std::string errors = field(line, "errors");
    sums.errors[0] += std::stoi(errors);
    sums.errors[1] += std::stoi(errors.substr(errors.find('-') + 1));
    if (const int net = number(line, "net"); net >= 0) sums.net[net]++;
    const int team = number(line, "serveteam");
    if (team < 0) continue;
    sums.first[team] += number(line, "first");
    sums.second[team] += number(line, "second");
    const int servedIn = number(line, "in"), ace = number(line, "ace");
    (servedIn == 1 ? sums.firstIn : sums.secondIn)[team] += servedIn != 0;
    (ace == 1 ? sums.firstAces : sums.secondAces)[team] += ace != 0;
    sums.doubleFaults[team] += number(line, "double");
  }
  return sums;
}

class StatisticsTraceTest : public PauseTest {
 protected:
  void TearDown() override {
    CTennis::autoplay = false;
    unsetenv("SORV_MATCH_TRACE");
    MatchTrace::resetForTests();
    PauseTest::TearDown();
  }

  // Plays the match of the category and sets setting to its end; false at the frame cap.
  bool playMatch(int32_t category, int32_t sets, int64_t seed, const std::string& trace) {
    CTennis::autoplay = true;
    loadAll(category, 0);
    astore(CGame::matchSettings.get(), 2, 0);
    astore(CGame::matchSettings.get(), 3, sets);
    std::remove(trace.c_str());
    setenv("SORV_MATCH_TRACE", trace.c_str(), 1);
    MatchTrace::resetForTests();
    CGame::random = Random::create(seed);
    CTennis::startFormalMatch();
    setState(kMatchState);
    for (int i = 0; i < kFrameCap; i++) {
      frame();
      if (CTennis::matchFinished && CTennis::matchState == CTennis::kStateMatchOver) return true;
      // The power serve's thunder pauses over the match; anything else ends it.
      if (aload(CGame::stateStack.get(), 0) != kMatchState) return CTennis::matchFinished;
    }
    return false;
  }
};

int row(int32_t r, int team) { return aload(static_cast<IntArray*>(aload(CGame::matchStatistics.get(), r)), team); }

TEST_F(StatisticsTraceTest, ThePageAgreesWithTheTracedEvents) {
  struct Case {
    const char* name;
    int32_t category, sets;
    int64_t seed;
  };
  const Case cases[] = {
      {"singles, one set", 0, 0, 11},
      {"doubles, one set", 1, 0, 12},
      {"singles, best of five", 2, 2, 13},
  };
  // The process's own file: two builds' suites may run this test at once.
  const std::string trace = ::testing::TempDir() + "statistics_trace-" + std::to_string(getpid()) + ".txt";
  for (int i = 0; i < matchCount(); i++) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(playMatch(c.category, c.sets, c.seed, trace));
    CGame::initMatchStatistic();
    const TraceSums sums = readTrace(trace);
    ASSERT_GT(sums.points[0] + sums.points[1], 0);
    for (int team = 0; team < 2; team++) {
      SCOPED_TRACE(team);
      EXPECT_EQ(row(0, team), sums.points[team]);
      EXPECT_EQ(row(4, team), sums.games[team]);
      EXPECT_EQ(row(2, team), sums.firstAces[team] + sums.secondAces[team]);
      EXPECT_EQ(row(3, team), sums.doubleFaults[team]);
      EXPECT_EQ(row(5, team), sums.errors[team]);
      EXPECT_EQ(row(6, team), sums.net[team]);
      const int first = sums.first[team];
      EXPECT_EQ(row(1, team), first == 0 ? 0 : sums.firstIn[team] * 100 / first);
      EXPECT_EQ(CTennis::matchStat(4, team), sums.second[team]);
      EXPECT_EQ(CTennis::matchStat(5, team), sums.secondIn[team]);
    }
    EXPECT_EQ(row(0, 0) + row(0, 1), sums.points[0] + sums.points[1]);
  }
  std::remove(trace.c_str());
}

}  // namespace
}  // namespace sorv::test
