// The in-game menu headless, pushed over the main menu as far as no loaded match is needed:
// its entries by keys and touch, the sound toggle, the help list and pages, the leave
// question, the career's menu and its questions, and resuming.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::SeededRoad;

constexpr int kRunSeconds = 280;
constexpr int kKey2 = 50, kKey4 = 52, kKey5 = 53, kKey6 = 54, kKey8 = 56, kLeftSoft = 112, kRightSoft = 113;

std::string key(int vk, int after = 3) {
  return "key down " + std::to_string(vk) + "\nkey up " + std::to_string(vk) + "\nframes " + std::to_string(after) +
         "\n";
}

// A tap at game point (x, y): panel point (480 - y, x).
std::string tap(int x, int y, int after = 3) {
  const std::string at = std::to_string(480 - y) + " " + std::to_string(x);
  return "touch down " + at + "\nframes 1\ntouch up " + at + "\nframes " + std::to_string(after) + "\n";
}

const std::string kToMainMenu = "frames 59\n" + key(kKey5, 25);
// Menu 27: entry rows from y 316, 64 apart; its down arrow's box around (255, 461).
constexpr int kRowX = 100, kFirstRowY = 330, kSecondRowY = 394, kDownArrowX = 255, kDownArrowY = 461;

class PauseRoad : public SeededRoad {
 protected:
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  std::string picture(const char* name) const { return test::readText(shot(name)); }
  void expectCleanRun() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    EXPECT_TRUE(has(trace(), "-> 42 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 42 -> ")) << trace();
  }
};

TEST_F(PauseRoad, TheMatchMenuByKeys) {
  std::string s = kToMainMenu + shotLine("main");
  s += "state push 42 20\nframes 3\n" + shotLine("menu");
  s += key(kKey8) + shotLine("sound");
  s += key(kKey6, 5) + shotLine("sound-changed");
  s += key(kKey8) + key(kKey5) + shotLine("help");
  s += key(kKey5) + key(kKey6) + key(kKey4) + key(kRightSoft);  // the controls pages and back
  s += key(kKey8) + key(kKey5) + key(kRightSoft) + key(kRightSoft);  // the skills page, back twice
  s += key(kKey8) + key(kKey8) + key(kKey5) + shotLine("leave");
  s += key(kRightSoft) + key(kKey8) + key(kKey5, 10) + shotLine("resumed");
  s += "quit\n";
  ASSERT_EQ(play(s), 0);
  expectCleanRun();
  for (const char* name : {"menu", "sound", "sound-changed", "help", "leave", "resumed"}) {
    EXPECT_FALSE(picture(name).empty()) << name;
  }
  EXPECT_NE(picture("menu"), picture("sound")) << "the selection moved";
  EXPECT_NE(picture("sound"), picture("sound-changed")) << "the sound's value label";
  EXPECT_NE(picture("menu"), picture("help"));
  EXPECT_NE(picture("help"), picture("leave"));
  EXPECT_NE(picture("leave"), picture("resumed"));
}

TEST_F(PauseRoad, TheMatchMenuByTouch) {
  std::string s = kToMainMenu;
  s += "state push 42 20\nframes 3\n" + shotLine("menu");
  s += tap(kDownArrowX, kDownArrowY) + shotLine("moved");
  // Two rows show: after a second step down they are the sound and the help entries.
  s += tap(kDownArrowX, kDownArrowY) + tap(kRowX, kSecondRowY) + shotLine("touched-help");
  s += key(kRightSoft) + key(kKey2) + key(kKey2) + tap(kRowX, kFirstRowY, 10) + shotLine("resumed");
  s += "quit\n";
  ASSERT_EQ(play(s), 0);
  expectCleanRun();
  EXPECT_TRUE(has(log(), "in-game menu touched")) << log();
  EXPECT_NE(picture("menu"), picture("moved"));
  EXPECT_NE(picture("moved"), picture("touched-help"));
  EXPECT_NE(picture("touched-help"), picture("resumed"));
}

TEST_F(PauseRoad, TheCareerMenuAndItsQuestions) {
  std::string s = kToMainMenu;
  s += "state push 42 28\nframes 3\n" + shotLine("career");
  s += key(kKey2) + key(kKey2) + key(kKey5) + shotLine("retire");  // up round to retiring
  s += key(kRightSoft) + key(kKey8) + key(kKey5) + shotLine("leave");
  s += key(kLeftSoft) + shotLine("leave-career");  // the career's own question
  s += key(kLeftSoft, 40) + shotLine("main-again");
  s += "quit\n";
  ASSERT_EQ(play(s), 0);
  expectCleanRun();
  EXPECT_TRUE(has(trace(), "state 42 -> 4 switch")) << trace();
  EXPECT_NE(picture("career"), picture("retire"));
  EXPECT_NE(picture("retire"), picture("leave"));
  EXPECT_NE(picture("leave"), picture("leave-career"));
  EXPECT_NE(picture("leave-career"), picture("main-again"));
}

}  // namespace
}  // namespace sorv
