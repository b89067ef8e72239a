#include "tools/mkdata/trophy_art.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/surface_light.h"

namespace sorv::mkdata {

namespace {

// The frame's canvas: its bottom right corner is the origin.
constexpr int kWidth = 100, kHeight = 128;
// The trophy stands on its plinth about this column; the plinth's top row.
constexpr int kMiddle = 68, kPlinthTop = 112, kPlinthLeft = 37;
constexpr int kFoot = kPlinthTop - 1;
constexpr int kMiddleSub = kMiddle * kSub + kSub / 2;
// The flag's pole and cloth (its hoist at the pole).
constexpr int kPoleX = 14, kClothX = kWidth + kFlagLeft, kClothY = kHeight + kFlagTop;
constexpr int kClothW = kFlagWidth, kClothH = 18;

// Fixed colours, then the ramps; the flag's cloth takes the indexes from kClothFirst on.
constexpr uint8_t kOutline = 1, kEngrave = 2;
constexpr uint8_t kClothFirst = 48;
// Markers of the parts before they are lit (never left in a picture).
constexpr uint8_t kMarkMetal = 250, kMarkTrim = 251, kMarkBall = 252, kMarkFlat = 253;

enum class Kind { kCup, kUrn, kBowl, kGoblet, kPlate, kShield, kBall, kColumn };
enum class Metal { kGold, kSilver, kBronze };
enum class Plinth { kWood, kSteps, kBlackMarble, kGreenMarble };

struct TrophyLook {
  Kind kind;
  Metal metal, trim;
  int height;  // from the plinth's top to the trophy's top
  bool handles, lid;
  Plinth plinth;
};

// A trophy per frame: the four great tournaments (0..3) and the main ones (2, 4) the tallest;
// 23 the women's main tournament's plate.
constexpr TrophyLook kLooks[kTournamentLogoFrames] = {
    {Kind::kCup, Metal::kGold, Metal::kGold, 84, true, true, Plinth::kSteps},
    {Kind::kUrn, Metal::kSilver, Metal::kGold, 82, true, true, Plinth::kBlackMarble},
    {Kind::kCup, Metal::kGold, Metal::kSilver, 86, true, false, Plinth::kGreenMarble},
    {Kind::kBowl, Metal::kSilver, Metal::kSilver, 64, false, false, Plinth::kWood},
    {Kind::kUrn, Metal::kGold, Metal::kGold, 84, true, true, Plinth::kGreenMarble},
    {Kind::kShield, Metal::kBronze, Metal::kGold, 66, false, false, Plinth::kWood},
    {Kind::kPlate, Metal::kGold, Metal::kSilver, 60, false, false, Plinth::kBlackMarble},
    {Kind::kGoblet, Metal::kSilver, Metal::kSilver, 70, false, false, Plinth::kWood},
    {Kind::kBall, Metal::kGold, Metal::kGold, 72, false, false, Plinth::kBlackMarble},
    {Kind::kCup, Metal::kBronze, Metal::kBronze, 62, false, false, Plinth::kWood},
    {Kind::kShield, Metal::kSilver, Metal::kGold, 70, false, false, Plinth::kBlackMarble},
    {Kind::kUrn, Metal::kBronze, Metal::kBronze, 68, false, true, Plinth::kWood},
    {Kind::kCup, Metal::kSilver, Metal::kSilver, 70, true, false, Plinth::kSteps},
    {Kind::kBowl, Metal::kGold, Metal::kGold, 60, true, false, Plinth::kGreenMarble},
    {Kind::kPlate, Metal::kBronze, Metal::kGold, 58, false, false, Plinth::kWood},
    {Kind::kGoblet, Metal::kGold, Metal::kGold, 74, true, false, Plinth::kBlackMarble},
    {Kind::kBall, Metal::kSilver, Metal::kSilver, 68, false, false, Plinth::kWood},
    {Kind::kShield, Metal::kGold, Metal::kSilver, 68, false, false, Plinth::kGreenMarble},
    {Kind::kCup, Metal::kGold, Metal::kGold, 60, false, true, Plinth::kWood},
    {Kind::kColumn, Metal::kSilver, Metal::kGold, 78, false, false, Plinth::kBlackMarble},
    {Kind::kBowl, Metal::kBronze, Metal::kBronze, 56, false, false, Plinth::kSteps},
    {Kind::kGoblet, Metal::kBronze, Metal::kBronze, 66, false, true, Plinth::kWood},
    {Kind::kColumn, Metal::kGold, Metal::kGold, 76, false, false, Plinth::kGreenMarble},
    {Kind::kPlate, Metal::kSilver, Metal::kGold, 76, false, false, Plinth::kBlackMarble},
};

// ---------------------------------------------------------------- colours

struct Colours {
  std::vector<uint32_t> palette;
  Ramp gold, silver, bronze, wood, blackMarble, greenMarble, pole;
  Ramp metal(Metal m) const { return m == Metal::kGold ? gold : m == Metal::kSilver ? silver : bronze; }
};

Ramp addRamp(std::vector<uint32_t>& palette, uint32_t dark, uint32_t light, int count) {
  return Ramp{static_cast<uint8_t>(appendShades(palette, opaque(dark), opaque(light), count)), count};
}

Colours trophyColours() {
  Colours c;
  c.palette = {kArtKey, opaque(0x140E08), opaque(0x4A3418)};
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

// ---------------------------------------------------------------- shapes

// A shape symmetric about the trophy's middle from its right half: (half width, y) points in
// sixteenths of a pixel, top down.
void fillProfile(Canvas& c, const std::vector<Pt>& rightHalf, uint8_t colour) {
  std::vector<Pt> polygon;
  for (const Pt& p : rightHalf) polygon.push_back({kMiddleSub + p.x, p.y});
  for (auto it = rightHalf.rbegin(); it != rightHalf.rend(); ++it) polygon.push_back({kMiddleSub - it->x, it->y});
  c.fillPolygonSub(polygon, colour);
}

int sub(int pixels) { return pixels * kSub; }

// A band across the shape at row y (both halves), h rows high, half width w.
void band(Canvas& c, int halfWidth, int y, int h, uint8_t colour) {
  c.fillRect(kMiddle - halfWidth, y, 2 * halfWidth + 1, h, colour);
}

// A foot: a flared disc seen from the side, and a stem up to `top`.
void footAndStem(Canvas& c, int footHalf, int stemHalf, int top) {
  fillProfile(c, {{sub(footHalf - 3), sub(kFoot - 4)}, {sub(footHalf), sub(kFoot - 1)}, {sub(footHalf), sub(kFoot + 1)}},
              kMarkTrim);
  c.fillRect(kMiddle - stemHalf, top, 2 * stemHalf + 1, kFoot - 3 - top, kMarkMetal);
  // A knop halfway up the stem.
  const int knop = (top + kFoot - 3) / 2;
  c.fillEllipse(kMiddle, knop, stemHalf + 3, 2, kMarkTrim);
}

// An ear handle: a loop from the body's rim at (x, top) out and down to (x, bottom).
void handle(Canvas& c, int x, int top, int bottom, int reach, bool right) {
  const int s = right ? 1 : -1;
  const Pt a{x * kSub, top * kSub}, b{(x + s * reach) * kSub, (top - 2) * kSub};
  const Pt d{(x + s * (reach + 2)) * kSub, ((top + bottom) / 2) * kSub}, e{x * kSub, bottom * kSub};
  c.lineSub(a, b, 3 * kSub, kMarkTrim);
  c.lineSub(b, d, 3 * kSub, kMarkTrim);
  c.lineSub(d, e, 3 * kSub, kMarkTrim);
}

// A domed lid on a rim at row y with a ball on top.
void lid(Canvas& c, int halfWidth, int y, int height) {
  fillProfile(c, {{0, sub(y - height)}, {sub(halfWidth / 2), sub(y - height + 2)}, {sub(halfWidth - 2), sub(y - height / 3)},
                  {sub(halfWidth), sub(y + 1)}},
              kMarkMetal);
  c.fillEllipse(kMiddle, y - height - 3, 3, 3, kMarkBall);
}

void paintCup(Canvas& c, const TrophyLook& t) {
  const int top = kFoot - t.height;
  const int lidH = t.lid ? t.height / 6 : 0;
  const int rim = top + lidH + (t.lid ? 6 : 0);
  const int bowlH = (kFoot - rim) * 11 / 20, bowlHalf = 12 + t.height / 10;
  const int bowlBottom = rim + bowlH;
  footAndStem(c, bowlHalf - 3, 3, bowlBottom - 2);
  fillProfile(c,
              {{sub(bowlHalf), sub(rim)}, {sub(bowlHalf) - 4, sub(rim + bowlH / 4)}, {sub(bowlHalf * 7 / 8), sub(rim + bowlH / 2)},
               {sub(bowlHalf * 5 / 8), sub(rim + bowlH * 4 / 5)}, {sub(4), sub(bowlBottom)}},
              kMarkMetal);
  band(c, bowlHalf + 1, rim - 1, 3, kMarkTrim);
  // A band engraved round the bowl.
  band(c, bowlHalf, rim + bowlH / 3, 1, kMarkFlat);
  if (t.handles) {
    handle(c, kMiddle + bowlHalf - 2, rim + 2, rim + bowlH * 2 / 3, 6, true);
    handle(c, kMiddle - bowlHalf + 2, rim + 2, rim + bowlH * 2 / 3, 6, false);
  }
  if (t.lid) lid(c, bowlHalf - 1, rim - 1, lidH + 3);
}

void paintUrn(Canvas& c, const TrophyLook& t) {
  const int top = kFoot - t.height;
  const int lidH = t.lid ? t.height / 7 : 0;
  const int neck = top + lidH + (t.lid ? 6 : 2);
  const int bodyTop = neck + t.height / 8, bodyBottom = kFoot - t.height / 5;
  const int bodyHalf = 13 + t.height / 12, neckHalf = 7;
  footAndStem(c, bodyHalf - 4, 4, bodyBottom - 2);
  fillProfile(c,
              {{sub(neckHalf + 2), sub(neck)}, {sub(neckHalf), sub(neck + 3)}, {sub(neckHalf + 2), sub(bodyTop)},
               {sub(bodyHalf), sub((bodyTop + bodyBottom) / 2 - 2)}, {sub(bodyHalf - 3), sub(bodyBottom - 4)},
               {sub(5), sub(bodyBottom)}},
              kMarkMetal);
  band(c, neckHalf + 3, neck - 1, 2, kMarkTrim);
  band(c, bodyHalf - 2, (bodyTop + bodyBottom) / 2 + 4, 2, kMarkTrim);
  if (t.handles) {
    handle(c, kMiddle + neckHalf + 1, neck + 3, bodyTop + 5, 7, true);
    handle(c, kMiddle - neckHalf - 1, neck + 3, bodyTop + 5, 7, false);
  }
  if (t.lid) lid(c, neckHalf + 2, neck - 1, lidH + 2);
}

void paintBowl(Canvas& c, const TrophyLook& t) {
  const int rim = kFoot - t.height + 4, bowlHalf = 26, bowlH = t.height / 3;
  footAndStem(c, 15, 3, rim + bowlH - 1);
  fillProfile(c, {{sub(bowlHalf), sub(rim)}, {sub(bowlHalf - 2), sub(rim + bowlH / 2)}, {sub(bowlHalf - 8), sub(rim + bowlH - 2)},
                  {sub(6), sub(rim + bowlH + 1)}},
              kMarkMetal);
  // The bowl's mouth seen a little from above: a dark inside within the rim.
  c.fillEllipse(kMiddle, rim, bowlHalf, 3, kMarkTrim);
  c.fillEllipse(kMiddle, rim, bowlHalf - 3, 2, kMarkFlat);
  if (t.handles) {
    handle(c, kMiddle + bowlHalf - 3, rim + 2, rim + bowlH - 4, 3, true);
    handle(c, kMiddle - bowlHalf + 3, rim + 2, rim + bowlH - 4, 3, false);
  }
}

void paintGoblet(Canvas& c, const TrophyLook& t) {
  const int top = kFoot - t.height + (t.lid ? 10 : 0), cupHalf = 14, cupH = t.height * 2 / 5;
  footAndStem(c, 14, 2, top + cupH - 1);
  fillProfile(c, {{sub(cupHalf), sub(top)}, {sub(cupHalf - 1), sub(top + cupH / 3)}, {sub(5), sub(top + cupH - 3)},
                  {sub(3), sub(top + cupH)}},
              kMarkMetal);
  band(c, cupHalf + 1, top - 1, 2, kMarkTrim);
  if (t.handles) {
    handle(c, kMiddle + cupHalf - 3, top + 3, top + cupH - 6, 6, true);
    handle(c, kMiddle - cupHalf + 3, top + 3, top + cupH - 6, 6, false);
  }
  if (t.lid) lid(c, cupHalf - 1, top - 1, 7);
}

// A plate stands upright on a small stand: a rim, an engraved field, a boss in the middle.
void paintPlate(Canvas& c, const TrophyLook& t) {
  const int r = t.height / 2 - 3, cy = kFoot - 6 - r;
  fillProfile(c, {{sub(6), sub(cy + r - 4)}, {sub(14), sub(kFoot - 1)}, {sub(14), sub(kFoot + 1)}}, kMarkTrim);
  c.fillEllipse(kMiddle, cy, r, r, kMarkBall);
  c.fillEllipse(kMiddle, cy, r - 4, r - 4, kMarkFlat);
  c.ellipseRing(kMiddle, cy, r - 7, r - 7, 1, kMarkTrim);
  if (r > 24) c.ellipseRing(kMiddle, cy, r - 12, r - 12, 2, kMarkTrim);
  c.fillEllipse(kMiddle, cy, r / 4, r / 4, kMarkMetal);
}

// A shield on a short post: a rim of the trim metal, the field, a ball in the middle.
void paintShield(Canvas& c, const TrophyLook& t) {
  const int top = kFoot - t.height, bottom = kFoot - 10, half = 22;
  const auto outline = [&](int inset) {
    return std::vector<Pt>{{sub(half - inset), sub(top + inset)},
                           {sub(half - inset), sub(top + (bottom - top) / 2)},
                           {sub(half - inset - 4), sub(bottom - (bottom - top) / 5)},
                           {sub(half / 2 - inset / 2), sub(bottom - 6 - inset / 2)},
                           {0, sub(bottom - inset)}};
  };
  c.fillRect(kMiddle - 3, bottom - 4, 7, kFoot - bottom + 1, kMarkMetal);
  fillProfile(c, {{sub(10), sub(kFoot - 3)}, {sub(12), sub(kFoot + 1)}}, kMarkTrim);
  c.fillRect(kMiddle - 12, kFoot - 3, 25, 4, kMarkTrim);
  fillProfile(c, outline(0), kMarkTrim);
  fillProfile(c, outline(3), kMarkMetal);
  // A cross of the trim over the field, and a ball where it meets.
  c.fillRect(kMiddle - 2, top + 3, 5, bottom - top - 8, kMarkTrim);
  c.fillRect(kMiddle - half + 3, top + (bottom - top) / 3 - 1, 2 * half - 5, 5, kMarkTrim);
  c.fillEllipse(kMiddle, top + (bottom - top) / 3 + 1, 5, 5, kMarkBall);
}

// A big ball on a fluted column.
void paintBall(Canvas& c, const TrophyLook& t) {
  const int r = 15, cy = kFoot - t.height + r;
  footAndStem(c, 15, 5, cy + r - 3);
  for (int x = kMiddle - 4; x <= kMiddle + 4; x += 4) c.fillRect(x, cy + r, 1, kFoot - 5 - cy - r, kMarkFlat);
  c.fillEllipse(kMiddle, cy + r, 8, 2, kMarkTrim);
  c.fillEllipse(kMiddle, cy, r, r, kMarkBall);
}

// A slim column with a star on top.
void paintColumn(Canvas& c, const TrophyLook& t) {
  const int top = kFoot - t.height;
  constexpr int kStar[10][2] = {{0, -100}, {24, -33}, {95, -31}, {38, 12}, {59, 81},
                                {0, 40},   {-59, 81}, {-38, 12}, {-95, -31}, {-24, -33}};
  std::vector<Pt> star;
  const int r = 13, cy = top + r;
  for (const auto& p : kStar) star.push_back({kMiddleSub + p[0] * r * kSub / 100, cy * kSub + p[1] * r * kSub / 100});
  fillProfile(c, {{sub(4), sub(cy + r - 3)}, {sub(7), sub(kFoot - 8)}, {sub(9), sub(kFoot - 6)}}, kMarkMetal);
  footAndStem(c, 14, 7, kFoot - 7);
  c.fillPolygonSub(star, kMarkTrim);
}

void paintTrophy(Canvas& c, const TrophyLook& t) {
  switch (t.kind) {
    case Kind::kCup: return paintCup(c, t);
    case Kind::kUrn: return paintUrn(c, t);
    case Kind::kBowl: return paintBowl(c, t);
    case Kind::kGoblet: return paintGoblet(c, t);
    case Kind::kPlate: return paintPlate(c, t);
    case Kind::kShield: return paintShield(c, t);
    case Kind::kBall: return paintBall(c, t);
    case Kind::kColumn: return paintColumn(c, t);
  }
}

// The markers lit: the body as a cylinder, the trim in its own metal, balls as balls, the
// engraved and flat parts in the body's middle shade.
void lightTrophy(Canvas& c, const TrophyLook& t, const Colours& colours) {
  const Ramp body = colours.metal(t.metal), trim = colours.metal(t.trim);
  const Box ink = c.bounds();
  for (int y = ink.y; y < ink.y + ink.h; y++) {
    for (int x = ink.x; x < ink.x + ink.w; x++) {
      if (c.at(x, y) == kMarkFlat) c.set(x, y, body.at(t.kind == Kind::kPlate || t.kind == Kind::kShield ? 150 : 60));
    }
  }
  // A ball is lit about its own middle: found from its marker's box.
  Canvas balls(c.width(), c.height());
  for (int y = 0; y < c.height(); y++)
    for (int x = 0; x < c.width(); x++)
      if (c.at(x, y) == kMarkBall) balls.set(x, y, 1);
  const Box ball = balls.bounds();
  if (!ball.empty()) {
    shadeBall(c, kMarkBall, ball.x + ball.w / 2, ball.y + ball.h / 2, std::max(ball.w, ball.h) / 2, t.kind == Kind::kBall ? body : trim);
  }
  shadeCylinder(c, kMarkMetal, body);
  shadeCylinder(c, kMarkTrim, trim);
}

// ---------------------------------------------------------------- plinths and the flag

void paintPlinth(Canvas& c, Plinth p, const Colours& colours, Metal plaque) {
  const Ramp stone = p == Plinth::kWood || p == Plinth::kSteps ? colours.wood
                     : p == Plinth::kBlackMarble           ? colours.blackMarble
                                                           : colours.greenMarble;
  const auto block = [&](int x, int y, int w, int h) {
    c.fillRect(x, y, w, h, kOutline);
    c.fillRect(x + 1, y + 1, w - 2, h - 2, kMarkFlat);
    shadeDown(c, kMarkFlat, {x, y + 1, w, h - 2}, stone);
    c.fillRect(x + 1, y + 1, w - 2, 1, stone.light());
  };
  const int w = kWidth - kPlinthLeft;
  if (p == Plinth::kSteps) {
    block(kPlinthLeft, kPlinthTop + 6, w, kHeight - kPlinthTop - 6);
    block(kPlinthLeft + 8, kPlinthTop, w - 16, 7);
  } else {
    block(kPlinthLeft, kPlinthTop, w, kHeight - kPlinthTop);
  }
  if (p == Plinth::kBlackMarble || p == Plinth::kGreenMarble) {
    // Veins across the stone.
    c.line({kPlinthLeft + 4, kPlinthTop + 3}, {kPlinthLeft + 20, kHeight - 3}, 1, stone.at(190));
    c.line({kPlinthLeft + 40, kPlinthTop + 2}, {kPlinthLeft + 52, kPlinthTop + 9}, 1, stone.at(190));
  }
  // The engraved plaque.
  const Ramp metal = colours.metal(plaque);
  const int px = kMiddle - 12, py = kHeight - 10;
  c.fillRect(px - 1, py - 1, 27, 8, kOutline);
  c.fillRect(px, py, 25, 6, metal.at(200));
  c.fillRect(px + 3, py + 2, 19, 1, metal.dark());
  c.fillRect(px + 6, py + 4, 13, 1, metal.dark());
}

// The flag's cloth waves: each column's drop and whether it lies in a fold's shade.
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
  std::vector<uint8_t> index;  // kClothW x kClothH
  std::vector<std::array<uint32_t, kTournamentFlagPalettes>> colours;
};

Cloth clothIndexes() {
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
      cloth.index.push_back(it->second);
    }
  }
  return cloth;
}

