// build/sorvantel in a real window on a virtual X server with no window manager: the window
// shows the game's first screens upright without anyone giving it the focus, the desktop's
// Return key and a click reach the game as the phone's "5" and a touch, and closing the window
// stops the program cleanly. (Where each key and window pixel lands on the panel is checked
// pixel by pixel in the device tests.)
#include "device/shell.h"
#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::has;
using test::as565;
using test::Picture;
using test::readPng;
using test::turnedAsTheWindowShowsIt;
using test::within;

// What the window must show: the headless program's shot of the panel after this script
// (the title, which waits for "5" or a touch), turned as the window presents it. The window
// is read until it shows the shot.
constexpr const char* kTitleScript = "frames 60\n";
// The panel's width: window pixel (x, y) shows panel pixel (kPanelWidth - 1 - y, x).
constexpr int32_t kPanelWidth = Shell::kScreenWidth;
// The state change that leaving the title for the main menu writes to the trace.
constexpr const char* kTitleLeft = "state 3 -> 5 switch";

// Pixels that differ, or -1 when the sizes do.
int64_t differingPixels(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return -1;
  int64_t n = 0;
  for (size_t i = 0; i < a.rgb.size(); i++) n += as565(a.rgb[i]) != as565(b.rgb[i]) ? 1 : 0;
  return n;
}

class RealWindow : public test::WindowRun {
 protected:
  Picture headlessShot(const std::string& script) {
    const std::string shot = dir_ + "/first-screen.png";
    EXPECT_EQ(runHeadless(script + "shot " + shot + "\n"), 0);
    forgetTheHeadlessRun();
    return readPng(shot);
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

  // Acts until the game leaves the title: the act again every five seconds, for half a
  // minute.
  bool leavesTheTitle(const std::function<void()>& act) {
    return actUntil([&] { act(); return true; }, [&] { return has(trace(), kTitleLeft); }, 5s, 6);
  }

  void closeAndExpectACleanStop(Window window) {
    x_.closeWindow(window);
    EXPECT_EQ(wait(game_, 20), 0);
    game_ = -1;
    EXPECT_TRUE(has(log(), "Application::destoryMIDlet"));
    EXPECT_TRUE(has(trace(), test::kStopSequence)) << trace();
  }
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
  EXPECT_TRUE(leavesTheTitle([&] { x_.tap(XK_Return); })) << trace();
  closeAndExpectACleanStop(window);
}

TEST_F(RealWindow, AClickLeavesTheTitle) {
  const Picture expected = turnedAsTheWindowShowsIt(headlessShot(kTitleScript));
  const Window window = startInWindow();
  ASSERT_NE(window, 0u) << log();
  ASSERT_EQ(waitUntilShown(window, expected), 0);
  x_.pointTo(window, 700, 100);
  EXPECT_TRUE(leavesTheTitle([&] { x_.click(); })) << trace();
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
