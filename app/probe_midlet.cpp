#include "app/probe_midlet.h"

#include <string>

#include "device/display.h"
#include "device/graphics.h"
#include "device/image.h"
#include "device/shell.h"
#include "runtime/log.h"
#include "runtime/string.h"

namespace sorv::probe {

StaticRef<Image> ProbeCanvas::backBuffer;
StaticRef<ProbeCanvas> ProbeMidlet::canvas;

namespace {

StaticRef<ProbeMidlet> gMidlet;

constexpr int32_t kQuarterWidth = 400;
constexpr int32_t kQuarterHeight = 240;
constexpr int32_t kTransRot90 = 5;
constexpr int32_t kTopLeft = 20;

void fillPattern(Image* image) {
  PixelView16 view = image->view16();
  for (int32_t y = 0; y < view.height; y++) {
    for (int32_t x = 0; x < view.width; x++) view.pixels[y * view.pitch + x] = patternAt(x, y);
  }
}

void requestBrowser(const std::string& url) {
  String* address = String::fromCString(url.c_str());
  bool started = MIDlet::platformRequest(address);
  Debug::trace("probe: platformRequest returned %d", started ? 1 : 0);
}

}  // namespace

uint16_t patternAt(int32_t x, int32_t y) {
  const uint32_t red = static_cast<uint32_t>(x) & 31;
  const uint32_t green = static_cast<uint32_t>(y) & 63;
  const uint32_t blue = static_cast<uint32_t>((x >> 5) + 3 * (y >> 6)) & 31;
  return static_cast<uint16_t>(red << 11 | green << 5 | blue);
}

MIDlet* createProbeMidlet() {
  ProbeMidlet* midlet = newObject<ProbeMidlet>();
  gMidlet = midlet;
  if (midlet != nullptr) MIDlet::init(midlet);
  Debug::trace("probe: <init>");
  return midlet;
}

void ProbeMidlet::startApp() {
  Debug::trace("probe: startApp");
  canvas = newObject<ProbeCanvas>();
  Display* display = Display::getDisplay(this);
  if (display != nullptr) display->setCurrent(canvas);
}

void ProbeMidlet::destroyApp(bool unconditional) {
  Debug::trace("probe: destroyApp(%d)", unconditional ? 1 : 0);
  MIDlet::notifyDestroyed();
}

void ProbeCanvas::sizeChanged(int32_t w, int32_t h) { Debug::trace("probe: sizeChanged(%d, %d)", w, h); }
void ProbeCanvas::keyPressed(int32_t k) { Debug::trace("probe: keyPressed(%d)", k); }

void ProbeCanvas::keyReleased(int32_t k) {
  Debug::trace("probe: keyReleased(%d)", k);
  if (k == '0') MIDlet::notifyDestroyed();
  if (k == '1') requestBrowser(kShortUrl);
  if (k == '2') requestBrowser("http://example.com/" + std::string(200 - 19, 'x'));
}

void ProbeCanvas::pointerPressed(int32_t x, int32_t y) { Debug::trace("probe: pointerPressed(%d, %d)", x, y); }
void ProbeCanvas::pointerReleased(int32_t x, int32_t y) { Debug::trace("probe: pointerReleased(%d, %d)", x, y); }
void ProbeCanvas::pointerDragged(int32_t x, int32_t y) { Debug::trace("probe: pointerDragged(%d, %d)", x, y); }
void ProbeCanvas::showNotify() { Debug::trace("probe: showNotify"); }
void ProbeCanvas::hideNotify() { Debug::trace("probe: hideNotify"); }

void ProbeCanvas::paint(Graphics* g) {
  Debug::trace("probe: paint");
  if (isNull(backBuffer) || g == nullptr) return;
  // Game x runs down the panel and game y leftwards from its right edge.
  for (int32_t qy = 0; qy < 2; qy++) {
    for (int32_t qx = 0; qx < 2; qx++) {
      g->drawRegion(backBuffer, qx * kQuarterWidth, qy * kQuarterHeight, kQuarterWidth, kQuarterHeight,
                    kTransRot90, Shell::kScreenWidth - (qy + 1) * kQuarterHeight, qx * kQuarterWidth, kTopLeft);
    }
  }
}

void ProbeCanvas::run() {
  if (isNull(backBuffer)) {
    backBuffer = Image::createImage(kGameWidth, kGameHeight);
    if (!isNull(backBuffer)) fillPattern(backBuffer);
  }
  runs++;
  if (Shell* shell = Shell::instance()) shell->flushScreen();
}

void* ProbeCanvas::getInterface(int32_t classId) {
  return classId == kRunnable ? static_cast<Runnable*>(this) : nullptr;
}

}  // namespace sorv::probe
