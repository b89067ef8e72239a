// The close-call inset's pictures (pack 88 entry 2), painted for the art style: frames 0 to 3
// the surface of each court type seen from above, 106 pixels square from their top-left
// corner (the training court's, 3, is the grass of 2), and frame 4 the ball's skid mark,
// centred on its origin because the game turns it along the ball's flight.
//
// Invariants: the surfaces are opaque over the whole square, so nothing of the match shows
// through the inset; the lines, the ball and the tint outside the lines are the game's own
// drawing over them. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> insetSurfacesArt();

}  // namespace sorv::mkdata
