#include "tools/mkdata/trophy_art.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/surface_light.h"

namespace sorv::mkdata {

namespace {

// The game builds every module's picture in every palette when it loads this sprite, so the
// trophies are built from a kit of pieces shared between frames, and each symmetric piece is
// one half (or one quarter) drawn mirrored.

// In frame coordinates (the origin the bottom right corner): the trophy's middle (between
// two columns), the plinth's top row, the flag's pole.
constexpr int kMiddle = -32, kPlinthHeight = 16, kPlinthTop = -kPlinthHeight, kPlinthHalf = 32;
constexpr int kPoleX = -86, kPoleTop = -125;
constexpr int kClothW = kFlagWidth, kClothH = 18;

// Pieces are painted on a scratch canvas about the line between two columns, standing on a
// row; only their left halves (or top left quarters) are kept when they mirror.
constexpr int kScratch = 128, kAnchorX = kScratch / 2, kAnchorY = 120;
constexpr int kAnchorSub = kAnchorX * kSub;

// Fixed colours, then the ramps; the flag's cloth takes the indexes from kClothFirst on.
constexpr uint8_t kOutline = 1;
constexpr uint8_t kClothFirst = 48;
// Markers of the parts before they are lit (never left in a picture).
constexpr uint8_t kMarkMetal = 250, kMarkTrim = 251, kMarkBall = 252, kMarkFlat = 253;

enum class Kind { kCup, kUrn, kBowl, kGoblet, kPlate, kGrandPlate, kShield, kBall, kColumn };
enum class Metal { kGold, kSilver, kBronze };
enum class Stem { kNone, kShort, kLong };
enum class Plinth { kWood, kSteps, kBlackMarble, kGreenMarble };

struct TrophyLook {
  Kind kind;
  Metal metal;
  Stem stem;
  bool handles, lid;
  Plinth plinth;
  Metal plaque;
};

// A trophy per frame, from sixteen bodies told apart further by stem, handles, lid and
// plinth: the four great tournaments (0..3) and the main ones (2, 4) the grandest; 23 the
// women's main tournament's plate.
constexpr TrophyLook kLooks[kTournamentLogoFrames] = {
    {Kind::kCup, Metal::kGold, Stem::kLong, true, true, Plinth::kSteps, Metal::kGold},
    {Kind::kUrn, Metal::kSilver, Stem::kShort, true, true, Plinth::kBlackMarble, Metal::kGold},
    {Kind::kCup, Metal::kGold, Stem::kLong, true, false, Plinth::kGreenMarble, Metal::kSilver},
    {Kind::kBowl, Metal::kGold, Stem::kShort, false, false, Plinth::kWood, Metal::kGold},
    {Kind::kUrn, Metal::kGold, Stem::kLong, true, true, Plinth::kGreenMarble, Metal::kGold},
    {Kind::kShield, Metal::kBronze, Stem::kShort, false, false, Plinth::kWood, Metal::kGold},
    {Kind::kPlate, Metal::kGold, Stem::kShort, false, false, Plinth::kBlackMarble, Metal::kSilver},
    {Kind::kGoblet, Metal::kSilver, Stem::kLong, false, false, Plinth::kWood, Metal::kSilver},
    {Kind::kBall, Metal::kGold, Stem::kLong, false, false, Plinth::kBlackMarble, Metal::kGold},
    {Kind::kCup, Metal::kBronze, Stem::kShort, false, false, Plinth::kWood, Metal::kGold},
    {Kind::kShield, Metal::kSilver, Stem::kShort, false, false, Plinth::kBlackMarble, Metal::kGold},
    {Kind::kUrn, Metal::kSilver, Stem::kLong, false, true, Plinth::kWood, Metal::kSilver},
    {Kind::kCup, Metal::kSilver, Stem::kLong, true, false, Plinth::kSteps, Metal::kSilver},
    {Kind::kBowl, Metal::kGold, Stem::kLong, true, false, Plinth::kGreenMarble, Metal::kGold},
    {Kind::kBowl, Metal::kBronze, Stem::kShort, false, false, Plinth::kWood, Metal::kGold},
    {Kind::kGoblet, Metal::kGold, Stem::kLong, true, false, Plinth::kBlackMarble, Metal::kGold},
    {Kind::kCup, Metal::kSilver, Stem::kShort, false, true, Plinth::kWood, Metal::kSilver},
    {Kind::kShield, Metal::kGold, Stem::kShort, false, false, Plinth::kGreenMarble, Metal::kSilver},
    {Kind::kCup, Metal::kGold, Stem::kShort, false, true, Plinth::kWood, Metal::kGold},
    {Kind::kColumn, Metal::kSilver, Stem::kLong, false, false, Plinth::kBlackMarble, Metal::kSilver},
    {Kind::kBowl, Metal::kBronze, Stem::kLong, true, false, Plinth::kSteps, Metal::kGold},
    {Kind::kGoblet, Metal::kSilver, Stem::kShort, true, false, Plinth::kWood, Metal::kSilver},
    {Kind::kBall, Metal::kGold, Stem::kShort, false, false, Plinth::kGreenMarble, Metal::kGold},
    {Kind::kGrandPlate, Metal::kSilver, Stem::kShort, false, false, Plinth::kBlackMarble, Metal::kGold},
};

// ---------------------------------------------------------------- colours

struct Colours {
  std::vector<uint32_t> palette;
  Ramp gold, silver, bronze, wood, blackMarble, greenMarble, pole;
  Ramp metal(Metal m) const { return m == Metal::kGold ? gold : m == Metal::kSilver ? silver : bronze; }
  Ramp stone(Plinth p) const {
    return p == Plinth::kBlackMarble ? blackMarble : p == Plinth::kGreenMarble ? greenMarble : wood;
  }
};

Ramp addRamp(std::vector<uint32_t>& palette, uint32_t dark, uint32_t light, int count) {
  return Ramp{static_cast<uint8_t>(appendShades(palette, opaque(dark), opaque(light), count)), count};
}

Colours trophyColours() {
  Colours c;
  c.palette = {kArtKey, opaque(0x140E08)};
  c.gold = addRamp(c.palette, 0x6A4208, 0xFFF2A8, 7);
  c.silver = addRamp(c.palette, 0x46505E, 0xFAFCFF, 7);
  c.bronze = addRamp(c.palette, 0x4A2410, 0xF4B878, 7);
  c.wood = addRamp(c.palette, 0x2E180A, 0x9A6634, 5);
  c.blackMarble = addRamp(c.palette, 0x101014, 0x62626E, 5);
  c.greenMarble = addRamp(c.palette, 0x0C3424, 0x5A9A78, 5);
  c.pole = addRamp(c.palette, 0x5A5A60, 0xEEEEF2, 4);
  if (c.palette.size() > kClothFirst) throw std::logic_error("trophy colours overrun the flag's");
  c.palette.resize(kClothFirst, opaque(0));
  return c;
}

// ---------------------------------------------------------------- pieces

enum class Symmetry { kNone, kLeftRight, kFourWay };

// A piece's kept picture and where its top left lies from the anchor it is placed by.
struct Piece {
  Canvas canvas;
  int dx = 0, dy = 0;
  Symmetry symmetry = Symmetry::kNone;
};

int sub(int pixels) { return pixels * kSub; }

// A shape symmetric about the anchor's line from its right half: (half width, y) points in
// sixteenths of a pixel, top down, y from the anchor's row.
void fillProfile(Canvas& c, const std::vector<Pt>& rightHalf, uint8_t colour) {
  std::vector<Pt> polygon;
  for (const Pt& p : rightHalf) polygon.push_back({kAnchorSub + p.x, sub(kAnchorY) + p.y});
  for (auto it = rightHalf.rbegin(); it != rightHalf.rend(); ++it) polygon.push_back({kAnchorSub - it->x, sub(kAnchorY) + it->y});
  c.fillPolygonSub(polygon, colour);
}

// A band across the anchor's line, `half` pixels each side, at rows y..y+h-1 from the anchor.
void band(Canvas& c, int half, int y, int h, uint8_t colour) { c.fillRect(kAnchorX - half, kAnchorY + y, 2 * half, h, colour); }

// The markers lit from the front: the body as a cylinder, the trim in its own metal, balls
// as balls, flat parts in the body's middle shade.
void lightPiece(Canvas& c, Ramp body, Ramp trim, int flatLevel = 60) {
  for (int y = 0; y < c.height(); y++)
    for (int x = 0; x < c.width(); x++)
      if (c.at(x, y) == kMarkFlat) c.set(x, y, body.at(flatLevel));
  Canvas balls(c.width(), c.height());
  for (int y = 0; y < c.height(); y++)
    for (int x = 0; x < c.width(); x++)
      if (c.at(x, y) == kMarkBall) balls.set(x, y, 1);
  if (const Box b = balls.bounds(); !b.empty()) {
    shadeBall(c, kMarkBall, b.x + b.w / 2, b.y + b.h / 2, std::max(b.w, b.h) / 2, trim, Light::kFront);
  }
  shadeCylinder(c, kMarkMetal, body, Light::kFront);
  shadeCylinder(c, kMarkTrim, trim, Light::kFront);
}

// The left half copied mirrored over the right, so the halves are one picture.
void mirrorLeftHalf(Canvas& c) {
  for (int y = 0; y < c.height(); y++)
    for (int x = kAnchorX; x < c.width(); x++) c.set(x, y, c.at(2 * kAnchorX - 1 - x, y));
}

void mirrorTopHalf(Canvas& c, int middleRow) {
  for (int y = middleRow; y < c.height() && 2 * middleRow - 1 - y >= 0; y++)
    for (int x = 0; x < c.width(); x++) c.set(x, y, c.at(x, 2 * middleRow - 1 - y));
}

// The scratch's ink as a piece: whole, its left half, or its top left quarter above
// `middleRow`; outlined first.
Piece cut(Canvas scratch, Symmetry symmetry, int middleRow = 0) {
  if (symmetry != Symmetry::kNone) mirrorLeftHalf(scratch);
  if (symmetry == Symmetry::kFourWay) mirrorTopHalf(scratch, middleRow);
  scratch.outline(kOutline);
  const Box ink = scratch.bounds();
  Box kept = ink;
  if (symmetry != Symmetry::kNone) kept.w = kAnchorX - ink.x;
  if (symmetry == Symmetry::kFourWay) kept.h = middleRow - ink.y;
  return Piece{scratch.crop(kept), kept.x - kAnchorX, kept.y - kAnchorY, symmetry};
}

// The frame entries that show a piece with its anchor at (x, y) of the frame, mirrored about
// the anchor's line when asked (a right-hand part drawn on the left).
void put(ArtSprite& art, std::vector<SpriteFModule>& entries, const Piece& p, int x, int y, bool mirror = false) {
  const int m = art.addModule(p.canvas), w = p.canvas.width(), h = p.canvas.height();
  switch (p.symmetry) {
    case Symmetry::kNone:
      entries.push_back(mirror ? ArtSprite::entry(m, x - p.dx - w, y + p.dy, 1) : ArtSprite::entry(m, x + p.dx, y + p.dy));
      return;
    case Symmetry::kLeftRight:
      entries.push_back(ArtSprite::entry(m, x + p.dx, y + p.dy));
      entries.push_back(ArtSprite::entry(m, x, y + p.dy, 1));
      return;
    case Symmetry::kFourWay:
      entries.push_back(ArtSprite::entry(m, x + p.dx, y + p.dy));
      entries.push_back(ArtSprite::entry(m, x, y + p.dy, 1));
      entries.push_back(ArtSprite::entry(m, x + p.dx, y + p.dy + h, 2));
      entries.push_back(ArtSprite::entry(m, x, y + p.dy + h, 3));
      return;
  }
}

// ---------------------------------------------------------------- the kit

constexpr int kFootHeight = 5;
constexpr int kStemLength[] = {0, 9, 20};

Piece foot(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  fillProfile(s, {{sub(9), sub(-kFootHeight)}, {sub(13), sub(-1)}, {sub(13), 0}}, kMarkMetal);
  lightPiece(s, c.metal(m), c.metal(m));
  return cut(s, Symmetry::kLeftRight);
}

Piece stem(const Colours& c, Metal m, Stem length) {
  Canvas s(kScratch, kScratch);
  const int l = kStemLength[static_cast<int>(length)];
  band(s, 3, -l, l, kMarkMetal);
  s.fillEllipse(kAnchorX - 1, -l / 2 + kAnchorY, 5, 2, kMarkTrim);  // the knop
  lightPiece(s, c.metal(m), c.metal(m));
  return cut(s, Symmetry::kLeftRight);
}

// A trophy's body and where its handles and lid go, from its anchor (the top of its stem).
struct Body {
  Piece piece;
  int height;
  Pt handle;  // the right handle's anchor
  int lidHalf;
};

Body cupBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 26, half = 14;
  fillProfile(s, {{sub(half), sub(-h)}, {sub(half) - 4, sub(-h * 3 / 4)}, {sub(half * 7 / 8), sub(-h / 2)},
                  {sub(half * 5 / 8), sub(-h / 5)}, {sub(3), 0}},
              kMarkMetal);
  band(s, half + 1, -h - 1, 3, kMarkTrim);
  band(s, half - 1, -h * 2 / 3, 1, kMarkFlat);
  lightPiece(s, c.metal(m), c.metal(m));
  return {cut(s, Symmetry::kLeftRight), h + 1, {half - 2, -h + 2}, half - 1};
}

Body urnBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 38, half = 15, neck = 6;
  fillProfile(s, {{sub(neck + 2), sub(-h)}, {sub(neck), sub(-h + 3)}, {sub(neck + 2), sub(-h * 3 / 4)},
                  {sub(half), sub(-h * 2 / 5)}, {sub(half - 3), sub(-h / 6)}, {sub(4), 0}},
              kMarkMetal);
  band(s, neck + 3, -h - 1, 2, kMarkTrim);
  band(s, half - 2, -h / 3, 2, kMarkTrim);
  lightPiece(s, c.metal(m), c.metal(m));
  return {cut(s, Symmetry::kLeftRight), h + 1, {neck + 1, -h + 3}, neck + 2};
}

