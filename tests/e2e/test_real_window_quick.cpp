// The quick match's set-up and player selection in a real window on a virtual X server,
// reached with the desktop's Return key from the title: each screen matches the headless
// program's shot of the same steps in at least 99 % of its pixels (the rest are its
// animated items: the arrows, the scrolling title, the running players).
#include <algorithm>
#include <fstream>
#include <functional>

#include "device/shell.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::has;
using test::Picture;
using test::readPng;

constexpr const char* kToSetup = "frames 59\nkey down 53\nkey up 53\nframes 25\nkey down 53\nkey up 53\nframes 12\n";
constexpr const char* kToSelection = "key down 53\nkey up 53\nframes 12\n";
constexpr double kLeastEqualShare = 0.99;

Picture turnedAsTheWindowShowsIt(const Picture& panel) {
  Picture w;
  w.width = panel.height;
  w.height = panel.width;
  w.rgb.resize(panel.rgb.size());
  for (int32_t y = 0; y < w.height; y++) {
    for (int32_t x = 0; x < w.width; x++) w.rgb[size_t(y) * w.width + x] = panel.at(panel.width - 1 - y, x);
  }
  return w;
}

uint32_t as565(uint32_t rgb) { return (rgb >> 19 & 31) << 11 | (rgb >> 10 & 63) << 5 | (rgb >> 3 & 31); }

// The share of equal pixels in RGB565, 0 when the sizes differ.
double equalShare(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 0;
  size_t same = 0;
  for (size_t i = 0; i < a.rgb.size(); i++) same += as565(a.rgb[i]) == as565(b.rgb[i]) ? 1 : 0;
  return static_cast<double>(same) / static_cast<double>(a.rgb.size());
}

bool within(std::chrono::milliseconds patience, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

class QuickMatchWindow : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // The window runs on the real clock: the memory stress would make it crawl.
    env_["SORV_GC_STRESS"] = "0";
    env_["SORV_MOVE_STRESS"] = "0";
  }
  void TearDown() override {
    if (game_ > 0 && kill(game_, SIGKILL) == 0) waitpid(game_, nullptr, 0);
    x_.stop();
    ProgramRun::TearDown();
  }
  // The headless shots after the set-up's and the selection's steps.
  void headlessShots() {
    std::ofstream(dir_ + "/script.txt") << kToSetup << "shot " << dir_ << "/setup.png\n"
                                        << kToSelection << "shot " << dir_ << "/selection.png\n";
    ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), 120), 0);
    setup_ = turnedAsTheWindowShowsIt(readPng(dir_ + "/setup.png"));
    selection_ = turnedAsTheWindowShowsIt(readPng(dir_ + "/selection.png"));
    std::remove(env_["SORV_LOG"].c_str());
    std::remove(env_["SORV_TRACE"].c_str());
  }
  Window startInWindow() {
    if (!x_.start()) {
      ADD_FAILURE() << "no virtual X server (scripts/deps.sh installs Xvfb)";
      return 0;
    }
    env_["SDL_VIDEODRIVER"] = "x11";
    env_["DISPLAY"] = x_.name();
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    env_["LSAN_OPTIONS"] = std::string(leakOptions != nullptr ? leakOptions : "") +
                           ":suppressions=" SORV_SOURCE_DIR "/tests/e2e/x11_leaks.supp";
    game_ = spawn(executable("sorvantel"));
    return x_.waitForWindow(Shell::kWindowTitle, 20s);
  }
  // Return, then the trace line it leads to.
  bool returnUntil(Window window, const char* change) {
    x_.pointTo(window, 400, 240);
    x_.tap(XK_Return);
    return within(60s, [&] { return has(trace(), change); });
  }
  // The best share of equal pixels the window reaches within the time.
  double shownShare(Window window, const Picture& expected) {
    double best = 0;
    within(40s, [&] {
      best = std::max(best, equalShare(x_.read(window), expected));
      return best >= 0.999;
    });
    return best;
  }

  test::VirtualX x_;
  pid_t game_ = -1;
  Picture setup_, selection_;
};

TEST_F(QuickMatchWindow, TheSetupAndTheSelectionLookAsInTheHeadlessShots) {
  headlessShots();
  ASSERT_EQ(setup_.width, Shell::kScreenHeight);
  ASSERT_LT(equalShare(setup_, selection_), 0.9) << "the two screens differ";
  const Window window = startInWindow();
  ASSERT_NE(window, 0u) << log();
  ASSERT_TRUE(within(90s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();
  ASSERT_TRUE(returnUntil(window, "state 5 -> 6 switch")) << trace();
  ASSERT_TRUE(returnUntil(window, "state 6 -> 51 push")) << trace();
  EXPECT_GE(shownShare(window, setup_), kLeastEqualShare);
  ASSERT_TRUE(returnUntil(window, "state 51 -> 52 push")) << trace();
  EXPECT_GE(shownShare(window, selection_), kLeastEqualShare);
  EXPECT_FALSE(has(log(), "NullPointer")) << log();
  EXPECT_FALSE(has(log(), "ArrayOutOfBound")) << log();
}

}  // namespace
}  // namespace sorv
