// The pictures of the game's modes on the match's side: the tournament trophies and flags, the career's world map and icons, and the training objects.
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintModeArt(PackSet& packs);

}  // namespace sorv::mkdata
