// The headless program's crash switch, for tests of durable saves: SORV_KILL_AT_WRITE=N
// kills the process (SIGKILL, nothing flushed or cleaned up) just before the run's N-th
// record-file write step (counted from 1 over every step of every write); =list logs each
// step as "kill-at-write: step N STEP PATH" and lets it run. Unset, empty or not a positive
// number: no hook. The game never installs it.
#pragma once

namespace sorv {

void installKillAtWrite();

}  // namespace sorv
