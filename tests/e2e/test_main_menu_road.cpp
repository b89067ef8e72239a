// From the title on through the main menu, its options and its quit question, by keys and
// again by touch; the options survive a restart on the same root.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::countLinesWith;
using test::has;
using test::SeededRoad;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 280;
// Main menu (menu 64 with the shipped promotion: 3, 4, 5, 272, 12, 9, 8, 13, 273): buttons at (440, 110 + 70 i), the list arrows at (600, 60) and
// (600, 415). Options (menu 13): rows from (40, 110) 55 apart, each value's right arrow
// right of x 575 on the row's middle. Soft-key corners at the bottom.
int button(int i) { return 110 + 70 * i + 30; }
constexpr int kButtonX = 600, kDownArrowX = 600, kDownArrowY = 415;
int optionRow(int i) { return 110 + 55 * i + 25; }
constexpr int kRightArrowX = 650, kRowX = 200;
constexpr int kRightSoftX = 700, kLeftSoftX = 100, kSoftY = 450;

// The middle of the speed unit's value label (game box), away from its arrows.
struct Box {
  int x, y, w, h;
};
constexpr Box kSpeedValue = {505, 178, 60, 24};
// Whether two shots show the same text inside a game box (game (x, y) is panel (479 - y, x)):
// the light pixels of the label agree; the translucent row lets the menu behind show, which
// moves on between shots.
bool sameIn(const test::Picture& a, const test::Picture& b, const Box& box) {
  if (a.width != 480 || b.width != 480) return false;
  auto ink = [](uint32_t rgb) { return (rgb >> 16 & 0xFF) >= 0xC0 && (rgb >> 8 & 0xFF) >= 0xC0 && (rgb & 0xFF) >= 0xC0; };
  for (int gy = box.y; gy < box.y + box.h; gy++)
    for (int gx = box.x; gx < box.x + box.w; gx++)
      if (ink(a.at(479 - gy, gx)) != ink(b.at(479 - gy, gx))) return false;
  return true;
}

constexpr int kSelectFrames = 12, kTapFrames = 18;
// The promotion loads a step a frame before it takes keys.
constexpr int kPromoLoadFrames = 14;

class MainMenuRoad : public SeededRoad {
 protected:
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  void expectCleanRun() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    EXPECT_TRUE(has(trace(), "state 6 -> 8 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 8 -> 6 pop")) << trace();
    EXPECT_TRUE(has(trace(), "state 6 -> 51 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 51 -> 6 pop")) << trace();
    EXPECT_TRUE(has(trace(), "state 6 -> 53 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 53 -> 6 pop")) << trace();
    EXPECT_TRUE(has(trace(), "state 6 -> 20 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 20 -> 6 pop")) << trace();
    EXPECT_TRUE(has(trace(), "state 6 -> 60 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 60 -> 6 pop")) << trace();
    EXPECT_TRUE(has(trace(), "state 6 -> 58 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 58 -> 6 pop")) << trace();
    EXPECT_EQ(countLinesWith(log(), "entry 12"), 0) << log();
  }
};

