// Windows by title and class, shown, hidden, minimised and brought to the front (stand-ins
// for FindWindowW, ShowWindow, SetForegroundWindow, GetForegroundWindow and the window's
// iconify).
//
// The phone's own windows always exist: the task bar ("HHTaskBar"), the input panel
// ("SipWndClass") and its button ("MS_SIPBUTTON"), and the desktop behind every program.
// The game adds its window with createAppWindow. A window of another process is found by
// its title through a lock file in SORV_ROOT that its owner holds while it lives; the
// kernel drops the lock when that process ends, even by a crash. The same lock keeps a
// second copy out: the program takes it before anything else (takeInstanceLock).
// Bringing another process's window to the front also brings its real window forward on
// the host's desktop, where there is one (host_desktop.h).
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

// Takes the title's lock for this process, in one step, so of two copies started together
// exactly one gets it. True when this process holds it (now or already); false when another
// process does. A lock file that cannot be made is told on stderr and counts as taken.
bool takeInstanceLock(const char* title);

// Makes this process's window (foreground from now on) and takes the title's lock unless
// it holds it already. A lock that another process holds is told on stderr; the window
// still exists in this process.
WindowHandle createAppWindow(const char* className, const char* title);
// Forgets the window and drops its lock.
void destroyAppWindow(WindowHandle window);

// Minimising this process's own window also minimises the real one (SDL's iconify).
bool showWindow(WindowHandle window, int32_t command);
bool isWindowVisible(WindowHandle window);
// The low bit of the handle may be set (the phone's "bring to front" habit); ignored.
bool setForegroundWindow(WindowHandle window);
WindowHandle foregroundWindow();
// The desktop activated this process's window (it was restored or given the keyboard): it is
// the foreground window again. Traced when that changes the foreground.
void windowActivated(WindowHandle window);
// The desktop: what is in front when the game is not.
WindowHandle desktopWindow();
// SDL_WM_IconifyWindow of the game's window, traced.
void iconifyWindow(WindowHandle window);

// Tests: forget every window of this process, drop its locks and restore the phone's own.
void resetWindows();

}  // namespace sorv::platform
