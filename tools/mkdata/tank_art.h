// The Power game's toy tank, painted as the camera sees it rolling toward the net: front on
// and a little from above, tracks at its sides, the gun's muzzle toward the player; and the
// pictures of its fate: scorched and smoking after hits, burning, bursting, a burnt wreck.
//
// Invariants: every picture is kTankCanvas x kTankCanvas with the tank's ground point at
// (kTankOriginX, kTankOriginY), where the training sprite puts the frame's origin; a step
// moves the tracks' links and the smoke. Only the training sprite's painter calls this.
#pragma once

#include "tools/mkdata/art_canvas.h"
#include "tools/mkdata/training_palette.h"

namespace sorv::mkdata {

inline constexpr int kTankCanvas = 56, kTankOriginX = 28, kTankOriginY = 52;

// How worn a tank looks: as new, hit once, hit twice.
enum class TankWear { kNew, kScorched, kBurning };

Canvas tankPicture(const TrainingColours& c, TankWear wear, int step);
// The tank rolling in, puffs of exhaust rising behind it.
Canvas tankRollingIn(const TrainingColours& c, int step);
// The tank lit white by a hit.
Canvas tankFlash(const TrainingColours& c);
// The burst of a tank blowing up, stage 0 (the first flash) to 4 (the last smoke), over the
// tank while `withTank`.
Canvas tankBlast(const TrainingColours& c, int stage, bool withTank);
// The burnt wreck, its smoke at a step.
Canvas tankWreck(const TrainingColours& c, int step);

}  // namespace sorv::mkdata
