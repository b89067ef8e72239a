#!/usr/bin/env bash
# fuzz.sh [RUNS [TARGET...]]: builds the libFuzzer targets with clang and runs every one (or
# the named ones, e.g. fuzz_scoring) on its seed corpus for RUNS inputs (default 10000, a quick
# pass; 1000000 for the full one), one after another under ASan and UBSan. FUZZ_JOBS=N shares a
# target's RUNS among N processes on one corpus, for the slow targets on a machine with cores
# to spare. Each target's output goes to build-fuzz/logs/<target>.log (with FUZZ_JOBS its
# processes' logs beside it in build-fuzz/logs/<target>/); a line per target gives its inputs,
# seconds and rate, and a failing target is named at the end (the script then fails).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000}
shift $(( $# > 0 ? 1 : 0 ))
jobs=${FUZZ_JOBS:-1}
scripts/deps.sh
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_FUZZ=ON
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
# Undefined behaviour stops the run like a crash, rather than a line in a long log.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/logs
failed=()
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(build-fuzz/fuzz/fuzz_*)
for f in "${targets[@]}"; do
  f=build-fuzz/fuzz/$(basename "$f")
  [ -x "$f" ] || { echo "no fuzz target $f"; failed+=("$(basename "$f")"); continue; }
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  log=build-fuzz/logs/$name.log
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  start=$(date +%s.%N)
  status=ok
  if [ "$jobs" -gt 1 ]; then
    # Each process writes fuzz-<n>.log in the folder it starts in.
    rm -rf "build-fuzz/logs/$name" && mkdir -p "build-fuzz/logs/$name"
    (cd "build-fuzz/logs/$name" && "../../../$f" -jobs="$jobs" -workers="$jobs" -runs=$(( (runs + jobs - 1) / jobs )) \
      -max_len=65536 "../../../$corpus") > "$log" 2>&1 || { status=FAILED; failed+=("$name"); }
    job_logs=("build-fuzz/logs/$name"/fuzz-*.log)
  else
    "$f" -runs="$runs" -max_len=65536 "$corpus" > "$log" 2>&1 || { status=FAILED; failed+=("$name"); }
    job_logs=("$log")
  fi
  end=$(date +%s.%N)
  # libFuzzer's last "#N" status line (or its "Done N runs") is how far a process got.
  done_runs=0
  for l in "${job_logs[@]}"; do
    n=$(grep -oE '^(#[0-9]+|Done [0-9]+)' "$l" | grep -oE '[0-9]+' | tail -1 || true)
    done_runs=$(( done_runs + ${n:-0} ))
  done
  awk -v n="$name" -v r="${done_runs:-0}" -v s="$start" -v e="$end" -v st="$status" \
    'BEGIN { t = e - s; printf "%-20s %9d inputs %9.1f s %9.0f /s  %s\n", n, r, t, (t > 0 ? r / t : 0), st }'
done
for name in "${failed[@]}"; do echo "FAILED: $name (see build-fuzz/logs/$name.log)"; done
[ ${#failed[@]} -eq 0 ]
