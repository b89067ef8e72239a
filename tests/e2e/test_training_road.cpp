// From the main menu into training through the headless script's training command: every
// game loads behind the loading screen (state 43, the loading screen 11, then 44), which
// names the level once the training texts are in, with no runtime-error lines.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::ProgramRun;

constexpr int kRunSeconds = 120;
// The loader's 23 steps and its three seconds at a frame of 142 ms.
constexpr int kLoadLimit = 80;

class TrainingRoad : public ProgramRun {
 protected:
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
};

// How many of the picture's pixels differ between two pictures.
int differing(const test::Picture& a, const test::Picture& b) {
  if (a.rgb.size() != b.rgb.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.rgb.size(); i++) n += a.rgb[i] != b.rgb[i] ? 1 : 0;
  return n;
}

TEST_F(TrainingRoad, EveryGameLoadsBehindTheLoadingScreenIntoTraining) {
  for (int game = 0; game < 5; game++) {
    const int level = game % 5;
    const std::string tag = std::to_string(game);
    std::ofstream(dir_ + "/script.txt") << test::kToMainMenu << "shot " << shot("menu-" + tag) << "\n"
                                        << "training " << game << " " << level << "\nframes 5\nshot "
                                        << shot("loading-" + tag) << "\nawait state 44 " << kLoadLimit << "\nframes 2\n";
    ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds), 0)
        << tag << "\n" << out() << log();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << tag << "\n" << out() << log();
    EXPECT_TRUE(has(log(), "script: training " + tag + " " + std::to_string(level)));
    EXPECT_TRUE(has(trace(), "state 6 -> 43 push")) << trace();
    EXPECT_TRUE(has(trace(), "state 43 -> 11 switch")) << trace();
    EXPECT_TRUE(has(trace(), "state 11 -> 44 switch")) << tag << "\n" << trace();
    EXPECT_FALSE(has(log(), "loadRawLevelDatas")) << log();
    // The loading screen draws its caption and the level's title over the menu's picture.
    const test::Picture menu = test::readPng(shot("menu-" + tag));
    const test::Picture loading = test::readPng(shot("loading-" + tag));
    ASSERT_EQ(loading.width, 480) << tag;
    EXPECT_GT(differing(menu, loading), 500) << tag;
  }
}

}  // namespace
}  // namespace sorv
