// The name entry pushed over the main menu by the script, with the menu screen the career
// start pushes with it: the choice rows, digit keys and a touch on the keyboard type a name,
// the right soft key deletes and leaves the field, and the left soft key confirms into the
// avatar screen.
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::ProgramRun;

constexpr int kSeconds = 280;

std::string press(int vk) { return test::key(vk, 1); }

// The keyboard's key k, touched at its middle; game point (x, y) is panel point (479 - y, x).
std::string touchKey(int k) {
  const int gx = 50 + 77 * (k % 9) + 38, gy = 197 + 65 * (k / 9) + 32;
  const std::string at = std::to_string(479 - gy) + " " + std::to_string(gx);
  return "touch down " + at + "\nframes 1\ntouch up " + at + "\nframes 1\n";
}

class NameEntryRoad : public ProgramRun {
 protected:
  std::string shot(const char* name) const { return dir_ + "/name-" + name + ".png"; }
};

TEST_F(NameEntryRoad, TypeDeleteSwitchRowsAndConfirm) {
  constexpr int kFire = 53, kSix = 54, kZero = 48, kOne = 49, kTwo = 50, kLeftSoft = 112, kRightSoft = 113;
  std::string script = "frames 59\n" + press(kFire) + "frames 20\nstate push 21 36\nframes 2\nshot " + shot("rows") + "\n";
  script += press(kSix) + press(kFire) + press(kSix) + press(kFire);  // women, the other hand, the name
  script += press(kZero) + press(kOne) + touchKey(2) + "frames 2\nshot " + shot("typed") + "\n";
  for (int i = 0; i < 4; i++) script += press(kRightSoft) + "frames 1\n";  // three letters, then row 1
  script += press(kFire) + press(kZero) + press(kOne) + "frames 1\n" + press(kLeftSoft);
  script += "frames 1\nshot " + shot("short") + "\n" + press(kTwo) + "frames 2\n" + press(kLeftSoft);
  script += "frames 3\nshot " + shot("avatar") + "\n";
  std::ofstream(dir_ + "/script.txt") << script;
  ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kSeconds), 0);
  const std::string trace = this->trace();
  EXPECT_TRUE(has(trace, " -> 21 push")) << trace;
  EXPECT_TRUE(has(trace, "21 -> 22 push")) << "a name of three letters opens the avatar screen\n" << trace;
  EXPECT_TRUE(has(log(), "script: state push 21 36"));
  EXPECT_TRUE(has(out(), "NullPointer 0")) << log();
  EXPECT_TRUE(has(out(), "ArrayOutOfBound 0")) << log();
  // Typing shows on the screen.
  const std::string rows = test::readText(shot("rows")), typed = test::readText(shot("typed"));
  EXPECT_FALSE(rows.empty());
  EXPECT_NE(rows, typed);
  EXPECT_EQ(test::readPng(shot("short")).width, 480);
}

}  // namespace
}  // namespace sorv
