// The probe: a stand-in midlet and canvas for the shell's tests (in process, and through
// sorv-headless --probe). It logs every call it receives ("probe: <call>") and paints
// a coordinate-coded 800x480 back buffer onto the screen in four quarters turned by 90
// degrees, as the game does.
//
// Keys (released): '0' notifies destruction, '1' asks the browser for a short address,
// '2' for one of 200 characters (one too many for the command line).
#pragma once

#include <cstdint>

#include "device/canvas.h"
#include "device/image.h"
#include "device/midlet.h"
#include "runtime/runnable.h"

namespace sorv::probe {

constexpr int32_t kGameWidth = 800;
constexpr int32_t kGameHeight = 480;
constexpr const char* kShortUrl = "http://example.com/probe";

// The RGB565 colour of game pixel (x, y).
uint16_t patternAt(int32_t x, int32_t y);

// The midlet factory for MIDlet::setMainMidletFactory.
MIDlet* createProbeMidlet();

class ProbeCanvas : public Canvas, public Runnable {
 public:
  static constexpr ClassId kClassId = kCGame;

  // Static, not a field: the probe shares its class ids with the game's classes, which are
  // linked beside it and declare their own reference fields.
  static StaticRef<Image> backBuffer;
  int32_t runs = 0;

  void sizeChanged(int32_t w, int32_t h) override;
  void keyPressed(int32_t keyCode) override;
  void keyReleased(int32_t keyCode) override;
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void pointerDragged(int32_t x, int32_t y) override;
  void showNotify() override;
  void hideNotify() override;
  void paint(Graphics* g) override;
  void run() override;
  void* getInterface(int32_t classId) override;
};

class ProbeMidlet : public MIDlet {
 public:
  static constexpr ClassId kClassId = kZentuKR09;

  static StaticRef<ProbeCanvas> canvas;

  void startApp() override;
  void destroyApp(bool unconditional) override;
};

}  // namespace sorv::probe
