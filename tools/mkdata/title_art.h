// The title picture (the splash, pack 117 entry 4) and the roster portraits and badges (pack
// 127 entry 1), in place of their labelled sprites.
// Only the data builder and its tests call this.
#pragma once

#include <vector>

#include "tools/mkdata/art_packs.h"
#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

void paintTitleArt(PackSet& packs, const std::vector<Look>& looks);

}  // namespace sorv::mkdata
