// build/sorvantel in a real window on a virtual X server with no window manager: the window
// shows the game's first screens upright without anyone giving it the focus, the desktop's
// Return key and a click reach the game as the phone's "5" and a touch, and closing the window
// stops the program cleanly. (Where each key and window pixel lands on the panel is checked
// pixel by pixel in the device tests.)
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

// What the window must show: the headless program's shot of the panel after this script
// (the title, which waits for "5" or a touch), turned as the window presents it. The window
// is read until it shows the shot.
constexpr const char* kTitleScript = "frames 60\n";
// The panel's width: window pixel (x, y) shows panel pixel (kPanelWidth - 1 - y, x).
constexpr int32_t kPanelWidth = Shell::kScreenWidth;
// The state change that leaving the title for the main menu writes to the trace.
constexpr const char* kTitleLeft = "state 3 -> 5 switch";

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

// The bits a 16-bit panel holds; the X server and the shot each widen them their own way.
uint32_t as565(uint32_t rgb) { return (rgb >> 19 & 31) << 11 | (rgb >> 10 & 63) << 5 | (rgb >> 3 & 31); }

// Pixels that differ, or -1 when the sizes do.
int64_t differingPixels(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return -1;
  int64_t n = 0;
  for (size_t i = 0; i < a.rgb.size(); i++) n += as565(a.rgb[i]) != as565(b.rgb[i]) ? 1 : 0;
  return n;
}

bool within(std::chrono::milliseconds patience, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

class RealWindow : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // The window runs on the real clock: under the memory stress switches the boot alone
    // would take minutes. The memory code is stressed by every other test; this one is about
    // the window.
    env_["SORV_GC_STRESS"] = "0";
    env_["SORV_MOVE_STRESS"] = "0";
  }
  void TearDown() override {
    if (game_ > 0 && kill(game_, SIGKILL) == 0) waitpid(game_, nullptr, 0);
    x_.stop();
    ProgramRun::TearDown();
  }

  Picture headlessShot(const std::string& script) {
    const std::string shot = dir_ + "/first-screen.png";
    EXPECT_EQ(runHeadless(script + "shot " + shot + "\n"), 0);
    // The log and trace are the window's own from here.
    std::remove(env_["SORV_LOG"].c_str());
    std::remove(env_["SORV_TRACE"].c_str());
    return readPng(shot);
  }

  // Starts the program on the virtual X server with SORV_PANEL set to the view (empty: the
  // default); its window, or 0 when none came.
  Window startInWindow(const char* view = "") {
    if (!x_.start()) {
      ADD_FAILURE() << "no virtual X server (scripts/deps.sh installs Xvfb)";
      return 0;
    }
    env_["SDL_VIDEODRIVER"] = "x11";
    env_["DISPLAY"] = x_.name();
    env_["SORV_PANEL"] = view;
    // The X library's own leaks are not the program's (the sanitizer build reads this).
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    env_["LSAN_OPTIONS"] = std::string(leakOptions != nullptr ? leakOptions : "") +
                           ":suppressions=" SORV_SOURCE_DIR "/tests/e2e/x11_leaks.supp";
    game_ = spawn(executable("sorvantel"));
    return x_.waitForWindow(Shell::kWindowTitle, 20s);
  }

  // Reads the window until it shows the picture or the time is up; the pixels that differ
  // at the last reading.
  int64_t waitUntilShown(Window window, const Picture& expected) {
    Picture shown;
    int64_t differing = -1;
    within(30s, [&] {
      shown = x_.read(window);
      differing = differingPixels(shown, expected);
      return differing == 0;
    });
    if (differing != 0) ADD_FAILURE() << "the window shows a " << shown.width << "x" << shown.height << " picture";
    return differing;
  }

  void closeAndExpectACleanStop(Window window) {
    x_.closeWindow(window);
    EXPECT_EQ(wait(game_, 20), 0);
    game_ = -1;
    EXPECT_TRUE(has(log(), "Application::destoryMIDlet"));
    EXPECT_TRUE(has(trace(), test::kStopSequence)) << trace();
  }

  test::VirtualX x_;
  pid_t game_ = -1;
};

TEST_F(RealWindow, ShowsTheTitleUprightAndReturnLeavesIt) {
  const Picture expected = turnedAsTheWindowShowsIt(headlessShot(kTitleScript));
  ASSERT_EQ(expected.width, Shell::kScreenHeight);
  ASSERT_EQ(expected.height, kPanelWidth);
  const Window window = startInWindow();
  ASSERT_NE(window, 0u) << log();

  // Nobody gives the window the focus: it must show the picture on its own.
  EXPECT_EQ(waitUntilShown(window, expected), 0) << "the title is not shown upright";
  // With no window manager the keys go to the window under the pointer.
  x_.pointTo(window, 400, 240);
  x_.tap(XK_Return);
  EXPECT_TRUE(within(10s, [&] { return has(trace(), kTitleLeft); })) << trace();
  closeAndExpectACleanStop(window);
}

TEST_F(RealWindow, AClickLeavesTheTitle) {
  const Picture expected = turnedAsTheWindowShowsIt(headlessShot(kTitleScript));
  const Window window = startInWindow();
  ASSERT_NE(window, 0u) << log();
  ASSERT_EQ(waitUntilShown(window, expected), 0);
  x_.pointTo(window, 700, 100);
  x_.click();
  EXPECT_TRUE(within(10s, [&] { return has(trace(), kTitleLeft); })) << trace();
  closeAndExpectACleanStop(window);
}

TEST_F(RealWindow, PortraitShowsTheRawPanel) {
  const Picture expected = headlessShot(kTitleScript);
  ASSERT_EQ(expected.width, kPanelWidth);
  const Window window = startInWindow("portrait");
  ASSERT_NE(window, 0u) << log();
  EXPECT_EQ(waitUntilShown(window, expected), 0);
  closeAndExpectACleanStop(window);
}

}  // namespace
}  // namespace sorv
