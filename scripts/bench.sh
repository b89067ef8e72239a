#!/usr/bin/env bash
# Builds Release and runs every benchmark binary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
for b in build/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $b"
  "$b" "$@"
done