Body bowlBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 12, half = 25;
  fillProfile(s, {{sub(half), sub(-h)}, {sub(half - 2), sub(-h / 2)}, {sub(half - 8), sub(-2)}, {sub(5), 0}}, kMarkMetal);
  // The mouth seen a little from above: its dark inside within the rim.
  s.fillEllipse(kAnchorX - 1, kAnchorY - h, half, 3, kMarkTrim);
  s.fillEllipse(kAnchorX - 1, kAnchorY - h, half - 3, 2, kMarkFlat);
  lightPiece(s, c.metal(m), c.metal(m));
  return {cut(s, Symmetry::kLeftRight), h + 3, {half - 3, -h + 2}, 0};
}

Body gobletBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 26, half = 12;
  fillProfile(s, {{sub(half), sub(-h)}, {sub(half - 1), sub(-h * 2 / 3)}, {sub(5), sub(-3)}, {sub(3), 0}}, kMarkMetal);
  band(s, half + 1, -h - 1, 2, kMarkTrim);
  lightPiece(s, c.metal(m), c.metal(m));
  return {cut(s, Symmetry::kLeftRight), h + 1, {half - 3, -h + 3}, 0};
}

// A plate stands upright on its stem: a bevelled rim, an engraved field and a boss, lit
// alike all round so a quarter of it serves.
Body plateBody(const Colours& c, Metal m, int r, Metal trim) {
  Canvas s(kScratch, kScratch);
  const Ramp body = c.metal(m), edge = c.metal(trim);
  const int cy = kAnchorY - r;  // the plate's middle lies between rows cy - 1 and cy
  for (int y = cy - r; y < cy; y++) {
    for (int x = kAnchorX - r; x < kAnchorX; x++) {
      const int dx = 2 * (x - kAnchorX) + 1, dy = 2 * (y - cy) + 1, d2 = dx * dx + dy * dy;
      if (d2 > 4 * r * r) continue;
      const auto within = [&](int radius) { return d2 <= 4 * radius * radius; };
      uint8_t colour = edge.at(230);
      if (within(r - 1)) colour = edge.at(120);
      if (within(r - 3)) colour = edge.at(40);
      if (within(r - 4)) colour = body.at(170);
      if (within(r - 7) && !within(r - 8)) colour = body.at(40);
      if (r > 20 && within(r - 12) && !within(r - 13)) colour = edge.at(150);
      if (within(r / 4 + 1)) colour = edge.at(60);
      if (within(r / 4)) colour = edge.at(230);
      s.set(x, y, colour);
    }
  }
  return {cut(s, Symmetry::kFourWay, cy), 2 * r, {0, 0}, 0};
}

