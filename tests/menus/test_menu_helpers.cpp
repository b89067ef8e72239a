// The shell's drawing helpers and soft keys on the shipped menus: the soft-key bar and its
// labels, the frame, labels and message boxes where their menus put them, and the soft keys
// armed by the bar's buttons drawn each frame.
#include <gtest/gtest.h>

#include <vector>

#include "match/ctennis.h"
#include "runtime/string.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

constexpr int32_t kIconLabel = 39;
// The bar's halves: left button and label, right button and label (menu 35 items 2-7).
constexpr int32_t kLeftX = 0, kRightX = 560, kBarY = 400, kHalfW = 240, kBarH = 80;

class MenuHelperTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    CTennis::tutorialKind = -1;
    CGame::paintingIntoBuffer = false;
    clear();
  }
  void TearDown() override {
    CTennis::tutorialKind = -1;
    CGame::paintingIntoBuffer = false;
    MenuTest::TearDown();
  }

  static std::vector<uint16_t> leftHalf() { return region(kLeftX, kBarY, kHalfW, kBarH); }
  static std::vector<uint16_t> rightHalf() { return region(kRightX, kBarY, kHalfW, kBarH); }
  static String* text(int32_t id) { return CGame::GetString(0, id); }
};

TEST_F(MenuHelperTest, BarLabelsDuringATutorialAndWhenNothingIsDrawn) {
  // What each half shows when drawn by its items alone.
  CGame::DrawFrameAsItem(-1, -1, 35, 7, -1, -1, false);
  const std::vector<uint16_t> iconRight = rightHalf();
  clear();
  CGame::DrawMenuItem(35, 3);
  const std::vector<uint16_t> buttonRight = rightHalf();
  CGame::DrawStringAsItem(text(kIconLabel), 35, 5, false);
  const std::vector<uint16_t> textRight = rightHalf();
  clear();
  CGame::DrawFrameAsItem(-1, -1, 35, 6, -1, -1, false);
  const std::vector<uint16_t> iconLeft = leftHalf();
  clear();
  ASSERT_NE(textRight, buttonRight) << "label 39's text shows";
  ASSERT_NE(iconLeft, region(kLeftX, kBarY, kHalfW, kBarH)) << "the icon shows";

  struct Case {
    const char* what;
    int32_t tutorial, first, second;
    bool intoBuffer;
    std::vector<uint16_t> left, right;
  };
  const std::vector<uint16_t> none(static_cast<size_t>(kHalfW * kBarH), 0);
  const Case cases[] = {
      {"icons outside a tutorial", -1, kIconLabel, kIconLabel, false, iconLeft, iconRight},
      {"a tutorial: second icon nothing, first icon its text", 0, kIconLabel, kIconLabel, false, none, textRight},
      {"no labels", -1, -1, -1, false, none, none},
      {"painting into the buffer", -1, kIconLabel, kIconLabel, true, none, none},
      {"painting into the buffer, labels", -1, 17, 18, true, none, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    CTennis::tutorialKind = c.tutorial;
    CGame::paintingIntoBuffer = c.intoBuffer;
    CGame::drawMenuBar(c.first, c.second, false);
    EXPECT_EQ(leftHalf(), c.left);
    EXPECT_EQ(rightHalf(), c.right);
    EXPECT_TRUE(blank(0, 0, CGame::kGameWidth, kBarY));
  }
  clear();
  CGame::paintingIntoBuffer = true;
  CGame::drawMenuBar(17, 18, true);
  EXPECT_TRUE(blank(0, 0, CGame::kGameWidth, CGame::kGameHeight)) << "nor the bar's frame";
}

// A match's labels lie over the soft key each answers to: the left box sends the left soft
// key, so "Yes" of a question the left key answers is drawn there, "No" on the right, and the
// pause icon on the left while the left key opens the pause.
TEST_F(MenuHelperTest, AMatchDrawsEachLabelOverItsSoftKey) {
  struct Case {
    const char* what;
    int32_t left, right;
  };
  const Case cases[] = {{"yes and no", 13, 14}, {"OK alone", 9, -1}, {"skip alone", -1, 17}, {"the pause icon", 39, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    if (c.left != -1) CGame::drawMenuBar(-1, c.left, false);
    const std::vector<uint16_t> left = leftHalf();
    clear();
    if (c.right != -1) CGame::drawMenuBar(c.right, -1, false);
    const std::vector<uint16_t> right = rightHalf();
    clear();
    CTennis::leftSoftKeyText = c.left;
    CTennis::rightSoftKeyText = c.right;
    CTennis::drawSoftKeyBar(false);
    EXPECT_EQ(leftHalf(), left);
    EXPECT_EQ(rightHalf(), right);
    EXPECT_EQ(blank(kLeftX, kBarY, kHalfW, kBarH), c.left == -1);
    EXPECT_EQ(blank(kRightX, kBarY, kHalfW, kBarH), c.right == -1);
  }
  CTennis::leftSoftKeyText = CTennis::rightSoftKeyText = -1;
}

TEST_F(MenuHelperTest, LabelDrawsAtItsPositionAndLeavesTheMenuInPlace) {
  // Menu 34's single-line text sits at (10, 20), left and vertically centred.
  CGame::drawLabel(300, 200, String::fromCString("Label"), nullptr, false);
  EXPECT_FALSE(blank(310, 205, 140, 30)) << "moved by (300, 200)";
  EXPECT_TRUE(blank(0, 0, 300, CGame::kGameHeight));
  EXPECT_TRUE(blank(0, 0, CGame::kGameWidth, 190));
  EXPECT_EQ(CGame::menuPaintX, 0);
  EXPECT_EQ(CGame::menuPaintY, 0);
  CGame::DrawStringAsItem(String::fromCString("Label"), 34, 1, false);
  EXPECT_EQ(CGame::menuItemX, 10);
  EXPECT_EQ(CGame::menuItemY, 20);
  EXPECT_FALSE(blank(10, 5, 140, 30)) << "read back at the menu's own place";

  // Two lines go to items 2 and 3, at y 10 and 30.
  clear();
  CGame::drawLabel(300, 200, String::fromCString("One"), String::fromCString("Two"), false);
  EXPECT_FALSE(blank(310, 200, 140, 20));
  EXPECT_FALSE(blank(310, 222, 140, 20));
  EXPECT_EQ(CGame::menuPaintX, 0);
  EXPECT_EQ(CGame::menuPaintY, 0);
}

TEST_F(MenuHelperTest, FrameAndMessageBoxesWhereTheirMenusPutThem) {
  // The bottom box of menu 32: a 600 x 100 rectangle at (100, 300) with a white outline, both
  // at the record's alpha 200: as a white fill of that alpha on the same black ground.
  CGame::drawBk(nullptr, -1, -1, String::fromCString("Bottom"));
  CGame::fillRect(CGame::GetMenuGfx(), 200 << 24 | 0xFFFFFF, 0, 0, 2, 2);
  EXPECT_EQ(at(100, 300), at(1, 1));
  EXPECT_EQ(at(699, 399), at(1, 1));
  EXPECT_NE(at(1, 1), 0);
  EXPECT_NE(at(110, 310), 0);
  EXPECT_EQ(at(99, 299), 0);
  EXPECT_EQ(at(700, 400), 0);
  std::vector<uint16_t> plain = region(110, 330, 580, 40);
  clear();
  CGame::drawBk(nullptr, -1, -1, String::fromCString("Other words"));
  EXPECT_NE(region(110, 330, 580, 40), plain) << "the text centred in the box";
  EXPECT_TRUE(blank(0, 0, CGame::kGameWidth, 300)) << "no title, no bar";

  // The title on the frame of menu 35: the frame's top changes only by the title's text.
  clear();
  CGame::drawBk(String::fromCString("Title"), -1, -1, nullptr);
  const std::vector<uint16_t> title = region(0, 0, CGame::kGameWidth, 60);
  clear();
  CGame::DrawFrameAsItem(-1, -1, 35, 0, -1, -1, false);
  EXPECT_NE(region(0, 0, CGame::kGameWidth, 60), title);

  // Menu 57: the header plate (hidden item 0, a translucent dark blue) only with a header,
  // the text on it; without a header the text higher up.
  struct Case {
    const char* what;
    bool header, blink;
    int32_t matchFrame;
    bool band, textAt240, textAt275;
  };
  const Case cases[] = {
      {"plain", false, false, 0, false, true, false},
      {"header", true, false, 0, true, false, true},
      {"blink, shown phase", false, true, 1, false, true, false},
      {"blink, hidden phase", false, true, 2, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    CTennis::matchFrame = c.matchFrame;
    CGame::drawInfoMessage(String::fromCString("Message"), c.header, c.blink);
    CGame::fillRect(CGame::GetMenuGfx(), 110 << 24 | 0x102040, 0, 0, 2, 2);
    EXPECT_EQ(at(125, 264), c.band ? at(1, 1) : 0);
    EXPECT_EQ(at(119, 264), 0) << "the plate ends at its box";
    // Each line is centred on its y.
    const bool top = !blank(100, 238, 600, 5), bottom = !blank(100, 273, 600, 5);
    EXPECT_EQ(top, c.textAt240);
    EXPECT_EQ(bottom, c.textAt275);
  }
  CTennis::matchFrame = 0;
}

// The bar's soft-key buttons drawn each frame arm the soft keys; a frame here runs as the
// canvas's paint orders it: touch, then the state's drawing, then the keys.
TEST_F(MenuHelperTest, SoftKeysArmedByTheBarSendTheRightKeyOnce) {
  CGame::stateTop = 0;
  astore(CGame::stateStack.get(), 0, 8);
  CGame::scrollStringX = CGame::kTickerIdle;
  struct Seen {
    int32_t keys, counter, rightState, ticker;
    bool requested;
  };
  auto frame = [] {
    CGame::UpdatePointerEvents();
    const Seen seen{CGame::keysPressed & (CGame::kKeySoftLeft | CGame::kKeySoftRight), CGame::softKeyCounter,
                    CGame::softRightState, CGame::scrollStringX, false};
    CGame::softKeysRequested = false;
    clear();
    CGame::drawMenuBar(17, 18, true);
    CGame::key_updateKey();
    return Seen{seen.keys, seen.counter, seen.rightState, seen.ticker, CGame::softKeysRequested};
  };
  const Seen first = frame();
  EXPECT_TRUE(first.requested) << "a frame-119 draw asks for the soft keys";

  CGame::gameCanvas->pointerReleased(480 - 450, 700);
  std::vector<int32_t> keys;
  for (int i = 1; i <= 8; i++) {
    const Seen s = frame();
    keys.push_back(s.keys);
    if (i == 5) {
      EXPECT_EQ(s.counter, CGame::kSoftKeySent);
      EXPECT_EQ(s.ticker, CGame::kTickerRestart);
      EXPECT_EQ(s.rightState, 1);
      EXPECT_EQ(CGame::softRightState, -1) << "the bar's draw puts the key back to rest";
      EXPECT_EQ(CGame::softLeftState, -1);
      EXPECT_EQ(CGame::softKeyCounter, 0);
    } else if (i < 5) {
      EXPECT_EQ(s.counter, i);
      EXPECT_EQ(s.rightState, 1);
    }
    EXPECT_TRUE(s.requested);
  }
  const int32_t r = CGame::kKeySoftRight;
  EXPECT_EQ(keys, (std::vector<int32_t>{0, 0, 0, 0, r, 0, 0, 0}));
}

}  // namespace
}  // namespace sorv::test
