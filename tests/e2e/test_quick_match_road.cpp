// A quick match from the main menu: the set-up, the player selection and the start of the
// match, by keys in singles and by touch in mixed doubles, and the set-up's rows after a
// restart on the same root.
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::SeededRoad;
using namespace test;  // the script helpers

// A whole match under the sanitizer and the memory stress switches takes minutes.
constexpr int kRunSeconds = 560;
constexpr int kSelectFrames = 12, kSoftFrames = 12, kLoadingFrames = 80;
// From the key that closes the loading's tip into the players' walk-on.
constexpr int kEntryFrames = 60;
// The user's strokes: hold 5 for the serve's strength, a direction, 5 again. A match of one
// set of two games ends within kStrokeRounds of them (the computer returns serves, so
// points last); the digits leave the continue question alone, which waits for a soft key.
const std::string kStrokeRound = hold(kKey5, 6) + key(kKey4, 3) + key(kKey6, 3) + key(kKey5, 3) + key(kKey2, 3) +
                                 key(kKey8, 3) + key(kKey5, 3);
constexpr int kStrokeRounds = 150;

// Game points of the screens' touch targets. Main menu: the first button. Set-up (menu 14):
// the value arrows of the two visible rows (left of x 385 the previous value, right of it
// the next), the list's down arrow. Selection (menu 37): portrait k, the forward arrow, the
// group arrow. The soft-key boxes at the bottom corners.
constexpr int kQuickMatchX = 600, kQuickMatchY = 140;
constexpr int kPrevValueX = 300, kNextValueX = 500;
int rowValueY(int visibleRow) { return 72 + 70 * visibleRow + 25; }
constexpr int kRowsDownX = 130, kRowsDownY = 230;
int portraitX(int k) { return 60 + 145 * k + 60; }
constexpr int kPortraitY = 350, kForwardX = 682, kForwardY = 356, kGroupX = 405, kGroupY = 290;
constexpr int kLeftSoftX = 100, kRightSoftX = 700, kSoftY = 450;
// The match's touch pad: the OK button and the direction cells around the pad's middle.
constexpr int kPadOkX = 700, kPadOkY = 380;
int padCellX(int cell) { return 55 + 100 * (cell % 3); }
int padCellY(int cell) { return 250 + 100 * (cell / 3); }
// The same strokes on the pad: OK held for the serve's strength, then the directions.
const std::string kPadRound = touchFor(kPadOkX, kPadOkY, 6) + tap(padCellX(3), padCellY(3)) +
                              tap(padCellX(5), padCellY(5)) + tap(kPadOkX, kPadOkY) + tap(padCellX(1), padCellY(1)) +
                              tap(padCellX(0), padCellY(0)) + tap(padCellX(2), padCellY(2));
// The match-over pages before the continue question, each closed with the left soft-key box.
constexpr int kMatchOverPages = 3;

// Whether two shots have their white (the texts) in the same places inside a game box; the
// animated arrows around the values change only their colours.
bool sameTextIn(const test::Picture& a, const test::Picture& b, const Box& box) {
  if (a.width != 480 || b.width != 480) return false;
  constexpr uint32_t kWhite = 0xFFFFFF;
  for (int gy = box.y; gy < box.y + box.h; gy++)
    for (int gx = box.x; gx < box.x + box.w; gx++)
      if ((a.at(479 - gy, gx) == kWhite) != (b.at(479 - gy, gx) == kWhite)) return false;
  return true;
}
// The court picture and the court's name on the set-up.
constexpr Box kCourtPicture = {560, 80, 220, 140}, kCourtName = {560, 240, 220, 24};
// The values of the set-up's two visible rows, between their arrows; the options' speed unit.
constexpr Box kRowValues = {280, 80, 270, 110}, kSpeedValue = {505, 178, 60, 24};

std::vector<uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class QuickMatchRoad : public SeededRoad {
 protected:
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  std::vector<uint8_t> record(int id) const {
    return fileBytes(dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec" +
                     std::to_string(id) + ".rms");
  }
  // Each shot was written and differs from the one before it.
  void expectShotsChange(const std::vector<const char*>& names) const {
    std::string previous;
    for (const char* name : names) {
      const std::string bytes = test::readText(shot(name));
      EXPECT_FALSE(bytes.empty()) << name;
      EXPECT_TRUE(bytes != previous) << name << " shows the same picture as the shot before it";
      previous = bytes;
    }
  }
  void expectRoadToTheMatch() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    for (const char* change : {"state 6 -> 51 push", "state 51 -> 52 push", "state 52 -> 12 push",
                               "state 12 -> 11 switch", "state 11 -> 40 switch"}) {
      EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
    }
  }
};

