// Whole matches headless from the players' entry to the match's end and back to the menus:
// computer against computer (the self-playing user) in singles and doubles, and a user
// driven by a generated key script against the computer. Shots at the entry, a serve, a
// rally, between points and the match-over page; the same seed gives the same trace and
// the same shots, and the program's own trace repeats too.
#include <cstdio>
#include <random>
#include <string>

#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 500;
// Short matches (a set of two or three games) end well within it.
constexpr int kFrameCap = 6000;

class MatchPlayRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  // Runs the script to its end; the program's exit status.
  // Each run on a fresh install: a run's saves would change what the next one shows.
  int play(const std::string& script) {
    EXPECT_TRUE(installData());
    std::remove((dir_ + "/match.txt").c_str());
    std::remove((dir_ + "/trace.txt").c_str());
    std::ofstream(dir_ + "/script.txt") << script;
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }
  std::string matchTrace() const { return readText(dir_ + "/match.txt"); }
  std::string shot(const std::string& run, const char* name) const { return dir_ + "/" + run + "-" + name + ".png"; }

  // The match, then shots at the entry, a serve, a rally, between points, and at the end.
  std::string script(int category, int games, int sets, int court, const std::string& run,
                     const std::string& keys = "") const {
    // From the boot to the main menu: a match starts from the loaded menus.
    std::string s = test::kToMainMenu;
    s += "match " + std::to_string(category) + " " + std::to_string(court) + " " + std::to_string(games) + " " +
         std::to_string(sets) + "\n";
    // Frames after the match command, found by looking at the first seed's shots: the loading
    // and its tip end near frame 90; the first point is played by frame 175, a later one is
    // decided by 450, and the match-over page stands at 1125.
    s += "frames 100\nshot " + shot(run, "entry") + "\n";
    s += "frames 50\nshot " + shot(run, "serve") + "\n";
    s += "frames 25\nshot " + shot(run, "rally") + "\n";
    s += "frames 275\nshot " + shot(run, "between") + "\n";
    s += keys;
    s += "frames 675\nshot " + shot(run, "over") + "\n";
    s += "frames " + std::to_string(kFrameCap) + "\nquit\n";
    return s;
  }

  std::string checkTrace() {
    const std::string report = dir_ + "/check.txt";
    std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
    return readText(report);
  }
};

TEST_F(MatchPlayRoad, ComputerAgainstComputerSinglesAndDoublesRepeatBySeed) {
  env_["SORV_AUTOPLAY"] = "1";
  struct Case {
    int category, games, sets, court;
    const char* seed;
  };
  const Case cases[] = {{0, 0, 0, 1, "25"}, {1, 1, 0, 2, "26"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.category);
    env_["SORV_SEED"] = c.seed;
    ASSERT_EQ(play(script(c.category, c.games, c.sets, c.court, "a")), 0) << out();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    const std::string first = matchTrace();
    const std::string firstTrace = trace();
    EXPECT_TRUE(has(first, "\nover ")) << first;
    EXPECT_TRUE(has(first, "\nshell state=4")) << first;
    EXPECT_TRUE(has(checkTrace(), ", 0 errors")) << checkTrace();
    ASSERT_EQ(play(script(c.category, c.games, c.sets, c.court, "b")), 0) << out();
    EXPECT_EQ(matchTrace(), first) << "the same seed plays the same match";
    EXPECT_EQ(trace(), firstTrace) << "the same seed leaves the same program trace";
    for (const char* name : {"entry", "serve", "rally", "between", "over"}) {
      EXPECT_EQ(readText(shot("a", name)), readText(shot("b", name))) << name;
      EXPECT_FALSE(readText(shot("a", name)).empty()) << name;
    }
  }
}

TEST_F(MatchPlayRoad, AUserOnGeneratedKeysAgainstTheComputer) {
  env_["SORV_SEED"] = "27";
  std::mt19937 rng(27);
  // The phone's digit keys (the game ignores its d-pad) and, now and then, the right soft key.
  const int keys[] = {49, 50, 51, 52, 53, 54, 55, 56, 57, 53, 53, 113};
  std::string s;
  for (int i = 0; i < 3000; i++) {
    const int k = keys[rng() % (sizeof keys / sizeof keys[0])];
    s += "key down " + std::to_string(k) + "\nframes " + std::to_string(1 + rng() % 3) + "\nkey up " + std::to_string(k) +
         "\nframes " + std::to_string(1 + rng() % 4) + "\n";
  }
  ASSERT_EQ(play(script(0, 0, 0, 0, "keys", s)), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  // What was played is legal; the keys may not bring the match to its end in the cap.
  const std::string report = checkTrace();
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    if (has(line, "line ") && !has(line, "never hands back")) ADD_FAILURE() << line;
  }
}

}  // namespace
}  // namespace sorv