Body shieldBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 42, half = 19;
  const auto outline = [&](int inset) {
    return std::vector<Pt>{{sub(half - inset), sub(-h + inset)},
                           {sub(half - inset), sub(-h / 2)},
                           {sub(half - inset - 4), sub(-h / 5)},
                           {sub(half / 2 - inset / 2), sub(-6 - inset / 2)},
                           {0, sub(-inset)}};
  };
  fillProfile(s, outline(0), kMarkTrim);
  fillProfile(s, outline(3), kMarkMetal);
  band(s, 2, -h + 3, h - 8, kMarkTrim);
  band(s, half - 3, -h * 2 / 3 - 1, 5, kMarkTrim);
  s.fillEllipse(kAnchorX - 1, kAnchorY - h * 2 / 3 + 1, 5, 5, kMarkBall);
  lightPiece(s, c.metal(m), c.gold);
  return {cut(s, Symmetry::kLeftRight), h, {0, 0}, 0};
}

// A ball lit from the upper left: the one piece that is not mirrored.
Body ballBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int r = 13;
  s.fillEllipse(kAnchorX, kAnchorY - r - 1, r, r, kMarkBall);
  shadeBall(s, kMarkBall, kAnchorX, kAnchorY - r - 1, r, c.metal(m));
  // Its seams, engraved: arcs of two circles beside it, where they cross it.
  for (int y = kAnchorY - 2 * r - 1; y < kAnchorY; y++) {
    for (int x = kAnchorX - r; x <= kAnchorX + r; x++) {
      if (s.at(x, y) == 0) continue;
      for (const int side : {-1, 1}) {
        const int dx = x - (kAnchorX + side * 20), dy = y - (kAnchorY - r - 1);
        const int d2 = dx * dx + dy * dy;
        if (d2 >= 11 * 11 && d2 <= 12 * 12) s.set(x, y, c.metal(m).at(40));
      }
    }
  }
  Piece p = cut(s, Symmetry::kNone);
  return {p, 2 * r + 1, {0, 0}, 0};
}

