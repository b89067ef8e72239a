// A seeded match the computer plays on both sides has serves coming back: in singles and in
// doubles some points go on past the serve, and the server does not win every point.
#include <sstream>
#include <string>

#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

struct Tally {
  int points = 0, aces = 0, returned = 0, serverWon = 0;
};

std::string field(const std::string& line, const std::string& name) {
  const std::size_t at = line.find(" " + name + "=");
  if (at == std::string::npos) return "";
  const std::size_t from = at + name.size() + 2;
  return line.substr(from, line.find(' ', from) - from);
}

Tally tally(const std::string& trace) {
  Tally t;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("point ", 0) != 0) continue;
    t.points++;
    if (field(line, "ace") != "0") t.aces++;
    // In play and no ace: the receiving side struck the ball.
    if (field(line, "in") != "0" && field(line, "ace") == "0") t.returned++;
    if (field(line, "winner") == field(line, "serveteam")) t.serverWon++;
  }
  return t;
}

class ReturnedServes : public test::ProgramRun, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_SEED"] = "3";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
};

// 6000 frames take minutes in the sanitizer build on a loaded machine.
constexpr int kRunSeconds = 600;

// Category 0 is singles, 4 doubles; games setting 2 gives sets of four games.
TEST_P(ReturnedServes, ServesComeBackAndTheServerLosesSomePoints) {
  const int category = GetParam();
  const std::string script = "frames 59\nkey down 53\nkey up 53\nframes 25\nmatch " + std::to_string(category) +
                             " 1 2 0\nframes 6000\nquit\n";
  ASSERT_EQ(runHeadless(script, false, kRunSeconds), 0) << out();
  const std::string trace = readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(trace, category == 4 ? "doubles=1" : "doubles=0")) << trace.substr(0, 80);
  const Tally t = tally(trace);
  ASSERT_GE(t.points, 12) << trace;
  EXPECT_GT(t.returned, 0) << trace;
  EXPECT_LT(t.aces, t.points) << trace;
  EXPECT_LT(t.serverWon, t.points) << trace;
}

INSTANTIATE_TEST_SUITE_P(SinglesAndDoubles, ReturnedServes, ::testing::Values(0, 4));

}  // namespace
}  // namespace sorv
