#include "tools/mkdata/career_sprites.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_sprites.h"
#include "tools/mkdata/sprite_packs.h"

namespace sorv::mkdata {

namespace {

constexpr uint8_t kKey = 0;
constexpr double kPi = 3.14159265358979323846;

uint8_t moduleIndex(size_t i) {
  if (i > 255) throw std::invalid_argument("more than 256 modules");
  return static_cast<uint8_t>(i);
}

// A picture from a colour function over its pixels (0 the transparent key).
SpriteModule picture(int width, int height, const std::function<uint8_t(int, int)>& colourAt) {
  SpriteModule m;
  m.width = static_cast<int16_t>(width);
  m.height = static_cast<int16_t>(height);
  m.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) m.pixels[static_cast<size_t>(y) * width + x] = colourAt(x, y);
  }
  return m;
}

// A shape given by an inside test at pixel centres, filled with `fill` and edged `thickness`
// pixels deep with `edge`.
SpriteModule shape(int width, int height, const std::function<bool(double, double)>& inside, uint8_t fill,
                   uint8_t edge, int thickness) {
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && inside(x + 0.5, y + 0.5); };
  return picture(width, height, [&](int x, int y) -> uint8_t {
    if (!in(x, y)) return kKey;
    for (int dy = -thickness; dy <= thickness; dy++) {
      for (int dx = -thickness; dx <= thickness; dx++) {
        if (dx * dx + dy * dy <= thickness * thickness && !in(x + dx, y + dy)) return edge;
      }
    }
    return fill;
  });
}

struct Point {
  double x, y;
};

// Even-odd test of a polygon.
bool inPolygon(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

bool inDisc(double x, double y, double cx, double cy, double r) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }

// ---------------------------------------------------------------- the world map

// The continents as ellipses (centre, radii) in map coordinates, placed under the places of
// menu 44: the Americas on the left, Europe and Africa in the middle, Asia and the islands
// beyond, Australia at the bottom right.
struct Blob {
  double cx, cy, rx, ry;
};
constexpr Blob kLand[] = {
    {88, 76, 62, 44},   {45, 58, 30, 26},   {62, 36, 40, 18},   {118, 112, 22, 18},  // North
    {168, 26, 22, 12},                                                               // the far north
    {128, 170, 30, 40}, {110, 214, 24, 40}, {122, 132, 10, 14},                      // South
    {258, 74, 52, 30},  {232, 96, 18, 14},  {300, 62, 22, 20},  {326, 66, 24, 16},  // Europe
    {272, 168, 46, 60}, {300, 126, 30, 18},                                          // Africa
    {392, 86, 98, 56},  {383, 140, 22, 28}, {436, 158, 26, 20}, {486, 100, 12, 22},  // Asia
    {468, 192, 12, 6},  {492, 204, 10, 5},                                           // the islands
    {520, 250, 42, 30}, {560, 286, 8, 6},                                            // Australia
};

uint32_t hashOf(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2147483647u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth value noise in 0..1.
double noise(double x, double y, int seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  auto corner = [&](int cx, int cy) { return (hashOf(cx, cy, seed) & 0xFFFF) / 65535.0; };
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double sx = smooth(fx), sy = smooth(fy);
  const double top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * sx;
  const double bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

// Above 0 on land, the higher the further inland; ragged coasts from the noise.
double elevation(double x, double y) {
  double e = -10;
  for (const Blob& b : kLand) {
    const double dx = (x - b.cx) / b.rx, dy = (y - b.cy) / b.ry;
    e = std::max(e, 1 - dx * dx - dy * dy);
  }
  const double n = 0.65 * noise(x / 22, y / 22, 1) + 0.35 * noise(x / 8, y / 8, 2) - 0.5;
  return e + 0.36 * n;
}

namespace map_colour {
constexpr uint8_t kDeep = 1, kSea = 2, kShallow = 3, kGrid = 4, kSand = 5, kLowland = 6, kGreen = 7;
constexpr uint8_t kForest = 8, kHills = 9, kMountains = 10, kIce = 11, kCoast = 12;
}  // namespace map_colour

bool polar(int x, int y) {
  const double edge = 7 + 5 * noise(x / 14.0, 0, 5);
  return y < edge || y >= kWorldMapHeight - edge - 3;
}

uint8_t mapColourAt(int x, int y) {
  using namespace map_colour;
  if (polar(x, y)) return kIce;
  const double e = elevation(x, y);
  if (e <= 0) {
    if (e > -0.14) return kShallow;
    if (x % 50 == 0 || y % 40 == 0) return kGrid;
    return e < -0.8 ? kDeep : kSea;
  }
  // A dark line where the land meets the sea, so the coast reads at a glance.
  for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
    if (!polar(x + dx, y + dy) && elevation(x + dx, y + dy) <= 0) return kCoast;
  }
  if (e < 0.07) return kSand;
  const double relief = noise(x / 13.0, y / 13.0, 7);
  if (e > 0.72 && relief > 0.68) return kMountains;
  if (e > 0.55 && relief > 0.6) return kHills;
  if (e < 0.3) return kLowland;
  return relief < 0.35 ? kForest : kGreen;
}

}  // namespace

