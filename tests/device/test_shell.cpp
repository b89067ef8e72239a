#include <gtest/gtest.h>

#include "device/graphics.h"
#include "device/image.h"
#include "device/platform/wave_out.h"
#include "runtime/application.h"
#include "tests/device/shell_fixture.h"

namespace sorv {
namespace {

using test::ShellTest;

// Each pass takes at most one key message, so the game sees a press and its release in two
// different frames.
TEST_F(ShellTest, KeyDownAndUpQueuedTogetherReachTheCanvasInSeparatePasses) {
  platform::postKeyMessage(platform::kWmKeyDown, 13);
  platform::postKeyMessage(platform::kWmKeyUp, 13);
  const int64_t before = clock::millis();
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: keyPressed(-5)"));
  EXPECT_FALSE(logged("probe: keyReleased"));
  EXPECT_EQ(clock::millis() - before, 5);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: keyReleased(-5)"));
  // The fire key's release minimises nothing.
  EXPECT_FALSE(traced("minimize"));
  EXPECT_FALSE(traced("iconify"));
}

// Host keys go to the window's key queue as the phone's virtual keys; every other event stays
// in SDL's queue for the next pass that polls it.
TEST_F(ShellTest, HostKeyEventsBecomeKeyMessagesAndOtherEventsWait) {
  SDL_Event key{};
  key.key.type = SDL_KEYDOWN;
  key.key.state = SDL_PRESSED;
  key.key.keysym.sym = SDLK_F5;  // not a phone key: dropped
  ASSERT_EQ(SDL_PushEvent(&key), 0);
  key.key.keysym.sym = SDLK_RETURN;
  ASSERT_EQ(SDL_PushEvent(&key), 0);
  pushButton(true, 7, 8);
  key.key.type = SDL_KEYUP;
  key.key.state = SDL_RELEASED;
  ASSERT_EQ(SDL_PushEvent(&key), 0);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: keyPressed(53)")) << "Return is the phone's 5";
  EXPECT_FALSE(logged("probe: pointerPressed"));
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: keyReleased(53)"));
  EXPECT_FALSE(logged("probe: pointerPressed"));
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(7, 8)"));
  EXPECT_FALSE(logged("probe: keyPressed(116)")) << "F5 has no phone key";
}

TEST_F(ShellTest, CharMessageIsDroppedAndTheSamePassPollsEvents) {
  platform::postKeyMessage(platform::kWmChar, 'a');
  pushButton(true, 5, 6);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(5, 6)"));
  platform::KeyMessage left;
  EXPECT_FALSE(platform::peekKeyMessage(left, false));
}

TEST(ShellKeys, VirtualKeysBecomeMidpKeyCodes) {
  const struct {
    int32_t vk, midp;
  } cases[] = {{13, -5}, {38, -1}, {40, -2}, {37, -3}, {39, -4}, {112, -6}, {113, -7},
               {96, '0'}, {101, '5'}, {105, '9'}, {119, '*'}, {120, '#'},
               {65, 65}, {90, 90}, {48, 48}, {114, 114}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(Shell::translateKey(c.vk), c.midp) << c.vk;
}

TEST(ShellKeys, HostKeysBecomeThePhonesVirtualKeys) {
  const struct {
    int sdl;
    uint32_t vk;
  } cases[] = {{SDLK_RETURN, '5'}, {SDLK_KP_ENTER, '5'}, {SDLK_UP, '2'},  {SDLK_DOWN, '8'},
               {SDLK_LEFT, '4'},  {SDLK_RIGHT, '6'},   {SDLK_KP8, 104},  {SDLK_KP5, 101},
               {SDLK_F1, 112},    {SDLK_F2, 113},      {SDLK_a, 'A'},    {SDLK_z, 'Z'},
               {SDLK_0, '0'},     {SDLK_9, '9'},       {SDLK_KP0, 96},   {SDLK_KP9, 105},
               {SDLK_ASTERISK, 119}, {SDLK_KP_MULTIPLY, 119}, {SDLK_HASH, 120},
               {SDLK_ESCAPE, 27}, {SDLK_HOME, 36},     {SDLK_LSUPER, 91}, {SDLK_RSUPER, 92},
               {SDLK_F3, 114},    {SDLK_F4, 115},      {SDLK_F6, 117},   {SDLK_F7, 118},
               {SDLK_F5, 0},      {SDLK_TAB, 0}};
  for (const auto& c : cases) EXPECT_EQ(platform::virtualKeyOf(c.sdl), c.vk) << c.sdl;
}

TEST(ShellKeys, VolumeStepsStopAtTheLimits) {
  const struct {
    uint32_t channel, up, down;
  } cases[] = {{0, 6553, 0},          {6553, 13106, 0},   {6554, 13107, 1},
               {58980, 65533, 52427}, {58981, 0xFFFF, 52428}, {0xFFFF, 0xFFFF, 58982}};
  for (const auto& c : cases) {
    const uint32_t both = c.channel | c.channel << 16;
    EXPECT_EQ(Shell::volumeUp(both), c.up | c.up << 16) << c.channel;
    EXPECT_EQ(Shell::volumeDown(both), c.down | c.down << 16) << c.channel;
  }
  // The channels step on their own.
  EXPECT_EQ(Shell::volumeUp(0xFFFF0000u), 0xFFFF1999u);
}

// What the shell itself does when a hardware key is released.
TEST_F(ShellTest, HardwareKeyActionsOnRelease) {
  const struct {
    uint32_t vk;
    bool iconify, minimize;
    const char* launch;
  } cases[] = {{36, true, true, nullptr},  {27, true, true, nullptr},   {91, true, true, nullptr},
               {115, true, false, nullptr}, {92, false, true, nullptr}, {13, false, false, nullptr},
               {114, false, false, "shell-execute \\Windows\\cprog.exe"}, {65, false, false, nullptr}};
  for (const auto& c : cases) {
    clearTrace();
    platform::setForegroundWindow(shell_->windowHandle);
    platform::postKeyMessage(platform::kWmKeyUp, c.vk);
    shell_->pumpEvents(5);
    EXPECT_EQ(traced("iconify class=KestovanGame"), c.iconify) << c.vk;
    EXPECT_EQ(traced("cmd=minimize"), c.minimize) << c.vk;
    EXPECT_EQ(traced("shell-execute"), c.launch != nullptr) << c.vk;
    if (c.launch != nullptr) {
      EXPECT_TRUE(traced(c.launch));
    }
  }
}

TEST_F(ShellTest, VolumeKeysChangeTheOutputVolume) {
  platform::setWaveOutMode(platform::WaveOutMode::null);
  ASSERT_EQ(platform::waveOutSetVolume(platform::kWaveDevice0, 0xE664E665u), platform::WaveResult::ok);
  platform::postKeyMessage(platform::kWmKeyUp, 117);
  shell_->pumpEvents(5);
  uint32_t volume = 0;
  ASSERT_EQ(platform::waveOutGetVolume(platform::kWaveDevice0, &volume), platform::WaveResult::ok);
  EXPECT_EQ(volume, 0xFFFDFFFFu);
  platform::postKeyMessage(platform::kWmKeyUp, 118);
  shell_->pumpEvents(5);
  platform::waveOutGetVolume(platform::kWaveDevice0, &volume);
  EXPECT_EQ(volume, 0xE664E666u);
  platform::setWaveOutMode(platform::WaveOutMode::automatic);
}

// The video library reports the window in front from the start and sends no event for it;
// the game must hear it all the same, or the window would never show a frame.
TEST_F(ShellTest, AWindowInFrontAtStartIsActiveAndTheGameIsTold) {
  EXPECT_TRUE(shell_->active);
  EXPECT_NE(startLog_.find("probe: startApp\nprobe: showNotify"), std::string::npos) << startLog_;
  EXPECT_TRUE(shell_->skipFirstDeactivation) << "the phone's first deactivation is still swallowed";
  auto* canvas = static_cast<probe::ProbeCanvas*>(currentCanvas());
  canvas->run();
  const auto* panel = static_cast<const uint16_t*>(shell_->surface->pixels);
  const auto* window = static_cast<const uint16_t*>(platform::windowSurface()->pixels);
  EXPECT_EQ(panel[479], probe::patternAt(0, 0)) << "the first frame is drawn";
  EXPECT_EQ(window[0], probe::patternAt(0, 0)) << "and shown";
}

TEST_F(ShellTest, FirstFocusLossIsSwallowedTheSecondPausesAndGainResumes) {
  shell_->active = false;
  pushFocus(false);
  pushButton(true, 1, 2);
  int64_t before = clock::millis();
  shell_->pumpEvents(5);
  EXPECT_TRUE(shell_->active);
  EXPECT_FALSE(shell_->skipFirstDeactivation);
  EXPECT_EQ(clock::millis(), before) << "the swallowed loss ends the pass without the delay";
  EXPECT_FALSE(logged("probe: pointerPressed")) << "later events wait for the next pass";
  EXPECT_FALSE(logged("probe: hideNotify"));
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(1, 2)"));

  pushFocus(false);
  shell_->pumpEvents(5);
  EXPECT_FALSE(shell_->active);
  EXPECT_TRUE(logged("probe: hideNotify"));
  EXPECT_TRUE(traced("show-window class=MS_SIPBUTTON cmd=show"));
  EXPECT_TRUE(traced("show-window class=HHTaskBar cmd=show"));

  clearTrace();
  pushFocus(true);
  shell_->pumpEvents(5);
  EXPECT_TRUE(shell_->active);
  EXPECT_TRUE(logged("probe: showNotify"));
  EXPECT_TRUE(traced("show-window class=SipWndClass cmd=hide"));
  EXPECT_TRUE(traced("show-window class=MS_SIPBUTTON cmd=hide"));
}

TEST_F(ShellTest, MouseFocusAloneIsNoLossOfTheForeground) {
  shell_->skipFirstDeactivation = false;
  shell_->active = true;
  pushFocus(false, SDL_APPMOUSEFOCUS);
  shell_->pumpEvents(5);
  EXPECT_TRUE(shell_->active);
  EXPECT_FALSE(logged("probe: hideNotify"));
}

TEST_F(ShellTest, UnattendedPowerPausesAndItsEndResumes) {
  platform::setPowerState("unattended");
  shell_->pumpEvents(5);
  EXPECT_TRUE(shell_->powerPaused);
  EXPECT_TRUE(logged("probe: hideNotify"));
  EXPECT_TRUE(traced("show-window class=HHTaskBar cmd=show"));
  log_.clear();
  shell_->pumpEvents(5);
  EXPECT_FALSE(logged("probe: hideNotify")) << "paused once, not on every pass";
  clearTrace();
  platform::setPowerState("on");
  shell_->pumpEvents(5);
  EXPECT_FALSE(shell_->powerPaused);
  EXPECT_TRUE(logged("probe: showNotify"));
  EXPECT_TRUE(traced("show-window class=HHTaskBar cmd=hide"));
}

TEST_F(ShellTest, PowerStateIsIgnoredWhileAnotherWindowIsInFront) {
  platform::setForegroundWindow(platform::desktopWindow());
  platform::setPowerState("unattended");
  shell_->pumpEvents(5);
  EXPECT_FALSE(shell_->powerPaused);
  EXPECT_FALSE(logged("probe: hideNotify"));
}

TEST(ShellTouch, TouchIsTurnedByTheDisplayOrientation) {
  const struct {
    uint32_t orientation;
    int32_t x, y, gameX, gameY;
  } cases[] = {{0, 10, 20, 10, 20}, {4, 10, 20, 460, 10}, {1, 10, 20, 20, 790},
               {2, 10, 20, 10, 20}, {4, 0, 0, 480, 0},    {1, 479, 799, 799, 321}};
  for (const auto& c : cases) {
    int32_t x = c.x, y = c.y;
    Shell::turnTouch(c.orientation, x, y);
    EXPECT_EQ(x, c.gameX) << c.orientation;
    EXPECT_EQ(y, c.gameY) << c.orientation;
  }
}

TEST_F(ShellTest, OrientationEventTurnsLaterTouchesAndOnlyTheStylusCounts) {
  platform::setDisplayOrientation(4);
  ASSERT_TRUE(platform::postOrientationEvent(480, 800));
  EXPECT_FALSE(platform::postOrientationEvent(480, 800)) << "no event without a change";
  shell_->pumpEvents(5);
  EXPECT_EQ(shell_->orientation, 4u);
  pushButton(true, 10, 20);
  pushMotion(11, 20, SDL_BUTTON(SDL_BUTTON_LEFT));
  pushButton(false, 11, 20);
  pushButton(true, 30, 40, SDL_BUTTON_RIGHT);
  pushMotion(12, 20, 0);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: pointerPressed(460, 10)"));
  EXPECT_TRUE(logged("probe: pointerDragged(460, 11)"));
  EXPECT_TRUE(logged("probe: pointerReleased(460, 11)"));
  EXPECT_FALSE(logged("(440, 30)"));
  EXPECT_FALSE(logged("pointerDragged(460, 12)"));
  platform::setDisplayOrientation(0);
  platform::postOrientationEvent(480, 800);
}

// Every panel pixel shows the probe's back buffer turned: game (0, 0) at panel (479, 0),
// game (799, 479) at panel (0, 799).
TEST_F(ShellTest, FlushShowsTheBackBufferTurnedOnEveryPixel) {
  shell_->active = true;
  auto* canvas = static_cast<probe::ProbeCanvas*>(currentCanvas());
  canvas->run();
  SDL_Surface* s = shell_->surface;
  ASSERT_NE(s, nullptr);
  int wrong = 0;
  for (int sy = 0; sy < Shell::kScreenHeight; sy++) {
    const auto* row = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(s->pixels) + sy * s->pitch);
    for (int sx = 0; sx < Shell::kScreenWidth; sx++) {
      if (row[sx] != probe::patternAt(sy, Shell::kScreenWidth - 1 - sx)) wrong++;
    }
  }
  EXPECT_EQ(wrong, 0);
  const auto* pixels = static_cast<const uint16_t*>(s->pixels);
  EXPECT_EQ(pixels[479], probe::patternAt(0, 0));
  EXPECT_EQ(pixels[799 * 480], probe::patternAt(799, 479));
}

TEST_F(ShellTest, AnotherWindowInFrontPausesTheFlushInsteadOfShowing) {
  shell_->active = true;
  platform::setForegroundWindow(platform::desktopWindow());
  shell_->flushScreen();
  EXPECT_TRUE(logged("probe: paint"));
  EXPECT_TRUE(logged("probe: hideNotify"));
  EXPECT_TRUE(traced("show-window class=HHTaskBar cmd=show"));
}

// Escape minimises the game's own window; when the desktop restores it (an activation), the
// window is the foreground again before the game hears showNotify, and the next frame is
// shown rather than paused again.
TEST_F(ShellTest, AnActivationAfterTheGamesIconifyMakesItForegroundAndTheNextFlushShows) {
  shell_->skipFirstDeactivation = false;
  auto* canvas = static_cast<probe::ProbeCanvas*>(currentCanvas());
  auto* window = static_cast<uint16_t*>(platform::windowSurface()->pixels);
  platform::postKeyMessage(platform::kWmKeyUp, 27);
  shell_->pumpEvents(5);
  EXPECT_TRUE(traced("iconify class=KestovanGame"));
  EXPECT_NE(platform::foregroundWindow(), shell_->windowHandle);
  pushFocus(false);
  shell_->pumpEvents(5);
  EXPECT_TRUE(logged("probe: hideNotify"));
  window[0] = 0;
  canvas->run();
  EXPECT_EQ(window[0], 0) << "nothing is shown while minimised";

  log_.clear();
  clearTrace();
  pushFocus(true, SDL_APPACTIVE);
  shell_->pumpEvents(5);
  EXPECT_EQ(platform::foregroundWindow(), shell_->windowHandle);
  EXPECT_TRUE(traced("foreground class=KestovanGame"));
  EXPECT_TRUE(logged("probe: showNotify"));
  log_.clear();
  clearTrace();
  canvas->run();
  EXPECT_EQ(window[0], probe::patternAt(0, 0)) << "the frame is shown";
  EXPECT_FALSE(logged("probe: hideNotify"));
  EXPECT_FALSE(traced("HHTaskBar"));

  // Given the keyboard while already in front: nothing changes, nothing is traced.
  pushFocus(true, SDL_APPINPUTFOCUS);
  shell_->pumpEvents(5);
  EXPECT_FALSE(traced("foreground"));
}

TEST_F(ShellTest, RunLoopsUntilStopThenCloses) {
  int frames = 0;
  shell_->afterFlush = [&] {
    if (++frames == 3) shell_->stop();
  };
  shell_->run();
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(shell_->application, nullptr);
  EXPECT_TRUE(logged("probe: destroyApp(1)"));
  EXPECT_TRUE(traced("iconify class=KestovanGame"));
  EXPECT_TRUE(traced("show-window class=HHTaskBar cmd=hide\nshow-window class=HHTaskBar cmd=show"));
}

}  // namespace
}  // namespace sorv
