#include "tools/mkdata/pad_art.h"

#include <algorithm>
#include <utility>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_integers.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace {

// 5 x 7 glyphs, a row a 5-bit number (bit 4 the left column): the digits 1 to 9, then O, K.
constexpr uint8_t kGlyphs[11][7] = {
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}, {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1E, 0x01, 0x01, 0x0E, 0x01, 0x01, 0x1E}, {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}, {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}, {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}, {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}};
constexpr int kGlyphO = 9, kGlyphK = 10;

void glyph(Canvas& c, int index, int x, int y, int scale, uint8_t colour) {
  for (int row = 0; row < 7; row++) {
    for (int col = 0; col < 5; col++) {
      if ((kGlyphs[index][row] >> (4 - col) & 1) != 0) c.fillRect(x + col * scale, y + row * scale, scale, scale, colour);
    }
  }
}


enum : uint8_t {
  kKey, kRing, kKeyBody, kKeyEdge, kArrow, kLitBody, kLitArrow,
  kButtonBody, kButtonEdge, kButtonInk, kTouched,
};

// The pad's palette, or the dimmer one of the pad while a button is held, whose buttons light.
// The game draws the pad at 70 % over the match and the held pad at 30 %: the palette carries
// that alpha. The keys and buttons are rims round a clear middle, their arrows and signs
// edged dark, so the court, the players and the texts under them stay seen, and a frame
// blends only its rims and signs. A lit key, drawn a few frames after a touch, and the buttons
// of the held pad are filled. The ring and the touched rings are fainter still.
constexpr uint32_t kPadAlpha = 70 * 255 / 100, kHeldPadAlpha = 30 * 255 / 100;

std::vector<uint32_t> padPalette(bool held) {
  const uint32_t a = held ? kHeldPadAlpha : kPadAlpha;
  return {kArtKey,
          withAlpha(0xFFFFFF, held ? 0x38 : 0x60),
          withAlpha(held ? 0x0E1626 : 0x16253F, a),
          withAlpha(held ? 0x6A7486 : 0xC8D2E2, a),
          withAlpha(held ? 0x9AA4B4 : 0xFFFFFF, a),
          withAlpha(0xF0B828, a),
          withAlpha(0x16253F, a),
          withAlpha(held ? 0xF0B828 : 0x16253F, a),
          withAlpha(0xC8D2E2, a),
          withAlpha(held ? 0x16253F : 0xF4F6FA, a),
          withAlpha(0xFFE040, 0xD0)};
}

// The pad is painted on a canvas whose middle is the frame's origin, the middle of the
// centre cell; its keys sit on a ring through the eight cells round it.
constexpr int kHalf = 150, kRingRadius = 104, kRingWidth = 4, kKeyRadius = 26;
constexpr int kCentreCell = 4, kCells = 9;
constexpr Pt kMiddle{kHalf, kHalf};

// The direction (in sixteenths) from the centre cell to cell c.
int directionOf(int cell) {
  constexpr int kByCell[kCells] = {10, 12, 14, 8, -1, 0, 6, 4, 2};
  return kByCell[cell];
}

// A key on the ring, the diagonal ones a little further out so they stay in their cells.
Pt keyAt(int direction) { return along(kMiddle, direction, direction % 4 == 0 ? kRingRadius - 2 : kRingRadius + 10); }
Pt keyCentre(int cell) { return keyAt(directionOf(cell)); }

Canvas padCanvas() { return Canvas(2 * kHalf + 1, 2 * kHalf + 1); }

// The device blends translucent rows eight pixels at a time and any rest pixel by pixel,
// several times slower: every picture of the pad, drawn each frame, is made of modules whole
// eights wide (clear on the right). The keys share one body and the buttons' bodies are
// halves, as the menus keep these sprites' images for the whole game.
constexpr int blendWidth(int width) { return (width + 7) / 8 * 8; }

// The canvas's ink as one module, whole eights wide (widened to the right, or to the left at
// the canvas's edge), about the origin.
SpriteFModule inkInEights(ArtSprite& art, const Canvas& c, int originX, int originY) {
  Box ink = c.bounds();
  if (blendWidth(ink.w) <= c.width()) {
    ink.w = blendWidth(ink.w);
    ink.x = std::min(ink.x, c.width() - ink.w);
  }
  return ArtSprite::entry(art.addModule(c.crop(ink)), ink.x - originX, ink.y - originY);
}

