// The menus' kit: one palette and the few shapes every menu picture is drawn from - the calm
// navy backdrop, rounded panels with a light edge, lit rows with a ball-yellow edge, bands,
// arrows, the ball, and lettering cut from the font face - shared by the boot, menu,
// button and loading sprites so every screen reads alike.
//
// Invariants: integer arithmetic only; palettes 0-3 differ only in the accent colours (the
// court types' own), so a picture drawn in any of them keeps its contrast; the panel and
// row fills are dark enough under the fonts' white ink (contrast ratio above 7).
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace kit {
// Palette indexes.
inline constexpr uint8_t kBackdrop = 1, kBackdropShades = 16;  // top to bottom
inline constexpr uint8_t kCourtLine = 17;
inline constexpr uint8_t kPanelFill = 18, kPanelEdge = 19, kPanelSheen = 20, kPanelShadow = 21;
inline constexpr uint8_t kLitFill = 22, kLitSheen = 23;
inline constexpr uint8_t kBall = 24, kBallShade = 25, kBallSeam = 26;
inline constexpr uint8_t kWhite = 27, kInk = 28;  // ink: the darkest outline
inline constexpr uint8_t kAccent = 29, kAccentLight = 30, kAccentDark = 31, kAccentDeep = 32;
inline constexpr uint8_t kGold = 33, kGoldShades = 8;      // lettering, light to dark
inline constexpr uint8_t kBar = 41, kBarShades = 8;        // entry bars, light to dark
inline constexpr uint8_t kLitBar = 49, kLitBarShades = 8;  // lit entry bars, light to dark
inline constexpr uint8_t kBand = 57, kBandShades = 8;      // bands, light to dark
inline constexpr uint8_t kGrey = 65, kSteel = 66, kSteelLight = 67, kRacket = 68, kRacketLight = 69, kString = 70;
inline constexpr uint8_t kLevel = 71, kLevels = 5;         // the bar levels' colours, low to high
inline constexpr uint8_t kLevelLight = 76, kLevelDark = 81;
inline constexpr uint8_t kPressed = 86, kPressedEdge = 87;  // pressed controls
inline constexpr uint8_t kSea = 88, kLand = 89;
inline constexpr uint8_t kBoard = 90;  // the tournament table's board
inline constexpr int kColours = 91;
inline constexpr int kPalettes = 4;  // one per court type
}  // namespace kit

// The kit's palette with the accent of court type 0..3.
std::vector<uint32_t> kitPalette(int courtType);
// All kit palettes into a sprite.
void addKitPalettes(ArtSprite& sprite);

// A rounded panel of w x h: the fill, a 2-pixel edge and a sheen line inside it; `lit` gives
// the highlighted look (lighter fill, ball-yellow edge).
Canvas panelCanvas(int w, int h, bool lit = false, int radius = 8);
// An entry bar: a vertical ramp in the bar shades (or the lit ones, edged in ball yellow)
// with a rounded outline.
Canvas barCanvas(int w, int h, bool lit);
// A band across the screen's width: a ramp with an accent line at its top (or bottom).
Canvas bandCanvas(int w, int h, bool accentAtTop);
// An arrow of w x h pointing up or right, its fill and edge colours.
Canvas arrowCanvas(int w, int h, bool up, uint8_t fill, uint8_t edge);
// A tennis ball of the diameter, its seam turned by step (0..7, an eighth of a turn each).
Canvas ballCanvas(int diameter, int step = 0);
// A key cap of side `side` with the digit on it.
Canvas keyCapCanvas(int side, char digit, bool lit);
// Lettering cut from the font face, each face pixel `scale` pixels, one colour (draw ramps
// over it afterwards); letters `gap` face pixels apart.
Canvas letteringCanvas(const std::string& text, int scale, uint8_t colour, int gap = 1);
// The same, a gradient from the gold shades and a dark outline `outline` pixels thick.
Canvas titleCanvas(const std::string& text, int scale, int outline);
// The screen-wide backdrop (800 x 480): the navy ramp with faint court lines seen from behind
// a baseline, as a picture and as frame modules: the ramp from one wide strip, the lines
// across the court plain rectangles, those along it one short step repeated; 16 modules at
// most.
Canvas backdropCanvas();
std::vector<SpriteFModule> backdropFrame(ArtSprite& sprite);

// The pieces a panel of any size (at least kSlicedPanelMin square) is laid from: the fill in
// two sizes as plain rectangles (they keep no image), a corner, a top and a left edge; the
// other corners and edges are the same pieces flipped.
inline constexpr int kSliceSide = 12, kSliceRun = 48, kSlicedPanelMin = 2 * kSliceSide + kSliceRun;
struct PanelSlices {
  int fill, fillSmall, corner, top, left;
};
// The corner, top and left edge pictures of a panel of the fill colour.
Canvas panelSliceCanvas(int piece, uint8_t fill = kit::kPanelFill);  // 0 corner, 1 top, 2 left
// The pieces added to a sprite in the order of PanelSlices.
PanelSlices addPanelSlices(ArtSprite& sprite, uint8_t fill = kit::kPanelFill);
// The frame modules of a panel: fill, edges, then corners.
void addSlicedPanel(std::vector<SpriteFModule>& out, const PanelSlices& slices, int x, int y, int w, int h);
// A run of `length` pixels covered with `piece`-long pieces, the last flush with the end (the
// pieces are opaque and alike, so their overlap shows nothing): the pieces' offsets.
std::vector<int> runOffsets(int length, int piece);

// A screen-wide vertical ramp over `count` colours from `first` (reversed: the last at the
// top) from one strip `width` pixels wide repeated across: two small modules, cheap to keep.
std::vector<SpriteFModule> stripBackdrop(ArtSprite& sprite, uint8_t first, int count, bool reversed, int width = 40);

// A point on a circle of radius r about (cx, cy) at angle step k of 32 (0 right, 8 down).
Pt circlePoint(int cx, int cy, int r, int k);

}  // namespace sorv::mkdata