std::vector<uint8_t> worldMapSprite() {
  SpriteSpec spec;
  spec.dataFormat = 0x56F2;  // runs: the sea and the land lie in long stretches
  std::vector<SpriteFModule> tiles;
  for (int ty = 0; ty < kWorldMapHeight; ty += kWorldMapTileHeight) {
    for (int tx = 0; tx < kWorldMapWidth; tx += kWorldMapTileWidth) {
      tiles.push_back({moduleIndex(spec.modules.size()), static_cast<int16_t>(tx), static_cast<int16_t>(ty), 0, 0});
      spec.modules.push_back(picture(kWorldMapTileWidth, kWorldMapTileHeight,
                                     [&](int x, int y) { return mapColourAt(tx + x, ty + y); }));
    }
  }
  addFrame(spec, tiles);
  addAnim(spec, {{0, 1, 0, 0, 0}});
  std::vector<uint32_t> colours(16, 0xFF000000u);
  colours[kKey] = 0x00FF00FF;
  for (size_t i = 0; i < 4; i++) colours[1 + i] = kWorldMapSea[i];
  colours[map_colour::kSand] = 0xFFD8C88C;
  colours[map_colour::kLowland] = 0xFF72B050;
  colours[map_colour::kGreen] = 0xFF4C9A3C;
  colours[map_colour::kForest] = 0xFF347A30;
  colours[map_colour::kHills] = 0xFFA08050;
  colours[map_colour::kMountains] = 0xFF7A5A36;
  colours[map_colour::kIce] = 0xFFEAF2F6;
  colours[map_colour::kCoast] = 0xFF2C4A26;
  spec.palettes.push_back(colours);
  return writeSprite(spec);
}

// ---------------------------------------------------------------- the map icons

namespace {

namespace icon_colour {
constexpr uint8_t kOutline = 1, kWhite = 2, kGrey = 3, kGreen = 5, kRed = 7, kRoof = 8, kGold = 9;
constexpr uint8_t kDoor = 10, kRingGreen = 11, kRingRed = 12, kRingGold = 13;
}  // namespace icon_colour

constexpr int kIconFrames = 19;
constexpr int kIdle = 0, kTraining = 16, kHome = 17, kTournament = 18;
constexpr int kRingSizes[] = {20, 24, 28, 24};

SpriteModule idleDot() {
  return shape(8, 8, [](double x, double y) { return inDisc(x, y, 4, 4, 4); }, icon_colour::kGrey,
               icon_colour::kOutline, 1);
}

SpriteModule trainingDiamond() {
  return shape(15, 15, [](double x, double y) { return std::abs(x - 7.5) + std::abs(y - 7.5) <= 7.5; },
               icon_colour::kGreen, icon_colour::kOutline, 1);
}

SpriteModule homeHouse() {
  const std::vector<Point> roof = {{0, 7}, {7.5, 0}, {15, 7}};
  return shape(15, 15, [&](double x, double y) { return inPolygon(roof, x, y) || (x > 2 && x < 13 && y >= 7); },
               icon_colour::kRed, icon_colour::kOutline, 1);
}

SpriteModule houseDoor() {
  SpriteModule m;
  m.width = 3;
  m.height = 4;
  m.pixels.assign(12, icon_colour::kDoor);
  return m;
}

SpriteModule tournamentStar() {
  std::vector<Point> star;
  for (int k = 0; k < 10; k++) {
    const double r = k % 2 == 0 ? 9.0 : 3.8, a = -kPi / 2 + k * kPi / 5;
    star.push_back({9 + r * std::cos(a), 9.5 + r * std::sin(a)});
  }
  return shape(18, 18, [&](double x, double y) { return inPolygon(star, x, y); }, icon_colour::kGold,
               icon_colour::kOutline, 1);
}

SpriteModule ringModule(int size, uint8_t colour) {
  const double c = size / 2.0;
  return shape(size, size,
               [&](double x, double y) { return inDisc(x, y, c, c, c) && !inDisc(x, y, c, c, c - 3); },
               colour, icon_colour::kOutline, 1);
}

// A module placed with its centre on the frame's origin.
SpriteFModule centred(const SpriteSpec& spec, size_t module) {
  const SpriteModule& m = spec.modules[module];
  return {moduleIndex(module), static_cast<int16_t>(-m.width / 2), static_cast<int16_t>(-m.height / 2), 0, 0};
}

}  // namespace

