#include "tools/mkdata/menu_kit.h"

#include <algorithm>
#include <cstdlib>

#include "tools/mkdata/font_face.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::mkdata {

namespace {

// Court types 0..3: clay, hard, grass, the practice court. Light, accent, dark, deep.
constexpr uint32_t kAccents[kit::kPalettes][4] = {
    {0xF2A874, 0xE07A3C, 0xA04C1C, 0x5C2A10},
    {0x7CB4F0, 0x3C8CE0, 0x2060A8, 0x103660},
    {0x90D080, 0x58B04A, 0x347A2C, 0x1C4818},
    {0x84D8CC, 0x3CB4A8, 0x24786E, 0x12403A},
};

// The bar levels take the inks of the font palettes the values of each fifth take.
constexpr int kLevelFontPalettes[kit::kLevels] = {4, 1, 5, 3, 2};

// cos(2 pi k / 32) x 1024 for k = 0..8; the rest by symmetry.
constexpr int kQuarterCosine[9] = {1024, 1004, 946, 851, 724, 569, 392, 200, 0};

int cosine32(int k) {
  k = ((k % 32) + 32) % 32;
  if (k <= 8) return kQuarterCosine[k];
  if (k <= 16) return -kQuarterCosine[16 - k];
  if (k <= 24) return -kQuarterCosine[k - 16];
  return kQuarterCosine[32 - k];
}

int isqrt(int64_t v) {
  if (v <= 0) return 0;
  int64_t r = 0, bit = int64_t{1} << 40;
  while (bit > v) bit >>= 2;
  while (bit != 0) {
    if (v >= r + bit) {
      v -= r + bit;
      r = (r >> 1) + bit;
    } else {
      r >>= 1;
    }
    bit >>= 2;
  }
  return static_cast<int>(r);
}

// How deep a pixel lies inside a rounded rectangle (1 on its outermost ring), 0 outside.
int roundedDepth(int x, int y, int w, int h, int r) {
  if (x < 0 || y < 0 || x >= w || y >= h) return 0;
  const int cx = std::clamp(x, r, w - 1 - r), cy = std::clamp(y, r, h - 1 - r);
  if (cx == x || cy == y) return std::min({x, y, w - 1 - x, h - 1 - y}) + 1;
  // In a corner: half-pixel units from the corner circle's centre.
  const int dx = 2 * (x - cx), dy = 2 * (y - cy);
  const int d = isqrt(int64_t{dx} * dx + int64_t{dy} * dy);
  const int depth = (2 * r + 1 - d) / 2 + 1;
  return depth > 0 ? depth : 0;
}

}  // namespace

Pt circlePoint(int cx, int cy, int r, int k) {
  return {cx + r * cosine32(k) / 1024, cy + r * cosine32(k - 8) / 1024};
}

std::vector<uint32_t> kitPalette(int courtType) {
  std::vector<uint32_t> c(kit::kColours, opaque(0x000000));
  c[0] = kArtKey;
  for (int i = 0; i < kit::kBackdropShades; i++) c[kit::kBackdrop + i] = opaque(mixColour(0x0E2038, 0x1C3A5C, i, kit::kBackdropShades - 1));
  c[kit::kCourtLine] = opaque(0x2A4B74);
  c[kit::kPanelFill] = opaque(0x0F2542);
  c[kit::kPanelEdge] = opaque(0x4A76A8);
  c[kit::kPanelSheen] = opaque(0x24476F);
  c[kit::kPanelShadow] = opaque(0x07111E);
  c[kit::kLitFill] = opaque(0x25507E);
  c[kit::kLitSheen] = opaque(0x3F6FA2);
  c[kit::kBall] = opaque(0xD8EA3A);
  c[kit::kBallShade] = opaque(0x98AE1E);
  c[kit::kBallSeam] = opaque(0xF6F9E2);
  c[kit::kWhite] = opaque(0xFFFFFF);
  c[kit::kInk] = opaque(0x0A0E18);
  const uint32_t* accent = kAccents[std::clamp(courtType, 0, kit::kPalettes - 1)];
  c[kit::kAccentLight] = opaque(accent[0]);
  c[kit::kAccent] = opaque(accent[1]);
  c[kit::kAccentDark] = opaque(accent[2]);
  c[kit::kAccentDeep] = opaque(accent[3]);
  auto ramp = [&](uint8_t first, int n, uint32_t light, uint32_t dark) {
    for (int i = 0; i < n; i++) c[first + i] = opaque(mixColour(light, dark, i, n - 1));
  };
  ramp(kit::kGold, kit::kGoldShades, 0xFFF8CC, 0xE67A16);
  ramp(kit::kBar, kit::kBarShades, 0x2C5080, 0x132A4C);
  ramp(kit::kLitBar, kit::kLitBarShades, 0x3A6AA4, 0x1E4478);
  ramp(kit::kBand, kit::kBandShades, 0x1E3A60, 0x0A172A);
  c[kit::kGrey] = opaque(0x6A7688);
  c[kit::kSteel] = opaque(0x9AA8BC);
  c[kit::kSteelLight] = opaque(0xD4DDE8);
  c[kit::kRacket] = opaque(0xC43C2C);
  c[kit::kRacketLight] = opaque(0xEC7458);
  c[kit::kString] = opaque(0xE6EAF0);
  for (int l = 0; l < kit::kLevels; l++) {
    const uint32_t ink = kFontInks[kLevelFontPalettes[l]] & 0xFFFFFF;
    c[kit::kLevel + l] = opaque(ink);
    c[kit::kLevelLight + l] = opaque(mixColour(ink, 0xFFFFFF, 45, 100));
    c[kit::kLevelDark + l] = opaque(mixColour(ink, 0x000000, 40, 100));
  }
  c[kit::kPressed] = opaque(0xFFE868);
  c[kit::kPressedEdge] = opaque(0x5E5010);
  c[kit::kSea] = opaque(0x2860A4);
  c[kit::kLand] = opaque(0x4CA040);
  c[kit::kBoard] = opaque(0x12201A);
  return c;
}

