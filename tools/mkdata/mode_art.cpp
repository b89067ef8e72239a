#include "tools/mkdata/mode_art.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/checkpoint_art.h"
#include "tools/mkdata/map_art.h"
#include "tools/mkdata/map_icon_art.h"
#include "tools/mkdata/training_art.h"
#include "tools/mkdata/trophy_art.h"

namespace sorv::mkdata {

void paintModeArt(PackSet& packs) {
  PackEntries& menuExt = packs[kConstMenuExtPack];
  menuExt.resize(kMenuExtPackEntries);
  menuExt[kMenuExtWorldMap] = worldMapArtSprite();
  menuExt[kMenuExtMapIcons] = mapIconArtSprite();
  menuExt[kMenuExtTournamentLogo] = trophyArtSprite();
  PackEntries& training = packs[kConstTrainingPack];
  training.resize(kTrainingPackEntries);
  training[kTrainingSprite] = trainingArtSprite();
  training[kTrainingCheckpoint] = checkPointArtSprite();
}

}  // namespace sorv::mkdata
