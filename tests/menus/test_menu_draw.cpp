#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "menus/menu_record.h"
#include "runtime/string.h"
#include "tests/menus/menu_fixture.h"
#include "tools/mkdata/sprite_writer.h"

namespace sorv::test {
namespace {

// Rectangles show by their colour which items a draw reached: 0 static, 1 hidden, 2 and 4
// selectable (cursor 0 and 1), 3 a hidden selectable one.
constexpr const char* kPasses = R"(
menu 0 labels=2
  0 rect x=0 y=0 w=10 h=10 fill=0xFF0000 alpha=255
  1 rect x=10 y=0 w=10 h=10 fill=0x00FF00 alpha=255 flags=hidden
  2 rect x=20 y=0 w=10 h=10 fill=0x0000FF alpha=255 flags=select cursor=0 highlight=0
  3 rect x=30 y=0 w=10 h=10 fill=0xFFFF00 alpha=255 flags=select,hidden cursor=1 highlight=0
  4 rect x=40 y=0 w=10 h=10 fill=0x00FFFF alpha=100 outline=0xFFFFFF flags=select cursor=1 highlight=0
)";

class MenuDrawTest : public MenuTest {
 protected:
  // Which of the five rectangles show.
  static std::string shown() {
    std::string s;
    for (int32_t i = 0; i < 5; i++) s += at(10 * i + 5, 5) != 0 ? '1' : '0';
    return s;
  }
};

TEST_F(MenuDrawTest, PassesHiddenAndSelectableItems) {
  useMenus(kPasses);
  struct Case {
    const char* what;
    int32_t cursor;
    std::function<void()> draw;
    const char* want;
  };
  const int32_t p0 = CGame::GetItemPointer(0, 0);
  const Case cases[] = {
      {"active menu, cursor 0", 0, [] { CGame::DrawMenu(0, true); }, "10101"},
      {"active menu, cursor 1", 1, [] { CGame::DrawMenu(0, true); }, "10101"},
      {"inactive menu", 0, [] { CGame::DrawMenu(0, false); }, "10000"},
      {"a hidden item on request", 0, [] { CGame::DrawMenuItem(0, 1); }, "01000"},
      {"a hidden selectable button never", 1, [] { CGame::DrawMenuItem(0, 3); }, "00000"},
      {"pass 1 leaves the highlighted item",
       0, [p0] { for (int32_t p = p0, i = 0; i < 5; i++) p = CGame::DrawItem(p, true, false, 1); }, "10001"},
      {"pass 2 only the highlighted item",
       0, [p0] { for (int32_t p = p0, i = 0; i < 5; i++) p = CGame::DrawItem(p, true, false, 2); }, "00100"},
      {"pass 0 every shown item",
       0, [p0] { for (int32_t p = p0, i = 0; i < 5; i++) p = CGame::DrawItem(p, true, true, 0); }, "11111"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    CGame::menuCursor = c.cursor;
    c.draw();
    EXPECT_EQ(shown(), c.want);
  }
  clear();
  CGame::menuFrames = 0;
  CGame::DrawMenu(0, true);
  EXPECT_EQ(at(5, 5), rgb(0xFF0000));
  // Alpha 100 of 255: both show the ground through them, as a translucent fill of their
  // colour drawn elsewhere on the same ground does.
  CGame::fillRect(CGame::GetMenuGfx(), 100 << 24 | 0xFFFFFF, 200, 200, 2, 2);
  CGame::fillRect(CGame::GetMenuGfx(), 100 << 24 | 0x00FFFF, 300, 200, 2, 2);
  EXPECT_EQ(at(40, 0), at(200, 200)) << "outline";
  EXPECT_EQ(at(45, 5), at(300, 200)) << "fill";
  EXPECT_NE(at(45, 5), rgb(0x00FFFF)) << "not opaque";
  EXPECT_EQ(CGame::menuLabelNum, 2);
  EXPECT_EQ(CGame::menuFrames, 1) << "an active draw advances the clocks";
}

TEST_F(MenuDrawTest, RectangleOverrides) {
  useMenus(kPasses);
  clear();
  CGame::menuRectColour = 0x123456;
  CGame::setMenuPaintPosition(100, 50);
  CGame::DrawRectAsItem(100, 0, 0, 20, -1, 1);
  CGame::menuRectColour = 0;
  CGame::resetMenuPaintPosition();
  EXPECT_EQ(at(95, 55), rgb(0x123456)) << "width 20 keeping the right edge at 110";
  EXPECT_EQ(at(89, 55), 0);
  EXPECT_EQ(at(110, 55), 0);
}

TEST_F(MenuDrawTest, PaintAlphaAndAnchorCodes) {
  CGame::setMenuPaintAlpha(100);
  EXPECT_EQ(CGame::menuPaintAlpha, -1);
  CGame::setMenuPaintAlpha(50);
  EXPECT_EQ(CGame::menuPaintAlpha, 127);
  CGame::setMenuPaintAlpha(0);
  EXPECT_EQ(CGame::menuPaintAlpha, 0);
  const int32_t bits[] = {0, 0x10, 0x20, 0x100, 0x110, 0x120, 0x200, 0x210, 0x220};
  for (int32_t c = 0; c < 9; c++) EXPECT_EQ(menu_record::anchorBits(c), bits[c]) << c;
  EXPECT_EQ(menu_record::anchorBits(9), 0);
  EXPECT_EQ(menu_record::anchorBits(-1), 0);
}

TEST_F(MenuDrawTest, TapOnAMainMenuButtonFiresOnTheSixthDraw) {
  useMenus(R"(
menu 0 labels=2
  0 frame type=14 frame=0 x=440 y=110 flags=select cursor=0 highlight=1
  1 frame type=14 frame=0 x=440 y=180 flags=select cursor=1 highlight=1
)");
  CGame::menuScreenCode = 1;
  CGame::menuCursor = 0;
  CGame::releaseX = 500;
  CGame::releaseY = 200;
  int32_t fired = 0;
  for (int32_t draw = 1; draw <= 8 && fired == 0; draw++) {
    CGame::keysPressed = 0;
    CGame::DrawMenu(0, true);
    if (CGame::keysPressed == 0x50020) fired = draw;
    if (draw == 1) {
      EXPECT_EQ(CGame::menuCursor, 1) << "the release moves the cursor";
    }
  }
  EXPECT_EQ(fired, 6);
  EXPECT_FALSE(CGame::menuTouchSelect);
  EXPECT_EQ(CGame::scrollStringX, 800);

  CGame::menuScreenCode = 2;
  CGame::releaseX = 500;
  CGame::releaseY = 120;
  CGame::DrawMenu(0, true);
  EXPECT_FALSE(CGame::menuTouchSelect) << "buttons take touches on their screens only";
}

TEST_F(MenuDrawTest, TheSoundQuestionAndPageArrowsTurnTouchesIntoKeys) {
  useMenus(R"(
menu 0 labels=2
  0 frame type=14 frame=0 x=200 y=300 flags=select cursor=0 highlight=1
  1 frame type=14 frame=0 x=400 y=300 flags=select cursor=1 highlight=1
  2 anim type=20 anim=0 x=100 y=200
  3 anim type=20 anim=0 x=700 y=200
)");
  setState(2);
  struct Case {
    int32_t x, y, keys, cursor;
  };
  for (const Case& c : {Case{590, 350, 0x50020, 1}, Case{210, 310, 0x20000, 0}, Case{399, 300, 0, 7}}) {
    CGame::keysPressed = 0;
    CGame::menuCursor = 7;
    CGame::releaseX = c.x;
    CGame::releaseY = c.y;
    CGame::DrawMenu(0, true);
    EXPECT_EQ(CGame::keysPressed, c.keys) << c.x;
    EXPECT_EQ(CGame::menuCursor, c.cursor) << c.x;
  }
  setState(8);
  CGame::menuScreenCode = 26;
  for (const Case& c : {Case{110, 210, 0x4010, 0}, Case{710, 210, 0x8040, 0}}) {
    CGame::keysPressed = 0;
    CGame::releaseX = c.x;
    CGame::releaseY = c.y;
    CGame::DrawMenu(0, true);
    EXPECT_EQ(CGame::keysPressed, c.keys) << c.x;
  }
}

TEST_F(MenuDrawTest, ASoftKeyButtonArmsTheKeysAndRestsAfterItsKey) {
  useMenus(R"(
menu 0
  0 frame type=19 frame=119 x=10 y=425
  1 frame type=19 frame=119 x=602 y=425
)");
  CGame::softRightState = 1;
  CGame::softKeyCounter = 100;
  CGame::DrawMenu(0, false);
  EXPECT_TRUE(CGame::softKeysRequested);
  EXPECT_EQ(CGame::softLeftState, -1);
  EXPECT_EQ(CGame::softRightState, -1);
  EXPECT_EQ(CGame::softKeyCounter, 0);
}

TEST_F(MenuDrawTest, FlyInMovesTheLabelsThenEntersTheMainMenu) {
  useMenus(R"(
menu 0 labels=4
  0 none
  1 none
  2 none
  3 none
  4 none
  5 none
  6 none
  7 none
  8 none
  9 none
  10 none
  11 none
  12 frame type=14 frame=0 x=440 y=110 flags=select cursor=0 highlight=1
  13 frame type=14 frame=0 x=440 y=180 flags=select cursor=1 highlight=1
  14 frame type=14 frame=0 x=440 y=250 flags=select cursor=2 highlight=1
  15 frame type=14 frame=0 x=440 y=320 flags=select cursor=3 highlight=1
)");
  setState(5);
  CGame::init_MenuFlyIn(0);
  ASSERT_FALSE(isNull(CGame::menuFlyX));
  auto xs = [] {
    std::vector<int32_t> v;
    for (int32_t i = 0; i < CGame::menuFlyX->length; i++) v.push_back(CGame::menuFlyX->elements()[i]);
    return v;
  };
  EXPECT_EQ(xs(), (std::vector<int32_t>{800, 810, 820, 830}));
  CGame::init_MenuFlyIn(0);
  EXPECT_EQ(xs(), (std::vector<int32_t>{800, 810, 820, 830})) << "a running fly-in is kept";
  CGame::paintMenuFlyIn();
  EXPECT_EQ(xs(), (std::vector<int32_t>{754, 764, 774, 784}));
  int32_t paints = 1;
  while (CGame::GET_CURRENT_STATE() == 5 && paints < 20) {
    CGame::paintMenuFlyIn();
    paints++;
  }
  EXPECT_EQ(paints, 9) << "(830 - 440) / 46 rounded up";
  EXPECT_EQ(CGame::GET_CURRENT_STATE(), 6);
  EXPECT_TRUE(isNull(CGame::menuFlyX)) << "the next entry flies in again";
}

TEST_F(MenuDrawTest, OptionArrowsPressKeysAndMoveTheCursor) {
  useMenus(R"(
menu 0
menu 1
menu 2
menu 3
menu 4
menu 5
menu 6
menu 7
menu 8
menu 9
menu 10
menu 11
menu 12
  0 rect x=0 y=0 w=720 h=50 fill=0x203050 alpha=160 flags=hidden
  1 frame type=19 frame=13 x=0 y=0 flags=select,hidden cursor=0 highlight=14
  2 string type=2 pack=0 text=-1 x=20 y=25 box=320 anchor=3 flags=select,hidden cursor=0 highlight=2
  3 anim type=15 anim=8 x=690 y=25 flags=hidden
  4 anim type=15 anim=9 x=380 y=25 flags=hidden
  5 string type=2 pack=0 text=-1 x=535 y=25 box=140 anchor=4
)");
  setState(8);
  ObjectArray* values = Array::newObjectArray(0, 2);
  values->elements()[0] = str("On");
  values->elements()[1] = str("Off");
  struct Case {
    int32_t dx, keys;
  };
  for (const Case& c : {Case{-20, 0x4010}, Case{20, 0x8040}, Case{300, 0}}) {
    CGame::keysPressed = 0;
    CGame::menuCursor = 0;
    CGame::releaseX = 535 + 30 + c.dx;
    CGame::releaseY = 25 + 100;
    CGame::drawOptMenu(0, 1, values, 30, 100, 0, 3, 0, false, false);
    EXPECT_EQ(CGame::keysPressed, c.keys) << c.dx;
    EXPECT_EQ(CGame::menuCursor, c.keys != 0 ? 3 : 0) << c.dx;
  }
  EXPECT_EQ(CGame::menuPaintX, 0) << "the paint offset is reset";
  CGame::releaseX = 535 + 30 + 20;
  CGame::releaseY = 125;
  CGame::keysPressed = 0;
  CGame::drawOptMenu(0, 1, values, 30, 100, 0, 3, 0, false, true);
  EXPECT_EQ(CGame::keysPressed, 0) << "a locked row takes no touch";
}

}  // namespace
}  // namespace sorv::test

