#include "tools/mkdata/court_image.h"

#include <algorithm>
#include <array>

#include "tools/data/court_geometry.h"
#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_integers.h"
#include "tools/mkdata/art_rects.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/court_painter.h"

namespace sorv::mkdata {

namespace {

constexpr int kImageW = court::kCourtImageWidth, kImageH = court::kCourtImageHeight;

// The surface frames, and the frame of what they share.
constexpr int kSurfaceFrames = 3, kSharedFrame = kSurfaceFrames;
constexpr CourtSurface kFrameSurfaces[kSurfaceFrames] = {CourtSurface::kGrass, CourtSurface::kHard,
                                                         CourtSurface::kClay};
static_assert(kCourtPictureFrames[0] == 2 && kCourtPictureFrames[1] == 1 && kCourtPictureFrames[2] == 0,
              "clay, hard and grass courts show frames 2, 1 and 0");

uint32_t hashOf(int a, int b, int c) {
  uint32_t h = static_cast<uint32_t>(a) * 2654435761u ^ static_cast<uint32_t>(b) * 2246822519u ^
               static_cast<uint32_t>(c) * 3266489917u;
  h = (h ^ (h >> 15)) * 2246822519u;
  return h ^ (h >> 13);
}

// The left barrier's top runs from its far end kSlantRun pixels left for every kSlantRise
// rows down; a side stand's tier runs the same way. `across` is how far right of that line a
// pixel lies, in 1/kSlantRise pixels. The right side mirrors the left about the court's middle.
struct Slant {
  Pt top;      // the far end of the left barrier's top
  int mirror;  // the right side's pixel x of the left side's pixel x is mirror - x
  int across(int x, int y) const { return kSlantRise * (x - top.x) + kSlantRun * (y - top.y); }
  // The first pixel of a row on or right of the line.
  int lineX(int y) const { return top.x - floorDiv(kSlantRun * (y - top.y), kSlantRise); }
  int mirroredX(int x, int width) const { return mirror - x - width + 1; }
};

Slant slantOf(const CourtView& v) {
  return {v.at(0, kBarrierMm, court::kFarEndZ), v.at(0, 0, court::kFarEndZ).x + v.at(court::kSideX, 0, court::kFarEndZ).x};
}

// A side stand's tier runs along the slant, kTierWidth pixels across: a riser at its front,
// then the tread its seats stand on, two seats to every step of the slant. Its pieces repeat
// every tier across and every kTierSteps steps along, so a kTierWidth x kTierRows piece tiles
// the stand.
constexpr int kTierSteps = 5, kTierWidth = kSlantRun * kTierSteps, kTierRows = kSlantRise * kTierSteps;
constexpr int kSeatsPerStep = 2;
constexpr int kRiserWidth = 3;
// A seat's middle (where its spectator's body sits): so far in from the tier's front and so
// far down from the tier's first row.
constexpr int kSeatIn = 13, kSeatDown = 6;
constexpr int kSideHeadRadius = 3;

Pt sideSeat(const Slant& s, int tier, int seat) {
  const int step = floorDiv(seat, kSeatsPerStep), half = seat - step * kSeatsPerStep;
  return {s.top.x - kSeatIn - kTierWidth * tier - kSlantRun * step - (kSlantRun + 1) / 2 * half,
          s.top.y + kSeatDown + kSlantRise * step + kSlantRise / 2 * half};
}

// The stand's piece whose top right corner lies on the line; `front` keeps only what lies
// left of the line (the pieces the barrier's top cuts).
Canvas sideStandPiece(const Slant& s, const CourtInks& inks, bool front) {
  Canvas c(kTierWidth, kTierRows);
  const Pt corner{s.top.x - kTierWidth, s.top.y};
  constexpr int kTier = kSlantRise * kTierWidth;
  for (int y = 0; y < kTierRows; y++) {
    for (int x = 0; x < kTierWidth; x++) {
      const int in = ((-s.across(corner.x + x, corner.y + y) - 1) % kTier + kTier) % kTier / kSlantRise;
      c.set(x, y, inks[in < kRiserWidth ? kCourtRiser : kCourtTread]);
    }
  }
  for (int tier = -2; tier <= 2; tier++) {
    for (int seat = -2 * kSeatsPerStep; seat <= (kTierSteps + 1) * kSeatsPerStep; seat++) {
      const Pt p = sideSeat(s, tier, seat);
      c.fillEllipse(p.x - corner.x - 3, p.y - corner.y + 2, 4, 3, inks[kCourtSeat]);
    }
  }
  if (front) {
    for (int y = 0; y < kTierRows; y++) {
      for (int x = 0; x < kTierWidth; x++) {
        if (s.across(corner.x + x, corner.y + y) >= 0) c.set(x, y, 0);
      }
    }
  }
  return c;
}

// The spectators: a few looks, head and body, one taken at random for each seat filled.
constexpr int kSpectatorLooks = 16;

struct Spectators {
  std::vector<int> modules;
  Pt head;  // the head's middle on each module
};

Spectators spectatorsOf(ArtSprite& sprite, const CourtInks& inks, int r, int seed) {
  const Pt head{r + 2, r};
  Spectators out;
  for (int k = 0; k < kSpectatorLooks; k++) {
    const uint32_t roll = hashOf(k, seed, 5);
    Canvas c(2 * head.x + 1, 4 * r + 5);
    c.fillEllipse(head.x, head.y + 2 * r + 2, r + 2, r + 2, inks[kCourtShirt + static_cast<int>(roll % kCourtShirtCount)]);
    c.fillEllipse(head.x, head.y, r, r, inks[kCourtHair + static_cast<int>((roll >> 8) % kCourtHairCount)]);
    c.fillEllipse(head.x, head.y + 1, r - 1, r - 1, inks[kCourtSkin + static_cast<int>((roll >> 16) % kCourtSkinCount)]);
    // Every look has the same outline, so the head lies at one place on them all.
    const Box ink = c.bounds();
    out.head = {head.x - ink.x, head.y - ink.y};
    out.modules.push_back(sprite.addModule(c.crop(ink)));
  }
  return out;
}

class CourtPicture {
 public:
  explicit CourtPicture(bool showCourt)
      : show_(showCourt), inks_(courtRoleInks()), slant_(slantOf(view_)), rects_(sprite_),
        covered_(static_cast<size_t>(kImageW) * kImageH, 0) {
    sprite_.usePerModulePalettes();
    palettes_ = show_ ? std::array{CourtSurface::kGrass, CourtSurface::kHard, CourtSurface::kClay}
                      : std::array{CourtSurface::kHard, CourtSurface::kGrass, CourtSurface::kClay};
  }

