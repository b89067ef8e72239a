#include "runtime/profiler.h"

#include <cstdio>
#include <cstring>

#include "runtime/clock.h"
#include "runtime/frames.h"
#include "runtime/log.h"

namespace sorv {

namespace {
constexpr int16_t kNotRecorded = -1;
constexpr int64_t kShortestReported = 2;
}  // namespace

void Profiler::beginEvent(const char* name) {
  if (eventCount >= kMaxEvents) {
    reportError("Profiler: Too many events ");
    armed = 0;
    dump();
    return;
  }
  int16_t recorded = kNotRecorded;
  if (depth >= kMaxDepth) {
    reportError("Profiler: Event stack depth");
  } else {
    int64_t now = clock::millis();
    events[eventCount] = {name, now, now, static_cast<int16_t>(depth)};
    recorded = static_cast<int16_t>(eventCount++);
  }
  // Deeper frames are counted but not stored, so their ends still pair up.
  if (depth < kMaxDepth) open[depth] = recorded;
  depth++;
}

void Profiler::endEvent() {
  if (depth <= 0) {
    reportError("Profiler: Begin/End event match problem");
    return;
  }
  depth--;
  if (depth < kMaxDepth && open[depth] != kNotRecorded) events[open[depth]].end = clock::millis();
}

void Profiler::dump() {
  Debug::trace("Profiler:");
  for (int32_t i = 0; i < eventCount; i++) {
    const ProfilerEvent& e = events[i];
    int64_t duration = e.end - e.start;
    if (duration < kShortestReported) continue;
    size_t indent = static_cast<size_t>(e.depth);
    if (indent > sizeof line / 2) indent = sizeof line / 2;
    std::memset(line, '\t', indent);
    // A name too long for the rest of the line keeps its end, the method's own part.
    const char* name = e.name != nullptr ? e.name : "?";
    size_t room = sizeof line - indent - 32;
    size_t length = std::strlen(name);
    if (length > room) name += length - room;
    std::snprintf(line + indent, sizeof line - indent, "%s : %ld", name, static_cast<long>(duration));
    Debug::trace("%s", line);
  }
}

}  // namespace sorv
