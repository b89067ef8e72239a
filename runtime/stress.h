// The memory stress switches: SORV_GC_STRESS=1 collects before every object allocation,
// SORV_MOVE_STRESS=1 moves every movable buffer-heap block before every buffer allocation.
// Both make a reference the collector cannot see, or a raw buffer pointer kept across an
// allocation, fail at once instead of rarely. In stress mode the heaps are also checked
// every kCheckInterval allocations; a failed check is logged and aborts.
//
// The environment is read once; tests may override it for a scope (StressOverride).
#pragma once

#include <cstdint>

namespace sorv::stress {

constexpr uint32_t kCheckInterval = 256;

bool collectOnAllocate();
bool moveOnAllocate();
void setCollectOnAllocate(bool on);
void setMoveOnAllocate(bool on);

// Counts a stressed allocation; true every kCheckInterval-th, when the heaps are checked.
bool checkDue();

// Switches both modes for one scope (tests that build very large structures on purpose).
class StressOverride {
 public:
  StressOverride(bool collect, bool move)
      : collect_(collectOnAllocate()), move_(moveOnAllocate()) {
    setCollectOnAllocate(collect);
    setMoveOnAllocate(move);
  }
  ~StressOverride() {
    setCollectOnAllocate(collect_);
    setMoveOnAllocate(move_);
  }
  StressOverride(const StressOverride&) = delete;
  StressOverride& operator=(const StressOverride&) = delete;

 private:
  bool collect_;
  bool move_;
};

}  // namespace sorv::stress
