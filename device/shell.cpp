#include "device/shell.h"

#include <cstdlib>
#include <new>

#include "device/canvas.h"
#include "device/platform/display_orientation.h"
#include "device/platform/key_messages.h"
#include "device/platform/panel_window.h"
#include "device/platform/power_state.h"
#include "device/platform/wave_out.h"
#include "device/resource_stream.h"
#include "device/screen_image.h"
#include "runtime/application.h"
#include "runtime/class_table.h"
#include "runtime/clock.h"
#include "runtime/log.h"
#include "runtime/runnable.h"

namespace sorv {
namespace {

Shell* gShell = nullptr;

// The phone's panel is the whole screen; on a desktop the same 480x800 16-bit panel is shown
// in a window, so the full-screen flag of the phone is left out.
constexpr uint32_t kHostVideoFlags = SDL_SWSURFACE;
constexpr uint32_t kRed565 = 0xF800;
constexpr uint32_t kGreen565 = 0x07E0;

Canvas* canvasOf(const Application* app) { return app != nullptr ? currentCanvas() : nullptr; }

void runRunnable(Object* object) {
  auto* runnable = static_cast<Runnable*>(object->getInterface(kRunnable));
  if (runnable != nullptr) runnable->run();
}

}  // namespace

Shell::Shell() : videoFlags(kHostVideoFlags) { gShell = this; }

Shell::~Shell() {
  if (gShell == this) gShell = nullptr;
}

Shell* Shell::instance() { return gShell; }

bool Shell::start() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0) {
    Debug::trace("Shell::start: SDL_Init failed: %s", SDL_GetError());
    return false;
  }
  sdlStarted_ = true;
  application = new (std::nothrow) Application();
  if (application == nullptr) {
    Debug::trace("Shell::start: no memory for the Application");
    return false;
  }
  // The static initialisers read the constant strings through the archive.
  Resources::installOpener();
  try {
    Application::init(application);
  } catch (const std::bad_alloc&) {
    Debug::trace("Shell::start: Application::init ran out of memory");
    return false;
  }
  auto* screen = newObject<ScreenImage>();
  if (screen == nullptr) {
    Debug::trace("Shell::start: no screen image");
    return false;
  }
  surface = platform::openPanel(kScreenWidth, kScreenHeight, kScreenBits, videoFlags);
  if (surface == nullptr) {
    Debug::trace("Shell::start: SDL_SetVideoMode failed: %s", SDL_GetError());
    return false;
  }
  // The video library starts with the window in front and reports only changes of that: on
  // a desktop no event would ever say so, so the game is told from the state as it stands.
  const bool inFront = (SDL_GetAppState() & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
  // The screen image reads the surface as rows of 480 RGB565 pixels.
  if (surface->format->BitsPerPixel != kScreenBits || surface->format->Rmask != kRed565 ||
      surface->format->Gmask != kGreen565 || surface->pitch != kScreenWidth * 2 ||
      surface->w != kScreenWidth || surface->h != kScreenHeight) {
    Debug::trace("Shell::start: unusable video surface %dx%d, %d bits, pitch %d", surface->w, surface->h,
                 surface->format->BitsPerPixel, surface->pitch);
    return false;
  }
  if (!screen->attachPixels(kScreenWidth, kScreenHeight, static_cast<uint16_t*>(surface->pixels))) {
    Debug::trace("Shell::start: the screen image has no pixels");
    return false;
  }
  SDL_WM_SetCaption(kWindowTitle, "");
  windowHandle = platform::createAppWindow(kWindowClass, kWindowTitle);
  // The window's first placement reports a display that is already turned.
  platform::postOrientationEvent(surface->w, surface->h);
  Application::createScreenGraphics(application, screen);
  if (application->m_screenGraphics == nullptr) {
    Debug::trace("Shell::start: no screen Graphics");
    return false;
  }
  Application::startApp(application);
  if (inFront) focusGained();
  return true;
}

void Shell::run() {
  while (running) {
    pumpEvents(5);
    if (application == nullptr) break;
    Object* displayable = application->currentDisplayable;
    if (instanceOf(displayable, kRunnable)) {
      runRunnable(displayable);
    } else if (instanceOf(application->m_midlet, kRunnable)) {
      runRunnable(application->m_midlet);
    }
    Application::dropUncaught("Shell::run");
  }
  running = false;
  closeApplication();
}

void Shell::closeApplication() {
  if (application != nullptr) {
    Application::close(application);
    delete application;
    application = nullptr;
    Application::setInstance(nullptr);
  }
  platform::iconifyWindow(windowHandle);
  showTaskBar(false);
  showTaskBar(true);
}

void Shell::destroy() {
  // A start that failed half-way leaves a runtime to shut down; a normal run has closed it.
  if (application != nullptr) {
    Application::close(application);
    delete application;
    application = nullptr;
    Application::setInstance(nullptr);
  }
  if (windowHandle != platform::kNoWindow) platform::destroyAppWindow(windowHandle);
  windowHandle = platform::kNoWindow;
  platform::closePanel();
  surface = nullptr;
  if (sdlStarted_) SDL_Quit();
  sdlStarted_ = false;
}

void Shell::endProcess() {
  running = false;
  closeApplication();
  destroy();
  std::exit(0);
}

void Shell::sleep(uint32_t delayMs) {
  if (gShell != nullptr) gShell->pumpEvents(delayMs);
}

