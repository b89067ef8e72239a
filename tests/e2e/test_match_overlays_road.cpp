// The match's overlays in whole seeded matches, computer against computer: the score panel at
// every point's start, the out call floated as a hint from its bounce, an ace's reward words and
// the break-point box. The trace counts what was shown; a second run of the same seed takes
// shots at the frames the first run's trace names.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/trace_fields.h"

namespace sorv {
namespace {

using test::has;
using test::readText;

constexpr int kRunSeconds = 500;
// From the boot to the main menu, then the match command: it runs after frame 85.
const std::string kToMatch = "frames 59\nkey down 53\nkey up 53\nframes 25\n";
constexpr int kMatchCommandFrame = 85;
// Singles on court 1, sets of three games, best of three. This seed's match goes to a third
// set: 87 points, handed back to the shell at about frame 10060, well within the cap.
const std::string kMatch = "match 0 1 1 1\n";
constexpr int kFrameCap = 12000;

using test::Fields;
using test::linesOf;
using test::number;

// Game point (x, y) of a shot: the panel shows the game turned, (x, y) at (479 - y, x).
uint32_t gamePixel(const test::Picture& p, int x, int y) { return p.at(479 - y, x); }

int countIn(const test::Picture& p, int x0, int y0, int x1, int y1, bool (*test)(uint32_t)) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) n += test(gamePixel(p, x, y)) ? 1 : 0;
  return n;
}

int red(uint32_t c) { return c >> 16 & 0xFF; }
int green(uint32_t c) { return c >> 8 & 0xFF; }
int blue(uint32_t c) { return c & 0xFF; }
// The band takes its caller's colour, the break-point box's blue; its middle rows are the
// most opaque.
bool bandBlue(uint32_t c) { return blue(c) > red(c) + 60 && blue(c) > green(c) + 60; }
// The panel's dark blue cells are translucent over the court: what shows is dark and bluer
// than it is red, where the stands and the floor under it are lighter or redder (a dark
// shirt or two in the crowd aside).
bool panelShade(uint32_t c) {
  return blue(c) > red(c) + 5 && blue(c) >= green(c) && red(c) + green(c) + blue(c) < 240;
}
bool white(uint32_t c) { return red(c) > 230 && green(c) > 230 && blue(c) > 230; }

class MatchOverlaysRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_SEED"] = "5";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  // Each run on a fresh install, so the second plays as the first.
  int play(const std::string& script) {
    EXPECT_TRUE(installData());
    std::remove((dir_ + "/match.txt").c_str());
    std::ofstream(dir_ + "/script.txt") << script;
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }
  std::string matchTrace() const { return readText(dir_ + "/match.txt"); }
  std::string checkTrace() const {
    const std::string report = dir_ + "/check.txt";
    std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
    return readText(report);
  }
  std::string shotPath(const std::string& name) const { return dir_ + "/" + name + ".png"; }
};

