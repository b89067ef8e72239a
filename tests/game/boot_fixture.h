// Test support for the canvas, its frame and its states: a started runtime with the game's
// canvas made directly (without the boot state's enter), its back buffer, a portrait screen
// to paint onto, the virtual clock, and the shell's per-frame fields back at their start.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "device/graphics.h"
#include "device/sound_glue.h"
#include "device/image.h"
#include "device/platform/trace.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "runtime/clock.h"
#include "tests/game/game_fixture.h"

namespace sorv::test {

class BootTest : public GameTest {
 protected:
  static constexpr int32_t kNoHandlerState = 1;

  void SetUp() override {
    GameTest::SetUp();
    clock::setVirtual(true);
    resetShell();
  }
  // The boot loads the sounds; the next test's install folder may hold others.
  void TearDown() override {
    GameSound::unloadForTests();
    GameTest::TearDown();
  }

  // The canvas, back buffer and screen; every field of the frame, keys and touch at its
  // first value; the current state one without a handler.
  void resetShell() {
    CGame::gameCanvas = newObject<CGame>();
    CGame::backBuffer = Image::createImage(CGame::kGameWidth, CGame::kGameHeight);
    CGame::backBufferGraphics = CGame::backBuffer->getGraphics();
    CGame::gfx = CGame::backBufferGraphics;
    screen_ = Image::createImage(480, 800);
    CGame::gameRunning = true;
    CGame::inPaint = CGame::hidden = CGame::paused = CGame::debugMessageOn = false;
    CGame::pdbActive = false;
    CGame::frameCounter = CGame::frameDeadline = 0;
    CGame::key_resetKey();
    CGame::keyInputOn = false;
    CGame::pressX = CGame::pressY = CGame::dragX = CGame::dragY = -1;
    CGame::dragDir = 0;
    CGame::menuScreenCode = -1;
    CGame::loadingStep = 0;
    CGame::loadingProgress = 0;
    CGame::soundCountdown = -1;
    CGame::choiceIndex = 0;
    CGame::titleShown = false;
    CTennis::matchEnterField = 0;
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, kNoHandlerState);
  }

  static void setState(int32_t state) {
    CGame::stateTop = 0;
    astore(CGame::stateStack.get(), 0, state);
  }

  // One frame painted onto the portrait screen.
  void frame() { CGame::gameCanvas->paint(screen_->getGraphics()); }
  void frames(int n) {
    for (int i = 0; i < n; i++) frame();
  }

  static uint16_t pixelOf(Image* image, int32_t x, int32_t y) {
    PixelView16 v = image->view16();
    return v.pixels[y * v.pitch + x];
  }
  static void setPixel(Image* image, int32_t x, int32_t y, uint16_t colour) {
    PixelView16 v = image->view16();
    v.pixels[y * v.pitch + x] = colour;
  }

  // A root: the fixture lives outside the scanned stack.
  static inline StaticRef<Image> screen_;
};

}  // namespace sorv::test
