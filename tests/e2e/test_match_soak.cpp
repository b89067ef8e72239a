// Whole seeded matches headless, computer against computer, under a frame cap each: every
// player category, games and sets setting and court. A short format must reach its end and
// hand back to the menus; a long one cut by the cap must be legal so far (the checker's cut
// mode). No run may log a NullPointer or ArrayOutOfBound line. The matches come in groups,
// one test case each, so ctest can run the groups side by side; the sanitizer build plays
// one match of four groups, the stress switches one of two.
#include <cstdlib>
#include <string>

#include "tests/e2e/program_process.h"
#include "tests/support/run_budget.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

using test::kSanitizerBuild;
using test::memoryStressOn;

constexpr int kFrameCap = 6000;
constexpr int kRunSeconds = 400;

struct Match {
  int seed, category, games, sets, court;
};

// Games settings 0..4 give sets of 2..6 games; sets settings 0..2 best of 1, 3, 5. Each
// group mixes short and long formats so the groups take about as long.
constexpr int kGroups = 5, kPerGroup = 4;
constexpr Match kMatches[kGroups][kPerGroup] = {
    {{101, 0, 0, 0, 0}, {102, 1, 4, 2, 1}, {103, 2, 1, 0, 2}, {104, 3, 2, 1, 3}},
    {{105, 4, 0, 0, 1}, {106, 0, 3, 1, 2}, {107, 1, 0, 0, 3}, {108, 2, 4, 0, 0}},
    {{109, 3, 0, 0, 2}, {110, 4, 1, 2, 3}, {111, 0, 1, 0, 0}, {112, 1, 2, 0, 1}},
    {{113, 2, 0, 0, 3}, {114, 3, 3, 0, 0}, {115, 4, 2, 0, 1}, {116, 0, 4, 1, 2}},
    {{117, 1, 1, 0, 0}, {118, 2, 2, 2, 1}, {119, 3, 1, 0, 2}, {120, 4, 3, 0, 3}},
};

// One set of at most three games ends well within the cap.
bool mustFinish(const Match& m) { return m.sets == 0 && m.games <= 1; }

int matchesToPlay(int group) {
  if (kSanitizerBuild) return group < 4 ? 1 : 0;
  if (memoryStressOn()) return group % 2 == 0 ? 1 : 0;
  return kPerGroup;
}

class MatchSoak : public test::ProgramRun, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  void play(const Match& m) {
    std::remove((dir_ + "/match.txt").c_str());
    env_["SORV_SEED"] = std::to_string(m.seed);
    // From the boot to the main menu: a match starts from the loaded menus.
    const std::string script = "frames 59\nkey down 53\nkey up 53\nframes 25\nmatch " + std::to_string(m.category) +
                               " " + std::to_string(m.court) + " " + std::to_string(m.games) + " " +
                               std::to_string(m.sets) + "\nframes " + std::to_string(kFrameCap) + "\nquit\n";
    ASSERT_EQ(runToShell(script, kRunSeconds), 0) << out();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    const std::string trace = readText(dir_ + "/match.txt");
    const std::string header = "match games=" + std::to_string(m.games + 2) + " sets=" + std::to_string(2 * m.sets + 1);
    EXPECT_TRUE(trace.rfind(header, 0) == 0) << trace.substr(0, 80);
    EXPECT_TRUE(has(trace, "category=" + std::to_string(m.category) + " court=" + std::to_string(m.court)));
    EXPECT_TRUE(has(trace, "\npoint ")) << "no point played";
    if (mustFinish(m)) {
      EXPECT_TRUE(has(trace, "\nover ")) << "not over in " << kFrameCap << " frames";
      EXPECT_TRUE(has(trace, "\nshell state=4")) << trace.substr(trace.size() > 200 ? trace.size() - 200 : 0);
    }
    const std::string report = dir_ + "/check.txt";
    std::system(("'" + executable("sorv-trace-check") + "' --cut '" + dir_ + "/match.txt' > '" + report + "'").c_str());
    EXPECT_TRUE(has(readText(report), " 0 errors")) << readText(report).substr(0, 2000);
  }
};

TEST_P(MatchSoak, SeededMatchesAreLegal) {
  const int group = GetParam();
  const int count = matchesToPlay(group);
  if (count == 0) GTEST_SKIP() << "this build plays fewer groups";
  for (int i = 0; i < count; i++) {
    const Match& m = kMatches[group][i];
    SCOPED_TRACE("seed " + std::to_string(m.seed) + " category " + std::to_string(m.category) + " games " +
                 std::to_string(m.games) + " sets " + std::to_string(m.sets) + " court " + std::to_string(m.court));
    play(m);
  }
}

INSTANTIATE_TEST_SUITE_P(Groups, MatchSoak, ::testing::Range(0, kGroups));

// Short matches back to back in one process, through the continue question: what one match
// leaves behind (weather, pages, counters) meets the next, and each must still end legally.
TEST_F(MatchSoak, ShortMatchesBackToBackAreLegal) {
  constexpr int kInARow = 3;
  env_["SORV_SEED"] = "121";
  env_["SORV_AUTOPLAY_AGAIN"] = std::to_string(kInARow - 1);
  const std::string script = "frames 59\nkey down 53\nkey up 53\nframes 25\nmatch 0 2 0 0\nframes " +
                             std::to_string(kFrameCap * kInARow) + "\nquit\n";
  ASSERT_EQ(runToShell(script, kRunSeconds), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string trace = readText(dir_ + "/match.txt");
  EXPECT_EQ(test::countLinesWith(trace, "match games=2 sets=1"), kInARow) << trace;
  EXPECT_EQ(test::countLinesWith(trace, "over winner="), kInARow) << trace;
  EXPECT_EQ(test::countLinesWith(trace, "shell state=4"), 1) << trace;
  const std::string report = dir_ + "/check.txt";
  std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
  EXPECT_TRUE(has(readText(report), "3 matches, 3 finished, 0 cut, ")) << readText(report);
  EXPECT_TRUE(has(readText(report), ", 0 errors")) << readText(report);
}

}  // namespace
}  // namespace sorv
