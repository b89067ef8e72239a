// From the main menu to the achievements table, through the browser to its last achievement
// and back to its first, through the records list to record 14, and back to the main menu:
// by keys, then by touch (the right soft key where the views have no box).
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::Box;
using test::has;
using test::Picture;
using test::ProgramRun;
using test::sameIn;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 240;
constexpr int kAchievements = 56, kShownRecords = 15;
constexpr int kSelectFrames = 12, kTapFrames = 18, kRowTapFrames = 8;
// Main menu (menu 5): the fourth button. Table (menu 18): rows at y 100 and 170, 310 x 60;
// its right soft-key box. Browser (menu 19): the arrows at (385, 62) and (385, 204); records
// (menu 20): at (400, 77) and (400, 390).
constexpr int kButtonX = 600, kAchievementsButtonY = 110 + 3 * 70 + 30;
constexpr int kRowX = 100, kFirstRowY = 130, kSecondRowY = 200;
constexpr int kRightSoftX = 700, kSoftY = 450;
constexpr int kBrowserArrowX = 385, kBrowserPrevY = 62, kBrowserNextY = 204;
constexpr int kRecordsArrowX = 400, kRecordsPrevY = 77, kRecordsNextY = 390;

constexpr Box kBrowserRow = {40, 110, 700, 50}, kDescription = {40, 225, 520, 30};
constexpr Box kBrowserPrev = {355, 45, 60, 35}, kBrowserNext = {355, 185, 60, 35};
constexpr Box kBrowserBar = {760, 80, 12, 280};
constexpr Box kRecordRows = {40, 110, 700, 260}, kRecordsBar = {760, 100, 12, 270};
constexpr Box kRecordsNext = {370, 370, 60, 40};
constexpr Box kTableFooter = {400, 330, 200, 50}, kMenuTitle = {250, 10, 300, 40};

class AchievementsRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
  }
  int play(const std::string& script) {
    std::ofstream(dir_ + "/script.txt") << script;
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }
  std::string shot(const char* name) const { return dir_ + "/" + name + ".png"; }
  std::string shotLine(const char* name) const { return "shot " + shot(name) + "\n"; }
  Picture picture(const char* name) const { return readPng(shot(name)); }

  void expectRoadTraced() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    for (const char* change : {"state 6 -> 60 push", "state 60 -> 61 push", "state 61 -> 60 pop", "state 60 -> 62 push",
                               "state 62 -> 60 pop", "state 60 -> 6 pop"}) {
      EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
    }
  }
  // What the shots of either road show.
  void expectShots() const {
    const Picture menu = picture("menu"), table = picture("table"), first = picture("browser-first"),
                  last = picture("browser-last"), again = picture("browser-first-again"),
                  records = picture("records-first"), record14 = picture("records-last"), back = picture("back");
    ASSERT_EQ(menu.width, 480);
    EXPECT_FALSE(sameIn(menu, table, kBrowserRow)) << "the table's rows replace the menu";
    EXPECT_FALSE(sameIn(menu, table, kTableFooter)) << "the rank footer";
    EXPECT_FALSE(sameIn(first, last, kBrowserRow)) << "the last achievement's row";
    EXPECT_FALSE(sameIn(first, last, kDescription)) << "and its description";
    EXPECT_FALSE(sameIn(first, last, kBrowserBar)) << "the thumb moved down";
    EXPECT_FALSE(sameIn(first, last, kBrowserPrev)) << "a previous arrow only after the first";
    EXPECT_FALSE(sameIn(first, last, kBrowserNext)) << "a next arrow only before the last";
    EXPECT_TRUE(sameIn(first, again, kBrowserRow)) << "back on the first";
    EXPECT_TRUE(sameIn(first, again, kBrowserBar));
    EXPECT_FALSE(sameIn(records, record14, kRecordRows)) << "the list scrolled to record 14";
    EXPECT_FALSE(sameIn(records, record14, kRecordsBar));
    EXPECT_FALSE(sameIn(records, record14, kRecordsNext)) << "no next arrow on record 14";
    EXPECT_TRUE(sameIn(menu, back, kMenuTitle)) << "the main menu again";
    EXPECT_FALSE(sameIn(table, back, kBrowserRow));
  }
};

TEST_F(AchievementsRoad, ByKeysThroughTheBrowserAndTheRecords) {
  std::string s = kToMainMenu + shotLine("menu");
  s += key(kKey8) + key(kKey8) + key(kKey8) + key(kKey5, kSelectFrames) + shotLine("table");
  s += key(kKey5, 3) + shotLine("browser-first");
  for (int i = 1; i < kAchievements + 2; i++) s += key(kKey8, 1);
  s += frames(2) + shotLine("browser-last");
  for (int i = 1; i < kAchievements + 2; i++) s += key(kKey2, 1);
  s += frames(2) + shotLine("browser-first-again");
  s += key(kRightSoft, 3) + key(kKey8) + key(kKey5, 3) + shotLine("records-first");
  for (int i = 1; i < kShownRecords + 3; i++) s += key(kKey8, 1);
  s += frames(2) + shotLine("records-last");
  s += key(kRightSoft, 3) + key(kRightSoft, 30) + shotLine("back") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectRoadTraced();
  expectShots();
}

TEST_F(AchievementsRoad, ByTouchWithTheRightSoftKeyWhereTheViewsHaveNoBox) {
  std::string s = kToMainMenu + shotLine("menu");
  s += tap(kButtonX, kAchievementsButtonY, kTapFrames) + shotLine("table");
  s += tap(kRowX, kFirstRowY, kRowTapFrames) + shotLine("browser-first");
  for (int i = 1; i < kAchievements + 2; i++) s += tap(kBrowserArrowX, kBrowserNextY, 1);
  s += frames(3) + shotLine("browser-last");
  for (int i = 1; i < kAchievements + 2; i++) s += tap(kBrowserArrowX, kBrowserPrevY, 1);
  s += frames(3) + shotLine("browser-first-again");
  // The browser has no soft-key box: the right soft key leaves it.
  s += key(kRightSoft, 3) + tap(kRowX, kSecondRowY, kRowTapFrames) + shotLine("records-first");
  for (int i = 1; i < kShownRecords + 3; i++) s += tap(kRecordsArrowX, kRecordsNextY, 1);
  s += frames(3) + shotLine("records-last");
  s += key(kRightSoft, 3) + tap(kRightSoftX, kSoftY, 30) + shotLine("back") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectRoadTraced();
  expectShots();
}

}  // namespace
}  // namespace sorv
