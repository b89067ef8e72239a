#include "device/platform/host_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

namespace sorv::platform {
namespace {

// Windows come and go while the tree is walked; an error about one that went is no fault.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool onADesktop() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const char* display = std::getenv("DISPLAY");
  return (driver == nullptr || *driver == '\0' || std::strcmp(driver, "x11") == 0) && display != nullptr &&
         *display != '\0';
}

// The property as text, empty when the window has none.
std::string textProperty(Display* d, Window w, Atom property, Atom type) {
  Atom actual;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(d, w, property, 0, 1024, False, type, &actual, &format, &items, &after, &data) == Success &&
      data != nullptr && format == 8) {
    text.assign(reinterpret_cast<const char*>(data), items);
  }
  if (data != nullptr) XFree(data);
  return text;
}

bool titled(Display* d, Window w, const std::string& title) {
  return textProperty(d, w, XA_WM_NAME, AnyPropertyType) == title ||
         textProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False)) == title;
}

// The first window of that title under `under`, at any depth: a window manager puts the
// program's window inside a frame of its own.
Window findTitled(Display* d, Window under, const std::string& title) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (XQueryTree(d, under, &root, &parent, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; i++) {
    found = titled(d, children[i], title) ? children[i] : findTitled(d, children[i], title);
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool windowManagerRuns(Display* d) {
  Atom actual;
  int format;
  unsigned long items = 0, after;
  unsigned char* data = nullptr;
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  const bool named = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &actual, &format,
                                        &items, &after, &data) == Success &&
                     items > 0;
  if (data != nullptr) XFree(data);
  return named;
}

// What a task list sends: source 2 is a person's request, which the window manager grants
// even to a window that is not the newest (and restores a minimised one).
void askToActivate(Display* d, Window w) {
  constexpr long kSourceUser = 2;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = kSourceUser;
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

}  // namespace

bool raiseHostWindow(const std::string& title) {
  if (!onADesktop()) return false;
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return false;
  XErrorHandler previous = XSetErrorHandler(ignoreXError);
  const Window w = findTitled(d, DefaultRootWindow(d), title);
  if (w != 0) {
    if (windowManagerRuns(d)) {
      askToActivate(d, w);
    } else {
      XMapRaised(d, w);
      XSync(d, False);
      XSetInputFocus(d, w, RevertToParent, CurrentTime);
    }
  }
  XSync(d, False);
  XSetErrorHandler(previous);
  XCloseDisplay(d);
  return w != 0;
}

}  // namespace sorv::platform
