// A career in a real window on a virtual X server with a window manager, made as a person at
// the desktop would with xdotool: the main menu's Career, a new one, a name clicked on the
// name entry's keyboard (typed letters are not the phone's keys), a style and a look changed
// with the arrows, the player created; the map's cursor walked round the week's places, home
// opened and left, the career left for the main menu and the window closed. The headless
// program then continues the career on the same files, and its lobby shows the week and the
// ability panel the window showed, at the panel's 16 bits.
//
// Inside a screen only its pixels tell that a press arrived: each such step presses until a
// box of the window shows what the headless program shows after the same step.
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/career_road.h"
#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using namespace test;  // the script helpers and the career's road

// Four letters, none twice in a row: a key pressed again cycles its letters.
constexpr const char* kTypedName = "VERA";

// Boxes of the game's screen that nothing animates: the main menu's Career label; the name
// entry's two row labels (lit while their row has the focus, both dark once the name has);
// the typed name; the creation's ability bars, row labels and the look row's value; a
// question's text over its greyed still; the lobby's place name above its scrolling caption.
constexpr Box kCareerLabel = {465, 268, 100, 26}, kRowFocus = {36, 84, 84, 82}, kNameField = {480, 86, 200, 26};
constexpr Box kAbilityBars = {200, 88, 420, 134}, kCreateRows = {170, 330, 215, 68}, kLookValue = {455, 366, 110, 30};
constexpr Box kQuestion = {236, 340, 328, 24}, kPlaceName = {10, 350, 300, 26};
// The lobby's panels beside the map, outside the avatar's running figure: the card's name,
// home and points, the ability bars and the week.
const std::vector<Box> kLobbyPanels = {{636, 64, 150, 90}, {537, 222, 263, 128}, {537, 358, 263, 44}};

// The name entry's keyboard key of letter c, at its middle (as the headless road touches it).
int keyX(char c) { return 50 + 77 * ((c - 'A') % 9) + 38; }
int keyY(char c) { return 197 + 65 * ((c - 'A') / 9) + 32; }

constexpr int kHeadlessSeconds = kSanitizerBuild ? 400 : 60;

// Every state change the window's road makes, in order.
const std::vector<std::string> kRoad = {
    "state 0 -> 63 switch", "state 63 -> 3 switch",  "state 3 -> 5 switch",  "state 5 -> 6 switch",
    "state 6 -> 20 push",   "state 20 -> 21 push",   "state 21 -> 22 push",  "state 22 -> 23 switch",
    "state 23 -> 24 push",  "state 24 -> 23 pop",    "state 23 -> 6 switch"};

// The state changes of a trace, less a match's special pause (rain, a thunder serve): the
// window's keys reach the game in frames of their own choosing, so its random draws, and
// with them the weather, differ from run to run.
std::vector<std::string> stateChanges(const std::string& trace) {
  std::vector<std::string> changes;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line == "state 40 -> 41 push" || line == "state 41 -> 40 pop") continue;
    if (line.rfind("state ", 0) == 0) changes.push_back(line);
  }
  return changes;
}

class RealWindowCareer : public WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }

  std::string career() const {
    return readText(dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec3.rms");
  }
  // The main menu with its cursor on Career, headless, to know the window's by.
  std::string careerLabelSteps() const { return kToMainMenu + key(kKey8) + key(kKey8, 10) + take("career-label"); }

  // The same road headless, a shot after each step the window's road checks by its pixels;
  // then a fresh install for the window.
  void headlessSteps() {
    std::string s = careerLabelSteps();
    s += key(kKey5, 14) + key(kKey5, 4) + await(21, 60) + frames(4) + key(kKey5, 4) + key(kKey5, 4) + take("focus");
    for (int i = 0; kTypedName[i] != '\0'; i++) {
      s += tap(keyX(kTypedName[i]), keyY(kTypedName[i]), 4) + take("name-" + std::to_string(i));
    }
    s += key(kLeftSoft, 4) + await(22, 60) + frames(6) + key(kKey6, 4) + take("style");
    s += key(kKey8, 4) + take("home-row") + key(kKey8, 4) + take("look-row") + key(kKey6, 4) + take("look");
    s += key(kKey5, 4) + take("confirm") + key(kKey5, 4) + await(23, 60) + frames(30) + take("lobby");
    s += key(kKey6, 30) + take("training") + key(kKey6, 30);
    s += key(kKey5, 4) + await(24, 30) + frames(6) + key(kRightSoft, 4) + frames(10) + key(kRightSoft, 4);
    s += take("leave") + key(kLeftSoft, 10) + await(6, 30) + "quit\n";
    ASSERT_EQ(runHeadless(s, false, kHeadlessSeconds), 0) << out();
    ASSERT_EQ(stateChanges(trace()), kRoad) << "the headless road went elsewhere\n" << trace();
    forgetTheHeadlessRun();
    ASSERT_TRUE(installData());
  }

  // The keys until the window shows what the headless shot of that name does in the box.
  bool pressUntilShown(Window window, const std::string& keys, const std::string& name, const Box& box) {
    const Picture expected = shot(name);
    return pressUntil(keys, [&] { return sameAt16Bits(x_.read(window), expected, box); });
  }
  bool pressUntilTraced(const std::string& keys, const std::string& change) {
    return pressUntil(keys, [&] { return has(trace(), change); });
  }
  // The game in the window, from its title through the main menu's Career entry to the load
  // screen (state 20); 0 when a step does not come.
  Window windowAtTheCareerLoadScreen() {
    const Window window = startInWindow("", VirtualX::kScreen16, true);
    if (window == 0) return 0;
    const bool there = xdotool("windowactivate --sync " + std::to_string(window)) &&
                       within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); }) &&
                       pressUntilTraced("Return", "state 5 -> 6 switch") &&
                       pressUntilShown(window, "Down", "career-label", kCareerLabel) &&
                       pressUntilTraced("Return", "state 6 -> 20 push");
    return there ? window : 0;
  }
  // A click at game point (x, y): the game reads a touch one row below the window pixel
  // under it.
  bool clickAt(Window window, int x, int y) {
    return xdotool("mousemove --window " + std::to_string(window) + " --sync " + std::to_string(x) + " " +
                   std::to_string(y - 1) + " click 1");
  }
  // The window once the lobby's panels hold still.
  Picture steadyLobby(Window window) {
    Picture last;
    within(30s, [&] {
      Picture now = x_.capture(window, dir_ + "/window.xwd");
      bool same = !now.rgb.empty();
      for (const Box& b : kLobbyPanels) same = same && sameAt16Bits(now, last, b);
      last = now;
      return same;
    });
    return last;
  }
};

