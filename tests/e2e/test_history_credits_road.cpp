// The records history, the options' help and the credits, from the main menu and back: by
// keys, by touch, and again after a match, when the menus' texts have been loaded anew.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::Box;
using test::countLinesWith;
using test::has;
using test::ProgramRun;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 300;
constexpr int kSelectFrames = 12, kTapFrames = 8, kSoftFrames = 12;
// Main menu (menu 64's list with the shipped promotion: 3, 4, 5, 272, 12, 9, 8, 13): buttons
// at (440, 110 + 70 i), list arrows at (600, 60) and (600, 415); the history is the seventh. Options (menu 13): rows from (40, 110) 55 apart.
constexpr int kHistoryIndex = 6;
int button(int i) { return 110 + 70 * i + 30; }
int optionRow(int i) { return 110 + 55 * i + 25; }
constexpr int kButtonX = 600, kUpArrowY = 60, kDownArrowY = 415, kRowX = 200;
// Topics (menu 38): rows from (180, 120) 62 apart, 440 x 45; list arrows at (415, 68) and
// (415, 335). A page (menu 39): arrows at (40, 240) and (760, 240), boxes 40 x 40.
int topicRow(int r) { return 120 + 62 * r + 22; }
constexpr int kTopicX = 300, kTopicArrowX = 415, kTopicUpY = 68, kTopicDownY = 335;
constexpr int kPrevPageX = 35, kNextPageX = 765, kPageArrowY = 240;
// Help (menu 29): rows at (0, 120) and (0, 190), 310 x 60. Controls (menu 31): page arrows
// at (60, 240) and (740, 240), boxes 60 x 60.
constexpr int kHelpX = 150, kControlsY = 150, kSkillsY = 220;
constexpr int kControlsLeftX = 90, kControlsRightX = 770, kControlsArrowY = 270;
constexpr int kSoftX = 700, kSoftY = 450;
// The credits' window (menu 6 item 8): centred, 500 x 400 from y 10. On the synthetic texts
// a whole cycle of the ten lines takes 479 frames: line 9 shows on frame 360 and hands over
// on frame 479, when the window is empty, as it is on frame 1 (line 0 still at the bottom
// edge); frame 491 shows line 0 as frame 12 did.
constexpr Box kWindow = {150, 10, 500, 400};
// What the screens show apart from the arrows, whose animations move on from shot to shot:
// the topics' rows and a page between its arrows. The help's rows.
constexpr Box kTopicRows = {160, 105, 480, 200}, kPage = {100, 0, 600, 480};
constexpr Box kHelpRows = {0, 110, 320, 150}, kBelowHelpRows = {0, 260, 800, 220};
constexpr int kCycle = 479;

class HistoryCreditsRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "38";
    env_["SORV_VCLOCK"] = "1";
  }
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string take(const std::string& name) const { return "shot " + shot(name) + "\n"; }
  test::Picture picture(const std::string& name) const { return test::readPng(shot(name)); }
  bool same(const std::string& a, const std::string& b, const Box& box = {0, 0, 800, 480}) const {
    return test::sameIn(picture(a), picture(b), box);
  }
  // The credits' shots from the about screen's enter on: a whole cycle and the start of the
  // next, then F2 back to the options.
  std::string creditsCycle(const std::string& prefix) const {
    std::string s = frames(1) + take(prefix + "-1") + frames(11) + take(prefix + "-12");
    s += frames(348) + take(prefix + "-360") + frames(kCycle - 360) + take(prefix + "-end");
    s += frames(12) + take(prefix + "-again");
    return s;
  }
  void expectCredits(const std::string& prefix) const {
    EXPECT_TRUE(same(prefix + "-1", prefix + "-end", kWindow)) << "the window is empty after the last line";
    EXPECT_FALSE(same(prefix + "-1", prefix + "-12", kWindow)) << "line 0 rises";
    EXPECT_FALSE(same(prefix + "-1", prefix + "-360", kWindow)) << "the last line shows";
    EXPECT_TRUE(same(prefix + "-12", prefix + "-again", kWindow)) << "line 0 enters again";
    EXPECT_TRUE(same(prefix + "-12", prefix + "-again")) << "the screen around the window holds still";
  }
  void expectTheRoad() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    for (const char* change : {"state 6 -> 10 push", "state 10 -> 6 pop", "state 6 -> 8 push", "state 8 -> 9 push",
                               "state 9 -> 8 pop", "state 8 -> 6 pop"}) {
      EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
    }
    EXPECT_EQ(countLinesWith(log(), "not built"), 0) << log();
    EXPECT_EQ(countLinesWith(log(), "no page"), 0) << log();
  }
  void expectTopicPages(const std::string& prefix) const {
    EXPECT_FALSE(same(prefix + "topics", prefix + "topics-scrolled", kTopicRows)) << "the list scrolls";
    EXPECT_FALSE(same(prefix + "topic5-1", prefix + "topic5-2", kPage)) << "the second page";
    EXPECT_TRUE(same(prefix + "topic5-1", prefix + "topic5-round", kPage)) << "next on the last page shows the first";
    EXPECT_TRUE(same(prefix + "topic5-2", prefix + "topic5-back", kPage)) << "previous on the first shows the last";
    EXPECT_TRUE(same(prefix + "topics-scrolled", prefix + "topics-again", kTopicRows))
        << "back keeps topic 5 and the scroll";
  }
};