// A key's round body about (kKeyRadius, kKeyRadius): a light edge and a dark rim round a clear
// middle, or filled for a lit key.
constexpr int kEdgeWidth = 2, kRimWidth = 3;
Canvas keyBody(uint8_t body, bool filled) {
  Canvas c(blendWidth(2 * kKeyRadius + 1), 2 * kKeyRadius + 1);
  c.fillEllipse(kKeyRadius, kKeyRadius, kKeyRadius, kKeyRadius, kKeyEdge);
  c.fillEllipse(kKeyRadius, kKeyRadius, kKeyRadius - kEdgeWidth, kKeyRadius - kEdgeWidth, body);
  const int clear = kKeyRadius - kEdgeWidth - kRimWidth;
  if (!filled) c.fillEllipse(kKeyRadius, kKeyRadius, clear, clear, kKey);
  return c;
}

// A point `along` pixels in `direction` and `across` pixels to its right (a quarter turn
// clockwise on the screen) from the middle of pixel `from`, in sub-pixel units.
Pt subAlong(Pt from, int direction, int along, int across) {
  constexpr int kQuarter = 4;
  return {from.x * kSub + kSub / 2 + (along * cos64(direction) + across * cos64(direction + kQuarter)) * kSub / 64,
          from.y * kSub + kSub / 2 + (along * sin64(direction) + across * sin64(direction + kQuarter)) * kSub / 64};
}

// An arrow with a head and a shaft, about the key's middle, `grow` pixels wider all round for
// its dark edge: a bare triangle on a diagonal reads as pointing along its longer sides, that
// is the wrong way.
std::vector<Pt> arrow(Pt middle, int direction, int grow) {
  const int tip = 13 + grow, headBack = 1 - grow, headHalf = 9 + grow, shaftHalf = 3 + grow, tail = -12 - grow;
  const std::pair<int, int> outline[] = {{tip, 0},          {headBack, headHalf},   {headBack, shaftHalf},
                                         {tail, shaftHalf}, {tail, -shaftHalf},     {headBack, -shaftHalf},
                                         {headBack, -headHalf}};
  std::vector<Pt> points;
  for (const auto& [along, across] : outline) points.push_back(subAlong(middle, direction, along, across));
  return points;
}

// A direction key: the shared body with its own arrow over it; over a clear middle the arrow
// carries a dark edge.
constexpr int kArrowEdge = 2;
std::vector<SpriteFModule> directionKey(ArtSprite& art, int cell, uint8_t body, uint8_t arrowInk, bool filled) {
  const Pt k = keyCentre(cell);
  Canvas c = padCanvas();
  if (!filled) c.fillPolygonSub(arrow(k, directionOf(cell), kArrowEdge), body);
  c.fillPolygonSub(arrow(k, directionOf(cell), 0), arrowInk);
  return {ArtSprite::entry(art.addModule(keyBody(body, filled)), k.x - kKeyRadius - kHalf, k.y - kKeyRadius - kHalf),
          inkInEights(art, c, kHalf, kHalf)};
}

// The ring between key `cell` and the next one clockwise, leaving the keys out.
Canvas ringArc(int cell) {
  Canvas c = padCanvas();
  const int from = directionOf(cell), to = from + 2;
  const Pt a = keyAt(from), b = keyAt(to);
  const auto underKey = [](int x, int y, Pt k) {
    return (x - k.x) * (x - k.x) + (y - k.y) * (y - k.y) <= kKeyRadius * kKeyRadius;
  };
  c.ellipseRing(kMiddle.x, kMiddle.y, kRingRadius + kRingWidth / 2, kRingRadius + kRingWidth / 2, kRingWidth, kRing);
  for (int y = 0; y < c.height(); y++) {
    for (int x = 0; x < c.width(); x++) {
      const int px = x - kMiddle.x, py = y - kMiddle.y;
      const bool inSector = cos64(from) * py - sin64(from) * px >= 0 && px * sin64(to) - py * cos64(to) >= 0;
      if (!inSector || underKey(x, y, a) || underKey(x, y, b)) c.set(x, y, kKey);
    }
  }
  return c;
}

std::vector<int> directionCells() {
  std::vector<int> cells;
  for (int cell = 0; cell < kCells; cell++) {
    if (cell != kCentreCell) cells.push_back(cell);
  }
  return cells;
}