void addKitPalettes(ArtSprite& sprite) {
  for (int p = 0; p < kit::kPalettes; p++) sprite.addPalette(kitPalette(p));
}

Canvas panelCanvas(int w, int h, bool lit, int radius) {
  Canvas c(w, h);
  const uint8_t fill = lit ? kit::kLitFill : kit::kPanelFill, sheen = lit ? kit::kLitSheen : kit::kPanelSheen;
  const uint8_t edge = lit ? kit::kBall : kit::kPanelEdge;
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      const int depth = roundedDepth(x, y, w, h, radius);
      if (depth == 0) continue;
      c.set(x, y, depth <= 2 ? edge : depth == 3 && y < h / 2 ? sheen : fill);
    }
  }
  return c;
}

Canvas barCanvas(int w, int h, bool lit) {
  Canvas c(w, h);
  const uint8_t first = lit ? kit::kLitBar : kit::kBar;
  c.ramp(0, 0, w, h, first, lit ? kit::kLitBarShades : kit::kBarShades);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      const int depth = roundedDepth(x, y, w, h, h / 4);
      if (depth == 0) c.set(x, y, 0);
      else if (depth <= (lit ? 2 : 1)) c.set(x, y, lit ? kit::kBall : kit::kPanelEdge);
    }
  }
  return c;
}

Canvas bandCanvas(int w, int h, bool accentAtTop) {
  Canvas c(w, h);
  c.ramp(0, 0, w, h, kit::kBand, kit::kBandShades);
  if (!accentAtTop) {
    Canvas flipped(w, h);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) flipped.set(x, h - 1 - y, c.at(x, y));
    c = flipped;
  }
  const int line = accentAtTop ? 0 : h - 3;
  c.fillRect(0, line, w, 3, kit::kAccent);
  c.fillRect(0, accentAtTop ? 3 : h - 4, w, 1, kit::kAccentDeep);
  return c;
}

Canvas arrowCanvas(int w, int h, bool up, uint8_t fill, uint8_t edge) {
  Canvas c(w, h);
  constexpr int kEdge = 2;
  if (up) {
    c.fillPolygon({{kEdge, h - 1 - kEdge}, {w / 2, kEdge}, {w - 1 - kEdge, h - 1 - kEdge}}, fill);
  } else {
    c.fillPolygon({{kEdge, kEdge}, {w - 1 - kEdge, h / 2}, {kEdge, h - 1 - kEdge}}, fill);
  }
  for (int i = 0; i < kEdge; i++) c.outline(edge);
  return c;
}

