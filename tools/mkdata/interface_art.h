// The match's interface sprite (pack 87 entry 4), painted for the art style: the call panel,
// the score rows' serve marker, the serve-speed panel, the edge arrows of a player out of
// sight, the close-call inset's frame, the main-tournament score board, the achievement
// pop-up's plate with its trophy and star, the serve tags and the close call's replay mark.
//
// Invariants: the menus draw this sprite too and keep it across matches, so it holds at least
// the labelled stand-in's frames, animations and palettes, every one the game or a menu names
// painted and the rest empty; panels that carry text are dark enough for the white and
// yellow inks of the fonts drawn on them. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> interfaceArt();

}  // namespace sorv::mkdata
