#include "device/platform/panel_window.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "device/platform/quarter_turn.h"

namespace sorv::platform {
namespace {

struct PanelWindow {
  PanelView view = PanelView::turned;
  int32_t width = 0;  // the panel's
  int32_t height = 0;
  SDL_Surface* window = nullptr;
  SDL_Surface* panel = nullptr;

  bool turned() const { return view == PanelView::turned && panel != nullptr; }
};

PanelWindow& state() {
  static PanelWindow s;
  return s;
}

int32_t clampTo(int32_t v, int32_t size) { return std::clamp(v, 0, size - 1); }

}  // namespace

PanelView panelViewFromEnvironment() {
  const char* choice = std::getenv("SORV_PANEL");
  return choice != nullptr && std::strcmp(choice, "portrait") == 0 ? PanelView::portrait : PanelView::turned;
}

SDL_Surface* openPanel(int32_t width, int32_t height, int32_t bits, uint32_t flags) {
  closePanel();
  PanelWindow& s = state();
  s.view = panelViewFromEnvironment();
  s.width = width;
  s.height = height;
  if (s.view == PanelView::portrait) {
    s.window = SDL_SetVideoMode(width, height, bits, flags);
    return s.window;
  }
  if (bits != 16) {
    SDL_SetError("the turned window copies 16-bit pixels only, not %d", bits);
    return nullptr;
  }
  s.window = SDL_SetVideoMode(height, width, bits, flags);
  if (s.window == nullptr) return nullptr;
  const SDL_PixelFormat* f = s.window->format;
  if (f->BitsPerPixel != 16 || s.window->w != height || s.window->h != width) {
    SDL_SetError("unusable window surface %dx%d, %d bits", s.window->w, s.window->h, f->BitsPerPixel);
    return nullptr;
  }
  s.panel = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, f->Rmask, f->Gmask, f->Bmask, 0);
  return s.panel;
}

void flipPanel() {
  PanelWindow& s = state();
  if (s.window == nullptr) return;
  if (s.turned()) {
    if (SDL_MUSTLOCK(s.window) && SDL_LockSurface(s.window) != 0) return;
    turnPanelIntoWindow(static_cast<const uint16_t*>(s.panel->pixels), s.width, s.height, s.panel->pitch / 2,
                        static_cast<uint16_t*>(s.window->pixels), s.window->pitch / 2);
    if (SDL_MUSTLOCK(s.window)) SDL_UnlockSurface(s.window);
  }
  SDL_Flip(s.window);
}

void closePanel() {
  PanelWindow& s = state();
  if (s.turned()) SDL_FreeSurface(s.panel);
  s = PanelWindow{};
}

PanelView panelView() { return state().view; }

SDL_Surface* windowSurface() { return state().window; }

int pollHostEvent(SDL_Event* event) {
  if (SDL_PollEvent(event) == 0) return 0;
  if (!state().turned()) return 1;
  int32_t x, y;
  switch (event->type) {
    case SDL_MOUSEMOTION: {
      x = event->motion.x;
      y = event->motion.y;
      panelPointOfWindow(x, y);
      event->motion.x = static_cast<Uint16>(x);
      event->motion.y = static_cast<Uint16>(y);
      const Sint16 dx = event->motion.xrel;
      event->motion.xrel = static_cast<Sint16>(-event->motion.yrel);
      event->motion.yrel = dx;
      return 1;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      x = event->button.x;
      y = event->button.y;
      panelPointOfWindow(x, y);
      event->button.x = static_cast<Uint16>(x);
      event->button.y = static_cast<Uint16>(y);
      return 1;
    default:
      return 1;
  }
}

void panelPointOfWindow(int32_t& x, int32_t& y) {
  const PanelWindow& s = state();
  if (!s.turned()) return;
  const int32_t wx = clampTo(x, s.height), wy = clampTo(y, s.width);
  x = s.width - 1 - wy;
  y = wx;
}

void windowPointOfPanel(int32_t& x, int32_t& y) {
  const PanelWindow& s = state();
  if (!s.turned()) return;
  const int32_t px = clampTo(x, s.width), py = clampTo(y, s.height);
  x = py;
  y = s.width - 1 - px;
}

void turnPanelIntoWindow(const uint16_t* panel, int32_t width, int32_t height, int32_t panelPitch,
                         uint16_t* window, int32_t windowPitch) {
  // Panel row py becomes window column py, its pixel px window row width - 1 - px.
  if (width < 1 || height < 1) return;
  turnPixels(panel, panelPitch, width, height, window + static_cast<ptrdiff_t>(width - 1) * windowPitch,
             -int64_t{windowPitch}, 1);
}

}  // namespace sorv::platform