void paintFlag(Canvas& c, const Cloth& cloth, const Colours& colours) {
  c.fillRect(kPoleX - 3, kHeight - 3, 8, 3, kOutline);
  c.fillRect(kPoleX - 2, kHeight - 2, 6, 2, colours.pole.at(80));
  c.fillRect(kPoleX - 1, 3, 4, kHeight - 6, kOutline);
  c.fillRect(kPoleX, 3, 2, kHeight - 6, kMarkMetal);
  shadeCylinder(c, kMarkMetal, colours.pole);
  c.fillEllipse(kPoleX + 1, 2, 2, 2, kMarkBall);
  shadeBall(c, kMarkBall, kPoleX + 1, 2, 2, colours.gold);
  for (int v = 0; v < kClothH; v++) {
    for (int u = 0; u < kClothW; u++) c.set(kClothX + u, kClothY + v + kWave[u], cloth.index[static_cast<size_t>(v * kClothW + u)]);
  }
}

Canvas trophyPicture(const TrophyLook& look, const Cloth& cloth, const Colours& colours) {
  Canvas picture(kWidth, kHeight);
  paintFlag(picture, cloth, colours);
  paintPlinth(picture, look.plinth, colours, look.trim);
  Canvas trophy(kWidth, kHeight);
  paintTrophy(trophy, look);
  lightTrophy(trophy, look, colours);
  trophy.outline(kOutline);
  picture.draw(trophy, 0, 0);
  return picture;
}

}  // namespace

std::vector<uint8_t> trophyArtSprite() {
  const Colours colours = trophyColours();
  const Cloth cloth = clothIndexes();
  ArtSprite art;
  for (const TrophyLook& look : kLooks) art.addPicture(trophyPicture(look, cloth, colours), kWidth, kHeight);
  art.addAnim({{0, 1}});
  for (int f = 0; f < kTournamentFlagPalettes; f++) {
    std::vector<uint32_t> palette = colours.palette;
    for (const auto& c : cloth.colours) palette.push_back(c[static_cast<size_t>(f)]);
    art.addPalette(palette);
  }
  return art.write();
}

}  // namespace sorv::mkdata