// A slim fluted column with a star on top.
Body columnBody(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  constexpr int h = 30, r = 12;
  constexpr int kStar[10][2] = {{0, -100}, {24, -33}, {95, -31}, {38, 12}, {59, 81},
                                {0, 40},   {-59, 81}, {-38, 12}, {-95, -31}, {-24, -33}};
  fillProfile(s, {{sub(4), sub(-h)}, {sub(6), sub(-3)}, {sub(8), 0}}, kMarkMetal);
  band(s, 1, -h + 2, h - 5, kMarkFlat);
  std::vector<Pt> star;
  const int cy = kAnchorY - h - r + 3;
  for (const auto& p : kStar) star.push_back({kAnchorSub + p[0] * r * kSub / 100, cy * kSub + p[1] * r * kSub / 100});
  s.fillPolygonSub(star, kMarkTrim);
  lightPiece(s, c.metal(m), c.gold);
  return {cut(s, Symmetry::kLeftRight), h + 2 * r - 3, {0, 0}, 0};
}

Body body(const Colours& c, Kind k, Metal m) {
  switch (k) {
    case Kind::kCup: return cupBody(c, m);
    case Kind::kUrn: return urnBody(c, m);
    case Kind::kBowl: return bowlBody(c, m);
    case Kind::kGoblet: return gobletBody(c, m);
    case Kind::kPlate: return plateBody(c, m, 18, Metal::kSilver);
    case Kind::kGrandPlate: return plateBody(c, m, 25, Metal::kGold);
    case Kind::kShield: return shieldBody(c, m);
    case Kind::kBall: return ballBody(c, m);
    case Kind::kColumn: return columnBody(c, m);
  }
  return cupBody(c, m);
}

