#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds one build folder.
# JOBS sets the parallel compile jobs (default: every core), for a machine shared with others.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
cmake -S . -B "$dir" -G Ninja "$@" > /dev/null
cmake --build "$dir" -j "${JOBS:-$(nproc)}"
