#include "tools/mkdata/map_icon_art.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/surface_light.h"

namespace sorv::mkdata {

namespace {

constexpr int kIconFrames = kMapIconTournament + 1;
// Icons are painted on a square canvas about its middle pixel, the frame's origin.
constexpr int kIconSide = 17, kIconMiddle = kIconSide / 2;
constexpr int kCursorSide = 35, kCursorMiddle = kCursorSide / 2;
constexpr int kRingRadii[] = {9, 10, 11, 12, 11, 10};
constexpr int kRingTime = 2;

struct Colours {
  std::vector<uint32_t> palette{kArtKey};
  uint8_t outline = 0, door = 0, window = 0, seam = 0, roofEdge = 0;
  Ramp grey, felt, wall, roof, gold;
  Ramp rings[kMapCursorTypes];
};

Ramp addRamp(std::vector<uint32_t>& palette, uint32_t dark, uint32_t light, int count) {
  return Ramp{static_cast<uint8_t>(appendShades(palette, opaque(dark), opaque(light), count)), count};
}

uint8_t addColour(std::vector<uint32_t>& palette, uint32_t rgb) {
  palette.push_back(opaque(rgb));
  return static_cast<uint8_t>(palette.size() - 1);
}

Colours iconColours() {
  Colours c;
  c.outline = addColour(c.palette, 0x101418);
  c.door = addColour(c.palette, 0x5A3418);
  c.window = addColour(c.palette, 0x6AB4E8);
  c.seam = addColour(c.palette, 0xFAFAF4);
  c.roofEdge = addColour(c.palette, 0x701410);
  c.grey = addRamp(c.palette, 0x7A8088, 0xE8ECF0, 3);
  c.felt = addRamp(c.palette, 0x8EA81C, 0xEEFA70, 4);
  c.wall = addRamp(c.palette, 0xC8B48C, 0xFFF6DC, 3);
  c.roof = addRamp(c.palette, 0xA82418, 0xF06040, 3);
  c.gold = addRamp(c.palette, 0x8A5A0A, 0xFFF0A0, 5);
  c.rings[0] = addRamp(c.palette, 0x2A9A3A, 0x9CFF8C, 3);
  c.rings[1] = addRamp(c.palette, 0xC83A28, 0xFFB48C, 3);
  c.rings[2] = addRamp(c.palette, 0xC8901A, 0xFFF09A, 3);
  return c;
}

constexpr uint8_t kMark = 250;

Canvas idleDot(const Colours& c) {
  Canvas icon(kIconSide, kIconSide);
  icon.fillEllipse(kIconMiddle, kIconMiddle, 3, 3, kMark);
  shadeBall(icon, kMark, kIconMiddle, kIconMiddle, 3, c.grey);
  icon.outline(c.outline);
  return icon;
}

// A tennis ball: the felt lit as a ball, the two seams curving down its sides.
Canvas trainingBall(const Colours& c) {
  Canvas icon(kIconSide, kIconSide);
  constexpr int r = 6;
  icon.fillEllipse(kIconMiddle, kIconMiddle, r, r, kMark);
  shadeBall(icon, kMark, kIconMiddle, kIconMiddle, r, c.felt);
  for (int y = 0; y < kIconSide; y++) {
    for (int x = 0; x < kIconSide; x++) {
      if (icon.at(x, y) == 0) continue;
      for (const int side : {-1, 1}) {
        const int dx = x - (kIconMiddle + side * 10), dy = y - kIconMiddle;
        const int d2 = dx * dx + dy * dy;
        if (d2 >= 56 && d2 <= 68) icon.set(x, y, c.seam);
      }
    }
  }
  icon.outline(c.outline);
  return icon;
}

// A house: a red roof with its chimney, a cream wall, a door and a window.
Canvas homeHouse(const Colours& c) {
  Canvas icon(kIconSide, kIconSide);
  icon.fillRect(3, 8, 11, 7, kMark);
  shadeDown(icon, kMark, {3, 8, 11, 7}, c.wall);
  icon.fillRect(11, 2, 2, 4, c.roofEdge);
  icon.fillPolygon({{1, 8}, {8, 1}, {15, 8}}, c.roof.at(140));
  icon.fillRect(1, 8, 15, 1, c.roofEdge);
  icon.line({4, 6}, {8, 2}, 1, c.roof.light());
  icon.fillRect(7, 11, 3, 4, c.door);
  icon.fillRect(4, 10, 2, 2, c.window);
  icon.fillRect(11, 10, 2, 2, c.window);
  icon.outline(c.outline);
  return icon;
}

// A gold cup with two handles.
Canvas tournamentCup(const Colours& c) {
  Canvas icon(kIconSide, kIconSide);
  icon.fillPolygon({{3, 2}, {13, 2}, {12, 7}, {10, 9}, {6, 9}, {4, 7}}, kMark);
  icon.fillRect(7, 9, 3, 3, kMark);
  icon.fillRect(5, 12, 7, 2, kMark);
  icon.ellipseRing(3, 5, 2, 2, 1, kMark);
  icon.ellipseRing(13, 5, 2, 2, 1, kMark);
  shadeCylinder(icon, kMark, c.gold);
  icon.outline(c.outline);
  return icon;
}

// The cursor round an icon: a ring of the type's colour with four ticks, edged dark.
Canvas cursor(const Canvas& icon, int radius, Ramp ring, const Colours& c) {
  Canvas picture(kCursorSide, kCursorSide);
  const int m = kCursorMiddle;
  const Pt ticks[4][2] = {{{m, m - radius - 1}, {m, m - radius - 4}}, {{m, m + radius + 1}, {m, m + radius + 4}},
                          {{m - radius - 1, m}, {m - radius - 4, m}}, {{m + radius + 1, m}, {m + radius + 4, m}}};
  Canvas marks(kCursorSide, kCursorSide);
  marks.ellipseRing(m, m, radius, radius, 2, kMark);
  for (const auto& t : ticks) marks.line(t[0], t[1], 1, kMark);
  shadeBall(marks, kMark, m, m, radius + 3, ring);
  marks.outline(c.outline);
  picture.draw(marks, 0, 0);
  picture.draw(icon, m - kIconMiddle, m - kIconMiddle);
  return picture;
}

}  // namespace

std::vector<uint8_t> mapIconArtSprite() {
  const Colours c = iconColours();
  ArtSprite art;
  art.addPalette(c.palette);
  const Canvas dot = idleDot(c);
  const Canvas typeIcons[kMapCursorTypes] = {trainingBall(c), homeHouse(c), tournamentCup(c)};
  for (int f = 0; f < kIconFrames; f++) {
    const Canvas& icon = f == kMapIconTraining ? typeIcons[0] : f == kMapIconHome ? typeIcons[1]
                       : f == kMapIconTournament ? typeIcons[2] : dot;
    art.addPicture(icon, kIconMiddle, kIconMiddle);
  }
  for (int type = 0; type < kMapCursorTypes; type++) {
    std::vector<ArtStep> steps;
    for (int radius : kRingRadii) {
      const int frame = art.addPicture(cursor(typeIcons[type], radius, c.rings[type], c), kCursorMiddle, kCursorMiddle);
      steps.push_back({frame, kRingTime});
    }
    art.addAnim(steps);
  }
  return art.write();
}

}  // namespace sorv::mkdata
