#!/usr/bin/env bash
# Installs what is missing, builds Release, makes the synthetic data in the phone's
# installation folder under SORV_ROOT and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
root=${SORV_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/sorvantel}
install_dir="$root/Program Files/Kestovan/Sorvantel 2009"
mkdir -p "$install_dir"
build/tools/mkdata --out "$install_dir"
echo "Data in $install_dir; the log is build/stdout.txt."
export SORV_ROOT=$root
exec build/sorvantel
