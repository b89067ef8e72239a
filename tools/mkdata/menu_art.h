// The menus' pictures: the boot sprite (pack 117 entries 0 and 5), the menu sprites (pack 118: backgrounds, panels, buttons, arrows, soft keys, the loading screen) and the menus' kit of frames the other screens draw.
// Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"

namespace sorv::mkdata {

void paintMenuArt(PackSet& packs);

}  // namespace sorv::mkdata
