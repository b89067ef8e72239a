// The match as a player sees it on the shipped pictures: a seeded match, computer against
// computer, on each court type and in singles, women's doubles and mixed doubles, watched at
// the players' entry, a serve, a rally, a line call, a change of ends and the match-over
// page. A first run of the seed writes the match trace, which names the frames; a second run
// takes the shots there, into the build's look/ folder to be looked at, and each shot is
// held to the hash it had when it was last looked at and found right.
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
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
using test::readText;

constexpr int kRunSeconds = 240;
// One set of three games: long enough for a change of ends, short enough to end.
constexpr int kGames = 1, kSets = 0;
constexpr int kFrameCap = 8000;
const int kMatchCommandFrame = test::scriptFrames(test::kToMainMenu);

struct Moment {
  const char* name;
  int frame;
};

class MatchLookRoad : public test::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_VCLOCK"] = "1";
    // The computer plays both sides and leaves the match-over pages standing.
    env_["SORV_AUTOPLAY"] = "play";
    env_["SORV_MATCH_TRACE"] = dir_ + "/match.txt";
  }

  // The match from the main menu on a fresh install, shots at the given trace frames, to the
  // cap; the exit status.
  int watch(int category, int court, const std::vector<Moment>& moments) {
    EXPECT_TRUE(installData());
    std::remove((dir_ + "/match.txt").c_str());
    std::string s = test::kToMainMenu + "match " + std::to_string(category) + " " + std::to_string(court) + " " +
                    std::to_string(kGames) + " " + std::to_string(kSets) + "\n";
    int at = kMatchCommandFrame;
    for (const Moment& m : moments) {
      if (m.frame <= at) ADD_FAILURE() << m.name << " at frame " << m.frame << " comes too early";
      s += "frames " + std::to_string(m.frame - at) + "\nshot " + dir_ + "/" + m.name + ".png\n";
      at = m.frame;
    }
    if (moments.empty()) s += "frames " + std::to_string(kFrameCap) + "\n";
    std::ofstream(dir_ + "/script.txt") << s + "quit\n";
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds);
  }

  // The moments of the match the trace describes: the entry before the first serve, that
  // serve being struck, the longest of the first points in mid-rally, the first out call,
  // the walk at the first change of ends and the match-over page.
  static std::vector<Moment> momentsOf(const std::string& trace) {
    std::vector<Moment> out;
    const std::vector<Fields> points = linesOf(trace, "point");
    if (points.empty()) return out;
    const int firstStart = number(points[0], "start");
    out.push_back({"entry", firstStart - 40});
    out.push_back({"serve", firstStart + 12});
    const Fields* longest = &points[0];
    for (size_t i = 0; i < points.size() && i < 6; i++) {
      if (number(points[i], "dead") - number(points[i], "start") > number(*longest, "dead") - number(*longest, "start"))
        longest = &points[i];
    }
    out.push_back({"rally", (number(*longest, "start") + number(*longest, "dead")) / 2});
    for (const Fields& p : points) {
      if (number(p, "call") != 10) continue;
      out.push_back({"call", number(p, "dead") + 6});
      break;
    }
    // The ends line follows the point that closed its game.
    std::istringstream lines(trace);
    int lastDead = -1;
    for (std::string line; std::getline(lines, line);) {
      const Fields f = test::fieldsOf(line);
      if (f.at("kind") == "point") lastDead = number(f, "dead");
      if (f.at("kind") == "ends" && lastDead > 0) {
        out.push_back({"ends", lastDead + 70});
        break;
      }
    }
    out.push_back({"over", number(points.back(), "dead") + 200});
    std::sort(out.begin(), out.end(), [](const Moment& a, const Moment& b) { return a.frame < b.frame; });
    return out;
  }
};

TEST_F(MatchLookRoad, EachCourtAndKindOfMatchAtItsMoments) {
  struct Case {
    const char* run;
    int category, court;
    const char* seed;
    std::vector<std::pair<const char*, uint64_t>> hashes;
  };
  const Case cases[] = {
      {"clay-singles-men", 0, 0, "11", {
        {"entry", 0x91e2b74a8a403aedull},
        {"serve", 0xcc22aca9f3984c94ull},
        {"rally", 0x2e439f8f6c561c08ull},
        {"ends", 0xa7169ed449e8bef4ull},
        {"call", 0x8ccb0f84f4019dddull},
        {"over", 0x3b7ba5d9a83a7c7aull}}},
      {"hard-doubles-women", 3, 1, "12", {
        {"entry", 0x48ce2649754f8799ull},
        {"serve", 0xb08e634cb0e0df58ull},
        {"rally", 0xf967d217e18c3252ull},
        {"ends", 0x3d7ab3ffe2506fb3ull},
        {"call", 0xec9ea1f4a50c4668ull},
        {"over", 0x4065448fc87a4b81ull}}},
      {"grass-mixed", 4, 2, "13", {
        {"entry", 0x8778496d11d163e6ull},
        {"serve", 0x5d899f927e5c2836ull},
        {"rally", 0xd56003f1f740b89aull},
        {"call", 0x7f393363b2da8391ull},
        {"ends", 0xa0f6a46f9e7a52eeull},
        {"over", 0x4a2cfcde1823b1d7ull}}},
      {"practice-singles-men", 0, 3, "14", {
        {"entry", 0x2bcf66057f7bf43full},
        {"serve", 0xe1e31c0dd62778c7ull},
        {"ends", 0x6939674e9790df2bull},
        {"rally", 0x043d4f792f1b7eebull},
        {"call", 0xb8e8b00dc4195a9eull},
        {"over", 0x397da8a453ad48b2ull}}},
  };
  const std::string look = std::string(SORV_BUILD_DIR) + "/look";
  std::filesystem::create_directories(look);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.run);
    env_["SORV_SEED"] = c.seed;
    ASSERT_EQ(watch(c.category, c.court, {}), 0) << out();
    const std::string first = readText(dir_ + "/match.txt");
    ASSERT_TRUE(has(first, "\nover ")) << first;
    const std::vector<Moment> moments = momentsOf(first);
    ASSERT_EQ(moments.size(), 6u) << "every moment is in the match:\n" << first;
    ASSERT_EQ(watch(c.category, c.court, moments), 0) << out();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
    EXPECT_EQ(readText(dir_ + "/match.txt"), first) << "the second run plays the first's match";
    for (const Moment& m : moments) {
      const std::string shot = dir_ + "/" + m.name + ".png";
      std::filesystem::copy_file(shot, look + "/" + c.run + "-" + m.name + ".png",
                                 std::filesystem::copy_options::overwrite_existing);
      const uint64_t hash = test::pixelHash(test::readPng(shot));
      uint64_t want = 0;
      for (const auto& [name, h] : c.hashes)
        if (std::string(name) == m.name) want = h;
      EXPECT_EQ(hash, want) << m.name << " at frame " << m.frame << std::hex << ": 0x" << hash;
    }
  }
}

}  // namespace
}  // namespace sorv
