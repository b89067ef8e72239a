// A virtual X server of the test's own (Xvfb on a display number it picks itself, with or
// without a window manager) and the hands of a person in front of it: find a window by its
// title, read its pixels, move the pointer, click, press keys, close the window as a window
// manager's close button would. Input goes through the XTEST extension, so it takes the X
// server's own path to the window under the pointer; the desktop's own tools (xdotool, xwd)
// run on the same display. WindowRun starts build/sorvantel on it.
#pragma once

// gtest before the X headers, whose macros (None, Bool) would break it.
#include "device/shell.h"
#include "tests/e2e/picture.h"
#include "tests/e2e/program_process.h"

#include <X11/Xatom.h>
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
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>


extern char** environ;

namespace sorv::test {

// One channel of a pixel widened (or narrowed) to 8 bits by its mask.
inline uint32_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) shift++;
  const unsigned long max = mask >> shift;
  return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / max);
}

// The index a channel's bits give into a direct-colour map.
inline uint32_t channelIndex(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) shift++;
  return static_cast<uint32_t>((pixel & mask) >> shift);
}

// A window dump as xwd writes it (a header of big-endian words, the window's name, the colour
// map, then the rows); an empty picture unless it is of a true- or direct-colour window.
// A direct-colour window's channels go through the map.
inline Picture readXwd(const std::string& path) {
  const std::string bytes = readText(path);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  auto big = [&](size_t at, size_t size) -> uint32_t {
    uint32_t v = 0;
    for (size_t k = 0; k < size && at + k < bytes.size(); k++) v = v << 8 | data[at + k];
    return v;
  };
  auto word = [&](size_t i) { return big(4 * i, 4); };
  constexpr uint32_t kVersion = 7, kZPixmap = 2, kTrueColor = 4, kDirectColor = 5, kColourEntrySize = 12;
  Picture p;
  const uint32_t headerSize = word(0), width = word(4), height = word(5), msbFirst = word(7);
  const uint32_t bitsPerPixel = word(11), bytesPerLine = word(12), visual = word(13), colours = word(19);
  if (bytes.size() < 100 || word(1) != kVersion || word(2) != kZPixmap || (visual != kTrueColor && visual != kDirectColor) ||
      width == 0 || height == 0 || width > 8192 || height > 8192 || colours > 65536 ||
      (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
    return p;
  }
  const size_t start = size_t{headerSize} + size_t{colours} * kColourEntrySize;
  const size_t pixelBytes = bitsPerPixel / 8;
  if (bytesPerLine < width * pixelBytes || start + size_t{bytesPerLine} * height > bytes.size()) return p;
  const unsigned long masks[3] = {word(14), word(15), word(16)};
  // A channel as 8 bits: through the map's entry of that index for a direct-colour window.
  auto eight = [&](unsigned long v, int c) -> uint32_t {
    if (visual == kTrueColor) return channel(v, masks[c]);
    const uint32_t index = channelIndex(v, masks[c]);
    if (index >= colours) return channel(v, masks[c]);
    return big(headerSize + size_t{index} * kColourEntrySize + 4 + 2 * c, 2) >> 8;
  };
  p.width = static_cast<int32_t>(width);
  p.height = static_cast<int32_t>(height);
  p.rgb.resize(size_t{width} * height);
  for (uint32_t y = 0; y < height; y++) {
    for (uint32_t x = 0; x < width; x++) {
      const uint8_t* b = data + start + size_t{y} * bytesPerLine + x * pixelBytes;
      unsigned long v = 0;
      for (size_t k = 0; k < pixelBytes; k++) v = v << 8 | b[msbFirst ? k : pixelBytes - 1 - k];
      p.rgb[size_t{y} * width + x] = eight(v, 0) << 16 | eight(v, 1) << 8 | eight(v, 2);
    }
  }
  return p;
}

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

  // The phone's own depth, as a desktop at 16 bits per pixel shows it.
  static constexpr const char* kScreen16 = "1600x1200x16";

  // Starts Xvfb with the screen ("WxHxD") and connects, then the window manager when asked
  // for; false when any of it failed. Xvfb writes the display number it chose to the pipe
  // once it accepts connections; the window manager is up once it names itself on the root.
  bool start(const char* screen = kScreen, bool windowManager = false) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp", nullptr};
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
    // The search reads windows that may go away meanwhile (a frame, a menu): an error about
    // one of them must not end the test process, as Xlib's own handler would.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    int event, error, major, minor;
    if (display_ == nullptr || !XTestQueryExtension(display_, &event, &error, &major, &minor)) return false;
    return !windowManager || startWindowManager();
  }

  void stop() {
    if (manager_ > 0) {
      kill(manager_, SIGTERM);
      waitpid(manager_, nullptr, 0);
    }
    manager_ = -1;
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

  // Whether the window is on the screen (mapped, and not inside a minimised frame).
  bool viewable(Window window) {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, window, &a) != 0 && a.map_state == IsViewable;
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

  // A desktop tool run on this display; its exit status, its standard output in *out.
  int tool(const std::string& commandLine, std::string* out = nullptr) const {
    FILE* pipe = popen(("DISPLAY=" + name_ + " " + commandLine + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return -1;
    std::string text;
    char buffer[256];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = pclose(pipe);
    if (out != nullptr) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The window as xwd writes it to a file, read back; an empty picture when it cannot be.
  Picture capture(Window window, const std::string& path) const {
    if (tool("xwd -silent -id " + std::to_string(window) + " -out '" + path + "'") != 0) return {};
    return readXwd(path);
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
  // The window with that title at any depth: a window manager puts it inside a frame.
  Window findWindow(const std::string& title, Window under = 0) {
    if (under == 0) under = DefaultRootWindow(display_);
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display_, under, &root, &parent, &children, &count) == 0) return 0;
    for (unsigned i = 0; i < count && found == 0; i++) {
      char* name = nullptr;
      if (XFetchName(display_, children[i], &name) != 0 && name != nullptr) {
        if (title == name) found = children[i];
        XFree(name);
      }
      if (found == 0) found = findWindow(title, children[i]);
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  bool startWindowManager() {
    const std::string display = "DISPLAY=" + name_;
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; e++) {
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) envp.push_back(*e);
    }
    envp.push_back(const_cast<char*>(display.c_str()));
    envp.push_back(nullptr);
    const char* argv[] = {"openbox", "--sm-disable", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawnp(&manager_, "openbox", &actions, nullptr, const_cast<char**>(argv), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      manager_ = -1;
      return false;
    }
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < until) {
      Atom type;
      int format;
      unsigned long items, after;
      unsigned char* data = nullptr;
      const bool named = XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, AnyPropertyType,
                                            &type, &format, &items, &after, &data) == Success &&
                         items > 0;
      if (data != nullptr) XFree(data);
      if (named) return managerServes();
      if (waitpid(manager_, nullptr, WNOHANG) != 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // openbox names itself on the root before its main loop runs. A request to map a window
  // that it reads during its start-up then waits in its queue until some other event wakes
  // it: the program's window would stay unmapped, and SDL waits for that map for ever (on a
  // loaded machine about one start in four). So a window of the test's own is mapped first
  // and must be taken in by the manager (put in a frame), the root's property touched
  // meanwhile so that a manager asleep over a queued request wakes; from then on the manager
  // is in its loop and serves the program's window at once.
  bool managerServes() {
    const Window root = DefaultRootWindow(display_);
    const Window probe = XCreateSimpleWindow(display_, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom wake = XInternAtom(display_, "_SORV_TEST_WAKE", False);
    XMapWindow(display_, probe);
    bool framed = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (long tick = 0; !framed && std::chrono::steady_clock::now() < until; tick++) {
      XChangeProperty(display_, root, wake, XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&tick), 1);
      XSync(display_, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      Window r, parent, *children = nullptr;
      unsigned count = 0;
      if (XQueryTree(display_, probe, &r, &parent, &children, &count) != 0) framed = parent != root;
      if (children != nullptr) XFree(children);
    }
    XDestroyWindow(display_, probe);
    XDeleteProperty(display_, root, wake);
    XSync(display_, False);
    return framed;
  }

  pid_t server_ = -1;
  pid_t manager_ = -1;
  std::string name_;
  Display* display_ = nullptr;
};

// The panel's shot turned as the window shows it: window pixel (x, y) is panel pixel
// (panel width - 1 - y, x).
inline Picture turnedAsTheWindowShowsIt(const Picture& panel) {
  Picture w;
  w.width = panel.height;
  w.height = panel.width;
  w.rgb.resize(panel.rgb.size());
  for (int32_t y = 0; y < w.height; y++) {
    for (int32_t x = 0; x < w.width; x++) w.rgb[size_t(y) * w.width + x] = panel.at(panel.width - 1 - y, x);
  }
  return w;
}

// The bits a 16-bit panel holds; the X server and the shot each widen them their own way.
inline uint32_t as565(uint32_t rgb) { return (rgb >> 19 & 31) << 11 | (rgb >> 10 & 63) << 5 | (rgb >> 3 & 31); }

// Whether two pictures as the window shows them (window pixel (x, y) is game point (x, y))
// hold the same 16-bit pixels inside the game box; never for one that could not be read.
inline bool sameAt16Bits(const Picture& a, const Picture& b, const Box& box) {
  const auto holds = [&](const Picture& p) { return p.width >= box.x + box.w && p.height >= box.y + box.h; };
  if (!holds(a) || !holds(b)) return false;
  for (int32_t y = box.y; y < box.y + box.h; y++) {
    for (int32_t x = box.x; x < box.x + box.w; x++) {
      if (as565(a.at(x, y)) != as565(b.at(x, y))) return false;
    }
  }
  return true;
}

// Whether done() holds before the time is up, asking every 20 ms.
inline bool within(std::chrono::milliseconds patience, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// build/sorvantel in a window on a virtual X server of the test's own.
class WindowRun : public ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // The window runs on the real clock: under the memory stress switches the boot alone
    // would take minutes. The memory code is stressed by every other test; these are about
    // the window.
    env_["SORV_GC_STRESS"] = "0";
    env_["SORV_MOVE_STRESS"] = "0";
  }
  void TearDown() override {
    if (game_ > 0 && kill(game_, SIGKILL) == 0) waitpid(game_, nullptr, 0);
    x_.stop();
    ProgramRun::TearDown();
  }

  // Starts the server (the screen "WxHxD", a window manager when asked for, serving before
  // the program starts) and the program with SORV_PANEL set to the view (empty: the
  // default); its window, or 0 when none came.
  Window startInWindow(const char* view = "", const char* screen = VirtualX::kScreen, bool windowManager = false) {
    if (!x_.start(screen, windowManager)) {
      ADD_FAILURE() << "no virtual X server or window manager (scripts/deps.sh installs them)";
      return 0;
    }
    env_["SDL_VIDEODRIVER"] = "x11";
    env_["DISPLAY"] = x_.name();
    env_["SORV_PANEL"] = view;
    // The X library's own leaks are not the program's (the sanitizer build reads this).
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    env_["LSAN_OPTIONS"] = std::string(leakOptions != nullptr ? leakOptions : "") +
                           ":suppressions=" SORV_SOURCE_DIR "/tests/e2e/x11_leaks.supp";
    game_ = spawn(executable("sorvantel"));
    return x_.waitForWindow(Shell::kWindowTitle, std::chrono::seconds(60));
  }

  // xdotool on the server's display; false when it failed or is not installed.
  bool xdotool(const std::string& args) const { return x_.tool("xdotool " + args) == 0; }

  // The keys (X key names, "Return" or "0 0 0 1") at the desktop, each after the last by
  // the gap.
  bool press(const std::string& keys, int gapMs = 40) const {
    return xdotool("key --clearmodifiers --delay " + std::to_string(gapMs) + " " + keys);
  }

  // act() until done() holds, again after each wait that ends without it: now and then a
  // press at the desktop does not reach the game, or reaches it a moment before the screen
  // takes keys. Nothing is done once done() holds, so no act reaches the screen after the
  // one that answered. False when act() fails or the tries run out.
  static bool actUntil(const std::function<bool()>& act, const std::function<bool()>& done,
                       std::chrono::milliseconds wait, int tries) {
    for (int i = 0; i < tries; i++) {
      if (done()) return true;
      if (!act()) return false;
      if (within(wait, done)) return true;
    }
    return false;
  }

  bool pressUntil(const std::string& keys, const std::function<bool()>& done,
                  std::chrono::milliseconds wait = kPressWait, int tries = 15) const {
    return actUntil([&] { return press(keys); }, done, wait, tries);
  }

  // The match trace, where a test that decides matches asks for it (SORV_MATCH_TRACE).
  std::string matchTrace() const { return readText(dir_ + "/match.txt"); }

  // Once match number `match` of the run has its first point, the hidden keys "0 0 0 1"
  // (the user wins) or "0 0 0 2", then the table. Each key must reach the game in a frame of
  // its own (142 ms), and a loaded machine draws a frame late: the keys go 350 ms apart, and
  // the code goes again while the match is not over: every 2 s, as a whole match may take
  // only a few seconds on the virtual clock. A spare code that completes before the point
  // the first one ends would decide the next match too; the scoring takes the user's code
  // before the opponent's, and the roads lose before they win.
  bool decideTheMatch(const char* last, int match) {
    if (!within(kMatchPatience, [&] {
          const std::string t = matchTrace();
          return countLinesWith(t, "match ") == match && has(t.substr(t.rfind("match ")), "\npoint ");
        })) {
      return false;
    }
    const auto over = [&] { return countLinesWith(matchTrace(), "over ") >= match; };
    actUntil([&] { return press(std::string("0 0 0 ") + last, 350); }, over, std::chrono::seconds(2), 100);
    return within(kMatchPatience, [&] { return countLinesWith(trace(), "state 56 -> 57 push") >= match; });
  }

  // The window once it holds still, looked at every half second.
  Picture steadyWindow(Window window) {
    Picture last;
    within(std::chrono::seconds(60), [&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      Picture now = x_.capture(window, dir_ + "/window.xwd");
      const bool same = !now.rgb.empty() && now.rgb == last.rgb;
      last = now;
      return same;
    });
    return last;
  }

  // A headless shot of that name in the run's folder, the script line that takes it, and
  // the shot as the window shows it.
  std::string shotPath(const std::string& name) const { return dir_ + "/" + name + ".png"; }
  std::string take(const std::string& name) const { return "shot " + shotPath(name) + "\n"; }
  Picture shot(const std::string& name) const { return turnedAsTheWindowShowsIt(readPng(shotPath(name))); }

  // Makes the log and the trace the window's own from here.
  void forgetTheHeadlessRun() {
    std::remove(env_["SORV_LOG"].c_str());
    std::remove(env_["SORV_TRACE"].c_str());
  }

  // How long a step waits for the game to show a press before pressing again. A press that
  // is only late must not be followed by a second one, which would reach the next screen:
  // on a machine loaded by the whole suite a few frames can take seconds. The sanitizer
  // build draws several times slower.
  static constexpr std::chrono::seconds kPressWait{kSanitizerBuild ? 15 : 6};
  // A match and the way back to the table; the sanitizer build draws several times slower.
  static constexpr std::chrono::seconds kMatchPatience{kSanitizerBuild ? 300 : 90};

  VirtualX x_;
  pid_t game_ = -1;
};

}  // namespace sorv::test