// One set of two games, easy, court 2; the player and the opponent by keys; the match played
// on keys to its end, the continue question answered no, and back at the main menu.
TEST_F(QuickMatchRoad, SinglesByKeysFromTheMainMenuThroughAMatchBackToTheMainMenu) {
  env_["SORV_VCLOCK"] = "1";
  env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  std::string s = kToMainMenu + shotLine("menu-before") + key(kKey5, kSelectFrames) + shotLine("setup");
  for (int i = 0; i < 4; i++) s += key(kKey8);
  s += key(kKey6, 6) + shotLine("setup-court");
  s += key(kKey5, 6) + shotLine("pick-player");
  s += key(kKey6) + key(kKey5, 6) + shotLine("pick-opponent");
  s += key(kRightSoft, kSoftFrames) + shotLine("back-to-setup");
  s += key(kKey5, 6) + key(kKey5, 4) + key(kKey5, 4) + "frames " + std::to_string(kLoadingFrames) + "\n";
  s += key(kRightSoft, kEntryFrames) + shotLine("match-start");  // the loading's tip waits for a key
  for (int i = 0; i < kStrokeRounds; i++) s += kStrokeRound;
  s += shotLine("match-over") + key(kRightSoft, 60) + shotLine("menu-after") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectRoadToTheMatch();
  EXPECT_TRUE(has(trace(), "state 52 -> 51 pop")) << trace();
  const std::string match = test::readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(match, "match games=2 sets=1 doubles=0 category=0 court=2")) << match;
  EXPECT_TRUE(has(match, "winner=0 server=U")) << "the keys serve and win points\n" << match;
  EXPECT_TRUE(has(match, "\nover ")) << match;
  // The continue question's no: the menus load again and the main menu follows.
  const std::string after = trace().substr(trace().find("state 11 -> 40 switch"));
  EXPECT_TRUE(has(after, "state 40 -> 4 switch\nstate 4 -> 11 switch\nstate 11 -> 5 switch\nstate 5 -> 6 switch"))
      << after;
  expectShotsChange({"setup", "setup-court", "pick-player", "pick-opponent", "back-to-setup", "match-start",
                     "match-over", "menu-after"});
  const test::Picture court = test::readPng(shot("setup-court")), back = test::readPng(shot("back-to-setup"));
  EXPECT_TRUE(sameIn(court, back, kCourtPicture)) << "back from the selection shows the same court";
  EXPECT_TRUE(sameIn(court, back, kCourtName));
  EXPECT_FALSE(sameIn(court, test::readPng(shot("setup")), kCourtPicture)) << "court 2 is not court 1";
  EXPECT_EQ(record(13), std::vector<uint8_t>({0, 0, 0, 0, 4}));
}

// Mixed doubles on court 2 by touch alone: the option arrows, the list arrow, the soft-key
// boxes, the group arrow, portraits and the roster's forward arrow; the match on the pad,
// its pages and the continue question by the soft-key boxes, back to the main menu.
TEST_F(QuickMatchRoad, MixedDoublesByTouchFromTheMainMenuThroughAMatchBackToTheMainMenu) {
  env_["SORV_VCLOCK"] = "1";
  env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  std::string s = kToMainMenu + tap(kQuickMatchX, kQuickMatchY, kSelectFrames);
  s += tap(kPrevValueX, rowValueY(0)) + shotLine("setup-mixed");  // mixed doubles
  for (int i = 0; i < 4; i++) s += tap(kRowsDownX, kRowsDownY);
  s += tap(kNextValueX, rowValueY(1), 5) + shotLine("setup-court");  // court 2
  s += tap(kLeftSoftX, kSoftY, kSoftFrames) + shotLine("selection");
  s += tap(kGroupX, kGroupY, 4) + tap(portraitX(1), kPortraitY, 4) + shotLine("group-one");
  s += tap(kLeftSoftX, kSoftY, kSoftFrames) + shotLine("partner");
  s += tap(kForwardX, kForwardY, 4) + tap(kLeftSoftX, kSoftY, kSoftFrames) + shotLine("opponents");
  s += tap(kLeftSoftX, kSoftY, kSoftFrames) + shotLine("last-opponent");
  s += tap(kLeftSoftX, kSoftY, kSoftFrames) + "frames " + std::to_string(kLoadingFrames) + "\n";
  s += tap(kRightSoftX, kSoftY, kEntryFrames) + shotLine("match-start");  // the tip waits for a touch
  for (int i = 0; i < kStrokeRounds; i++) s += kPadRound;
  s += shotLine("match-over");
  for (int i = 0; i < kMatchOverPages; i++) s += tap(kLeftSoftX, kSoftY, 20);
  s += shotLine("continue") + tap(kRightSoftX, kSoftY, 60) + shotLine("menu-after") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectRoadToTheMatch();
  const std::string match = test::readText(dir_ + "/match.txt");
  EXPECT_TRUE(has(match, "match games=2 sets=1 doubles=1 category=4 court=2")) << match;
  EXPECT_TRUE(has(match, "winner=0 server=U")) << "the pad serves and wins points\n" << match;
  EXPECT_TRUE(has(match, "\nover ")) << match;
  EXPECT_EQ(test::countLinesWith(match, "match "), 1) << "the continue question's no plays no second match";
  const std::string after = trace().substr(trace().find("state 11 -> 40 switch"));
  EXPECT_TRUE(has(after, "state 40 -> 4 switch\nstate 4 -> 11 switch\nstate 11 -> 5 switch\nstate 5 -> 6 switch"))
      << after;
  expectShotsChange({"setup-mixed", "setup-court", "selection", "group-one", "partner", "opponents",
                     "last-opponent", "match-start", "match-over", "continue", "menu-after"});
  EXPECT_EQ(record(13), std::vector<uint8_t>({4, 0, 0, 0, 4}));
}

