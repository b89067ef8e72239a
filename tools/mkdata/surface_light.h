// Light on the rounded things the modes' pictures show (cups, balls, barrels, tanks): a ramp
// of palette shades laid over a shape's pixels as a cylinder or a ball lit from the upper
// left, ordered-dithered like the canvas's own ramps.
//
// Invariants: integer arithmetic only; only pixels holding the shape's marker colour change,
// and each becomes a shade of the ramp.
// Only the data builder and its tests paint.
#pragma once

#include <cstdint>

#include "tools/mkdata/art_canvas.h"

namespace sorv::mkdata {

// `count` consecutive palette shades from dark (`first`) to light.
struct Ramp {
  uint8_t first = 0;
  int count = 1;
  uint8_t dark() const { return first; }
  uint8_t light() const { return static_cast<uint8_t>(first + count - 1); }
  // The shade of a level 0..256 (dark to light).
  uint8_t at(int level) const;
};

// Where the light comes from: the upper left, or straight ahead and a little above (which
// lights a symmetric shape symmetrically, so its halves can be one mirrored picture).
enum class Light { kUpperLeft, kFront };

// Each row's runs of `marker` shaded as an upright cylinder: from the upper left darkest on
// the right edge with a highlight a third of the way in; from the front dark at both edges
// and lit in the middle.
void shadeCylinder(Canvas& canvas, uint8_t marker, Ramp ramp, Light light = Light::kUpperLeft);
// Pixels holding `marker` shaded as a ball of radius r about (cx, cy).
void shadeBall(Canvas& canvas, uint8_t marker, int cx, int cy, int r, Ramp ramp, Light light = Light::kUpperLeft);
// Pixels holding `marker` inside the box shaded top (light) to bottom (dark).
void shadeDown(Canvas& canvas, uint8_t marker, const Box& box, Ramp ramp);

}  // namespace sorv::mkdata