Canvas ballCanvas(int diameter, int step) {
  Canvas c(diameter, diameter);
  const int r = diameter / 2;
  // Half-pixel units about the ball's centre.
  const int centre = diameter;
  c.fillEllipse(r, r, r - (diameter % 2 == 0 ? 1 : 0), r - (diameter % 2 == 0 ? 1 : 0), kit::kBall);
  const Pt axis = circlePoint(0, 0, 1024, step * 4);
  for (int y = 0; y < diameter; y++) {
    for (int x = 0; x < diameter; x++) {
      if (c.at(x, y) != kit::kBall) continue;
      const int dx = 2 * x + 1 - centre, dy = 2 * y + 1 - centre;
      if (dx + dy > diameter * 3 / 4) c.set(x, y, kit::kBallShade);
      // The seam: two arcs of circles whose centres lie beyond the ball on its turned axis.
      const int u = (dx * axis.x + dy * axis.y) / 1024, v = (-dx * axis.y + dy * axis.x) / 1024;
      for (int side : {-1, 1}) {
        const int cu = side * 2 * diameter * 8 / 10;
        const int d = isqrt(int64_t{u - cu} * (u - cu) + int64_t{v} * v);
        if (std::abs(d - diameter * 115 / 100) <= std::max(1, diameter / 14)) c.set(x, y, kit::kBallSeam);
      }
    }
  }
  c.outline(kit::kInk);
  return c;
}

Canvas letteringCanvas(const std::string& text, int scale, uint8_t colour, int gap) {
  // From the capitals' top down to the baseline, or to the lowest descender the words have.
  int width = 0, bottom = kFaceBaseline - 1;
  for (char ch : text) {
    const FaceGlyph g = faceGlyphOrHole(static_cast<unsigned char>(ch));
    width += (g.width + gap) * scale;
    for (int col = 0; col < g.width; col++) {
      for (int row = kFaceBaseline; row < kFaceRows; row++) bottom = g.ink(col, row) ? std::max(bottom, row) : bottom;
    }
  }
  Canvas c(std::max(width - gap * scale, 1), (bottom - kFaceCapTop + 1) * scale);
  int x = 0;
  for (char ch : text) {
    const FaceGlyph g = faceGlyphOrHole(static_cast<unsigned char>(ch));
    for (int col = 0; col < g.width; col++) {
      for (int row = kFaceCapTop; row <= bottom; row++) {
        if (g.ink(col, row)) c.fillRect(x + col * scale, (row - kFaceCapTop) * scale, scale, scale, colour);
      }
    }
    x += (g.width + gap) * scale;
  }
  return c;
}

Canvas titleCanvas(const std::string& text, int scale, int outline) {
  const Canvas letters = letteringCanvas(text, scale, kit::kGold);
  Canvas c(letters.width() + 2 * outline, letters.height() + 2 * outline + scale / 2);
  // A drop shadow first, then the letters with their gradient and outline over it.
  Canvas shadow(c.width(), c.height());
  shadow.draw(letters, outline, outline + scale / 2);
  shadow.replace(kit::kGold, kit::kInk);
  c.draw(letters, outline, outline);
  c.rampOver(kit::kGold, 0, outline, c.width(), letters.height(), kit::kGold, kit::kGoldShades);
  for (int i = 0; i < outline; i++) c.outline(kit::kInk);
  Canvas out(c.width(), c.height());
  out.draw(shadow, 0, 0);
  out.draw(c, 0, 0);
  return out;
}

