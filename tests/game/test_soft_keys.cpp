// The soft-key boxes: a release inside sends its key once, five frames later; where the
// boxes are skipped; the tall boxes of the player selection; press and drag states.
#include "tests/game/boot_fixture.h"

namespace sorv::test {
namespace {

class SoftKeyTest : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    setState(kMenuState);
    CGame::softLeftState = CGame::softRightState = -1;
    CGame::softKeyCounter = 0;
    CGame::leftSoftKeyOff = false;
    CGame::scrollStringX = CGame::kTickerIdle;
  }

  static constexpr int32_t kMenuState = 8;
  static constexpr int32_t kLeft = 100, kRight = 700, kBarY = 450;

  // Stylus events at game points (the panel is turned: game (x, y) is panel (480 - y, x)).
  static void press(int32_t x, int32_t y) { CGame::gameCanvas->pointerPressed(480 - y, x); }
  static void release(int32_t x, int32_t y) { CGame::gameCanvas->pointerReleased(480 - y, x); }
  static void drag(int32_t x, int32_t y) { CGame::gameCanvas->pointerDragged(480 - y, x); }

  // Frames of the soft-key step; the soft-key bits pressed in each.
  static std::vector<int32_t> frames(int n) {
    std::vector<int32_t> pressed;
    for (int i = 0; i < n; i++) {
      CGame::detectSoftKeys();
      pressed.push_back(CGame::keysPressed & (CGame::kKeySoftLeft | CGame::kKeySoftRight));
      CGame::key_updateKey();
    }
    return pressed;
  }
};

TEST_F(SoftKeyTest, ReleasedRightBoxSendsBackOnceFiveFramesLater) {
  release(kRight, kBarY);
  const std::vector<int32_t> pressed = frames(8);
  EXPECT_EQ(pressed, (std::vector<int32_t>{0, 0, 0, 0, CGame::kKeySoftRight, 0, 0, 0}));
  EXPECT_EQ(CGame::softRightState, 1);
  EXPECT_GE(CGame::softKeyCounter, CGame::kSoftKeySent);
  EXPECT_EQ(CGame::scrollStringX, 800);
  EXPECT_EQ(CGame::releaseX, -1);  // consumed
}

TEST_F(SoftKeyTest, LeftBoxAndWhereItIsSkipped) {
  struct Case {
    const char* what;
    int32_t state, screen;
    bool leftOff;
    bool sent;
  };
  const Case cases[] = {
      {"a menu", kMenuState, -1, false, true},     {"screen 2", kMenuState, 2, false, false},
      {"screen 4", kMenuState, 4, false, false},   {"screen 22", kMenuState, 22, false, false},
      {"screen 25", kMenuState, 25, false, false}, {"screen 26", kMenuState, 26, false, false},
      {"screen 27", kMenuState, 27, false, false}, {"screen 31", kMenuState, 31, false, false},
      {"screen 63", kMenuState, 63, false, false}, {"switched off", kMenuState, -1, true, false},
      {"records", 10, 12, false, false},          {"achievements", 60, -1, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setState(c.state);
    CGame::menuScreenCode = c.screen;
    CGame::leftSoftKeyOff = c.leftOff;
    CGame::softLeftState = -1;
    CGame::softKeyCounter = 0;
    release(kLeft, kBarY);
    const std::vector<int32_t> pressed = frames(6);
    EXPECT_EQ(pressed[4], c.sent ? CGame::kKeySoftLeft : 0);
    EXPECT_EQ(CGame::softLeftState, c.sent ? 1 : -1);
    CGame::key_resetKey();
  }
}

TEST_F(SoftKeyTest, RightBoxSkips) {
  struct Case {
    int32_t state, screen;
    bool taken;
  };
  const Case cases[] = {{kMenuState, 26, false}, {kMenuState, 27, false}, {kMenuState, 64, false},
                        {kMenuState, 65, false}, {9, -1, false},          {61, -1, false},
                        {62, -1, false},         {10, 5, false},          {10, 12, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.state << "/" << c.screen);
    setState(c.state);
    CGame::menuScreenCode = c.screen;
    CGame::softRightState = -1;
    release(kRight, kBarY);
    CGame::detectSoftKeys();
    EXPECT_EQ(CGame::softRightState, c.taken ? 1 : -1);
    CGame::key_resetKey();
  }
}

TEST_F(SoftKeyTest, PlayerSelectionHasTallerBoxes) {
  for (int32_t state : {52, 54, kMenuState}) {
    SCOPED_TRACE(state);
    setState(state);
    CGame::softRightState = -1;
    release(kRight, 415);
    CGame::detectSoftKeys();
    EXPECT_EQ(CGame::softRightState, state == kMenuState ? -1 : 1);
    CGame::key_resetKey();
  }
}

TEST_F(SoftKeyTest, PressTouchesAndDragAwayLeaves) {
  press(kRight, kBarY);
  CGame::detectSoftKeys();
  EXPECT_EQ(CGame::softRightState, 0);
  drag(400, 200);
  CGame::detectSoftKeys();
  EXPECT_EQ(CGame::softRightState, -1);
  drag(kRight, kBarY);
  CGame::detectSoftKeys();
  EXPECT_EQ(CGame::softRightState, 0);
  EXPECT_EQ(frames(6), std::vector<int32_t>(6, 0));  // no release, no key
}

TEST_F(SoftKeyTest, NothingWhereSoftKeysAreNotTaken) {
  struct Case {
    int32_t state, screen;
  };
  const Case cases[] = {{kMenuState, 1}, {kMenuState, 20}, {kMenuState, 28}, {2, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.state << "/" << c.screen);
    setState(c.state);
    CGame::menuScreenCode = c.screen;
    release(kRight, kBarY);
    EXPECT_EQ(frames(6), std::vector<int32_t>(6, 0));
    EXPECT_EQ(CGame::softRightState, -1);
    EXPECT_EQ(CGame::releaseX, kRight);  // left for the screen
    CGame::key_resetKey();
  }
}

}  // namespace
}  // namespace sorv::test