TEST_F(MatchOverlaysRoad, EveryStartShowsThePanelAndEveryOutCallItsHint) {
  ASSERT_EQ(play(kToMatch + kMatch + "frames " + std::to_string(kFrameCap) + "\nquit\n"), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  EXPECT_TRUE(has(checkTrace(), ", 0 errors")) << checkTrace();
  const std::string trace = matchTrace();
  const std::vector<Fields> points = linesOf(trace, "point");
  const std::vector<Fields> shells = linesOf(trace, "shell");
  ASSERT_EQ(shells.size(), 1u) << trace;
  const Fields& totals = shells[0];
  int starts = 0, outCalls = 0, rewardPoints = 0, boxes = 0;
  for (const Fields& p : points) {
    EXPECT_GE(number(p, "starts"), 1) << "a point without a start";
    EXPECT_EQ(number(p, "panels"), number(p, "starts")) << "set " << number(p, "set") << " game " << number(p, "game");
    starts += number(p, "starts");
    boxes += number(p, "boxes");
    outCalls += number(p, "call") == 10 ? 1 : 0;
    rewardPoints += number(p, "reward") != 0 ? 1 : 0;
  }
  EXPECT_EQ(number(totals, "starts"), starts);
  EXPECT_EQ(number(totals, "panels"), starts) << "the score panel at every point start";
  EXPECT_EQ(number(totals, "outs"), outCalls) << "every out call floats its hint";
  EXPECT_EQ(number(totals, "hints"), outCalls) << "every out call's hint is drawn";
  EXPECT_EQ(number(totals, "shown"), number(totals, "rewards")) << "every reward set is drawn";
  EXPECT_EQ(number(totals, "boxes"), boxes);
  // The match these settings play has all of them, so the counts are not vacuous.
  EXPECT_GT(outCalls, 0);
  EXPECT_GT(boxes, 0);
  EXPECT_GT(number(totals, "rewards"), 0);
  // Words of the match's last point are withdrawn at its end: at most that one is not counted.
  EXPECT_GE(number(totals, "rewards"), rewardPoints - 1);
}

TEST_F(MatchOverlaysRoad, ShotsOfThePanelAnOutHintAnAcesWordsAndABreakPointBox) {
  const std::string run = kToMatch + kMatch + "frames " + std::to_string(kFrameCap) + "\nquit\n";
  ASSERT_EQ(play(run), 0) << out();
  const std::string first = matchTrace();
  const std::vector<Fields> points = linesOf(first, "point");
  ASSERT_FALSE(points.empty()) << first;
  // The frames to shoot, from the first run: a point's start, an out call's dead ball, the
  // user's ace and a point opened by a break-point box. Each is shot where it stands fully.
  std::map<int, std::string> shots;
  shots[number(points[0], "start") + 5] = "panel";
  for (const Fields& p : points) {
    if (number(p, "call") == 10) {
      shots[number(p, "dead") + 3] = "hint";
      break;
    }
  }
  for (const Fields& p : points) {
    if (number(p, "ace") >= 1 && number(p, "reward") == 20) {
      shots[number(p, "dead") + 7] = "ace";
      break;
    }
  }
  for (const Fields& p : points) {
    if (number(p, "boxes") >= 1) {
      shots[number(p, "start") + 10] = "box";
      break;
    }
  }
  ASSERT_EQ(shots.size(), 4u) << first;
  std::string script = kToMatch + kMatch;
  int at = kMatchCommandFrame;
  for (const auto& [frame, name] : shots) {
    script += "frames " + std::to_string(frame - at) + "\nshot " + shotPath(name) + "\n";
    at = frame;
  }
  script += "frames " + std::to_string(kFrameCap + kMatchCommandFrame - at) + "\nquit\n";
  ASSERT_EQ(play(script), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  EXPECT_EQ(matchTrace(), first) << "the shots change nothing of the match";

  const std::string look = std::string(SORV_BUILD_DIR) + "/look";
  std::filesystem::create_directories(look);
  for (const char* name : {"panel", "hint", "ace", "box"}) {
    std::filesystem::copy_file(shotPath(name), look + "/overlays-" + name + ".png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  const test::Picture panel = test::readPng(shotPath("panel"));
  const test::Picture hint = test::readPng(shotPath("hint"));
  const test::Picture ace = test::readPng(shotPath("ace"));
  const test::Picture box = test::readPng(shotPath("box"));
  for (const test::Picture* p : {&panel, &hint, &ace, &box}) ASSERT_EQ(p->width * p->height, 480 * 800);
  // The score panel's names in the top left corner; gone once the point is played.
  EXPECT_GT(countIn(panel, 0, 10, 185, 64, panelShade), 4000) << "the score panel at the point's start";
  EXPECT_GT(countIn(box, 0, 10, 185, 64, panelShade), 4000) << "and over the break-point box";
  EXPECT_LT(countIn(ace, 0, 10, 185, 64, panelShade), 1500) << "no panel after the point";
  // The box's band across the middle of the screen, 210 to 270, white edged, its text on it;
  // the pad's upper keys and the lob button lie over a part of it.
  EXPECT_GT(countIn(box, 0, 238, 800, 242, bandBlue), 800 * 4 * 3 / 4) << "the break-point band";
  EXPECT_GT(countIn(box, 0, 210, 800, 211, white), 800 * 9 / 10) << "the band's top edge";
  // The touch pad and its lob button, drawn over the match, cover the bottom edge at both ends.
  EXPECT_GT(countIn(box, 320, 269, 680, 270, white), 360 * 9 / 10) << "the band's bottom edge";
  EXPECT_GT(countIn(box, 300, 216, 500, 236, white), 40) << "the break-point text";
  // The ace's words at the top, over the court.
  EXPECT_GT(countIn(ace, 370, 104, 430, 120, white), 20) << "the ace's words";
}

}  // namespace
}  // namespace sorv
