// The match trace written while seeded matches are scored point by point, read back by the
// independent checker: every format gives a legal match.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "match/match_trace.h"
#include "tests/match/flow_fixture.h"
#include "tests/match/trace_checker.h"

namespace sorv::test {
namespace {

class TraceTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    char name[] = "/tmp/sorv_trace_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
    setenv("SORV_MATCH_TRACE", path_.c_str(), 1);
    MatchTrace::resetForTests();
  }
  void TearDown() override {
    MatchTrace::resetForTests();
    unsetenv("SORV_MATCH_TRACE");
    std::remove(path_.c_str());
    FlowTest::TearDown();
  }
  std::string text() const {
    std::ifstream in(path_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string path_;
};

TEST_F(TraceTest, SeededMatchesInEveryFormatAreLegal) {
  struct Case {
    int category, games, sets;
    unsigned seed;
  };
  const Case cases[] = {
      {0, 4, 0, 1}, {0, 4, 1, 2}, {2, 0, 2, 3}, {0, 1, 1, 4}, {2, 2, 0, 5}, {0, 3, 1, 6},
      {1, 4, 0, 7}, {3, 0, 1, 8}, {4, 2, 0, 9}, {1, 3, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.category * 100 + c.games * 10 + c.sets);
    MatchTrace::resetForTests();
    std::remove(path_.c_str());
    startMatch(c.category, c.games, c.sets);
    MatchTrace::begin();
    std::mt19937 rng(c.seed);
    int guard = 0;
    while (!CTennis::matchFinished && guard++ < 5000) {
      // The server's team wins two points in three.
      const bool serverUser = CTennis::server->userTeamSide;
      const bool userWins = (rng() % 3 != 0) == serverUser;
      CTennis::addPoint(userWins);
      MatchTrace::observe();
      betweenPoints();
      MatchTrace::observe();
    }
    MatchTrace::shell(4);
    const tracecheck::Report r = tracecheck::checkText(text());
    EXPECT_EQ(r.matches, 1);
    EXPECT_EQ(r.finished, 1);
    EXPECT_TRUE(r.ok()) << r.errors.size() << " errors, first: " << (r.errors.empty() ? "" : r.errors[0]);
  }
}

TEST_F(TraceTest, AMovedPointIsWrittenAsACorrection) {
  startMatch(kSingles, 4, 0);
  MatchTrace::begin();
  CTennis::addPoint(true);
  MatchTrace::observe();
  astore(CTennis::gamePoints.get(), 0, 0);
  astore(CTennis::gamePoints.get(), 1, 1);
  MatchTrace::observe();
  const std::string t = text();
  EXPECT_NE(t.find("point set=0 game=0 score=1-0 winner=0 server=U"), std::string::npos) << t;
  EXPECT_NE(t.find("correction set=0 game=0 score=0-1"), std::string::npos) << t;
}

}  // namespace
}  // namespace sorv::test
