#include "tools/mkdata/menu_art.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/boot_art.h"
#include "tools/mkdata/button_art.h"
#include "tools/mkdata/loading_art.h"
#include "tools/mkdata/menu_extra_art.h"
#include "tools/mkdata/menu_sprite_art.h"

namespace sorv::mkdata {

void paintMenuArt(PackSet& packs) {
  PackEntries& boot = packs[kConstBootPack];
  boot[kBootSprite] = bootArtSprite();
  boot[kBootStateSprite] = bootStateArtSprite();
  PackEntries& menu = packs[kConstMenuPack];
  menu[kMenuMain] = menuMainArtSprite();
  menu[kMenuSecond] = loadingArtSprite();
  menu[kMenuButtons] = buttonArtSprite();
  const std::vector<uint8_t> spare = spareMenuArtSprite();
  for (int32_t e : {kMenuThird, kMenuFourth, kMenuFifth}) menu[static_cast<size_t>(e)] = spare;
  packs[kConstMenuExtPack][kMenuExtHistory] = historyArtSprite();
}

}  // namespace sorv::mkdata
