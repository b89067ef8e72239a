// The painted checkpoint sprite (entry 1 of the training pack): frames 0..kCheckPointFrames-1
// the zone a return must land in, a box on the court in the camera's perspective, lit amber
// with bright corners, from the largest zone to the smallest; animation 0 a small pin (the
// marker before the first hit), 1..3 the hit: a ring spreading over the court and a green tick
// rising, small, middling and large (the level data pairs the larger zones with the larger).
//
// Invariants: a zone frame is centred on its origin, the zone's middle on the court; the
// marker animations end after a handful of ticks (the next ball waits for them). Only the
// data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// The zone each frame is painted for: its size on the court and the depth of its middle.
struct CheckPointZone {
  int width, depth, middleZ;
};
inline constexpr CheckPointZone kCheckPointZones[] = {
    {8200, 7000, 10100}, {4000, 4000, 11000}, {3200, 3200, 10600}, {2400, 2400, 10500}};
inline constexpr int kCheckPointMarkerSteps = 6;

std::vector<uint8_t> checkPointArtSprite();

}  // namespace sorv::mkdata