// An ear handle for the body's right side, its anchor where it leaves the rim; its reach
// and drop by the body.
Piece handle(const Colours& c, Metal m, int reach, int drop) {
  Canvas s(kScratch, kScratch);
  const Pt a{sub(kAnchorX), sub(kAnchorY)}, b{sub(kAnchorX + reach), sub(kAnchorY - 2)};
  const Pt d{sub(kAnchorX + reach + 2), sub(kAnchorY + drop / 2)}, e{sub(kAnchorX), sub(kAnchorY + drop)};
  s.lineSub(a, b, sub(3), kMarkMetal);
  s.lineSub(b, d, sub(3), kMarkMetal);
  s.lineSub(d, e, sub(3), kMarkMetal);
  lightPiece(s, c.metal(m), c.metal(m));
  return cut(s, Symmetry::kNone);
}

// A domed lid with a ball on top, standing on the rim.
Piece lid(const Colours& c, Metal m, int half) {
  Canvas s(kScratch, kScratch);
  const int h = half / 2 + 3;
  fillProfile(s, {{0, sub(-h)}, {sub(half / 2), sub(-h + 2)}, {sub(half - 2), sub(-h / 3)}, {sub(half), 0}}, kMarkMetal);
  s.fillEllipse(kAnchorX - 1, kAnchorY - h - 3, 3, 3, kMarkBall);
  lightPiece(s, c.metal(m), c.metal(m));
  return cut(s, Symmetry::kLeftRight);
}

