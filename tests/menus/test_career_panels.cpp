// The career's panels: a list row's value arrows by touch and its height, the bars clipped to
// their values, and a career card whose home is no city.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/string.h"
#include "tests/menus/quick_fixture.h"

namespace sorv::test {
namespace {

// A row menu as the creation list uses it: highlight 1 (420 x 34), label 2, arrows 3 and 4,
// value 5, level frame 7; menu 39's pressed and released arrows 16 to 19. The menus before
// them are empty, as the source lists every menu in order.
std::string rowMenus(bool withRow) {
  std::string source;
  for (int m = 0; m < 43; m++) {
    source += "menu " + std::to_string(m) + "\n";
    if (m != 39) continue;
    for (int i = 0; i < 16; i++) source += "  " + std::to_string(i) + " none\n";
    source += "  16 anim type=15 anim=6 x=760 y=240 flags=hidden\n"
              "  17 anim type=15 anim=7 x=40 y=240 flags=hidden\n"
              "  18 anim type=15 anim=8 x=760 y=240 flags=hidden\n"
              "  19 anim type=15 anim=9 x=40 y=240 flags=hidden\n";
  }
  source += "menu 43\n  0 none\n";
  if (!withRow) return source;
  return source +
         "  1 rect x=0 y=0 w=420 h=34 fill=0xFFF000 outline=-1 alpha=100 flags=hidden\n"
         "  2 string type=2 pack=2 text=-1 x=10 y=17 box=180 anchor=3\n"
         "  3 anim type=20 anim=34 x=400 y=17 flags=hidden\n"
         "  4 anim type=20 anim=33 x=210 y=17 flags=hidden\n"
         "  5 string type=2 pack=2 text=-1 x=305 y=17 box=160 anchor=4\n"
         "  6 none\n"
         "  7 frame type=19 frame=64 x=240 y=10 flags=hidden\n";
}

class CareerPanelsTest : public QuickMatchTest {};

TEST_F(CareerPanelsTest, ARowsArrowsPressTheValueKeysAndMoveTheCursor) {
  useMenus(rowMenus(true));
  constexpr int32_t x = 170, y = 329, w = 420, h = 34;
  struct Case {
    int32_t rx, ry;
    bool highlight, selectable;
    int32_t keys;
  };
  const Case cases[] = {
      {x, y, true, true, 0x4010},          {x + 209, y + 34, true, true, 0x4010},
      {x + 211, y, true, true, 0x8040},    {x + w, y + h, true, true, 0x8040},
      {x + 300, y + 17, false, true, 0},   {x + 300, y + 17, true, false, 0},
      {x - 1, y + 17, true, true, 0},      {x + 100, y + h + 1, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rx << "," << c.ry << " " << c.highlight << c.selectable);
    CGame::menuCursor = 0;
    CGame::keysPressed = 0;
    CGame::releaseX = c.rx;
    CGame::releaseY = c.ry;
    const int32_t height = CGame::drawAbiMenuItem(nullptr, nullptr, x, y, w, h, 1, c.highlight, c.selectable, 5);
    EXPECT_EQ(height, 34);
    EXPECT_EQ(CGame::keysPressed, c.keys);
    EXPECT_EQ(CGame::menuCursor, c.keys != 0 ? 5 : 0);
    EXPECT_EQ(CGame::menuPaintX, 0) << "the paint position is reset";
  }
}

TEST_F(CareerPanelsTest, ARowWithoutItsMenuStepsByTheAskedHeightAndSaysSoOnce) {
  useMenus(rowMenus(false));
  LogCapture log;
  CGame::releaseX = 180;
  CGame::releaseY = 340;
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(CGame::drawAbiMenuItem(nullptr, nullptr, 170, 329, 420, 40, 1, true, true, 2), 40);
  }
  EXPECT_EQ(CGame::keysPressed, 0);
  EXPECT_EQ(countLines(log.text(), "menu 43 has no item 1"), 1) << log.text();
}

// The creation panel's bars (menu 42, 160 wide) and a weekly row's bar (menu 50, 300 wide)
// end at their values' share of the bar; right of it the screen stays as it was.
TEST_F(CareerPanelsTest, BarsAreClippedToTheirValues) {
  struct Case {
    bool weekly;
    int32_t value, barX, barY, width;
  };
  // Panel at (40, 60): bar i at (380, 33 + 22 i); weekly row at (60, 240): bar box (300, 7).
  const Case cases[] = {{false, 50, 420, 93, 160}, {false, 100, 420, 93, 160}, {false, 20, 420, 93, 160},
                        {true, 50, 360, 247, 300},  {true, 100, 360, 247, 300},  {true, 0, 360, 247, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.weekly ? "weekly " : "panel ") << c.value);
    clear();
    if (c.weekly) {
      CGame::drawCareerPlayerAbiItem(nullptr, nullptr, 1, 2, c.value, 60, 240, false);
    } else {
      ByteArray* values = Array::newByteArray(6);
      for (int32_t i = 0; i < 6; i++) values->elements()[i] = static_cast<int8_t>(c.value);
      CGame::drawPlayerAbilitySingle(42, 13, 40, 60, values);
    }
    const int32_t end = c.barX + c.width * c.value / 100;
    EXPECT_TRUE(blank(end + 1, c.barY, c.barX + c.width - end + 10, 12)) << "nothing right of " << end;
    if (c.value > 0) {
      EXPECT_FALSE(blank(c.barX, c.barY, end - c.barX, 12)) << "the bar shows";
    }
    int32_t cx, cy, cw, ch;
    Graphics* g = CGame::GetMenuGfx();
    cx = g->getClipX(), cy = g->getClipY(), cw = g->getClipWidth(), ch = g->getClipHeight();
    EXPECT_EQ(std::vector<int32_t>({cx, cy, cw, ch}), std::vector<int32_t>({0, 0, 800, 480})) << "the clip is back";
  }
}

