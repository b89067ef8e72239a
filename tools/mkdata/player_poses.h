// The players' animations as poses: for every animation of the running, strokes and special
// sprites, of the walk onto the court and of the selection's jog, the poses of its frames
// with their times. One plan serves men and women (the painter draws the kind) and both ends
// (the far side's sprites mirror it).
//
// Invariants: every pose stands on the ground; the running plans' brakes have
// kBrakeFrames steps and slide at step 2; every swing has kSwingFrames steps and meets the
// ball at step kSwingContact, forehands on the racket (right) side; the walks off have at
// least kWalkOffFrames steps and the walks on kWalkOnFrames; every time is 1 or more.
// Only the data builder and its tests call this.
#pragma once

#include <vector>

#include "tools/mkdata/figure_painter.h"

namespace sorv::mkdata {

// One shown frame: the pose, its time in match frames, and its offset from the origin.
struct PoseStep {
  Pose pose;
  int time = 1;
  int dx = 0, dy = 0;
};
using PosePlan = std::vector<PoseStep>;

inline constexpr int kSwingContact = 6;

// The running sprite's animations, by number (kRunningAnims of them).
std::vector<PosePlan> runningPlans();
// The strokes sprite's (kStrokeAnims).
std::vector<PosePlan> strokePlans();
// The special actions' (kSpecialAnims).
std::vector<PosePlan> specialPlans();
// The walk onto the court at the start of a match, and the selection's jog on the spot.
PosePlan entryWalkPlan();
PosePlan jogPlan();

// The strokes whose swing meets the ball on the forehand (racket) side, and on the other.
std::vector<int> forehandStrokes();
std::vector<int> backhandStrokes();

}  // namespace sorv::mkdata
