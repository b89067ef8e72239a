// A career's training ground in a real window on a virtual X server: the lobby's cursor moved
// to the week's ground, the Serve game's first level opened, its tutorial declined, the level
// played to its pass and its result page shown, as a person at the desktop would. The same
// road headless, on the same files, gives the pictures the window must show: the ground's
// name, the heads-up texts in play, and the result page (at least 99 % of its pixels, the
// blinking notice and the soft keys' corners aside).
#include <string>

#include "tests/e2e/career_road.h"
#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using namespace test;  // the script helpers and the career's road

constexpr Box kCareerLabel = {465, 268, 100, 26}, kPlaceName = {10, 350, 300, 26};
// The heads-up texts of Serve: points and balls.
constexpr Box kHud = {10, 60, 240, 45};
// What moves on a result page: the notice's blink.
constexpr Box kNotice = {100, 350, 600, 60};
constexpr int kHeadlessSeconds = kSanitizerBuild ? 400 : 60;
constexpr double kSameShare = 0.99;

// The share of pixels two pictures hold alike at 16 bits, a box left out.
double sameShare(const Picture& a, const Picture& b, const Box& skip) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 0;
  int64_t same = 0, counted = 0;
  for (int32_t y = 0; y < a.height; y++) {
    for (int32_t x = 0; x < a.width; x++) {
      if (x >= skip.x && x < skip.x + skip.w && y >= skip.y && y < skip.y + skip.h) continue;
      counted++;
      same += as565(a.at(x, y)) == as565(b.at(x, y)) ? 1 : 0;
    }
  }
  return static_cast<double>(same) / static_cast<double>(counted);
}

class RealWindowTraining : public WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }

  // A new career left for the main menu, then the window's road headless on its files: the
  // ground's name on the lobby, the level in play, its result page after the hidden keys.
  void headlessRoad() {
    const std::string label = kToMainMenu + key(kKey8) + key(kKey8, 10) + take("career-label") + "quit\n";
    ASSERT_EQ(runHeadless(label, false, kHeadlessSeconds), 0) << out();
    const std::string career = kNewCareer + key(kRightSoft, 4) + key(kKey5, 10) + await(6, 30) + "quit\n";
    ASSERT_EQ(runHeadless(career, false, kHeadlessSeconds), 0) << out();
    ASSERT_EQ(record(3).size(), kCareerBytes);
    const std::string road = kToLoad + key(kKey5, 4) + await(23, 60) + frames(30) + key(kKey6, 30) + take("ground") +
                             key(kKey5, 4) + await(44, 120) + frames(5) + key(kRightSoft, 10) + frames(60) +
                             take("play") + key(kKey0, 1) + key(kKey0, 1) + key(kKey0, 1) + key(51, 3) + frames(45) +
                             take("page") + "quit\n";
    ASSERT_EQ(runHeadless(road, false, kHeadlessSeconds), 0) << out();
    ASSERT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    ASSERT_TRUE(has(log(), "training: game 0 level 0 passed")) << log();
    forgetTheHeadlessRun();
  }
  std::string record(int id) const {
    return readText(dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec" +
                    std::to_string(id) + ".rms");
  }
  bool pressUntilShown(Window window, const std::string& keys, const std::string& name, const Box& box) {
    const Picture expected = shot(name);
    return pressUntil(keys, [&] { return sameAt16Bits(x_.read(window), expected, box); });
  }
  bool pressUntilTraced(const std::string& keys, const std::string& change) {
    return pressUntil(keys, [&] { return has(trace(), change); });
  }
};

TEST_F(RealWindowTraining, ACareersServeGroundIsPlayedToItsResultPage) {
  ASSERT_NO_FATAL_FAILURE(headlessRoad());
  const Window window = startInWindow("", VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << "xdotool (scripts/deps.sh installs it)\n" << trace() << log();
  ASSERT_TRUE(xdotool("windowactivate --sync " + std::to_string(window)));
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();
  ASSERT_TRUE(pressUntilTraced("Return", "state 5 -> 6 switch")) << trace();
  ASSERT_TRUE(pressUntilShown(window, "Down", "career-label", kCareerLabel));
  ASSERT_TRUE(pressUntilTraced("Return", "state 6 -> 20 push")) << trace();
  ASSERT_TRUE(pressUntilTraced("Return", "state 20 -> 23 switch")) << trace();
  ASSERT_TRUE(pressUntilShown(window, "Right", "ground", kPlaceName));
  ASSERT_TRUE(pressUntilTraced("Return", "state 23 -> 43 push")) << trace();
  ASSERT_TRUE(within(kMatchPatience, [&] { return has(trace(), "state 11 -> 44 switch"); })) << trace();
  // No tutorial: the level's title, then play with its heads-up texts.
  ASSERT_TRUE(pressUntilShown(window, "F2", "play", kHud));
  // The hidden keys pass the level, each in a frame of its own.
  ASSERT_TRUE(actUntil([&] { return press("0 0 0 3", 350); },
                       [&] { return has(log(), "training: game 0 level 0 passed"); }, 5s, 20))
      << log();
  const Picture page = steadyWindow(window);
  EXPECT_TRUE(writePng(page, dir_ + "/window-page.png"));
  EXPECT_GE(sameShare(page, shot("page"), kNotice), kSameShare);
  x_.closeWindow(window);
  EXPECT_EQ(wait(game_, 20), 0);
  game_ = -1;
  EXPECT_EQ(countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(countLinesWith(log(), "ArrayOutOfBound"), 0) << log();
}

}  // namespace
}  // namespace sorv
