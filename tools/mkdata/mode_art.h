// The pictures of the modes on the match's side, painted in place of the labelled ones: the
// tournament trophies and flags (trophy_art.h), the career's world map (map_art.h) and its
// icons (map_icon_art.h), the training objects (training_art.h) and checkpoints
// (checkpoint_art.h).
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintModeArt(PackSet& packs);

}  // namespace sorv::mkdata
