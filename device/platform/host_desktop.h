// The host's desktop, where the game's window lives beside other programs' (an X server,
// reached as SDL reaches it: through DISPLAY). The phone finds a running copy's window by
// its title and brings it to the front; here the same is asked of the X server, by the
// window manager's own conventions where one runs.
// Nothing here when SDL draws without a desktop (SDL_VIDEODRIVER other than x11, or no
// DISPLAY). Main thread only.
#pragma once

#include <string>

namespace sorv::platform {

// Brings the top-level window of that title (WM_NAME or _NET_WM_NAME) forward: a window
// manager (one that names itself on the root window) is asked to activate it with a
// _NET_ACTIVE_WINDOW message, as a task list does, which also restores a minimised one;
// without a window manager the window is mapped, raised and given the keyboard. False when
// there is no desktop or no window of that title on it.
bool raiseHostWindow(const std::string& title);

}  // namespace sorv::platform