// main menu -> history -> topic 5 (after scrolling) -> its pages and round again -> back twice;
// options -> help -> controls pages -> skills -> back; about: a whole cycle -> F2 twice.
TEST_F(HistoryCreditsRoad, ByKeys) {
  std::string s = kToMainMenu;
  for (int i = 0; i < kHistoryIndex; i++) s += key(kKey8);
  s += key(kKey5, kSelectFrames) + take("topics");
  for (int i = 0; i < 4; i++) s += key(kKey8);
  s += take("topics-scrolled") + key(kKey5, 3) + take("topic5-1") + key(kKey6, 3) + take("topic5-2");
  s += key(kKey6, 3) + take("topic5-round") + key(kKey4, 3) + take("topic5-back");
  s += key(kRightSoft, 3) + take("topics-again") + key(kRightSoft, 10) + take("main-after-history");
  s += key(kKey2) + key(kKey5, kSelectFrames);  // the options, one entry above the history
  s += key(kKey8) + key(kKey8) + key(kKey5, 3) + take("help");
  s += key(kKey5, 3) + take("controls-1") + key(kKey6, 3) + take("controls-2") + key(kKey6, 3) + key(kKey4, 3);
  s += key(kKey4, 3) + key(kKey4, 3) + take("controls-4") + key(kRightSoft, 3);
  s += key(kKey8) + key(kKey5, 3) + take("skills") + key(kRightSoft, 3) + take("help-again") + key(kRightSoft, 3);
  s += key(kKey8) + key(kKey5, 1) + creditsCycle("about");
  s += key(kRightSoft, 3) + take("options-after-about") + key(kRightSoft, 10) + take("main") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectTheRoad();
  expectTopicPages("");
  EXPECT_FALSE(same("controls-1", "controls-2"));
  EXPECT_FALSE(same("controls-1", "controls-4")) << "previous from the first page shows the fourth";
  EXPECT_FALSE(same("help", "skills"));
  EXPECT_TRUE(same("help", "help-again", kBelowHelpRows));
  EXPECT_FALSE(same("help", "help-again", kHelpRows)) << "back from the skills keeps the cursor on their row";
  expectCredits("about");
}

