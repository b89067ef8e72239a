#!/usr/bin/env bash
# Installs what is missing, builds Release (build/) and the sanitizer build (build-asan/),
# and runs every test in both, then again with the memory stress switches on.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_SANITIZE=ON

export SDL_VIDEODRIVER=dummy SORV_AUDIO=null
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)
status=0
failures=()
# run_tests DIR [VAR=VALUE...]: one ctest pass. ctest leaves the failed tests' names in
# LastTestsFailed.log; they are printed again at the end, so the tail of a long run says
# which pass failed and on what. A real-window test waits on an X server, a window manager
# and the program on a machine loaded by the rest of the suite: when those are the only
# failures, they run once more alone, and the pass fails only if one fails again.
run_tests() {
  local dir=$1; shift
  echo "== ctest $dir $*"
  env "$@" ctest --test-dir "$dir" --output-on-failure -j "$jobs" && return
  local failed="$dir/Testing/Temporary/LastTestsFailed.log"
  if [ -s "$failed" ] && ! grep -qv ":RealWindow" "$failed"; then
    echo "== again, alone: $(tr '\n' ' ' < "$failed")"
    env "$@" ctest --test-dir "$dir" --output-on-failure --rerun-failed && return
  fi
  status=1
  failures+=("$dir $*: $(tr '\n' ' ' < "$failed" 2> /dev/null)")
}
run_tests build
run_tests build-asan
run_tests build SORV_GC_STRESS=1 SORV_MOVE_STRESS=1
run_tests build-asan SORV_GC_STRESS=1 SORV_MOVE_STRESS=1
for failure in "${failures[@]}"; do echo "FAILED: $failure"; done
exit $status
