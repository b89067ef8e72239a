// The main menu paints its own background: at rest after the boot (its labels flown in over
// the title picture) and back from a match (flown in over the court) it shows the same
// picture, whatever the screen held before.
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::ProgramRun;

constexpr int kRunSeconds = 300;
// A match of one set of two games, computer against computer, is back on the main menu well
// within this many frames.
constexpr int kMatchFrames = 4000;

class MainMenuBackground : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "25";
    env_["SORV_VCLOCK"] = "1";
    env_["SORV_AUTOPLAY"] = "1";
  }
  std::string shot(const char* name) const { return dir_ + "/" + name + ".png"; }
};

// The pixels of two shots of the same size that differ inside panel box [x0, x1) x [y0, y1).
int differing(const test::Picture& a, const test::Picture& b, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int x = x0; x < x1; x++)
    for (int y = y0; y < y1; y++) n += a.at(x, y) != b.at(x, y);
  return n;
}

TEST_F(MainMenuBackground, TheMenuLooksTheSameAfterTheBootAndAfterAMatch) {
  // The labels at rest and the achievement panel gone.
  std::string s = "frames 59\nkey down 53\nkey up 53\nframes 122\nshot " + shot("boot") + "\n";
  s += "match 0 1 0 0\nframes " + std::to_string(kMatchFrames) + "\nshot " + shot("after-match") + "\nquit\n";
  std::ofstream(dir_ + "/script.txt") << s;
  ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  // The match over, the menus load again and the main menu flies in.
  ASSERT_TRUE(has(trace(), "state 4 -> 11 switch\nstate 11 -> 5 switch\n")) << trace();

  const test::Picture boot = test::readPng(shot("boot")), after = test::readPng(shot("after-match"));
  ASSERT_FALSE(boot.rgb.empty());
  ASSERT_EQ(after.width, boot.width);
  ASSERT_EQ(after.height, boot.height);
  EXPECT_EQ(differing(after, boot, 0, 0, boot.width, boot.height), 0) << "the match shows through the menu";
  // The queue of the in-play pop-up is drained while the match plays.
  EXPECT_FALSE(has(log(), "is full")) << log();
}

}  // namespace
}  // namespace sorv
