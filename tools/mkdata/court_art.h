// The court pictures (pack 91), the net (pack 87 entry 3) and the court previews of the set-up (pack 127 entry 5), painted through the match camera.
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintCourtArt(PackSet& packs);

}  // namespace sorv::mkdata
