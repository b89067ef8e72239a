#!/usr/bin/env bash
# Installs what is missing, builds Release (build/) and the sanitizer build (build-asan/),
# and runs every test in both, then again with the memory stress switches on.
#
# The stress passes leave out what would only run again unchanged: the whole-program tests
# turn the stress switches off under the sanitizer (a match collecting before every
# allocation there takes many minutes), and the real-window tests turn them off everywhere,
# so those runs are the earlier passes' own. Long tests scale their work down in the
# sanitizer and stress passes (tests/support/run_budget.h); the Release pass runs them whole.
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
reports=()
# run_tests DIR "CTEST OPTIONS" [VAR=VALUE...]: one ctest pass. ctest leaves the failed tests'
# names in LastTestsFailed.log; they are printed again at the end, so the tail of a long run
# says which pass failed and on what, and how long each pass took. A failed real-window test
# fails its pass; it then runs once more alone, and the tail says whether it passed there
# (a test that fails only while the rest of the suite loads the machine) or failed again.
run_tests() {
  local dir=$1 options=$2; shift 2
  local started=$SECONDS
  echo "== ctest $dir $options $*"
  # shellcheck disable=SC2086
  if env "$@" ctest --test-dir "$dir" --output-on-failure -j "$jobs" $options; then
    reports+=("$dir $*: passed in $((SECONDS - started)) s")
    return
  fi
  status=1
  local failed="$dir/Testing/Temporary/LastTestsFailed.log"
  local names
  names=$(cut -d: -f2 "$failed" 2> /dev/null | tr '\n' ' ')
  failures+=("$dir $*: $names")
  reports+=("$dir $*: FAILED in $((SECONDS - started)) s")
  if [ -s "$failed" ] && grep -q ":RealWindow" "$failed"; then
    local alone
    alone=$(grep ":RealWindow" "$failed" | cut -d: -f2 | paste -sd'|')
    echo "== again, alone: $alone"
    if env "$@" ctest --test-dir "$dir" --output-on-failure -R "^($alone)\$"; then
      reports+=("$dir $*: the real-window test(s) $alone failed in the pass and passed alone")
    else
      reports+=("$dir $*: the real-window test(s) $alone failed in the pass and again alone")
    fi
  fi
}
run_tests build ""
run_tests build-asan ""
run_tests build "-E ^RealWindow" SORV_GC_STRESS=1 SORV_MOVE_STRESS=1
run_tests build-asan "-LE ^e2e\$" SORV_GC_STRESS=1 SORV_MOVE_STRESS=1
for report in "${reports[@]}"; do echo "== pass $report"; done
for failure in "${failures[@]}"; do echo "FAILED: $failure"; done
echo "== $((SECONDS / 60)) min $((SECONDS % 60)) s in all"
exit $status