// A weekly row of kind 0 holds one still frame of its item's animation (the rank band, ten
// tenths filled in the shipped art): each value fills more of the band, at any frame counter.
TEST_F(CareerPanelsTest, AWeeklyBandRowShowsTheFrameItIsGiven) {
  constexpr int32_t bandX = 360, bandY = 247, bandW = 250, bandH = 14;
  auto band = [&](int32_t value, int32_t counter) {
    clear();
    CGame::frameCounter = counter;
    CGame::drawCareerPlayerAbiItem(nullptr, nullptr, 0, 0, value, 60, 240, false);
    return region(bandX, bandY, bandW, bandH);
  };
  const std::vector<uint16_t> empty = band(0, 0);
  ASSERT_FALSE(blank(bandX, bandY, bandW, bandH)) << "the band's track shows";
  int32_t filled = 0;
  for (int32_t value = 1; value <= 10; value++) {
    SCOPED_TRACE(value);
    const std::vector<uint16_t> shown = band(value, 0);
    EXPECT_EQ(band(value, 5 + value), shown) << "a still frame, not the running animation";
    int32_t changed = 0;
    for (size_t i = 0; i < shown.size(); i++) changed += shown[i] != empty[i];
    EXPECT_GT(changed, filled);
    filled = changed;
  }
  EXPECT_EQ(band(40, 0), band(10, 0)) << "past the last frame the last one stays";
}

TEST_F(CareerPanelsTest, ACareerCardWithAHomeOutsideTheCitiesLeavesItOut) {
  LogCapture log;
  for (int32_t home : {-1, 14, 127}) CGame::drawPlayerInfo_Career(nullptr, nullptr, home, 20, 520, 70, true);
  EXPECT_EQ(countLines(log.text(), "is no city"), 3) << log.text();
  EXPECT_FALSE(log.contains("ArrayOutOfBound")) << log.text();
  EXPECT_EQ(CGame::menuPaintX, 0);
}

}  // namespace
}  // namespace sorv::test
