// The desktop window's view of the panel: the picture upright in the turned view, mouse
// positions back in panel pixels, and the raw panel with SORV_PANEL=portrait.
#include <gtest/gtest.h>

#include <vector>

#include "device/platform/panel_window.h"
#include "tests/device/shell_fixture.h"

namespace sorv {
namespace {

using test::ShellTest;

class PortraitShellTest : public ShellTest {
 protected:
  PortraitShellTest() { panel_ = "portrait"; }
};

void pushRawButton(bool down, int x, int y) {
  SDL_Event e{};
  e.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = static_cast<Uint16>(x);
  e.button.y = static_cast<Uint16>(y);
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

// Against the obvious per-pixel reading, on odd sizes and padded rows; the padding beyond
// each window row stays untouched.
TEST(PanelTurn, EveryWindowPixelIsThePanelPixelTurnedBack) {
  const struct {
    int32_t width, height, panelPitch, windowPitch;
  } cases[] = {{480, 800, 480, 800}, {1, 1, 1, 1}, {33, 65, 40, 70}, {64, 31, 64, 33}, {7, 100, 9, 100}};
  for (const auto& c : cases) {
    std::vector<uint16_t> panel(size_t(c.panelPitch) * c.height);
    for (size_t i = 0; i < panel.size(); i++) panel[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
    constexpr uint16_t kPadding = 0xA5A5;
    std::vector<uint16_t> window(size_t(c.windowPitch) * c.width, kPadding);
    platform::turnPanelIntoWindow(panel.data(), c.width, c.height, c.panelPitch, window.data(), c.windowPitch);
    int wrong = 0;
    for (int32_t wy = 0; wy < c.width; wy++) {
      for (int32_t wx = 0; wx < c.windowPitch; wx++) {
        const uint16_t expected =
            wx < c.height ? panel[size_t(wx) * c.panelPitch + (c.width - 1 - wy)] : kPadding;
        if (window[size_t(wy) * c.windowPitch + wx] != expected) wrong++;
      }
    }
    EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
  }
}

TEST_F(ShellTest, TheWindowIsTheLandscapePictureUpright) {
  SDL_Surface* window = platform::windowSurface();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(platform::panelView(), platform::PanelView::turned);
  EXPECT_EQ(window->w, 800);
  EXPECT_EQ(window->h, 480);
  EXPECT_EQ(shell_->surface->w, Shell::kScreenWidth) << "the game draws on the phone's panel";
  EXPECT_EQ(shell_->surface->h, Shell::kScreenHeight);
  static_cast<probe::ProbeCanvas*>(currentCanvas())->run();
  int wrong = 0;
  for (int y = 0; y < window->h; y++) {
    const auto* row = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(window->pixels) + y * window->pitch);
    for (int x = 0; x < window->w; x++) {
      if (row[x] != probe::patternAt(x, y)) wrong++;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(ShellTest, WindowPositionsArePanelPixelsBothWays) {
  const struct {
    int32_t windowX, windowY, panelX, panelY;
  } cases[] = {{0, 0, 479, 0}, {799, 479, 0, 799}, {799, 0, 479, 799}, {0, 479, 0, 0}, {700, 100, 379, 700}};
  for (const auto& c : cases) {
    int32_t x = c.windowX, y = c.windowY;
    platform::panelPointOfWindow(x, y);
    EXPECT_EQ(x, c.panelX) << c.windowX << "," << c.windowY;
    EXPECT_EQ(y, c.panelY) << c.windowX << "," << c.windowY;
    platform::windowPointOfPanel(x, y);
    EXPECT_EQ(x, c.windowX);
    EXPECT_EQ(y, c.windowY);
  }
  // Off the window: pulled onto its edge, never a position off the panel.
  const struct {
    int32_t windowX, windowY, panelX, panelY;
  } off[] = {{-5, -5, 479, 0}, {900, 600, 0, 799}, {65535, 10, 469, 799}};
  for (const auto& c : off) {
    int32_t x = c.windowX, y = c.windowY;
    platform::panelPointOfWindow(x, y);
    EXPECT_EQ(x, c.panelX) << c.windowX << "," << c.windowY;
    EXPECT_EQ(y, c.panelY) << c.windowX << "," << c.windowY;
  }
}

// A click on the window reaches the game at the panel pixel under it: the game maps panel
// (x, y) to its point (y, 479 - x), which is where the player clicked.
TEST_F(ShellTest, AClickInTheWindowReachesTheGameAsThePanelPixelUnderIt) {
  pushRawButton(true, 700, 100);
  SDL_Event drag{};
  drag.motion.type = SDL_MOUSEMOTION;
  drag.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
  drag.motion.x = 710;
  drag.motion.y = 95;
  drag.motion.xrel = 10;
  drag.motion.yrel = -5;
  ASSERT_EQ(SDL_PushEvent(&drag), 0);
  pushRawButton(false, 710, 95);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(379, 700)")) << log_.text();
  EXPECT_TRUE(logged("probe: pointerDragged(384, 710)"));
  EXPECT_TRUE(logged("probe: pointerReleased(384, 710)"));
}

TEST_F(PortraitShellTest, PortraitShowsTheRawPanelAndLeavesPositionsAlone) {
  EXPECT_EQ(platform::panelView(), platform::PanelView::portrait);
  EXPECT_EQ(platform::windowSurface(), shell_->surface);
  EXPECT_EQ(shell_->surface->w, Shell::kScreenWidth);
  EXPECT_EQ(shell_->surface->h, Shell::kScreenHeight);
  static_cast<probe::ProbeCanvas*>(currentCanvas())->run();
  const auto* panel = static_cast<const uint16_t*>(shell_->surface->pixels);
  EXPECT_EQ(panel[479], probe::patternAt(0, 0));
  pushRawButton(true, 7, 8);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(7, 8)"));
}

}  // namespace
}  // namespace sorv
