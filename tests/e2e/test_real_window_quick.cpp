// A quick match in a real window at the phone's 16-bit depth on a virtual X server with a
// window manager, driven as a person at the desktop would with xdotool: the set-up and the
// selection, each captured with xwd, match the headless program's shots of the same steps
// in at least 99 % of their pixels, the rest inside the screens' animated items; then the
// match plays to its end (the computer plays the user's side) and the game is back at the
// main menu.
#include <algorithm>
#include <vector>

#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::countLinesWith;
using test::has;
using test::Picture;
using test::within;

constexpr const char* kToSetup = "frames 59\nkey down 53\nkey up 53\nframes 25\nkey down 53\nkey up 53\nframes 12\n";
constexpr const char* kToSelection = "key down 53\nkey up 53\nframes 12\n";
constexpr double kLeastEqualShare = 0.99;

// A window box (x, y, w, h).
struct Box {
  int32_t x, y, w, h;
  bool holds(int32_t px, int32_t py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The animated items of the two screens in window pixels: the list and value arrows, the
// scrolling title, the roster's arrows and running players.
const std::vector<Box> kAnimated = {{0, 0, 800, 60}, {0, 100, 120, 300}, {680, 100, 120, 300}, {0, 400, 800, 80},
                                    {120, 60, 560, 340}};

struct Comparison {
  double equalShare = 0;
  int64_t outsideAnimated = -1;  // differing pixels outside the animated items
};

Comparison compare(const Picture& shown, const Picture& expected, const std::vector<Box>& animated) {
  Comparison c;
  if (shown.width != expected.width || shown.height != expected.height || shown.rgb.empty()) return c;
  size_t same = 0;
  c.outsideAnimated = 0;
  for (int32_t y = 0; y < shown.height; y++) {
    for (int32_t x = 0; x < shown.width; x++) {
      if (test::as565(shown.at(x, y)) == test::as565(expected.at(x, y))) {
        same++;
      } else if (std::none_of(animated.begin(), animated.end(), [&](const Box& b) { return b.holds(x, y); })) {
        c.outsideAnimated++;
      }
    }
  }
  c.equalShare = static_cast<double>(same) / static_cast<double>(shown.rgb.size());
  return c;
}

class RealWindowQuickMatch : public test::WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    // The frames run as fast as the machine allows and the match is the same on any machine;
    // the computer plays the user's side and answers the match's questions.
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  // The headless shots after the set-up's and the selection's steps.
  void headlessShots() {
    std::ofstream(dir_ + "/script.txt") << kToSetup << "shot " << dir_ << "/setup.png\n"
                                        << kToSelection << "shot " << dir_ << "/selection.png\n";
    ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), 120), 0);
    setup_ = test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/setup.png"));
    selection_ = test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/selection.png"));
    forgetTheHeadlessRun();
  }
  // Return at the desktop until done() holds, again every ten seconds (the selection, for
  // one, takes no keys for a moment after each pick). Each step's wait is long enough for the
  // game to show it has the press.
  bool returnsUntil(const std::function<bool()>& done) { return pressUntil("Return", done, 10s, 12); }
  bool returnUntil(const char* change) {
    return returnsUntil([&] { return has(trace(), change); });
  }
  // The closest the window comes to the picture within the time.
  Comparison shown(Window window, const Picture& expected) {
    Comparison best;
    within(60s, [&] {
      const Comparison now = compare(x_.capture(window, dir_ + "/window.xwd"), expected, kAnimated);
      if (now.equalShare > best.equalShare) best = now;
      return best.equalShare >= 0.999;
    });
    return best;
  }

  Picture setup_, selection_;
};

TEST_F(RealWindowQuickMatch, SetupAndSelectionLookAsHeadlessThenAMatchPlaysBackToTheMainMenu) {
  headlessShots();
  ASSERT_EQ(setup_.width, Shell::kScreenHeight);
  ASSERT_LT(compare(setup_, selection_, {}).equalShare, 0.9) << "the two screens differ";
  const Window window = startInWindow("", test::VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << log();
  // The window manager gives the window the keyboard, as a click on it would.
  ASSERT_TRUE(xdotool("windowactivate --sync " + std::to_string(window))) << "xdotool (scripts/deps.sh installs it)";
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();
  ASSERT_TRUE(returnUntil("state 5 -> 6 switch")) << trace();
  ASSERT_TRUE(returnUntil("state 6 -> 51 push")) << trace();
  const Comparison setup = shown(window, setup_);
  EXPECT_GE(setup.equalShare, kLeastEqualShare);
  EXPECT_EQ(setup.outsideAnimated, 0);
  ASSERT_TRUE(returnUntil("state 51 -> 52 push")) << trace();
  const Comparison selection = shown(window, selection_);
  EXPECT_GE(selection.equalShare, kLeastEqualShare);
  EXPECT_EQ(selection.outsideAnimated, 0);

  // The player, then (once the screen asks for the opponent) the opponent.
  ASSERT_TRUE(returnsUntil([&] {
    return compare(x_.capture(window, dir_ + "/window.xwd"), selection_, {}).equalShare < kLeastEqualShare;
  }));
  ASSERT_TRUE(returnUntil("state 52 -> 12 push")) << trace();
  ASSERT_TRUE(within(300s, [&] { return countLinesWith(trace(), "state 5 -> 6 switch") >= 2; })) << trace();
  const std::string match = test::readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(match, "\nover ")) << match;
  EXPECT_TRUE(has(trace(), "state 40 -> 4 switch")) << trace();
  EXPECT_FALSE(has(log(), "NullPointer")) << log();
  EXPECT_FALSE(has(log(), "ArrayOutOfBound")) << log();
}

}  // namespace
}  // namespace sorv
