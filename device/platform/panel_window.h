// The desktop window that shows the phone's panel (stand-in for the panel's SDL_SetVideoMode
// and SDL_Flip, and for the mouse positions SDL reports in that window).
//
// The phone's panel is portrait and its player holds it sideways, so the landscape picture
// stands upright. By default the host window shows what that player sees: it is the panel
// turned back a quarter turn (the panel's top edge on the window's left), and the panel is a
// surface of its own that every flip turns into the window. SORV_PANEL=portrait makes the
// window the panel itself, as before.
//
// Invariants:
// - Callers only ever see the panel: openPanel hands back a width x height surface and every
//   mouse position pollHostEvent hands back is a panel pixel, whatever the window shows.
// - In the turned view, after a flip, window pixel (x, y) shows panel pixel
//   (width - 1 - y, x); a window position (x, y) is panel pixel (width - 1 - y, x).
// - The panel surface lives from openPanel until closePanel (or SDL_Quit in the portrait
//   view, where SDL owns it).
// Main thread only.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

namespace sorv::platform {

enum class PanelView { turned, portrait };

// SORV_PANEL: "portrait" shows the raw panel; anything else, or nothing, the turned view.
PanelView panelViewFromEnvironment();

// Opens the window for a panel of width x height pixels of the given depth and returns the
// panel surface; nullptr (with SDL's error set) when the window or the panel cannot be made.
SDL_Surface* openPanel(int32_t width, int32_t height, int32_t bits, uint32_t flags);
// Shows the panel's current pixels in the window.
void flipPanel();
// Frees what openPanel made; the window itself goes with SDL_Quit.
void closePanel();

PanelView panelView();
// The host window's surface (the panel surface itself in the portrait view); nullptr
// before openPanel.
SDL_Surface* windowSurface();

// SDL_PollEvent with the mouse positions of motion and button events turned into panel
// pixels.
int pollHostEvent(SDL_Event* event);

// A window position as a panel pixel and back. In the turned view positions off the window
// (or panel) are pulled onto its edge first; in the portrait view, and before openPanel,
// both are the identity.
void panelPointOfWindow(int32_t& x, int32_t& y);
void windowPointOfPanel(int32_t& x, int32_t& y);

// The turned view's copy: panel (width x height pixels, rows of panelPitch pixels) into the
// window (height x width pixels, rows of windowPitch pixels).
void turnPanelIntoWindow(const uint16_t* panel, int32_t width, int32_t height, int32_t panelPitch,
                         uint16_t* window, int32_t windowPitch);

}  // namespace sorv::platform
