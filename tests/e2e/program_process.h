// Runs build/sorvantel or build/sorv-headless as a child process with its own environment
// (SDL's dummy driver, a fresh SORV_ROOT, the trace and the log in files) and reads what it
// left behind.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_budget.h"

extern char** environ;

namespace sorv::test {

inline std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/sorv-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    env_ = {{"SDL_VIDEODRIVER", "dummy"}, {"SORV_AUDIO", "null"},
            {"SORV_ROOT", dir_ + "/root"},  {"SORV_TRACE", dir_ + "/trace.txt"},
            {"SORV_LOG", dir_ + "/log.txt"}, {"SORV_UI_LANGID", "0x0409"}};
    // A whole program run that collects before every allocation under the sanitizer takes
    // many minutes a match. The Release stress pass stresses these runs; the sanitizer's
    // stress pass stresses the in-process tests.
    if (kSanitizerBuild) env_["SORV_GC_STRESS"] = env_["SORV_MOVE_STRESS"] = "0";
    ASSERT_TRUE(installData());
  }

  // The game's files afresh where the phone keeps them: a run's saves would change what the
  // next run shows. The arguments go to the data builder (a language, --labels, ...).
  bool installData(const std::string& args = "") {
    const std::string data = dir_ + "/root/Program Files/Kestovan/Sorvantel 2009";
    return std::system(("rm -rf '" + dir_ + "/root' && '" + executable("tools/mkdata") + "' --out '" + data + "' " +
                        args + " > /dev/null").c_str()) == 0;
  }
  // SORV_E2E_KEEP=1 keeps a run's folder (shots, traces, log) to look at after a failure.
  void TearDown() override {
    if (switchOn("SORV_E2E_KEEP")) {
      std::printf("kept %s\n", dir_.c_str());
      return;
    }
    std::string cmd = "rm -rf '" + dir_ + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }

  static std::string executable(const char* name) { return std::string(SORV_BUILD_DIR) + "/" + name; }

  // Starts the program; the child's standard output goes to out.txt.
  pid_t spawn(const std::string& exe, const std::vector<std::string>& args = {}) {
    std::vector<std::string> envText;
    for (char** e = environ; *e != nullptr; e++) {
      std::string entry = *e;
      if (env_.count(entry.substr(0, entry.find('='))) == 0) envText.push_back(entry);
    }
    for (const auto& [k, v] : env_) envText.push_back(k + "=" + v);
    std::vector<char*> envp, argv;
    for (auto& s : envText) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argText{exe};
    argText.insert(argText.end(), args.begin(), args.end());
    for (auto& s : argText) argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (dir_ + "/out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (keepErrors_) {
      posix_spawn_file_actions_addopen(&actions, 2, (dir_ + "/err.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    }
    pid_t pid = -1;
    int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(rc, 0);
    return pid;
  }

  // The exit status, or -1 when it did not end normally within the time. When done() answers
  // true first, the program is asked to end (SIGTERM) as a closed window would.
  int wait(pid_t pid, int seconds = 60, const std::function<bool()>& done = nullptr) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > until) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
      }
      if (done && done()) {
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  int run(const std::string& exe, const std::vector<std::string>& args = {}) { return wait(spawn(exe, args)); }

  // sorv-headless with the given script; with the shell's test probe in place of the game
  // when asked. The exit status, -1 past the time.
  int runHeadless(const std::string& script, bool probe = false, int seconds = 60) {
    std::ofstream(dir_ + "/script.txt") << script;
    std::vector<std::string> args{"--script", dir_ + "/script.txt"};
    if (probe) args.insert(args.begin(), "--probe");
    return wait(spawn(executable("sorv-headless"), args), seconds);
  }

  // sorv-headless with the script until the match hands back to the shell (SORV_MATCH_TRACE
  // at dir_/match.txt): the rest would be menu frames, so the window is closed then and the
  // run ends as the game would, with its summary. The exit status, -1 past the time.
  int runToShell(const std::string& script, int seconds) {
    std::ofstream(dir_ + "/script.txt") << script;
    const pid_t pid = spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"});
    return wait(pid, seconds, [this] { return readText(dir_ + "/match.txt").find("\nshell state=") != std::string::npos; });
  }

  std::string trace() const { return readText(dir_ + "/trace.txt"); }
  std::string log() const { return readText(dir_ + "/log.txt"); }
  std::string out() const { return readText(dir_ + "/out.txt"); }
  // What the programs started since keepErrors_ was set wrote to their standard error.
  std::string errors() const { return readText(dir_ + "/err.txt"); }

  // Standard error into err.txt rather than the test's own (where a sanitizer's report
  // shows): for the tests that read what a program tells its user there.
  bool keepErrors_ = false;
  std::map<std::string, std::string> env_;
  std::string dir_;
};

// A road on the seeded game (SORV_SEED 2009) whose shots go into the run's folder.
class SeededRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
  }
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string shotLine(const std::string& name) const { return "shot " + shot(name) + "\n"; }
};

// What the trace ends with after every clean stop.
inline constexpr const char* kStopSequence =
    "iconify class=KestovanGame title=\"Kestovan - Sorvantel 2009\"\n"
    "show-window class=HHTaskBar cmd=hide\nshow-window class=HHTaskBar cmd=show\n";

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

inline int countLinesWith(const std::string& text, const std::string& part) {
  int n = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) n += has(line, part) ? 1 : 0;
  return n;
}

// The headless program's closing line, from the frames it ran and the log it wrote.
inline std::string summaryOf(int frames, const std::string& log) {
  return "frames " + std::to_string(frames) + " NullPointer " + std::to_string(countLinesWith(log, "NullPointer")) +
         " ArrayOutOfBound " + std::to_string(countLinesWith(log, "ArrayOutOfBound"));
}

}  // namespace sorv::test