std::vector<uint8_t> mapIconSprite() {
  SpriteSpec spec;
  spec.modules = {idleDot(), trainingDiamond(), homeHouse(), houseDoor(), tournamentStar()};
  const size_t dot = 0, diamond = 1, house = 2, door = 3, star = 4;
  // The icon frames of a place's state; the frames between are the idle dot.
  std::vector<std::vector<SpriteFModule>> icons(kIconFrames, {centred(spec, dot)});
  icons[kTraining] = {centred(spec, diamond)};
  icons[kHome] = {centred(spec, house), {moduleIndex(door), -1, 3, 0, 0}};
  icons[kTournament] = {centred(spec, star)};
  for (const auto& parts : icons) addFrame(spec, parts);
  // The cursor by a place's type: its icon in a ring that swells and shrinks.
  const int iconOfType[kMapCursorTypes] = {kTraining, kHome, kTournament};
  const uint8_t ringOfType[kMapCursorTypes] = {icon_colour::kRingGreen, icon_colour::kRingRed, icon_colour::kRingGold};
  for (int type = 0; type < kMapCursorTypes; type++) {
    std::vector<SpriteAFrame> steps;
    for (int size : kRingSizes) {
      const size_t ring = spec.modules.size();
      spec.modules.push_back(ringModule(size, ringOfType[type]));
      std::vector<SpriteFModule> parts = {centred(spec, ring)};
      const auto& icon = icons[static_cast<size_t>(iconOfType[type])];
      parts.insert(parts.end(), icon.begin(), icon.end());
      steps.push_back({static_cast<uint8_t>(addFrame(spec, parts)), 3, 0, 0, 0});
    }
    addAnim(spec, steps);
  }
  std::vector<uint32_t> colours(16, 0xFF000000u);
  colours[kKey] = 0x00FF00FF;
  colours[icon_colour::kOutline] = 0xFF101010;
  colours[icon_colour::kWhite] = 0xFFFFFFFF;
  colours[icon_colour::kGrey] = 0xFFB8B8B8;
  colours[icon_colour::kGreen] = 0xFF30D040;
  colours[icon_colour::kRed] = 0xFFE83030;
  colours[icon_colour::kRoof] = 0xFF901818;
  colours[icon_colour::kGold] = 0xFFFFD020;
  colours[icon_colour::kDoor] = 0xFF4A2810;
  colours[icon_colour::kRingGreen] = 0xFFA0FFA0;
  colours[icon_colour::kRingRed] = 0xFFFFA8A8;
  colours[icon_colour::kRingGold] = 0xFFFFF0A0;
  spec.palettes.push_back(colours);
  return writeSprite(spec);
}

// ---------------------------------------------------------------- the home pictures

namespace {

namespace home_colour {
constexpr int kSkies = 7, kGrounds = 5;
constexpr uint8_t kSkyFirst = kHomePictureColourFirst, kGroundFirst = kSkyFirst + kSkies;
constexpr uint8_t kSkyline = kGroundFirst + kGrounds, kSkylineLight = kSkyline + 1, kWindow = kSkyline + 2;
constexpr uint8_t kSun = kSkyline + 3;
}  // namespace home_colour

constexpr uint32_t kSkyColours[home_colour::kSkies] = {0xFF3C8CE0, 0xFFE05050, 0xFF40B060, 0xFFF0C030,
                                                       0xFF8A50C8, 0xFFF08A30, 0xFF30B8C0};
constexpr uint32_t kGroundColours[home_colour::kGrounds] = {0xFFFFFFFF, 0xFF203A8A, 0xFFC02020,
                                                            0xFF207030, 0xFF202020};

}  // namespace

