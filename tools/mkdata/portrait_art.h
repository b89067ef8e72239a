// The roster portraits (entry 1 of the menus' extra pack): frames 0 to 35 a face per avatar
// on a small framed backdrop, centred on the frame's origin inside the attribute card's
// 30 x 34 panel (the face painter's window), hair style by avatar (the women's, 18 on,
// longer or tied) and the hair's and the shirt's colours from looks.txt, so a face matches
// its player; 17 and 35 the created player, a silhouette; frames 36 to 49 the badges, a
// flag per country or home; frame 50 the ring around the cursor's face. Palette 1 is the plain look, palette 0 the picked one: every
// face in grey, the badges in their colours (the cards draw them in palette 0).
//
// Invariants: the faces are built from layers shared between them (one backdrop, one head
// per kind and variant, a shirt per kind and colour, hair per style and colour), so the
// sprite's images stay few when the menus build them for both palettes; kPortraitFrames
// frames, kPortraitPalettes palettes, one animation.
// Only the data builder and its tests call this.
#pragma once

#include <vector>

#include "tools/mkdata/art_sprite.h"
#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

inline constexpr int kPortraitPlainPalette = 1, kPortraitPickedPalette = 0;
inline constexpr int kCreatedPlayerPortraits[] = {17, 35};
inline constexpr int kFirstBadgeFrame = 36;

ArtSprite portraitSprite(const std::vector<Look>& looks);

}  // namespace sorv::mkdata
