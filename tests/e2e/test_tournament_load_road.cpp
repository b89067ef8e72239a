// From the main menu into the tournament by keys: its load screen without a save, the group
// choice stepping through men, women and mixed, and the team's pick in the selection.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::SeededRoad;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 280;

// Whether two shots differ inside a game box (game (x, y) is panel (479 - y, x)).
bool differIn(const Picture& a, const Picture& b, int x, int y, int w, int h) {
  for (int gy = y; gy < y + h; gy++)
    for (int gx = x; gx < x + w; gx++)
      if (a.at(479 - gy, gx) != b.at(479 - gy, gx)) return true;
  return false;
}

class TournamentLoadRoad : public SeededRoad {
 protected:
  std::string take(const char* name) const { return "shot " + shot(name) + "\n"; }
};

TEST_F(TournamentLoadRoad, NewTournamentByKeysThroughTheGroupChoiceToTheSelection) {
  std::string s = kToMainMenu + key(kKey8) + key(kKey5, 14) + take("new");
  s += key(kKey8, 3) + take("continue") + key(kKey8, 3) + take("new-again");
  s += key(kKey5, 4) + take("men") + key(kKey6, 3) + take("women") + key(kKey6, 3) + take("mixed");
  s += key(kKey6, 3) + take("men-again");
  s += key(kKey5, 6) + take("selection") + key(kKey5, 6) + "frames 5\nquit\n";
  std::ofstream(dir_ + "/script.txt") << s;
  ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds), 0);
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
  EXPECT_TRUE(has(trace(), "-> 53 push")) << trace();
  EXPECT_TRUE(has(trace(), "state 53 -> 54 push")) << trace();

  const Picture fresh = readPng(shot("new")), cont = readPng(shot("continue")), again = readPng(shot("new-again"));
  ASSERT_EQ(fresh.width, 480);
  // Menu 8's text item (400, 120) says "new tournament", then "no saved game", then again.
  EXPECT_TRUE(differIn(fresh, cont, 400, 115, 360, 30));
  EXPECT_FALSE(differIn(fresh, again, 400, 115, 360, 30));
  // The group row at (40, 140): its value changes with each step and comes round again.
  const Picture men = readPng(shot("men")), women = readPng(shot("women")), mixed = readPng(shot("mixed")),
                menAgain = readPng(shot("men-again"));
  EXPECT_TRUE(differIn(men, women, 40, 140, 480, 50));
  EXPECT_TRUE(differIn(women, mixed, 40, 140, 480, 50));
  EXPECT_FALSE(differIn(men, menAgain, 40, 140, 480, 50));
  EXPECT_TRUE(differIn(men, readPng(shot("selection")), 0, 0, 800, 480));
}

}  // namespace
}  // namespace sorv
