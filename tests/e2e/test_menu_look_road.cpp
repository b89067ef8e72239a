// The menus as a player sees them on the shipped pictures, walked by keys from the boot: the
// boot screen, the title, the main menu at rest and with its second entry lit, the options,
// the quick match's set-up and selection, the loading screen, and in the match the in-game
// menu and its help pages. The shots go into the build's look/ folder to be looked at, and
// each is held to the hash it had when it was last looked at and found right.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using namespace test;

constexpr int kRunSeconds = 120;

std::string down(int times) {
  std::string s;
  for (int i = 0; i < times; i++) s += key(kKey8, 6);
  return s;
}
std::string up(int times) {
  std::string s;
  for (int i = 0; i < times; i++) s += key(kKey2, 6);
  return s;
}

class MenuLookRoad : public SeededRoad {
 protected:
  void SetUp() override {
    SeededRoad::SetUp();
    env_["SORV_VCLOCK"] = "1";
  }
};

TEST_F(MenuLookRoad, EveryScreenOnTheWayToAMatchAndItsMenu) {
  std::string s = frames(3) + shotLine("boot") + frames(55) + shotLine("title") + frames(1) + key(kKey5, 25) +
                  shotLine("menu") + key(kKey8, 12) + shotLine("menu-second");
  // The options are the main menu's sixth entry.
  s += down(4) + frames(6) + key(kKey5, 20) + shotLine("options") + key(kRightSoft, 20);
  // Back up to the quick match: its set-up, the player's selection, the loading screen.
  s += up(5) + frames(6) + key(kKey5, 20) + shotLine("setup") + key(kKey5, 12) + shotLine("selection-first") +
       key(kKey5, 12) + key(kKey5, 20) + shotLine("loading");
  // No tutorial; the court waits for the user's serve when the window loses the focus.
  s += frames(60) + key(kRightSoft, 200) + "focus lose\nframes 1\nfocus lose\nframes 2\nfocus gain\n" + frames(20) +
       shotLine("pause");
  // The in-game menu's help (its third entry): the controls pages, turned once.
  s += down(2) + frames(6) + key(kKey5, 12) + key(kKey5, 12) + shotLine("help") + key(kKey6, 12) +
       shotLine("help-next") + "quit\n";
  ASSERT_EQ(runHeadless(s, false, kRunSeconds), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  for (const char* change : {"state 6 -> 8 push", "state 6 -> 51 push", "state 52 -> 12 push", "state 40 -> 42 push"}) {
    EXPECT_TRUE(has(trace(), change)) << change << "\n" << trace();
  }
  const std::pair<const char*, uint64_t> shots[] = {
      {"boot", 0x5faf007f80474cc5ull}, {"title", 0x36a4871967eae241ull}, {"menu", 0x548d85c63a59d1c1ull},
      {"menu-second", 0x8d9b6a17b7696183ull}, {"options", 0x0b3a2cd7caaff955ull}, {"setup", 0xb4c5a88ef6975b0full},
      {"selection-first", 0x6dc18df882921bf8ull}, {"loading", 0xa7ee393b40771fdbull}, {"pause", 0x87028999325b1ecfull},
      {"help", 0xe6980e5729e3a390ull}, {"help-next", 0xc2b7d7300f8e0c8dull},
  };
  const std::string look = std::string(SORV_BUILD_DIR) + "/look";
  std::filesystem::create_directories(look);
  for (const auto& [name, want] : shots) {
    std::filesystem::copy_file(shot(name), look + "/menus-" + name + ".png",
                               std::filesystem::copy_options::overwrite_existing);
    const uint64_t hash = pixelHash(readPng(shot(name)));
    EXPECT_EQ(hash, want) << name << std::hex << ": 0x" << hash;
  }
}

}  // namespace
}  // namespace sorv
