// The colours of the training games' painted objects (the training sprite and the checkpoint
// sprite): named single colours and shade ramps, in daylight or at dusk. Both lights give the
// same indexes, so a picture painted once serves both palettes.
//
// Invariants: index 0 is the transparent key; the shadow, the smoke and the zone's fill are
// translucent, every other colour opaque. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/surface_light.h"

namespace sorv::mkdata {

struct TrainingColours {
  std::vector<uint32_t> palette;
  uint8_t outline = 0, shadow = 0, black = 0, headlight = 0, lampRed = 0, lampGreen = 0;
  Ramp grey, paper, red, gold, wood, olive, camo, rubber, blue, felt, fire, smoke, coin, flash, charred;
  Ramp zoneEdge, zoneFill, tick;
};

TrainingColours trainingColours(bool dusk);

}  // namespace sorv::mkdata