TEST_F(MainMenuRoad, EveryEntryAndOptionByKeysThenQuitWithTheLeftSoftKey) {
  std::string s = kToMainMenu + "shot " + shot("menu") + "\n";
  s += key(kKey5, kSelectFrames) + key(kRightSoft, 10);  // quick match's set-up, and back
  s += key(kKey8) + key(kKey5, kSelectFrames) + key(kRightSoft, 10);  // the tournament's load screen, and back
  s += key(kKey8) + key(kKey5, kSelectFrames) + key(kRightSoft, 10);  // the career's load screen, and back
  s += key(kKey8) + key(kKey5, kSelectFrames + kPromoLoadFrames) + key(kRightSoft, 10);  // the promotion, and back
  s += key(kKey8) + key(kKey5, kSelectFrames) + key(kRightSoft, 10);  // the achievements table, and back
  s += key(kKey8) + key(kKey5, kSelectFrames) + "shot " + shot("options") + "\n";
  s += key(kKey6, 5) + key(kKey6, 5);  // sound off and on again, 400 ms apart
  s += key(kKey8) + key(kKey6, 5) + "shot " + shot("options-changed") + "\n";
  s += key(kKey8) + key(kKey5) + key(kRightSoft);  // help, and back
  s += key(kKey8) + key(kKey5) + key(kRightSoft);  // about, and back
  s += key(kRightSoft, 10);
  s += key(kKey8) + key(kKey5, kSelectFrames) + key(kRightSoft, 10);  // records history, and back
  s += key(kKey8) + key(kKey5, kSelectFrames) + "shot " + shot("quit") + "\n";
  s += key(kRightSoft, 5) + key(kKey2) + key(kKey8) + key(kKey5, kSelectFrames);
  s += key(kLeftSoft, 10) + "frames 50\n";
  ASSERT_EQ(play(s), 0);
  expectCleanRun();
  EXPECT_LT(framesRun(out()), scriptFrames(s) - 40) << "the left soft key ends the program\n" << out();
  // The options screen shows over the menu, and the quit question over the menu.
  const std::string menu = test::readText(shot("menu"));
  EXPECT_FALSE(menu.empty());
  EXPECT_NE(menu, test::readText(shot("options")));
  EXPECT_NE(test::readText(shot("options")), test::readText(shot("options-changed")));
  EXPECT_NE(menu, test::readText(shot("quit")));

  // A restart on the same root keeps the speed unit; the sound is on again.
  std::string again = kToMainMenu;
  for (int i = 0; i < 5; i++) again += key(kKey8);
  again += key(kKey5, kSelectFrames) + key(kKey8) + "shot " + shot("restart") + "\nquit\n";
  ASSERT_EQ(play(again), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  const test::Picture before = test::readPng(shot("options")), changed = test::readPng(shot("options-changed")),
                      restart = test::readPng(shot("restart"));
  ASSERT_EQ(restart.width, 480);
  EXPECT_FALSE(sameIn(before, changed, kSpeedValue)) << "the speed unit's label changes";
  EXPECT_TRUE(sameIn(changed, restart, kSpeedValue)) << "the restart shows the saved speed unit";
}

TEST_F(MainMenuRoad, EveryEntryAndOptionByTouchThenQuitWithTheLeftSoftKeyBox) {
  std::string s = kToMainMenu;
  s += tap(kButtonX, button(0), kTapFrames) + tap(kRightSoftX, kSoftY, 12);  // quick match's set-up, and back
  s += tap(kButtonX, button(1), kTapFrames) + tap(kRightSoftX, kSoftY, 12);  // the tournament's load screen, and back
  s += tap(kButtonX, button(2), kTapFrames) + tap(kRightSoftX, kSoftY, 12);  // the career's load screen, and back
  s += tap(kButtonX, button(3), kTapFrames + kPromoLoadFrames) + tap(kRightSoftX, kSoftY, 12);  // the promotion
  s += tap(kDownArrowX, kDownArrowY) + tap(kButtonX, button(3), kTapFrames) + tap(kRightSoftX, kSoftY, 12);  // achievements
  s += tap(kDownArrowX, kDownArrowY) + tap(kButtonX, button(3), kTapFrames) + "shot " + shot("options") + "\n";
  s += tap(kRightArrowX, optionRow(0), 5) + tap(kRightArrowX, optionRow(0), 5);
  s += tap(kRightArrowX, optionRow(1), 5);
  // Help and about blink when tapped, then open.
  s += tap(kRowX, optionRow(2), 8) + tap(kRightSoftX, kSoftY, 12);  // help, and back by its corner
  s += tap(kRowX, optionRow(3), 8) + key(kRightSoft);                 // about, and back by F2 (no corner)
  s += tap(kRightSoftX, kSoftY, 12);
  s += tap(kDownArrowX, kDownArrowY) + tap(kButtonX, button(3), kTapFrames) + tap(kRightSoftX, kSoftY, 12);  // history
  s += tap(kDownArrowX, kDownArrowY) + tap(kButtonX, button(3), kTapFrames) + "shot " + shot("quit") + "\n";
  s += tap(kRightSoftX, kSoftY, 12) + tap(kButtonX, button(3), kTapFrames);
  s += tap(kLeftSoftX, kSoftY, 12) + "frames 50\n";
  ASSERT_EQ(play(s), 0);
  expectCleanRun();
  EXPECT_LT(framesRun(out()), scriptFrames(s) - 40) << "the left soft-key box ends the program\n" << out();
}

}  // namespace
}  // namespace sorv