  std::vector<uint8_t> write() {
    CourtLook look = courtLook(CourtSurface::kGrass, show_);
    std::vector<SpriteFModule> shared = lines();
    add(shared, farStand(look));
    add(shared, sideStands(look.crowdPercent));
    std::array<std::vector<SpriteFModule>, kSurfaceFrames> barriers, walls;
    for (int f = 0; f < kSurfaceFrames; f++) {
      barriers[f] = barrierPieces(paletteOf(f));
      walls[f] = backWall(f);
    }
    for (int f = 0; f < kSurfaceFrames; f++) {
      std::vector<SpriteFModule> frame = floor(f);
      if (kFrameSurfaces[f] == CourtSurface::kClay) add(frame, grain(paletteOf(f)));
      frame.push_back(ArtSprite::frameEntry(kSharedFrame, 0, 0));
      add(frame, barriers[f]);
      add(frame, walls[f]);
      sprite_.addFrame(frame);
    }
    sprite_.addFrame(shared);
    sprite_.addSequence(0, 1);
    for (CourtSurface surface : palettes_) sprite_.addPalette(courtRolePalette(courtLook(surface, show_).colours));
    return sprite_.write();
  }

 private:
  static void add(std::vector<SpriteFModule>& to, const std::vector<SpriteFModule>& entries) {
    to.insert(to.end(), entries.begin(), entries.end());
  }

  int paletteOf(int frame) const {
    return static_cast<int>(std::find(palettes_.begin(), palettes_.end(), kFrameSurfaces[frame]) - palettes_.begin());
  }
  uint32_t colourOf(int frame, uint8_t ink) const { return courtLook(kFrameSurfaces[frame], show_).colours[ink - 1]; }

