#include <fcntl.h>
#include <sys/stat.h>

#include <functional>
#include <utility>
#include <vector>

#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::kStopSequence;
using test::ProgramRun;

const char* const kGermanLowMemory =
    "msgbox caption=\"Sorvantel 2009\" text=\"Es gibt nicht genügend freien Speicherplatz für das "
    "Spiel.\\nBeende bitte alle Anwendungen und starte das Spiel erneut.\" style=0x30";
// The game's midlet logs this line when it starts.
const char* const kGameStarted = "ZentuKR09 startApp";

TEST_F(ProgramRun, TooLittleMemoryShowsTheLocalizedMessageAndEndsWithZero) {
  env_["SORV_UI_LANGID"] = "0x0407";
  env_["SORV_AVAIL_PHYS"] = "1000";
  EXPECT_EQ(run(executable("sorvantel")), 0);
  EXPECT_TRUE(has(trace(), kGermanLowMemory)) << trace();
  EXPECT_FALSE(has(log(), "Application::init"));

  env_["SORV_AVAIL_PHYS"] = std::to_string(0x1200000 - 1);
  std::remove((dir_ + "/trace.txt").c_str());
  EXPECT_EQ(runHeadless("frames 1\n"), 0);
  EXPECT_TRUE(has(trace(), kGermanLowMemory));

  // One byte more is enough; so is more than a 32-bit count can hold.
  for (const char* enough : {"18874368", "0x100000000"}) {
    env_["SORV_AVAIL_PHYS"] = enough;
    std::remove((dir_ + "/trace.txt").c_str());
    EXPECT_EQ(runHeadless("frames 1\n"), 0) << enough;
    EXPECT_FALSE(has(trace(), "msgbox")) << enough;
    EXPECT_TRUE(has(log(), kGameStarted)) << enough;
  }
}

TEST_F(ProgramRun, ASecondInstanceBringsTheFirstToTheFrontAndEndsAtOnce) {
  pid_t first = spawn(executable("sorvantel"));
  // A failed assertion must not leave the first instance running.
  struct EndFirst {
    pid_t pid;
    ~EndFirst() {
      if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
    }
  } endFirst{first};
  for (int i = 0; i < 3000 && !has(log(), kGameStarted); i++) usleep(10000);
  ASSERT_TRUE(has(log(), kGameStarted));
  const std::string firstLog = log();
  // The same log file: the second start must leave the running game's log alone.
  EXPECT_EQ(run(executable("sorvantel"), {}), 0);
  EXPECT_TRUE(has(trace(), "foreground title=\"Kestovan - Sorvantel 2009\"")) << trace();
  EXPECT_EQ(log().substr(0, firstLog.size()), firstLog);
  EXPECT_EQ(log().find("Application::init"), log().rfind("Application::init"));
  // SDL turns the termination signal into a quit event: the first ends cleanly.
  kill(first, SIGTERM);
  EXPECT_EQ(wait(first), 0);
  endFirst.pid = -1;
  EXPECT_TRUE(has(trace(), kStopSequence));
  EXPECT_TRUE(has(log(), "Application::close\nApplication::destoryMIDlet"));
  // Its lock went with it: the next start is a first instance again.
  EXPECT_EQ(runHeadless("frames 1\n"), 0);
  EXPECT_TRUE(has(log(), kGameStarted));
}

// Copies started at the same moment on the same files: the instance lock is the first thing
// each takes, so exactly one runs on and every other ends at once with 0, before it opens
// the log.
TEST_F(ProgramRun, OfCopiesStartedTogetherExactlyOneRunsOn) {
  for (int round = 0; round < 3; round++) {
    SCOPED_TRACE(round);
    std::remove((dir_ + "/log.txt").c_str());
    std::vector<pid_t> copies;
    for (int i = 0; i < 3; i++) copies.push_back(spawn(executable("sorvantel")));
    std::vector<pid_t> running;
    for (pid_t pid : copies) {
      int status = 0;
      for (int i = 0; i < 300 && waitpid(pid, &status, WNOHANG) == 0; i++) usleep(10000);
      if (waitpid(pid, &status, WNOHANG) == 0) {
        running.push_back(pid);
      } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      }
    }
    ASSERT_EQ(running.size(), 1u);
    for (int i = 0; i < 3000 && !has(log(), kGameStarted); i++) usleep(10000);
    EXPECT_EQ(log().find("Application::init"), log().rfind("Application::init")) << "one game started";
    kill(running[0], SIGTERM);
    EXPECT_EQ(wait(running[0]), 0);
  }
}

