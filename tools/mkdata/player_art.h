// The players: entry and selection figures (pack 80), the action sprites (packs 81-86) and the player colours (pack 120).
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintPlayerArt(PackSet& packs);

}  // namespace sorv::mkdata
