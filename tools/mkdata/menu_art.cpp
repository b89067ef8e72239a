#include "tools/mkdata/menu_art.h"

namespace sorv::mkdata {

// Meant to do nothing yet: the labelled sprites stay until these are painted.
void paintMenuArt(PackSet& packs) { (void)packs; }

}  // namespace sorv::mkdata
