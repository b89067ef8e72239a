// Windows by title and class, shown, hidden, minimised and brought to the front (stand-ins
// for FindWindowW, ShowWindow, SetForegroundWindow, GetForegroundWindow and the window's
// iconify).
//
// The phone's own windows always exist: the task bar ("HHTaskBar"), the input panel
// ("SipWndClass") and its button ("MS_SIPBUTTON"), and the desktop behind every program.
// The game adds its window with createAppWindow. A window of another process is found by
// its title through a lock file in SORV_ROOT that its owner holds while it lives; the
// kernel drops the lock when that process ends, even by a crash.
// Every change a person would notice is traced: "show-window", "foreground", "iconify".
// Main thread only.
#pragma once

#include <cstdint>
#include <string>

namespace sorv::platform {

using WindowHandle = uint32_t;
inline constexpr WindowHandle kNoWindow = 0;

// ShowWindow commands.
inline constexpr int32_t kSwHide = 0;
inline constexpr int32_t kSwShow = 5;
inline constexpr int32_t kSwMinimize = 6;

// Window lookup: a null class or title matches any; a title of another process's window
// is found through its lock file. kNoWindow when nothing matches.
WindowHandle findWindow(const char* className, const char* title);

// Makes this process's window (foreground from now on) and takes the title's lock. A lock
// file that cannot be made is logged to stderr; the window still exists in this process.
WindowHandle createAppWindow(const char* className, const char* title);
// Forgets the window and drops its lock.
void destroyAppWindow(WindowHandle window);

bool showWindow(WindowHandle window, int32_t command);
bool isWindowVisible(WindowHandle window);
// The low bit of the handle may be set (the phone's "bring to front" habit); ignored.
bool setForegroundWindow(WindowHandle window);
WindowHandle foregroundWindow();
// The desktop: what is in front when the game is not.
WindowHandle desktopWindow();
// SDL_WM_IconifyWindow of the game's window, traced.
void iconifyWindow(WindowHandle window);

// Tests: forget every window of this process and restore the phone's own.
void resetWindows();

}  // namespace sorv::platform
