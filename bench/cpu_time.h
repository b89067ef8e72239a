// Timing for benchmarks that report their own ratios: thread CPU time, because several
// developers share the machine and wall time would count their work too.
#pragma once

#include <ctime>

namespace sorv::bench {

inline double cpuNanos() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Nanoseconds per call of fn, over enough calls (at most maxReps) to last a few milliseconds.
template <class Fn>
double nanosPerCall(Fn fn, int maxReps = 1 << 20) {
  int reps = 1;
  for (;;) {
    const double start = cpuNanos();
    for (int i = 0; i < reps; ++i) fn();
    const double ns = cpuNanos() - start;
    if (ns > 5e6 || reps > maxReps) return ns / reps;
    reps *= 2;
  }
}

}  // namespace sorv::bench
