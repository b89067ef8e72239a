#include "tools/mkdata/people_art.h"

namespace sorv::mkdata {

// Meant to do nothing yet: the labelled sprites stay until these are painted.
void paintCourtPeopleArt(PackSet& packs) { (void)packs; }

}  // namespace sorv::mkdata
