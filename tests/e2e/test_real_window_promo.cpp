// The promotion in a real window on a virtual X server, with the mouse and keys sent with
// xdotool: the main menu's More games shows the first page as the headless program does, and Return opens its
// link with the host's launcher (a fake xdg-open first on the path), which ends the game.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/virtual_x.h"

namespace sorv {
namespace {

using namespace std::chrono_literals;
using test::has;
using test::Picture;
using test::within;

// The main menu with its cursor on the fourth entry (More games); its Return opens the
// first page.
constexpr const char* kToPromoEntry =
    "frames 59\n"
    "key down 53\nkey up 53\nframes 25\n"
    "key down 56\nkey up 56\nframes 3\nkey down 56\nkey up 56\nframes 3\n"
    "key down 56\nkey up 56\nframes 10\n";
// The fourth button of the main menu (window point = game point).
constexpr int kPromoButtonX = 600, kPromoButtonY = 110 + 3 * 70 + 30;
// The page's blinking box and swinging arrows are left out of the comparison.
constexpr test::Box kBox = {300, 220, 200, 45}, kLeftArrow = {0, 160, 90, 160}, kRightArrow = {710, 160, 90, 160};
const char* const kFirstLink = "http://example.invalid/game?id=rr&ctr&lang=EN&ctr=01";

bool inside(const test::Box& b, int x, int y) { return x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h; }

class RealWindowPromo : public test::WindowRun {
 protected:
  void SetUp() override {
    WindowRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }
  // The headless shot of the first page; then a fresh install.
  void headlessPage(Picture* page) {
    const std::string s = std::string(kToPromoEntry) + "key down 53\nkey up 53\nframes 60\nshot " + dir_ + "/page.png\nquit\n";
    EXPECT_EQ(runHeadless(s), 0) << out();
    forgetTheHeadlessRun();
    EXPECT_TRUE(installData());
    *page = test::turnedAsTheWindowShowsIt(test::readPng(dir_ + "/page.png"));
  }
  // A fake xdg-open first on the path: it writes its arguments, one a line.
  std::string installFakeLauncher() {
    const std::string bin = dir_ + "/bin", args = dir_ + "/launched.txt";
    std::filesystem::create_directories(bin);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << args
                                     << ".tmp'\nmv '" << args << ".tmp' '" << args << "'\n";
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    env_["PATH"] = bin + ":" + (path == nullptr ? "/usr/bin:/bin" : path);
    return args;
  }
};

TEST_F(RealWindowPromo, TheFirstPageMatchesTheHeadlessOneAndReturnOpensItsLink) {
  Picture page;
  headlessPage(&page);
  ASSERT_EQ(page.width, 800);
  const std::string launched = installFakeLauncher();
  const Window window = startInWindow("", test::VirtualX::kScreen16, true);
  ASSERT_NE(window, 0u) << log();
  ASSERT_TRUE(xdotool("windowactivate --sync " + std::to_string(window))) << "xdotool (scripts/deps.sh installs it)";
  ASSERT_TRUE(within(120s, [&] { return has(trace(), "state 63 -> 3 switch"); })) << trace();
  ASSERT_TRUE(pressUntil("Return", [&] { return has(trace(), "state 5 -> 6 switch"); })) << trace();
  // The fourth button by the mouse (the stylus), once the buttons have come in: a click
  // selects its entry whatever the cursor.
  steadyWindow(window);
  ASSERT_TRUE(actUntil(
      [&] {
        x_.pointTo(window, kPromoButtonX, kPromoButtonY);
        x_.click();
        return true;
      },
      [&] { return has(trace(), "state 6 -> 58 push"); }, 3s, 10))
      << trace();
  ASSERT_FALSE(has(trace(), "state 6 -> 51 push")) << "another entry opened\n" << trace();

  // Loaded: the window shows the headless page, blinking box and swinging arrows aside.
  int64_t same = 0, compared = 0;
  ASSERT_TRUE(within(60s, [&] {
    const Picture shown = steadyWindow(window);
    if (shown.width != page.width || shown.height != page.height) return false;
    same = compared = 0;
    for (int y = 0; y < shown.height; y++) {
      for (int x = 0; x < shown.width; x++) {
        if (inside(kBox, x, y) || inside(kLeftArrow, x, y) || inside(kRightArrow, x, y)) continue;
        compared++;
        same += test::as565(shown.at(x, y)) == test::as565(page.at(x, y));
      }
    }
    return same * 100 >= compared * 99;
  })) << same << " of " << compared << " pixels agree";

  // Return opens the product's link with the launcher; the game ends by itself.
  ASSERT_TRUE(press("Return"));
  EXPECT_TRUE(within(30s, [&] { return std::filesystem::exists(launched); }));
  EXPECT_EQ(test::readText(launched), std::string(kFirstLink) + "\n");
  EXPECT_EQ(wait(game_, 30), 0);
  game_ = -1;
  EXPECT_TRUE(has(trace(), std::string("create-process iexplore ") + kFirstLink + " result=ok")) << trace();
  EXPECT_EQ(test::countLinesWith(log(), "NullPointer"), 0) << log();
  EXPECT_EQ(test::countLinesWith(log(), "ArrayOutOfBound"), 0) << log();
}

}  // namespace
}  // namespace sorv
