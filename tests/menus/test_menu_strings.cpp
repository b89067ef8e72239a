#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "runtime/string.h"
#include "sprites/asprite.h"
#include "tests/menus/menu_fixture.h"

namespace sorv::test {
namespace {

// 0: strings; 1: a list of five entries in three rows; 2: a button and its highlight.
constexpr const char* kStrings = R"(
menu 0 labels=1
  0 string type=2 pack=0 text=9 x=100 y=100 box=300 anchor=0
  1 string type=2 pack=0 text=9999 x=100 y=200 box=300 anchor=0
  2 string type=2 pal=50 pack=0 text=9 x=100 y=300 box=300 anchor=0
  3 string type=2 pack=0 text=9 x=100 y=400 box=300 anchor=0 flags=select cursor=0 highlight=2
  4 string type=2 pack=0 text=-1 x=400 y=100 box=40 anchor=0
  5 string type=2 pack=0 text=9 x=100 y=100 box=300 anchor=5
menu 1 labels=3 first=0 rows=3 header=2 ids=3,4,5,8,9
  0 string type=2 pack=2 text=-1 x=100 y=100 box=300 anchor=0 flags=select cursor=0 highlight=2
  1 string type=2 pack=2 text=-1 x=100 y=150 box=300 anchor=0 flags=select cursor=1 highlight=2
  2 string type=2 pack=2 text=-1 x=100 y=200 box=300 anchor=0 flags=select cursor=2 highlight=2
menu 2 labels=1
  0 frame type=14 frame=0 x=100 y=100 flags=select cursor=0 highlight=1
)";

class MenuStringTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    useShippedData();
    useMenus(kStrings);
  }
  static std::vector<uint16_t> drawn(const std::function<void()>& draw, int32_t x, int32_t y, int32_t w, int32_t h) {
    clear();
    draw();
    return region(x, y, w, h);
  }
};

TEST_F(MenuStringTest, TextsPalettesAndHighlights) {
  ASprite* font = CGame::GetAnimationIDByClass(2);
  ASSERT_FALSE(isNull(font));
  const int32_t before = font->GetCurrentPalette();
  const auto plain = drawn([] { CGame::DrawMenuItem(0, 0); }, 90, 90, 320, 40);
  EXPECT_FALSE(blank(90, 90, 320, 40)) << "the record's text";
  EXPECT_TRUE(drawn([] { CGame::DrawMenuItem(0, 1); }, 90, 190, 320, 40) ==
              std::vector<uint16_t>(320 * 40, 0))
      << "a text id outside the pack draws nothing";
  drawn([] { CGame::DrawMenuItem(0, 2); }, 0, 0, 1, 1);
  EXPECT_FALSE(blank(90, 290, 320, 40)) << "a palette past the font's is clamped";
  EXPECT_EQ(font->GetCurrentPalette(), before) << "the font's palette comes back";
  const auto highlighted = drawn([] { CGame::DrawStringAsItem(nullptr, 0, 3, true); }, 90, 390, 320, 40);
  const auto unlit = drawn([] { CGame::DrawStringAsItem(nullptr, 0, 3, false); }, 90, 390, 320, 40);
  const auto yellow = drawn(
      [] {
        CGame::setMenuPaintItemPal(1);
        CGame::DrawStringAsItem(nullptr, 0, 3, false);
        CGame::resetMenuPaintItemPal();
      },
      90, 390, 320, 40);
  EXPECT_NE(highlighted, unlit);
  EXPECT_EQ(highlighted, yellow) << "highlight 2 is palette 1";
  EXPECT_EQ(CGame::menuHighlightText, 9) << "the highlighted item's text id is remembered";
  const auto given = drawn([] { CGame::DrawStringAsItem(CGame::GetString(0, 9), 0, 4, 100, 100, -1, false); }, 90, 90, 320, 40);
  EXPECT_EQ(given, plain) << "a given text at a given place";
}

// A caller's anchor code places the text as a record with that code would; -1 keeps the
// record's own.
TEST_F(MenuStringTest, TheCallersAnchorStandsInForTheRecords) {
  const auto own = drawn([] { CGame::DrawMenuItem(0, 0); }, 0, 60, 800, 80);
  const auto centredRight = drawn([] { CGame::DrawMenuItem(0, 5); }, 0, 60, 800, 80);
  ASSERT_NE(own, centredRight) << "the two records' anchors differ on screen";
  struct Case {
    int32_t anchor;
    const std::vector<uint16_t>* expected;
  };
  for (const Case& c : {Case{-1, &own}, Case{0, &own}, Case{5, &centredRight}}) {
    const auto shown = drawn([&] { CGame::DrawStringAsItem(nullptr, 0, 0, -1, -1, c.anchor, false); }, 0, 60, 800, 80);
    EXPECT_EQ(shown, *c.expected) << c.anchor;
  }
  const auto back = drawn([] { CGame::DrawStringAsItem(nullptr, 0, 5, -1, -1, 0, false); }, 0, 60, 800, 80);
  EXPECT_EQ(back, own) << "code 0 over a record of code 5";
}

