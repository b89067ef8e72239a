// The art style of the data set: the painters that put pictures in place of the labelled
// sprites. The labelled packs are built first (every entry the game reads, with its
// minimum of frames and animations); each painter then replaces the sprite entries of its
// own subject, so a painter never has to know another's packs.
//
// Invariants: a painter replaces whole entries and keeps every frame, animation and palette
// the labelled entry holds (the game's minimums); it paints with integer arithmetic only, so
// the archive is the same on every host. Only the data builder and its tests call this.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "tools/mkdata/looks_source.h"

namespace sorv::mkdata {

using PackEntries = std::vector<std::vector<uint8_t>>;
// The packs of one data set, by the number of their name's constant string.
using PackSet = std::map<int32_t, PackEntries>;

// Which pictures a data set carries: the painted art the game ships with, or the labelled
// blocks ("P<pack>-<entry>") that tests find by their pixels.
enum class DataStyle { kArt, kLabels };

// What the painters read from the data sources besides the packs.
struct ArtSources {
  std::vector<Look> looks;        // looks.txt
  CareerChoices careerChoices;  // looks.txt
};

// Every painter, in a fixed order.
void paintArt(PackSet& packs, const ArtSources& sources);

}  // namespace sorv::mkdata
