#include "tools/mkdata/map_art.h"

#include <algorithm>
#include <deque>
#include <iterator>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_integers.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/career_sprites.h"

namespace sorv::mkdata {

namespace {

constexpr int kW = kWorldMapWidth, kH = kWorldMapHeight;
constexpr int kEquator = kH / 2;

// ---------------------------------------------------------------- noise

// Smooth value noise 0..255 on a lattice of `cell` pixels, repeating across the map's width
// (cell divides it) so the wrap shows no seam.
int valueNoise(int x, int y, int cell, int seed) {
  const int columns = kW / cell;
  x = (x % kW + kW) % kW;
  y = std::max(y, 0);
  const int gx = x / cell, gy = y / cell;
  const int tx = (x % cell) * 256 / cell, ty = (y % cell) * 256 / cell;
  const auto smooth = [](int t) { return t * t * (768 - 2 * t) / 65536; };
  const int sx = smooth(tx), sy = smooth(ty);
  const auto corner = [&](int cx, int cy) { return static_cast<int>(latticeHash(cx % columns, cy, seed) & 0xFF); };
  const int top = corner(gx, gy) * 256 + (corner(gx + 1, gy) - corner(gx, gy)) * sx;
  const int bottom = corner(gx, gy + 1) * 256 + (corner(gx + 1, gy + 1) - corner(gx, gy + 1)) * sx;
  return (top * 256 + (bottom - top) * sy) / 65536;
}

// Noise of three octaves, 0..255.
int fractalNoise(int x, int y, int seed) {
  return (4 * valueNoise(x, y, 60, seed) + 2 * valueNoise(x, y, 20, seed + 1) + valueNoise(x, y, 6, seed + 2)) / 7;
}

// ---------------------------------------------------------------- the land

// The continents and islands, clockwise, in map pixels: the Americas on the left, Europe and
// Africa in the middle, Asia beyond, Australia at the bottom right; drawn round menu 44's
// places with room for their icons.
const std::vector<std::vector<Pt>> kLand = {
    // North America
    {{12, 40},  {20, 32},  {34, 27},  {50, 24},  {66, 20},   {84, 18},   {102, 20},  {116, 24}, {128, 30},
     {134, 40}, {130, 48}, {138, 54}, {146, 60}, {140, 70},  {132, 78},  {128, 88},  {122, 96}, {116, 100},
     {118, 110}, {112, 108}, {104, 104}, {98, 110}, {104, 120}, {112, 128}, {120, 134}, {126, 138}, {122, 142},
     {114, 138}, {104, 130}, {94, 122}, {84, 114}, {72, 106}, {60, 100}, {46, 94}, {34, 88}, {24, 80},
     {20, 70},  {20, 60},  {14, 52},  {10, 46}},
    // Greenland, Iceland
    {{150, 18}, {168, 12}, {190, 12}, {204, 18}, {202, 28}, {192, 40}, {180, 50}, {170, 52}, {162, 42}, {154, 30}},
    {{200, 44}, {208, 40}, {216, 42}, {214, 48}, {204, 50}},
    // The islands of the warm sea, one far out in the ocean
    {{100, 118}, {116, 116}, {122, 120}, {106, 122}},
    {{20, 128}, {25, 127}, {26, 132}, {21, 133}},
    // South America
    {{122, 142}, {134, 142}, {148, 150}, {160, 160}, {158, 172}, {150, 186}, {142, 200}, {134, 214}, {128, 228},
     {122, 244}, {118, 258}, {112, 268}, {106, 262}, {104, 248}, {100, 232}, {96, 216}, {92, 200}, {90, 186},
     {94, 170},  {102, 156}, {112, 146}},
    // Europe, the northern isle still joined (the channel is cut below)
    {{214, 84},  {218, 76},  {224, 70},  {222, 62},  {218, 54},  {224, 46},  {234, 42},  {244, 46},  {245, 56},
     {248, 60},  {256, 60},  {262, 58},  {270, 58},  {280, 56},  {290, 52},  {300, 48},  {312, 44},  {314, 82},
     {304, 86},  {292, 88},  {284, 88},  {280, 94},  {276, 88},  {274, 98},  {266, 104}, {260, 100}, {256, 92},
     {250, 92},  {244, 96},  {240, 98},  {236, 104}, {226, 106}, {218, 102}, {212, 94}},
    {{214, 56}, {220, 54}, {222, 62}, {215, 64}},
    // Scandinavia
    {{262, 44}, {268, 34}, {278, 26}, {292, 22}, {302, 26}, {298, 34}, {290, 40}, {284, 50}, {276, 52}, {270, 48}},
    // Africa, Madagascar
    {{212, 112}, {228, 106}, {246, 108}, {262, 110}, {276, 108}, {292, 110}, {302, 114}, {310, 124}, {318, 138},
     {330, 150}, {344, 152}, {338, 166}, {326, 182}, {316, 202}, {306, 222}, {294, 240}, {282, 250}, {272, 246},
     {266, 230}, {260, 208}, {254, 188}, {242, 172}, {228, 164}, {216, 154}, {208, 138}, {206, 124}},
    {{332, 196}, {338, 192}, {342, 204}, {336, 220}, {330, 212}},
    // Arabia
    {{300, 100}, {318, 100}, {330, 108}, {346, 122}, {352, 136}, {342, 148}, {330, 146}, {318, 134}, {306, 118}},
    // Asia
    {{312, 44},  {320, 30},  {340, 22},  {370, 18},  {410, 20},  {450, 22},  {490, 24},  {520, 28},  {548, 32},
     {562, 40},  {556, 48},  {540, 50},  {526, 58},  {512, 64},  {500, 72},  {488, 78},  {476, 84},  {468, 94},
     {464, 106}, {458, 118}, {452, 128}, {446, 138}, {438, 146}, {430, 150}, {424, 144}, {420, 134}, {414, 126},
     {408, 128}, {402, 138}, {394, 150}, {388, 156}, {380, 146}, {372, 134}, {364, 124}, {354, 118}, {344, 112},
     {336, 108}, {326, 104}, {318, 98},  {310, 92},  {300, 88},  {306, 84},  {314, 82}},
    // The islands of the east: the long isle, the great isle, its neighbours
    {{470, 118}, {468, 108}, {474, 98}, {482, 88}, {492, 82}, {500, 86}, {498, 96}, {492, 108}, {482, 116}},
    {{424, 154}, {436, 150}, {450, 152}, {454, 162}, {448, 172}, {434, 174}, {424, 168}, {420, 160}},
    {{404, 150}, {412, 152}, {426, 170}, {420, 174}, {406, 160}},
    {{428, 178}, {446, 178}, {460, 182}, {444, 184}, {430, 182}},
    {{468, 170}, {484, 168}, {500, 176}, {492, 184}, {474, 182}},
    {{458, 126}, {464, 124}, {468, 136}, {462, 144}, {456, 136}},
    {{390, 158}, {394, 158}, {395, 164}, {390, 165}},
    // Australia and the islands south of it
    {{472, 230}, {486, 220}, {502, 216}, {518, 212}, {532, 218}, {544, 226}, {554, 240}, {558, 256}, {552, 270},
     {538, 280}, {524, 282}, {512, 276}, {500, 272}, {486, 268}, {476, 258}, {470, 244}},
    {{526, 288}, {534, 288}, {532, 296}, {526, 294}},
    {{572, 262}, {580, 264}, {584, 274}, {578, 278}},
    {{568, 282}, {576, 282}, {572, 296}, {562, 298}},
};

// Water inside the land: a northern bay, an inland sea, a great lake.
const std::vector<std::vector<Pt>> kInlandWater = {
    {{96, 40}, {110, 38}, {116, 48}, {104, 56}, {94, 50}},
    {{316, 70}, {322, 68}, {326, 84}, {320, 96}, {314, 88}},
    {{286, 176}, {292, 174}, {294, 182}, {288, 184}},
};

// The channel that makes the northern isle of Europe an island: straight, so the places on
// either side keep their margin.
constexpr Pt kChannelFrom{220, 78}, kChannelTo{257, 56};

// A polygon's coast made ragged: every edge split at its middle, which moves across the edge
// by up to a fifth of its length, down to edges of about two pixels (sub-pixel points).
void raggedEdge(Pt a, Pt b, int depth, std::vector<Pt>& out) {
  const int64_t dx = b.x - a.x, dy = b.y - a.y;
  if (depth == 0 || dx * dx + dy * dy < int64_t{3 * kSub} * (3 * kSub)) {
    out.push_back(a);
    return;
  }
  const int r = static_cast<int>(latticeHash(a.x + 7 * b.x, a.y + 13 * b.y, 31) % 81) - 40;  // -40..40 of 200
  const Pt mid{static_cast<int>((a.x + b.x) / 2 - dy * r / 200), static_cast<int>((a.y + b.y) / 2 + dx * r / 200)};
  raggedEdge(a, mid, depth - 1, out);
  raggedEdge(mid, b, depth - 1, out);
}

std::vector<Pt> ragged(const std::vector<Pt>& polygon) {
  std::vector<Pt> out;
  for (size_t i = 0; i < polygon.size(); i++) {
    const Pt a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    raggedEdge({a.x * kSub + kSub / 2, a.y * kSub + kSub / 2}, {b.x * kSub + kSub / 2, b.y * kSub + kSub / 2}, 6, out);
  }
  return out;
}

constexpr uint8_t kLandMark = 1;

Canvas landMask() {
  Canvas land(kW, kH);
  for (const auto& polygon : kLand) land.fillPolygonSub(ragged(polygon), kLandMark);
  for (const auto& polygon : kInlandWater) land.fillPolygonSub(ragged(polygon), 0);
  land.line(kChannelFrom, kChannelTo, 2, 0);
  return land;
}

// Each pixel's steps to the nearest pixel of the other kind (land to sea, sea to land), up to
// a limit, across the wrap.
std::vector<int> distanceToShore(const Canvas& land, int limit) {
  std::vector<int> d(static_cast<size_t>(kW) * kH, limit);
  std::deque<int> queue;
  for (int y = 0; y < kH; y++) {
    for (int x = 0; x < kW; x++) {
      const bool here = land.at(x, y) != 0;
      const bool shore = (land.at((x + 1) % kW, y) != 0) != here || (land.at((x + kW - 1) % kW, y) != 0) != here ||
                         (y > 0 && (land.at(x, y - 1) != 0) != here) || (y + 1 < kH && (land.at(x, y + 1) != 0) != here);
      if (shore) {
        d[static_cast<size_t>(y) * kW + x] = 1;
        queue.push_back(y * kW + x);
      }
    }
  }
  while (!queue.empty()) {
    const int at = queue.front();
    queue.pop_front();
    const int x = at % kW, y = at / kW, next = d[static_cast<size_t>(at)] + 1;
    if (next >= limit) continue;
    const bool here = land.at(x, y) != 0;
    const int around[4][2] = {{(x + 1) % kW, y}, {(x + kW - 1) % kW, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& n : around) {
      if (n[1] < 0 || n[1] >= kH || (land.at(n[0], n[1]) != 0) != here) continue;
      int& dn = d[static_cast<size_t>(n[1]) * kW + n[0]];
      if (dn > next) {
        dn = next;
        queue.push_back(n[1] * kW + n[0]);
      }
    }
  }
  return d;
}

// ---------------------------------------------------------------- colours and climates

enum Colour : uint8_t {
  kKey, kCoastWater, kShallow, kOpen, kDeep, kGrid,
  kCoast, kBeach, kTundra, kTundraLight, kTaiga, kTaigaLight, kGreen, kGreenLight, kGreenDark,
  kSteppe, kSteppeLight, kSavanna, kSavannaLight, kJungle, kJungleLight, kDesert, kDesertLight, kDesertDark,
  kMountain, kMountainLight, kMountainDark, kSnow, kIce, kIceShade, kColourCount
};

std::vector<uint32_t> mapPalette() {
  std::vector<uint32_t> p(kColourCount);
  p[kKey] = kArtKey;
  for (int i = 0; i < 5; i++) p[static_cast<size_t>(kCoastWater + i)] = kMapArtSea[i];
  const uint32_t land[] = {0x3C5A36, 0xD6CA98, 0x98A488, 0xAEB8A0, 0x4E7A50, 0x5E8A5C, 0x6E9E5A, 0x82AE68, 0x5A8A4C,
                           0xAAB472, 0xBCC488, 0xA8A660, 0xBAB674, 0x3E7A44, 0x4C8A4E, 0xD8C290, 0xE4D2A4, 0xC8AE7C,
                           0x9A8466, 0xB09C7E, 0x7E6A52, 0xE8ECEC, 0xF0F4F6, 0xD2DEE6};
  for (int i = 0; i < kColourCount - kCoast; i++) p[static_cast<size_t>(kCoast + i)] = opaque(land[i]);
  return p;
}

// A region of one climate, an ellipse in map pixels.
struct Zone {
  int cx, cy, rx, ry;
};
const Zone kDeserts[] = {{252, 126, 46, 16}, {326, 124, 18, 14}, {398, 82, 42, 12}, {514, 246, 30, 18},
                         {68, 98, 16, 8},    {282, 218, 12, 10}, {108, 236, 6, 14}};
const Zone kJungles[] = {{128, 172, 26, 18}, {272, 168, 22, 14}, {436, 162, 20, 12}, {412, 160, 8, 8}};

// How far inside a zone a point lies, 0 outside, up to 256 at its middle.
int inside(const Zone& z, int x, int y) {
  const int64_t dx = int64_t{x - z.cx} * 256 / z.rx, dy = int64_t{y - z.cy} * 256 / z.ry;
  const int64_t d2 = dx * dx + dy * dy;
  return d2 >= 65536 ? 0 : static_cast<int>(256 - d2 / 256);
}

int zoneDepth(const Zone* zones, size_t count, int x, int y) {
  int best = 0;
  for (size_t i = 0; i < count; i++) best = std::max(best, inside(zones[i], x, y));
  return best;
}

// The ranges: a ridge line and its width in pixels.
struct Range {
  std::vector<Pt> ridge;
  int width;
};
const std::vector<Range> kRanges = {
    {{{36, 36}, {48, 56}, {60, 76}, {72, 96}, {84, 112}}, 6},
    {{{112, 86}, {122, 70}}, 3},
    {{{104, 150}, {98, 180}, {100, 210}, {104, 240}, {110, 262}}, 4},
    {{{244, 86}, {256, 84}, {266, 82}}, 3},
    {{{276, 32}, {286, 44}}, 3},
    {{{222, 116}, {242, 114}}, 3},
    {{{316, 30}, {318, 60}}, 3},
    {{{304, 92}, {318, 94}}, 2},
    {{{362, 112}, {384, 110}, {404, 114}, {420, 118}}, 6},
    {{{380, 94}, {420, 98}}, 4},
    {{{308, 150}, {302, 190}}, 3},
    {{{552, 242}, {546, 268}}, 3},
    {{{478, 112}, {494, 88}}, 2},
};

// The ranges as three nested bands: foothills, slopes and the ridge's core, along ridges
// made as ragged as the coasts.
Canvas rangeMask() {
  Canvas ranges(kW, kH);
  for (uint8_t band = 1; band <= 3; band++) {
    for (const Range& r : kRanges) {
      const int width = band == 1 ? 5 * r.width / 2 : band == 2 ? 3 * r.width / 2 : std::max(1, r.width / 2);
      std::vector<Pt> ridge;
      for (size_t i = 0; i + 1 < r.ridge.size(); i++) {
        const Pt a = r.ridge[i], b = r.ridge[i + 1];
        raggedEdge({a.x * kSub + kSub / 2, a.y * kSub + kSub / 2}, {b.x * kSub + kSub / 2, b.y * kSub + kSub / 2}, 4, ridge);
      }
      const Pt end = r.ridge.back();
      ridge.push_back({end.x * kSub + kSub / 2, end.y * kSub + kSub / 2});
      for (size_t i = 0; i + 1 < ridge.size(); i++) ranges.lineSub(ridge[i], ridge[i + 1], width * kSub, band);
    }
  }
  return ranges;
}

// Mountains break up toward a range's edge, so a range reads as peaks rather than a stroke.
int mountainBand(const Canvas& ranges, int x, int y) {
  const int band = ranges.at(x, y);
  const int rough = valueNoise(x, y, 6, 55);
  if (band == 3 || (band == 2 && rough > 70) || (band == 1 && rough > 150)) return band;
  return 0;
}

// The polar ice's edges, a little ragged, the same at both ends of a row.
int northIce(int x) { return 6 + valueNoise(x, 0, 20, 41) * 8 / 256; }
int southIce(int x) { return kH - 14 - valueNoise(x, 0, 30, 43) * 6 / 256; }

// One of a biome's two tones, by the noise and the dither, so the land has a grain.
uint8_t tone(uint8_t base, uint8_t light, int x, int y) {
  return valueNoise(x, y, 6, 51) + 4 * ditherThreshold(x, y) > 160 ? light : base;
}

uint8_t landColour(int x, int y, int shore, const Canvas& ranges) {
  const int wobble = (fractalNoise(x, y, 61) - 128) / 6;  // climate borders wander
  const int edge = (2 * valueNoise(x, y, 12, 63) + valueNoise(x, y, 6, 64)) / 3 - 128;
  const int lat = std::abs(y + wobble - kEquator);
  if (shore == 1) return kCoast;
  const int relief = fractalNoise(x - 1, y - 1, 71) - fractalNoise(x + 1, y + 1, 71);
  if (const int band = mountainBand(ranges, x, y); band != 0) {
    if (band == 3 && (lat > 110 || valueNoise(x, y, 6, 57) > 150)) return kSnow;
    // Lit on the slopes that face the upper left.
    const int slope = valueNoise(x - 1, y - 1, 6, 56) - valueNoise(x + 1, y + 1, 6, 56);
    if (slope > 6) return kMountainLight;
    return slope < -6 ? kMountainDark : kMountain;
  }
  if (lat > 128) return tone(kIce, kSnow, x, y);
  if (lat > 108) return tone(kTundra, kTundraLight, x, y);
  if (zoneDepth(kDeserts, std::size(kDeserts), x, y) + edge > 50) {
    if (shore == 2 && lat < 70) return kBeach;
    return relief > 3 ? kDesertLight : relief < -4 ? kDesertDark : kDesert;
  }
  if (shore == 2 && lat < 60) return kBeach;
  if (zoneDepth(kJungles, std::size(kJungles), x, y) + edge > 50) return tone(kJungle, kJungleLight, x, y);
  if (lat > 86) return tone(kTaiga, kTaigaLight, x, y);
  if (lat < 48) return tone(kSavanna, kSavannaLight, x, y);
  if (lat < 64 && fractalNoise(x, y, 81) > 150) return tone(kSteppe, kSteppeLight, x, y);
  if (relief > 4) return kGreenLight;
  if (relief < -5) return kGreenDark;
  return tone(kGreen, kGreenLight, x, y);
}

uint8_t seaColour(int x, int y, int shore) {
  if (shore <= 2) return kCoastWater;
  if (shore <= 5) return kShallow;
  if ((x % 50 == 0 || y % 40 == 0) && shore > 8) return kGrid;
  // The open sea darkens into the deep with distance, dithered.
  const int deepness = std::clamp((shore - 10) * 16 / 14, 0, 16);
  return deepness > ditherThreshold(x, y) ? kDeep : kOpen;
}

Canvas paintMap() {
  const Canvas land = landMask();
  const std::vector<int> shore = distanceToShore(land, 30);
  const Canvas ranges = rangeMask();
  Canvas map(kW, kH);
  for (int y = 0; y < kH; y++) {
    for (int x = 0; x < kW; x++) {
      const int d = shore[static_cast<size_t>(y) * kW + x];
      uint8_t c = land.at(x, y) != 0 ? landColour(x, y, d, ranges) : seaColour(x, y, d);
      if (y < northIce(x) || y >= southIce(x)) c = y == northIce(x) - 1 || y == southIce(x) ? kIceShade : kIce;
      map.set(x, y, c);
    }
  }
  return map;
}

}  // namespace

std::vector<uint8_t> worldMapArtSprite() {
  const Canvas map = paintMap();
  ArtSprite art;
  art.addPalette(mapPalette());
  // Whole tiles of the map's tile size, every pixel inked: the lobby measures the map by its
  // frame, and the wrap by its width.
  std::vector<SpriteFModule> tiles;
  for (int ty = 0; ty < kH; ty += kWorldMapTileHeight) {
    for (int tx = 0; tx < kW; tx += kWorldMapTileWidth) {
      const int module = art.addModule(map.crop({tx, ty, kWorldMapTileWidth, kWorldMapTileHeight}));
      tiles.push_back(ArtSprite::entry(module, tx, ty));
    }
  }
  art.addFrame(tiles);
  art.addAnim({{0, 1}});
  return art.write();
}

}  // namespace sorv::mkdata