TEST_F(MenuStringTest, TheListShowsTheWindowOfItsEntries) {
  IntArray* list = CGame::GetMenu(1);
  ASSERT_FALSE(isNull(list));
  CGame::menuScroll = 4;
  CGame::menuCursor = -1;
  const auto rows = drawn([] { CGame::DrawScrollMenu(1, 0, 3, CGame::GetMenu(1)); }, 90, 90, 320, 140);
  // Entries 4, 0 and 1 of {3, 4, 5, 8, 9}: texts 9, 3 and 4.
  const auto expected = drawn(
      [] {
        CGame::DrawStringAsItem(CGame::GetString(2, 9), 1, 0, false);
        CGame::DrawStringAsItem(CGame::GetString(2, 3), 1, 1, false);
        CGame::DrawStringAsItem(CGame::GetString(2, 4), 1, 2, false);
      },
      90, 90, 320, 140);
  EXPECT_EQ(rows, expected);
  CGame::menuScroll = 0;
  const auto unscrolled = drawn([] { CGame::DrawScrollMenu(1, 0, 3, CGame::GetMenu(1)); }, 90, 90, 320, 140);
  EXPECT_NE(unscrolled, expected);
}

TEST_F(MenuStringTest, ALongTextScrollsInTwoCopies) {
  String* text = str("A text far wider than its forty-pixel box");
  ASprite* font = CGame::GetAnimationIDByClass(2);
  const int32_t width = font->getStringWidth(text);
  ASSERT_GT(width, 40);
  CGame::frameScratchFlag = false;
  EXPECT_TRUE(CGame::DrawStringAsItem_Scrolling(text, 0, 4, 3, 0));
  EXPECT_EQ(CGame::itemScrollX, 400 - 3) << "starts at the box's left edge, then moves";
  EXPECT_TRUE(CGame::DrawStringAsItem_Scrolling(text, 0, 4, 3, 0));
  EXPECT_EQ(CGame::itemScrollX, 397) << "once a paint";
  bool wrapped = false;
  for (int32_t paint = 0; paint < width / 3 + 3 && !wrapped; paint++) {
    const int32_t before = CGame::itemScrollX;
    CGame::frameScratchFlag = false;
    CGame::DrawStringAsItem_Scrolling(text, 0, 4, 3, 0);
    if (CGame::itemScrollX > before) {
      wrapped = true;
      EXPECT_LT(before - 3 + width, 400) << "the first copy had left the box";
      EXPECT_EQ(CGame::itemScrollX, before - 3 + width + CGame::kItemScrollGap) << "the second became the first";
    }
  }
  EXPECT_TRUE(wrapped);
  CGame::itemScrollX = INT_MIN;
  CGame::frameScratchFlag = true;
  CGame::DrawStringAsItem_Scrolling(text, 0, 4, 3, 0);
  EXPECT_EQ(CGame::itemScrollX, 400) << "the restart marker";
  EXPECT_FALSE(CGame::DrawStringAsItem_Scrolling(str("Hi"), 0, 4, 3, 0)) << "a short text stays";
  EXPECT_EQ(CGame::lastStringW, font->getStringWidth(str("Hi")));
}

TEST_F(MenuStringTest, AHighlightedButtonShowsItsHighlightFrame) {
  CGame::menuCursor = 0;
  const auto lit = drawn([] { CGame::DrawMenu(2, true); }, 80, 80, 120, 80);
  const auto frameOne = drawn([] { CGame::DrawFrameAsItem(1, -1, 2, 0, false); }, 80, 80, 120, 80);
  const auto frameZero = drawn([] { CGame::DrawFrameAsItem(0, -1, 2, 0, false); }, 80, 80, 120, 80);
  EXPECT_EQ(lit, frameOne);
  EXPECT_NE(lit, frameZero);
  CGame::menuCursor = 1;
  EXPECT_EQ(drawn([] { CGame::DrawMenu(2, true); }, 80, 80, 120, 80), frameZero);
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

// Main menu 5 whose entry 4 is wider than its description box (item 31 on the first row).
std::string rollingMenu() {
  std::string s = "menu 0\nmenu 1\nmenu 2\nmenu 3\nmenu 4\nmenu 5 labels=1 first=16 rows=1 header=2 ids=4\n";
  for (int i = 0; i < 32; i++) {
    s += "  " + std::to_string(i);
    if (i == 16) {
      s += " string type=2 pack=2 text=-1 x=100 y=100 box=300 anchor=0 flags=select cursor=0 highlight=2\n";
    } else if (i == 31) {
      s += " rect x=100 y=95 w=30 h=30 fill=0 alpha=0 flags=hidden\n";
    } else {
      s += " none\n";
    }
  }
  return s;
}

class MenuRollingTest : public MenuTest {};

TEST_F(MenuRollingTest, AWideEntryRollsInsideItsBox) {
  useShippedData();
  useMenus(rollingMenu());
  CGame::menuCursor = 0;
  clear();
  CGame::DrawMenu(5, true);
  EXPECT_FALSE(blank(100, 95, 30, 30)) << "the text rolls in the box";
  EXPECT_TRUE(blank(131, 80, 400, 60)) << "and nowhere else";
  Graphics* g = CGame::backBufferGraphics;
  EXPECT_EQ(g->getClipWidth(), CGame::kGameWidth) << "the clip comes back";
}

}  // namespace
}  // namespace sorv::test