std::vector<uint32_t> homePictureColours(bool greyed) {
  using namespace home_colour;
  std::vector<uint32_t> c(kHomePictureColours, 0xFF000000u);
  std::copy(std::begin(kSkyColours), std::end(kSkyColours), c.begin() + (kSkyFirst - kHomePictureColourFirst));
  std::copy(std::begin(kGroundColours), std::end(kGroundColours), c.begin() + (kGroundFirst - kHomePictureColourFirst));
  const uint32_t skyline[] = {0xFF181820, 0xFF404858, 0xFFFFE890, 0xFFFFF4C0};
  std::copy(std::begin(skyline), std::end(skyline), c.begin() + (kSkyline - kHomePictureColourFirst));
  if (greyed) {
    for (uint32_t& v : c) {
      const uint32_t grey = (((v >> 16) & 0xFF) * 3 + ((v >> 8) & 0xFF) * 5 + (v & 0xFF) * 2) / 10;
      v = 0xFF000000u | grey << 16 | grey << 8 | grey;
    }
  }
  return c;
}

SpriteModule homePictureModule(int home) {
  using namespace home_colour;
  constexpr int w = kHomePictureWidth, h = kHomePictureHeight;
  // The flag's two colours: every home its own pair.
  const uint8_t sky = static_cast<uint8_t>(kSkyFirst + home % kSkies);
  const uint8_t ground = static_cast<uint8_t>(kGroundFirst + (home * 3 + home / kSkies) % kGrounds);
  // The skyline: building heights from the home's number, and one landmark in its own place.
  int heights[w];
  for (int x = 0; x < w; x++) {
    const int block = x / 4;
    heights[x] = 4 + static_cast<int>(hashOf(block, home, 11) % 7);
  }
  const int landmark = home % 4, at = 4 + static_cast<int>(hashOf(home, 0, 13) % 20);
  auto inLandmark = [&](int x, int y) {
    const int top = h - 3;
    switch (landmark) {
      case 0: return std::abs(x - at) <= (y < 6 ? 0 : 1) && y >= 2;                         // a spire
      case 1: return inDisc(x + 0.5, y + 0.5, at, top - 6, 5) && y < top - 2;               // a dome
      case 2: return (std::abs(x - at) <= 1 || std::abs(x - at - 4) <= 1) && y >= 4;        // two towers
      default: return y >= top - 9 && y <= top - 7 && x >= at - 6 && x <= at + 6;          // a bridge
    }
  };
  const bool sun = home % 3 == 1;
  return picture(w, h, [&](int x, int y) -> uint8_t {
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return kSkyline;  // the frame
    if (y >= h - 4) return ground;
    if (inLandmark(x, y)) return kSkylineLight;
    if (y >= h - 4 - heights[x]) return (x % 2 == 1 && y % 3 == 0) ? kWindow : kSkyline;
    if (sun && inDisc(x + 0.5, y + 0.5, w - 7, 6, 3)) return kSun;
    return sky;
  });
}

// ---------------------------------------------------------------- the main menu sprite's career art

