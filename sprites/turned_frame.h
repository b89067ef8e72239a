// A sprite frame turned by any angle about its origin, for pictures that follow a direction
// the sprite's own quarter-turn flags cannot show.
//
// Angles are 4096 units a turn, clockwise on screen (a quarter turn matches the sprite's
// rotate flag). The frame is painted once into a small image of its own size, then every
// screen pixel the turned frame covers takes the nearest pixel of that image. Pixels outside
// the frame stay as they were. Game thread only.
#pragma once

#include <cstdint>

namespace sorv {

class ASprite;
class Graphics;

void paintFrameTurned(ASprite* sprite, Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t angle);

}  // namespace sorv