  // An image module placed (mirrored about the court's middle if asked), its pixels marked as
  // covering the floor.
  SpriteFModule placed(int module, int x, int y, bool mirror, int palette = 0) {
    const SpriteModule& m = sprite_.spec().modules[static_cast<size_t>(module)];
    if (mirror) x = slant_.mirroredX(x, m.width);
    for (int j = 0; j < m.height; j++) {
      for (int i = 0; i < m.width; i++) {
        const int si = mirror ? m.width - 1 - i : i;
        if (m.pixels[static_cast<size_t>(j) * m.width + si] != 0) cover(x + i, y + j);
      }
    }
    return ArtSprite::entry(module, x, y, mirror ? 1 : 0, palette);
  }
  void cover(int x, int y) {
    if (x >= 0 && y >= 0 && x < kImageW && y < kImageH) covered_[static_cast<size_t>(y) * kImageW + x] = 1;
  }
  void coverRects(const std::vector<SpriteFModule>& entries) {
    for (const SpriteFModule& e : entries) {
      const SpriteModule& m = sprite_.spec().modules[e.module + ((e.flags & 0x40) != 0 ? 256 : 0)];
      for (int j = 0; j < m.height; j++) {
        for (int i = 0; i < m.width; i++) cover(e.x + i, e.y + j);
      }
    }
  }

  // The lines: the painter's, as white rectangles.
  std::vector<SpriteFModule> lines() {
    CourtLook look = courtLook(CourtSurface::kGrass, show_);
    Canvas with(kImageW, kImageH), without(kImageW, kImageH);
    paintCourt(with, look, inks_, view_, kCourtFloorPart);
    look.lines = false;
    paintCourt(without, look, inks_, view_, kCourtFloorPart);
    RectTarget target(0, 0, kImageW, kImageH);
    for (int y = 0; y < kImageH; y++) {
      for (int x = 0; x < kImageW; x++) {
        if (with.at(x, y) != without.at(x, y)) target.set(x, y, colourOf(0, inks_[kCourtLine]));
      }
    }
    std::vector<SpriteFModule> entries = rects_.cover(target);
    coverRects(entries);
    return entries;
  }

  // The far stands above the back wall: the painter's tiers and seats repeat along the
  // stand, so a column of them tiles it; a spectator on each seat taken.
  std::vector<SpriteFModule> farStand(CourtLook look) {
    const int wallTop = view_.at(0, kBackWallMm, court::kFarEndZ).y;
    const int crowd = look.crowdPercent;
    look.crowdPercent = 0;
    Canvas seats(kImageW, kImageH);
    paintCourt(seats, look, inks_, view_, kCourtFarStandPart);
    const int left = slant_.lineX(wallTop - 1) - 1, right = slant_.mirror - left;
    int period = 1;
    const auto repeats = [&](int p) {
      for (int y = 0; y < wallTop; y++) {
        for (int x = left; x + p <= right; x++) {
          if (seats.at(x, y) != seats.at(x + p, y)) return false;
        }
      }
      return true;
    };
    while (!repeats(period)) period++;
    const int width = period * ((kFarColumn + period - 1) / period);
    std::vector<SpriteFModule> entries;
    for (int x = left; x <= right; x += width) {
      entries.push_back(placed(sprite_.addModule(seats.crop({x, 0, width, wallTop})), x, 0, false));
    }
    const int r = std::max(2, farStandHeadRadius(view_, 0, 0));
    const Spectators people = spectatorsOf(sprite_, inks_, r, 1);
    // The back rows first: each nearer one covers the feet of the one behind.
    int rows = 0;
    while (farStandHead(view_, rows, 0).y > -4 * r) rows++;
    for (int row = rows - 1; row >= 0; row--) {
      for (int seat = -kFarSeats; seat <= kFarSeats; seat++) {
        const Pt head = farStandHead(view_, row, seat);
        if (head.x < slant_.lineX(head.y) - 2 * r || head.x > slant_.mirror - slant_.lineX(head.y) + 2 * r) continue;
        const uint32_t roll = hashOf(row, seat, 7);
        if (static_cast<int>(roll % 100) >= crowd) continue;
        entries.push_back(placed(people.modules[(roll >> 8) % kSpectatorLooks], head.x - people.head.x,
                                 head.y - people.head.y, false));
      }
    }
    return entries;
  }