namespace {

// Extra colours of the main menu sprite (after its own 16), the same in every palette.
namespace art_colour {
constexpr uint8_t kFirst = 16;
constexpr uint8_t kArrow = 16, kArrowEdge = 17, kBall = 18, kBallSeam = 19, kBallEdge = 20;
constexpr uint8_t kGlobeSea = 21, kGlobeLand = 22, kGlobeEdge = 23, kHint = 24, kHintEdge = 25;
constexpr uint32_t kColours[] = {0xFFFFD040, 0xFF3A2400, 0xFFD8F040, 0xFFFFFFFF, 0xFF506010,
                                 0xFF2860A4, 0xFF4CA040, 0xFF0C1830, 0xFFFF6030, 0xFF401000};
}  // namespace art_colour

// Panels: fill, edge and a darker inset for pictures.
constexpr uint32_t kPanelFill = 0x14223C, kPanelEdge = 0x4CB6D8, kInsetFill = 0x0A1224;
constexpr uint32_t kBandTrack = 0x202830, kBandFill = 0xFFC020, kBandEdge = 0xE0E8F0;
constexpr int kRectLimit = 250;  // a rectangle module's side stays below 256
constexpr int kEdge = 2;

// A rectangle module of the kind, colour and size, shared when one exists.
uint8_t rectModule(SpriteSpec& spec, uint8_t kind, uint32_t colour, int w, int h) {
  for (size_t i = 0; i < spec.modules.size(); i++) {
    const SpriteModule& m = spec.modules[i];
    if (m.kind == kind && m.colour == colour && m.width == w && m.height == h) return moduleIndex(i);
  }
  SpriteModule m;
  m.kind = kind;
  m.colour = colour;
  m.width = static_cast<int16_t>(w);
  m.height = static_cast<int16_t>(h);
  spec.modules.push_back(m);
  return moduleIndex(spec.modules.size() - 1);
}

// A filled rectangle of any size, from pieces a module can hold.
void fillRect(SpriteSpec& spec, std::vector<SpriteFModule>& parts, int x, int y, int w, int h, uint32_t colour) {
  for (int py = 0; py < h; py += kRectLimit) {
    for (int px = 0; px < w; px += kRectLimit) {
      const int pw = std::min(kRectLimit, w - px), ph = std::min(kRectLimit, h - py);
      parts.push_back({rectModule(spec, kModuleFilled, colour, pw, ph), static_cast<int16_t>(x + px),
                       static_cast<int16_t>(y + py), 0, 0});
    }
  }
}

void panel(SpriteSpec& spec, std::vector<SpriteFModule>& parts, int x, int y, int w, int h,
           uint32_t fill = kPanelFill) {
  fillRect(spec, parts, x, y, w, h, kPanelEdge);
  fillRect(spec, parts, x + kEdge, y + kEdge, w - 2 * kEdge, h - 2 * kEdge, fill);
}

struct Box {
  int x, y, w, h;
  bool open = false;  // only the edge: what lies inside is drawn before the frame
};

// The screens' panels in screen coordinates (each frame is drawn at 0, 0), laid under what
// menus.txt places on them.
const std::vector<Box> kCreationPanels = {{10, 286, 780, 34}, {10, 324, 780, 76}};
const std::vector<Box> kLobbyPanels = {{8, 58, 524, 284, true}, {6, 346, 528, 58}, {535, 222, 258, 128}, {535, 358, 258, 46}};
const std::vector<Box> kHomePanels = {{0, 24, 320, 148}, {550, 90, 160, 160}};
const std::vector<Box> kAppearancePanels = {{36, 276, 728, 138}};
const std::vector<Box> kUpdatePanels = {{50, 100, 700, 126}, {50, 232, 700, 188}};

std::vector<SpriteFModule> screenPanels(SpriteSpec& spec, const std::vector<Box>& boxes) {
  std::vector<SpriteFModule> parts;
  for (const Box& b : boxes) {
    if (!b.open) {
      panel(spec, parts, b.x, b.y, b.w, b.h);
      continue;
    }
    fillRect(spec, parts, b.x, b.y, b.w, kEdge, kPanelEdge);
    fillRect(spec, parts, b.x, b.y + b.h - kEdge, b.w, kEdge, kPanelEdge);
    fillRect(spec, parts, b.x, b.y, kEdge, b.h, kPanelEdge);
    fillRect(spec, parts, b.x + b.w - kEdge, b.y, kEdge, b.h, kPanelEdge);
  }
  return parts;
}

// The creation panel (menu 42, at its own origin) and the career card (menu 46): a panel with
// an inset where the player stands.
std::vector<SpriteFModule> creationPanel(SpriteSpec& spec) {
  std::vector<SpriteFModule> parts;
  panel(spec, parts, 0, 0, 640, 180);
  fillRect(spec, parts, 10, 30, 140, 140, kInsetFill);
  return parts;
}

std::vector<SpriteFModule> careerCard(SpriteSpec& spec) {
  std::vector<SpriteFModule> parts;
  panel(spec, parts, 0, 0, 250, 160);
  fillRect(spec, parts, 8, 8, 84, 144, kInsetFill);
  return parts;
}

uint32_t mix(uint32_t a, uint32_t b, int percentB) {
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * static_cast<uint32_t>(100 - percentB) + cb * static_cast<uint32_t>(percentB)) / 100) << shift;
  }
  return out;
}

