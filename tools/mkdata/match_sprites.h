// The match's sprites for the synthetic data set, shaped by the minimums the game's header
// gives (kMatchSpriteMinimums): every animation holds at least its minimum of frames (the
// braking, swing, serve-meter, runner and walk animations their own counts), every frame
// time is 1 or more, and module 0 of each sprite reads "P<pack>-<entry>" so a shot tells
// which entry was drawn. The court pictures' frames 0 to 2 cover the whole 840 x 532 court image.
// Only the data builder, its tests and the fuzz seeds call this; the bytes never change.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/data/resource_ids.h"

namespace sorv::mkdata {

// The sprite of one minimum.
std::vector<uint8_t> matchSprite(const MatchSpriteMinimum& minimum);

// The entries of the packs: players (80), one action pack (81-86), match (87), match
// effects (88), court (91).
std::vector<std::vector<uint8_t>> matchPlayerPackEntries();
std::vector<std::vector<uint8_t>> matchActionPackEntries(int32_t pack);
std::vector<std::vector<uint8_t>> matchPackEntries();
std::vector<std::vector<uint8_t>> matchEffectsPackEntries();
std::vector<std::vector<uint8_t>> matchCourtPackEntries();

}  // namespace sorv::mkdata
