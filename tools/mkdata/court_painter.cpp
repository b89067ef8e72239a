#include "tools/mkdata/court_painter.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>

#include "tools/mkdata/art_integers.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

namespace {

using namespace court;

// The logical pixel of a court point through the view's camera; false for a point the camera
// cannot picture.
bool logicalOf(const CourtView& v, int32_t x, int32_t y, int32_t z, Point* out) {
  Point p;
  if (!project3DTo2D(v.camera, x, y, z, &p)) return false;
  *out = project2D2Logical(v.scale, p);
  return true;
}

// --- The floor and its lines

// A line painted on the floor, from one end to the other (one of x or z is constant).
struct GroundLine {
  int32_t x0, z0, x1, z1;
};
constexpr int32_t kCentreMarkMm = 100;
constexpr GroundLine kLines[] = {
    {kDoublesLeftX, kFarBaselineZ, kDoublesRightX, kFarBaselineZ},
    {kDoublesLeftX, kNearBaselineZ, kDoublesRightX, kNearBaselineZ},
    {kSinglesLeftX, kFarServiceLineZ, kSinglesRightX, kFarServiceLineZ},
    {kSinglesLeftX, kNearServiceLineZ, kSinglesRightX, kNearServiceLineZ},
    {kDoublesLeftX, kFarBaselineZ, kDoublesLeftX, kNearBaselineZ},
    {kSinglesLeftX, kFarBaselineZ, kSinglesLeftX, kNearBaselineZ},
    {kSinglesRightX, kFarBaselineZ, kSinglesRightX, kNearBaselineZ},
    {kDoublesRightX, kFarBaselineZ, kDoublesRightX, kNearBaselineZ},
    {kCentreLineX, kFarServiceLineZ, kCentreLineX, kNearServiceLineZ},
    {kCentreLineX, kFarBaselineZ, kCentreLineX, kFarBaselineZ + kCentreMarkMm},
    {kCentreLineX, kNearBaselineZ - kCentreMarkMm, kCentreLineX, kNearBaselineZ},
};

// Lines are two logical pixels wide in the near half and one in the far half.
int lineWidth(const CourtView& v, int32_t z) { return std::max<int32_t>(1, (z > kNetZ ? 2 : 1) * v.num / v.den); }

// Every millimetre of the line goes through the match's projection, and each pixel the match
// would put a point of the line on is painted; the rows are then joined so the line has no
// gaps where the projection steps by two pixels.
void paintGroundLine(Canvas& canvas, const CourtView& v, const GroundLine& line, uint8_t ink) {
  const bool alongZ = line.x0 == line.x1;
  const int32_t from = alongZ ? line.z0 : line.x0, to = alongZ ? line.z1 : line.x1;
  std::map<int, std::pair<int, int>> rows;  // row -> leftmost, rightmost pixel
  const auto add = [&rows](int row, int left, int right) {
    auto [it, fresh] = rows.try_emplace(row, left, right);
    if (!fresh) it->second = {std::min(it->second.first, left), std::max(it->second.second, right)};
  };
  const auto pointAt = [&](int32_t t) { return alongZ ? v.at(line.x0, 0, t) : v.at(t, 0, line.z0); };
  const auto same = [](Pt a, Pt b) { return a.x == b.x && a.y == b.y; };
  for (int32_t t = from; t <= to;) {
    // The projection is monotonic along the line, so the millimetres that share a pixel are
    // one run: gallop to its end, then halve.
    const Pt p = pointAt(t);
    int32_t last = t, step = 1;
    while (last + step <= to && same(pointAt(last + step), p)) last += step, step *= 2;
    int32_t beyond = std::min(last + step, to + 1);
    while (beyond - last > 1) {
      const int32_t mid = last + (beyond - last) / 2;
      (same(pointAt(mid), p) ? last : beyond) = mid;
    }
    const int w = std::max(lineWidth(v, alongZ ? t : line.z0), lineWidth(v, alongZ ? last : line.z0));
    t = last + 1;
    if (alongZ) {
      add(p.y, p.x, p.x + w - 1);
    } else {
      for (int k = 0; k < w; k++) add(p.y + k, p.x, p.x);
    }
  }
  const std::pair<int, int>* above = nullptr;
  int aboveRow = 0;
  for (auto& [row, span] : rows) {
    if (alongZ && above != nullptr && aboveRow == row - 1) {
      if (span.second < above->first - 1) span.second = above->first - 1;
      if (span.first > above->second + 1) span.first = above->second + 1;
    }
    for (int x = span.first; x <= span.second; x++) canvas.set(x, row, ink);
    above = &span;
    aboveRow = row;
  }
}

// A flat quadrilateral of the court, through the view.
void fillQuad(Canvas& canvas, const CourtView& v, const std::array<std::array<int32_t, 3>, 4>& corners, uint8_t ink) {
  std::vector<Pt> points;
  for (const auto& c : corners) points.push_back(v.atSub(c[0], c[1], c[2]));
  canvas.fillPolygonSub(points, ink);
}

void fillFloorRect(Canvas& canvas, const CourtView& v, int32_t x0, int32_t z0, int32_t x1, int32_t z1, uint8_t ink) {
  fillQuad(canvas, v, {{{x0, 0, z0}, {x1, 0, z0}, {x1, 0, z1}, {x0, 0, z1}}}, ink);
}

// Mown stripes run across the court, sixteen between the baselines.
constexpr int32_t kStripeMm = (kNearBaselineZ - kFarBaselineZ) / 16;
// The floor reaches past the near end of the picture.
constexpr int32_t kFloorNearZ = kNearEndZ + 6000;

void fillStriped(Canvas& canvas, const CourtView& v, int32_t x0, int32_t z0, int32_t x1, int32_t z1, uint8_t first,
                 uint8_t second) {
  const int64_t firstStripe = floorDiv(z0 - kFarBaselineZ, kStripeMm);
  for (int64_t i = firstStripe;; i++) {
    const int32_t from = std::max<int32_t>(z0, static_cast<int32_t>(kFarBaselineZ + i * kStripeMm));
    const int32_t to = std::min<int32_t>(z1, static_cast<int32_t>(kFarBaselineZ + (i + 1) * kStripeMm));
    if (from >= z1) break;
    fillFloorRect(canvas, v, x0, from, x1, to, (i & 1) == 0 ? first : second);
  }
}

constexpr int kGrainDash = 3, kGrainPercent = 13;

void paintFloor(Canvas& canvas, const CourtLook& look, const CourtInks& inks, const CourtView& v) {
  for (bool runOff : {true, false}) {
    const int32_t x0 = runOff ? 0 : kDoublesLeftX, x1 = runOff ? kSideX : kDoublesRightX;
    const int32_t z0 = runOff ? kFarEndZ : kFarBaselineZ, z1 = runOff ? kFloorNearZ : kNearBaselineZ;
    const uint8_t first = inks[courtFloor(runOff, false, false)];
    fillStriped(canvas, v, x0, z0, x1, z1, first, look.stripes ? inks[courtFloor(runOff, true, false)] : first);
  }
  if (look.grain) {
    std::array<uint8_t, 256> grained{};
    for (bool runOff : {false, true}) {
      for (bool stripe : {false, true}) grained[inks[courtFloor(runOff, stripe, false)]] = inks[courtFloor(runOff, stripe, true)];
    }
    for (int y = 0; y < canvas.height(); y++) {
      for (int x = 0; x < canvas.width(); x++) {
        const uint8_t to = grained[canvas.at(x, y)];
        if (to != 0 && courtGrainAt(x, y)) canvas.set(x, y, to);
      }
    }
  }
  if (!look.lines) return;
  for (const GroundLine& line : kLines) paintGroundLine(canvas, v, line, inks[kCourtLine]);
}

// --- Walls

// A wall face standing on the floor: x0..x1 at depth z (back wall) or z0..z1 at x (barrier).
void paintWall(Canvas& canvas, const CourtView& v, const std::array<int32_t, 4>& foot, int32_t height,
               const CourtInks& inks) {
  const auto face = [&](int32_t low, int32_t high, uint8_t ink) {
    fillQuad(canvas, v,
             {{{foot[0], low, foot[1]}, {foot[2], low, foot[3]}, {foot[2], high, foot[3]}, {foot[0], high, foot[1]}}},
             ink);
  };
  face(0, height, inks[kCourtWall]);
  face(0, kWallSkirtMm, inks[kCourtWallBand]);
  face(height - kWallCapMm, height, inks[kCourtWallTop]);
}

void paintWalls(Canvas& canvas, const CourtInks& inks, const CourtView& v) {
  // Their shadow on the floor at their feet first.
  fillFloorRect(canvas, v, 0, kFarEndZ, kSideX, kFarEndZ + kBackWallShadeMm, inks[kCourtFloorShade]);
  fillFloorRect(canvas, v, 0, kFarEndZ, kBarrierShadeMm, kFloorNearZ, inks[kCourtFloorShade]);
  fillFloorRect(canvas, v, kSideX - kBarrierShadeMm, kFarEndZ, kSideX, kFloorNearZ, inks[kCourtFloorShade]);
  paintWall(canvas, v, {0, kFarEndZ, kSideX, kFarEndZ}, kBackWallMm, inks);
  paintWall(canvas, v, {0, kFarEndZ, 0, kFloorNearZ}, kBarrierMm, inks);
  paintWall(canvas, v, {kSideX, kFarEndZ, kSideX, kFloorNearZ}, kBarrierMm, inks);
}

// --- Stands

constexpr int32_t kSeatMm = 600, kTierDepthMm = 800, kTierRiseMm = 420, kAisleMm = 300;
constexpr int kMaxTiers = 60;

// One tier of a stand, in the stand's own terms: `out` runs away from the court, `along`
// runs along its front; the world point of (along, height, out) is the stand's to give.
struct Stand {
  int id;
  int32_t firstOut, firstHeight, hiddenHeight;  // the lowest tier's front, its seat height, below it
  int32_t alongFrom, alongTo, firstSeatAlong;
  // World point of a stand point.
  std::array<int32_t, 3> (*world)(int32_t along, int32_t height, int32_t out);
};

std::array<int32_t, 3> farWorld(int32_t along, int32_t height, int32_t out) { return {along, height, kFarEndZ - out}; }
std::array<int32_t, 3> leftWorld(int32_t along, int32_t height, int32_t out) { return {-out, height, along}; }
std::array<int32_t, 3> rightWorld(int32_t along, int32_t height, int32_t out) { return {kSideX + out, height, along}; }

// The far stands rise from behind the back wall; the side stands from behind the barriers,
// reaching past the far stands' front and the near end of the picture.
constexpr Stand kFarStand{0, kAisleMm, kBackWallMm + kAisleMm, kBackWallMm - 500, -16000, kSideX + 16000, kDoublesLeftX,
                          farWorld};
constexpr Stand kLeftStand{1, kAisleMm, kBarrierMm + kAisleMm, kBarrierMm - 400, kFarEndZ - kAisleMm, kFloorNearZ,
                           kFarEndZ, leftWorld};
constexpr Stand kRightStand{2, kAisleMm, kBarrierMm + kAisleMm, kBarrierMm - 400, kFarEndZ - kAisleMm, kFloorNearZ,
                            kFarEndZ, rightWorld};

int32_t tierOut(const Stand& s, int k) { return s.firstOut + k * kTierDepthMm; }
int32_t tierHeight(const Stand& s, int k) { return k < 0 ? s.hiddenHeight : s.firstHeight + k * kTierRiseMm; }

// A spectator's parts, in millimetres from the seat's front edge: head, body, seat back.
constexpr int32_t kHeadUp = 820, kHeadBack = 450, kHeadMm = 110;
constexpr int32_t kBodyUp = 430, kBodyBack = 420, kBodyHalfWidth = 190, kBodyHalfHeight = 230;
constexpr int32_t kSeatUp = 230, kSeatBack = 640, kSeatHalfWidth = 210, kSeatHalfHeight = 160;

std::array<int32_t, 3> seatPoint(const Stand& s, int k, int seat, int32_t up, int32_t back) {
  return s.world(s.firstSeatAlong + seat * kSeatMm, tierHeight(s, k) + up, tierOut(s, k) + back);
}

Pt pointOf(const CourtView& v, const std::array<int32_t, 3>& w) { return v.at(w[0], w[1], w[2]); }
int32_t sizeAt(const CourtView& v, int32_t mm, const std::array<int32_t, 3>& w) { return v.pixels(mm, w[0], w[1], w[2]); }

bool isFar(const Stand& s) { return s.id == kFarStand.id; }

// Where a seat's part lands: through the camera, except that the far stand, square on to the
// camera, keeps its lowest row's seat spacing in every row so that its rows repeat exactly.
Pt seatPixel(const CourtView& v, const Stand& s, int k, int seat, int32_t up, int32_t back) {
  if (!isFar(s)) return pointOf(v, seatPoint(s, k, seat, up, back));
  const Pt first = pointOf(v, seatPoint(s, k, 0, up, back));
  return Pt{first.x + seat * sizeAt(v, kSeatMm, seatPoint(s, 0, 0, up, back)), first.y};
}

// Who sits on a seat: the far stand's spectators repeat every kFarStandRepeat seats.
uint32_t spectatorRoll(const Stand& s, int k, int seat) {
  const int key = isFar(s) ? ((seat % kFarStandRepeat) + kFarStandRepeat) % kFarStandRepeat : seat;
  return latticeHash(s.id * 1000 + k, key, 3);
}

// The tier's riser and tread as canvas polygons; false when none of it is on the canvas.
bool tierOnCanvas(const Canvas& canvas, const CourtView& v, const Stand& s, int k) {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -(1 << 30), y1 = -(1 << 30);
  for (int32_t along : {s.alongFrom, s.alongTo}) {
    for (int32_t h : {tierHeight(s, k - 1), tierHeight(s, k)}) {
      for (int32_t out : {tierOut(s, k), tierOut(s, k + 1)}) {
        const Pt p = pointOf(v, s.world(along, h, out));
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
      }
    }
  }
  return x1 >= 0 && y1 >= 0 && x0 < canvas.width() && y0 < canvas.height();
}

void paintSpectator(Canvas& canvas, const CourtView& v, const CourtLook& look, const CourtInks& inks, const Stand& s,
                    int k, int seat) {
  const auto head = seatPoint(s, k, seat, kHeadUp, kHeadBack);
  const Pt h = seatPixel(v, s, k, seat, kHeadUp, kHeadBack);
  if (h.x < -8 || h.y < -8 || h.x >= canvas.width() + 8 || h.y >= canvas.height() + 8) return;
  const auto back = seatPoint(s, k, seat, kSeatUp, kSeatBack);
  const Pt b = seatPixel(v, s, k, seat, kSeatUp, kSeatBack);
  canvas.fillEllipse(b.x, b.y, sizeAt(v, kSeatHalfWidth, back), sizeAt(v, kSeatHalfHeight, back), inks[kCourtSeat]);
  const uint32_t roll = spectatorRoll(s, k, seat);
  if (static_cast<int>(roll % 100) >= look.crowdPercent) return;
  const auto body = seatPoint(s, k, seat, kBodyUp, kBodyBack);
  const Pt c = seatPixel(v, s, k, seat, kBodyUp, kBodyBack);
  const uint8_t shirt = inks[kCourtShirt + static_cast<int>((roll >> 8) % kCourtShirtCount)];
  canvas.fillEllipse(c.x, c.y, sizeAt(v, kBodyHalfWidth, body), sizeAt(v, kBodyHalfHeight, body), shirt);
  const int r = sizeAt(v, kHeadMm, head);
  canvas.fillEllipse(h.x, h.y, r, r, inks[kCourtHair + static_cast<int>((roll >> 16) % kCourtHairCount)]);
  const uint8_t skin = inks[kCourtSkin + static_cast<int>((roll >> 20) % kCourtSkinCount)];
  if (r >= 2) {
    canvas.fillEllipse(h.x, h.y + 1, r - 1, r - 1, skin);
  } else {
    canvas.set(h.x, h.y + r, skin);
  }
}

void paintStand(Canvas& canvas, const CourtView& v, const CourtLook& look, const CourtInks& inks, const Stand& s) {
  int tiers = 0;
  while (tiers < kMaxTiers && tierOnCanvas(canvas, v, s, tiers)) tiers++;
  const int seats = (s.alongTo - s.firstSeatAlong) / kSeatMm;
  const int firstSeat = -((s.firstSeatAlong - s.alongFrom) / kSeatMm);
  // Far tiers first: each nearer, lower one is painted over what it hides.
  for (int k = tiers - 1; k >= 0; k--) {
    const int32_t out = tierOut(s, k), outBehind = tierOut(s, k + 1);
    const int32_t low = tierHeight(s, k - 1), high = tierHeight(s, k);
    const auto quad = [&](std::array<int32_t, 3> a, std::array<int32_t, 3> b, std::array<int32_t, 3> c,
                          std::array<int32_t, 3> d, uint8_t ink) { fillQuad(canvas, v, {{a, b, c, d}}, ink); };
    quad(s.world(s.alongFrom, high, out), s.world(s.alongTo, high, out), s.world(s.alongTo, high, outBehind),
         s.world(s.alongFrom, high, outBehind), inks[kCourtTread]);
    quad(s.world(s.alongFrom, low, out), s.world(s.alongTo, low, out), s.world(s.alongTo, high, out),
         s.world(s.alongFrom, high, out), inks[kCourtRiser]);
    for (int seat = firstSeat; seat < seats; seat++) paintSpectator(canvas, v, look, inks, s, k, seat);
  }
}

// --- Colours

constexpr uint32_t kSkins[kCourtSkinCount] = {0xF2C8A0, 0xC98D5E, 0x8A5A3A};
constexpr uint32_t kHairs[kCourtHairCount] = {0x2A1E16, 0x7A5530, 0xD8B868};
constexpr uint32_t kShirts[kCourtShirtCount] = {0xF4F4F0, 0xD83A32, 0x2F55C8, 0xF0C830,
                                                0x38A858, 0x8CC0EC, 0xE07AA8, 0x34343C};
// The show court's crowd dresses for the day: more white, pale colours.
constexpr uint32_t kShowShirts[kCourtShirtCount] = {0xF8F8F4, 0xECECE4, 0xF4F0D8, 0xB8D0EC,
                                                    0xF0C0D0, 0xD8E8C0, 0x5A3C7A, 0x2E6B3C};

struct SurfaceColours {
  uint32_t plain, stripe, grain;  // inside the lines
  uint32_t runOff, runOffStripe, runOffGrain;
  uint32_t shade;
};
constexpr SurfaceColours kClay{0xC8643A, 0xC8643A, 0xB2552F, 0xC8643A, 0xC8643A, 0xB2552F, 0x9A4A2A};
// Outside the lines the hard court is the close-call view's tint, 0x438648.
constexpr SurfaceColours kHard{0x2F62A8, 0x2F62A8, 0x2F62A8, 0x438648, 0x438648, 0x438648, 0x336A38};
constexpr SurfaceColours kGrass{0x5FA33C, 0x4E9231, 0x5FA33C, 0x5FA33C, 0x4E9231, 0x5FA33C, 0x3E7A28};
constexpr SurfaceColours kShowGrass{0x66AC40, 0x529836, 0x66AC40, 0x66AC40, 0x529836, 0x66AC40, 0x3E7A28};

}  // namespace

