#include "tools/mkdata/hud_art.h"

#include "tools/data/resource_ids.h"
#include "tools/mkdata/ball_art.h"
#include "tools/mkdata/inset_art.h"
#include "tools/mkdata/interface_art.h"
#include "tools/mkdata/pad_art.h"

namespace sorv::mkdata {

// The labelled packs always hold these entries, so a missing one is the builder's own fault.
void paintHudArt(PackSet& packs) {
  PackEntries& match = packs.at(kConstMatchPack);
  match.at(kMatchServeMeter) = serveMeterArt();
  match.at(kMatchSpeedLines) = speedStreaksArt();
  match.at(kMatchHud) = ballHudArt();
  match.at(kMatchInterface) = interfaceArt();
  PackEntries& effects = packs.at(kConstMatchFxPack);
  effects.at(kMatchFxReplayBackground) = insetSurfacesArt();
  effects.at(kMatchFxDust) = runningDustArt();
  PackEntries& pad = packs.at(kConstMenuIconPack);
  pad.at(kMenuIconPad) = padArt();
  pad.at(kMenuIconHeldPad) = heldPadArt();
  pad.at(kMenuIconPadKeys) = padKeysArt();
}

}  // namespace sorv::mkdata
