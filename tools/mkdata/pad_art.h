// The touch pad of a match and of training (pack 128), painted for the art style: entry 0 the
// pad (eight direction keys on a ring over the pad's 100-pixel cells, each key lit, the OK,
// lob and menu buttons and their touched looks, the training pad's two looks), entry 1 the
// pad and buttons while a button is held, entry 2 the digit keys 1 to 9 of the help pages.
//
// Invariants: every picture sits where the game draws its frame: the pad about the middle of
// its centre cell, a key inside its own cell, a button about the middle of its touch box, the
// digit keys in a 3 x 3 block about key 5 (the help pages draw them all at one point); the
// pad's keys and buttons are 70 % opaque (30 % while a button is held) and its ring fainter,
// so the match shows through all of it; the help pages' digit keys are opaque; keys share one
// body (and caps one cap) under their own arrow or digit, each arrow pointing from the centre
// cell into its own cell. Each entry keeps the labelled stand-in's frames and animations but has one
// palette: the menus cache every palette's images of these sprites for the whole game. Only
// the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> padArt();
std::vector<uint8_t> heldPadArt();
std::vector<uint8_t> padKeysArt();

}  // namespace sorv::mkdata
