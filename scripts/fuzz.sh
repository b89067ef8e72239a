#!/usr/bin/env bash
# fuzz.sh [RUNS]: builds the libFuzzer targets with clang and runs each on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}
scripts/deps.sh
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_FUZZ=ON
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=0
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name ($runs runs)"
  "$f" -runs="$runs" -max_len=65536 "$corpus"
done
