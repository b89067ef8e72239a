// A tournament in a real window on a virtual X server with a window manager, on keys sent with
// xdotool as a person at the desktop would: the main menu's Tournament, a new one, the group
// and the player by Return, the table's OK; the computer plays the user's points and the
// match's hidden keys decide it: the first match lost, played again from the table and won.
// The window is closed at the table; the headless program continues the tournament on the
// same files and shows the same table, pixel for pixel at the panel's 16 bits.
#include <chrono>
#include <cstdio>
#include <regex>
#include <sstream>
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

// The headless road to the table of a saved tournament: the main menu's second entry, whose
// load screen opens on "continue"; then the time the user's line takes to grow.
constexpr const char* kToContinuedTable =
    "frames 59\n"
    "key down 53\nkey up 53\nframes 25\n"
    "key down 56\nkey up 56\nframes 2\n"
    "key down 53\nkey up 53\nframes 14\n"
    "key down 53\nkey up 53\nframes 4\n"
    "await state 57 300\nframes 400\n";
// The main menu with its cursor on the second entry, and that entry's label, which nothing
// animates.
constexpr const char* kToTournamentEntry =
    "frames 59\n"
    "key down 53\nkey up 53\nframes 25\n"
    "key down 56\nkey up 56\nframes 10\n";
constexpr test::Box kTournamentLabel = {465, 198, 140, 26};

std::vector<std::string> playersOf(const std::string& trace) {
  static const std::regex start("^match .* players=(\\S+)$");
  std::vector<std::string> players;
  std::istringstream lines(trace);
  for (std::string text; std::getline(lines, text);) {
    std::smatch m;
    if (std::regex_search(text, m, start)) players.push_back(m[1]);
  }
  return players;
}

class RealWindowTournament : public test::WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  // The headless main menu on its second entry, as the window shows it; then a fresh
  // install for the window.
  Picture headlessTournamentEntry() {
    EXPECT_EQ(runHeadless(std::string(kToTournamentEntry) + "shot " + dir_ + "/entry.png\nquit\n"), 0) << out();
    forgetTheHeadlessRun();
    EXPECT_TRUE(installData());
    return test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/entry.png"));
  }
};

TEST_F(RealWindowTournament, ATournamentOnKeysLostReplayedAndContinuedAfterTheWindowCloses) {
  const Picture entry = headlessTournamentEntry();
  const Window window = startInWindow("", test::VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << log();
  ASSERT_TRUE(xdotool("windowactivate --sync " + std::to_string(window))) << "xdotool (scripts/deps.sh installs it)";
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();

  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 5 -> 6 switch"); })) << trace();
  // The menu takes keys once its buttons have come in: Down until the cursor shows on the
  // second entry.
  ASSERT_TRUE(pressUntil("Down", [&] { return test::sameAt16Bits(x_.read(window), entry, kTournamentLabel); }));
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 6 -> 53 push"); })) << trace();
  // "New" opens the group choice, whose Return opens the selection; then the player.
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 53 -> 54 push"); })) << trace();
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 54 -> 57 push"); })) << trace();

  // The table takes OK once the user's line has grown.
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 57 -> 11 switch"); })) << trace();
  ASSERT_TRUE(decideTheMatch("2", 1)) << matchTrace() << trace();
  ASSERT_TRUE(pressUntil("Return", [&] { return countLinesWith(trace(), "state 57 -> 11 switch") >= 2; }))
      << trace();
  ASSERT_TRUE(decideTheMatch("1", 2)) << matchTrace() << trace();
  const Picture table = steadyWindow(window);
  x_.closeWindow(window);
  EXPECT_EQ(wait(game_, 20), 0);
  game_ = -1;

  const std::string match = matchTrace();
  EXPECT_TRUE(has(match, "over winner=1")) << match;
  EXPECT_TRUE(has(match, "over winner=0")) << match;
  const std::vector<std::string> players = playersOf(match);
  ASSERT_EQ(players.size(), 2u) << match;
  EXPECT_EQ(players[0], players[1]) << "the lost match is played again against the same opponent";
  EXPECT_EQ(countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(countLinesWith(log(), "ArrayOutOfBound"), 0) << log();

  // The same files, the headless program: continuing shows the table the window left.
  forgetTheHeadlessRun();
  env_["SDL_VIDEODRIVER"] = "dummy";
  ASSERT_EQ(runHeadless(std::string(kToContinuedTable) + "shot " + dir_ + "/continued.png\nquit\n"), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const Picture continued = test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/continued.png"));
  ASSERT_EQ(table.width, continued.width);
  ASSERT_EQ(table.height, continued.height);
  int64_t differing = 0;
  for (size_t i = 0; i < table.rgb.size(); i++) differing += test::as565(table.rgb[i]) != test::as565(continued.rgb[i]);
  EXPECT_EQ(differing, 0) << "the continued table is the one the window showed";
}

}  // namespace
}  // namespace sorv