  // The side stands: their pieces from the barrier's top out to the edge of the picture, and a
  // spectator on each seat taken; the right stand mirrors the left one's pieces.
  std::vector<SpriteFModule> sideStands(int crowd) {
    const int inner = sprite_.addModule(sideStandPiece(slant_, inks_, false));
    const int front = sprite_.addModule(sideStandPiece(slant_, inks_, true));
    std::vector<SpriteFModule> entries;
    const int firstRow = -((slant_.top.y + kTierRows - 1) / kTierRows);
    for (bool mirror : {false, true}) {
      for (int row = firstRow; slant_.top.y + row * kTierRows < kImageH; row++) {
        const int y = slant_.top.y + row * kTierRows;
        for (int x = slant_.top.x - kTierWidth * (row + 1), first = 1; x + kTierWidth > 0; x -= kTierWidth, first = 0) {
          entries.push_back(placed(first ? front : inner, x, y, mirror));
        }
      }
    }
    const Spectators people = spectatorsOf(sprite_, inks_, kSideHeadRadius, 2);
    const int body = 2 * kSideHeadRadius + 2;
    const int lowSeat = -(slant_.top.y + kTierRows) / kSlantRise * kSeatsPerStep;
    const int highSeat = ((kImageH - slant_.top.y) / kSlantRise + 2) * kSeatsPerStep;
    for (bool mirror : {false, true}) {
      // The outer tiers first: each inner one covers the feet of the one behind.
      int tiers = 0;
      while (sideSeat(slant_, tiers, lowSeat).x + kTierWidth > 0) tiers++;
      for (int tier = tiers - 1; tier >= 0; tier--) {
        for (int seat = lowSeat; seat <= highSeat; seat++) {
          const uint32_t roll = hashOf(tier + (mirror ? 1000 : 0), seat, 11);
          if (static_cast<int>(roll % 100) >= crowd) continue;
          const Pt p = sideSeat(slant_, tier, seat);
          const int module = people.modules[(roll >> 8) % kSpectatorLooks];
          entries.push_back(placed(module, p.x - people.head.x, p.y - body - people.head.y, mirror));
        }
      }
    }
    return entries;
  }

  // The barriers along the sides, on the slant: pieces of kSlantRise rows, each as tall as the
  // barrier stands where it is (in steps of kBarrierStep rows) with its bands and its shadow
  // on the floor in proportion; pieces of one height repeat.
  std::vector<SpriteFModule> barrierPieces(int palette) {
    // The shadow's width across for the barrier's height, as at the near baseline.
    const int32_t baseline = court::kNearBaselineZ;
    const int shadeNum = view_.at(kBarrierShadeMm, 0, baseline).x - view_.at(0, 0, baseline).x;
    const int shadeDen = view_.at(0, 0, baseline).y - view_.at(0, kBarrierMm, baseline).y;
    std::vector<SpriteFModule> entries;
    for (int y0 = slant_.top.y; y0 < kImageH; y0 += kSlantRise) {
      // The depth whose barrier top lies on the piece's middle row.
      int32_t near = court::kFarEndZ, far = court::kNearEndZ + 20000;
      while (far - near > 1) {
        const int32_t mid = near + (far - near) / 2;
        (view_.at(0, kBarrierMm, mid).y <= y0 + kSlantRise / 2 ? near : far) = mid;
      }
      const int rows = view_.at(0, 0, near).y - view_.at(0, kBarrierMm, near).y;
      const int height = std::max(kBarrierStep, (rows + kBarrierStep / 2) / kBarrierStep * kBarrierStep);
      const int cap = std::max(1, (height * kWallCapMm + kBarrierMm / 2) / kBarrierMm);
      const int skirt = std::max(1, (height * kWallSkirtMm + kBarrierMm / 2) / kBarrierMm);
      const int shade = std::max(1, (height * shadeNum + shadeDen / 2) / shadeDen);
      const int x0 = slant_.lineX(y0 + kSlantRise - 1) - 1;
      const int w = (kSlantRun * (kSlantRise + height)) / kSlantRise + shade + 3;
      Canvas piece(w, kSlantRise);
      for (int j = 0; j < kSlantRise; j++) {
        for (int i = 0; i < w; i++) {
          const int a = slant_.across(x0 + i, y0 + j);
          if (a < 0) continue;
          const int role = a < kSlantRun * cap                ? kCourtWallTop
                           : a < kSlantRun * (height - skirt) ? kCourtWall
                           : a < kSlantRun * height            ? kCourtWallBand
                           : a < kSlantRun * height + kSlantRise * shade ? kCourtFloorShade
                                                                          : -1;
          if (role >= 0) piece.set(i, j, inks_[role]);
        }
      }
      const Box ink = piece.bounds();
      const int module = sprite_.addModule(piece.crop(ink));
      for (bool mirror : {false, true}) entries.push_back(placed(module, x0 + ink.x, y0 + ink.y, mirror, palette));
    }
    return entries;
  }

