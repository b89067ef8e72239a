// From the main menu into a match through the headless script's match command: singles and
// doubles on every court type load step by step behind the loading screen, the players walk
// in (shots during the entry) and the match reaches the serve (a shot in state 2), with no
// runtime-error lines on the way.
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::has;
using test::SeededRoad;

constexpr int kRunSeconds = 120;
// From the boot to the main menu, as the menus' road goes.
using test::kToMainMenu;
// The loading screen's frames (its steps with their pauses, as the merged loader runs them:
// the court shows about 88 frames after the match command), then the entry's: 40 steps
// across and 22 down.
constexpr int kLoadFrames = 95, kEntryFrames = 62;

struct Road {
  int category, court;
};

class MatchRoad : public SeededRoad {
 protected:
  // A match of the road from menu choice 1, which starts without the tutorial's question.
  std::string script(const Road& r) const {
    const std::string tag = std::to_string(r.category) + "-" + std::to_string(r.court);
    return kToMainMenu + "match " + std::to_string(r.category) + " " + std::to_string(r.court) + " 0 0 1\n" +
           "frames " + std::to_string(kLoadFrames) + "\nshot " + shot("start-" + tag) + "\n" +
           "frames 20\nshot " + shot("rivals-" + tag) + "\n" +
           "frames 20\nshot " + shot("users-" + tag) + "\n" +
           "frames " + std::to_string(kEntryFrames) + "\nshot " + shot("serve-" + tag) + "\n";
  }
};

// How many of the picture's pixels differ from its top-left one.
int varied(const test::Picture& p) {
  int n = 0;
  for (uint32_t c : p.rgb) n += c != p.rgb[0] ? 1 : 0;
  return n;
}

int differing(const test::Picture& a, const test::Picture& b) {
  if (a.rgb.size() != b.rgb.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.rgb.size(); i++) n += a.rgb[i] != b.rgb[i] ? 1 : 0;
  return n;
}

TEST_F(MatchRoad, SinglesAndDoublesOnEveryCourtLoadWalkInAndServe) {
  for (const Road r : {Road{0, 0}, Road{0, 1}, Road{0, 2}, Road{0, 3}, Road{1, 0}, Road{1, 1}, Road{1, 2},
                       Road{4, 3}}) {
    std::ofstream(dir_ + "/script.txt") << script(r);
    ASSERT_EQ(wait(spawn(executable("sorv-headless"), {"--script", dir_ + "/script.txt"}), kRunSeconds), 0)
        << r.category << " " << r.court << "\n" << out() << log();
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << r.category << " " << r.court << "\n" << out() << log();
    EXPECT_TRUE(has(log(), "script: match " + std::to_string(r.category) + " " + std::to_string(r.court)));
    const std::string tag = std::to_string(r.category) + "-" + std::to_string(r.court);
    const test::Picture start = test::readPng(shot("start-" + tag));
    const test::Picture rivals = test::readPng(shot("rivals-" + tag));
    const test::Picture users = test::readPng(shot("users-" + tag));
    const test::Picture serve = test::readPng(shot("serve-" + tag));
    ASSERT_EQ(serve.width, 480) << tag;
    // A court with its people, and a camera that moves through the entry and rests at the
    // serve.
    for (const test::Picture* p : {&start, &rivals, &users, &serve}) EXPECT_GT(varied(*p), 10000) << tag;
    EXPECT_GT(differing(start, rivals), 1000) << tag;
    EXPECT_GT(differing(rivals, users), 1000) << tag;
    EXPECT_GT(differing(users, serve), 1000) << tag;
    // SORV_E2E_KEEP=DIR keeps the shots for a look.
    if (const char* keep = std::getenv("SORV_E2E_KEEP")) std::system(("cp " + dir_ + "/*.png '" + keep + "'").c_str());
  }
}

}  // namespace
}  // namespace sorv
