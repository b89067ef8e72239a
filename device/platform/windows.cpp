#include "device/platform/windows.h"

#include <SDL/SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "device/platform/host_desktop.h"
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
};

// Handles of windows found in other processes; they cannot be shown or hidden from here.
constexpr WindowHandle kForeignWindowBase = 0x10000;

struct WindowTable {
  std::vector<Window> windows;
  std::vector<std::string> foreignTitles;
  std::map<std::string, int> heldLocks;  // title -> its lock file, held by this process
  WindowHandle nextHandle = 0;
  WindowHandle desktop = kNoWindow;
  WindowHandle foreground = kNoWindow;

  WindowTable() { reset(); }

  void reset() {
    for (const auto& [title, fd] : heldLocks) close(fd);
    heldLocks.clear();
    windows.clear();
    foreignTitles.clear();
    nextHandle = 2;  // even handles: the low bit is free for the "bring to front" habit
    desktop = add("DesktopExplorerWindow", "Desktop", false);
    add("HHTaskBar", "", false);
    add("SipWndClass", "", false);
    add("MS_SIPBUTTON", "", false);
    foreground = desktop;
  }

  WindowHandle add(const char* className, const char* title, bool appWindow) {
    WindowHandle h = nextHandle;
    nextHandle += 2;
    windows.push_back({h, className != nullptr ? className : "", title != nullptr ? title : "", true, appWindow});
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
  if (table().heldLocks.count(title) != 0) return false;
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

bool takeInstanceLock(const char* title) {
  WindowTable& t = table();
  if (t.heldLocks.count(title) != 0) return true;
  int fd = openLockFile(title);
  if (fd < 0) {
    // Nothing on this disk to share with another copy: it cannot be kept out, nor can it keep
    // this one out.
    std::fprintf(stderr, "window: no lock file in %s: %s\n", rootDir().c_str(), std::strerror(errno));
    return true;
  }
  // One call, so of two copies started together exactly one gets it.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  t.heldLocks[title] = fd;
  return true;
}

WindowHandle createAppWindow(const char* className, const char* title) {
  if (!takeInstanceLock(title)) std::fprintf(stderr, "window: \"%s\" is held by another process\n", title);
  WindowTable& t = table();
  WindowHandle h = t.add(className, title, true);
  t.foreground = h;
  return h;
}

void destroyAppWindow(WindowHandle window) {
  WindowTable& t = table();
  for (auto it = t.windows.begin(); it != t.windows.end(); ++it) {
    if (it->handle != (window & ~WindowHandle{1}) || !it->appWindow) continue;
    auto lock = t.heldLocks.find(it->title);
    if (lock != t.heldLocks.end()) {
      close(lock->second);
      t.heldLocks.erase(lock);
    }
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
  // This process's window is the desktop's window: minimised here, it is minimised there, so
  // that the desktop's restore can bring it back.
  if (command == kSwMinimize && w->appWindow && SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_WM_IconifyWindow();
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
  if (h < kForeignWindowBase) {
    t.foreground = h;
    return true;
  }
  // Another process's window: on a desktop its real window comes forward.
  size_t i = h / 2 - kForeignWindowBase / 2;
  if (i < t.foreignTitles.size()) raiseHostWindow(t.foreignTitles[i]);
  return true;
}

void windowActivated(WindowHandle window) {
  WindowTable& t = table();
  const WindowHandle h = window & ~WindowHandle{1};
  if (t.find(h) == nullptr || t.foreground == h) return;
  t.foreground = h;
  traceEvent("foreground " + describe(h));
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
