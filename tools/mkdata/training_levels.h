// The training pack: the training sprite and the checkpoint sprite, then per training game a
// level data and a level index entry, then per game a tutorial data and index entry (all
// numbers s16 little-endian, positions in 16-bit units).
//
// Until the training issue writes real levels, every game has one smallest valid record of
// its kind that all five levels share (index 0, 0, 0, 0, 0), and each tutorial gives the page
// count of its texts in text pack 3. Only the data builder calls this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

std::vector<std::vector<uint8_t>> trainingPackEntries();

}  // namespace sorv::mkdata
