// The game boots on the synthetic data: the boot screen, the menus' resources, the title,
// which waits for key "5" or a touch anywhere, then the main menu, whose labels fly in.
#include <fcntl.h>

#include <set>
#include <vector>
#include <sstream>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"

namespace sorv {
namespace {

using test::has;
using test::ProgramRun;

// The state changes the trace recorded, in order: "0 -> 63 -> 3 -> 5".
std::string stateRoad(const std::string& trace) {
  std::string road;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("state ", 0) != 0) continue;
    std::istringstream words(line.substr(6));
    std::string from, arrow, to;
    words >> from >> arrow >> to;
    if (road.empty()) road = from;
    road += " -> " + to;
  }
  return road;
}

// The number of different colours in a shot, -1 when it cannot be read.
int coloursIn(const std::string& path) {
  const test::Picture shot = test::readPng(path);
  if (shot.rgb.empty()) return -1;
  return static_cast<int>(std::set<uint32_t>(shot.rgb.begin(), shot.rgb.end()).size());
}

void expectNoRuntimeError(const std::string& out, const std::string& log) {
  EXPECT_TRUE(has(out, "NullPointer 0")) << log;
  EXPECT_TRUE(has(out, "ArrayOutOfBound 0")) << log;
}

class BootRoad : public ProgramRun {
 protected:
  static constexpr int kBootSeconds = 280;
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
  }
  // Boots, shoots the boot screen at frame 20 and the title at frame 60, then does `then`.
  int boot(const std::string& tag, const std::string& then) {
    const std::string script = "frames 19\nshot " + shot(tag, "boot") + "\nframes 40\nshot " + shot(tag, "title") +
                               "\n" + then + "frames 5\nshot " + shot(tag, "menu") + "\n";
    std::remove((dir_ + "/trace.txt").c_str());
    std::ofstream(dir_ + "/script.txt") << script;
    // A boot under the memory stress switches takes minutes.
    return wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kBootSeconds);
  }
  std::string shot(const std::string& tag, const char* name) const { return dir_ + "/" + tag + "-" + name + ".png"; }
};

TEST_F(BootRoad, KeyFiveAfterAFocusLossLeavesTheTitleForTheMainMenu) {
  ASSERT_EQ(boot("key", "focus lose\nframes 3\nfocus gain\nframes 3\nkey down 53\nkey up 53\n"), 0);
  EXPECT_EQ(stateRoad(trace()), "0 -> 63 -> 3 -> 5") << trace();
  expectNoRuntimeError(out(), log());
  EXPECT_GT(coloursIn(shot("key", "title")), 1) << "the title is not one colour";
  EXPECT_NE(test::readText(shot("key", "title")), test::readText(shot("key", "boot")));
  EXPECT_TRUE(has(log(), "ZentuKR09 startApp"));
}

TEST_F(BootRoad, ATouchAnywhereLeavesTheTitle) {
  ASSERT_EQ(boot("touch", "touch down 100 300\ntouch up 100 300\n"), 0);
  EXPECT_EQ(stateRoad(trace()), "0 -> 63 -> 3 -> 5") << trace();
  expectNoRuntimeError(out(), log());
}

// Whether a rectangle of two shots (screen coordinates) differs.
bool differIn(const test::Picture& a, const test::Picture& b, int x, int y, int w, int h) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++)
      if (a.at(i, j) != b.at(i, j)) return true;
  return false;
}

bool drawnIn(const test::Picture& p, int x, int y, int w, int h) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++)
      if (p.at(i, j) != 0) return true;
  return false;
}

// Game point (x, y) is screen point (479 - y, x); a game box becomes a screen box.
struct ScreenBox {
  int x, y, w, h;
};
ScreenBox onScreen(int gx, int gy, int gw, int gh) { return {480 - gy - gh, gx, gh, gw}; }

TEST_F(BootRoad, TheSpinnerThePromptAndTheLabelsFlyingIn) {
  const std::string script = "frames 9\nshot " + shot("see", "boot") + "\nframes 20\nshot " + shot("see", "resources") +
                             "\nframes 30\nshot " + shot("see", "promptA") + "\nframes 6\nshot " +
                             shot("see", "promptB") + "\nkey down 53\nkey up 53\nframes 2\nshot " + shot("see", "fly") +
                             "\nframes 15\nshot " + shot("see", "menu") + "\n";
  std::ofstream(dir_ + "/script.txt") << script;
  ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kBootSeconds), 0);
  EXPECT_EQ(stateRoad(trace()), "0 -> 63 -> 3 -> 5 -> 6") << "the fly-in ends in the main menu\n" << trace();
  expectNoRuntimeError(out(), log());
  // The spinner (menu 0 item 2, around game point (400, 420)) turns in states 0 and 63.
  const ScreenBox spinner = onScreen(390, 410, 60, 60);
  for (const char* name : {"boot", "resources"}) {
    EXPECT_TRUE(drawnIn(test::readPng(shot("see", name)), spinner.x, spinner.y, spinner.w, spinner.h)) << name;
  }
  // The title's prompt (menu 4 item 2, a 500-wide box centred on (400, 400)) blinks.
  const test::Picture a = test::readPng(shot("see", "promptA")), b = test::readPng(shot("see", "promptB"));
  ASSERT_EQ(a.width, 480);
  ASSERT_EQ(b.width, 480);
  const ScreenBox prompt = onScreen(150, 380, 500, 40);
  EXPECT_TRUE(differIn(a, b, prompt.x, prompt.y, prompt.w, prompt.h));
  EXPECT_FALSE(differIn(a, b, prompt.x + prompt.w, 0, 480 - prompt.x - prompt.w, 800)) << "only the prompt blinks";
  // Mid-flight the labels stand right of where they come to rest.
  const test::Picture fly = test::readPng(shot("see", "fly")), menu = test::readPng(shot("see", "menu"));
  ASSERT_EQ(fly.width, 480);
  ASSERT_EQ(menu.width, 480);
  const ScreenBox buttons = onScreen(440, 110, 100, 270);
  EXPECT_TRUE(differIn(fly, menu, buttons.x, buttons.y, buttons.w, buttons.h));
}

TEST_F(BootRoad, TheFireKeyNeverReachesTheTitle) {
  ASSERT_EQ(boot("fire", "key down 13\nkey up 13\n"), 0);
  EXPECT_EQ(stateRoad(trace()), "0 -> 63 -> 3") << trace();
}

TEST_F(BootRoad, IdenticalRunsGiveIdenticalShots) {
  ASSERT_EQ(boot("first", "key down 53\nkey up 53\n"), 0);
  ASSERT_EQ(boot("second", "key down 53\nkey up 53\n"), 0);
  for (const char* name : {"boot", "title", "menu"}) {
    const std::string first = test::readText(shot("first", name));
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_EQ(first, test::readText(shot("second", name))) << name;
  }
}

}  // namespace
}  // namespace sorv
