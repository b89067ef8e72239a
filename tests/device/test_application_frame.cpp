#include <gtest/gtest.h>

#include "device/canvas.h"
#include "device/display.h"
#include "device/graphics.h"
#include "device/midlet.h"
#include "device/screen_image.h"
#include "runtime/collector.h"
#include "runtime/stress.h"
#include "app/probe_midlet.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::LogCapture;
using test::RuntimeTest;

// A canvas that counts what it receives.
class CountingCanvas : public Canvas {
 public:
  static constexpr ClassId kClassId = kCanvas;
  int32_t paints = 0;
  int32_t lastKey = 0;
  int32_t releasedKey = 0;
  void paint(Graphics* g) override {
    paints++;
    // The paint may move the Graphics; the next frame starts from the origin again.
    g->translate(17, 9);
    g->setClip(3, 3, 4, 4);
    g->setColor(0x123456);
  }
  void keyPressed(int32_t k) override { lastKey = k; }
  void keyReleased(int32_t k) override { releasedKey = k; }
};

class ApplicationFrame : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    pixels_.assign(480 * 800, 0);
    auto* screen = newObject<ScreenImage>();
    ASSERT_TRUE(screen->attachPixels(480, 800, pixels_.data()));
    Application::createScreenGraphics(app_, screen);
    ASSERT_NE(app_->m_screenGraphics, nullptr);
  }
  Graphics* screenGraphics() { return static_cast<Graphics*>(app_->m_screenGraphics); }
  uint64_t collections() { return app_->objectManager->collections(); }

  std::vector<uint16_t> pixels_;
};

TEST_F(ApplicationFrame, CollectsOnEverySecondPaintedFrameOnly) {
  stress::StressOverride plain(false, false);
  auto* canvas = newObject<CountingCanvas>();
  Display::getDisplay(nullptr)->setCurrent(canvas);
  std::vector<int> collectedOn;
  for (int frame = 1; frame <= 6; frame++) {
    uint64_t before = collections();
    Application::paint(app_);
    if (collections() != before) collectedOn.push_back(frame);
  }
  EXPECT_EQ(collectedOn, (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(canvas->paints, 6);
}

TEST_F(ApplicationFrame, EachPaintStartsFromAResetGraphics) {
  auto* canvas = newObject<CountingCanvas>();
  Display::getDisplay(nullptr)->setCurrent(canvas);
  Application::paint(app_);
  Graphics* g = screenGraphics();
  // After the frame only the clip is reset (from the paint's translation); translation and
  // colour are the next frame's to reset.
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipY(), 0);
  EXPECT_EQ(g->getClipWidth(), 480 - 17);
  EXPECT_EQ(g->getColor() & 0xFFFFFF, 0x123456);
  Application::paint(app_);
  EXPECT_EQ(g->getTranslateX(), 17) << "the paint's own translation, from the origin again";
  EXPECT_EQ(g->getTranslateY(), 9);
}

TEST_F(ApplicationFrame, WithoutADisplayablePaintNeitherCountsNorCollects) {
  stress::StressOverride plain(false, false);
  uint64_t before = collections();
  for (int i = 0; i < 4; i++) Application::paint(app_);
  EXPECT_EQ(collections(), before);
  EXPECT_EQ(app_->frameCounter, 0);
}

TEST_F(ApplicationFrame, HashKeyArmsTheProfilerForOneFrameEvenWithoutADisplayable) {
  LogCapture log;
  Application::keyPressed(app_, 35);
  EXPECT_EQ(app_->profiler.armed, 1);
  EXPECT_EQ(app_->collectAfterHash, 1);
  Application::paint(app_);
  EXPECT_EQ(app_->profiler.armed, 0) << "dumped by the paint";
  auto* canvas = newObject<CountingCanvas>();
  Display::getDisplay(nullptr)->setCurrent(canvas);
  Application::keyPressed(app_, 35);
  Application::paint(app_);
  EXPECT_EQ(app_->collectAfterHash, 0);
  EXPECT_EQ(canvas->lastKey, 35);
  Application::keyReleased(app_, -5);
  EXPECT_EQ(canvas->releasedKey, -5);
}

TEST_F(ApplicationFrame, DisplayablesReportTheScreenSize) {
  auto* canvas = newObject<CountingCanvas>();
  EXPECT_EQ(canvas->getWidth(), 480);
  EXPECT_EQ(canvas->getHeight(), 800);
}

// The midlet's life: made and started by startApp, destroyed once by close; after close
// nothing reaches the game any more.
TEST(ApplicationLife, StartAndCloseTwiceAndNothingAfterClose) {
  LogCapture log;
  auto* app = new Application();
  Application::init(app);
  MIDlet::setMainMidletFactory(probe::createProbeMidlet);
  Application::startApp(app);
  EXPECT_TRUE(log.contains("probe: <init>\nApplication::startApp\nprobe: startApp"));
  ASSERT_NE(currentCanvas(), nullptr);
  Application::close(app);
  EXPECT_TRUE(log.contains("Application::close\nApplication::destoryMIDlet\nprobe: destroyApp(1)"));
  log.clear();
  Application::close(app);
  EXPECT_TRUE(log.contains("m_midlet is already NULL."));
  EXPECT_FALSE(log.contains("probe:"));
  Application::paint(app);
  Application::keyPressed(app, 35);
  Application::keyReleased(app, 35);
  EXPECT_EQ(app->profiler.armed, 0);
  EXPECT_FALSE(log.contains("probe:"));
  delete app;
  Application::setInstance(nullptr);
}

TEST(ApplicationLife, StartWithoutAMidletLogsAndGoesOn) {
  LogCapture log;
  auto* app = new Application();
  Application::init(app);
  MIDlet::setMainMidletFactory(nullptr);
  Application::startApp(app);
  EXPECT_TRUE(log.contains("Application::startApp: no midlet"));
  Application::paint(app);
  Application::close(app);
  delete app;
  Application::setInstance(nullptr);
}

TEST_F(ApplicationFrame, ScreenImageRefusesUnusableSizes) {
  LogCapture log;
  auto* screen = newObject<ScreenImage>();
  EXPECT_FALSE(screen->attachPixels(-1, 800, pixels_.data()));
  EXPECT_TRUE(log.contains("length of array should be >= 0"));
  EXPECT_EQ(screen->pixels, nullptr);
  EXPECT_TRUE(screen->attachPixels(479, 2, pixels_.data()));
  EXPECT_EQ(screen->pitch, 960) << "rows of an even number of pixels";
}

// The surface memory is the shell's: a collection of the screen image frees none of it.
TEST_F(ApplicationFrame, CollectingTheScreenImageLeavesTheSurfaceAlone) {
  app_->screenImage = nullptr;
  app_->m_screenGraphics = nullptr;
  test::clobberStack();
  app_->objectManager->gc(0);
  pixels_[0] = 0x1234;  // still ours to write
  EXPECT_EQ(pixels_[0], 0x1234);
}

}  // namespace
}  // namespace sorv
