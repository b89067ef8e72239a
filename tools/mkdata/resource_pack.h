// Resource packs for the synthetic data set: a little-endian u16 count n, n little-endian
// u32 offsets counted from the end of that header, then the entries back to back. The
// offsets hold one more than the entries, the last one the end of the data, so entry i runs
// from offset i to offset i + 1; offset 0 is always 0.
// Only the data builder calls this.
#pragma once

#include <cstdint>
#include <vector>

namespace sorv::mkdata {

// Throws std::invalid_argument when the entries do not fit the u16 count or u32 offsets.
std::vector<uint8_t> encodeResourcePack(const std::vector<std::vector<uint8_t>>& entries);

// Entry index of an encoded pack; false when the pack has no such entry wholly present.
bool resourcePackEntry(const std::vector<uint8_t>& pack, int32_t index,
                       std::vector<uint8_t>* entry);

}  // namespace sorv::mkdata
