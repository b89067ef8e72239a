#include "tools/mkdata/art_packs.h"

#include "tools/mkdata/court_art.h"
#include "tools/mkdata/hud_art.h"
#include "tools/mkdata/menu_art.h"
#include "tools/mkdata/mode_art.h"
#include "tools/mkdata/people_art.h"
#include "tools/mkdata/player_art.h"
#include "tools/mkdata/title_art.h"

namespace sorv::mkdata {

void paintArt(PackSet& packs, const ArtSources& sources) {
  paintCourtArt(packs);
  paintPlayerArt(packs, sources.looks, sources.careerChoices);
  paintCourtPeopleArt(packs);
  paintHudArt(packs);
  paintModeArt(packs);
  paintMenuArt(packs);
  paintTitleArt(packs, sources.looks);
}

}  // namespace sorv::mkdata
