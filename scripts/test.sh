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
run() { echo "== $*"; "$@" || status=1; }
run ctest --test-dir build --output-on-failure -j "$jobs"
run ctest --test-dir build-asan --output-on-failure -j "$jobs"
run env SORV_GC_STRESS=1 SORV_MOVE_STRESS=1 ctest --test-dir build --output-on-failure -j "$jobs"
run env SORV_GC_STRESS=1 SORV_MOVE_STRESS=1 ctest --test-dir build-asan --output-on-failure -j "$jobs"
exit $status
