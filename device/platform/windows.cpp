#include "device/platform/windows.h"

#include <SDL/SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "device/platform/paths.h"
#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

struct Window {
  WindowHandle handle;
  std::string className;
  std::string title;
  bool visible;
  bool appWindow;  // made by createAppWindow (the phone's own windows always stay)
  int lockFd;      // the title's lock file, or -1
};

// Handles of windows found in other processes; they cannot be shown or hidden from here.
constexpr WindowHandle kForeignWindowBase = 0x10000;

struct WindowTable {
  std::vector<Window> windows;
  std::vector<std::string> foreignTitles;
  WindowHandle nextHandle = 0;
  WindowHandle desktop = kNoWindow;
  WindowHandle foreground = kNoWindow;

  WindowTable() { reset(); }

  void reset() {
    for (Window& w : windows) {
      if (w.lockFd >= 0) close(w.lockFd);
    }
    windows.clear();
    foreignTitles.clear();
    nextHandle = 2;  // even handles: the low bit is free for the "bring to front" habit
    desktop = add("DesktopExplorerWindow", "Desktop", false, -1);
    add("HHTaskBar", "", false, -1);
    add("SipWndClass", "", false, -1);
    add("MS_SIPBUTTON", "", false, -1);
    foreground = desktop;
  }

  WindowHandle add(const char* className, const char* title, bool appWindow, int lockFd) {
    WindowHandle h = nextHandle;
    nextHandle += 2;
    windows.push_back({h, className != nullptr ? className : "", title != nullptr ? title : "",
                       true, appWindow, lockFd});
    return h;
  }

  Window* find(WindowHandle h) {
    for (Window& w : windows) {
      if (w.handle == (h & ~WindowHandle{1})) return &w;
    }
    return nullptr;
  }
};

WindowTable& table() {
  static WindowTable t;
  return t;
}

// One lock file per window title, so no two processes hold a window of the same title.
std::string lockPathFor(const char* title) {
  std::string name = "window-";
  for (const char* p = title; *p != '\0'; ++p) {
    char c = *p;
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name += plain ? c : '_';
  }
  return rootDir() + "/" + name + ".lock";
}

int openLockFile(const char* title) {
  std::string root = rootDir();
  mkdir(root.c_str(), 0700);
  return open(lockPathFor(title).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

// True when another process holds the title's lock.
bool heldElsewhere(const char* title) {
  int fd = open(lockPathFor(title).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);  // also drops the lock just taken for the test
  return held;
}

const char* commandName(int32_t command) {
  switch (command) {
    case kSwHide: return "hide";
    case kSwShow: return "show";
    case kSwMinimize: return "minimize";
    default: return "other";
  }
}

std::string describe(WindowHandle h) {
  WindowTable& t = table();
  if (h >= kForeignWindowBase) {
    size_t i = h / 2 - kForeignWindowBase / 2;
    return "title=\"" + (i < t.foreignTitles.size() ? t.foreignTitles[i] : std::string()) + "\"";
  }
  Window* w = t.find(h);
  if (w == nullptr) return "window=none";
  return "class=" + w->className + (w->title.empty() ? "" : " title=\"" + w->title + "\"");
}

}  // namespace

WindowHandle findWindow(const char* className, const char* title) {
  WindowTable& t = table();
  for (const Window& w : t.windows) {
    if ((className == nullptr || w.className == className) && (title == nullptr || w.title == title)) {
      return w.handle;
    }
  }
  if (title == nullptr || *title == '\0' || !heldElsewhere(title)) return kNoWindow;
  t.foreignTitles.push_back(title);
  return kForeignWindowBase + 2 * static_cast<WindowHandle>(t.foreignTitles.size() - 1);
}

WindowHandle createAppWindow(const char* className, const char* title) {
  int fd = openLockFile(title);
  if (fd < 0) {
    std::fprintf(stderr, "window: no lock file in %s: %s\n", rootDir().c_str(), std::strerror(errno));
  } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    std::fprintf(stderr, "window: \"%s\" is held by another process\n", title);
    close(fd);
    fd = -1;
  }
  WindowTable& t = table();
  WindowHandle h = t.add(className, title, true, fd);
  t.foreground = h;
  return h;
}

void destroyAppWindow(WindowHandle window) {
  WindowTable& t = table();
  for (auto it = t.windows.begin(); it != t.windows.end(); ++it) {
    if (it->handle != (window & ~WindowHandle{1}) || !it->appWindow) continue;
    if (it->lockFd >= 0) close(it->lockFd);
    if (t.foreground == it->handle) t.foreground = t.desktop;
    t.windows.erase(it);
    return;
  }
}

bool showWindow(WindowHandle window, int32_t command) {
  Window* w = table().find(window);
  if (w == nullptr) return false;
  bool wasVisible = w->visible;
  w->visible = command != kSwHide;
  if (command == kSwMinimize && table().foreground == w->handle) table().foreground = table().desktop;
  traceEvent(std::string("show-window ") + describe(window) + " cmd=" + commandName(command));
  return wasVisible;
}

bool isWindowVisible(WindowHandle window) {
  Window* w = table().find(window);
  return w != nullptr && w->visible;
}

bool setForegroundWindow(WindowHandle window) {
  WindowTable& t = table();
  WindowHandle h = window & ~WindowHandle{1};
  if (h < kForeignWindowBase && t.find(h) == nullptr) return false;
  traceEvent("foreground " + describe(h));
  if (h < kForeignWindowBase) t.foreground = h;
  return true;
}

WindowHandle foregroundWindow() { return table().foreground; }

WindowHandle desktopWindow() { return table().desktop; }

void iconifyWindow(WindowHandle window) {
  SDL_WM_IconifyWindow();
  WindowTable& t = table();
  if (t.foreground == (window & ~WindowHandle{1})) t.foreground = t.desktop;
  traceEvent("iconify " + describe(window));
}

void resetWindows() { table().reset(); }

}  // namespace sorv::platform