bool courtGrainAt(int x, int y) {
  const int px = ((x % kCourtGrainPeriod) + kCourtGrainPeriod) % kCourtGrainPeriod / kGrainDash;
  const int py = ((y % kCourtGrainPeriod) + kCourtGrainPeriod) % kCourtGrainPeriod;
  return latticeHash(px, py, 7) % 100 < kGrainPercent;
}

CourtInks courtRoleInks() {
  CourtInks inks{};
  for (int role = 0; role < kCourtRoleCount; role++) inks[role] = static_cast<uint8_t>(1 + role);
  return inks;
}

std::vector<uint32_t> courtRolePalette(const CourtColours& colours) {
  std::vector<uint32_t> palette{kArtKey};
  palette.insert(palette.end(), colours.begin(), colours.end());
  return palette;
}

CourtView::CourtView(const Camera& c, int32_t n, int32_t d, int32_t x, int32_t y)
    : camera(c), scale(scaleOf(c)), num(n), den(d), originX(x), originY(y) {}

Pt CourtView::at(int32_t x, int32_t y, int32_t z) const {
  Point p;
  if (!logicalOf(*this, x, y, z, &p)) return Pt{-(1 << 20), -(1 << 20)};
  return Pt{static_cast<int>(floorDiv(int64_t{p.x} * num, den) + originX),
            static_cast<int>(floorDiv(int64_t{p.y} * num, den) + originY)};
}

