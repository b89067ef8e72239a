// The sprites of the match set-up and the player selection, for the synthetic data set:
// - the roster portraits: frames 0..35 one per avatar (a coloured card with a face and the
//   avatar's number), then from 36 a picture per home (career_sprites.h), which is also the
//   badge of the characters from there; palette 1 the plain look, palette 0 the greyed
//   "picked" look;
// - the court preview: frame 0 a court with its lines, one palette per court type;
// - the two demo players: a figure standing on its origin whose animation 0 runs in place,
//   well inside the 138 x 138 frame the selection draws it in, in the player palette's 34
//   colours (head and arms in the two skin colours).
// Only the data builder and its tests call this; the bytes never change.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<uint8_t> rosterPortraitSprite();
std::vector<uint8_t> courtPreviewSprite();
std::vector<uint8_t> demoPlayerSprite(int32_t entry);

// The packs with these in place: the players (80) and the menus' cached sprites (127, which
// also holds the tournament logos of tournament_logo.h and the world map and its icons of
// career_sprites.h).
std::vector<std::vector<uint8_t>> selectionPlayerPackEntries();
std::vector<std::vector<uint8_t>> selectionMenuExtPackEntries();

}  // namespace sorv::mkdata
