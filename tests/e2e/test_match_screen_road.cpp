// The match screen as a player reads it, in seeded matches played computer against computer:
// the touch pad over a rally, the close-call inset of a challenge's replay and the offer
// before it, a far player's serve with its tag and portrait, a doubles change of ends, an
// achievement's pop-up between points, the statistics page and the continue question. A
// first run of a seed writes the match trace, which names the frames; a second run takes the
// shots there, into the build's look/ folder to be looked at, and each shot is held to the
// hash it had when it was last looked at and found right. Where it can be read from the
// pixels, a shot is also checked for what must not be covered.
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"
#include "tests/e2e/trace_fields.h"

namespace sorv {
namespace {

using test::Fields;
using test::has;
using test::linesOf;
using test::number;
using test::Picture;
using test::readText;

constexpr int kRunSeconds = 300;
const int kMatchCommandFrame = test::scriptFrames(test::kToMainMenu);

// The shot's pixel at game point (x, y): the panel shows the game turned a quarter.
uint32_t gamePixel(const Picture& p, int x, int y) { return p.at(479 - y, x); }
int red(uint32_t c) { return c >> 16 & 0xFF; }
int green(uint32_t c) { return c >> 8 & 0xFF; }
int blue(uint32_t c) { return c & 0xFF; }
bool white(uint32_t c) { return red(c) > 220 && green(c) > 220 && blue(c) > 220; }

int countIn(const Picture& p, int x0, int y0, int x1, int y1, bool (*test)(uint32_t)) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) n += test(gamePixel(p, x, y)) ? 1 : 0;
  return n;
}

struct Moment {
  std::string name;
  int frame;
};

class MatchScreenRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  std::string shotPath(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string shotLine(const std::string& name) const { return "shot " + shotPath(name) + "\n"; }

  // The script on a fresh install; its exit status.
  int play(const std::string& script) {
    EXPECT_TRUE(installData());
    std::remove((dir_ + "/match.txt").c_str());
    std::ofstream(dir_ + "/script.txt") << script;
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }

  // Frames to each moment, then shot: a script's middle.
  static std::string shotsAt(std::vector<Moment> moments, int* at, const MatchScreenRoad& road) {
    std::sort(moments.begin(), moments.end(), [](const Moment& a, const Moment& b) { return a.frame < b.frame; });
    std::string s;
    for (const Moment& m : moments) {
      if (m.frame <= *at) ADD_FAILURE() << m.name << " at frame " << m.frame << " comes too early";
      s += test::frames(m.frame - *at) + road.shotLine(m.name);
      *at = m.frame;
    }
    return s;
  }

  // The shot kept in the look folder as match-<name>.png, held to its hash.
  void keep(const std::string& shot, const std::string& name, uint64_t want) {
    const std::string look = std::string(SORV_BUILD_DIR) + "/look";
    std::filesystem::create_directories(look);
    std::filesystem::copy_file(shotPath(shot), look + "/match-" + name + ".png",
                               std::filesystem::copy_options::overwrite_existing);
    const uint64_t hash = test::pixelHash(test::readPng(shotPath(shot)));
    EXPECT_EQ(hash, want) << name << std::hex << ": 0x" << hash;
  }
};

