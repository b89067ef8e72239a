// A started Shell on SDL's dummy driver with the probe midlet, the virtual clock, a fresh
// set of phone windows and key messages, and the trace and log captured. The window is the
// desktop's default, turned view; mouse events are pushed where the window shows the panel
// pixel they name.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "device/canvas.h"
#include "device/midlet.h"
#include "device/platform/display_orientation.h"
#include "device/platform/key_messages.h"
#include "device/platform/panel_window.h"
#include "device/platform/paths.h"
#include "device/platform/power_state.h"
#include "device/platform/trace.h"
#include "device/platform/windows.h"
#include "device/shell.h"
#include "runtime/clock.h"
#include "app/probe_midlet.h"
#include "tests/support/runtime_fixture.h"

namespace sorv::test {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SORV_AUDIO", "null", 1);
    if (panel_ != nullptr) {
      setenv("SORV_PANEL", panel_, 1);
    } else {
      unsetenv("SORV_PANEL");
    }
    char dir[] = "/tmp/sorv-shell-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    root_ = dir;
    platform::setRootDir(root_);
    platform::setTracePath(root_ + "/trace.txt");
    clock::setVirtual(true);
    platform::setPowerState("on");
    platform::setDisplayOrientation(0);
    platform::resetWindows();
    platform::clearKeyMessages();
    MIDlet::setMainMidletFactory(probe::createProbeMidlet);
    shell_ = new Shell();
    ASSERT_TRUE(shell_->start());
    ASSERT_NE(currentCanvas(), nullptr);
    startLog_ = log_.text();
    clearTrace();
    log_.clear();
  }

  void TearDown() override {
    shell_->closeApplication();
    shell_->destroy();
    delete shell_;
    platform::setTracePath("");
    platform::setRootDir("");
    platform::setPowerState("");
    unsetenv("SORV_PANEL");
    std::string cmd = "rm -rf '" + root_ + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }

  std::string trace() const {
    std::ifstream in(root_ + "/trace.txt");
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }
  void clearTrace() { std::ofstream(root_ + "/trace.txt", std::ios::trunc); }
  bool traced(const std::string& s) const { return trace().find(s) != std::string::npos; }
  bool logged(const std::string& s) const { return log_.contains(s); }

  void pushFocus(bool gain, uint8_t state = SDL_APPINPUTFOCUS | SDL_APPACTIVE) {
    SDL_Event e{};
    e.active.type = SDL_ACTIVEEVENT;
    e.active.gain = gain ? 1 : 0;
    e.active.state = state;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
  }
  void pushButton(bool down, int32_t x, int32_t y, uint8_t button = SDL_BUTTON_LEFT) {
    platform::windowPointOfPanel(x, y);
    SDL_Event e{};
    e.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
  }
  void pushMotion(int32_t x, int32_t y, uint8_t buttons) {
    platform::windowPointOfPanel(x, y);
    SDL_Event e{};
    e.motion.type = SDL_MOUSEMOTION;
    e.motion.state = buttons;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
  }

  const char* panel_ = nullptr;  // SORV_PANEL for the start, unset when null
  LogCapture log_;
  std::string startLog_;  // what the start logged
  Shell* shell_ = nullptr;
  std::string root_;
};

}  // namespace sorv::test
