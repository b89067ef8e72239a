// Seeded matches, computer against computer, watched at the moments the court's people act:
// a line judge holding out the out signal for the user's ball wide of his line, and the two
// runners racing in for a ball the net stopped. The match trace shows the point each shot
// belongs to; the shots are compared with the same place once the point is over.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 120;

// Pure white pixels (the gestures' arms, flags, legs and streaks, and the labels' letters) in
// a box of the panel.
int whiteIn(const test::Picture& p, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1 && y < p.height; y++)
    for (int x = x0; x < x1 && x < p.width; x++) n += p.at(x, y) == 0xFFFFFFu;
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

  // A singles match on court 1 of six-game sets, best of three, with a shot after each of
  // the given frame counts (counted from the match command on); the program's exit status.
  int watch(const char* seed, const std::vector<std::pair<int, const char*>>& shots) {
    env_["SORV_SEED"] = seed;
    std::string s = test::kToMainMenu + "match 0 1 4 1\n";
    for (const auto& [frames, name] : shots) s += "frames " + std::to_string(frames) + "\nshot " + shot(name) + "\n";
    return runHeadless(s + "quit\n");
  }
};

TEST_F(CourtPeopleRoad, AJudgeHoldsOutTheOutSignalForTheUsersBallWideOfHisLine) {
  // Found from the match trace of seed 25: its second point is the user's ball out wide of
  // the right singles line; the judge of the right lines signals on frame 360 (the match
  // command comes at 85) and lowers the signal when the next point starts.
  ASSERT_EQ(watch("25", {{270, "before"}, {15, "signal"}, {60, "after"}}), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string trace = readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(trace, "score=1-1 winner=1 server=U serveteam=0 first=1 second=0 in=1 ace=0 double=0 errors=1-0"))
      << trace;
  const test::Picture before = test::readPng(shot("before")), signal = test::readPng(shot("signal")),
                      after = test::readPng(shot("after"));
  ASSERT_GT(signal.width, 0);
  // The judge stands at the top right of the panel: his arm and flag add to his label.
  const int judgeBox[4] = {370, 100, 410, 165};
  const int up = whiteIn(signal, judgeBox[0], judgeBox[1], judgeBox[2], judgeBox[3]);
  EXPECT_GT(up, whiteIn(before, judgeBox[0], judgeBox[1], judgeBox[2], judgeBox[3]) + 100);
  EXPECT_GT(up, whiteIn(after, judgeBox[0], judgeBox[1], judgeBox[2], judgeBox[3]) + 100);
}

TEST_F(CourtPeopleRoad, TheRunnersRaceInForABallTheNetStopped) {
  // Found from the match trace of seed 1: the point to 3:3 of the first game ends in the net,
  // and the runners set off on frame 848; both are on their way four frames later and back
  // in their places once the next point is set up.
  ASSERT_EQ(watch("1", {{767, "running"}, {44, "rest"}}), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string trace = readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(trace, "game=0 score=3-3 winner=1")) << trace;
  EXPECT_FALSE(has(trace, "game=0 score=4-3")) << "the shots come before the next point is decided";
  const test::Picture running = test::readPng(shot("running")), rest = test::readPng(shot("rest"));
  ASSERT_GT(running.width, 0);
  // Each runner in its stride, legs and streak, where the court is empty between points.
  for (const auto& box : {std::array<int, 4>{170, 280, 215, 320}, std::array<int, 4>{220, 460, 270, 510}}) {
    EXPECT_GT(whiteIn(running, box[0], box[1], box[2], box[3]), whiteIn(rest, box[0], box[1], box[2], box[3]) + 100)
        << box[0] << "," << box[1];
  }
}

}  // namespace
}  // namespace sorv