  // The back wall and its shadow on the floor: the painter's, as rectangles.
  std::vector<SpriteFModule> backWall(int frame) {
    Canvas walls(kImageW, kImageH);
    paintCourt(walls, courtLook(kFrameSurfaces[frame], show_), inks_, view_, kCourtWallsPart);
    const int x0 = view_.at(0, 0, court::kFarEndZ).x, x1 = view_.at(court::kSideX, 0, court::kFarEndZ).x;
    const int y0 = view_.at(0, kBackWallMm, court::kFarEndZ).y;
    const int y1 = view_.at(0, 0, court::kFarEndZ + kBackWallShadeMm).y;
    RectTarget target(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    for (int y = 0; y < target.h; y++) {
      for (int x = 0; x < target.w; x++) {
        const uint8_t ink = walls.at(x0 + x, y0 + y);
        if (ink != 0) target.set(x, y, colourOf(frame, ink));
      }
    }
    std::vector<SpriteFModule> entries = rects_.cover(target);
    coverRects(entries);
    return entries;
  }

  // The floor under everything else: the pixels nothing else covers as the painter paints
  // them.
  std::vector<SpriteFModule> floor(int frame) {
    CourtLook look = courtLook(kFrameSurfaces[frame], show_);
    look.grain = false;
    // Without the walls: where the slanted barriers' shadow ends the floor's own colour shows.
    Canvas painted(kImageW, kImageH);
    paintCourt(painted, look, inks_, view_, kCourtEveryPart & ~kCourtWallsPart);
    RectTarget target(0, 0, kImageW, kImageH, kAnyPixel);
    for (int y = 0; y < kImageH; y++) {
      for (int x = 0; x < kImageW; x++) {
        if (covered_[static_cast<size_t>(y) * kImageW + x] == 0) target.set(x, y, colourOf(frame, painted.at(x, y)));
      }
    }
    return rects_.cover(target);
  }

  // The clay's grain over the floor, one repeating piece.
  std::vector<SpriteFModule> grain(int palette) {
    Canvas piece(kCourtGrainPeriod, kCourtGrainPeriod);
    for (int y = 0; y < kCourtGrainPeriod; y++) {
      for (int x = 0; x < kCourtGrainPeriod; x++) {
        if (courtGrainAt(x, y)) piece.set(x, y, inks_[courtFloor(false, false, true)]);
      }
    }
    const Box ink = piece.bounds();
    const int module = sprite_.addModule(piece.crop(ink));
    std::vector<SpriteFModule> entries;
    for (int ty = 0; ty < kImageH; ty += kCourtGrainPeriod) {
      for (int tx = 0; tx < kImageW; tx += kCourtGrainPeriod) {
        bool seen = false;
        for (int y = ty; y < std::min(kImageH, ty + kCourtGrainPeriod) && !seen; y++) {
          for (int x = tx; x < std::min(kImageW, tx + kCourtGrainPeriod) && !seen; x++) {
            seen = covered_[static_cast<size_t>(y) * kImageW + x] == 0;
          }
        }
        if (seen) entries.push_back(ArtSprite::entry(module, tx + ink.x, ty + ink.y, 0, palette));
      }
    }
    return entries;
  }

  // The far stand's columns are at least this wide, so that few entries tile it.
  static constexpr int kFarColumn = 24;
  // Seats either side of the far stand's first, enough to reach past its visible ends.
  static constexpr int kFarSeats = 60;
  // The barriers' heights go in steps of so many rows: a step moves their foot a fraction of
  // a pixel.
  static constexpr int kBarrierStep = 2;

  bool show_;
  CourtView view_;
  CourtInks inks_;
  Slant slant_;
  ArtSprite sprite_;
  PlainRects rects_;
  std::array<CourtSurface, kSurfaceFrames> palettes_{};
  std::vector<char> covered_;
};

}  // namespace

std::vector<uint8_t> courtPictureSprite(bool showCourt) { return CourtPicture(showCourt).write(); }

}  // namespace sorv::mkdata