// A doubles match on the hard court: the pad over its longest early rally, the pop-up of the
// first game's last point between points, the change of ends that follows it, the rivals'
// first serve from the far end, then the statistics page and the continue question.
TEST_F(MatchScreenRoad, ADoublesMatchFromItsPadToItsContinueQuestion) {
  env_["SORV_SEED"] = "12";
  // The points are the computer's; the pages after the match are the script's.
  env_["SORV_AUTOPLAY"] = "play";
  const std::string match = test::kToMainMenu + "match 1 1 1 0\n";
  const std::string toPages = "await match 7 12000\n";
  ASSERT_EQ(play(match + toPages + "quit\n"), 0) << out();
  const std::string first = readText(dir_ + "/match.txt");
  ASSERT_TRUE(has(first, "\nover ")) << first;
  const std::vector<Fields> points = linesOf(first, "point");
  ASSERT_GE(points.size(), 8u) << first;
  std::vector<Moment> moments;
  const Fields* longest = &points[0];
  for (size_t i = 0; i < points.size() && i < 6; i++) {
    if (number(points[i], "dead") - number(points[i], "start") > number(*longest, "dead") - number(*longest, "start"))
      longest = &points[i];
  }
  moments.push_back({"pad", (number(*longest, "start") + number(*longest, "dead")) / 2});
  // The first game's last point: its pop-up while the ball is dead, then the walk.
  const std::vector<Fields> games = linesOf(first, "game");
  ASSERT_FALSE(games.empty());
  int gameEnd = -1;
  for (const Fields& p : points) {
    if (number(p, "set") == number(games[0], "set") && number(p, "game") == number(games[0], "game")) {
      gameEnd = number(p, "dead");
    }
  }
  ASSERT_GT(gameEnd, 0);
  moments.push_back({"popup", gameEnd + 12});
  moments.push_back({"ends", gameEnd + 84});
  for (const Fields& p : points) {
    if (p.at("server") != "R") continue;
    moments.push_back({"far", number(p, "start") + 16});
    break;
  }
  ASSERT_EQ(moments.size(), 4u) << first;
  int at = kMatchCommandFrame;
  std::string script = match + shotsAt(moments, &at, *this);
  // The statistics page, then Return through the pages to the question.
  script += toPages + test::frames(30) + shotLine("stats");
  for (int i = 0; i < 6; i++) script += test::key(test::kKey5, 8);
  script += "await match 8 200\n" + test::frames(10) + shotLine("continue") + "quit\n";
  ASSERT_EQ(play(script), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  const std::string second = readText(dir_ + "/match.txt");
  EXPECT_EQ(second.substr(0, second.find("\nover ")), first.substr(0, first.find("\nover ")))
      << "the second run plays the first's match";

  const Picture stats = test::readPng(shotPath("stats")), question = test::readPng(shotPath("continue"));
  ASSERT_EQ(stats.width, 480);
  ASSERT_EQ(question.width, 480) << "no continue question";
  // The names' row is backed: nothing of the court's boards (red shows only in the court's
  // colours and the boards' "mph") reaches into it.
  EXPECT_EQ(countIn(stats, 40, 62, 760, 100, [](uint32_t c) { return red(c) > blue(c); }), 0);
  EXPECT_GT(countIn(stats, 100, 70, 300, 92, white), 30) << "the first name";
  // The question's small line below the net, on its band.
  EXPECT_GT(countIn(question, 330, 270, 470, 286, white), 40) << "the question's line";

  keep("pad", "pad", 0x7eb2c63f6cf715cbull);
  keep("popup", "popup", 0x16b82cc1d7bd1679ull);
  keep("ends", "doubles-ends", 0x98e125449d4e14fdull);
  keep("far", "far-serve", 0x74e69dd1df6794c3ull);
  keep("stats", "stats-page", 0x44e9c4482952019aull);
  keep("continue", "continue", 0x6a51b34ca3a84810ull);
}

// A long singles match until the user's ball is called out close to a line: the offer, its
// question read through the dimmed pad, and after the challenge the replay's inset, whole,
// with no menu button over it.
TEST_F(MatchScreenRoad, AChallengesOfferAndItsReplaysInset) {
  env_["SORV_AUTOPLAY"] = "1";
  // As the challenge road: seeds whose long matches offer a challenge within 7000 frames.
  constexpr int kOfferLimit = 15000;
  const char* seeds[] = {"1055", "1011", "1032"};
  // Four frames of the offer, so one shows its blinking question, and the replay.
  std::string script = test::kToMainMenu + "match 0 1 4 2\nawait match 12 " + std::to_string(kOfferLimit) + "\n";
  for (int i = 0; i < 4; i++) script += shotLine("offer" + std::to_string(i)) + test::frames(1);
  script += "key down 48\nkey up 48\n" + test::frames(10) + shotLine("inset") + "quit\n";
  bool offered = false;
  for (const char* seed : seeds) {
    env_["SORV_SEED"] = seed;
    ASSERT_EQ(play(script), 0) << out();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    if (test::framesRun(out()) < kMatchCommandFrame + kOfferLimit) {
      offered = true;
      break;
    }
  }
  ASSERT_TRUE(offered) << "no seed offered a challenge";
  // The question's first letters lie under the pad's upper right key: the frame that shows the
  // question shows them.
  std::string offer;
  for (int i = 0; i < 4 && offer.empty(); i++) {
    const Picture p = test::readPng(shotPath("offer" + std::to_string(i)));
    if (countIn(p, 300, 266, 500, 286, white) > 100) offer = "offer" + std::to_string(i);
  }
  ASSERT_FALSE(offer.empty()) << "the question in none of four frames";
  EXPECT_GT(countIn(test::readPng(shotPath(offer)), 236, 266, 262, 286, white), 20) << "its first letters";
  // The inset's frame and label, whole: its white outline along the top where the menu
  // button stood, and down its left side.
  const Picture inset = test::readPng(shotPath("inset"));
  EXPECT_EQ(countIn(inset, 689, 25, 795, 26, white), 106) << "the inset's top edge";
  EXPECT_EQ(countIn(inset, 689, 25, 690, 131, white), 106) << "its left edge";
  keep(offer, "challenge-offer", 0xc2ec54f3163aa194ull);
  keep("inset", "inset", 0x792122dc83719947ull);
}

}  // namespace
}  // namespace sorv
