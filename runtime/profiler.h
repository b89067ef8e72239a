// The method-time profiler: armed by the '#' key, it records the named frames of one frame
// and dumps those of 2 ms or more, indented by depth.
//
// Invariants: eventCount <= kMaxEvents; 0 <= depth <= kMaxDepth; open[0..depth) index
// recorded events. Nothing is written outside the tables.
#pragma once

#include <cstdint>

namespace sorv {

struct ProfilerEvent {
  const char* name;
  int64_t start;
  int64_t end;
  int16_t depth;
};

struct Profiler {
  static constexpr int kMaxEvents = 16000;
  static constexpr int kMaxDepth = 256;

  ProfilerEvent events[kMaxEvents];
  int16_t open[kMaxDepth];
  int32_t eventCount = 0;
  int32_t depth = 0;
  uint8_t armed = 0;
  char line[1027];

  void beginEvent(const char* name);
  void endEvent();
  void dump();
};

}  // namespace sorv
