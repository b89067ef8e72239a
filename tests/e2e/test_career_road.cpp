// A career from the main menu, seeded on the virtual clock: created by keys (name, style,
// home, two looks), its world map walked, its home and looks changed, two weeks skipped and
// left; continued after a restart from the same lobby; a crash at every step of the lobby's
// save; and a tournament the player's rank does not admit.
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/career_road.h"
#include "tests/support/run_budget.h"

namespace sorv {
namespace {

using namespace test;  // the script helpers and the career's road

// The whole first road by keys, then a restart that continues it.
TEST_F(CareerRoad, CreatedByKeysWalkedLeftAndContinuedAfterARestart) {
  std::string s = kToLoad + take("load-empty") + key(kKey5, 4) + await(21, 60) + frames(4);
  s += kName + await(22, 60) + frames(6) + take("avatar");
  // Style right, then the home, then two looks, each one step.
  s += key(kKey6) + key(kKey8) + key(kKey6) + key(kKey6) + key(kKey8) + key(kKey6) + key(kKey8) + key(kKey6);
  s += frames(4) + take("avatar-changed") + key(kKey5, 4) + take("confirm") + key(kKey5, 4) + await(23, 60);
  s += frames(30) + take("lobby-week1");
  // Round week 0's two places and back to the home.
  s += key(kKey6, 30) + take("lobby-training") + key(kKey6, 30) + take("lobby-home");
  s += key(kKey5, 4) + await(24, 30) + frames(6) + take("home") + key(kKey8) + key(kKey5, 10) + take("appearance");
  s += key(kKey6, 6) + take("appearance-changed") + key(kRightSoft, 4) + key(kRightSoft, 4) + await(23, 30);
  s += nextWeekCheat() + nextWeekCheat() + frames(40) + take("lobby-week3");
  s += key(kRightSoft, 4) + take("leave") + key(kKey5, 10) + await(6, 30) + frames(4) + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  const std::string t = trace();
  for (const char* change : {"state 6 -> 20 push", "state 20 -> 21 push", "21 -> 22 push", "-> 23 switch",
                             "state 23 -> 24 push", "state 24 -> 23 pop", "state 23 -> 6 switch"}) {
    EXPECT_TRUE(has(t, change)) << change << "\n" << t;
  }

  const std::string saved = career();
  ASSERT_EQ(saved.size(), kCareerBytes);
  EXPECT_EQ(saved.substr(kNameByte, 4), "JOHN");
  EXPECT_EQ(saved[kStyleByte], 1);
  EXPECT_EQ(saved[kWeekByte], 2) << "two weeks skipped";
  EXPECT_EQ(careerPoints(saved), 20);
  EXPECT_NE(saved[kLookByte] + saved[kLookByte + 1] + saved[kLookByte + 2], 0) << "looks changed";

  const Picture lobby = picture("lobby-week1"), training = picture("lobby-training"), week3 = picture("lobby-week3");
  ASSERT_EQ(lobby.width, 480);
  EXPECT_FALSE(sameIn(picture("avatar"), picture("avatar-changed"), {0, 0, 800, 480}));
  EXPECT_FALSE(sameIn(lobby, training, {0, 0, 800, 480})) << "the cursor moved";
  EXPECT_FALSE(sameIn(lobby, week3, kWeekCaption)) << "the week's caption";
  EXPECT_FALSE(sameIn(picture("appearance"), picture("appearance-changed"), {0, 0, 800, 480}));

  // The restart: the card of the save, continue, the same lobby.
  std::string again = kToLoad + frames(6) + take("card") + key(kKey5, 4) + await(23, 60) + frames(40);
  again += take("lobby-continued") + "quit\n";
  ASSERT_EQ(play(again), 0);
  expectNoRuntimeErrors();
  EXPECT_TRUE(has(trace(), "state 20 -> 23 switch")) << trace();
  EXPECT_FALSE(sameIn(picture("load-empty"), picture("card"), {0, 0, 800, 480})) << "the card of the save";
  const Picture continued = picture("lobby-continued");
  EXPECT_TRUE(sameIn(week3, continued, kWeekCaption));
  EXPECT_TRUE(sameIn(week3, continued, kAbilities));

  // New over the save asks first; back keeps it.
  ASSERT_EQ(play(kToLoad + frames(6) + key(kKey2, 4) + key(kKey5, 6) + take("overwrite") + key(kRightSoft, 6) +
                 take("kept") + "quit\n"),
            0);
  expectNoRuntimeErrors();
  const std::string lastRun = trace().substr(trace().rfind("state 0 -> 63"));
  EXPECT_FALSE(has(lastRun, "-> 21 push")) << "no new career without a yes\n" << lastRun;
  EXPECT_FALSE(sameIn(picture("card"), picture("overwrite"), {0, 0, 800, 480})) << "the question";
  EXPECT_EQ(career(), saved) << "backing out of the question keeps the career";
}

// The same choices by touch as by keys: the creation list's value and scroll arrows, the
// home's rows and the soft-key corners give the same career, byte for byte.
TEST_F(CareerRoad, CreatedByTouchAsByKeys) {
  const std::string ok = tap(100, 450, 10), back = tap(700, 450, 10);
  std::string s = kToLoad + ok + await(21, 60) + frames(4);
  s += key(kKey5, 1) + key(kKey5, 1) + letter('J') + letter('O') + letter('H') + letter('N') + frames(2) + ok;
  s += await(22, 60) + frames(4) + take("avatar");
  // Style right on its row; the down arrow; home left on its row; the down arrow; the first
  // look right.
  s += tap(500, 346, 4) + take("style") + tap(380, 409, 4) + tap(250, 380, 4) + take("home-chosen");
  s += tap(380, 409, 4) + tap(500, 380, 4) + take("look");
  s += ok + take("confirm") + ok + await(23, 60) + frames(30) + take("lobby");
  // Home by the OK corner, the appearance row, its first look right, back twice; leave.
  s += ok + await(24, 30) + frames(6) + tap(100, 130, 10) + take("appearance") + tap(400, 300, 6);
  s += take("appearance-changed") + back + back + await(23, 30) + frames(6) + back + take("leave") + ok;
  s += await(6, 30) + frames(4) + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  const std::string t = trace();
  for (const char* change : {"state 21 -> 22 push", "state 22 -> 23 switch", "state 23 -> 24 push",
                             "state 24 -> 23 pop", "state 23 -> 6 switch"}) {
    EXPECT_TRUE(has(t, change)) << change << "\n" << t;
  }
  const std::string byTouch = career();
  ASSERT_EQ(byTouch.size(), kCareerBytes);
  EXPECT_FALSE(sameIn(picture("avatar"), picture("style"), {0, 0, 800, 480}));
  EXPECT_FALSE(sameIn(picture("style"), picture("home-chosen"), {0, 0, 800, 480}));
  EXPECT_FALSE(sameIn(picture("appearance"), picture("appearance-changed"), {0, 0, 800, 480}));
  EXPECT_FALSE(sameIn(picture("lobby"), picture("leave"), {0, 0, 800, 480})) << "the leave question";

  ASSERT_TRUE(installData());
  std::string k = kToLoad + key(kKey5, 4) + await(21, 60) + frames(4) + kName + await(22, 60) + frames(4);
  k += key(kKey6) + key(kKey8) + key(kKey4) + key(kKey8) + key(kKey6) + key(kKey5, 4) + key(kKey5, 4);
  k += await(23, 60) + frames(30) + key(kKey5, 4) + await(24, 30) + frames(6) + key(kKey8) + key(kKey5, 10);
  k += key(kKey6, 6) + key(kRightSoft, 4) + key(kRightSoft, 4) + await(23, 30) + frames(6) + key(kRightSoft, 4);
  k += key(kKey5, 10) + await(6, 30) + frames(4) + "quit\n";
  ASSERT_EQ(play(k), 0);
  expectNoRuntimeErrors();
  EXPECT_EQ(career(), byTouch);
  EXPECT_EQ(byTouch[kStyleByte], 1);
  EXPECT_NE(byTouch[kLookByte], 0);
}

// Week 52 offers only the tournament that admits the world's ten best: the new player's
// rank opens the message instead, and back closes it.
TEST_F(CareerRoad, ATournamentAboveThePlayersRankIsRefused) {
  std::string s = kNewCareer;
  for (int w = 0; w < 52; w++) s += nextWeekCheat();
  s += frames(40) + take("week53") + key(kKey5, 6) + take("refused") + key(kRightSoft, 6) + take("closed") + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  EXPECT_FALSE(has(trace(), "-> 57 push")) << "no tournament table\n" << trace();
  EXPECT_FALSE(sameIn(picture("week53"), picture("refused"), {0, 0, 800, 480})) << "the message";
  EXPECT_TRUE(sameIn(picture("week53"), picture("closed"), kAbilities));
}

// A crash at each step of the lobby's save of the career (the new record beside the old,
// then renamed over it): after a restart the card shows the old career or the new one.
TEST_F(CareerRoad, ACrashAtEveryStepOfTheLobbysSaveLeavesTheOldOrTheNewCareer) {
  const std::string create = kNewCareer;
  // Two weeks on, then leave: the leave question saves the career at week 2.
  const std::string skipAndLeave = kToLoad + key(kKey5, 4) + await(23, 60) + frames(10) + nextWeekCheat() +
                                   nextWeekCheat() + frames(10) + key(kRightSoft, 4) + key(kKey5, 10) + "quit\n";
  ASSERT_EQ(play(create + "quit\n"), 0);
  const std::string before = career();
  ASSERT_EQ(before.size(), kCareerBytes);
  env_["SORV_KILL_AT_WRITE"] = "list";
  ASSERT_EQ(play(skipAndLeave), 0);
  env_.erase("SORV_KILL_AT_WRITE");
  const std::string after = career();
  ASSERT_EQ(after[kWeekByte], 2);

  // The lobby's entry saves the career once more (unchanged); the leave's save is the last
  // one of record 3.
  static const std::regex stepLine("^kill-at-write: step (\\d+) (open|write|sync folder|sync|close|rename) (.+)$");
  std::vector<std::pair<int, std::string>> steps;
  std::istringstream lines(log());
  for (std::string text; std::getline(lines, text);) {
    std::smatch m;
    if (!std::regex_match(text, m, stepLine)) continue;
    if (m[2] == "open" && has(m[3], "_rec3.rms")) steps.clear();
    if (steps.size() < 6 && (!steps.empty() || (m[2] == "open" && has(m[3], "_rec3.rms")))) {
      steps.push_back({std::stoi(m[1]), m[2]});
    }
  }
  ASSERT_EQ(steps.size(), 6u) << log();
  EXPECT_EQ(steps[4].second, "rename");

  const bool few = !test::fullBudget();
  for (size_t i = few ? 4 : 0; i < steps.size(); i++) {
    SCOPED_TRACE("killed before step " + std::to_string(steps[i].first) + " " + steps[i].second);
    ASSERT_TRUE(installData());
    ASSERT_EQ(play(create + "quit\n"), 0);
    env_["SORV_KILL_AT_WRITE"] = std::to_string(steps[i].first);
    ASSERT_EQ(play(skipAndLeave), -1) << "killed";
    env_.erase("SORV_KILL_AT_WRITE");
    const bool renamed = steps[i].second == "sync folder";
    EXPECT_EQ(career(), renamed ? after : before) << (renamed ? "the new save is in place" : "the old save stays");
    ASSERT_EQ(play(kToLoad + frames(6) + "quit\n"), 0);
    expectNoRuntimeErrors();
  }
}

}  // namespace
}  // namespace sorv