namespace {

// The backdrop's faint court seen from behind its near baseline (off the bottom edge): depth z
// from the near baseline (0) to the far one, in centimetres; the picture scale falls as
// d / (d + z). Points in 1/kSub pixels.
constexpr int kBackdropW = 800, kBackdropH = 480;
constexpr int kLength = 2377, kDepth = 670, kHorizon = 60, kNearY = 560;
Pt courtPoint(int xcm, int z) {
  const int64_t s = int64_t{kDepth} * 1024 / (kDepth + z);  // x 1024
  return Pt{static_cast<int>((int64_t{kBackdropW / 2} * kSub) + int64_t{xcm} * kSub * s / 1000),
            static_cast<int>(int64_t{kHorizon} * kSub + int64_t{kNearY - kHorizon} * kSub * s / 1024)};
}
int lineThickness(int z) { return std::max(kSub, 2 * kSub * kDepth / (kDepth + z) + kSub / 2); }

// A picture of the court's lines and where it goes (top-left corners).
struct LinePiece {
  Canvas picture;
  std::vector<Pt> at;
};

// A line across the court (z fixed) is a plain bar, in pieces no wider than a module.
LinePiece acrossLine(int xcm, int z) {
  const Pt a = courtPoint(-xcm, z), b = courtPoint(xcm, z);
  const int t = (lineThickness(z) + kSub / 2) / kSub;
  const int left = a.x / kSub, width = (b.x - a.x) / kSub, top = a.y / kSub - t / 2;
  const int pieces = (width + 239) / 240;
  LinePiece p{Canvas((width + pieces - 1) / pieces, t, kit::kCourtLine), {}};
  for (int x : runOffsets(width, p.picture.width())) p.at.push_back({left + x, top});
  return p;
}

// A line along the court from the far baseline to the near one, of `steps` equal whole-pixel
// steps, as two pictures of one step each (the far half's thinner) placed step by step: a
// long slanting line kept in little.
constexpr int kAlongSteps = 16;
constexpr int kFarHalfZ = 1000, kNearHalfZ = 250;  // where each half's thickness is taken
std::vector<LinePiece> alongLine(int xcm) {
  const Pt far = courtPoint(xcm, kLength), near = courtPoint(xcm, 0);
  const Pt step{(near.x - far.x) / kAlongSteps / kSub * kSub, (near.y - far.y) / kAlongSteps / kSub * kSub};
  std::vector<LinePiece> out;
  for (int half = 0; half < 2; half++) {
    const int t = lineThickness(half == 0 ? kFarHalfZ : kNearHalfZ);
    const int pad = t / kSub + 2;
    const int w = std::abs(step.x) / kSub + 2 * pad, h = std::abs(step.y) / kSub + 2 * pad;
    // The step drawn from a point whose pixel offset is that of the far end, so each copy
    // lands where the whole line's pixels would.
    const Pt from{(step.x < 0 ? w - pad : pad) * kSub + far.x % kSub, pad * kSub + far.y % kSub};
    Canvas c(w, h);
    c.lineSub(from, {from.x + step.x, from.y + step.y}, t, kit::kCourtLine);
    const Box ink = c.bounds();
    LinePiece p{c.crop(ink), {}};
    for (int i = half * kAlongSteps / 2; i < (half + 1) * kAlongSteps / 2; i++) {
      const int x = far.x / kSub + i * step.x / kSub - from.x / kSub + ink.x;
      const int y = far.y / kSub + i * step.y / kSub - from.y / kSub + ink.y;
      if (x < kBackdropW && y < kBackdropH && x + ink.w > 0 && y + ink.h > 0) p.at.push_back({x, y});
    }
    if (!p.at.empty()) out.push_back(std::move(p));
  }
  return out;
}

// Every line of the backdrop's court that shows.
std::vector<LinePiece> backdropLines() {
  constexpr int kDoubles = 549, kSingles = 411, kService = 640, kNetOverhang = 90;
  std::vector<LinePiece> out;
  for (int x : {-kDoubles, -kSingles, kSingles, kDoubles})
    for (LinePiece& p : alongLine(x)) out.push_back(std::move(p));
  out.push_back(acrossLine(kDoubles, kLength));
  for (int z : {kLength / 2 - kService, kLength / 2 + kService}) out.push_back(acrossLine(kSingles, z));
  out.push_back(acrossLine(kDoubles + kNetOverhang, kLength / 2));  // the net
  // The centre service line.
  const Pt top = courtPoint(0, kLength / 2 + kService), bottom = courtPoint(0, kLength / 2 - kService);
  out.push_back({Canvas(2, (bottom.y - top.y) / kSub, kit::kCourtLine), {{kBackdropW / 2 - 1, top.y / kSub}}});
  return out;
}

}  // namespace

Canvas backdropCanvas() {
  Canvas c(kBackdropW, kBackdropH);
  c.ramp(0, 0, kBackdropW, kBackdropH, kit::kBackdrop, kit::kBackdropShades);
  for (const LinePiece& p : backdropLines())
    for (const Pt& at : p.at) c.draw(p.picture, at.x, at.y);
  return c;
}

std::vector<SpriteFModule> backdropFrame(ArtSprite& sprite) {
  constexpr int kStrip = 200;
  // A wide strip: its rows are what drawing it costs.
  std::vector<SpriteFModule> out = stripBackdrop(sprite, kit::kBackdrop, kit::kBackdropShades, false, kStrip);
  for (const LinePiece& p : backdropLines()) {
    const bool plain = std::all_of(p.picture.pixels().begin(), p.picture.pixels().end(), [](uint8_t c) { return c == kit::kCourtLine; });
    const int module = plain ? sprite.addRectangle(kitPalette(0)[kit::kCourtLine], p.picture.width(), p.picture.height(), true)
                             : sprite.addModule(p.picture);
    for (const Pt& at : p.at) out.push_back(ArtSprite::entry(module, at.x, at.y));
  }
  return out;
}

