// The shell: the program's window, screen surface and running state, its start-up, the one
// main loop, the event pump (power, input panel, keys, touch, focus, orientation, quit),
// the per-frame screen flush and the stop sequence.
//
// Invariants:
// - At most one Shell exists; Shell::instance() reaches it while it lives.
// - `application` is set from a successful Application::init until the stop sequence
//   closes and frees it; it is never freed twice.
// - Each pump pass delivers at most one key message, so a key down and its key up reach the
//   game in different passes.
// - Only the stylus (mouse button 1) touches; a focus change of the mouse alone is not a
//   loss of the foreground.
// - `surface` is the 480x800 panel and every touch position is a panel pixel, however the
//   desktop window shows the panel (device/platform/panel_window.h).
// - A window that the video library reports in front at start makes the shell active and
//   tells the game (showNotify) before the first frame.
// - A window that gains the focus or is activated is the foreground window before the game
//   hears showNotify, whatever iconified it before (the game's own keys included).
// Everything runs on the main thread. The game calls stop, sleep and flushScreen; the
// program's main builds the Shell and calls start, run and destroy.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <functional>

#include "device/platform/windows.h"

namespace sorv {

struct Application;

class Shell {
 public:
  static constexpr int32_t kScreenWidth = 480;
  static constexpr int32_t kScreenHeight = 800;
  static constexpr int32_t kScreenBits = 16;
  static constexpr const char* kWindowTitle = "Kestovan - Sorvantel 2009";
  static constexpr const char* kWindowClass = "KestovanGame";
  // pollKeys' "nothing taken".
  static constexpr int32_t kNoKey = 0xFFFFFF;

  // What pollKeys took: the raw virtual key, the translated key and the kind.
  struct KeyPoll {
    enum Kind : int32_t { kDown = 0, kUp = 1, kNothing = 4 };
    int32_t rawKey = kNoKey;
    int32_t key = kNoKey;
    int32_t kind = kNothing;
  };

  Shell();
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  static Shell* instance();

  // Video, the runtime, the screen image and Graphics, the midlet. False (after a log line)
  // when any step failed; whatever was made is undone by destroy.
  bool start();
  void run();
  // Frees the surface and shuts SDL down; the process ends when main returns.
  void destroy();

  void pumpEvents(uint32_t delayMs);
  static void sleep(uint32_t delayMs);
  int32_t pollKeys(KeyPoll& out);
  void checkPowerState();
  static void showTaskBar(bool show);
  // The frame's paint and collector tick, then the surface shown (while the game is in
  // front).
  void flushScreen();
  void stop() { running = false; }
  // The runtime closed and freed, the window minimised, the task bar redrawn.
  void closeApplication();
  // closeApplication, then the process ends with 0 (a quit event, a started browser).
  [[noreturn]] void endProcess();

  static int32_t translateKey(int32_t virtualKey);
  // The shell's own action on the release of a hardware key.
  void hardwareKeyReleased(int32_t virtualKey);
  // The volume keys' step on both channels of a 0xRRRRLLLL volume.
  static uint32_t volumeUp(uint32_t volume);
  static uint32_t volumeDown(uint32_t volume);
  // A touch position on the panel as the game sees it under the display orientation.
  static void turnTouch(uint32_t orientation, int32_t& x, int32_t& y);

  Application* application = nullptr;
  uint32_t videoFlags;
  bool active = false;
  bool skipFirstDeactivation = true;
  bool running = true;
  SDL_Surface* surface = nullptr;
  platform::WindowHandle windowHandle = platform::kNoWindow;
  uint32_t orientation = 0;
  bool sipHidePending = true;
  bool powerPaused = false;

  // Harness hook: called after every flush (the headless program counts frames and runs
  // its script there).
  std::function<void()> afterFlush;

 private:
  void handleEvent(const SDL_Event& event, bool& endPass);
  void focusGained();
  void focusLost();
  void hideInputPanel();
  bool sdlStarted_ = false;
};

}  // namespace sorv