Pt CourtView::atSub(int32_t x, int32_t y, int32_t z) const {
  Point p;
  if (!logicalOf(*this, x, y, z, &p)) return Pt{-(1 << 24), -(1 << 24)};
  return Pt{static_cast<int>(floorDiv(int64_t{p.x} * num * kSub, den) + int64_t{originX} * kSub + kSub / 2),
            static_cast<int>(floorDiv(int64_t{p.y} * num * kSub, den) + int64_t{originY} * kSub + kSub / 2)};
}

int32_t CourtView::pixels(int32_t mm, int32_t x, int32_t y, int32_t z) const {
  const int32_t depth = depthOf(camera, x, y, z);
  const int64_t across = int64_t{depth} * (scale.rightX - scale.leftX) * den;
  if (depth <= 0 || across <= 0) return 0;
  return static_cast<int32_t>(int64_t{mm} * camera.focal * kLogicalWidth * num / across);
}

CourtLook courtLook(CourtSurface surface, bool showCourt) {
  CourtLook look;
  const SurfaceColours& s = surface == CourtSurface::kClay   ? kClay
                            : surface == CourtSurface::kHard ? kHard
                            : showCourt                      ? kShowGrass
                                                             : kGrass;
  look.stripes = surface == CourtSurface::kGrass;
  look.grain = surface == CourtSurface::kClay;
  look.crowdPercent = showCourt ? 92 : 72;
  CourtColours& c = look.colours;
  c[kCourtLine] = 0xFFFFFF;
  for (bool runOff : {false, true}) {
    for (bool stripe : {false, true}) {
      for (bool grain : {false, true}) {
        c[courtFloor(runOff, stripe, grain)] = grain && look.grain       ? (runOff ? s.runOffGrain : s.grain)
                                               : stripe && look.stripes ? (runOff ? s.runOffStripe : s.stripe)
                                                                        : (runOff ? s.runOff : s.plain);
      }
    }
  }
  c[kCourtFloorShade] = s.shade;
  // Club courts have dark blue walls and blue seats; the show court its own green and purple.
  c[kCourtWall] = showCourt ? 0x1E4E30 : 0x1F3A5E;
  c[kCourtWallTop] = showCourt ? 0x6A4A8C : 0x5A7EA8;
  c[kCourtWallBand] = showCourt ? 0x163A24 : 0x172C48;
  c[kCourtTread] = showCourt ? 0x8E9488 : 0x8A8E94;
  c[kCourtRiser] = showCourt ? 0x5E6458 : 0x5C6068;
  c[kCourtSeat] = showCourt ? 0x2E6B3C : 0x2C5A9A;
  for (int i = 0; i < kCourtSkinCount; i++) c[kCourtSkin + i] = kSkins[i];
  for (int i = 0; i < kCourtHairCount; i++) c[kCourtHair + i] = kHairs[i];
  for (int i = 0; i < kCourtShirtCount; i++) c[kCourtShirt + i] = showCourt ? kShowShirts[i] : kShirts[i];
  c[kCourtNetMesh] = 0x1A1A1E;
  c[kCourtNetTape] = 0xFFFFFF;
  c[kCourtNetPost] = 0x1F3A5E;
  c[kCourtNetPostLight] = 0x5A7EA8;
  for (uint32_t& colour : c) colour = opaque(colour);
  return look;
}