// Plinths and their plaques, as tall as kPlinthHeight and their bottom on the frame's.
Piece plinthBlock(const Colours& c, Plinth p, int half, int height) {
  Canvas s(kScratch, kScratch);
  const Ramp stone = c.stone(p);
  const Box box{kAnchorX - half, kAnchorY - height, 2 * half, height};
  s.fillRect(box.x, box.y, box.w, box.h, kMarkFlat);
  shadeDown(s, kMarkFlat, {box.x, box.y + 1, box.w, box.h - 2}, stone);
  s.fillRect(box.x, box.y, box.w, 1, stone.light());
  s.fillRect(box.x, box.y + box.h - 1, box.w, 1, stone.dark());
  if (p == Plinth::kBlackMarble || p == Plinth::kGreenMarble) {
    s.line({box.x + 4, box.y + 3}, {box.x + 14, box.y + box.h - 3}, 1, stone.at(190));
    s.line({box.x + 20, box.y + 2}, {box.x + 28, box.y + 8}, 1, stone.at(190));
  }
  // The block's own edge stays inside it, so its corner is the frame's.
  Canvas edged = s;
  edged.fillRect(box.x, box.y, box.w, box.h, kOutline);
  edged.draw(s.crop({box.x + 1, box.y + 1, box.w - 2, box.h - 2}), box.x + 1, box.y + 1);
  Canvas kept = edged.crop({box.x, box.y, half, box.h});
  return Piece{kept, -half, -height, Symmetry::kLeftRight};
}

