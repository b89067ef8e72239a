// Test support for the court's drawing and the match's entry: a loaded match started as the
// loader would start it, frames of the match run into the back buffer, a log capture, and
// picture hashes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "device/graphics.h"
#include "device/image.h"
#include "game/cgame.h"
#include "match/ctennis.h"
#include "tests/match/loading_fixture.h"

namespace sorv::test {

class CourtTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    log_ = std::make_unique<LogCapture>();
  }
  void TearDown() override {
    log_.reset();
    LoadingTest::TearDown();
  }

  // A loaded match of the category on the court, started from a menu choice that starts at
  // once (1): the players are at the start of their entry.
  static void startMatch(int32_t category, int32_t court) {
    loadAll(category, court);
    CGame::mainMenuChoice = 1;
    CTennis::skipRequested = false;
    CGame::keysPressed = 0;
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::startFormalMatch();
  }
  // One match frame into the back buffer.
  static int32_t frame() {
    CGame::gfx = CGame::backBufferGraphics;
    CTennis::matchFrame++;
    return CGame::matchObject->update();
  }
  size_t logged(const std::string& word) const {
    const std::string text = log_->text();
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) n++;
    return n;
  }

  static void clearBackBuffer(uint32_t colour) {
    Graphics* g = CGame::backBufferGraphics;
    g->setClip(0, 0, CGame::kGameWidth, CGame::kGameHeight);
    g->setColor(static_cast<int32_t>(colour));
    g->fillRect(0, 0, CGame::kGameWidth, CGame::kGameHeight);
  }
  static bool backBufferIs(uint32_t colour) {
    const uint16_t want = rgb565(colour);
    for (int32_t y = 0; y < CGame::kGameHeight; y++)
      for (int32_t x = 0; x < CGame::kGameWidth; x++)
        if (pixelOf(CGame::backBuffer, x, y) != want) return false;
    return true;
  }
  static uint16_t rgb565(uint32_t colour) { return pixel::toRgb565(0xFF000000u | colour); }
  static uint16_t pixel(Image* image, int32_t x, int32_t y) { return pixelOf(image, x, y); }
  // Pixels of the back buffer inside a box (clipped to it) that are not black.
  static int32_t inked(int32_t x, int32_t y, int32_t w, int32_t h) {
    int32_t n = 0;
    for (int32_t j = std::max(y, 0); j < std::min(y + h, CGame::kGameHeight); j++)
      for (int32_t i = std::max(x, 0); i < std::min(x + w, CGame::kGameWidth); i++) n += pixelOf(CGame::backBuffer, i, j) != 0;
    return n;
  }
  // FNV-1a over the picture's pixels, row by row.
  static uint64_t pictureHash(Image* image) {
    uint64_t h = 1469598103934665603ull;
    for (int32_t y = 0; y < image->getHeight(); y++) {
      for (int32_t x = 0; x < image->getWidth(); x++) {
        h = (h ^ pixelOf(image, x, y)) * 1099511628211ull;
      }
    }
    return h;
  }

  // The attribute card of player 1 (character 0) on the shipped data.
  static constexpr uint64_t kAttrCardHash = 0x8dd669cc6358af3full;
  // Doubles at the 30th frame of the entry, and singles at the serve, on court type 0.
  static constexpr uint64_t kEntrySceneHash = 0x86d4ecdd93f3de1dull, kServeSceneHash = 0x4e14eba3d84aab9full;

 private:
  std::unique_ptr<LogCapture> log_;
};

}  // namespace sorv::test
