// The promotion screens from the main menu: every page both ways and every link by keys
// (English), by touch (Russian), the extra page, a link that starts the browser and ends the
// game, and what the visit leaves behind for the next start.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/script_input.h"

namespace sorv {
namespace {

using test::countLinesWith;
using test::has;
using test::ProgramRun;
using namespace test;  // the script helpers

constexpr int kRunSeconds = 240;
// Menu 64 lists 3, 4, 5, 272, 12, 9, 8, 13, 273; four buttons show at once.
constexpr int kPromoRow = 3, kVipRow = 8;
constexpr int kButtonX = 600;
int button(int i) { return 110 + 70 * i + 30; }
// The promotion screen's targets (game points): page arrows, the box of a product page,
// the back soft key, the first list's rows (from y 140, 48 high) and its down arrow.
constexpr int kLeftArrowX = 30, kRightArrowX = 770, kArrowY = 240;
constexpr int kBoxX = 400, kProductBoxY = 240;
constexpr int kBackX = 740, kBackY = 450;
int listRow(int k) { return 140 + 48 * k + 24; }
constexpr int kListX = 400, kListDownArrowY = 413;
// Loading: one step a frame, eleven steps, and the button's animation before it.
constexpr int kEnterFrames = 40;
constexpr int kRightKeyGap = 8;  // past the arrow's flash, so the next move counts

const char* kCodeLink = "http://example.invalid/game?id=";
std::string product(const char* id, const char* lang, int n) {
  return std::string(kCodeLink) + id + "&ctr&lang=" + lang + "&ctr=0" + std::to_string(n);
}
std::string portal(const char* lang, const char* tail) {
  return std::string("http://example.invalid/portal?from=sorvantel&lang=") + lang + tail;
}

class PromoRoad : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    env_["SORV_SEED"] = "2009";
    env_["SORV_VCLOCK"] = "1";
  }
  int play(const std::string& script) { return runHeadless(script, false, kRunSeconds); }
  std::string shot(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string shotLine(const std::string& name) const { return "shot " + shot(name) + "\n"; }
  // The links the screen asked the platform to open, in order.
  std::vector<std::string> launched() const {
    std::vector<std::string> out;
    std::istringstream lines(trace());
    for (std::string line; std::getline(lines, line);) {
      const size_t at = line.find("create-process iexplore ");
      if (at == std::string::npos) continue;
      std::string rest = line.substr(at + 24);
      out.push_back(rest.substr(0, rest.rfind(" result=")));
    }
    return out;
  }
  void expectClean() const {
    EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out() << log();
    EXPECT_EQ(countLinesWith(log(), "promotion data:"), 0) << log();
  }
  static bool shown(const std::string& path) {
    const Picture p = readPng(path);
    return p.width == 480 && p.height == 800;
  }
  std::string installFolder() const { return dir_ + "/root/Program Files/Kestovan/Sorvantel 2009"; }
};

TEST_F(PromoRoad, EveryPageAndLinkByKeysThenTheSecondEntry) {
  env_["SORV_CREATEPROCESS"] = "fail";
  std::string s = kToMainMenu;
  for (int i = 0; i < kPromoRow; i++) s += key(kKey8, 3);
  s += key(kKey5, 14) + shotLine("loading") + frames(kEnterFrames);
  // Rightwards: each page's link, then the first list scrolled to its last rows.
  s += shotLine("product0") + key(kKey5, 4);                                   // RR
  s += key(kKey6, kRightKeyGap) + shotLine("product2") + key(kKey5, 4);        // CK
  s += key(kKey6, kRightKeyGap) + shotLine("promotion") + key(kKey5, 4);       // promotion
  s += key(kKey6, kRightKeyGap) + shotLine("list0") + key(kKey5, 4);           // first list, row 0
  for (int i = 0; i < 8; i++) s += key(kKey8, 2);
  s += shotLine("list0-scrolled") + key(kKey5, 4);                             // its last row
  s += key(kKey2, 2) + key(kKey5, 4);                                          // HOME
  s += key(kKey6, kRightKeyGap) + shotLine("list1") + key(kKey8, 2) + key(kKey5, 4);  // N2
  s += key(kKey6, kRightKeyGap) + shotLine("link") + key(kKey5, 4);            // link page
  s += key(kKey6, kRightKeyGap) + shotLine("wrapped-right");
  // Leftwards round the ring back to the first page.
  for (int i = 0; i < 6; i++) s += key(kKey4, kRightKeyGap);
  s += shotLine("wrapped-left") + key(kRightSoft, 10);
  // The second entry opens its link at once and comes back.
  for (int i = kPromoRow; i < kVipRow; i++) s += key(kKey8, 3);
  s += key(kKey5, 30) + shotLine("menu-after");
  ASSERT_EQ(play(s + frames(5)), 0) << out();
  expectClean();
  const std::vector<std::string> expected = {
      product("rr", "EN", 1), product("ck", "EN", 2), portal("EN", "&ctr=0"),
      std::string(kCodeLink) + "all&ctr&lang=EN", portal("EN", "&ctr=0"), portal("EN", ""),
      std::string(kCodeLink) + "n2&ctr&lang=EN", portal("EN", "&page=link"),
      "http://example.invalid/portal?from=sorvantel&lang=xx&ctr=0",
  };
  EXPECT_EQ(launched(), expected) << trace();
  EXPECT_TRUE(has(trace(), "state 6 -> 58 push")) << trace();
  EXPECT_TRUE(has(trace(), "state 58 -> 6 pop")) << trace();
  EXPECT_TRUE(has(trace(), "state 6 -> 64 push")) << trace();
  EXPECT_TRUE(has(trace(), "state 64 -> 6 pop")) << trace();
  for (const char* name : {"loading", "product0", "product2", "promotion", "list0", "list0-scrolled", "list1", "link",
                           "wrapped-right", "wrapped-left"}) {
    EXPECT_TRUE(shown(shot(name))) << name;
  }
  // Right from the link page wraps to the first page; six steps left come back to it.
  const Picture first = readPng(shot("product0"));
  EXPECT_TRUE(sameIn(first, readPng(shot("wrapped-right")), {250, 0, 300, 220}));
  EXPECT_TRUE(sameIn(first, readPng(shot("wrapped-left")), {250, 0, 300, 220}));
}

TEST_F(PromoRoad, EveryTargetByTouchInRussian) {
  ASSERT_TRUE(installData("--language RU"));
  env_["SORV_CREATEPROCESS"] = "fail";
  std::string s = kToMainMenu + tap(kButtonX, button(kPromoRow), 14) + frames(kEnterFrames);
  s += shotLine("product0");
  // The box held down stays lit; its release opens the product's link.
  s += "touch down " + std::to_string(480 - kProductBoxY) + " " + std::to_string(kBoxX) + "\nframes 2\n" +
       shotLine("held-box") + "frames 3\n" + shotLine("held-box-later") + "touch up " +
       std::to_string(480 - kProductBoxY) + " " + std::to_string(kBoxX) + "\nframes 4\n";
  s += tap(kRightArrowX, kArrowY, kRightKeyGap) + tap(kRightArrowX, kArrowY, kRightKeyGap);  // CK, promotion
  s += tap(kRightArrowX, kArrowY, kRightKeyGap) + shotLine("list0");
  s += tap(kListX, listRow(1), 4) + shotLine("list0-row1") + tap(kListX, listRow(1), 6);  // selects, then opens G1
  s += tap(kListX, kListDownArrowY, 3) + tap(kListX, kListDownArrowY, 3);                // scroll arrow
  s += tap(kLeftArrowX, kArrowY, kRightKeyGap) + shotLine("back-to-promotion");
  s += tap(kBackX, kBackY, 10) + shotLine("menu-after");
  ASSERT_EQ(play(s + frames(5)), 0) << out();
  expectClean();
  const std::vector<std::string> expected = {product("rr", "RU", 1), std::string(kCodeLink) + "g1&ctr&lang=RU"};
  EXPECT_EQ(launched(), expected) << trace();
  EXPECT_TRUE(has(trace(), "state 58 -> 6 pop")) << trace();
  for (const char* name : {"product0", "held-box", "list0", "list0-row1", "back-to-promotion"}) {
    EXPECT_TRUE(shown(shot(name))) << name;
  }
  // Held, the box shows in both shots though the blink would have hidden it in one.
  EXPECT_TRUE(sameIn(readPng(shot("held-box")), readPng(shot("held-box-later")), {340, 225, 120, 30}));
}

TEST_F(PromoRoad, TheExtraPageTakesThePortalsPlace) {
  ASSERT_TRUE(installData("--promo-extra"));
  env_["SORV_CREATEPROCESS"] = "fail";
  std::string s = kToMainMenu;
  for (int i = 0; i < kPromoRow; i++) s += key(kKey8, 3);
  s += key(kKey5, 14) + frames(kEnterFrames);
  s += key(kKey4, kRightKeyGap) + shotLine("extra") + key(kKey5, 4) + key(kRightSoft, 10);
  ASSERT_EQ(play(s + frames(5)), 0) << out();
  expectClean();
  EXPECT_EQ(launched(), std::vector<std::string>{portal("EN", "")}) << trace();
  EXPECT_TRUE(shown(shot("extra")));
}

TEST_F(PromoRoad, AStartedBrowserEndsTheGameAndTheVisitIsRemembered) {
  env_["SORV_CREATEPROCESS"] = "ok";
  std::string s = kToMainMenu;
  for (int i = 0; i < kPromoRow; i++) s += key(kKey8, 3);
  s += key(kKey5, 14) + frames(kEnterFrames) + key(kKey5, 4);
  const std::string script = s + frames(200);
  ASSERT_EQ(play(script), 0) << out();
  EXPECT_EQ(launched(), std::vector<std::string>{product("rr", "EN", 1)}) << trace();
  EXPECT_LT(framesRun(out()), scriptFrames(script)) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  // The visit: the store that marks it, and the menu's mark cleared in record 15.
  bool store = false;
  for (const auto& f : std::filesystem::directory_iterator(installFolder())) {
    store = store || has(f.path().filename().string(), "igpvisited");
  }
  EXPECT_TRUE(store);
  const std::string record = readText(installFolder() + "/rms_sorvantel2009.rms_rec15.rms");
  ASSERT_GE(record.size(), 2u);
  EXPECT_EQ(record[record.size() - 1], 1) << "byte 1 is stored inverted";
  // A restart reads the record back: the main menu shows no mark on the entry.
  ASSERT_EQ(play(kToMainMenu + shotLine("restarted") + frames(5)), 0) << out();
  EXPECT_TRUE(has(out(), "NullPointer 0 ArrayOutOfBound 0")) << out();
  EXPECT_TRUE(shown(shot("restarted")));
}

}  // namespace
}  // namespace sorv
