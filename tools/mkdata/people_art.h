// The court people: the ball kids (pack 88 entry 3) and the judges (pack 88 entry 4), the
// linesmen on their chairs and the net judge in the high chair beside the net, painted with
// the figure painter and folded onto the sixteen colours of the court people's palettes (a
// uniform per court type, one for the verdict and one for the main tournaments); the judges'
// sprite also holds the challenge's verdict, the smash target and the racket's flash.
//
// Invariants: every animation the labelled sprites hold is there (kBallKidAnims,
// kJudgeAnims) with its frames timed 1 or more; the net judge's frames put its chair's foot
// at (kUmpireChairX, kUmpireChairY) from the origin it is drawn at; the verdict is frames
// kJudgeVerdictFrame and the one after. Only the data builder and its tests call this.
#pragma once

#include "tools/mkdata/art_packs.h"
#include "tools/mkdata/art_sprite.h"

namespace sorv::mkdata {

// Where the net judge's chair stands on the court picture (logical pixels).
inline constexpr int kUmpireChairX = 229, kUmpireChairY = 264;

// The sprites before they are written, for the tests that look at their frames.
ArtSprite ballKidSprite();
ArtSprite judgeSprite();

void paintCourtPeopleArt(PackSet& packs);

}  // namespace sorv::mkdata
