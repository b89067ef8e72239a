// Placing a picture whose columns repeat over a stretch (a panel's face, a band, a bar: their
// dithered ramps repeat every four columns) as the columns before the stretch, copies of one
// strip of it, and the columns after it: what a sprite keeps of a wide panel is its ends and a
// strip, and the frame shows the very same pixels.
//
// Invariants: the placed entries draw exactly the picture; nothing but whole columns equal to
// the ones kStripRepeat further on is laid from the strip.
// Only the data builder and its tests call this.
#pragma once

#include <vector>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

inline constexpr int kStripRepeat = 4, kStripWidth = 40;

// The entries that show the canvas with its pixel (originX, originY) on the frame's origin.
std::vector<SpriteFModule> placeRepeating(ArtSprite& sprite, const Canvas& canvas, int originX, int originY);

}  // namespace sorv::mkdata
