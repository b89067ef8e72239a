#!/usr/bin/env bash
# Installs what is missing, builds Release and everything that exists so far.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
echo "Built everything in build/ (the game itself is not assembled yet)."