TEST_F(RealWindowCareer, ACareerMadeInTheWindowIsContinuedHeadlessOnTheSameFiles) {
  ASSERT_NO_FATAL_FAILURE(headlessSteps());
  // The title, the main menu's third entry, the load screen's New.
  const Window window = windowAtTheCareerLoadScreen();
  ASSERT_NE(window, 0u) << "xdotool (scripts/deps.sh installs it)\n" << trace() << log();
  ASSERT_TRUE(pressUntilTraced("Return", "state 20 -> 21 push")) << trace();

  // Return moves the focus from the two rows to the name; there it would type a letter.
  ASSERT_TRUE(pressUntilShown(window, "Return", "focus", kRowFocus));
  for (int i = 0; kTypedName[i] != '\0'; i++) {
    const Picture typed = shot("name-" + std::to_string(i));
    ASSERT_TRUE(actUntil([&] { return clickAt(window, keyX(kTypedName[i]), keyY(kTypedName[i])); },
                         [&] { return sameAt16Bits(x_.read(window), typed, kNameField); }, kPressWait, 5))
        << "letter " << kTypedName[i];
  }
  ASSERT_TRUE(pressUntilTraced("F1", "state 21 -> 22 push")) << trace();

  // The style one to the right, down past the home to the first look, that look one on.
  ASSERT_TRUE(pressUntilShown(window, "Right", "style", kAbilityBars));
  ASSERT_TRUE(pressUntilShown(window, "Down", "home-row", kCreateRows));
  ASSERT_TRUE(pressUntilShown(window, "Down", "look-row", kCreateRows));
  ASSERT_TRUE(pressUntilShown(window, "Right", "look", kLookValue));
  ASSERT_TRUE(pressUntilShown(window, "Return", "confirm", kQuestion));
  ASSERT_TRUE(pressUntilTraced("Return", "state 22 -> 23 switch")) << trace();

  // Week 1 offers a training ground and home: round them both, back to home, in and out.
  ASSERT_TRUE(pressUntilShown(window, "Right", "training", kPlaceName));
  ASSERT_TRUE(pressUntilShown(window, "Right", "lobby", kPlaceName));
  ASSERT_TRUE(pressUntilTraced("Return", "state 23 -> 24 push")) << trace();
  ASSERT_TRUE(pressUntilTraced("F2", "state 24 -> 23 pop")) << trace();
  const Picture lobby = steadyLobby(window);

  // F1 on the lobby itself would open home: it goes only once the question shows.
  ASSERT_TRUE(pressUntilShown(window, "F2", "leave", kQuestion));
  ASSERT_TRUE(pressUntilTraced("F1", "state 23 -> 6 switch")) << trace();
  x_.closeWindow(window);
  EXPECT_EQ(wait(game_, 20), 0);
  game_ = -1;

  EXPECT_EQ(stateChanges(trace()), kRoad) << trace();
  EXPECT_EQ(countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(countLinesWith(log(), "ArrayOutOfBound"), 0) << log();
  const std::string saved = career();
  ASSERT_GT(saved.size(), static_cast<size_t>(kLookByte));
  EXPECT_EQ(saved.substr(kNameByte, 4), kTypedName);
  EXPECT_EQ(saved[kStyleByte], 1) << "the style one to the right";
  EXPECT_EQ(saved[kLookByte], 1) << "the first look one on";

  // The same files, the headless program: the load screen opens on the saved card, and
  // continuing shows the lobby the window left.
  forgetTheHeadlessRun();
  env_["SDL_VIDEODRIVER"] = "dummy";
  ASSERT_EQ(runHeadless(kToLoad + frames(6) + key(kKey5, 4) + await(23, 60) + frames(40) + take("continued") +
                        "quit\n",
                        false, kHeadlessSeconds),
            0)
      << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  EXPECT_TRUE(has(trace(), "state 20 -> 23 switch")) << trace();
  const Picture continued = shot("continued");
  for (const Box& b : kLobbyPanels) {
    EXPECT_TRUE(sameAt16Bits(lobby, continued, b)) << "the panel at " << b.x << "," << b.y << " differs";
  }
}

// The window's road through a lost career match: the lobby, the table, the match, the table's
// message, the weekly update and the next week's lobby.
const std::vector<std::string> kTournamentRoad = {
    "state 0 -> 63 switch",  "state 63 -> 3 switch",  "state 3 -> 5 switch",   "state 5 -> 6 switch",
    "state 6 -> 20 push",    "state 20 -> 23 switch", "state 23 -> 57 push",   "state 57 -> 11 switch",
    "state 11 -> 40 switch", "state 40 -> 55 switch", "state 55 -> 11 switch", "state 11 -> 56 switch",
    "state 56 -> 57 push",   "state 57 -> 26 switch", "state 26 -> 23 switch"};

// A career tournament in the window, the computer playing the user's points and the match's
// hidden keys losing the first match: the table's OK closes the week into the weekly update,
// whose OK, once the points have been counted in, opens the next week's lobby.
class RealWindowCareerTournament : public RealWindowCareer {
 protected:
  void SetUp() override {
    RealWindowCareer::SetUp();
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  // A new career two weeks on, left for the main menu (which saves it): its lobby targets
  // tournament 4. The window starts on these files.
  void headlessCareerInWeek3() {
    ASSERT_EQ(runHeadless(careerLabelSteps() + "quit\n", false, kHeadlessSeconds), 0) << out();
    const std::string s = kNewCareer + nextWeekCheat() + nextWeekCheat() + frames(40) + key(kRightSoft, 4) +
                          key(kKey5, 10) + await(6, 30) + "quit\n";
    ASSERT_EQ(runHeadless(s, false, kHeadlessSeconds), 0) << out();
    ASSERT_TRUE(has(trace(), "state 23 -> 6 switch")) << trace();
    ASSERT_EQ(career().size(), kCareerBytes);
    ASSERT_EQ(career()[kWeekByte], 2);
    forgetTheHeadlessRun();
  }

  // The picture kept beside the run's other files, to look at.
  void keep(const Picture& p, const std::string& name) const {
    EXPECT_TRUE(writePng(p, dir_ + "/" + name + ".png")) << name;
  }
};

TEST_F(RealWindowCareerTournament, ALostCareerMatchClosesTheWeekIntoTheUpdateAndTheNextLobby) {
  ASSERT_NO_FATAL_FAILURE(headlessCareerInWeek3());
  const Window window = windowAtTheCareerLoadScreen();
  ASSERT_NE(window, 0u) << trace() << log();
  ASSERT_TRUE(pressUntilTraced("Return", "state 20 -> 23 switch")) << trace();
  ASSERT_TRUE(pressUntilTraced("Return", "state 23 -> 57 push")) << trace();
  ASSERT_TRUE(pressUntilTraced("Return", "state 57 -> 11 switch")) << trace();
  ASSERT_TRUE(decideTheMatch("2", 1)) << matchTrace() << trace();

  // Out of the tournament: OK closes the week.
  ASSERT_TRUE(pressUntilTraced("Return", "state 57 -> 26 switch")) << trace();
  const Picture update = steadyWindow(window);
  keep(update, "update-arrived");
  ASSERT_TRUE(pressUntilTraced("Return", "state 26 -> 23 switch")) << trace();
  const Picture lobby = steadyLobby(window);
  keep(lobby, "lobby-week4");
  x_.closeWindow(window);
  EXPECT_EQ(wait(game_, 20), 0);
  game_ = -1;

  EXPECT_EQ(stateChanges(trace()), kTournamentRoad) << trace();
  EXPECT_TRUE(has(matchTrace(), "over winner=1")) << matchTrace();
  EXPECT_EQ(countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(countLinesWith(log(), "ArrayOutOfBound"), 0) << log();
  const std::string saved = career();
  ASSERT_EQ(saved.size(), kCareerBytes);
  EXPECT_EQ(saved[kWeekByte], 3) << "the week closed";
  EXPECT_EQ(careerPoints(saved), 20 + 80) << "a new career's points and those of the first round";
}

}  // namespace
}  // namespace sorv
