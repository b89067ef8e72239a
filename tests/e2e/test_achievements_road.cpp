// From the main menu to the achievements table, through the browser to its last achievement
// and back to its first, through the records list to record 14, and back to the main menu:
// by keys, then by touch (the right soft key where the views have no box). And a seeded quick
// match: the views in its pause, the unlock pages at its end, the main menu's panel and the
// views afterwards, and after a restart.
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::Box;
using test::has;
using test::Picture;
using test::SeededRoad;
using test::sameIn;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 240;
constexpr int kAchievements = 56, kShownRecords = 15;
constexpr int kSelectFrames = 12, kTapFrames = 18, kRowTapFrames = 8;
// Main menu (menu 5): the fourth button. Table (menu 18): rows at y 100 and 170, 310 x 60;
// its right soft-key box. Browser (menu 19): the arrows at (385, 62) and (385, 204); records
// (menu 20): at (400, 77) and (400, 390).
// Menu 64 (the shipped promotion shown): the achievements are its fifth entry, below the
// fourth button until the list scrolls by one.
constexpr int kButtonX = 600, kAchievementsButtonY = 110 + 3 * 70 + 30, kDownArrowY = 415;
const std::string kToAchievements = key(kKey8) + key(kKey8) + key(kKey8) + key(kKey8);
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

class AchievementsRoad : public SeededRoad {
 protected:
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
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
  s += kToAchievements + key(kKey5, kSelectFrames) + shotLine("table");
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
  // The list arrow moves the cursor down to the fifth entry, which scrolls the list by one.
  for (int i = 0; i < 4; i++) s += tap(kButtonX, kDownArrowY);
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

// A quick match from the main menu, played by the self-playing user with the match-over pages
// and the question left to the script; paused once in play.
class AchievementsMatchRoad : public AchievementsRoad {
 protected:
  void SetUp() override {
    AchievementsRoad::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "play";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  std::string record14() const {
    return readText(dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec14.rms");
  }
  static int16_t le16(const std::string& bytes, size_t at) {
    return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
  }
  // Each achievement's Gold from the data set's source.
  static std::map<int, int> golds() {
    std::map<int, int> out;
    std::istringstream lines(readText(std::string(SORV_SOURCE_DIR) + "/tools/data/achievements.txt"));
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] == '#') continue;
      const size_t gold = line.find("gold=");
      if (gold != std::string::npos) out[std::stoi(line)] = std::stoi(line.substr(gold + 5));
    }
    return out;
  }
};

TEST_F(AchievementsMatchRoad, APausedMatchItsUnlockPagesAndTheViewsAfterARestart) {
  const std::string cheatWin = key(kKey0, 1) + key(kKey0, 1) + key(kKey0, 1) + key(kKey1, 3);
  std::string s = kToMainMenu + key(kKey5, kSelectFrames) + key(kKey5, 6) + key(kKey5, 4) + key(kKey5, 4) + frames(80);
  s += key(kRightSoft, 60) + await(40, 600) + frames(250);
  // Paused in play: the table, the browser and the records over the blurred court.
  s += "focus lose\nframes 1\nfocus lose\nframes 2\nfocus gain\nframes 3\n" + shotLine("pause");
  s += key(kKey8) + key(kKey8) + key(kKey8) + key(kKey5, 4) + shotLine("paused-table");
  s += key(kKey5, 4) + key(kKey8) + key(kKey8) + key(kKey8) + tap(kBrowserArrowX, kBrowserNextY, 2) + shotLine("paused-browser");
  s += key(kRightSoft, 3) + key(kKey8) + key(kKey5, 4);
  for (int i = 0; i < 7; i++) s += key(kKey8);
  s += tap(kRecordsArrowX, kRecordsNextY, 2) + shotLine("paused-records");
  s += key(kRightSoft, 3) + key(kRightSoft, 3) + key(kRightSoft, 10);
  s += frames(600) + cheatWin + "await match 7 3000\n" + frames(20) + shotLine("statistics");
  s += key(kKey5, 20) + shotLine("unlocked-achievements") + key(kKey5, 20) + shotLine("unlocked-records");
  s += key(kKey5, 20) + key(kRightSoft, 3) + await(6, 2000) + frames(60) + shotLine("panel");
  s += frames(40) + kToAchievements + key(kKey5, kSelectFrames) + key(kKey5, 4) +
       shotLine("browser-after");
  s += key(kRightSoft, 3) + key(kKey8) + key(kKey5, 4) + shotLine("records-after") + "quit\n";
  ASSERT_EQ(play(s), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  EXPECT_TRUE(has(log(), "autoplay leaves the match-over pages to the script")) << log();
  const std::string match = readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(match, "match games=2 sets=1")) << match;
  EXPECT_TRUE(has(match, "\nover winner=0")) << match;
  for (const char* change : {"state 40 -> 42 push", "state 42 -> 40 pop", "state 40 -> 4 switch", "state 6 -> 60 push",
                             "state 60 -> 61 push", "state 60 -> 62 push"}) {
    EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
  }
  const Picture pause = picture("pause"), table = picture("paused-table"), browser = picture("paused-browser"),
                records = picture("paused-records"), statistics = picture("statistics"),
                achievements = picture("unlocked-achievements"), unlockedRecords = picture("unlocked-records");
  ASSERT_EQ(pause.width, 480);
  EXPECT_FALSE(sameIn(pause, table, kBrowserRow));
  EXPECT_FALSE(sameIn(table, browser, kBrowserRow));
  EXPECT_FALSE(sameIn(browser, records, kRecordRows));
  const Box unlockRows = {60, 120, 600, 170}, unlockHeading = {100, 55, 600, 30};
  EXPECT_FALSE(sameIn(statistics, achievements, unlockRows)) << "the achievements page follows the statistics";
  EXPECT_FALSE(sameIn(achievements, unlockedRecords, unlockHeading)) << "then the records page";

  // After a restart the views show the same, and record 14 holds what the match earned.
  const std::string saved = record14();
  std::string again = kToMainMenu + kToAchievements + key(kKey5, kSelectFrames) + key(kKey5, 4) +
                      shotLine("browser-restart");
  again += key(kRightSoft, 3) + key(kKey8) + key(kKey5, 4) + shotLine("records-restart") + "quit\n";
  ASSERT_EQ(play(again), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  EXPECT_TRUE(sameIn(picture("browser-after"), picture("browser-restart"), kBrowserRow));
  EXPECT_TRUE(sameIn(picture("browser-after"), picture("browser-restart"), {400, 350, 360, 60})) << "the footer";
  EXPECT_TRUE(sameIn(picture("records-after"), picture("records-restart"), kRecordRows));
  ASSERT_EQ(saved.size(), size_t{kAchievements + 4 + 2 * 16});
  EXPECT_EQ(saved[0], 1) << "achievement 0 among the earned";
  int gold = 0;
  const std::map<int, int> table56 = golds();
  for (int i = 0; i < kAchievements; i++) {
    if (saved[static_cast<size_t>(i)] == 1) gold += table56.at(i);
  }
  EXPECT_GT(gold, 0);
  EXPECT_EQ(le16(saved, kAchievements), gold) << "the Gold is the earned ones' sum";
  const int matchesWon = le16(saved, kAchievements + 4), matchesLost = le16(saved, kAchievements + 4 + 2 * 2);
  EXPECT_TRUE(matchesWon == 1 || matchesLost == 1) << matchesWon << " " << matchesLost;
}

}  // namespace
}  // namespace sorv
