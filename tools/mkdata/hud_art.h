// The ball and the match's interface: serve meter, speed streaks, ball and hit effects (pack 87 entries 0-2), the interface sprite (pack 87 entry 4), the close-call surfaces and dust (pack 88 entries 2 and 5) and the touch pad (pack 128).
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintHudArt(PackSet& packs);

}  // namespace sorv::mkdata
