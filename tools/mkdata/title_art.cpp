#include "tools/mkdata/title_art.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/portrait_art.h"
#include "tools/mkdata/title_picture.h"

namespace sorv::mkdata {

void paintTitleArt(PackSet& packs, const std::vector<Look>& looks) {
  packs[kConstBootPack][kBootSplash] = titlePictureSprite(looks).write();
  packs[kConstMenuExtPack][kMenuExtPortrait] = portraitSprite(looks).write();
}

}  // namespace sorv::mkdata