void putPlinth(ArtSprite& art, std::vector<SpriteFModule>& entries, const Colours& c, Plinth p) {
  if (p == Plinth::kSteps) {
    put(art, entries, plinthBlock(c, Plinth::kWood, kPlinthHalf, kPlinthHeight - 6), kMiddle, 0);
    put(art, entries, plinthBlock(c, Plinth::kWood, kPlinthHalf - 8, 7), kMiddle, kPlinthTop + 7);
  } else {
    put(art, entries, plinthBlock(c, p, kPlinthHalf, kPlinthHeight), kMiddle, 0);
  }
}

Piece plaque(const Colours& c, Metal m) {
  Canvas s(kScratch, kScratch);
  const Ramp metal = c.metal(m);
  band(s, 12, -6, 6, metal.at(200));
  band(s, 9, -4, 1, metal.dark());
  band(s, 6, -2, 1, metal.dark());
  return cut(s, Symmetry::kLeftRight);
}

// ---------------------------------------------------------------- the flag

// The flag's cloth waves: each column's drop, and whether it lies in a fold's shade.
constexpr int kWave[kClothW] = {0, 0, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 0, 0,
                                0, 0, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 0, 0};

bool inFold(int u) { return u + 1 < kClothW && kWave[u + 1] < kWave[u]; }

// A country's flag: the region of each cloth point, and the colour of each region.
struct FlagDesign {
  int (*region)(int u, int v);
  std::array<uint32_t, 3> colours;
};

constexpr int kNordicU = 8, kCrossU = 12, kCrossV = 7, kCrossWidth = 4;

constexpr FlagDesign kFlags[kTournamentFlagPalettes] = {
    // Three stripes across.
    {[](int, int v) { return v * 3 / kClothH; }, {0xC82828, 0xF4F4F4, 0x2448B8}},
    // Three stripes down.
    {[](int u, int) { return u * 3 / kClothW; }, {0x1E8040, 0xF0D020, 0x202020}},
    // A cross toward the hoist.
    {[](int u, int v) {
       return (u >= kNordicU && u < kNordicU + kCrossWidth) || (v >= kCrossV && v < kCrossV + kCrossWidth) ? 1 : 0;
     },
     {0x2460D8, 0xF8F8F8, 0}},
    // A disc in a white ring on the field.
    {[](int u, int v) {
       const int du = 2 * u + 1 - kClothW, dv = 2 * v + 1 - kClothH, d2 = du * du + dv * dv;
       return d2 <= 100 ? 1 : d2 <= 160 ? 2 : 0;
     },
     {0xE08020, 0x40A0E0, 0xF8F8F8}},
    // A triangle at the hoist over two stripes.
    {[](int u, int v) {
       const int dv = std::abs(2 * v + 1 - kClothH);
       if (dv * 12 < (12 - u) * kClothH) return 0;
       return v < kClothH / 2 ? 1 : 2;
     },
     {0x802080, 0xF0F0F0, 0x20A0A0}},
    // A cross in the middle, edged in black.
    {[](int u, int v) {
       const bool cross = (u >= kCrossU && u < kCrossU + kCrossWidth) || (v >= kCrossV && v < kCrossV + kCrossWidth);
       const bool edge = (u >= kCrossU - 1 && u < kCrossU + kCrossWidth + 1) || (v >= kCrossV - 1 && v < kCrossV + kCrossWidth + 1);
       return cross ? 1 : edge ? 2 : 0;
     },
     {0xE0C820, 0xC02020, 0x181818}},
};

// Every cloth pixel's index: one per distinct (region in each flag, fold) so each palette can
// colour the cloth as its own flag; and the colour of each index in each palette.
struct Cloth {
  Canvas picture{kClothW, kFlagHeight};
  std::vector<std::array<uint32_t, kTournamentFlagPalettes>> colours;
};

