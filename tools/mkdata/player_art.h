// The players: the walk onto the court and the selection's jogging figures (pack 80), the
// action sprites of both teams (packs 81 to 86) and the player colours (pack 120), painted
// from the poses of player_poses.h by the figure painter.
//
// Invariants: every frame is a shadow module (the translucent colour alone) under one opaque
// body module, with the feet on the frame's origin; the user team's sprites (81, 82, 85)
// hold the racket on the right of the picture, the opponents' (83, 84, 86) are their mirror
// with the racket on the left; entry 0 of each action pack is a man, entry 1 a woman; every
// animation and palette the labelled sprites hold is there, with the counts the match's
// tables expect. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/art_packs.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

// The standing height of the match's figures and of the selection's, in pixels.
inline constexpr int kPlayerFigureHeight = 54;
inline constexpr int kDemoFigureHeight = 72;

// The sprites before they are written, for the tests that look at their frames.
ArtSprite playerActionSprite(int32_t pack, int32_t entry, const std::vector<Look>& looks);
ArtSprite playerEntrySprite(const std::vector<Look>& looks);
ArtSprite playerDemoSprite(int32_t entry, const std::vector<Look>& looks);

void paintPlayerArt(PackSet& packs, const std::vector<Look>& looks, const CareerChoices& choices);

}  // namespace sorv::mkdata
