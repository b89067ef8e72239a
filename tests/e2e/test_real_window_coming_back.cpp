// Leaving the game and coming back, in a real window on a virtual X server with a window
// manager, by keys a person presses: Escape (or the right Windows key) in the middle of a
// match minimises the window,
// restoring it as a task list does (the window manager activates it) brings the match back,
// and after a key it goes on from where it stood. The same after the window manager's own
// minimise; and a second start while the first lies minimised brings the first back on the
// screen and ends by itself, leaving one copy.
//
// The computer plays the user's side (SORV_AUTOPLAY), so a match that goes on writes points
// to the match trace without further keys; the frames run on the real clock.
#include <chrono>
#include <string>

#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::countLinesWith;
using test::has;
using test::within;

constexpr const char* kMatchHeader = "match games=2 sets=1 doubles=0 category=0 court=1";

class RealWindowComingBack : public test::WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  int points() const { return countLinesWith(matchTrace(), "point "); }

  // The window shows something else than it did within the time.
  bool pictureMoves(Window window) {
    const test::Picture before = x_.capture(window, dir_ + "/before.xwd");
    return !before.rgb.empty() && within(20s, [&] {
      const test::Picture now = x_.capture(window, dir_ + "/now.xwd");
      return !now.rgb.empty() && now.rgb != before.rgb;
    });
  }

  // Back on the screen, a key (the centre key: it leaves the in-game menu by its first
  // entry, where the match comes back to one), and the match goes on: its picture moves and
  // it writes a point it had not.
  void goesOnAfterAKey(Window window, const char* how) {
    SCOPED_TRACE(how);
    ASSERT_TRUE(within(30s, [&] { return x_.viewable(window); })) << "the window is back";
    const int before = points();
    ASSERT_TRUE(pressUntil("Return", [&] { return points() > before; }, kPressWait, 20)) << matchTrace();
    EXPECT_TRUE(pictureMoves(window));
    EXPECT_FALSE(has(log(), "NullPointer")) << log();
  }

  // The key (X's name for it), and the window is off the screen.
  void leaveBy(Window window, const char* key) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(actUntil([&] { return press(key); }, [&] { return !x_.viewable(window); }, kPressWait, 5));
  }
};

TEST_F(RealWindowComingBack, EscapeOrTheWindowManagersMinimiseThenARestoreOrASecondStartAndTheMatchGoesOn) {
  const Window window = startInWindow("", test::VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << log();
  const std::string id = std::to_string(window);
  ASSERT_TRUE(xdotool("windowactivate --sync " + id)) << "xdotool (scripts/deps.sh installs it)";
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();
  for (const char* change : {"state 5 -> 6 switch", "state 6 -> 51 push", "state 51 -> 52 push", "state 52 -> 12 push"}) {
    ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), change); })) << change << "\n" << trace();
  }
  // The tutorial question's "no", then the first point played.
  ASSERT_TRUE(pressUntil("F2", [&] { return has(matchTrace(), kMatchHeader); })) << matchTrace() << trace();
  ASSERT_TRUE(within(kMatchPatience, [&] { return points() >= 1; })) << matchTrace();

  // Escape in the middle of the match; the task list's activation brings it back.
  leaveBy(window, "Escape");
  EXPECT_TRUE(has(trace(), "iconify class=KestovanGame"));
  ASSERT_TRUE(xdotool("windowactivate --sync " + id));
  goesOnAfterAKey(window, "restored by the task list");
  EXPECT_TRUE(has(trace(), "foreground class=KestovanGame")) << trace();

  // The right Windows key minimises the game's window as the phone's did (its ShowWindow).
  leaveBy(window, "Super_R");
  ASSERT_TRUE(xdotool("windowactivate --sync " + id));
  goesOnAfterAKey(window, "the right Windows key");

  // The window manager's own minimise and restore.
  ASSERT_TRUE(xdotool("windowminimize --sync " + id));
  ASSERT_TRUE(xdotool("windowactivate --sync " + id));
  goesOnAfterAKey(window, "minimised by the window manager");

  // Escape again, then the game is started a second time: the second brings the first back
  // and ends with 0; the first is the one copy that runs.
  leaveBy(window, "Escape");
  const pid_t second = spawn(executable("sorvantel"));
  EXPECT_EQ(wait(second, 60), 0);
  EXPECT_EQ(waitpid(game_, nullptr, WNOHANG), 0) << "the first still runs";
  goesOnAfterAKey(window, "brought back by a second start");
}

}  // namespace
}  // namespace sorv