// The pad: each ring piece and key placed on its own, so every module keeps to its ink.
std::vector<SpriteFModule> pad(ArtSprite& art) {
  std::vector<SpriteFModule> entries;
  for (int cell : directionCells()) {
    entries.push_back(inkInEights(art, ringArc(cell), kHalf, kHalf));
    for (const SpriteFModule& e : directionKey(art, cell, kKeyBody, kArrow, false)) entries.push_back(e);
  }
  return entries;
}

std::vector<SpriteFModule> litKey(ArtSprite& art, int cell) { return directionKey(art, cell, kLitBody, kLitArrow, true); }

// The round buttons, about their touch boxes' middles.
enum class Button { kOk, kLob, kMenu };
constexpr int kButtonRadius[3] = {44, 40, 30};

// A round picture symmetric top to bottom as its upper half and the same half upside down,
// about the middle of its `size`-wide square.
constexpr int kFlipY = 2;
std::vector<SpriteFModule> halves(ArtSprite& art, const Canvas& round, int size) {
  const int r = size / 2;
  const int half = art.addModule(round.crop({0, 0, round.width(), r + 1}));
  return {ArtSprite::entry(half, -r, -r), ArtSprite::entry(half, -r, 0, kFlipY)};
}

// A button's sign, in `ink`, every stroke `grow` pixels wider all round.
void buttonSign(Canvas& c, Button b, int r, int grow, uint8_t ink) {
  if (b == Button::kOk) {
    for (int dy = -grow; dy <= grow; dy++) {
      for (int dx = -grow; dx <= grow; dx++) {
        glyph(c, kGlyphO, r - 23 + dx, r - 14 + dy, 4, ink);
        glyph(c, kGlyphK, r + 3 + dx, r - 14 + dy, 4, ink);
      }
    }
  } else if (b == Button::kLob) {
    // A ball's high arc over a net.
    for (int x = -24; x <= 18; x++) {
      const int y = 14 - (576 - x * x) * 30 / 576;
      c.fillRect(r + x - grow, r + y - grow, 3 + 2 * grow, 3 + 2 * grow, ink);
    }
    const std::vector<Pt> head = {{r + 14, r + 4}, {r + 26, r + 6}, {r + 20, r + 18}};
    for (int dy = -grow; dy <= grow; dy++) {
      for (int dx = -grow; dx <= grow; dx++) {
        c.fillPolygon({{head[0].x + dx, head[0].y + dy}, {head[1].x + dx, head[1].y + dy}, {head[2].x + dx, head[2].y + dy}},
                      ink);
      }
    }
    c.fillRect(r - 2 - grow, r + 4 - grow, 4 + 2 * grow, 12 + 2 * grow, ink);
  } else {
    for (int bar = -1; bar <= 1; bar++) c.fillRect(r - 14 - grow, r + bar * 9 - 2 - grow, 28 + 2 * grow, 5 + 2 * grow, ink);
  }
}

// A button: its body in halves, its sign over it; a rim round a clear middle, the sign edged
// dark, unless `filled` (the held pad's lit buttons).
std::vector<SpriteFModule> button(ArtSprite& art, Button b, bool filled) {
  const int r = kButtonRadius[static_cast<int>(b)];
  Canvas body(blendWidth(2 * r + 1), 2 * r + 1);
  body.fillEllipse(r, r, r, r, kButtonEdge);
  body.fillEllipse(r, r, r - 3, r - 3, kButtonBody);
  Canvas sign(2 * r + 1, 2 * r + 1);
  if (!filled) {
    body.fillEllipse(r, r, r - 3 - kRimWidth, r - 3 - kRimWidth, kKey);
    buttonSign(sign, b, r, kArrowEdge, kButtonBody);
  }
  buttonSign(sign, b, r, 0, kButtonInk);
  std::vector<SpriteFModule> entries = halves(art, body, 2 * r + 1);
  entries.push_back(inkInEights(art, sign, r, r));
  return entries;
}

std::vector<SpriteFModule> touchedRing(ArtSprite& art, Button b) {
  const int r = kButtonRadius[static_cast<int>(b)];
  Canvas c(2 * r + 5, 2 * r + 5);
  c.ellipseRing(r + 2, r + 2, r + 2, r + 2, 5, kTouched);
  return halves(art, c, 2 * r + 5);
}

