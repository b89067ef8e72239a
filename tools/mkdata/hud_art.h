// The ball and the match's interface in the art style: the painter that puts the ball's,
// the interface's, the close-call inset's, the dust's and the touch pad's pictures in place
// of their labelled sprites (pack 87 entries 0, 1, 2 and 4, pack 88 entries 2 and 5, pack 128
// entries 0 to 2). The pictures themselves are ball_art.h, interface_art.h, inset_art.h and
// pad_art.h. Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintHudArt(PackSet& packs);

}  // namespace sorv::mkdata
