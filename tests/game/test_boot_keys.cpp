// Keys and touch: the key table, the four masks over a frame, which keys are taken, the
// game point of a touch, the box tests and the drag direction.
#include "tests/game/boot_fixture.h"

namespace sorv::test {
namespace {

using KeyTest = BootTest;

TEST_F(KeyTest, KeyCodesBecomeOneBitEach) {
  struct Case {
    int32_t code, bit;
  };
  const Case cases[] = {{'0', 0x1},      {'5', 0x20},     {'9', 0x200},    {'#', 0x400},
                        {'*', 0x800},    {-1, 0x4000},    {-2, 0x8000},    {-3, 0x1000},
                        {-4, 0x2000},    {-5, 0x10000},   {-6, 0x40000},   {-7, 0x20000},
                        {'A', 0},        {-8, 0},         {0, 0},          {'0' - 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(CGame::key_keyConvert(c.code), c.bit) << c.code;
}

TEST_F(KeyTest, AHeldKeyDoesNotRepeatAndAQuickTapCountsOnce) {
  CGame::keyInputOn = true;
  CGame::gameCanvas->keyPressed('5');
  EXPECT_EQ(CGame::keysPressed, 0x20);
  CGame::key_updateKey();
  CGame::gameCanvas->keyPressed('5');
  EXPECT_EQ(CGame::keysPressed, 0) << "held, not pressed again";
  EXPECT_EQ(CGame::keysHeld, 0x20);
  CGame::gameCanvas->keyReleased('5');
  EXPECT_EQ(CGame::keysReleasedHeld, 0x20);
  CGame::key_updateKey();
  EXPECT_EQ(CGame::keysHeld, 0);

  CGame::gameCanvas->keyPressed('8');
  CGame::gameCanvas->keyReleased('8');
  EXPECT_EQ(CGame::keysPressed, 0x100) << "pressed and released in one frame still counts";
  EXPECT_EQ(CGame::keysReleased, 0x100);
  CGame::key_updateKey();
  EXPECT_EQ(CGame::keysHeld, 0);
  EXPECT_EQ(CGame::keysPressed, 0);
}

TEST_F(KeyTest, WhichKeysAreTaken) {
  struct Case {
    const char* why;
    bool inputOn;
    int32_t state, screenCode, code, bit;
  };
  const Case cases[] = {
      {"a digit before the first touch", false, 1, -1, '5', 0},
      {"a soft key before the first touch", false, 1, -1, -6, 0x40000},
      {"the phone's fire key", true, 1, -1, -5, 0},
      {"the phone's up key", true, 1, -1, -1, 0},
      {"the phone's right key", true, 1, -1, -4, 0},
      {"a soft key in the sound question", true, 2, -1, -7, 0},
      {"a digit in the sound question", true, 2, -1, '5', 0x20},
      {"a soft key on screen code 1", true, 5, 1, -6, 0},
      {"a soft key elsewhere", true, 5, 4, -7, 0x20000},
      {"star", true, 5, 4, '*', 0x800},
  };
  for (const Case& c : cases) {
    CGame::key_resetKey();
    CGame::keyInputOn = c.inputOn;
    setState(c.state);
    CGame::menuScreenCode = c.screenCode;
    CGame::gameCanvas->keyPressed(c.code);
    EXPECT_EQ(CGame::keysPressed, c.bit) << c.why;
  }
}

TEST_F(KeyTest, TouchesBecomeGamePoints) {
  CGame::gameCanvas->pointerPressed(0, 0);
  EXPECT_TRUE(CGame::keyInputOn);
  EXPECT_TRUE(CGame::pointerDown);
  EXPECT_EQ(CGame::pressX, 0);
  EXPECT_EQ(CGame::pressY, 480);
  CGame::gameCanvas->pointerDragged(10, 20);
  EXPECT_FALSE(CGame::dragging) << "one drag point is no drag yet";
  CGame::gameCanvas->pointerDragged(11, 30);
  EXPECT_TRUE(CGame::dragging);
  EXPECT_EQ(CGame::dragX, 30);
  EXPECT_EQ(CGame::dragY, 469);
  CGame::gameCanvas->pointerReleased(479, 799);
  EXPECT_FALSE(CGame::pointerDown);
  EXPECT_EQ(CGame::releaseX, 799);
  EXPECT_EQ(CGame::releaseY, 1);
  EXPECT_EQ(CGame::pressX, -1);
  EXPECT_EQ(CGame::dragX, -1);
  EXPECT_FALSE(CGame::dragging);
  EXPECT_EQ(CGame::padKeyHeld, CGame::kNoPadKey);
}

TEST_F(KeyTest, BoxesIncludeTheirEdgesAndConsumeWhenAsked) {
  struct Case {
    int32_t x, y, w, h;
    bool inside;
  };
  const Case boxes[] = {{100, 50, 0, 0, true},  {90, 40, 10, 10, true}, {101, 50, 10, 10, false},
                        {90, 40, 9, 10, false}, {0, 0, 800, 480, true}, {100, 51, 5, 5, false}};
  for (const Case& b : boxes) {
    CGame::releaseX = 100, CGame::releaseY = 50;
    CGame::pressX = 100, CGame::pressY = 50;
    CGame::dragX = 100, CGame::dragY = 50;
    EXPECT_EQ(CGame::isPointerReleasedInBox(b.x, b.y, b.w, b.h, false), b.inside);
    EXPECT_EQ(CGame::isPointerClickedInBox(b.x, b.y, b.w, b.h, false), b.inside);
    EXPECT_EQ(CGame::isPointerDraggingStartInBox(b.x, b.y, b.w, b.h, false), b.inside);
    EXPECT_EQ(CGame::isPointerDraggingInBox(b.x, b.y, b.w, b.h, false), b.inside);
  }
  CGame::releaseX = 100, CGame::releaseY = 50;
  EXPECT_TRUE(CGame::isPointerReleasedInBox(0, 0, 800, 480, true));
  EXPECT_FALSE(CGame::isPointerReleasedInBox(0, 0, 800, 480, true)) << "consumed";
  CGame::pressX = 100, CGame::pressY = 50;
  EXPECT_TRUE(CGame::isPointerClickedInBox(0, 0, 800, 480, true));
  EXPECT_EQ(CGame::pressX, -1);
  CGame::pressX = 100, CGame::pressY = 50;
  CGame::dragX = 100, CGame::dragY = 50;
  EXPECT_TRUE(CGame::isPointerDraggingStartInBox(0, 0, 800, 480, true));
  EXPECT_EQ(CGame::pressY, -1);
  EXPECT_TRUE(CGame::isPointerDraggingInBox(0, 0, 800, 480, true));
  EXPECT_EQ(CGame::dragX, -1);
}

TEST_F(KeyTest, DragDirections) {
  struct Case {
    int32_t dx, dy, previous, dir;
  };
  const Case cases[] = {{10, 0, 2, 2},  {0, -10, 1, 1},  {-5, -5, 3, 0},  {5, 5, 0, 3},
                        {-5, 5, 0, 3},  {5, -5, 0, 2},   {10, 3, 0, 1},   {3, 10, 0, 3},
                        {-10, 3, 1, 0}, {3, -10, 0, 2},  {10, -3, 0, 1},  {-3, -10, 0, 2},
                        {-10, -3, 1, 0}};
  for (const Case& c : cases) {
    CGame::dragDir = c.previous;
    CGame::pressX = 400, CGame::pressY = 240;
    CGame::dragX = 400 + c.dx, CGame::dragY = 240 + c.dy;
    ASSERT_TRUE(CGame::isPointerDraggingInBox(0, 0, 800, 480, false));
    EXPECT_EQ(CGame::dragDX, c.dx);
    EXPECT_EQ(CGame::dragDY, c.dy);
    EXPECT_EQ(CGame::dragDir, c.dir) << c.dx << "," << c.dy;
  }
}

TEST_F(KeyTest, ATouchReleasedAnywhereOnTheTitleIsKeyFive) {
  setState(3);
  CGame::gameCanvas->pointerPressed(470, 790);
  CGame::gameCanvas->pointerReleased(470, 790);
  CGame::UpdatePointerEvents();
  EXPECT_EQ(CGame::keysPressed, 0x20);
  EXPECT_EQ(CGame::keysReleased, 0x20);
  EXPECT_EQ(CGame::releaseX, -1) << "the release was consumed";
  CGame::key_resetKey();
  setState(5);
  CGame::gameCanvas->pointerReleased(470, 790);
  CGame::UpdatePointerEvents();
  EXPECT_EQ(CGame::keysPressed, 0) << "only the title";
}

}  // namespace
}  // namespace sorv::test