constexpr int kOkFrame = 10, kLobFrame = 11, kMenuFrame = 12, kEmptyFrame = 13;
constexpr int kOkTouched = 16, kLobTouched = 17, kMenuTouched = 18;
constexpr int kTutorialPad = 19, kWaitingPad = 20;
// The stand-in's frames and animations stay; one palette, as the menus cache every palette's
// images of these sprites for the whole game.
constexpr int kLabelledFrames = 132, kLabelledAnims = 48;

void addButtons(ArtSprite& art, bool lit) {
  for (Button b : {Button::kOk, Button::kLob, Button::kMenu}) {
    art.setFrame(kOkFrame + static_cast<int>(b), button(art, b, lit));
  }
}

void finish(ArtSprite& art, int emptyFrame) {
  art.setFrame(kLabelledFrames - 1, {});
  art.setAnim(kLabelledAnims - 1, {{emptyFrame, 1}}, emptyFrame);
}

}  // namespace

std::vector<uint8_t> padArt() {
  ArtSprite art;
  art.addPalette(padPalette(false));
  const int plain = art.setFrame(0, pad(art));
  for (int cell = 0; cell < kCells; cell++) {
    std::vector<SpriteFModule> entries = {ArtSprite::frameEntry(plain, 0, 0)};
    if (cell != kCentreCell) {
      for (const SpriteFModule& e : litKey(art, cell)) entries.push_back(e);
    }
    art.setFrame(cell + 1, entries);
  }
  addButtons(art, false);
  art.setFrame(kEmptyFrame, {});
  for (Button b : {Button::kOk, Button::kLob, Button::kMenu}) art.setFrame(kOkTouched + static_cast<int>(b), touchedRing(art, b));
  // The tutorial lights every direction; the pad waiting for the serve shows them unlit.
  std::vector<SpriteFModule> tutorial = {ArtSprite::frameEntry(plain, 0, 0)};
  for (int cell : directionCells()) {
    for (const SpriteFModule& e : litKey(art, cell)) tutorial.push_back(e);
  }
  art.setFrame(kTutorialPad, tutorial);
  art.setFrame(kWaitingPad, {ArtSprite::frameEntry(plain, 0, 0)});
  finish(art, kEmptyFrame);
  return art.write();
}

std::vector<uint8_t> heldPadArt() {
  ArtSprite art;
  art.addPalette(padPalette(true));
  art.setFrame(0, pad(art));
  addButtons(art, true);
  art.setFrame(kEmptyFrame, {});
  finish(art, kEmptyFrame);
  return art.write();
}

std::vector<uint8_t> padKeysArt() {
  constexpr int kFirstKey = 22, kKeys = 9, kStep = 70, kCap = 56;
  enum : uint8_t { kCapEdge = 1, kCapLight, kCapFirst };
  constexpr int kShades = 4;
  constexpr uint8_t kDigit = kCapFirst + kShades;
  ArtSprite art;
  std::vector<uint32_t> colours = {kArtKey, opaque(0x10141C), opaque(0xA8B8D0)};
  appendShades(colours, opaque(0x64748C), opaque(0x333E52), kShades);
  colours.push_back(opaque(0xFFFFFF));
  art.addPalette(colours);
  // One cap for every key, its digit drawn over it.
  Canvas cap(kCap, kCap);
  cap.fillRect(0, 2, kCap, kCap - 4, kCapEdge);
  cap.fillRect(2, 0, kCap - 4, kCap, kCapEdge);
  cap.fillRect(1, 1, kCap - 2, kCap - 2, kCapEdge);
  cap.ramp(3, 3, kCap - 6, kCap - 6, kCapFirst, kShades);
  cap.fillRect(4, 2, kCap - 8, 2, kCapLight);
  for (int i = 0; i < kKeys; i++) {
    Canvas digit(kCap, kCap);
    glyph(digit, i, kCap / 2 - 10, kCap / 2 - 14, 4, kDigit);
    const int x = (i % 3 - 1) * kStep, y = (i / 3 - 1) * kStep;
    std::vector<SpriteFModule> entries = art.place(cap, kCap / 2 - x, kCap / 2 - y);
    for (const SpriteFModule& e : art.place(digit, kCap / 2 - x, kCap / 2 - y)) entries.push_back(e);
    art.setFrame(kFirstKey + i, entries);
  }
  finish(art, 0);
  return art.write();
}

}  // namespace sorv::mkdata
