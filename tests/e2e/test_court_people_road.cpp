// Seeded matches, computer against computer, watched at the moments the court's people act:
// a line judge holding out the out signal for the user's ball wide of his line, and the two
// runners racing in for a ball the net stopped. A first run of the seed writes the match
// trace; its point line names the frames (the serve's set-up and the dead ball), and a second
// run of the same seed takes the shots there, so the shots follow the play when it changes.
// Each shot is compared with the same place once the point is over.
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/trace_fields.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 120;
// The match command runs after the road to the main menu; trace frames count from the boot.
const int kMatchCommandFrame = test::scriptFrames(test::kToMainMenu);

using test::Fields;
using test::linesOf;
using test::number;

// Pure white pixels (the gestures' arms, flags, legs and streaks, and the labels' letters) in
// a box of the panel.
int whiteIn(const test::Picture& p, const std::array<int, 4>& box) {
  int n = 0;
  for (int y = box[1]; y < box[3] && y < p.height; y++)
    for (int x = box[0]; x < box[2] && x < p.width; x++) n += p.at(x, y) == 0xFFFFFFu;
  return n;
}

class CourtPeopleRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  std::string shot(const char* name) const { return dir_ + "/" + name + ".png"; }

  // A singles match on court 1 of six-game sets, best of three, on a fresh install (so a
  // second run plays as the first) of the labelled data (the gestures are found by their
  // white), with a shot at each of the given trace frames and run to the last frame; the
  // program's exit status.
  int watch(const char* seed, const std::vector<std::pair<int, const char*>>& shots, int last) {
    EXPECT_TRUE(installData("--labels"));
    std::remove((dir_ + "/match.txt").c_str());
    env_["SORV_SEED"] = seed;
    std::string s = test::kToMainMenu + "match 0 1 4 1\n";
    int at = kMatchCommandFrame;
    for (const auto& [frame, name] : shots) {
      if (frame <= at) ADD_FAILURE() << name << " at frame " << frame << " comes too early";
      s += "frames " + std::to_string(frame - at) + "\nshot " + shot(name) + "\n";
      at = frame;
    }
    if (last > at) s += "frames " + std::to_string(last - at) + "\n";
    std::ofstream(dir_ + "/script.txt") << s + "quit\n";
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }
  std::string matchTrace() const { return readText(dir_ + "/match.txt"); }

  // The first point the test asks for and the one after it, from a first run to the frame.
  bool findPoint(const char* seed, int frames, bool (*wanted)(const Fields&), Fields& point, Fields& next) {
    EXPECT_EQ(watch(seed, {}, frames), 0) << out();
    const std::vector<Fields> points = linesOf(matchTrace(), "point");
    for (size_t i = 0; i + 1 < points.size(); i++) {
      if (!wanted(points[i])) continue;
      point = points[i];
      next = points[i + 1];
      return true;
    }
    ADD_FAILURE() << "no such point within " << frames << " frames:\n" << matchTrace();
    return false;
  }
};

TEST_F(CourtPeopleRoad, AJudgeHoldsOutTheOutSignalForTheUsersBallWideOfHisLine) {
  // Seed 25's first ball of the user's out, its second point, lands wide of the right
  // singles line: the judge of the right lines signals with the dead ball and lowers the
  // signal when the next point is set up.
  Fields point, next;
  ASSERT_TRUE(findPoint("25", 700,
                        [](const Fields& p) {
                          return number(p, "winner") == 1 && number(p, "call") == 10 && p.at("errors") == "1-0";
                        },
                        point, next));
  EXPECT_EQ(point.at("score"), "1-1");
  const int start = number(point, "start"), dead = number(point, "dead"), nextStart = number(next, "start");
  ASSERT_EQ(watch("25", {{start + 13, "before"}, {dead + 5, "signal"}, {nextStart + 10, "after"}}, nextStart + 10), 0)
      << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  // The second run plays the first's match.
  EXPECT_TRUE(has(matchTrace(), "score=1-1 winner=1 server=U serveteam=0 first=1 second=0 in=1 ace=0 double=0 "
                                "errors=1-0")) << matchTrace();
  const test::Picture before = test::readPng(shot("before")), signal = test::readPng(shot("signal")),
                      after = test::readPng(shot("after"));
  ASSERT_GT(signal.width, 0);
  // The judge of the right lines sits by the far service line: his arm and flag add to his
  // label.
  const std::array<int, 4> judgeBox{269, 590, 309, 640};
  const int up = whiteIn(signal, judgeBox);
  EXPECT_GT(up, whiteIn(before, judgeBox) + 100);
  EXPECT_GT(up, whiteIn(after, judgeBox) + 100);
}

TEST_F(CourtPeopleRoad, TheRunnersRaceInForABallTheNetStopped) {
  // Seed 2012's double fault, in the third game, ends with the second serve stopped by the
  // net: the runners set off with the dead ball, both are on their way four frames later
  // and back in their places once the next point is under way.
  Fields point, next;
  ASSERT_TRUE(findPoint("2012", 2100, [](const Fields& p) { return number(p, "double") == 1; }, point, next));
  EXPECT_EQ(number(point, "game"), 2);
  EXPECT_EQ(number(point, "call"), 13);
  const int dead = number(point, "dead"), nextStart = number(next, "start");
  ASSERT_EQ(watch("2012", {{dead + 4, "running"}, {nextStart + 28, "rest"}}, nextStart + 28), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string trace = matchTrace();
  EXPECT_TRUE(has(trace, "game=2 score=2-3 winner=1 server=U serveteam=0 first=1 second=1 in=0 ace=0 double=1"))
      << trace;
  EXPECT_FALSE(has(trace, "game=2 score=3-3")) << "the shots come before the next point is decided";
  const test::Picture running = test::readPng(shot("running")), rest = test::readPng(shot("rest"));
  ASSERT_GT(running.width, 0);
  // Each runner in its stride, legs and streak, along the net from the sides where no one
  // stands between points.
  for (const auto& box : {std::array<int, 4>{170, 115, 230, 180}, std::array<int, 4>{218, 605, 270, 670}}) {
    EXPECT_GT(whiteIn(running, box), whiteIn(rest, box) + 100) << box[0] << "," << box[1];
  }
}

}  // namespace
}  // namespace sorv