// The speed unit and the set-up's rows 0 to 3 survive a restart, on disk and on the screens;
// the court starts at 1.
TEST_F(QuickMatchRoad, ARestartKeepsTheSpeedUnitAndTheSetupRows) {
  // The options are menu 64's sixth entry (the shipped promotion shown).
  const std::string toOptions = key(kKey8) + key(kKey8) + key(kKey8) + key(kKey8) + key(kKey8) + key(kKey5, kSelectFrames);
  std::string s = kToMainMenu + key(kKey5, kSelectFrames) + shotLine("setup-fresh") + key(kRightSoft, kSoftFrames);
  s += toOptions + shotLine("options-first");
  s += key(kKey8) + key(kKey6, 5) + key(kRightSoft, kSoftFrames);  // km/h
  for (int i = 0; i < 5; i++) s += key(kKey2);  // back up to the quick match
  s += key(kKey5, kSelectFrames) + key(kKey8) + key(kKey6) + key(kKey6) + key(kKey8) + key(kKey6);
  s += key(kKey5, 6) + key(kRightSoft, kSoftFrames) + key(kRightSoft, kSoftFrames);  // confirmed, back to the menu
  s += key(kKey5, kSelectFrames) + shotLine("setup-changed") + key(kRightSoft, kSoftFrames);
  s += toOptions + shotLine("options-changed") + "quit\n";
  ASSERT_EQ(play(s), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  EXPECT_EQ(record(13), std::vector<uint8_t>({0, 2, 1, 0, 2}));

  std::string again = kToMainMenu + key(kKey5, kSelectFrames) + shotLine("setup-again") + key(kRightSoft, kSoftFrames);
  again += toOptions + shotLine("options-again") + key(kRightSoft, kSoftFrames) + key(kKey2) + key(kKey2) +
           key(kKey2) + key(kKey2) + key(kKey5, kSelectFrames) + key(kKey5, 6) + "quit\n";
  ASSERT_EQ(play(again), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  EXPECT_EQ(record(13), std::vector<uint8_t>({0, 2, 1, 0, 2})) << "rows 0 to 3 came back; the court is 1 again";
  const std::vector<uint8_t> options = record(2);
  ASSERT_GE(options.size(), 5u);
  EXPECT_EQ(options[3], 1) << "the speed unit";
  EXPECT_EQ(options[4], 1);
  const auto picture = [&](const char* name) { return test::readPng(shot(name)); };
  EXPECT_FALSE(sameIn(picture("options-first"), picture("options-changed"), kSpeedValue)) << "the unit's label changes";
  EXPECT_TRUE(sameIn(picture("options-changed"), picture("options-again"), kSpeedValue)) << "the saved unit shows";
  EXPECT_FALSE(sameTextIn(picture("setup-fresh"), picture("setup-changed"), kRowValues)) << "the rows' values change";
  EXPECT_TRUE(sameTextIn(picture("setup-changed"), picture("setup-again"), kRowValues)) << "the saved rows show";
}

}  // namespace
}  // namespace sorv