Canvas panelSliceCanvas(int piece, uint8_t fill) {
  Canvas panel = panelCanvas(4 * kSliceRun, 4 * kSliceRun);
  panel.replace(kit::kPanelFill, fill);
  switch (piece) {
    case 0: return panel.crop({0, 0, kSliceSide, kSliceSide});
    case 1: return panel.crop({kSliceSide, 0, kSliceRun, kSliceSide});
    default: return panel.crop({0, kSliceSide, kSliceSide, kSliceRun});
  }
}

PanelSlices addPanelSlices(ArtSprite& sprite, uint8_t fill) {
  const uint32_t colour = kitPalette(0)[fill];
  PanelSlices s{};
  s.fill = sprite.addRectangle(colour, kSliceRun, kSliceRun, true);
  s.fillSmall = sprite.addRectangle(colour, kSliceSide, kSliceSide, true);
  s.corner = sprite.addModule(panelSliceCanvas(0, fill));
  s.top = sprite.addModule(panelSliceCanvas(1, fill));
  s.left = sprite.addModule(panelSliceCanvas(2, fill));
  return s;
}

std::vector<int> runOffsets(int length, int piece) {
  std::vector<int> out;
  if (length <= 0) return out;
  for (int at = 0; at + piece < length; at += piece) out.push_back(at);
  out.push_back(std::max(length - piece, 0));
  return out;
}

void addSlicedPanel(std::vector<SpriteFModule>& out, const PanelSlices& slices, int x, int y, int w, int h) {
  const int iw = w - 2 * kSliceSide, ih = h - 2 * kSliceSide;
  const bool big = iw >= kSliceRun && ih >= kSliceRun;
  const int tile = big ? kSliceRun : kSliceSide;
  for (int ty : runOffsets(ih, tile))
    for (int tx : runOffsets(iw, tile))
      out.push_back(ArtSprite::entry(big ? slices.fill : slices.fillSmall, x + kSliceSide + tx, y + kSliceSide + ty));
  for (int tx : runOffsets(iw, kSliceRun)) {
    out.push_back(ArtSprite::entry(slices.top, x + kSliceSide + tx, y));
    out.push_back(ArtSprite::entry(slices.top, x + kSliceSide + tx, y + h - kSliceSide, 2));
  }
  for (int ty : runOffsets(ih, kSliceRun)) {
    out.push_back(ArtSprite::entry(slices.left, x, y + kSliceSide + ty));
    out.push_back(ArtSprite::entry(slices.left, x + w - kSliceSide, y + kSliceSide + ty, 1));
  }
  out.push_back(ArtSprite::entry(slices.corner, x, y));
  out.push_back(ArtSprite::entry(slices.corner, x + w - kSliceSide, y, 1));
  out.push_back(ArtSprite::entry(slices.corner, x, y + h - kSliceSide, 2));
  out.push_back(ArtSprite::entry(slices.corner, x + w - kSliceSide, y + h - kSliceSide, 3));
}

std::vector<SpriteFModule> stripBackdrop(ArtSprite& sprite, uint8_t first, int count, bool reversed, int width) {
  constexpr int kW = 800, kH = 480;
  Canvas strip(width, kH);
  strip.ramp(0, 0, width, kH, first, count);
  if (reversed) {
    for (int y = 0; y < kH; y++)
      for (int x = 0; x < width; x++) {
        const uint8_t c = strip.at(x, y);
        strip.set(x, y, static_cast<uint8_t>(first + count - 1 - (c - first)));
      }
  }
  const std::vector<SpriteFModule> column = sprite.place(strip, 0, 0);
  std::vector<SpriteFModule> out;
  for (int x = 0; x < kW; x += width) {
    for (SpriteFModule e : column) {
      e.x = static_cast<int16_t>(e.x + x);
      out.push_back(e);
    }
  }
  return out;
}

Canvas keyCapCanvas(int side, char digit, bool lit) {
  Canvas c = panelCanvas(side, side, lit, side / 6);
  const int scale = std::max(2, side / 15);
  Canvas glyph = letteringCanvas(std::string(1, digit), scale, kit::kWhite);
  Canvas shadow = glyph;
  shadow.replace(kit::kWhite, kit::kInk);
  const int x = (side - glyph.width()) / 2, y = (side - glyph.height()) / 2;
  c.draw(shadow, x + 1, y + 2);
  c.draw(glyph, x, y);
  return c;
}

}  // namespace sorv::mkdata
