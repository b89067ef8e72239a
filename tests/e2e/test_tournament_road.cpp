// A tournament from the main menu, seeded on the virtual clock with the computer playing the
// user's points: by keys to the trophy through a lost and replayed match; in mixed doubles
// by touch, left after a round and continued after a restart; and a crash at every step of
// one save of the tournament, after which continuing shows it as it was before or after.
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"
#include "tests/support/run_budget.h"

namespace sorv {
namespace {

using test::countLinesWith;
using test::has;
using test::Picture;
using test::ProgramRun;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 560;

// Game points: the main menu's second button (Tournament); the soft-key corners; the group
// row's right arrow (its touch box spans 210 pixels right of the value's middle, about
// (410, 165)); the selection's portraits.
constexpr int kTournamentX = 600, kTournamentY = 210;
constexpr int kLeftSoftX = 100, kRightSoftX = 700, kSoftY = 450;
constexpr int kNextGroupX = 520, kGroupY = 165;
int portraitX(int k) { return 60 + 145 * k + 60; }
constexpr int kPortraitY = 350;

// Game boxes: the table's message box and the trophy at the right end of the bracket.
constexpr Box kMessage = {200, 180, 400, 100}, kTrophy = {700, 160, 75, 80};

int countIn(const Picture& p, const Box& b, bool (*counted)(uint32_t)) {
  int n = 0;
  for (int gy = b.y; gy < b.y + b.h; gy++)
    for (int gx = b.x; gx < b.x + b.w; gx++) n += counted(p.at(479 - gy, gx) & 0xFFFFFF) ? 1 : 0;
  return n;
}
int litPixels(const Picture& p, const Box& b) {
  return countIn(p, b, [](uint32_t rgb) { return rgb != 0; });
}
// The message box is the only blue on the table: its lines are red and yellow, names white.
int messagePixels(const Picture& p) {
  return countIn(p, kMessage, [](uint32_t rgb) {
    const uint32_t r = rgb >> 16, b = rgb & 0xFF;
    return b >= 0x30 && b > r + 0x10;
  });
}

struct MatchLine {
  std::string players;
  int winner;
};
std::vector<MatchLine> matchesOf(const std::string& trace) {
  static const std::regex start("^match .* players=(\\S+)$"), over("^over winner=(\\d)");
  std::vector<MatchLine> matches;
  std::istringstream lines(trace);
  for (std::string text; std::getline(lines, text);) {
    std::smatch m;
    if (std::regex_search(text, m, start)) matches.push_back({m[1], -1});
    if (std::regex_search(text, m, over) && !matches.empty()) matches.back().winner = std::stoi(m[1]);
  }
  return matches;
}

class TournamentRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string take(const std::string& name) const { return "shot " + shot(name) + "\n"; }
  Picture picture(const std::string& name) const { return readPng(shot(name)); }
  std::string recordPath(int id) const {
    return dir_ + "/root/Program Files/Kestovan/Sorvantel 2009/rms_sorvantel2009.rms_rec" + std::to_string(id) + ".rms";
  }
  std::string matchTrace() const { return readText(dir_ + "/match.txt"); }
  void expectNoRuntimeErrors() const { EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log(); }
};

// Men's singles of four rounds (a segment of three, then the final's): the first match won,
// the second lost and played again against the same opponent, the segment's end announced,
// the final won; the trophy and the winner's label, then the main menu with the save gone.
TEST_F(TournamentRoad, SinglesByKeysToTheTrophyThroughAReplayedLoss) {
  std::string s = kToMainMenu + key(kKey8) + key(kKey5, 14) + take("load");
  s += key(kKey5, 4) + take("group") + key(kKey5, 4) + await(54, 100) + frames(20) + take("selection");
  s += key(kKey5, 6) + await(57, 300) + take("table-start") + frames(kLineFrames) + take("table-ready");
  s += matchFromTable(key(kKey5), kKey1) + take("won-1");
  s += matchFromTable(key(kKey5), kKey2) + take("lost-2");
  s += matchFromTable(key(kKey5), kKey1) + take("won-2");
  s += matchFromTable(key(kKey5), kKey1) + take("won-3");
  s += matchFromTable(key(kKey5), kKey1) + take("champion");
  s += key(kKey5, 60) + take("menu-after") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  const std::string t = trace();
  for (const char* change : {"state 6 -> 53 push", "state 53 -> 54 push", "state 54 -> 57 push", "state 57 -> 6 switch"}) {
    EXPECT_TRUE(has(t, change)) << change << "\n" << t;
  }
  EXPECT_EQ(countLinesWith(t, "state 57 -> 11 switch"), 5) << t;
  EXPECT_EQ(countLinesWith(t, "state 56 -> 57 push"), 5) << t;

  const std::vector<MatchLine> matches = matchesOf(matchTrace());
  ASSERT_EQ(matches.size(), 5u) << matchTrace();
  const int winners[] = {0, 1, 0, 0, 0};
  for (size_t i = 0; i < matches.size(); i++) EXPECT_EQ(matches[i].winner, winners[i]) << "match " << i;
  EXPECT_EQ(matches[2].players, matches[1].players) << "the lost match is played again against the same side";
  EXPECT_NE(matches[1].players, matches[0].players);
  EXPECT_EQ(readText(recordPath(6)), "") << "the won tournament is no longer offered";

  const Picture won = picture("won-1"), lost = picture("lost-2"), next = picture("won-3"), champion = picture("champion");
  ASSERT_EQ(won.width, 480);
  EXPECT_EQ(messagePixels(won), 0) << "a won round needs no message";
  EXPECT_GT(messagePixels(lost), 20000) << "the loss asks whether to play again";
  EXPECT_GT(messagePixels(next), 20000) << "the segment's end is announced";
  EXPECT_FALSE(sameIn(next, champion, kMessage)) << "the title has its own message";
  EXPECT_EQ(litPixels(picture("table-ready"), kTrophy), 0) << "the final is not in the first segment";
  EXPECT_GT(litPixels(champion, kTrophy), 500) << "the final's segment shows the trophy";
  EXPECT_FALSE(sameIn(picture("menu-after"), champion, {0, 0, 800, 480}));
}

// Mixed doubles by touch: the load screen's and the group's soft keys and arrows, portraits
// for the user and the partner; after the first round the game is closed at the table. A
// restart continues it from the load screen: the same table to the pixel, and the next
// match against the same team as the one the first run started.
TEST_F(TournamentRoad, MixedDoublesByTouchLeftAfterARoundAndContinuedAfterARestart) {
  const std::string toLoad = kToMainMenu + tap(kTournamentX, kTournamentY, 14);
  std::string s = toLoad + take("load-empty") + tap(kLeftSoftX, kSoftY, 4);
  s += tap(kNextGroupX, kGroupY, 4) + tap(kNextGroupX, kGroupY, 4) + take("group-mixed");
  s += tap(kLeftSoftX, kSoftY, 4) + await(54, 100) + frames(20);
  s += tap(portraitX(1), kPortraitY, 4) + tap(kLeftSoftX, kSoftY, 12) + take("partner");
  s += tap(portraitX(2), kPortraitY, 4) + tap(kLeftSoftX, kSoftY, 6) + await(57, 300) + frames(kLineFrames);
  s += take("table-first") + matchFromTable(tap(kLeftSoftX, kSoftY, 2), kKey1) + take("table-second");
  s += tap(kLeftSoftX, kSoftY, 2) + await(40, kToMatchFrames) + frames(20) + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  const std::vector<MatchLine> first = matchesOf(matchTrace());
  ASSERT_EQ(first.size(), 2u) << matchTrace();
  EXPECT_EQ(first[0].winner, 0);
  EXPECT_TRUE(has(matchTrace(), "doubles=1 category=4")) << matchTrace();
  EXPECT_FALSE(sameIn(picture("table-first"), picture("table-second"), {0, 0, 800, 480}));

  std::remove((dir_ + "/match.txt").c_str());
  std::string again = toLoad + take("load-saved") + tap(kLeftSoftX, kSoftY, 4) + await(57, 300) + frames(kLineFrames);
  again += take("table-continued") + tap(kLeftSoftX, kSoftY, 2) + await(40, kToMatchFrames) + frames(20) + "quit\n";
  ASSERT_EQ(play(again), 0);
  expectNoRuntimeErrors();
  EXPECT_FALSE(sameIn(picture("load-empty"), picture("load-saved"), {0, 0, 800, 480})) << "the card of the save";
  const Picture before = picture("table-second"), after = picture("table-continued");
  ASSERT_EQ(after.width, 480);
  EXPECT_TRUE(sameIn(before, after, {0, 0, 800, 480})) << "the continued table is the one left";
  const std::vector<MatchLine> second = matchesOf(matchTrace());
  ASSERT_EQ(second.size(), 1u) << matchTrace();
  EXPECT_EQ(second[0].players, first[1].players) << "the same next opponents";
}

// A crash at each step of the save the end of a match makes (the new record written beside
// the old, then renamed over it): continuing after a restart shows the tournament as it was
// before the match, or after it, never a broken one.
TEST_F(TournamentRoad, ACrashAtEveryStepOfASaveLeavesTheTournamentBeforeOrAfterIt) {
  const std::string toLoad = kToMainMenu + key(kKey8) + key(kKey5, 14);
  const std::string newTournament = toLoad + key(kKey5, 4) + key(kKey5, 4) + await(54, 100) + frames(20) +
                                    key(kKey5, 6) + await(57, 300) + frames(kLineFrames) + take("before") + "quit\n";
  // A saved tournament opens the load screen on "continue".
  const std::string toContinued = toLoad + key(kKey5, 4) + await(57, 300) + frames(kLineFrames);
  const std::string playRound = toContinued + matchFromTable(key(kKey5), kKey1) + take("after") + "quit\n";
  const std::string lookAgain = toContinued + take("continued") + "quit\n";

  // The reference: the round's run lists its write steps. Continuing saves nothing, so its
  // first save of the tournament's record is the match's end.
  ASSERT_EQ(play(newTournament), 0);
  env_["SORV_KILL_AT_WRITE"] = "list";
  ASSERT_EQ(play(playRound), 0);
  env_.erase("SORV_KILL_AT_WRITE");
  static const std::regex stepLine("^kill-at-write: step (\\d+) (open|write|sync folder|sync|close|rename) (.+)$");
  struct Step {
    int number;
    std::string name, path;
  };
  std::vector<Step> save;
  std::istringstream lines(log());
  for (std::string text; std::getline(lines, text) && save.size() < 6;) {
    std::smatch m;
    if (!std::regex_match(text, m, stepLine)) continue;
    if (save.empty() && !(m[2] == "open" && has(m[3], "_rec6.rms"))) continue;
    save.push_back({std::stoi(m[1]), m[2], m[3]});
  }
  ASSERT_EQ(save.size(), 6u) << log();
  EXPECT_EQ(save[4].name, "rename");
  EXPECT_EQ(save[5].name, "sync folder");
  const Picture before = picture("before"), after = picture("after");
  ASSERT_FALSE(sameIn(before, after, {0, 0, 800, 480}));

  // Under the sanitizer and the stress switches the steps on either side of the rename.
  const bool few = !test::fullBudget();
  for (size_t i = few ? 4 : 0; i < save.size(); i++) {
    SCOPED_TRACE("killed before step " + std::to_string(save[i].number) + " " + save[i].name);
    ASSERT_TRUE(installData());
    ASSERT_EQ(play(newTournament), 0);
    env_["SORV_KILL_AT_WRITE"] = std::to_string(save[i].number);
    ASSERT_EQ(play(playRound), -1) << "killed";
    env_.erase("SORV_KILL_AT_WRITE");
    ASSERT_EQ(play(lookAgain), 0);
    expectNoRuntimeErrors();
    const bool renamed = save[i].name == "sync folder";
    EXPECT_TRUE(sameIn(picture("continued"), renamed ? after : before, {0, 0, 800, 480}))
        << (renamed ? "the new save is in place" : "the old save stays");
  }
}

}  // namespace
}  // namespace sorv
