// SORV_KILL_AT_WRITE on the headless program: =list names every record-file write step of a
// first start (the store is built, then marked good); =N kills the run before step N, and the
// record being written keeps what it held until the rename that replaces it.
#include <signal.h>
#include <sys/wait.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::ProgramRun;
using test::readText;

struct Step {
  int number;
  std::string name, path;
};

std::vector<Step> stepsOf(const std::string& log) {
  static const std::regex line("^kill-at-write: step (\\d+) (open|write|sync folder|sync|close|rename) (.+)$");
  std::vector<Step> steps;
  std::istringstream lines(log);
  for (std::string text; std::getline(lines, text);) {
    std::smatch m;
    if (std::regex_match(text, m, line)) steps.push_back({std::stoi(m[1]), m[2], m[3]});
  }
  return steps;
}

class KillAtWrite : public ProgramRun {
 protected:
  // The run, killed or not: whether SIGKILL ended it.
  bool killedRun(const std::string& at) {
    env_["SORV_KILL_AT_WRITE"] = at;
    std::ofstream(dir_ + "/script.txt") << "frames 30\n";
    const pid_t pid = spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"});
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
};

TEST_F(KillAtWrite, ListedStepsAndAKillBeforeOneLeaveTheOldRecord) {
  ASSERT_FALSE(killedRun("list"));
  EXPECT_TRUE(test::has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::vector<Step> steps = stepsOf(log());
  ASSERT_GE(steps.size(), 12u) << log();
  const char* const order[] = {"open", "write", "sync", "close", "rename", "sync folder"};
  for (size_t i = 0; i < steps.size(); i++) {
    EXPECT_EQ(steps[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(steps[i].name, order[i % 6]) << steps[i].number;
  }
  // The last record file renamed into place: the store's mark, over the empty record the
  // first start made.
  size_t last = steps.size();
  for (size_t i = 0; i < steps.size(); i++) {
    if (steps[i].name == "rename" && steps[i].path.find("_rec") != std::string::npos) last = i;
  }
  ASSERT_LT(last, steps.size());
  const std::string record = steps[last].path, written = readText(record);
  ASSERT_FALSE(written.empty());

  ASSERT_TRUE(installData());
  ASSERT_TRUE(killedRun(std::to_string(steps[last].number)));
  const std::vector<Step> killed = stepsOf(log());
  ASSERT_EQ(killed.size(), 1u) << "only the chosen step is logged\n" << log();
  EXPECT_EQ(killed[0].number, steps[last].number);
  EXPECT_EQ(killed[0].name, "rename");
  EXPECT_FALSE(test::has(out(), "frames ")) << "a killed run prints no summary";
  EXPECT_TRUE(std::ifstream(record).good());
  EXPECT_EQ(readText(record), "") << "the old record stays";
  EXPECT_EQ(readText(record + ".tmp"), written) << "the new one waits whole beside it";

  ASSERT_TRUE(installData());
  ASSERT_TRUE(killedRun(std::to_string(steps[last].number + 1)));
  EXPECT_EQ(readText(record), written) << "renamed, the new record is in place";
}

}  // namespace
}  // namespace sorv
