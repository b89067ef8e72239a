// A quick match of one set of two games in a real window on a virtual X server with a window
// manager, played on keys sent with xdotool as a person at the desktop would: the menus by
// Return, the tutorial question by its "no" soft key, serves by Return (the meter started and
// stopped), strokes on the digits and runs on the arrows while a point is played, then
// through the match-over pages and the continue question back to the main menu. Nothing
// plays the user's side for it. The court as it waits for the user's first serve, captured
// with xwd, is the headless program's shot of that frame.
//
// The window runs on the virtual clock, so the frames come as fast as the machine draws them
// and a whole point passes quicker than a person could watch the ball: the person keeps
// striking and running until the match trace writes the point.
#include <chrono>
#include <string>
#include <vector>

#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::countLinesWith;
using test::has;
using test::Picture;
using test::within;

// The headless road to the same frame: the title, the main menu's quick match, the set-up as
// it stands (one set of two games, singles, court 1), the first player and opponent offered,
// the tutorial question's "no", then the walk-on until the court waits for the user's serve.
constexpr const char* kToFirstServe =
    "frames 59\n"
    "key down 53\nkey up 53\nframes 25\n"
    "key down 53\nkey up 53\nframes 12\n"
    "key down 53\nkey up 53\nframes 12\n"
    "key down 53\nkey up 53\nframes 12\n"
    "key down 53\nkey up 53\nframes 80\n"
    "key down 113\nkey up 113\nframes 200\n";
constexpr const char* kMatchHeader = "match games=2 sets=1 doubles=0 category=0 court=1";
constexpr const char* kBackToTheMainMenu =
    "state 40 -> 4 switch\nstate 4 -> 11 switch\nstate 11 -> 5 switch\nstate 5 -> 6 switch";
// A person's keys while a point is played: strokes aimed on the digits, runs on the arrows.
// No 0: the lob key also begins every cheat code.
const std::vector<const char*> kRallyKeys = {"4", "Left", "6", "Right", "5", "Up", "1", "Down", "3", "7", "9"};
// Milliseconds between the serve's two taps. Two taps within one frame count as one (the
// second finds the key still held), and the meter must still run at the second: the gaps
// take turns, so one fits however fast the frames come.
const std::vector<int> kServeGaps = {4, 12, 30};
// A rally key goes with xdotool's own gap: a quick tap.
constexpr int kRallyGap = 12;
// The sanitizer build draws its frames several times slower.
constexpr auto kMatchPatience = test::kSanitizerBuild ? std::chrono::seconds(300) : std::chrono::seconds(90);

class RealWindowMatchByKeys : public test::WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }

  // The headless shot of the court waiting for the first serve, as the window shows it.
  Picture headlessFirstServe() {
    EXPECT_EQ(runHeadless(std::string(kToFirstServe) + "shot " + dir_ + "/first-serve.png\nquit\n"), 0) << out();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    forgetTheHeadlessRun();
    // The window's game starts on a fresh install, as the headless one did.
    EXPECT_TRUE(installData());
    return test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/first-serve.png"));
  }

  std::string matchTrace() const { return test::readText(dir_ + "/match.txt"); }

  // Pixels that differ at the 16 bits the panel holds, or -1 when the sizes do.
  static int64_t differingPixels(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty()) return -1;
    int64_t n = 0;
    for (size_t i = 0; i < a.rgb.size(); i++) n += test::as565(a.rgb[i]) != test::as565(b.rgb[i]) ? 1 : 0;
    return n;
  }

  // The fewest differing pixels the window comes to within the time; it stops at none.
  int64_t closestTo(Window window, const Picture& expected) {
    int64_t best = -1;
    within(60s, [&] {
      const int64_t now = differingPixels(x_.capture(window, dir_ + "/window.xwd"), expected);
      if (now >= 0 && (best < 0 || now < best)) best = now;
      return best == 0;
    });
    return best;
  }

  // Points until the match trace says the match is over: each starts with a serve (when the
  // computer serves, the centre key only aims the return at the middle), then strokes and
  // runs until the point is written.
  bool playToTheEnd(std::chrono::seconds patience) {
    const auto until = std::chrono::steady_clock::now() + patience;
    size_t serve = 0, rally = 0;
    while (!has(matchTrace(), "\nover ")) {
      if (std::chrono::steady_clock::now() > until) return false;
      const int points = countLinesWith(matchTrace(), "point ");
      const int gap = kServeGaps[serve++ % kServeGaps.size()];
      if (!xdotool("key --clearmodifiers --delay " + std::to_string(gap) + " Return Return")) return false;
      within(1s, [&] {
        if (countLinesWith(matchTrace(), "point ") != points || has(matchTrace(), "\nover ")) return true;
        press(kRallyKeys[rally++ % kRallyKeys.size()], kRallyGap);
        return false;
      });
    }
    return true;
  }

  // The match-over pages turn on Return; the continue question waits for a soft key, and
  // its right one says no.
  bool leaveThroughTheContinueQuestion() {
    int i = 0;
    return actUntil([&] { return press(i++ % 2 == 0 ? "Return" : "F2"); },
                    [&] { return has(trace(), "state 40 -> 4 switch"); }, 500ms, 30);
  }
};