// A bar of a level: kBarWidth x kBarHeight from the frame's origin, lit on top, shaded below.
constexpr int kBarWidth = 300, kBarHeight = 14;
constexpr int kBarPalettes[kBarLevelCount] = {4, 1, 5, 3, 2};
std::vector<SpriteFModule> barLevel(SpriteSpec& spec, int level) {
  const uint32_t colour = kFontInks[kBarPalettes[level]] & 0xFFFFFF;
  std::vector<SpriteFModule> parts;
  fillRect(spec, parts, 0, 0, kBarWidth, kBarHeight, colour);
  fillRect(spec, parts, 0, 0, kBarWidth, 3, mix(colour, 0xFFFFFF, 45) & 0xFFFFFF);
  fillRect(spec, parts, 0, kBarHeight - 3, kBarWidth, 3, mix(colour, 0x000000, 40) & 0xFFFFFF);
  return parts;
}

// The rank band: an empty track, filled `tenths` of its length.
constexpr int kBandWidth = 250, kBandHeight = 14, kBandSteps = 10;
std::vector<SpriteFModule> rankBand(SpriteSpec& spec, int tenths) {
  std::vector<SpriteFModule> parts;
  const int top = -kBandHeight / 2;
  fillRect(spec, parts, 0, top, kBandWidth, kBandHeight, kBandTrack);
  if (tenths > 0) fillRect(spec, parts, 0, top, kBandWidth * tenths / kBandSteps, kBandHeight, kBandFill);
  parts.push_back({rectModule(spec, kModuleOutline, kBandEdge, kBandWidth, kBandHeight), 0, static_cast<int16_t>(top), 0, 0});
  return parts;
}

constexpr int kArrowW = 44, kArrowH = 22;
SpriteModule arrow(bool up) {
  const std::vector<Point> poly = up ? std::vector<Point>{{0, kArrowH}, {kArrowW / 2.0, 0}, {kArrowW, kArrowH}}
                                     : std::vector<Point>{{0, 0}, {kArrowW / 2.0, kArrowH}, {kArrowW, 0}};
  return shape(kArrowW, kArrowH, [&](double x, double y) { return inPolygon(poly, x, y); }, art_colour::kArrow,
               art_colour::kArrowEdge, 2);
}

// The hint: an arrow pointing down at the place below the origin.
SpriteModule hintArrow() {
  const std::vector<Point> poly = {{4, 0}, {12, 0}, {12, 8}, {16, 8}, {8, 18}, {0, 8}, {4, 8}};
  return shape(16, 18, [&](double x, double y) { return inPolygon(poly, x, y); }, art_colour::kHint,
               art_colour::kHintEdge, 1);
}

SpriteModule discModule(int size, uint8_t fill, uint8_t edge) {
  const double r = size / 2.0;
  return shape(size, size, [&](double x, double y) { return inDisc(x, y, r, r, r); }, fill, edge, 1);
}

// A tennis ball turned an eighth of a round per step: its two facing seam curves, seen turned
// about its middle (four steps make half a round, after which the seam looks the same).
constexpr int kBallSize = 34, kBallSteps = 4;
SpriteModule ball(int step) {
  SpriteModule m = discModule(kBallSize, art_colour::kBall, art_colour::kBallEdge);
  const double r = kBallSize / 2.0, angle = step * kPi / 4;
  for (int y = 0; y < kBallSize; y++) {
    for (int x = 0; x < kBallSize; x++) {
      uint8_t& p = m.pixels[static_cast<size_t>(y) * kBallSize + x];
      if (p != art_colour::kBall) continue;
      const double dx = x + 0.5 - r, dy = y + 0.5 - r;
      const double u = dx * std::cos(angle) + dy * std::sin(angle), v = -dx * std::sin(angle) + dy * std::cos(angle);
      for (double cu : {-1.6 * r, 1.6 * r}) {
        const double d = std::sqrt((u - cu) * (u - cu) + v * v);
        if (std::abs(d - 1.15 * r) < 1.1) p = art_colour::kBallSeam;
      }
    }
  }
  return m;
}

// The globe turned to a longitude: the world map's land seen on a ball.
constexpr int kGlobeSize = 34, kGlobeSteps = 8;
SpriteModule globe(int step) {
  SpriteModule m = discModule(kGlobeSize, art_colour::kGlobeSea, art_colour::kGlobeEdge);
  const double r = kGlobeSize / 2.0 - 1;
  for (int y = 0; y < kGlobeSize; y++) {
    for (int x = 0; x < kGlobeSize; x++) {
      uint8_t& p = m.pixels[static_cast<size_t>(y) * kGlobeSize + x];
      if (p != art_colour::kGlobeSea) continue;
      const double u = (x + 0.5 - kGlobeSize / 2.0) / r, v = (y + 0.5 - kGlobeSize / 2.0) / r;
      if (u * u + v * v >= 1) continue;
      const double lat = std::asin(v), lon = std::asin(u / std::cos(lat));
      double mx = step * kWorldMapWidth / static_cast<double>(kGlobeSteps) + lon / (2 * kPi) * kWorldMapWidth;
      mx = std::fmod(mx + kWorldMapWidth, kWorldMapWidth);
      const double my = kWorldMapHeight / 2.0 + lat / kPi * kWorldMapHeight;
      if (elevation(mx, my) > 0) p = art_colour::kGlobeLand;
    }
  }
  return m;
}