CourtInks addCourtColours(std::vector<uint32_t>& palette, const CourtColours& colours) {
  CourtInks inks{};
  for (int role = 0; role < kCourtRoleCount; role++) {
    const auto it = std::find(palette.begin(), palette.end(), colours[role]);
    inks[role] = static_cast<uint8_t>(it - palette.begin());
    if (it == palette.end()) palette.push_back(colours[role]);
  }
  return inks;
}

void paintCourt(Canvas& canvas, const CourtLook& look, const CourtInks& inks, const CourtView& v, unsigned parts) {
  if ((parts & (kCourtFarStandPart | kCourtSideStandsPart)) != 0) canvas.fill(inks[kCourtRiser]);
  if ((parts & kCourtFarStandPart) != 0) paintStand(canvas, v, look, inks, kFarStand);
  if ((parts & kCourtSideStandsPart) != 0) {
    paintStand(canvas, v, look, inks, kLeftStand);
    paintStand(canvas, v, look, inks, kRightStand);
  }
  if ((parts & kCourtFloorPart) != 0) paintFloor(canvas, look, inks, v);
  if ((parts & kCourtWallsPart) != 0) paintWalls(canvas, inks, v);
}

void paintNet(Canvas& canvas, const CourtInks& inks, const CourtView& v, bool doubles, int32_t shakeMm) {
  const int32_t left = doubles ? kDoublesPostLeftX : kSinglesNetLeftX;
  const int32_t right = doubles ? kDoublesPostRightX : kSinglesNetRightX;
  const int64_t middle = (left + right) / 2, half = (right - left) / 2;
  constexpr int32_t kStrapMm = 30, kGapMm = 40, kPostMm = 50;
  const int tapeRows = std::max<int32_t>(1, 2 * v.num / v.den);
  // Column by column between the posts (the projection would skip columns): heights go
  // through the projection, which does not depend on x.
  const int first = v.at(left, 0, kNetZ).x, last = v.at(right, 0, kNetZ).x;
  for (int cx = first; cx <= last; cx++) {
    const int64_t x = left + int64_t{cx - first} * (right - left) / std::max(last - first, 1);
    const int64_t d = x - middle;
    const int64_t sag = half * half - d * d;  // 0 at the posts, half^2 in the middle
    const int32_t top = static_cast<int32_t>(kNetPostHeight - (kNetPostHeight - kNetCentreHeight) * sag / (half * half) +
                                             shakeMm * sag / (half * half));
    const int tapeY = v.at(static_cast<int32_t>(x), top, kNetZ).y;
    const int footY = v.at(static_cast<int32_t>(x), kGapMm, kNetZ).y;
    const bool strap = d >= -kStrapMm && d <= kStrapMm;
    for (int y = tapeY; y <= footY; y++) {
      if (y < tapeY + tapeRows || strap) {
        canvas.set(cx, y, inks[kCourtNetTape]);
      } else if (y == footY || (cx - first) % 3 == 0 || (footY - y) % 3 == 0) {
        canvas.set(cx, y, inks[kCourtNetMesh]);
      }
    }
  }
  const int postWidth = std::max<int32_t>(1, 3 * v.num / v.den);
  for (int32_t post : {left, right}) {
    const Pt top = v.at(post, kNetPostHeight + kPostMm, kNetZ), foot = v.at(post, 0, kNetZ);
    const int x0 = top.x - postWidth / 2;
    canvas.fillRect(x0, top.y, postWidth, foot.y - top.y + 1, inks[kCourtNetPost]);
    canvas.fillRect(x0, top.y, 1, foot.y - top.y + 1, inks[kCourtNetPostLight]);
    canvas.fillRect(x0, top.y, postWidth, 1, inks[kCourtNetPostLight]);
  }
}

Pt farStandHead(const CourtView& view, int row, int seat) { return seatPixel(view, kFarStand, row, seat, kHeadUp, kHeadBack); }

int32_t farStandHeadRadius(const CourtView& view, int row, int seat) {
  return sizeAt(view, kHeadMm, seatPoint(kFarStand, row, seat, kHeadUp, kHeadBack));
}

}  // namespace sorv::mkdata