void Shell::pumpEvents(uint32_t delayMs) {
  // The silent sound output finishes its buffers on the program clock, here.
  platform::pumpWaveOut();
  checkPowerState();
  if (sipHidePending && application != nullptr && application->currentDisplayable != nullptr) {
    hideInputPanel();
    sipHidePending = false;
  }
  KeyPoll poll;
  pollKeys(poll);
  if (poll.kind != KeyPoll::kNothing) {
    if (poll.kind == KeyPoll::kUp) hardwareKeyReleased(poll.rawKey);
    clock::delay(delayMs);
    return;
  }
  SDL_Event event;
  while (platform::pollHostEvent(&event) != 0) {
    bool endPass = false;
    handleEvent(event, endPass);
    if (endPass) return;
  }
  clock::delay(delayMs);
}

int32_t Shell::pollKeys(KeyPoll& out) {
  out = KeyPoll{};
  platform::KeyMessage message;
  if (!platform::peekKeyMessage(message, false)) return kNoKey;
  if (message.message != platform::kWmKeyDown && message.message != platform::kWmKeyUp &&
      message.message != platform::kWmChar) {
    return kNoKey;
  }
  // Taken before the game sees it: a game that pumps events inside its key handler must
  // not get the same message again.
  platform::peekKeyMessage(message, true);
  if (message.message == platform::kWmChar) return kNoKey;
  out.rawKey = static_cast<int32_t>(message.virtualKey);
  out.key = translateKey(out.rawKey);
  if (message.message == platform::kWmKeyDown) {
    out.kind = KeyPoll::kDown;
    if (application != nullptr) Application::keyPressed(application, out.key);
  } else {
    out.kind = KeyPoll::kUp;
    if (application != nullptr) Application::keyReleased(application, out.key);
  }
  return out.key;
}

void Shell::handleEvent(const SDL_Event& event, bool& endPass) {
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      // The pointer entering or leaving the window moves no focus.
      if ((event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) == 0) return;
      if (event.active.gain != 0) {
        focusGained();
      } else if (skipFirstDeactivation) {
        // Showing the window takes the focus away once at start; the game never lost it.
        skipFirstDeactivation = false;
        active = true;
        endPass = true;
      } else {
        focusLost();
      }
      return;
    case SDL_MOUSEMOTION: {
      // A mouse moving with no stylus down drags nothing.
      if ((event.motion.state & SDL_BUTTON(SDL_BUTTON_LEFT)) == 0) return;
      Canvas* canvas = canvasOf(application);
      if (canvas == nullptr) return;
      int32_t x = event.motion.x, y = event.motion.y;
      turnTouch(orientation, x, y);
      canvas->pointerDragged(x, y);
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) return;
      Canvas* canvas = canvasOf(application);
      if (canvas == nullptr) return;
      int32_t x = event.button.x, y = event.button.y;
      turnTouch(orientation, x, y);
      if (event.button.state == SDL_PRESSED) {
        canvas->pointerPressed(x, y);
      } else {
        canvas->pointerReleased(x, y);
      }
      return;
    }
    case SDL_QUIT:
      endProcess();
    default:
      if (event.type == platform::kOrientationEvent) orientation = platform::displayOrientation();
      return;
  }
}

void Shell::focusGained() {
  active = true;
  // Restored or given the keyboard by the desktop, the window is in front again: after the
  // game's own iconify the flush would otherwise find the desktop there and pause for good.
  if (windowHandle != platform::kNoWindow) platform::windowActivated(windowHandle);
  Canvas* canvas = canvasOf(application);
  if (canvas == nullptr) return;
  canvas->showNotify();
  hideInputPanel();
}

void Shell::focusLost() {
  active = false;
  Canvas* canvas = canvasOf(application);
  if (canvas == nullptr) return;
  platform::showWindow(platform::findWindow("MS_SIPBUTTON", nullptr), platform::kSwShow);
  platform::showWindow(platform::findWindow("HHTaskBar", nullptr), platform::kSwShow);
  canvas->hideNotify();
  showTaskBar(true);
}

void Shell::hideInputPanel() {
  platform::showWindow(platform::findWindow("SipWndClass", ""), platform::kSwHide);
  platform::showWindow(platform::findWindow("MS_SIPBUTTON", nullptr), platform::kSwHide);
}

void Shell::showTaskBar(bool show) {
  platform::WindowHandle taskBar = platform::findWindow("HHTaskBar", nullptr);
  if (taskBar != platform::kNoWindow) platform::showWindow(taskBar, show ? platform::kSwShow : platform::kSwHide);
}

void Shell::checkPowerState() {
  uint32_t flags = 0;
  if (!platform::systemPowerState(flags)) return;
  if (windowHandle != platform::kNoWindow && platform::foregroundWindow() != windowHandle) return;
  const bool unattended = (flags & platform::kPowerStateUnattended) != 0;
  if (unattended && !powerPaused) {
    if (Canvas* canvas = canvasOf(application)) {
      canvas->hideNotify();
      showTaskBar(true);
    }
    powerPaused = true;
  } else if (!unattended && powerPaused) {
    if (Canvas* canvas = canvasOf(application)) {
      showTaskBar(false);
      canvas->showNotify();
    }
    powerPaused = false;
  }
}

void Shell::flushScreen() {
  if (application != nullptr) Application::paint(application);
  if (active) {
    if (windowHandle != platform::kNoWindow && platform::foregroundWindow() != windowHandle) {
      if (Canvas* canvas = canvasOf(application)) canvas->hideNotify();
      showTaskBar(true);
    } else if (surface != nullptr) {
      platform::flipPanel();
    }
  }
  if (afterFlush) afterFlush();
}

void Shell::turnTouch(uint32_t turn, int32_t& x, int32_t& y) {
  const int32_t sx = x, sy = y;
  if (turn == platform::kDmdo270) {
    x = kScreenWidth - sy;
    y = sx;
  } else if (turn == platform::kDmdo90) {
    x = sy;
    y = kScreenHeight - sx;
  }
}

}  // namespace sorv
