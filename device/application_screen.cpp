// The Application's screen, key and midlet parts: they call the device classes (Graphics,
// Canvas, MIDlet), so they are built with them.
#include "device/canvas.h"
#include "device/graphics.h"
#include "device/image.h"
#include "device/midlet.h"
#include "runtime/application.h"
#include "runtime/class_table.h"
#include "runtime/collector.h"
#include "runtime/log.h"

namespace sorv {
namespace {

constexpr int32_t kCollectEveryFrame = 1;
constexpr int32_t kCollectAfterHash = 5;
constexpr int32_t kHashKey = 35;
constexpr int32_t kResetColour = 0xFFFFFF;

// A closed runtime (or one that never started) takes no more frames or keys.
bool isRunning(const Application* app) { return app != nullptr && app->objectManager != nullptr; }

void clipToScreen(Application* app) {
  auto* g = static_cast<Graphics*>(app->m_screenGraphics);
  auto* screen = static_cast<Image*>(app->screenImage);
  if (isNull(g) || isNull(screen)) return;
  g->setClip(0, 0, screen->getWidth(), screen->getHeight());
}

}  // namespace

void Application::createScreenGraphics(Application* app, Object* image) {
  app->screenImage = image;
  Debug::trace("m_screenGraphics");
  Graphics* g = newObject<Graphics>();
  if (g != nullptr) g->init(static_cast<Image*>(app->screenImage));
  app->m_screenGraphics = g;
}

void Application::startApp(Application* app) {
  MIDlet::Factory factory = MIDlet::mainMidletFactory();
  MIDlet* midlet = factory != nullptr ? factory() : nullptr;
  app->m_midlet = midlet;
  Debug::trace("Application::startApp");
  if (midlet == nullptr) {
    Debug::trace("Application::startApp: no midlet");
    return;
  }
  midlet->startApp();
  dropUncaught("Application::startApp");
}

void Application::paint(Application* app) {
  if (!isRunning(app)) return;
  if (app->currentDisplayable != nullptr && instanceOf(app->currentDisplayable, kCanvas)) {
    auto* g = static_cast<Graphics*>(app->m_screenGraphics);
    if (!isNull(g)) {
      g->translate(-g->getTranslateX(), -g->getTranslateY());
      clipToScreen(app);
      g->setColor(kResetColour);
    }
    static_cast<Canvas*>(app->currentDisplayable)->paint(g);
    dropUncaught("Application::paint");
    app->frameCounter++;
    if (app->frameCounter > 1) {
      app->objectManager->gc(app->collectAfterHash != 0 ? kCollectAfterHash : kCollectEveryFrame);
      app->frameCounter = 0;
    }
    app->collectAfterHash = 0;
  }
  if (app->profiler.armed != 0) {
    app->profiler.armed = 0;
    app->profiler.dump();
  }
  clipToScreen(app);
}

void Application::keyPressed(Application* app, int32_t keyCode) {
  if (!isRunning(app)) return;
  if (instanceOf(app->currentDisplayable, kCanvas)) {
    static_cast<Canvas*>(app->currentDisplayable)->keyPressed(keyCode);
    dropUncaught("Application::keyPressed");
  }
  if (keyCode == kHashKey) {
    app->profiler.eventCount = 0;
    app->profiler.depth = 0;
    app->profiler.armed = 1;
    app->collectAfterHash = 1;
  }
}

void Application::keyReleased(Application* app, int32_t keyCode) {
  if (!isRunning(app)) return;
  if (instanceOf(app->currentDisplayable, kCanvas)) {
    static_cast<Canvas*>(app->currentDisplayable)->keyReleased(keyCode);
    dropUncaught("Application::keyReleased");
  }
}

}  // namespace sorv
