// A virtual X server of the test's own (Xvfb on a display number it picks itself, no window
// manager) and the hands of a person in front of it: find a window by its title, read its
// pixels, move the pointer, click, press keys, close the window as a window manager's close
// button would. Input goes through the XTEST extension, so it takes the X server's own
// path to the window under the pointer.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/picture.h"

extern char** environ;

namespace sorv::test {

// An 8-bit-per-channel picture, 0xRRGGBB per pixel, row after row.
class VirtualX {
 public:
  // The screen is larger than the window, and the pointer starts at its centre, off the
  // window, so nothing reaches the window before the test moves the pointer there.
  static constexpr const char* kScreen = "1600x1200x24";

  VirtualX() = default;
  VirtualX(const VirtualX&) = delete;
  VirtualX& operator=(const VirtualX&) = delete;
  ~VirtualX() { stop(); }

  // Starts Xvfb and connects; false when either failed. Xvfb writes the display number it
  // chose to the pipe once it accepts connections.
  bool start() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", kScreen, "-nolisten", "tcp", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawnp(&server_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
      server_ = -1;
      ::close(fds[0]);
      return false;
    }
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (number.empty()) return false;
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
    int event, error, major, minor;
    return display_ != nullptr && XTestQueryExtension(display_, &event, &error, &major, &minor);
  }

  void stop() {
    if (display_ != nullptr) XCloseDisplay(display_);
    display_ = nullptr;
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
    server_ = -1;
  }

  // ":N", for the DISPLAY of the programs started on it.
  const std::string& name() const { return name_; }

  // The top-level window with that title, waiting up to the time for it; 0 when none came.
  Window waitForWindow(const std::string& title, std::chrono::milliseconds patience) {
    const auto until = std::chrono::steady_clock::now() + patience;
    do {
      if (Window w = findWindow(title)) return w;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < until);
    return 0;
  }

  // What the window shows now; an empty picture when it cannot be read.
  Picture read(Window window) {
    Picture p;
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, window, &a) == 0 || a.map_state != IsViewable) return p;
    XImage* image = XGetImage(display_, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr) return p;
    p.width = a.width;
    p.height = a.height;
    p.rgb.resize(size_t(p.width) * p.height);
    for (int32_t y = 0; y < p.height; y++) {
      for (int32_t x = 0; x < p.width; x++) {
        const unsigned long v = XGetPixel(image, x, y);
        p.rgb[size_t(y) * p.width + x] = static_cast<uint32_t>(channel(v, image->red_mask) << 16 |
                                                               channel(v, image->green_mask) << 8 |
                                                               channel(v, image->blue_mask));
      }
    }
    XDestroyImage(image);
    return p;
  }

  // The pointer over window pixel (x, y).
  void pointTo(Window window, int32_t x, int32_t y) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
    XSync(display_, False);
  }

  void click() {
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    XSync(display_, False);
  }

  // A key pressed and released, to the window under the pointer (there is no window manager
  // to give any window the keyboard).
  void tap(KeySym key) {
    const KeyCode code = XKeysymToKeycode(display_, key);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
  }

  // What a window manager sends when its close button is pressed.
  void closeWindow(Window window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &e);
    XSync(display_, False);
  }

 private:
  Window findWindow(const std::string& title) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) return 0;
    for (unsigned i = 0; i < count && found == 0; i++) {
      char* name = nullptr;
      if (XFetchName(display_, children[i], &name) != 0 && name != nullptr) {
        if (title == name) found = children[i];
        XFree(name);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  // One channel of a pixel widened (or narrowed) to 8 bits by its mask.
  static uint32_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) shift++;
    const unsigned long max = mask >> shift;
    return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / max);
  }

  pid_t server_ = -1;
  std::string name_;
  Display* display_ = nullptr;
};

}  // namespace sorv::test
