// Training played as a user plays it: from a new career's lobby to each week's training
// ground, Serve served by keys through its tutorial to its result page and the weekly
// update, the other four games passed by their hidden keys; a free training game by touch
// (the question's soft-key box, the pad's OK, the pad's menu button and the in-game menu's
// leave row); and a restart that keeps the bests and unlocked levels in records 8 to 12.
#include <string>

#include "tests/e2e/career_road.h"

namespace sorv {
namespace {

using namespace test;  // the script helpers and the career's road

constexpr int kKey3 = 51;
constexpr int kLoadLimit = 120, kUpdateLimit = 60, kLobbyLimit = 100;
// The lobby's cursor starts on the week's first open tournament, else the home; the presses
// of the next key that reach the week's training ground, weeks 0..4.
constexpr int kPressesToGround[5] = {1, 2, 3, 2, 4};
constexpr int kUnlockQuestionFrames = 10;

// A serve: the meter started with OK, stopped and aimed by a direction, struck on release.
std::string serve(int meterFrames, int direction) {
  return "key down " + std::to_string(kKey5) + "\n" + frames(meterFrames) + "key down " + std::to_string(direction) +
         "\n" + frames(2) + "key up " + std::to_string(direction) + "\nkey up " + std::to_string(kKey5) + "\n" +
         frames(70);
}

// Ten serves with meters and aims that cross the first boards of Serve's first level.
std::string tenServes() {
  const int meters[10] = {6, 6, 6, 6, 4, 4, 8, 8, 3, 3};
  const int aims[10] = {kKey6, kKey8, kKey4, kKey2, kKey6, kKey8, kKey6, kKey8, kKey6, kKey8};
  std::string s;
  for (int i = 0; i < 10; i++) s += serve(meters[i], aims[i]);
  return s;
}

// The training's hidden keys: "0 0 0 3" passes the level, "0 0 0 4" fails it.
std::string trainingCheat(int lastKey) { return key(kKey0, 1) + key(kKey0, 1) + key(kKey0, 1) + key(lastKey, 3); }

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

class TrainingPlayRoad : public CareerRoad {
 protected:
  std::string trainingRecord(int game) const { return record(8 + game); }
};

TEST_F(TrainingPlayRoad, EveryWeeksGroundFromTheCareerLobbyByKeys) {
  std::string s = kNewCareer + frames(20) + take("lobby");
  for (int week = 0; week < 5; week++) {
    const std::string w = std::to_string(week);
    for (int i = 0; i < kPressesToGround[week]; i++) s += key(kKey6, 30);
    s += take("ground-" + w) + key(kKey5, 4) + await(44, kLoadLimit) + frames(5) + take("question-" + w);
    if (week == 0) {
      // The tutorial taken and paged through, then the level's title and ten serves.
      s += key(kKey5, 10) + take("tutorial") + key(kKey5, 8) + key(kKey5, 8) + key(kKey5, 8) + key(kKey5, 8);
      s += key(kKey5, 8) + frames(80) + take("serve-play") + tenServes() + frames(10) + take("serve-last");
    } else {
      s += key(kRightSoft, 10) + frames(50) + take("play-" + w) + trainingCheat(kKey3);
    }
    s += frames(45) + take("page-" + w) + key(kKey5, kUnlockQuestionFrames);
    // The first pass earns an achievement: its page comes first.
    if (week == 0) s += take("unlocked") + key(kKey5, kUnlockQuestionFrames);
    s += await(26, kUpdateLimit) + frames(60) + take("update-" + w) + key(kKey5, 10) + await(23, kLobbyLimit) +
         frames(30);
  }
  s += take("lobby-after") + key(kRightSoft, 4) + key(kKey5, 10) + await(6, 30) + "quit\n";
  ASSERT_EQ(play(s), 0) << out() << log();
  expectNoRuntimeErrors();
  const std::string t = trace();
  EXPECT_EQ(countOf(t, "state 23 -> 43 push"), 5) << t;
  EXPECT_EQ(countOf(t, "state 11 -> 44 switch"), 5) << t;
  EXPECT_EQ(countOf(t, "state 44 -> 26 switch"), 5) << t;
  // Every game's first level was passed: the career keeps each at its second level.
  const std::string c = career();
  ASSERT_EQ(c.size(), kCareerBytes);
  for (int game = 0; game < 5; game++) EXPECT_EQ(c[54 + game], 1) << game;
  EXPECT_EQ(c[kWeekByte], 5);
  // Each ground's page differs from its game in play; Serve's board came up close.
  for (int week = 1; week < 5; week++) {
    const std::string w = std::to_string(week);
    EXPECT_FALSE(sameIn(picture("play-" + w), picture("page-" + w), {0, 0, 800, 480})) << w;
  }
  EXPECT_FALSE(sameIn(picture("serve-play"), picture("page-0"), {0, 0, 800, 480}));
  // Each week's update, drawn before the menus' pictures come back, shows its bars and band.
  for (int week = 0; week < 5; week++) {
    const Picture update = picture("update-" + std::to_string(week));
    EXPECT_GT(barPixels(update, kUpdateBars), 3000) << week;
    EXPECT_TRUE(drawnIn(update, kUpdateBand)) << week;
  }
}

TEST_F(TrainingPlayRoad, FreeServeByTouchThenLeftFromTheInGameMenu) {
  // The question declined by its right soft-key box.
  std::string s = kToMainMenu + "training 0 0\n" + await(44, kLoadLimit) + frames(5);
  s += take("touch-question") + tap(700, 450, 12) + frames(50) + take("touch-play");
  // The pad's OK starts the meter; the pad's right cell held aims, its release strikes.
  s += tap(700, 380, 4) + "touch down " + std::to_string(480 - 350) + " 255\n" + frames(3) + "touch up " +
       std::to_string(480 - 350) + " 255\n" + frames(70) + take("touch-served");
  // The pad's menu button opens the in-game menu; its last row asks, the left box answers.
  s += tap(740, 40, 10) + take("touch-menu") + tap(150, 360, 10) + take("touch-leave") + tap(100, 450, 12);
  s += await(6, kLoadLimit) + frames(5) + take("touch-menus") + "quit\n";
  ASSERT_EQ(play(s), 0) << out() << log();
  expectNoRuntimeErrors();
  const std::string t = trace();
  for (const char* change : {"state 11 -> 44 switch", "state 44 -> 42 push"}) EXPECT_TRUE(has(t, change)) << t;
  EXPECT_TRUE(has(log(), "script: training 0 0"));
  EXPECT_FALSE(sameIn(picture("touch-question"), picture("touch-play"), {0, 0, 800, 480}));
  EXPECT_FALSE(sameIn(picture("touch-play"), picture("touch-served"), {0, 0, 800, 480})) << "a serve flew";
  EXPECT_FALSE(sameIn(picture("touch-menu"), picture("touch-leave"), {0, 0, 800, 480}));
}

// The game and level lists (no menu leads to them): keys move and choose, then a touch on a
// row chooses, a drag moves the cursor and the right soft key goes back.
TEST_F(TrainingPlayRoad, TheGameAndLevelListsByKeysAndTouch) {
  std::string s = kToMainMenu + "state push 30\n" + frames(10) + take("games") + key(kKey8, 3) + key(kKey8, 3);
  s += key(kKey5, 10) + take("levels-by-keys") + key(kRightSoft, 12) + await(30, 20) + frames(4);
  // Rows of 50 pixels from y 110: Power is the second, level 1 the first.
  s += tap(200, 185, 10) + take("levels") + tap(200, 135, 10) + await(44, kLoadLimit) + frames(5) + take("chosen");
  ASSERT_EQ(play(s + "quit\n"), 0) << out() << log();
  expectNoRuntimeErrors();
  const std::string t = trace();
  EXPECT_EQ(countOf(t, "state 30 -> 31 push"), 2) << t;
  EXPECT_TRUE(has(t, "state 31 -> 30 pop")) << t;
  EXPECT_TRUE(has(t, "state 31 -> 43 push")) << t;
  EXPECT_TRUE(has(t, "state 11 -> 44 switch")) << t;
  EXPECT_FALSE(sameIn(picture("games"), picture("levels"), {0, 100, 800, 200}));
}

// The self-playing user plays each game's first level to its pass; the script declines the
// tutorial and shoots each game in play and its page.
TEST_F(TrainingPlayRoad, TheSelfPlayingUserPassesEveryGamesFirstLevel) {
  env_["SORV_AUTOPLAY"] = "1";
  for (int game = 0; game < 5; game++) {
    const std::string g = std::to_string(game);
    ASSERT_TRUE(installData());
    const std::string s = kToMainMenu + "training " + g + " 0\n" + await(44, kLoadLimit) + frames(5) +
                          key(kRightSoft, 10) + frames(90) + take("auto-play-" + g) + frames(1400) +
                          take("auto-page-" + g) + "quit\n";
    ASSERT_EQ(play(s), 0) << out() << log();
    expectNoRuntimeErrors();
    EXPECT_TRUE(has(log(), "training: game " + g + " level 0 passed")) << g << "\n" << log();
  }
}

TEST_F(TrainingPlayRoad, BestsAndUnlockedLevelsOutliveARestart) {
  // Level 1 served to its pass; OK loads level 2, whose fail page's OK tries it again, and
  // the right soft key leaves: record 8 keeps the best and the open level.
  const std::string first = kToMainMenu + "training 0 0\n" + await(44, kLoadLimit) + frames(5) + key(kRightSoft, 10) +
                            frames(60) + tenServes() + frames(45) + take("first-page") + key(kKey5, 10) +
                            await(11, 10) + await(44, kLoadLimit) + frames(50) + trainingCheat(kKey4) + frames(45) +
                            take("fail-page-2") + key(kKey5, 10) + await(11, 10) + await(44, kLoadLimit) + frames(50) +
                            take("retry-2") + trainingCheat(kKey4) + frames(45) + key(kRightSoft, 10) +
                            await(6, kLoadLimit) + frames(5) + "quit\n";
  ASSERT_EQ(play(first), 0) << out() << log();
  expectNoRuntimeErrors();
  EXPECT_EQ(countOf(log(), "training: game 0 level 0 passed"), 1) << log();
  EXPECT_EQ(countOf(log(), "training: game 0 level 1 failed"), 2) << log();
  EXPECT_EQ(countOf(trace(), "state 44 -> 43 switch"), 2) << trace();
  std::string r = trainingRecord(0);
  ASSERT_EQ(r.size(), 11u);
  const int best = (static_cast<uint8_t>(r[0]) + 256 * static_cast<uint8_t>(r[1])) * 10;
  EXPECT_GT(best, 0);
  EXPECT_EQ(r[10], 1) << "the second level is open";
  // After a restart level 5 asked plays the open level 2; then level 1 again shows the best.
  const std::string again = kToMainMenu + "training 0 4\n" + await(44, kLoadLimit) + frames(8) + take("second-title") +
                            frames(40) + trainingCheat(kKey4) + frames(45) + take("fail-page") + key(kRightSoft, 10) +
                            await(6, kLoadLimit) + "training 0 0\n" + await(44, kLoadLimit) + frames(5) +
                            key(kRightSoft, 10) + frames(60) + trainingCheat(kKey3) + frames(45) + take("replay-page") +
                            "quit\n";
  ASSERT_EQ(play(again), 0) << out() << log();
  expectNoRuntimeErrors();
  EXPECT_TRUE(has(log(), "script: training 0 4"));
  r = trainingRecord(0);
  ASSERT_EQ(r.size(), 11u);
  EXPECT_EQ((static_cast<uint8_t>(r[0]) + 256 * static_cast<uint8_t>(r[1])) * 10, best) << "a cheat's 0 never lowers it";
  EXPECT_EQ(r[10], 1);
  EXPECT_FALSE(sameIn(picture("first-page"), picture("replay-page"), {0, 0, 800, 480}));
}

}  // namespace
}  // namespace sorv