// Without its archive, or with one whose table cannot be read, the game does not start
// blank: a box names the file and the folder it was looked for in (on the standard error
// too), and the start ends with 1 before anything runs.
TEST_F(ProgramRun, AMissingOrUnreadableArchiveIsNamedAndTheStartEnds) {
  keepErrors_ = true;
  const std::string archive = dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/data.bar";
  const char* const kBox =
      "msgbox caption=\"Sorvantel 2009\" text=\"The game's data file data.bar is missing or cannot be read.\\n"
      "It was looked for in \\\\Program Files\\\\Kestovan\\\\Sorvantel 2009.";
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"missing", [&] { std::remove(archive.c_str()); }},
      {"its table cut", [&] { truncate(archive.c_str(), 40); }},
      {"zeroed", [&] {
         std::ofstream(archive, std::ios::binary | std::ios::in) << std::string(4096, '\0');
       }},
      {"a folder", [&] {
         std::remove(archive.c_str());
         mkdir(archive.c_str(), 0700);
       }},
  };
  for (const auto& [what, damage] : cases) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(installData());
    damage();
    std::remove((dir_ + "/trace.txt").c_str());
    std::remove((dir_ + "/err.txt").c_str());
    EXPECT_EQ(run(executable("sorvantel")), 1);
    EXPECT_TRUE(has(trace(), kBox)) << trace();
    EXPECT_TRUE(has(errors(), "Sorvantel 2009: The game's data file data.bar is missing or cannot be read.\n"
                              "It was looked for in \\Program Files\\Kestovan\\Sorvantel 2009.")) << errors();
    EXPECT_FALSE(has(log(), "Application::init")) << log();
    EXPECT_FALSE(has(log(), "NullPointer"));
  }
}

// A missing sound file and a broken one: one log line names each, the game plays on without
// them, and the other sounds still load.
TEST_F(ProgramRun, AMissingOrBadSoundIsNamedOnceAndTheGamePlaysOn) {
  const std::string folder = dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/";
  std::remove((folder + "m_title.wav").c_str());
  std::ofstream(folder + "vfx_deuce.wav", std::ios::binary | std::ios::trunc) << "RIFF";
  EXPECT_EQ(runHeadless("frames 120\n"), 0);
  EXPECT_EQ(test::countLinesWith(log(), "m_title.wav"), 1) << log();
  EXPECT_EQ(test::countLinesWith(log(), "vfx_deuce.wav"), 1) << log();
  EXPECT_TRUE(has(log(), "m_title.wav: cannot open \\Program Files\\Kestovan\\Sorvantel 2009\\m_title.wav, it plays as silence"));
  EXPECT_TRUE(has(log(), "vfx_deuce.wav: shorter than its header, it plays as silence"));
  EXPECT_FALSE(has(log(), "sound is off"));
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
}

TEST_F(ProgramRun, QuitEventEndsAfterTheStopSequence) {
  EXPECT_EQ(runHeadless("frames 3\nquit\nframes 50\n", true), 0);
  EXPECT_TRUE(has(log(), "Application::close\nApplication::destoryMIDlet\nprobe: destroyApp(1)"));
  EXPECT_TRUE(has(trace(), kStopSequence));
  EXPECT_TRUE(has(out(), test::summaryOf(4, log()))) << out();
}

