#include "tools/mkdata/checkpoint_art.h"

#include <algorithm>

#include "tools/data/court_geometry.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/training_palette.h"
#include "tools/mkdata/training_sprites.h"

namespace sorv::mkdata {

namespace {

static_assert(std::size(kCheckPointZones) == kCheckPointFrames);

constexpr int kMargin = 3;
// The marker's ring by size (small, middling, large): its widest radius.
constexpr int kRingReach[kCheckPointAnims - 1] = {16, 26, 40};

// A zone's corners on the screen from its middle's point, far left first, clockwise.
std::vector<Pt> zoneCorners(const CheckPointZone& z) {
  const int x = court::kCentreLineX;
  const court::Point middle = court::logicalPoint(x, 0, z.middleZ);
  const int corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  std::vector<Pt> out;
  for (const auto& c : corners) {
    const court::Point p = court::logicalPoint(x + c[0] * z.width / 2, 0, z.middleZ + c[1] * z.depth / 2);
    out.push_back({p.x - middle.x, p.y - middle.y});
  }
  return out;
}

// The zone: a translucent fill, an edge, and brighter corners.
void addZone(ArtSprite& art, const TrainingColours& k, const CheckPointZone& z) {
  std::vector<Pt> corners = zoneCorners(z);
  int left = 0, top = 0, right = 0, bottom = 0;
  for (const Pt& p : corners) left = std::min(left, p.x), top = std::min(top, p.y), right = std::max(right, p.x), bottom = std::max(bottom, p.y);
  const int ox = kMargin - left, oy = kMargin - top;
  Canvas c(right - left + 2 * kMargin + 1, bottom - top + 2 * kMargin + 1);
  std::vector<Pt> shifted;
  for (const Pt& p : corners) shifted.push_back({p.x + ox, p.y + oy});
  c.fillPolygon(shifted, k.zoneFill.dark());
  for (size_t i = 0; i < shifted.size(); i++) c.line(shifted[i], shifted[(i + 1) % shifted.size()], 2, k.zoneEdge.dark());
  // Each corner's two arms, a fifth of its sides long.
  for (size_t i = 0; i < shifted.size(); i++) {
    const Pt a = shifted[i], prev = shifted[(i + 3) % 4], next = shifted[(i + 1) % 4];
    c.line(a, {a.x + (next.x - a.x) / 5, a.y + (next.y - a.y) / 5}, 2, k.zoneEdge.light());
    c.line(a, {a.x + (prev.x - a.x) / 5, a.y + (prev.y - a.y) / 5}, 2, k.zoneEdge.light());
  }
  art.addPicture(c, ox, oy);
}

constexpr int kPinW = 15, kPinH = 22;

void addPin(ArtSprite& art, const TrainingColours& k) {
  Canvas c(kPinW, kPinH);
  c.fillEllipse(kPinW / 2, kPinH - 2, 4, 1, k.shadow);
  c.line({kPinW / 2, 3}, {kPinW / 2, kPinH - 2}, 1, k.grey.at(100));
  c.fillPolygon({{kPinW / 2 + 1, 2}, {kPinW - 2, 5}, {kPinW / 2 + 1, 8}}, k.zoneEdge.light());
  art.addPicture(c, kPinW / 2, kPinH - 1);
}

// A step of the hit: the ring spreads flat over the court and thins; the tick rises.
void addMarkerStep(ArtSprite& art, const TrainingColours& k, int reach, int step) {
  const int side = 2 * reach + 2 * kMargin + 1, rise = 14 + 3 * kCheckPointMarkerSteps;
  const int cx = side / 2, cy = rise + reach / 3 + kMargin;
  Canvas c(side, cy + reach / 3 + kMargin + 1);
  const int rx = reach * (step + 2) / (kCheckPointMarkerSteps + 1), ry = std::max(rx / 3, 1);
  c.ellipseRing(cx, cy, rx, ry, step < 3 ? 2 : 1, step < 4 ? k.zoneEdge.light() : k.zoneEdge.dark());
  if (step >= 1) {
    Canvas tick(side, c.height());
    const int ty = cy - 6 - 3 * step, s = std::max(reach / 5, 4);
    tick.line({cx - s, ty}, {cx - s / 3, ty + s * 2 / 3}, 3, k.tick.at(160));
    tick.line({cx - s / 3, ty + s * 2 / 3}, {cx + s, ty - s}, 3, k.tick.at(160));
    tick.line({cx - s / 3 + 1, ty + s * 2 / 3 - 2}, {cx + s - 1, ty - s}, 1, k.tick.light());
    tick.outline(k.outline);
    c.draw(tick, 0, 0);
  }
  art.addPicture(c, cx, cy);
}

}  // namespace

std::vector<uint8_t> checkPointArtSprite() {
  const TrainingColours k = trainingColours(false);
  ArtSprite art;
  for (const CheckPointZone& z : kCheckPointZones) addZone(art, k, z);
  addPin(art, k);
  art.addAnim({{kCheckPointFrames, 1}});
  for (int reach : kRingReach) {
    std::vector<ArtStep> steps;
    for (int s = 0; s < kCheckPointMarkerSteps; s++) {
      addMarkerStep(art, k, reach, s);
      steps.push_back({art.frameCount() - 1, 1});
    }
    art.addAnim(steps);
  }
  art.addPalette(k.palette);
  return art.write();
}

}  // namespace sorv::mkdata
