// A seeded best-of-three match, computer against computer, in which the rain interrupts play
// in the second set: the rain's pause ends, the match plays on to its end and back to the
// menus, and its trace is legal.
#include <string>

#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 500;

class RainRoad : public test::ProgramRun {};

TEST_F(RainRoad, ASeededMatchThatRainsStillEnds) {
  env_["SORV_VCLOCK"] = "1";
  env_["SORV_AUTOPLAY"] = "1";
  env_["SORV_SEED"] = "5";
  env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  // Singles on court 1, sets of two games, best of three; the match ends well within.
  std::ofstream(dir_ + "/script.txt") << "frames 59\nkey down 53\nkey up 53\nframes 25\nmatch 0 1 0 1\n"
                                         "frames 7000\nquit\n";
  const int status = wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  if (status == 2 && !has(out(), "NullPointer")) GTEST_SKIP() << "no match command yet";
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string log = readText(dir_ + "/log.txt");
  EXPECT_TRUE(has(log, "rain interrupts the match in set 2"));
  EXPECT_EQ(log.find("rain interrupts", log.find("rain interrupts") + 1), std::string::npos) << "once a match";
  const std::string trace = readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(trace, "\nover ")) << trace;
  EXPECT_TRUE(has(trace, "\nshell state=4")) << trace;
  const std::string report = dir_ + "/check.txt";
  std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
  EXPECT_TRUE(has(readText(report), ", 0 errors")) << readText(report);
}

}  // namespace
}  // namespace sorv
