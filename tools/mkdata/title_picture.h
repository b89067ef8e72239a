// The title picture (the splash, entry 4 of the boot pack): a show court at dusk through the
// match camera under a sunset sky, with floodlights on the stadium's rim and a server in the
// foreground, painted by the figure painter at three times the match's size, the ball tossed
// and the racket back.
//
// Invariants: frame 0 covers the whole 800 x 480 screen from its origin with modules of at
// most kArtTileSide square (each decodes into the game's shared buffer); two palettes of
// one layout: palette 0, the deeper dusk the boot paints the title screen's picture in, and
// palette 1, the lighter one the menus' screen buffer takes behind their panels; one
// animation showing frame 0. The title's own words are the menus' (S-MENU frame 3), so the
// band under them (kTitleBand) holds only the calm sky.
// Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

inline constexpr int kTitleWidth = 800, kTitleHeight = 480;
inline constexpr int kTitleDarkPalette = 0, kTitleLightPalette = 1;
// Where the menus write the game's name over the picture.
inline constexpr Box kTitleBand{140, 100, 520, 76};

ArtSprite titlePictureSprite(const std::vector<Look>& looks);

}  // namespace sorv::mkdata
