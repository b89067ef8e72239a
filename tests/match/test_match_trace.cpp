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

struct Format {
  int category, games, sets;
  unsigned seed;
  unsigned serverWins;  // percent of points the serving team wins: high gives tie-breaks
};

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
  // Scores a seeded match point by point and checks its trace.
  void playAndCheck(const Format& c) {
    SCOPED_TRACE(c.seed);
    MatchTrace::resetForTests();
    std::remove(path_.c_str());
    startMatch(c.category, c.games, c.sets);
    MatchTrace::begin();
    std::mt19937 rng(c.seed);
    int guard = 0;
    while (!CTennis::matchFinished && guard++ < 5000) {
      const bool serverUser = CTennis::server->userTeamSide;
      const bool userWins = (rng() % 100 < c.serverWins) == serverUser;
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
  std::string path_;
};

// The training question before a match plays as singles; the trace's match starts only
// when the question is answered, so a doubles match is written as doubles.
TEST_F(TraceTest, TheMatchStartsAfterTheTrainingQuestion) {
  startMatch(1, 0, 0);
  const bool doubles = CTennis::isDoubles;
  ASSERT_TRUE(doubles);
  for (const bool query : {true, false}) {
    SCOPED_TRACE(query);
    MatchTrace::resetForTests();
    std::remove(path_.c_str());
    CTennis::isDoubles = false;
    CTennis::tutorialIndex = query ? -1 : 0;
    const int32_t state = CTennis::matchState;
    if (query) CTennis::matchState = CTennis::kStateTrainingQuery;
    MatchTrace::observe();
    EXPECT_EQ(text().find("match "), std::string::npos) << text();
    CTennis::matchState = state;
    CTennis::tutorialIndex = -1;
    CTennis::isDoubles = doubles;
    MatchTrace::observe();
    EXPECT_NE(text().find("doubles=1"), std::string::npos) << text();
  }
}

TEST_F(TraceTest, SeededMatchesInEveryFormatAreLegal) {
  const Format formats[] = {
      {0, 4, 0, 1, 67}, {0, 4, 1, 2, 67}, {2, 0, 2, 3, 67}, {0, 1, 1, 4, 67}, {2, 2, 0, 5, 67},
      {0, 3, 1, 6, 67}, {1, 4, 0, 7, 67}, {4, 2, 0, 9, 67}, {1, 3, 0, 10, 67}, {3, 4, 0, 16, 67},
  };
  for (const Format& f : formats) playAndCheck(f);
}

// The serve order runs on across sets, in doubles and after a tie-break.
TEST_F(TraceTest, TieBreaksAndDoublesSetsKeepTheServeOrder) {
  const Format formats[] = {
      {0, 4, 2, 11, 92}, {2, 4, 1, 12, 92}, {1, 4, 2, 13, 92}, {4, 4, 1, 14, 92}, {3, 1, 2, 15, 67}, {3, 0, 1, 8, 67},
  };
  for (const Format& f : formats) playAndCheck(f);
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