TEST_F(HistoryCreditsRoad, ByTouch) {
  std::string s = kToMainMenu;
  for (int i = 0; i < kHistoryIndex; i++) s += tap(kButtonX, kDownArrowY);  // the history on the last row
  s += tap(kButtonX, button(3), 18) + take("topics");
  for (int i = 0; i < 4; i++) s += tap(kTopicArrowX, kTopicDownY);  // the list arrow scrolls by two
  s += take("topics-scrolled") + tap(kTopicX, topicRow(1), kTapFrames) + take("topic4");
  s += key(kRightSoft, 3) + tap(kTopicX, topicRow(2), kTapFrames) + take("topic5-1");
  s += tap(kNextPageX, kPageArrowY) + take("topic5-2") + tap(kNextPageX, kPageArrowY) + take("topic5-round");
  s += tap(kPrevPageX, kPageArrowY) + take("topic5-back");
  s += key(kRightSoft, 3) + take("topics-again") + tap(kSoftX, kSoftY, kSoftFrames) + take("main-after-history");
  s += tap(kButtonX, kUpArrowY) + tap(kButtonX, button(2), 18);  // the options, one entry above
  s += tap(kRowX, optionRow(2), kTapFrames) + take("help") + tap(kHelpX, kControlsY, 3) + take("controls-1");
  s += tap(kControlsRightX, kControlsArrowY) + take("controls-2") + tap(kControlsLeftX, kControlsArrowY);
  s += tap(kControlsLeftX, kControlsArrowY) + take("controls-4") + key(kRightSoft, 3);
  s += tap(kHelpX, kSkillsY, 3) + take("skills") + key(kRightSoft, 3) + take("help-again");
  s += tap(kSoftX, kSoftY, kSoftFrames) + take("options");
  s += "touch down " + std::to_string(480 - optionRow(3)) + " " + std::to_string(kRowX) + "\nframes 1\n";
  s += "touch up " + std::to_string(480 - optionRow(3)) + " " + std::to_string(kRowX) + "\n" + frames(6);
  s += creditsCycle("about");  // the row blinks, then selects in the sixth frame after its release
  s += key(kRightSoft, 3) + tap(kSoftX, kSoftY, kSoftFrames) + take("main") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectTheRoad();
  expectTopicPages("");
  EXPECT_FALSE(same("topic4", "topic5-1", kPage)) << "the tapped row opened its own topic";
  EXPECT_FALSE(same("controls-1", "controls-2"));
  EXPECT_FALSE(same("controls-1", "controls-4")) << "previous from the first page shows the fourth";
  EXPECT_FALSE(same("help", "skills"));
  EXPECT_TRUE(same("help", "help-again", kBelowHelpRows));
  EXPECT_FALSE(same("help", "help-again", kHelpRows)) << "back from the skills keeps the cursor on their row";
  expectCredits("about");
}

// After a match the menus' texts are loaded anew: the topics and their pages show as before
// it, and the credits rise over the options screen.
TEST_F(HistoryCreditsRoad, AfterAMatch) {
  env_["SORV_AUTOPLAY"] = "1";
  auto history = [this](const std::string& prefix) {
    std::string s;
    for (int i = 0; i < kHistoryIndex; i++) s += key(kKey8);
    s += key(kKey5, kSelectFrames) + take(prefix + "topics");
    for (int i = 0; i < 4; i++) s += key(kKey8);
    s += take(prefix + "topics-scrolled") + key(kKey5, 3) + take(prefix + "topic5-1") + key(kKey6, 3);
    s += take(prefix + "topic5-2") + key(kKey6, 3) + take(prefix + "topic5-round") + key(kKey4, 3);
    s += take(prefix + "topic5-back") + key(kRightSoft, 3) + take(prefix + "topics-again") + key(kRightSoft, 10);
    return s;
  };
  std::string s = kToMainMenu + history("before-");
  s += "match 0 1 0 0\n" + await(6, 6000) + frames(30) + history("after-");
  s += key(kKey2) + key(kKey5, kSelectFrames) + key(kKey8) + key(kKey8) + key(kKey8) + key(kKey5, 1);
  s += creditsCycle("about") + key(kRightSoft, 3) + key(kRightSoft, 10) + "quit\n";
  ASSERT_EQ(play(s), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  ASSERT_TRUE(has(trace(), "state 4 -> 11 switch\nstate 11 -> 5 switch\n")) << "the menus load again\n" << trace();
  expectTopicPages("after-");
  struct Shown {
    const char* name;
    Box box;
  };
  for (const Shown& shown : {Shown{"topics", kTopicRows}, Shown{"topic5-1", kPage}, Shown{"topic5-2", kPage}}) {
    EXPECT_TRUE(same(std::string("before-") + shown.name, std::string("after-") + shown.name, shown.box)) << shown.name;
  }
  expectCredits("about");
}

}  // namespace
}  // namespace sorv