Cloth cloth() {
  Cloth cloth;
  std::map<std::array<int, kTournamentFlagPalettes + 1>, uint8_t> seen;
  for (int v = 0; v < kClothH; v++) {
    for (int u = 0; u < kClothW; u++) {
      std::array<int, kTournamentFlagPalettes + 1> key{};
      for (int f = 0; f < kTournamentFlagPalettes; f++) key[static_cast<size_t>(f)] = kFlags[f].region(u, v);
      key[kTournamentFlagPalettes] = inFold(u) ? 1 : 0;
      auto it = seen.find(key);
      if (it == seen.end()) {
        const auto next = static_cast<uint8_t>(kClothFirst + cloth.colours.size());
        it = seen.emplace(key, next).first;
        std::array<uint32_t, kTournamentFlagPalettes> colours{};
        for (int f = 0; f < kTournamentFlagPalettes; f++) {
          const uint32_t c = opaque(kFlags[f].colours[static_cast<size_t>(key[static_cast<size_t>(f)])]);
          colours[static_cast<size_t>(f)] = key[kTournamentFlagPalettes] ? mixColour(c, opaque(0), 1, 5) : c;
        }
        cloth.colours.push_back(colours);
      }
      cloth.picture.set(u, v + kWave[u], it->second);
    }
  }
  return cloth;
}

// The pole from the ground to its gold knob, as one piece with its foot.
Canvas pole(const Colours& c) {
  const int h = -kPoleTop;
  Canvas p(8, h);
  p.fillRect(0, h - 3, 8, 3, kOutline);
  p.fillRect(1, h - 2, 6, 2, c.pole.at(80));
  p.fillRect(2, 3, 4, h - 6, kOutline);
  p.fillRect(3, 3, 2, h - 6, kMarkMetal);
  shadeCylinder(p, kMarkMetal, c.pole);
  p.fillEllipse(4, 2, 2, 2, kMarkBall);
  shadeBall(p, kMarkBall, 4, 2, 2, c.gold);
  return p;
}

// ---------------------------------------------------------------- a frame

std::vector<SpriteFModule> trophyFrame(ArtSprite& art, const TrophyLook& t, const Colours& c, const Canvas& flag,
                                       const Canvas& flagPole) {
  std::vector<SpriteFModule> e;
  e.push_back(ArtSprite::entry(art.addModule(flagPole), kPoleX - 3, kPoleTop));
  e.push_back(ArtSprite::entry(art.addModule(flag), kFlagLeft, kFlagTop));
  putPlinth(art, e, c, t.plinth);
  put(art, e, plaque(c, t.plaque), kMiddle, -3);
  int y = kPlinthTop;
  const Metal stand = t.kind == Kind::kPlate || t.kind == Kind::kGrandPlate ? Metal::kGold : t.metal;
  put(art, e, foot(c, stand), kMiddle, y);
  y -= kFootHeight - 1;
  if (t.stem != Stem::kNone) {
    put(art, e, stem(c, stand, t.stem), kMiddle, y);
    y -= kStemLength[static_cast<int>(t.stem)] - 1;
  }
  const Body b = body(c, t.kind, t.metal);
  put(art, e, b.piece, kMiddle, y);
  if (t.handles) {
    const Piece h = handle(c, t.metal, t.kind == Kind::kBowl ? 4 : 6, t.kind == Kind::kBowl ? 7 : 14);
    put(art, e, h, kMiddle + b.handle.x, y + b.handle.y);
    put(art, e, h, kMiddle - b.handle.x, y + b.handle.y, true);
  }
  if (t.lid && b.lidHalf > 0) put(art, e, lid(c, t.metal, b.lidHalf), kMiddle, y - b.height + 1);
  return e;
}

}  // namespace

std::vector<uint8_t> trophyArtSprite() {
  const Colours colours = trophyColours();
  const Cloth flag = cloth();
  const Canvas flagPole = pole(colours);
  ArtSprite art;
  for (const TrophyLook& look : kLooks) art.addFrame(trophyFrame(art, look, colours, flag.picture, flagPole));
  art.addAnim({{0, 1}});
  for (int f = 0; f < kTournamentFlagPalettes; f++) {
    std::vector<uint32_t> palette = colours.palette;
    for (const auto& c : flag.colours) palette.push_back(c[static_cast<size_t>(f)]);
    art.addPalette(palette);
  }
  return art.write();
}

}  // namespace sorv::mkdata
