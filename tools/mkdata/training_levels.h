// The training pack: the training sprite and the checkpoint sprite, then per training game a
// level data and a level index entry, then per game a tutorial data and index entry (all
// numbers s16 little-endian, positions in 16-bit units).
//
// The levels come from tools/data/training_levels.txt: per game ("game serve|power|accuracy|
// step|netAccuracy") five "level N" blocks, each the record's values by name in the
// record's order, tables as one row a line (their counts are written from the rows). The
// writer checks names, order and row widths and fails with the line's number; the level
// rules themselves are the game's reader's (and the shape check's) business. Only the data
// builder, its tests and the fuzz seeds call this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorv::mkdata {

// The ten level entries (data, index per game, in pack order from entry 2) of a level source.
bool encodeTrainingLevels(const std::string& source, std::vector<std::vector<uint8_t>>* entries,
                          std::string* error);

// Every entry of the training pack from the sources in dataDir.
bool trainingPackEntries(const std::string& dataDir, std::vector<std::vector<uint8_t>>* entries,
                         std::string* error);

}  // namespace sorv::mkdata
