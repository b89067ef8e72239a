// The court people: the ball kids (pack 88 entry 3) and the judges (pack 88 entry 4).
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintCourtPeopleArt(PackSet& packs);

}  // namespace sorv::mkdata
