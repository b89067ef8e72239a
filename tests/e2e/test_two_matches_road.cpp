// Two seeded matches in one run, computer against computer: a best-of-three in which the
// rain interrupts play, then "play again" at the continue question, and a second match that
// starts dry, plays to its end and shows its statistics before the menus. The first run
// finds the frames where the matches change; a second run of the same seed takes the shots
// there (the virtual clock and the seed make it play the same frames).
#include <fstream>
#include <regex>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 500;
// Singles on court 1, sets of two games, best of three: two of them end well within.
constexpr const char* kMatchStart = "frames 59\nkey down 53\nkey up 53\nframes 25\nmatch 0 1 0 1\n";
constexpr int kFramesBeforeMatch = 85;  // the frame the match command runs after
constexpr int kFrameCap = 14000;
// A point inside the statistics page's panel, over the near service box; the panel is
// translucent dark blue, so the court's floor shows through it darkened and blued.
constexpr int kPanelX = 149, kPanelY = 400;
bool isStatisticsPanel(uint32_t rgb) {
  const uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  return r < 0x50 && g < 0x60 && b < 0x90 && b > r;
}
// Shots taken in the frames before the continue question.
constexpr int kStatisticsFrames = 6;

class TwoMatchesRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_AUTOPLAY_AGAIN"] = "1";
    env_["SORV_SEED"] = "5";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  // Runs the script until the matches hand back to the menus.
  int playTillMenus(const std::string& script) {
    std::remove((dir_ + "/match.txt").c_str());
    std::remove((dir_ + "/log.txt").c_str());
    return runToShell(script, kRunSeconds);
  }

  // The game frame a log line of the self-playing user names, -1 when it has none.
  static int frameOf(const std::string& log, const std::string& what) {
    std::smatch m;
    if (!std::regex_search(log, m, std::regex(what + "[^\n]* at frame ([0-9]+)"))) return -1;
    return std::stoi(m[1]);
  }

  std::string shot(const char* name) const { return dir_ + "/" + name + ".png"; }
};

TEST_F(TwoMatchesRoad, ARainedMatchThenAnotherPlaysToItsEnd) {
  ASSERT_EQ(playTillMenus(std::string(kMatchStart) + "frames " + std::to_string(kFrameCap) + "\nquit\n"), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string log = readText(dir_ + "/log.txt");
  const std::string trace = readText(dir_ + "/match.txt");

  // The first match rains; the answer plays again; the second match starts dry: rain and
  // drizzle never come in a first set, so any weather before its second set was left over.
  const size_t again = log.find("autoplay plays again (1 of 1)");
  ASSERT_NE(again, std::string::npos) << log;
  EXPECT_NE(log.rfind("rain interrupts the match in set 2", again), std::string::npos) << log;
  const std::string second = log.substr(again);
  EXPECT_FALSE(has(second, "in set 1 ")) << second;
  EXPECT_TRUE(has(second, "autoplay leaves for the menus")) << second;

  // Two whole matches, then the menus; every point legal.
  EXPECT_EQ(test::countLinesWith(trace, "match games=2 sets=3"), 2) << trace;
  EXPECT_EQ(test::countLinesWith(trace, "over winner="), 2) << trace;
  EXPECT_TRUE(has(trace, "\nshell state=4")) << trace;
  const size_t secondMatch = trace.find("match games=", 1);
  ASSERT_NE(secondMatch, std::string::npos);
  EXPECT_TRUE(has(trace.substr(secondMatch), "\npoint set=0 game=0 score=1-")) << "the second match plays no point";
  const std::string report = dir_ + "/check.txt";
  std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
  EXPECT_TRUE(has(readText(report), "2 matches, 2 finished, 0 cut")) << readText(report);
  EXPECT_TRUE(has(readText(report), ", 0 errors")) << readText(report);

  // The same run again, with shots: the second match's first frames (its opening bar, then
  // its first serve) and the frames before its continue question, where the self-playing
  // user's OK leaves its statistics page up for a frame or two.
  const int yes = frameOf(log, "autoplay plays again"), leave = frameOf(log, "autoplay leaves for the menus");
  ASSERT_GT(yes, kFramesBeforeMatch);
  ASSERT_GT(leave, yes);
  std::string script = kMatchStart;
  int at = kFramesBeforeMatch;
  auto shotAt = [&](int frame, const std::string& name) {
    script += "frames " + std::to_string(frame - at) + "\nshot " + shot(name.c_str()) + "\n";
    at = frame;
  };
  shotAt(yes + 4, "second-opening");
  shotAt(yes + 60, "second-serve");
  for (int before = kStatisticsFrames; before >= 1; before--) shotAt(leave - before, "end-" + std::to_string(before));
  script += "frames " + std::to_string(kFrameCap) + "\nquit\n";
  // The second run starts from the files the first one started from: a match saves records
  // and achievements, and those change how the next run plays.
  ASSERT_TRUE(installData());
  ASSERT_EQ(playTillMenus(script), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  EXPECT_EQ(frameOf(readText(dir_ + "/log.txt"), "autoplay plays again"), yes) << "the second run played otherwise";
  for (const char* name : {"second-opening", "second-serve"}) {
    const test::Picture p = test::readPng(shot(name));
    ASSERT_GT(p.width, 0) << name;
    // Not the statistics page any more: the new match's court.
    EXPECT_FALSE(isStatisticsPanel(p.at(kPanelX, kPanelY))) << name << std::hex << " 0x" << p.at(kPanelX, kPanelY);
  }
  int statisticsShots = 0;
  for (int before = kStatisticsFrames; before >= 1; before--) {
    const test::Picture p = test::readPng(shot(("end-" + std::to_string(before)).c_str()));
    ASSERT_GT(p.width, 0) << before;
    if (isStatisticsPanel(p.at(kPanelX, kPanelY))) statisticsShots++;
  }
  EXPECT_GE(statisticsShots, 1) << "no statistics page before the continue question";
}

}  // namespace
}  // namespace sorv