// An animation of new frames, one module each centred on the origin.
void centredAnim(SpriteSpec& spec, int anim, const std::vector<SpriteModule>& modules, uint8_t time) {
  std::vector<SpriteAFrame> steps;
  for (const SpriteModule& m : modules) {
    spec.modules.push_back(m);
    const int frame = addFrame(spec, {{moduleIndex(spec.modules.size() - 1), static_cast<int16_t>(-m.width / 2),
                                       static_cast<int16_t>(-m.height / 2), 0, 0}});
    steps.push_back({static_cast<uint8_t>(frame), time, 0, 0, 0});
  }
  setAnim(spec, anim, steps);
}

}  // namespace

void addCareerMenuArt(SpriteSpec& spec) {
  for (auto& palette : spec.palettes) {
    palette.resize(art_colour::kFirst, 0xFF000000u);
    palette.insert(palette.end(), std::begin(art_colour::kColours), std::end(art_colour::kColours));
  }
  setFrame(spec, kCareerBackdropCreation, screenPanels(spec, kCreationPanels));
  setFrame(spec, kCareerBackdropCreationPanel, creationPanel(spec));
  setFrame(spec, kCareerBackdropLobby, screenPanels(spec, kLobbyPanels));
  setFrame(spec, kCareerBackdropCard, careerCard(spec));
  setFrame(spec, kCareerBackdropHome, screenPanels(spec, kHomePanels));
  setFrame(spec, kCareerBackdropAppearance, screenPanels(spec, kAppearancePanels));
  setFrame(spec, kCareerBackdropUpdate, screenPanels(spec, kUpdatePanels));
  for (int level = 0; level < kBarLevelCount; level++) setFrame(spec, kBarLevelFirst + level, barLevel(spec, level));
  // The arrows nod the way they point.
  for (bool up : {true, false}) {
    spec.modules.push_back(arrow(up));
    const int frame = addFrame(spec, {{moduleIndex(spec.modules.size() - 1), -kArrowW / 2, -kArrowH / 2, 0, 0}});
    const int16_t nod = up ? -3 : 3;
    setAnim(spec, up ? kAnimArrowUp : kAnimArrowDown,
            {{static_cast<uint8_t>(frame), 6, 0, 0, 0}, {static_cast<uint8_t>(frame), 6, 0, nod, 0}});
  }
  // The hint bobs above the place it points at.
  spec.modules.push_back(hintArrow());
  const int hint = addFrame(spec, {{moduleIndex(spec.modules.size() - 1), -8, -30, 0, 0}});
  std::vector<SpriteAFrame> bob;
  for (int16_t dy : {0, -2, -4, -2}) bob.push_back({static_cast<uint8_t>(hint), 3, 0, dy, 0});
  setAnim(spec, kAnimMapHint, bob);
  std::vector<SpriteAFrame> band;
  for (int tenths = 0; tenths <= kBandSteps; tenths++) band.push_back({static_cast<uint8_t>(addFrame(spec, rankBand(spec, tenths))), 1, 0, 0, 0});
  setAnim(spec, kAnimRankBand, band);
  std::vector<SpriteModule> balls, globes;
  for (int step = 0; step < kBallSteps; step++) balls.push_back(ball(step));
  for (int step = 0; step < kGlobeSteps; step++) globes.push_back(globe(step));
  centredAnim(spec, kAnimLobbyLeft, balls, 4);
  centredAnim(spec, kAnimLobbyRight, globes, 5);
}

std::vector<std::vector<uint8_t>> careerMenuPackEntries() {
  std::vector<std::vector<uint8_t>> entries = labelledMenuPack();
  SpriteSpec main = menuMainSpriteSpec();
  addCareerMenuArt(main);
  entries[kMenuMain] = writeSprite(main);
  return entries;
}

}  // namespace sorv::mkdata