TEST_F(ProgramRun, BrowserLaunchEndsTheGameAndAnOverLongAddressIsRefused) {
  EXPECT_EQ(runHeadless("key down 50\nkey up 50\nframes 3\nkey down 49\nkey up 49\nframes 20\n", true), 0);
  EXPECT_TRUE(has(log(), "platformRequest: address of 200 characters does not fit\nprobe: platformRequest returned 0"));
  EXPECT_TRUE(has(trace(), "create-process iexplore http://example.com/probe result=ok\n"));
  EXPECT_EQ(trace().find("create-process"), trace().rfind("create-process")) << "the long one never launched";
  EXPECT_TRUE(has(log(), "probe: destroyApp(1)"));
  EXPECT_TRUE(has(trace(), std::string("result=ok\n") + kStopSequence));
  EXPECT_FALSE(has(log(), "probe: platformRequest returned 1")) << "a started browser ends the game";

  env_["SORV_CREATEPROCESS"] = "fail";
  std::remove((dir_ + "/trace.txt").c_str());
  EXPECT_EQ(runHeadless("key down 49\nkey up 49\nframes 3\n", true), 0);
  EXPECT_TRUE(has(log(), "probe: platformRequest returned 0"));
  EXPECT_TRUE(has(trace(), "create-process iexplore http://example.com/probe result=fail"));
}

TEST_F(ProgramRun, AFailedStartLogsAndEndsNonZero) {
  env_["SDL_VIDEODRIVER"] = "no-such-driver";
  EXPECT_EQ(run(executable("sorvantel")), 1);
  EXPECT_TRUE(has(log(), "Shell::start: SDL_Init failed"));
  EXPECT_TRUE(has(log(), "The program could not start."));
  EXPECT_FALSE(has(log(), "probe:"));
}

TEST_F(ProgramRun, ScriptedInputReachesTheGameAndShotsShowTheScreen) {
  const std::string shot = dir_ + "/screen.png";
  EXPECT_EQ(runHeadless("frames 2\nkey down 13\nkey up 13\ntouch down 10 20\nframes 3\n"
                        "orientation 4\nframes 1\ntouch move 11 20\ntouch up 11 20\nframes 2\n"
                        "focus lose\nframes 1\nfocus lose\nframes 1\nfocus gain\n"
                        "power unattended\nframes 2\npower on\nframes 2\nshot " + shot + "\n",
                        true),
            0);
  const std::string l = log();
  EXPECT_TRUE(has(l, "probe: keyPressed(-5)"));
  EXPECT_TRUE(has(l, "probe: keyReleased(-5)"));
  EXPECT_TRUE(has(l, "probe: pointerPressed(10, 20)"));
  EXPECT_TRUE(has(l, "probe: pointerDragged(460, 11)"));
  EXPECT_TRUE(has(l, "probe: pointerReleased(460, 11)"));
  EXPECT_TRUE(has(l, "probe: hideNotify"));
  EXPECT_TRUE(has(l, "probe: showNotify"));
  const std::string png = test::readText(shot);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // IHDR: 480 wide, 800 high.
  EXPECT_EQ(static_cast<unsigned char>(png[18]) << 8 | static_cast<unsigned char>(png[19]), 480);
  EXPECT_EQ(static_cast<unsigned char>(png[22]) << 8 | static_cast<unsigned char>(png[23]), 800);
  EXPECT_TRUE(has(out(), test::summaryOf(15, l))) << out();
}

TEST_F(ProgramRun, ADisplayTurnedBeforeTheStartTurnsTheFirstTouch) {
  env_["SORV_ORIENTATION"] = "1";
  EXPECT_EQ(runHeadless("frames 1\ntouch down 10 20\nframes 1\n", true), 0);
  EXPECT_TRUE(has(log(), "probe: pointerPressed(20, 790)")) << log();
}

TEST_F(ProgramRun, ABadScriptIsRefusedBeforeAnythingStarts) {
  for (const char* bad : {"key sideways 13\n", "frames\n", "orientation 3\n", "touch down 1\n", "jump\n"}) {
    EXPECT_EQ(runHeadless(std::string("frames 1\n") + bad), 2) << bad;
    EXPECT_FALSE(has(log(), "Application::init")) << bad;
  }
}

}  // namespace
}  // namespace sorv
