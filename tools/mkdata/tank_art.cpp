#include "tools/mkdata/tank_art.h"

#include <algorithm>
#include <array>

namespace sorv::mkdata {

namespace {

constexpr int kMiddle = kTankOriginX, kGround = kTankOriginY - 1;
constexpr uint8_t kMark = 250;
// Where a hit or a burst centres on the tank.
constexpr int kBodyY = 36;

uint32_t mix(uint32_t h) {
  h = (h ^ (h >> 15)) * 2246822519u;
  return h ^ (h >> 13);
}

bool isShade(uint8_t p, Ramp r) { return p >= r.first && p < r.first + r.count; }

// Pixels of the olive paint inside the ellipse turn to camouflage.
void blotch(Canvas& c, const TrainingColours& k, int cx, int cy, int rx, int ry, uint8_t colour) {
  for (int y = cy - ry; y <= cy + ry; y++) {
    for (int x = cx - rx; x <= cx + rx; x++) {
      const int dx = x - cx, dy = y - cy;
      if (dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) continue;
      if (isShade(c.at(x, y), k.olive)) c.set(x, y, colour);
    }
  }
}

// The tank itself, outlined, without shadow, smoke or fire: flat paint in two or three
// tones, lit from above, so its parts read at its small size.
Canvas tankBody(const TrainingColours& k, int step) {
  Canvas t(kTankCanvas, kTankCanvas);
  const uint8_t dark = k.olive.at(0), mid = k.olive.at(120), light = k.olive.at(200), top = k.olive.light();
  // Tracks: the upper run lit, the links of the front run moving down the picture.
  for (int x0 : {kMiddle - 20, kMiddle + 12}) {
    t.fillRect(x0, 31, 8, kGround - 31, k.rubber.at(130));
    t.fillRect(x0, 30, 8, 3, k.rubber.light());
    for (int y = 34; y < kGround; y++) {
      if ((y + step) % 3 == 0) t.fillRect(x0 + 1, y, 6, 1, k.rubber.dark());
    }
  }
  // The deck seen from above, the sloping front plate with its seam, the dark nose.
  t.fillPolygon({{kMiddle - 18, 33}, {kMiddle - 16, 26}, {kMiddle + 16, 26}, {kMiddle + 18, 33}}, light);
  t.fillPolygon({{kMiddle - 15, 33}, {kMiddle + 15, 33}, {kMiddle + 12, 46}, {kMiddle - 12, 46}}, mid);
  t.fillRect(kMiddle - 14, 33, 29, 1, top);
  t.fillRect(kMiddle - 13, 41, 27, 1, dark);
  t.fillRect(kMiddle - 12, 46, 25, kGround - 46, k.camo.dark());
  t.fillRect(kMiddle - 11, 36, 3, 2, k.headlight);
  t.fillRect(kMiddle + 9, 36, 3, 2, k.headlight);
  // The turret with its lit top and hatch; the mantlet; the gun toward the player.
  t.fillEllipse(kMiddle, 24, 11, 7, mid);
  t.fillEllipse(kMiddle - 1, 22, 9, 4, light);
  t.fillEllipse(kMiddle - 3, 21, 4, 2, top);
  t.fillEllipse(kMiddle + 4, 21, 2, 1, dark);
  t.fillEllipse(kMiddle, 30, 5, 3, dark);
  t.fillRect(kMiddle - 2, 29, 5, 8, mid);
  t.fillRect(kMiddle - 2, 29, 1, 8, light);
  t.fillEllipse(kMiddle, 38, 3, 2, k.grey.at(150));
  t.fillEllipse(kMiddle, 38, 1, 1, k.black);
  // A few patches of camouflage.
  for (const auto& b : {std::array<int, 4>{kMiddle - 8, 27, 3, 1}, {kMiddle + 7, 25, 2, 2}, {kMiddle - 8, 38, 3, 2},
                        {kMiddle + 8, 43, 2, 1}}) {
    blotch(t, k, b[0], b[1], b[2], b[3], k.camo.light());
  }
  t.outline(k.outline);
  // The aerial, thin and unoutlined.
  t.line({kMiddle + 8, 19}, {kMiddle + 11, 6}, 1, k.grey.at(100));
  t.set(kMiddle + 11, 5, k.lampRed);
  return t;
}

void shadow(Canvas& c, const TrainingColours& k) { c.fillEllipse(kMiddle, kGround, 21, 3, k.shadow); }

// Smoke rising from a point: three puffs, growing and drifting as they rise with the step.
void smoke(Canvas& c, const TrainingColours& k, int x, int y, int step, bool dark) {
  for (int i = 0; i < 3; i++) {
    const int rise = (i * 7 + step * 3) % 21;
    const int r = 2 + rise / 6;
    const int px = x + (rise * (i % 2 == 0 ? 1 : -1)) / 7, py = y - rise;
    c.fillEllipse(px, py, r, r, dark ? k.smoke.dark() : k.smoke.at(128));
    c.fillEllipse(px - 1, py - 1, std::max(r - 2, 0), std::max(r - 2, 0), dark ? k.smoke.at(128) : k.smoke.light());
  }
}

// Tongues of fire over a point, their heights changing with the step.
void flames(Canvas& c, const TrainingColours& k, int x, int y, int step) {
  constexpr int kHeights[4][3] = {{10, 14, 8}, {12, 10, 12}, {8, 15, 10}, {14, 11, 7}};
  for (int i = 0; i < 3; i++) {
    const int h = kHeights[step % 4][i], fx = x - 5 + 5 * i;
    c.fillPolygon({{fx - 3, y}, {fx, y - h}, {fx + 3, y}}, k.fire.at(110));
    c.fillPolygon({{fx - 2, y}, {fx, y - h * 2 / 3}, {fx + 2, y}}, k.fire.at(190));
    c.fillPolygon({{fx - 1, y}, {fx, y - h / 3}, {fx + 1, y}}, k.fire.light());
  }
}

// A ragged fireball: white in the middle, through yellow and orange to a dark red edge.
void fireball(Canvas& c, const TrainingColours& k, int cx, int cy, int r, int seed) {
  for (int y = cy - r - 2; y <= cy + r + 2; y++) {
    for (int x = cx - r - 2; x <= cx + r + 2; x++) {
      const int dx = x - cx, dy = y - cy;
      const int edge = r + static_cast<int>(mix(static_cast<uint32_t>(x * 31 + y * 17 + seed)) % 5) - 2;
      const int d2 = dx * dx + dy * dy;
      if (d2 > edge * edge) continue;
      const int level = 256 - d2 * 256 / std::max(edge * edge, 1);
      c.set(x, y, k.fire.at(level));
    }
  }
}

void smokeCloud(Canvas& c, const TrainingColours& k, int cx, int cy, int r) {
  const int puffs[5][3] = {{0, 0, 0}, {-r / 2, r / 4, -2}, {r / 2, r / 4, -2}, {-r / 4, -r / 2, -3}, {r / 3, -r / 3, -3}};
  for (const auto& p : puffs) c.fillEllipse(cx + p[0], cy + p[1], r / 2 + p[2] + 2, r / 2 + p[2] + 2, k.smoke.dark());
  for (const auto& p : puffs) c.fillEllipse(cx + p[0] - 1, cy + p[1] - 1, r / 3 + p[2], r / 3 + p[2], k.smoke.at(128));
}

// The tank's paint and rubber turned to charred shades of their lightness.
Canvas charred(const TrainingColours& k, Canvas t) {
  for (int y = 0; y < t.height(); y++) {
    for (int x = 0; x < t.width(); x++) {
      const uint8_t p = t.at(x, y);
      if (p == 0 || p == k.outline) continue;
      const bool light = isShade(p, k.olive) ? p >= k.olive.first + 2 : p == k.headlight || isShade(p, k.grey);
      const bool black = p == k.rubber.dark() || p == k.black || p == k.camo.dark();
      t.set(x, y, light ? k.charred.at(200) : black ? k.charred.dark() : k.charred.at(110));
    }
  }
  return t;
}

}  // namespace

Canvas tankPicture(const TrainingColours& k, TankWear wear, int step) {
  Canvas picture(kTankCanvas, kTankCanvas);
  shadow(picture, k);
  Canvas t = tankBody(k, step);
  if (wear != TankWear::kNew) {
    // Scorched plates and a headlight gone.
    for (const auto& s : {std::array<int, 4>{kMiddle - 6, 41, 4, 3}, {kMiddle + 5, 26, 3, 2}}) {
      t.fillEllipse(s[0], s[1], s[2], s[3], k.charred.at(60));
      t.fillEllipse(s[0] + 1, s[1], s[2] / 2, s[3] / 2, k.charred.dark());
    }
    t.fillRect(kMiddle + 9, 36, 3, 2, k.charred.at(120));
  }
  if (wear == TankWear::kBurning) {
    t.fillEllipse(kMiddle - 14, 30, 3, 2, k.charred.dark());
    t.fillEllipse(kMiddle + 2, 35, 4, 2, k.charred.at(60));
  }
  picture.draw(t, 0, 0);
  if (wear == TankWear::kScorched) smoke(picture, k, kMiddle - 10, 24, step, false);
  if (wear == TankWear::kBurning) {
    smoke(picture, k, kMiddle + 6, 14, step, true);
    flames(picture, k, kMiddle + 6, 28, step);
  }
  return picture;
}

Canvas tankRollingIn(const TrainingColours& k, int step) {
  Canvas picture = tankPicture(k, TankWear::kNew, step);
  smoke(picture, k, kMiddle - 13, 22, step, false);
  smoke(picture, k, kMiddle + 13, 22, step + 3, false);
  return picture;
}

Canvas tankFlash(const TrainingColours& k) {
  Canvas picture(kTankCanvas, kTankCanvas);
  shadow(picture, k);
  Canvas t = tankBody(k, 0);
  for (int y = 0; y < t.height(); y++)
    for (int x = 0; x < t.width(); x++)
      if (const uint8_t p = t.at(x, y); p != 0 && p != k.outline) {
        const bool dark = isShade(p, k.rubber) || isShade(p, k.camo) || p == k.black || p == k.olive.dark();
        t.set(x, y, dark ? k.flash.dark() : k.flash.light());
      }
  picture.draw(t, 0, 0);
  return picture;
}

Canvas tankBlast(const TrainingColours& k, int stage, bool withTank) {
  Canvas picture(kTankCanvas, kTankCanvas);
  shadow(picture, k);
  if (withTank) picture.draw(stage < 2 ? tankBody(k, 0) : charred(k, tankBody(k, 0)), 0, 0);
  switch (stage) {
    case 0:
      fireball(picture, k, kMiddle, kBodyY, 8, 1);
      break;
    case 1:
      fireball(picture, k, kMiddle, kBodyY - 2, 14, 2);
      break;
    case 2:
      smokeCloud(picture, k, kMiddle, kBodyY - 14, 16);
      fireball(picture, k, kMiddle, kBodyY - 4, 17, 3);
      break;
    case 3:
      smokeCloud(picture, k, kMiddle, kBodyY - 12, 20);
      fireball(picture, k, kMiddle, kBodyY + 2, 7, 4);
      break;
    default:
      smoke(picture, k, kMiddle - 6, kBodyY - 6, 2, true);
      smoke(picture, k, kMiddle + 6, kBodyY - 2, 5, false);
      break;
  }
  return picture;
}

Canvas tankWreck(const TrainingColours& k, int step) {
  Canvas picture(kTankCanvas, kTankCanvas);
  shadow(picture, k);
  picture.draw(charred(k, tankBody(k, 0)), 0, 0);
  smoke(picture, k, kMiddle - 2, 22, step, true);
  if (step % 2 == 0) flames(picture, k, kMiddle - 8, 32, step);
  return picture;
}

}  // namespace sorv::mkdata