namespace sorv::test {
namespace {

namespace mk = sorv::mkdata;

// A sprite of two filled squares (red frame 0, blue frame 1): animation 0 has a total time
// of 0, animation 1 shows each frame for two ticks.
ASprite* squaresSprite() {
  mk::SpriteSpec spec;
  for (uint32_t colour : {0xFF0000u, 0x0000FFu}) {
    mk::SpriteModule m;
    m.kind = mk::kModuleFilled;
    m.colour = colour;
    m.width = m.height = 4;
    spec.modules.push_back(m);
  }
  mk::addFrame(spec, {mk::SpriteFModule{0, 0, 0, 0, 0}});
  mk::addFrame(spec, {mk::SpriteFModule{1, 0, 0, 0, 0}});
  mk::SpriteAFrame still;
  still.time = 0;
  mk::addAnim(spec, {still});
  mk::SpriteAFrame red, blue;
  red.time = blue.time = 2;
  blue.frame = 1;
  mk::addAnim(spec, {red, blue});
  spec.palettes.push_back(std::vector<uint32_t>(2, 0xFF000000u));
  const std::vector<uint8_t> file = mk::writeSprite(spec);
  ByteArray* data = Array::newByteArray(static_cast<int32_t>(file.size()));
  for (size_t i = 0; i < file.size(); i++) data->elements()[i] = static_cast<int8_t>(file[i]);
  ASprite* sprite = ASprite::create();
  sprite->Load(data, 0);
  return sprite;
}

class MenuAnimationTest : public MenuTest {};

TEST_F(MenuAnimationTest, AnimationsByClockLengthAndHold) {
  useMenus(R"(
menu 0
  0 anim type=20 anim=0 x=10 y=10
  1 anim type=20 anim=1 x=20 y=10
  2 anim type=20 anim=1 x=30 y=10 flags=hold
)");
  ObjectArray* sprites = Array::newObjectArray(0, kMenuPackEntries);
  CGame::menuSprites = sprites;
  CGame::menuSprites->elements()[kMenuMain] = squaresSprite();
  const uint16_t red = rgb(0xFF0000), blue = rgb(0x0000FF);
  struct Case {
    int32_t time;
    uint16_t want;
  };
  for (const Case& c : {Case{0, red}, Case{1, red}, Case{2, blue}, Case{3, blue}, Case{4, red}, Case{7, blue}}) {
    clear();
    CGame::DrawAnimationAsItem(-1, -1, c.time, 0, 1, false);
    EXPECT_EQ(at(21, 11), c.want) << "time " << c.time;
    clear();
    CGame::DrawAnimationAsItem(-1, -1, c.time, 0, 0, false);
    EXPECT_EQ(at(11, 11), red) << "a total time of 0 shows the first frame";
  }
  // Menu clocks: the level clock less one; the held animation stays on its last frame.
  CGame::menuFrames = 0;
  for (int32_t draw = 1; draw <= 9; draw++) {
    clear();
    CGame::DrawMenu(0, true);
    const int32_t time = draw - 1;
    EXPECT_EQ(at(21, 11), time % 4 < 2 ? red : blue) << draw;
    EXPECT_EQ(at(31, 11), std::min(time, 3) < 2 ? red : blue) << draw;
  }
}

}  // namespace
}  // namespace sorv::test