TEST_F(RealWindowMatchByKeys, AMatchPlayedOnKeysEndsAndTheContinueQuestionLeadsBackToTheMainMenu) {
  const Picture firstServe = headlessFirstServe();
  ASSERT_EQ(firstServe.width, Shell::kScreenHeight);
  env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  std::remove(env_["SORV_MATCH_TRACE"].c_str());
  const Window window = startInWindow("", test::VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << log();
  // The window manager gives the window the keyboard, as a click on it would.
  ASSERT_TRUE(xdotool("windowactivate --sync " + std::to_string(window))) << "xdotool (scripts/deps.sh installs it)";
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();

  // The title, the main menu's first entry, the set-up as it stands, then the player and the
  // opponent: the selection takes no keys for a moment after each pick.
  for (const char* change : {"state 5 -> 6 switch", "state 6 -> 51 push", "state 51 -> 52 push"}) {
    ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), change); })) << change << "\n" << trace();
  }
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 52 -> 12 push"); })) << trace();
  ASSERT_TRUE(pressUntil("F2", [&] { return has(matchTrace(), kMatchHeader); })) << matchTrace() << trace();

  // Nobody has pressed a key since the question: the court waits for the user's serve.
  EXPECT_EQ(closestTo(window, firstServe), 0) << "the court before the first serve is not the headless one";

  ASSERT_TRUE(playToTheEnd(kMatchPatience)) << matchTrace();
  ASSERT_TRUE(leaveThroughTheContinueQuestion()) << trace();
  ASSERT_TRUE(within(60s, [&] { return countLinesWith(trace(), "state 5 -> 6 switch") >= 2; })) << trace();

  const std::string match = matchTrace();
  EXPECT_EQ(countLinesWith(match, "match "), 1) << "the continue question's no plays no second match\n" << match;
  EXPECT_TRUE(has(match, "server=U serveteam=0 first=1")) << "the user's serves were struck on keys\n" << match;
  EXPECT_TRUE(has(match, "\nshell state=4 ")) << match;
  const std::string after = trace().substr(trace().find("state 11 -> 40 switch"));
  EXPECT_TRUE(has(after, kBackToTheMainMenu)) << after;
  const std::string report = dir_ + "/check.txt";
  std::system(("'" + executable("sorv-trace-check") + "' '" + dir_ + "/match.txt' > '" + report + "'").c_str());
  EXPECT_TRUE(has(test::readText(report), ", 0 errors")) << test::readText(report);
  EXPECT_EQ(countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(countLinesWith(log(), "ArrayOutOfBound"), 0) << log();
}

}  // namespace
}  // namespace sorv
