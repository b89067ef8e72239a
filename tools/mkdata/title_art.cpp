#include "tools/mkdata/title_art.h"

namespace sorv::mkdata {

// Meant to do nothing yet: the labelled sprites stay until these are painted.
void paintTitleArt(PackSet& packs) { (void)packs; }

}  // namespace sorv::mkdata
