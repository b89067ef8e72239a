// Free physical memory (stand-in for GlobalMemoryStatus's dwAvailPhys, a 32-bit count).
//
// SORV_AVAIL_PHYS (bytes, decimal or 0x hex) when it holds a number, else the host's
// available memory. Figures above 4 GiB - 1 saturate at 0xFFFFFFFF instead of wrapping, so
// a large host never looks short of memory. Read on every call.
#pragma once

#include <cstdint>

namespace sorv::platform {

uint32_t availablePhysicalMemory();

// 0xFFFFFFFF for anything that does not fit 32 bits.
uint32_t saturateToDword(uint64_t bytes);

}  // namespace sorv::platform
