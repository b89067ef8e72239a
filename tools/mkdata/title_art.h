// The title picture (the splash, pack 117 entry 4) and the roster portraits and badges (pack 127 entry 1), drawn with the court and figure painters.
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintTitleArt(PackSet& packs);

}  // namespace sorv::mkdata
