// The career and the menus as a player sees them, seeded on the virtual clock and walked by
// keys: the avatar's creation with its looks changed, the lobby, the home, the weekly update
// after a training game, the load screen's card of the saved career, a career tournament's
// table after its final; the quick match's selection with the cursor moved on, the
// tournament's load screen, and a promotion list scrolled. The shots go into the build's
// look/ folder to be looked at, and each is held to the hash it had when it was last looked at
// and found right.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/career_road.h"

namespace sorv {
namespace {

using namespace test;  // the script helpers and the career's road

constexpr int kLongRunSeconds = 900;
constexpr int kPromoRow = 3, kEnterFrames = 40, kPageGap = 8;
// Record 3's stamina byte and record 14's flag of achievement 55.
constexpr int kStaminaByte = 41, kDoublesChampions = 55;
// The quick tournament's rounds in doubles.
constexpr int kDoublesRounds = 3;

// A match from the table won by the hidden keys, typed three times: a pause of the match's
// effects (a power serve's) may swallow a sequence.
std::string wonFromTable() {
  std::string s = key(kKey5) + await(40, kToMatchFrames) + frames(kPlayFrames);
  for (int i = 0; i < 3; i++) s += cheat(kKey1) + frames(200);
  return s + await(57, kMatchToTableFrames) + frames(kLineFrames);
}

class CareerLookRoad : public CareerRoad {
 protected:
  void SetUp() override {
    CareerRoad::SetUp();
    env_["SORV_AUTOPLAY"] = "1";
  }
  // The shot copied into build/look/NAME.png and held to its hash.
  void look(const std::string& shotName, const std::string& lookName, uint64_t want) const {
    const std::string folder = std::string(SORV_BUILD_DIR) + "/look";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(shot(shotName), folder + "/" + lookName + ".png",
                               std::filesystem::copy_options::overwrite_existing);
    const uint64_t hash = pixelHash(picture(shotName));
    EXPECT_EQ(hash, want) << lookName << std::hex << ": 0x" << hash;
  }
};

TEST_F(CareerLookRoad, TheCareerFromItsCreationToATournamentsFinal) {
  // Created with the hair, the shirt and the racket changed; the lobby and the home; week 1's
  // training ground played to its pass (the hidden keys), its unlock page and the update.
  std::string s = kToLoad + key(kKey5, 4) + await(21, 60) + frames(4) + kName + await(22, 60) + frames(4);
  s += key(kKey6) + key(kKey8) + key(kKey8) + key(kKey6) + key(kKey6) + key(kKey8) + key(kKey6);
  for (int i = 0; i < 5; i++) s += key(kKey8);
  s += key(kKey6) + frames(8) + take("creation") + key(kKey5, 4) + key(kKey5, 4) + await(23, 60) + frames(30);
  s += take("lobby") + key(kKey5, 4) + await(24, 30) + frames(8) + take("home") + key(kRightSoft, 4) + await(23, 30);
  s += frames(10) + key(kKey6, 30) + key(kKey5, 4) + await(44, 120) + frames(5) + key(kRightSoft, 10) + frames(50);
  s += key(kKey0, 1) + key(kKey0, 1) + key(kKey0, 1) + key(51, 3) + frames(45) + key(kKey5, 10) + key(kKey5, 10);
  s += await(26, 60) + frames(60) + take("update") + key(kKey5, 10) + await(23, 100) + frames(10) + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  const std::string saved = career();
  ASSERT_EQ(saved.size(), kCareerBytes);
  EXPECT_EQ(saved[kWeekByte], 1);
  EXPECT_EQ(saved[kStaminaByte], 80) << "a training game tires the player";

  // The load screen's card of the saved career; then week 3's tournament won round by round
  // (the computer plays the points, the hidden keys decide them) to its final's table.
  s = kToLoad + frames(6) + take("load") + key(kKey5, 4) + await(23, 60) + frames(10) + nextWeekCheat() + frames(40);
  s += key(kKey5, 6) + await(57, 100) + frames(kLineFrames);
  for (int round = 0; round < 4; round++) s += wonFromTable();
  s += take("table-final") + "quit\n";
  ASSERT_EQ(play(s, kLongRunSeconds), 0);
  expectNoRuntimeErrors();
  EXPECT_EQ(countLinesWith(trace(), "state 56 -> 57 push"), 4) << trace();

  const std::pair<const char*, uint64_t> shots[] = {
      {"creation", 0x858ea4c6ce4ebda2ull}, {"lobby", 0x3c2f4c7d4b0dc130ull},  {"home", 0x245b506ded2a5a95ull},
      {"update", 0xea7644b6e3625b51ull},   {"load", 0x2043c7465bdfa572ull},   {"table-final", 0xbdecf94c566bbe75ull},
  };
  for (const auto& [name, want] : shots) {
    const std::string shown = name;
    look(shown, shown == "update" ? "career-update-after-training" : "career-" + shown, want);
  }
}

TEST_F(CareerLookRoad, TheSelectionTheTournamentsLoadScreenAndAPromotionList) {
  // The quick match's selection with the cursor on the second face; back to the main menu.
  std::string s = kToMainMenu + key(kKey5, 20) + key(kKey5, 12) + key(kKey6, 6) + take("selection");
  s += key(kRightSoft, 12) + key(kRightSoft, 20) + frames(10);
  // The tournament's load screen, and back.
  s += key(kKey8, 6) + frames(4) + key(kKey5, 20) + frames(6) + take("load-tournament") + key(kRightSoft, 20);
  // The promotion's first list, scrolled so that both its arrows show.
  s += frames(10) + key(kKey8, 3) + key(kKey8, 3) + key(kKey5, 14) + frames(kEnterFrames);
  for (int page = 0; page < 3; page++) s += key(kKey6, kPageGap);
  for (int row = 0; row < 6; row++) s += key(kKey8, 2);
  s += frames(2) + take("promo-list") + key(kRightSoft, 10) + "quit\n";
  ASSERT_EQ(play(s), 0);
  expectNoRuntimeErrors();
  for (const char* change : {"state 6 -> 51 push", "state 51 -> 52 push", "state 6 -> 53 push", "state 6 -> 58 push"}) {
    EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
  }
  look("selection", "menus-selection", 0xff9ff5110b83f538ull);
  look("load-tournament", "menus-load-tournament", 0x12a284157b312ac8ull);
  look("promo-list", "promo-list", 0xc9ce389bd97940efull);
}

// A doubles tournament won earns achievement 55: mixed doubles from the tournament's load
// screen, the computer playing the points and the hidden keys deciding them, to the trophy.
TEST_F(CareerLookRoad, ADoublesTournamentWonEarnsItsAchievement) {
  std::string s = kToMainMenu + key(kKey8) + key(kKey5, 14) + key(kKey5, 4);
  s += key(kKey6, 3) + key(kKey6, 3) + key(kKey5, 4) + await(54, 100) + frames(20);
  s += key(kKey5, 12) + key(kKey5, 6) + await(57, 300) + frames(kLineFrames);
  for (int round = 0; round < kDoublesRounds; round++) s += wonFromTable();
  s += "quit\n";
  ASSERT_EQ(play(s, kLongRunSeconds), 0);
  expectNoRuntimeErrors();
  EXPECT_TRUE(has(trace(), "state 53 -> 54 push")) << trace();
  const std::string achievements = record(14);
  ASSERT_GT(achievements.size(), static_cast<size_t>(kDoublesChampions));
  EXPECT_EQ(achievements[kDoublesChampions], 1) << "doubles champions";
  EXPECT_EQ(achievements[4], 0) << "the singles champion's stays locked";
}

}  // namespace
}  // namespace sorv
