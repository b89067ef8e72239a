#!/usr/bin/env bash
# fuzz.sh [RUNS]: builds the libFuzzer targets with clang and runs every one on its seed
# corpus for RUNS inputs (default 10000, a quick pass; 1000000 for the full one), one after
# another under ASan and UBSan. Each target's output goes to build-fuzz/logs/<target>.log;
# a line per target gives its inputs, seconds and rate, and a failing target is named at
# the end (the script then fails).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000}
scripts/deps.sh
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_FUZZ=ON
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
# Undefined behaviour stops the run like a crash, rather than a line in a long log.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/logs
failed=()
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  log=build-fuzz/logs/$name.log
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  start=$(date +%s.%N)
  status=ok
  "$f" -runs="$runs" -max_len=65536 "$corpus" > "$log" 2>&1 || { status=FAILED; failed+=("$name"); }
  end=$(date +%s.%N)
  # libFuzzer's last "#N" status line (or its "Done N runs") is how far the target got.
  done_runs=$(grep -oE '^(#[0-9]+|Done [0-9]+)' "$log" | grep -oE '[0-9]+' | tail -1 || true)
  awk -v n="$name" -v r="${done_runs:-0}" -v s="$start" -v e="$end" -v st="$status" \
    'BEGIN { t = e - s; printf "%-20s %9d inputs %9.1f s %9.0f /s  %s\n", n, r, t, (t > 0 ? r / t : 0), st }'
done
for name in "${failed[@]}"; do echo "FAILED: $name (see build-fuzz/logs/$name.log)"; done
[ ${#failed[@]} -eq 0 ]
